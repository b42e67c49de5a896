// Real GDI: the fonts made for a sheet's cell fonts are deleted as soon as no
// cell uses them, and all of them with the sheet. A process may hold only
// 10,000 GDI objects, so a sheet of more distinct fonts than that must not
// keep them all.
#include "grid/GridCtrl.h"
#include "grid/LogFontUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <windows.h>

namespace {

DWORD GdiObjects()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

TEST(CellFontObjectsWine, ASheetOfManyDistinctFontsLeavesNoFontsBehind)
{
    // Whether the system counts a process's GDI objects (Wine answers 0).
    const DWORD probe = GdiObjects();
    HFONT a = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT b = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    const bool counted = GdiObjects() >= probe + 2;
    DeleteObject(a);
    DeleteObject(b);

    const DWORD before = GdiObjects();
    const size_t pooledBefore = GetPooledFontObjectCount();
    const int rows = 150;
    const int cols = 100;   // 15,000 distinct fonts: more than a process may hold at once
    std::vector<HGDIOBJ> kept;
    std::vector<HGDIOBJ> released;
    {
        CGridCtrl grid;
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                LOGFONT lf = {};
                lf.lfHeight = -12;
                lf.lfWeight = FW_NORMAL;
                std::snprintf(lf.lfFaceName, LF_FACESIZE, "Face %d", r * cols + c);
                CGridCellBase* cell = grid.GetCell(r, c);
                cell->SetFont(&lf);
                CFont* font = cell->GetFontObject();
                ASSERT_NE(nullptr, font);
                ASSERT_NE(nullptr, font->GetSafeHandle());
                // Every other cell lets go of its font at once, as a cell
                // whose font changes back does.
                if ((c & 1) != 0) {
                    released.push_back(font->GetSafeHandle());
                    cell->SetFont(nullptr);
                } else {
                    kept.push_back(font->GetSafeHandle());
                }
            }
        }
        for (HGDIOBJ handle : released)
            ASSERT_EQ(0u, GetObjectType(handle));
        for (HGDIOBJ handle : kept)
            ASSERT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(handle));
        // The grid's default font may be one the pool made anew.
        EXPECT_LE(GetPooledFontObjectCount(), pooledBefore + kept.size() + 1);
    }
    for (HGDIOBJ handle : kept)
        ASSERT_EQ(0u, GetObjectType(handle));
    EXPECT_EQ(pooledBefore, GetPooledFontObjectCount());
    if (counted) {
        EXPECT_LE(GdiObjects(), before + 1);
    }
}

}  // namespace
