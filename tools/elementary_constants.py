#!/usr/bin/env python3
"""Prints the constants of engine/elementary.cpp from exact integer arithmetic."""
from fractions import Fraction

BITS = 1600


def arctan_inverse(n, scale):
    """arctan(1/n) * 2^scale, truncated, by its alternating series."""
    total, term, k, sign = 0, (1 << scale) // n, 1, 1
    while term:
        total += sign * (term // k)
        term //= n * n
        k, sign = k + 2, -sign
    return total


def ln2_scaled(scale):
    """ln 2 * 2^scale, truncated: 2 atanh(1/3)."""
    total, term, k = 0, (1 << scale) // 3, 1
    while term:
        total += term // k
        term //= 9
        k += 2
    return 2 * total


def split(value, parts):
    """value as a sum of doubles, each the nearest double to what remains."""
    out = []
    for _ in range(parts):
        out.append(float(value))
        value -= Fraction(out[-1])
    return out


scale = BITS + 64  # guard bits for the truncated terms
pi = Fraction(16 * arctan_inverse(5, scale) - 4 * arctan_inverse(239, scale), 1 << scale)  # Machin
ln2 = Fraction(ln2_scaled(scale), 1 << scale)

# One zero word first: the reduction reads up to 55 bits before the binary point of 2/pi.
words = 22
two_over_pi = int(Fraction(2) / pi * (1 << (64 * (words - 1))))
print("// 2/pi in 64-bit words, most significant first, after one zero word.")
print("constexpr std::uint64_t kTwoOverPi[] = {")
table = [0] + [(two_over_pi >> (64 * (words - 2 - i))) & ((1 << 64) - 1) for i in range(words - 1)]
for i in range(0, words, 5):
    print("    " + ", ".join("0x%016x" % w for w in table[i:i + 5]) + ",")
print("};")
print("constexpr DoubleDouble kHalfPi = {%s, %s};" % tuple(x.hex() for x in split(pi / 2, 2)))
print("constexpr double kLn2[] = {%s, %s, %s};" % tuple(x.hex() for x in split(ln2, 3)))
