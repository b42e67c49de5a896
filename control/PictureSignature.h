// Whether a file's first bytes are those of a picture format the picture
// list can decode (bitmap, PNG, JPEG, GIF, TIFF, icon, metafiles).
#pragma once

#include "base/WinTypes.h"

#include <cstddef>

bool LooksLikePicture(const BYTE* bytes, size_t count);
// The same for a whole file whose header also fits its bytes
// (base/PictureHeader.h); false when it cannot be read.
bool FileLooksLikePicture(const char* path);
