// Seeded random key storms through the engine, the state's invariants checked after every key.
#include "key_storm.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using testing_support::kStormKeys;

TEST(KeyStorm, KeepsTheInvariants)
{
    // 100 000 keys each: every key alike, then digits eight times likelier than any other key (long numbers)
    const std::pair<unsigned, int> storms[] = {{20240611u, 1}, {7u, 8}};
    for (const auto& [seed, digitWeight] : storms) {
        std::mt19937 random(seed);
        std::vector<int> weights(kStormKeys.size(), 1);
        std::fill_n(weights.begin(), 10, digitWeight);
        std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
        testing_support::KeyStorm storm;
        for (int played = 0; played < 100'000; ++played)
            ASSERT_EQ(storm.play(pick(random)), "")
                << "seed " << seed << ", key " << played << ", display \"" << storm.pad.window.display
                << "\", last keys "
                << storm.keys.substr(storm.keys.size() > 160 ? storm.keys.size() - 160 : 0);
    }
}

} // namespace
