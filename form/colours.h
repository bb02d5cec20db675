// The window's colours: fixed ones where the table fixes them, the desktop's system colours elsewhere, and
// every text readable on its background.
#pragma once

#include "numtext/plain_double.h"

namespace form {

struct Rgb {
    int red, green, blue;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

enum class SystemColour { None, WindowText, ButtonFace, ButtonText, ActiveBorder, ApplicationWorkspace };

// A colour of the control table: one of the desktop's system colours, or a fixed one (system None).
struct Colour {
    SystemColour system;
    Rgb fixed;
};

// The system colours as a front-end reads them from its desktop.
struct SystemColours {
    Rgb windowText, buttonFace, buttonText, activeBorder, applicationWorkspace;
    friend constexpr bool operator==(const SystemColours&, const SystemColours&) = default;
};

// Windows' classic scheme: what a desktop without a colour scheme of its own shows.
inline constexpr SystemColours kClassicColours{
    {0, 0, 0}, {240, 240, 240}, {0, 0, 0}, {180, 180, 180}, {171, 171, 171}};

constexpr Colour systemColour(SystemColour system)
{
    return {system, {}};
}
constexpr Colour fixedColour(Rgb rgb)
{
    return {SystemColour::None, rgb};
}

Rgb resolve(Colour colour, const SystemColours& system);

// The contrast ratio of two colours as WCAG 2 defines it: 1 (none) to 21 (black on white).
double contrast(Rgb a, Rgb b);

// `text` where it reads on `back` at 4.5:1 or better (WCAG AA), else black or white, whichever reads better.
Rgb readable(Rgb text, Rgb back);

} // namespace form
