// Pictures of the database dialogs for a person to look at: with
// KIVO_SCREENSHOT_DIR set (a Windows path, e.g. Z:\tmp\shots), a window is
// copied from the screen as it shows there, after it was brought to the
// front and painted, into a 24-bit bitmap file of that folder. Without it
// nothing is written.
#pragma once

#include "designer/win32/DesignerDriver.h"

#include <cstdlib>
#include <string>

namespace designerwine {

// The window as it shows on the screen, as a 24-bit bitmap file.
inline void SaveScreenshot(HWND window, const char* name)
{
    const char* dir = std::getenv("KIVO_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0' || window == nullptr)
        return;
    ::SetForegroundWindow(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Pump(400);
    RECT rc;
    ::GetWindowRect(window, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;   // bottom-up, as the file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + size;
    const std::string path = std::string(dir) + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, &fh, sizeof(fh), &written, nullptr);
        ::WriteFile(file, &bi.bmiHeader, sizeof(bi.bmiHeader), &written, nullptr);
        ::WriteFile(file, bits, size, &written, nullptr);
        ::CloseHandle(file);
    }
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace designerwine
