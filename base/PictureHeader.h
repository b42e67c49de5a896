// Whether a picture's own header fits the bytes that hold it, checked before
// any decoder sees the picture. Decoders trust what a header says (where the
// pixels start, how many there are, how long a chunk or segment is); a header
// that points past the end of its bytes, or claims sizes no picture has, is
// refused here instead.
//
// The formats are those the picture list keeps: BMP, PNG, JPEG, GIF, TIFF,
// icons, placeable WMF and EMF. Each is walked as far as its structure goes
// without decoding pixels: every length, offset and count must lie inside the
// bytes, every dimension must be at least 1 and at most kMaxPictureSide, and
// width x height at most kMaxPicturePixels.
#pragma once

#include "base/WinTypes.h"

#include <cstddef>

enum class PictureHeaderResult {
    fits,          // a known format whose structure lies inside the bytes
    unknown,       // no known signature: no decoder is given it
    damaged,       // a known signature with a header that does not fit
};

const long kMaxPictureSide = 32768;
const long long kMaxPicturePixels = 64LL * 1024 * 1024;

PictureHeaderResult CheckPictureHeader(const BYTE* bytes, size_t count);
