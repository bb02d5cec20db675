// Key sequences on the calculator engine: the display after the last key and, where it matters, the state;
// then seeded random key storms, the state's invariants checked after every key.
#include "key_storm.h"

#include <gtest/gtest.h>

#include <array>
#include <iomanip>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kDiv0 = "Cannot divide by 0";
constexpr const char* kInvalid = "Invalid input for function";

// clang-format off
// state: the fields to check, as "r=120 op= new=1" (r, o1, o2 the Singles, m the memory, new blnNewEntry).
// A word starting with ' puts the rest into the display: '1E+39 for a number beyond the Single range.
struct Row { std::string name, keys, display, state = ""; };
const Row kRows[] = {
    // ---- entry: digits, point, sign, CE, pi
    {"FormLoad", "", "0", "r=0 o1=0 o2=0 m=0 op= new=0"}, {"LoneZeroReplacedOthersKept", "0 0 7 0", "70"},
    {"PointOnce", ". 5 .", "0.5"}, {"PointAfterResult", "2 + 3 = .", "0."},
    {"SignTogglesBack", "5 +/- +/-", "5"}, {"DigitAfterMinusZero", "+/- 5", "-05"},
    {"SignOnResultBack", "2 + 3 = +/- +/-", " 5", "new=0"}, {"ClearEntry", "2 + 5 CE", "0", "op=+ new=1"},
    {"SignOnNegativeExponentBack", "0.00000015 = +/- +/-", " 1.5E-07"},
    {"DigitExtendsPi", "pi 2", "3.141592"}, {"DigitReplacesPiAfterOperator", "+ pi 2", "2"},
    // ---- the chain, strictly left to right, and =
    {"OperatorCompletesPending", "2 + 3 *", " 5", "o1=5 o2=3 r=5 op=*"},
    {"NoPrecedence", "2 + 3 * 4 =", " 20", "o1=5 o2=4 r=20 op= new=1"},
    {"ContinuesFromResult", "7 - 9 = + 1 =", "-1", "o1=-2 o2=1 r=-1"}, {"EqualsOnMessage", "5 / 0 = =", " 0"},
    {"ChainCarriesTheSingle", "1 / 3 * 3 =", " 1", "o1=0.333333343 r=1"}, {"EqualsTwice", "2 + 3 = =", " 5"},
    {"EqualsReadsTheShownDigits", "1 / 3 = * 3 =", " .9999999", "o1=0.333333313 r=0.99999994"},
    {"EqualsAloneShowsTyped", "7 =", " 7", "r=7 op= new=1"}, {"PowersChain", "2 Xy 3 Xy 2 =", " 64"},
    {"EqualsAfterResultShowsTyped", "2 + 3 = 7 =", " 7"}, {"NegativeBaseWholeExponent", "2 +/- Xy 3 =", "-8"},
    {"PowerBeyondDouble", "10 Xy 400 =", " Infinity"},
    {"MinusZeroToNegativeOddPower", "+/- Xy 3 +/- =", "-Infinity"},
    // ---- failures under = and under an operator key; the sign key leaves a message alone
    {"SignLeavesMessage", "5 / 0 = +/-", kDiv0, "r=inf o1=5 op= new=1"},
    {"DivideByZeroAtOperator", "5 / 0 +", kDiv0, "r=inf op="},
    {"NumberAfterFailedOperator", "5 / 0 + 3 =", " 3"},
    {"ZeroByZeroAtOperator", "0 / 0 *", " NaN", "op= new=1"},
    {"OverflowAtOperator", "'1E+20 * '1E+20 -", " Infinity", "op= new=1"},
    {"BeyondSingleOperandAtOperator", "1 + '1E+39 *", " Infinity", "op="},
    {"NegativeBaseFraction", "5 n! 8 +/- Xy .5 =", kInvalid, "r=120 op= new=1"},
    {"NegativeBaseFractionAtOperator", "5 n! 8 +/- Xy .5 +", kInvalid},
    // ---- functions (see also the argument table below) and factorial; a failed one keeps the result
    {"FailedLogAndSqrtKeepResult", "5 n! 0 log 4 +/- sqrt", kInvalid, "r=120 o1=-4 new=1"},
    {"SqrtUnderPending", "2 + 9 sqrt =", " 12"}, {"FailedFunctionUnderPending", "2 + 4 +/- sqrt =", "-4"},
    {"FactorialOfZero", "0 n!", " 1"}, {"FactorialRoundsToZero", ".4 n!", " 1"},
    {"FactorialHalfDown", "2.5 n!", " 2"}, {"FactorialHalfUp", "3.5 n!", " 24"},
    {"Factorial34", "34 n!", " 2.952328E+38"}, {"Factorial35", "35 n!", " Infinity", "r=inf new=1"},
    {"FactorialBeyond16Bits", "40000 n!", " Infinity"},
    {"FactorialOfNegativeAndNaN", "5 n! .4 +/- n! 'NaN n!", kInvalid, "r=120 new=1"},
    // ---- trigonometry beyond the angle table below
    {"Tan90KeepsResult", "5 n! 90 tan", kInvalid, "r=120 new=1"},
    {"TrigResultAsRightOperand", "2 + 30 sin =", " 2.5"}, {"ModeKeysKeepEntry", "12 RAD 3 DEG 4", "1234"},
    // large radians, reduced exactly: what the Linux build always showed
    {"SinOf1E22", "RAD 1 0 Xy 2 2 = sin", "-0.8522009"},
    {"TanOfLargestSingle", "RAD '3.4028235E+38 tan", "0.6129734"},
    {"CosOf11To32", "RAD 1 1 Xy 3 2 = cos", "-0.86641"}, {"PowerOf1_1To100", "1.1 Xy 100 =", " 13780.64"},
    // ---- memory
    {"FullMemoryIgnoresMAndSurvivesClear", "12.5 M C 7 M MR", "12.5", "m=12.5"},
    {"StoreAfterMC", "7 M MC 12 M", "12", "m=12"}, {"StoreAfterSumToZero", "5 M C 5 +/- M+ M", "-5", "m=-5"},
    {"AddsDisplayUnrounded", "1 M C 16777216.5 M+ MR", "1.677722E+07", "m=16777218"},
    {"MemoryKeysKeepEntry", "2 + 3 M+ MR", "3", "r=0 o1=2 op=+ new=0 m=3"},
    // error paths change nothing: a message, a text beyond the Single or Double range, a malformed text
    {"MOnNoNumber", "5 / 0 = M '1E+39 M '12a M", "12a", "m=0"},
    {"MPlusOnNoNumber", "3 M 5 / 0 = M+ '1E+39 M+ '1E+400 M+ '12a M+", "12a", "m=3"},
    {"MPlusSumOverflows", "'3E+38 M M+", "3E+38", "m=3.00000001e+38"},
    {"MPlusOnInfinityOrNaNKeepsMemory", "3 M C 0 1/x M+ 0 / 0 = M+", " NaN", "m=3"}};

// One argument under each key of a table: the display after each key. A table's keys are named by caption
// and by their name in a row's name.
using TableKeys = std::vector<std::pair<const char*, const char*>>;
struct Argument { std::string name, keys; std::array<const char*, 6> shown; };
// sqrt X2 X3 1/x log ln; the cube is rounded to Single once. NaN is not below 0, so it has a square root;
// it is not above 0, so it has no logarithm.
const TableKeys kFunctionKeys = {{"sqrt", "Sqrt"}, {"X2", "Square"}, {"X3", "Cube"}, {"1/x", "Reciprocal"},
                                 {"log", "Log"}, {"ln", "Ln"}};
const std::vector<Argument> kArguments = {
    {"Half", ".5", {" .7071068", " .25", " .125", " 2", "-.30103", "-.6931472"}},
    {"1_7", "1.7", {" 1.303841", " 2.89", " 4.913001", " .5882353", " .2304489", " .5306283"}},
    {"Zero", "0", {" 0", " 0", " 0", " Infinity", kInvalid, kInvalid}},
    {"MinusZero", "+/-", {" 0", " 0", " 0", "-Infinity", kInvalid, kInvalid}},
    {"Minus2", "2 +/-", {kInvalid, " 4", "-8", "-.5", kInvalid, kInvalid}},
    {"1E20", "'1E+20", {" 1E+10", " Infinity", " Infinity", " 1E-20", " 20", " 46.0517"}},
    {"Infinity", "0 1/x", {" Infinity", " Infinity", " Infinity", " 0", " Infinity", " Infinity"}},
    {"NaN", "0 / 0 =", {" NaN", " NaN", " NaN", " NaN", kInvalid, kInvalid}}};
// sin cos tan: a whole multiple of 90 degrees in every quadrant, both signs, and beyond 360; other angles;
// radians, also after C, and degrees again after radians.
const TableKeys kTrigKeys = {{"sin", "Sin"}, {"cos", "Cos"}, {"tan", "Tan"}};
const std::vector<Argument> kAngles = {
    {"0", "0", {"0", "1", "0"}}, {"90", "90", {"1", "0", kInvalid}}, {"180", "180", {"0", "-1", "0"}},
    {"270", "270", {"-1", "0", kInvalid}}, {"Minus90", "90 +/-", {"-1", "0", kInvalid}},
    {"Minus270", "270 +/-", {"1", "0", kInvalid}}, {"30", "30", {"0.5", "0.8660254", "0.5773503"}},
    {"120", "120", {"0.8660254", "-0.5", "-1.732051"}}, {"450", "450", {"1", "0", kInvalid}},
    {"Minus30", "30 +/-", {"-0.5", "0.8660254", "-0.5773503"}},
    {"OfInfinity", "0 1/x", {"NaN", "NaN", "NaN"}},
    {"RadAfterClear90", "RAD C 90", {"0.8939967", "-0.4480736", "-1.9952"}},
    {"DegAfterRad1", "RAD 1 sin DEG 1", {"1.745241E-02", "0.9998477", "1.745507E-02"}}};
// clang-format on

class Keys : public testing::TestWithParam<Row> {};

TEST_P(Keys, Sequence)
{
    const Row& row = GetParam();
    testing_support::Keypad pad;
    EXPECT_EQ(pad.type(row.keys), row.display) << row.keys;
    const engine::CalculatorState& s = pad.calc.state();
    std::ostringstream out;
    out << std::setprecision(9) << " r=" << s.sngResult << " o1=" << s.sngOperand1 << " o2=" << s.sngOperand2
        << " m=" << s.sngMemory << " op=" << s.strOperator << " new=" << s.blnNewEntry << ' ';
    std::istringstream fields(row.state);
    for (std::string field; fields >> field;)
        EXPECT_TRUE(out.str().find(" " + field + " ") != std::string::npos) << field << ", not" << out.str();
}

std::vector<Row> allRows()
{
    std::vector<Row> rows(std::begin(kRows), std::end(kRows));
    const std::pair<const TableKeys&, const std::vector<Argument>&> tables[] = {{kFunctionKeys, kArguments},
                                                                                {kTrigKeys, kAngles}};
    for (const auto& [keys, arguments] : tables)
        for (const auto& [name, typed, shown] : arguments)
            for (std::size_t k = 0; k < keys.size(); ++k)
                rows.push_back({keys[k].second + name, typed + " " + keys[k].first, shown[k]});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Engine, Keys, testing::ValuesIn(allRows()),
                         [](const auto& info) { return info.param.name; });

using testing_support::kStormKeys;

TEST(KeyStorm, KeepsTheInvariants)
{
    // 100 000 keys each: every key alike, then digits eight times likelier than any other key (long numbers)
    for (const auto& [seed, digitWeight] : {std::pair{20240611u, 1.0}, std::pair{7u, 8.0}}) {
        std::mt19937 random(seed);
        std::discrete_distribution<std::size_t> pick(kStormKeys.size(), 0, kStormKeys.size(),
                                                     [&](double key) { return key < 10 ? digitWeight : 1; });
        testing_support::KeyStorm storm;
        for (int played = 0; played < 100'000; ++played)
            ASSERT_EQ(storm.play(pick(random)), "") << "seed " << seed << ", key " << played << ", display \""
                << storm.pad.window.display << "\", last keys "
                << storm.keys.substr(storm.keys.size() > 160 ? storm.keys.size() - 160 : 0);
    }
}

} // namespace
