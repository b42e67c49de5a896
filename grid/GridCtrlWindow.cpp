// The grid window: its class, creation, the private messages of its window
// procedure, the handlers that are neither input nor painting, and the two
// ways it reports to its parent (WM_NOTIFY records and the numbered messages).
#include "grid/GridCtrl.h"

#include "grid/GridSysColours.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <cstring>

namespace {

const char kGridClassName[] = "KivoSheet";

// Edit commands of the standard menu.
const UINT kIdEditCopy = 57634;
const UINT kIdEditCut = 57635;
const UINT kIdEditPaste = 57637;
const UINT kIdEditSelectAll = 57642;
// Context-menu items the host adds.
const UINT kFirstMenuCommand = 20000;
const UINT kLastMenuCommand = 30000;

}  // namespace

BOOL CGridCtrl::RegisterGridClass()
{
    if (PlatformIsWindowClassRegistered(kGridClassName))
        return TRUE;
    return PlatformRegisterWindowClass(kGridClassName, CS_DBLCLKS, PlatformLoadCursor(IDC_ARROW), COLOR_BTNFACE + 1);
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!RegisterGridClass())
        return FALSE;
    DWORD dwWndStyle = (dwStyle & ~static_cast<DWORD>(WS_BORDER)) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!CWnd::CreateEx(0, kGridClassName, nullptr, dwWndStyle, rect, pParentWnd, nID))
        return FALSE;
    m_crGridBack = m_nSkinStyle == 1 ? 0xEBC3A4 : m_crShadow;
    m_nProgressShown = 0;
    // The private clipboard format, and the drop target (once per window;
    // without OLE on this thread dragging stays off).
    GetClipboardFormatNumber();
    m_DropTarget.Register(this);
    CreateScrollBarWindows();
    UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_bSubclassed)
        return;
    m_bSubclassed = TRUE;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
}

// --- reporting to the parent ------------------------------------------------------------

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage)
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return 0;
    GridNotifyRecord record;
    std::memset(&record, 0, sizeof(record));
    record.hdr.hwndFrom = GetSafeHwnd();
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    record.hdr.code = static_cast<UINT>(nMessage);
    record.iRow = nRow;
    record.iColumn = nCol;
    return pOwner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(record.hdr.idFrom), reinterpret_cast<LPARAM>(&record));
}

LRESULT CGridCtrl::SendGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return 0;
    return pParent->SendMessage(nMessage, wParam, lParam);
}

BOOL CGridCtrl::PostGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    return pParent->PostMessage(nMessage, wParam, lParam);
}

LRESULT CGridCtrl::SendGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, const GridEventLines& lines)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return 0;
    // Nothing of the grid is touched after the send: the parent's handler
    // may destroy it. Values the parent did not take age out of the store.
    m_EventLines.Note(nMessage, wParam, lParam, lines);
    return pParent->SendMessage(nMessage, wParam, lParam);
}

BOOL CGridCtrl::PostGridMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, const GridEventLines& lines)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    const unsigned ticket = m_EventLines.Note(nMessage, wParam, lParam, lines);
    if (pParent->PostMessage(nMessage, wParam, lParam))
        return TRUE;
    m_EventLines.Forget(ticket);
    return FALSE;
}

// --- the window procedure's private messages ----------------------------------------------

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GRID_TREEROWSCHANGED:
        return 0;
    case WM_GRID_PAGESETUP: {
        // From the print preview's bar (GridCtrlPrintPreview.cpp): after OK
        // an open preview shows the pages as now set up.
        const BOOL confirmed = ShowPageSetup();
        if (confirmed && wParam == 0)
            RelayoutPreview();
        return confirmed;
    }
    case WM_GRID_PRINT:
        return Print();
    case WM_GRID_CLOSEPREVIEW:
        ClosePreview();
        return 0;
    case WM_GRID_CALCUSERFUNCTION:
        return SendGridMessage(message, wParam, lParam);
    case WM_GRID_PROGRESSRANGE:
        if (static_cast<int>(lParam) > static_cast<int>(wParam)) {
            m_nProgressLow = static_cast<int>(wParam);
            m_nProgressHigh = static_cast<int>(lParam);
        }
        return 0;
    case WM_GRID_PROGRESSPOS:
        m_nProgressPos = static_cast<int>(wParam);
        if (IsProgressShown())
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return 0;
    case WM_GRID_PROGRESSHIDE:
        m_nProgressShown = 0;
        return 0;
    case WM_GRID_PROGRESSSHOW:
        m_nProgressShown = -1;
        return 0;
    case WM_RENDERFORMAT:
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// --- handlers ---------------------------------------------------------------------------------

BOOL CGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    // The paint pass fills every pixel itself.
    return TRUE;
}

void CGridCtrl::OnDestroy()
{
    // The grid window also goes when its parent is destroyed without
    // DestroyWindow being called on the grid; the bars, the parent's children
    // as well, then go with their objects here. The title tip is a popup of
    // its own that would stay on the screen: it goes too (the next window
    // makes a new one when it needs it).
    m_DropTarget.Revoke();
    DestroyScrollBarWindows();
    HideTitleTip();
    m_input.pTitleTip.reset();
    CWnd::OnDestroy();
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    if (m_bInOnSize || GetSafeHwnd() == nullptr)
        return;
    m_bInOnSize = TRUE;
    EndEditing();
    CWnd::OnSize(nType, cx, cy);
    UpdateScrollBars();
    for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()}) {
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsWindowVisible())
            pBar->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    }
    m_bInOnSize = FALSE;
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    // The process-wide colours cells compare with to tell an inherited colour
    // from their own follow the system first, so a cell that inherits keeps
    // inheriting once the default cells below take the new colours.
    CacheDefaultColours();
    COLORREF crText = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF crWindow = GetSysColor(COLOR_WINDOW);
    COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    COLORREF crShadow = GetSysColor(COLOR_BTNSHADOW);
    CGridDefaultCell* cells[4] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
    for (CGridDefaultCell* pCell : cells) {
        if (pCell->GetTextColor() == m_crDefaultText)
            pCell->SetTextColor(crText);
    }
    if (m_cellDefault.GetBackColor() == m_crDefaultBack)
        m_cellDefault.SetBackColor(crWindow);
    for (CGridDefaultCell* pCell : {&m_cellFixedColDef, &m_cellFixedRowDef}) {
        if (pCell->GetBackColor() == m_crFixedBack)
            pCell->SetBackColor(crFace);
    }
    if (m_cellFixedRowColDef.GetBackColor() == m_crDefaultBack)
        m_cellFixedRowColDef.SetBackColor(crWindow);
    if (m_crGridBack == m_crShadow)
        m_crGridBack = crShadow;
    m_crDefaultText = crText;
    m_crDefaultBack = crWindow;
    m_crFixedBack = crFace;
    m_crShadow = crShadow;
}

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    (void)lParam;
    CFont* pFont = CFont::FromHandle(reinterpret_cast<HFONT>(wParam));
    LOGFONT lf;
    if (pFont != nullptr && pFont->GetLogFont(&lf) != 0) {
        CGridDefaultCell* cells[4] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
        for (CGridDefaultCell* pCell : cells)
            pCell->SetFont(&lf);
    }
    Refresh();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CFont* pFont = m_cellDefault.GetFontObject();
    return pFont != nullptr ? reinterpret_cast<LRESULT>(static_cast<HFONT>(*pFont)) : 0;
}

BOOL CGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    switch (nID) {
    case kIdEditCopy:
        OnEditCopy();
        return TRUE;
    case kIdEditCut:
        OnEditCut();
        return TRUE;
    case kIdEditPaste:
        OnEditPaste();
        return TRUE;
    case kIdEditSelectAll:
        OnEditSelectAll();
        return TRUE;
    default:
        break;
    }
    if (nID >= kFirstMenuCommand && nID <= kLastMenuCommand) {
        OnContextMenuCommand(nID);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CGridCtrl::OnContextMenuCommand(UINT nID)
{
    CGridCellPos focus = m_idCurrentCell;
    SendGridMessage(WM_GRID_MENUCOMMAND, MAKELONG(static_cast<WORD>(focus.row), static_cast<WORD>(focus.col)), nID,
                    GridEventLines{focus.row, focus.col});
}
