// calc-replay.exe's --screenshot: the window as Qt's grab() gives it (menu bar and client area), as a PNG.
#pragma once

#include <windows.h>

#include <string>

namespace replay {

// Copies `window` as drawn and writes its menu bar and client area to `file`.
bool saveWindowPng(HWND window, const std::string& file);

} // namespace replay
