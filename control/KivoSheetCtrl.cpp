#include "control/KivoSheetCtrl.h"

#include "cellcontent/ScreenMetrics.h"
#include "control/SheetPicture.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/System.h"

namespace {
const char kControlClass[] = "KivoSheetCtrl";
// The version text of the control.
const char kVersionText[] = "4.5.1.2";
}  // namespace

CKivoSheetCtrl::CKivoSheetCtrl() : m_grid(MakeGridPort()) {}

CKivoSheetCtrl::~CKivoSheetCtrl()
{
    // The objects handed out lose the grid before anything of it goes.
    m_liveness.reset();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    m_grid.reset();
}

BOOL CKivoSheetCtrl::CreateControl(HWND parent, const RECT& rect)
{
    if (GetSafeHwnd() != nullptr)
        return TRUE;
    return CreateEx(0, kControlClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect.left,
                    rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, 0);
}

BOOL CKivoSheetCtrl::DestroyWindow()
{
    // The grid window goes first; the grid object and its cells survive, so a
    // re-created window shows the same sheet.
    if (CWnd* grid = GridWindow())
        grid->DestroyWindow();
    return CWnd::DestroyWindow();
}

int CKivoSheetCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    {
        CClientDC dc(this);
        SetScreenPixelsPerInchY(dc.GetDeviceCaps(LOGPIXELSY));
        SetScreenPixelsPerInchX(dc.GetDeviceCaps(LOGPIXELSX));
    }
    if (m_grid && IsUserMode()) {
        if (m_grid->GetGridWindow() == nullptr) {
            CRect rc(0, 0, cs->cx, cs->cy);
            if (m_grid->CreateGridWindow(this, rc, kGridWindowId)) {
                if (!m_bDefaultsApplied && !m_grid->HasContent()) {
                    // A sheet the host has filled or loaded before keeps its content.
                    CClientDC dc(this);
                    m_grid->ApplyFirstTimeDefaults(dc);
                }
            }
        }
        m_grid->ClickCell(2, 2);
        m_bDefaultsApplied = TRUE;
    }
    if (IsUserMode() && m_host != nullptr)
        m_host->ActivateInPlace();
    return 0;
}

void CKivoSheetCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (CWnd* grid = GridWindow())
        grid->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKivoSheetCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKivoSheetCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    OnDraw(dc, rc);
}

void CKivoSheetCtrl::OnDraw(CDC& dc, const RECT& bounds)
{
    if (!m_grid)
        return;
    // In user mode the grid window paints itself and the control only the
    // square between the two scroll bars; in design mode (or while there is
    // no grid window) it draws the sample picture.
    if (IsUserMode() && m_grid->GetGridWindow() != nullptr) {
        DrawScrollBarCorner(dc, bounds, *m_grid);
        return;
    }
    DrawSheetPicture(dc, bounds, *m_grid);
}

void CKivoSheetCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (CWnd* grid = GridWindow())
        grid->SetFocus();
}

void CKivoSheetCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (m_grid && GridWindow() != nullptr)
        m_grid->EndEditing();
}

int CKivoSheetCtrl::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_host != nullptr && IsUserMode() && !m_host->IsUIActive())
        m_host->ActivateInPlace();
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

LRESULT CKivoSheetCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsGridEventMessage(message)) {
        // No event reaches a host through a control whose window is gone.
        if (GetSafeHwnd() == nullptr)
            return 1;
        TranslateGridMessage(message, wParam, lParam, *this, m_events);
        if (GetSafeHwnd() == nullptr)
            return 1;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CKivoSheetCtrl::CellFromPoint(POINT clientPoint, LONG& row, LONG& col)
{
    row = -1;
    col = -1;
    if (m_grid)
        m_grid->CellFromPoint(clientPoint, row, col);
}

bool CKivoSheetCtrl::TakeEventLines(UINT message, WPARAM wParam, LPARAM lParam, GridEventLines& lines)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->TakeEventLines(message, wParam, lParam, lines);
}

void CKivoSheetCtrl::ClientToScreenPoint(POINT& point)
{
    // The grid reports points of its own client area, which lies inside its
    // border; the control's client area is used only while there is no grid
    // window.
    if (CWnd* grid = GridWindow())
        grid->ClientToScreen(&point);
    else if (GetSafeHwnd() != nullptr)
        ClientToScreen(&point);
}

BOOL CKivoSheetCtrl::PreTranslateKey(MSG* msg)
{
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP))
        return FALSE;
    CWnd* focus = CWnd::GetFocus();
    // Only windows of this control take part.
    if (focus != nullptr && focus != this && !IsChild(focus))
        focus = nullptr;
    const UINT key = static_cast<UINT>(msg->wParam);
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    switch (key) {
    case VK_TAB: case VK_RETURN: case VK_SHIFT: case VK_CONTROL: case VK_MENU:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
        if (focus != nullptr) {
            if (key == VK_RETURN && ctrl)
                return FALSE;   // Ctrl+Enter belongs to the container
            focus->SendMessage(msg->message, msg->wParam, msg->lParam);
        } else if (CWnd* grid = GridWindow()) {
            grid->SendMessage(msg->message, msg->wParam, msg->lParam);
        }
        return TRUE;
    case 'C':
        if (ctrl && focus != nullptr) {
            if (focus == GridWindow() && m_grid->IsCopyAllowed())
                m_grid->CopySelection();
            else
                focus->SendMessage(msg->message, msg->wParam, msg->lParam);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void CKivoSheetCtrl::SetModified()
{
    if (m_host != nullptr)
        m_host->SetModified();
}

// ---- the four colour properties (their members run the redraw marks) ------

LONG CKivoSheetCtrl::DoGetGridDefCellTextColor()
{
    return m_grid ? m_grid->GetDefaultSetting().m_crTextColor : -1;
}

void CKivoSheetCtrl::DoSetGridDefCellTextColor(LONG newValue)
{
    if (!m_grid)
        return;
    CGridDefaultSetting setting = m_grid->GetDefaultSetting();
    setting.m_crTextColor = newValue;
    m_grid->SetDefaultSetting(setting);
    SetModified();
}

LONG CKivoSheetCtrl::DoGetGridDefCellBgColor()
{
    return m_grid ? m_grid->GetDefaultSetting().m_crCellBgColor : -1;
}

void CKivoSheetCtrl::DoSetGridDefCellBgColor(LONG newValue)
{
    if (!m_grid)
        return;
    CGridDefaultSetting setting = m_grid->GetDefaultSetting();
    setting.m_crCellBgColor = newValue;
    m_grid->SetDefaultSetting(setting);
    SetModified();
}

LONG CKivoSheetCtrl::DoGetGridDefSelBgColor()
{
    return m_grid ? m_grid->GetDefaultSetting().m_crSelColor : -1;
}

void CKivoSheetCtrl::DoSetGridDefSelBgColor(LONG newValue)
{
    if (!m_grid)
        return;
    CGridDefaultSetting setting = m_grid->GetDefaultSetting();
    setting.m_crSelColor = newValue;
    m_grid->SetDefaultSetting(setting);
    SetModified();
}

LONG CKivoSheetCtrl::DoGetGridDefSelBorderColor()
{
    return m_grid ? static_cast<LONG>(m_grid->GetSelFrameColour()) : -1;
}

void CKivoSheetCtrl::DoSetGridDefSelBorderColor(LONG newValue)
{
    if (!m_grid)
        return;
    m_grid->SetSelFrameColour(static_cast<COLORREF>(newValue));
    SetModified();
    // The member's redraw mark invalidates the control window.
}

LONG CKivoSheetCtrl::DoGridRGB(SHORT nRed, SHORT nGreen, SHORT nBlue)
{
    return static_cast<LONG>(RGB(nRed & 0xFF, nGreen & 0xFF, nBlue & 0xFF));
}

CString CKivoSheetCtrl::DoGridGetOCXVersion()
{
    return CString(kVersionText);
}

void CKivoSheetCtrl::DoAboutBox()
{
    if (m_host != nullptr)
        m_host->ShowAboutBox();
}
