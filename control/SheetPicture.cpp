#include "control/SheetPicture.h"

#include "base/CString.h"
#include "cellcontent/formula/CellNameConverter.h"
#include "control/GridPort.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <cstdio>

namespace {

const COLORREF kPictureBack = 0xFFFFFF;
const COLORREF kCornerFill = 0xE9C4A9;
const COLORREF kCornerLight = 0xF2E4D5;
const COLORREF kCornerDark = 0xF7CFB0;
const COLORREF kHeaderFill = 0xF7ECE4;

}  // namespace

SIZE SheetPictureCellSize(CDC& dc, const CGridPort& grid)
{
    CFont font;
    font.CreateFontIndirect(&grid.GetDefaultFont());
    CFont* old = dc.SelectObject(&font);
    CSize text = dc.GetTextExtent(CString("XXXXXXXXX"));
    dc.SelectObject(old);
    const int m = grid.GetDefaultMargin();
    SIZE cell;
    cell.cx = text.cx + 2 * m;
    cell.cy = text.cy + m;
    if (cell.cx < 2)
        cell.cx = 2;
    if (cell.cy < 1)
        cell.cy = 1;
    return cell;
}

void SheetPictureCellFromPoint(const SIZE& cell, POINT point, LONG& row, LONG& col)
{
    row = -1;
    col = -1;
    if (point.x < 0 || point.y < 0 || cell.cx <= 1 || cell.cy <= 0)
        return;
    const LONG header = cell.cx / 2;
    row = point.y / cell.cy;
    col = point.x < header ? 0 : 1 + (point.x - header) / cell.cx;
}

void DrawSheetPicture(CDC& dc, const RECT& bounds, const CGridPort& grid)
{
    const CRect rc(bounds);
    dc.FillSolidRect(&rc, kPictureBack);
    CFont font;
    font.CreateFontIndirect(&grid.GetDefaultFont());
    CFont* oldFont = dc.SelectObject(&font);
    const SIZE cell = SheetPictureCellSize(dc, grid);
    const int h = cell.cy;
    const int w = cell.cx;
    const int header = w / 2;

    // The top-left header box.
    dc.FillSolidRect(rc.left, rc.top, header, h, kCornerFill);
    CPen light, dark, line;
    light.CreatePen(PS_SOLID, 1, kCornerLight);
    dark.CreatePen(PS_SOLID, 1, kCornerDark);
    line.CreatePen(PS_SOLID, 1, grid.GetGridLineColour());
    CPen* oldPen = dc.SelectObject(&light);
    dc.MoveTo(rc.left, rc.top + h - 1);
    dc.LineTo(rc.left, rc.top);
    dc.LineTo(rc.left + header, rc.top);
    dc.SelectObject(&dark);
    dc.MoveTo(rc.left + header, rc.top);
    dc.LineTo(rc.left + header, rc.top + h);
    dc.LineTo(rc.left - 1, rc.top + h);

    // Row header column, horizontal lines and row numbers.
    dc.FillSolidRect(rc.left, rc.top + h, header, rc.Height() - h, kHeaderFill);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&line);
    int number = 1;
    for (int y = rc.top + h; y < rc.bottom; y += h, ++number) {
        dc.MoveTo(rc.left, y + h - 1);
        dc.LineTo(rc.right, y + h - 1);
        char text[16];
        std::snprintf(text, sizeof(text), "%d", number);
        CRect cellRect(rc.left, y, rc.left + header, y + h);
        dc.DrawText(CString(text), &cellRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    // Column header row: vertical lines and column letters.
    dc.FillSolidRect(rc.left + header, rc.top, rc.Width() - header, h, kHeaderFill);
    dc.MoveTo(rc.left, rc.top + h - 1);
    dc.LineTo(rc.right, rc.top + h - 1);
    CCellNameConverter names;
    int column = 1;
    for (int x = rc.left + header; x < rc.right; x += w, ++column) {
        dc.MoveTo(x, rc.top);
        dc.LineTo(x, rc.bottom);
        CRect cellRect(x, rc.top, x + w, rc.top + h);
        dc.DrawText(names.ColumnToLetters(column), &cellRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    // Frame.
    dc.MoveTo(rc.left, rc.top);
    dc.LineTo(rc.right - 1, rc.top);
    dc.LineTo(rc.right - 1, rc.bottom - 1);
    dc.LineTo(rc.left, rc.bottom - 1);
    dc.LineTo(rc.left, rc.top);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}
