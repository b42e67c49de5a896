// CArchive byte forms (golden bytes), failure status on short or malformed
// input, and the CMemFile/CFile beneath it.
#include "base/CArchive.h"
#include "base/CFile.h"
#include "base/CMemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

Bytes Content(const CMemFile& f)
{
    const BYTE* p = f.GetBufferPtr();
    return p ? Bytes(p, p + f.GetLength()) : Bytes();
}

// A memory file holding the given bytes, positioned at the start.
struct Source {
    explicit Source(const Bytes& bytes) : data(bytes)
    {
        if (!data.empty())
            file.Write(data.data(), static_cast<UINT>(data.size()));
        file.SeekToBegin();
    }
    Bytes data;
    CMemFile file;
};

template <class Fn>
Bytes Store(Fn fn)
{
    CMemFile f;
    CArchive ar(&f, CArchive::store);
    fn(ar);
    ar.Close();
    EXPECT_FALSE(ar.IsFailed());
    return Content(f);
}

Bytes StringForm(const CString& s)
{
    return Store([&](CArchive& ar) { ar << s; });
}

}  // namespace

TEST(Archive, IntegralAndFloatingGoldenBytes)
{
    Bytes b = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(1) << 'A' << static_cast<signed char>(-1) << static_cast<WORD>(0x1234)
           << static_cast<short>(-2) << 0x01020304 << 0xFFFFFFFEu << static_cast<LONGLONG>(-3)
           << static_cast<ULONGLONG>(0x0102030405060708ULL) << 1.5f << 2.5 << static_cast<LONG>(-4)
           << static_cast<DWORD>(0x11223344);
    });
    const Bytes expected = {
        0x01, 0x41, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF,
        0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,
        0x00, 0x00, 0xC0, 0x3F,                                   // 1.5f
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x40,           // 2.5
        0xFC, 0xFF, 0xFF, 0xFF,                                   // LONG -4
        0x44, 0x33, 0x22, 0x11,                                   // DWORD
    };
    EXPECT_EQ(b, expected);

    Source src(b);
    CArchive ar(&src.file, CArchive::load);
    BYTE by = 0;
    char ch = 0;
    signed char sc = 0;
    WORD w = 0;
    short sh = 0;
    int i = 0;
    UINT u = 0;
    LONGLONG ll = 0;
    ULONGLONG ull = 0;
    float f = 0;
    double d = 0;
    LONG l = 0;
    DWORD dw = 0;
    ar >> by >> ch >> sc >> w >> sh >> i >> u >> ll >> ull >> f >> d >> l >> dw;
    EXPECT_FALSE(ar.IsFailed());
    EXPECT_EQ(by, 1);
    EXPECT_EQ(ch, 'A');
    EXPECT_EQ(sc, -1);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(sh, -2);
    EXPECT_EQ(i, 0x01020304);
    EXPECT_EQ(u, 0xFFFFFFFEu);
    EXPECT_EQ(ll, -3);
    EXPECT_EQ(ull, 0x0102030405060708ULL);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(l, -4);
    EXPECT_EQ(dw, 0x11223344u);
    EXPECT_EQ(ar.GetRemaining(), 0u);
}

TEST(Archive, StringLengthPrefixForms)
{
    struct Case {
        int length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {3, {0x03}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        CString s('q', c.length);
        Bytes b = StringForm(s);
        ASSERT_EQ(b.size(), c.prefix.size() + static_cast<size_t>(c.length)) << c.length;
        EXPECT_EQ(Bytes(b.begin(), b.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.length;

        Source src(b);
        CArchive ar(&src.file, CArchive::load);
        CString back;
        ar >> back;
        EXPECT_FALSE(ar.IsFailed()) << c.length;
        EXPECT_EQ(back.GetLength(), c.length);
        EXPECT_TRUE(back == s);
    }
    EXPECT_EQ(StringForm(CString("中文")), (Bytes{0x04, 0xD6, 0xD0, 0xCE, 0xC4}));
}

TEST(Archive, ReadsWideStringForm)
{
    // Wide marker, then two UTF-16 units: U+4E2D U+6587.
    Source src(Bytes{0xFF, 0xFE, 0xFF, 0x02, 0x2D, 0x4E, 0x87, 0x65, 0x07});
    CArchive ar(&src.file, CArchive::load);
    CString s;
    BYTE after = 0;
    ar >> s >> after;
    EXPECT_FALSE(ar.IsFailed());
    EXPECT_EQ(s, "中文");
    EXPECT_EQ(after, 7);
}

TEST(Archive, MalformedStringLengthsFail)
{
    const Bytes cases[] = {
        {0x05, 'a', 'b'},                                   // longer than what remains
        {0xFF, 0x00, 0x01},                                 // WORD length 256, nothing follows
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},         // DWORD length far beyond the end
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // 64-bit
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00},  // wide marker twice
        {0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42},         // wide: 2 units need 4 bytes
        {0xFF},                                             // prefix cut short
    };
    for (const Bytes& b : cases) {
        Source src(b);
        CArchive ar(&src.file, CArchive::load);
        CString s("old");
        ar >> s;
        EXPECT_TRUE(ar.IsFailed());
        EXPECT_TRUE(s.IsEmpty());
    }
}

TEST(Archive, ReadPastEndIsStatusAndStaysFailed)
{
    Source src(Bytes{0x01, 0x02, 0x03});
    CArchive ar(&src.file, CArchive::load);
    int i = 99;
    ar >> i;
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_EQ(ar.GetStatus(), CArchive::statusEndOfFile);
    EXPECT_EQ(ar.GetRemaining(), 0u);

    // Later reads keep failing and yield zeros even after repositioning the file.
    src.file.SeekToBegin();
    BYTE b = 9;
    double d = 9;
    CString s("x");
    ar >> b >> d >> s;
    EXPECT_EQ(b, 0);
    EXPECT_EQ(d, 0.0);
    EXPECT_TRUE(s.IsEmpty());
    char buf[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(ar.Read(buf, 4), 0u);
    EXPECT_EQ(std::string(buf, 4), std::string(4, '\0'));
    EXPECT_EQ(ar.GetStatus(), CArchive::statusEndOfFile);    // the first failure is kept
}

TEST(Archive, ShortReadZeroFillsTheRest)
{
    Source src(Bytes{'a', 'b'});
    CArchive ar(&src.file, CArchive::load);
    char buf[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(ar.Read(buf, 5), 2u);
    EXPECT_EQ(std::string(buf, 5), std::string("ab\0\0\0", 5));
    EXPECT_TRUE(ar.IsFailed());
}

TEST(Archive, CountedTextGoldenBytesAndBounds)
{
    Bytes b = Store([](CArchive& ar) {
        ar.WriteCountedText(CString("中a"));
        ar.WriteCountedText(CString());
    });
    EXPECT_EQ(b, (Bytes{0x03, 0x00, 0x00, 0x00, 0xD6, 0xD0, 'a', 0x00, 0x00, 0x00, 0x00}));
    {
        Source src(b);
        CArchive ar(&src.file, CArchive::load);
        CString first, second("x");
        EXPECT_TRUE(ar.ReadCountedText(first));
        EXPECT_TRUE(ar.ReadCountedText(second));
        EXPECT_EQ(first, "中a");
        EXPECT_TRUE(second.IsEmpty());
        EXPECT_FALSE(ar.IsFailed());
    }
    const Bytes bad[] = {
        {0x05, 0x00, 0x00, 0x00, 'a', 'b', 'c'},    // count exceeds what remains
        {0xFF, 0xFF, 0xFF, 0xFF, 'a'},              // negative count
        {0xFF, 0xFF, 0xFF, 0x7F},                   // huge count, nothing follows
        {0x01, 0x00},                               // count itself cut short
    };
    for (const Bytes& input : bad) {
        Source src(input);
        CArchive ar(&src.file, CArchive::load);
        CString s("old");
        EXPECT_FALSE(ar.ReadCountedText(s));
        EXPECT_TRUE(s.IsEmpty());
        EXPECT_TRUE(ar.IsFailed());
    }
}

TEST(Archive, PaddedTextGoldenBytes)
{
    Bytes b = Store([](CArchive& ar) {
        ar.WritePaddedText("KIVO", 5);
        ar.WritePaddedText("中文", 3);      // cut before the half character
        ar.WritePaddedText("toolong", 3);
        ar.WritePaddedText(nullptr, 2);
    });
    EXPECT_EQ(b, (Bytes{'K', 'I', 'V', 'O', 0, 0xD6, 0xD0, 0, 't', 'o', 'o', 0, 0}));
    Source src(b);
    CArchive ar(&src.file, CArchive::load);
    CString a, c, d, e;
    EXPECT_TRUE(ar.ReadPaddedText(a, 5));
    EXPECT_TRUE(ar.ReadPaddedText(c, 3));
    EXPECT_TRUE(ar.ReadPaddedText(d, 3));
    EXPECT_TRUE(ar.ReadPaddedText(e, 2));
    EXPECT_EQ(a, "KIVO");
    EXPECT_EQ(c, "中");
    EXPECT_EQ(d, "too");
    EXPECT_TRUE(e.IsEmpty());
    CString f;
    EXPECT_FALSE(ar.ReadPaddedText(f, 1));
    EXPECT_TRUE(ar.IsFailed());
}

TEST(Archive, WrongModeIsStatus)
{
    CMemFile f;
    {
        CArchive ar(&f, CArchive::load);
        ar << 5;
        EXPECT_EQ(ar.GetStatus(), CArchive::statusWrongMode);
    }
    EXPECT_EQ(f.GetLength(), 0u);
    {
        CArchive ar(&f, CArchive::store);
        int i = 7;
        ar >> i;
        EXPECT_EQ(i, 0);
        EXPECT_EQ(ar.GetStatus(), CArchive::statusWrongMode);
    }
    {
        CArchive ar(nullptr, CArchive::load);
        int i = 7;
        ar >> i;
        EXPECT_EQ(i, 0);
        EXPECT_TRUE(ar.IsFailed());
        EXPECT_EQ(ar.GetRemaining(), 0u);
    }
    {
        CArchive ar(&f, CArchive::store);
        ar.Close();
        ar << 1;
        EXPECT_TRUE(ar.IsFailed());
    }
}

TEST(Archive, WriteFailureIsStatus)
{
    BYTE fixed[3] = {0, 0, 0};
    CMemFile f(fixed, sizeof fixed);    // fixed size: nothing beyond 3 bytes
    CArchive ar(&f, CArchive::store);
    ar << static_cast<WORD>(0x0102);
    EXPECT_FALSE(ar.IsFailed());
    ar << 0x7;
    EXPECT_EQ(ar.GetStatus(), CArchive::statusWriteFailed);
}

// A buffered archive stores and loads the same bytes as a direct one, counts
// what remains from its own position, and reports a refused write at the
// flush.
TEST(Archive, BufferedArchiveMatchesTheDirectOne)
{
    Bytes big(10000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<BYTE>(i * 7);
    auto write = [&](CArchive& ar) {
        for (int i = 0; i < 3000; ++i)
            ar << i << static_cast<BYTE>(i) << static_cast<double>(i) / 3;
        ar.Write(big.data(), static_cast<UINT>(big.size()));   // longer than the buffer
        ar << CString("tail") << static_cast<short>(-2);
        ar.WriteCountedText("counted");
    };
    CMemFile direct;
    {
        CArchive ar(&direct, CArchive::store);
        write(ar);
    }
    CMemFile buffered;
    {
        CArchive ar(&buffered, CArchive::store | CArchive::bBuffered, 4096);
        write(ar);
        EXPECT_LT(buffered.GetLength(), direct.GetLength());   // some bytes still wait
        EXPECT_FALSE(ar.IsFailed());
    }
    ASSERT_EQ(Content(direct), Content(buffered));

    Source source(Content(direct));
    CArchive in(&source.file, CArchive::load | CArchive::bBuffered, 4096);
    for (int i = 0; i < 3000; ++i) {
        int v = -1;
        BYTE b = 0;
        double d = 0;
        in >> v >> b >> d;
        ASSERT_EQ(i, v);
        ASSERT_EQ(static_cast<BYTE>(i), b);
        ASSERT_EQ(static_cast<double>(i) / 3, d);
        ASSERT_EQ(source.data.size() - static_cast<size_t>(i + 1) * 13, in.GetRemaining());
    }
    Bytes back(big.size());
    EXPECT_EQ(big.size(), in.Read(back.data(), static_cast<UINT>(back.size())));
    EXPECT_EQ(big, back);
    CString tail, counted;
    short s = 0;
    in >> tail >> s;
    in.ReadCountedText(counted);
    EXPECT_STREQ("tail", tail);
    EXPECT_EQ(-2, s);
    EXPECT_STREQ("counted", counted);
    EXPECT_EQ(0u, in.GetRemaining());
    int past = 5;
    in >> past;
    EXPECT_EQ(0, past);
    EXPECT_EQ(CArchive::statusEndOfFile, in.GetStatus());

    // A counted text longer than what remains fails with the bytes read ahead counted.
    Source shortText(Bytes{9, 0, 0, 0, 'a', 'b'});
    CArchive cut(&shortText.file, CArchive::load | CArchive::bBuffered);
    CString text;
    EXPECT_FALSE(cut.ReadCountedText(text));
    EXPECT_EQ(CArchive::statusBadCount, cut.GetStatus());

    BYTE fixed[3] = {0, 0, 0};
    CMemFile small(fixed, sizeof fixed);
    CArchive refused(&small, CArchive::store | CArchive::bBuffered);
    refused << 1 << 2;
    EXPECT_FALSE(refused.IsFailed());    // still in the buffer
    refused.Flush();
    EXPECT_EQ(CArchive::statusWriteFailed, refused.GetStatus());
}

TEST(MemFile, GrowSeekAndZeroFill)
{
    CMemFile f(4);
    EXPECT_TRUE(f.Write("abc", 3));
    EXPECT_EQ(f.Seek(2, CFile::end), 5);
    EXPECT_TRUE(f.Write("z", 1));
    EXPECT_EQ(f.GetLength(), 6u);
    EXPECT_EQ(Content(f), (Bytes{'a', 'b', 'c', 0, 0, 'z'}));
    EXPECT_EQ(f.Seek(-100, CFile::current), -1);    // position unchanged
    EXPECT_EQ(f.GetPosition(), 6u);
    EXPECT_EQ(f.Seek(-2, CFile::current), 4);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 2u);
    EXPECT_EQ(f.Read(buf, 8), 0u);
    EXPECT_EQ(f.Seek(0, 7), -1);
    EXPECT_TRUE(f.SetLength(2));
    EXPECT_EQ(Content(f), (Bytes{'a', 'b'}));
    EXPECT_TRUE(f.SetLength(4));
    EXPECT_EQ(Content(f), (Bytes{'a', 'b', 0, 0}));
    EXPECT_FALSE(f.SetLength(0x100000000ULL));
    f.Close();
    EXPECT_EQ(f.GetLength(), 0u);
    EXPECT_EQ(f.GetBufferPtr(), nullptr);
}

TEST(MemFile, CallersBuffer)
{
    BYTE fixed[4] = {'w', 'x', 'y', 'z'};
    {
        CMemFile f(fixed, 4);    // fixed: content is the whole buffer
        EXPECT_EQ(f.GetLength(), 4u);
        char c = 0;
        EXPECT_EQ(f.Read(&c, 1), 1u);
        EXPECT_EQ(c, 'w');
        EXPECT_TRUE(f.Write("XY", 2));
        EXPECT_FALSE(f.Write("abc", 3));    // does not fit
        EXPECT_EQ(std::string(reinterpret_cast<char*>(fixed), 4), "wXYz");
        EXPECT_EQ(f.Detach(), fixed);
    }
    BYTE small[2] = {'-', '-'};
    {
        CMemFile f(small, 2, 16);    // growable: starts empty, moves out when it grows
        EXPECT_EQ(f.GetLength(), 0u);
        EXPECT_TRUE(f.Write("ab", 2));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(small), 2), "ab");
        EXPECT_TRUE(f.Write("cdef", 4));
        EXPECT_EQ(Content(f), (Bytes{'a', 'b', 'c', 'd', 'e', 'f'}));
        BYTE* p = f.Detach();
        ASSERT_NE(p, nullptr);
        EXPECT_NE(p, small);
        EXPECT_EQ(std::memcmp(p, "abcdef", 6), 0);
        std::free(p);
        EXPECT_EQ(f.GetLength(), 0u);
        EXPECT_TRUE(f.Write("q", 1));    // usable again after Detach
    }
}

TEST(File, OpenReadWriteSeek)
{
    const char* path = "kivo_base_file_test.bin";
    CFile::Remove(path);
    CFile missing;
    EXPECT_FALSE(missing.Open(path, CFile::modeRead));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.Read(nullptr, 0), 0u);
    EXPECT_EQ(missing.Seek(0, CFile::begin), -1);

    {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        CArchive ar(&f, CArchive::store);
        ar << 0x01020304;
        ar.WriteCountedText(CString("中文"));
        ar.Close();
        char c;
        EXPECT_EQ(f.Read(&c, 1), 0u);    // write-only
        EXPECT_EQ(f.GetLength(), 12u);
        EXPECT_EQ(f.GetFilePath(), path);
        EXPECT_EQ(f.GetFileName(), path);
    }
    {
        CFile f(path, CFile::modeRead | CFile::shareDenyNone);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_FALSE(f.Write("x", 1));    // read-only
        CArchive ar(&f, CArchive::load);
        int i = 0;
        CString s;
        ar >> i;
        EXPECT_EQ(ar.GetRemaining(), 8u);
        ar.ReadCountedText(s);
        EXPECT_EQ(i, 0x01020304);
        EXPECT_EQ(s, "中文");
        EXPECT_FALSE(ar.IsFailed());
        EXPECT_EQ(f.Seek(-2, CFile::end), 10);
        EXPECT_EQ(f.Seek(-11, CFile::current), -1);
        EXPECT_EQ(f.GetPosition(), 10u);
        EXPECT_EQ(f.SeekToEnd(), 12u);
    }
    {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
        EXPECT_EQ(f.GetLength(), 12u);    // kept
        char buf[4] = {};
        EXPECT_EQ(f.Read(buf, 4), 4u);
        EXPECT_TRUE(f.Write("\x09\x08", 2));    // switching from reading to writing
        EXPECT_EQ(f.Read(buf, 3), 3u);            // and back
        EXPECT_EQ(std::string(buf, 3), std::string("\0\0\xD6", 3));
        f.SeekToBegin();
        EXPECT_EQ(f.Read(buf, 4), 4u);
        EXPECT_EQ(f.Read(buf, 2), 2u);
        EXPECT_EQ(std::string(buf, 2), "\x09\x08");
        EXPECT_TRUE(f.SetLength(3));
        EXPECT_EQ(f.GetLength(), 3u);
        EXPECT_TRUE(f.SetLength(5));
        f.SeekToBegin();
        char all[5];
        EXPECT_EQ(f.Read(all, 5), 5u);
        EXPECT_EQ(std::string(all, 5), std::string("\x04\x03\x02\0\0", 5));
    }
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);    // truncates
        EXPECT_EQ(f.GetLength(), 0u);
    }
    EXPECT_TRUE(CFile::Remove(path));
    EXPECT_FALSE(CFile::Remove(path));
}

TEST(File, ChinesePathAndRename)
{
    const char* path = "kivo_测试_文件.bin";
    const char* renamed = "kivo_测试_改名.bin";
    CFile::Remove(path);
    CFile::Remove(renamed);
    {
        CFile f;
        ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeWrite));
        EXPECT_TRUE(f.Write("ok", 2));
        EXPECT_EQ(f.GetFileName(), path);
    }
    EXPECT_TRUE(CFile::Rename(path, renamed));
    CFile g;
    EXPECT_FALSE(g.Open(path, CFile::modeRead));
    ASSERT_TRUE(g.Open(renamed, CFile::modeRead));
    EXPECT_EQ(g.GetLength(), 2u);
    g.Close();
    g.Close();    // harmless twice
    EXPECT_TRUE(CFile::Remove(renamed));
    EXPECT_FALSE(CFile().Open("", CFile::modeRead));
    EXPECT_FALSE(CFile().Open(nullptr, CFile::modeRead));
}

TEST(File, FileNameStepsOverTrailBackslash)
{
    CFile f;
    std::string path = std::string("kivo_dir_") + "\x95\\" + ".bin";    // a trail byte 0x5C
    CFile::Remove(path.c_str());
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(f.GetFileName().Str(), path);
    f.Close();
    CFile::Remove(path.c_str());
}
