// calculator.exe: the window is the whole program; it ends when the window goes or File > Exit is chosen.
#include "win32/calc_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show)
{
    // Before anything else loads: a DLL that system code asks for later comes from the system folder, never
    // from beside the program (a copy unzipped into Downloads among whatever else is there).
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    winui::CalcWindow window(instance);
    if (!window.hwnd()) {
        MessageBoxW(nullptr, L"Windows could not create the calculator's window.", L"Calculator",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(window.hwnd(), show);
    return window.run();
}
