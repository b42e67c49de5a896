// The tagged cell record: golden bytes of the records a cell writes, reading
// them back, and what a reader does with foreign, odd and damaged records.
#include "grid/GridCtrl.h"
#include "grid/GridSysColours.h"
#include "grid/LogFontUtil.h"

#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

// Loads bytes into the cell; answers whether the archive stayed sound.
bool Load(CGridCellBase& cell, const Bytes& bytes, int* pnRunning = nullptr, ULONGLONG* pRemaining = nullptr)
{
    return gridtest::LoadBytes(bytes, [&](CArchive& ar) { cell.SerializeRecord(ar, pnRunning); }, pRemaining);
}

LOGFONT SampleFont()
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -16;
    lf.lfWidth = 0;
    lf.lfEscapement = 900;
    lf.lfOrientation = 0;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfUnderline = 0;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = 2;
    lf.lfPitchAndFamily = 0x22;
    std::strcpy(lf.lfFaceName, "Arial");
    return lf;
}

// The 60 bytes of SampleFont in the archive's member order.
Bytes SampleFontBytes()
{
    ByteBuilder b;
    b.Byte(GB2312_CHARSET).Byte(0).Int(900);
    std::string face("Arial");
    face.resize(32, '\0');
    b.Text(face, false);
    b.Int(-16).Byte(1).Int(0).Byte(0).Byte(0x22).Byte(2).Byte(1).Byte(0).Int(FW_BOLD).Int(0);
    return b.Get();
}

struct GoldenCase {
    const char* name;
    std::function<void(CGridCell&)> setUp;
    Bytes expected;
};

std::vector<GoldenCase> GoldenCases()
{
    std::vector<GoldenCase> cases;
    cases.push_back({"all defaults", [](CGridCell&) {}, ByteBuilder().Ints({0, 0, 1999, 2999}).Get()});
    cases.push_back({"number 0", [](CGridCell& c) { c.SetValue(0.0); },
                     ByteBuilder().Ints({44, 20, 1016, 4, 1, 1999, 2011, 8}).Double(0.0).Int(2999).Get()});
    cases.push_back({"number 2.5", [](CGridCell& c) { c.SetValue(2.5); },
                     ByteBuilder().Ints({44, 20, 1016, 4, 1, 1999, 2011, 8}).Double(2.5).Int(2999).Get()});
    // The empty base level declares 0 but still takes its 8 bytes: the
    // declared 19 is 8 short of the 27 bytes written, as stored files have it.
    cases.push_back({"short text", [](CGridCell& c) { c.SetText("ab"); },
                     ByteBuilder().Ints({19, 0, 1999, 2010, 3}).Text("ab").Int(2999).Get()});
    cases.push_back({"read-only", [](CGridCell& c) { c.SetReadOnly(TRUE); },
                     ByteBuilder().Ints({28, 20, 1024, 4, 1, 1999, 2999}).Get()});
    cases.push_back({"merge owner and range",
                     [](CGridCell& c) {
                         c.SetMergeOwnerCell(TRUE);
                         c.SetMergeOwner(1, 2);
                         c.SetMergeRange(CGridCellRange(1, 2, 3, 4));
                     },
                     ByteBuilder()
                         .Ints({80, 72, 1008, 4, 1, 1013, 4, 1, 1014, 8, 2, 1, 1015, 16, 1, 2, 3, 4, 1999, 2999})
                         .Get()});
    cases.push_back({"merged cell covered by a block",
                     [](CGridCell& c) {
                         c.SetMergeOwner(1, 2);
                         c.SetMergeRange(CGridCellRange(1, 2, 1, 3));
                         c.SetVisible(FALSE);
                     },
                     ByteBuilder()
                         .Ints({80, 72, 1012, 4, 1, 1013, 4, 1, 1014, 8, 2, 1, 1015, 16, 1, 2, 1, 3, 1999, 2999})
                         .Get()});

    // Every item of both levels, to fix their order.
    ByteBuilder base;
    base.Ints({1005, 4, 0x11, 1001, 12, 0xFF, 0, 2, 1025, 12, 0x10, 1, 1})
        .Ints({1006, 4, 1, 1007, 4, 0, 1009, 4, 1, 1010, 4, 0x123456, 1016, 4, 1, 1024, 4, 1})
        .Ints({1018, 5}).Text("<f/>").Ints({1019, 5}).Text("<g/>").Ints({1020, 4}).Text("1.5")
        .Ints({1021, 3}).Text("id7", false).Ints({1022, 5}).Text("memo").Ints({1023, 4}).Text("tip");
    int baseDeclared = static_cast<int>(base.Size()) + 8;
    ByteBuilder items;
    items.Ints({2001, 4, 1, 2002, 8}).Double(9.5).Ints({2003, 8}).Double(-1.0)
        .Ints({2006, 4, 1, 2007, 4, 0x0000FF, 2008, 4, 0x00FF00, 2009, 4, 0x777777, 2011, 8})
        .Double(1.5)
        .Ints({2012, 4, 42, 2013, 4, 0x25, 2014, 4, 3, 2015, 4, 2, 2016, 4, 4, 2017, 60})
        .Raw(SampleFontBytes());
    int declared = 4 + baseDeclared + static_cast<int>(items.Size()) + 4;
    ByteBuilder all;
    all.Int(declared).Int(baseDeclared).Raw(base.Get()).Int(1999).Raw(items.Get()).Int(2999);
    cases.push_back({"every item",
                     [](CGridCell& c) {
                         c.SetBorder(CBF_LEFT | CBF_DIAGONAL_DOWN, 0xFF, 0, 2);
                         c.SetBorder(CBF_DIAGONAL_DOWN, 0x10, 1, 1);
                         c.SetDisplayEllipsis(TRUE);
                         c.SetDisplayTip(FALSE);
                         c.SetSelBackColor(0x123456);
                         c.SetValue(1.5);
                         c.SetReadOnly(TRUE);
                         c.SetFontXml("<f/>");
                         c.SetFormatXml("<g/>");
                         c.SetFormattedText("1.5", -1);
                         c.SetId("id7");
                         c.SetMemo("memo");
                         c.SetTipText("tip");
                         c.SetInputLimit(TRUE, -1.0, 9.5);
                         c.SetWrapText(TRUE);
                         c.SetBackColor(0x0000FF);
                         c.SetTextColor(0x00FF00);
                         c.SetFixedBackColor(0x777777);
                         c.SetItemData(42);
                         c.SetAlign(0x25);
                         c.SetImage(3);
                         c.SetInputType(2);
                         c.SetMargin(4);
                         LOGFONT lf = SampleFont();
                         c.SetFont(&lf);
                     },
                     all.Get()});
    return cases;
}

TEST(CellRecord, GoldenBytesAndDeclaredSizes)
{
    for (const GoldenCase& c : GoldenCases()) {
        CGridCell cell;
        c.setUp(cell);
        Bytes bytes = Store(cell);
        EXPECT_EQ(c.expected, bytes) << c.name;
        ASSERT_GE(bytes.size(), 4u);
        int declared = static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24);
        EXPECT_EQ(cell.GetRecordSize(), declared) << c.name;
    }
}

TEST(CellRecord, GoldenRecordsReadBackToTheSameBytes)
{
    for (const GoldenCase& c : GoldenCases()) {
        if (std::string(c.name) == "every item")
            continue;   // see ValueReadAfterTheCachedTextEmptiesTheCache
        CGridCell cell;
        int running = 100;
        ULONGLONG remaining = 99;
        ASSERT_TRUE(Load(cell, c.expected, &running, &remaining)) << c.name;
        EXPECT_EQ(0u, remaining) << c.name;      // the reader takes exactly the record
        EXPECT_EQ(100 + cell.GetRecordSize(), running) << c.name;
        EXPECT_EQ(c.expected, Store(cell)) << c.name;
    }
}

TEST(CellRecord, FieldsReadBack)
{
    Bytes every = GoldenCases().back().expected;
    CGridCell cell;
    ASSERT_TRUE(Load(cell, every));
    EXPECT_EQ(1.5, cell.GetValue());
    EXPECT_TRUE(cell.IsReadOnly());
    EXPECT_EQ(static_cast<UINT>(GCS_READONLY), cell.GetState());
    EXPECT_STREQ("id7", cell.GetId());
    EXPECT_EQ(CString("memo"), cell.GetMemo());
    EXPECT_EQ(CString("tip"), cell.GetTipText());
    EXPECT_FALSE(cell.IsDisplayTip());
    EXPECT_TRUE(cell.IsDisplayEllipsis());
    EXPECT_TRUE(cell.HasOwnSelBackColor());
    EXPECT_EQ(0x123456u, cell.GetSelBackColor());
    EXPECT_EQ(0x0000FFu, cell.GetBackColor());
    EXPECT_TRUE(cell.HasOwnBackColor());
    EXPECT_EQ(0x00FF00u, cell.GetTextColor());
    EXPECT_TRUE(cell.HasOwnTextColor());
    EXPECT_EQ(0x777777u, cell.GetFixedBackColor());
    EXPECT_EQ(0, cell.GetItemData());            // item data never survives a record
    EXPECT_EQ(0x25u, cell.GetAlign());
    EXPECT_EQ(3, cell.GetImage());
    EXPECT_EQ(2, cell.GetInputType());
    EXPECT_EQ(4, cell.GetMargin());
    double lo = 0;
    double hi = 0;
    EXPECT_TRUE(cell.GetInputLimit(lo, hi));
    EXPECT_EQ(-1.0, lo);
    EXPECT_EQ(9.5, hi);
    LOGFONT expected = SampleFont();
    ASSERT_NE(nullptr, cell.GetFont());
    EXPECT_TRUE(IsSameLogFontFields(expected, *cell.GetFont()));
    COLORREF clr = 0;
    int style = 0;
    int width = 0;
    ASSERT_TRUE(cell.GetBorder(CBF_DIAGONAL_DOWN, &clr, &style, &width));
    EXPECT_EQ(0x10u, clr);
    EXPECT_EQ(1, style);
}

TEST(CellRecord, ValueReadAfterTheCachedTextEmptiesTheCache)
{
    // The base level comes first, so the value of the ordinary cell level
    // arrives after the cached text and empties it, as a new value does.
    GoldenCase every = GoldenCases().back();
    CGridCell cell;
    ASSERT_TRUE(Load(cell, every.expected));
    EXPECT_EQ(CString(), cell.GetFormattedText());
    CGridCell withoutCache;
    every.setUp(withoutCache);
    withoutCache.SetFormattedText("", -1);
    withoutCache.SetItemData(0);              // item data never survives a record
    EXPECT_EQ(Store(withoutCache), Store(cell));
}

TEST(CellRecord, ReadOnlyItemSetsOneBitAndStateItemReplacesTheWord)
{
    CGridCell cell;
    cell.SetState(GCS_SELECTED | GCS_FIXED);
    ASSERT_TRUE(Load(cell, ByteBuilder().Ints({28, 20, 1024, 4, 1, 1999, 2999}).Get()));
    EXPECT_EQ(static_cast<UINT>(GCS_SELECTED | GCS_FIXED | GCS_READONLY), cell.GetState());

    CGridCell replaced;
    replaced.SetState(GCS_SELECTED);
    ASSERT_TRUE(Load(replaced, ByteBuilder().Ints({28, 20, 1017, 4, 0x88, 1999, 2999}).Get()));
    EXPECT_EQ(0x88u, replaced.GetState());

    CGridCell notOne;                            // only the value 1 marks read-only
    ASSERT_TRUE(Load(notOne, ByteBuilder().Ints({28, 20, 1024, 4, 2, 1999, 2999}).Get()));
    EXPECT_EQ(0u, notOne.GetState());
}

TEST(CellRecord, UnknownTagsAreSkippedAndTheRestLoads)
{
    ByteBuilder base;
    base.Ints({1500, 5}).Text("abcd").Ints({1011, 4, 0x00FF00}).Ints({1016, 4, 1});
    int baseDeclared = static_cast<int>(base.Size()) + 8;
    ByteBuilder items;
    items.Ints({2500, 3}).Text("xy").Ints({2004, 4, 1}).Ints({2011, 8}).Double(7.0);
    int declared = 4 + baseDeclared + static_cast<int>(items.Size()) + 4;
    Bytes bytes = ByteBuilder().Int(declared).Int(baseDeclared).Raw(base.Get()).Int(1999).Raw(items.Get()).Int(2999)
                      .Int(12345)   // the next record's first word stays unread
                      .Get();
    CGridCell cell;
    ULONGLONG remaining = 0;
    ASSERT_TRUE(Load(cell, bytes, nullptr, &remaining));
    EXPECT_EQ(4u, remaining);
    EXPECT_EQ(7.0, cell.GetValue());
    EXPECT_TRUE(cell.HasOwnBackColor());         // 2004 sets the flag
    EXPECT_EQ(GetDefaultBackColour(), cell.GetBackColor());
}

TEST(CellRecord, OddItemLengths)
{
    // A block shorter than 12 bytes leaves the block alone; an int item with
    // extra bytes gives its first four and skips the rest; an empty item
    // leaves its field unchanged.
    ByteBuilder base;
    base.Ints({1001, 4, 0x55}).Ints({1016, 8, 1, 0x77}).Ints({1022, 0});
    int baseDeclared = static_cast<int>(base.Size()) + 8;
    Bytes bytes = ByteBuilder().Int(4 + baseDeclared + 4).Int(baseDeclared).Raw(base.Get()).Int(1999).Int(2999).Get();
    CGridCell cell;
    cell.SetMemo("kept");
    ASSERT_TRUE(Load(cell, bytes));
    EXPECT_TRUE(cell.IsNumber());
    EXPECT_EQ(CString("kept"), cell.GetMemo());
    COLORREF clr = 0;
    EXPECT_FALSE(cell.GetBorder(CBF_LEFT, &clr, nullptr, nullptr));

    // An id item longer than 31 bytes is cut at a character boundary.
    std::string longId = std::string(30, 'k') + "合计";
    ByteBuilder idBase;
    idBase.Int(1021).Int(static_cast<int>(CString(longId.c_str()).GetLength()))
        .Text(CString(longId.c_str()).Str(), false);
    int idDeclared = static_cast<int>(idBase.Size()) + 8;
    Bytes idBytes =
        ByteBuilder().Int(4 + idDeclared + 4).Int(idDeclared).Raw(idBase.Get()).Int(1999).Int(2999).Get();
    CGridCell named;
    ASSERT_TRUE(Load(named, idBytes));
    EXPECT_EQ(CString(std::string(30, 'k').c_str()), CString(named.GetId()));
}

TEST(CellRecord, DamagedRecordsAreRefusedWithoutReadingOutOfBounds)
{
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"cut after the base size", ByteBuilder().Ints({44, 20, 1016}).Get()},
        {"cut inside a value", ByteBuilder().Ints({44, 20, 1016, 4, 1, 1999, 2011, 8, 0}).Get()},
        {"item longer than its level", ByteBuilder().Ints({28, 20, 1024, 400, 1, 1999, 2999}).Get()},
        {"negative length", ByteBuilder().Ints({28, 20, 1024, -4, 1, 1999, 2999}).Get()},
        {"text longer than the stream", ByteBuilder().Ints({1000, 0, 1999, 2010, 900}).Text("ab").Get()},
        {"huge level size", ByteBuilder().Ints({0x7FFFFFFF, 0x7FFFFFF0, 1016}).Get()},
        {"nothing at all", Bytes()},
    };
    for (const Case& c : cases) {
        CGridCell cell;
        EXPECT_FALSE(Load(cell, c.bytes)) << c.name;
    }
}

TEST(CellRecord, FixedCellsNeverStoreAFont)
{
    CGridCell cell;
    LOGFONT lf = SampleFont();
    cell.SetFont(&lf);
    cell.SetState(GCS_FIXED | GCS_FIXEDROW);
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 1999, 2999}).Get(), Store(cell));
}

TEST(CellRecord, GridCellsOmitWhatTheirDefaultCellHolds)
{
    CGridCtrl grid;
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    // A data cell made by the grid: default alignment, default font and the
    // normal back colour write nothing.
    CGridCellBase* data = grid.GetCell(2, 2);
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 1999, 2999}).Get(), Store(*data));
    // Its font differs from the default cell's once it is bold.
    LOGFONT lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    lf.lfWeight = FW_BOLD;
    data->SetFont(&lf);
    EXPECT_EQ(4 + 8 + (8 + 60) + 4, static_cast<int>(Store(*data).size()));
    // A row header: the number text and the header alignment.
    CGridCellBase* header = grid.GetCell(2, 0);
    EXPECT_EQ(ByteBuilder().Ints({30, 0, 1999, 2010, 2}).Text("2").Ints({2013, 4, 37, 2999}).Get(), Store(*header));
}

TEST(DefaultCellRecord, GoldenAndRoundTrip)
{
    CGridCtrl grid;
    CGridDefaultCell* cell = grid.GetDefaultCell(FALSE, FALSE);
    cell->SetStyle(7);
    cell->SetWidth(55);
    cell->SetHeight(21);
    LOGFONT lf = *cell->GetFont();
    Bytes fontBytes = gridtest::StoreBytes([&](CArchive& ar) { SerializeLogFont(ar, &lf); });
    // The ordinary cell level holds the margin of 3 that every default cell
    // has; the rest of that level matches the cell's own defaults.
    Bytes expected =
        ByteBuilder().Ints({96, 20, 0, 1999, 2016, 4, 3, 2999, 7}).Raw(fontBytes).Ints({55, 21}).Get();
    Bytes bytes = Store(*cell);
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(96, cell->GetRecordSize());

    CGridCtrl other;
    CGridDefaultCell* target = other.GetDefaultCell(FALSE, FALSE);
    ULONGLONG remaining = 1;
    ASSERT_TRUE(Load(*target, bytes, nullptr, &remaining));
    EXPECT_EQ(0u, remaining);
    EXPECT_EQ(7, target->GetStyle());
    EXPECT_EQ(55, target->GetWidth());           // the stored sizes replace the measured ones
    EXPECT_EQ(21, target->GetHeight());
    EXPECT_TRUE(IsSameLogFontFields(lf, *target->GetFont()));
}

TEST(DefaultCellRecord, SmallLevelSizesAndSurplusBytes)
{
    CGridCtrl grid;
    CGridDefaultCell* cell = grid.GetDefaultCell(TRUE, FALSE);
    int width = cell->GetWidth();
    // A level size below 5: nothing follows the ordinary cell level.
    ULONGLONG remaining = 0;
    ASSERT_TRUE(Load(*cell, ByteBuilder().Ints({3, 0, 0, 1999, 2999, 99}).Get(), nullptr, &remaining));
    EXPECT_EQ(4u, remaining);
    EXPECT_EQ(width, cell->GetWidth());

    // Bytes the level declares beyond its fields are skipped; a negative
    // stored width becomes 0.
    LOGFONT lf = *cell->GetFont();
    Bytes fontBytes = gridtest::StoreBytes([&](CArchive& ar) { SerializeLogFont(ar, &lf); });
    Bytes bytes = ByteBuilder().Ints({80, 0, 0, 1999, 2999, 0}).Raw(fontBytes).Ints({-5, 12, 0x0BADF00D, 77}).Get();
    ASSERT_TRUE(Load(*cell, bytes, nullptr, &remaining));
    EXPECT_EQ(4u, remaining);
    EXPECT_EQ(0, cell->GetWidth());
    EXPECT_EQ(12, cell->GetHeight());

    // A surplus larger than the stream is refused.
    Bytes damaged = ByteBuilder().Ints({500, 0, 0, 1999, 2999, 0}).Raw(fontBytes).Ints({5, 12}).Get();
    EXPECT_FALSE(Load(*cell, damaged));
}

}  // namespace

namespace {

TEST(CellRecord, FontTextWithoutAFontBuildsTheFontWhenAsked)
{
    // A record may carry a font text and no font; the font object is then
    // made from the text the first time it is asked for.
    CString font("<font fontname = \"Arial\" weight = \"FW_BOLD\" fontsize = \"11\" ></font>");
    ByteBuilder base;
    base.Int(1018).Int(font.GetLength() + 1).Text(font.Str());
    int baseDeclared = static_cast<int>(base.Size()) + 8;
    Bytes bytes = ByteBuilder().Int(4 + baseDeclared + 4).Int(baseDeclared).Raw(base.Get()).Int(1999).Int(2999).Get();
    CGridCtrl grid;
    CGridCell cell;
    cell.SetGrid(&grid);
    ASSERT_TRUE(Load(cell, bytes));
    EXPECT_TRUE(cell.IsDefaultFont());
    EXPECT_EQ(font, cell.GetFontXml());
    EXPECT_NE(nullptr, cell.GetFontObject());
    ASSERT_FALSE(cell.IsDefaultFont());
    EXPECT_EQ(FW_BOLD, cell.GetFont()->lfWeight);
    EXPECT_EQ(font, cell.GetFontXml());
}

}  // namespace
