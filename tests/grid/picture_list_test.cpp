// The picture list: ids, the picture record and the list's archive form.
#include "grid/GridPictureList.h"

#include "base/CFile.h"
#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <cstring>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

const BYTE kPicture[] = {0x89, 'P', 'N', 'G', 1, 2, 3};

TEST(PictureList, IdsGrowAndAreNeverReused)
{
    CGridPictureList list;
    EXPECT_EQ(0, list.AddPictureData(kPicture, 3));
    EXPECT_EQ(1, list.AddPictureData(kPicture, 4));
    EXPECT_EQ(0, list.DeletePicture(0));         // its former index
    EXPECT_EQ(2, list.AddPictureData(kPicture, 5));
    EXPECT_EQ(1, list.GetPictureId(0));
    EXPECT_EQ(2, list.GetPictureId(1));
    EXPECT_EQ(-1, list.GetPictureId(2));
    EXPECT_EQ(-1, list.GetPictureId(-1));
    EXPECT_EQ(-1, list.GetPictureId(65536));     // no 16-bit wrap-around to entry 0
    EXPECT_EQ(1, list.FindPicture(2));
    EXPECT_EQ(-1, list.FindPicture(0));
    EXPECT_EQ(-1, list.DeletePicture(0));
    EXPECT_EQ(nullptr, list.GetBitmap(1));       // bytes are kept, no decoder yet

    EXPECT_EQ(2, list.DeleteAll());
    EXPECT_EQ(0, list.AddPictureData(kPicture, 3));  // the counter starts again

    EXPECT_EQ(-1, list.AddPictureData(nullptr, 3));
    EXPECT_EQ(-1, list.AddPictureData(kPicture, 0));
    EXPECT_EQ(-1, list.AddPictureFile(""));
    EXPECT_EQ(-1, list.AddPictureFile("no_such_picture_file.png"));
}

TEST(PictureList, EntryRecordGoldenBytes)
{
    struct Case {
        const char* name;
        GridPictureEntry entry;
        Bytes expected;
    };
    GridPictureEntry plain;
    plain.wId = 0;
    plain.nByteCount = 3;
    plain.bytes.assign(kPicture, kPicture + 3);
    GridPictureEntry named = plain;
    named.wId = 0x1234;
    named.strName = "logo";
    named.byOption1 = 5;
    named.nOptionShort = 7;
    GridPictureEntry empty;

    Case cases[] = {
        // Option bytes of 255 and the -1 option numbers are not written.
        {"defaults", plain,
         ByteBuilder().Ints({41, 10401, 2}).Word(0).Ints({10402, 4, 3, 10403, 3}).Byte(0x89).Byte('P').Byte('N')
             .Int(10599).Get()},
        {"name and options", named,
         ByteBuilder().Ints({73, 10401, 2}).Word(0x1234).Ints({10402, 4, 3, 10403, 3}).Byte(0x89).Byte('P')
             .Byte('N').Ints({10404, 1}).Byte(5).Ints({10407, 2}).Word(7).Ints({10408, 5}).Text("logo")
             .Int(10599).Get()},
        {"nothing set", empty, ByteBuilder().Int(0).Get()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, gridtest::StoreBytes([&](CArchive& ar) { c.entry.WriteRecord(ar); })) << c.name;
        EXPECT_EQ(c.expected.size() > 4 ? static_cast<int>(c.expected.size()) : 0, c.entry.GetRecordSize())
            << c.name;
        GridPictureEntry read;
        ULONGLONG remaining = 1;
        ASSERT_TRUE(gridtest::LoadBytes(c.expected, [&](CArchive& ar) { read.ReadRecord(ar); }, &remaining))
            << c.name;
        EXPECT_EQ(0u, remaining);
        EXPECT_EQ(c.expected, gridtest::StoreBytes([&](CArchive& ar) { read.WriteRecord(ar); })) << c.name;
    }
}

TEST(PictureList, ListRoundTripKeepsIdsAndCounter)
{
    CGridPictureList list;
    list.AddPictureData(kPicture, 7);
    list.AddPictureData(kPicture, 2);
    list.AddPictureData(kPicture, 5);
    list.DeletePicture(1);
    Bytes bytes = gridtest::StoreBytes([&](CArchive& ar) {
        ar << list.GetCount();
        list.Serialize(ar, list.GetCount());
    });

    CGridPictureList loaded;
    loaded.AddPictureData(kPicture, 1);          // replaced by the load
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) {
        int count = 0;
        ar >> count;
        loaded.Serialize(ar, count);
    }));
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_EQ(0, loaded.GetPictureId(0));
    EXPECT_EQ(2, loaded.GetPictureId(1));
    EXPECT_EQ(3, loaded.GetNextId());
    EXPECT_EQ(5u, loaded.GetEntryAt(1)->bytes.size());
    EXPECT_EQ(3, loaded.AddPictureData(kPicture, 1));
}

TEST(PictureList, ReaderSkipsForeignItemsAndRefusesDamage)
{
    Bytes foreign = ByteBuilder().Ints({41, 10401, 2}).Word(9).Ints({10550, 3}).Byte(1).Byte(2).Byte(3)
                        .Ints({10402, 4, 0, 10599}).Get();
    GridPictureEntry entry;
    ASSERT_TRUE(gridtest::LoadBytes(foreign, [&](CArchive& ar) { entry.ReadRecord(ar); }));
    EXPECT_EQ(9, entry.wId);

    struct Case {
        const char* name;
        Bytes bytes;
    } damaged[] = {
        {"item beyond the total", ByteBuilder().Ints({20, 10403, 50}).Get()},
        {"negative length", ByteBuilder().Ints({20, 10403, -1}).Get()},
        {"bytes beyond the stream", ByteBuilder().Ints({100, 10403, 80, 1, 2}).Get()},
        {"total below its own size", ByteBuilder().Ints({4, 10599}).Get()},
        {"no end tag", ByteBuilder().Ints({22, 10402, 4, 1}).Get()},
    };
    for (const Case& c : damaged) {
        GridPictureEntry e;
        EXPECT_FALSE(gridtest::LoadBytes(c.bytes, [&](CArchive& ar) { e.ReadRecord(ar); })) << c.name;
    }

    CGridPictureList list;
    EXPECT_FALSE(gridtest::LoadBytes(ByteBuilder().Ints({0, 0}).Get(),
                                     [&](CArchive& ar) { list.Serialize(ar, 1000000); }));
    EXPECT_FALSE(gridtest::LoadBytes(ByteBuilder().Ints({0, 0}).Get(), [&](CArchive& ar) { list.Serialize(ar, -1); }));
}

TEST(PictureList, FilesInAndOut)
{
    const char* source = "kivo_grid_picture_in.bin";
    const char* target = "kivo_grid_picture_out.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(source, CFile::modeCreate | CFile::modeWrite));
        file.Write(kPicture, sizeof(kPicture));
    }
    CGridPictureList list;
    int id = list.AddPictureFile(source);
    ASSERT_EQ(0, id);
    EXPECT_EQ(static_cast<int>(sizeof(kPicture)), list.GetEntryAt(0)->nByteCount);

    EXPECT_FALSE(list.SavePictureFile(5, target));
    EXPECT_FALSE(list.SavePictureFile(id, ""));
    ASSERT_TRUE(list.SavePictureFile(id, target));
    CFile file;
    ASSERT_TRUE(file.Open(target, CFile::modeRead));
    BYTE copy[32] = {};
    EXPECT_EQ(sizeof(kPicture), file.Read(copy, sizeof(copy)));
    EXPECT_EQ(0, std::memcmp(copy, kPicture, sizeof(kPicture)));
    file.Close();
    CFile::Remove(source);
    CFile::Remove(target);
}

// A 2 x 2 bitmap of 24 bits, and the same bitmap claiming its pixels start at
// 0x7FFFFFF0 (246 bytes): the first reaches the decoder, the second is kept
// without a bitmap, whether added or brought by a stored record.
std::vector<BYTE> SmallBitmap(uint32_t offBits, size_t size)
{
    std::vector<BYTE> b(size, 0);
    b[0] = 'B', b[1] = 'M';
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + static_cast<size_t>(i)] = static_cast<BYTE>(v >> (8 * i));
    };
    put32(2, static_cast<uint32_t>(size));
    put32(10, offBits);
    put32(14, 40);
    put32(18, 2);
    put32(22, 2);
    b[26] = 1;
    b[28] = 24;
    return b;
}

TEST(PictureList, APictureWhoseHeaderDoesNotFitNeverReachesTheDecoder)
{
    const std::vector<BYTE> sound = SmallBitmap(54, 54 + 16);
    const std::vector<BYTE> hostile = SmallBitmap(0x7FFFFFF0, 246);
    CGridPictureList list;
    const int id = list.AddPictureData(sound.data(), static_cast<int>(sound.size()));
    ASSERT_EQ(0, id);
    EXPECT_NE(nullptr, list.GetBitmap(id));
    const int kept = list.AddPictureData(hostile.data(), static_cast<int>(hostile.size()));
    ASSERT_EQ(1, kept);
    EXPECT_EQ(nullptr, list.GetBitmap(kept));

    // A stored list carrying the hostile bytes: they come back as they were,
    // with no bitmap.
    GridPictureEntry entry;
    entry.wId = 7;
    entry.nByteCount = static_cast<int>(hostile.size());
    entry.bytes = hostile;
    Bytes bytes = gridtest::StoreBytes([&](CArchive& ar) {
        entry.WriteRecord(ar);
        ar << 8;
    });
    CGridPictureList loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar, 1); }));
    ASSERT_EQ(1, loaded.GetCount());
    EXPECT_EQ(hostile, loaded.GetEntryAt(0)->bytes);
    EXPECT_EQ(nullptr, loaded.GetBitmap(7));
}

}  // namespace
