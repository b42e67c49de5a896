// Code page 936: stepping, compare, case and the UTF-16 conversions.
#include "base/Cp936.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

TEST(Cp936, StepsOverPairsAndNeverPastTheEnd)
{
    const std::string s = "a中\xD6";    // 'a', a pair, and a lead byte cut off at the end
    const char* p = s.data();
    const int n = static_cast<int>(s.size());
    EXPECT_EQ(cp936::CharLength(p, n, 0), 1);
    EXPECT_EQ(cp936::CharLength(p, n, 1), 2);
    EXPECT_EQ(cp936::CharLength(p, n, 3), 1);
    EXPECT_EQ(cp936::CharLength(p, n, 4), 0);
    EXPECT_EQ(cp936::CharLength(p, n, -1), 0);
    EXPECT_EQ(cp936::NextChar(p, n, 1), 3);
    EXPECT_EQ(cp936::NextChar(p, n, 3), 4);
    EXPECT_EQ(cp936::NextChar(p, n, 4), 4);
    EXPECT_EQ(cp936::PrevChar(p, n, 3), 1);
    EXPECT_EQ(cp936::PrevChar(p, n, 1), 0);
    EXPECT_EQ(cp936::PrevChar(p, n, 0), 0);
    EXPECT_EQ(cp936::PrevChar(p, n, 99), 3);
    EXPECT_TRUE(cp936::IsCharBoundary(p, n, 1));
    EXPECT_FALSE(cp936::IsCharBoundary(p, n, 2));
    EXPECT_TRUE(cp936::IsCharBoundary(p, n, 4));
    EXPECT_EQ(cp936::CharCount(p, n), 3);
    EXPECT_TRUE(cp936::IsLeadByte('\x81'));
    EXPECT_TRUE(cp936::IsLeadByte('\xFE'));
    EXPECT_FALSE(cp936::IsLeadByte('\x80'));
    EXPECT_FALSE(cp936::IsLeadByte('\xFF'));
}

TEST(Cp936, CompareByCharacterUnits)
{
    EXPECT_EQ(cp936::MbsCompare("中文", "中文"), 0);
    EXPECT_GT(cp936::MbsCompare("\xD6\xD0", "\xCE\xC4"), 0);
    EXPECT_LT(cp936::MbsCompare("~", "\x81\x40"), 0);
    EXPECT_LT(cp936::MbsCompare(nullptr, "a"), 0);
    EXPECT_EQ(cp936::MbsCompare(nullptr, ""), 0);
    EXPECT_EQ(cp936::MbsCompareNoCase("AbC中", "aBc中"), 0);
    EXPECT_NE(cp936::MbsCompareNoCase("\x81" "A", "\x81" "a"), 0);
    EXPECT_LT(cp936::MbsCompare("ab", 2, "abc", 3), 0);
    EXPECT_EQ(cp936::MbsCompare("abX", 2, "abY", 2), 0);
}

// The NUL-terminated and the counted comparisons give one order, with or
// without case, over texts of single bytes, pairs, lead bytes at the end and
// lead bytes before bytes that cannot trail.
TEST(Cp936, TerminatedAndCountedComparisonsAgree)
{
    const unsigned char alphabet[] = {'a', 'A', 'b', 'Z', '0', '~', 0x7F, 0x80, 0x81, 0x40, 0xD6, 0xD0, 0xFE, 0xFF, 0x20};
    std::mt19937 random(7);
    auto text = [&]() {
        std::string s;
        const int n = static_cast<int>(random() % 6);
        for (int i = 0; i < n; ++i)
            s += static_cast<char>(alphabet[random() % sizeof(alphabet)]);
        return s;
    };
    auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    // Character units: a lead byte with the byte after it, else one byte;
    // ASCII letters lowered without case.
    auto units = [](const std::string& s, bool noCase) {
        std::vector<unsigned> out;
        for (size_t i = 0; i < s.size();) {
            const unsigned c = static_cast<unsigned char>(s[i]);
            if (cp936::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < s.size()) {
                out.push_back(c << 8 | static_cast<unsigned char>(s[i + 1]));
                i += 2;
            } else {
                out.push_back(noCase && c >= 'A' && c <= 'Z' ? c + 32 : c);
                i += 1;
            }
        }
        return out;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = text();
        const std::string b = i % 5 == 0 ? a.substr(0, a.size() / 2) : text();
        for (bool noCase : {false, true}) {
            const std::vector<unsigned> ua = units(a, noCase);
            const std::vector<unsigned> ub = units(b, noCase);
            const int expected = ua < ub ? -1 : (ub < ua ? 1 : 0);
            const int n = static_cast<int>(a.size());
            const int m = static_cast<int>(b.size());
            if (noCase) {
                ASSERT_EQ(sign(cp936::MbsCompareNoCase(a.c_str(), n, b.c_str(), m)), expected) << a << " / " << b;
                ASSERT_EQ(sign(cp936::MbsCompareNoCase(a.c_str(), b.c_str())), expected) << a << " / " << b;
            } else {
                ASSERT_EQ(sign(cp936::MbsCompare(a.c_str(), n, b.c_str(), m)), expected) << a << " / " << b;
                ASSERT_EQ(sign(cp936::MbsCompare(a.c_str(), b.c_str())), expected) << a << " / " << b;
            }
        }
    }
    EXPECT_EQ(cp936::MbsCompare(nullptr, ""), 0);
    EXPECT_LT(cp936::MbsCompare(nullptr, "a"), 0);
    EXPECT_GT(cp936::MbsCompare("\xD6", nullptr), 0);
}

TEST(Cp936, CaseMappingSkipsTrailBytes)
{
    std::string s = "ab\x81" "a\x81" "Zc";
    cp936::ToUpper(s);
    EXPECT_EQ(s, "AB\x81" "a\x81" "ZC");
    cp936::ToLower(s);
    EXPECT_EQ(s, "ab\x81" "a\x81" "Zc");
    std::string end = "x\x81";    // lead byte at the end: left as it is
    cp936::ToUpper(end);
    EXPECT_EQ(end, "X\x81");
}

TEST(Cp936, DecodeTable)
{
    struct Case {
        std::string bytes;
        std::u16string units;
    } cases[] = {
        {"", u""},
        {"ASCII 7!", u"ASCII 7!"},
        {"中文", u"\u4E2D\u6587"},
        {"\x80", u"\u20AC"},                          // euro sign
        {"\xFF", u"\uF8F5"},
        {"\xA1\xA1", u"\u3000"},                      // ideographic space
        {"\x81\x40", u"\u4E02"},                      // first pair of the table
        {"\xFE\x4F", u"\uFA29"},
        {"\xAA\xA1", u"\uE000"},                      // user-defined areas
        {"\xAF\xFE", u"\uE233"},
        {"\xF8\xA1", u"\uE234"},
        {"\xFE\xFE", u"\uE4C5"},
        {"\xA1\x40", u"\uE4C6"},
        {"\xA7\xA0", u"\uE765"},
        {"\x81\x30", u"\uFFFD0"},                     // impossible trail: read afresh
        {"\x81\x7F", u"\uFFFD\u007F"},
        {std::string("a\xD6", 2), u"a\uFFFD"},      // lead byte cut off at the end
        {"\xA8\x96", u"\uFFFD"},                      // well-formed pair without a character
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cp936::ToUtf16(c.bytes), c.units) << c.bytes;
    EXPECT_EQ(cp936::ToUtf16(nullptr), u"");
    EXPECT_EQ(cp936::ToUtf16("abc", 2), u"ab");
}

TEST(Cp936, EncodeTable)
{
    struct Case {
        std::u16string units;
        std::string bytes;
    } cases[] = {
        {u"plain", "plain"},
        {u"\u4E2D\u6587", "中文"},
        {u"\u20AC", "\x80"},
        {u"\uF8F5", "\xFF"},
        {u"\uE000\uE765", "\xAA\xA1\xA7\xA0"},
        {u"\u0E01", "?"},                    // no code in this code page
        {u"\U0001F600", "?"},                // a surrogate pair is one character
        {u"a\xD800" u"b", "a?b"},             // lone surrogate
        {u"\xDC00", "?"},
        {u"\uFFFD", "?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cp936::FromUtf16(c.units), c.bytes);
    EXPECT_EQ(cp936::FromUtf16(nullptr), "");
    EXPECT_EQ(cp936::EncodeChar(u'\u4E2D'), 0xD6D0u);
    EXPECT_EQ(cp936::EncodeChar(u'A'), 0x41u);
    EXPECT_EQ(cp936::EncodeChar(u'\u0E01'), cp936::kNoCode);
}

TEST(Cp936, EveryPairWithACharacterSurvivesTheRoundTrip)
{
    int pairs = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            char16_t u = cp936::DecodePair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (u == 0xFFFD)
                continue;
            ++pairs;
            ASSERT_EQ(cp936::EncodeChar(u), static_cast<unsigned>(lead << 8 | trail)) << lead << " " << trail;
        }
    }
    EXPECT_EQ(pairs, 21791 + 1894);    // characters plus the user-defined areas
    for (int b = 0; b < 0x100; ++b) {
        if (cp936::IsLeadByte(static_cast<unsigned char>(b)))
            continue;
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(cp936::FromUtf16(cp936::ToUtf16(one)), one) << b;
    }
}
