// Samples a drawn calculator window, whatever drew it: each control's fill where no text or bevel is, against
// the colour its scheme gives it, and the contrast of its text with that fill, from its most distinct pixel.
#pragma once

#include "form/form.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// The pixel at (x, y) of the window as drawn, in device pixels.
using PixelAt = std::function<form::Rgb(int x, int y)>;

// The client area starts at (left, top) in device pixels, drawn at `factor` device pixels a logical one.
// Without a scheme, only the fixed colours and the contrasts are checked; with `dark` the keys' face
// and the workspace must be dark; with `contrast` (a contrast theme) every fill is the scheme's button face
// and every text its button text (its most distinct pixel, so near it where smoothed). Returns one line per failure.
inline std::vector<std::string> checkColours(const PixelAt& at, int left, int top, double factor,
                                             std::optional<form::SystemColours> scheme, bool dark = false,
                                             bool contrast = false)
{
    const auto text = [](const form::Rgb& c) {
        return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
    };
    const auto darkEnough = [](const form::Rgb& c) { return form::contrast(c, {0, 0, 0}) <= 3; };
    const auto device = [factor](int twips) { return int(form::twipsToPixels(twips) * factor); };
    std::vector<std::string> failures;
    for (const form::ControlRow& row : form::kControls) {
        int x = row.left, y = row.top;
        if (!row.parent.empty()) {
            const form::ControlRow& parent =
                *std::ranges::find(form::kControls, row.parent, &form::ControlRow::name);
            x += parent.left, y += parent.top;
        }
        const int x0 = left + device(x), y0 = top + device(y);
        const int x1 = x0 + device(row.width) - 1, y1 = y0 + device(row.height) - 1;
        const int margin = int(3 * factor);
        const auto [sx, sy] = row.kind == form::Key      ? std::pair((x0 + x1) / 2, y0 + int(2.5 * factor))
                              : row.kind == form::Option ? std::pair(x1 - margin, y0 + 1)
                              : row.kind == form::Frame  ? std::pair((x0 + x1) / 2, y0 + margin)
                              : row.name == "lblDisplay" ? std::pair(x0 + margin, (y0 + y1) / 2)
                                                         : std::pair(x1 - margin, y1 - margin);
        const form::Rgb back = at(sx, sy);
        const std::string name = form::controlName(row);
        const bool fixed = row.back.system == form::SystemColour::None;
        const form::SystemColours system = scheme.value_or(form::kClassicColours);
        if ((fixed || scheme) && !(back == (contrast ? system.buttonFace : form::resolve(row.back, system))))
            failures.push_back(name + " filled " + text(back));
        if (dark && !fixed && !darkEnough(back))
            failures.push_back(name + " not dark: " + text(back));
        if (row.fontPx == 0)
            continue;
        double best = 1;
        form::Rgb ink = back;
        // Past the option's indicator and inside a key's focus rectangle, which is no text.
        const int inset = row.kind == form::Key ? int(4 * factor) : margin;
        const int from = row.kind == form::Option ? x0 + int(16 * factor) : x0 + inset;
        for (int py = y0 + inset; py <= y1 - inset; ++py)
            for (int px = from; px <= x1 - inset; ++px)
                if (const double c = form::contrast(at(px, py), back); c > best)
                    best = c, ink = at(px, py);
        if (best < 4.5)
            failures.push_back(name + " text at " + std::to_string(best) + ":1");
        if (contrast && form::contrast(ink, system.buttonText) > 1.5) // smoothed edges aside
            failures.push_back(name + " text " + text(ink));
    }
    const form::Rgb workspace = at(left + int(2 * factor), top + int(2 * factor));
    if (scheme && !(workspace == form::resolve(form::kWindowBackground, *scheme)))
        failures.push_back("workspace " + text(workspace));
    if (dark && !darkEnough(workspace))
        failures.push_back("workspace not dark: " + text(workspace));
    return failures;
}

} // namespace testing_support
