// The messages the display shows instead of a number, next to the error each answers.
#pragma once

#include <string_view>

namespace engine {

inline constexpr std::string_view kDivideByZeroMessage = "Cannot divide by 0";          // error 11 after =
inline constexpr std::string_view kInvalidInputMessage = "Invalid input for function";  // error 5

inline bool isMessage(std::string_view text)
{
    return text == kDivideByZeroMessage || text == kInvalidInputMessage;
}

} // namespace engine
