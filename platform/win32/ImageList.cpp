// CImageList over a system image list.
#include "platform/ImageList.h"

#include "platform/DC.h"
#include "platform/Gdi.h"

#include <windows.h>
#include <commctrl.h>

struct CImageList::Impl {
    HIMAGELIST hList = nullptr;
    int cx = 0;
    int cy = 0;
};

CImageList::CImageList() : m_pImpl(new Impl) {}

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    DeleteImageList();
    if (cx < 1 || cy < 1)
        return FALSE;
    // The colour depth of the screen unless the caller named one.
    if ((nFlags & 0xFE) == 0)
        nFlags |= ILC_COLOR24;
    m_pImpl->hList = ::ImageList_Create(cx, cy, nFlags, nInitial < 0 ? 0 : nInitial, nGrow < 0 ? 0 : nGrow);
    if (m_pImpl->hList == nullptr)
        return FALSE;
    m_pImpl->cx = cx;
    m_pImpl->cy = cy;
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (m_pImpl->hList == nullptr)
        return FALSE;
    ::ImageList_Destroy(m_pImpl->hList);
    m_pImpl->hList = nullptr;
    m_pImpl->cx = m_pImpl->cy = 0;
    return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (m_pImpl->hList == nullptr || pbmImage == nullptr || static_cast<HBITMAP>(*pbmImage) == nullptr)
        return -1;
    return ::ImageList_AddMasked(m_pImpl->hList, static_cast<HBITMAP>(*pbmImage), crMask);
}

int CImageList::GetImageCount() const
{
    return m_pImpl->hList != nullptr ? ::ImageList_GetImageCount(m_pImpl->hList) : 0;
}

BOOL CImageList::GetImageSize(int* pcx, int* pcy) const
{
    if (m_pImpl->hList == nullptr)
        return FALSE;
    if (pcx)
        *pcx = m_pImpl->cx;
    if (pcy)
        *pcy = m_pImpl->cy;
    return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (m_pImpl->hList == nullptr || pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return FALSE;
    return ::ImageList_Draw(m_pImpl->hList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle) ? TRUE : FALSE;
}

void* CImageList::GetSafeHandle() const { return m_pImpl->hList; }
