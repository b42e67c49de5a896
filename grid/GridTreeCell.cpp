// The tree cells: forwarding to the tree, the outline's painting, mouse and
// editing, and the two record levels.
#include "grid/GridTreeCell.h"

#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"
#include "grid/TreeColumn.h"
#include "platform/DC.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridTreeCellBase, CGridCell)
IMPLEMENT_DYNCREATE(CGridTreeCell, CGridTreeCellBase)

namespace {

enum TreeCellTag {
    TAG_TREE_BACK_COLOUR = 3901,
    TAG_TREE_TEXT_COLOUR = 3902,
    TAG_TREE_FONT = 3903,
    TAG_TREE_VALUE = 4001,
    TAG_TREE_TEXT = 4002,
};

// A pen of the tree's line styles: the dotted style is a geometric pen with
// flat ends and one pixel on, one off; the others are plain one-pixel pens.
class COutlinePen {
public:
    COutlinePen(CDC* pDC, int nStyle, COLORREF clr) : m_pDC(pDC)
    {
        BOOL made;
        if (nStyle == TLINE_DOTTED) {
            LOGBRUSH brush = {BS_SOLID, clr, 0};
            const DWORD pattern[2] = {1, 1};
            made = m_pen.CreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, &brush, 2, pattern);
        } else {
            made = nStyle >= 0 && nStyle <= TLINE_DASHDOTDOTTED && m_pen.CreatePen(nStyle, 1, clr);
        }
        if (made)
            m_pOld = pDC->SelectObject(&m_pen);
    }
    ~COutlinePen()
    {
        if (m_pOld != nullptr)
            m_pDC->SelectObject(m_pOld);
    }
    bool Ok() const { return m_pOld != nullptr; }

private:
    CDC* m_pDC;
    CPen m_pen;
    CPen* m_pOld = nullptr;
};

// Segments whose ends lie outside the cell (widened by the margin) are left out.
class CClippedLines {
public:
    CClippedLines(CDC* pDC, const CRect& limit) : m_pDC(pDC), m_limit(limit) {}
    void Line(int x1, int y1, int x2, int y2)
    {
        if (!Inside(x1, y1) || !Inside(x2, y2))
            return;
        m_pDC->MoveTo(x1, y1);
        m_pDC->LineTo(x2, y2);
    }

private:
    bool Inside(int x, int y) const
    {
        return x >= m_limit.left && x <= m_limit.right && y >= m_limit.top && y <= m_limit.bottom;
    }
    CDC* m_pDC;
    CRect m_limit;
};

}  // namespace

CGridTreeCellBase::CGridTreeCellBase() = default;

CGridTreeCell::CGridTreeCell() = default;

// --- the tree ---------------------------------------------------------------------------------

void CGridTreeCellBase::AttachTree(CTreeColumn* pTree)
{
    if (pTree == m_pTree && !m_treeAlive.expired())
        return;
    m_pTree = pTree;
    m_treeAlive = pTree != nullptr ? pTree->GetLiveness() : std::weak_ptr<const void>();
}

CTreeColumn* CGridTreeCellBase::GetTree() const
{
    if (m_pTree == nullptr || m_treeAlive.expired())
        return nullptr;
    if (m_pTree->GetGrid() != m_pGrid || m_pTree->GetTreeColumn() != m_nCol || !m_pTree->CoversRow(m_nRow))
        return nullptr;
    return m_pTree;
}

unsigned char CGridTreeCellBase::GetLevelByte() const
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr)
        return 0x80;
    const int level = pTree->GetLevel(m_nRow);
    return static_cast<unsigned char>((level < 0 ? 0 : level) | (pTree->IsRowShown(m_nRow) ? 0x80 : 0));
}

int CGridTreeCellBase::GetBoxSize() const
{
    CTreeColumn* pTree = GetTree();
    return pTree != nullptr ? pTree->GetBoxSize() : TREE_DEFAULT_BOX_SIZE;
}

int CGridTreeCellBase::GetIndentWidth()
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr || m_pGrid == nullptr)
        return 0;
    const int level = std::max(0, pTree->GetLevel(m_nRow));
    const double zx = m_pGrid->GetZoomX();
    const double zy = m_pGrid->GetZoomY();
    CGridCellBase* pDefault = m_pGrid->GetDefaultCell(FALSE, FALSE);
    const int margin = pDefault != nullptr ? pDefault->GetMargin() : 0;
    return static_cast<int>(zx * pTree->GetIndent() * level + zy * margin);
}

CRect CGridTreeCellBase::GetBoxRect()
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr || m_pGrid == nullptr)
        return CRect(0, 0, 0, 0);
    const int level = pTree->GetLevel(m_nRow);
    if (level < 1 || !pTree->HasChild(m_nRow) || m_nRow + 1 >= pTree->GetEndRow())
        return CRect(0, 0, 0, 0);
    const double zx = m_pGrid->GetZoomX();
    const double zy = m_pGrid->GetZoomY();
    CGridCellBase* pDefault = m_pGrid->GetDefaultCell(FALSE, FALSE);
    const int margin = pDefault != nullptr ? pDefault->GetMargin() : 0;
    const int box = pTree->GetBoxSize();
    const int left = static_cast<int>(box * (level - 1) * zx + zx * (margin + 2));
    const int top = static_cast<int>(margin * zy);
    return CRect(left, top, left + static_cast<int>((box - 2) * zx), top + static_cast<int>((box - 2) * zy));
}

void CGridTreeCellBase::SetAlign(UINT nFormat)
{
    if (CTreeColumn* pTree = GetTree())
        pTree->SetFormat(nFormat);
    else
        CGridCell::SetAlign(nFormat);
}

UINT CGridTreeCellBase::GetAlign()
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr)
        return CGridCell::GetAlign();
    if (pTree->GetFormat() == 0x8824) {
        CGridCellBase* pDefault = GetDefaultCell();
        return pDefault != nullptr ? pDefault->GetAlign() : pTree->GetFormat();
    }
    return pTree->GetFormat();
}

void CGridTreeCellBase::SetItemData(int nData)
{
    if (CTreeColumn* pTree = GetTree())
        pTree->SetItemData(nData);
    else
        CGridCell::SetItemData(nData);
}

int CGridTreeCellBase::GetItemData()
{
    CTreeColumn* pTree = GetTree();
    return pTree != nullptr ? pTree->GetItemData() : CGridCell::GetItemData();
}

void CGridTreeCellBase::Reset()
{
    CGridCell::Reset();
    m_pTree = nullptr;
    m_treeAlive.reset();
    m_bBox = TRUE;
}

// --- painting ----------------------------------------------------------------------------------

BOOL CGridTreeCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr || pDC == nullptr || !pTree->IsRowShown(m_nRow))
        return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    // The cell paints itself without its text, then the outline, then the
    // text beside the outline.
    const BOOL showText = GetShowText();
    SetShowText(FALSE);
    const BOOL drawn = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    SetShowText(showText);
    if (!drawn || !IsVisible())
        return drawn;
    DrawOutline(pDC, *pTree, rect);
    if (!showText || IsEditing())
        return TRUE;
    const int margin = GetMargin();
    CRect textRect(rect.left + margin + GetIndentWidth(), rect.top + margin / 2, rect.right - margin,
                   rect.bottom - margin / 2);
    if (textRect.IsRectEmpty())
        return TRUE;
    CFont* pFont = GetFontObject();
    CFont* pOldFont = pFont != nullptr ? pDC->SelectObject(pFont) : nullptr;
    int formatColour = -1;
    CString text = GetTextToDraw(pDC, &formatColour);
    if (formatColour >= 0)
        pDC->SetTextColor(static_cast<COLORREF>(formatColour));
    pDC->DrawText(text, &textRect, GetDrawTextFormat(text));
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    return TRUE;
}

void CGridTreeCellBase::DrawOutline(CDC* pDC, CTreeColumn& tree, const CRect& rect)
{
    const int level = tree.GetLevel(m_nRow);
    if (level < 1 || m_pGrid == nullptr)
        return;
    const double zx = m_pGrid->GetZoomX();
    const double zy = m_pGrid->GetZoomY();
    const int box = tree.GetBoxSize();
    if (box * zx < 6 * zx)
        return;
    CGridCellBase* pDefault = m_pGrid->GetDefaultCell(FALSE, FALSE);
    const int margin = pDefault != nullptr ? pDefault->GetMargin() : 0;
    const int left = static_cast<int>(box * (level - 1) * zx + zx * (margin + 2));
    const int top = static_cast<int>(margin * zy);
    CRect boxRect(rect.left + left, rect.top + top, rect.left + left + static_cast<int>((box - 2) * zx),
                  rect.top + top + static_cast<int>((box - 2) * zy));
    const int cx = (boxRect.left + boxRect.right) / 2;
    const int cy = (boxRect.top + boxRect.bottom) / 2;
    const int step = static_cast<int>(box * zx);
    const int parentX = cx - step;
    const int bottom = rect.bottom + static_cast<int>(zy);
    const int two = static_cast<int>(2 * zx);
    CRect limit(rect);
    limit.InflateRect(static_cast<int>(margin * zx), static_cast<int>(margin * zy));
    CClippedLines lines(pDC, limit);
    const BOOL showLine = tree.GetShowLine();
    const bool lastTreeRow = m_nRow + 1 >= tree.GetEndRow();

    COutlinePen linePen(pDC, tree.GetLineStyle(), tree.GetLineColor());
    if (lastTreeRow) {
        if (level > 1 && showLine && linePen.Ok()) {
            lines.Line(parentX, rect.top, parentX, cy);
            lines.Line(parentX, cy, boxRect.right, cy);
        }
        return;
    }
    if (tree.HasChild(m_nRow)) {
        const BOOL folded = tree.IsFolded(m_nRow);
        if (showLine && linePen.Ok()) {
            if (!folded && tree.GetRowCount() > 1)
                lines.Line(cx, boxRect.bottom, cx, bottom);
            if (level > 1)
                lines.Line(parentX, cy, boxRect.left, cy);
        }
        COutlinePen boxPen(pDC, tree.GetBoxLineStyle(), tree.GetBoxLineColor());
        if (boxPen.Ok()) {
            if (m_bBox && tree.GetShowRectangle()) {
                CBrush brush;
                if (brush.CreateSolidBrush(tree.GetBoxBackColor())) {
                    CBrush* pOld = pDC->SelectObject(&brush);
                    pDC->Rectangle(&boxRect);
                    pDC->SelectObject(pOld);
                }
            }
            lines.Line(boxRect.left + two, cy, boxRect.right - two, cy);
            if (folded)
                lines.Line(cx, boxRect.top + two, cx, boxRect.bottom - two);
        }
    } else if (level > 1 && showLine && linePen.Ok()) {
        lines.Line(parentX, cy, cx, cy);
    }
    if (level <= 1 || !showLine || !linePen.Ok())
        return;
    lines.Line(parentX, rect.top, parentX, tree.IsLastChild(m_nRow) ? cy : bottom);
    const unsigned long long ancestors = tree.GetAncestorLines(m_nRow);
    for (int k = level - 1; k >= 2; --k) {
        if (k < 64 && (ancestors & (1ull << k)) != 0) {
            const int x = cx - step * (level - k + 1);
            lines.Line(x, rect.top, x, bottom);
        }
    }
}

CSize CGridTreeCellBase::GetCellExtent(CDC* pDC, int nCol)
{
    CSize size = CGridCell::GetCellExtent(pDC, nCol);
    const long long width = static_cast<long long>(size.cx) + GetIndentWidth();
    size.cx = static_cast<LONG>(std::min<long long>(GRID_MAX_TEXT_EXTENT, width));
    return size;
}

// --- mouse and editing -------------------------------------------------------------------------------

void CGridTreeCellBase::OnClickDown(CPoint ptCellRelative)
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr)
        return;
    const CRect box = GetBoxRect();
    if (!box.IsRectEmpty() && box.PtInRect(ptCellRelative))
        pTree->ToggleNode(m_nRow);
}

void CGridTreeCellBase::OnDblClick(CPoint ptCellRelative)
{
    CTreeColumn* pTree = GetTree();
    if (pTree == nullptr)
        return;
    const CRect box = GetBoxRect();
    if (!box.IsRectEmpty() && box.PtInRect(ptCellRelative))
        return;
    if (IsReadOnly())
        pTree->ToggleNode(m_nRow);
}

BOOL CGridTreeCellBase::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    rect.left = std::min(rect.right, rect.left + GetIndentWidth());
    return CGridCell::Edit(nRow, nCol, rect, point, nID, nChar);
}

// --- records ---------------------------------------------------------------------------------------

void CGridTreeCellBase::WriteTreeBaseItems(CCellRecordWriter& w)
{
    // As on the plain cell level: only a colour the cell owns is written,
    // since reading the item makes it the cell's own.
    if (m_bits.ownBackColour && m_crBack != GetDefaultBackColour())
        w.Int(TAG_TREE_BACK_COLOUR, static_cast<int>(m_crBack));
    CGridCellBase* pDefault = GetDefaultCell();
    CGridCell* pDefaultCell = pDefault && pDefault->IsKindOf(RUNTIME_CLASS(CGridCell))
                                  ? static_cast<CGridCell*>(pDefault)
                                  : nullptr;
    const COLORREF defaultText = pDefaultCell ? pDefaultCell->GetStoredTextColor() : GetDefaultTextColour();
    if (m_bits.ownTextColour && m_crText != defaultText)
        w.Int(TAG_TREE_TEXT_COLOUR, static_cast<int>(m_crText));
    if (!IsFixed() && m_pFont != nullptr) {
        const LOGFONT* pDefaultFont = pDefault ? pDefault->GetFont() : nullptr;
        if (pDefaultFont == nullptr || !IsSameLogFontFields(*m_pFont, *pDefaultFont))
            w.LogFont(TAG_TREE_FONT, *m_pFont);
    }
}

int CGridTreeCellBase::GetTreeBaseLevelSize()
{
    CCellRecordWriter counter(nullptr);
    WriteTreeBaseItems(counter);
    return CellRecordLevelSize(CGridCellBase::GetRecordSize(), counter.GetItemBytes());
}

void CGridTreeCellBase::StoreTreeBaseLevel(CArchive& ar)
{
    ar << GetTreeBaseLevelSize();
    CGridCellBase::SerializeRecord(ar, nullptr);
    CCellRecordWriter writer(&ar);
    WriteTreeBaseItems(writer);
    ar << CELL_RECORD_TREE_BASE_END;
}

void CGridTreeCellBase::LoadTreeBaseLevel(CArchive& ar, int* pnRunningSize)
{
    CCellRecordReader rd(ar, pnRunningSize);
    CGridCellBase::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_TREE_BASE_END, tag, length)) {
        int value = 0;
        switch (tag) {
        case TAG_TREE_BACK_COLOUR:
            if (rd.ReadInt(value)) {
                m_crBack = static_cast<COLORREF>(value);
                m_bits.ownBackColour = 1;
            }
            break;
        case TAG_TREE_TEXT_COLOUR:
            if (rd.ReadInt(value)) {
                m_crText = static_cast<COLORREF>(value);
                m_bits.ownTextColour = 1;
            }
            break;
        case TAG_TREE_FONT: {
            LOGFONT lf;
            if (rd.ReadLogFont(lf))
                SetFont(&lf);
            break;
        }
        default:
            rd.SkipItem();
            break;
        }
    }
}

int CGridTreeCellBase::GetRecordSize()
{
    return GetTreeBaseLevelSize();
}

void CGridTreeCellBase::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring())
        StoreTreeBaseLevel(ar);
    else
        LoadTreeBaseLevel(ar, pnRunningSize);
}

void CGridTreeCell::WriteContentItems(CCellRecordWriter& w)
{
    if (IsNumber())
        w.Double(TAG_TREE_VALUE, m_dValue);
    else if (!m_strText.IsEmpty())
        w.Text(TAG_TREE_TEXT, m_strText.ToString());
}

int CGridTreeCell::GetRecordSize()
{
    CCellRecordWriter counter(nullptr);
    WriteContentItems(counter);
    return CellRecordLevelSize(GetTreeBaseLevelSize(), counter.GetItemBytes());
}

void CGridTreeCell::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << CGridTreeCell::GetRecordSize();
        StoreTreeBaseLevel(ar);
        CCellRecordWriter writer(&ar);
        WriteContentItems(writer);
        ar << CELL_RECORD_TREE_CELL_END;
        return;
    }
    CCellRecordReader rd(ar, pnRunningSize);
    LoadTreeBaseLevel(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_TREE_CELL_END, tag, length)) {
        switch (tag) {
        case TAG_TREE_VALUE: {
            double number = 0.0;
            if (rd.ReadDouble(number))
                SetValue(number);
            break;
        }
        case TAG_TREE_TEXT: {
            CString text;
            if (rd.ReadText(text))
                SetText(text);
            break;
        }
        default:
            rd.SkipItem();
            break;
        }
    }
}
