// Number <-> display text, strict and lenient reading, integer rounding, the float status test.
#include "numtext/float_status.h"
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

using namespace numtext;

constexpr float kInfF = std::numeric_limits<float>::infinity();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The number of the run-time error that body raises, 0 when it raises none.
int errorOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

// ---- Single -> text -------------------------------------------------------------------------------------

struct TextRow {
    const char* name;
    float value;
    const char* single; // singleText
    const char* result; // resultText
};

class NumberText : public testing::TestWithParam<TextRow> {};

TEST_P(NumberText, WritesSevenDigits)
{
    EXPECT_EQ(singleText(GetParam().value), GetParam().single);
    EXPECT_EQ(resultText(GetParam().value), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Numtext, NumberText,
    testing::Values(
        // 7 digits positional, 8 digits exponent form
        TextRow{"SevenDigits", 1234567, "1234567", " 1234567"},
        TextRow{"Million", 1000000, "1000000", " 1000000"},
        TextRow{"LargestPositional", 9999999, "9999999", " 9999999"},
        TextRow{"TenMillion", 10000000, "1E+07", " 1E+07"},
        TextRow{"EightDigitsRounded", 12345678, "1.234568E+07", " 1.234568E+07"},
        TextRow{"Fraction", 123.4567f, "123.4567", " 123.4567"},
        TextRow{"SinThirtyOld", 0.4997701f, "0.4997701", " .4997701"},
        TextRow{"Thousandth", 0.001f, "0.001", " .001"},
        // below 1: the zeros after the point count towards the 7 digits
        TextRow{"TenToMinusSeven", 1e-7f, "0.0000001", " .0000001"},
        TextRow{"TwoDigitsAtMinusSix", 1.2e-6f, "0.0000012", " .0000012"},
        TextRow{"TwoDigitsAtMinusSeven", 1.2e-7f, "1.2E-07", " 1.2E-07"},
        TextRow{"SevenDigitsAtMinusOne", 0.1234567f, "0.1234567", " .1234567"},
        TextRow{"SevenDigitsAtMinusTwo", 0.01234567f, "1.234567E-02", " 1.234567E-02"},
        TextRow{"CosNinetyOld", 0.0007963267f, "7.963267E-04", " 7.963267E-04"},
        TextRow{"SinOneDegreeOld", 0.01744356f, "1.744356E-02", " 1.744356E-02"},
        // ties of the 7-digit rounding go to the even digit (all values exact Singles)
        TextRow{"TieDownToEven", 12345665, "1.234566E+07", " 1.234566E+07"},
        TextRow{"TieUpToEven", 12345675, "1.234568E+07", " 1.234568E+07"},
        TextRow{"PositionalTieDown", 1234566.5f, "1234566", " 1234566"},
        TextRow{"PositionalTieUp", 1234567.5f, "1234568", " 1234568"},
        TextRow{"RoundingCarries", 0.01f, "0.01", " .01"}, // the Single is 0.0099999998
        TextRow{"Just1E7ByRounding", 16777215, "1.677722E+07", " 1.677722E+07"},
        // range ends
        TextRow{"LargestSingle", std::numeric_limits<float>::max(), "3.402823E+38", " 3.402823E+38"},
        TextRow{"SmallestSingle", std::numeric_limits<float>::denorm_min(), "1.401298E-45", " 1.401298E-45"},
        TextRow{"SmallestNormal", std::numeric_limits<float>::min(), "1.175494E-38", " 1.175494E-38"},
        TextRow{"NegativeLargest", -std::numeric_limits<float>::max(), "-3.402823E+38", "-3.402823E+38"},
        // signs, zeros, non-finite values
        TextRow{"Half", 0.5f, "0.5", " .5"},
        TextRow{"MinusHalf", -0.5f, "-0.5", "-.5"},
        TextRow{"MinusTwo", -2, "-2", "-2"},
        TextRow{"MinusSmall", -1.5e-7f, "-1.5E-07", "-1.5E-07"},
        TextRow{"Zero", 0.0f, "0", " 0"},
        TextRow{"NegativeZero", -0.0f, "0", " 0"},
        TextRow{"Infinity", kInfF, "Infinity", " Infinity"},
        TextRow{"MinusInfinity", -kInfF, "-Infinity", "-Infinity"},
        TextRow{"NaN", std::numeric_limits<float>::quiet_NaN(), "NaN", " NaN"},
        TextRow{"NegativeNaN", -std::numeric_limits<float>::quiet_NaN(), "NaN", " NaN"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- lenient reading ------------------------------------------------------------------------------------

struct ReadRow {
    const char* name;
    std::string text;
    double value;
};

class LenientRead : public testing::TestWithParam<ReadRow> {};

TEST_P(LenientRead, GivesNearestDouble)
{
    const double got = textToNumber(GetParam().text);
    if (std::isnan(GetParam().value))
        EXPECT_TRUE(std::isnan(got)) << got;
    else
        EXPECT_EQ(got, GetParam().value);
}

const std::string kLongZeros(800, '0');

INSTANTIATE_TEST_SUITE_P(
    Numtext, LenientRead,
    testing::Values(
        ReadRow{"Empty", "", 0}, ReadRow{"Word", "abc", 0}, ReadRow{"Point", ".", 0}, ReadRow{"Sign", "-", 0},
        ReadRow{"DivideMessage", "Cannot divide by 0", 0},
        ReadRow{"InvalidMessage", "Invalid input for function", 0},
        ReadRow{"SignedMessage", "-Invalid input for function", 0},
        ReadRow{"ResultBlank", " 5", 5}, ReadRow{"BlankAfterSign", "- 5", -5}, ReadRow{"Plus", "+7", 7},
        ReadRow{"BlanksAnywhere", "1 2 . 5", 12.5}, ReadRow{"BlankInExponent", "1 E 2", 100},
        ReadRow{"SignedLoneZero", "-05", -5}, ReadRow{"LeadingPoint", ".5", 0.5},
        ReadRow{"TrailingPoint", "5.", 5},
        ReadRow{"StopsAtLetter", "12abc", 12}, ReadRow{"StopsAtSecondPoint", "1.5.3", 1.5},
        ReadRow{"StopsAtComma", "1,5", 1}, ReadRow{"StopsAtSign", "5-3", 5},
        ReadRow{"Exponent", "1.5E+3", 1500}, ReadRow{"LowerExponent", "2e-2", 0.02},
        ReadRow{"ExponentWithoutDigits", "1e", 1}, ReadRow{"ExponentSignOnly", "1E+", 1},
        ReadRow{"ExponentThenLetter", "2E-x", 2}, ReadRow{"ShownSmallResult", "- 1.5E-07", -1.5e-7},
        ReadRow{"Infinity", " Infinity", kInf}, ReadRow{"MinusInfinity", "-Infinity", -kInf},
        ReadRow{"MinusBlankInfinity", "- Infinity", -kInf}, ReadRow{"NaN", " NaN", std::nan("")},
        ReadRow{"BeyondDouble", "1e309", kInf}, ReadRow{"BeyondDoubleNegative", "-2E+400", -kInf},
        ReadRow{"HugeExponent", "1e99999999999999999999", kInf}, ReadRow{"BelowDouble", "1e-400", 0},
        ReadRow{"SmallestDouble", "5e-324", std::numeric_limits<double>::denorm_min()},
        ReadRow{"ZeroHugeExponent", "0e99999", 0},
        ReadRow{"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
        ReadRow{"LongDigitRun", "1" + std::string(400, '0'), kInf},
        ReadRow{"ExactDecimalOfTenth", "0.1000000000000000055511151231257827021181583404541015625", 0.1},
        // 2^53 + 1 lies halfway between two Doubles: the even one, unless a far digit breaks the tie
        ReadRow{"TieToEven", "9007199254740993." + kLongZeros, 9007199254740992.0},
        ReadRow{"FarDigitBreaksTie", "9007199254740993." + kLongZeros + "1", 9007199254740994.0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- strict reading -------------------------------------------------------------------------------------

TEST(StrictRead, AcceptsOneNumberWithBlanksAroundAndAfterSign)
{
    EXPECT_EQ(textToSingle("5"), 5.0f);
    EXPECT_EQ(textToSingle("  5  "), 5.0f);
    EXPECT_EQ(textToSingle(" 5"), 5.0f); // a result as = writes it
    EXPECT_EQ(textToSingle("- 5"), -5.0f);
    EXPECT_EQ(textToSingle("+5"), 5.0f);
    EXPECT_EQ(textToSingle("1.5E+3"), 1500.0f);
    EXPECT_EQ(textToSingle(".5"), 0.5f);
    EXPECT_TRUE(std::signbit(textToSingle("-0")));
    EXPECT_EQ(textToSingle("Infinity"), kInfF);
    EXPECT_EQ(textToSingle("-Infinity"), -kInfF);
    EXPECT_TRUE(std::isnan(textToSingle(" NaN")));
    EXPECT_EQ(textToDouble("16777216.5"), 16777216.5);
    EXPECT_EQ(textToDouble("- Infinity"), -kInf);
    EXPECT_EQ(textToSingle("1e-50"), 0.0f); // underflow is no error
}

TEST(StrictRead, RaisesTypeMismatchForNonNumbers)
{
    for (const char* text : {"", " ", "abc", "5a", "1 2", "1e", "1E+", ".", "-", "--5", "5-", "1.2.3", "1,5",
                             "Cannot divide by 0", "Invalid input for function",
                             "-Invalid input for function", "Infinityx", "infinity"}) {
        EXPECT_EQ(errorOf([&] { textToSingle(text); }), kTypeMismatch) << '"' << text << '"';
        EXPECT_EQ(errorOf([&] { textToDouble(text); }), kTypeMismatch) << '"' << text << '"';
    }
}

TEST(StrictRead, RaisesOverflowBeyondTheTypesRange)
{
    EXPECT_EQ(textToSingle("3.4028235e38"), std::numeric_limits<float>::max()); // rounds down to the largest
    for (const char* text : {"3.4028236e38", "-3.5E+38", "1e39", "1e309", "1e99999999999"})
        EXPECT_EQ(errorOf([&] { textToSingle(text); }), kOverflow) << text;
    EXPECT_EQ(textToDouble("1e39"), 1e39);
    EXPECT_EQ(errorOf([&] { textToDouble("1.8e308"); }), kOverflow);
    EXPECT_EQ(errorOf([&] { textToDouble("-1e400"); }), kOverflow);
}

TEST(StrictRead, ReadsSubnormalSingles)
{
    EXPECT_EQ(textToSingle("1.401298E-45"), std::numeric_limits<float>::denorm_min());
    EXPECT_EQ(textToSingle("1.17549435E-38"), std::numeric_limits<float>::min());
    EXPECT_EQ(textToSingle("2.8E-45"), 2 * std::numeric_limits<float>::denorm_min());
}

TEST(StrictRead, RoundsTheDecimalDirectlyToSingle)
{
    // Just above the tie between 1 and the next Single; via the nearest Double (the tie itself) it would
    // round to even, 1.
    EXPECT_EQ(textToSingle("1.00000005960464477539062501"), std::nextafter(1.0f, 2.0f));
    EXPECT_EQ(textToSingle("1.000000059604644775390625"), 1.0f); // the exact tie goes to even
}

// ---- integer rounding -----------------------------------------------------------------------------------

TEST(RoundToInteger, TiesGoToEven)
{
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},     {2.5, 2},         {3.5, 4},
                                            {-0.5, 0},  {-1.5, -2},   {-2.5, -2},       {34.5, 34},
                                            {2.4999, 2}, {32767, 32767}, {32767.49, 32767}, {-32768, -32768},
                                            {-32768.5, -32768}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundToInteger(value), expected) << value;
}

TEST(RoundToInteger, RaisesOverflowOutsideSixteenBits)
{
    for (double value : {32767.5, 32768.0, -32768.51, -32769.0, 1e10, kInf, -kInf, std::nan("")})
        EXPECT_EQ(errorOf([&] { roundToInteger(value); }), kOverflow) << value;
}

// ---- float status test ----------------------------------------------------------------------------------

TEST(FloatStatus, NothingFlaggedRaisesNothing)
{
    FloatStatus status;
    EXPECT_EQ(status.store(status.add(1, 2)), 3.0f);
    EXPECT_EQ(status.store(1e-50), 0.0f);                       // underflow
    EXPECT_EQ(status.store(status.divide(1, 3)), 1.0f / 3.0f);  // inexact
    EXPECT_EQ(status.store(kInf), kInfF);                       // an infinity stored is no overflow
    EXPECT_EQ(status.store(status.add(kInf, 1)), kInfF);        // nor is arithmetic on one
    EXPECT_EQ(status.store(status.divide(kInf, 0)), kInfF);     // infinity / 0 is no division by zero
    EXPECT_EQ(errorOf([&] { status.test(); }), 0);
}

TEST(FloatStatus, RaisesTheFlaggedError)
{
    const std::pair<const char*, std::function<void(FloatStatus&)>> cases[] = {
        {"divide by zero", [](FloatStatus& s) { s.store(s.divide(1, 0)); }},
        {"inf - inf", [](FloatStatus& s) { s.store(s.subtract(kInf, kInf)); }},
        {"0 * inf", [](FloatStatus& s) { s.store(s.multiply(0, kInf)); }},
        {"0 / 0", [](FloatStatus& s) { s.store(s.divide(0, 0)); }},
        {"inf / inf", [](FloatStatus& s) { s.store(s.divide(kInf, -kInf)); }},
        {"store overflows", [](FloatStatus& s) { s.store(s.multiply(1e20, 1e20)); }},
        {"Double sum overflows", [](FloatStatus& s) { s.store(s.add(1.7e308, 1.7e308)); }},
        {"11 before 6", [](FloatStatus& s) { s.store(1e39), s.store(s.divide(-1, 0)); }},
    };
    const int expected[] = {kDivisionByZero, kOverflow, kOverflow, kOverflow, kOverflow, kOverflow, kOverflow,
                            kDivisionByZero};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        FloatStatus status;
        cases[i].second(status);
        EXPECT_EQ(errorOf([&] { status.test(); }), expected[i]) << cases[i].first;
    }
}

TEST(FloatStatus, StoreKeepsTheValueBeforeTheTest)
{
    FloatStatus status;
    EXPECT_EQ(status.store(status.divide(-1, 0)), -kInfF);
    EXPECT_EQ(status.store(3.5e38), kInfF);
    EXPECT_TRUE(std::isnan(status.store(status.divide(0, 0))));
}

// ---- resume-next mode -----------------------------------------------------------------------------------

TEST(ResumeNext, GoesOnAfterAFailingStepAndKeepsTheLastNumber)
{
    ResumeNext resume;
    int ran = 0;
    EXPECT_EQ(resume.number(), 0);
    resume.step([&] { ++ran; });
    EXPECT_EQ(resume.number(), 0);
    resume.step([&] { throw RuntimeError(kInvalidProcedureCall); });
    resume.step([&] { ++ran, throw RuntimeError(kDivisionByZero), ++ran; });
    resume.step([&] { ++ran; });
    EXPECT_EQ(ran, 3);
    EXPECT_EQ(resume.number(), kDivisionByZero);
}

} // namespace
