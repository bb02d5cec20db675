// UTF-8 (the form's text) <-> UTF-16 (Windows' text): the only place the two meet.
#pragma once

#include <string>
#include <string_view>

namespace winui {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace winui
