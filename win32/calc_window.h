// frmCalc on Win32: the controls built from kControls at the monitor's DPI around one form::Form.
#pragma once

#include "form/form.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace winui {

inline constexpr wchar_t kWindowClass[] = L"frmCalc";

// The ID of the control made from `row` (its WM_COMMAND and GetDlgItem number).
int controlId(const form::ControlRow& row);
// The WM_COMMAND ID of a menu item of kMenus, or of kDisplayMenu.
int commandId(const form::MenuRow& item);

class CalcWindow final : private form::View {
  public:
    // The window and all its controls, hidden, centred on the primary monitor with the focus to go to MC;
    // hwnd() is null if Windows could not create them, and failure() says why.
    explicit CalcWindow(HINSTANCE instance);
    ~CalcWindow() override;
    CalcWindow(const CalcWindow&) = delete;
    CalcWindow& operator=(const CalcWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    HWND control(const form::ControlRow& row) const;
    const engine::CalculatorState& state() const { return m_form.state(); }
    const std::wstring& failure() const { return m_failure; }

    // Runs the window until it goes or File > Exit ends the program; returns the exit status.
    int run();

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The control of kControls[i], in its place at m_dpi; false if Windows could not make it.
    bool makeControl(std::size_t i);
    // Tab and Shift+Tab: the next tab stop by tab index from `from`.
    HWND nextTabStop(HWND from, bool back) const;
    // The menu bar, its accelerators and the display's menu; returns the bar.
    HMENU buildMenus();
    // Every control to its place and font at `dpi`, and the window to the table's size, or to the rectangle
    // Windows suggests for a change of DPI.
    void layOut(UINT dpi, const RECT* suggested = nullptr);
    void setFonts(UINT dpi);
    void readColours();
    void command(int id, int notification);
    void draw(const DRAWITEMSTRUCT& item);
    LRESULT colourControl(HDC dc, HWND control);
    void contextMenu(HWND from, POINT at);
    void restoreFocus();
    // COM for the accessible objects that screen readers ask for, and the display made a live region.
    void startAccessibility();

    void showDisplay(std::string_view text) override;
    void showOption(engine::AngleOption option, bool value) override;
    void announce(std::string_view spoken) override;
    void unload() override;
    void end() override;
    void showAbout() override;
    void copy(std::string_view text) override;

    HWND m_hwnd = nullptr;
    HINSTANCE m_instance = nullptr;
    bool m_ready = false; // every control made
    std::wstring m_failure;
    HACCEL m_accelerators = nullptr;
    HMENU m_displayMenu = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    form::SystemColours m_system = form::kClassicColours;
    bool m_contrast = false; // a contrast theme is on
    std::array<HWND, form::kControls.size()> m_controls{};
    std::array<HFONT, form::kControls.size()> m_fonts{}; // null: shows no text
    std::vector<HFONT> m_fontObjects;                    // each of them once
    bool m_comStarted = false;
    std::array<HBRUSH, form::kControls.size()> m_brushes{};
    HBRUSH m_background = nullptr;
    HWND m_focus = nullptr; // the control that has the focus while the window is active
    bool m_aboutShown = false;
    std::wstring m_display; // the whole display text
    form::Form m_form{*this};
};

} // namespace winui
