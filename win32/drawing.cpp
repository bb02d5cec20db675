// Owner-drawn controls: the window's own colours on the classic bevels, which the system draws in its own
// colours.
#include "win32/drawing.h"

#include <algorithm>

namespace winui {
namespace {

// Fills `rect` with `colour` through the DC's own brush: no brush to create and free per paint.
void fill(HDC dc, const RECT& rect, form::Rgb colour)
{
    SetDCBrushColor(dc, colorRef(colour));
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

} // namespace

COLORREF colorRef(form::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

form::Rgb rgbOf(COLORREF colour)
{
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

void drawKey(const DRAWITEMSTRUCT& item, std::wstring_view caption, form::ControlColours colours)
{
    const bool pressed = item.itemState & ODS_SELECTED;
    RECT face = item.rcItem;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    InflateRect(&face, -2, -2); // inside the bevel
    fill(item.hDC, face, colours.back);
    RECT text = face;
    if (pressed)
        OffsetRect(&text, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colorRef(colours.fore));
    DrawTextW(item.hDC, caption.data(), int(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // Windows' keyboard cues: the rectangle only once the keyboard has been used in the window.
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&face, -1, -1);
        DrawFocusRect(item.hDC, &face);
    }
}

std::wstring newestThatFits(HDC dc, std::wstring_view whole, int width)
{
    // Far fewer than this fit, so an endless entry costs no more to measure than a full display.
    constexpr std::size_t kMostMeasured = 256;
    SIZE size{};
    if (whole.size() <= kMostMeasured && GetTextExtentPoint32W(dc, whole.data(), int(whole.size()), &size) &&
        size.cx <= width)
        return std::wstring(whole);
    constexpr wchar_t kEllipsis = L'\u2026';
    SIZE ellipsis{};
    GetTextExtentPoint32W(dc, &kEllipsis, 1, &ellipsis);
    // Measured from the newest end: how many of the last characters fit beside the ellipsis.
    const std::wstring_view tail = whole.substr(whole.size() - std::min(whole.size(), kMostMeasured));
    const std::wstring reversed(tail.rbegin(), tail.rend());
    int fit = 0;
    if (!GetTextExtentExPointW(dc, reversed.data(), int(reversed.size()),
                               std::max(0, width - int(ellipsis.cx)), &fit, nullptr, &size))
        fit = 0;
    return kEllipsis + std::wstring(tail.substr(tail.size() - std::size_t(fit)));
}

void drawDisplay(const DRAWITEMSTRUCT& item, std::wstring_view whole, form::ControlColours colours)
{
    fill(item.hDC, item.rcItem, colours.back);
    RECT text = item.rcItem;
    const std::wstring shown = newestThatFits(item.hDC, whole, text.right - text.left);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colorRef(colours.fore));
    DrawTextW(item.hDC, shown.data(), int(shown.size()), &text,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void drawFrame(const DRAWITEMSTRUCT& item, form::ControlColours colours)
{
    RECT box = item.rcItem;
    fill(item.hDC, box, colours.back);
    DrawEdge(item.hDC, &box, EDGE_SUNKEN, BF_RECT);
}

} // namespace winui
