// Fuzzes the skin bitmap loader with the host build's .bmp reader: the input
// is a bitmap file in a skin folder.
//
// Byte 0 picks the way in: even loads the file directly into one picture of a
// skin set, odd puts it into a folder under the picture's name, points a grid
// at that folder and paints the grid's header cells with what it loaded. Byte
// 1 picks the picture; the rest is the file.
//  - A refused file changes nothing: the picture keeps its object, size and
//    pixels, and no bitmap object is left behind.
//  - An accepted file gives the picture the size the file's header gives, and
//    the pixels its rows hold (checked exactly for 24- and 32-bit files, and
//    for bit fields, where a channel's full mask is full strength); the file
//    holds every row it claims. The replaced picture is deleted.
#include "grid/GridCtrl.h"
#include "grid/SkinBitmaps.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

uint32_t U32(const uint8_t* d, size_t size, size_t at)
{
    if (at + 4 > size)
        return 0;
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

uint16_t U16(const uint8_t* d, size_t size, size_t at)
{
    if (at + 2 > size)
        return 0;
    return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}

// What the header of a file says, as far as the checks need it.
struct Header {
    long long width = 0;
    long long height = 0;     // negative: top-down
    int bits = 0;
    uint32_t compression = 0;
    size_t offBits = 0;
    size_t headerSize = 0;
};

Header ReadHeader(const uint8_t* d, size_t size)
{
    Header h;
    h.offBits = U32(d, size, 10);
    h.headerSize = U32(d, size, 14);
    if (h.headerSize == 12) {
        h.width = U16(d, size, 18);
        h.height = static_cast<int16_t>(U16(d, size, 20));
        h.bits = U16(d, size, 24);
    } else {
        h.width = static_cast<int32_t>(U32(d, size, 18));
        h.height = static_cast<int32_t>(U32(d, size, 22));
        h.bits = U16(d, size, 28);
        h.compression = U32(d, size, 30);
    }
    return h;
}

// A channel of a bit-field pixel: its mask's bits scaled to 0..255.
int Channel(uint32_t value, uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const uint64_t max = mask >> shift;
    const uint64_t v = (value & mask) >> shift;
    return static_cast<int>((v * 255 + max / 2) / max);
}

// The colour the file gives pixel (x, y) (y from the top) for the formats
// checked exactly; CLR_INVALID for the others.
COLORREF Expected(const uint8_t* d, size_t size, const Header& h, int x, int y)
{
    const long long height = h.height < 0 ? -h.height : h.height;
    const size_t stride = ((static_cast<size_t>(h.width) * h.bits + 31) / 32) * 4;
    const size_t row = static_cast<size_t>(h.height < 0 ? y : height - 1 - y);
    const size_t at = h.offBits + row * stride + static_cast<size_t>(x) * (h.bits / 8);
    if (h.compression == 0 && h.bits == 24)
        return RGB(d[at + 2], d[at + 1], d[at]);
    if (h.compression == 0 && h.bits == 32)
        return RGB(d[at + 2], d[at + 1], d[at]);
    if (h.compression == 3 && h.bits == 32) {
        const size_t masksAt = h.headerSize >= 52 ? 14 + 40 : 14 + h.headerSize;
        const uint32_t v = U32(d, size, at);
        return RGB(Channel(v, U32(d, size, masksAt)), Channel(v, U32(d, size, masksAt + 4)),
                   Channel(v, U32(d, size, masksAt + 8)));
    }
    return CLR_INVALID;
}

// The state of a picture before a load, to see that a refusal keeps it.
struct Picture {
    HGDIOBJ handle;
    CSize size;
    COLORREF corner;
};

Picture Snapshot(CBitmap* bitmap)
{
    HBITMAP h = *bitmap;
    return {bitmap->GetSafeHandle(), bitmap->GetSize(), Headless::BitmapPixel(h, 0, 0)};
}

void CheckLoad(bool loaded, CBitmap* bitmap, const Picture& before, size_t objectsBefore, const uint8_t* file,
               size_t size)
{
    // A replacement deletes the picture it replaces; a refusal keeps it.
    Check(Headless::GdiObjectCount() == objectsBefore);
    HBITMAP h = *bitmap;
    if (!loaded) {
        Check(bitmap->GetSafeHandle() == before.handle);
        Check(bitmap->GetSize() == before.size);
        Check(Headless::BitmapPixel(h, 0, 0) == before.corner);
        return;
    }
    const Header header = ReadHeader(file, size);
    const long long width = header.width;
    const long long height = header.height < 0 ? -header.height : header.height;
    Check(bitmap->GetSize() == CSize(static_cast<LONG>(width), static_cast<LONG>(height)));
    const size_t stride = ((static_cast<size_t>(width) * header.bits + 31) / 32) * 4;
    Check(header.offBits <= size && stride * static_cast<size_t>(height) <= size - header.offBits);
    const int xs[] = {0, static_cast<int>(width / 2), static_cast<int>(width - 1)};
    const int ys[] = {0, static_cast<int>(height / 2), static_cast<int>(height - 1)};
    for (int x : xs) {
        for (int y : ys) {
            const COLORREF expected = Expected(file, size, header, x, y);
            if (expected != CLR_INVALID)
                Check(Headless::BitmapPixel(h, x, y) == expected);
        }
    }
}

const std::filesystem::path& Folder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("kivo_skin_fuzz_" + std::to_string(static_cast<long>(::getpid())));
        std::filesystem::create_directories(dir);
        return dir;
    }();
    // Registered after the path exists, so it runs before the path goes.
    static const bool removedAtExit = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(Folder(), ec);
    }) == 0;
    (void)removedAtExit;
    return folder;
}

void WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

CGridCtrl& PaintGrid()
{
    static CGridCtrl* grid = [] {
        CGridCtrl* g = new CGridCtrl;
        g->SetFixedRowCount(1);
        g->SetFixedColumnCount(1);
        g->SetRowCount(3);
        g->SetColumnCount(3);
        g->SetSkinStyle(1);
        g->SetSelectedRange(1, 1, 1, 1);
        return g;
    }();
    return *grid;
}

// Paints the header cells (the corner, a header-row cell, a selected one)
// with the grid's pictures into a memory bitmap.
void PaintHeaders(CGridCtrl& grid)
{
    std::vector<COLORREF> pixels(200 * 60, RGB(1, 2, 3));
    CBitmap canvas;
    CDC dc;
    if (!canvas.CreateFromPixels(200, 60, pixels.data()) || !dc.CreateCompatibleDC(nullptr))
        return;
    CBitmap* old = dc.SelectObject(&canvas);
    for (int col = 0; col < 3; ++col) {
        if (CGridCellBase* cell = grid.GetCell(0, col))
            cell->Draw(&dc, 0, col, CRect(col * 60, 0, col * 60 + 59, 39));
    }
    dc.SelectObject(old);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    Headless::SetRecording(false);
    const bool throughGrid = (data[0] & 1) != 0;
    const int index = data[1] % SKIN_BITMAP_COUNT;
    const uint8_t* file = data + 2;
    const size_t fileSize = size - 2;

    if (!throughGrid) {
        static CGridSkinBitmaps* skins = new CGridSkinBitmaps;
        const std::filesystem::path path = Folder() / "input.bmp";
        WriteFile(path, file, fileSize);
        CBitmap* bitmap = skins->Get(index);
        const Picture before = Snapshot(bitmap);
        const size_t objects = Headless::GdiObjectCount();
        const bool loaded = skins->LoadFromFile(index, path.string().c_str()) != FALSE;
        CheckLoad(loaded, bitmap, before, objects, file, fileSize);
        std::filesystem::remove(path);
        return 0;
    }

    CGridCtrl& grid = PaintGrid();
    static const std::filesystem::path folder = [] {
        std::filesystem::create_directories(Folder() / "skin");
        return Folder() / "skin";
    }();
    const std::filesystem::path path = folder / (std::string(GetSkinBitmapStem(index)) + ".bmp");
    WriteFile(path, file, fileSize);
    CBitmap* bitmap = grid.GetSkinBitmap(index);
    const Picture before = Snapshot(bitmap);
    const size_t objects = Headless::GdiObjectCount();
    const int replaced = grid.SetSkinDir(folder.string().c_str());
    Check(replaced == 0 || replaced == 1);
    CheckLoad(replaced == 1, bitmap, before, objects, file, fileSize);
    PaintHeaders(grid);
    PlatformPumpMessages();  // idle: the temporary objects of the painting go
    std::filesystem::remove(path);
    return 0;
}
