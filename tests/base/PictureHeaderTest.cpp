// The picture header check: a small sound picture of every format fits, and
// each damage to a length, offset, dimension or count is refused.
#include "base/PictureHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

void Put16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = static_cast<BYTE>(v);
    b[at + 1] = static_cast<BYTE>(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
void PutBE32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<size_t>(i)] = static_cast<BYTE>(v >> (24 - 8 * i));
}
void Add16(Bytes& b, uint32_t v) { b.resize(b.size() + 2), Put16(b, b.size() - 2, v); }
void Add32(Bytes& b, uint32_t v) { b.resize(b.size() + 4), Put32(b, b.size() - 4, v); }
void AddBE32(Bytes& b, uint32_t v) { b.resize(b.size() + 4), PutBE32(b, b.size() - 4, v); }
void Add(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

// 2 x 2, 8 bits per pixel with a palette of 2: header 14 + 40, palette 8,
// rows of 4 bytes.
Bytes Bmp8()
{
    Bytes b;
    Add(b, "BM");
    Add32(b, 14 + 40 + 8 + 8);
    Add32(b, 0);
    Add32(b, 14 + 40 + 8);
    Add32(b, 40);
    Add32(b, 2);
    Add32(b, 2);
    Add16(b, 1);
    Add16(b, 8);
    Add32(b, 0);
    Add32(b, 8);
    Add32(b, 0);
    Add32(b, 0);
    Add32(b, 2);
    Add32(b, 0);
    b.resize(b.size() + 16, 0);
    return b;
}

void PngChunk(Bytes& b, const std::string& type, const Bytes& body)
{
    AddBE32(b, static_cast<uint32_t>(body.size()));
    Add(b, type);
    b.insert(b.end(), body.begin(), body.end());
    AddBE32(b, 0);   // the decoder checks the sums; the header check does not
}

Bytes Png()
{
    Bytes b;
    Add(b, std::string("\x89PNG\r\n\x1a\n", 8));
    Bytes ihdr(13, 0);
    PutBE32(ihdr, 0, 2);
    PutBE32(ihdr, 4, 2);
    ihdr[8] = 8;
    ihdr[9] = 2;
    PngChunk(b, "IHDR", ihdr);
    PngChunk(b, "IDAT", Bytes(10, 0));
    PngChunk(b, "IEND", {});
    return b;
}

Bytes Jpeg()
{
    Bytes b = {0xFF, 0xD8};
    // A quantisation table, a frame of 2 x 2 with one component, a Huffman
    // table with one code, and the scan.
    b.insert(b.end(), {0xFF, 0xDB, 0x00, 0x43, 0x00});
    b.resize(b.size() + 64, 1);
    b.insert(b.end(), {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x02, 0x00, 0x02, 0x01, 0x01, 0x11, 0x00});
    b.insert(b.end(), {0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01});
    b.resize(b.size() + 15, 0);
    b.push_back(0x00);
    b.insert(b.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x00, 0xFF, 0xD9});
    return b;
}

Bytes Gif()
{
    Bytes b;
    Add(b, "GIF89a");
    Add16(b, 1);
    Add16(b, 1);
    b.insert(b.end(), {0x80, 0, 0});
    b.resize(b.size() + 6, 0);   // a global table of 2 colours
    b.push_back(0x2C);
    Add16(b, 0), Add16(b, 0), Add16(b, 1), Add16(b, 1);
    b.push_back(0);
    b.insert(b.end(), {0x02, 0x02, 0x44, 0x01, 0x00, 0x3B});
    return b;
}

// 1 x 1, one strip of 1 byte at offset 8; the directory follows it.
Bytes Tiff()
{
    Bytes b;
    Add(b, std::string("II*\0", 4));
    Add32(b, 9);
    b.push_back(0x55);
    Add16(b, 4);
    auto entry = [&](uint32_t tag, uint32_t type, uint32_t count, uint32_t value) {
        Add16(b, tag), Add16(b, type), Add32(b, count), Add32(b, value);
    };
    entry(256, 4, 1, 1);
    entry(257, 4, 1, 1);
    entry(273, 4, 1, 8);
    entry(279, 4, 1, 1);
    Add32(b, 0);
    return b;
}

// One 1 x 1 image of 32 bits: header, colour row, mask row.
Bytes Icon()
{
    Bytes b;
    Add16(b, 0), Add16(b, 1), Add16(b, 1);
    b.insert(b.end(), {1, 1, 0, 0});
    Add16(b, 1), Add16(b, 32);
    Add32(b, 40 + 4 + 4);
    Add32(b, 22);
    Add32(b, 40), Add32(b, 1), Add32(b, 2);
    Add16(b, 1), Add16(b, 32);
    b.resize(b.size() + 24 + 8, 0);
    return b;
}

Bytes Wmf()
{
    Bytes b;
    Add32(b, 0x9AC6CDD7);
    Add16(b, 0);
    Add16(b, 0), Add16(b, 0), Add16(b, 100), Add16(b, 100);
    Add16(b, 1440);
    Add32(b, 0);
    Add16(b, 0);
    Add16(b, 1), Add16(b, 9), Add16(b, 0x300), Add32(b, 9 + 3), Add16(b, 0), Add32(b, 3), Add16(b, 0);
    Add32(b, 3), Add16(b, 0);   // the end record
    return b;
}

Bytes Emf()
{
    Bytes b;
    Add32(b, 1);
    Add32(b, 88);
    b.resize(88, 0);
    b[40] = ' ', b[41] = 'E', b[42] = 'M', b[43] = 'F';
    Put32(b, 48, 88 + 20);
    Add32(b, 14), Add32(b, 20), Add32(b, 0), Add32(b, 16), Add32(b, 20);
    return b;
}

struct Damage {
    const char* what;
    std::function<Bytes()> make;
};

Bytes With(Bytes b, const std::function<void(Bytes&)>& change)
{
    change(b);
    return b;
}

TEST(PictureHeader, SoundPicturesOfEveryFormatFit)
{
    const std::vector<std::pair<const char*, Bytes>> sound = {
        {"bmp", Bmp8()}, {"png", Png()}, {"jpeg", Jpeg()}, {"gif", Gif()},
        {"tiff", Tiff()}, {"icon", Icon()}, {"wmf", Wmf()}, {"emf", Emf()},
    };
    for (const auto& s : sound)
        EXPECT_EQ(PictureHeaderResult::fits, CheckPictureHeader(s.second.data(), s.second.size())) << s.first;
    const Bytes text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(PictureHeaderResult::unknown, CheckPictureHeader(text.data(), text.size()));
    EXPECT_EQ(PictureHeaderResult::unknown, CheckPictureHeader(nullptr, 0));
}

TEST(PictureHeader, EveryDamageIsRefused)
{
    const std::vector<Damage> damages = {
        // The bitmap that crashed the system's decoder: pixels far past the end.
        {"bmp pixel offset 0x7FFFFFF0", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 10, 0x7FFFFFF0); b.resize(246, 0); }); }},
        {"bmp pixel offset inside the palette", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 10, 14 + 40 + 4); }); }},
        {"bmp rows cut", [] { return With(Bmp8(), [](Bytes& b) { b.resize(b.size() - 1); }); }},
        {"bmp header size", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 14, 0x7FFFFFFF); }); }},
        {"bmp width 0", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 18, 0); }); }},
        {"bmp height -2^31", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 22, 0x80000000u); }); }},
        {"bmp width huge", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 18, 1000000); }); }},
        {"bmp bits 7", [] { return With(Bmp8(), [](Bytes& b) { Put16(b, 28, 7); }); }},
        {"bmp palette of 300", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 46, 300); }); }},
        {"bmp RLE8 size past the end", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 30, 1); Put32(b, 34, 1000); }); }},
        {"bmp RLE4 on 8 bits", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 30, 2); }); }},
        {"bmp compression 9", [] { return With(Bmp8(), [](Bytes& b) { Put32(b, 30, 9); }); }},
        {"bmp cut in its header", [] { return With(Bmp8(), [](Bytes& b) { b.resize(30); }); }},
        {"png chunk length past the end", [] { return With(Png(), [](Bytes& b) { PutBE32(b, 8 + 25, 0x7FFFFFF0); }); }},
        {"png width 0", [] { return With(Png(), [](Bytes& b) { PutBE32(b, 16, 0); }); }},
        {"png height huge", [] { return With(Png(), [](Bytes& b) { PutBE32(b, 20, 0x7FFFFFFF); }); }},
        {"png depth 3", [] { return With(Png(), [](Bytes& b) { b[24] = 3; }); }},
        {"png header length 14", [] { return With(Png(), [](Bytes& b) { PutBE32(b, 8, 14); }); }},
        {"png without its end", [] { return With(Png(), [](Bytes& b) { b.resize(b.size() - 12); }); }},
        {"jpeg segment past the end", [] { return With(Jpeg(), [](Bytes& b) { b[2 + 2] = 0x7F; }); }},
        {"jpeg frame width 0", [] { return With(Jpeg(), [](Bytes& b) { b[2 + 69 + 7] = 0, b[2 + 69 + 8] = 0; }); }},
        {"jpeg frame of 5 components", [] { return With(Jpeg(), [](Bytes& b) { b[2 + 69 + 9] = 5; }); }},
        {"jpeg Huffman counts past the table", [] { return With(Jpeg(), [](Bytes& b) { b[2 + 69 + 13 + 6] = 200; }); }},
        {"jpeg scan before a frame", [] { return With(Jpeg(), [](Bytes& b) { b[2 + 69 + 1] = 0xE1; }); }},
        {"gif screen 0 wide", [] { return With(Gif(), [](Bytes& b) { Put16(b, 6, 0); }); }},
        {"gif image past the end", [] { return With(Gif(), [](Bytes& b) { b.resize(b.size() - 3); }); }},
        {"gif image 0 high", [] { return With(Gif(), [](Bytes& b) { Put16(b, 19 + 7, 0); }); }},
        {"tiff directory past the end", [] { return With(Tiff(), [](Bytes& b) { Put32(b, 4, 0x7FFFFFF0); }); }},
        {"tiff strip past the end", [] { return With(Tiff(), [](Bytes& b) { Put32(b, 11 + 2 * 12 + 8, 0x7FFFFFF0); }); }},
        {"tiff strip length past the end", [] { return With(Tiff(), [](Bytes& b) { Put32(b, 11 + 3 * 12 + 8, 1000); }); }},
        {"tiff width 0", [] { return With(Tiff(), [](Bytes& b) { Put32(b, 11 + 8, 0); }); }},
        {"icon image past the end", [] { return With(Icon(), [](Bytes& b) { Put32(b, 6 + 12, 0x7FFFFFF0); }); }},
        {"icon count past the directory", [] { return With(Icon(), [](Bytes& b) { Put16(b, 4, 500); }); }},
        {"icon mask cut", [] { return With(Icon(), [](Bytes& b) { Put32(b, 6 + 8, 44); b.resize(b.size() - 4); }); }},
        {"wmf record past the end", [] { return With(Wmf(), [](Bytes& b) { Put32(b, 22 + 18, 0x7FFFFFF0); }); }},
        {"wmf record of 0 words", [] { return With(Wmf(), [](Bytes& b) { Put32(b, 22 + 18, 0); }); }},
        {"emf length past the end", [] { return With(Emf(), [](Bytes& b) { Put32(b, 48, 0x7FFFFFF0); }); }},
        {"emf record past the end", [] { return With(Emf(), [](Bytes& b) { Put32(b, 88 + 4, 0x7FFFFFF0); }); }},
        {"emf without its end record", [] { return With(Emf(), [](Bytes& b) { Put32(b, 88, 70); }); }},
    };
    for (const Damage& d : damages) {
        const Bytes b = d.make();
        EXPECT_EQ(PictureHeaderResult::damaged, CheckPictureHeader(b.data(), b.size())) << d.what;
    }
}

TEST(PictureHeader, EveryCutOfASoundPictureIsRefusedOrFits)
{
    // No cut reads past its end (the sanitizers watch); a cut BMP, PNG, GIF
    // or metafile is refused.
    for (const Bytes& whole : {Bmp8(), Png(), Gif(), Wmf(), Emf(), Tiff(), Icon(), Jpeg()}) {
        for (size_t n = 1; n < whole.size(); ++n) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(n));
            CheckPictureHeader(cut.data(), cut.size());
        }
    }
    for (const Bytes& whole : {Bmp8(), Png(), Gif(), Wmf(), Emf()}) {
        for (size_t n = 4; n < whole.size(); ++n)
            EXPECT_NE(PictureHeaderResult::fits, CheckPictureHeader(whole.data(), n)) << n;
    }
}

}  // namespace
