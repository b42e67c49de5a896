// The check cell: its control attributes and what it writes back into them,
// the box geometry, and its record.
#include "grid/GridCellCheck.h"

#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

std::string Control(CGridCellCheck& cell)
{
    return std::string(cell.GetControl());
}

TEST(CheckCell, AttributesAndWriteBacks)
{
    struct Case {
        const char* text;
        int style;
        BOOL checked;
        int size;
        BOOL enabled;
        UINT align;
        BOOL showText;
        const char* readBack;   // the control text afterwards
    } cases[] = {
        // Everything missing: the style, size and enable flag are written in.
        {"<control controltype = \"checkbox\" ></control>", GCHK_STYLE_3D, FALSE, 13, TRUE, 1, TRUE,
         "<control setcheck = \"0\"  enablecheck = \"1\"  size = \"13\"  displaystyle = \"2K3D\"  controltype = "
         "\"checkbox\" ></control>"},
        {"<control displaystyle = \"xp\" setcheck = \"YES\" size = \"5\" ></control>", GCHK_STYLE_XP, TRUE, 10,
         TRUE, 1, TRUE,
         "<control enablecheck = \"1\"  bgcolor = \"RGB(222,235,255)\"  tickcolor = \"RGB(90,113,148)\"  sidecolor = "
         "\"RGB(99,130,165)\"  displaystyle = \"xp\" setcheck = \"1\" size = \"5\" ></control>"},
        {"<control displaystyle = \"1\" size = \"20\" enablecheck = \"No\" align = \"10\" showtext = \"0\" >"
         "</control>",
         GCHK_STYLE_FLAT, FALSE, 20, FALSE, 10, FALSE,
         "<control setcheck = \"0\"  displaystyle = \"1\" size = \"20\" enablecheck = \"No\" align = \"10\" showtext "
         "= \"0\" ></control>"},
        // A value that is neither yes nor no reads back as the flag's value.
        {"<control displaystyle = \"3\" size = \"13\" enablecheck = \"maybe\" align = \"0\" ></control>",
         GCHK_STYLE_XP, FALSE, 13, TRUE, 1, TRUE,
         "<control setcheck = \"0\"  displaystyle = \"3\" size = \"13\" enablecheck = \"1\" align = \"0\" >"
         "</control>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CGridCellCheck cell;
        EXPECT_TRUE(cell.SetControl(c.text));
        EXPECT_EQ(c.style, cell.GetDisplayStyle());
        EXPECT_EQ(c.checked, cell.GetCheck());
        EXPECT_EQ(c.size, cell.GetBoxSize());
        EXPECT_EQ(c.enabled, cell.IsCheckEnabled());
        EXPECT_EQ(c.align, cell.GetBoxAlign());
        EXPECT_EQ(c.showText, cell.GetShowText());
        EXPECT_EQ(c.readBack, Control(cell));
        EXPECT_EQ(c.checked ? "1" : "0", std::string(cell.GetControlProperty("getcheck")));
    }
}

TEST(CheckCell, EnableCheckWriteBackNamesTheRealFlag)
{
    CGridCellCheck cell;
    cell.SetControl("<control enablecheck = \"no\" ></control>");
    EXPECT_FALSE(cell.IsCheckEnabled());
    EXPECT_TRUE(cell.SetControlProperty("enablecheck", "perhaps"));
    EXPECT_FALSE(cell.IsCheckEnabled());
    EXPECT_EQ("0", std::string(cell.GetControlProperty("enablecheck")));
}

TEST(CheckCell, ColoursOfTheXpStyle)
{
    CGridCellCheck cell;
    cell.SetControl("<control displaystyle = \"XP\" sidecolor = \"RGB(1,2,3)\" tickcolor = \"255\" ></control>");
    EXPECT_EQ(RGB(1, 2, 3), cell.GetSideColor());
    EXPECT_EQ(RGB(255, 0, 0), cell.GetTickColor());
    EXPECT_EQ(RGB(222, 235, 255), cell.GetBoxBackColor());
    EXPECT_EQ("RGB(222,235,255)", std::string(cell.GetControlProperty("bgcolor")));
}

TEST(CheckCell, CheckStateFromValueTextAndSetters)
{
    CGridCellCheck cell;
    cell.SetValue(2.0);
    EXPECT_TRUE(cell.GetCheck());
    cell.SetValue(0.0);
    EXPECT_FALSE(cell.GetCheck());
    cell.SetText("7");
    EXPECT_TRUE(cell.GetCheck());
    cell.SetText("");                 // an empty text leaves the state
    EXPECT_TRUE(cell.GetCheck());
    cell.SetText("abc");
    EXPECT_FALSE(cell.GetCheck());
    EXPECT_EQ(TRUE, cell.SetCheck(-1)) << "any non-zero value checks";
    EXPECT_EQ("1", std::string(cell.GetControlProperty("getcheck")));
    CGridCellCheck copy;
    copy.SetCheck(TRUE);
    copy.CopyFormat(&cell);
    EXPECT_FALSE(copy.GetCheck()) << "a copied format leaves the box clear";
}

TEST(CheckCell, BoxGeometry)
{
    struct Case {
        const char* name;
        CRect cell;
        int margin;
        int size;
        UINT align;
        double zx;
        double zy;
        CRect box;
    } cases[] = {
        {"top left", CRect(0, 0, 50, 20), 2, 13, 1, 1.0, 1.0, CRect(2, 2, 15, 15)},
        {"centred", CRect(0, 0, 50, 20), 2, 13, 0x02 | 0x08, 1.0, 1.0, CRect(19, 4, 32, 17)},
        {"right bottom", CRect(0, 0, 50, 20), 2, 13, 0x04 | 0x10, 1.0, 1.0, CRect(35, 5, 48, 18)},
        {"offset cell", CRect(100, 40, 150, 60), 2, 13, 0x02 | 0x08, 1.0, 1.0, CRect(119, 44, 132, 57)},
        {"zoomed", CRect(0, 0, 100, 40), 2, 13, 1, 2.0, 2.0, CRect(4, 4, 30, 30)},
        {"too tall for the cell", CRect(0, 0, 50, 20), 2, 20, 1, 1.0, 1.0, CRect(0, 0, 0, 0)},
        {"too big for a tiny cell", CRect(0, 0, 12, 12), 2, 13, 0x02 | 0x08, 1.0, 1.0, CRect(0, 0, 0, 0)},
        {"empty cell", CRect(0, 0, 0, 0), 2, 13, 1, 1.0, 1.0, CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.box, CGridCellCheck::ComputeBoxRect(c.cell, c.margin, c.size, c.align, c.zx, c.zy));
    }
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

TEST(CheckCell, GoldenRecordAndReload)
{
    CGridCellCheck plain;
    // Without a control text only the empty levels.
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3100}).Get(), Store(plain));

    CGridCellCheck cell;
    cell.SetControl("<control size = \"16\" ></control>");
    cell.SetCheck(TRUE);
    const Bytes bytes = Store(cell);
    const std::string stored = std::string(cell.GetControl());
    EXPECT_EQ("<control setcheck = \"1\"  enablecheck = \"1\"  displaystyle = \"2K3D\"  size = \"16\" ></control>",
              stored);
    const int textBytes = static_cast<int>(stored.size()) + 1;
    const Bytes expected =
        ByteBuilder().Ints({4 + 0 + 8 + textBytes + 4, 0, 0, 1999, 2999, 3001, textBytes}).Text(stored).Int(3100).Get();
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(16 + textBytes, cell.GetRecordSize());

    CGridCellCheck loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_TRUE(loaded.GetCheck());
    EXPECT_EQ(16, loaded.GetBoxSize());
    EXPECT_EQ(stored, std::string(loaded.GetControl()));
    EXPECT_EQ(bytes, Store(loaded));
}

}  // namespace

namespace {

TEST(CheckCell, ASecondControlTextReplacesTheFirst)
{
    CGridCellCheck cell;
    cell.SetControl("<control displaystyle = \"1\" setcheck = \"1\" ></control>");
    cell.SetControl("<control displaystyle = \"XP\" ></control>");
    EXPECT_EQ(GCHK_STYLE_XP, cell.GetDisplayStyle());
    EXPECT_FALSE(cell.GetCheck());
}

}  // namespace

namespace {

TEST(CheckCell, TextRectangleAndExtentMakeRoomForTheBox)
{
    CGridCellCheck cell;   // no grid: margin 0, zoom 1
    cell.SetControl("<control showtext = \"0\" size = \"16\" ></control>");
    struct Case {
        CRect rect;
        LONG left;
    } cases[] = {{CRect(0, 0, 100, 20), 16}, {CRect(50, 0, 60, 20), 60}};
    for (const Case& c : cases) {
        RECT r = c.rect;
        EXPECT_TRUE(cell.GetTextRect(&r));
        EXPECT_EQ(c.left, r.left) << "not beyond the right edge";
        EXPECT_EQ(c.rect.right, r.right);
    }
    EXPECT_EQ(CSize(16, 16), cell.GetCellExtent(nullptr, 1));
}

}  // namespace
