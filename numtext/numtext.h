// Conversions between numbers and display text; none of them depends on the process locale.
#pragma once

#include "numtext/plain_double.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace numtext {

// Lenient: skips blanks anywhere, reads the longest leading number (or Infinity / NaN), 0 when none.
double textToNumber(std::string_view text);

// 7 significant digits with the first position reserved for the sign (" 5", "-5", " .5").
std::string resultText(float value);

// The same digits without the reserved blank and with a zero before a leading point ("0.5").
std::string singleText(float value);

// Strict: blanks may surround the text and follow a leading sign; otherwise the whole text must be a number.
// Raise 13 if the text is not a number, 6 if it is finite and beyond the target type's range.
float textToSingle(std::string_view text);
double textToDouble(std::string_view text);

// Nearest integer, a tie to the even one. Raises 6 outside -32768..32767 (and for NaN).
std::int16_t roundToInteger(double value);

} // namespace numtext
