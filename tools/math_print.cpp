// Developer tool: prints the engine's results for a seeded stream of arguments, so that two builds (Linux,
// Windows under Wine) can be compared byte for byte. Usage: math_print COUNT [SEED] > results.txt
#include "fake_display.h"

#include "engine/elementary.h"
#include "numtext/numtext.h"

#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

namespace el = engine::elementary;

// Only the generator's raw bits: the library's distributions may differ between platforms.
std::uint64_t below(std::mt19937_64& random, std::uint64_t n)
{
    return random() % n;
}

// A decimal text of 1 to 17 significant digits, exponent -45 to 45.
std::string decimalText(std::mt19937_64& random)
{
    std::string text = below(random, 2) ? "-" : "";
    text += static_cast<char>('1' + below(random, 9));
    text += '.';
    for (auto digits = below(random, 17); digits > 0; --digits)
        text += static_cast<char>('0' + below(random, 10));
    return text + "E" + std::to_string(static_cast<int>(below(random, 91)) - 45);
}

void print(double value)
{
    std::printf(" %016" PRIx64, std::bit_cast<std::uint64_t>(value));
}

// The display after the keys, the number typed first: the whole path through numtext and the engine.
std::string keys(const std::string& number, std::initializer_list<const char*> keys)
{
    testing_support::Keypad pad;
    pad.window.display = number;
    for (const char* key : keys) {
        if (key[0] == '\'')
            pad.window.display = key + 1;
        else
            pad.press(key);
    }
    return pad.window.display;
}

} // namespace

int main(int argc, char** argv)
{
    const long count = argc > 1 ? std::atol(argv[1]) : 1000;
    std::mt19937_64 random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    for (long i = 0; i < count; ++i) {
        const double x = std::bit_cast<double>(random()), y = std::bit_cast<double>(random());
        const double f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        const double g = std::bit_cast<float>(static_cast<std::uint32_t>(random()) & 0xc3ffffffu); // 2 to 512
        const std::string t = decimalText(random), u = decimalText(random);
        std::printf("%s %s", t.c_str(), u.c_str()); // the arguments first, then the results
        for (const double argument : {x, y, f, g})
            print(argument);
        for (const double a : {x, f})
            for (const double value : {el::sin(a), el::cos(a), el::tan(a), el::log(a), el::sqrt(a)})
                print(value);
        for (const double value : {el::pow(x, y), el::pow(f, g), el::pow(-f, el::roundHalfEven(g)),
                                   el::fmod(x, y), el::fmod(f, 360), el::roundHalfEven(f)})
            print(value);
        print(numtext::textToNumber(t));
        std::string shown;
        for (const auto* mode : {"RAD", "DEG"})
            for (const auto* function : {"sin", "cos", "tan"})
                shown += "|" + keys(t, {mode, function});
        for (const auto* function : {"ln", "log", "sqrt", "n!"})
            shown += "|" + keys(t, {function});
        shown += "|" + keys(t, {"M", "MR"}) + "|" + keys(t, {"M+", "MR"}); // strict Single and Double reading
        shown += "|" + keys(t, {"Xy", ("'" + u).c_str(), "="});
        std::printf(" %s\n", shown.c_str());
    }
}
