// Bit-field .bmp files on the host build: every channel mask, however wide,
// scales its bits to 0..255 (a full mask is full strength, half of it about
// half).
#include "platform/DC.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Put32(std::vector<BYTE>& d, size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        d[at + i] = static_cast<BYTE>(v >> (8 * i));
}

// A 32-bit bit-field file, one row of the given pixel values, the three masks
// after the 40-byte header.
std::vector<BYTE> FieldsBmp(unsigned red, unsigned green, unsigned blue, const std::vector<unsigned>& pixels)
{
    std::vector<BYTE> d(66 + 4 * pixels.size(), 0);
    d[0] = 'B';
    d[1] = 'M';
    Put32(d, 2, static_cast<unsigned>(d.size()));
    Put32(d, 10, 66);
    Put32(d, 14, 40);
    Put32(d, 18, static_cast<unsigned>(pixels.size()));
    Put32(d, 22, 1);
    d[26] = 1;
    d[28] = 32;
    Put32(d, 30, 3);
    Put32(d, 54, red);
    Put32(d, 58, green);
    Put32(d, 62, blue);
    for (size_t i = 0; i < pixels.size(); ++i)
        Put32(d, 66 + 4 * i, pixels[i]);
    return d;
}

TEST(BitmapFieldMasks, WideMasksScaleToFullStrength)
{
    const std::string path = ::testing::TempDir() + "kivo_bitmap_fields.bmp";
    struct Case {
        const char* what;
        unsigned red, green, blue;
        unsigned pixel;
        COLORREF expected;
    };
    const Case cases[] = {
        {"eight bits each, white", 0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, RGB(255, 255, 255)},
        {"ten bits each, white", 0x3FF00000, 0x000FFC00, 0x000003FF, 0x3FFFFFFF, RGB(255, 255, 255)},
        {"a 28-bit red mask, full", 0xFFFFFFF0, 0, 0, 0xFFFFFFF0, RGB(255, 0, 0)},
        {"a 28-bit red mask, half", 0xFFFFFFF0, 0, 0, 0x80000000, RGB(128, 0, 0)},
        {"a 32-bit blue mask, full", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, RGB(0, 0, 255)},
        {"a 32-bit blue mask, zero", 0, 0, 0xFFFFFFFF, 0, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        const std::vector<BYTE> bytes = FieldsBmp(c.red, c.green, c.blue, {c.pixel});
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadFromFile(path.c_str())) << c.what;
        EXPECT_EQ(Headless::BitmapPixel(bitmap, 0, 0), c.expected) << c.what;
    }
    std::remove(path.c_str());
}

}  // namespace
