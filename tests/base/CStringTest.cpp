// CString: clamping, code-page-aware searching, case and trimming, formatting.
#include "base/CString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Two-byte characters whose trail byte is an ASCII letter or a backslash:
// 0x81 0x61 ("a" as trail), 0x81 0x41 ("A" as trail), 0x95 0x5C ("\" as trail).
const char kTrailA[] = "\x81" "a";
const char kTrailUpperA[] = "\x81" "A";
const char kTrailBackslash[] = "\x95" "\\";

std::string Bytes(const CString& s) { return s.Str(); }

}  // namespace

TEST(CString, ChineseLiteralIsCodePage936AtRunTime)
{
    CString s("中");
    ASSERT_EQ(s.GetLength(), 2);
    EXPECT_EQ(static_cast<unsigned char>(s[0]), 0xD6);
    EXPECT_EQ(static_cast<unsigned char>(s[1]), 0xD0);
}

TEST(CString, ConstructionAndNullPointers)
{
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr), 5).IsEmpty());
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_TRUE(CString('x', -2).IsEmpty());
    CString embedded("a\0b", 3);
    EXPECT_EQ(embedded.GetLength(), 3);
    CString s = "abc";
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = "hello";
    s = s.GetString() + 1;    // assignment from its own bytes
    EXPECT_EQ(s, "ello");
    s += s.GetString();
    EXPECT_EQ(s, "elloello");
}

TEST(CString, ElementAccessOutOfRangeIsHarmless)
{
    CString s("ab");
    EXPECT_EQ(s.GetAt(-1), '\0');
    EXPECT_EQ(s.GetAt(2), '\0');
    EXPECT_EQ(s[100], '\0');
    s.SetAt(5, 'x');
    s.SetAt(-1, 'x');
    EXPECT_EQ(s, "ab");
    s.SetAt(1, 'z');
    EXPECT_EQ(s, "az");
}

TEST(CString, MidLeftRightClamp)
{
    const CString s("abcdef");
    struct Case {
        int first, count;
        const char* mid;
    } mids[] = {
        {0, 3, "abc"}, {2, 2, "cd"}, {4, 10, "ef"}, {-3, 2, "ab"}, {6, 1, ""},
        {10, 1, ""},   {2, -1, ""},  {2, 0, ""},    {0, 0x7FFFFFFF, "abcdef"}, {5, 0x7FFFFFFF, "f"},
    };
    for (const auto& c : mids)
        EXPECT_EQ(s.Mid(c.first, c.count), c.mid) << c.first << "," << c.count;
    EXPECT_EQ(s.Mid(3), "def");
    EXPECT_EQ(s.Mid(-1), "abcdef");
    EXPECT_EQ(s.Mid(7), "");
    EXPECT_EQ(s.Left(2), "ab");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(100), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(-5), "");
    EXPECT_EQ(s.Right(100), "abcdef");
}

TEST(CString, FindSkipsTrailBytes)
{
    CString s = CString(kTrailA) + "a";    // the only real 'a' is at byte 2
    EXPECT_EQ(s.Find('a'), 2);
    EXPECT_EQ(s.Find("a"), 2);
    EXPECT_EQ(s.ReverseFind('a'), 2);
    EXPECT_EQ(s.FindOneOf("xa"), 2);

    CString path = CString("C:\\dir\\") + kTrailBackslash;
    EXPECT_EQ(path.ReverseFind('\\'), 6);
    EXPECT_EQ(path.Find('\\', 3), 6);

    CString text("中文abc中文");
    EXPECT_EQ(text.Find("文"), 2);
    EXPECT_EQ(text.Find("文", 3), 9);
    EXPECT_EQ(text.Find("abc"), 4);
    EXPECT_EQ(text.Find("xyz"), -1);
    EXPECT_EQ(text.Find('c', 100), -1);
    EXPECT_EQ(text.Find("", 4), 4);
    EXPECT_EQ(text.Find("", 3), 4);    // 3 is inside a character: the next start
    EXPECT_EQ(text.Find("", 100), -1);
    EXPECT_EQ(text.Find(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(text.FindOneOf("文"), 2);    // two-byte members of the set match whole
    EXPECT_EQ(CString("\xD6\xD0").FindOneOf("\xD0"), -1);
}

TEST(CString, ReplaceAndRemoveRespectCharacters)
{
    struct Case {
        std::string text;
        const char* from;
        const char* to;
        int count;
        std::string result;
    } cases[] = {
        {"a-b-c", "-", "+", 2, "a+b+c"},
        {"aaa", "aa", "b", 1, "ba"},               // non-overlapping, left to right
        {"abc", "", "x", 0, "abc"},
        {"abc", "b", nullptr, 1, "ac"},
        {"中文中文", "中", "zh", 2, "zh文zh文"},
        {std::string(kTrailA) + "a", "a", "X", 1, std::string(kTrailA) + "X"},
        {"xyz", "q", "r", 0, "xyz"},
    };
    for (const auto& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.Replace(c.from, c.to), c.count) << c.text;
        EXPECT_EQ(Bytes(s), c.result) << c.text;
    }

    CString t = CString(kTrailA) + "a";
    EXPECT_EQ(t.Replace('a', 'b'), 1);
    EXPECT_EQ(Bytes(t), std::string(kTrailA) + "b");
    CString r = CString(kTrailA) + "aa";
    EXPECT_EQ(r.Remove('a'), 2);
    EXPECT_EQ(Bytes(r), std::string(kTrailA));
}

TEST(CString, InsertAndDeleteClamp)
{
    CString s("abc");
    EXPECT_EQ(s.Insert(-5, 'x'), 4);
    EXPECT_EQ(s, "xabc");
    EXPECT_EQ(s.Insert(100, "yz"), 6);
    EXPECT_EQ(s, "xabcyz");
    EXPECT_EQ(s.Insert(1, s.GetString()), 12);    // from its own bytes
    EXPECT_EQ(s, "xxabcyzabcyz");
    EXPECT_EQ(s.Delete(2, 100), 2);
    EXPECT_EQ(s, "xx");
    EXPECT_EQ(s.Delete(-1, 1), 1);
    EXPECT_EQ(s.Delete(5, 1), 1);
    EXPECT_EQ(s.Delete(0, -1), 1);
    EXPECT_EQ(s, "x");
}

TEST(CString, CaseMappingLeavesTrailBytes)
{
    CString s = CString(kTrailA) + "ab中Z";
    s.MakeUpper();
    EXPECT_EQ(Bytes(s), std::string(kTrailA) + "AB中Z");
    CString t = CString(kTrailUpperA) + "AB";
    t.MakeLower();
    EXPECT_EQ(Bytes(t), std::string(kTrailUpperA) + "ab");
    CString r("ab中c");
    r.MakeReverse();
    EXPECT_EQ(r, "c中ba");
    CString lone("a\xD6");    // lead byte at the end stays a byte of its own
    lone.MakeReverse();
    EXPECT_EQ(Bytes(lone), "\xD6" "a");
}

TEST(CString, CompareIsCodePageAware)
{
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_LT(CString("ab").Compare("abc"), 0);
    EXPECT_GT(CString("abc").Compare(nullptr), 0);
    EXPECT_LT(CString("z").Compare("中"), 0);            // single bytes sort before pairs
    EXPECT_LT(CString("\xFF").Compare("\x81\x40"), 0);   // 0xFF is a single byte
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_EQ(CString("中A").CompareNoCase("中a"), 0);
    EXPECT_NE(CString(kTrailA).CompareNoCase(kTrailUpperA), 0);    // trail bytes are not folded
    EXPECT_GT(CString("Z").CompareNoCase("["), 0);       // letters compare as lower case
    EXPECT_EQ(CString("abc").Collate("abc"), 0);
    EXPECT_EQ(CString("ABC").CollateNoCase("abc"), 0);

    EXPECT_TRUE(CString("a") == "a");
    EXPECT_TRUE("a" == CString("a"));
    EXPECT_TRUE(CString("a") != CString("b"));
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE(CString("b") > "a");
    EXPECT_TRUE("a" <= CString("a"));
    EXPECT_TRUE(CString("b") >= CString("a"));
    EXPECT_FALSE(CString("a\0b", 3) == CString("a"));
}

TEST(CString, TrimVariants)
{
    struct Case {
        const char* text;
        int mode;    // 0 Trim(), 1 TrimLeft(), 2 TrimRight(), 3 Trim('x'), 4 Trim("xy")
        std::string result;
    } cases[] = {
        {"  \t中文 \r\n", 0, "中文"},
        {"  a  ", 1, "a  "},
        {"  a  ", 2, "  a"},
        {"xxaxx", 3, "a"},
        {"xyaxy", 4, "a"},
        {"   ", 0, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        CString s(c.text);
        switch (c.mode) {
        case 0: s.Trim(); break;
        case 1: s.TrimLeft(); break;
        case 2: s.TrimRight(); break;
        case 3: s.Trim('x'); break;
        case 4: s.Trim("xy"); break;
        }
        EXPECT_EQ(Bytes(s), c.result) << c.text;
    }
    // A trail byte equal to the target is part of its character and stays.
    CString t = CString("\\") + kTrailBackslash;
    t.TrimRight('\\');
    EXPECT_EQ(Bytes(t), std::string("\\") + kTrailBackslash);
    CString u = CString(kTrailA) + "a";
    u.TrimRight("a");
    EXPECT_EQ(Bytes(u), std::string(kTrailA));
    CString v("中中a中");
    v.Trim("中");
    EXPECT_EQ(v, "a");
}

TEST(CString, SpanIncludingAndExcluding)
{
    EXPECT_EQ(CString("123abc").SpanIncluding("0123456789"), "123");
    EXPECT_EQ(CString("abc").SpanIncluding("0123456789"), "");
    EXPECT_EQ(CString("abc,def").SpanExcluding(",;"), "abc");
    EXPECT_EQ(CString("abc").SpanExcluding(",;"), "abc");
    EXPECT_EQ(CString("中中文").SpanIncluding("中"), "中中");
    CString trailA = CString(kTrailA) + ",x";
    EXPECT_EQ(Bytes(trailA.SpanExcluding("a,")), std::string(kTrailA));
}

TEST(CString, FormatTable)
{
    struct Case {
        CString text;
        const char* expected;
    };
    auto F = [](const char* fmt, auto... args) {
        CString s;
        s.Format(fmt, args...);
        return s;
    };
    const Case cases[] = {
        {F("%s|%d", "ab", 42), "ab|42"},
        {F("%5.2f", 3.14159), " 3.14"},
        {F("%-8s|", "ab"), "ab      |"},
        {F("%8s|", "ab"), "      ab|"},
        {F("%03d", 7), "007"},
        {F("%03d", -7), "-07"},
        {F("%x %X %#x %o %#o", 255, 255, 255, 8, 8), "ff FF 0xff 10 010"},
        {F("%e", 1234.5), "1.234500e+003"},
        {F("%E", 0.0), "0.000000E+000"},
        {F("%g", 0.0001), "0.0001"},
        {F("%f", 2.5), "2.500000"},
        {F("%.0f", 2.5), "3"},
        {F("%.f", 0.5), "1"},
        {F("100%%"), "100%"},
        {F("%.2d", 5), "05"},
        {F("%.0d", 0), ""},
        {F("%5.3d", 7), "  007"},
        {F("%+d % d %+d", 5, 5, -5), "+5  5 -5"},
        {F("%u", -1), "4294967295"},
        {F("%d", -2147483647 - 1), "-2147483648"},
        {F("%hd %hu", 70000, 70000), "4464 4464"},
        {F("%ld", static_cast<LONG>(-5)), "-5"},
        {F("%lld %I64d", -9000000000LL, 9000000000LL), "-9000000000 9000000000"},
        {F("%I64u", 18446744073709551615ULL), "18446744073709551615"},
        {F("%llx", 0x1234567890ULL), "1234567890"},
        {F("%c%c", 'o', 'k'), "ok"},
        {F("%3c|%-3c|", 'a', 'b'), "  a|b  |"},
        {F("%.3s|", "abcdef"), "abc|"},
        {F("%s", static_cast<const char*>(nullptr)), "(null)"},
        {F("%*d|%-*d|", 4, 7, 3, 8), "   7|8  |"},
        {F("%*d|", -4, 7), "7   |"},
        {F("%.*f", 2, 3.14159), "3.14"},
        {F("%.*f", -1, 1.5), "1.500000"},
        {F("%08.3f", -3.14159), "-003.142"},
        {F("%-8.1f|", 2.25), "2.3     |"},
        {F("%s=%s", "中", "文"), "中=文"},
        {F("%y%d", 5), "%y5"},       // unknown conversion copied, argument not used
        {F("50%"), "50%"},
        {F("%5%"), "%"},
        {F("%lc", 0x4E2D), "中"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected) << c.expected;
}

TEST(CString, FormatMayUseItsOwnText)
{
    CString s("abc");
    s.Format("[%s]", s.GetString());
    EXPECT_EQ(s, "[abc]");
    s.AppendFormat("%d%s", 1, s.GetString());
    EXPECT_EQ(s, "[abc]1[abc]");
    s.Format("<%s>", s);    // a CString argument is passed as its text
    EXPECT_EQ(s, "<[abc]1[abc]>");
    const char text[] = "arr";
    CString t;
    t.Format("%s|%s|%.1f|%d", text, CString("cs"), 2.25f, true);
    EXPECT_EQ(t, "arr|cs|2.3|1");
    CString big;
    big.Format("%s", std::string(10000, 'x').c_str());
    EXPECT_EQ(big.GetLength(), 10000);
    CString wide;
    wide.Format("%999999999d", 1);
    EXPECT_LE(wide.GetLength(), 4096);
}

TEST(CString, BufferAccess)
{
    CString s("xy");
    char* p = s.GetBuffer(10);
    std::strcpy(p, "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello");
    EXPECT_EQ(s.GetLength(), 5);
    s.GetBuffer(2);    // never shorter than the text
    s.ReleaseBuffer();
    EXPECT_EQ(s, "hello");
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "he");
    s.ReleaseBuffer(100);    // clamped to what is there
    EXPECT_EQ(s, "he");
    char* q = s.GetBufferSetLength(4);
    std::memcpy(q, "abcd", 4);
    EXPECT_EQ(s, "abcd");
    s.LockBuffer();
    s.UnlockBuffer();
    EXPECT_EQ(s, "abcd");
}

TEST(CString, Concatenation)
{
    CString a("ab");
    EXPECT_EQ(a + "c", "abc");
    EXPECT_EQ("c" + a, "cab");
    EXPECT_EQ(a + 'c', "abc");
    EXPECT_EQ('c' + a, "cab");
    EXPECT_EQ(a + a, "abab");
    a += static_cast<const char*>(nullptr);
    EXPECT_EQ(a, "ab");
    a.Append("xyz", 2);
    a.Append("q", -1);
    a.AppendChar('!');
    EXPECT_EQ(a, "abxy!");
}
