#include "grid/GridCell.h"
#include "grid/CellValueFieldChange.h"

#include "grid/CellEditorFactory.h"
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"
#include "platform/Wnd.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

#if defined(__x86_64__) || defined(_M_X64)
// A million ordinary cells must fit in 160 MB: a cell and its slot in the row
// array stay within 120 bytes of the allocator's memory.
static_assert(sizeof(CGridCell) <= 104, "keep rarely used cell fields in CGridCellExtra");
#endif

CGridCell::CGridCell()
    : m_nAlign(static_cast<UINT>(-1)), m_crText(GetDefaultTextColour()), m_crBack(GetDefaultBackColour())
{
}

CGridCell::~CGridCell()
{
    CWnd* pEdit = m_pExtra ? m_pExtra->pEditWnd : nullptr;
    if (pEdit != nullptr && pEdit->GetSafeHwnd() != nullptr)
        pEdit->DestroyWindow();
}

// --- content --------------------------------------------------------------------

void CGridCell::SetText(LPCTSTR szText)
{
    SetDataType(0);
    m_strText.Set(szText);
    m_nState |= GCS_MODIFIED;
    EmptyFormattedText();
}

void CGridCell::SetValue(double dValue)
{
    cellvalue::NoteFieldChange();
    m_nState |= GCS_MODIFIED;
    SetDataType(1);
    m_dValue = dValue;
    EmptyFormattedText();
}

LPCTSTR CGridCell::GetText()
{
    return IsNumber() ? "" : m_strText.Get();
}

double CGridCell::GetValue()
{
    return GetDataType() == 1 ? m_dValue : 0.0;
}

void CGridCell::SetCoords(int nRow, int nCol)
{
    cellvalue::NoteFieldChange();
    m_nRow = nRow;
    m_nCol = nCol;
}

// --- colours, font, margin --------------------------------------------------------

void CGridCell::SetTextColor(COLORREF clr)
{
    m_crText = clr;
    m_bits.ownTextColour = 1;
}

void CGridCell::SetBackColor(COLORREF clr)
{
    m_crBack = clr;
    m_bits.ownBackColour = 1;
}

void CGridCell::ResetColours(COLORREF crBack, COLORREF crText)
{
    m_crBack = crBack;
    m_crText = crText;
    m_bits.ownBackColour = 0;
    m_bits.ownTextColour = 0;
}

void CGridCell::TakeColoursOf(const CGridCell& other)
{
    if (&other == this)
        return;
    m_crText = other.m_crText;
    m_crBack = other.m_crBack;
    m_bits.ownTextColour = other.m_bits.ownTextColour;
    m_bits.ownBackColour = other.m_bits.ownBackColour;
    if (other.GetFixedBackColor() != GetFixedBackColor())
        SetFixedBackColor(other.GetFixedBackColor());
}

COLORREF CGridCell::GetFixedBackColor() const
{
    return m_pExtra ? m_pExtra->crFixedBack : static_cast<COLORREF>(-1);
}

void CGridCell::SetFixedBackColor(COLORREF clr)
{
    if (!m_pExtra && clr == static_cast<COLORREF>(-1))
        return;
    Extra().crFixedBack = clr;
}

UINT CGridCell::GetAlign()
{
    if (m_nAlign == GRID_DEFAULT_ALIGN && !IsFixed() && m_pGrid != nullptr)
        return static_cast<UINT>(m_pGrid->GetDefaultSettingRecord().m_dwTextAlign);
    return m_nAlign;
}

COLORREF CGridCell::GetTextColor()
{
    if (m_bits.ownTextColour || m_pGrid == nullptr)
        return m_crText;
    COLORREF clr = m_pGrid->GetDefaultCell(FALSE, FALSE)->GetTextColor();
    const CGridDefaultSetting& setting = m_pGrid->GetDefaultSettingRecord();
    if (clr == GetDefaultTextColour() && !IsFixed() && setting.m_crTextColor >= 0)
        return static_cast<COLORREF>(setting.m_crTextColor);
    return clr;
}

COLORREF CGridCell::GetBackColor()
{
    if (m_bits.ownBackColour)
        return IsFixed() ? GetFixedBackColor() : m_crBack;
    if (m_pGrid == nullptr)
        return m_crBack;
    if (IsFixed())
        return m_pGrid->GetDefaultCell(TRUE, FALSE)->GetBackColor();
    COLORREF clr = m_pGrid->GetDefaultCell(FALSE, FALSE)->GetBackColor();
    const CGridDefaultSetting& setting = m_pGrid->GetDefaultSettingRecord();
    if (clr == GetDefaultBackColour() && setting.m_crCellBgColor >= 0)
        return static_cast<COLORREF>(setting.m_crCellBgColor);
    return clr;
}

void CGridCell::SetFont(const LOGFONT* plf)
{
    m_pFont = InternCellFont(plf);
}

const LOGFONT* CGridCell::GetFont()
{
    const CGridDefaultSetting* pSetting = m_pGrid ? &m_pGrid->GetDefaultSettingRecord() : nullptr;
    bool settingFont = pSetting != nullptr && !pSetting->m_strFontXml.IsEmpty();
    if (m_pFont != nullptr) {
        if (settingFont && IsSameLogFont(m_pFont, m_pGrid->GetDefaultCell(FALSE, FALSE)->GetFont()))
            m_pFont = InternCellFont(&pSetting->m_logFont);
        return m_pFont;
    }
    if (settingFont)
        return &pSetting->m_logFont;
    CGridCellBase* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetFont() : nullptr;
}

CFont* CGridCell::GetFontObject()
{
    if (m_pFont != nullptr)
        return GetPooledFontObject(m_pFont);
    if (m_pExtra == nullptr || m_pExtra->strFontXml.IsEmpty()) {
        CGridCellBase* pDefault = GetDefaultCell();
        if (pDefault == nullptr)
            return nullptr;
        return GetPooledFontObject(InternCellFont(pDefault->GetFont()));
    }
    CString text = m_pExtra->strFontXml;
    SetFontXml(text);
    return GetPooledFontObject(m_pFont);
}

int CGridCell::GetMargin()
{
    if (m_nMargin != -1)
        return m_nMargin;
    CGridCellBase* pDefault = GetDefaultCell();
    return pDefault ? pDefault->GetMargin() : 0;
}

CWnd* CGridCell::GetEditWnd()
{
    return m_pExtra ? m_pExtra->pEditWnd : nullptr;
}

void CGridCell::SetEditWnd(CWnd* pWnd)
{
    if (pWnd == nullptr && !m_pExtra)
        return;
    Extra().pEditWnd = pWnd;
}

// --- state and input rules ------------------------------------------------------

BOOL CGridCell::IsReadOnly()
{
    if ((m_nState & GCS_READONLY) != 0)
        return TRUE;
    return m_pGrid != nullptr && m_pGrid->GetDefaultSettingRecord().m_bEditable == 0;
}

void CGridCell::SetReadOnly(BOOL bReadOnly)
{
    if (bReadOnly)
        m_nState |= GCS_READONLY;
    else
        m_nState &= ~static_cast<UINT>(GCS_READONLY);
}

void CGridCell::SetInputType(int nType)
{
    if (nType == 0 && !m_pExtra)
        return;
    Extra().nInputType = nType;
}

int CGridCell::GetInputType()
{
    return m_pExtra ? m_pExtra->nInputType : 0;
}

void CGridCell::SetInputLimit(BOOL bLimit, double dMin, double dMax)
{
    m_bits.limit = bLimit ? 1 : 0;
    if (!bLimit)
        return;
    CGridCellExtra& x = Extra();
    x.dMin = dMin;
    x.dMax = dMax;
    if (x.nInputType == 0)
        x.nInputType = 1;
}

BOOL CGridCell::GetInputLimit(double& dMin, double& dMax)
{
    dMin = 0.0;
    dMax = 0.0;
    if (m_bits.limit && m_pExtra) {
        dMin = m_pExtra->dMin;
        dMax = m_pExtra->dMax;
    }
    return m_bits.limit;
}

// --- control attributes -------------------------------------------------------------

BOOL CGridCell::SetControl(LPCTSTR szControl)
{
    if ((szControl == nullptr || *szControl == '\0') && !m_pExtra)
        return TRUE;
    Extra().strControl = szControl;
    return TRUE;
}

CString CGridCell::GetControl()
{
    return m_pExtra ? m_pExtra->strControl : CString();
}

BOOL CGridCell::SetControlProperty(LPCTSTR, LPCTSTR)
{
    return TRUE;
}

CString CGridCell::GetControlProperty(LPCTSTR)
{
    return CString();
}

BOOL CGridCell::DelControlProperty(LPCTSTR)
{
    return TRUE;
}

// --- copying and reset -----------------------------------------------------------------

void CGridCell::CopyFormat(CGridCellBase* pSrc)
{
    if (pSrc == this)
        return;
    CGridCellBase::CopyFormat(pSrc);
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_dValue = 0.0;
    m_bits.limit = 0;
    m_strText.Empty();
    m_nItemData = 0;
    m_nImage = -1;
    m_nAlign = static_cast<UINT>(-1);
    m_crText = GetDefaultTextColour();
    m_crBack = GetDefaultBackColour();
    m_bits.ownTextColour = 0;
    m_bits.ownBackColour = 0;
    m_pFont = nullptr;
    m_nMargin = -1;
    m_bits.wrap = 0;
    m_bits.editing = 0;
    m_pGrid = nullptr;
    if (m_pExtra) {
        m_pExtra->nInputType = 0;
        m_pExtra->crFixedBack = static_cast<COLORREF>(-1);
        m_pExtra->pEditWnd = nullptr;
    }
    ReleaseExtraIfDefault();
}

// --- editing -----------------------------------------------------------------------------

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (m_bits.editing) {
        CWnd* pEdit = GetEditWnd();
        if (pEdit != nullptr) {
            if (nChar >= 0x80)
                pEdit->PostMessage(WM_IME_CHAR, nChar, 0);
            else if (nChar < 36 || nChar > 40)
                pEdit->PostMessage(WM_CHAR, nChar, 0);
        }
        return TRUE;
    }

    DWORD dwStyle = ES_LEFT;
    UINT align = GetAlign();
    if ((align & DT_RIGHT) != 0)
        dwStyle = ES_RIGHT;
    else if ((align & DT_CENTER) != 0)
        dwStyle = ES_CENTER;

    CString text = GetDisplayText();
    if (m_bits.wrap || text.Find('\n') >= 0) {
        dwStyle |= ES_WANTRETURN;
        if (!text.IsEmpty()) {
            CSize extent = GetTextExtent(text, nullptr, nCol);
            if (rect.Height() < extent.cy)
                rect.bottom = rect.top + extent.cy;
        }
    } else {
        dwStyle |= ES_AUTOHSCROLL;
    }

    if (IsReadOnly() || nChar == 13)
        return TRUE;

    const CellEditorHooks& hooks = GetCellEditorHooks();
    if (hooks.pfnCreate == nullptr)
        return TRUE;
    m_bits.editing = 1;
    rect.left += 2;
    rect.top += 2;
    CellEditorRequest request;
    request.pGrid = m_pGrid;
    request.pCell = this;
    request.rect = rect;
    request.dwStyle = dwStyle;
    request.nID = nID;
    request.nRow = nRow;
    request.nCol = nCol;
    request.strText = text;
    request.crText = GetTextColor();
    request.crBack = GetBackColor();
    request.pFont = GetFontObject();
    request.nChar = nChar;
    request.nInputType = GetInputType();
    request.bLimit = GetInputLimit(request.dMin, request.dMax);
    // A formula cell is edited in bold; a wrapping cell's editor measures its
    // text word-wrapped in the column's width.
    request.bBoldFont = CGridCtrl::GetCellTypeFromClassName(GetRuntimeClass()->m_lpszClassName) == GCT_FORMULA;
    request.bWrapText = m_bits.wrap;
    request.nWrapWidth = m_pGrid != nullptr ? m_pGrid->GetColumnWidth(nCol) : 0;
    SetEditWnd(hooks.pfnCreate(request));
    if (GetEditWnd() == nullptr)
        m_bits.editing = 0;
    return TRUE;
}

void CGridCell::EndEdit()
{
    CWnd* pEdit = GetEditWnd();
    if (pEdit == nullptr)
        return;
    // The editor's commit may replace this cell (a text that makes it a
    // formula cell, a formula cell edited into text) or move it (a host that
    // inserts rows while it judges the commit): nothing of the cell is
    // touched once the editor has been ended.
    CGridCtrl* pGrid = m_pGrid;
    const CellEditorHooks& hooks = GetCellEditorHooks();
    if (hooks.pfnEndEdit != nullptr)
        hooks.pfnEndEdit(pEdit);
    if (pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr)
        pGrid->SetFocus();
}

void CGridCell::OnEndEdit()
{
    m_bits.editing = 0;
    CWnd* pEdit = GetEditWnd();
    if (pEdit != nullptr && pEdit->GetSafeHwnd() != nullptr)
        pEdit->DestroyWindow();
    SetEditWnd(nullptr);
}
