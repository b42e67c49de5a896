// Reading .bmp files on the host build: the formats skins use, and files that
// are damaged or lie about their size.
#include "platform/DC.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void Put16(std::vector<BYTE>& d, size_t at, unsigned v)
{
    d[at] = static_cast<BYTE>(v);
    d[at + 1] = static_cast<BYTE>(v >> 8);
}

void Put32(std::vector<BYTE>& d, size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        d[at + i] = static_cast<BYTE>(v >> (8 * i));
}

// A file with a 40-byte header, palette and rows as given (bottom-up unless
// the height is negative).
std::vector<BYTE> Bmp(int width, int height, int bits, const std::vector<BYTE>& palette, const std::vector<BYTE>& rows)
{
    std::vector<BYTE> d(54 + palette.size());
    d[0] = 'B';
    d[1] = 'M';
    Put32(d, 10, static_cast<unsigned>(54 + palette.size()));
    Put32(d, 14, 40);
    Put32(d, 18, static_cast<unsigned>(width));
    Put32(d, 22, static_cast<unsigned>(height));
    Put16(d, 26, 1);
    Put16(d, 28, static_cast<unsigned>(bits));
    Put32(d, 46, static_cast<unsigned>(palette.size() / 4));
    std::copy(palette.begin(), palette.end(), d.begin() + 54);
    d.insert(d.end(), rows.begin(), rows.end());
    Put32(d, 2, static_cast<unsigned>(d.size()));
    return d;
}

class BitmapFileTest : public ::testing::Test {
protected:
    void SetUp() override { path = ::testing::TempDir() + "kivo_platform_test.bmp"; }
    void TearDown() override { std::remove(path.c_str()); }
    bool Load(const std::vector<BYTE>& bytes, CBitmap& bitmap)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return bitmap.LoadFromFile(path.c_str()) != FALSE;
    }
    std::string path;
};

TEST_F(BitmapFileTest, TwentyFourBitRowsAreReadBottomUp)
{
    // 2 x 2: bottom row blue, red; top row green, white (rows padded to 4 bytes).
    std::vector<BYTE> rows = {255, 0, 0, 0, 0, 255, 0, 0, 0, 128, 0, 255, 255, 255, 0, 0};
    CBitmap bitmap;
    ASSERT_TRUE(Load(Bmp(2, 2, 24, {}, rows), bitmap));
    EXPECT_EQ(bitmap.GetSize(), CSize(2, 2));
    HBITMAP h = bitmap;
    EXPECT_EQ(Headless::BitmapPixel(h, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(Headless::BitmapPixel(h, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(Headless::BitmapPixel(h, 0, 0), RGB(0, 128, 0));
    EXPECT_EQ(Headless::BitmapPixel(h, 1, 0), RGB(255, 255, 255));
}

TEST_F(BitmapFileTest, PalettedAndTopDownFilesAreRead)
{
    // 3 x 1, 8 bits, top-down: palette entries 0 = black, 1 = orange.
    std::vector<BYTE> palette = {0, 0, 0, 0, 0, 128, 255, 0};
    CBitmap eight;
    ASSERT_TRUE(Load(Bmp(3, -1, 8, palette, {1, 0, 1, 0}), eight));
    EXPECT_EQ(Headless::BitmapPixel(eight, 0, 0), RGB(255, 128, 0));
    EXPECT_EQ(Headless::BitmapPixel(eight, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(Headless::BitmapPixel(eight, 2, 0), RGB(255, 128, 0));

    // 4 bits: the high half of a byte is the first pixel; an index beyond the palette is black.
    CBitmap four;
    ASSERT_TRUE(Load(Bmp(3, 1, 4, palette, {0x10, 0x70, 0, 0}), four));
    EXPECT_EQ(Headless::BitmapPixel(four, 0, 0), RGB(255, 128, 0));
    EXPECT_EQ(Headless::BitmapPixel(four, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(Headless::BitmapPixel(four, 2, 0), RGB(0, 0, 0));

    // 1 bit.
    CBitmap one;
    ASSERT_TRUE(Load(Bmp(9, 1, 1, palette, {0x80, 0x80, 0, 0}), one));
    EXPECT_EQ(Headless::BitmapPixel(one, 0, 0), RGB(255, 128, 0));
    EXPECT_EQ(Headless::BitmapPixel(one, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(Headless::BitmapPixel(one, 8, 0), RGB(255, 128, 0));
}

TEST_F(BitmapFileTest, DamagedFilesAreRefused)
{
    std::vector<BYTE> good = Bmp(2, 2, 24, {}, std::vector<BYTE>(16, 0));
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"not a bitmap", std::vector<BYTE>(good.size(), 'x')});
    std::vector<BYTE> cut(good.begin(), good.end() - 3);
    cases.push_back({"rows cut short", cut});
    std::vector<BYTE> huge = good;
    Put32(huge, 18, 100000);
    Put32(huge, 22, 100000);
    cases.push_back({"size beyond the file", huge});
    std::vector<BYTE> negativeWidth = good;
    Put32(negativeWidth, 18, static_cast<unsigned>(-2));
    cases.push_back({"negative width", negativeWidth});
    std::vector<BYTE> badBits = good;
    Put16(badBits, 28, 7);
    cases.push_back({"7 bits", badBits});
    std::vector<BYTE> packed = good;
    Put32(packed, 30, 1);  // run-length packing
    cases.push_back({"packed", packed});
    std::vector<BYTE> farPixels = good;
    Put32(farPixels, 10, 0xFFFFFFF0u);
    cases.push_back({"pixels offset past the end", farPixels});
    std::vector<BYTE> bigPalette = Bmp(1, 1, 8, std::vector<BYTE>(8, 0), {0, 0, 0, 0});
    Put32(bigPalette, 46, 100000);
    cases.push_back({"palette larger than the file", bigPalette});
    std::vector<BYTE> hugeHeader = good;
    Put32(hugeHeader, 14, 0xFFFFFFF0u);
    cases.push_back({"header larger than the file", hugeHeader});
    for (const Case& c : cases) {
        CBitmap bitmap;
        EXPECT_FALSE(Load(c.bytes, bitmap)) << c.what;
        EXPECT_EQ(bitmap.m_hObject, nullptr) << c.what;
    }
    CBitmap missing;
    EXPECT_FALSE(missing.LoadFromFile("/no/such/file.bmp"));
    EXPECT_FALSE(missing.LoadFromFile(nullptr));
}

TEST(BitmapResourceTest, ResourcesAreFoundByNumber)
{
    Headless::Reset();
    const COLORREF pixels[] = {RGB(1, 1, 1), RGB(2, 2, 2)};
    Headless::AddBitmapResource(258, 2, 1, pixels);
    CBitmap found, missing;
    EXPECT_TRUE(found.LoadBitmap(258));
    EXPECT_EQ(found.GetSize(), CSize(2, 1));
    EXPECT_EQ(Headless::BitmapPixel(found, 1, 0), RGB(2, 2, 2));
    EXPECT_FALSE(missing.LoadBitmap(259));
    Headless::Reset();
}

}  // namespace
