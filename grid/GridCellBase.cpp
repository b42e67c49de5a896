#include "grid/GridCellBase.h"
#include "grid/CellValueFieldChange.h"

#include "base/NumberText.h"
#include "base/Cp936.h"
#include "cellcontent/FontElement.h"
#include "cellcontent/StringUtil.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

CGridCellBase::CGridCellBase()
{
    cellvalue::NoteFieldChange();
    std::memset(&m_bits, 0, sizeof(m_bits));
    m_bits.displayTip = 1;
    m_bits.showText = 1;
}

CGridCellBase::~CGridCellBase()
{
    cellvalue::NoteFieldChange();
}

CGridCellExtra& CGridCellBase::Extra()
{
    if (!m_pExtra)
        m_pExtra = std::make_unique<CGridCellExtra>();
    return *m_pExtra;
}

void CGridCellBase::ReleaseExtraIfDefault()
{
    const CGridCellExtra* p = m_pExtra.get();
    if (p == nullptr)
        return;
    if (!p->strFormattedText.IsEmpty() || !p->strFormatXml.IsEmpty() || !p->strFontXml.IsEmpty() ||
        !p->strTipText.IsEmpty() || !p->strMemo.IsEmpty() || p->szId[0] != '\0' || p->nBorderMask != 0 ||
        !p->mergeRange.IsNone() || p->mergeOwner != CGridCellPos() ||
        p->crSelBack != GRID_DEFAULT_SEL_BACK_COLOUR || p->nDataType != 0 ||
        p->crFixedBack != static_cast<COLORREF>(-1) || p->nInputType != 0 || !p->strControl.IsEmpty() ||
        p->pEditWnd != nullptr || m_bits.limit)
        return;
    m_pExtra.reset();
}

void CGridCellBase::EmptyFormattedText()
{
    if (m_pExtra) {
        m_pExtra->strFormattedText.Empty();
        m_pExtra->nFormatColour = -1;
    }
}

void CGridCellBase::SetFormattedText(const CString& strText, int nColour)
{
    if (strText.IsEmpty() && !m_pExtra)
        return;
    Extra().strFormattedText = strText;
    Extra().nFormatColour = nColour;
}

// --- setters and getters that rest on the base's fields -----------------------

void CGridCellBase::SetText(LPCTSTR)
{
    SetDataType(0);
}

void CGridCellBase::SetValue(double)
{
    SetDataType(1);
}

void CGridCellBase::SetImage(int) {}
void CGridCellBase::SetItemData(int) {}

void CGridCellBase::SetState(UINT nState)
{
    cellvalue::NoteFieldChange();
    m_nState = nState;
}

void CGridCellBase::SetAlign(UINT) {}
void CGridCellBase::SetTextColor(COLORREF) {}
void CGridCellBase::SetBackColor(COLORREF) {}
void CGridCellBase::SetFont(const LOGFONT*) {}
void CGridCellBase::SetMargin(int) {}
void CGridCellBase::SetGrid(CGridCtrl*) {}
void CGridCellBase::SetCoords(int, int)
{
    cellvalue::NoteFieldChange();
}

LPCTSTR CGridCellBase::GetText()
{
    return nullptr;
}

CString CGridCellBase::GetRichText()
{
    return CString();
}

void CGridCellBase::SetRichText(const CString&) {}
void CGridCellBase::SetRichTextParam(int, int) {}

double CGridCellBase::GetValue()
{
    return 0.0;
}

void CGridCellBase::SetWrapText(BOOL) {}

BOOL CGridCellBase::GetWrapText()
{
    return FALSE;
}

CString CGridCellBase::GetTipText()
{
    return m_pExtra ? m_pExtra->strTipText : CString();
}

void CGridCellBase::SetTipText(LPCTSTR szTip)
{
    if ((szTip == nullptr || *szTip == '\0') && !m_pExtra)
        return;
    Extra().strTipText = szTip;
}

void CGridCellBase::SetDisplayTip(BOOL bDisplay)
{
    m_bits.displayTip = bDisplay ? 1 : 0;
}

BOOL CGridCellBase::IsDisplayTip()
{
    return m_bits.displayTip;
}

int CGridCellBase::GetImage()
{
    return -1;
}

int CGridCellBase::GetItemData()
{
    return 0;
}

UINT CGridCellBase::GetState()
{
    return m_nState;
}

UINT CGridCellBase::GetAlign()
{
    return 0;
}

COLORREF CGridCellBase::GetTextColor()
{
    return 0;
}

COLORREF CGridCellBase::GetBackColor()
{
    return 0;
}

const LOGFONT* CGridCellBase::GetFont()
{
    return nullptr;
}

CFont* CGridCellBase::GetFontObject()
{
    return nullptr;
}

CGridCtrl* CGridCellBase::GetGrid()
{
    return nullptr;
}

CWnd* CGridCellBase::GetEditWnd()
{
    return nullptr;
}

int CGridCellBase::GetMargin()
{
    return 0;
}

CGridCellBase* CGridCellBase::GetDefaultCell()
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid == nullptr)
        return nullptr;
    UINT state = GetState();
    return pGrid->GetDefaultCell((state & GCS_FIXEDROW) != 0, (state & GCS_FIXEDCOL) != 0);
}

BOOL CGridCellBase::IsDefaultFont()
{
    return FALSE;
}

BOOL CGridCellBase::IsEditing()
{
    return FALSE;
}

BOOL CGridCellBase::IsFocused()
{
    return (GetState() & GCS_FOCUSED) != 0;
}

BOOL CGridCellBase::IsFixed()
{
    return (GetState() & GCS_FIXED) != 0;
}

BOOL CGridCellBase::IsFixedCol()
{
    return (GetState() & GCS_FIXEDCOL) != 0;
}

BOOL CGridCellBase::IsFixedRow()
{
    return (GetState() & GCS_FIXEDROW) != 0;
}

BOOL CGridCellBase::IsSelected()
{
    return (GetState() & GCS_SELECTED) != 0;
}

BOOL CGridCellBase::IsReadOnly()
{
    return FALSE;
}

BOOL CGridCellBase::IsModified()
{
    return (GetState() & GCS_MODIFIED) != 0;
}

BOOL CGridCellBase::IsDropTarget()
{
    return (GetState() & GCS_DROPTARGET) != 0;
}

// --- copying -----------------------------------------------------------------

namespace {

// The border mask and the eight blocks of pSrc onto pDst, as they are stored.
void CopyBorders(CGridCellBase* pDst, CGridCellBase* pSrc)
{
    UINT mask = pSrc->GetBorderMask();
    pDst->RemoveBorder(CBF_ALL);
    for (int i = 0; i < CELL_BORDER_BLOCK_COUNT; ++i) {
        UINT bit = 1u << i;
        COLORREF clr = 0;
        int style = 0;
        int width = 0;
        if ((mask & bit) != 0 && pSrc->GetBorder(bit, &clr, &style, &width))
            pDst->SetBorder(bit, clr, style, width);
    }
}

}  // namespace

void CGridCellBase::CopyFrom(CGridCellBase* pSrc)
{
    if (pSrc == nullptr || pSrc == this)
        return;
    SetGrid(pSrc->GetGrid());
    if (pSrc->IsNumber())
        SetValue(pSrc->GetValue());
    else
        SetText(pSrc->GetText());
    SetImage(pSrc->GetImage());
    SetItemData(pSrc->GetItemData());
    SetState(pSrc->GetState());
    SetAlign(pSrc->GetAlign());
    SetTextColor(pSrc->GetTextColor());
    SetBackColor(pSrc->GetBackColor());
    SetFont(pSrc->GetFont());
    SetMargin(pSrc->GetMargin());
    CGridCellPos owner = pSrc->GetMergeOwner();
    SetMergeOwner(owner.row, owner.col);
    SetMergeRange(pSrc->GetMergeRange());
    SetMergeOwnerCell(pSrc->IsMergeOwnerCell());
    CopyBorders(this, pSrc);
    SetVisible(pSrc->IsVisible());
    SetWrapText(pSrc->GetWrapText());
}

void CGridCellBase::CopyFormat(CGridCellBase* pSrc)
{
    if (pSrc == nullptr || pSrc == this)
        return;
    SetGrid(pSrc->GetGrid());
    SetImage(pSrc->GetImage());
    SetItemData(pSrc->GetItemData());
    SetState(pSrc->GetState());
    SetAlign(pSrc->GetAlign());
    SetTextColor(pSrc->GetTextColor());
    SetBackColor(pSrc->GetBackColor());
    SetFont(pSrc->IsDefaultFont() ? nullptr : pSrc->GetFont());
    SetMargin(pSrc->GetMargin());
    CGridCellPos owner = pSrc->GetMergeOwner();
    SetMergeOwner(owner.row, owner.col);
    SetMergeRange(pSrc->GetMergeRange());
    SetMergeOwnerCell(pSrc->IsMergeOwnerCell());
    CopyBorders(this, pSrc);
    SetVisible(pSrc->IsVisible());
    SetWrapText(pSrc->GetWrapText());

    SetFontXml(pSrc->GetFontXml());
    SetMargin(pSrc->GetMargin());
    CopyBorders(this, pSrc);
    SetVisible(pSrc->IsVisible());
    SetFormatXml(pSrc->GetFormatXml());
    SetControl(pSrc->GetControl());
    SetWrapText(pSrc->GetWrapText());
    SetTipText(pSrc->GetTipText());
    SetMemo(pSrc->GetMemo());
}

void CGridCellBase::Reset()
{
    cellvalue::NoteFieldChange();
    m_nState = 0;
    CString control;
    if (m_pExtra) {
        CGridCellExtra& x = *m_pExtra;
        x.strFormattedText.Empty();
        x.nFormatColour = -1;
        x.strFormatXml.Empty();
        x.strFontXml.Empty();
        x.strTipText.Empty();
        x.strMemo.Empty();
        std::memset(x.szId, 0, sizeof(x.szId));
        x.nBorderMask = 0;
        for (CBorderBlock& block : x.borders)
            block = CBorderBlock();
        x.mergeRange.Set();
        x.mergeOwner = CGridCellPos();
        x.crSelBack = GRID_DEFAULT_SEL_BACK_COLOUR;
        x.nDataType = 0;
    }
    m_bits.number = 0;
    m_bits.displayEllipsis = 0;
    m_bits.displayTip = 1;
    m_bits.showText = 1;
    m_bits.mergeOwner = 0;
    m_bits.merged = 0;
    m_bits.hidden = 0;
    m_bits.ownSelBack = 0;
}

// --- editing -------------------------------------------------------------------------

BOOL CGridCellBase::Edit(int, int, CRect, CPoint, UINT, UINT)
{
    return FALSE;
}

BOOL CGridCellBase::ValidateInput(UINT)
{
    return TRUE;
}

void CGridCellBase::EndEdit() {}

void CGridCellBase::OnEndEdit() {}

// --- mouse ----------------------------------------------------------------------------

void CGridCellBase::OnMouseOver() {}
void CGridCellBase::OnMouseLeave() {}
void CGridCellBase::OnClick(CPoint) {}
void CGridCellBase::OnClickDown(CPoint) {}
void CGridCellBase::OnRClick(CPoint) {}
void CGridCellBase::OnDblClick(CPoint) {}

BOOL CGridCellBase::OnSetCursor()
{
    SetCursor(PlatformLoadCursor((UINT_PTR)(IDC_ARROW)));
    return TRUE;
}

// --- format, display, merge -------------------------------------------------------------

CString CGridCellBase::GetDisplayText()
{
    if (!IsNumber()) {
        LPCTSTR text = GetText();
        return CString(text);
    }
    double value = GetValue();
    if (value == 0.0) {
        CGridCtrl* pGrid = GetGrid();
        if (!(IsModified() && pGrid != nullptr && pGrid->GetDrawNumZero()))
            return CString();
    }
    CString text(FormatNumberText(value, 'f', 6));
    TrimTrailingZeros(text);
    return text;
}

BOOL CGridCellBase::IsVisible()
{
    return !m_bits.hidden;
}

CGridCellRange CGridCellBase::GetMergeRange()
{
    return m_pExtra ? m_pExtra->mergeRange : CGridCellRange();
}

BOOL CGridCellBase::HasMergeOwner()
{
    return m_bits.merged;
}

CGridCellPos CGridCellBase::GetMergeOwner()
{
    return m_pExtra ? m_pExtra->mergeOwner : CGridCellPos();
}

void CGridCellBase::SetMergeOwner(int nRow, int nCol)
{
    cellvalue::NoteFieldChange();
    if (m_pExtra || nRow != -1 || nCol != -1)
        Extra().mergeOwner.Set(nRow, nCol);
    m_bits.merged = nRow == -1 ? 0 : 1;
}

CString CGridCellBase::GetFormattedText()
{
    return m_pExtra ? m_pExtra->strFormattedText : CString();
}

void CGridCellBase::SetMemo(LPCTSTR szMemo)
{
    if ((szMemo == nullptr || *szMemo == '\0') && !m_pExtra)
        return;
    Extra().strMemo = szMemo;
}

CString CGridCellBase::GetMemo()
{
    return m_pExtra ? m_pExtra->strMemo : CString();
}

CString CGridCellBase::CutId(LPCTSTR szId)
{
    if (szId == nullptr)
        return CString();
    const int capacity = static_cast<int>(sizeof(CGridCellExtra().szId)) - 1;
    int length = static_cast<int>(std::strlen(szId));
    int keep = 0;
    while (keep < length) {
        int next = cp936::NextChar(szId, length, keep);
        if (next > capacity)
            break;
        keep = next;
    }
    return CString(szId, keep);
}

void CGridCellBase::SetId(LPCTSTR szId)
{
    if ((szId == nullptr || *szId == '\0') && !m_pExtra)
        return;
    CGridCellExtra& x = Extra();
    std::memset(x.szId, 0, sizeof(x.szId));
    CString id = CutId(szId);
    std::memcpy(x.szId, static_cast<LPCTSTR>(id), static_cast<size_t>(id.GetLength()));
}

LPCTSTR CGridCellBase::GetId()
{
    return m_pExtra ? m_pExtra->szId : "";
}

void CGridCellBase::SetReadOnly(BOOL) {}

void CGridCellBase::SetSelBackColor(COLORREF clr)
{
    Extra().crSelBack = clr;
    m_bits.ownSelBack = 1;
}

COLORREF CGridCellBase::GetSelBackColor()
{
    return m_pExtra ? m_pExtra->crSelBack : GRID_DEFAULT_SEL_BACK_COLOUR;
}

void CGridCellBase::SetInputType(int) {}

int CGridCellBase::GetInputType()
{
    return -1;
}

void CGridCellBase::SetInputLimit(BOOL, double, double) {}

BOOL CGridCellBase::GetInputLimit(double&, double&)
{
    return FALSE;
}

void CGridCellBase::SetDisplayEllipsis(BOOL bEllipsis)
{
    m_bits.displayEllipsis = bEllipsis ? 1 : 0;
}

BOOL CGridCellBase::IsDisplayEllipsis()
{
    return m_bits.displayEllipsis;
}

void CGridCellBase::SetCellRect(const RECT*) {}

BOOL CGridCellBase::SetControl(LPCTSTR)
{
    return FALSE;
}

CString CGridCellBase::GetControl()
{
    return CString();
}

BOOL CGridCellBase::SetControlProperty(LPCTSTR, LPCTSTR)
{
    return FALSE;
}

CString CGridCellBase::GetControlProperty(LPCTSTR)
{
    return CString();
}

BOOL CGridCellBase::DelControlProperty(LPCTSTR)
{
    return FALSE;
}

// --- non-virtual members -------------------------------------------------------------------

void CGridCellBase::SetFontXml(LPCTSTR szText)
{
    if (szText == nullptr || *szText == '\0') {
        if (m_pExtra)
            m_pExtra->strFontXml.Empty();
        SetFont(nullptr);
        return;
    }
    Extra().strFontXml = szText;
    CFontElement element(szText);
    LOGFONT lf;
    element.GetLogFont(&lf);
    SetFont(&lf);
}

void CGridCellBase::SetFormatXml(LPCTSTR szText)
{
    if ((szText == nullptr || *szText == '\0') && !m_pExtra)
        return;
    Extra().strFormatXml = szText;
    EmptyFormattedText();
}

CString CGridCellBase::GetFontXml()
{
    if (m_pExtra && !m_pExtra->strFontXml.IsEmpty())
        return m_pExtra->strFontXml;
    const LOGFONT* plf = GetFont();
    if (plf == nullptr)
        return CString();
    // Cells of one font ask for the same text one after another (a walk over
    // a selection): the text of the last font asked for is kept.
    struct Last {
        bool valid = false;
        LOGFONT lf;
        CString text;
    };
    static thread_local Last last;
    if (!last.valid || std::memcmp(&last.lf, plf, sizeof(LOGFONT)) != 0) {
        last.text = CFontElement(*plf).GetText();
        last.lf = *plf;
        last.valid = true;
    }
    return last.text;
}

CString CGridCellBase::GetFormatXml()
{
    return m_pExtra ? m_pExtra->strFormatXml : CString();
}

void CGridCellBase::SetVisible(BOOL bVisible)
{
    m_bits.hidden = bVisible ? 0 : 1;
}

void CGridCellBase::ClearMerge()
{
    cellvalue::NoteFieldChange();
    m_bits.hidden = 0;
    m_bits.merged = 0;
    m_bits.mergeOwner = 0;
    if (m_pExtra) {
        m_pExtra->mergeRange.Set();
        m_pExtra->mergeOwner = CGridCellPos();
    }
}

void CGridCellBase::SetMergeRange(const CGridCellRange& range)
{
    cellvalue::NoteFieldChange();
    if (!m_pExtra && range.IsNone())
        return;
    Extra().mergeRange = range;
}

BOOL CGridCellBase::IsMerged()
{
    if (!m_pExtra)
        return FALSE;
    return m_pExtra->mergeRange.GetCellCount() > 1;
}

BOOL CGridCellBase::SetBorder(UINT nMask, COLORREF clr, int nPenStyle, int nWidth)
{
    if (nMask < 1 || nMask > CBF_ALL)
        return FALSE;
    if (nWidth <= 0 || nPenStyle < 0 || nPenStyle > 4 || static_cast<int>(clr) < 0)
        return FALSE;
    if (nPenStyle != 0)
        nWidth = 1;
    else if (nWidth > 3)
        nWidth = 3;
    CGridCellExtra& x = Extra();
    for (int i = 0; i < CELL_BORDER_BLOCK_COUNT; ++i) {
        UINT bit = 1u << i;
        if ((nMask & bit) == 0)
            continue;
        x.borders[i].colour = static_cast<std::int32_t>(clr);
        x.borders[i].lineStyle = nPenStyle;
        x.borders[i].lineWidth = nWidth;
        x.nBorderMask |= bit;
    }
    return TRUE;
}

BOOL CGridCellBase::GetBorder(UINT nBit, COLORREF* pclr, int* pnPenStyle, int* pnWidth)
{
    if (!m_pExtra)
        return FALSE;
    for (int i = 0; i < CELL_BORDER_BLOCK_COUNT; ++i) {
        UINT bit = 1u << i;
        if ((nBit & bit) == 0)
            continue;
        if ((m_pExtra->nBorderMask & bit) == 0)
            return FALSE;
        const CBorderBlock& block = m_pExtra->borders[i];
        if (pclr != nullptr)
            *pclr = static_cast<COLORREF>(block.colour);
        if (pnPenStyle != nullptr)
            *pnPenStyle = block.lineStyle;
        if (pnWidth != nullptr)
            *pnWidth = block.lineWidth;
        return TRUE;
    }
    return FALSE;
}

BOOL CGridCellBase::RemoveBorder(UINT nMask)
{
    if (m_pExtra)
        m_pExtra->nBorderMask &= ~nMask;
    return TRUE;
}

CString CGridCellBase::GetTextForCopy()
{
    if (IsMerged() && !IsMergeOwnerCell())
        return CString();
    return GetDisplayText();
}

int CGridCellBase::GetDataType() const
{
    if (!m_bits.number)
        return 0;
    if (m_pExtra && m_pExtra->nDataType != 0)
        return m_pExtra->nDataType;
    return 1;
}

void CGridCellBase::SetDataType(int nType)
{
    cellvalue::NoteFieldChange();
    m_bits.number = nType != 0 ? 1 : 0;
    if (nType != 0 && nType != 1)
        Extra().nDataType = nType;
    else if (m_pExtra)
        m_pExtra->nDataType = 0;
}
