// The proof on the host build: a child window under a parent paints a filled
// rectangle, a line and Chinese text through CDC, then reports to its parent;
// the recorded operations and the painted pixels show what was drawn.
#include "../ProofPicture.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Headless::DrawKind;
using Headless::DrawOp;

TEST(ProofTest, AChildPaintsThroughCDCAndReportsToItsParent)
{
    Headless::Reset();
    proof::ParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "KivoProofParent", "proof", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                CRect(0, 0, 400, 300), nullptr, 0));
    proof::PictureWnd child;
    ASSERT_TRUE(child.CreateEx(0, "KivoProofChild", "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 140), &parent, 81));
    Headless::KeepWindowPixels(child.m_hWnd);
    Headless::ClearDrawLog();

    child.UpdateWindow();

    // The parent heard from the child once, with its identifier.
    EXPECT_EQ(parent.reports, 1);
    EXPECT_EQ(parent.lastMessage, proof::kReportMessage);
    EXPECT_EQ(parent.lastWParam, 81u);
    EXPECT_EQ(parent.lastLParam, 1);

    // Background, rectangle, line, text: in that order, into the child window.
    std::vector<DrawOp> ops;
    for (const DrawOp& op : Headless::DrawLog()) {
        if (op.target == static_cast<const void*>(child.m_hWnd))
            ops.push_back(op);
    }
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, DrawKind::FillRect);
    EXPECT_EQ(CRect(ops[0].rect), CRect(0, 0, 200, 120));
    EXPECT_EQ(ops[1].kind, DrawKind::FillRect);
    EXPECT_EQ(CRect(ops[1].rect), proof::kFillRect);
    EXPECT_EQ(ops[1].color, proof::kFill);
    EXPECT_EQ(ops[2].kind, DrawKind::Line);
    EXPECT_EQ(CPoint(ops[2].from), proof::kLineFrom);
    EXPECT_EQ(CPoint(ops[2].to), proof::kLineTo);
    EXPECT_EQ(ops[2].penColor, proof::kLine);
    EXPECT_EQ(ops[2].penStyle, PS_SOLID);
    EXPECT_EQ(ops[3].kind, DrawKind::DrawText);
    EXPECT_EQ(ops[3].text, proof::kChinese);
    EXPECT_EQ(ops[3].font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(ops[3].textColor, proof::kText);
    EXPECT_EQ(ops[3].bkMode, TRANSPARENT);
    // Four two-byte characters of a 20-pixel font: 4 x 20 wide, centred in 30 rows.
    EXPECT_EQ(CRect(ops[3].textRect), CRect(10, 75, 90, 95));

    // The pixels the window keeps.
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 10, 10), proof::kFill);
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 89, 49), proof::kFill);
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 90, 50), proof::kBackground);
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 100, 60), proof::kLine);
    EXPECT_EQ(Headless::WindowPixel(child.m_hWnd, 150, 60), proof::kBackground);

    // The same picture in a memory bitmap.
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    std::vector<COLORREF> blank(200 * 120, 0);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateFromPixels(200, 120, blank.data()));
    CBitmap* old = memory.SelectObject(&bitmap);
    child.Paint(&memory);
    EXPECT_EQ(memory.GetPixel(50, 30), proof::kFill);
    EXPECT_EQ(memory.GetPixel(149, 60), proof::kLine);
    EXPECT_EQ(memory.GetPixel(195, 5), proof::kBackground);
    memory.SelectObject(old);

    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(Headless::WindowCount(), 0u);
}

}  // namespace
