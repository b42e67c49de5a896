// The grid's drag picture of the focus cell, the skinned scroll bars a host
// attaches, and making the folder of a file about to be written.
#include "window_test_util.h"

#include "cells/GridScrollBarHooks.h"
#include "grid/GridScrollBarHooks.h"
#include "platform/DC.h"
#include "platform/FileFind.h"
#include "platform/Folder.h"
#include "platform/Gdi.h"
#include "platform/ImageList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using gridwindowtest::WindowGrid;

namespace {

// A window whose client pixels are kept, to draw the picture into.
class Canvas : public CWnd {
public:
    void Make(int width, int height)
    {
        CreateEx(0, "KivoDragCanvas", "", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
        Headless::KeepWindowPixels(GetSafeHwnd());
        PlatformPumpMessages();
        CClientDC dc(this);
        dc.FillSolidRect(0, 0, width, height, kPaper);
    }
    COLORREF At(int x, int y) { return Headless::WindowPixel(GetSafeHwnd(), x, y); }
    static constexpr COLORREF kPaper = RGB(1, 2, 3);

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override { CPaintDC dc(this); }
};

struct ScopedScrollBarHooks {
    GridScrollBarHooks saved = GetGridScrollBarHooks();
    explicit ScopedScrollBarHooks(bool install)
    {
        if (install)
            InstallGridScrollBarHooks();
        else
            SetGridScrollBarHooks(GridScrollBarHooks());
    }
    ~ScopedScrollBarHooks() { SetGridScrollBarHooks(saved); }
};

CRect RectInParent(CWnd& wnd, CWnd& parent)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

}  // namespace

TEST(GridDragImage, PaintsTheFocusCellWithTheDefaultBackAsMask)
{
    WindowGrid g;
    g.Build(10, 6, 1, 1);
    g.grid.SetColumnWidth(2, 70);
    g.grid.SetRowHeight(3, 24);
    g.grid.SetCellBackColor(3, 2, RGB(200, 30, 40));
    // The cell's own lines stay: the default back is what the mask takes.
    ASSERT_NE(Canvas::kPaper, g.grid.GetDefaultCell(FALSE, FALSE)->GetBackColor());
    struct Case {
        const char* name;
        int row, col;
        int cx, cy;
        COLORREF centre;        // drawn with the mask, in either style
    } cases[] = {
        {"coloured cell", 3, 2, 70, 24, RGB(200, 30, 40)},
        {"cell in the default back colour", 4, 3, -1, -1, Canvas::kPaper},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g.grid.SetFocusCell(c.row, c.col);
        CSize size(-5, -5);
        std::unique_ptr<CImageList> list(g.grid.CreateDragImage(&size));
        ASSERT_TRUE(list != nullptr);
        const int cx = c.cx > 0 ? c.cx : g.grid.GetColumnWidth(c.col);
        const int cy = c.cy > 0 ? c.cy : g.grid.GetRowHeight(c.row);
        EXPECT_EQ(CSize(cx, cy), size);
        EXPECT_EQ(1, list->GetImageCount());
        int w = 0, h = 0;
        ASSERT_TRUE(list->GetImageSize(&w, &h));
        EXPECT_EQ(cx, w);
        EXPECT_EQ(cy, h);
        Canvas canvas;
        canvas.Make(300, 200);
        CClientDC dc(&canvas);
        ASSERT_TRUE(list->Draw(&dc, 0, CPoint(10, 10), ILD_NORMAL));
        EXPECT_EQ(c.centre, canvas.At(10 + cx / 2, 10 + cy / 2));
        ASSERT_TRUE(list->Draw(&dc, 0, CPoint(150, 100), ILD_TRANSPARENT));
        EXPECT_EQ(c.centre, canvas.At(150 + cx / 2, 100 + cy / 2));
        // Nothing beyond the picture.
        EXPECT_EQ(Canvas::kPaper, canvas.At(10 + cx + 2, 10 + cy / 2));
        canvas.DestroyWindow();
    }
    // A merged focus cell gives the block.
    g.grid.MergeCells(5, 1, 6, 2);
    g.grid.SetFocusCell(6, 2);
    CSize size;
    std::unique_ptr<CImageList> block(g.grid.CreateDragImage(&size));
    ASSERT_TRUE(block != nullptr);
    EXPECT_EQ(CSize(g.grid.GetColumnWidth(1) + g.grid.GetColumnWidth(2), g.grid.GetRowHeight(5) + g.grid.GetRowHeight(6)),
              size);
}

TEST(GridDragImage, NoPictureWithoutAFocusCellOrAWindow)
{
    WindowGrid g;
    g.Build(10, 6, 1, 1);
    g.grid.SetFocusCell(-1, -1);
    CSize size(7, 7);
    EXPECT_EQ(nullptr, g.grid.CreateDragImage(&size));
    EXPECT_EQ(CSize(7, 7), size);
    CGridCtrl windowless(5, 5, 1, 1);
    windowless.SetFocusCell(2, 2);
    EXPECT_EQ(nullptr, windowless.CreateDragImage(&size));
}

TEST(GridAttachSkinScrollBars, BarsReplaceTheFrameAndTheClientKeepsItsSize)
{
    ScopedScrollBarHooks hooks(true);
    WindowGrid g;
    g.Build(200, 40, 1, 1);
    // Out of skin style 1 the grid does not place the bars itself: the
    // window keeps its place and loses only its frame.
    g.grid.SetSkinStyle(0);
    CRect client;
    g.grid.GetClientRect(&client);
    const CRect before = RectInParent(g.grid, g.parent);
    ASSERT_NE(0u, g.grid.GetExStyle() & WS_EX_CLIENTEDGE);
    CBitmap skin;
    const COLORREF pixels[4] = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4)};
    ASSERT_TRUE(skin.CreateFromPixels(2, 2, pixels));
    ASSERT_TRUE(g.grid.AttachSkinScrollBars(&skin));
    EXPECT_EQ(0u, g.grid.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(0u, g.grid.GetStyle() & WS_BORDER);
    const CRect after = RectInParent(g.grid, g.parent);
    EXPECT_EQ(before.TopLeft(), after.TopLeft());
    EXPECT_EQ(before.Width() - 4, after.Width());
    EXPECT_EQ(before.Height() - 4, after.Height());
    CRect clientAfter;
    g.grid.GetClientRect(&clientAfter);
    EXPECT_EQ(client, clientAfter);
    CWnd* pH = g.grid.GetSkinScrollBar(FALSE);
    CWnd* pV = g.grid.GetSkinScrollBar(TRUE);
    ASSERT_TRUE(pH != nullptr && pV != nullptr);
    EXPECT_EQ(1000, pH->GetDlgCtrlID());
    EXPECT_EQ(1001, pV->GetDlgCtrlID());
    EXPECT_EQ(&g.parent, pH->GetParent());
    EXPECT_EQ(&g.parent, pV->GetParent());

    // In skin style 1 the new bars take the parent's edges.
    g.grid.SetSkinStyle(1);
    g.grid.UpdateScrollBars();
    CRect frame;
    g.parent.GetClientRect(&frame);
    EXPECT_EQ(CRect(frame.Width() - 15, 0, frame.Width(), frame.Height() - 15),
              RectInParent(*g.grid.GetSkinScrollBar(TRUE), g.parent));
}

TEST(GridAttachSkinScrollBars, RefusedWithoutABarMakerOrAWindow)
{
    ScopedScrollBarHooks hooks(false);
    WindowGrid g;
    g.Build(20, 5, 1, 1);
    EXPECT_FALSE(g.grid.AttachSkinScrollBars(nullptr));
    // Nothing was taken away.
    EXPECT_NE(0u, g.grid.GetExStyle() & WS_EX_CLIENTEDGE);
    ScopedScrollBarHooks installed(true);
    CGridCtrl windowless(5, 5, 1, 1);
    EXPECT_FALSE(windowless.AttachSkinScrollBars(nullptr));
}

TEST(GridEnsureFolder, MakesOneMissingLevelAndReportsAnExistingFolderAsZero)
{
    const char* root = "kivo_ensure_folder";
    ::rmdir("kivo_ensure_folder/sub");
    ::rmdir(root);
    CGridCtrl grid;
    struct Step {
        const char* path;
        BOOL result;
        const char* exists;   // the folder that must be there afterwards (or NULL)
    } steps[] = {
        {"kivo_ensure_folder/sub/a.kvx", FALSE, nullptr},      // two levels missing: only one is made
        {"kivo_ensure_folder\\a.kvx", TRUE, "kivo_ensure_folder"},
        {"kivo_ensure_folder\\b.kvx", FALSE, "kivo_ensure_folder"},   // there already
        {"kivo_ensure_folder/sub/a.kvx", TRUE, "kivo_ensure_folder/sub"},
        {"kivo_ensure_folder/sub/", FALSE, "kivo_ensure_folder/sub"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.result, grid.EnsureFolder(s.path)) << s.path;
        if (s.exists != nullptr) {
            struct stat st;
            EXPECT_TRUE(::stat(s.exists, &st) == 0 && S_ISDIR(st.st_mode)) << s.path;
        }
    }
    struct stat st;
    EXPECT_NE(0, ::stat("kivo_ensure_folder/sub/a.kvx", &st));   // a folder, never the file
    // The platform service alone: one level, never an existing entry.
    EXPECT_FALSE(PlatformCreateFolder("kivo_ensure_folder"));
    EXPECT_FALSE(PlatformCreateFolder(""));
    EXPECT_FALSE(PlatformCreateFolder(nullptr));
    EXPECT_TRUE(PlatformCreateFolder("kivo_ensure_folder/two/"));
    ::rmdir("kivo_ensure_folder/two");
    ::rmdir("kivo_ensure_folder/sub");
    ::rmdir(root);
}
