// What the window draws itself: the keys' bevels, the display's newest digits, the angle frame's box.
#pragma once

#include "form/form.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace winui {

COLORREF colorRef(form::Rgb rgb);
form::Rgb rgbOf(COLORREF colour);

// A classic bevelled key in its colours, sunken while pressed, with a focus rectangle when it has the focus.
void drawKey(const DRAWITEMSTRUCT& item, std::wstring_view caption, form::ControlColours colours);

// `whole` right-aligned; where it is too wide, its newest characters after an ellipsis at the left.
void drawDisplay(const DRAWITEMSTRUCT& item, std::wstring_view whole, form::ControlColours colours);

// The part of `whole` that fits in `width` pixels in the selected font, as drawDisplay shows it.
std::wstring newestThatFits(HDC dc, std::wstring_view whole, int width);

void drawFrame(const DRAWITEMSTRUCT& item, form::ControlColours colours);

} // namespace winui
