#include "cells/OffscreenDC.h"

#include "base/WinConstants.h"

COffscreenDC::COffscreenDC(CDC* pDC, const RECT* pRect)
    : m_pTarget(pDC), m_pOldBitmap(nullptr), m_bBuffered(FALSE)
{
    if (pDC == nullptr)
        return;
    if (pRect != nullptr)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (!pDC->IsPrinting() && !m_rect.IsRectEmpty() && CreateCompatibleDC(pDC)) {
        if (m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
            m_pOldBitmap = SelectObject(&m_bitmap);
            SetWindowOrg(m_rect.left, m_rect.top);
            FillSolidRect(&m_rect, pDC->GetBkColor());
            m_bBuffered = TRUE;
            return;
        }
        DeleteDC();
    }
    // Straight into the target: this object only lends its handle.
    m_hDC = pDC->GetSafeHdc();
    m_hAttribDC = pDC->m_hAttribDC;
    m_bPrinting = pDC->IsPrinting();
    m_bOwned = false;
}

COffscreenDC::~COffscreenDC()
{
    if (m_bBuffered) {
        m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                          SRCCOPY);
        SelectObject(m_pOldBitmap);
        DeleteDC();
        m_bitmap.DeleteObject();
    } else {
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
    }
}
