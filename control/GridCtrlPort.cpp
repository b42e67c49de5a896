#include "control/GridCtrlPort.h"

#include "cells/GridScrollBarHooks.h"
#include "cells/InPlaceEditHooks.h"
#include "control/SheetPicture.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"

namespace {

// The sheet a host gets when it has put nothing into it.
const int kFirstFixedCols = 1;
const int kFirstFixedRows = 1;
const int kFirstRows = 101;
const int kFirstCols = 51;

}  // namespace

std::unique_ptr<CGridPort> MakeGridPort()
{
    return std::make_unique<CGridCtrlPort>();
}

CGridCtrlPort::CGridCtrlPort() : m_grid(std::make_unique<CGridCtrl>(0, 0, 0, 0))
{
    GetDefaultCellLogFont(&m_fallbackFont);
}

CGridCtrlPort::~CGridCtrlPort()
{
    if (m_grid && m_grid->GetSafeHwnd() != nullptr)
        m_grid->DestroyWindow();
}

CGridDefaultSetting CGridCtrlPort::GetDefaultSetting() const
{
    return m_grid->GetDefaultSettingRecord();
}

void CGridCtrlPort::SetDefaultSetting(const CGridDefaultSetting& setting)
{
    m_grid->SetDefaultSetting(setting);
    m_grid->Refresh();
}

COLORREF CGridCtrlPort::GetSelFrameColour() const
{
    return m_grid->GetSelFrameColor();
}

void CGridCtrlPort::SetSelFrameColour(COLORREF colour)
{
    m_grid->SetSelFrameColor(colour);
    m_grid->Refresh();
}

CWnd* CGridCtrlPort::GetGridWindow()
{
    return m_grid->GetSafeHwnd() != nullptr ? m_grid.get() : nullptr;
}

BOOL CGridCtrlPort::CreateGridWindow(CWnd* parent, const RECT& rect, UINT id)
{
    if (m_grid->GetSafeHwnd() != nullptr)
        return TRUE;
    // The grid's scroll bars, in-place editors and title tip come from the
    // cell library.
    InstallGridScrollBarHooks();
    InstallInPlaceEditHooks();
    if (!m_grid->Create(rect, parent, id, WS_CHILD | WS_VISIBLE))
        return FALSE;
    m_grid->ShowWindow(SW_SHOW);
    return TRUE;
}

bool CGridCtrlPort::HasContent() const
{
    // A new grid has no rows and no columns; a host that filled or loaded the
    // sheet has given it some.
    return m_grid->GetRowCount() > 0 || m_grid->GetColumnCount() > 0;
}

void CGridCtrlPort::ApplyFirstTimeDefaults(CDC& dc)
{
    // Every area's default cell takes the size the design-mode picture uses:
    // the sizing text in the normal default font, plus the margin.
    const SIZE cell = SheetPictureCellSize(dc, *this);
    for (BOOL fixedRow : {FALSE, TRUE}) {
        for (BOOL fixedCol : {FALSE, TRUE}) {
            if (CGridDefaultCell* area = m_grid->GetDefaultCell(fixedRow, fixedCol)) {
                area->SetHeight(cell.cy);
                area->SetWidth(cell.cx);
            }
        }
    }
    m_grid->DeleteAllCells();
    m_grid->SetFixedColumnCount(kFirstFixedCols);
    m_grid->SetFixedRowCount(kFirstFixedRows);
    m_grid->SetRowCount(kFirstRows);
    m_grid->SetColumnCount(kFirstCols);
    // The row-number column is half as wide as the others.
    if (m_grid->GetColumnCount() > 1)
        m_grid->SetColumnWidth(0, m_grid->GetColumnWidth(1) / 2);
}

void CGridCtrlPort::ClickCell(LONG row, LONG col)
{
    m_grid->ClickCell(static_cast<int>(row), static_cast<int>(col));
}

void CGridCtrlPort::CellFromPoint(POINT point, LONG& row, LONG& col)
{
    const CGridCellPos cell = m_grid->GetCellFromPoint(CPoint(point.x, point.y), TRUE);
    row = cell.row;
    col = cell.col;
}

void CGridCtrlPort::EndEditing()
{
    m_grid->EndEditing();
}

BOOL CGridCtrlPort::IsCopyAllowed() const
{
    return m_grid->GetAllowCopy();
}

void CGridCtrlPort::CopySelection()
{
    m_grid->OnEditCopy();
}

void CGridCtrlPort::Refresh()
{
    m_grid->Refresh();
    m_grid->UpdateScrollBars();
}

void CGridCtrlPort::UpdateScrollBars()
{
    m_grid->UpdateScrollBars();
}

const LOGFONT& CGridCtrlPort::GetDefaultFont() const
{
    CGridDefaultCell* normal = m_grid->GetDefaultCell(FALSE, FALSE);
    const LOGFONT* font = normal != nullptr ? normal->GetFont() : nullptr;
    return font != nullptr ? *font : m_fallbackFont;
}

int CGridCtrlPort::GetDefaultMargin() const
{
    CGridDefaultCell* normal = m_grid->GetDefaultCell(FALSE, FALSE);
    return normal != nullptr ? normal->GetMargin() : 0;
}

COLORREF CGridCtrlPort::GetGridLineColour() const
{
    return m_grid->GetGridLineColor();
}

CBitmap* CGridCtrlPort::GetSkinBitmap(int index) const
{
    return m_grid->GetSkinBitmap(index);
}

int CGridCtrlPort::GetScrollBarState() const
{
    return m_grid->GetScrollBarsVisible();
}
