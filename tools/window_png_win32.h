// The window as Qt's grab() gives it (menu bar and client area): its pixels, and calc-replay.exe's
// --screenshot of them as a PNG.
#pragma once

#include "form/colours.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace replay {

struct WindowPicture {
    int width = 0, height = 0;
    int clientTop = 0;             // where the client area starts, under the menu bar
    std::vector<std::uint8_t> rgb; // rows of red, green, blue
    form::Rgb at(int x, int y) const
    {
        const std::size_t i = (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

// `window` painted afresh and copied from its menu bar's top to its client area's bottom; none if it cannot
// be.
std::optional<WindowPicture> captureWindow(HWND window);

bool savePng(const WindowPicture& picture, const std::string& file);

} // namespace replay
