// The designer's File menu dropped by real input: Alt+F on the frame in front
// opens "文件(&F)" as a pop-up menu window (class "#32768"), and its pixels are
// read back through the screen as Wine composes it. Wine draws its pop-up
// menus into the screen it keeps itself, not into windows of the X display,
// so a picture of the X root never shows an open menu: with
// KIVO_DESIGNER_MENU_SHOT naming a host file the test saves the whole screen
// with the menu open there as a bitmap (.bmp).
#include "designer/win32/DesignerDriver.h"

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DesignerMenuShot : public DesignerProgramBase {};

HWND OpenMenuWindow(Designer& d)
{
    for (HWND h : TopWindows(d.pi.dwProcessId, "#32768"))
        if (::IsWindowVisible(h))
            return h;
    return nullptr;
}

// The screen's pixels in rc, top row first, as 0x00RRGGBB.
struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> bits;

    int Count(COLORREF c) const
    {
        const DWORD rgb = (static_cast<DWORD>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        int n = 0;
        for (DWORD px : bits)
            n += (px & 0xFFFFFF) == rgb ? 1 : 0;
        return n;
    }
};

Picture Capture(const RECT& rc)
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

void SaveBmp(const Picture& p, const std::string& path)
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

// A picture of the whole screen for people to look at.
void SaveShot(const char* hostPath)
{
    const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    SaveBmp(Capture(screen), WinePath(hostPath));
}

TEST_F(DesignerMenuShot, AltFDropsTheFileMenuDrawnOverTheFrame)
{
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    Pump(500);

    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && menu == nullptr; ++attempt) {
        d.Foreground();
        WaitFor([&] { return ::GetForegroundWindow() == d.Frame(); }, 2000);
        Key(VK_MENU, false);
        Press('F');
        Key(VK_MENU, true);
        WaitFor([&] { return (menu = OpenMenuWindow(d)) != nullptr; }, 3000);
    }
    ASSERT_NE(nullptr, menu);

    // The pop-up hangs below "文件(&F)" at the frame's left, tall enough for
    // its twenty-odd items.
    RECT mr, fr;
    ::GetWindowRect(menu, &mr);
    ::GetWindowRect(d.Frame(), &fr);
    EXPECT_GT(mr.right - mr.left, 100);
    EXPECT_GT(mr.bottom - mr.top, 200);
    EXPECT_LT(mr.left - fr.left, 80);
    EXPECT_GT(mr.top, fr.top);
    Pump(500);
    const Picture open = Capture(mr);
    char shot[512] = {0};
    if (::GetEnvironmentVariableA("KIVO_DESIGNER_MENU_SHOT", shot, sizeof(shot)) > 0)
        SaveShot(shot);

    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return OpenMenuWindow(d) == nullptr; }, 5000));
    Pump(500);
    const Picture closed = Capture(mr);

    // Drawn, not blank: the menu's face covers most of its window, the
    // keyboard-opened menu shows its first item in the highlight colour,
    // and the captions are darker than the face. Closed, the frame shows
    // there again.
    const int area = open.width * open.height;
    ASSERT_GT(area, 0);
    EXPECT_GT(open.Count(::GetSysColor(COLOR_MENU)), area / 2);
    EXPECT_GT(open.Count(::GetSysColor(COLOR_HIGHLIGHT)), 500);
    int dark = 0;
    for (DWORD px : open.bits)
        dark += ((px & 0xFF) + ((px >> 8) & 0xFF) + ((px >> 16) & 0xFF)) < 3 * 96 ? 1 : 0;
    EXPECT_GT(dark, 300);
    ASSERT_EQ(open.bits.size(), closed.bits.size());
    size_t differing = 0;
    for (size_t i = 0; i < open.bits.size(); ++i)
        differing += open.bits[i] != closed.bits[i] ? 1 : 0;
    EXPECT_GT(differing, open.bits.size() / 4);
    EXPECT_EQ(0, d.Close());
}

}  // namespace
