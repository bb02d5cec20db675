// Developer tool: the engine's elementary functions against the C library's over millions of arguments.
// Usage: math_sweep [scale] [differences-file]; scale multiplies every argument count (default 1).
#include "engine/elementary.h"
#include "numtext/numtext.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace el = engine::elementary;
using Random = std::mt19937_64;
using Arguments = std::pair<double, double>;

// One kind of argument: count thousand draws of a generator.
struct Source {
    const char* name;
    long thousands;
    std::function<Arguments(Random&)> draw;
};

// The function the engine computes and the C library's, on one or two arguments.
struct Function {
    const char* name;
    std::function<double(double, double)> ours, library;
    std::vector<Source> sources;
};

constexpr double kDegreesFactor = std::numbers::pi / 180; // as engine/trig.cpp

bool same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

double uniform(Random& random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

int integer(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// Any bit pattern: every finite double equally likely by its bits, a few infinities and NaNs.
double anyDouble(Random& random)
{
    return std::bit_cast<double>(random());
}

double anyFloat(Random& random)
{
    return std::bit_cast<float>(static_cast<std::uint32_t>(random()));
}

// A float with its exponent between the given powers of two, either sign.
double floatBetween(Random& random, int low, int high)
{
    const auto bits = static_cast<std::uint32_t>(random()) & 0x807fffffu;
    return std::bit_cast<float>(bits | static_cast<std::uint32_t>(integer(random, low, high) + 127) << 23);
}

double doubleBetween(Random& random, int low, int high)
{
    const std::uint64_t bits = random() & 0x800fffffffffffffu;
    return std::bit_cast<double>(bits | static_cast<std::uint64_t>(integer(random, low, high) + 1023) << 52);
}

// A decimal text of 1 to 17 significant digits read as the display is read.
double decimalText(Random& random, int lowExponent, int highExponent)
{
    std::string text = random() % 2 ? "-" : "";
    const int digits = integer(random, 1, 17);
    text += static_cast<char>('1' + random() % 9);
    text += '.';
    for (int i = 1; i < digits; ++i)
        text += static_cast<char>('0' + random() % 10);
    text += "E" + std::to_string(integer(random, lowExponent, highExponent));
    return numtext::textToNumber(text);
}

// The display's 7 digits of a Single near k pi/2, read back: what sin reads after a result.
double nearHalfPiText(Random& random)
{
    const double k = std::floor(std::exp2(uniform(random, 0, 24)));
    const long double x = static_cast<long double>(k) * std::numbers::pi_v<long double> / 2;
    return numtext::textToNumber(numtext::singleText(static_cast<float>(x)));
}

// The doubles nearest k pi/2 and a few ulps either side, k up to 2^40.
double nearHalfPi(Random& random)
{
    const double k = std::floor(std::exp2(uniform(random, 0, 40)));
    const auto x = static_cast<double>(static_cast<long double>(k) * std::numbers::pi_v<long double> / 2);
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) + integer(random, -4, 4));
}

// Named arguments of the display's history: the radians that once differed between platforms.
double named(Random& random)
{
    constexpr double kNamed[] = {1e22,
                                 1e19,
                                 1e17,
                                 1e15,
                                 3.4028235e38,
                                 3.4028234663852886e38,
                                 1e300,
                                 1e308,
                                 0x1.aea4e6126bb95p+13,
                                 6381956970095103.0 * 0x1p797,
                                 3.141593,
                                 1.570796};
    return kNamed[random() % std::size(kNamed)];
}

double special(Random& random)
{
    constexpr double kSpecial[] = {
        0.0, -0.0,   INFINITY, -INFINITY, NAN,    1,         -1,     0.5,         -0.5,       2,   -2,  3,
        -3,  1e-310, -1e-310,  1e308,     -1e308, 0x1p-1074, 0x1p53, -0x1p53 - 2, 0x1p53 + 2, 1.5, -2.5};
    return kSpecial[random() % std::size(kSpecial)];
}

using Unary = double (*)(Random&);

// A source of one argument; the second is unused.
Source one(const char* name, long thousands, Unary draw)
{
    return {name, thousands, [draw](Random& random) { return Arguments{draw(random), 0}; }};
}

std::vector<Source> trigSources()
{
    return {one("any double", 2000, anyDouble),
            one("any float", 2000, anyFloat),
            one("decimal text", 1000, [](Random& r) { return decimalText(r, -20, 40); }),
            one("radians 2^20..2^128", 1500, [](Random& r) { return doubleBetween(r, 20, 128); }),
            one("radians 2^128..2^1023", 500, [](Random& r) { return doubleBetween(r, 128, 1023); }),
            one("near k pi/2", 1000, nearHalfPi),
            one("near k pi/2, 7 digits", 1000, nearHalfPiText),
            one("named", 1, named)};
}

// The degree path of engine/trig.cpp without its exact right angles, which do not call the function.
std::vector<Source> degreeSources()
{
    return {one("any float", 1000, anyFloat),
            one("decimal text", 1000, [](Random& r) { return decimalText(r, -5, 40); }),
            one("whole degrees", 500,
                [](Random& r) { return static_cast<double>(integer(r, -100000, 100000)); })};
}

double degrees(double (*function)(double), double (*remainder)(double, double), double x)
{
    return remainder(x, 90) == 0 ? 0 : function(remainder(x, 360) * kDegreesFactor);
}

std::vector<Source> logSources()
{
    return {one("any double", 2000, [](Random& r) { return std::fabs(anyDouble(r)); }),
            one("any float", 2000, [](Random& r) { return std::fabs(anyFloat(r)); }),
            one("decimal text", 1000, [](Random& r) { return std::fabs(decimalText(r, -45, 38)); }),
            one("near 1", 1000, [](Random& r) { return 1 + doubleBetween(r, -60, -1); }),
            one("subnormal", 500, [](Random& r) { return std::bit_cast<double>(r() >> 12); }),
            one("special", 1, special)};
}

Source pairs(const char* name, long thousands, std::function<Arguments(Random&)> draw)
{
    return {name, thousands, std::move(draw)};
}

// y with x^y near e^t: results at the ends of the range, overflowing, subnormal, underflowing.
Arguments nearRangeEnd(Random& random)
{
    const double x = std::fabs(floatBetween(random, -20, 20));
    const double t = random() % 2 ? uniform(random, 700, 712) : uniform(random, -760, -700);
    return {x, static_cast<float>(t / std::log(x))};
}

std::vector<Source> powSources()
{
    return {pairs("float pairs", 2000,
                  [](Random& r) {
                      return Arguments{anyFloat(r), floatBetween(r, -24, 10)};
                  }),
            pairs("float base, whole exponent", 2000,
                  [](Random& r) {
                      return Arguments{floatBetween(r, -30, 30), integer(r, -300, 300)};
                  }),
            pairs("decimal texts", 1000,
                  [](Random& r) {
                      return Arguments{decimalText(r, -10, 10), decimalText(r, -3, 3)};
                  }),
            pairs("negative base", 1000,
                  [](Random& r) {
                      const double y = r() % 2 ? integer(r, -2000, 2000) : floatBetween(r, -5, 24);
                      return Arguments{-std::fabs(floatBetween(r, -10, 10)), y};
                  }),
            pairs("results at the range's ends", 1000, nearRangeEnd),
            pairs("any doubles", 1000,
                  [](Random& r) {
                      return Arguments{anyDouble(r), anyDouble(r)};
                  }),
            pairs("specials", 20,
                  [](Random& r) {
                      return Arguments{special(r), special(r)};
                  }),
            pairs("named", 1, [](Random&) {
                return Arguments{1.1, 100};
            })};
}

std::vector<Source> fmodSources()
{
    return {pairs("any doubles", 2000,
                  [](Random& r) {
                      return Arguments{anyDouble(r), anyDouble(r)};
                  }),
            pairs("by 360 and 90", 1000,
                  [](Random& r) {
                      return Arguments{anyFloat(r), r() % 2 ? 360.0 : 90.0};
                  }),
            pairs("specials", 20, [](Random& r) {
                return Arguments{special(r), special(r)};
            })};
}

std::vector<Source> wholeSources()
{
    return {one("any double", 2000, anyDouble),
            one("halves", 1000, [](Random& r) { return integer(r, -70000, 70000) + 0.5; }),
            one("small", 1000, [](Random& r) { return doubleBetween(r, -3, 53); }),
            one("special", 1, special)};
}

std::vector<Function> functions()
{
    const auto unary = [](double (*f)(double)) { return [f](double x, double) { return f(x); }; };
    const auto binary = [](double (*f)(double, double)) {
        return [f](double x, double y) { return f(x, y); };
    };
    const auto inDegrees = [](double (*f)(double), double (*remainder)(double, double)) {
        return [f, remainder](double x, double) { return degrees(f, remainder, x); };
    };
    const auto log10Key = [](double (*f)(double)) { return [f](double x, double) { return f(x) / f(10); }; };
    return {
        {"sin", unary(el::sin), unary(std::sin), trigSources()},
        {"cos", unary(el::cos), unary(std::cos), trigSources()},
        {"tan", unary(el::tan), unary(std::tan), trigSources()},
        {"sin degrees", inDegrees(el::sin, el::fmod), inDegrees(std::sin, std::fmod), degreeSources()},
        {"cos degrees", inDegrees(el::cos, el::fmod), inDegrees(std::cos, std::fmod), degreeSources()},
        {"tan degrees", inDegrees(el::tan, el::fmod), inDegrees(std::tan, std::fmod), degreeSources()},
        {"log", unary(el::log), unary(std::log), logSources()},
        {"log key (ln x / ln 10)", log10Key(el::log), log10Key(std::log), logSources()},
        {"pow", binary(el::pow), binary(std::pow), powSources()},
        {"fmod", binary(el::fmod), binary(std::fmod), fmodSources()},
        {"sqrt", unary(el::sqrt), unary(std::sqrt), logSources()},
        {"roundHalfEven", unary(el::roundHalfEven), unary(std::nearbyint), wholeSources()},
        {"isInteger", [](double x, double) { return el::isInteger(x) ? 1.0 : 0.0; },
         [](double x, double) { return std::isfinite(x) && std::trunc(x) == x ? 1.0 : 0.0; }, wholeSources()},
    };
}

} // namespace

int main(int argc, char** argv)
{
    const double scale = argc > 1 ? std::atof(argv[1]) : 1;
    std::FILE* differences = argc > 2 ? std::fopen(argv[2], "w") : nullptr;
    std::printf("%-24s %-30s %10s %14s %14s %8s\n", "function", "arguments", "tried", "doubles differ",
                "floats differ", "seconds");
    long floatsDiffering = 0;
    for (const Function& function : functions()) {
        Random random(20240611);
        long tried = 0, doubles = 0, floats = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const Source& source : function.sources) {
            long sourceDoubles = 0, sourceFloats = 0;
            const long count = static_cast<long>(source.thousands * 1000 * scale) + 1;
            for (long i = 0; i < count; ++i) {
                const auto [x, y] = source.draw(random);
                const double ours = function.ours(x, y), library = function.library(x, y);
                if (same(ours, library))
                    continue;
                ++sourceDoubles;
                const bool floatDiffers = !same(static_cast<float>(ours), static_cast<float>(library));
                sourceFloats += floatDiffers;
                if (differences)
                    std::fprintf(differences, "%s|%a|%a|%a|%a\n", function.name, x, y, ours, library);
                if (floatDiffers)
                    std::printf("  FLOAT DIFFERS: %s(%a, %a): ours %a, library %a\n", function.name, x, y,
                                ours, library);
            }
            std::printf("%-24s %-30s %10ld %14ld %14ld\n", function.name, source.name, count, sourceDoubles,
                        sourceFloats);
            tried += count;
            doubles += sourceDoubles;
            floats += sourceFloats;
        }
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::printf("%-24s %-30s %10ld %14ld %14ld %8.1f\n\n", function.name, "all", tried, doubles, floats,
                    seconds.count());
        floatsDiffering += floats;
        std::fflush(stdout);
    }
    if (differences)
        std::fclose(differences);
    return floatsDiffering == 0 ? 0 : 1;
}
