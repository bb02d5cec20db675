// The window's colours and the contrast of its texts.
#include "form/colours.h"

namespace form {
namespace {

// sRGB to linear light, as WCAG 2 computes relative luminance. A power series instead of the C library's
// pow: exp(2.4 ln c) evaluated in plain arithmetic, good to far better than the ratio's resolution.
double linear(int channel)
{
    const double c = channel / 255.0;
    if (c <= 0.04045)
        return c / 12.92;
    const double base = (c + 0.055) / 1.055; // in (0.09, 1]
    // base^2.4 = base^2 * base^0.4, base^0.4 by Newton's method on y^5 = base^2
    double y = 1;
    for (int i = 0; i < 60; ++i)
        y -= (y * y * y * y * y - base * base) / (5 * y * y * y * y);
    return base * base * y;
}

double luminance(Rgb rgb)
{
    return 0.2126 * linear(rgb.red) + 0.7152 * linear(rgb.green) + 0.0722 * linear(rgb.blue);
}

} // namespace

Rgb resolve(Colour colour, const SystemColours& system)
{
    switch (colour.system) {
    case SystemColour::None:
        return colour.fixed;
    case SystemColour::WindowText:
        return system.windowText;
    case SystemColour::ButtonFace:
        return system.buttonFace;
    case SystemColour::ButtonText:
        return system.buttonText;
    case SystemColour::ActiveBorder:
        return system.activeBorder;
    case SystemColour::ApplicationWorkspace:
        return system.applicationWorkspace;
    }
    return colour.fixed;
}

double contrast(Rgb a, Rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

Rgb readable(Rgb text, Rgb back)
{
    if (contrast(text, back) >= 4.5)
        return text;
    constexpr Rgb black{0, 0, 0}, white{255, 255, 255};
    return contrast(black, back) >= contrast(white, back) ? black : white;
}

} // namespace form
