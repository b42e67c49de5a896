// The archive form of binds, bound fields and group-row settings: golden
// bytes, round trips, reserved and unknown items, and malformed input.
#include "binding/BindInfoList.h"
#include "binding/BindRecordFraming.h"

#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "grid/RecordBytes.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

ByteBuilder& Fixed(ByteBuilder& b, const std::string& text, size_t width)
{
    b.Text(text, false);
    for (size_t i = text.size(); i < width; ++i)
        b.Byte(0);
    return b;
}

Bytes StoreList(CBindInfoList& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar.Flush();
    }
    const BYTE* p = file.GetBufferPtr();
    return Bytes(p, p + file.GetLength());
}

bool LoadList(CBindInfoList& list, Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    return list.Load(ar) != FALSE && !ar.IsFailed();
}

}  // namespace

TEST(BindRecords, DefaultBindIsItsNameAlone)
{
    CBindInfo bind("b1");
    ByteBuilder expected;
    expected.Ints({32, 8001, 16});
    Fixed(expected, "b1", 16).Int(8999);
    EXPECT_EQ(expected.Get(), bind.GetRecord());

    // A nameless bind with every member at its default writes nothing.
    EXPECT_TRUE(CBindInfo().GetRecord().empty());
    EXPECT_TRUE(CBindFieldInfo().GetRecord().empty());
    EXPECT_TRUE(CBindGroupRowInfo().GetRecord().empty());
}

TEST(BindRecords, GoldenBindWithFieldAndGroupRow)
{
    CBindInfo bind("body");
    bind.SetDataSource("db", "orders");
    bind.nFillStartRow = 2;
    bind.bAutoRow = 0;
    bind.SetOpenType(1);
    CBindFieldInfo field;
    field.SetFieldName("amount");
    field.nCol = 3;
    field.emStatisticsType = ST_SUM;
    field.emCellBorderFlags = 1 | 4;
    field.arBorders[0] = CBorderBlock{0x10, 0, 1};
    field.arBorders[2] = CBorderBlock{0x20, 1, 1};
    field.arBorders[1] = CBorderBlock{0x30, 0, 2};   // bit not set: not written
    field.strFormatXml = "f";
    bind.GetFieldList().AddField(field);
    bind.GetGroupRowInfo().bGroupAddColValue = 1;

    ByteBuilder fieldRecord;
    fieldRecord.Ints({8 + 68 + 12 + 10 + 10 + 20 + 20 + 10, 6001, 60});
    Fixed(fieldRecord, "amount", 60);
    fieldRecord.Ints({6003, 4, 3, 6006, 2}).Text("f");
    fieldRecord.Ints({6011, 2}).Word(5);
    fieldRecord.Ints({6012, 12, 0x10, 0, 1, 6014, 12, 0x20, 1, 1});
    fieldRecord.Ints({6023, 2}).Word(1).Int(6999);
    ASSERT_EQ(fieldRecord.Get(), field.GetRecord());

    ByteBuilder groupRecord;
    groupRecord.Ints({20, 7002, 4, 1, 7022});

    const int fieldListSize = 4 + 4 + static_cast<int>(fieldRecord.Size());
    ByteBuilder expected;
    const int total = 8 + 24 * 3 + 12 + (8 + fieldListSize) + 12 + (8 + 20) + 10;
    expected.Ints({total, 8001, 16});
    Fixed(expected, "body", 16).Ints({8003, 16});
    Fixed(expected, "db", 16).Ints({8004, 16});
    Fixed(expected, "orders", 16).Ints({8005, 4, 2});
    expected.Ints({8008, fieldListSize, 1, static_cast<int>(fieldRecord.Size())}).Raw(fieldRecord.Get());
    expected.Ints({8012, 4, 0});
    expected.Ints({8014, 20}).Raw(groupRecord.Get());
    expected.Ints({8023, 2}).Word(1).Int(8999);
    EXPECT_EQ(expected.Get(), bind.GetRecord());

    CBindInfoList list;
    list.AddBind("b1", nullptr);
    list.AddBind("b2", nullptr);
    ByteBuilder listBytes;
    ByteBuilder b1;
    b1.Ints({32, 8001, 16});
    Fixed(b1, "b1", 16).Int(8999);
    ByteBuilder b2;
    b2.Ints({32, 8001, 16});
    Fixed(b2, "b2", 16).Int(8999);
    listBytes.Ints({2, 32}).Raw(b1.Get()).Int(32).Raw(b2.Get());
    EXPECT_EQ(listBytes.Get(), StoreList(list));
    EXPECT_EQ(static_cast<int>(listBytes.Size()), list.GetStoredSize());
    CBindInfoList empty;
    EXPECT_EQ(0, empty.GetStoredSize());
    EXPECT_EQ((Bytes{0, 0, 0, 0}), StoreList(empty));
}

TEST(BindRecords, EveryMemberAndReservedItemRoundTrips)
{
    CBindInfoList list;
    CBindInfo* bind = list.AddBind("full", nullptr);
    bind->SetBodyBindName("body");
    bind->SetDataSource("conn", "set");
    bind->nFillStartRow = 0;
    bind->nFillStartCol = 4;
    bind->FillType = BFT_BOTTOM;
    bind->bBlock = 1;
    bind->nRowsPerBlock = 10;
    bind->bAutoRow = 0;
    bind->bAutoCol = 1;
    bind->SetOpenType(1);
    bind->reserved[8007] = Bytes{'x', 0};
    bind->reserved[8020] = Bytes{7, 0, 0, 0};
    CBindFieldInfo field;
    field.SetFieldName("name");
    field.nRow = 1;
    field.nCol = 2;
    field.emFieldBindType = FBT_DEFVALUE;
    field.strControlXml = "<control controltype=\"combobox\"/>";
    field.strFontXml = "font";
    field.bReadOnly = 1;
    field.crBgColor = 0xFF;
    field.crTextColor = 0;
    field.emCellBorderFlags = 15;
    for (int i = 0; i < 4; ++i)
        field.arBorders[i] = CBorderBlock{i, i + 1, i + 2};
    field.nAlign = 5;
    field.bWrap = 1;
    field.bEllipsis = 1;
    field.nColWidth = 0;
    field.nDefDataType = 1;
    field.strDefValue = "默认";
    field.dbDefValue = -2.5;
    field.emStatisticsType = ST_COUNT;
    field.bMergeData = 1;
    field.iGroup = 1;
    field.SetKivoSource("c", "d");
    field.reserved[6029] = Bytes{3, 0};
    bind->GetFieldList().AddField(field);
    bind->GetFieldList().AddField(CBindFieldInfo());      // a field at its defaults: size 0
    CBindGroupRowInfo& group = bind->GetGroupRowInfo();
    group.SetCaption("合计");
    group.crGroupRowBgColor = 1;
    group.crGroupRowTextColor = 2;
    group.strGroupRowFormatXml = "fmt";
    group.strGroupRowFontXml = "fnt";
    group.bGroupRowReadOnly = 1;
    group.nGroupNameDefCol = 0;
    group.emCellBorderFlags = 8;
    group.arBorders[3] = CBorderBlock{9, 0, 1};
    group.reserved[7016] = Bytes(16, 'r');

    const Bytes stored = StoreList(list);
    CBindInfoList loaded;
    ASSERT_TRUE(LoadList(loaded, stored));
    ASSERT_EQ(1, loaded.GetCount());
    EXPECT_EQ(stored, StoreList(loaded));
    const CBindInfo* got = loaded.GetBindAt(0);
    EXPECT_EQ(CString("body"), got->GetBodyBindName());
    EXPECT_EQ(0, got->bAutoRow);
    EXPECT_EQ(BFT_BOTTOM, got->FillType);
    ASSERT_EQ(2, got->GetFieldList().GetCount());
    CBindFieldInfo back;
    got->GetFieldList().GetField(0, back);
    EXPECT_EQ(CString("默认"), back.strDefValue);
    EXPECT_EQ(-2.5, back.dbDefValue);
    EXPECT_EQ(4, back.arBorders[3].lineStyle);
    EXPECT_EQ(CString("d"), back.strDataSetName);
    EXPECT_EQ(1, got->GetGroupRowInfo().nGroupNameDefCol == 0);

    // bAutoRow 1 (its default) survives too.
    bind->bAutoRow = 1;
    ASSERT_TRUE(LoadList(loaded, StoreList(list)));
    EXPECT_EQ(1, loaded.GetBindAt(0)->bAutoRow);
}

TEST(BindRecords, UnknownItemsAreSkippedAndMalformedListsRefused)
{
    ByteBuilder withUnknown;
    withUnknown.Ints({1, 32 + 12, 32 + 12, 8001, 16});
    Fixed(withUnknown, "b1", 16).Ints({8500, 4, 77}).Int(8999);
    CBindInfoList list;
    ASSERT_TRUE(LoadList(list, withUnknown.Get()));
    EXPECT_EQ(CString("b1"), list.GetBindAt(0)->GetName());

    const Bytes good = withUnknown.Get();
    struct Case {
        const char* what;
        Bytes bytes;
    };
    Bytes longItem = good;
    longItem[4 * 5 + 16 + 4] = 0x40;                 // the unknown item claims 64 bytes
    Bytes shortRecord = good;
    shortRecord[8] = 4;                             // a record size below the framing
    Bytes huge = good;
    huge[0] = 0xFF; huge[1] = 0xFF; huge[2] = 0xFF; huge[3] = 0x7F;
    Bytes noEnd = good;
    noEnd[noEnd.size() - 4] = 1;                    // no end tag before the record ends
    const Case cases[] = {
        {"truncated", Bytes(good.begin(), good.end() - 6)},
        {"item longer than its record", longItem},
        {"record smaller than its framing", shortRecord},
        {"count beyond the data", huge},
        {"missing end tag", noEnd},
        {"negative count", Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        CBindInfoList kept;
        kept.AddBind("keep", nullptr);
        EXPECT_FALSE(LoadList(kept, c.bytes)) << c.what;
        ASSERT_EQ(1, kept.GetCount()) << c.what;
        EXPECT_EQ(CString("keep"), kept.GetBindAt(0)->GetName()) << c.what;
    }

    // A nested field list whose count runs past its item is refused as well.
    CBindInfo bind("x");
    ByteBuilder nested;
    nested.Ints({8 + 8 + 4, 8008, 4, 5, 8999});
    EXPECT_FALSE(bind.ReadRecord(nested.Get().data(), nested.Size()));
}

TEST(BindRecords, NamesAreCutAtCharacterBoundaries)
{
    struct Case {
        const char* name;
        const char* kept;
    };
    const Case cases[] = {
        {"abcdefghijklmnopq", "abcdefghijklmno"},
        {"一二三四五六七八", "一二三四五六七"},    // 16 bytes: the 8th character would cut through
        {"a一二三四五六七八", "a一二三四五六七"},  // 15 bytes exactly
    };
    for (const Case& c : cases) {
        CBindInfo bind(c.name);
        EXPECT_EQ(CString(c.kept), bind.GetName()) << c.kept;
        bind.SetDataSource(c.name, c.name);
        EXPECT_EQ(CString(c.kept), bind.GetConnName());
    }
    // Duplicates are checked after the cut.
    CBindInfoList list;
    ASSERT_NE(nullptr, list.AddBind("abcdefghijklmnoX", nullptr));
    EXPECT_EQ(nullptr, list.AddBind("abcdefghijklmnoY", nullptr));

    CBindFieldInfo field;
    field.SetFieldName(std::string(70, 'n').c_str());
    EXPECT_EQ(59, field.strFieldName.GetLength());
    CBindGroupRowInfo group;
    EXPECT_EQ(CString(" 分组合计 "), group.sGroupDefaultName);
    group.SetCaption(std::string(80, 'c').c_str());
    EXPECT_EQ(63, group.sGroupDefaultName.GetLength());
}
