// calculator.exe: the window is the whole program; it ends when the window goes or File > Exit is chosen.
#include "form/translation.h"
#include "win32/calc_window.h"
#include "win32/language.h"
#include "win32/text.h"

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show)
{
    // Before anything else loads: a DLL that system code asks for later comes from the system folder, never
    // from beside the program (a copy unzipped into Downloads among whatever else is there).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    winui::useLanguage(instance); // first: a failure to start is told in the user's language too
    winui::CalcWindow window(instance);
    if (!window.hwnd()) {
        fwprintf(stderr, L"calculator: %ls\n", window.failure().c_str());
        MessageBoxW(nullptr, window.failure().c_str(), winui::widen(form::tr(form::kTitle)).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    // The window has one size: started maximized (a shortcut's "Maximized", which Windows may apply to
    // the first ShowWindow whatever it is told), it opens as it would normally.
    if (show == SW_SHOWMAXIMIZED)
        show = SW_SHOWNORMAL;
    ShowWindow(window.hwnd(), show);
    if (IsZoomed(window.hwnd()))
        ShowWindow(window.hwnd(), SW_RESTORE);
    return window.run();
}
