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
    DWORD stored = 0, bytes = sizeof stored;
    if (action == SPI_GETHIGHCONTRAST) {
        RegGetValueW(HKEY_CURRENT_USER, kKey, L"Flags", RRF_RT_REG_DWORD, nullptr, &stored, &bytes);
        *static_cast<HIGHCONTRASTW*>(data) = {sizeof(HIGHCONTRASTW), stored, nullptr};
        return TRUE;
    }
    if (action != SPI_SETHIGHCONTRAST)
        return g_system(action, size, data, flags);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Flags", REG_DWORD, &static_cast<HIGHCONTRASTW*>(data)->dwFlags,
                    sizeof stored); // unset, the test sees the theme missing
    if (flags & SPIF_SENDCHANGE)
        SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0); // each window has it then
    return TRUE;
}

// The program's import of SystemParametersInfoW, wherever its import table holds it, made withContrastTheme.
void redirect(HMODULE program)
{
    auto* base = reinterpret_cast<BYTE*>(program);
    const auto* headers =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    g_system = &SystemParametersInfoW; // user32's own: this DLL's import, which stays as it is
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name;
         ++dll)
        for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + dll->FirstThunk); *slot; ++slot)
            if (*slot == reinterpret_cast<ULONG_PTR>(g_system)) {
                DWORD access = 0; // Wine 10 keeps the bound import table read-only, as Windows does
                VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &access);
                *slot = reinterpret_cast<ULONG_PTR>(&withContrastTheme);
            }
}

[[maybe_unused]] const bool g_redirected = (redirect(GetModuleHandleW(nullptr)), true); // as the DLL loads

} // namespace

// A hook that changes nothing: hooking a program's messages with it loads this DLL there.
extern "C" __declspec(dllexport) LRESULT CALLBACK passOn(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
