// Under Wine: the focus cell's drag picture is a system image list drawn with
// its mask, skinned scroll bars attached by the host replace the grid's
// frame, and the folder of a file is made by the system.
#include "cells/GridScrollBarHooks.h"
#include "grid/win32/GridWineTestUtil.h"
#include "platform/ImageList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class GridServicesWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallGridScrollBarHooks();
        s_control = new CWnd;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_control, "KivoTestServicesControl", "control", WS_POPUP | WS_VISIBLE,
                                           CRect(30, 30, 530, 430)));
    }
    static void TearDownTestSuite()
    {
        delete s_control;
        s_control = nullptr;
    }
    void SetUp() override
    {
        gridwine::LayOut(grid, 30, 8, 20, 40, 60);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), s_control, 1, WS_CHILD | WS_VISIBLE));
        grid.UpdateScrollBars();
        gridwine::Repaint(grid);
    }

    static CWnd* s_control;
    CGridCtrl grid;
};

CWnd* GridServicesWineTest::s_control = nullptr;

// Draws the list's picture onto a memory bitmap filled with paper and reads
// the pixel at (x, y) of the picture.
COLORREF DrawnPixel(CImageList& list, UINT style, COLORREF paper, int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 200, 100);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    RECT all = {0, 0, 200, 100};
    HBRUSH brush = ::CreateSolidBrush(paper);
    ::FillRect(mem, &all, brush);
    ::DeleteObject(brush);
    CDC dc;
    dc.Attach(mem);
    list.Draw(&dc, 0, CPoint(5, 5), style);
    const COLORREF pixel = ::GetPixel(mem, 5 + x, 5 + y);
    dc.Detach();
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

}  // namespace

TEST_F(GridServicesWineTest, DragImageIsTheFocusCellWithTheDefaultBackMasked)
{
    grid.SetCellBackColor(3, 2, RGB(200, 30, 40));
    grid.SetFocusCell(3, 2);
    CSize size;
    std::unique_ptr<CImageList> list(grid.CreateDragImage(&size));
    ASSERT_TRUE(list != nullptr);
    EXPECT_EQ(CSize(60, 20), size);
    EXPECT_EQ(1, list->GetImageCount());
    EXPECT_NE(nullptr, list->GetSafeHandle());
    const COLORREF paper = RGB(1, 2, 3);
    EXPECT_EQ(RGB(200, 30, 40), DrawnPixel(*list, ILD_NORMAL, paper, 30, 10));
    EXPECT_EQ(RGB(200, 30, 40), DrawnPixel(*list, ILD_TRANSPARENT, paper, 30, 10));

    // A cell in the default back colour is all mask: the paper shows through.
    grid.SetFocusCell(4, 3);
    std::unique_ptr<CImageList> plain(grid.CreateDragImage(&size));
    ASSERT_TRUE(plain != nullptr);
    EXPECT_EQ(paper, DrawnPixel(*plain, ILD_TRANSPARENT, paper, 30, 10));
    EXPECT_EQ(paper, DrawnPixel(*plain, ILD_NORMAL, paper, 30, 10));   // the list has no background colour
}

TEST_F(GridServicesWineTest, AttachedSkinBarsReplaceTheFrame)
{
    grid.SetSkinStyle(0);
    grid.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    CRect before, client;
    grid.GetWindowRect(&before);
    grid.GetClientRect(&client);
    ASSERT_TRUE(grid.AttachSkinScrollBars(nullptr));
    EXPECT_EQ(0, ::GetWindowLongA(grid.GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(0, ::GetWindowLongA(grid.GetSafeHwnd(), GWL_STYLE) & WS_BORDER);
    CRect after, clientAfter;
    grid.GetWindowRect(&after);
    grid.GetClientRect(&clientAfter);
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    EXPECT_EQ(before.Width() - 2 * edge, after.Width());
    EXPECT_EQ(client.Width(), clientAfter.Width());
    ASSERT_NE(nullptr, grid.GetSkinScrollBar(FALSE));
    ASSERT_NE(nullptr, grid.GetSkinScrollBar(TRUE));
    EXPECT_EQ(1000, ::GetDlgCtrlID(grid.GetSkinScrollBar(FALSE)->GetSafeHwnd()));
    EXPECT_EQ(1001, ::GetDlgCtrlID(grid.GetSkinScrollBar(TRUE)->GetSafeHwnd()));
    EXPECT_EQ(s_control->GetSafeHwnd(), ::GetParent(grid.GetSkinScrollBar(TRUE)->GetSafeHwnd()));
}

TEST_F(GridServicesWineTest, EnsureFolderMakesTheMissingFolderOnce)
{
    char temp[MAX_PATH] = {0};
    ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, temp));
    const std::string folder = std::string(temp) + "kivo_ensure_wine";
    ::RemoveDirectoryA(folder.c_str());
    const std::string file = folder + "\\sheet.kvx";
    EXPECT_TRUE(grid.EnsureFolder(file.c_str()));
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(grid.EnsureFolder(file.c_str()));   // there already: nothing made
    EXPECT_FALSE(grid.EnsureFolder((folder + "\\a\\b\\sheet.kvx").c_str()));   // one level only
    EXPECT_TRUE(::RemoveDirectoryA(folder.c_str()));
}
