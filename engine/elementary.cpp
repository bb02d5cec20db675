// Elementary functions from IEEE double operations and integer bits alone, through double-double values.
#include "engine/elementary.h"

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <utility>

namespace engine::elementary {
namespace {

// hi + lo unevaluated, |lo| at most half an ulp of hi: about 106 bits.
struct DoubleDouble {
    double hi, lo;
};

// Printed by tools/elementary_constants.py from pi and ln 2 in exact integer arithmetic.
// 2/pi in 64-bit words, most significant first, after one zero word.
constexpr std::uint64_t kTwoOverPi[] = {
    0x0000000000000000, 0xa2f9836e4e441529, 0xfc2757d1f534ddc0, 0xdb6295993c439041, 0xfe5163abdebbc561,
    0xb7246e3a424dd2e0, 0x06492eea09d1921c, 0xfe1deb1cb129a73e, 0xe88235f52ebb4484, 0xe99c7026b45f7e41,
    0x3991d639835339f4, 0x9c845f8bbdf9283b, 0x1ff897ffde05980f, 0xef2f118b5a0a6d1f, 0x6d367ecf27cb09b7,
    0x4f463f669e5fea2d, 0x7527bac7ebe5f17b, 0x3d0739f78a5292ea, 0x6bfb5fb11f8d5d08, 0x56033046fc7b6bab,
    0xf0cfbc209af4361d, 0xa9e391615ee61b08,
};
constexpr DoubleDouble kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr double kLn2[] = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56, 0x1.7b57a079a1934p-111};

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kQuarterPi = 0x1.921fb54442d18p-1; // below pi/4
constexpr double kSqrt2 = 0x1.6a09e667f3bcdp+0;
constexpr double kInverseLn2 = 0x1.71547652b82fep+0;
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kMantissaBits = (std::uint64_t{1} << 52) - 1;
// A result within this fraction of a halfway point is taken to be exact: pow's exact ties.
constexpr double kTieTolerance = 0x1p-90;

constexpr std::uint64_t bitsOf(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

constexpr double magnitude(double x)
{
    return std::bit_cast<double>(bitsOf(x) & ~kSignBit);
}

constexpr double withSignOf(double value, double sign)
{
    return std::bit_cast<double>(bitsOf(magnitude(value)) | (bitsOf(sign) & kSignBit));
}

// 2^n for -1074 <= n <= 1023.
constexpr double powerOfTwo(int n)
{
    if (n >= -1022)
        return std::bit_cast<double>(static_cast<std::uint64_t>(n + 1023) << 52);
    return std::bit_cast<double>(std::uint64_t{1} << (n + 1074));
}

constexpr DoubleDouble negate(DoubleDouble a)
{
    return {-a.hi, -a.lo};
}

// Exact: hi + lo == a + b.
constexpr DoubleDouble twoSum(double a, double b)
{
    const double s = a + b, bPart = s - a;
    return {s, (a - (s - bPart)) + (b - bPart)};
}

// Exact when |a| >= |b|.
constexpr DoubleDouble fastTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// Dekker's split of a into two halves of at most 26 bits each.
constexpr DoubleDouble split(double a)
{
    const double c = 0x1.0000002p+27 * a; // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

// Exact: hi + lo == a * b, without a fused multiply-add.
constexpr DoubleDouble twoProduct(double a, double b)
{
    const double p = a * b;
    const DoubleDouble x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

constexpr DoubleDouble add(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble s = twoSum(a.hi, b.hi), t = twoSum(a.lo, b.lo);
    const DoubleDouble u = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(u.hi, u.lo + t.lo);
}

constexpr DoubleDouble multiply(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// Three quotient digits, each from the remainder left by the previous ones.
constexpr DoubleDouble divide(DoubleDouble a, DoubleDouble b)
{
    const double q1 = a.hi / b.hi;
    const DoubleDouble r1 = add(a, negate(multiply(b, {q1, 0})));
    const double q2 = r1.hi / b.hi;
    const DoubleDouble r2 = add(r1, negate(multiply(b, {q2, 0})));
    return add(fastTwoSum(q1, q2), {r2.hi / b.hi, 0});
}

// 1/n!: the Taylor coefficients of sin, cos and exp.
constexpr auto kInverseFactorial = [] {
    std::array<DoubleDouble, 30> c{};
    c[0] = {1, 0};
    for (std::size_t n = 1; n < c.size(); ++n)
        c[n] = divide(c[n - 1], {static_cast<double>(n), 0});
    return c;
}();

// 1/(2n + 1): atanh(s) / s as a series in s^2.
constexpr auto kInverseOdd = [] {
    std::array<DoubleDouble, 21> c{};
    for (std::size_t n = 0; n < c.size(); ++n)
        c[n] = divide({1, 0}, {2.0 * n + 1, 0});
    return c;
}();

// The sum of u^n / (first + step n)! for n below count, by Horner's rule.
DoubleDouble taylor(DoubleDouble u, int first, int step, int count)
{
    DoubleDouble sum = kInverseFactorial[first + step * (count - 1)];
    for (int n = count - 2; n >= 0; --n)
        sum = add(multiply(sum, u), kInverseFactorial[first + step * n]);
    return sum;
}

// |r| <= pi/4: the series' last terms are below 2^-106 of the first.
DoubleDouble sinOfReduced(DoubleDouble r)
{
    return multiply(r, taylor(negate(multiply(r, r)), 1, 2, 15));
}

DoubleDouble cosOfReduced(DoubleDouble r)
{
    return taylor(negate(multiply(r, r)), 0, 2, 15);
}

// x = (4j + quadrant) pi/2 + r, |r| <= pi/4.
struct Reduced {
    int quadrant;
    DoubleDouble r;
};

// a b + c in two 64-bit words, from 32-bit halves: one path on every processor, 32-bit ones included.
struct Wide {
    std::uint64_t high, low;
};
constexpr Wide multiplyAdd(std::uint64_t a, std::uint64_t b, std::uint64_t c)
{
    constexpr std::uint64_t kHalf = 0xffffffff;
    const std::uint64_t lowLow = (a & kHalf) * (b & kHalf), lowHigh = (a & kHalf) * (b >> 32);
    const std::uint64_t highLow = (a >> 32) * (b & kHalf), highHigh = (a >> 32) * (b >> 32);
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & kHalf) + (highLow & kHalf); // below 3 2^32
    const std::uint64_t low = middle << 32 | (lowLow & kHalf);
    const std::uint64_t high = highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
    return {high + (low + c < low), low + c};
}
// The largest case: (2^64 - 1)^2 + 2^64 - 1 = 2^128 - 2^64.
static_assert(multiplyAdd(~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}).high == ~std::uint64_t{0});
static_assert(multiplyAdd(~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}).low == 0);

// 64 bits of kTwoOverPi from bit index first on, counted from the top of its first word.
std::uint64_t twoOverPiBits(int first)
{
    const int word = first / 64, shift = first % 64;
    if (shift == 0)
        return kTwoOverPi[word];
    return kTwoOverPi[word] << shift | kTwoOverPi[word + 1] >> (64 - shift);
}

// Shifts a 192-bit number, most significant word first, left until its top bit is set; returns the shift.
int normalize(std::array<std::uint64_t, 3>& f)
{
    int shift = 0;
    while (f[0] == 0 && shift < 192) {
        f = {f[1], f[2], 0};
        shift += 64;
    }
    const int bits = std::countl_zero(f[0]) % 64;
    if (bits != 0) {
        f[0] = f[0] << bits | f[1] >> (64 - bits);
        f[1] = f[1] << bits | f[2] >> (64 - bits);
    }
    return shift + bits;
}

// Payne and Hanek's reduction of a finite x >= 0 with 256 bits of 2/pi, those the result depends on:
// x = m 2^e, and the bits of 2/pi above 2^(1-e) only add multiples of 4 to x 2/pi.
Reduced reduce(double x)
{
    if (x <= kQuarterPi)
        return {0, {x, 0}};
    const std::uint64_t bits = bitsOf(x);
    const int exponent = static_cast<int>(bits >> 52) - 1075;
    const std::uint64_t mantissa = (bits & kMantissaBits) | (kMantissaBits + 1);
    // p = mantissa x the 256 bits: 320 bits with the binary point 254 bits from the bottom.
    std::array<std::uint64_t, 5> p{};
    std::uint64_t carry = 0;
    for (int i = 3; i >= 0; --i) {
        const Wide product = multiplyAdd(mantissa, twoOverPiBits(exponent + 62 + 64 * i), carry);
        p[i + 1] = product.low;
        carry = product.high;
    }
    int quadrant = static_cast<int>(p[1] >> 62);
    std::array<std::uint64_t, 3> fraction = {p[1] << 2 | p[2] >> 62, p[2] << 2 | p[3] >> 62,
                                             p[3] << 2 | p[4] >> 62};
    const bool negative = fraction[0] >> 63; // nearer the next multiple of pi/2: measured from there
    if (negative) {
        ++quadrant;
        fraction = {~fraction[0], ~fraction[1], ~fraction[2]}; // 1 - fraction in two's complement
        for (int i = 2; i >= 0 && ++fraction[i] == 0; --i)
            ; // the carry of the + 1
    }
    const int shift = normalize(fraction);
    const double hi = static_cast<double>(fraction[0] >> 11) * powerOfTwo(-53 - shift);
    const double lo = static_cast<double>(fraction[0] << 53 | fraction[1] >> 11) * powerOfTwo(-117 - shift);
    const DoubleDouble r = multiply(fastTwoSum(hi, lo), kHalfPi);
    return {quadrant & 3, negative ? negate(r) : r};
}

// sin(x + shift pi/2) for a finite x >= 0.
DoubleDouble sineShifted(double x, int shift)
{
    const Reduced a = reduce(x);
    const int quadrant = (a.quadrant + shift) & 3;
    const DoubleDouble v = quadrant & 1 ? cosOfReduced(a.r) : sinOfReduced(a.r);
    return quadrant & 2 ? negate(v) : v;
}

// ln x for a finite x > 0: x = 2^k m with m near 1, ln m = 2 atanh((m - 1) / (m + 1)).
DoubleDouble logarithm(double x)
{
    int k = 0;
    if (x < 0x1p-1022) {
        x *= 0x1p54;
        k = -54;
    }
    const std::uint64_t bits = bitsOf(x);
    k += static_cast<int>(bits >> 52) - 1023;
    double m = std::bit_cast<double>((bits & kMantissaBits) | bitsOf(1.0));
    if (m > kSqrt2) {
        m *= 0.5;
        ++k;
    }
    const DoubleDouble s = divide({m - 1, 0}, twoSum(m, 1));
    const DoubleDouble s2 = multiply(s, s);
    DoubleDouble series = kInverseOdd.back();
    for (int n = static_cast<int>(kInverseOdd.size()) - 2; n >= 0; --n)
        series = add(multiply(series, s2), kInverseOdd[n]);
    const DoubleDouble lnM = multiply(s, {2 * series.hi, 2 * series.lo});
    const double kd = k;
    const DoubleDouble multipleOfLn2 =
        add(add(twoProduct(kd, kLn2[0]), twoProduct(kd, kLn2[1])), {kd * kLn2[2], 0});
    return add(multipleOfLn2, lnM);
}

// e^t = m 2^k for |t| < 750, m near 1.
struct Scaled {
    DoubleDouble m;
    int k;
};

Scaled exponential(DoubleDouble t)
{
    const double k = roundHalfEven(t.hi * kInverseLn2);
    DoubleDouble r = add(t, negate(twoProduct(k, kLn2[0])));
    r = add(r, negate(twoProduct(k, kLn2[1])));
    r = add(r, {-k * kLn2[2], 0});
    // |r| <= 0.35: the 24th term is below 2^-106.
    return {taylor(r, 0, 1, 24), static_cast<int>(k)};
}

bool isEven(double n)
{
    return isInteger(n * 0.5);
}

// The whole number nearest a + b (a < 2^53, |b| < 1); a sum within tolerance of a half counts as the half.
double roundSum(double a, double b, double tolerance)
{
    const double n = roundHalfEven(a);
    const double w = (a - n) + b;
    if (magnitude(magnitude(w) - 0.5) <= tolerance) {
        const double other = w > 0 ? n + 1 : n - 1;
        return isEven(n) ? n : other;
    }
    return w > 0.5 ? n + 1 : w < -0.5 ? n - 1 : n;
}

// m 2^k rounded once to a double, also where it is subnormal or beyond the range.
double rounded(Scaled v)
{
    const int exponent = static_cast<int>(bitsOf(v.m.hi) >> 52) - 1023 + v.k;
    const int ulp = exponent - 52 > -1074 ? exponent - 52 : -1074;
    const double scale = powerOfTwo(v.k - ulp);
    const double a = v.m.hi * scale;
    return roundSum(a, v.m.lo * scale, a * kTieTolerance) * powerOfTwo(ulp);
}

bool isOddInteger(double y)
{
    return isInteger(y) && magnitude(y) < 0x1p53 && !isEven(y);
}

} // namespace

double sin(double x)
{
    if (x == 0 || !(magnitude(x) < kInfinity))
        return x == 0 ? x : x - x;
    const double value = sineShifted(magnitude(x), 0).hi;
    return x < 0 ? -value : value;
}

double cos(double x)
{
    if (!(magnitude(x) < kInfinity))
        return x - x;
    return sineShifted(magnitude(x), 1).hi;
}

double tan(double x)
{
    if (x == 0 || !(magnitude(x) < kInfinity))
        return x == 0 ? x : x - x;
    const Reduced a = reduce(magnitude(x));
    const DoubleDouble s = sinOfReduced(a.r), c = cosOfReduced(a.r);
    const double value = (a.quadrant & 1 ? negate(divide(c, s)) : divide(s, c)).hi;
    return x < 0 ? -value : value;
}

double log(double x)
{
    if (x == 0)
        return -kInfinity;
    if (x < 0)
        return (x - x) / (x - x);
    if (!(x < kInfinity))
        return x; // +infinity and NaN
    return logarithm(x).hi;
}

double pow(double x, double y)
{
    if (y == 0 || x == 1)
        return 1;
    if (x != x || y != y)
        return x + y;
    const double ax = magnitude(x);
    const double sign = x < 0 || bitsOf(x) == kSignBit ? (isOddInteger(y) ? -1 : 1) : 1;
    if (!(magnitude(y) < kInfinity))
        return ax == 1 ? 1 : (ax < 1) == (y < 0) ? kInfinity : 0;
    if (ax == 0 || ax == kInfinity)
        return sign * ((ax == 0) == (y < 0) ? kInfinity : 0);
    if (x < 0 && !isInteger(y))
        return (x - x) / (x - x);
    if (ax == 1)
        return sign; // -1 to a whole power, which may be too large to split
    const DoubleDouble lnX = logarithm(ax);
    const double estimate = lnX.hi * y; // beyond these e^t is no double, and y is too large to split
    if (estimate > 710)
        return sign * kInfinity;
    if (estimate < -746)
        return sign * 0.0;
    return sign * rounded(exponential(multiply(lnX, {y, 0})));
}

double fmod(double x, double y)
{
    const double ax = magnitude(x), ay = magnitude(y);
    if (!(ax < kInfinity) || !(ay > 0))
        return (x * y) / (x * y); // NaN
    if (ax < ay)
        return x;
    // x = mx 2^ex, y = my 2^ey with whole mx, my; the remainder of mx 2^(ex - ey) by my, 11 bits a step.
    const auto decompose = [](double a) {
        const std::uint64_t bits = bitsOf(a);
        const int biased = static_cast<int>(bits >> 52);
        if (biased == 0)
            return std::pair{bits, -1074};
        return std::pair{(bits & kMantissaBits) | (kMantissaBits + 1), biased - 1075};
    };
    const auto [mx, ex] = decompose(ax);
    const auto [my, ey] = decompose(ay);
    std::uint64_t remainder = mx % my;
    for (int e = ex; e > ey;) {
        const int step = e - ey < 11 ? e - ey : 11;
        remainder = (remainder << step) % my;
        e -= step;
    }
    return withSignOf(static_cast<double>(remainder) * powerOfTwo(ey), x);
}

double sqrt(double x)
{
    return __builtin_sqrt(x); // sqrtsd, with -fno-math-errno
}

double roundHalfEven(double x)
{
    const double ax = magnitude(x);
    if (!(ax < 0x1p52))
        return x; // whole already, infinite or NaN
    return withSignOf((ax + 0x1p52) - 0x1p52, x);
}

bool isInteger(double x)
{
    const double ax = magnitude(x);
    if (ax >= 0x1p52)
        return ax < kInfinity;
    return roundHalfEven(ax) == ax;
}

} // namespace engine::elementary
