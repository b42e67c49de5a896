// Pictures of the screen as Wine composes it, for the Windows tests: the
// pixels of a screen rectangle read through the screen's device context (pop-up
// windows and Wine's own menus included), counted by colour, and saved as a
// 24-bit bitmap for people to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace screencapture {

// The screen's pixels in a rectangle, top row first, as 0x00RRGGBB.
struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> bits;

    static DWORD Rgb(COLORREF c)
    {
        return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
    }
    int Count(COLORREF c) const
    {
        const DWORD rgb = Rgb(c);
        int n = 0;
        for (DWORD px : bits)
            n += (px & 0xFFFFFF) == rgb ? 1 : 0;
        return n;
    }
    // Pixels for which test(red, green, blue) holds.
    template <typename Test>
    int CountIf(Test test) const
    {
        int n = 0;
        for (DWORD px : bits)
            n += test(static_cast<int>((px >> 16) & 0xFF), static_cast<int>((px >> 8) & 0xFF),
                      static_cast<int>(px & 0xFF))
                     ? 1
                     : 0;
        return n;
    }
    // Pixels darker than a mid grey: the captions of a menu drawn on its face.
    int Dark() const
    {
        int n = 0;
        for (DWORD px : bits)
            n += ((px & 0xFF) + ((px >> 8) & 0xFF) + ((px >> 16) & 0xFF)) < 3 * 96 ? 1 : 0;
        return n;
    }
    // Pixels of colour c in rows [top, bottom).
    int CountInRows(COLORREF c, int top, int bottom) const
    {
        const DWORD rgb = Rgb(c);
        int n = 0;
        for (int y = top < 0 ? 0 : top; y < bottom && y < height; ++y)
            for (int x = 0; x < width; ++x)
                n += (bits[static_cast<size_t>(y) * width + x] & 0xFFFFFF) == rgb ? 1 : 0;
        return n;
    }
};

inline Picture Capture(const RECT& rc)
{
    Picture p;
    p.width = rc.right - rc.left;
    p.height = rc.bottom - rc.top;
    if (p.width <= 0 || p.height <= 0)
        return p;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, p.width, p.height);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, p.width, p.height, screen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(mem, old);
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = p.width;
    bi.biHeight = -p.height;
    bi.biPlanes = 1;
    bi.biBitCount = 32;
    p.bits.resize(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    ::GetDIBits(mem, bmp, 0, static_cast<UINT>(p.height), p.bits.data(), reinterpret_cast<BITMAPINFO*>(&bi),
                DIB_RGB_COLORS);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return p;
}

inline void SaveBmp(const Picture& p, const std::string& path)
{
    // 24 bits a pixel, bottom row first: readers take no alpha from it.
    const DWORD stride = ((static_cast<DWORD>(p.width) * 3 + 3) / 4) * 4;
    std::vector<BYTE> rows(stride * static_cast<DWORD>(p.height), 0);
    for (int y = 0; y < p.height; ++y) {
        BYTE* row = &rows[stride * static_cast<DWORD>(p.height - 1 - y)];
        for (int x = 0; x < p.width; ++x) {
            const DWORD px = p.bits[static_cast<size_t>(y) * p.width + x];
            row[x * 3] = static_cast<BYTE>(px & 0xFF);
            row[x * 3 + 1] = static_cast<BYTE>((px >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<BYTE>((px >> 16) & 0xFF);
        }
    }
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = p.width;
    bi.biHeight = p.height;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    BITMAPFILEHEADER bf = {};
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + static_cast<DWORD>(rows.size());
    const std::string temp = path + ".part";
    HANDLE f = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD n = 0;
    BOOL ok = ::WriteFile(f, &bf, sizeof(bf), &n, nullptr);
    ok = ok && ::WriteFile(f, &bi, sizeof(bi), &n, nullptr);
    ok = ok && ::WriteFile(f, rows.data(), static_cast<DWORD>(rows.size()), &n, nullptr);
    ::CloseHandle(f);
    if (!ok || !::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        ::DeleteFileA(temp.c_str());
}

}  // namespace screencapture
