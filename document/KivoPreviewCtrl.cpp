#include "document/KivoPreviewCtrl.h"

#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/PopupMenu.h"
#include "platform/System.h"

#include <algorithm>

namespace {

const char kFrameClass[] = "KivoPreviewCtrl";
const char kViewClass[] = "KivoViewCtrl";
const char kBarClass[] = "KivoPreviewBar";
const char kHostClass[] = "KivoPreviewHost";

const COLORREF kBackground = 0x808080;
const COLORREF kSkinnedFrameBackground = 0xEBC3A4;
const COLORREF kSelectedFrame = 0x6A240A;

struct BarButton {
    int id;
    const char* text;
};
const BarButton kButtons[] = {
    {IDC_PREVIEW_PRINT, "打印(&P)"}, {IDC_PREVIEW_PREV, "上页(&R)"},  {IDC_PREVIEW_NEXT, "下页(&N)"},
    {IDC_PREVIEW_ONE, "单页(&O)"},   {IDC_PREVIEW_MULTI, "多页(&M)"}, {IDC_PREVIEW_ALL, "全部(A)"},
    {IDC_PREVIEW_SETUP, "页面设置(&S)"}, {IDC_PREVIEW_CLOSE, "关闭(&C)"},
};

void RegisterOnce(const char* name, UINT style, int background)
{
    if (!PlatformIsWindowClassRegistered(name))
        PlatformRegisterWindowClass(name, style, PlatformLoadCursor(IDC_ARROW), background);
}

}  // namespace

// --- the button bar -------------------------------------------------------------------

BOOL CPreviewToolBarDlg::Create(CWnd* pFrame, UINT nID)
{
    RegisterOnce(kBarClass, CS_DBLCLKS, COLOR_BTNFACE + 1);
    return CreateEx(0, kBarClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 8 * kButtonWidth + 16, kHeight), pFrame,
                    nID);
}

CRect CPreviewToolBarDlg::GetButtonRect(int nId) const
{
    for (int i = 0; i < 8; ++i) {
        if (kButtons[i].id == nId) {
            const int x = 4 + i * (kButtonWidth + 2);
            return CRect(x, (kHeight - kButtonHeight) / 2, x + kButtonWidth, (kHeight + kButtonHeight) / 2);
        }
    }
    return CRect(0, 0, 0, 0);
}

bool CPreviewToolBarDlg::IsButtonEnabled(int nId) const
{
    switch (nId) {
    case IDC_PREVIEW_ONE: return m_buttons.bOnePage;
    case IDC_PREVIEW_MULTI: return m_buttons.bMultiPage;
    case IDC_PREVIEW_ALL: return m_buttons.bAllPages;
    case IDC_PREVIEW_PREV: return m_buttons.bPrevPage;
    case IDC_PREVIEW_NEXT: return m_buttons.bNextPage;
    default: return true;
    }
}

void CPreviewToolBarDlg::SetMode(int nMode)
{
    m_buttons = PreviewBarButtonsFor(nMode);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

LRESULT CPreviewToolBarDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PREVIEW_ONEPAGE: SetMode(PREVIEW_ONE_PAGE); return 0;
    case WM_PREVIEW_MULTIPAGE: SetMode(PREVIEW_PAGES_PER_ROW); return 0;
    case WM_PREVIEW_ALLPAGES: SetMode(PREVIEW_ALL_PAGES); return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CPreviewToolBarDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const bool skinned = PaintSkin(&dc, client);
    if (!skinned)
        dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    for (const BarButton& b : kButtons) {
        CRect r = GetButtonRect(b.id);
        const bool enabled = IsButtonEnabled(b.id);
        dc.FillSolidRect(&r, m_nPressed == b.id ? 0xC0C0C0 : 0xF0F0F0);
        dc.Draw3dRect(&r, 0xFFFFFF, 0x404040);
        dc.SetTextColor(enabled ? 0x000000 : 0xA0A0A0);
        dc.DrawText(b.text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

bool CPreviewToolBarDlg::PaintSkin(CDC* pDC, const CRect& client)
{
    if (m_pGrid == nullptr || m_pGrid->GetSkinStyle() != 1)
        return false;
    CBitmap* pBack = m_pGrid->GetSkinBitmap(SKIN_PREVIEWTOOLBARBG);
    const CSize size = pBack != nullptr ? pBack->GetSize() : CSize(0, 0);
    CDC mem;
    if (size.cx <= 0 || size.cy <= 0 || !mem.CreateCompatibleDC(pDC))
        return false;
    // The background tiled from left to right, each tile stretched to the
    // bar's height, the last one cut to the width that remains.
    CBitmap* pOld = mem.SelectObject(pBack);
    for (int x = client.left; x < client.right; x += size.cx) {
        const int w = std::min<int>(size.cx, client.right - x);
        pDC->StretchBlt(x, client.top, w, client.Height(), &mem, 0, 0, w, size.cy, SRCCOPY);
    }
    mem.SelectObject(pOld);
    // The frame: one ring per unit of the system's frame thickness.
    const int rings = ::GetSystemMetrics(SM_CYFRAME);
    for (int i = 0; i < rings; ++i) {
        const COLORREF colour = i == 0 ? RGB(150, 170, 196) : i == 1 ? RGB(166, 188, 217) : RGB(177, 200, 231);
        CBrush brush(colour);
        CRect ring = client;
        ring.DeflateRect(i, i);
        if (ring.IsRectEmpty())
            break;
        pDC->FrameRect(&ring, &brush);
    }
    return true;
}

void CPreviewToolBarDlg::OnLButtonDown(UINT, CPoint point)
{
    m_nPressed = 0;
    for (const BarButton& b : kButtons) {
        if (GetButtonRect(b.id).PtInRect(point) && IsButtonEnabled(b.id))
            m_nPressed = b.id;
    }
    if (m_nPressed != 0) {
        SetCapture();
        Invalidate();
    }
}

void CPreviewToolBarDlg::OnLButtonUp(UINT, CPoint point)
{
    const int pressed = m_nPressed;
    m_nPressed = 0;
    if (GetCapture() == this)
        ::ReleaseCapture();
    Invalidate();
    if (pressed != 0 && GetButtonRect(pressed).PtInRect(point))
        Press(pressed);
}

void CPreviewToolBarDlg::Press(int nId)
{
    CWnd* pFrame = GetParent();
    if (pFrame == nullptr || !IsButtonEnabled(nId))
        return;
    switch (nId) {
    case IDC_PREVIEW_ONE:
        SetMode(PREVIEW_ONE_PAGE);
        pFrame->SendMessage(WM_PREVIEW_ONEPAGE, 0, 0);
        break;
    case IDC_PREVIEW_MULTI:
        SetMode(PREVIEW_PAGES_PER_ROW);
        pFrame->SendMessage(WM_PREVIEW_MULTIPAGE, 2, 0);
        break;
    case IDC_PREVIEW_ALL:
        SetMode(PREVIEW_ALL_PAGES);
        pFrame->SendMessage(WM_PREVIEW_ALLPAGES, 0, 0);
        break;
    case IDC_PREVIEW_NEXT: pFrame->SendMessage(WM_PREVIEW_NEXTPAGE, 2, 0); break;
    case IDC_PREVIEW_PREV: pFrame->SendMessage(WM_PREVIEW_PREVPAGE, 2, 0); break;
    case IDC_PREVIEW_SETUP: pFrame->SendMessage(WM_PREVIEW_PAGESETUP, 0, 0); break;
    case IDC_PREVIEW_PRINT: pFrame->SendMessage(WM_PREVIEW_PRINT, 0, 0); break;
    case IDC_PREVIEW_CLOSE: {
        CWnd* pOuter = pFrame->GetParent();
        if (pOuter != nullptr)
            pOuter->SendMessage(WM_PREVIEW_CLOSE, 0, 0);
        break;
    }
    default: break;
    }
}

// --- the page view --------------------------------------------------------------------

BOOL CPreviewPageView::Create(CWnd* pFrame, const RECT& rect, UINT nID)
{
    RegisterOnce(kViewClass, CS_DBLCLKS, 0);
    return CreateEx(0, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, pFrame, nID);
}

void CPreviewPageView::SetPageCount(int nPages)
{
    m_nPages = std::max(0, nPages);
    m_nCurPage = std::min(m_nCurPage, std::max(0, m_nPages - 1));
}

void CPreviewPageView::SetMode(int nMode, int nPerRow)
{
    m_nMode = std::max(0, std::min(nMode, 2));
    if (nPerRow >= 2 && nPerRow <= 5)
        m_nPerRow = nPerRow;
    Relayout();
}

void CPreviewPageView::NextPage()
{
    if (m_nCurPage + 1 < m_nPages)
        ++m_nCurPage;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CPreviewPageView::PrevPage()
{
    if (m_nCurPage > 0)
        --m_nCurPage;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CPreviewPageView::Relayout()
{
    m_pages = LayoutPreviewPages(m_nMode, m_nPerRow, m_nPages, m_pageSize, CPoint(kOffset, kOffset), m_extent);
    if (GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_scroll = ComputePreviewScroll(CSize(client.Width(), client.Height()), m_extent);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = m_scroll.bVertical ? m_scroll.nVertMax : 0;
    si.nPage = static_cast<UINT>(m_scroll.bVertical ? m_scroll.nVertPage : 0);
    SetScrollInfo(SB_VERT, &si, TRUE);
    si.nMax = m_scroll.bHorizontal ? m_scroll.nHorzMax : 0;
    si.nPage = static_cast<UINT>(m_scroll.bHorizontal ? m_scroll.nHorzPage : 0);
    SetScrollInfo(SB_HORZ, &si, TRUE);
    ShowScrollBar(SB_VERT, m_scroll.bVertical);
    ShowScrollBar(SB_HORZ, m_scroll.bHorizontal);
    Invalidate();
}

int CPreviewPageView::PageAt(CPoint point) const
{
    if (m_nMode == PREVIEW_ONE_PAGE)
        return -1;
    const CPoint shifted(point.x + GetScrollPos(SB_HORZ), point.y + GetScrollPos(SB_VERT));
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].PtInRect(shifted))
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CPreviewPageView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewPageView::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC mem;
    CBitmap bitmap;
    const bool buffered = mem.CreateCompatibleDC(&dc) &&
                          bitmap.CreateCompatibleBitmap(&dc, std::max(1, client.Width()), std::max(1, client.Height()));
    CDC* pDC = buffered ? &mem : &dc;
    CBitmap* pOld = buffered ? mem.SelectObject(&bitmap) : nullptr;
    pDC->FillSolidRect(&client, kBackground);
    if (m_pGrid != nullptr) {
        const int dx = -GetScrollPos(SB_HORZ);
        const int dy = -GetScrollPos(SB_VERT);
        for (size_t i = 0; i < m_pages.size(); ++i) {
            if (m_nMode == PREVIEW_ONE_PAGE && static_cast<int>(i) != m_nCurPage)
                continue;
            CRect page = m_pages[i];
            page.OffsetRect(dx, dy);
            // Pages out of view are not drawn.
            if (page.bottom + 4 < client.top || page.top - 4 > client.bottom || page.right + 4 < client.left ||
                page.left - 4 > client.right)
                continue;
            // The shadow, the paper and its frame.
            pDC->FillSolidRect(page.left + 2, page.bottom, page.Width(), 2, 0x000000);
            pDC->FillSolidRect(page.right, page.top + 2, 2, page.Height(), 0x000000);
            pDC->FillSolidRect(&page, 0xFFFFFF);
            CBrush black(RGB(0, 0, 0));
            pDC->FrameRect(&page, &black);
            if (m_nMode != PREVIEW_ONE_PAGE && static_cast<int>(i) == m_nCurPage) {
                CRect outer = page;
                outer.InflateRect(3, 3);
                CBrush selected(kSelectedFrame);
                pDC->FrameRect(&outer, &selected);
                outer.DeflateRect(1, 1);
                pDC->FrameRect(&outer, &selected);
            }
            const int saved = pDC->SaveDC();
            pDC->IntersectClipRect(page.left + 1, page.top + 1, page.right - 1, page.bottom - 1);
            m_pGrid->DrawPaperPage(pDC, static_cast<int>(i), page.TopLeft());
            pDC->RestoreDC(saved);
            // The printable area's outline, dotted.
            CRect body;
            int headerY = 0, footerY = 0;
            m_pGrid->GetPaperPageRects(page.TopLeft(), body, headerY, footerY);
            CPen dotted(PS_DOT, 1, 0xA0A0A0);
            CPen* pOldPen = pDC->SelectObject(&dotted);
            CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
            pDC->Rectangle(&body);
            pDC->SelectObject(pOldBrush);
            pDC->SelectObject(pOldPen);
        }
    }
    if (buffered) {
        dc.BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
}

void CPreviewPageView::OnSize(UINT, int, int)
{
    Relayout();
}

void CPreviewPageView::Scroll(int nBar, UINT nSBCode)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    if (!GetScrollInfo(nBar, &si, SIF_ALL))
        return;
    int pos = si.nPos;
    const int page = std::max(1, static_cast<int>(si.nPage));
    switch (nSBCode) {
    case SB_LINEUP: pos -= 20; break;
    case SB_LINEDOWN: pos += 20; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    pos = std::max(si.nMin, std::min(pos, si.nMax - page + 1));
    if (pos != si.nPos) {
        SetScrollPos(nBar, pos, TRUE);
        Invalidate();
    }
}

void CPreviewPageView::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    Scroll(SB_VERT, nSBCode);
}

void CPreviewPageView::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    Scroll(SB_HORZ, nSBCode);
}

BOOL CPreviewPageView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    const int lines = m_wheel.Add(zDelta);
    const UINT message = m_scroll.bVertical ? WM_VSCROLL : m_scroll.bHorizontal ? WM_HSCROLL : 0;
    if (message == 0)
        return TRUE;
    for (int i = 0; i < std::abs(lines); ++i)
        PostMessage(message, lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    return TRUE;
}

void CPreviewPageView::SelectAt(CPoint point)
{
    SetFocus();
    const int page = PageAt(point);
    if (page >= 0 && page != m_nCurPage) {
        m_nCurPage = page;
        Invalidate();
    }
}

void CPreviewPageView::OnLButtonDown(UINT, CPoint point)
{
    SelectAt(point);
}

void CPreviewPageView::OnRButtonDown(UINT, CPoint point)
{
    SelectAt(point);
}

void CPreviewPageView::OnRButtonUp(UINT, CPoint point)
{
    static const char* const kTexts[] = {"上一页", "下一页", "单页", "每行2页", "每行3页", "每行4页", "每行5页", "全部"};
    CPopupMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    const std::vector<PreviewMenuItem> items = PreviewMenuFor(m_nMode, m_nPerRow, m_nCurPage, m_nPages);
    for (size_t i = 0; i < items.size(); ++i) {
        UINT flags = MF_STRING;
        if (!items[i].bEnabled)
            flags |= MF_GRAYED;
        if (items[i].bChecked)
            flags |= MF_CHECKED;
        menu.AppendMenu(flags, items[i].nId, kTexts[i]);
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    const UINT command = menu.TrackPopupMenu(screen.x, screen.y, this);
    CWnd* pFrame = GetParent();
    CWnd* pBar = pFrame != nullptr ? pFrame->GetDlgItem(CKivoPreviewCtrl::kBarId) : nullptr;
    auto tellBar = [&](UINT message, WPARAM wParam) {
        if (pBar != nullptr)
            pBar->SendMessage(message, wParam, 0);
    };
    switch (command) {
    case ID_PREVIEW_PREVPAGE: PrevPage(); break;
    case ID_PREVIEW_NEXTPAGE: NextPage(); break;
    case ID_PREVIEW_ONEPAGE:
        SetMode(PREVIEW_ONE_PAGE, 0);
        tellBar(WM_PREVIEW_ONEPAGE, 0);
        break;
    case ID_PREVIEW_ALLPAGES:
        SetMode(PREVIEW_ALL_PAGES, 0);
        tellBar(WM_PREVIEW_ALLPAGES, 0);
        break;
    default:
        if (command >= ID_PREVIEW_2PAGES && command <= ID_PREVIEW_2PAGES + 3) {
            SetMode(PREVIEW_PAGES_PER_ROW, static_cast<int>(command - ID_PREVIEW_2PAGES) + 2);
            tellBar(WM_PREVIEW_MULTIPAGE, static_cast<WPARAM>(m_nPerRow));
        }
        break;
    }
}

void CPreviewPageView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CWnd* pFrame = GetParent();
    switch (nChar) {
    case VK_ESCAPE:
        // Esc closes a pop-up preview: the frame's parent hears it.
        if (pFrame != nullptr && pFrame->GetParent() != nullptr)
            pFrame->GetParent()->SendMessage(WM_PREVIEW_CLOSE, 0, 0);
        return;
    case VK_NEXT: NextPage(); return;
    case VK_PRIOR: PrevPage(); return;
    case VK_DOWN: Scroll(SB_VERT, SB_LINEDOWN); return;
    case VK_UP: Scroll(SB_VERT, SB_LINEUP); return;
    default: CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

UINT CPreviewPageView::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

// --- the frame ------------------------------------------------------------------------

BOOL CKivoPreviewCtrl::Create(CWnd* pParent, UINT nID, DWORD dwStyle)
{
    RegisterOnce(kFrameClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, COLOR_BTNFACE + 1);
    CRect rect(0, 0, 100, 100);
    if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
        pParent->GetClientRect(&rect);
    return CreateEx(0, kFrameClass, "", dwStyle | WS_CHILD, rect, pParent, nID);
}

int CKivoPreviewCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pBar.reset(new CPreviewToolBarDlg);
    m_pBar->SetGrid(m_pGrid);
    if (!m_pBar->Create(this, kBarId))
        return -1;
    m_pView.reset(new CPreviewPageView);
    if (!m_pView->Create(this, CRect(0, CPreviewToolBarDlg::kHeight, 100, 100), kViewId))
        return -1;
    m_pBar->SetMode(PREVIEW_ONE_PAGE);
    m_pBar->ShowWindow(m_bHideBar ? SW_HIDE : SW_SHOW);
    Layout();
    return 0;
}

void CKivoPreviewCtrl::SetGrid(CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    if (m_pView != nullptr)
        m_pView->SetGrid(pGrid);
    if (m_pBar != nullptr)
        m_pBar->SetGrid(pGrid);
}

void CKivoPreviewCtrl::SetTitle(LPCTSTR szTitle)
{
    m_strTitle = szTitle != nullptr ? szTitle : "";
    if (GetSafeHwnd() != nullptr) {
        Layout();
        Invalidate();
    }
}

void CKivoPreviewCtrl::SetHideViewBar(BOOL bHide)
{
    m_bHideBar = bHide;
    if (m_pBar != nullptr && m_pBar->GetSafeHwnd() != nullptr)
        m_pBar->ShowWindow(bHide ? SW_HIDE : SW_SHOW);
    if (GetSafeHwnd() != nullptr)
        Layout();
}

void CKivoPreviewCtrl::ApplyPageSetup()
{
    if (m_pView == nullptr || m_pGrid == nullptr)
        return;
    const GridPrintState& st = m_pGrid->GetPrintState();
    m_pView->SetGrid(m_pGrid);
    m_pView->SetPageSize(CSize(st.nPageWidth, st.nPageHeight));
    m_pView->SetPageCount(st.PageCount());
    m_pView->Relayout();
}

void CKivoPreviewCtrl::Layout()
{
    if (m_pBar == nullptr || m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int top = GetBarTop();
    m_pBar->MoveWindow(0, top, client.Width(), CPreviewToolBarDlg::kHeight);
    const int viewTop = m_bHideBar ? top : top + CPreviewToolBarDlg::kHeight;
    m_pView->MoveWindow(0, viewTop, client.Width(), std::max(0, static_cast<int>(client.Height()) - viewTop));
}

void CKivoPreviewCtrl::OnSize(UINT, int, int)
{
    Layout();
}

void CKivoPreviewCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // The skinned sheet's frame takes the skin's blue-grey.
    const bool skinned = m_pGrid != nullptr && m_pGrid->GetSkinStyle() == 1;
    dc.FillSolidRect(&client, skinned ? kSkinnedFrameBackground : kBackground);
    if (!m_strTitle.IsEmpty()) {
        CRect strip(0, 0, client.Width(), 20);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(0xFFFFFF);
        dc.DrawText(m_strTitle, &strip, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT CKivoPreviewCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PREVIEW_ONEPAGE:
        if (m_pView != nullptr)
            m_pView->SetMode(PREVIEW_ONE_PAGE, 0);
        return 0;
    case WM_PREVIEW_MULTIPAGE:
        if (m_pView != nullptr) {
            m_pView->SetMode(PREVIEW_PAGES_PER_ROW, static_cast<int>(wParam));
            m_pView->SetFocus();
        }
        return 0;
    case WM_PREVIEW_ALLPAGES:
        if (m_pView != nullptr)
            m_pView->SetMode(PREVIEW_ALL_PAGES, 0);
        return 0;
    case WM_PREVIEW_NEXTPAGE:
        if (m_pView != nullptr)
            m_pView->NextPage();
        return 0;
    case WM_PREVIEW_PREVPAGE:
        if (m_pView != nullptr)
            m_pView->PrevPage();
        return 0;
    case WM_PREVIEW_PAGESETUP:
    case WM_PREVIEW_PRINT:
    case WM_PREVIEW_CLOSE: {
        CWnd* pParent = GetParent();
        return pParent != nullptr ? pParent->SendMessage(message, wParam, lParam) : 0;
    }
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

// --- the pop-up host ------------------------------------------------------------------

BOOL CPreviewHostDlg::Create(CWnd* pOwner, CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    RegisterOnce(kHostClass, CS_DBLCLKS, COLOR_BTNFACE + 1);
    return CreateEx(0, kHostClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                    CRect(0, 0, 632, 442), pOwner, 0);
}

void CPreviewHostDlg::SetFrame(std::unique_ptr<CKivoPreviewCtrl> pFrame)
{
    m_pFrame = std::move(pFrame);
}

void CPreviewHostDlg::OnSize(UINT, int cx, int cy)
{
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->MoveWindow(0, 0, cx, cy);
}

void CPreviewHostDlg::Cancel()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    if (m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr)
        m_pGrid->SendMessage(WM_PREVIEW_CLOSE, 0, 0);
    else if (m_pGrid != nullptr)
        m_pGrid->ClosePreview();
}

void CPreviewHostDlg::OnClose()
{
    Cancel();
}

LRESULT CPreviewHostDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PREVIEW_PAGESETUP:
    case WM_PREVIEW_PRINT:
        return m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr ? m_pGrid->SendMessage(message, wParam, lParam)
                                                                        : 0;
    case WM_PREVIEW_CLOSE:
        Cancel();
        return 0;
    case WM_NCLBUTTONDBLCLK:
        return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}
