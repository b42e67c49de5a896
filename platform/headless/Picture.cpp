// Pictures on the headless platform: BMP files only, scaled by a stretch blit.
#include "platform/Picture.h"

#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/headless/HeadlessInternal.h"

#include <vector>

HBITMAP PlatformDecodePicture(const BYTE* pBytes, int nByteCount)
{
    if (pBytes == nullptr || nByteCount <= 0)
        return nullptr;
    const std::vector<BYTE> data(pBytes, pBytes + nByteCount);
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    if (!headless::DecodeBmpFile(data, &width, &height, &pixels))
        return nullptr;
    CBitmap bitmap;
    if (!bitmap.CreateFromPixels(width, height, pixels.data()))
        return nullptr;
    return static_cast<HBITMAP>(bitmap.Detach());
}

HBITMAP PlatformScalePicture(CDC* pDC, HBITMAP hSource, int nWidth, int nHeight)
{
    if (pDC == nullptr || hSource == nullptr || nWidth < 1 || nHeight < 1)
        return nullptr;
    CBitmap* source = CBitmap::FromHandle(hSource);
    const CSize size = source->GetSize();
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    CDC from;
    CDC to;
    CBitmap scaled;
    if (!from.CreateCompatibleDC(pDC) || !to.CreateCompatibleDC(pDC) ||
        !scaled.CreateCompatibleBitmap(pDC, nWidth, nHeight))
        return nullptr;
    CBitmap* oldFrom = from.SelectObject(source);
    CBitmap* oldTo = to.SelectObject(&scaled);
    to.SetStretchBltMode(COLORONCOLOR);
    to.StretchBlt(0, 0, nWidth, nHeight, &from, 0, 0, size.cx, size.cy, SRCCOPY);
    from.SelectObject(oldFrom);
    to.SelectObject(oldTo);
    return static_cast<HBITMAP>(scaled.Detach());
}
