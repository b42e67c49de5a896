// Image cells in a real grid window under Wine: a PNG and a BMP decoded by
// GDI+ into the grid's picture list, painted in each size type and read back
// from the screen.
#include "cells/GridCellImage.h"
#include "cells/ImageTestPictures.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/win32/GridWineTestUtil.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using gridwine::PumpFor;

// GDI+'s start-up entry points, declared from their documented signatures.
namespace {
struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
}  // namespace
extern "C" int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output);
extern "C" void WINAPI GdiplusShutdown(ULONG_PTR token);

namespace {

const COLORREF kBack = RGB(200, 230, 250);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// Rows 2 to 5 hold size types 0 to 3; column 2 shows the PNG, column 3 the BMP.
class ImageCellWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        GdiplusStartupInput input = {1, nullptr, FALSE, FALSE};
        ASSERT_EQ(0, GdiplusStartup(&s_token, &input, nullptr));
        InstallInPlaceEditHooks();
        s_host = new CWnd;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_host, "KivoImageWineHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           CRect(60, 60, 560, 460)));
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
        GdiplusShutdown(s_token);
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_host);
        gridwine::LayOut(grid, 8, 5, 30, 40, 80);
        ASSERT_TRUE(gridwine::CreateFilling(grid, s_host, 79));
        const std::vector<BYTE> png = imagetest::QuadrantPng();
        const std::vector<BYTE> bmp = imagetest::QuadrantBmp();
        ASSERT_EQ(0, grid.GetPictureList().AddPictureData(png.data(), static_cast<int>(png.size())));
        ASSERT_EQ(1, grid.GetPictureList().AddPictureData(bmp.data(), static_cast<int>(bmp.size())));
        ASSERT_NE(nullptr, grid.GetPictureList().GetBitmap(0)) << "GDI+ decodes the PNG";
        ASSERT_NE(nullptr, grid.GetPictureList().GetBitmap(1)) << "and the BMP";
        const char* const kSizes[] = {"sizetype=\"0\"", "sizetype=\"1\" userwidth=\"4\" userheight=\"3\"",
                                      "sizetype=\"2\"", "sizetype=\"3\""};
        for (int type = 0; type < 4; ++type) {
            for (int picture = 0; picture < 2; ++picture) {
                const std::string text = std::string("<control controltype=\"image\" index=\"") +
                                         std::to_string(picture) + "\" " + kSizes[type] + " ></control>";
                ASSERT_TRUE(grid.SetCellControl(2 + type, 2 + picture, text.c_str()));
                grid.GetCell(2 + type, 2 + picture)->SetBackColor(kBack);
            }
        }
        grid.SetFocusCell(7, 4);
        gridwine::Repaint(grid);
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(20);
    }

    CRect Rect(int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        return rect;
    }
    COLORREF Pixel(int x, int y) { return gridwine::Pixel(grid, x, y); }

    static CWnd* s_host;
    static ULONG_PTR s_token;
    CGridCtrl grid;
};

CWnd* ImageCellWineTest::s_host = nullptr;
ULONG_PTR ImageCellWineTest::s_token = 0;

TEST_F(ImageCellWineTest, EachSizeTypeOfAPngAndABmp)
{
    for (int col = 2; col <= 3; ++col) {
        SCOPED_TRACE(col == 2 ? "PNG" : "BMP");
        // Own size from the inner corner.
        CRect r = Rect(2, col);
        EXPECT_EQ(kRed, Pixel(r.left + 1, r.top + 1));
        EXPECT_EQ(kGreen, Pixel(r.left + 8, r.top + 3));
        EXPECT_EQ(kBlue, Pixel(r.left + 1, r.top + 6));
        EXPECT_EQ(kWhite, Pixel(r.left + 8, r.top + 6));
        EXPECT_EQ(kBack, Pixel(r.left + 12, r.top + 3));
        EXPECT_EQ(kBack, Pixel(r.left + 3, r.top + 10));

        // The user size copies the top-left 4 x 3: red only.
        r = Rect(3, col);
        EXPECT_EQ(kRed, Pixel(r.left + 1, r.top + 1));
        EXPECT_EQ(kRed, Pixel(r.left + 4, r.top + 3));
        EXPECT_EQ(kBack, Pixel(r.left + 6, r.top + 2));
        EXPECT_EQ(kBack, Pixel(r.left + 2, r.top + 5));

        // Stretched over the cell.
        r = Rect(4, col);
        EXPECT_EQ(kRed, Pixel(r.left + 4, r.top + 4));
        EXPECT_EQ(kGreen, Pixel(r.right - 4, r.top + 4));
        EXPECT_EQ(kBlue, Pixel(r.left + 4, r.bottom - 4));
        EXPECT_EQ(kWhite, Pixel(r.right - 4, r.bottom - 4));

        // Fitted: as high as the cell, centred, the cell's colour beside it.
        r = Rect(5, col);
        const int mid = (r.left + r.right) / 2;
        EXPECT_EQ(kBack, Pixel(r.left + 4, r.top + 10));
        EXPECT_EQ(kBack, Pixel(r.right - 4, r.top + 10));
        EXPECT_EQ(kRed, Pixel(mid - 6, r.top + 4));
        EXPECT_EQ(kGreen, Pixel(mid + 6, r.top + 4));
        EXPECT_EQ(kBlue, Pixel(mid - 6, r.bottom - 4));
        EXPECT_EQ(kWhite, Pixel(mid + 6, r.bottom - 4));
    }
}

// A picture file is added only when GDI+ decodes it: a PNG cut short after
// its header is refused, the list and its id counter stay as they were, and
// the whole file is taken.
TEST_F(ImageCellWineTest, AFileThatDoesNotDecodeIsNotAdded)
{
    const std::vector<BYTE> png = imagetest::QuadrantPng();
    const struct {
        const char* name;
        std::vector<BYTE> bytes;
        int id;
    } kFiles[] = {
        {"kivo_cut.png", std::vector<BYTE>(png.begin(), png.begin() + 40), -1},
        {"kivo_header.png", std::vector<BYTE>(png.begin(), png.begin() + 8), -1},
        {"kivo_whole.png", png, 2},
    };
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.name);
        FILE* out = std::fopen(f.name, "wb");
        ASSERT_NE(nullptr, out);
        ASSERT_EQ(f.bytes.size(), std::fwrite(f.bytes.data(), 1, f.bytes.size(), out));
        ASSERT_EQ(0, std::fclose(out));
        EXPECT_EQ(f.id, grid.GetPictureList().AddDecodablePictureFile(f.name));
        EXPECT_EQ(f.id < 0 ? 2 : 3, grid.GetPictureList().GetCount());
        std::remove(f.name);
    }
    EXPECT_NE(nullptr, grid.GetPictureList().GetBitmap(2));
}

}  // namespace
