// Construction, defaults, owned services and the cell lookup of the grid.
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"
#include "platform/System.h"

#include <cstring>

namespace {

const char kGridVersion[] = "4.5.1.2";

}  // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_pRtcDefault(RUNTIME_CLASS(CGridCell)), m_strVersion(kGridVersion)
{
    CacheDefaultColours();
    m_crDefaultText = GetDefaultTextColour();
    m_crDefaultBack = GetDefaultBackColour();
    m_crFixedBack = GetSysColor(COLOR_BTNFACE);
    m_crShadow = GetSysColor(COLOR_BTNSHADOW);
    m_crTitleTipBack = m_crDefaultBack;
    m_crTitleTipText = m_crDefaultText;

    m_DefaultSetting.m_bEditable = 1;
    m_DefaultSetting.m_crSelColor = CGridDefaultSetting::kDefaultSelColor;
    m_DefaultSetting.m_dwTextAlign = CGridDefaultSetting::kDefaultTextAlign;
    m_DefaultSetting.m_bTip = 1;

    InitDefaultCells();
    RunOwnedServicesInit();

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl()
{
    // An open edit is committed as when its editor closes: the editor reports
    // to the grid window, which still exists here, and the grid reports to
    // its parent only while the parent's window exists.
    EndEditBeforeStructuralChange();
    DeleteAllCells();
    m_BindList.DeleteAllBinds();
    m_ConnectionList.DeleteAll();
    m_PictureList.DeleteAll();
}

void CGridCtrl::InitDefaultCells()
{
    CGridDefaultCell* cells[4] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
    for (CGridDefaultCell* pCell : cells) {
        pCell->SetGrid(this);
        pCell->SetTextColor(m_crDefaultText);
        pCell->SetBackColor(pCell == &m_cellDefault ? m_crDefaultBack : m_crFixedBack);
    }
}

// The services a grid owns get their grid and their defaults here, so a grid
// is complete whether or not it ever gets a window.
void CGridCtrl::RunOwnedServicesInit()
{
    m_BindList.SetGrid(this);
    m_ConnectionList.SetGrid(this);
    InitDevMode();
    InitHeaderFooterFonts();
    InitPrintMargins();
    InitPrintOptions();
    InitPrintSettings();
    InitFileInfo();
}

BOOL CGridCtrl::IsValid(int nRow, int nCol) const
{
    return nRow >= 0 && nRow < m_nRows && nCol >= 0 && nCol < m_nCols;
}

BOOL CGridCtrl::IsCellFixed(int nRow, int nCol) const
{
    // A cell that does not exist is neither fixed nor scrollable.
    return IsValid(nRow, nCol) && (nRow < m_nFixedRows || nCol < m_nFixedCols);
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol)
{
    if (bFixedRow && bFixedCol)
        return &m_cellFixedRowColDef;
    if (bFixedRow)
        return &m_cellFixedRowDef;
    if (bFixedCol)
        return &m_cellFixedColDef;
    return &m_cellDefault;
}

const LOGFONT* CGridCtrl::GetGridLogFont()
{
    if (!m_DefaultSetting.m_strFontXml.IsEmpty())
        return &m_DefaultSetting.m_logFont;
    return m_cellDefault.GetFont();
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return nullptr;
    if (!m_bVirtualMode) {
        if (static_cast<size_t>(nRow) >= m_RowData.size())
            return nullptr;
        const GridRow& row = m_RowData[static_cast<size_t>(nRow)];
        if (static_cast<size_t>(nCol) >= row.size())
            return nullptr;
        return row[static_cast<size_t>(nCol)].get();
    }

    // Virtual mode: the owner supplies the cell through one shared cell.
    static CGridCell* s_pVirtualCell = new CGridCell;
    BOOL bFixedRow = nRow < m_nFixedRows;
    BOOL bFixedCol = nCol < m_nFixedCols;
    CGridDefaultCell* pDefault = GetDefaultCell(bFixedRow, bFixedCol);

    GridDisplayInfoNotify notify;
    std::memset(&notify.hdr, 0, sizeof(notify.hdr));
    GridDisplayInfo& info = notify.item;
    info.row = nRow;
    info.col = nCol;
    info.nMask = -1;
    info.nFormat = pDefault->GetAlign();
    info.nImage = pDefault->GetImage();
    info.crBkClr = pDefault->GetBackColor();
    info.crFgClr = pDefault->GetTextColor();
    info.lParam = pDefault->GetItemData();
    std::memset(&info.lfFont, 0, sizeof(info.lfFont));
    if (pDefault->GetFont() != nullptr)
        info.lfFont = *pDefault->GetFont();
    info.nMargin = static_cast<UINT>(pDefault->GetMargin());
    info.strText.Empty();
    info.nState = 0;
    if (IsCellSelected(nRow, nCol))
        info.nState |= GCS_SELECTED;
    if (bFixedRow)
        info.nState |= GCS_FIXED | GCS_FIXEDROW;
    if (bFixedCol)
        info.nState |= GCS_FIXED | GCS_FIXEDCOL;
    if (m_idCurrentCell == CGridCellPos(nRow, nCol))
        info.nState |= GCS_FOCUSED;

    if (m_pfnCallback != nullptr) {
        m_pfnCallback(&info, m_lParamCallback);
    } else {
        CWnd* pOwner = GetSafeHwnd() != nullptr ? GetOwner() : nullptr;
        if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr) {
            notify.hdr.hwndFrom = GetSafeHwnd();
            notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
            notify.hdr.code = static_cast<UINT>(GRID_NOTIFY_GET_DISPLAY_INFO);
            pOwner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(notify.hdr.idFrom),
                                reinterpret_cast<LPARAM>(&notify));
        }
    }

    CGridCell* pCell = s_pVirtualCell;
    pCell->SetState(info.nState);
    pCell->SetAlign(info.nFormat);
    pCell->SetImage(info.nImage);
    pCell->SetBackColor(info.crBkClr);
    pCell->SetTextColor(info.crFgClr);
    pCell->SetItemData(info.lParam);
    pCell->SetFont(&info.lfFont);
    pCell->SetMargin(static_cast<int>(info.nMargin));
    pCell->SetText(info.strText);
    pCell->SetGrid(this);
    return pCell;
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    // Switching between stored and supplied cells empties the grid; the
    // owned services stay.
    ClearSelection();
    m_RowData.clear();
    m_arRowHeights.RemoveAll();
    m_arColWidths.RemoveAll();
    m_arCellIds.clear();
    m_arMergeOwners.clear();
    m_nRows = 0;
    m_nFixedRows = 0;
    m_nCols = 0;
    m_nFixedCols = 0;
    m_bVirtualMode = bVirtual;
    UpdateScrollBars();
}

void CGridCtrl::SetCallbackFunc(GRIDCALLBACK pCallback, LPARAM lParam)
{
    m_pfnCallback = pCallback;
    m_lParamCallback = lParam;
}

void CGridCtrl::SetRowOddBkColor(COLORREF clr)
{
    m_crRowOdd = clr;
    m_bRowOddColour = TRUE;
}

void CGridCtrl::SetRowEvenBkColor(COLORREF clr)
{
    m_crRowEven = clr;
    m_bRowEvenColour = TRUE;
}

