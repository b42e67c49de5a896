// COffscreenDC: double-buffered painting over a target device context.
//
// Drawing goes into a memory bitmap of the target's clip box (or of the given
// rectangle), with the same logical coordinates as the target; the bitmap
// starts filled with the target's background colour. When the object is
// destroyed the picture is copied to the target in one block transfer. For a
// printing target, or when no bitmap can be had (an empty area), drawing goes
// straight into the target instead.
#pragma once

#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

class COffscreenDC : public CDC {
public:
    explicit COffscreenDC(CDC* pDC, const RECT* pRect = nullptr);
    ~COffscreenDC() override;
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;

    // Whether drawing goes into the memory bitmap (FALSE: straight into the target).
    BOOL IsBuffered() const { return m_bBuffered; }
    const CRect& GetArea() const { return m_rect; }

private:
    CDC* m_pTarget;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap;
    CRect m_rect;
    BOOL m_bBuffered;
};
