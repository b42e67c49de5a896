#include "control/SheetPicture.h"

#include "base/CString.h"
#include "cells/OffscreenDC.h"
#include "cellcontent/formula/CellNameConverter.h"
#include "control/GridPort.h"
#include "grid/SkinBitmaps.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <cstdio>

namespace {

const COLORREF kPictureBack = 0xFFFFFF;
const COLORREF kCornerFill = 0xE9C4A9;
const COLORREF kCornerLight = 0xF2E4D5;
const COLORREF kCornerDark = 0xF7CFB0;
const COLORREF kHeaderFill = 0xF7ECE4;
// The corner square between the two scroll bars: its place in the scroll-bar
// skin picture and its size.
const int kCornerSkinX = 128;
const int kCornerSize = 16;

// Copies (part of) a bitmap into dc, stretched to the destination size.
void PutBitmap(CDC& dc, CBitmap* bitmap, int x, int y, int cx, int cy, int srcX, int srcY, int srcCx, int srcCy)
{
    if (bitmap == nullptr || bitmap->GetSafeHandle() == nullptr || cx <= 0 || cy <= 0)
        return;
    CDC mem;
    if (!mem.CreateCompatibleDC(&dc))
        return;
    CBitmap* old = mem.SelectObject(bitmap);
    if (cx == srcCx && cy == srcCy)
        dc.BitBlt(x, y, cx, cy, &mem, srcX, srcY, SRCCOPY);
    else {
        const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
        dc.StretchBlt(x, y, cx, cy, &mem, srcX, srcY, srcCx, srcCy, SRCCOPY);
        dc.SetStretchBltMode(oldMode);
    }
    mem.SelectObject(old);
}

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

void DrawScrollBarCorner(CDC& dc, const RECT& bounds, const CGridPort& grid)
{
    if (grid.GetScrollBarState() != 3)
        return;
    CBitmap* skin = grid.GetSkinBitmap(SKIN_SCROLL);
    if (skin == nullptr)
        return;
    const CSize size = skin->GetSize();
    if (size.cx < kCornerSkinX + kCornerSize || size.cy < kCornerSize)
        return;
    PutBitmap(dc, skin, bounds.right - kCornerSize, bounds.bottom - kCornerSize, kCornerSize, kCornerSize,
              kCornerSkinX, 0, kCornerSize, kCornerSize);
}

void DrawSheetPicture(CDC& target, const RECT& bounds, const CGridPort& grid)
{
    // Drawn off screen and copied in one go, so the picture does not flicker
    // while a designer drags the control about.
    COffscreenDC dc(&target);
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
    // The corner mark, 4 pixels from the box's right edge and 3 from its bottom.
    if (CBitmap* mark = grid.GetSkinBitmap(SKIN_TOPLEFTSIDE)) {
        const CSize m = mark->GetSize();
        if (m.cx > 0 && m.cy > 0 && m.cx + 4 <= header && m.cy + 3 <= h)
            PutBitmap(dc, mark, rc.left + header - 4 - m.cx, rc.top + h - 3 - m.cy, m.cx, m.cy, 0, 0, m.cx, m.cy);
    }

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
    // Column header row: the header skin across it, vertical lines and column letters.
    dc.FillSolidRect(rc.left + header, rc.top, rc.Width() - header, h, kHeaderFill);
    if (CBitmap* tile = grid.GetSkinBitmap(SKIN_FIXEDROW)) {
        const CSize t = tile->GetSize();
        // Stretched to the row height and repeated across.
        for (int x = rc.left + header; t.cx > 0 && t.cy > 0 && x < rc.right; x += t.cx)
            PutBitmap(dc, tile, x, rc.top, t.cx, h, 0, 0, t.cx, t.cy);
    }
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
