// frmCalc on Win32: builds the controls from kControls, hands each click to the form, and draws the window's own
// colours on classic controls (no visual styles, which would ignore them).
#include "win32/calc_window.h"

#include "form/translation.h"
#include "win32/accessible.h"
#include "win32/drawing.h"
#include "win32/text.h"

#include <shellscalingapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <utility>
#include <vector>

namespace winui {

using namespace form;
namespace {

constexpr int kFirstControlId = 100;
// Past IDOK and IDCANCEL, which IsDialogMessage sends for Enter and Escape.
constexpr int kFirstMenuId = 1000;
constexpr int kCopyId = kFirstMenuId + int(kMenus.size());
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

const ControlRow* rowOf(int id)
{
    const int index = id - kFirstControlId;
    return index >= 0 && index < int(kControls.size()) ? &kControls[std::size_t(index)] : nullptr;
}

std::size_t indexOf(std::string_view name)
{
    return std::size_t(std::ranges::find(kControls, name, &ControlRow::name) - kControls.begin());
}

int pixels(int twips, UINT dpi)
{
    return twipsToPixels(twips, int(dpi));
}

bool focusable(const ControlRow& row)
{
    return row.kind == Key || row.kind == Option;
}

// The focusable controls by tab index: MC first.
const std::vector<std::size_t>& tabOrder()
{
    static const std::vector<std::size_t> order = [] {
        std::vector<std::size_t> sorted(kControls.size());
        std::iota(sorted.begin(), sorted.end(), 0);
        std::erase_if(sorted, [](std::size_t i) { return !focusable(kControls[i]); });
        std::ranges::sort(sorted, {}, [](std::size_t i) { return kControls[i].tabIndex; });
        return sorted;
    }();
    return order;
}

// A control's place in its parent at `dpi`: the client area, or the frame for DEG and RAD.
RECT placeOf(const ControlRow& row, UINT dpi)
{
    const int left = pixels(row.left, dpi), top = pixels(row.top, dpi);
    return {left, top, left + pixels(row.width, dpi), top + pixels(row.height, dpi)};
}

// What Windows could not create (a sentence of the catalogue's), and its reason, for a message box and
// standard error.
std::wstring failureText(std::string_view what)
{
    const DWORD error = GetLastError();
    std::wstring text = widen(tr(what));
    wchar_t* reason = nullptr;
    if (error && FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr)) {
        std::wstring_view said = reason;
        while (!said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L'.'))
            said.remove_suffix(1);
        text += L" " + std::wstring(said) + L".";
        LocalFree(reason);
    }
    return text + L" (error " + std::to_wstring(error) + L")";
}

// The window's frame around the table's client area at `dpi`, with the menu bar.
SIZE frameSize(UINT dpi)
{
    RECT frame{0, 0, pixels(kClientWidth, dpi), pixels(kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, TRUE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

std::wstring menuText(const MenuRow& row)
{
    return widen(tr(row.caption)) + (row.shortcut.empty() ? L"" : L"\t" + widen(shortcutName(row.shortcut)));
}

// "Ctrl+X" as an accelerator for `command`.
ACCEL accelerator(std::string_view shortcut, int command)
{
    constexpr std::string_view kCtrl = "Ctrl+";
    BYTE flags = FVIRTKEY;
    if (shortcut.starts_with(kCtrl)) {
        flags |= FCONTROL;
        shortcut.remove_prefix(kCtrl.size());
    }
    return {flags, WORD(std::toupper(static_cast<unsigned char>(shortcut.front()))), WORD(command)};
}

} // namespace

int controlId(const ControlRow& row)
{
    return kFirstControlId + int(&row - kControls.data());
}

int commandId(const MenuRow& item)
{
    return &item == &kDisplayMenu ? kCopyId : kFirstMenuId + int(&item - kMenus.data());
}

CalcWindow::CalcWindow(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass); // fails harmlessly when a second window registers it again

    readColours();
    m_display = widen(m_form.displayText()); // the text the form starts with, shown before any change
    // Made where it is shown, at the primary monitor's DPI and centred on its work area, each control in its
    // place: every move after creation costs Wine a round trip to its server.
    const HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(primary, &monitor);
    UINT dpi = USER_DEFAULT_SCREEN_DPI, dpiY = USER_DEFAULT_SCREEN_DPI;
    GetDpiForMonitor(primary, MDT_EFFECTIVE_DPI, &dpi, &dpiY);
    const SIZE size = frameSize(dpi);
    const RECT& work = monitor.rcWork;
    const std::wstring title = widen(tr(kTitle));
    HMENU menus = buildMenus();
    // Under Wine a start that meets the session's desktop window as it goes (the last program in it has
    // just ended) is refused with an invalid handle; asked again, Wine makes a new desktop.
    for (int attempt = 0; attempt < 3 && !m_hwnd; ++attempt) {
        if (!CreateWindowExW(0, kWindowClass, title.c_str(), kStyle, (work.left + work.right - size.cx) / 2,
                             (work.top + work.bottom - size.cy) / 2, size.cx, size.cy, nullptr, menus, instance,
                             this) &&
            GetLastError() != ERROR_INVALID_WINDOW_HANDLE)
            break;
    }
    if (!m_hwnd) {
        // TRANSLATORS: a message box when Windows cannot make the calculator's window; one sentence.
        m_failure = failureText(N_("Windows could not create the calculator's window."));
        DestroyMenu(menus);
        return;
    }
    m_instance = instance;
    m_dpi = dpi;
    setFonts(dpi);
    // Every control before the window shows, so that the focus is on MC from the first key pressed. In the
    // table's order, which screen readers read: the display, the frame holding DEG and RAD, then the keys row
    // by row (Tab goes by the tab index instead: nextTabStop).
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (!makeControl(i)) {
            // TRANSLATORS: a message box when Windows cannot make the calculator's keys; one sentence.
            m_failure = failureText(N_("Windows could not create the calculator's keys."));
            DestroyWindow(m_hwnd); // not yet ready: no quit message, which would close the error box at once
            return;
        }
    for (const auto option : {engine::AngleOption::Deg, engine::AngleOption::Rad})
        showOption(option, m_form.optionValue(option));
    if (const UINT shown = GetDpiForWindow(m_hwnd); shown != dpi)
        layOut(shown);
    m_focus = m_controls[tabOrder().front()];
    m_ready = true;
}

CalcWindow::~CalcWindow()
{
    if (m_hwnd)
        DestroyWindow(m_hwnd);
    if (m_comStarted)
        endCom();
    if (m_displayMenu)
        DestroyMenu(m_displayMenu);
    if (m_accelerators)
        DestroyAcceleratorTable(m_accelerators);
    for (HGDIOBJ object : m_brushes)
        DeleteObject(object);
    for (HGDIOBJ object : m_fontObjects)
        DeleteObject(object);
    DeleteObject(m_background);
}

HWND CalcWindow::control(const ControlRow& row) const
{
    return m_controls[std::size_t(&row - kControls.data())];
}

HWND CalcWindow::nextTabStop(HWND from, bool back) const
{
    const std::vector<std::size_t>& order = tabOrder();
    const ControlRow* row = rowOf(GetDlgCtrlID(from));
    std::size_t at = std::size_t(std::ranges::find(order, row ? std::size_t(row - kControls.data()) : 0) -
                                 order.begin());
    if (at == order.size() || !row) // from nowhere in the order: to MC, or back to the last
        at = back ? 0 : order.size() - 1;
    for (std::size_t step = 1; step <= order.size(); ++step) {
        HWND control = m_controls[order[(at + (back ? order.size() - step : step)) % order.size()]];
        if (control && IsWindowVisible(control) && IsWindowEnabled(control) &&
            (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP))
            return control;
    }
    return nullptr;
}

bool CalcWindow::makeControl(std::size_t i)
{
    const ControlRow& row = kControls[i];
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (row.kind) {
    case Label:
        style |= row.name == "lblDisplay" ? SS_OWNERDRAW | SS_NOTIFY : SS_LEFT | SS_NOPREFIX;
        break;
    case Frame: // the parent of DEG and RAD, for readers one group named by it
        style |= SS_OWNERDRAW | WS_CLIPCHILDREN;
        break;
    case Option:
        windowClass = L"BUTTON";
        style |= BS_RADIOBUTTON;
        break;
    case Key:
        windowClass = L"BUTTON";
        style |= BS_OWNERDRAW | WS_TABSTOP | WS_GROUP;
        break;
    }
    // DEG and RAD are one group: Tab reaches the selected one, the arrow keys select the other.
    if (row.kind == Option && (i == 0 || kControls[i - 1].kind != Option))
        style |= WS_GROUP;
    const std::wstring text = row.name == "lblDisplay" ? m_display : widen(row.caption);
    const RECT place = placeOf(row, m_dpi);
    HWND parent = row.parent.empty() ? m_hwnd : m_controls[indexOf(row.parent)];
    // The frame's option buttons are reached by Tab and the arrow keys as the window's own.
    const DWORD extended = row.kind == Frame ? WS_EX_CONTROLPARENT : 0;
    m_controls[i] = CreateWindowExW(extended, windowClass, text.c_str(), style, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, parent,
                                    reinterpret_cast<HMENU>(INT_PTR(controlId(row))), m_instance, nullptr);
    if (!m_controls[i])
        return false;
    if (m_fonts[i])
        SendMessageW(m_controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts[i]), FALSE);
    // The control's own procedure is kept in its user data; controlProc adds the table's accessible
    // object.
    SetWindowLongPtrW(m_controls[i], GWLP_USERDATA, GetWindowLongPtrW(m_controls[i], GWLP_WNDPROC));
    SetWindowLongPtrW(m_controls[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
    return true;
}

HMENU CalcWindow::buildMenus()
{
    HMENU bar = CreateMenu();
    HMENU menu = nullptr;
    std::vector<ACCEL> accelerators;
    for (const MenuRow& row : kMenus) {
        if (row.route == Route::None) {
            menu = CreatePopupMenu();
            AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), widen(tr(row.caption)).c_str());
            continue;
        }
        AppendMenuW(menu, MF_STRING, UINT_PTR(commandId(row)), menuText(row).c_str());
        if (!row.shortcut.empty())
            accelerators.push_back(accelerator(row.shortcut, commandId(row)));
    }
    m_displayMenu = CreatePopupMenu();
    AppendMenuW(m_displayMenu, MF_STRING, kCopyId, menuText(kDisplayMenu).c_str());
    accelerators.push_back(accelerator(kDisplayMenu.shortcut, kCopyId));
    m_accelerators = CreateAcceleratorTableW(accelerators.data(), int(accelerators.size()));
    return bar;
}

void CalcWindow::layOut(UINT dpi, const RECT* suggested)
{
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (!m_controls[i])
            continue;
        const RECT place = placeOf(kControls[i], dpi);
        SetWindowPos(m_controls[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setFonts(dpi);
    // The client area of the table at this DPI; the frame around it (and a menu bar that wraps) as it is.
    const int width = pixels(kClientWidth, dpi), height = pixels(kClientHeight, dpi);
    SIZE frame = frameSize(dpi);
    if (suggested) {
        frame = {suggested->right - suggested->left, suggested->bottom - suggested->top};
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(m_hwnd, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client{}, shown{};
    GetClientRect(m_hwnd, &client);
    GetWindowRect(m_hwnd, &shown);
    // A frame other than the system said (a wrapped menu bar; Wine, whose frame keeps its size at any
    // DPI): the client made the table's, around the same centre after a change of DPI.
    const int dx = width - client.right, dy = height - client.bottom;
    if (dx || dy)
        SetWindowPos(m_hwnd, nullptr, shown.left - (suggested ? dx / 2 : 0), shown.top - (suggested ? dy / 2 : 0),
                     frame.cx + dx, frame.cy + dy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CalcWindow::setFonts(UINT dpi)
{
    m_dpi = dpi;
    // One font for each size and weight the table uses; without one (out of GDI objects) a control keeps
    // the system's.
    std::vector<HFONT> fonts;
    std::vector<std::pair<int, bool>> made; // size in pixels at 96 DPI, bold
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlRow& row = kControls[i];
        if (row.fontPx == 0)
            continue;
        const std::size_t font =
            std::size_t(std::ranges::find(made, std::pair(row.fontPx, row.bold)) - made.begin());
        if (font == made.size()) {
            made.emplace_back(row.fontPx, row.bold);
            // The credit line's thin strokes at 9 pixels, smoothed, grey to 3:1 on its grey: drawn plain
            // black.
            const DWORD quality = row.bold ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
            fonts.push_back(CreateFontW(-MulDiv(row.fontPx, int(dpi), USER_DEFAULT_SCREEN_DPI), 0, 0, 0,
                                        row.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality,
                                        DEFAULT_PITCH | FF_ROMAN, L"Times New Roman"));
        }
        m_fonts[i] = fonts[font];
        if (m_controls[i]) // else made later with it
            SendMessageW(m_controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts[i]), TRUE);
    }
    for (HGDIOBJ object : std::exchange(m_fontObjects, fonts))
        DeleteObject(object);
}

void CalcWindow::readColours()
{
    m_system = {rgbOf(GetSysColor(COLOR_WINDOWTEXT)), rgbOf(GetSysColor(COLOR_BTNFACE)),
                rgbOf(GetSysColor(COLOR_BTNTEXT)), rgbOf(GetSysColor(COLOR_ACTIVEBORDER)),
                rgbOf(GetSysColor(COLOR_APPWORKSPACE))};
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    m_contrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                 (contrast.dwFlags & HCF_HIGHCONTRASTON);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        DeleteObject(m_brushes[i]);
        m_brushes[i] = CreateSolidBrush(colorRef(coloursOf(kControls[i], m_system, m_contrast).back));
    }
    DeleteObject(m_background);
    m_background = CreateSolidBrush(colorRef(resolve(kWindowBackground, m_system)));
}

int CalcWindow::run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab by the tab index: the window order is the reading order, which a dialog box's Tab would follow.
        if (m_hwnd && message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
            GetKeyState(VK_MENU) >= 0 && IsChild(m_hwnd, message.hwnd)) {
            if (HWND next = nextTabStop(GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
                SetFocus(next);
                SendMessageW(m_hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            }
            continue;
        }
        // Ctrl+C and Ctrl+X whichever control has the focus, then Tab and Space as in a dialog box.
        if (m_hwnd &&
            (TranslateAcceleratorW(m_hwnd, m_accelerators, &message) || IsDialogMessageW(m_hwnd, &message)))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

LRESULT CALLBACK CalcWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* window = static_cast<CalcWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<CalcWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        window->m_hwnd = nullptr;
        window->m_ready = false;
        window->m_controls = {};
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return window->handle(message, wParam, lParam);
}

LRESULT CALLBACK CalcWindow::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto standard = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    const ControlRow* row = rowOf(GetDlgCtrlID(control));
    // DEG and RAD tell the window, not the frame that holds them, of their clicks and colours.
    if (row && row->kind == Frame &&
        (message == WM_COMMAND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN))
        return SendMessageW(GetParent(control), message, wParam, lParam);
    if (message == WM_GETOBJECT && row) {
        if (auto* window = reinterpret_cast<CalcWindow*>(
                GetWindowLongPtrW(GetAncestor(control, GA_ROOT), GWLP_USERDATA)))
            window->startAccessibility();
        if (const LRESULT object = answerGetObject(control, *row, wParam, lParam))
            return object;
    }
    if (message == WM_DESTROY)
        forgetAccessible(control);
    // An owner-drawn button reports a second quick click as a double click: here it is another click.
    if (message == WM_LBUTTONDBLCLK && row && row->kind == Key)
        message = WM_LBUTTONDOWN;
    return CallWindowProcW(standard, control, message, wParam, lParam);
}

LRESULT CalcWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_GETOBJECT:
        startAccessibility();
        return DefWindowProcW(m_hwnd, message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, m_background);
        return 1;
    }
    case WM_CONTEXTMENU:
        contextMenu(reinterpret_cast<HWND>(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_ACTIVATE:
        // As a dialog box does: the focus leaves with the window and comes back to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus && IsChild(m_hwnd, focus))
                m_focus = focus;
        } else {
            restoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case WM_DPICHANGED:
        // The rectangle as Windows suggests it, which WM_GETDPISCALEDSIZE sized: one move, no second change.
        layOut(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETDPISCALEDSIZE: {
        const SIZE frame = frameSize(UINT(wParam));
        *reinterpret_cast<SIZE*>(lParam) = frame;
        return TRUE;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        // A contrast theme switched on or off: the new colours at once, nothing else changed.
        readColours();
        RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return 0;
    case WM_GETMINMAXINFO:
        // A fixed window: maximized (a shortcut set to "Maximized" does it), it keeps its size and place.
        if (RECT frame{}; m_ready && GetWindowRect(m_hwnd, &frame)) {
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMaxSize = {frame.right - frame.left, frame.bottom - frame.top};
            limits.ptMaxPosition = {frame.left, frame.top};
        }
        return 0;
    case WM_DESTROY:
        if (m_ready) // a window that never was ready leaves its error box open
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void CalcWindow::startAccessibility()
{
    if (m_comStarted || !m_ready)
        return;
    m_comStarted = beginCom();
    makeLiveRegion(m_controls[indexOf("lblDisplay")]);
}

void CalcWindow::command(int id, int notification)
{
    if (id >= kFirstMenuId && id < kCopyId)
        m_form.click(kMenus[std::size_t(id - kFirstMenuId)].route);
    else if (id == kCopyId)
        m_form.click(kDisplayMenu.route);
    else if (const ControlRow* row = rowOf(id); row && focusable(*row) && notification == BN_CLICKED)
        m_form.click(*row);
}

void CalcWindow::draw(const DRAWITEMSTRUCT& item)
{
    const ControlRow* row = rowOf(int(item.CtlID));
    if (!row)
        return;
    const std::size_t i = std::size_t(row - kControls.data());
    if (m_fonts[i])
        SelectObject(item.hDC, m_fonts[i]);
    const ControlColours colours = coloursOf(*row, m_system, m_contrast);
    if (row->kind == Key)
        drawKey(item, widen(row->caption), colours);
    else if (row->kind == Frame)
        drawFrame(item, colours);
    else
        drawDisplay(item, m_display, colours);
}

LRESULT CalcWindow::colourControl(HDC dc, HWND control)
{
    const ControlRow* row = rowOf(GetDlgCtrlID(control));
    if (!row)
        return reinterpret_cast<LRESULT>(m_background);
    const ControlColours colours = coloursOf(*row, m_system, m_contrast);
    SetTextColor(dc, colorRef(colours.fore));
    SetBkColor(dc, colorRef(colours.back));
    return reinterpret_cast<LRESULT>(m_brushes[std::size_t(row - kControls.data())]);
}

void CalcWindow::contextMenu(HWND from, POINT at)
{
    HWND display = m_controls[indexOf("lblDisplay")];
    if (from != display)
        return;
    if (at.x == -1 && at.y == -1) { // from the keyboard: under the display
        RECT rect{};
        GetWindowRect(display, &rect);
        at = {rect.left, rect.bottom};
    }
    TrackPopupMenu(m_displayMenu, TPM_RIGHTBUTTON, at.x, at.y, 0, m_hwnd, nullptr);
}

void CalcWindow::restoreFocus()
{
    if (m_focus && IsWindow(m_focus))
        SetFocus(m_focus);
}

void CalcWindow::showDisplay(std::string_view text)
{
    m_display = widen(text);
    if (HWND display = m_controls[indexOf("lblDisplay")]) {
        SetWindowTextW(display, m_display.c_str());
        InvalidateRect(display, nullptr, FALSE);
    }
}

void CalcWindow::showOption(engine::AngleOption option, bool value)
{
    HWND button = m_controls[indexOf(option == engine::AngleOption::Deg ? "optDeg" : "optRad")];
    if (!button)
        return;
    SendMessageW(button, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    // Only the selected button of the group is a tab stop, as in Windows' own dialog boxes.
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, value ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
}

void CalcWindow::announce(std::string_view /*spoken*/)
{
    // The reader speaks the display's name, its whole text: the sign's blank is no word to it either.
    if (HWND display = m_controls[indexOf("lblDisplay")])
        announceChange(display);
}

void CalcWindow::unload()
{
    DestroyWindow(m_hwnd); // its WM_DESTROY ends the message loop
}

void CalcWindow::end()
{
    DestroyWindow(m_hwnd);
}

void CalcWindow::showAbout()
{
    if (std::exchange(m_aboutShown, true))
        return; // the box is open already, and modal
    MessageBoxW(m_hwnd, widen(tr(kAboutText)).c_str(), widen(tr(kAboutTitle)).c_str(),
                MB_OK | MB_ICONINFORMATION);
    m_aboutShown = false;
}

void CalcWindow::copy(std::string_view text)
{
    const std::wstring copied = widen(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (copied.size() + 1) * sizeof(wchar_t));
    auto* data = memory ? static_cast<wchar_t*>(GlobalLock(memory)) : nullptr;
    if (!data) {
        GlobalFree(memory);
        return;
    }
    std::copy_n(copied.c_str(), copied.size() + 1, data);
    GlobalUnlock(memory);
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 5 && !(open = OpenClipboard(m_hwnd)); ++attempt)
        Sleep(20);
    if (open && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory))
        memory = nullptr; // the clipboard owns it now
    if (open)
        CloseClipboard();
    GlobalFree(memory);
}

} // namespace winui
