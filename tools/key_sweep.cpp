// key-sweep: types generated arguments on the keypad and presses every function key on each, printing the
// display after each key, so that two builds (Linux, Windows under Wine) can be compared byte for byte.
//   key-sweep [--count N] [--seed S]   one line per argument: its text, then the display after each key
//   key-sweep --keys [...]             the same clicks as keys for calc-replay, one argument a line
// The arguments are made from the random generator's raw bits and plain digit code, nothing whose last
// bits a library decides, so that every build sweeps the same ones.
#include "form/form.h"
#include "tools/replay.h"

#include <cstdint>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

struct NoView : form::View {
    void showDisplay(std::string_view) override {}
    void showOption(engine::AngleOption, bool) override {}
    void announce(std::string_view) override {}
    void unload() override {}
    void end() override {}
    void showAbout() override {}
    void copy(std::string_view) override {}
};

class Arguments {
public:
    explicit Arguments(std::uint64_t seed) : m_random(seed) {}

    // The next argument as typed: plain digits and a point, a leading minus for +/-.
    std::string next()
    {
        switch (m_count++ % 4) {
        case 0: return decimal(1, 4, -3, 5);    // what people type: 30, .5, 1234
        case 1: return decimal(1, 9, -46, 39);  // the whole Single range
        case 2: return decimal(10, 17, -30, 39); // long entries, radians up to 1E+39
        default: return angle();                 // at and near the right angles
        }
    }

    // An exponent for Xy: whole numbers, halves and short fractions of both signs.
    std::string exponent()
    {
        const std::string sign = below(2) ? "-" : "";
        switch (below(3)) {
        case 0: return sign + std::to_string(below(41));
        case 1: return sign + std::to_string(below(20)) + ".5";
        default: return decimal(1, 3, -1, 1); // its own sign, not a second one (a minus key)
        }
    }

private:
    std::uint64_t below(std::uint64_t n) { return m_random() % n; }

    // Significant digits (fewest to most of them, random) times 10^(lowest to highest), written out without an
    // exponent, of either sign. One draw a statement, in this order: a call's arguments have none in C++.
    std::string decimal(int fewest, int most, int lowest, int highest)
    {
        const int exponent = lowest + int(below(highest - lowest + 1));
        const int digits = fewest + int(below(most - fewest + 1));
        std::string text(1, char('1' + below(9)));
        for (int i = 1; i < digits; ++i)
            text += char('0' + below(10));
        const int point = digits + exponent; // digits before the point
        if (point <= 0)
            text = "0." + std::string(-point, '0') + text;
        else if (point < int(text.size()))
            text.insert(point, ".");
        else
            text += std::string(point - text.size(), '0');
        return (below(2) ? "-" : "") + text;
    }

    std::string angle()
    {
        std::string text = std::to_string(below(4) ? 15 * below(100) : 90 * below(1'000'000));
        if (below(2))
            text += below(2) ? ".5" : "." + std::string(below(12), '0') + "1";
        return (below(2) ? "-" : "") + text;
    }

    std::mt19937_64 m_random; // its sequence is fixed by the standard
    std::uint64_t m_count = 0;
};

// The keys that type `text`: its digits and point, then +/- for a minus.
std::vector<std::string> typing(const std::string& text)
{
    std::vector<std::string> keys;
    for (const char c : text.substr(text[0] == '-'))
        keys.emplace_back(1, c);
    if (text[0] == '-')
        keys.emplace_back("+/-");
    return keys;
}

// Every function key on one argument, each from a cleared display; Xy raises it to `exponent`.
std::vector<std::vector<std::string>> clicks(const std::string& argument, const std::string& exponent)
{
    std::vector<std::vector<std::string>> runs;
    const auto run = [&](std::vector<std::string> before, std::vector<std::string> after) {
        before.emplace_back("C");
        for (const std::string& key : typing(argument))
            before.push_back(key);
        before.insert(before.end(), after.begin(), after.end());
        runs.push_back(before);
    };
    for (const char* key : {"sqrt", "X2", "X3", "1/x", "log", "ln", "n!"})
        run({}, {key});
    for (const char* unit : {"DEG", "RAD"})
        for (const char* key : {"sin", "cos", "tan"})
            run({unit}, {key});
    std::vector<std::string> power = {"Xy"};
    for (const std::string& key : typing(exponent))
        power.push_back(key);
    power.emplace_back("=");
    run({"DEG"}, power);
    return runs;
}

} // namespace

int main(int argc, char* argv[])
{
    bool keysOnly = false;
    long long count = 1'000'000;
    std::uint64_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keys")
            keysOnly = true;
        else if (arg == "--count" && i + 1 < argc)
            count = std::stoll(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = std::stoull(argv[++i]);
        else {
            std::cerr << "usage: key-sweep [--keys] [--count N] [--seed S]\n";
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);
    Arguments arguments(seed);
    NoView view;
    form::Form form(view);
    std::string line;
    for (long long n = 0; n < count; ++n) {
        const std::string argument = arguments.next();
        line = argument;
        for (const std::vector<std::string>& run : clicks(argument, arguments.exponent())) {
            for (const std::string& key : run) {
                if (keysOnly)
                    line += " " + key;
                else
                    form.click(*replay::controlFor(key));
            }
            if (!keysOnly)
                line += "\t" + form.displayText();
        }
        std::cout << (keysOnly ? line.substr(argument.size() + 1) : line) << '\n';
    }
    return 0;
}
