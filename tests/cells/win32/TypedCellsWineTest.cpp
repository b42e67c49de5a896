// Check and URL cells in a real grid window under Wine, driven by posted
// mouse and key input: a click on the box and the space bar toggle a check
// cell (its parent receives message 1070, the tick shows in the box's
// pixels and goes again), a
// click on a link hands its address to the open verb's recorder and a
// "file:" target hands nothing.
#include "grid/GridCellCheck.h"
#include "cells/GridURLCell.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridMessages.h"
#include "grid/win32/GridWineTestUtil.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridwine::At;
using gridwine::PumpFor;

namespace {

std::vector<std::string> g_opened;

BOOL RecordLink(LPCTSTR szTarget)
{
    g_opened.push_back(szTarget != nullptr ? szTarget : "");
    return TRUE;
}

// The grid's parent, keeping the check messages it is posted.
class RecordingHost : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> checked;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CELLCHECKBOXCHECKED)
            checked.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TypedCellsWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        g_opened.clear();
        m_previous = SetPlatformOpenLinkHandler(RecordLink);
        ASSERT_TRUE(gridwine::ShowTopLevel(&host, "KivoTypedCellsWineHost", "host",
                                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 400)));
        gridwine::LayOut(grid, 10, 5, 24, 40, 120);
        ASSERT_TRUE(gridwine::CreateFilling(grid, &host, 81));
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        host.DestroyWindow();
        SetPlatformOpenLinkHandler(m_previous);
        PumpFor(20);
    }

    void Post(UINT message, WPARAM wParam, const CPoint& p)
    {
        ::PostMessageA(grid.GetSafeHwnd(), message, wParam, At(p));
        PumpFor(30);
    }
    void Click(const CPoint& p)
    {
        Post(WM_MOUSEMOVE, 0, p);
        Post(WM_LBUTTONDOWN, MK_LBUTTON, p);
        Post(WM_LBUTTONUP, 0, p);
    }
    CRect Rect(int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        return rect;
    }

    RecordingHost host;
    CGridCtrl grid;
    PlatformOpenLinkHandler m_previous = nullptr;
};

TEST_F(TypedCellsWineTest, ClickAndSpaceToggleACheckCell)
{
    ASSERT_TRUE(grid.SetCellControl(2, 2, "<control controltype=\"checkbox\" ></control>"));
    auto* cell = dynamic_cast<CGridCellCheck*>(grid.GetCell(2, 2));
    ASSERT_NE(nullptr, cell);
    gridwine::Repaint(grid);
    const CRect box = cell->GetBoxRect(Rect(2, 2));
    ASSERT_FALSE(box.IsRectEmpty());
    auto boxPixels = [&]() {
        std::vector<COLORREF> pixels;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                pixels.push_back(gridwine::Pixel(grid, x, y));
        return pixels;
    };
    auto differing = [](const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
        int n = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            if (a[i] != b[i])
                ++n;
        return n;
    };
    const std::vector<COLORREF> unchecked = boxPixels();

    Click(box.CenterPoint());
    EXPECT_TRUE(cell->GetCheck());
    gridwine::Repaint(grid);
    EXPECT_GT(differing(unchecked, boxPixels()), 3) << "the tick is drawn";
    ASSERT_EQ(1u, host.checked.size());
    EXPECT_EQ(static_cast<WPARAM>(MAKELONG(2, 2)), host.checked[0].first);
    EXPECT_EQ(1, host.checked[0].second);

    // A click beside the box changes nothing; the space bar on the focus
    // cell toggles it back.
    Click(CPoint(Rect(2, 2).right - 10, box.CenterPoint().y));
    EXPECT_TRUE(cell->GetCheck());
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    gridwine::PostToFocus(WM_CHAR, ' ');
    PumpFor(30);
    EXPECT_FALSE(cell->GetCheck());
    ASSERT_EQ(2u, host.checked.size());
    EXPECT_EQ(0, host.checked[1].second);
    gridwine::Repaint(grid);
    EXPECT_EQ(0, differing(unchecked, boxPixels())) << "and gone again";
}

TEST_F(TypedCellsWineTest, ALinkClickHandsItsAddressOverAndAFileTargetNothing)
{
    ASSERT_TRUE(grid.SetCellControl(3, 1, "<control controltype=\"url\" openmode=\"click\" ></control>"));
    ASSERT_TRUE(grid.SetCellControl(4, 1, "<control controltype=\"url\" openmode=\"click\" ></control>"));
    grid.GetCell(3, 1)->SetText("www.example.cn");
    grid.GetCell(4, 1)->SetText("file:///c:/windows/notepad.exe");
    grid.GetCell(3, 1)->SetAlign(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    grid.GetCell(4, 1)->SetAlign(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    gridwine::Repaint(grid);

    const CRect link = Rect(3, 1);
    Click(CPoint(link.left + 8, (link.top + link.bottom) / 2));
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ("http://www.example.cn", g_opened[0]);

    const CRect file = Rect(4, 1);
    Click(CPoint(file.left + 8, (file.top + file.bottom) / 2));
    EXPECT_EQ(1u, g_opened.size()) << "a file: target is never opened";
}

}  // namespace
