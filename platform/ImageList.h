// CImageList: a list of same-sized pictures drawn with a mask colour made
// transparent (the pictures a drag shows under the mouse).
//
// Windows keeps the pictures in a system image list (GetSafeHandle is its
// handle); the headless platform keeps copies of the bitmaps and draws them
// through the device context's transparent copy, so tests read the pixels
// back. A picture added with a mask colour draws without the pixels of that
// colour, with ILD_TRANSPARENT and (the list having no background colour of
// its own) with ILD_NORMAL alike.
#pragma once

#include "base/WinConstants.h"
#include "base/WinTypes.h"

#include <memory>

#ifndef ILC_MASK
#define ILC_MASK 0x1
#endif
#ifndef ILC_COLOR24
#define ILC_COLOR24 0x18
#endif
#ifndef ILD_NORMAL
#define ILD_NORMAL 0x0
#endif
#ifndef ILD_TRANSPARENT
#define ILD_TRANSPARENT 0x1
#endif

class CBitmap;
class CDC;

class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // An empty list of cx x cy pictures (ILC_* flags); FALSE for a size
    // below 1 or when the system refuses. A list made before is dropped.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    // Adds the bitmap (cut or padded to the list's size) with the colour that
    // stands for transparent; the new picture's index, or -1.
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int GetImageCount() const;
    // The pictures' size; FALSE without a list.
    BOOL GetImageSize(int* pcx, int* pcy) const;
    // Draws picture nImage with its top-left corner at pt (ILD_* style).
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    // The system's handle on Windows; on the headless platform a non-NULL
    // token while the list exists.
    void* GetSafeHandle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};
