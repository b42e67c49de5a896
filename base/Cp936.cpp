// Code page 936 stepping, comparison, case mapping and UTF-16 conversion.
#include "base/Cp936.h"

#include <vector>

namespace {

#include "base/Cp936Table.inc"

const char16_t kReplacement = 0xFFFD;
const char16_t kEuro = 0x20AC;
const char16_t kByteFF = 0xF8F5;

// UTF-16 unit -> code page bytes (kNoCode when none), built once on first use.
const std::vector<unsigned>& EncodeTable()
{
    static const std::vector<unsigned> table = [] {
        std::vector<unsigned> t(0x10000, cp936::kNoCode);
        for (unsigned b = 0; b < 0x80; ++b)
            t[b] = b;
        t[kEuro] = 0x80;
        t[kByteFF] = 0xFF;
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                unsigned short u = kCp936Pairs[lead - 0x81][trail - 0x40];
                if (u != 0 && t[u] == cp936::kNoCode)
                    t[u] = (lead << 8) | trail;
            }
        }
        for (int i = 0; i < kCp936EncodeOverrideCount; ++i) {
            if (kCp936EncodeOverrides[i][0] != 0)
                t[kCp936EncodeOverrides[i][0]] = kCp936EncodeOverrides[i][1];
        }
        return t;
    }();
    return table;
}

inline unsigned char U8(char c) { return static_cast<unsigned char>(c); }

inline int LowerAscii(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Reads the character unit at *pos and advances past it.
inline unsigned NextUnit(const char* s, int len, int& pos)
{
    unsigned c = U8(s[pos]);
    if (cp936::IsLeadByte(static_cast<unsigned char>(c)) && pos + 1 < len) {
        unsigned t = U8(s[pos + 1]);
        pos += 2;
        return (c << 8) | t;
    }
    pos += 1;
    return c;
}

int CompareUnits(const char* a, int alen, const char* b, int blen, bool noCase)
{
    if (!a)
        alen = 0;
    if (!b)
        blen = 0;
    int i = 0, j = 0;
    while (i < alen && j < blen) {
        // Two single bytes (never lead bytes) need no decoding.
        const unsigned x = U8(a[i]);
        const unsigned y = U8(b[j]);
        if (x < 0x80 && y < 0x80) {
            const unsigned lx = noCase ? static_cast<unsigned>(LowerAscii(static_cast<int>(x))) : x;
            const unsigned ly = noCase ? static_cast<unsigned>(LowerAscii(static_cast<int>(y))) : y;
            if (lx != ly)
                return lx < ly ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        unsigned ca = NextUnit(a, alen, i);
        unsigned cb = NextUnit(b, blen, j);
        if (noCase) {
            if (ca < 0x80)
                ca = static_cast<unsigned>(LowerAscii(static_cast<int>(ca)));
            if (cb < 0x80)
                cb = static_cast<unsigned>(LowerAscii(static_cast<int>(cb)));
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < alen)
        return 1;
    if (j < blen)
        return -1;
    return 0;
}

int SafeStrLen(const char* s)
{
    if (!s)
        return 0;
    size_t n = 0;
    while (s[n])
        ++n;
    return static_cast<int>(n);
}

template <class Fn>
void MapAsciiLetters(char* s, int len, Fn fn)
{
    if (!s)
        return;
    int pos = 0;
    while (pos < len) {
        unsigned char c = U8(s[pos]);
        if (cp936::IsLeadByte(c) && pos + 1 < len) {
            pos += 2;
            continue;
        }
        s[pos] = static_cast<char>(fn(c));
        ++pos;
    }
}

}  // namespace

namespace cp936 {

int CharLength(const char* s, int len, int pos)
{
    if (!s || pos < 0 || pos >= len)
        return 0;
    return (IsLeadByte(U8(s[pos])) && pos + 1 < len) ? 2 : 1;
}

int NextChar(const char* s, int len, int pos)
{
    if (pos < 0)
        return 0;
    if (pos >= len)
        return len < 0 ? 0 : len;
    return pos + CharLength(s, len, pos);
}

int PrevChar(const char* s, int len, int pos)
{
    if (!s || pos <= 0)
        return 0;
    if (pos > len)
        pos = len;
    int at = 0;
    int prev = 0;
    while (at < pos) {
        prev = at;
        at += CharLength(s, len, at);
    }
    return prev;
}

bool IsCharBoundary(const char* s, int len, int pos)
{
    if (pos < 0 || pos > len)
        return false;
    int at = 0;
    while (at < pos)
        at += CharLength(s, len, at);
    return at == pos;
}

int CharCount(const char* s, int len)
{
    int n = 0;
    for (int at = 0; at < len; at += CharLength(s, len, at))
        ++n;
    return n;
}

int MbsCompare(const char* a, int alen, const char* b, int blen) { return CompareUnits(a, alen, b, blen, false); }

int MbsCompare(const char* a, const char* b)
{
    // The same order as the counted form, walked to the NULs in one pass:
    // single bytes compare directly, a lead byte pairs with the byte after
    // it unless that is the end.
    if (a == nullptr)
        a = "";
    if (b == nullptr)
        b = "";
    for (;;) {
        const unsigned x = U8(*a);
        const unsigned y = U8(*b);
        if (x == 0 || y == 0)
            return x == 0 ? (y == 0 ? 0 : -1) : 1;
        if (x < 0x80 && y < 0x80) {
            if (x != y)
                return x < y ? -1 : 1;
            ++a;
            ++b;
            continue;
        }
        unsigned ca = x;
        if (cp936::IsLeadByte(static_cast<unsigned char>(x)) && a[1] != '\0') {
            ca = (x << 8) | U8(a[1]);
            a += 2;
        } else {
            a += 1;
        }
        unsigned cb = y;
        if (cp936::IsLeadByte(static_cast<unsigned char>(y)) && b[1] != '\0') {
            cb = (y << 8) | U8(b[1]);
            b += 2;
        } else {
            b += 1;
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
}

int MbsCompareNoCase(const char* a, int alen, const char* b, int blen) { return CompareUnits(a, alen, b, blen, true); }

int MbsCompareNoCase(const char* a, const char* b) { return CompareUnits(a, SafeStrLen(a), b, SafeStrLen(b), true); }

void ToUpper(char* s, int len)
{
    MapAsciiLetters(s, len, [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; });
}

void ToLower(char* s, int len)
{
    MapAsciiLetters(s, len, [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; });
}

void ToUpper(std::string& s) { ToUpper(&s[0], static_cast<int>(s.size())); }

void ToLower(std::string& s) { ToLower(&s[0], static_cast<int>(s.size())); }

char16_t DecodeByte(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b == 0x80)
        return kEuro;
    if (b == 0xFF)
        return kByteFF;
    return kReplacement;
}

char16_t DecodePair(unsigned char lead, unsigned char trail)
{
    if (!IsLeadByte(lead) || trail < 0x40 || trail > 0xFE)
        return kReplacement;
    unsigned short u = kCp936Pairs[lead - 0x81][trail - 0x40];
    return u ? static_cast<char16_t>(u) : kReplacement;
}

unsigned EncodeChar(char16_t ch) { return EncodeTable()[ch]; }

std::u16string ToUtf16(const char* s, int len)
{
    std::u16string out;
    if (!s)
        return out;
    if (len < 0)
        len = SafeStrLen(s);
    out.reserve(static_cast<size_t>(len));
    int pos = 0;
    while (pos < len) {
        unsigned char c = U8(s[pos]);
        if (!IsLeadByte(c)) {
            out.push_back(DecodeByte(c));
            ++pos;
            continue;
        }
        if (pos + 1 >= len || !IsTrailByte(U8(s[pos + 1]))) {
            // A lead byte at the end or before a byte that cannot follow it: the
            // next byte (if any) is read again as a character of its own.
            out.push_back(kReplacement);
            ++pos;
            continue;
        }
        out.push_back(DecodePair(c, U8(s[pos + 1])));
        pos += 2;
    }
    return out;
}

std::u16string ToUtf16(const std::string& s) { return ToUtf16(s.data(), static_cast<int>(s.size())); }

std::string FromUtf16(const char16_t* s, int len)
{
    std::string out;
    if (!s)
        return out;
    if (len < 0) {
        len = 0;
        while (s[len])
            ++len;
    }
    out.reserve(static_cast<size_t>(len));
    const std::vector<unsigned>& table = EncodeTable();
    for (int i = 0; i < len; ++i) {
        char16_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < len && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            // A character outside the basic plane: no code in this code page.
            out.push_back('?');
            ++i;
            continue;
        }
        unsigned code = table[u];
        if (code == kNoCode)
            out.push_back('?');
        else if (code < 0x100)
            out.push_back(static_cast<char>(code));
        else {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return out;
}

std::string FromUtf16(const std::u16string& s) { return FromUtf16(s.data(), static_cast<int>(s.size())); }

}  // namespace cp936
