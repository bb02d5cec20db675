// Key sequences on the calculator engine: the display after the last key and, where it matters, the state.
#include "fake_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using testing_support::Keypad;

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const std::string kDiv0 = "Cannot divide by 0";
const std::string kInvalid = "Invalid input for function";
// Typed as digit runs: the largest of them lies beyond the Single range.
const std::string k1E13 = "1" + std::string(13, '0');
const std::string k1E20 = "1" + std::string(20, '0');
const std::string k3E38 = "3" + std::string(38, '0');
const std::string k1E39 = "1" + std::string(39, '0');

void expectSingle(float actual, std::optional<float> expected, const char* field)
{
    EXPECT_TRUE(!expected || (std::isnan(*expected) ? std::isnan(actual) : actual == *expected))
        << field << " is " << actual;
}

struct Row {
    std::string name;
    std::string keys;
    std::string display;
    std::optional<float> result{};
    std::optional<std::string> op{};
    std::optional<bool> newEntry{};
    std::optional<float> memory{};
    std::optional<float> operand1{};
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << '"' << row.keys << '"';
}

class Keys : public testing::TestWithParam<Row> {};

TEST_P(Keys, Sequence)
{
    const Row& row = GetParam();
    Keypad pad;
    std::string shown;
    ASSERT_NO_THROW(shown = pad.type(row.keys)) << row.keys;
    EXPECT_EQ(shown, row.display) << row.keys;
    const auto& state = pad.calc.state();
    expectSingle(state.sngResult, row.result, "sngResult");
    expectSingle(state.sngOperand1, row.operand1, "sngOperand1");
    expectSingle(state.sngMemory, row.memory, "sngMemory");
    EXPECT_TRUE(!row.op || state.strOperator == *row.op) << "strOperator is " << state.strOperator;
    EXPECT_TRUE(!row.newEntry || state.blnNewEntry == *row.newEntry)
        << "blnNewEntry is " << state.blnNewEntry;
    // Whatever happened, the calculator still computes.
    EXPECT_EQ(pad.type("C 2 + 3 ="), " 5");
}

std::string rowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

// clang-format off
const Row kRows[] = {
    // ---- entry: digits, point, sign, CE, C, pi
    {.name = "FormLoad", .keys = "", .display = "0", .result = 0, .op = "", .newEntry = false, .memory = 0,
     .operand1 = 0},
    {"LoneZeroReplaced", "0 0 7", "7"}, {"ZeroAppended", "7 0", "70"},
    {.name = "PointAtStart", .keys = ".", .display = "0.", .newEntry = false},
    {"SecondPointIgnored", "1.5.", "1.5"}, {"PointAfterResult", "2 + 3 = .", "0."},
    {"DigitAfterResult", "2 + 3 = 7", "7"},
    {"DigitsWithoutLimit", "12345678901234567890", "12345678901234567890"},
    {"LongEntryRead", "12345678901234567890 =", " 1.234568E+19"},
    {.name = "SignAtStart", .keys = "+/-", .display = "-0", .newEntry = false},
    {"DigitAfterMinusZero", "+/- 5", "-05"}, {"MinusZeroFiveReadAsMinusFive", "+/- 5 + 1 =", "-4"},
    {"SignToggles", "5 +/-", "-5"}, {"SignTogglesBack", "5 +/- +/-", "5"},
    {.name = "SignOnResult", .keys = "2 + 3 = +/-", .display = "- 5", .newEntry = false},
    {"SignOnResultBack", "2 + 3 = +/- +/-", " 5"}, {"SignOnNegativeResult", "2 - 3 = +/-", "1"},
    {"SignedResultReadBack", "2 + 3 = +/- 1 =", "-51"},
    {"SignOnNegativeExponent", "0.00000015 = +/-", "- 1.5E-07"},
    {"SignOnNegativeExponentBack", "0.00000015 = +/- +/-", " 1.5E-07"},
    {.name = "SignLeavesMessage", .keys = "5 / 0 = +/-", .display = kDiv0, .newEntry = true},
    {"DigitAfterMessage", "5 / 0 = +/- 7", "7"},
    {.name = "ClearEntry", .keys = "2 + 5 CE", .display = "0", .op = "+", .newEntry = true},
    {"ClearEntryKeepsPending", "2 + 3 CE 4 =", " 6"}, {"ClearEntryThenPoint", "5 CE .", "0."},
    {.name = "Clear", .keys = "2 + 3 CE 4 = C", .display = "0", .result = 0, .op = "", .newEntry = true,
     .operand1 = 0},
    {"ClearDropsPending", "2 + 3 C 4 =", " 4"}, {"PiShowsFiveDecimals", "pi", "3.14159"},
    {"DigitExtendsPi", "pi 2", "3.141592"}, {"DigitReplacesPiAfterOperator", "+ pi 2", "2"},
    // ---- the arithmetic chain and =
    {"DisplayIsRightOperand", "2 + =", " 4"},
    {.name = "OperatorCompletesPending", .keys = "2 + +", .display = " 4", .op = "+", .operand1 = 4},
    {"RepeatedOperatorThenEquals", "2 + + =", " 8"}, {"SecondOperatorInARow", "2 + - 3 =", " 1"},
    {"PowersChain", "2 Xy 3 Xy 2 =", " 64"}, {"NegativeResult", ".5 - 1 =", "-.5"},
    {"SingleSum", ".1 + .2 =", " .3"},
    {.name = "SingleTieToEven", .keys = "16777216 + 1 =", .display = " 1.677722E+07", .result = 16777216},
    {.name = "EqualsAloneShowsTyped", .keys = "7 =", .display = " 7", .result = 7, .op = "",
     .newEntry = true},
    {"EqualsAfterResultShowsTyped", "2 + 3 = 7 =", " 7"}, {"EqualsTwice", "2 + 3 = =", " 5"},
    {.name = "OneThirdEqualsTimesThree", .keys = "1 / 3 = * 3 =", .display = " .9999999",
     .result = 0.99999994f, .operand1 = 0.3333333134651184f},
    {"Power", "2 Xy 10 =", " 1024"}, {"NegativeExponent", "2 Xy .5 +/- =", " .7071068"},
    {"NegativeBaseWholeExponent", "2 +/- Xy 3 =", "-8"}, {"PowerBeyondSingle", "10 Xy 50 =", " Infinity"},
    {"PowerBeyondDouble", "10 Xy 400 =", " Infinity"},
    {"NegativePowerBeyondSingle", "10 +/- Xy 39 =", "-Infinity"},
    {"ZeroToNegativePower", "0 Xy 2 +/- =", " Infinity"},
    {"MinusZeroToNegativeOddPower", "+/- Xy 3 +/- =", "-Infinity"},
    {"Subnormal", "0." + std::string(44, '0') + "1 =", " 1.401298E-45"},
    {"BelowSubnormal", "0." + std::string(50, '0') + "1 =", " 0"},
    // ---- failures under = and under an operator key
    {.name = "DivideByZero", .keys = "5 / 0 =", .display = kDiv0, .result = kInf, .op = "", .newEntry = true,
     .operand1 = 5},
    {.name = "DivideNegativeByZero", .keys = "5 +/- / 0 =", .display = kDiv0, .result = -kInf},
    {"NewCalculationAfterMessage", "5 / 0 = + 3 =", " 3"}, {"EqualsOnMessage", "5 / 0 = =", " 0"},
    {.name = "DivideByZeroAtOperator", .keys = "5 / 0 +", .display = kDiv0, .result = kInf, .op = "",
     .newEntry = true},
    {"NumberAfterFailedOperator", "5 / 0 + 3 =", " 3"},
    {.name = "ZeroByZero", .keys = "0 / 0 =", .display = " NaN", .result = kNaN, .op = ""},
    {.name = "ZeroByZeroAtOperator", .keys = "0 / 0 *", .display = " NaN", .op = "", .newEntry = true},
    {.name = "SumOverflows", .keys = k3E38 + " + " + k3E38 + " =", .display = " Infinity", .result = kInf},
    {"ProductOverflowsNegative", k1E20 + " * " + k1E20 + " +/- =", "-Infinity"},
    {.name = "OverflowAtOperator", .keys = k1E20 + " * " + k1E20 + " -", .display = " Infinity", .op = "",
     .newEntry = true},
    {"DisplayBeyondSingle", "1 + " + k1E39 + " =", " Infinity"},
    {"EqualsAloneBeyondSingle", k1E39 + " =", " Infinity"},
    {.name = "DisplayBeyondSingleAtOperator", .keys = "1 + " + k1E39 + " *", .display = " Infinity",
     .op = ""},
    {"InfinityMinusInfinity", "0 1/x - 'Infinity =", " NaN"}, {"ZeroTimesInfinity", "0 1/x * 0 =", " NaN"},
    {"InfinityByZeroNoMessage", "0 1/x / 0 =", " Infinity"},
    {.name = "NegativeBaseFraction", .keys = "5 n! 8 +/- Xy .5 =", .display = kInvalid, .result = 120,
     .op = "", .newEntry = true},
    {.name = "NegativeBaseFractionAtOperator", .keys = "5 n! 8 +/- Xy .5 +", .display = kInvalid,
     .result = 120, .op = "", .newEntry = true},
    // ---- functions and factorial
    {.name = "Sqrt", .keys = "9 sqrt", .display = " 3", .result = 3, .newEntry = true, .operand1 = 9},
    {"SqrtZero", "0 sqrt", " 0"}, {"Square", "12 X2", " 144"}, {"CubeNegative", "2 +/- X3", "-8"},
    {"CubeRoundedOnce", "1.7 X3", " 4.913001"}, {"Reciprocal", ".5 1/x", " 2"}, {"Log", "1000 log", " 3"},
    {"LogNegativeResult", ".001 log", "-3"}, {"Ln", "1 ln", " 0"},
    {.name = "LogZero", .keys = "5 n! 0 log", .display = kInvalid, .result = 120, .newEntry = true},
    {"LnZero", "0 ln", kInvalid}, {"LnNegative", "2 +/- ln", kInvalid},
    {.name = "SqrtNegative", .keys = "5 n! 4 +/- sqrt", .display = kInvalid, .result = 120, .operand1 = -4},
    {.name = "ReciprocalOfZero", .keys = "0 1/x", .display = " Infinity", .result = kInf, .newEntry = true},
    {"ReciprocalOfMinusZero", "+/- 1/x", "-Infinity"},
    {.name = "SquareOverflows", .keys = k1E20 + " X2", .display = " Infinity", .result = kInf},
    {"CubeOverflows", k1E13 + " X3", " Infinity"}, {"CubeOverflowsNegative", k1E13 + " +/- X3", "-Infinity"},
    {"SqrtOfInfinity", "0 1/x sqrt", " Infinity"}, {"LogOfInfinity", "0 1/x log", " Infinity"},
    {"LnOfInfinity", "0 1/x ln", " Infinity"}, {"SqrtOfMinusInfinity", "+/- 1/x sqrt", kInvalid},
    {"LogOfMinusInfinity", "+/- 1/x log", kInvalid}, {"LnOfMinusInfinity", "+/- 1/x ln", kInvalid},
    // NaN is not below 0, so it has a square root (NaN); it is not above 0, so it has no logarithm.
    {"SqrtOfNaN", "0 / 0 = sqrt", " NaN"}, {"LnOfNaN", "0 / 0 = ln", kInvalid},
    {"SqrtUnderPending", "2 + 9 sqrt =", " 12"}, {"FailedFunctionUnderPending", "2 + 4 +/- sqrt =", "-4"},
    // the factorial chain
    {"FactorialZero", "0 n!", " 1"}, {"FactorialFive", "5 n!", " 120"}, {"FactorialTen", "10 n!", " 3628800"},
    {"FactorialHalfDown", "2.5 n!", " 2"}, {"FactorialHalfUp", "3.5 n!", " 24"},
    {"FactorialHalf", ".5 n!", " 1"}, {"Factorial24", "24 n!", " 6.204485E+23"},
    {"Factorial34", "34 n!", " 2.952328E+38"}, {"Factorial34Half", "34.5 n!", " 2.952328E+38"},
    {.name = "Factorial35", .keys = "35 n!", .display = " Infinity", .result = kInf, .newEntry = true},
    {"FactorialBeyond16Bits", "40000 n!", " Infinity"}, {"FactorialBeyondSingle", k1E39 + " n!", " Infinity"},
    {"FactorialMinusZero", "+/- n!", " 1"},
    {.name = "FactorialNegative", .keys = "5 n! .4 +/- n!", .display = kInvalid, .result = 120,
     .newEntry = true},
    {"FactorialOfMessage", "4 +/- sqrt n!", " 1"},
    {.name = "FactorialNaN", .keys = "5 n! 'NaN n!", .display = kInvalid, .result = 120},
    // ---- trigonometry and the angle mode
    {.name = "Sin30", .keys = "30 sin", .display = "0.5", .result = 0.5f, .op = "", .newEntry = true},
    {"Sin90", "90 sin", "1"}, {"Cos90", "90 cos", "0"}, {"Sin180", "180 sin", "0"},
    {"Cos180", "180 cos", "-1"}, {"Tan45", "45 tan", "1"}, {"Cos60", "60 cos", "0.5"}, {"Cos0", "0 cos", "1"},
    {"Tan180", "180 tan", "0"}, {"Sin390", "390 sin", "0.5"}, {"SinMinus90", "90 +/- sin", "-1"},
    {"Sin1", "1 sin", "1.745241E-02"},
    {.name = "Tan90", .keys = "5 n! 90 tan", .display = kInvalid, .result = 120, .newEntry = true},
    {"Tan270", "270 tan", kInvalid}, {"TanMinus90", "90 +/- tan", kInvalid},
    {"TrigResultAsRightOperand", "2 + 30 sin =", " 2.5"}, {"CosOfMessage", "5 / 0 = cos", "1"},
    {"SinOfInfinity", "0 1/x sin", "NaN"}, {"CosOfNaN", "0 / 0 = cos", "NaN"},
    {"RadiansSinOfInfinity", "RAD 0 1/x sin", "NaN"}, {"RadiansSin", "RAD 1 sin", "0.841471"},
    {"RadiansCos", "RAD 1 cos", "0.5403023"}, {"RadiansTan", "RAD 1 tan", "1.557408"},
    {"RadiansTan90", "RAD 90 tan", "-1.9952"}, {"DegreesAgain", "RAD 1 sin DEG 1 sin", "1.745241E-02"},
    {"ClearKeepsMode", "RAD C 1 sin", "0.841471"},
    {.name = "ModeKeysKeepEntry", .keys = "12 RAD 3 DEG 4", .display = "1234", .newEntry = false},
    // ---- memory
    {.name = "StoreSurvivesClear", .keys = "12.5 M C MR", .display = "12.5", .memory = 12.5f},
    {.name = "FullMemoryIgnoresM", .keys = "7 M C 12 M", .display = "12", .memory = 7},
    {.name = "StoreAfterMC", .keys = "7 M C 12 M MC 12 M", .display = "12", .memory = 12},
    {.name = "AddTwice", .keys = "C 5 M+ M+", .display = "5", .memory = 10},
    {.name = "StoreAfterSumToZero", .keys = "5 M C 5 +/- M+ M", .display = "-5", .memory = -5},
    {.name = "AddsDisplayUnrounded", .keys = "1 M C 16777216.5 M+ MR", .display = "1.677722E+07",
     .memory = 16777218},
    {.name = "StoresResultText", .keys = "C 2 + 3 = M", .display = " 5", .memory = 5},
    {.name = "StoresAfterSignBlank", .keys = "'-_5 M", .display = "- 5", .memory = -5},
    {"DigitExtendsRecall", "12 M C 5 MR 3", "123"}, {"RecallAsOperand", "12 M C 2 + MR =", " 14"},
    {"RecallHalf", ".5 M MR", "0.5"}, {"RecallEmpty", "MR", "0"},
    {.name = "ClearMemoryKeepsPending", .keys = "C 2 + 3 MC =", .display = " 2", .memory = 0},
    {"DigitReplacesClearedMemory", "C 4 5 MC 6", "6"},
    {.name = "MemoryKeysKeepEntry", .keys = "2 + 3 M+ MR", .display = "3", .result = 0, .op = "+",
     .newEntry = false, .memory = 3, .operand1 = 2},
    // error paths change nothing
    {.name = "MOnMessage", .keys = "5 / 0 = M", .display = kDiv0, .newEntry = true, .memory = 0},
    {.name = "MBeyondSingle", .keys = k1E39 + " M", .display = k1E39, .memory = 0},
    {.name = "MOnMalformedText", .keys = "'1_2 M", .display = "1 2", .memory = 0},
    {.name = "MPlusOnMessage", .keys = "3 M 5 / 0 = M+", .display = kDiv0, .memory = 3},
    {.name = "MPlusBeyondSingle", .keys = "3 M C " + k1E39 + " M+", .display = k1E39, .memory = 3},
    {.name = "MPlusBeyondDouble", .keys = "3 M '1E+400 M+", .display = "1E+400", .memory = 3},
    {.name = "MPlusSumOverflows", .keys = k3E38 + " M M+", .display = k3E38, .memory = 3e38f},
    {.name = "MPlusOnInfinityKeepsMemory", .keys = "3 M C 0 1/x M+", .display = " Infinity", .memory = 3},
    {.name = "MPlusOnNaNKeepsMemory", .keys = "3 M C 0 / 0 = M+", .display = " NaN", .memory = 3},
    {.name = "MinusZeroIsEmpty", .keys = "+/- M C 7 M", .display = "7", .memory = 7}
};
INSTANTIATE_TEST_SUITE_P(Engine, Keys, testing::ValuesIn(kRows), rowName);
// clang-format on

// ---- the worked sequences, state after every key ---------------------------------------------------------

struct Step {
    const char* key;
    const char* display;
    float operand1, operand2, result;
    const char* op;
};

void runSteps(const std::vector<Step>& steps)
{
    Keypad pad;
    std::string keys;
    for (const Step& step : steps) {
        keys += std::string(" ") + step.key;
        EXPECT_EQ(pad.type(step.key), step.display) << keys;
        const auto& state = pad.calc.state();
        EXPECT_EQ(state.sngOperand1, step.operand1) << keys;
        EXPECT_EQ(state.sngOperand2, step.operand2) << keys;
        EXPECT_EQ(state.sngResult, step.result) << keys;
        EXPECT_EQ(state.strOperator, step.op) << keys;
    }
}

TEST(WorkedSequences, A_NoPrecedence)
{
    runSteps({{"2", "2", 0, 0, 0, ""},
              {"+", "2", 2, 0, 0, "+"},
              {"3", "3", 2, 0, 0, "+"},
              {"*", " 5", 5, 3, 5, "*"},
              {"4", "4", 5, 3, 5, "*"},
              {"=", " 20", 5, 4, 20, ""}});
}

TEST(WorkedSequences, B_ContinuesThroughTheDisplay)
{
    runSteps({{"7", "7", 0, 0, 0, ""},
              {"-", "7", 7, 0, 0, "-"},
              {"9", "9", 7, 0, 0, "-"},
              {"=", "-2", 7, 9, -2, ""},
              {"+", "-2", -2, 9, -2, "+"},
              {"1", "1", -2, 9, -2, "+"},
              {"=", "-1", -2, 1, -1, ""}});
}

TEST(WorkedSequences, C_CarriesTheSingle)
{
    const float third = 1.0f / 3.0f;
    runSteps({{"1", "1", 0, 0, 0, ""},
              {"/", "1", 1, 0, 0, "/"},
              {"3", "3", 1, 0, 0, "/"},
              {"*", " .3333333", third, 3, third, "*"},
              {"3", "3", third, 3, third, "*"},
              {"=", " 1", third, 3, 1, ""}});
}

} // namespace
