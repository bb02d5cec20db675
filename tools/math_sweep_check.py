#!/usr/bin/env python3
"""Decides each difference math_sweep wrote with 3000-bit arithmetic: which side is correctly rounded.

Usage: math_sweep_check.py DIFFERENCES [every-nth]. Needs python3-mpmath.
"""
import math
import sys
from collections import Counter
from fractions import Fraction

import mpmath

mpmath.mp.prec = 3000
DEGREES = math.pi / 180  # as engine/trig.cpp


def nearest_double(value):
    """The double nearest an mpf, ties to even, through an exact fraction."""
    if mpmath.isnan(value):
        return math.nan
    if mpmath.isinf(value):
        return float(value)
    man, exp = value.man_exp
    exact = Fraction(int(man)) * Fraction(2) ** int(exp)
    try:
        return math.copysign(float(exact), -1 if value < 0 else 1)
    except OverflowError:
        return math.copysign(math.inf, value)


def exact_trig(name, x):
    return nearest_double(getattr(mpmath, name)(mpmath.mpf(x)))


def correct(name, x, y):
    """The result a correctly rounded library gives, each step of a composite rounded to double."""
    if name in ("sin", "cos", "tan"):
        return exact_trig(name, x)
    if name.endswith(" degrees"):
        return exact_trig(name.split()[0], math.fmod(x, 360) * DEGREES)
    if name == "log":
        return nearest_double(mpmath.log(mpmath.mpf(x)))
    if name.startswith("log key"):
        return correct("log", x, 0) / correct("log", 10, 0)
    if name == "pow":
        return nearest_double(mpmath.power(mpmath.mpf(x), mpmath.mpf(y)))
    raise ValueError(name)


def main():
    every = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    tally = Counter()
    with open(sys.argv[1]) as lines:
        for number, line in enumerate(lines):
            if number % every:
                continue
            name, x, y, ours, library = line.rstrip("\n").split("|")
            x, y, ours, library = (float.fromhex(v) for v in (x, y, ours, library))
            truth = correct(name, x, y)
            verdict = "ours" if ours == truth else "library" if library == truth else "neither"
            tally[name, verdict] += 1
            if verdict != "ours":
                print(f"{name}({x.hex()}, {y.hex()}): correct {truth.hex()}, ours {ours.hex()}, "
                      f"library {library.hex()}")
    for (name, verdict), count in sorted(tally.items()):
        print(f"{name:24} correctly rounded: {verdict:8} {count}")


main()
