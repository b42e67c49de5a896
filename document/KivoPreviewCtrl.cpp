#include "document/KivoPreviewCtrl.h"

#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/DialogWnd.h"
#include "platform/Gdi.h"
#include "platform/PopupMenu.h"
#include "platform/System.h"

#include <algorithm>
#include <cmath>

namespace {

const char kFrameClass[] = "KivoPreviewCtrl";
const char kViewClass[] = "KivoViewCtrl";
const char kBarClass[] = "KivoPreviewBar";
const char kHostClass[] = "KivoPreviewHost";

const COLORREF kBackground = 0x808080;
const COLORREF kSkinnedFrameBackground = 0xEBC3A4;
const COLORREF kSelectedFrame = 0x6A240A;
const int kCornerSkinX = 128;     // the corner square's place in the scroll-bar skin

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
    DialogResourceInfo info;
    info.nId = kResourceId;
    info.lpszClass = kBarClass;
    info.dwStyle = WS_CHILD | WS_CLIPCHILDREN;
    info.dwExStyle = WS_EX_TOOLWINDOW;
    info.cxDlu = 467;
    info.cyDlu = 15;
    if (!PlatformCreateDialogWindow(this, info, pFrame))
        return FALSE;
    SetDlgCtrlID(static_cast<int>(nID));
    // The buttons become skin buttons of the grid: owner-drawn while the
    // grid wears its skin. The host build has no template, so it makes them
    // where the template puts them.
    const bool fromTemplate = PlatformDialogHasTemplateControls();
    for (int i = 0; i < kButtonCount; ++i) {
        const BarButton& b = kButtons[i];
        CSkinButton& button = m_buttonWnds[i];
        button.SetGrid(m_pGrid);
        if (fromTemplate) {
            CWnd* item = GetDlgItem(b.id);
            if (item == nullptr || !PlatformSubclassWindow(&button, item->GetSafeHwnd()))
                return FALSE;
        } else {
            CRect r(2 + i * 58, 1, 2 + i * 58 + 55, 1 + 13);
            PlatformMapDialogRect(this, &r);
            if (!button.Create(b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, r, this, b.id))
                return FALSE;
        }
    }
    SetMode(PREVIEW_ONE_PAGE);
    return TRUE;
}

CSkinButton* CPreviewToolBarDlg::GetButton(int nId)
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].id == nId)
            return m_buttonWnds[i].GetSafeHwnd() != nullptr ? &m_buttonWnds[i] : nullptr;
    }
    return nullptr;
}

CRect CPreviewToolBarDlg::GetButtonRect(int nId) const
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].id == nId && m_buttonWnds[i].GetSafeHwnd() != nullptr) {
            CRect r;
            m_buttonWnds[i].GetWindowRect(&r);
            ScreenToClient(&r);
            return r;
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
    for (int i = 0; i < kButtonCount; ++i) {
        if (m_buttonWnds[i].GetSafeHwnd() != nullptr)
            m_buttonWnds[i].EnableWindow(IsButtonEnabled(kButtons[i].id) ? TRUE : FALSE);
    }
}

LRESULT CPreviewToolBarDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PREVIEW_ONEPAGE: SetMode(PREVIEW_ONE_PAGE); return 0;
    case WM_PREVIEW_MULTIPAGE: SetMode(PREVIEW_PAGES_PER_ROW); return 0;
    case WM_PREVIEW_ALLPAGES: SetMode(PREVIEW_ALL_PAGES); return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            Press(LOWORD(wParam));
            return 0;
        }
        break;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPreviewToolBarDlg::UpdateSkin()
{
    for (CSkinButton& button : m_buttonWnds) {
        if (button.GetSafeHwnd() == nullptr)
            continue;
        button.ModifyStyle(0x0F, IsSkinned() ? BS_OWNERDRAW : BS_PUSHBUTTON);
        button.Invalidate();
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

bool CPreviewToolBarDlg::IsSkinned() const
{
    return m_pGrid != nullptr && m_pGrid->GetSkinStyle() == 1;
}

BOOL CPreviewToolBarDlg::OnEraseBkgnd(CDC* pDC)
{
    // The skin covers the whole bar when it paints.
    return IsSkinned() ? TRUE : CWnd::OnEraseBkgnd(pDC);
}

void CPreviewToolBarDlg::OnPaint()
{
    if (!IsSkinned()) {
        CWnd::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (!PaintSkin(&dc, client))
        dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}

bool CPreviewToolBarDlg::PaintSkin(CDC* pDC, const CRect& client)
{
    if (!IsSkinned())
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

void CPreviewPageView::SetSkinScrollBars(CScrollBar* pHorz, CScrollBar* pVert, CKivoPreviewCtrl* pFrame)
{
    m_pSkinHorz = pHorz;
    m_pSkinVert = pVert;
    m_pFrame = pHorz != nullptr && pVert != nullptr ? pFrame : nullptr;
}

BOOL CPreviewPageView::GetBarInfo(int nBar, SCROLLINFO* pInfo) const
{
    CScrollBar* skin = SkinBar(nBar);
    if (skin != nullptr)
        return skin->SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(pInfo)) != 0;
    return const_cast<CPreviewPageView*>(this)->GetScrollInfo(nBar, pInfo, pInfo->fMask);
}

void CPreviewPageView::SetBarInfo(int nBar, SCROLLINFO* pInfo)
{
    CScrollBar* skin = SkinBar(nBar);
    if (skin != nullptr)
        skin->SendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(pInfo));
    else
        SetScrollInfo(nBar, pInfo, TRUE);
}

int CPreviewPageView::GetScrollPosition(int nBar) const
{
    if (GetSafeHwnd() == nullptr)
        return 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    return GetBarInfo(nBar, &si) ? si.nPos : 0;
}

void CPreviewPageView::SetUnitScale(double dScaleX, double dScaleY)
{
    m_dUnitScaleX = dScaleX > 0.0 ? dScaleX : 1.0;
    m_dUnitScaleY = dScaleY > 0.0 ? dScaleY : 1.0;
    m_dScaleX = m_dUnitScaleX;
    m_dScaleY = m_dUnitScaleY;
}

void CPreviewPageView::Relayout()
{
    CSize area(0, 0);
    const bool skinned = m_pSkinHorz != nullptr && m_pSkinVert != nullptr;
    if (GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(&client);
        area = CSize(client.Width(), client.Height());
        // The skin bars lie beside the view: the pages have the view's area
        // and theirs.
        if (skinned) {
            if (m_pSkinVert->IsWindowVisible())
                area.cx += CKivoPreviewCtrl::kSkinScrollSize;
            if (m_pSkinHorz->IsWindowVisible())
                area.cy += CKivoPreviewCtrl::kSkinScrollSize;
        }
    }
    // The printer's page at the screen's size, shrunk to fit the mode.
    const CSize natural(static_cast<int>(std::lround(m_pageSize.cx * m_dUnitScaleX)),
                        static_cast<int>(std::lround(m_pageSize.cy * m_dUnitScaleY)));
    // Room for a vertical bar, so that fitting never needs the horizontal one.
    const CSize room(std::max(0, static_cast<int>(area.cx) - ::GetSystemMetrics(SM_CXVSCROLL)), area.cy);
    const double fit = GetSafeHwnd() != nullptr ? PreviewFitScale(m_nMode, m_nPerRow, room, natural, kOffset) : 1.0;
    m_dScaleX = m_dUnitScaleX * fit;
    m_dScaleY = m_dUnitScaleY * fit;
    const CSize shown(static_cast<int>(std::lround(m_pageSize.cx * m_dScaleX)),
                      static_cast<int>(std::lround(m_pageSize.cy * m_dScaleY)));
    m_pages = LayoutPreviewPages(m_nMode, m_nPerRow, m_nPages, shown, CPoint(kOffset, kOffset), m_extent);
    if (GetSafeHwnd() == nullptr)
        return;
    m_scroll = ComputePreviewScroll(area, m_extent);
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = m_scroll.bVertical ? m_scroll.nVertMax : 0;
    si.nPage = static_cast<UINT>(m_scroll.bVertical ? m_scroll.nVertPage : 0);
    SetBarInfo(SB_VERT, &si);
    si.nMax = m_scroll.bHorizontal ? m_scroll.nHorzMax : 0;
    si.nPage = static_cast<UINT>(m_scroll.bHorizontal ? m_scroll.nHorzPage : 0);
    SetBarInfo(SB_HORZ, &si);
    if (skinned) {
        ShowScrollBar(SB_VERT, FALSE);
        ShowScrollBar(SB_HORZ, FALSE);
        const int state = (m_scroll.bHorizontal ? 1 : 0) | (m_scroll.bVertical ? 2 : 0);
        if (m_pFrame != nullptr && state != m_pFrame->GetScrollBarState())
            m_pFrame->Layout();
    } else {
        ShowScrollBar(SB_VERT, m_scroll.bVertical);
        ShowScrollBar(SB_HORZ, m_scroll.bHorizontal);
    }
    Invalidate();
}

int CPreviewPageView::PageAt(CPoint point) const
{
    if (m_nMode == PREVIEW_ONE_PAGE)
        return -1;
    const CPoint shifted(point.x + GetScrollPosition(SB_HORZ), point.y + GetScrollPosition(SB_VERT));
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
        const int dx = -GetScrollPosition(SB_HORZ);
        const int dy = -GetScrollPosition(SB_VERT);
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
            m_pGrid->DrawPaperPage(pDC, static_cast<int>(i), page.TopLeft(), m_dScaleX, m_dScaleY);
            pDC->RestoreDC(saved);
            // The printable area's outline, dotted.
            CRect body;
            int headerY = 0, footerY = 0;
            m_pGrid->GetPaperPageRects(page.TopLeft(), body, headerY, footerY, m_dScaleX, m_dScaleY);
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
    si.fMask = SIF_ALL;
    if (!GetBarInfo(nBar, &si))
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
        SCROLLINFO moved = {};
        moved.cbSize = sizeof(moved);
        moved.fMask = SIF_POS;
        moved.nPos = pos;
        SetBarInfo(nBar, &moved);
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
    return CreateEx(0, kFrameClass, "", dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParent, nID);
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
    // The skinned display scrolls the pages with the skin's own bars, which
    // lie beside the view with the skin's corner square where they meet.
    if (IsSkinned() && !CreateSkinScrollBars())
        return -1;
    m_pBar->SetMode(PREVIEW_ONE_PAGE);
    m_pBar->ShowWindow(m_bHideBar ? SW_HIDE : SW_SHOW);
    Layout();
    return 0;
}

bool CKivoPreviewCtrl::CreateSkinScrollBars()
{
    std::unique_ptr<CSkinScrollBar> horz(new CSkinScrollBar);
    std::unique_ptr<CSkinScrollBar> vert(new CSkinScrollBar);
    const CRect none(0, 0, 0, 0);
    if (!horz->Create(WS_CHILD, none, this, kHorzScrollId) ||
        !vert->Create(WS_CHILD | SBS_VERT, none, this, kVertScrollId))
        return false;
    for (CSkinScrollBar* bar : {horz.get(), vert.get()}) {
        bar->SetSkinBitmap(m_pGrid->GetSkinBitmap(SKIN_SCROLL));
        bar->m_pNotifyWnd = m_pView.get();
    }
    m_pHorz = std::move(horz);
    m_pVert = std::move(vert);
    m_pView->SetSkinScrollBars(m_pHorz.get(), m_pVert.get(), this);
    return true;
}

void CKivoPreviewCtrl::UpdateDisplayMode()
{
    if (GetSafeHwnd() == nullptr || m_pView == nullptr || m_pBar == nullptr)
        return;
    if (IsSkinned() && m_pHorz == nullptr) {
        CreateSkinScrollBars();
    } else if (!IsSkinned() && m_pHorz != nullptr) {
        m_pView->SetSkinScrollBars(nullptr, nullptr, nullptr);
        m_pHorz.reset();
        m_pVert.reset();
        m_nScrollState = 0;
    }
    m_pBar->UpdateSkin();
    Layout();
    RedrawScrollBars();
}

bool CKivoPreviewCtrl::IsSkinned() const
{
    return m_pGrid != nullptr && m_pGrid->GetSkinStyle() == 1;
}

CScrollBar* CKivoPreviewCtrl::GetSkinScrollBar(int nBar)
{
    return nBar == SB_VERT ? m_pVert.get() : nBar == SB_HORZ ? m_pHorz.get() : nullptr;
}

void CKivoPreviewCtrl::ShowPageScrollBar(int nBar, BOOL bShow)
{
    CScrollBar* bar = GetSkinScrollBar(nBar);
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return;
    bar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    const int bit = nBar == SB_VERT ? 2 : 1;
    m_nScrollState = bShow ? (m_nScrollState | bit) : (m_nScrollState & ~bit);
}

void CKivoPreviewCtrl::RedrawScrollBars()
{
    for (CScrollBar* bar : {GetSkinScrollBar(SB_HORZ), GetSkinScrollBar(SB_VERT)}) {
        if (bar != nullptr && bar->GetSafeHwnd() != nullptr)
            bar->Invalidate();
    }
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
    if (m_pBar != nullptr && m_pBar->GetSafeHwnd() != nullptr && !IsOpening())
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
    // The pages are laid out in printer units: at the screen's size of the
    // paper a printer unit is this many screen pixels.
    m_pView->SetUnitScale(static_cast<double>(st.nScreenDpi) / std::max(1, st.nLayoutDpiX),
                          static_cast<double>(st.nScreenDpi) / std::max(1, st.nLayoutDpiY));
    m_pView->SetPageCount(st.PageCount());
    m_pView->Relayout();
}

void CKivoPreviewCtrl::Layout()
{
    if (m_bLayingOut || m_pBar == nullptr || m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr)
        return;
    m_bLayingOut = true;
    CRect client;
    GetClientRect(&client);
    const int top = GetBarTop();
    m_pBar->MoveWindow(0, top, client.Width(), CPreviewToolBarDlg::kHeight);
    const int viewTop = m_bHideBar ? top : top + CPreviewToolBarDlg::kHeight;
    int width = client.Width();
    int height = std::max(0, static_cast<int>(client.Height()) - viewTop);
    if (m_pHorz != nullptr && m_pVert != nullptr) {
        // The skin bars take the right and bottom edges the pages need them on.
        const PreviewScrollNeeds needs = ComputePreviewScroll(CSize(width, height), m_pView->GetExtent());
        const int bar = kSkinScrollSize;
        const int viewWidth = std::max(0, width - (needs.bVertical ? bar : 0));
        const int viewHeight = std::max(0, height - (needs.bHorizontal ? bar : 0));
        m_pVert->MoveWindow(viewWidth, viewTop, needs.bVertical ? bar : 0, viewHeight);
        m_pHorz->MoveWindow(0, viewTop + viewHeight, viewWidth, needs.bHorizontal ? bar : 0);
        ShowPageScrollBar(SB_VERT, needs.bVertical && !IsOpening() ? TRUE : FALSE);
        ShowPageScrollBar(SB_HORZ, needs.bHorizontal && !IsOpening() ? TRUE : FALSE);
        width = viewWidth;
        height = viewHeight;
    }
    m_pView->MoveWindow(0, viewTop, width, height);
    m_pView->Relayout();
    m_bLayingOut = false;
    Invalidate();
}

// The frame's rectangle in its parent's client co-ordinates.
CRect CKivoPreviewCtrl::RectInParent()
{
    CRect rect;
    GetWindowRect(&rect);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->ScreenToClient(&rect);
    return rect;
}

void CKivoPreviewCtrl::StartOpening(int cxTarget)
{
    if (GetSafeHwnd() == nullptr || cxTarget <= 0)
        return;
    const CRect rect = RectInParent();
    m_nTargetWidth = cxTarget;
    m_pView->ShowWindow(SW_HIDE);
    m_pBar->ShowWindow(SW_HIDE);
    ShowPageScrollBar(SB_HORZ, FALSE);
    ShowPageScrollBar(SB_VERT, FALSE);
    MoveWindow(rect.left, rect.top, 0, rect.Height());
    if (SetTimer(kOpeningTimer, kOpeningTickMs) == 0) {
        // No timer: open at once.
        MoveWindow(rect.left, rect.top, cxTarget, rect.Height());
        ShowContent();
    }
}

void CKivoPreviewCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kOpeningTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    const CRect rect = RectInParent();
    const int next = static_cast<int>(rect.Width()) + kOpeningStep;
    if (!IsOpening() || next >= m_nTargetWidth) {
        KillTimer(kOpeningTimer);
        if (IsOpening())
            MoveWindow(rect.left, rect.top, m_nTargetWidth, rect.Height());
        ShowContent();
        return;
    }
    MoveWindow(rect.left, rect.top, next, rect.Height());
}

void CKivoPreviewCtrl::ShowContent()
{
    m_nTargetWidth = 0;
    m_pView->ShowWindow(SW_SHOW);
    m_pBar->ShowWindow(m_bHideBar ? SW_HIDE : SW_SHOW);
    Layout();
    m_pView->Invalidate();
    // The view took the focus while hidden; make sure it has it now.
    CWnd* focus = CWnd::GetFocus();
    if (focus == nullptr || focus == this || IsChild(focus))
        m_pView->SetFocus();
}

void CKivoPreviewCtrl::FitTo(int cx, int cy)
{
    if (!IsOpening()) {
        MoveWindow(0, 0, cx, cy);
        return;
    }
    CRect rect;
    GetClientRect(&rect);
    m_nTargetWidth = std::max(1, cx);
    MoveWindow(0, 0, std::min<int>(rect.Width(), m_nTargetWidth), cy);
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
    // Where the two skin bars meet: the skin's corner square.
    CBitmap* pSkin = skinned && m_nScrollState == 3 ? m_pGrid->GetSkinBitmap(SKIN_SCROLL) : nullptr;
    CDC mem;
    if (pSkin != nullptr && mem.CreateCompatibleDC(&dc)) {
        CBitmap* pOld = mem.SelectObject(pSkin);
        dc.BitBlt(client.right - kCornerSize, client.bottom - kCornerSize, kCornerSize, kCornerSize, &mem,
                  kCornerSkinX, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
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
    DialogResourceInfo info;
    info.nId = kResourceId;
    info.lpszClass = kHostClass;
    info.dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    info.cxDlu = 316;
    info.cyDlu = 221;
    return PlatformCreateDialogWindow(this, info, pOwner);
}

void CPreviewHostDlg::SetFrame(std::unique_ptr<CKivoPreviewCtrl> pFrame)
{
    m_pFrame = std::move(pFrame);
}

void CPreviewHostDlg::OnSize(UINT, int cx, int cy)
{
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->FitTo(cx, cy);
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
    case WM_COMMAND:
        // Esc in the dialog, or its close command.
        if (LOWORD(wParam) == IDCANCEL) {
            Cancel();
            return 0;
        }
        break;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDBLCLK:
        // A double click on the title bar does nothing.
        return 0;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
