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

// digitWeight: how much likelier a digit is than any other key; higher means longer numbers.
void playStorm(unsigned seed, int digitWeight)
{
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<int> weights(kStormKeys.size(), 1);
    std::fill_n(weights.begin(), 10, digitWeight);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());

    KeyStorm storm;
    std::deque<std::string> recent; // the keys leading up to a failure
    for (int played = 0; played < 100'000; ++played) {
        const std::size_t key = pick(random);
        recent.push_back(kStormKeys[key]);
        if (recent.size() > 40)
            recent.pop_front();
        if (const std::string fault = storm.play(key); !fault.empty()) {
            std::string keys;
            for (const std::string& k : recent)
                keys += k + " ";
            FAIL() << fault << " at key " << played << "; last keys: " << keys << "; display \""
                   << storm.pad.window.display << "\"";
        }
    }
}

TEST(KeyStorm, EveryKeyAlike)
{
    playStorm(20240611u, 1);
}

TEST(KeyStorm, LongNumbers)
{
    playStorm(7u, 8);
}

// A display of 100 000 copies of `fill` between head and tail, as if typed, then keys.
struct LongCase {
    const char* name;
    const char* head;
    char fill;
    const char *tail, *keys, *display;
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
    {"TinyFractionIsZero", "0.", '0', "1", "=", " 0"},
    {"ExponentPushesBackIntoRange", "1", '0', "E-100000", "=", " 1"},
    {"MemoryRefusesOverflow", "", '9', "", "M MR", "0"},
    {"MemoryPlusRefusesOverflow", "", '9', "", "M+ MR", "0"},
};

INSTANTIATE_TEST_SUITE_P(KeyStorm, LongInput, testing::ValuesIn(kLongCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
