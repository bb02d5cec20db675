// Keys on a very long display text: each key's cost may grow with the text, but no faster than linearly.
#include "fake_display.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A digit typed onto n digits; the text is cut back to n digits so that every key sees the same length.
void DigitOnLongText(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    testing_support::Keypad pad;
    pad.window.display = std::string(n, '7');
    for (auto _ : state) {
        pad.calc.Digit_Click(5);
        pad.window.display.resize(n);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(DigitOnLongText)->RangeMultiplier(10)->Range(1'000, 100'000)->Complexity(benchmark::oN);

// Any other key on n typed digits (the text is typed again before each key).
void KeyOnLongText(benchmark::State& state, const char* key)
{
    const std::string digits(static_cast<std::size_t>(state.range(0)), '7');
    testing_support::Keypad pad;
    for (auto _ : state) {
        pad.window.display = digits;
        pad.press(key);
    }
    state.SetComplexityN(state.range(0));
}
#define LONG_TEXT_KEY(name, key)                                                                             \
    BENCHMARK_CAPTURE(KeyOnLongText, name, key)                                                             \
        ->RangeMultiplier(10)                                                                               \
        ->Range(1'000, 100'000)                                                                             \
        ->Complexity(benchmark::oN)
LONG_TEXT_KEY(Equals, "=");
LONG_TEXT_KEY(Plus, "+");
LONG_TEXT_KEY(Point, ".");
LONG_TEXT_KEY(PlusMinus, "+/-");
LONG_TEXT_KEY(Sqrt, "sqrt");
LONG_TEXT_KEY(Sin, "sin");
LONG_TEXT_KEY(MemoryPlus, "M+");

// 100 000 digits typed one key at a time, then =.
void Type100000Digits(benchmark::State& state)
{
    for (auto _ : state) {
        testing_support::Keypad pad;
        for (int i = 0; i < 100'000; ++i)
            pad.calc.Digit_Click(static_cast<std::int16_t>(1 + i % 9));
        pad.calc.Egalite_Click();
        if (pad.window.display != " Infinity")
            state.SkipWithError("= on 100 000 digits did not show Infinity");
    }
}
BENCHMARK(Type100000Digits)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
