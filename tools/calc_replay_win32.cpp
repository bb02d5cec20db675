// calc-replay.exe: clicks keys on a real frmCalc (the Win32 window, in this process) and prints the display
// after each, with the Linux tool's arguments and output, for checks from a shell and for comparing builds.
#include "tools/replay.h"
#include "tools/window_png_win32.h"
#include "win32/calc_window.h"
#include "win32/language.h"
#include "win32/text.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace {

std::string windowText(HWND control)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return winui::narrow(text);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::optional<replay::Request> request = replay::parse(argc, argv, std::cin);
    if (!request)
        return 2;

    // English, the program's own texts, unless a language is asked for: its output is compared byte for byte.
    if (!request->language.empty())
        winui::useLanguage(GetModuleHandleW(nullptr), request->language);
    winui::CalcWindow window(GetModuleHandleW(nullptr));
    if (!window.hwnd()) {
        std::cerr << "calc-replay: " << winui::narrow(window.failure()) << '\n';
        return 1;
    }
    // Shown only for its picture: a hidden window's keys do not repaint on each click, ten times the speed.
    if (!request->screenshot.empty())
        ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    HWND display = window.control(*std::ranges::find(form::kControls, "lblDisplay", &form::ControlRow::name));
    for (const form::ControlRow* key : request->keys) {
        SendMessageW(window.control(*key), BM_CLICK, 0, 0);
        std::cout << replay::line(windowText(display), request->withState ? &window.state() : nullptr)
                  << '\n';
    }
    const std::string& screenshot = request->screenshot;
    if (screenshot.empty())
        return 0;
    const std::optional<replay::WindowPicture> picture = replay::captureWindow(window.hwnd());
    if (!picture || !replay::savePng(*picture, screenshot)) {
        std::cerr << "calc-replay: cannot write " << screenshot << '\n';
        return 1;
    }
    return 0;
}
