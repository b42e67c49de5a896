// CImageList on the headless platform: copies of the added bitmaps, drawn
// through the device context's copy and transparent copy.
#include "platform/ImageList.h"

#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <vector>

struct CImageList::Impl {
    bool created = false;
    int cx = 0;
    int cy = 0;
    struct Picture {
        std::unique_ptr<CBitmap> bitmap;
        COLORREF mask = CLR_INVALID;
    };
    std::vector<Picture> pictures;
};

CImageList::CImageList() : m_pImpl(new Impl) {}

CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    (void)nFlags;
    (void)nGrow;
    DeleteImageList();
    if (cx < 1 || cy < 1)
        return FALSE;
    m_pImpl->created = true;
    m_pImpl->cx = cx;
    m_pImpl->cy = cy;
    m_pImpl->pictures.reserve(static_cast<size_t>(std::max(0, nInitial)));
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_pImpl->created)
        return FALSE;
    m_pImpl->pictures.clear();
    m_pImpl->created = false;
    m_pImpl->cx = m_pImpl->cy = 0;
    return TRUE;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!m_pImpl->created || pbmImage == nullptr || pbmImage->GetSafeHandle() == nullptr)
        return -1;
    CDC source;
    CDC target;
    if (!source.CreateCompatibleDC(nullptr) || !target.CreateCompatibleDC(nullptr))
        return -1;
    // The copy takes the format of the bitmap added (a DC with only its
    // first bitmap would make a monochrome one).
    CBitmap* pOldSource = source.SelectObject(pbmImage);
    Impl::Picture picture;
    picture.bitmap.reset(new CBitmap);
    picture.mask = crMask;
    if (!picture.bitmap->CreateCompatibleBitmap(&source, m_pImpl->cx, m_pImpl->cy)) {
        source.SelectObject(pOldSource);
        return -1;
    }
    CBitmap* pOldTarget = target.SelectObject(picture.bitmap.get());
    // A smaller bitmap leaves the rest in the mask colour, so it draws as nothing.
    target.FillSolidRect(0, 0, m_pImpl->cx, m_pImpl->cy, crMask);
    const CSize size = pbmImage->GetSize();
    const BOOL copied = target.BitBlt(0, 0, std::min<int>(size.cx, m_pImpl->cx), std::min<int>(size.cy, m_pImpl->cy),
                                      &source, 0, 0, SRCCOPY);
    source.SelectObject(pOldSource);
    target.SelectObject(pOldTarget);
    if (!copied)
        return -1;
    m_pImpl->pictures.push_back(std::move(picture));
    return static_cast<int>(m_pImpl->pictures.size()) - 1;
}

int CImageList::GetImageCount() const { return static_cast<int>(m_pImpl->pictures.size()); }

BOOL CImageList::GetImageSize(int* pcx, int* pcy) const
{
    if (!m_pImpl->created)
        return FALSE;
    if (pcx)
        *pcx = m_pImpl->cx;
    if (pcy)
        *pcy = m_pImpl->cy;
    return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!m_pImpl->created || pDC == nullptr || pDC->GetSafeHdc() == nullptr || nImage < 0 ||
        nImage >= GetImageCount())
        return FALSE;
    Impl::Picture& picture = m_pImpl->pictures[static_cast<size_t>(nImage)];
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap* pOld = source.SelectObject(picture.bitmap.get());
    BOOL done;
    // Without a background colour of the list, both styles use the mask.
    (void)nStyle;
    if (picture.mask != CLR_INVALID)
        done = pDC->TransparentBlt(pt.x, pt.y, m_pImpl->cx, m_pImpl->cy, &source, 0, 0, m_pImpl->cx, m_pImpl->cy,
                                   picture.mask);
    else
        done = pDC->BitBlt(pt.x, pt.y, m_pImpl->cx, m_pImpl->cy, &source, 0, 0, SRCCOPY);
    source.SelectObject(pOld);
    return done;
}

void* CImageList::GetSafeHandle() const { return m_pImpl->created ? m_pImpl.get() : nullptr; }
