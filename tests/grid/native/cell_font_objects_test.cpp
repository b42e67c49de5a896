// The GDI fonts made for cell fonts live only while cells use them: a sheet
// of many distinct fonts leaves none behind when it is destroyed, and a font
// two cells share stays until the second lets go.
#include "grid/cellpaint_util.h"

#include "grid/GridCell.h"
#include "grid/GridCtrl.h"
#include "grid/LogFontUtil.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace cellpainttest;

namespace {

LOGFONT NumberedFont(int n)
{
    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    std::snprintf(lf.lfFaceName, LF_FACESIZE, "Face %d", n);
    return lf;
}

class CellFontObjects : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

TEST_F(CellFontObjects, ASheetOfManyDistinctFontsLeavesNoneBehind)
{
    const size_t before = Headless::GdiObjectCount();
    const size_t pooledBefore = GetPooledFontObjectCount();
    const int rows = 200;
    const int cols = 100;
    {
        CGridCtrl grid;
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                CGridCellBase* cell = grid.GetCell(r, c);
                LOGFONT lf = NumberedFont(r * cols + c);
                cell->SetFont(&lf);
                ASSERT_NE(nullptr, cell->GetFontObject());   // as painting asks for it
            }
        }
        EXPECT_GE(Headless::GdiObjectCount(), before + rows * cols);
        EXPECT_GE(GetPooledFontObjectCount(), pooledBefore + rows * cols);
    }
    EXPECT_EQ(before, Headless::GdiObjectCount());
    EXPECT_EQ(pooledBefore, GetPooledFontObjectCount());
}

TEST_F(CellFontObjects, ASharedFontLivesUntilItsLastCellLetsGo)
{
    auto grid = MakePaintGrid();
    CGridCellBase* first = grid->GetCell(2, 2);
    CGridCellBase* second = grid->GetCell(3, 3);
    const LOGFONT shared = NumberedFont(-1);
    const LOGFONT other = NumberedFont(-2);
    first->SetFont(&shared);
    second->SetFont(&shared);
    const LOGFONT* pooled = first->GetFont();
    ASSERT_EQ(pooled, second->GetFont());
    CFont* font = first->GetFontObject();
    ASSERT_NE(nullptr, font);
    const HGDIOBJ handle = font->GetSafeHandle();
    ASSERT_NE(nullptr, handle);
    const size_t live = Headless::GdiObjectCount();

    // Given again, the font is neither deleted nor made again.
    first->SetFont(&shared);
    EXPECT_EQ(handle, first->GetFontObject()->GetSafeHandle());
    EXPECT_EQ(live, Headless::GdiObjectCount());

    // One of two cells lets go: the font stays for the other.
    first->SetFont(&other);
    EXPECT_EQ(handle, second->GetFontObject()->GetSafeHandle());

    // The last one lets go: the font is deleted. The description stays, and
    // the object handed out earlier is still there, now without a handle.
    first->SetFont(nullptr);
    second->SetFont(nullptr);
    EXPECT_EQ(nullptr, GetPooledFontObject(pooled));
    EXPECT_EQ(nullptr, font->GetSafeHandle());
    EXPECT_EQ(0, std::memcmp(pooled, &shared, sizeof(LOGFONT)));
    EXPECT_EQ(pooled, InternCellFont(&shared));

    // Taken again, the font is made again and painted with.
    second->SetFont(&shared);
    second->SetText("abc");
    Canvas canvas;
    Headless::ClearDrawLog();
    ASSERT_TRUE(second->Draw(&canvas.dc, 3, 3, kCellRect, TRUE));
    bool drawn = false;
    for (const Headless::DrawOp& op : Headless::DrawLog()) {
        if (op.kind == Headless::DrawKind::DrawText) {
            drawn = true;
            EXPECT_STREQ(shared.lfFaceName, op.font.lfFaceName);
        }
    }
    EXPECT_TRUE(drawn);
    EXPECT_NE(nullptr, second->GetFontObject()->GetSafeHandle());
}

TEST_F(CellFontObjects, ACellFontIsReleasedWhenTheCellIsResetOrDeleted)
{
    auto grid = MakePaintGrid();
    const LOGFONT lf = NumberedFont(-3);
    grid->GetCell(2, 2)->SetFont(&lf);
    const LOGFONT* pooled = grid->GetCell(2, 2)->GetFont();
    ASSERT_NE(nullptr, grid->GetCell(2, 2)->GetFontObject());
    grid->GetCell(2, 2)->Reset();
    EXPECT_EQ(nullptr, GetPooledFontObject(pooled));

    grid->GetCell(4, 4)->SetFont(&lf);
    ASSERT_NE(nullptr, grid->GetCell(4, 4)->GetFontObject());
    grid->SetRowCount(4);   // row 4 goes, and its cells with it
    EXPECT_EQ(nullptr, GetPooledFontObject(pooled));
}

}  // namespace
