// Arbitrary bytes through the text readers: no crash, the strict readers agree with the lenient one, and a
// shown number reads back to the Single nearest to the digits shown.
#include "numtext/numtext.h"
#include "numtext/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void require(bool holds, const char* what, std::string_view text)
{
    if (!holds)
        std::fprintf(stderr, "%s for \"%.*s\"\n", what, int(text.size()), text.data()), std::abort();
}

const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };

// The strict reading, or nothing and the error number, which must be 13 or 6.
template <class T> std::optional<T> strict(T (*read)(std::string_view), std::string_view text, int& error)
{
    try {
        return read(text);
    } catch (const numtext::RuntimeError& raised) {
        error = raised.number();
        require(error == 13 || error == 6, "a strict reader raised neither 13 nor 6", text);
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double lenient = numtext::textToNumber(text);
    int doubleError = 0, singleError = 0, error = 0;
    const std::optional<double> asDouble = strict(numtext::textToDouble, text, doubleError);
    const std::optional<float> asSingle = strict(numtext::textToSingle, text, singleError);
    require((doubleError == 13) == (singleError == 13), "strict readers disagree on what is a number", text);
    require(!asDouble || same(*asDouble, lenient), "textToDouble differs from textToNumber", text);
    // Rounding straight to Single may differ from rounding through Double only at a Single halfway point.
    const float viaDouble = static_cast<float>(lenient);
    require(!asSingle || same(*asSingle, viaDouble) || (double(*asSingle) + viaDouble) / 2 == lenient,
            "textToSingle is not the Single nearest to textToNumber", text);

    // Whatever Single the text gives, its shown text reads back, both with and without the sign blank.
    const std::string single = numtext::singleText(asSingle.value_or(viaDouble));
    const std::optional<float> reread = strict(numtext::textToSingle, single, error);
    require(reread.has_value(), "textToSingle refuses singleText", single);
    const std::string result = numtext::resultText(asSingle.value_or(viaDouble));
    require(same(numtext::textToSingle(result), *reread), "resultText reads unlike singleText", result);
    // The nearest Single to the 7 digits shown (strtof: correctly rounded, C locale): among subnormals, which
    // hold fewer digits, that may be a neighbour of the Single shown, whose own text then differs.
    require(same(*reread, std::strtof(single.c_str(), nullptr)), "singleText reads back to another Single",
            single);
    return 0;
}
