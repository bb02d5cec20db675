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
using Limits = std::numeric_limits<float>;

constexpr float kInfF = Limits::infinity();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr float kNaNF = Limits::quiet_NaN();

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

// Equal, any NaN alike.
bool same(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// ---- Single -> text -------------------------------------------------------------------------------------

struct TextRow {
    const char* name;
    float value;
    const char *single, *result; // singleText, resultText
};

class NumberText : public testing::TestWithParam<TextRow> {};

TEST_P(NumberText, WritesSevenDigits)
{
    EXPECT_EQ(singleText(GetParam().value), GetParam().single);
    EXPECT_EQ(resultText(GetParam().value), GetParam().result);
}

// clang-format off
const TextRow kTexts[] = {
    // 7 digits positional, 8 digits exponent form
    {"SevenDigits", 1234567, "1234567", " 1234567"}, {"Million", 1000000, "1000000", " 1000000"},
    {"TenMillion", 10000000, "1E+07", " 1E+07"},
    {"EightDigitsRounded", 12345678, "1.234568E+07", " 1.234568E+07"},
    {"Fraction", 123.4567f, "123.4567", " 123.4567"}, {"SinThirtyOld", 0.4997701f, "0.4997701", " .4997701"},
    {"Thousandth", 0.001f, "0.001", " .001"},
    // below 1: the zeros after the point count towards the 7 digits
    {"TenToMinusSeven", 1e-7f, "0.0000001", " .0000001"},
    {"TwoDigitsAtMinusSix", 1.2e-6f, "0.0000012", " .0000012"},
    {"TwoDigitsAtMinusSeven", 1.2e-7f, "1.2E-07", " 1.2E-07"},
    {"CosNinetyOld", 0.0007963267f, "7.963267E-04", " 7.963267E-04"},
    {"SinOneDegreeOld", 0.01744356f, "1.744356E-02", " 1.744356E-02"},
    // ties of the 7-digit rounding go to the even digit (all values exact Singles)
    {"TieDownToEven", 12345665, "1.234566E+07", " 1.234566E+07"},
    {"TieUpToEven", 12345675, "1.234568E+07", " 1.234568E+07"},
    {"PositionalTieDown", 1234566.5f, "1234566", " 1234566"},
    {"PositionalTieUp", 1234567.5f, "1234568", " 1234568"},
    {"RoundingCarries", 0.01f, "0.01", " .01"}, // the Single is 0.0099999998
    // range ends
    {"LargestSingle", Limits::max(), "3.402823E+38", " 3.402823E+38"},
    {"NegativeLargest", -Limits::max(), "-3.402823E+38", "-3.402823E+38"},
    {"SmallestSingle", Limits::denorm_min(), "1.401298E-45", " 1.401298E-45"},
    {"SmallestNormal", Limits::min(), "1.175494E-38", " 1.175494E-38"},
    // signs, zeros, non-finite values
    {"MinusHalf", -0.5f, "-0.5", "-.5"}, {"Zero", 0.0f, "0", " 0"}, {"NegativeZero", -0.0f, "0", " 0"},
    {"Infinity", kInfF, "Infinity", " Infinity"}, {"MinusInfinity", -kInfF, "-Infinity", "-Infinity"},
    {"NaN", Limits::quiet_NaN(), "NaN", " NaN"}, {"NegativeNaN", -Limits::quiet_NaN(), "NaN", " NaN"}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Numtext, NumberText, testing::ValuesIn(kTexts),
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
    EXPECT_PRED2(same, textToNumber(GetParam().text), GetParam().value);
}

const std::string kLongZeros(800, '0');

// clang-format off
const ReadRow kReads[] = {
    {"Empty", "", 0}, {"Point", ".", 0}, {"Sign", "-", 0}, {"DivideMessage", "Cannot divide by 0", 0},
    {"InvalidMessage", "Invalid input for function", 0}, {"SignedMessage", "-Invalid input for function", 0},
    {"ResultBlank", " 5", 5}, {"BlankAfterSign", "- 5", -5}, {"Plus", "+7", 7},
    {"BlanksAnywhere", "1 2 . 5", 12.5}, {"BlankInExponent", "1 E 2", 100}, {"SignedLoneZero", "-05", -5},
    {"LeadingPoint", ".5", 0.5}, {"TrailingPoint", "5.", 5}, {"StopsAtLetter", "12abc", 12},
    {"StopsAtSecondPoint", "1.5.3", 1.5}, {"StopsAtComma", "1,5", 1}, {"StopsAtSign", "5-3", 5},
    {"Exponent", "1.5E+3", 1500}, {"LowerExponent", "2e-2", 0.02}, {"ExponentWithoutDigits", "1e", 1},
    {"ExponentSignOnly", "1E+", 1}, {"ExponentThenLetter", "2E-x", 2},
    {"ShownSmallResult", "- 1.5E-07", -1.5e-7}, {"Infinity", " Infinity", kInf},
    {"MinusInfinity", "-Infinity", -kInf}, {"MinusBlankInfinity", "- Infinity", -kInf},
    {"NaN", " NaN", std::nan("")}, {"BeyondDouble", "1e309", kInf},
    {"BeyondDoubleNegative", "-2E+400", -kInf}, {"HugeExponent", "1e99999999999999999999", kInf},
    {"BelowDouble", "1e-400", 0}, {"SmallestDouble", "5e-324", std::numeric_limits<double>::denorm_min()},
    {"ZeroHugeExponent", "0e99999", 0}, {"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
    {"LongDigitRun", "1" + std::string(400, '0'), kInf},
    {"ExactDecimalOfTenth", "0.1000000000000000055511151231257827021181583404541015625", 0.1},
    // 2^53 + 1 lies halfway between two Doubles: the even one, unless a far digit breaks the tie
    {"TieToEven", "9007199254740993." + kLongZeros, 9007199254740992.0},
    {"FarDigitBreaksTie", "9007199254740993." + kLongZeros + "1", 9007199254740994.0}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Numtext, LenientRead, testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- strict reading -------------------------------------------------------------------------------------

TEST(StrictRead, AcceptsOneNumberWithBlanksAroundAndAfterSign)
{
    // clang-format off
    const std::pair<const char*, float> singles[] = {
        {"  5  ", 5}, {" 5", 5}, {"- 5", -5}, {"+5", 5}, {"1.5E+3", 1500}, {".5", 0.5f}, {"-0", -0.0f},
        {"Infinity", kInfF}, {"-Infinity", -kInfF}, {" NaN", Limits::quiet_NaN()},
        {"1e-50", 0}, // underflow is no error
        {"3.4028235e38", Limits::max()}, // rounds down to the largest
        {"1.401298E-45", Limits::denorm_min()}, {"1.17549435E-38", Limits::min()},
        {"2.8E-45", 2 * Limits::denorm_min()},
        // Just above the tie between 1 and the next Single: rounded directly, not via the nearest Double
        // (the tie itself, which would go to even, 1).
        {"1.00000005960464477539062501", std::nextafter(1.0f, 2.0f)}, {"1.000000059604644775390625", 1}};
    // clang-format on
    for (const auto& [text, value] : singles)
        EXPECT_PRED2(same, textToSingle(text), value) << '"' << text << '"';
    EXPECT_TRUE(std::signbit(textToSingle("-0")));
    EXPECT_EQ(textToDouble("16777216.5"), 16777216.5);
    EXPECT_EQ(textToDouble("- Infinity"), -kInf);
    EXPECT_EQ(textToDouble("1e39"), 1e39);
}

// Found by fuzzing: subnormals hold fewer than 7 digits, so a shown text can read back to a neighbour.
TEST(StrictRead, SubnormalTextReadsBackToTheNearestSingle)
{
    const float shown = std::ldexp(7136239.0f, -149); // 1.00000008E-38
    EXPECT_EQ(singleText(shown), "1E-38");
    EXPECT_EQ(textToSingle("1E-38"), std::ldexp(7136238.0f, -149));
    EXPECT_EQ(singleText(textToSingle("1E-38")), "9.999999E-39");
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
    for (const char* text : {"3.4028236e38", "-3.5E+38", "1e39", "1e309", "1e99999999999"})
        EXPECT_EQ(errorOf([&] { textToSingle(text); }), kOverflow) << text;
    for (const char* text : {"1.8e308", "-1e400"})
        EXPECT_EQ(errorOf([&] { textToDouble(text); }), kOverflow) << text;
}

// ---- integer rounding -----------------------------------------------------------------------------------

TEST(RoundToInteger, TiesGoToEven)
{
    const std::pair<double, int> cases[] = {{0.5, 0},    {1.5, 2},          {2.5, 2},          {3.5, 4},
                                            {-0.5, 0},   {-1.5, -2},        {-2.5, -2},        {34.5, 34},
                                            {2.4999, 2}, {32767.49, 32767}, {-32768.5, -32768}};
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
    EXPECT_EQ(status.store(1e-50), 0.0f);                      // underflow
    EXPECT_EQ(status.store(status.divide(1, 3)), 1.0f / 3.0f); // inexact
    EXPECT_EQ(status.store(kInf), kInfF);                      // an infinity stored is no overflow
    EXPECT_EQ(status.store(status.add(kInf, 1)), kInfF);       // nor is arithmetic on one
    EXPECT_EQ(status.store(status.divide(kInf, 0)), kInfF);    // infinity / 0 is no division by zero
    EXPECT_EQ(errorOf([&] { status.test(); }), 0);
}

TEST(FloatStatus, StoreKeepsTheValueAndTestRaisesTheFlaggedError)
{
    const struct {
        const char* name;
        float stored;
        int error;
        std::function<float(FloatStatus&)> body;
    } cases[] = {
        {"divide by zero", -kInfF, kDivisionByZero, [](auto& s) { return s.store(s.divide(-1, 0)); }},
        {"inf - inf", kNaNF, kOverflow, [](auto& s) { return s.store(s.subtract(kInf, kInf)); }},
        {"0 * inf", kNaNF, kOverflow, [](auto& s) { return s.store(s.multiply(0, kInf)); }},
        {"0 / 0", kNaNF, kOverflow, [](auto& s) { return s.store(s.divide(0, 0)); }},
        {"inf / inf", kNaNF, kOverflow, [](auto& s) { return s.store(s.divide(kInf, -kInf)); }},
        {"store overflows", kInfF, kOverflow, [](auto& s) { return s.store(s.multiply(1e20, 1e20)); }},
        {"Double sum overflows", kInfF, kOverflow, [](auto& s) { return s.store(s.add(1.7e308, 1.7e308)); }},
        {"11 before 6", -kInfF, kDivisionByZero,
         [](auto& s) { return s.store(1e39), s.store(s.divide(-1, 0)); }},
    };
    for (const auto& c : cases) {
        FloatStatus status;
        EXPECT_PRED2(same, c.body(status), c.stored) << c.name;
        EXPECT_EQ(errorOf([&] { status.test(); }), c.error) << c.name;
    }
}

// ---- resume-next mode -----------------------------------------------------------------------------------

TEST(ResumeNext, GoesOnAfterAFailingStepAndKeepsTheLastNumber)
{
    ResumeNext resume;
    int ran = 0;
    resume.step([&] { ++ran; });
    EXPECT_EQ(resume.number(), 0);
    resume.step([&] { throw RuntimeError(kInvalidProcedureCall); });
    resume.step([&] { ++ran, throw RuntimeError(kDivisionByZero), ++ran; });
    resume.step([&] { ++ran; });
    EXPECT_EQ(ran, 3);
    EXPECT_EQ(resume.number(), kDivisionByZero);
}

} // namespace
