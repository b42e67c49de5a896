// The proof on Windows (under Wine and a virtual display): a real child window
// under a real parent paints a filled rectangle, a line and Chinese text
// through CDC and reports to its parent; the same paint code renders into a
// memory bitmap and through PrintWindow, and the pixels are read back.
#include "../ProofPicture.h"
#include "platform/System.h"

#include <gtest/gtest.h>

namespace {

// Pixels in the text area that are not the background.
int InkInTextArea(CDC& dc)
{
    int ink = 0;
    for (int y = proof::kTextRect.top; y < proof::kTextRect.bottom; ++y) {
        for (int x = proof::kTextRect.left; x < proof::kTextRect.right; ++x) {
            if (dc.GetPixel(x, y) != proof::kBackground)
                ++ink;
        }
    }
    return ink;
}

class ProofTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, "KivoProofParent", "proof", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 400, 300), nullptr, 0));
        ASSERT_TRUE(child.CreateEx(0, "KivoProofChild", "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 140), &parent, 81));
        parent.UpdateWindow();
        child.UpdateWindow();
        for (int i = 0; i < 20 && parent.reports == 0; ++i) {
            PlatformPumpMessages();
            ::Sleep(10);
        }
        CClientDC screen(&child);
        ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 200, 120));
        old = memory.SelectObject(&bitmap);
        memory.FillSolidRect(0, 0, 200, 120, RGB(1, 2, 3));
    }
    void TearDown() override
    {
        memory.SelectObject(old);
        parent.DestroyWindow();
        PlatformPumpMessages();
    }
    proof::ParentWnd parent;
    proof::PictureWnd child;
    CDC memory;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST_F(ProofTest, TheChildPaintedAndToldItsParent)
{
    EXPECT_GE(child.paints, 1);
    EXPECT_GE(parent.reports, 1);
    EXPECT_EQ(parent.lastMessage, proof::kReportMessage);
    EXPECT_EQ(parent.lastWParam, 81u);
    EXPECT_EQ(CWnd::FromHandlePermanent(child.m_hWnd), &child);
}

TEST_F(ProofTest, ThePictureRendersIntoAMemoryBitmap)
{
    child.Paint(&memory);
    EXPECT_EQ(memory.GetPixel(10, 10), proof::kFill);
    EXPECT_EQ(memory.GetPixel(89, 49), proof::kFill);
    EXPECT_EQ(memory.GetPixel(90, 50), proof::kBackground);
    EXPECT_EQ(memory.GetPixel(100, 60), proof::kLine);
    EXPECT_EQ(memory.GetPixel(150, 60), proof::kBackground);  // the end point is not drawn
    int ink = InkInTextArea(memory);
    EXPECT_GT(ink, 80) << "the Chinese text left too few pixels";
    // The glyphs sit at the left of the text area, where DrawText put them.
    int inkRightHalf = 0;
    for (int y = proof::kTextRect.top; y < proof::kTextRect.bottom; ++y) {
        for (int x = 150; x < proof::kTextRect.right; ++x) {
            if (memory.GetPixel(x, y) != proof::kBackground)
                ++inkRightHalf;
        }
    }
    EXPECT_EQ(inkRightHalf, 0);
}

TEST_F(ProofTest, TheWindowPrintsTheSamePicture)
{
    ASSERT_TRUE(::PrintWindow(child.m_hWnd, memory.m_hDC, PW_CLIENTONLY));
    EXPECT_EQ(memory.GetPixel(50, 30), proof::kFill);
    EXPECT_EQ(memory.GetPixel(120, 60), proof::kLine);
    EXPECT_GT(InkInTextArea(memory), 80);
}

TEST_F(ProofTest, TheScreenShowsThePaintedWindow)
{
    child.Invalidate();
    child.UpdateWindow();
    CClientDC screen(&child);
    ASSERT_TRUE(memory.BitBlt(0, 0, 200, 120, &screen, 0, 0, SRCCOPY));
    EXPECT_EQ(memory.GetPixel(50, 30), proof::kFill);
    EXPECT_EQ(memory.GetPixel(120, 60), proof::kLine);
    EXPECT_GT(InkInTextArea(memory), 80);
}

// Timers and posted messages reach the object's handlers through the real loop.
class TimedWnd : public CWnd {
public:
    int ticks = 0;

protected:
    void OnTimer(UINT_PTR id) override
    {
        if (id == 7 && ++ticks == 2)
            KillTimer(7);
    }
};

TEST(RealLoopTest, TimersFireThroughTheMessageLoop)
{
    TimedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "KivoTimed", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_EQ(wnd.SetTimer(7, 15), 7u);
    DWORD start = GetTickCount();
    while (wnd.ticks < 2 && GetTickCount() - start < 3000) {
        PlatformPumpMessages();
        ::Sleep(5);
    }
    EXPECT_EQ(wnd.ticks, 2);
    EXPECT_FALSE(wnd.KillTimer(7));
}

TEST(RealLoopTest, StandardCursorsAndTheWheelSettingAreAvailable)
{
    EXPECT_NE(PlatformLoadCursor(IDC_ARROW), nullptr);
    EXPECT_NE(PlatformLoadCursor(IDC_SIZEWE), nullptr);
    EXPECT_NE(PlatformLoadCursor(IDC_SIZENS), nullptr);
    UINT lines = PlatformWheelScrollLines();
    EXPECT_TRUE(lines == WHEEL_PAGESCROLL || (lines > 0 && lines < 100));
}

}  // namespace
