// The window into a 32-bit DIB; a PNG of it in stored (uncompressed) deflate blocks: a screenshot needs no
// compression, and so no library.
#include "tools/window_png_win32.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace replay {
namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0)
{
    static const std::array<std::uint32_t, 256> kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = kTable[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    return ~crc;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(value >> shift));
}

void chunk(std::vector<std::uint8_t>& png, const char (&type)[5], const std::vector<std::uint8_t>& data)
{
    putBigEndian(png, std::uint32_t(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    putBigEndian(png, crc32(png.data() + start, png.size() - start));
}

// RGB rows, each after its filter byte (none), as a zlib stream of stored blocks.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& raw)
{
    std::vector<std::uint8_t> out{0x78, 0x01};
    constexpr std::size_t kBlock = 65535;
    for (std::size_t at = 0; at < raw.size() || at == 0; at += kBlock) {
        const std::size_t size = std::min(kBlock, raw.size() - at);
        out.push_back(at + size >= raw.size() ? 1 : 0); // the last block says so
        out.push_back(std::uint8_t(size));
        out.push_back(std::uint8_t(size >> 8));
        out.push_back(std::uint8_t(~size));
        out.push_back(std::uint8_t(~size >> 8));
        out.insert(out.end(), raw.begin() + long(at), raw.begin() + long(at + size));
        if (raw.empty())
            break;
    }
    std::uint32_t a = 1, b = 0; // Adler-32
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(out, b << 16 | a);
    return out;
}

} // namespace

std::optional<WindowPicture> captureWindow(HWND window)
{
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    MENUBARINFO menuBar{};
    menuBar.cbSize = sizeof menuBar;
    const LONG top = GetMenuBarInfo(window, OBJID_MENU, 0, &menuBar) ? menuBar.rcBar.top : origin.y;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // The part Qt's grab() gives: from the menu bar's top to the client area's bottom.
    const int left = origin.x - frame.left, first = top - frame.top;
    WindowPicture picture{client.right, origin.y + client.bottom - top, origin.y - top, {}};
    if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0)
        return std::nullopt;

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    bool drawn = false;
    if (dc && bitmap) {
        HGDIOBJ previous = SelectObject(dc, bitmap);
        // Wine's PrintWindow draws the background alone (its WM_PRINT leaves out the children and the menu
        // bar), so the window is painted afresh and copied from its own DC, which Windows allows as well.
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC windowDc = GetWindowDC(window);
        drawn = windowDc && BitBlt(dc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint8_t*>(bits);
        for (int y = first; drawn && y < first + picture.height; ++y)
            for (int x = left; x < left + picture.width; ++x) {
                const std::uint8_t* bgrx =
                    pixels + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4;
                picture.rgb.insert(picture.rgb.end(), {bgrx[2], bgrx[1], bgrx[0]});
            }
        SelectObject(dc, previous);
    }
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (!drawn)
        return std::nullopt;
    return picture;
}

bool savePng(const WindowPicture& picture, const std::string& file)
{
    std::vector<std::uint8_t> raw; // each row after its filter byte (none)
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        const auto row = picture.rgb.begin() + long(y) * picture.width * 3;
        raw.insert(raw.end(), row, row + picture.width * 3);
    }
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}, header;
    putBigEndian(header, std::uint32_t(picture.width));
    putBigEndian(header, std::uint32_t(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlibStored(raw));
    chunk(png, "IEND", {});
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    return bool(out.flush());
}

} // namespace replay
