// Number <-> display text, strict and lenient reading, the float status test of a Double sum.
#include "numtext/float_status.h"
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

using namespace numtext;
using Limits = std::numeric_limits<float>;

constexpr float kInfF = Limits::infinity(), kNaNF = Limits::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The number of the run-time error that body raises, 0 when it raises none. The tests write the numbers out
// (6 overflow, 11 division by zero, 13 type mismatch): they are part of what the program shows.
template <class Body> int errorOf(Body body)
try { return body(), 0; } catch (const RuntimeError& error) { return error.number(); }

// Equal with the sign of a zero, any NaN alike.
const auto same = [](double a, double b) {
    return a == b ? std::signbit(a) == std::signbit(b) : std::isnan(a) && std::isnan(b);
};

// ---- Single -> text -------------------------------------------------------------------------------------

// clang-format off
// result: resultText, where it is not single after the reserved sign blank. Subnormals hold fewer than 7
// digits, so a shown text can read back to a neighbour: 1.00000008E-38 shows 1E-38, read as 9.999999E-39.
struct TextRow { const char *name; float value; const char *single, *result = nullptr; };
const TextRow kTexts[] = {
    // 7 digits positional, 8 digits exponent form; below 1 the zeros after the point count towards the 7
    {"Million", 1000000, "1000000"}, {"TenMillion", 10000000, "1E+07"}, {"Fraction", 123.4567f, "123.4567"},
    {"EightDigitsRounded", 12345678, "1.234568E+07"}, {"LeadingPoint", 0.4997701f, "0.4997701", " .4997701"},
    {"TwoDigitsAtMinusSeven", 1.2e-7f, "1.2E-07"}, {"TenToMinusSeven", 1e-7f, "0.0000001", " .0000001"},
    {"AtMinusSix", 1.2e-6f, "0.0000012", " .0000012"},
    // ties of the 7-digit rounding go to the even digit (exact Singles); 0.01 is the Single 0.0099999998
    {"TieDownToEven", 12345665, "1.234566E+07"}, {"TieUpToEven", 12345675, "1.234568E+07"},
    {"RoundingCarries", 0.01f, "0.01", " .01"}, {"LargestSingle", Limits::max(), "3.402823E+38"},
    {"SmallestSingle", Limits::denorm_min(), "1.401298E-45"}, {"MinusHalf", -0.5f, "-0.5", "-.5"},
    {"SubnormalShort", std::ldexp(7136239.0f, -149), "1E-38"},
    {"SubnormalBelow", std::ldexp(7136238.0f, -149), "9.999999E-39"}, {"Zero", 0.0f, "0"},
    {"NegativeZero", -0.0f, "0"}, {"Infinity", kInfF, "Infinity"}, {"NaN", kNaNF, "NaN"},
    {"MinusInfinity", -kInfF, "-Infinity", "-Infinity"}, {"NegativeNaN", -kNaNF, "NaN"}};
// clang-format on

class NumberText : public testing::TestWithParam<TextRow> {};

TEST_P(NumberText, WritesSevenDigits)
{
    const TextRow& row = GetParam();
    EXPECT_EQ(singleText(row.value), row.single);
    EXPECT_EQ(resultText(row.value), row.result ? row.result : " " + std::string(row.single));
}

const auto byName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Numtext, NumberText, testing::ValuesIn(kTexts), byName);

// ---- reading --------------------------------------------------------------------------------------------

// What the strict readers make of a text: the number, or error 13 from both, or error 6 from one or both.
enum Strict { Number, NotANumber, BeyondSingle, BeyondDouble };

const std::string kLongZeros(800, '0');
const double kAboveOne = 1 + std::ldexp(1.0, -24); // halfway between 1 and the next Single

// clang-format off
struct ReadRow { const char* name; std::string text; double lenient; Strict strict = Number;
                 std::optional<float> single = {}; }; // single: where not the lenient value rounded to Single
const ReadRow kReads[] = {
    {"Empty", "", 0, NotANumber}, {"Point", ".", 0, NotANumber}, {"Sign", "-", 0, NotANumber},
    {"DoubleSign", "--5", 0, NotANumber}, {"Message", "-Invalid input for function", 0, NotANumber},
    {"BlanksAround", "  5  ", 5}, {"BlankAfterSign", "- 5", -5}, {"Plus", "+5", 5}, {"MinusZero", "-0", -0.0},
    {"BlanksInside", "1 2 . 5", 12.5, NotANumber}, {"BlankInExponent", "1 E 2", 100, NotANumber},
    {"SignedLoneZero", "-05", -5}, {"LeadingPoint", ".5", 0.5}, {"TrailingPoint", "5.", 5},
    {"StopsAtLetter", "5a", 5, NotANumber}, {"StopsAtSecondPoint", "1.5.3", 1.5, NotANumber},
    {"Exponent", "1.5E+3", 1500}, {"LowerExponent", "2e-2", 0.02}, {"Infinity", "Infinity", kInf},
    {"ExponentWithoutDigits", "1e", 1, NotANumber}, {"ExponentSignOnly", "1E+", 1, NotANumber},
    {"MinusBlankInfinity", "- Infinity", -kInf}, {"InfinityThenMore", "Infinityx", kInf, NotANumber},
    {"NaN", " NaN", std::nan("")}, {"LowerCaseInfinity", "infinity", 0, NotANumber},
    // the Single range: underflow is no error; ties and subnormals rounded straight from the digits
    {"Underflow", "1e-50", 1e-50}, {"LargestSingle", "3.4028235e38", 3.4028235e38, Number, Limits::max()},
    {"BeyondSingle", "3.4028236e38", 3.4028236e38, BeyondSingle},
    {"NegativeBeyondSingle", "-1e39", -1e39, BeyondSingle},
    {"SmallestSingle", "1.401298E-45", 1.401298e-45, Number, Limits::denorm_min()},
    {"TwiceSmallest", "2.8E-45", 2.8e-45, Number, 2 * Limits::denorm_min()},
    {"SubnormalShort", "1E-38", 1e-38, Number, std::ldexp(7136238.0f, -149)},
    {"SingleTieToEven", "16777216.5", 16777216.5, Number, 16777216},
    {"TieBetweenSingles", "1.000000059604644775390625", kAboveOne, Number, 1},
    {"JustAboveTie", "1.00000005960464477539062501", kAboveOne, Number, std::nextafter(1.0f, 2.0f)},
    // the Double range
    {"BeyondDouble", "1e309", kInf, BeyondDouble}, {"LongDigitRun", "1" + kLongZeros, kInf, BeyondDouble},
    {"HugeExponent", "1e99999999999999999999", kInf, BeyondDouble}, {"ZeroHugeExponent", "0e99999", 0},
    {"BelowDouble", "1e-400", 0}, {"SmallestDouble", "5e-324", std::numeric_limits<double>::denorm_min()},
    {"LongFraction", "0." + kLongZeros + "1", 0},
    {"ShortDigitsTimesLargePower", "13133943305000000000000000", 0x1.5ba70fc88870bp+83}, // x87: one ulp up
    // 2^53 + 1 lies halfway between two Doubles: the even one, unless a far digit breaks the tie
    {"TieToEven", "9007199254740993." + kLongZeros, 9007199254740992.0},
    {"FarDigitBreaksTie", "9007199254740993." + kLongZeros + "1", 9007199254740994.0}};
// clang-format on

class Read : public testing::TestWithParam<ReadRow> {};

TEST_P(Read, LenientGivesNearestDoubleStrictTheWholeTextOrAnError)
{
    const ReadRow& row = GetParam();
    EXPECT_PRED2(same, textToNumber(row.text), row.lenient);
    const int singleError = row.strict == Number ? 0 : row.strict == NotANumber ? 13 : 6;
    const int doubleError = row.strict == BeyondSingle ? 0 : singleError;
    double single = 0, number = 0;
    EXPECT_EQ(errorOf([&] { single = textToSingle(row.text); }), singleError);
    EXPECT_EQ(errorOf([&] { number = textToDouble(row.text); }), doubleError);
    EXPECT_PRED2(same, single, singleError ? 0 : row.single.value_or(static_cast<float>(row.lenient)));
    EXPECT_PRED2(same, number, doubleError ? 0 : row.lenient);
}

INSTANTIATE_TEST_SUITE_P(Numtext, Read, testing::ValuesIn(kReads), byName);

// ---- float status test ----------------------------------------------------------------------------------

// The keys meet every other flag; only M+ adds a Double, whose sum may overflow before the store does.
TEST(FloatStatus, DoubleSumOverflowRaisesSix)
{
    FloatStatus status;
    status.store(status.add(1.7e308, 1.7e308));
    EXPECT_EQ(errorOf([&] { status.test(); }), 6);
}

} // namespace
