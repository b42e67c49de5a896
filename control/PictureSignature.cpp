#include "control/PictureSignature.h"

#include "base/PictureHeader.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool Starts(const BYTE* bytes, size_t count, const char* sig, size_t n)
{
    return count >= n && std::memcmp(bytes, sig, n) == 0;
}

}  // namespace

bool LooksLikePicture(const BYTE* bytes, size_t count)
{
    if (bytes == nullptr)
        return false;
    return Starts(bytes, count, "BM", 2) || Starts(bytes, count, "\x89PNG\r\n\x1a\n", 8) ||
           Starts(bytes, count, "\xFF\xD8\xFF", 3) || Starts(bytes, count, "GIF87a", 6) ||
           Starts(bytes, count, "GIF89a", 6) || Starts(bytes, count, "II*\0", 4) ||
           Starts(bytes, count, "MM\0*", 4) || Starts(bytes, count, "\0\0\1\0", 4) ||
           Starts(bytes, count, "\xD7\xCD\xC6\x9A", 4) ||
           (count >= 44 && std::memcmp(bytes, "\1\0\0\0", 4) == 0 && std::memcmp(bytes + 40, " EMF", 4) == 0);
}

bool FileLooksLikePicture(const char* path)
{
    if (path == nullptr || *path == '\0')
        return false;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return false;
    std::vector<BYTE> bytes;
    BYTE block[64 * 1024];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + n);
    std::fclose(f);
    return LooksLikePicture(bytes.data(), bytes.size()) &&
           CheckPictureHeader(bytes.data(), bytes.size()) != PictureHeaderResult::damaged;
}
