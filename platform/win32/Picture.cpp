// Pictures on Windows: decoded and scaled through the flat entry points of
// GDI+ (gdiplus.dll), declared here from their documented signatures. GDI+
// must be running; without it every call fails and the callers get NULL.
#include "platform/Picture.h"

#include "platform/DC.h"

#include <windows.h>
#include <objidl.h>

#include <cstring>

namespace {

typedef int GpStatus;          // 0 is Ok
struct GpImage;
struct GpGraphics;
typedef GpImage GpBitmap;

const int kInterpolationHighQualityBicubic = 7;
const DWORD kOpaqueWhite = 0xFFFFFFFF;   // ARGB background of transparent parts

}  // namespace

extern "C" {
GpStatus WINAPI GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap);
GpStatus WINAPI GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* hbmReturn, DWORD background);
GpStatus WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, GpBitmap** bitmap);
GpStatus WINAPI GdipDisposeImage(GpImage* image);
GpStatus WINAPI GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
GpStatus WINAPI GdipDeleteGraphics(GpGraphics* graphics);
GpStatus WINAPI GdipSetInterpolationMode(GpGraphics* graphics, int mode);
GpStatus WINAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height);
}

HBITMAP PlatformDecodePicture(const BYTE* pBytes, int nByteCount)
{
    if (pBytes == nullptr || nByteCount <= 0)
        return nullptr;
    // The stream reads from a fixed block of its own that it does not free.
    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(nByteCount));
    if (block == nullptr)
        return nullptr;
    std::memcpy(block, pBytes, static_cast<size_t>(nByteCount));
    HBITMAP result = nullptr;
    IStream* stream = nullptr;
    if (SUCCEEDED(::CreateStreamOnHGlobal(block, FALSE, &stream)) && stream != nullptr) {
        GpBitmap* bitmap = nullptr;
        if (GdipCreateBitmapFromStream(stream, &bitmap) == 0 && bitmap != nullptr) {
            HBITMAP hbm = nullptr;
            if (GdipCreateHBITMAPFromBitmap(bitmap, &hbm, kOpaqueWhite) == 0)
                result = hbm;
            GdipDisposeImage(bitmap);
        }
        stream->Release();
    }
    ::GlobalFree(block);
    return result;
}

HBITMAP PlatformScalePicture(CDC* pDC, HBITMAP hSource, int nWidth, int nHeight)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || hSource == nullptr || nWidth < 1 || nHeight < 1)
        return nullptr;
    HDC memory = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (memory == nullptr)
        return nullptr;
    HBITMAP scaled = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight);
    bool drawn = false;
    if (scaled != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, scaled);
        GpBitmap* bitmap = nullptr;
        GpGraphics* graphics = nullptr;
        if (GdipCreateBitmapFromHBITMAP(hSource, nullptr, &bitmap) == 0 && bitmap != nullptr &&
            GdipCreateFromHDC(memory, &graphics) == 0 && graphics != nullptr) {
            GdipSetInterpolationMode(graphics, kInterpolationHighQualityBicubic);
            drawn = GdipDrawImageRectI(graphics, bitmap, 0, 0, nWidth, nHeight) == 0;
        }
        if (graphics != nullptr)
            GdipDeleteGraphics(graphics);
        if (bitmap != nullptr)
            GdipDisposeImage(bitmap);
        ::SelectObject(memory, old);
    }
    ::DeleteDC(memory);
    if (!drawn && scaled != nullptr) {
        ::DeleteObject(scaled);
        scaled = nullptr;
    }
    return scaled;
}
