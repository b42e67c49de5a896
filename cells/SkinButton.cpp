#include "cells/SkinButton.h"

#include "grid/GridCtrl.h"
#include "grid/SkinBitmaps.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <algorithm>

int SkinButtonFace(BOOL bHover, BOOL bPressed, UINT nItemState)
{
    if (bPressed)
        return CSkinButton::kPressed;
    if (bHover)
        return CSkinButton::kHot;
    if (nItemState & ODS_FOCUS)
        return CSkinButton::kFocused;
    if (nItemState & (ODS_DISABLED | ODS_GRAYED))
        return CSkinButton::kDisabled;
    return CSkinButton::kNormal;
}

CSkinButton::CSkinButton() : m_bHover(0), m_bPressed(0), m_pGrid(nullptr), m_hGrid(nullptr) {}

void CSkinButton::SetGrid(CGridCtrl* pGrid)
{
    m_pGrid = pGrid;
    m_hGrid = pGrid != nullptr ? pGrid->GetSafeHwnd() : nullptr;
}

CGridCtrl* CSkinButton::GetGrid() const
{
    if (m_pGrid == nullptr || m_hGrid == nullptr || CWnd::FromHandlePermanent(m_hGrid) != m_pGrid)
        return nullptr;
    return m_pGrid;
}

BOOL CSkinButton::UsesSkin() const
{
    const CGridCtrl* grid = GetGrid();
    return grid != nullptr && grid->GetSkinStyle() == 1;
}

BOOL CSkinButton::IsSkinned() const
{
    return m_hWnd != nullptr && (GetStyle() & 0x0F) == BS_OWNERDRAW;
}

void CSkinButton::PreSubclassWindow()
{
    if (UsesSkin())
        ModifyStyle(0x0F, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CSkinButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM || lParam == 0)
        return CButton::OnChildNotify(message, wParam, lParam, pResult);
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CDC* dc = CDC::FromHandle(item->hDC);
    if (dc != nullptr)
        DrawFace(dc, CRect(item->rcItem), SkinButtonFace(m_bHover, m_bPressed, item->itemState));
    *pResult = TRUE;
    return TRUE;
}

void CSkinButton::DrawFace(CDC* pDC, const CRect& rect, int nFace)
{
    if (pDC == nullptr || nFace < 0 || nFace >= kFaceCount)
        return;
    CGridCtrl* grid = GetGrid();
    CBitmap* skin = grid != nullptr ? grid->GetSkinBitmap(SKIN_BUTTON) : nullptr;
    const CSize size = skin != nullptr ? skin->GetSize() : CSize(0, 0);
    const int faceHeight = size.cy / kFaceCount;
    const int height = rect.Height() - 1;
    CDC source;
    if (faceHeight > 0 && size.cx > 4 && height > 0 && rect.Width() > 0 && source.CreateCompatibleDC(pDC)) {
        CBitmap* old = source.SelectObject(skin);
        const int sy = nFace * faceHeight;
        pDC->StretchBlt(rect.left, rect.top, 2, height, &source, 0, sy, 2, faceHeight, SRCCOPY);
        pDC->StretchBlt(rect.right - 2, rect.top, 2, height, &source, size.cx - 2, sy, 2, faceHeight, SRCCOPY);
        const int piece = size.cx - 4;
        for (int x = rect.left + 2; x < rect.right - 2; x += piece) {
            const int width = std::min(piece, static_cast<int>(rect.right - 2 - x));
            pDC->StretchBlt(x, rect.top, width, height, &source, 2, sy, width, faceHeight, SRCCOPY);
        }
        source.SelectObject(old);
    }

    CString caption;
    if (m_hWnd != nullptr)
        GetWindowText(caption);
    CRect text = rect;
    if (nFace == kFocused || nFace == kHot)
        text.OffsetRect(2, 2);
    CFont* font = m_hWnd != nullptr ? GetFont() : nullptr;
    CFont* oldFont = font != nullptr ? pDC->SelectObject(font) : nullptr;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (nFace == kDisabled) {
        const COLORREF oldColor = pDC->SetTextColor(RGB(0x80, 0x80, 0x80));
        CRect grey = text;
        grey.DeflateRect(1, 1);
        pDC->DrawText(caption, &grey, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(oldColor);
    }
    pDC->SetBkMode(oldMode);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);
}

void CSkinButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHover) {
        Invalidate(FALSE);
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        m_bHover = TrackMouseEvent(&track) ? 1 : 0;
    }
    CButton::OnMouseMove(nFlags, point);
}

void CSkinButton::OnMouseLeave()
{
    m_bHover = 0;
    Invalidate(FALSE);
    CButton::OnMouseLeave();
}

void CSkinButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPressed = 1;
    Invalidate(FALSE);
    CButton::OnLButtonDown(nFlags, point);
}

void CSkinButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPressed = 0;
    Invalidate(FALSE);
    CButton::OnLButtonUp(nFlags, point);
}

BOOL CSkinButton::OnEraseBkgnd(CDC* pDC)
{
    if (UsesSkin())
        return TRUE;
    return CButton::OnEraseBkgnd(pDC);
}
