// The print preview windows: the frame CKivoPreviewCtrl (window class
// "KivoPreviewCtrl") with its title strip, the button bar CPreviewToolBarDlg
// and the page view CPreviewPageView (window class "KivoViewCtrl"), and the
// pop-up host window CPreviewHostDlg that holds a frame.
//
// The grid lays the pages out and draws them (its print state in preview
// mode, screen pixels); these windows decide which pages show where and pass
// the user's commands on as the numbered messages 1052 to 1059. Each window
// holds the grid as a plain pointer: the grid owns the windows and destroys
// them before it goes.
#pragma once

#include "cells/SkinButton.h"
#include "cells/SkinScrollBar.h"
#include "document/PreviewLayout.h"
#include "platform/Wnd.h"

#include <memory>
#include <vector>

class CGridCtrl;
class CKivoPreviewCtrl;

// Messages between the bar, the frame, the host and the grid window.
const UINT WM_PREVIEW_ONEPAGE = 1052;
const UINT WM_PREVIEW_MULTIPAGE = 1053;     // wParam: pages per row
const UINT WM_PREVIEW_ALLPAGES = 1054;
const UINT WM_PREVIEW_NEXTPAGE = 1055;
const UINT WM_PREVIEW_PREVPAGE = 1056;
const UINT WM_PREVIEW_PAGESETUP = 1057;
const UINT WM_PREVIEW_CLOSE = 1058;
const UINT WM_PREVIEW_PRINT = 1059;

// The bar's buttons, left to right.
enum PreviewButtonId {
    IDC_PREVIEW_PRINT = 233,
    IDC_PREVIEW_PREV = 236,
    IDC_PREVIEW_NEXT = 237,
    IDC_PREVIEW_ONE = 231,
    IDC_PREVIEW_MULTI = 234,
    IDC_PREVIEW_ALL = 235,
    IDC_PREVIEW_SETUP = 238,
    IDC_PREVIEW_CLOSE = 239,
};

// The strip of buttons at the top of the frame: dialog resource 221, whose
// eight buttons are skin buttons of the grid. A click sends the button's
// command to the frame (close: 1058 to the frame's parent), and the mode
// messages 1052 to 1054 grey the buttons that make no sense in that mode.
class CPreviewToolBarDlg : public CWnd {
public:
    static constexpr UINT kResourceId = 221;
    static constexpr int kHeight = 32;
    static constexpr int kButtonCount = 8;

    BOOL Create(CWnd* pFrame, UINT nID);
    // The grid whose skin the bar and its buttons wear (skin style 1: its
    // preview-toolbar background tiled, a three-tone frame, owner-drawn
    // buttons). Set it before Create.
    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    void SetMode(int nMode);
    bool IsButtonEnabled(int nId) const;
    // The button's rectangle in the bar's client area; empty for another id.
    CRect GetButtonRect(int nId) const;
    CSkinButton* GetButton(int nId);
    // Makes the buttons owner-drawn from the skin, or plain again, as the
    // grid's display mode now says.
    void UpdateSkin();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    bool IsSkinned() const;
    void Press(int nId);
    // The skinned background and frame; false (nothing drawn) without skin.
    bool PaintSkin(CDC* pDC, const CRect& client);
    CGridCtrl* m_pGrid = nullptr;
    PreviewBarButtons m_buttons;
    CSkinButton m_buttonWnds[kButtonCount];
};

// The page view: draws the laid-out pages, scrolls them, selects a page by
// mouse and offers the pages-per-row menu.
class CPreviewPageView : public CWnd {
public:
    static constexpr int kOffset = 10;          // the first page's distance from the corner

    BOOL Create(CWnd* pFrame, const RECT& rect, UINT nID);
    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    // The page in printer units, and the device pixels per printer unit
    // at the preview's natural size (the screen's size of the paper).
    void SetPageSize(CSize size) { m_pageSize = size; }
    void SetUnitScale(double dScaleX, double dScaleY);
    // The device pixels per printer unit the pages are drawn at now: the
    // natural scale, shrunk to fit in the modes that fit pages to the view.
    double GetScaleX() const { return m_dScaleX; }
    double GetScaleY() const { return m_dScaleY; }
    void SetPageCount(int nPages);
    void SetMode(int nMode, int nPerRow);
    int GetMode() const { return m_nMode; }
    int GetPerRow() const { return m_nPerRow; }
    int GetCurPage() const { return m_nCurPage; }
    int GetPageCount() const { return m_nPages; }
    void NextPage();
    void PrevPage();
    // Lays the pages out again and sets the scroll bars.
    void Relayout();
    const std::vector<CRect>& GetPageRects() const { return m_pages; }
    CSize GetExtent() const { return m_extent; }
    // The page under a client point (-1 for none).
    int PageAt(CPoint point) const;
    // The skin scroll bars the frame shows beside the view in the skinned
    // display (NULL, NULL: the view's own bars). Not owned.
    void SetSkinScrollBars(CScrollBar* pHorz, CScrollBar* pVert, CKivoPreviewCtrl* pFrame);
    // The bars the pages need, for the view's area with the skin bars
    // counted in.
    const PreviewScrollNeeds& GetScrollNeeds() const { return m_scroll; }
    int GetScrollPosition(int nBar) const;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override;

private:
    void Scroll(int nBar, UINT nSBCode);
    void SelectAt(CPoint point);
    CScrollBar* SkinBar(int nBar) const { return nBar == SB_VERT ? m_pSkinVert : m_pSkinHorz; }
    BOOL GetBarInfo(int nBar, SCROLLINFO* pInfo) const;
    void SetBarInfo(int nBar, SCROLLINFO* pInfo);
    CGridCtrl* m_pGrid = nullptr;
    CScrollBar* m_pSkinHorz = nullptr;
    CScrollBar* m_pSkinVert = nullptr;
    CKivoPreviewCtrl* m_pFrame = nullptr;    // the frame that shows the skin bars
    CSize m_pageSize;
    double m_dUnitScaleX = 1.0;
    double m_dUnitScaleY = 1.0;
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    int m_nPages = 0;
    int m_nCurPage = 0;
    int m_nMode = PREVIEW_ONE_PAGE;
    int m_nPerRow = 2;
    std::vector<CRect> m_pages;
    CSize m_extent;
    PreviewScrollNeeds m_scroll;
    CPreviewWheel m_wheel;
};

// The frame: title strip, bar and page view.
class CKivoPreviewCtrl : public CWnd {
public:
    static constexpr int kViewId = 2008;
    static constexpr int kBarId = 221;
    static constexpr int kHorzScrollId = 1000;
    static constexpr int kVertScrollId = 1001;
    static constexpr int kSkinScrollSize = 15;   // the skin scroll bars' thickness
    static constexpr int kCornerSize = 16;       // the skin's corner square

    using CWnd::Create;
    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle);
    void SetGrid(CGridCtrl* pGrid);
    void SetTitle(LPCTSTR szTitle);
    CString GetTitle() const { return m_strTitle; }
    void SetHideViewBar(BOOL bHide);
    // Takes the page size and count from the grid's print state.
    void ApplyPageSetup();
    CPreviewToolBarDlg* GetBar() { return m_pBar.get(); }
    CPreviewPageView* GetView() { return m_pView.get(); }
    // Where the bar lies: 0 to 32, or 20 to 52 under a title.
    int GetBarTop() const { return m_strTitle.IsEmpty() ? 0 : 20; }
    // Shows or hides one of the skin scroll bars (SB_HORZ, SB_VERT).
    void ShowPageScrollBar(int nBar, BOOL bShow);
    // Which skin scroll bars show: 1 horizontal, 2 vertical, 3 both.
    int GetScrollBarState() const { return m_nScrollState; }
    CScrollBar* GetSkinScrollBar(int nBar);
    // Redraws the skin scroll bars after a change of skin.
    void RedrawScrollBars();
    // Follows the grid's display mode: the skin's scroll bars (made or let
    // go), the bar's look, the layout.
    void UpdateDisplayMode();
    // Places the bar, the page view and the skin scroll bars again.
    void Layout();
    // The opening animation: the frame starts with no width and grows by
    // kOpeningStep pixels every kOpeningTickMs to cxTarget; then the page
    // view and (unless hidden) the bar appear.
    static constexpr UINT_PTR kOpeningTimer = 1;
    static constexpr UINT kOpeningTickMs = 10;
    static constexpr int kOpeningStep = 100;
    void StartOpening(int cxTarget);
    CRect RectInParent();
    bool IsOpening() const { return m_nTargetWidth > 0; }
    // Fits the frame to its parent's client size; while the frame opens only
    // the target width and the height follow.
    void FitTo(int cx, int cy);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsSkinned() const;
    bool CreateSkinScrollBars();
    void ShowContent();
    int m_nTargetWidth = 0;      // the width the opening animation grows to (0: not opening)
    CGridCtrl* m_pGrid = nullptr;
    CString m_strTitle;
    int m_nScrollState = 0;
    bool m_bLayingOut = false;
    BOOL m_bHideBar = FALSE;
    std::unique_ptr<CPreviewToolBarDlg> m_pBar;
    std::unique_ptr<CPreviewPageView> m_pView;
    // Declared after the view so they go first: they report to the view.
    std::unique_ptr<CSkinScrollBar> m_pHorz;
    std::unique_ptr<CSkinScrollBar> m_pVert;
};

// The pop-up preview's top-level window, dialog resource 265: holds a frame
// (child id 10478) over its client area,
// turns its page set-up and print requests into messages to the grid window,
// and closes on Esc or the close command after sending 1058 to the grid
// window.
class CPreviewHostDlg : public CWnd {
public:
    static constexpr UINT kResourceId = 265;
    static constexpr int kFrameId = 10478;

    BOOL Create(CWnd* pOwner, CGridCtrl* pGrid);
    CKivoPreviewCtrl* GetFrame() { return m_pFrame.get(); }
    void SetFrame(std::unique_ptr<CKivoPreviewCtrl> pFrame);
    // Sends 1058 to the grid window once and destroys the window.
    void Cancel();
    bool IsClosing() const { return m_bClosing; }

protected:
    void OnSize(UINT nType, int cx, int cy) override;
    void OnClose() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CGridCtrl* m_pGrid = nullptr;
    std::unique_ptr<CKivoPreviewCtrl> m_pFrame;
    bool m_bClosing = false;
};
