// Reading .bmp files (uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel, with
// the small and the common header) into COLORREF pixels. Everything read is
// checked against the size of the file.
#include "base/WinTypes.h"

#include <cstdint>
#include <vector>

namespace headless {

namespace {

std::uint32_t U32(const std::vector<BYTE>& d, size_t at)
{
    return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8) |
           (static_cast<std::uint32_t>(d[at + 2]) << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

std::uint16_t U16(const std::vector<BYTE>& d, size_t at)
{
    return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

// The value of a bit-field mask scaled to 0..255. A mask may be up to 32 bits
// wide, so the scaling is done in 64 bits.
BYTE Channel(std::uint32_t value, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const std::uint64_t max = mask >> shift;
    const std::uint64_t v = (value & mask) >> shift;
    return static_cast<BYTE>((v * 255 + max / 2) / max);
}

}  // namespace

bool DecodeBmpFile(const std::vector<BYTE>& data, int* width, int* height, std::vector<COLORREF>* pixels)
{
    const size_t size = data.size();
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    const size_t offBits = U32(data, 10);
    const size_t headerSize = U32(data, 14);
    if (headerSize < 12 || 14 + headerSize > size)
        return false;
    long long w, h;
    int bitCount;
    std::uint32_t compression = 0, colorsUsed = 0;
    size_t paletteEntrySize = 4;
    if (headerSize == 12) {
        w = U16(data, 18);
        h = static_cast<std::int16_t>(U16(data, 20));
        bitCount = U16(data, 24);
        paletteEntrySize = 3;
    } else {
        if (headerSize < 40)
            return false;
        w = static_cast<std::int32_t>(U32(data, 18));
        h = static_cast<std::int32_t>(U32(data, 22));
        bitCount = U16(data, 28);
        compression = U32(data, 30);
        colorsUsed = U32(data, 46);
    }
    bool topDown = h < 0;
    if (topDown)
        h = -h;
    if (w <= 0 || h <= 0 || w > 32768 || h > 32768 || w * h > 64LL * 1024 * 1024)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;
    // Only plain pixels and bit fields (16 and 32 bits); no run-length packing.
    if (compression != 0 && !(compression == 3 && (bitCount == 16 || bitCount == 32)))
        return false;

    std::uint32_t masks[3] = {0, 0, 0};
    if (bitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bitCount == 32) {
        masks[0] = 0x00FF0000;
        masks[1] = 0x0000FF00;
        masks[2] = 0x000000FF;
    }
    if (compression == 3) {
        size_t at = headerSize >= 52 ? 14 + 40 : 14 + headerSize;  // inside a V4/V5 header or after it
        if (at + 12 > size)
            return false;
        masks[0] = U32(data, at);
        masks[1] = U32(data, at + 4);
        masks[2] = U32(data, at + 8);
    }

    std::vector<COLORREF> palette;
    if (bitCount <= 8) {
        size_t count = colorsUsed ? colorsUsed : (1u << bitCount);
        if (count > 256)
            return false;
        size_t at = 14 + headerSize;
        if (at + count * paletteEntrySize > size)
            return false;
        for (size_t i = 0; i < count; ++i) {
            size_t e = at + i * paletteEntrySize;
            palette.push_back(RGB(data[e + 2], data[e + 1], data[e]));
        }
    }

    const size_t stride = ((static_cast<size_t>(w) * bitCount + 31) / 32) * 4;
    if (offBits > size || stride * static_cast<size_t>(h) > size - offBits)
        return false;

    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    pixels->assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (long long row = 0; row < h; ++row) {
        const size_t src = offBits + static_cast<size_t>(topDown ? row : h - 1 - row) * stride;
        COLORREF* dst = pixels->data() + static_cast<size_t>(row) * static_cast<size_t>(w);
        for (long long x = 0; x < w; ++x) {
            COLORREF c = 0;
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                size_t bit = static_cast<size_t>(x) * bitCount;
                unsigned index = (data[src + bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
                c = index < palette.size() ? palette[index] : 0;
                break;
            }
            case 16: {
                std::uint32_t v = U16(data, src + static_cast<size_t>(x) * 2);
                c = RGB(Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2]));
                break;
            }
            case 24: {
                size_t e = src + static_cast<size_t>(x) * 3;
                c = RGB(data[e + 2], data[e + 1], data[e]);
                break;
            }
            case 32: {
                std::uint32_t v = U32(data, src + static_cast<size_t>(x) * 4);
                c = RGB(Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2]));
                break;
            }
            }
            dst[x] = c;
        }
    }
    return true;
}

}  // namespace headless
