// Skin pictures on the host build: replacing them deletes what they replace.
#include "grid/SkinBitmaps.h"

#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

TEST(SkinBitmapsHost, ReplacingAPictureDeletesTheOldOne)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kivo_skin_leak";
    std::filesystem::create_directories(folder);
    // A 2 x 1 bitmap of 32 bits per pixel, top-down.
    const unsigned char bmp[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                                 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 32, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0};
    std::ofstream((folder / "FIXEDROW.bmp").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp), sizeof(bmp));

    CGridSkinBitmaps skins;
    const size_t objects = Headless::GdiObjectCount();
    EXPECT_EQ(1, skins.LoadFromFolder(folder.string().c_str()));
    EXPECT_EQ(1, skins.LoadFromFolder(folder.string().c_str()));
    EXPECT_EQ(CSize(2, 1), skins.Get(SKIN_FIXEDROW)->GetSize());
    EXPECT_EQ(objects, Headless::GdiObjectCount());
    skins.RestoreBuiltIns();
    EXPECT_EQ(objects, Headless::GdiObjectCount());
    std::filesystem::remove_all(folder);
}

}  // namespace
