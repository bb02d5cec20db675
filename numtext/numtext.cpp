// Number <-> display text: a scanner shared by the lenient and strict readers, and the 7-digit writer.
#include "numtext/numtext.h"

#include "numtext/runtime_error.h"


#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace numtext {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number read from text: value = 0.digits x 10^exponent, digits free of leading and trailing zeros.
struct Scanned {
    enum class Kind { None, Finite, Infinity, NaN } kind = Kind::None;
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

// Reads text left to right; in lenient mode blanks anywhere are invisible.
class Reader {
public:
    Reader(std::string_view text, bool lenient) : m_text(text), m_lenient(lenient) {}

    char peek()
    {
        if (m_lenient)
            skipBlanks();
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    void advance() { ++m_pos; }
    void skipBlanks()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
    }
    bool accept(std::string_view word)
    {
        peek();
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }
    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    std::size_t position() const { return m_pos; }
    void rewind(std::size_t pos) { m_pos = pos; }

private:
    std::string_view m_text;
    bool m_lenient;
    std::size_t m_pos = 0;
};

// Reads [sign] (Infinity | NaN | digits [. digits] [E [sign] digits]); blanks may follow the sign.
// An incomplete exponent is left unread.
Scanned scan(Reader& in)
{
    Scanned out;
    in.skipBlanks();
    if (in.peek() == '+' || in.peek() == '-') {
        out.negative = in.peek() == '-';
        in.advance();
        in.skipBlanks();
    }
    if (in.accept("Infinity")) {
        out.kind = Scanned::Kind::Infinity;
        return out;
    }
    if (in.accept("NaN")) {
        out.kind = Scanned::Kind::NaN;
        return out;
    }

    long long intDigits = 0;
    bool anyDigit = false, seenPoint = false;
    for (char c = in.peek(); isDigit(c) || (c == '.' && !seenPoint); c = in.peek()) {
        in.advance();
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        anyDigit = true;
        if (c == '0' && out.digits.empty()) {
            if (seenPoint)
                --out.exponent;
            continue;
        }
        out.digits += c;
        if (!seenPoint)
            ++intDigits;
    }
    if (!anyDigit)
        return Scanned{};
    out.kind = Scanned::Kind::Finite;
    out.exponent += intDigits;

    const std::size_t beforeExponent = in.position();
    if (in.peek() == 'E' || in.peek() == 'e') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negativeExponent = in.peek() == '-';
            in.advance();
        }
        if (!isDigit(in.peek())) {
            in.rewind(beforeExponent);
        } else {
            long long exponent = 0;
            for (char c = in.peek(); isDigit(c); c = in.peek()) {
                in.advance();
                exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL); // saturate: far past any range
            }
            out.exponent += negativeExponent ? -exponent : exponent;
        }
    }
    while (!out.digits.empty() && out.digits.back() == '0')
        out.digits.pop_back();
    return out;
}

// The nearest T to a scanned number; sets overflow when a finite number lies beyond T's range.
template <class T> T toBinary(const Scanned& number, bool& overflow)
{
    overflow = false;
    const T sign = number.negative ? T(-1) : T(1);
    switch (number.kind) {
    case Scanned::Kind::None:
        return T(0);
    case Scanned::Kind::NaN:
        return std::numeric_limits<T>::quiet_NaN();
    case Scanned::Kind::Infinity:
        return sign * std::numeric_limits<T>::infinity();
    case Scanned::Kind::Finite:
        break;
    }
    if (number.digits.empty())
        return sign * T(0);
    if (number.exponent > 400) {
        overflow = true;
        return sign * std::numeric_limits<T>::infinity();
    }
    if (number.exponent < -400)
        return sign * T(0);

    // 780 digits decide the rounding of any Double; a nonzero digit beyond them only breaks a tie.
    constexpr std::size_t kKeep = 780;
    std::string text = "0.";
    text += std::string_view(number.digits).substr(0, kKeep);
    if (number.digits.size() > kKeep)
        text += '1';
    // More than 19 digits take from_chars's exact integer path: its short one, digits x 10^n in one
    // multiplication, rounds twice in a C++ library built for the x87 (i386).
    if (text.size() < 2 + 20)
        text.append(2 + 20 - text.size(), '0');
    text += 'e';
    text += std::to_string(number.exponent);

    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (number.exponent > 0) {
            overflow = true;
            return sign * std::numeric_limits<T>::infinity();
        }
        return sign * T(0);
    }
    return sign * value;
}

template <class T> T strictConversion(std::string_view text)
{
    Reader in(text, false);
    const Scanned number = scan(in);
    if (number.kind == Scanned::Kind::None || !in.atEnd())
        throw RuntimeError(kTypeMismatch);
    bool overflow = false;
    const T value = toBinary<T>(number, overflow);
    if (overflow)
        throw RuntimeError(kOverflow);
    return value;
}

// The text of |value| (finite, nonzero) with 7 significant digits; leadingZero puts "0" before a leading point.
std::string magnitudeText(float value, bool leadingZero)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, 6).ptr;
    // buffer holds d.dddddde[+-]XX
    std::string digits(1, buffer[0]);
    digits.append(buffer + 2, buffer + 8);
    int exponent = 0;
    const char* exponentStart = buffer + 9 + (buffer[9] == '+' ? 1 : 0);
    std::from_chars(exponentStart, end, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int kept = static_cast<int>(digits.size());

    if (exponent >= 0 && exponent <= 6) {
        if (kept <= exponent + 1)
            return digits + std::string(exponent + 1 - kept, '0');
        return digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
    if (exponent < 0 && (-exponent - 1) + kept <= 7)
        return (leadingZero ? "0." : ".") + std::string(-exponent - 1, '0') + digits;

    std::string text = digits.substr(0, 1);
    if (kept > 1)
        text += "." + digits.substr(1);
    text += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

// reserveSign: a blank stands where a non-negative number has no minus, and a leading point has no zero.
std::string numberText(float value, bool reserveSign)
{
    const std::string blank = reserveSign ? " " : "";
    if (std::isnan(value))
        return blank + "NaN";
    if (value == 0)
        return blank + "0";
    const std::string sign = std::signbit(value) ? "-" : blank;
    if (std::isinf(value))
        return sign + "Infinity";
    return sign + magnitudeText(value, !reserveSign);
}

} // namespace

double textToNumber(std::string_view text)
{
    Reader in(text, true);
    bool overflow = false;
    return toBinary<double>(scan(in), overflow);
}

std::string singleText(float value)
{
    return numberText(value, false);
}

std::string resultText(float value)
{
    return numberText(value, true);
}

float textToSingle(std::string_view text)
{
    return strictConversion<float>(text);
}

double textToDouble(std::string_view text)
{
    return strictConversion<double>(text);
}

std::int16_t roundToInteger(double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < 32769)) // NaN included
        throw RuntimeError(kOverflow);
    // Adding and taking away 2^52 leaves the nearest whole number, a tie to the even one (IEEE arithmetic,
    // the same on every platform, where the C library's rint follows whatever rounding mode is set).
    const double rounded = std::copysign((magnitude + 0x1p52) - 0x1p52, value);
    if (!(rounded >= -32768 && rounded <= 32767))
        throw RuntimeError(kOverflow);
    return static_cast<std::int16_t>(rounded);
}

} // namespace numtext
