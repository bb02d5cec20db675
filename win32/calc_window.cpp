// frmCalc on Win32: builds the controls from kControls, hands each click to the form, and draws the design's
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
constexpr UINT_PTR kFirstPaintTimer = 1;
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

// Tab follows the window order: the focusable controls by tab index, in front of the rest (the frame
// behind the option buttons it holds).
const std::vector<std::size_t>& windowOrder()
{
    static const std::vector<std::size_t> order = [] {
        std::vector<std::size_t> sorted(kControls.size());
        std::iota(sorted.begin(), sorted.end(), 0);
        std::ranges::stable_sort(sorted, [](std::size_t a, std::size_t b) {
            const ControlRow &first = kControls[a], &second = kControls[b];
            if (focusable(first) != focusable(second))
                return focusable(first);
            return focusable(first) && first.tabIndex < second.tabIndex;
        });
        return sorted;
    }();
    return order;
}

// A control's place in the client area at `dpi` (DEG and RAD sit in the frame).
RECT placeOf(const ControlRow& row, UINT dpi)
{
    const ControlRow* parent = row.parent.empty() ? nullptr : &kControls[indexOf(row.parent)];
    const int left = pixels(row.left, dpi) + (parent ? pixels(parent->left, dpi) : 0);
    const int top = pixels(row.top, dpi) + (parent ? pixels(parent->top, dpi) : 0);
    return {left, top, left + pixels(row.width, dpi), top + pixels(row.height, dpi)};
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
    if (!CreateWindowExW(0, kWindowClass, title.c_str(), kStyle, (work.left + work.right - size.cx) / 2,
                         (work.top + work.bottom - size.cy) / 2, size.cx, size.cy, nullptr, buildMenus(),
                         instance, this))
        return;
    m_instance = instance;
    m_dpi = dpi;
    setFonts(dpi);
    for (const std::size_t i : windowOrder())
        if (kControls[i].kind != Key && !makeControl(i)) {
            DestroyWindow(m_hwnd);
            return;
        }
    for (const auto option : {engine::AngleOption::Deg, engine::AngleOption::Rad})
        showOption(option, m_form.optionValue(option));
    if (const UINT shown = GetDpiForWindow(m_hwnd); shown != dpi)
        layOut(shown);
    // Each control costs Wine a round trip to its server: the first frame draws the keys on the window
    // itself, and they become controls just after it (a timer comes after every paint), or at once if a
    // screen reader asks first. COM, which takes Wine as long to load, begins then too.
    SetTimer(m_hwnd, kFirstPaintTimer, 0, nullptr);
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

bool CalcWindow::finishControls()
{
    if (m_keysMade || !m_ready)
        return m_keysMade && m_hwnd;
    m_keysMade = true;
    for (std::size_t i = 0; i < kControls.size(); ++i)
        if (kControls[i].kind == Key && !makeControl(i)) {
            m_exitStatus = 1;
            DestroyWindow(m_hwnd);
            return false;
        }
    // The keys take their places in the tab order, among the option buttons.
    const std::vector<std::size_t>& order = windowOrder();
    HWND previous = HWND_TOP;
    for (const std::size_t i : order) {
        if (!focusable(kControls[i]))
            break;
        SetWindowPos(m_controls[i], previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = m_controls[i];
    }
    // MC, unless the user has already put the focus on DEG or RAD.
    if (HWND focus = GetFocus(); focus && IsChild(m_hwnd, focus)) {
        m_focus = focus;
    } else {
        m_focus = m_controls[order.front()];
        if (GetActiveWindow() == m_hwnd)
            restoreFocus();
    }
    return true;
}

void CalcWindow::finishControlsOrEnd()
{
    if (!finishControls() && !m_hwnd)
        // TRANSLATORS: a message box when Windows cannot make the calculator's keys; one sentence.
        MessageBoxW(nullptr, widen(tr(N_("Windows could not create the calculator's keys."))).c_str(),
                    widen(tr(kTitle)).c_str(), MB_OK | MB_ICONERROR);
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
    case Frame:
        style |= SS_OWNERDRAW;
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
    m_controls[i] = CreateWindowExW(0, windowClass, text.c_str(), style, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, m_hwnd,
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
            continue; // a key still drawn by the window
        const RECT place = placeOf(kControls[i], dpi);
        SetWindowPos(m_controls[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setFonts(dpi);
    if (!m_keysMade) // the keys the window draws, drawn again at the new size
        InvalidateRect(m_hwnd, nullptr, TRUE);
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
        if (m_controls[i]) // a key still drawn by the window takes it when it becomes a control
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
        // Input comes before the timer that makes the keys: they are made first. A click queued for the
        // window where it drew a key (it can be nowhere else over a key) goes to that key.
        const bool mouse = message.message >= WM_MOUSEMOVE && message.message <= WM_MBUTTONDBLCLK;
        if (!m_keysMade && (mouse || (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST)))
            finishControlsOrEnd();
        if (mouse && m_hwnd && message.hwnd == m_hwnd) {
            POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
            HWND key = ChildWindowFromPointEx(m_hwnd, at, CWP_SKIPINVISIBLE);
            if (const ControlRow* row = key ? rowOf(GetDlgCtrlID(key)) : nullptr; row && row->kind == Key) {
                MapWindowPoints(m_hwnd, key, &at, 1);
                message.hwnd = key;
                message.lParam = MAKELPARAM(at.x, at.y);
            }
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
    if (message == WM_GETOBJECT && row) {
        if (auto* window = reinterpret_cast<CalcWindow*>(
                GetWindowLongPtrW(GetAncestor(control, GA_ROOT), GWLP_USERDATA)))
            window->startAccessibility();
        if (const LRESULT object = answerGetObject(control, *row, wParam, lParam))
            return object;
    }
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
    case WM_PAINT:
        if (m_keysMade)
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
        paintKeys();
        return 0;
    case WM_GETOBJECT:
        finishControlsOrEnd();
        startAccessibility();
        return m_hwnd ? DefWindowProcW(m_hwnd, message, wParam, lParam) : 0;
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
    case WM_TIMER:
        if (wParam != kFirstPaintTimer)
            return DefWindowProcW(m_hwnd, message, wParam, lParam);
        KillTimer(m_hwnd, kFirstPaintTimer);
        finishControlsOrEnd();
        startAccessibility();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(m_exitStatus);
        return 0;
    default:
        return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void CalcWindow::paintKeys()
{
    // Each key as its own control will draw it.
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_hwnd, &paint);
    const std::size_t focus = windowOrder().front(); // where the focus goes, if the window is active
    const auto cues = SendMessageW(m_hwnd, WM_QUERYUISTATE, 0, 0);
    for (const ControlRow& row : kControls) {
        if (row.kind != Key)
            continue;
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = UINT(controlId(row));
        item.itemState = &row == &kControls[focus] && GetActiveWindow() == m_hwnd ? ODS_FOCUS : 0;
        if (cues & UISF_HIDEFOCUS) // as the key's own control will be told
            item.itemState |= ODS_NOFOCUSRECT;
        item.hDC = dc;
        item.rcItem = placeOf(row, m_dpi);
        const int saved = SaveDC(dc);
        draw(item);
        RestoreDC(dc, saved);
    }
    EndPaint(m_hwnd, &paint);
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
