// Pictures held as file bytes (PNG, JPEG, BMP, GIF ...), decoded for painting.
//
// On Windows the decoder is GDI+, which must be running in the process (the
// control starts it once for all its instances; a program without a control
// starts it itself): PNG, JPEG, GIF, BMP and whatever else GDI+ reads. The
// headless platform reads BMP files only. Bitmaps handed out belong to the
// caller (CBitmap::Attach, or DeleteObject).
#pragma once

#include "base/WinTypes.h"

class CDC;

// A new bitmap of the picture in pBytes[0..nByteCount); NULL for no bytes or
// a picture the platform cannot decode (GDI+ not running included). A
// transparent part comes out as opaque white.
HBITMAP PlatformDecodePicture(const BYTE* pBytes, int nByteCount);

// A new bitmap compatible with pDC holding hSource scaled to nWidth x
// nHeight: through GDI+ with high-quality bicubic interpolation on Windows,
// a stretch blit on the headless platform. NULL for a size below 1 or a
// failure.
HBITMAP PlatformScalePicture(CDC* pDC, HBITMAP hSource, int nWidth, int nHeight);
