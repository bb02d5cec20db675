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

void expectSingle(float actual, float expected, const char* field)
{
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual)) << field << " is " << actual;
    else
        EXPECT_EQ(actual, expected) << field;
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
    if (row.result)
        expectSingle(state.sngResult, *row.result, "sngResult");
    if (row.operand1)
        expectSingle(state.sngOperand1, *row.operand1, "sngOperand1");
    if (row.memory)
        expectSingle(state.sngMemory, *row.memory, "sngMemory");
    if (row.op) {
        EXPECT_EQ(state.strOperator, *row.op);
    }
    if (row.newEntry) {
        EXPECT_EQ(state.blnNewEntry, *row.newEntry);
    }
    // Whatever happened, the calculator still computes.
    EXPECT_EQ(pad.type("C 2 + 3 ="), " 5");
}

std::string rowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Entry, Keys,
    testing::Values(
        Row{"LoneZeroReplaced", "0 0 7", "7"}, Row{"ZeroAppended", "7 0", "70"},
        Row{.name = "PointAtStart", .keys = ".", .display = "0.", .newEntry = false},
        Row{"SecondPointIgnored", "1.5.", "1.5"}, Row{"PointAfterResult", "2 + 3 = .", "0."},
        Row{"DigitAfterResult", "2 + 3 = 7", "7"},
        Row{"DigitsWithoutLimit", "12345678901234567890", "12345678901234567890"},
        Row{"LongEntryRead", "12345678901234567890 =", " 1.234568E+19"},
        Row{.name = "SignAtStart", .keys = "+/-", .display = "-0", .newEntry = false},
        Row{"DigitAfterMinusZero", "+/- 5", "-05"}, Row{"MinusZeroFiveReadAsMinusFive", "+/- 5 + 1 =", "-4"},
        Row{"SignToggles", "5 +/-", "-5"}, Row{"SignTogglesBack", "5 +/- +/-", "5"},
        Row{.name = "SignOnResult", .keys = "2 + 3 = +/-", .display = "- 5", .newEntry = false},
        Row{"SignOnResultBack", "2 + 3 = +/- +/-", " 5"}, Row{"SignOnNegativeResult", "2 - 3 = +/-", "1"},
        Row{"DigitAppendsToSignedResult", "2 + 3 = +/- 1", "- 51"},
        Row{"SignedResultReadBack", "2 + 3 = +/- 1 =", "-51"},
        Row{"SignOnNegativeExponent", "0.00000015 = +/-", "- 1.5E-07"},
        Row{"SignOnNegativeExponentBack", "0.00000015 = +/- +/-", " 1.5E-07"},
        Row{.name = "SignLeavesMessage", .keys = "5 / 0 = +/-", .display = kDiv0, .newEntry = true},
        Row{"DigitAfterMessage", "5 / 0 = +/- 7", "7"},
        Row{.name = "ClearEntry", .keys = "2 + 5 CE", .display = "0", .op = "+", .newEntry = true},
        Row{"ClearEntryKeepsPending", "2 + 3 CE 4 =", " 6"}, Row{"ClearEntryThenPoint", "5 CE .", "0."},
        Row{.name = "Clear", .keys = "2 + 3 CE 4 = C", .display = "0", .result = 0, .op = "",
            .newEntry = true, .operand1 = 0},
        Row{"ClearDropsPending", "2 + 3 C 4 =", " 4"},
        Row{"PiShowsFiveDecimals", "pi", "3.14159"}, Row{"DigitExtendsPi", "pi 2", "3.141592"},
        Row{"DigitReplacesPiAfterOperator", "+ pi 2", "2"}, Row{"PiAsOperand", "5 + pi =", " 8.14159"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Operators, Keys,
    testing::Values(
        Row{"NoPrecedence", "2 + 3 * 4 =", " 20"}, Row{"DisplayIsRightOperand", "2 + =", " 4"},
        Row{.name = "OperatorCompletesPending", .keys = "2 + +", .display = " 4", .op = "+", .operand1 = 4},
        Row{"RepeatedOperatorThenEquals", "2 + + =", " 8"}, Row{"SecondOperatorInARow", "2 + - 3 =", " 1"},
        Row{"PowersChainAtOperator", "2 Xy 3 Xy", " 8"}, Row{"PowersChain", "2 Xy 3 Xy 2 =", " 64"},
        Row{"ChainShowsEachLink", "1 + 2 + 3 +", " 6"}, Row{"Subtract", "9 - 3 - 1 =", " 5"},
        Row{"NegativeResult", ".5 - 1 =", "-.5"}, Row{"Quotient", "3 / 2 =", " 1.5"},
        Row{"SingleSum", ".1 + .2 =", " .3"},
        Row{.name = "SingleTieToEven", .keys = "16777216 + 1 =", .display = " 1.677722E+07",
            .result = 16777216},
        Row{.name = "EqualsAloneShowsTyped", .keys = "7 =", .display = " 7", .result = 7, .op = "",
            .newEntry = true},
        Row{"EqualsAfterResultShowsTyped", "2 + 3 = 7 =", " 7"}, Row{"EqualsTwice", "2 + 3 = =", " 5"},
        Row{"OneThirdTimesThree", "1 / 3 * 3 =", " 1"},
        Row{.name = "OneThirdEqualsTimesThree", .keys = "1 / 3 = * 3 =", .display = " .9999999",
            .result = 0.99999994f, .operand1 = 0.3333333134651184f},
        Row{"Power", "2 Xy 10 =", " 1024"}, Row{"SquareRootPower", "4 Xy .5 =", " 2"},
        Row{"NegativeExponent", "2 Xy .5 +/- =", " .7071068"},
        Row{"NegativeBaseWholeExponent", "2 +/- Xy 3 =", "-8"},
        Row{"PowerBeyondSingle", "10 Xy 50 =", " Infinity"},
        Row{"PowerBeyondDouble", "10 Xy 400 =", " Infinity"},
        Row{"NegativePowerBeyondSingle", "10 +/- Xy 39 =", "-Infinity"},
        Row{"ZeroToNegativePower", "0 Xy 2 +/- =", " Infinity"},
        Row{"MinusZeroToNegativeOddPower", "+/- Xy 3 +/- =", "-Infinity"},
        Row{"Subnormal", "0." + std::string(44, '0') + "1 =", " 1.401298E-45"},
        Row{"BelowSubnormal", "0." + std::string(50, '0') + "1 =", " 0"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Errors, Keys,
    testing::Values(
        Row{.name = "DivideByZero", .keys = "5 / 0 =", .display = kDiv0, .result = kInf, .op = "",
            .newEntry = true, .operand1 = 5},
        Row{.name = "DivideNegativeByZero", .keys = "5 +/- / 0 =", .display = kDiv0, .result = -kInf},
        Row{"NewCalculationAfterMessage", "5 / 0 = + 3 =", " 3"},
        Row{"EqualsOnMessage", "5 / 0 = =", " 0"},
        Row{.name = "DivideByZeroAtOperator", .keys = "5 / 0 +", .display = kDiv0, .result = kInf, .op = "",
            .newEntry = true},
        Row{"NumberAfterFailedOperator", "5 / 0 + 3 =", " 3"},
        Row{.name = "ZeroByZero", .keys = "0 / 0 =", .display = " NaN", .result = kNaN, .op = ""},
        Row{.name = "ZeroByZeroAtOperator", .keys = "0 / 0 *", .display = " NaN", .op = "", .newEntry = true},
        Row{.name = "SumOverflows", .keys = k3E38 + " + " + k3E38 + " =", .display = " Infinity",
            .result = kInf},
        Row{"ProductOverflowsNegative", k1E20 + " * " + k1E20 + " +/- =", "-Infinity"},
        Row{.name = "OverflowAtOperator", .keys = k1E20 + " * " + k1E20 + " -", .display = " Infinity",
            .op = "", .newEntry = true},
        Row{"NumberAfterOverflowAtOperator", k1E20 + " * " + k1E20 + " - 3 =", " 3"},
        Row{"DisplayBeyondSingle", "1 + " + k1E39 + " =", " Infinity"},
        Row{"EqualsAloneBeyondSingle", k1E39 + " =", " Infinity"},
        Row{.name = "DisplayBeyondSingleAtOperator", .keys = "1 + " + k1E39 + " *", .display = " Infinity",
            .op = ""},
        Row{"InfinityMinusInfinity", "0 1/x - 'Infinity =", " NaN"},
        Row{"ZeroTimesInfinity", "0 1/x * 0 =", " NaN"},
        Row{"InfinityByInfinity", "0 1/x / 'Infinity =", " NaN"},
        Row{"InfinityByZeroNoMessage", "0 1/x / 0 =", " Infinity"},
        Row{"InfinityPlusOne", "0 1/x + 1 =", " Infinity"},
        Row{.name = "NegativeBaseFraction", .keys = "8 +/- Xy .5 =", .display = kInvalid, .result = 0,
            .op = "", .newEntry = true},
        Row{.name = "NegativeBaseFractionKeepsResult", .keys = "5 n! 8 +/- Xy .5 =", .display = kInvalid,
            .result = 120},
        Row{"EqualsAfterPowerError", "8 +/- Xy .5 = =", " 0"},
        Row{.name = "NegativeBaseFractionAtOperator", .keys = "8 +/- Xy .5 +", .display = kInvalid,
            .result = 0, .op = "", .newEntry = true},
        Row{"MessageAsLeftOperand", "4 +/- sqrt + 2 =", " 2"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Functions, Keys,
    testing::Values(
        Row{.name = "Sqrt", .keys = "9 sqrt", .display = " 3", .result = 3, .newEntry = true, .operand1 = 9},
        Row{"SqrtFraction", "2.25 sqrt", " 1.5"}, Row{"SqrtZero", "0 sqrt", " 0"},
        Row{"Square", "12 X2", " 144"}, Row{"SquareNegative", "2 +/- X2", " 4"},
        Row{"CubeNegative", "2 +/- X3", "-8"}, Row{"CubeRoundedOnce", "1.7 X3", " 4.913001"},
        Row{"Reciprocal", ".5 1/x", " 2"}, Row{"Log", "1000 log", " 3"}, Row{"LogHundred", "100 log", " 2"},
        Row{"LogNegativeResult", ".001 log", "-3"}, Row{"Ln", "1 ln", " 0"},
        Row{.name = "LogZero", .keys = "0 log", .display = kInvalid, .result = 0, .newEntry = true},
        Row{"LnZero", "0 ln", kInvalid}, Row{"LnNegative", "2 +/- ln", kInvalid},
        Row{"SqrtNegative", "4 +/- sqrt", kInvalid},
        Row{.name = "SqrtErrorKeepsResult", .keys = "5 n! 4 +/- sqrt", .display = kInvalid, .result = 120,
            .operand1 = -4},
        Row{"EqualsAfterSqrtError", "5 n! 4 +/- sqrt =", " 0"},
        Row{"SqrtOfMessage", "4 +/- sqrt sqrt", " 0"},
        Row{.name = "ReciprocalOfZero", .keys = "0 1/x", .display = " Infinity", .result = kInf,
            .newEntry = true},
        Row{"EqualsAfterReciprocalOfZero", "0 1/x =", " Infinity"},
        Row{"ReciprocalOfMinusZero", "+/- 1/x", "-Infinity"},
        Row{.name = "SquareOverflows", .keys = k1E20 + " X2", .display = " Infinity", .result = kInf},
        Row{"CubeOverflows", k1E13 + " X3", " Infinity"},
        Row{"CubeOverflowsNegative", k1E13 + " +/- X3", "-Infinity"},
        Row{"SqrtOfInfinity", "0 1/x sqrt", " Infinity"}, Row{"LogOfInfinity", "0 1/x log", " Infinity"},
        Row{"LnOfInfinity", "0 1/x ln", " Infinity"}, Row{"SqrtOfMinusInfinity", "+/- 1/x sqrt", kInvalid},
        Row{"LogOfMinusInfinity", "+/- 1/x log", kInvalid}, Row{"LnOfMinusInfinity", "+/- 1/x ln", kInvalid},
        Row{.name = "SqrtUnderPending", .keys = "2 + 9 sqrt =", .display = " 12"},
        Row{"FactorialUnderPending", "2 + 3 n! =", " 9"},
        Row{"FailedFunctionUnderPending", "2 + 4 +/- sqrt =", "-4"},
        // the factorial chain
        Row{"FactorialZero", "0 n!", " 1"}, Row{"FactorialFive", "5 n!", " 120"},
        Row{"FactorialTen", "10 n!", " 3628800"}, Row{"FactorialHalfDown", "2.5 n!", " 2"},
        Row{"FactorialHalfUp", "3.5 n!", " 24"}, Row{"FactorialHalf", ".5 n!", " 1"},
        Row{"Factorial24", "24 n!", " 6.204485E+23"}, Row{"Factorial34", "34 n!", " 2.952328E+38"},
        Row{"Factorial34Half", "34.5 n!", " 2.952328E+38"},
        Row{.name = "Factorial35", .keys = "35 n!", .display = " Infinity", .result = kInf,
            .newEntry = true},
        Row{"FactorialBeyond16Bits", "40000 n!", " Infinity"},
        Row{"FactorialBeyondSingle", k1E39 + " n!", " Infinity"},
        Row{"FactorialMinusZero", "+/- n!", " 1"},
        Row{.name = "FactorialNegative", .keys = ".4 +/- n!", .display = kInvalid, .result = 0,
            .newEntry = true},
        Row{.name = "FactorialNegativeKeepsResult", .keys = "5 n! 3 +/- n!", .display = kInvalid,
            .result = 120},
        Row{"FactorialOfMessage", "4 +/- sqrt n!", " 1"},
        Row{.name = "FactorialNaN", .keys = "5 n! 'NaN n!", .display = kInvalid, .result = 120},
        Row{"FactorialOfPi", "pi n!", " 6"}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Trig, Keys,
    testing::Values(
        Row{.name = "Sin30", .keys = "30 sin", .display = "0.5", .result = 0.5f, .op = "", .newEntry = true},
        Row{"Sin90", "90 sin", "1"}, Row{"Cos90", "90 cos", "0"}, Row{"Sin180", "180 sin", "0"},
        Row{"Cos180", "180 cos", "-1"}, Row{"Tan45", "45 tan", "1"}, Row{"Cos60", "60 cos", "0.5"},
        Row{"Cos0", "0 cos", "1"}, Row{"Tan180", "180 tan", "0"}, Row{"Tan135", "135 tan", "-1"},
        Row{"Sin390", "390 sin", "0.5"}, Row{"Sin360", "360 sin", "0"}, Row{"SinMinus90", "90 +/- sin", "-1"},
        Row{"SinMinus30", "30 +/- sin", "-0.5"}, Row{"CosMinus180", "180 +/- cos", "-1"},
        Row{"Sin1", "1 sin", "1.745241E-02"}, Row{"SinTwice", "30 sin sin", "8.726535E-03"},
        Row{.name = "Tan90", .keys = "90 tan", .display = kInvalid, .result = 0, .newEntry = true},
        Row{"Tan270", "270 tan", kInvalid}, Row{"TanMinus90", "90 +/- tan", kInvalid},
        Row{"Tan450", "450 tan", kInvalid},
        Row{.name = "TanPoleKeepsResult", .keys = "5 n! 90 tan", .display = kInvalid, .result = 120},
        Row{"DigitAfterTrig", "30 sin 5", "5"}, Row{"DigitAfterPole", "90 tan 5", "5"},
        Row{.name = "TrigUnderPending", .keys = "2 + 30 sin", .display = "0.5", .op = "+", .operand1 = 2},
        Row{"TrigResultAsRightOperand", "2 + 30 sin =", " 2.5"},
        Row{"SinOfMessage", "5 / 0 = sin", "0"}, Row{"CosOfMessage", "5 / 0 = cos", "1"},
        Row{"TanOfMessage", "5 / 0 = tan", "0"}, Row{"SinOfInfinity", "0 1/x sin", "NaN"},
        Row{"TanOfMinusInfinity", "+/- 1/x tan", "NaN"}, Row{"CosOfNaN", "0 / 0 = cos", "NaN"},
        Row{"RadiansSinOfInfinity", "RAD 0 1/x sin", "NaN"},
        Row{"RadiansSin", "RAD 1 sin", "0.841471"}, Row{"RadiansCos", "RAD 1 cos", "0.5403023"},
        Row{"RadiansTan", "RAD 1 tan", "1.557408"}, Row{"RadiansTan90", "RAD 90 tan", "-1.9952"},
        Row{"DegreesAgain", "RAD 1 sin DEG 1 sin", "1.745241E-02"},
        Row{"ClearKeepsMode", "RAD C 1 sin", "0.841471"},
        Row{.name = "ModeKeysKeepEntry", .keys = "12 RAD 3 DEG 4", .display = "1234", .newEntry = false}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Memory, Keys,
    testing::Values(
        Row{.name = "StoreSurvivesClear", .keys = "12.5 M C MR", .display = "12.5", .memory = 12.5f},
        Row{.name = "FullMemoryIgnoresM", .keys = "7 M C 12 M", .display = "12", .memory = 7},
        Row{.name = "StoreAfterMC", .keys = "7 M C 12 M MC 12 M", .display = "12", .memory = 12},
        Row{.name = "AddTwice", .keys = "C 5 M+ M+", .display = "5", .memory = 10},
        Row{.name = "SumToZeroEmpties", .keys = "5 M C 5 +/- M+", .display = "-5", .memory = 0},
        Row{.name = "StoreAfterSumToZero", .keys = "5 M C 5 +/- M+ M", .display = "-5", .memory = -5},
        Row{.name = "AddsDisplayUnrounded", .keys = "1 M C 16777216.5 M+", .display = "16777216.5",
            .memory = 16777218},
        Row{"RecallAddedSum", "1 M C 16777216.5 M+ MR", "1.677722E+07"},
        Row{.name = "StoresResultText", .keys = "C 2 + 3 = M", .display = " 5", .memory = 5},
        Row{.name = "StoresAfterSignBlank", .keys = "'-_5 M", .display = "- 5", .memory = -5},
        Row{"RecallReplacesEntry", "12 M C 5 MR", "12"}, Row{"DigitExtendsRecall", "12 M C 5 MR 3", "123"},
        Row{"RecallAsOperand", "12 M C 2 + MR =", " 14"}, Row{"RecallHalf", ".5 M MR", "0.5"},
        Row{"RecallNegative", "12 +/- M MR", "-12"}, Row{"RecallEmpty", "MR", "0"},
        Row{.name = "ClearMemoryKeepsPending", .keys = "C 2 + 3 MC =", .display = " 2", .memory = 0},
        Row{"DigitReplacesClearedMemory", "C 4 5 MC 6", "6"},
        Row{.name = "MemoryKeysKeepEntry", .keys = "2 + 3 M+ MR", .display = "3", .result = 0, .op = "+",
            .newEntry = false, .memory = 3, .operand1 = 2},
        Row{.name = "MOnMessageWithFullMemory", .keys = "7 M 5 / 0 = M", .display = kDiv0, .memory = 7},
        // error paths change nothing
        Row{.name = "MOnMessage", .keys = "5 / 0 = M", .display = kDiv0, .newEntry = true, .memory = 0},
        Row{.name = "MBeyondSingle", .keys = k1E39 + " M", .display = k1E39, .memory = 0},
        Row{.name = "MOnMalformedText", .keys = "'1_2 M", .display = "1 2", .memory = 0},
        Row{.name = "MPlusOnMessage", .keys = "3 M 5 / 0 = M+", .display = kDiv0, .memory = 3},
        Row{.name = "MPlusOnInvalid", .keys = "3 M 4 +/- sqrt M+", .display = kInvalid, .memory = 3},
        Row{.name = "MPlusBeyondSingle", .keys = "3 M C " + k1E39 + " M+", .display = k1E39, .memory = 3},
        Row{.name = "MPlusBeyondDouble", .keys = "3 M '1E+400 M+", .display = "1E+400", .memory = 3},
        Row{.name = "MPlusSumOverflows", .keys = k3E38 + " M M+", .display = k3E38, .memory = 3e38f},
        Row{"RecallAfterFailedMPlus", "3 M 5 / 0 = M+ MR", "3"},
        Row{.name = "MPlusOnInfinityKeepsMemory", .keys = "3 M C 0 1/x M+", .display = " Infinity", .memory = 3},
        Row{.name = "MPlusOnNaNKeepsMemory", .keys = "3 M C 0 / 0 = M+", .display = " NaN", .memory = 3},
        Row{.name = "MinusZeroIsEmpty", .keys = "+/- M C 7 M", .display = "7", .memory = 7}),
    rowName);

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

// ---- start-up and the angle switch -----------------------------------------------------------------------

TEST(Start, FormLoadState)
{
    Keypad pad;
    const auto& state = pad.calc.state();
    EXPECT_EQ(pad.window.display, "0");
    EXPECT_FALSE(state.blnNewEntry);
    EXPECT_EQ(state.strOperator, "");
    EXPECT_EQ(state.strFunction, "");
    EXPECT_EQ(state.strTrig, "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(state.varAngleFactor));
    EXPECT_TRUE(pad.window.deg);
    EXPECT_FALSE(pad.window.rad);
}

TEST(AngleMode, OptionClicksKeepTheButtonsExclusive)
{
    Keypad pad;
    pad.type("RAD");
    EXPECT_TRUE(pad.window.rad);
    EXPECT_FALSE(pad.window.deg);
    pad.type("RAD");
    EXPECT_TRUE(pad.window.rad);
    EXPECT_FALSE(pad.window.deg);
    pad.type("DEG");
    EXPECT_TRUE(pad.window.deg);
    EXPECT_FALSE(pad.window.rad);
}

TEST(AngleMode, FactorAndCaptionOfTheLastTrigKey)
{
    Keypad pad;
    pad.type("30 sin");
    EXPECT_EQ(pad.calc.state().strTrig, "sin");
    ASSERT_TRUE(std::holds_alternative<double>(pad.calc.state().varAngleFactor));
    EXPECT_EQ(std::get<double>(pad.calc.state().varAngleFactor), 0.017453292519943295);
    pad.type("RAD 1 tan");
    EXPECT_EQ(pad.calc.state().strTrig, "tan");
    ASSERT_TRUE(std::holds_alternative<std::int16_t>(pad.calc.state().varAngleFactor));
    EXPECT_EQ(std::get<std::int16_t>(pad.calc.state().varAngleFactor), 1);
    pad.type("C 2 log");
    EXPECT_EQ(pad.calc.state().strFunction, "log");
    EXPECT_EQ(pad.calc.state().strTrig, "tan");
}

} // namespace
