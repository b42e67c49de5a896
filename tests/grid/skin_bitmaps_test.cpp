// The eleven skin pictures: the built-in drawings have the sizes and layouts
// their painters cut them by, and a skin folder replaces them from .bmp files,
// refusing files that are not bitmaps.
#include "grid/SkinBitmaps.h"

#include "grid/GridCtrl.h"

#include "platform/DC.h"
#include "platform/Gdi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

COLORREF Pixel(CBitmap* bitmap, int x, int y)
{
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return CLR_INVALID;
    CBitmap* old = dc.SelectObject(bitmap);
    COLORREF c = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return c;
}

// A 24-bit bottom-up .bmp of one colour.
void WriteBmp(const std::string& path, int width, int height, COLORREF colour)
{
    const int stride = (width * 3 + 3) & ~3;
    const int imageSize = stride * height;
    std::vector<unsigned char> d(54 + imageSize, 0);
    auto put32 = [&](int at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            d[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    d[0] = 'B';
    d[1] = 'M';
    put32(2, static_cast<unsigned>(d.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    d[26] = 1;
    d[28] = 24;
    put32(34, static_cast<unsigned>(imageSize));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &d[54 + y * stride + x * 3];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(d.data()),
                                                 static_cast<std::streamsize>(d.size()));
}

// A fresh folder for one test, removed afterwards.
class SkinFolder {
public:
    explicit SkinFolder(const char* name)
    {
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~SkinFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string Folder() const { return m_path.string(); }
    std::string File(const char* stem) const { return (m_path / (std::string(stem) + ".bmp")).string(); }

private:
    std::filesystem::path m_path;
};

struct Layout {
    int index;
    const char* stem;
    UINT id;
    int width;
    int height;
};

const Layout kLayouts[SKIN_BITMAP_COUNT] = {
    {SKIN_BUTTON, "BUTTON", 263, 40, 110},          // five faces of 22 rows
    {SKIN_COMBOCHECKBOX, "COMBOCHECKBOX", 273, 52, 13},
    {SKIN_COMBOBOX, "COMBOBOX", 272, 68, 17},       // four 17-pixel frames
    {SKIN_DATETIME, "DATETIME", 274, 68, 17},
    {SKIN_FIXEDROW, "FIXEDROW", 258, 8, 24},
    {SKIN_TOPLEFTSIDE, "TOPLEFTSIDE", 260, 9, 9},
    {SKIN_FIXEDSELROW, "FIXEDSELROW", 259, 8, 24},
    {SKIN_PROCESSBG, "PROCESSBG", 268, 20, 27},     // the progress bar is 27 high
    {SKIN_PROCESSFG, "PROCESSFG", 267, 4, 21},      // 3 pixels in at top and bottom
    {SKIN_SCROLL, "SCROLL", 261, 144, 51},          // parts from x 0 and x 60, corner at 128
    {SKIN_PREVIEWTOOLBARBG, "PREVIEWTOOLBARBG", 262, 8, 30},
};

TEST(SkinBitmaps, BuiltInPicturesHaveTheirNamesAndSizes)
{
    CGridSkinBitmaps skins;
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.stem);
        EXPECT_STREQ(l.stem, GetSkinBitmapStem(l.index));
        EXPECT_EQ(l.id, GetSkinBitmapResourceId(l.index));
        EXPECT_EQ(l.index, FindSkinBitmapByResourceId(l.id));
        ASSERT_NE(nullptr, skins.Get(l.index));
        ASSERT_NE(nullptr, skins.Get(l.index)->GetSafeHandle());
        EXPECT_EQ(CSize(l.width, l.height), skins.Get(l.index)->GetSize());
        EXPECT_EQ(CSize(l.width, l.height), GetBuiltInSkinBitmapSize(l.index));
    }
    EXPECT_EQ(nullptr, skins.Get(SKIN_BITMAP_COUNT));
    EXPECT_EQ(nullptr, skins.Get(-1));
    EXPECT_EQ(nullptr, GetSkinBitmapStem(SKIN_BITMAP_COUNT));
    EXPECT_EQ(-1, FindSkinBitmapByResourceId(999));
}

TEST(SkinBitmaps, BuiltInLayoutsMatchTheirPainters)
{
    CGridSkinBitmaps skins;
    CBitmap* combo = skins.Get(SKIN_COMBOBOX);
    // The drop arrow lies in rows 6..11; rows 3 and 13, repeated as filler,
    // hold no arrow; every frame has its own look.
    const COLORREF arrow = Pixel(combo, 8, 10);
    EXPECT_NE(Pixel(combo, 8, 3), arrow);
    EXPECT_EQ(Pixel(combo, 8, 3), Pixel(combo, 8, 13));
    EXPECT_EQ(arrow, Pixel(combo, 8 + 17, 10)) << "the hot frame has the same glyph";
    EXPECT_NE(Pixel(combo, 8, 0), Pixel(combo, 8 + 17, 0)) << "hot frame line";

    // Check boxes: the tick only in the second and fourth box; the last two highlighted.
    CBitmap* boxes = skins.Get(SKIN_COMBOCHECKBOX);
    EXPECT_EQ(Pixel(boxes, 5, 8), Pixel(boxes, 2, 8)) << "plain";
    EXPECT_NE(Pixel(boxes, 13 + 5, 8), Pixel(boxes, 13 + 2, 8)) << "checked";
    EXPECT_NE(Pixel(boxes, 2, 8), Pixel(boxes, 26 + 2, 8)) << "highlighted";
    EXPECT_EQ(Pixel(boxes, 13 + 5, 8), Pixel(boxes, 39 + 5, 8));

    // Scroll parts: the vertical thumb's middle rows are alike (it is repeated),
    // the three states differ, the corner square is flat.
    CBitmap* scroll = skins.Get(SKIN_SCROLL);
    EXPECT_EQ(Pixel(scroll, 37, 4), Pixel(scroll, 37, 12));
    EXPECT_NE(Pixel(scroll, 30, 8), Pixel(scroll, 30, 17 + 8));
    EXPECT_NE(Pixel(scroll, 30, 17 + 8), Pixel(scroll, 30, 34 + 8));
    EXPECT_EQ(Pixel(scroll, 60 + 34 + 8, 4), Pixel(scroll, 60 + 34 + 12, 4)) << "horizontal thumb middle";
    EXPECT_EQ(Pixel(scroll, 129, 1), Pixel(scroll, 142, 14));

    // Button faces: five looks stacked 22 rows apart.
    CBitmap* button = skins.Get(SKIN_BUTTON);
    for (int face = 1; face < 5; ++face)
        EXPECT_NE(Pixel(button, 20, 0), Pixel(button, 20, 22 * face)) << face;

    // The corner mark sits on the corner cell's own fill.
    EXPECT_EQ(static_cast<COLORREF>(0xE9C4A9), Pixel(skins.Get(SKIN_TOPLEFTSIDE), 0, 0));
    EXPECT_NE(static_cast<COLORREF>(0xE9C4A9), Pixel(skins.Get(SKIN_TOPLEFTSIDE), 8, 8));
}

TEST(SkinBitmaps, LoadBitmapResourceDrawsTheBuiltInPictures)
{
    CBitmap scroll;
    ASSERT_TRUE(LoadBitmapResource(261, scroll));
    EXPECT_EQ(CSize(144, 51), scroll.GetSize());
    EXPECT_FALSE(LoadBitmapResource(261, scroll)) << "the bitmap already holds one";
    CBitmap other;
    EXPECT_FALSE(LoadBitmapResource(201, other));
    EXPECT_EQ(nullptr, other.GetSafeHandle());
}

TEST(SkinBitmaps, AFolderReplacesWhatItHolds)
{
    SkinFolder folder("kivo_skin_only_button");
    WriteBmp(folder.File("BUTTON"), 3, 5, RGB(255, 0, 0));
    CGridSkinBitmaps skins;
    CBitmap* button = skins.Get(SKIN_BUTTON);
    EXPECT_EQ(1, skins.LoadFromFolder(folder.Folder().c_str()));
    EXPECT_EQ(button, skins.Get(SKIN_BUTTON)) << "the object stays, its picture changes";
    EXPECT_EQ(CSize(3, 5), button->GetSize());
    EXPECT_EQ(RGB(255, 0, 0), Pixel(button, 1, 4));
    for (const Layout& l : kLayouts) {
        if (l.index != SKIN_BUTTON) {
            EXPECT_EQ(CSize(l.width, l.height), skins.Get(l.index)->GetSize()) << l.stem;
        }
    }

    // Loading again replaces it again; going back restores the built-in.
    WriteBmp(folder.File("BUTTON"), 4, 4, RGB(0, 255, 0));
    EXPECT_EQ(1, skins.LoadFromFolder(folder.Folder().c_str()));
    EXPECT_EQ(RGB(0, 255, 0), Pixel(button, 0, 0));
    skins.RestoreBuiltIns();
    EXPECT_EQ(CSize(40, 110), button->GetSize());
}

TEST(SkinBitmaps, BrokenOrMissingFilesKeepThePictureInUse)
{
    SkinFolder folder("kivo_skin_broken");
    {
        std::ofstream broken(folder.File("COMBOBOX"), std::ios::binary);
        broken << "BM this is not a bitmap";
    }
    {
        std::ofstream empty(folder.File("SCROLL"), std::ios::binary);
    }
    WriteBmp(folder.File("DATETIME"), 68, 17, RGB(0, 0, 255));
    CGridSkinBitmaps skins;
    EXPECT_EQ(1, skins.LoadFromFolder(folder.Folder().c_str()));
    EXPECT_EQ(CSize(68, 17), skins.Get(SKIN_COMBOBOX)->GetSize());
    EXPECT_NE(RGB(0, 0, 255), Pixel(skins.Get(SKIN_COMBOBOX), 8, 10));
    EXPECT_EQ(CSize(144, 51), skins.Get(SKIN_SCROLL)->GetSize());
    EXPECT_EQ(RGB(0, 0, 255), Pixel(skins.Get(SKIN_DATETIME), 8, 10));

    EXPECT_FALSE(skins.LoadFromFile(SKIN_BUTTON, folder.File("NOSUCH").c_str()));
    EXPECT_FALSE(skins.LoadFromFile(SKIN_BITMAP_COUNT, folder.File("DATETIME").c_str()));
    EXPECT_EQ(0, skins.LoadFromFolder((folder.Folder() + "_missing").c_str()));
    EXPECT_EQ(0, skins.LoadFromFolder(""));
}

// A grid whose host never told it the program's path (every host but the
// sample program) still takes an absolute skin folder; a relative one has no
// base here, the host build having no module file, and replaces nothing.
TEST(SkinBitmaps, GridTakesAnAbsoluteFolderWithoutAProgramPath)
{
    SkinFolder folder("kivo_skin_grid_absolute");
    WriteBmp(folder.File("BUTTON"), 3, 5, RGB(255, 0, 0));
    WriteBmp(folder.File("SCROLL"), 6, 6, RGB(0, 0, 255));
    CGridCtrl::SetProgramPath("");
    CGridCtrl grid(3, 3, 1, 1);
    EXPECT_EQ(2, grid.SetSkinDir(folder.Folder().c_str()));
    EXPECT_STREQ(folder.Folder().c_str(), grid.GetSkinDir());
    EXPECT_EQ(CSize(3, 5), grid.GetSkinBitmap(SKIN_BUTTON)->GetSize());
    EXPECT_EQ(RGB(0, 0, 255), Pixel(grid.GetSkinBitmap(SKIN_SCROLL), 2, 2));

    const struct {
        const char* folder;
    } relative[] = {{"..\\skin"}, {".\\skin"}, {"\\skin"}};
    for (const auto& c : relative) {
        EXPECT_EQ(0, grid.SetSkinDir(c.folder)) << c.folder;
        EXPECT_STREQ(c.folder, grid.GetSkinDir());
    }
    EXPECT_EQ(0, grid.SetSkinDir((folder.Folder() + "_missing").c_str()));
    EXPECT_EQ(CSize(3, 5), grid.GetSkinBitmap(SKIN_BUTTON)->GetSize()) << "a failed folder keeps the pictures";
}

TEST(SkinBitmaps, FilePaths)
{
    EXPECT_STREQ("C:\\skins\\BUTTON.bmp", CGridSkinBitmaps::MakeSkinFilePath("C:\\skins", SKIN_BUTTON));
    EXPECT_STREQ("..\\skin\\SCROLL.bmp", CGridSkinBitmaps::MakeSkinFilePath("..\\skin", SKIN_SCROLL));
    EXPECT_STREQ("/tmp/skin/PROCESSFG.bmp", CGridSkinBitmaps::MakeSkinFilePath("/tmp/skin", SKIN_PROCESSFG));
    EXPECT_STREQ("", CGridSkinBitmaps::MakeSkinFilePath("C:\\skins", SKIN_BITMAP_COUNT));
}

}  // namespace
