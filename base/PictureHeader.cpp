#include "base/PictureHeader.h"

#include <cstdint>
#include <cstring>

namespace {

typedef PictureHeaderResult R;

// Bounds-checked reads over the picture's bytes; every read of a position
// past the end answers false.
struct Bytes {
    const BYTE* p;
    size_t n;

    bool Has(uint64_t pos, uint64_t len) const { return pos <= n && len <= n - pos; }
    uint32_t U8(size_t pos) const { return p[pos]; }
    uint32_t LE16(size_t pos) const { return p[pos] | (static_cast<uint32_t>(p[pos + 1]) << 8); }
    uint32_t LE32(size_t pos) const { return LE16(pos) | (LE16(pos + 2) << 16); }
    uint32_t BE16(size_t pos) const { return (static_cast<uint32_t>(p[pos]) << 8) | p[pos + 1]; }
    uint32_t BE32(size_t pos) const { return (BE16(pos) << 16) | BE16(pos + 2); }
    bool Starts(const char* sig, size_t len) const { return n >= len && std::memcmp(p, sig, len) == 0; }
};

bool SizeFits(uint64_t width, uint64_t height)
{
    return width >= 1 && height >= 1 && width <= static_cast<uint64_t>(kMaxPictureSide) &&
           height <= static_cast<uint64_t>(kMaxPictureSide) &&
           width * height <= static_cast<uint64_t>(kMaxPicturePixels);
}

// --- BMP and the DIB inside an icon ---------------------------------------------

// A device-independent bitmap: its header at 'at', its pixels at 'pixels' (for
// a .bmp, the file header's offset), all inside [0, end). For an icon the
// height counts the colour rows and the mask rows, and the mask follows the
// colour pixels.
bool DibFits(const Bytes& b, size_t at, uint64_t pixels, size_t end, bool icon)
{
    if (!b.Has(at, 4) || end > b.n)
        return false;
    const uint32_t headerSize = b.LE32(at);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124)
        return false;
    if (static_cast<uint64_t>(at) + headerSize > end)
        return false;
    uint64_t width, height;
    uint32_t planes, bits, compression = 0, sizeImage = 0, colorsUsed = 0;
    size_t entrySize = 4;
    if (headerSize == 12) {
        width = b.LE16(at + 4);
        height = b.LE16(at + 6);
        planes = b.LE16(at + 8);
        bits = b.LE16(at + 10);
        entrySize = 3;
    } else {
        const int32_t w = static_cast<int32_t>(b.LE32(at + 4));
        const int32_t h = static_cast<int32_t>(b.LE32(at + 8));
        if (w <= 0 || h == INT32_MIN || h == 0)
            return false;
        width = static_cast<uint64_t>(w);
        height = static_cast<uint64_t>(h < 0 ? -static_cast<int64_t>(h) : h);
        planes = b.LE16(at + 12);
        bits = b.LE16(at + 14);
        compression = b.LE32(at + 16);
        sizeImage = b.LE32(at + 20);
        colorsUsed = b.LE32(at + 32);
    }
    if (icon) {
        if (height % 2 != 0)
            return false;
        height /= 2;
    }
    if (planes != 1 || !SizeFits(width, height))
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields, 6 bit fields with alpha.
    bool rle = false;
    switch (compression) {
    case 0: break;
    case 1: rle = bits == 8; if (!rle) return false; break;
    case 2: rle = bits == 4; if (!rle) return false; break;
    case 3:
    case 6:
        if (bits != 16 && bits != 32)
            return false;
        break;
    default: return false;
    }
    if (icon && rle)
        return false;
    uint64_t tableEnd = static_cast<uint64_t>(at) + headerSize;
    if (headerSize == 40 && (compression == 3 || compression == 6))
        tableEnd += compression == 3 ? 12 : 16;   // the masks follow the small header
    uint64_t colors = colorsUsed;
    if (bits <= 8) {
        if (colors == 0)
            colors = 1ULL << bits;
        if (colors > (1ULL << bits))
            return false;
    } else if (colors > 256) {
        return false;
    }
    tableEnd += colors * entrySize;
    if (icon)
        pixels = tableEnd;
    if (tableEnd > pixels || pixels > end)
        return false;
    if (rle) {
        // The run-length stream decodes within its picture; only its
        // length is known ahead.
        return sizeImage > 0 && pixels + sizeImage <= end;
    }
    const uint64_t stride = (width * bits + 31) / 32 * 4;
    uint64_t need = stride * height;
    if (icon)
        need += (width + 31) / 32 * 4 * height;   // the AND mask
    return pixels + need <= end;
}

R CheckBmp(const Bytes& b)
{
    if (!b.Has(0, 18))
        return R::damaged;
    const uint32_t offBits = b.LE32(10);
    return DibFits(b, 14, offBits, b.n, false) ? R::fits : R::damaged;
}

// --- PNG ---------------------------------------------------------------------

bool PngFits(const Bytes& b, size_t at, size_t end)
{
    static const char kSig[] = "\x89PNG\r\n\x1a\n";
    if (end > b.n || end - at < 8 || std::memcmp(b.p + at, kSig, 8) != 0)
        return false;
    size_t pos = at + 8;
    bool header = false, data = false;
    uint32_t colorType = 0;
    while (true) {
        if (end - pos < 12)
            return false;
        const uint32_t len = b.BE32(pos);
        if (len > 0x7FFFFFFFu || static_cast<uint64_t>(len) + 12 > end - pos)
            return false;
        const BYTE* type = b.p + pos + 4;
        for (int i = 0; i < 4; ++i) {
            const BYTE c = type[i];
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return false;
        }
        const size_t body = pos + 8;
        if (!header) {
            if (std::memcmp(type, "IHDR", 4) != 0 || len != 13)
                return false;
            const uint32_t w = b.BE32(body), h = b.BE32(body + 4);
            const uint32_t depth = b.U8(body + 8);
            colorType = b.U8(body + 9);
            if (!SizeFits(w, h) || b.U8(body + 10) != 0 || b.U8(body + 11) != 0 || b.U8(body + 12) > 1)
                return false;
            bool depthFits;
            switch (colorType) {
            case 0: depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16; break;
            case 3: depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8; break;
            case 2:
            case 4:
            case 6: depthFits = depth == 8 || depth == 16; break;
            default: depthFits = false;
            }
            if (!depthFits)
                return false;
            header = true;
        } else if (std::memcmp(type, "IHDR", 4) == 0) {
            return false;
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            if (len == 0 || len % 3 != 0 || len > 768)
                return false;
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            data = true;
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            return data && len == 0;
        }
        pos += 12 + static_cast<size_t>(len);
    }
}

// --- JPEG --------------------------------------------------------------------

R CheckJpeg(const Bytes& b)
{
    size_t pos = 2;
    bool frame = false;
    while (true) {
        if (!b.Has(pos, 2) || b.U8(pos) != 0xFF)
            return R::damaged;
        while (b.Has(pos + 1, 1) && b.U8(pos + 1) == 0xFF)
            ++pos;   // fill bytes
        if (!b.Has(pos, 2))
            return R::damaged;
        const uint32_t marker = b.U8(pos + 1);
        pos += 2;
        if (marker == 0xD8 || marker == 0xD9 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x00)
            return R::damaged;   // no segment may stand here before the scan
        if (!b.Has(pos, 2))
            return R::damaged;
        const uint32_t len = b.BE16(pos);
        if (len < 2 || !b.Has(pos, len))
            return R::damaged;
        const size_t body = pos + 2;
        const size_t bodyLen = len - 2;
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (frame || bodyLen < 6)
                return R::damaged;
            const uint32_t precision = b.U8(body);
            const uint32_t h = b.BE16(body + 1), w = b.BE16(body + 3);
            const uint32_t comps = b.U8(body + 5);
            if ((precision != 8 && precision != 12 && precision != 16) || !SizeFits(w, h) || comps < 1 || comps > 4 ||
                bodyLen != 6 + 3 * comps)
                return R::damaged;
            for (uint32_t i = 0; i < comps; ++i) {
                const uint32_t sampling = b.U8(body + 6 + 3 * i + 1);
                if ((sampling >> 4) < 1 || (sampling >> 4) > 4 || (sampling & 15) < 1 || (sampling & 15) > 4 ||
                    b.U8(body + 6 + 3 * i + 2) > 3)
                    return R::damaged;
            }
            frame = true;
        } else if (marker == 0xC4) {
            // Huffman tables: class and id, 16 counts, then that many values.
            size_t p = body;
            const size_t stop = body + bodyLen;
            while (p < stop) {
                if (stop - p < 17 || (b.U8(p) >> 4) > 1 || (b.U8(p) & 15) > 3)
                    return R::damaged;
                size_t values = 0;
                for (size_t i = 1; i <= 16; ++i)
                    values += b.U8(p + i);
                if (values > 256 || stop - p - 17 < values)
                    return R::damaged;
                p += 17 + values;
            }
        } else if (marker == 0xDB) {
            // Quantisation tables of 64 bytes or 64 words each.
            size_t p = body;
            const size_t stop = body + bodyLen;
            while (p < stop) {
                const size_t size = (b.U8(p) >> 4) == 0 ? 65 : 129;
                if ((b.U8(p) >> 4) > 1 || (b.U8(p) & 15) > 3 || stop - p < size)
                    return R::damaged;
                p += size;
            }
        } else if (marker == 0xDA) {
            // The scan: its header, then entropy-coded data the decoder reads
            // within the bytes it was given.
            if (!frame || bodyLen < 1)
                return R::damaged;
            const uint32_t comps = b.U8(body);
            if (comps < 1 || comps > 4 || bodyLen != 4 + 2 * static_cast<size_t>(comps))
                return R::damaged;
            return R::fits;
        }
        pos += len;
    }
}

// --- GIF ---------------------------------------------------------------------

// Skips a run of data sub-blocks at pos; false when it runs past the end.
bool SkipSubBlocks(const Bytes& b, size_t& pos)
{
    while (true) {
        if (!b.Has(pos, 1))
            return false;
        const size_t len = b.U8(pos);
        ++pos;
        if (len == 0)
            return true;
        if (!b.Has(pos, len))
            return false;
        pos += len;
    }
}

R CheckGif(const Bytes& b)
{
    if (!b.Has(0, 13))
        return R::damaged;
    const uint32_t w = b.LE16(6), h = b.LE16(8), flags = b.U8(10);
    if (!SizeFits(w, h))
        return R::damaged;
    size_t pos = 13;
    if (flags & 0x80)
        pos += 3 * (static_cast<size_t>(2) << (flags & 7));
    bool image = false;
    while (true) {
        if (!b.Has(pos, 1))
            return R::damaged;
        const uint32_t kind = b.U8(pos++);
        if (kind == 0x3B)
            return image ? R::fits : R::damaged;
        if (kind == 0x21) {
            if (!b.Has(pos, 1))
                return R::damaged;
            ++pos;   // the label
            if (!SkipSubBlocks(b, pos))
                return R::damaged;
        } else if (kind == 0x2C) {
            if (!b.Has(pos, 9))
                return R::damaged;
            const uint32_t iw = b.LE16(pos + 4), ih = b.LE16(pos + 6), iflags = b.U8(pos + 8);
            if (!SizeFits(iw, ih))
                return R::damaged;
            pos += 9;
            if (iflags & 0x80)
                pos += 3 * (static_cast<size_t>(2) << (iflags & 7));
            if (!b.Has(pos, 1))
                return R::damaged;
            const uint32_t codeSize = b.U8(pos++);
            if (codeSize < 1 || codeSize > 11 || !SkipSubBlocks(b, pos))
                return R::damaged;
            image = true;
        } else {
            return R::damaged;
        }
    }
}

// --- TIFF --------------------------------------------------------------------

struct Tiff {
    const Bytes& b;
    bool big;   // "MM": big-endian
    uint32_t U16(size_t pos) const { return big ? b.BE16(pos) : b.LE16(pos); }
    uint32_t U32(size_t pos) const { return big ? b.BE32(pos) : b.LE32(pos); }
};

size_t TiffTypeSize(uint32_t type)
{
    static const size_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};
    return type < sizeof kSizes / sizeof kSizes[0] ? kSizes[type] : 0;
}

R CheckTiff(const Bytes& b)
{
    if (!b.Has(0, 8))
        return R::damaged;
    const Tiff t{b, b.U8(0) == 'M'};
    const uint32_t ifd = t.U32(4);
    if (ifd < 8 || !b.Has(ifd, 2))
        return R::damaged;
    const uint32_t entries = t.U16(ifd);
    if (entries == 0 || !b.Has(ifd + 2, static_cast<uint64_t>(entries) * 12 + 4))
        return R::damaged;
    uint64_t width = 0, height = 0;
    // Strip or tile offsets and their byte counts: where their values are.
    uint64_t offsetsAt = 0, offsetsCount = 0, countsAt = 0, countsCount = 0;
    uint32_t offsetsType = 0, countsType = 0;
    for (uint32_t i = 0; i < entries; ++i) {
        const size_t e = ifd + 2 + static_cast<size_t>(i) * 12;
        const uint32_t tag = t.U16(e), type = t.U16(e + 2), count = t.U32(e + 4);
        const size_t unit = TiffTypeSize(type);
        if (unit == 0)
            return R::damaged;
        const uint64_t size = static_cast<uint64_t>(unit) * count;
        uint64_t valueAt = e + 8;
        if (size > 4) {
            valueAt = t.U32(e + 8);
            if (!b.Has(valueAt, size))
                return R::damaged;
        }
        const bool integral = type == 3 || type == 4;
        if ((tag == 256 || tag == 257) && integral && count >= 1) {
            const uint64_t v = type == 3 ? t.U16(valueAt) : t.U32(valueAt);
            (tag == 256 ? width : height) = v;
        } else if (tag == 273 || tag == 324) {
            if (!integral)
                return R::damaged;
            offsetsAt = valueAt, offsetsCount = count, offsetsType = type;
        } else if (tag == 279 || tag == 325) {
            if (!integral)
                return R::damaged;
            countsAt = valueAt, countsCount = count, countsType = type;
        }
    }
    if (!SizeFits(width, height) || offsetsCount == 0 || offsetsCount != countsCount)
        return R::damaged;
    for (uint64_t i = 0; i < offsetsCount; ++i) {
        const uint64_t off = offsetsType == 3 ? t.U16(offsetsAt + 2 * i) : t.U32(offsetsAt + 4 * i);
        const uint64_t len = countsType == 3 ? t.U16(countsAt + 2 * i) : t.U32(countsAt + 4 * i);
        if (!b.Has(off, len))
            return R::damaged;
    }
    return R::fits;
}

// --- icons -------------------------------------------------------------------

R CheckIcon(const Bytes& b)
{
    if (!b.Has(0, 6))
        return R::damaged;
    const uint32_t count = b.LE16(4);
    if (count == 0 || !b.Has(6, static_cast<uint64_t>(count) * 16))
        return R::damaged;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = 6 + static_cast<size_t>(i) * 16;
        const uint32_t size = b.LE32(e + 8), offset = b.LE32(e + 12);
        if (size < 8 || !b.Has(offset, size))
            return R::damaged;
        const size_t end = static_cast<size_t>(offset) + size;
        if (std::memcmp(b.p + offset, "\x89PNG", 4) == 0) {
            if (!PngFits(b, offset, end))
                return R::damaged;
        } else if (!DibFits(b, offset, 0, end, true)) {
            return R::damaged;
        }
    }
    return R::fits;
}

// --- metafiles ---------------------------------------------------------------

R CheckPlaceableWmf(const Bytes& b)
{
    // The 22-byte placeable header, then the metafile header of 9 words,
    // then records of at least 3 words each up to the end record.
    if (!b.Has(0, 22 + 18))
        return R::damaged;
    const int32_t left = static_cast<int16_t>(b.LE16(6)), top = static_cast<int16_t>(b.LE16(8));
    const int32_t right = static_cast<int16_t>(b.LE16(10)), bottom = static_cast<int16_t>(b.LE16(12));
    if (right == left || bottom == top)
        return R::damaged;
    const size_t head = 22;
    if (b.LE16(head + 2) != 9)
        return R::damaged;
    size_t pos = head + 18;
    while (true) {
        if (!b.Has(pos, 6))
            return R::damaged;
        const uint64_t words = b.LE32(pos);
        const uint32_t function = b.LE16(pos + 4);
        if (words < 3 || !b.Has(pos, words * 2))
            return R::damaged;
        if (function == 0)
            return R::fits;
        pos += static_cast<size_t>(words * 2);
    }
}

R CheckEmf(const Bytes& b)
{
    // Records of type, size (a multiple of 4, at least 8), the header first
    // and the end-of-file record last.
    if (!b.Has(0, 88) || b.LE32(0) != 1)
        return R::damaged;
    const uint32_t headerSize = b.LE32(4);
    const uint32_t total = b.LE32(48);
    if (headerSize < 88 || headerSize % 4 != 0 || total > b.n || total < headerSize)
        return R::damaged;
    const uint32_t descLen = b.LE32(64), descAt = b.LE32(68);
    if (descLen != 0 && (descAt < 88 || !b.Has(descAt, static_cast<uint64_t>(descLen) * 2) ||
                         static_cast<uint64_t>(descAt) + descLen * 2ULL > headerSize))
        return R::damaged;
    const Bytes records{b.p, total};
    size_t pos = 0;
    while (true) {
        if (!records.Has(pos, 8))
            return R::damaged;
        const uint32_t type = records.LE32(pos), size = records.LE32(pos + 4);
        if (size < 8 || size % 4 != 0 || !records.Has(pos, size))
            return R::damaged;
        if (type == 14)
            return R::fits;
        pos += size;
    }
}

}  // namespace

PictureHeaderResult CheckPictureHeader(const BYTE* bytes, size_t count)
{
    if (bytes == nullptr || count == 0)
        return R::unknown;
    const Bytes b{bytes, count};
    if (b.Starts("BM", 2))
        return CheckBmp(b);
    if (b.Starts("\x89PNG\r\n\x1a\n", 8))
        return PngFits(b, 0, count) ? R::fits : R::damaged;
    if (b.Starts("\xFF\xD8\xFF", 3))
        return CheckJpeg(b);
    if (b.Starts("GIF87a", 6) || b.Starts("GIF89a", 6))
        return CheckGif(b);
    if (b.Starts("II*\0", 4) || b.Starts("MM\0*", 4))
        return CheckTiff(b);
    if (b.Starts("\0\0\1\0", 4))
        return CheckIcon(b);
    if (b.Starts("\xD7\xCD\xC6\x9A", 4))
        return CheckPlaceableWmf(b);
    if (count >= 44 && std::memcmp(bytes, "\1\0\0\0", 4) == 0 && std::memcmp(bytes + 40, " EMF", 4) == 0)
        return CheckEmf(b);
    return R::unknown;
}
