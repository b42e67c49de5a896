// A column header dragged with real mouse input under Wine: the button is
// pressed on the header, the pointer moved in steps to another column's
// header, a picture of the window is taken while the button is still down
// (the insertion arrow in its colour on the target's header, the dragged
// column tinted), and the release moves the column there.
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PlatformPumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// Moves the pointer to a screen point through the system's input queue.
void PointerTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
    PumpFor(30);
}

void Button(DWORD flag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof(INPUT));
    PumpFor(60);
}

// The window's client area as it stands on the screen, 32 bits a pixel, top
// row first; also written to a .bmp file beside the test for a person to see.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;   // 0x00RRGGBB

    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return CLR_INVALID;
        const DWORD p = pixels[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Picture TakePicture(HWND hwnd, const char* file)
{
    Picture picture;
    RECT client;
    ::GetClientRect(hwnd, &client);
    picture.width = client.right;
    picture.height = client.bottom;
    HDC screen = ::GetDC(hwnd);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    picture.pixels.assign(p, p + static_cast<size_t>(picture.width) * picture.height);
    // A bottom-up .bmp file of the picture.
    if (FILE* out = std::fopen(file, "wb")) {
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        header.bfSize = header.bfOffBits + static_cast<DWORD>(picture.pixels.size() * 4);
        BITMAPINFOHEADER head = info.bmiHeader;
        head.biHeight = picture.height;
        std::fwrite(&header, sizeof(header), 1, out);
        std::fwrite(&head, sizeof(head), 1, out);
        for (int y = picture.height - 1; y >= 0; --y)
            std::fwrite(&picture.pixels[static_cast<size_t>(y) * picture.width], 4, picture.width, out);
        std::fclose(out);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(hwnd, screen);
    return picture;
}

class MoveDragWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_host = new CWnd;
        ASSERT_TRUE(s_host->CreateEx(0, "KivoMoveDragWineHost", "host", WS_POPUP | WS_VISIBLE,
                                     CRect(30, 30, 630, 430), nullptr, 0));
        s_host->ShowWindow(SW_SHOW);
        s_host->UpdateWindow();
        PumpFor(100);
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }
    void SetUp() override
    {
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(10);
        grid.SetColumnCount(7);
        for (int r = 0; r < 10; ++r)
            grid.SetRowHeight(r, r == 0 ? 25 : 22);
        for (int c = 0; c < 7; ++c)
            grid.SetColumnWidth(c, c == 0 ? 40 : 70);
        for (int c = 1; c < 7; ++c)
            grid.GetCell(2, c)->SetText(("col" + std::to_string(c)).c_str());
        grid.SetMoveColumnsByHeader(TRUE);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 600, 400), s_host, 5, WS_CHILD | WS_VISIBLE));
        grid.UpdateWindow();
        PumpFor(50);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(20);
    }
    POINT ScreenPoint(int x, int y)
    {
        POINT p = {x, y};
        ::ClientToScreen(grid.GetSafeHwnd(), &p);
        return p;
    }

    static CWnd* s_host;
    CGridCtrl grid;
};

CWnd* MoveDragWineTest::s_host = nullptr;

}  // namespace

TEST_F(MoveDragWineTest, ARealHeaderDragMovesTheColumnAndShowsTheArrow)
{
    CRect source, target;
    ASSERT_TRUE(grid.GetCellRect(0, 2, &source));
    ASSERT_TRUE(grid.GetCellRect(0, 5, &target));
    const int y = (source.top + source.bottom) / 2;
    PointerTo(ScreenPoint((source.left + source.right) / 2, y));
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int x = (source.left + source.right) / 2; x <= (target.left + target.right) / 2; x += 20)
        PointerTo(ScreenPoint(x, y));
    PointerTo(ScreenPoint((target.left + target.right) / 2, y));
    grid.UpdateWindow();
    PumpFor(100);

    // Mid-drag: the arrow's nine pixels wide row sits four rows below the
    // header's top, its middle on the target's left edge.
    const Picture picture = TakePicture(grid.GetSafeHwnd(), "column-drag.bmp");
    const COLORREF marker = CGridCtrl::kMoveMarkerColour;
    int arrowPixels = 0;
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 9; ++dx)
            arrowPixels += picture.At(target.left - 4 + dx, target.top + dy) == marker ? 1 : 0;
    EXPECT_EQ(37, arrowPixels);
    for (int dx = 0; dx < 9; ++dx)
        EXPECT_EQ(marker, picture.At(target.left - 4 + dx, target.top + 4)) << dx;
    EXPECT_NE(marker, picture.At(target.left - 4, target.top + 3));
    // A pixel of the dragged column, in a row far from the focus.
    const int probeY = source.bottom + 5 * 22 + 11;
    const COLORREF tinted = picture.At(source.left + 3, probeY);

    Button(MOUSEEVENTF_LEFTUP);
    grid.UpdateWindow();
    PumpFor(50);
    std::vector<std::string> texts;
    for (int c = 1; c < 7; ++c)
        texts.push_back(grid.GetCell(2, c)->GetText());
    EXPECT_EQ((std::vector<std::string>{"col1", "col3", "col4", "col5", "col2", "col6"}), texts);

    // The feedback is gone with the button.
    const Picture after = TakePicture(grid.GetSafeHwnd(), "column-dropped.bmp");
    int left = 0;
    for (int dy = 0; dy < 9; ++dy)
        for (int dx = 0; dx < 9; ++dx)
            left += after.At(target.left - 4 + dx, target.top + dy) == marker ? 1 : 0;
    EXPECT_EQ(0, left);
    // The moved column is selected where it landed: the dragged column's
    // pixel was that colour mixed with silver.
    CRect landed;
    ASSERT_TRUE(grid.GetCellRect(0, 5, &landed));
    const COLORREF selected = after.At(landed.left + 3, probeY);
    EXPECT_EQ(MixColours(selected, 0xC0C0C0), tinted);
}
