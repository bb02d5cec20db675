// The engine's elementary functions: correctly rounded bits where C libraries differ, and the special cases.
#include "engine/elementary.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

namespace el = engine::elementary;
using Function = double (*)(double, double);

using Limits = std::numeric_limits<double>;
constexpr double kInf = Limits::infinity(), kNaN = Limits::quiet_NaN(), kMax = Limits::max();
constexpr double kTiny = Limits::denorm_min(), kPi = 0x1.921fb54442d18p+1, kHalfPi = kPi / 2;
// Of all doubles the nearest to a multiple of pi/2: its reduction keeps 61 bits fewer than it reads.
constexpr double kNearestToRightAngle = 0x1.6ac5b262ca1ffp+849;

template <auto F> double unary(double x, double) { return F(x); }
constexpr Function kSin = unary<el::sin>, kCos = unary<el::cos>, kTan = unary<el::tan>, kLog = unary<el::log>;
constexpr Function kPow = el::pow, kMod = el::fmod, kRound = unary<el::roundHalfEven>;
constexpr Function kIsInteger = unary<el::isInteger>, kSqrt = unary<el::sqrt>;

// clang-format off
// expected: the correctly rounded double (3000-bit arithmetic). The first rows are where the Windows build's
// C library once gave a display other than Linux's.
struct Row { const char* name; Function f; double x, y, expected; };
const Row kRows[] = {
    {"Sin1E22", kSin, 1e22, 0, -0x1.b453ab76bf397p-1}, {"Cos1E22", kCos, 1e22, 0, 0x1.0be2cef01c8f4p-1},
    {"Tan1E22", kTan, 1e22, 0, -0x1.a0f79c1b6b257p+0}, {"Sin1E19", kSin, 1e19, 0, -0x1.daa805f702a5cp-1},
    {"Cos1E17", kCos, 1e17, 0, -0x1.c567c5278afcbp-1}, {"Sin1E15", kSin, 1e15, 0, 0x1.b76f88136cebap-1},
    {"TanOfLargestSingleText", kTan, 3.4028235e38, 0, 0x1.39d7a6d97c0bap-1},
    // reduction near multiples of pi/2 and at the ends of the range
    {"SinOfPi", kSin, kPi, 0, 0x1.1a62633145c07p-53}, {"CosHalfPi", kCos, kHalfPi, 0, 0x1.1a62633145c07p-54},
    {"TanOfHalfPi", kTan, kHalfPi, 0, 0x1.d02967c31cdb5p+53},
    {"CosNearestToRightAngle", kCos, kNearestToRightAngle, 0, -0x1.14ae72e6ba22fp-61},
    {"TanNearestToRightAngle", kTan, kNearestToRightAngle, 0, -0x1.d9ba9a7975636p+60},
    {"CosOfLargestDouble", kCos, -kMax, 0, -0x1.fffe62ecfab75p-1},
    {"SinOfLargestDouble", kSin, kMax, 0, 0x1.452fc98b34e97p-8},
    {"CosWhereGlibcIsAnUlpOff", kCos, 0x1.93e99b401de08p+607, 0, -0x1.267ee1e8df703p-3},
    {"SinOfMinusZero", kSin, -0.0, 0, -0.0}, {"TanOfSubnormal", kTan, -kTiny, 0, -kTiny},
    {"CosOfSubnormal", kCos, kTiny, 0, 1}, {"SinOfInfinity", kSin, -kInf, 0, kNaN},
    {"CosOfNaN", kCos, kNaN, 0, kNaN}, {"TanOfInfinity", kTan, kInf, 0, kNaN},
    // logarithms
    {"LogOfOne", kLog, 1, 0, 0}, {"LogOf10", kLog, 10, 0, 0x1.26bb1bbb55516p+1},
    {"LogNear1", kLog, 1.0000001, 0, 0x1.ad7f2847b6492p-24}, {"LogMax", kLog, kMax, 0, 0x1.62e42fefa39efp+9},
    {"LogOfSmallestSubnormal", kLog, kTiny, 0, -0x1.74385446d71c3p+9}, {"LogOfInf", kLog, kInf, 0, kInf},
    {"LogWhereGlibcIsAnUlpOff", kLog, 0x1.6a84610718436p+3, 0, 0x1.36b2f02897a50p+1},
    {"LogOfMinusZero", kLog, -0.0, 0, -kInf}, {"LogOfNegative", kLog, -1, 0, kNaN},
    // powers: exact results, an exact tie of doubles and one of subnormals, the ends of the range
    {"Power1_1To100", kPow, 1.1, 100, 0x1.aea4e6126bb95p+13}, {"TenToMinus2", kPow, 10, -2, 0.01},
    {"HalfToMinus1", kPow, 0.5, -1, 2}, {"MinusTwoCubed", kPow, -2, 3, -8}, {"Overflow", kPow, 2, 1024, kInf},
    {"ExactTieToEven", kPow, 208067, 3, 0x1.0002feaf4642ep+53},
    {"SubnormalTieToEven", kPow, 0x3p-43, 25, 0x0.00062a32b1552p-1022},
    {"SmallestSubnormal", kPow, 0.5, 1074, kTiny}, {"HalfOfSmallestToEven", kPow, 0.5, 1075, 0},
    // powers: the special cases
    {"NegativeBaseFraction", kPow, -8, 1 / 3., kNaN}, {"NaNToZero", kPow, kNaN, -0.0, 1},
    {"OneToNaN", kPow, 1, kNaN, 1}, {"NaNToOne", kPow, kNaN, 1, kNaN}, {"MinusOneToInf", kPow, -1, -kInf, 1},
    {"MinusOneToHugeEven", kPow, -1, 0x1p60, 1}, {"MinusZeroToMinusOdd", kPow, -0.0, -3, -kInf},
    {"MinusZeroToMinusEven", kPow, -0.0, -2, kInf}, {"MinusZeroToOdd", kPow, -0.0, 3, -0.0},
    {"ZeroToMinusInfinity", kPow, 0, -kInf, kInf}, {"HalfToInfinity", kPow, 0.5, kInf, 0},
    {"MinusTwoToMinusInfinity", kPow, -2, -kInf, 0}, {"MinusInfinityToOdd", kPow, -kInf, 3, -kInf},
    {"MinusInfinityToMinusOdd", kPow, -kInf, -3, -0.0}, {"MinusInfinityToHalf", kPow, -kInf, 0.5, kInf},
    // remainders, exact however far apart the exponents
    {"FmodOf1E22By360", kMod, 1e22, 360, 280}, {"FmodOfLargestBy3", kMod, kMax, 3, 2},
    {"FmodAcrossTheRange", kMod, 0x1p1023, 0x3p-1074, 0x2p-1074}, {"FmodKeepsSign", kMod, -7.5, 2, -1.5},
    {"FmodOf1E300ByTenth", kMod, 1e300, 0.1, 0x1.d66e81bc378p-14}, {"FmodOfMinusZero", kMod, -0.0, 1, -0.0},
    {"FmodByInfinity", kMod, 3, kInf, 3}, {"FmodByZero", kMod, 1, 0, kNaN}, {"FmodInf", kMod, kInf, 1, kNaN},
    // rounding to whole numbers
    {"TieDown", kRound, 2.5, 0, 2}, {"TieUp", kRound, -3.5, 0, -4}, {"MinusZeroKept", kRound, -0.3, 0, -0.0},
    {"BelowHalf", kRound, 0.49999999999999994, 0, 0}, {"LargeOddKept", kRound, 0x1p52 + 1, 0, 0x1p52 + 1},
    {"WholeBeyond2To53", kIsInteger, 0x1p60, 0, 1}, {"HalfNotWhole", kIsInteger, 0x1p51 + 0.5, 0, 0},
    {"InfinityNotWhole", kIsInteger, kInf, 0, 0}, {"SqrtOf2", kSqrt, 2, 0, 0x1.6a09e667f3bcdp+0}};
// clang-format on

class Elementary : public testing::TestWithParam<Row> {};

TEST_P(Elementary, GivesTheCorrectlyRoundedBits)
{
    const Row& row = GetParam();
    const double value = row.f(row.x, row.y);
    const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
    EXPECT_TRUE(std::isnan(row.expected) ? std::isnan(value) : bits(value) == bits(row.expected))
        << std::hexfloat << value << " for " << row.expected;
}

INSTANTIATE_TEST_SUITE_P(Elementary, Elementary, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
