// A small grid that shows each formatting case of the workbook export.
#pragma once

#include "base/WinConstants.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"

#include <cstring>
#include <memory>

namespace xlsgrid {

inline std::unique_ptr<CGridCtrl> MakeSheet(int rows, int cols, int fixedRows, int fixedCols)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    return grid;
}

inline LOGFONT Font(int pixels, const char* face, bool bold = false)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -pixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

// One fixed row and column; the data area holds each formatting case.
inline std::unique_ptr<CGridCtrl> MakeFormattedGrid()
{
    auto grid = MakeSheet(6, 5, 1, 1);
    // Every data cell gets its font, colours and size from here, so that no
    // platform default reaches the workbook.
    LOGFONT plain = Font(13, "Tahoma");
    for (int r = 1; r < 6; ++r) {
        grid->SetRowHeight(r, 18);
        for (int c = 1; c < 5; ++c) {
            grid->SetColumnWidth(c, 70);
            CGridCellBase* cell = grid->GetCell(r, c);
            cell->SetFont(&plain);
            cell->SetTextColor(RGB(0, 0, 0));
            cell->SetBackColor(RGB(255, 255, 255));
            cell->SetAlign(DT_LEFT | DT_TOP);
        }
    }
    grid->GetCell(1, 1)->SetText("\xD6\xD0\xCE\xC4");   // Chinese, code page 936
    grid->GetCell(1, 2)->SetText("a&b");
    grid->GetCell(1, 2)->SetAlign(DT_CENTER | DT_VCENTER);
    grid->GetCell(1, 3)->SetText("=SUM(A1)");
    grid->GetCell(1, 4)->SetValue(42.5);

    LOGFONT bold = Font(16, "Arial", true);
    grid->GetCell(2, 1)->SetFont(&bold);
    LOGFONT f13 = Font(13, "Tahoma");
    f13.lfItalic = 1;
    f13.lfUnderline = 1;
    grid->GetCell(2, 2)->SetFont(&f13);
    grid->GetCell(2, 2)->SetTextColor(RGB(255, 0, 0));
    LOGFONT f14 = Font(14, "Tahoma");
    grid->GetCell(2, 3)->SetFont(&f14);
    for (int c = 1; c <= 3; ++c)
        grid->GetCell(2, c)->SetText("font");

    grid->GetCell(3, 1)->SetBackColor(0xFFFFFF);
    grid->GetCell(3, 2)->SetBackColor(0xFFFFFE);
    grid->SetCellBorder(3, 3, 8, PS_SOLID, RGB(0, 0, 0), 3);
    grid->SetCellBorder(3, 3, 1, PS_DASH, RGB(0, 0, 255), 1);
    grid->GetCell(3, 4)->SetAlign(DT_RIGHT | DT_BOTTOM);
    grid->GetCell(3, 4)->SetWrapText(TRUE);
    for (int c = 1; c <= 4; ++c)
        grid->GetCell(3, c)->SetText("cell");

    grid->GetCell(4, 1)->SetText("merged");
    grid->MergeCells(4, 1, 5, 2);
    grid->SetColumnWidth(2, 64);
    grid->SetRowHeight(2, 20);
    return grid;
}

}  // namespace xlsgrid
