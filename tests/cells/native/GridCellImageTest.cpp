// The image cell: its attributes and write-backs, the control text it hands
// out, where a picture goes for each size type and alignment, its record,
// the picture list's decoding (BMP only here), and pictures painted into a
// memory bitmap and read back.
#include "cells/GridCellImage.h"

#include "cells/ImageTestPictures.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/RecordBytes.h"
#include "grid/cellpaint_util.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;
using namespace cellpainttest;

namespace {

std::string S(const CString& s)
{
    return s.GetString();
}

TEST(ImageCell, AttributesAndWriteBacks)
{
    CGridCellImage cell;
    EXPECT_EQ(0, cell.GetPictureId());   // a new cell shows picture 0
    ASSERT_TRUE(cell.SetControl("<control controltype=\"image\" index=\"3\" sizetype=\"1\" userwidth=\"70000\" "
                                "userheight=\"9\" align=\"37\" offsetleft=\"2\" offsetbottom=\"4\" ></control>"));
    EXPECT_EQ(3, cell.GetPictureId());
    EXPECT_EQ(1, cell.GetSizeType());
    EXPECT_EQ(37u, cell.GetImageAlign());
    EXPECT_EQ(CSize(70000 - 65536, 9), cell.GetUserSize());   // 16-bit sizes
    EXPECT_EQ(CRect(2, 0, 0, 4), cell.GetOffsets());
    // The absent ones are written back as "0".
    EXPECT_EQ("0", S(cell.GetControlProperty("offsettop")));
    EXPECT_EQ("0", S(cell.GetControlProperty("offsetright")));

    // A property changes one setting; deleting one keeps the setting and
    // writes "0" back.
    EXPECT_TRUE(cell.SetControlProperty("sizetype", "3"));
    EXPECT_EQ(3, cell.GetSizeType());
    EXPECT_TRUE(cell.DelControlProperty("sizetype"));
    EXPECT_EQ(3, cell.GetSizeType());
    EXPECT_EQ("0", S(cell.GetControlProperty("sizetype")));
    EXPECT_TRUE(cell.SetControlProperty("index", "-1"));
    EXPECT_EQ(-1, cell.GetPictureId());
}

TEST(ImageCell, DefaultControlTextIsKeptParsed)
{
    CGridCellImage cell;
    const std::string expected = "<control controltype=\"image\"  index=\"0\" ></control>";
    EXPECT_EQ(expected, S(cell.GetControl()));
    // The second call finds the same text, and the id in it.
    EXPECT_EQ(expected, S(cell.GetControl()));
    EXPECT_EQ("0", S(cell.GetControlProperty("index")));

    // A control text gets the picture id written in.
    cell.SetControl("<control controltype=\"image\" sizetype=\"2\" ></control>");
    cell.SetControlProperty("index", "5");
    EXPECT_NE(std::string::npos, S(cell.GetControl()).find("index = \"5\""));
}

TEST(ImageCell, ScreenPlacementPerSizeTypeAndAlignment)
{
    // A 59 x 19 cell at (10, 10); an 8 x 6 picture unless said otherwise.
    const CRect rect(10, 10, 69, 29);
    struct Case {
        const char* control;
        CSize picture;
        BOOL drawn;
        CRect dest;
        CSize source;
        BOOL stretch;
    } cases[] = {
        // Own size, top left one pixel inside the corner.
        {"sizetype=\"0\"", CSize(8, 6), TRUE, CRect(11, 11, 19, 17), CSize(8, 6), FALSE},
        // Centred, right, middle, bottom.
        {"sizetype=\"0\" align=\"5\"", CSize(8, 6), TRUE, CRect(36, 17, 44, 23), CSize(8, 6), FALSE},
        {"sizetype=\"0\" align=\"10\"", CSize(8, 6), TRUE, CRect(62, 24, 70, 30), CSize(8, 6), FALSE},
        // Larger than the cell: clipped, never moved above or left of the corner.
        {"sizetype=\"0\" align=\"5\"", CSize(100, 40), TRUE, CRect(11, 11, 70, 30), CSize(59, 19), FALSE},
        // User size; a zero user width draws nothing.
        {"sizetype=\"1\" userwidth=\"4\" userheight=\"3\"", CSize(8, 6), TRUE, CRect(11, 11, 15, 14), CSize(4, 3),
         FALSE},
        {"sizetype=\"1\" userwidth=\"0\" userheight=\"3\"", CSize(8, 6), FALSE, CRect(), CSize(), FALSE},
        // Stretched to the cell, or inside the offsets with alignment 32.
        {"sizetype=\"2\"", CSize(8, 6), TRUE, CRect(11, 11, 70, 30), CSize(8, 6), TRUE},
        {"sizetype=\"2\" align=\"32\" offsetleft=\"2\" offsettop=\"3\" offsetright=\"4\" offsetbottom=\"5\"",
         CSize(8, 6), TRUE, CRect(12, 13, 65, 24), CSize(8, 6), TRUE},
        // Fitted keeping the aspect ratio, centred both ways.
        {"sizetype=\"3\"", CSize(8, 6), TRUE, CRect(28, 11, 53, 30), CSize(8, 6), TRUE},
        {"sizetype=\"3\"", CSize(60, 6), TRUE, CRect(11, 18, 70, 23), CSize(60, 6), TRUE},
        // An unknown size type copies nothing.
        {"sizetype=\"7\"", CSize(8, 6), FALSE, CRect(), CSize(), FALSE},
        // No picture size: nothing (and no division by zero).
        {"sizetype=\"3\"", CSize(0, 0), FALSE, CRect(), CSize(), FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + std::to_string(c.picture.cx));
        CGridCellImage cell;
        cell.SetControl((std::string("<control controltype=\"image\" ") + c.control + " ></control>").c_str());
        CRect dest;
        CSize source;
        BOOL stretch = FALSE;
        ASSERT_EQ(c.drawn, cell.GetScreenPlacement(rect, c.picture, &dest, &source, &stretch));
        if (!c.drawn)
            continue;
        EXPECT_EQ(c.dest.left, dest.left);
        EXPECT_EQ(c.dest.top, dest.top);
        EXPECT_EQ(c.dest.right, dest.right);
        EXPECT_EQ(c.dest.bottom, dest.bottom);
        EXPECT_EQ(c.source, source);
        EXPECT_EQ(c.stretch, stretch);
    }
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

TEST(ImageCell, GoldenRecordAndReload)
{
    // A new cell stores its default text, picture id included.
    CGridCellImage plain;
    const std::string def = "<control controltype=\"image\"  index=\"0\" ></control>";
    const int d = static_cast<int>(def.size()) + 1;
    EXPECT_EQ(ByteBuilder().Ints({16 + d, 0, 0, 1999, 2999, 10301, d}).Text(def).Int(10399).Get(), Store(plain));

    CGridCellImage cell;
    cell.SetControl("<control controltype=\"image\" index=\"2\" sizetype=\"3\" ></control>");
    const std::string text = S(cell.GetControl());
    const int n = static_cast<int>(text.size()) + 1;
    const Bytes bytes = Store(cell);
    EXPECT_EQ(ByteBuilder().Ints({16 + n, 0, 0, 1999, 2999, 10301, n}).Text(text).Int(10399).Get(), bytes);
    EXPECT_EQ(16 + n, cell.GetRecordSize());

    CGridCellImage loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ(2, loaded.GetPictureId());
    EXPECT_EQ(3, loaded.GetSizeType());
    EXPECT_EQ(bytes, Store(loaded));
}

TEST(ImageCell, PictureListDecodesBmpHereAndKeepsWhatItCannot)
{
    CGridPictureList list;
    const std::vector<BYTE> bmp = imagetest::QuadrantBmp();
    const std::vector<BYTE> png = imagetest::QuadrantPng();
    EXPECT_EQ(0, list.AddPictureData(bmp.data(), static_cast<int>(bmp.size())));
    EXPECT_EQ(1, list.AddPictureData(png.data(), static_cast<int>(png.size())));
    ASSERT_NE(nullptr, list.GetBitmap(0));
    EXPECT_EQ(CSize(8, 6), CBitmap::FromHandle(list.GetBitmap(0))->GetSize());
    // No PNG decoder on this platform: an entry with its bytes, no bitmap.
    EXPECT_EQ(nullptr, list.GetBitmap(1));
    EXPECT_EQ(png.size(), list.GetEntryAt(1)->bytes.size());

    // A stored list decodes again on loading.
    const Bytes stored = gridtest::StoreBytes([&](CArchive& ar) { list.Serialize(ar, list.GetCount()); });
    CGridPictureList loaded;
    ASSERT_TRUE(gridtest::LoadBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar, 2); }));
    ASSERT_NE(nullptr, loaded.GetBitmap(0));
    EXPECT_EQ(CSize(8, 6), CBitmap::FromHandle(loaded.GetBitmap(0))->GetSize());
    EXPECT_EQ(0, loaded.DeletePicture(0));
    EXPECT_EQ(nullptr, loaded.GetBitmap(0));
}

class ImageCellPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        grid = MakePaintGrid();
        ASSERT_TRUE(GiveWindow(*grid));
        const std::vector<BYTE> bmp = imagetest::QuadrantBmp();
        ASSERT_EQ(0, grid->GetPictureList().AddPictureData(bmp.data(), static_cast<int>(bmp.size())));
    }

    // Paints cell (2, 2) with the control text into a fresh canvas.
    void Paint(const char* attributes)
    {
        ASSERT_TRUE(grid->SetCellControl(
            2, 2, (std::string("<control controltype=\"image\" ") + attributes + " ></control>").c_str()));
        CGridCellBase* cell = grid->GetCell(2, 2);
        ASSERT_NE(nullptr, dynamic_cast<CGridCellImage*>(cell));
        cell->SetBackColor(kBack);
        canvas = std::make_unique<Canvas>();
        ASSERT_TRUE(canvas->Ok());
        cell->Draw(&canvas->dc, 2, 2, kCellRect, TRUE);
    }
    COLORREF At(int x, int y) const { return canvas->At(x, y); }

    const COLORREF kBack = RGB(200, 230, 250);
    const COLORREF kRed = RGB(255, 0, 0);
    const COLORREF kGreen = RGB(0, 255, 0);
    const COLORREF kBlue = RGB(0, 0, 255);
    const COLORREF kWhite = RGB(255, 255, 255);
    std::unique_ptr<CGridCtrl> grid;
    std::unique_ptr<Canvas> canvas;
};

TEST_F(ImageCellPaint, OwnSizeAtTheInnerCorner)
{
    Paint("index=\"0\" sizetype=\"0\"");
    EXPECT_EQ(kRed, At(11, 11));
    EXPECT_EQ(kGreen, At(18, 11));
    EXPECT_EQ(kBlue, At(11, 16));
    EXPECT_EQ(kWhite, At(18, 16));
    EXPECT_EQ(kBack, At(19, 11));
    EXPECT_EQ(kBack, At(11, 17));
}

TEST_F(ImageCellPaint, StretchedAndFitted)
{
    Paint("index=\"0\" sizetype=\"2\"");
    EXPECT_EQ(kRed, At(12, 12));
    EXPECT_EQ(kGreen, At(67, 12));
    EXPECT_EQ(kBlue, At(12, 27));
    EXPECT_EQ(kWhite, At(67, 27));

    Paint("index=\"0\" sizetype=\"3\"");
    EXPECT_EQ(kBack, At(26, 20)) << "left of the fitted picture";
    EXPECT_EQ(kRed, At(30, 12));
    EXPECT_EQ(kGreen, At(50, 12));
    EXPECT_EQ(kBlue, At(30, 26));
    EXPECT_EQ(kBack, At(55, 20)) << "right of the fitted picture";
}

TEST_F(ImageCellPaint, NoPictureOrAnUnknownIdDrawsOnlyTheCell)
{
    for (const char* attributes : {"index=\"-1\"", "index=\"9\"", "sizetype=\"1\" userwidth=\"0\" userheight=\"5\""}) {
        SCOPED_TRACE(attributes);
        Paint(attributes);
        EXPECT_EQ(kBack, At(11, 11));
        EXPECT_EQ(kBack, At(15, 14));
    }
}

TEST_F(ImageCellPaint, ExtentMakesRoomForThePicture)
{
    ASSERT_TRUE(grid->SetCellControl(2, 2, "<control controltype=\"image\" index=\"0\" sizetype=\"0\" ></control>"));
    CGridCellBase* cell = grid->GetCell(2, 2);
    Canvas c;
    CSize extent = cell->GetCellExtent(&c.dc, 2);
    EXPECT_GE(extent.cx, 9);
    EXPECT_GE(extent.cy, 7);
    cell->SetControlProperty("sizetype", "1");
    cell->SetControlProperty("userwidth", "300");
    cell->SetControlProperty("userheight", "90");
    extent = cell->GetCellExtent(&c.dc, 2);
    EXPECT_EQ(300, extent.cx);
    EXPECT_EQ(90, extent.cy);
}

// Printing draws the picture at the page's zoom: size type 0 at the cell's
// corner, never more than the picture holds; size type 3 by the screen's fit
// rule.
TEST_F(ImageCellPaint, PrintedPicturesKeepToThePictureAndFit)
{
    auto print = [this](const char* attributes) {
        ASSERT_TRUE(grid->SetCellControl(
            2, 2, (std::string("<control controltype=\"image\" ") + attributes + " ></control>").c_str()));
        CGridCellBase* cell = grid->GetCell(2, 2);
        cell->SetBackColor(kBack);
        canvas = std::make_unique<Canvas>();
        ASSERT_TRUE(canvas->Ok());
        cell->DrawContent(&canvas->dc, 2, 2, kCellRect);
    };
    print("index=\"0\" sizetype=\"0\"");
    EXPECT_EQ(kRed, At(11, 11));
    EXPECT_EQ(kWhite, At(18, 16));
    EXPECT_NE(kWhite, At(19, 16)) << "nothing copied beyond the picture";
    EXPECT_NE(kWhite, At(18, 17));

    print("index=\"0\" sizetype=\"3\"");
    EXPECT_EQ(kRed, At(30, 12));
    EXPECT_EQ(kGreen, At(50, 12));
    EXPECT_EQ(kBlue, At(30, 26));
    EXPECT_NE(kRed, At(26, 12)) << "centred like on screen";
}

}  // namespace
