#include "document/CompoundFile.h"

#include "base/CFile.h"
#include "base/FileReplace.h"
#include "base/CString.h"

#include <cstring>
#include <utility>

namespace {

const uint32_t kFree = 0xFFFFFFFF;
const uint32_t kEnd = 0xFFFFFFFE;
const uint32_t kFatSect = 0xFFFFFFFD;
const uint32_t kDifSect = 0xFFFFFFFC;
const uint32_t kNoStream = 0xFFFFFFFF;
const size_t kSector = 512;
const size_t kMiniSector = 64;
const size_t kMiniCutoff = 4096;

void Put16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

size_t Sectors(size_t bytes, size_t unit) { return (bytes + unit - 1) / unit; }

void DirEntry(uint8_t* e, const std::string& name, uint8_t type, uint32_t child, uint32_t start, uint32_t size)
{
    std::memset(e, 0, 128);
    for (size_t i = 0; i < name.size(); ++i)
        Put16(e + 2 * i, static_cast<uint8_t>(name[i]));
    Put16(e + 64, static_cast<uint16_t>((name.size() + 1) * 2));
    e[66] = type;
    e[67] = 1;   // black
    Put32(e + 68, kNoStream);
    Put32(e + 72, kNoStream);
    Put32(e + 76, child);
    Put32(e + 116, start);
    Put32(e + 120, size);
}

// The container around a stream of nDataSize bytes: the header sector
// (head) and every sector after the stream's own (tail). The stream itself
// fills the sectors in between from their start, padded with zeros to a
// whole sector. FALSE for a name or size the container cannot hold.
bool LayOutCompoundFile(const std::string& name, size_t nDataSize, std::vector<uint8_t>& head,
                        std::vector<uint8_t>& tail, size_t& nDataBytes)
{
    if (name.empty() || name.size() > 31 || nDataSize > 0x7FFFFFFF)
        return false;
    const bool mini = nDataSize < kMiniCutoff;
    // Sector layout: the stream's sectors (or the mini stream's), the mini
    // FAT, the directory, the FAT, then the DIFAT sectors.
    const size_t miniSectors = mini ? Sectors(nDataSize, kMiniSector) : 0;
    const size_t dataSectors = mini ? Sectors(miniSectors * kMiniSector, kSector) : Sectors(nDataSize, kSector);
    const size_t miniFatSectors = mini && miniSectors > 0 ? Sectors(miniSectors * 4, kSector) : 0;
    const size_t dirSectors = 1;
    size_t fatSectors = 1, difatSectors = 0;
    for (;;) {
        size_t total = dataSectors + miniFatSectors + dirSectors + fatSectors + difatSectors;
        size_t needFat = Sectors(total, kSector / 4);
        size_t needDifat = needFat > 109 ? Sectors(needFat - 109, 127) : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const uint32_t firstMiniFat = static_cast<uint32_t>(dataSectors);
    const uint32_t firstDir = firstMiniFat + static_cast<uint32_t>(miniFatSectors);
    const uint32_t firstFat = firstDir + static_cast<uint32_t>(dirSectors);
    const uint32_t firstDifat = firstFat + static_cast<uint32_t>(fatSectors);
    const size_t totalSectors = firstDifat + difatSectors;

    head.assign(kSector, 0);
    nDataBytes = kSector * dataSectors;
    tail.assign(kSector * (totalSectors - dataSectors), 0);
    // The sectors after the stream's own live in the tail.
    auto sector = [&](size_t n) { return tail.data() + kSector * (n - dataSectors); };

    // Header.
    uint8_t* h = head.data();
    static const uint8_t sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(h, sig, 8);
    Put16(h + 24, 0x003E);
    Put16(h + 26, 0x0003);
    Put16(h + 28, 0xFFFE);
    Put16(h + 30, 9);
    Put16(h + 32, 6);
    Put32(h + 44, static_cast<uint32_t>(fatSectors));
    Put32(h + 48, firstDir);
    Put32(h + 56, static_cast<uint32_t>(kMiniCutoff));
    Put32(h + 60, miniFatSectors ? firstMiniFat : kEnd);
    Put32(h + 64, static_cast<uint32_t>(miniFatSectors));
    Put32(h + 68, difatSectors ? firstDifat : kEnd);
    Put32(h + 72, static_cast<uint32_t>(difatSectors));
    for (size_t i = 0; i < 109; ++i)
        Put32(h + 76 + 4 * i, i < fatSectors ? firstFat + static_cast<uint32_t>(i) : kFree);

    // DIFAT sectors: 127 FAT sector numbers each, then the next one.
    for (size_t d = 0; d < difatSectors; ++d) {
        uint8_t* s = sector(firstDifat + d);
        for (size_t i = 0; i < 127; ++i) {
            size_t f = 109 + d * 127 + i;
            Put32(s + 4 * i, f < fatSectors ? firstFat + static_cast<uint32_t>(f) : kFree);
        }
        Put32(s + 508, d + 1 < difatSectors ? firstDifat + static_cast<uint32_t>(d + 1) : kEnd);
    }

    // FAT.
    std::vector<uint32_t> fat(fatSectors * 128, kFree);
    auto chain = [&](size_t first, size_t count) {
        for (size_t i = 0; i < count; ++i)
            fat[first + i] = i + 1 < count ? static_cast<uint32_t>(first + i + 1) : kEnd;
    };
    chain(0, dataSectors);
    chain(firstMiniFat, miniFatSectors);
    chain(firstDir, dirSectors);
    for (size_t i = 0; i < fatSectors; ++i)
        fat[firstFat + i] = kFatSect;
    for (size_t i = 0; i < difatSectors; ++i)
        fat[firstDifat + i] = kDifSect;
    for (size_t i = 0; i < fat.size(); ++i)
        Put32(sector(firstFat) + 4 * i, fat[i]);

    // Mini FAT: one chain over the stream's mini sectors.
    if (miniFatSectors) {
        uint8_t* s = sector(firstMiniFat);
        for (size_t i = 0; i < miniFatSectors * 128; ++i)
            Put32(s + 4 * i, i < miniSectors ? (i + 1 < miniSectors ? static_cast<uint32_t>(i + 1) : kEnd) : kFree);
    }

    // Directory: the root, the stream, two unused entries.
    uint8_t* dir = sector(firstDir);
    const uint32_t size = static_cast<uint32_t>(nDataSize);
    DirEntry(dir, "Root Entry", 5, 1, mini && miniSectors ? 0 : kEnd,
             mini ? static_cast<uint32_t>(miniSectors * kMiniSector) : 0);
    DirEntry(dir + 128, name, 2, kNoStream, nDataSize == 0 ? kEnd : 0, size);
    for (int i = 2; i < 4; ++i) {
        uint8_t* e = dir + 128 * i;
        Put32(e + 68, kNoStream);
        Put32(e + 72, kNoStream);
        Put32(e + 76, kNoStream);
    }
    return true;
}

}  // namespace

std::vector<uint8_t> BuildCompoundFile(const std::string& name, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> head, tail;
    size_t dataBytes = 0;
    if (!LayOutCompoundFile(name, data.size(), head, tail, dataBytes))
        return {};
    std::vector<uint8_t> out;
    out.reserve(head.size() + dataBytes + tail.size());
    out.insert(out.end(), head.begin(), head.end());
    out.insert(out.end(), data.begin(), data.end());
    out.resize(head.size() + dataBytes, 0);
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

namespace {

// Writes the pieces in order to a temporary file beside path and puts it in
// path's place.
BOOL WritePiecesReplacing(LPCTSTR path, const std::vector<std::pair<const uint8_t*, size_t>>& pieces)
{
    const FileWriteResult result = WriteFileReplacing(path, [&](CFile& f) {
        for (const auto& piece : pieces) {
            if (piece.second > 0 && (piece.second > 0xFFFFFFFFu || !f.Write(piece.first, static_cast<UINT>(piece.second))))
                return false;
        }
        return true;
    });
    return result == FileWriteResult::ok ? TRUE : FALSE;
}

}  // namespace

BOOL WriteCompoundFileReplacing(LPCTSTR path, const std::string& name, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> head, tail;
    size_t dataBytes = 0;
    if (!LayOutCompoundFile(name, data.size(), head, tail, dataBytes))
        return FALSE;
    const std::vector<uint8_t> padding(dataBytes - data.size(), 0);
    return WritePiecesReplacing(path, {{head.data(), head.size()},
                                       {data.data(), data.size()},
                                       {padding.data(), padding.size()},
                                       {tail.data(), tail.size()}});
}



BOOL WriteFileReplacing(LPCTSTR path, const std::vector<uint8_t>& bytes)
{
    if (bytes.size() > 0xFFFFFFFFu)
        return FALSE;
    return WritePiecesReplacing(path, {{bytes.data(), bytes.size()}});
}
