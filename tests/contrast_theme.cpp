// A contrast theme for Wine, which keeps none: it refuses SPI_SETHIGHCONTRAST and answers SPI_GETHIGHCONTRAST
// with "off" (Wine 8 and 10). Loaded into a program (LoadLibrary, or a hook with passOn), this DLL gives that
// program's own SystemParametersInfoW the theme, kept under the key where Windows keeps it (Flags, here a
// number); setting it tells every window (WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST), as Windows' Settings does.
// Everything else is Wine's own: the broadcast, the colours, the painting.
#include <windows.h>

namespace {

constexpr wchar_t kKey[] = L"Control Panel\\Accessibility\\HighContrast";
decltype(&SystemParametersInfoW) g_system = nullptr;

BOOL WINAPI withContrastTheme(UINT action, UINT size, void* data, UINT flags)
{
    auto* contrast = static_cast<HIGHCONTRASTW*>(data);
    DWORD stored = 0, bytes = sizeof stored;
    if (action == SPI_GETHIGHCONTRAST) {
        RegGetValueW(HKEY_CURRENT_USER, kKey, L"Flags", RRF_RT_REG_DWORD, nullptr, &stored, &bytes);
        *contrast = {sizeof *contrast, stored, nullptr};
        return TRUE;
    }
    if (action != SPI_SETHIGHCONTRAST)
        return g_system(action, size, data, flags);
    if (RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags", REG_DWORD, &contrast->dwFlags, sizeof stored))
        return FALSE;
    if (flags & SPIF_SENDCHANGE)
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000,
                            nullptr);
    return TRUE;
}

// The program's import of SystemParametersInfoW, wherever its import table holds it, made withContrastTheme.
void redirect(HMODULE program)
{
    auto* base = reinterpret_cast<BYTE*>(program);
    const auto* headers =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    g_system = reinterpret_cast<decltype(g_system)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoW")));
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name;
         ++dll)
        for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + dll->FirstThunk); *slot; ++slot)
            if (*slot == reinterpret_cast<ULONG_PTR>(g_system)) {
                DWORD access = 0;
                VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &access);
                *slot = reinterpret_cast<ULONG_PTR>(&withContrastTheme);
                VirtualProtect(slot, sizeof *slot, access, &access);
            }
}

} // namespace

// A hook that changes nothing: hooking a program's messages with it loads this DLL there.
extern "C" __declspec(dllexport) LRESULT CALLBACK passOn(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH)
        redirect(GetModuleHandleW(nullptr));
    return TRUE;
}
