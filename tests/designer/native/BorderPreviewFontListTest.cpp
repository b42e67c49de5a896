// The border preview's records and geometry, and the font box's entries by
// mode.
#include "designer/BorderPreview.h"
#include "designer/FontNameList.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(BorderPreview, RecordsIgnoreOutsideIndexesAndClear)
{
    CBorderPreviewState p;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(-1, p.GetBorderLine(i).flag);
    EXPECT_TRUE(p.Strokes().empty());   // an empty preview draws only marks and text

    p.SetBorderLine(0, 2, 1, 3, 0x0000FF);
    p.SetBorderLine(8, 2, 1, 3, 0x0000FF);
    p.SetBorderLine(-1, 2, 1, 3, 0x0000FF);
    const BorderPreviewLine top = p.GetBorderLine(0);
    EXPECT_EQ(2, top.flag);
    EXPECT_EQ(1, top.style);
    EXPECT_EQ(3, top.width);
    EXPECT_EQ(0x0000FFu, top.colour);
    EXPECT_EQ(-1, p.GetBorderLine(8).flag);
    EXPECT_EQ(-1, p.GetBorderLine(-1).flag);

    // The half diagonals draw two segments each.
    p.SetBorderLine(6, 64, 0, 1, 0);
    p.SetBorderLine(7, 128, 0, 1, 0);
    p.SetBorderLine(5, 32, 0, 1, 0);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {5, 5}, {6, 6}, {6, 7}, {7, 8}, {7, 9}}), p.Strokes());
    p.ClearBorderLine(6);
    p.ClearBorderLine(9);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {5, 5}, {7, 8}, {7, 9}}), p.Strokes());
}

TEST(BorderPreview, SampleCellGeometry)
{
    // A 120 x 80 client area: the cell spans 10..109 x 10..69.
    const auto s = CBorderPreviewState::Segments(120, 80);
    ASSERT_EQ(10u, s.size());
    const PreviewSegment expected[10] = {
        {10, 10, 109, 10}, {10, 69, 109, 69}, {10, 10, 10, 69},  {109, 10, 109, 69}, {10, 10, 109, 69},
        {109, 10, 10, 69}, {10, 10, 109, 39}, {10, 10, 59, 69},  {109, 69, 59, 10},  {109, 69, 10, 39},
    };
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(expected[i], s[static_cast<size_t>(i)]) << i;
    const auto marks = CBorderPreviewState::CornerMarks(120, 80);
    ASSERT_EQ(8u, marks.size());
    for (const PreviewSegment& m : marks)
        EXPECT_EQ(5, (m.x2 - m.x1) + (m.y2 - m.y1));   // every mark is 5 pixels long
    EXPECT_EQ((PreviewSegment{5, 5, 10, 5}), marks[0]);
    EXPECT_EQ((PreviewSegment{109, 74, 114, 74}), marks[6]);
}

TEST(FontNameList, EntriesByMode)
{
    CFontNameList list;
    list.SetMode(4);
    EXPECT_EQ(0, list.GetMode());
    list.SetMode(-1);
    EXPECT_EQ(0, list.GetMode());

    EnumeratedFont f;
    f.face = "宋体";
    f.style = "Regular";
    f.script = "CHINESE_GB2312";
    f.charset = 134;
    list.Add(f);
    list.Add(f);
    f.face = "Arial";
    list.Add(f);
    ASSERT_EQ(2u, list.Entries().size());
    EXPECT_EQ(CString("宋体"), list.Entries()[0].text);

    // Sizes: a scalable font lists each size once, ascending, with the size
    // as item data; a positive height reads the em square.
    CFontNameList sizes;
    sizes.SetMode(1);
    const int heights[] = {-16, -12, -16, -48, -9};   // at 96 pixels per inch
    for (int h : heights) {
        f.height = h;
        sizes.Add(f);
    }
    f.height = 20;
    f.emSize = 2048 * 96 / 72 / 100;   // 27 pixels: 20 points
    sizes.Add(f);
    std::vector<std::pair<CString, long>> got;
    for (const auto& e : sizes.Entries())
        got.emplace_back(e.text, e.data);
    EXPECT_EQ((std::vector<std::pair<CString, long>>{{"6", 6}, {"9", 9}, {"12", 12}, {"20", 20}, {"36", 36}}), got);

    // Styles carry the weight and the italic bit; empty names are skipped.
    CFontNameList styles;
    styles.SetMode(2);
    f.style = "Bold Italic";
    f.weight = 700;
    f.italic = true;
    styles.Add(f);
    f.style = "";
    styles.Add(f);
    ASSERT_EQ(1u, styles.Entries().size());
    EXPECT_EQ(0x10000000L + 700, styles.Entries()[0].data);

    // Scripts carry the character set.
    CFontNameList scripts;
    scripts.SetMode(3);
    f.script = "Western";
    f.charset = 0;
    scripts.Add(f);
    f.script = "CHINESE_GB2312";
    f.charset = 134;
    scripts.Add(f);
    EXPECT_EQ(1, scripts.FindData(134));
    EXPECT_EQ(-1, scripts.FindData(2));
}
