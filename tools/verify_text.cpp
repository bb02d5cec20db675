// Checks the number text of every Single bit pattern against a second, printf-based formulation of the rule.
// Usage: verify_text [first count]: the positive patterns first..first+count-1 (default all 2^31), each with
// its negative twin.
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Expected {
    std::string single, result; // singleText and resultText
    float reread;               // the Single nearest to the shown 7-digit decimal
};

// The 7 digits come from printf's correctly rounded %.6E; the layout rule is stated in terms of the plain
// decimal: write the shown value out in full, and keep that form when it has at most 7 digits (a lone zero
// before the point does not count), else use d.dddE+XX.
Expected expectedText(float x)
{
    if (std::isnan(x))
        return {"NaN", " NaN", x};
    const std::string sign = std::signbit(x) ? "-" : "";
    if (x == 0)
        return {"0", " 0", 0.0f};
    if (std::isinf(x))
        return {sign + "Infinity", (sign.empty() ? " " : "-") + std::string("Infinity"), x};

    char printed[32];
    std::snprintf(printed, sizeof printed, "%.6E", static_cast<double>(std::fabs(x)));
    std::string digits = std::string(1, printed[0]) + std::string(printed + 2, 6);
    const int exponent = std::atoi(printed + 9);
    digits.erase(digits.find_last_not_of('0') + 1);
    const int k = static_cast<int>(digits.size());

    const int before = exponent + 1; // digits before the point in the plain form
    std::string plain;
    int plainDigits;
    if (before >= k) {
        plain = digits + std::string(before - k, '0');
        plainDigits = before;
    } else if (before > 0) {
        plain = digits.substr(0, before) + "." + digits.substr(before);
        plainDigits = k;
    } else {
        plain = "0." + std::string(-before, '0') + digits;
        plainDigits = -before + k;
    }

    std::string shown;
    if (plainDigits <= 7) {
        shown = plain;
    } else {
        char power[16]; // room for any int, though the exponent has at most 3 digits
        std::snprintf(power, sizeof power, "E%+03d", exponent);
        shown = digits.substr(0, 1) + (k > 1 ? "." + digits.substr(1) : "") + power;
    }
    const std::string result = (sign.empty() ? " " : "-") + (shown.starts_with("0.") ? shown.substr(1) : shown);
    const float reread = std::strtof((sign + printed).c_str(), nullptr); // the C locale: never set otherwise
    return {sign + shown, result, reread};
}

bool same(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

struct Report {
    std::atomic<std::uint64_t> checked{0}, disagreements{0};
    std::mutex mutex;
    std::vector<std::string> first;

    void disagree(std::uint32_t bits, const std::string& what)
    {
        if (disagreements++ >= 10)
            return;
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08X", bits);
        const std::lock_guard lock(mutex);
        first.push_back(std::string(hex) + ": " + what);
    }
};

void check(std::uint32_t bits, const Expected& want, Report& report)
{
    const float x = std::bit_cast<float>(bits);
    const std::string single = numtext::singleText(x);
    if (single != want.single)
        report.disagree(bits, "singleText \"" + single + "\", expected \"" + want.single + "\"");
    const std::string result = numtext::resultText(x);
    if (result != want.result)
        report.disagree(bits, "resultText \"" + result + "\", expected \"" + want.result + "\"");
    try {
        const float reread = numtext::textToSingle(single);
        if (!same(reread, want.reread))
            report.disagree(bits, "textToSingle(\"" + single + "\") is not the nearest Single");
    } catch (const numtext::RuntimeError& error) {
        report.disagree(bits, "textToSingle(\"" + single + "\") raised " + std::to_string(error.number()));
    }
}

// x and -x share the digits: the negative's expected text is derived from the positive's, as printf is slow.
void checkPair(std::uint32_t positive, Report& report)
{
    const Expected want = expectedText(std::bit_cast<float>(positive));
    check(positive, want, report);
    const std::uint32_t negative = positive | 0x8000'0000u;
    const float x = std::bit_cast<float>(negative);
    if (std::isnan(x) || x == 0)
        check(negative, want, report);
    else if (std::isinf(x))
        check(negative, {"-Infinity", "-Infinity", x}, report);
    else
        check(negative, {"-" + want.single, "-" + want.result.substr(1), -want.reread}, report);
}

} // namespace

int main(int argc, char** argv)
{
    const std::uint64_t first = argc > 1 ? std::strtoull(argv[1], nullptr, 0) : 0;
    const std::uint64_t count = argc > 2 ? std::strtoull(argv[2], nullptr, 0) : (std::uint64_t{1} << 31) - first;
    const std::uint64_t end = first + count;
    constexpr std::uint64_t kChunk = 1 << 16;

    Report report;
    std::atomic<std::uint64_t> next{first};
    const auto start = std::chrono::steady_clock::now();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < cores; ++i)
        workers.emplace_back([&] {
            for (std::uint64_t from; (from = next.fetch_add(kChunk)) < end;) {
                const std::uint64_t to = std::min(from + kChunk, end);
                for (std::uint64_t bits = from; bits < to; ++bits)
                    checkPair(static_cast<std::uint32_t>(bits), report);
                const std::uint64_t checked = report.checked += 2 * (to - from);
                if (checked % (std::uint64_t{1} << 28) < 2 * kChunk)
                    std::fprintf(stderr, "%llu patterns checked, %llu disagreements\n",
                                 static_cast<unsigned long long>(checked),
                                 static_cast<unsigned long long>(report.disagreements.load()));
            }
        });
    for (std::thread& worker : workers)
        worker.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    for (const std::string& line : report.first)
        std::printf("%s\n", line.c_str());
    std::printf("checked %llu patterns on %u threads in %.1f s: %llu disagreements\n",
                static_cast<unsigned long long>(report.checked.load()), cores, seconds,
                static_cast<unsigned long long>(report.disagreements.load()));
    return report.disagreements == 0 && report.checked == 2 * count ? 0 : 1;
}
