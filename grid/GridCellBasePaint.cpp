// Painting a cell on screen (Draw) and for printing and export (DrawContent).
//
// Geometry: the grid hands a cell the rectangle (l, t, r, b) whose right and
// bottom are the cell's last pixel column and row. The cell fills its inside
// (l + 1 .. r, t + 1 .. b) and draws the lines on its edges at x = l and
// x = r + 1, y = t and y = b + 1: the line at x = r + 1 is the left line of
// the next cell, so every line between two cells is one pixel wide, and a
// cell leaves the line it shares with its left or upper neighbour alone when
// that neighbour has a border (or, for headers, a selection line) there.
#include "grid/GridCellBase.h"

#include "cellcontent/FormatElement.h"
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"
#include "platform/DC.h"

#include <algorithm>
#include <cstring>

namespace {

// A pen that may fail to be made; lines are skipped when it was not.
struct ScopedPen {
    ScopedPen(CDC* pDC, int nStyle, int nWidth, COLORREF clr) : m_pDC(pDC)
    {
        if (m_pen.CreatePen(nStyle, std::max(1, nWidth), clr))
            m_pOld = pDC->SelectObject(&m_pen);
    }
    ~ScopedPen()
    {
        if (m_pOld != nullptr)
            m_pDC->SelectObject(m_pOld);
    }
    bool Ok() const { return m_pOld != nullptr; }

    CDC* m_pDC;
    CPen m_pen;
    CPen* m_pOld = nullptr;
};

// A horizontal or vertical line that includes both end points; any other
// line ends before its end point.
void Line(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    if (x1 == x2)
        pDC->LineTo(x2, y2 + (y2 > y1 ? 1 : -1));
    else if (y1 == y2)
        pDC->LineTo(x2 + (x2 > x1 ? 1 : -1), y2);
    else
        pDC->LineTo(x2, y2);
}

// Fills with a brush of the colour; a brush that cannot be made skips the fill.
void FillWithBrush(CDC* pDC, const CRect& rect, COLORREF clr)
{
    if (rect.IsRectEmpty())
        return;
    CBrush brush;
    if (!brush.CreateSolidBrush(clr))
        return;
    pDC->FillRect(&rect, &brush);
}

// The inside of a cell rectangle as the grid passes it.
CRect Inside(const CRect& rect)
{
    return CRect(rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1);
}

bool HasGridWindow(CGridCtrl* pGrid)
{
    return pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr;
}

// The bitmap repeated from left to right over rect: each copy as high as the
// rectangle, as wide as the bitmap times the zoom, the last copy cut.
// FALSE (nothing drawn) without a usable bitmap.
BOOL TileAcross(CDC* pDC, const CRect& rect, CBitmap* pBitmap, double dZoomX)
{
    if (pBitmap == nullptr || pBitmap->GetSafeHandle() == nullptr || rect.IsRectEmpty())
        return FALSE;
    const CSize bitmapSize = pBitmap->GetSize();
    const int bw = static_cast<int>(bitmapSize.cx);
    const int bh = static_cast<int>(bitmapSize.cy);
    if (bw <= 0 || bh <= 0)
        return FALSE;
    int tile = static_cast<int>(bw * dZoomX);
    if (tile <= 0)
        tile = 1;
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap* pOld = source.SelectObject(pBitmap);
    pDC->SetStretchBltMode(COLORONCOLOR);
    for (int x = rect.left; x < rect.right; x += tile) {
        const int width = std::min(tile, static_cast<int>(rect.right) - x);
        const int sourceWidth = width == tile ? bw : std::max(1, width * bw / tile);
        pDC->StretchBlt(x, rect.top, width, rect.Height(), &source, 0, 0, sourceWidth, bh, SRCCOPY);
    }
    source.SelectObject(pOld);
    return TRUE;
}

double ZoomX(CGridCtrl* pGrid)
{
    return pGrid != nullptr ? pGrid->GetZoomX() : 1.0;
}

double ZoomY(CGridCtrl* pGrid)
{
    return pGrid != nullptr ? pGrid->GetZoomY() : 1.0;
}

// The selection tint of a cell: its own selected back colour when it set one,
// else the grid default setting's selection colour, else 0xF5ECEA.
COLORREF SelectionTint(CGridCellBase* pCell, CGridCtrl* pGrid)
{
    if (pCell->HasOwnSelBackColor())
        return pCell->GetSelBackColor();
    if (pGrid != nullptr && pGrid->GetDefaultSettingRecord().m_crSelColor != -1)
        return static_cast<COLORREF>(pGrid->GetDefaultSettingRecord().m_crSelColor);
    return GRID_DEFAULT_SEL_BACK_COLOUR;
}

// Whether the cell, or any row or column of its merged block, lies in the
// grid's whole-row or whole-column selection band.
bool InSelectedBand(CGridCellBase* pCell, CGridCtrl* pGrid, int nRow, int nCol)
{
    if (pGrid == nullptr)
        return false;
    if (pGrid->IsCellInSelectedBand(nRow, nCol))
        return true;
    if (!pCell->IsMerged())
        return false;
    CGridCellRange range = pCell->GetMergeRange();
    for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
        if (pGrid->IsCellInSelectedBand(r, range.GetMinCol()))
            return true;
    for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
        if (pGrid->IsCellInSelectedBand(range.GetMinRow(), c))
            return true;
    return false;
}

// A merged block drawn from a frozen top row (left column) reaches under the
// scrolled rows (columns): its selection fill stops at the frozen band's end.
void ClipMergedFillToFrozenBand(CGridCellBase* pCell, CGridCtrl* pGrid, int nRow, int nCol, CRect& fill)
{
    if (pGrid == nullptr || !pCell->IsMerged())
        return;
    CGridCellRange range = pCell->GetMergeRange();
    const int fixedRows = pGrid->GetFixedRowCount();
    const int frozenRowEnd = fixedRows + pGrid->GetFreezeTopRows();
    if (pGrid->GetFreezeTopRows() > 0 && nRow >= fixedRows && nRow < frozenRowEnd) {
        for (int r = std::max(range.GetMinRow(), frozenRowEnd); r <= range.GetMaxRow(); ++r)
            fill.bottom -= static_cast<int>(std::max(0, pGrid->GetRowHeight(r)) * pGrid->GetZoomY());
    }
    const int fixedCols = pGrid->GetFixedColumnCount();
    const int frozenColEnd = fixedCols + pGrid->GetFreezeLeftCols();
    if (pGrid->GetFreezeLeftCols() > 0 && nCol >= fixedCols && nCol < frozenColEnd) {
        for (int c = std::max(range.GetMinCol(), frozenColEnd); c <= range.GetMaxCol(); ++c)
            fill.right -= static_cast<int>(std::max(0, pGrid->GetColumnWidth(c)) * pGrid->GetZoomX());
    }
}

// The back colour a fixed cell fills with: its own, or the fixed-row default
// cell's when its own is not a colour.
COLORREF FixedFillColour(CGridCellBase* pCell, CGridCtrl* pGrid)
{
    COLORREF clr = pCell->GetBackColor();
    if (clr > 0xFFFFFF && pGrid != nullptr)
        clr = pGrid->GetDefaultCell(TRUE, FALSE)->GetBackColor();
    return clr;
}

bool SkinOn(CGridCtrl* pGrid)
{
    return pGrid != nullptr && pGrid->GetSkinStyle() == 1;
}

// The background of a fixed cell (rect as the grid passes it).
void PaintFixedBackground(CGridCellBase* pCell, CGridCtrl* pGrid, CDC* pDC, const CRect& rect, COLORREF fill)
{
    const CRect inside = Inside(rect);
    if (!SkinOn(pGrid)) {
        pDC->FillSolidRect(&inside, fill);
        return;
    }
    if (pCell->IsFixedRow() && pCell->IsFixedCol()) {
        // The corner: a flat fill, a light frame and the corner mark.
        pDC->FillSolidRect(&inside, CELL_CORNER_FILL);
        {
            ScopedPen outer(pDC, PS_SOLID, 1, CELL_CORNER_OUTER_LINE);
            if (outer.Ok()) {
                Line(pDC, inside.left, inside.top, inside.left, inside.bottom - 1);
                Line(pDC, inside.left, inside.top, inside.right - 1, inside.top);
            }
        }
        {
            ScopedPen inner(pDC, PS_SOLID, 1, CELL_CORNER_INNER_LINE);
            if (inner.Ok()) {
                Line(pDC, inside.left, inside.bottom - 1, inside.right - 1, inside.bottom - 1);
                Line(pDC, inside.right - 1, inside.top, inside.right - 1, inside.bottom - 1);
            }
        }
        CBitmap* pMark = pGrid->GetSkinBitmap(SKIN_TOPLEFTSIDE);
        if (pMark != nullptr && pMark->GetSafeHandle() != nullptr) {
            CSize size = pMark->GetSize();
            const int x = inside.right - size.cx - 4;
            const int y = inside.bottom - size.cy - 3;
            CDC source;
            if (x > 0 && y > 0 && source.CreateCompatibleDC(pDC)) {
                CBitmap* pOld = source.SelectObject(pMark);
                pDC->BitBlt(x, y, size.cx, size.cy, &source, 0, 0, SRCCOPY);
                source.SelectObject(pOld);
            }
        }
        return;
    }
    if (pCell->IsFixedCol()) {
        pDC->FillSolidRect(&inside, pGrid->GetFixedColumnColor());
        return;
    }
    if (!TileAcross(pDC, inside, pGrid->GetSkinBitmap(SKIN_FIXEDROW), pGrid->GetZoomX()))
        pDC->FillSolidRect(&inside, fill);
}

// The background of a fixed cell whose row or column holds the selection.
void PaintSelectedFixedBackground(CGridCellBase* pCell, CGridCtrl* pGrid, CDC* pDC, const CRect& rect,
                                  COLORREF fill)
{
    const CRect inside = Inside(rect);
    if (SkinOn(pGrid) && pCell->IsFixedRow() && !pCell->IsFixedCol() &&
        TileAcross(pDC, inside, pGrid->GetSkinBitmap(SKIN_FIXEDSELROW), pGrid->GetZoomX()))
        return;
    pDC->FillSolidRect(&inside, fill);
}

// Background and frame of a fixed cell on screen.
void DrawFixedCell(CGridCellBase* pCell, CGridCtrl* pGrid, CDC* pDC, const CRect& rect, int nRow, int nCol)
{
    const COLORREF fill = FixedFillColour(pCell, pGrid);
    PaintFixedBackground(pCell, pGrid, pDC, rect, fill);
    const int right = rect.right + 1;
    const int bottom = rect.bottom + 1;
    if (pGrid != nullptr) {
        ScopedPen pen(pDC, PS_SOLID, 1, pGrid->GetFixedFrameColor());
        if (pen.Ok()) {
            if (nCol <= 0 || !pGrid->IsTouchedBySelection(nRow, nCol - 1))
                Line(pDC, rect.left, rect.top, rect.left, bottom);
            if (nRow <= 0 || !pGrid->IsTouchedBySelection(nRow - 1, nCol))
                Line(pDC, rect.left, rect.top, right, rect.top);
            Line(pDC, right, rect.top, right, bottom);
            Line(pDC, rect.left, bottom, right, bottom);
        }
    }
    if (pGrid == nullptr)
        return;
    if (!pGrid->IsTouchedBySelection(nRow, nCol) && !InSelectedBand(pCell, pGrid, nRow, nCol))
        return;
    PaintSelectedFixedBackground(pCell, pGrid, pDC, rect, CELL_SELECTED_FIXED_FILL);
    ScopedPen pen(pDC, PS_SOLID, 1, pGrid->GetSelectedFixedFrameColor());
    if (!pen.Ok())
        return;
    if (SkinOn(pGrid)) {
        if (pCell->IsFixedRow() && !pCell->IsFixedCol())
            Line(pDC, rect.left, rect.top, rect.left, bottom);
        else
            Line(pDC, rect.left, rect.top, right, rect.top);
    }
    Line(pDC, right, rect.top, right, bottom);
    Line(pDC, rect.left, bottom, right, bottom);
}

// The sort arrow of a header cell in the sort column; the text rectangle
// gives way to it.
void DrawSortArrow(CGridCellBase* pCell, CGridCtrl* pGrid, CDC* pDC, int nRow, int nCol, CRect& textRect)
{
    if (pGrid == nullptr || nCol != pGrid->GetSortColumn() || !pCell->IsFixedRow())
        return;
    if (nRow != 0 && !(pCell->IsMerged() && pCell->GetMergeRange().GetMinRow() == 0))
        return;
    const int margin = pCell->GetMargin();
    int u = pDC->GetTextExtent("M", 1).cy - 4;
    if (u >= textRect.Height())
        u = textRect.Height() - 4;
    if (u + textRect.left >= textRect.right + 2 * margin)
        return;
    const LOGFONT* plf = pCell->GetFont();
    const bool turned = plf != nullptr && plf->lfEscapement == 900;
    const int x0 = turned ? (textRect.left + textRect.right - u) / 2 + 1 : textRect.right - u + 1;
    const int y0 = textRect.top + 6;
    const bool ascending = pGrid->GetSortAscending() != FALSE;
    for (int k = 0; k < 5; ++k) {
        const int half = ascending ? k : 4 - k;
        for (int x = 4 - half; x <= 4 + half; ++x)
            pDC->SetPixel(x0 + x, y0 + k, CELL_SORT_ARROW_COLOUR);
    }
    if (!turned)
        textRect.right -= 5;
}

// The font the cell draws with: its pooled font object, or one made from its
// LOGFONT (kept in `made`).
CFont* CellFont(CGridCellBase* pCell, CFont& made)
{
    CFont* pFont = pCell->GetFontObject();
    if (pFont != nullptr && pFont->GetSafeHandle() != nullptr)
        return pFont;
    const LOGFONT* plf = pCell->GetFont();
    if (plf != nullptr && made.CreateFontIndirect(plf))
        return &made;
    return nullptr;
}

}  // namespace

BOOL CGridCellBase::IsRichTextCell() const
{
    const CRuntimeClass* pClass = GetRuntimeClass();
    return pClass != nullptr && pClass->m_lpszClassName != nullptr &&
           std::strcmp(pClass->m_lpszClassName, "CGridCellSuperEdit") == 0;
}

UINT CGridCellBase::GetDrawTextFormat(const CString& strText)
{
    UINT format = GetAlign();
    if (strText.Find('\n') < 0 && strText.Find('\r') < 0 && !GetWrapText()) {
        format |= DT_SINGLELINE;
        format &= ~static_cast<UINT>(DT_END_ELLIPSIS);
    } else {
        format &= ~static_cast<UINT>(DT_SINGLELINE);
        format |= DT_WORDBREAK | DT_EDITCONTROL;
    }
    if (IsDisplayEllipsis())
        format |= DT_END_ELLIPSIS;
    return format;
}

CString CGridCellBase::GetTextToDraw(CDC* pDC, int* pnColour)
{
    *pnColour = -1;
    CString text = GetDisplayText();
    CString format = GetFormatXml();
    if (format.IsEmpty())
        return text;
    CString cached = GetFormattedText();
    if (!cached.IsEmpty()) {
        *pnColour = GetFormatColour();
        return cached;
    }
    CFormatElement element(format, text, pDC);
    CString formatted = element.FormatValue();
    const int colour = element.GetChosenColour();
    SetFormattedText(formatted, colour);
    if (formatted.IsEmpty())
        return text;
    *pnColour = colour;
    return formatted;
}

void CGridCellBase::DrawTipMarker(CDC* pDC, const CRect& rect)
{
    if (!IsDisplayTip() || GetTipText().IsEmpty())
        return;
    for (int k = 0; k < 5; ++k)
        for (int x = rect.right - 4 + k; x <= rect.right; ++x)
            pDC->SetPixel(x, rect.top + 1 + k, CELL_TIP_MARKER_COLOUR);
}

void CGridCellBase::DrawBorders(CGridCtrl* pGrid, CDC* pDC, CRect rect, int nRow, int nCol, BOOL bPrinting)
{
    // Borders need the grid's settings, never its window: a control without
    // a window (a script's) prints and draws to bitmaps with its borders.
    // The grid's guide lines are the screen's (a window's) or, on paper, the
    // print-grid-lines option's.
    if (pGrid == nullptr || pDC == nullptr)
        return;
    const double zoom = pGrid->GetZoomX();
    rect.right += 1;
    rect.bottom += 1;
    const CGridDefaultSetting& setting = pGrid->GetDefaultSettingRecord();
    const int mode = pGrid->GetGridLineMode();
    const bool gridLinesHere = !IsFixed() && (bPrinting ? pGrid->GetPrintGridLines() != FALSE : HasGridWindow(pGrid));

    struct Edge {
        UINT bit;
        int settingEdge;
        UINT facingBit;     // the neighbour's border that lies on this edge
        int dRow, dCol;     // the neighbour that shares this edge (left and top only)
        bool gridLine;
        int x1, y1, x2, y2;
    };
    const bool vertical = mode == 2 || mode == 3;
    const bool horizontal = mode == 1 || mode == 3;
    const Edge edges[4] = {
        {CBF_LEFT, BorderEdgeLeft, CBF_RIGHT, 0, -1, vertical, rect.left, rect.top, rect.left, rect.bottom},
        {CBF_TOP, BorderEdgeTop, CBF_BOTTOM, -1, 0, horizontal, rect.left, rect.top, rect.right, rect.top},
        {CBF_RIGHT, BorderEdgeRight, 0, 0, 0, vertical, rect.right, rect.top, rect.right, rect.bottom},
        {CBF_BOTTOM, BorderEdgeBottom, 0, 0, 0, horizontal, rect.left, rect.bottom, rect.right, rect.bottom},
    };

    CPen gridPen;   // made when the first grid line is drawn
    for (const Edge& e : edges) {
        COLORREF clr = 0;
        int style = 0;
        int width = 0;
        bool block = GetBorder(e.bit, &clr, &style, &width) != FALSE;
        if (!block && (setting.m_wBorderFlags & (1u << e.settingEdge)) != 0) {
            const CBorderBlock& b = setting.m_borders[e.settingEdge];
            clr = static_cast<COLORREF>(b.colour);
            style = b.lineStyle;
            width = b.lineWidth;
            block = true;
        }
        if (block && width > 0 && style >= 0 && style <= 4 && static_cast<int>(clr) >= 0) {
            if (!bPrinting && IsSelected())
                clr = MixColours(clr, GetSelBackColor());
            ScopedPen pen(pDC, style, static_cast<int>(width * zoom), clr);
            if (pen.Ok())
                Line(pDC, e.x1, e.y1, e.x2, e.y2);
            continue;
        }
        if (!e.gridLine || !gridLinesHere)
            continue;
        if (e.facingBit != 0) {
            CGridCellBase* pNeighbour = pGrid->GetCell(nRow + e.dRow, nCol + e.dCol);
            if (pNeighbour != nullptr && (pNeighbour->GetBorderMask() & e.facingBit) != 0)
                continue;
        }
        if (gridPen.GetSafeHandle() == nullptr &&
            !gridPen.CreatePen(PS_SOLID, std::max(1, static_cast<int>(zoom)), pGrid->GetGridLineColor()))
            continue;
        CPen* pOld = pDC->SelectObject(&gridPen);
        Line(pDC, e.x1, e.y1, e.x2, e.y2);
        pDC->SelectObject(pOld);
    }

    // Diagonals, from the cell's own blocks only.
    const int midX = (rect.left + rect.right) / 2;
    const int midY = (rect.top + rect.bottom) / 2;
    const UINT diagonals[4] = {CBF_DIAGONAL_DOWN, CBF_DIAGONAL_UP, CBF_FAN_TOPLEFT, CBF_FAN_BOTTOMRIGHT};
    for (UINT bit : diagonals) {
        COLORREF clr = 0;
        int style = 0;
        int width = 0;
        if (!GetBorder(bit, &clr, &style, &width))
            continue;
        if (!bPrinting && IsSelected())
            clr = MixColours(clr, GetSelBackColor());
        ScopedPen pen(pDC, style, static_cast<int>(width * zoom), clr);
        if (!pen.Ok())
            continue;
        switch (bit) {
        case CBF_DIAGONAL_DOWN: Line(pDC, rect.left, rect.top, rect.right, rect.bottom); break;
        case CBF_DIAGONAL_UP: Line(pDC, rect.right, rect.top, rect.left, rect.bottom); break;
        case CBF_FAN_TOPLEFT:
            Line(pDC, rect.left, rect.top, rect.right, midY);
            Line(pDC, rect.left, rect.top, midX, rect.bottom);
            break;
        default:
            Line(pDC, rect.right, rect.bottom, midX, rect.top);
            Line(pDC, rect.right, rect.bottom, rect.left, midY);
            break;
        }
    }
}

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    m_rcCell = rect;
    if (!IsVisible())
        return TRUE;
    CGridCtrl* pGrid = GetGrid();
    const COLORREF tint = SelectionTint(this, pGrid);
    if (pDC == nullptr || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    pDC->SetBkMode(TRANSPARENT);
    CGridCellBase* pDefault = GetDefaultCell();
    if (pDefault == nullptr)
        return FALSE;

    // Colours.
    const COLORREF ownText = GetTextColor();
    COLORREF textClr = ownText == GetDefaultTextColour() ? pDefault->GetTextColor() : ownText;
    const COLORREF ownBack = GetBackColor();
    const bool defaultBack = ownBack == GetDefaultBackColour();
    COLORREF backClr;
    if (defaultBack) {
        if (pGrid != nullptr && pGrid->GetRowOddSetting())
            backClr = (nRow % 2) != 0 ? pGrid->GetRowOddBkColor() : pGrid->GetRowEvenBkColor();
        else
            backClr = pDefault->GetBackColor();
    } else {
        backClr = ownBack;
        bEraseBkgnd = TRUE;
    }
    const COLORREF selClr = defaultBack ? tint : MixColours(ownBack, tint);

    // Background.
    if (IsFocused() || IsDropTarget()) {
        if (IsSelected()) {
            backClr = selClr;
            if (!IsFocused())
                textClr = MixColours(textClr, tint);
            bEraseBkgnd = TRUE;
        }
        if (bEraseBkgnd)
            FillWithBrush(pDC, CRect(rect.left + 2, rect.top + 2, rect.right + 1, rect.bottom + 1), backClr);
        pDC->SetTextColor(textClr);
        rect.DeflateRect(0, 1, 1, 1);
    } else if (IsSelected()) {
        const CRect inside = Inside(rect);
        pDC->FillSolidRect(&inside, selClr);
        textClr = MixColours(textClr, tint);
        pDC->SetTextColor(textClr);
    } else if (IsFixed() || !InSelectedBand(this, pGrid, nRow, nCol)) {
        if (bEraseBkgnd) {
            const CRect inside = Inside(rect);
            pDC->FillSolidRect(&inside, backClr);
        }
        pDC->SetTextColor(textClr);
    } else {
        CRect fill = Inside(rect);
        ClipMergedFillToFrozenBand(this, pGrid, nRow, nCol, fill);
        pDC->FillSolidRect(&fill, selClr);
        textClr = MixColours(textClr, tint);
        pDC->SetTextColor(textClr);
    }

    DrawBorders(pGrid, pDC, rect, nRow, nCol, FALSE);
    DrawTipMarker(pDC, rect);

    if (IsFixed())
        DrawFixedCell(this, pGrid, pDC, rect, nRow, nCol);

    // Text.
    const int margin = GetMargin();
    CRect textRect(rect.left + margin, rect.top + margin / 2, rect.right - margin, rect.bottom - margin / 2);
    CFont made;
    CFont* pFont = CellFont(this, made);
    CFont* pOldFont = pFont != nullptr ? pDC->SelectObject(pFont) : nullptr;
    DrawSortArrow(this, pGrid, pDC, nRow, nCol, textRect);

    int formatColour = -1;
    CString text = GetTextToDraw(pDC, &formatColour);
    if (formatColour >= 0)
        pDC->SetTextColor(static_cast<COLORREF>(formatColour));
    const UINT format = GetDrawTextFormat(text);
    if (!textRect.IsRectEmpty()) {
        if (HasGridWindow(pGrid) && (format & DT_WORDBREAK) != 0) {
            const int textHeight = GetTextExtent(text, pDC, nCol).cy;
            if ((format & DT_VCENTER) != 0) {
                textRect.top += std::max(0, rect.Height() - textHeight) / 2 + 1;
            } else if ((format & DT_BOTTOM) != 0) {
                const int top = textRect.bottom - textHeight;
                if (top > 0)
                    textRect.top = top;
            }
        }
        if (GetShowText() && !IsRichTextCell())
            pDC->DrawText(text, &textRect, format);
    }
    if (pFont != nullptr)
        pDC->SelectObject(pOldFont);
    return TRUE;
}

BOOL CGridCellBase::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    m_rcCell = rect;
    if (!IsVisible())
        return TRUE;
    if (pDC == nullptr || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridCellBase* pDefault = GetDefaultCell();
    if (pDefault == nullptr)
        return FALSE;
    CGridCtrl* pGrid = GetGrid();
    const double zx = ZoomX(pGrid);
    const double zy = ZoomY(pGrid);
    pDC->SetBkMode(TRANSPARENT);

    const COLORREF ownText = GetTextColor();
    const COLORREF textClr = ownText == GetDefaultTextColour() ? pDefault->GetTextColor() : ownText;
    const COLORREF ownBack = GetBackColor();
    const COLORREF backClr = ownBack == GetDefaultBackColour() ? pDefault->GetBackColor() : ownBack;
    const CRect inside = Inside(rect);
    pDC->FillSolidRect(&inside, backClr);
    pDC->SetTextColor(textClr);

    DrawBorders(pGrid, pDC, rect, nRow, nCol, TRUE);

    if (IsFixed() && pGrid != nullptr && pGrid->GetGridLineMode() != 0) {
        PaintFixedBackground(this, pGrid, pDC, rect, FixedFillColour(this, pGrid));
        ScopedPen pen(pDC, PS_SOLID, 1, pGrid->GetFixedFrameColor());
        if (pen.Ok()) {
            Line(pDC, rect.left, rect.top, rect.left, rect.bottom + 1);
            Line(pDC, rect.left, rect.top, rect.right + 1, rect.top);
            Line(pDC, rect.right + 1, rect.top, rect.right + 1, rect.bottom + 1);
            Line(pDC, rect.left, rect.bottom + 1, rect.right + 1, rect.bottom + 1);
        }
    }

    const int margin = GetMargin();
    CRect textRect(rect.left + static_cast<int>(margin * zx), rect.top + static_cast<int>((margin / 2) * zy),
                   rect.right - static_cast<int>(margin * zx), rect.bottom - static_cast<int>((margin / 2) * zy));

    int formatColour = -1;
    CString text = GetTextToDraw(pDC, &formatColour);
    if (formatColour >= 0)
        pDC->SetTextColor(static_cast<COLORREF>(formatColour));
    const UINT format = GetDrawTextFormat(text);

    // The font at the vertical zoom; the cell's own font is not changed.
    const LOGFONT* plf = GetFont();
    CFont font;
    CFont* pOldFont = nullptr;
    if (plf != nullptr) {
        LOGFONT lf = *plf;
        lf.lfHeight = ScaleFontHeight(lf.lfHeight, zy);
        if (font.CreateFontIndirect(&lf))
            pOldFont = pDC->SelectObject(&font);
    }
    if (!textRect.IsRectEmpty()) {
        // On paper wrapped text is measured whether or not the grid has a
        // window.
        if (pGrid != nullptr && (format & DT_WORDBREAK) != 0) {
            const int textHeight = GetTextExtent(text, pDC, nCol).cy;
            if ((format & DT_VCENTER) != 0) {
                textRect.top += std::max(0, textRect.Height() - textHeight) / 2 + static_cast<int>(zy);
            } else if ((format & DT_BOTTOM) != 0) {
                const int top = textRect.bottom - textHeight;
                if (top > 0)
                    textRect.top = top;
            }
        }
        if (!IsRichTextCell())
            pDC->DrawText(text, &textRect, format);
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    return TRUE;
}
