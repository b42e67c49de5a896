#include "grid/GridCellCheck.h"

#include "base/CArchive.h"
#include "base/NumberText.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridCellCheck, CGridCell)

namespace {

// The tick, 13 x 13: per row from the top, the columns set.
struct TickRow {
    int row;
    int first;
    int last;
};
const TickRow kTick[] = {
    {3, 9, 9}, {4, 8, 9}, {5, 3, 3}, {5, 7, 9}, {6, 3, 4},
    {6, 6, 8}, {7, 3, 7}, {8, 4, 6}, {9, 5, 5},
};

int Scaled(int n, double zoom)
{
    return static_cast<int>(n * zoom);
}

bool Present(const CXmlElement& element, LPCTSTR szKey)
{
    return element.FindAttribute(szKey) >= 0;
}

CString Lowered(CString s)
{
    s.MakeLower();
    return s;
}

}  // namespace

CGridCellCheck::CGridCellCheck()
{
    SetShowText(TRUE);
}

// --- control attributes -------------------------------------------------------------

BOOL CGridCellCheck::SetControl(LPCTSTR szControl)
{
    // A new element: CXmlElement::SetText keeps the attributes parsed before.
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    ApplyAttributes();
    return TRUE;
}

CString CGridCellCheck::GetControl()
{
    m_element.SetAttribute("setcheck", m_bChecked ? "1" : "0");
    return m_element.GetXmlText();
}

BOOL CGridCellCheck::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    // The element answers -1 for a refused attribute and otherwise the index
    // it wrote, 0 included: only a refusal is a failure.
    const short result = m_element.SetAttribute(szKey, szValue);
    ApplyAttributes();
    return result >= 0 ? TRUE : FALSE;
}

CString CGridCellCheck::GetControlProperty(LPCTSTR szKey)
{
    if (szKey != nullptr && CString(szKey) == "getcheck")
        return m_bChecked ? "1" : "0";
    return m_element.GetAttribute(szKey);
}

BOOL CGridCellCheck::DelControlProperty(LPCTSTR szKey)
{
    const BOOL result = m_element.DeleteAttribute(szKey);
    ApplyAttributes();
    return result;
}

void CGridCellCheck::ApplyAttributes()
{
    CXmlElement& e = m_element;
    CString style = e.GetAttribute("displaystyle");
    style.MakeUpper();
    if (style.IsEmpty()) {
        m_nStyle = GCHK_STYLE_3D;
        e.SetAttribute("displaystyle", "2K3D");
    } else if (style == "2K3D" || style == "0") {
        m_nStyle = GCHK_STYLE_3D;
    } else if (style == "2KFLAT" || style == "1") {
        m_nStyle = GCHK_STYLE_FLAT;
    } else if (style == "XP" || style == "2") {
        m_nStyle = GCHK_STYLE_XP;
        struct {
            LPCTSTR key;
            LPCTSTR fallback;
            COLORREF value;
            COLORREF* field;
        } colours[] = {
            {"sidecolor", "RGB(99,130,165)", RGB(99, 130, 165), &m_crSide},
            {"tickcolor", "RGB(90,113,148)", RGB(90, 113, 148), &m_crTick},
            {"bgcolor", "RGB(222,235,255)", RGB(222, 235, 255), &m_crBoxBack},
        };
        for (auto& c : colours) {
            if (Present(e, c.key)) {
                *c.field = CXmlElement::ParseColour(e.GetAttribute(c.key));
            } else {
                *c.field = c.value;
                e.SetAttribute(c.key, c.fallback);
            }
        }
    }

    const CString check = Lowered(e.GetAttribute("setcheck"));
    m_bChecked = (check == "1" || check == "yes") ? TRUE : FALSE;

    // A text without a size names the size the box has.
    if (Present(e, "size")) {
        const int size = AToI(e.GetAttribute("size"));
        m_nBoxSize = size > 9 ? size : 10;
    } else {
        e.SetAttributeInt("size", m_nBoxSize);
    }

    // A value that is neither yes nor no is replaced by the flag's real value,
    // so the text says what the cell does.
    const CString enable = Lowered(e.GetAttribute("enablecheck"));
    if (enable == "1" || enable == "yes")
        m_bEnableCheck = TRUE;
    else if (enable == "0" || enable == "no")
        m_bEnableCheck = FALSE;
    else
        e.SetAttribute("enablecheck", m_bEnableCheck ? "1" : "0");

    const int align = Present(e, "align") ? AToI(e.GetAttribute("align")) : 1;
    m_nBoxAlign = static_cast<UINT>(align >= 1 ? align : 1);

    SetShowText(Present(e, "showtext") ? AToI(e.GetAttribute("showtext")) : 1);
}

// --- content --------------------------------------------------------------------------

void CGridCellCheck::SetValue(double dValue)
{
    CGridCell::SetValue(dValue);
    m_bChecked = dValue != 0.0;
    InvalidateBox(m_rcDrawn);
}

void CGridCellCheck::SetText(LPCTSTR szText)
{
    CGridCell::SetText(szText);
    if (szText != nullptr && *szText != '\0')
        m_bChecked = AToI(szText) != 0;
}

BOOL CGridCellCheck::SetCheck(BOOL bChecked)
{
    m_bChecked = bChecked ? TRUE : FALSE;
    InvalidateBox(m_rcDrawn);
    return m_bChecked;
}

void CGridCellCheck::CopyFormat(CGridCellBase* pSrc)
{
    if (pSrc == this)
        return;
    CGridCell::CopyFormat(pSrc);
    m_bChecked = FALSE;
}

void CGridCellCheck::InvalidateBox(const CRect& rect)
{
    if (rect.IsRectEmpty() || m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    m_pGrid->InvalidateRect(&rect, TRUE);
}

// --- geometry -------------------------------------------------------------------------

CRect CGridCellCheck::ComputeBoxRect(const CRect& cell, int nMargin, int nSize, UINT nAlign, double dZoomX,
                                     double dZoomY)
{
    const int mx = Scaled(nMargin, dZoomX);
    const int my = Scaled(nMargin, dZoomY);
    const int sx = Scaled(nSize, dZoomX);
    const int sy = Scaled(nSize, dZoomY);
    const int startLeft = cell.left + mx;
    const int startTop = cell.top + my;
    const int w = std::max<int>(0, cell.right - cell.left - mx);
    const int h = std::max<int>(0, cell.bottom - cell.top - my);
    CRect box;
    if (nAlign & 0x04)
        box.left = startLeft + (w - sx - mx);
    else if (nAlign & 0x02)
        box.left = startLeft + (w - sx) / 2;
    else
        box.left = startLeft;
    box.right = box.left + sx;
    if (nAlign & 0x10)
        box.top = startTop + (h - sy - my);
    else if (nAlign & 0x08)
        box.top = startTop + (h - sy) / 2;
    else
        box.top = startTop;
    box.bottom = box.top + sy;
    if (box.left < cell.left || box.top < cell.top || box.right > cell.right || box.bottom > cell.bottom)
        return CRect(0, 0, 0, 0);
    return box;
}

CRect CGridCellCheck::GetBoxRect(const CRect& rect)
{
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    return ComputeBoxRect(rect, GetMargin(), m_nBoxSize, m_nBoxAlign, zx, zy);
}

BOOL CGridCellCheck::GetTextRect(LPRECT pRect)
{
    if (pRect == nullptr)
        return FALSE;
    CGridCell::GetTextRect(pRect);
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    pRect->left = std::min<LONG>(pRect->right, pRect->left + Scaled(GetMargin() / 2 + m_nBoxSize, zx));
    return TRUE;
}

CSize CGridCellCheck::GetCellExtent(CDC* pDC, int nCol)
{
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    const int margin = GetMargin();
    CSize size(Scaled(3 * margin + m_nBoxSize, zx), 0);
    if (GetShowText()) {
        const CString text = GetDisplayText();
        const CSize textSize = GetTextExtent(text, pDC, nCol);
        size.cx += textSize.cx;
        size.cy = textSize.cy;
    }
    size.cy = std::max<int>(size.cy, Scaled(margin + m_nBoxSize, zy));
    return size;
}

// --- input ------------------------------------------------------------------------------

void CGridCellCheck::Toggle(const CRect& rcInvalidate, int nRow, int nCol)
{
    m_bChecked = m_bChecked ? FALSE : TRUE;
    InvalidateBox(rcInvalidate);
    if (m_pGrid == nullptr)
        return;
    m_pGrid->PostGridMessage(WM_GRID_CELLCHECKBOXCHECKED,
                             static_cast<WPARAM>(MAKELONG(static_cast<WORD>(nRow), static_cast<WORD>(nCol))),
                             static_cast<LPARAM>(m_bChecked), GridEventLines{nRow, nCol});
}

void CGridCellCheck::OnClick(CPoint ptCellRelative)
{
    if (IsReadOnly() || !m_bEnableCheck || m_pGrid == nullptr)
        return;
    CRect rect;
    CPoint origin;
    if (!m_pGrid->GetCellRect(m_nRow, m_nCol, &rect) || !m_pGrid->GetCellTopLeft(m_nRow, m_nCol, &origin))
        return;
    const CPoint point(origin.x + ptCellRelative.x, origin.y + ptCellRelative.y);
    const CRect box = GetBoxRect(rect);
    if (box.IsRectEmpty() || !box.PtInRect(point))
        return;
    CGridCellPos cell = m_pGrid->GetCellFromPoint(point);
    if (!cell.IsValid())
        cell = CGridCellPos(m_nRow, m_nCol);
    Toggle(rect, cell.row, cell.col);
}

BOOL CGridCellCheck::Edit(int nRow, int nCol, CRect rect, CPoint, UINT, UINT nChar)
{
    // The space bar toggles the box when a click on it would.
    if (nChar != ' ' || IsReadOnly() || !m_bEnableCheck)
        return FALSE;
    Toggle(rect, nRow, nCol);
    return TRUE;
}

// --- painting ---------------------------------------------------------------------------

BOOL CGridCellCheck::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    return DrawCheckCell(pDC, nRow, nCol, rect, bEraseBkgnd, FALSE);
}

BOOL CGridCellCheck::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    return DrawCheckCell(pDC, nRow, nCol, rect, TRUE, TRUE);
}

BOOL CGridCellCheck::DrawCheckCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd, BOOL bPrinting)
{
    if (pDC == nullptr || rect.IsRectEmpty())
        return FALSE;
    m_rcDrawn = rect;
    if (!IsVisible())
        return TRUE;
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const COLORREF fill = (!bPrinting && (IsSelected() || IsFocused())) ? GetSelBackColor() : GetBackColor();
    pDC->FillSolidRect(&rect, fill);
    const CRect box = GetBoxRect(rect);
    CRect textRect = rect;
    if (!box.IsRectEmpty())
        textRect.left = box.right;
    if (bPrinting)
        CGridCell::DrawContent(pDC, nRow, nCol, textRect);
    else
        CGridCell::Draw(pDC, nRow, nCol, textRect, bEraseBkgnd);
    if (!box.IsRectEmpty()) {
        const CRect behind(box.left, rect.top, std::min<int>(rect.right, box.right + Scaled(2, zx)), rect.bottom);
        pDC->FillSolidRect(&behind, fill);
        DrawBox(pDC, box);
    }
    if (m_pGrid != nullptr)
        DrawBorders(m_pGrid, pDC, rect, nRow, nCol, bPrinting);
    return TRUE;
}

void CGridCellCheck::DrawBox(CDC* pDC, const CRect& box)
{
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    const int bx = std::max(1, Scaled(1, zx));
    const int by = std::max(1, Scaled(1, zy));
    auto paintTick = [&](COLORREF colour) {
        for (const TickRow& t : kTick) {
            for (int col = t.first; col <= t.last; ++col)
                pDC->FillSolidRect(box.left + Scaled(col, zx), box.top + Scaled(t.row, zy), bx, by, colour);
        }
    };
    if (m_nStyle == GCHK_STYLE_3D) {
        pDC->FillSolidRect(&box, GetBackColor());
        CRect frame = box;
        pDC->DrawFrameControl(&frame, DFC_BUTTON, DFCS_BUTTONCHECK | (m_bChecked ? DFCS_CHECKED : 0));
        return;
    }
    if (m_nStyle == GCHK_STYLE_FLAT) {
        pDC->FillSolidRect(&box, RGB(255, 255, 255));
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 2, RGB(0, 0, 0))) {
            CPen* pOld = pDC->SelectObject(&pen);
            pDC->MoveTo(box.left, box.top);
            pDC->LineTo(box.right, box.top);
            pDC->LineTo(box.right, box.bottom);
            pDC->LineTo(box.left, box.bottom);
            pDC->LineTo(box.left, box.top - 1);
            pDC->SelectObject(pOld);
        }
        if (m_bChecked)
            paintTick(RGB(0, 0, 0));
        return;
    }
    CPen pen;
    if (pen.CreatePen(PS_SOLID, 1, m_crSide)) {
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->MoveTo(box.left, box.top);
        pDC->LineTo(box.right - 1, box.top);
        pDC->LineTo(box.right - 1, box.bottom - 1);
        pDC->LineTo(box.left, box.bottom - 1);
        pDC->LineTo(box.left, box.top);
        pDC->SelectObject(pOld);
    }
    if (m_bChecked)
        paintTick(m_crTick);
}

// --- the record ---------------------------------------------------------------------------

int CGridCellCheck::GetRecordSize()
{
    return GetControlLevelSize(CELL_RECORD_CHECK_CONTROL);
}

void CGridCellCheck::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    SerializeControlLevel(ar, pnRunningSize, CELL_RECORD_CHECK_CONTROL, CELL_RECORD_CHECK_END);
}
