// calculator.exe: the window is the whole program; it ends when the window goes or File > Exit is chosen.
#include "form/translation.h"
#include "win32/calc_window.h"
#include "win32/language.h"
#include "win32/text.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show)
{
    // Before anything else loads: a DLL that system code asks for later comes from the system folder, never
    // from beside the program (a copy unzipped into Downloads among whatever else is there).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    winui::useLanguage(instance); // first: a failure to start is told in the user's language too
    winui::CalcWindow window(instance);
    if (!window.hwnd()) {
        // TRANSLATORS: a message box when Windows cannot make the calculator's window; one sentence.
        const auto text = winui::widen(form::tr(N_("Windows could not create the calculator's window.")));
        MessageBoxW(nullptr, text.c_str(), winui::widen(form::tr(form::kTitle)).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(window.hwnd(), show);
    return window.run();
}
