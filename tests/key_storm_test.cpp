// Random key storms through the engine, and keys on a display of 100 000 typed digits.
#include "key_storm.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <random>
#include <string>

namespace {

using testing_support::KeyStorm;
using testing_support::kStormKeys;

struct StormCase {
    const char* name;
    unsigned seed;
    int digitWeight; // how much likelier a digit is than any other key: higher means longer numbers
};

void PrintTo(const StormCase& row, std::ostream* out)
{
    *out << row.name;
}

class Storm : public testing::TestWithParam<StormCase> {};

TEST_P(Storm, InvariantsHoldAfterEveryKey)
{
    const StormCase& row = GetParam();
    SCOPED_TRACE("seed " + std::to_string(row.seed));
    std::mt19937 random(row.seed);
    std::vector<int> weights(kStormKeys.size(), 1);
    for (int digit = 0; digit < 10; ++digit)
        weights[digit] = row.digitWeight;
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());

    KeyStorm storm;
    std::deque<std::string> recent; // the keys leading up to a failure
    for (int played = 0; played < 100'000; ++played) {
        const std::size_t key = pick(random);
        recent.push_back(kStormKeys[key]);
        if (recent.size() > 40)
            recent.pop_front();
        const std::string fault = storm.play(key);
        if (!fault.empty()) {
            std::string keys;
            for (const std::string& k : recent)
                keys += k + " ";
            FAIL() << fault << " at key " << played << "; last keys: " << keys << "; display \""
                   << storm.pad.window.display << "\"";
        }
    }
}

constexpr StormCase kStormCases[] = {
    {"EveryKeyAlike", 20240611u, 1},
    {"LongNumbers", 7u, 8},
};

INSTANTIATE_TEST_SUITE_P(KeyStorm, Storm, testing::ValuesIn(kStormCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A display of 100 000 copies of `fill` between head and tail, as if typed, then keys.
struct LongCase {
    const char* name;
    const char* head;
    char fill;
    const char* tail;
    const char* keys;
    const char* display;
};

void PrintTo(const LongCase& row, std::ostream* out)
{
    *out << row.name;
}

class LongInput : public testing::TestWithParam<LongCase> {};

TEST_P(LongInput, ReadsAsNumberWithoutHanging)
{
    const LongCase& row = GetParam();
    testing_support::Keypad pad;
    pad.window.display = row.head + std::string(100'000, row.fill) + row.tail;
    EXPECT_EQ(pad.type(row.keys), row.display);
}

constexpr LongCase kLongCases[] = {
    {"EqualsGivesInfinity", "", '9', "", "=", " Infinity"},
    {"NegativeGivesMinusInfinity", "-", '9', "", "=", "-Infinity"},
    {"OperatorCarriesInfinity", "", '9', "", "* 2 =", " Infinity"},
    {"TinyFractionIsZero", "0.", '0', "1", "=", " 0"},
    {"ExponentPushesBackIntoRange", "1", '0', "E-100000", "=", " 1"},
    {"SqrtOfInfinity", "", '9', "", "sqrt", " Infinity"},
    {"MemoryRefusesOverflow", "", '9', "", "M MR", "0"},
    {"MemoryPlusRefusesOverflow", "", '9', "", "M+ MR", "0"},
};

INSTANTIATE_TEST_SUITE_P(KeyStorm, LongInput, testing::ValuesIn(kLongCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
