// calculator.exe: the window is the whole program; it ends when the window goes or File > Exit is chosen.
#include "win32/calc_window.h"

#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show)
{
    // COM for the accessible objects that screen readers ask for, and the display's annotation.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 1;
    {
        winui::CalcWindow window(instance);
        if (window.hwnd()) {
            ShowWindow(window.hwnd(), show);
            status = window.run();
        } else {
            MessageBoxW(nullptr, L"Windows could not create the calculator's window.", L"Calculator",
                        MB_OK | MB_ICONERROR);
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}
