// Key sequences on the calculator engine: the display after the last key and, where it matters, the state.
#include "fake_display.h"

#include <gtest/gtest.h>

#include <array>
#include <iomanip>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kDiv0 = "Cannot divide by 0";
constexpr const char* kInvalid = "Invalid input for function";
// Typed as digit runs: the largest of them lies beyond the Single range.
const std::string k1E20 = "1" + std::string(20, '0'), k3E38 = "3" + std::string(38, '0');
const std::string k1E39 = "1" + std::string(39, '0');
// A display of 100 000 digits, as if typed.
const std::string kNines(100'000, '9'), kZeros(100'000, '0');

// state: the fields to check, as "r=120 op= new=1" (r, o1, o2 the Singles, m the memory, new blnNewEntry).
struct Row {
    std::string name, keys, display, state = "";
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

std::string stateText(const engine::CalculatorState& s)
{
    std::ostringstream out;
    out << std::setprecision(9) << " r=" << s.sngResult << " o1=" << s.sngOperand1 << " o2=" << s.sngOperand2
        << " m=" << s.sngMemory << " op=" << s.strOperator << " new=" << s.blnNewEntry << ' ';
    return out.str();
}

class Keys : public testing::TestWithParam<Row> {};

TEST_P(Keys, Sequence)
{
    const Row& row = GetParam();
    testing_support::Keypad pad;
    const std::string keys = row.keys.substr(0, 60);
    std::string shown;
    ASSERT_NO_THROW(shown = pad.type(row.keys)) << keys;
    EXPECT_EQ(shown, row.display) << keys;
    const std::string state = stateText(pad.calc.state());
    std::istringstream fields(row.state);
    for (std::string field; fields >> field;)
        EXPECT_TRUE(state.find(" " + field + " ") != std::string::npos)
            << keys << ": " << field << ", not" << state;
    EXPECT_EQ(pad.type("C 2 + 3 ="), " 5") << "the calculator no longer computes after " << keys;
}

// clang-format off
const Row kRows[] = {
    // ---- entry: digits, point, sign, CE, C, pi
    {"FormLoad", "", "0", "r=0 o1=0 o2=0 m=0 op= new=0"}, {"LoneZeroReplacedOthersKept", "0 0 7 0", "70"},
    {"PointOnce", ". 5 .", "0.5", "new=0"}, {"PointAfterResult", "2 + 3 = .", "0."},
    {"LongEntryRead", "12345678901234567890 =", " 1.234568E+19"}, {"DigitAfterMinusZero", "+/- 5", "-05"},
    {"SignToggles", "5 +/-", "-5"}, {"SignTogglesBack", "5 +/- +/-", "5"},
    {"SignOnResult", "2 + 3 = +/-", "- 5", "new=0"}, {"SignOnResultBack", "2 + 3 = +/- +/-", " 5"},
    {"SignOnNegativeExponentBack", "0.00000015 = +/- +/-", " 1.5E-07"},
    {"SignLeavesMessage", "5 / 0 = +/-", kDiv0, "new=1"}, {"ClearEntry", "2 + 5 CE", "0", "op=+ new=1"},
    {"Clear", "2 + 3 CE 4 = C", "0", "r=0 o1=0 o2=0 op= new=1"},
    {"DigitExtendsPi", "pi 2", "3.141592"}, {"DigitReplacesPiAfterOperator", "+ pi 2", "2"},
    // ---- the chain, strictly left to right, and =
    {"OperatorCompletesPending", "2 + 3 *", " 5", "o1=5 o2=3 r=5 op=*"},
    {"NoPrecedence", "2 + 3 * 4 =", " 20", "o1=5 o2=4 r=20 op= new=1"},
    {"ContinuesFromResult", "7 - 9 = + 1 =", "-1", "o1=-2 o2=1 r=-1"},
    {"ChainCarriesTheSingle", "1 / 3 * 3 =", " 1", "o1=0.333333343 r=1"},
    {"EqualsReadsTheShownDigits", "1 / 3 = * 3 =", " .9999999", "o1=0.333333313 r=0.99999994"},
    {"DisplayIsRightOperand", "2 + =", " 4"}, {"PowersChain", "2 Xy 3 Xy 2 =", " 64"},
    {"SingleTieToEven", "16777216 + 1 =", " 1.677722E+07", "r=16777216"},
    {"EqualsAloneShowsTyped", "7 =", " 7", "r=7 op= new=1"},
    {"EqualsAfterResultShowsTyped", "2 + 3 = 7 =", " 7"}, {"EqualsTwice", "2 + 3 = =", " 5"},
    {"EqualsOnMessage", "5 / 0 = =", " 0"},
    {"NegativeBaseWholeExponent", "2 +/- Xy 3 =", "-8"}, {"PowerBeyondDouble", "10 Xy 400 =", " Infinity"},
    {"ZeroToNegativePower", "0 Xy 2 +/- =", " Infinity"},
    {"MinusZeroToNegativeOddPower", "+/- Xy 3 +/- =", "-Infinity"},
    {"LongEntryIsInfinity", "'" + kNines + " =", " Infinity"},
    {"LongFractionIsZero", "'0." + kZeros + "1 =", " 0"},
    {"LongMantissaMatchingExponent", "'1" + kZeros + "E-100000 =", " 1"},
    // ---- failures under = and under an operator key
    {"DivideByZero", "5 / 0 =", kDiv0, "r=inf o1=5 op= new=1"},
    {"DivideByZeroAtOperator", "5 / 0 +", kDiv0, "r=inf op= new=1"},
    {"NumberAfterFailedOperator", "5 / 0 + 3 =", " 3"},
    {"ZeroByZeroAtOperator", "0 / 0 *", " NaN", "op= new=1"},
    {"OverflowAtOperator", k1E20 + " * " + k1E20 + " -", " Infinity", "op= new=1"},
    {"BeyondSingleOperandAtOperator", "1 + " + k1E39 + " *", " Infinity", "op="},
    {"InfinityByZeroNoMessage", "0 1/x / 0 =", " Infinity"},
    {"NegativeBaseFraction", "5 n! 8 +/- Xy .5 =", kInvalid, "r=120 op= new=1"},
    {"NegativeBaseFractionAtOperator", "5 n! 8 +/- Xy .5 +", kInvalid, "r=120 op= new=1"},
    // ---- functions (see also the argument table below) and factorial
    {"Sqrt", "9 sqrt", " 3", "r=3 o1=9 new=1"}, {"LogZeroKeepsResult", "5 n! 0 log", kInvalid, "r=120 new=1"},
    {"SqrtNegativeKeepsResult", "5 n! 4 +/- sqrt", kInvalid, "r=120 o1=-4"},
    {"SqrtUnderPending", "2 + 9 sqrt =", " 12"}, {"FailedFunctionUnderPending", "2 + 4 +/- sqrt =", "-4"},
    {"FactorialZero", "0 n!", " 1"}, {"FactorialTen", "10 n!", " 3628800"},
    {"FactorialHalfDown", "2.5 n!", " 2"}, {"FactorialHalfUp", "3.5 n!", " 24"},
    {"Factorial24", "24 n!", " 6.204485E+23"},
    {"Factorial34", "34 n!", " 2.952328E+38"}, {"Factorial35", "35 n!", " Infinity", "r=inf new=1"},
    {"FactorialBeyond16Bits", "40000 n!", " Infinity"}, {"FactorialBeyondSingle", k1E39 + " n!", " Infinity"},
    {"FactorialNegative", "5 n! .4 +/- n!", kInvalid, "r=120 new=1"},
    {"FactorialNaN", "5 n! 'NaN n!", kInvalid, "r=120"},
    // ---- trigonometry beyond the angle table below
    {"Tan90KeepsResult", "5 n! 90 tan", kInvalid, "r=120 new=1"},
    {"TrigResultAsRightOperand", "2 + 30 sin =", " 2.5"},
    {"ModeKeysKeepEntry", "12 RAD 3 DEG 4", "1234", "new=0"},
    // ---- memory
    {"FullMemoryIgnoresMAndSurvivesClear", "12.5 M C 7 M MR", "12.5", "m=12.5"},
    {"StoreAfterMC", "7 M MC 12 M", "12", "m=12"}, {"AddTwice", "C 5 M+ M+", "5", "m=10"},
    {"StoreAfterSumToZero", "5 M C 5 +/- M+ M", "-5", "m=-5"},
    {"AddsDisplayUnrounded", "1 M C 16777216.5 M+ MR", "1.677722E+07", "m=16777218"},
    {"ClearMemoryKeepsPending", "C 2 + 3 MC =", " 2", "m=0"},
    {"MemoryKeysKeepEntry", "2 + 3 M+ MR", "3", "r=0 o1=2 op=+ new=0 m=3"},
    {"MinusZeroIsEmpty", "+/- M C 7 M", "7", "m=7"},
    // error paths change nothing
    {"MOnMessage", "5 / 0 = M", kDiv0, "new=1 m=0"}, {"MBeyondSingle", k1E39 + " M", k1E39, "m=0"},
    {"MOnMalformedText", "'1_2 M", "1 2", "m=0"}, {"MPlusOnMessage", "3 M 5 / 0 = M+", kDiv0, "m=3"},
    {"MPlusBeyondSingle", "3 M C " + k1E39 + " M+", k1E39, "m=3"},
    {"MPlusBeyondDouble", "3 M '1E+400 M+", "1E+400", "m=3"},
    {"MPlusSumOverflows", k3E38 + " M M+", k3E38, "m=3.00000001e+38"},
    {"MPlusOnInfinityKeepsMemory", "3 M C 0 1/x M+", " Infinity", "m=3"},
    {"MPlusOnNaNKeepsMemory", "3 M C 0 / 0 = M+", " NaN", "m=3"},
};

// One argument under each key of a table: the display after each key. A table's keys are named by caption
// and by their name in a row's name.
using TableKeys = std::vector<std::pair<const char*, const char*>>;
struct Argument {
    const char *name, *keys;
    std::array<const char*, 6> shown;
};
// sqrt X2 X3 1/x log ln; the cube is rounded to Single once. NaN is not below 0, so it has a square root;
// it is not above 0, so it has no logarithm.
const TableKeys kFunctionKeys = {{"sqrt", "Sqrt"}, {"X2", "Square"}, {"X3", "Cube"}, {"1/x", "Reciprocal"},
                                  {"log", "Log"}, {"ln", "Ln"}};
const Argument kArguments[] = {
    {"1000", "1000", {" 31.62278", " 1000000", " 1E+09", " .001", " 3", " 6.907755"}},
    {"Half", ".5", {" .7071068", " .25", " .125", " 2", "-.30103", "-.6931472"}},
    {"1_7", "1.7", {" 1.303841", " 2.89", " 4.913001", " .5882353", " .2304489", " .5306283"}},
    {"Zero", "0", {" 0", " 0", " 0", " Infinity", kInvalid, kInvalid}},
    {"MinusZero", "+/-", {" 0", " 0", " 0", "-Infinity", kInvalid, kInvalid}},
    {"Minus2", "2 +/-", {kInvalid, " 4", "-8", "-.5", kInvalid, kInvalid}},
    {"1E20", k1E20.c_str(), {" 1E+10", " Infinity", " Infinity", " 1E-20", " 20", " 46.0517"}},
    {"Infinity", "0 1/x", {" Infinity", " Infinity", " Infinity", " 0", " Infinity", " Infinity"}},
    {"MinusInfinity", "+/- 1/x", {kInvalid, " Infinity", "-Infinity", " 0", kInvalid, kInvalid}},
    {"NaN", "0 / 0 =", {" NaN", " NaN", " NaN", " NaN", kInvalid, kInvalid}},
};
// sin cos tan: a whole and a non-whole multiple of 90 degrees in every quadrant, both signs; radians.
const TableKeys kTrigKeys = {{"sin", "Sin"}, {"cos", "Cos"}, {"tan", "Tan"}};
const Argument kAngles[] = {
    {"0", "0", {"0", "1", "0"}},           {"30", "30", {"0.5", "0.8660254", "0.5773503"}},
    {"90", "90", {"1", "0", kInvalid}},    {"120", "120", {"0.8660254", "-0.5", "-1.732051"}},
    {"180", "180", {"0", "-1", "0"}},      {"210", "210", {"-0.5", "-0.8660254", "0.5773503"}},
    {"270", "270", {"-1", "0", kInvalid}}, {"300", "300", {"-0.8660254", "0.5", "-1.732051"}},
    {"390", "390", {"0.5", "0.8660254", "0.5773503"}}, {"450", "450", {"1", "0", kInvalid}},
    {"Minus30", "30 +/-", {"-0.5", "0.8660254", "-0.5773503"}},
    {"Minus90", "90 +/-", {"-1", "0", kInvalid}}, {"Minus270", "270 +/-", {"1", "0", kInvalid}},
    {"1", "1", {"1.745241E-02", "0.9998477", "1.745507E-02"}},
    {"OfInfinity", "0 1/x", {"NaN", "NaN", "NaN"}}, {"OfNaN", "0 / 0 =", {"NaN", "NaN", "NaN"}},
    {"Rad1", "RAD 1", {"0.841471", "0.5403023", "1.557408"}},
    {"Rad90", "RAD 90", {"0.8939967", "-0.4480736", "-1.9952"}},
    {"RadOfInfinity", "RAD 0 1/x", {"NaN", "NaN", "NaN"}},
    {"RadAfterClear1", "RAD C 1", {"0.841471", "0.5403023", "1.557408"}},
    {"DegAfterRad1", "RAD 1 sin DEG 1", {"1.745241E-02", "0.9998477", "1.745507E-02"}},
};
// clang-format on

void addTable(std::vector<Row>& rows, const TableKeys& keys, std::span<const Argument> arguments)
{
    for (const Argument& argument : arguments)
        for (std::size_t k = 0; k < keys.size(); ++k)
            rows.push_back({keys[k].second + std::string(argument.name),
                            argument.keys + std::string(" ") + keys[k].first, argument.shown[k]});
}

std::vector<Row> allRows()
{
    std::vector<Row> rows(std::begin(kRows), std::end(kRows));
    addTable(rows, kFunctionKeys, kArguments);
    addTable(rows, kTrigKeys, kAngles);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Engine, Keys, testing::ValuesIn(allRows()),
                         [](const auto& info) { return info.param.name; });

} // namespace
