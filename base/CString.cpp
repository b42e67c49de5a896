// CString members other than formatting (see CStringFormat.cpp).
#include "base/CString.h"

#include "base/Cp936.h"

#include <cstring>

namespace {

inline int Len(const std::string& s) { return static_cast<int>(s.size()); }

size_t SafeLen(const char* psz) { return psz ? std::strlen(psz) : 0; }

inline bool IsAsciiSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Character unit (single byte, or lead << 8 | trail) at pos, and its length.
inline unsigned UnitAt(const std::string& s, int pos, int& len)
{
    len = cp936::CharLength(s.data(), Len(s), pos);
    unsigned c = static_cast<unsigned char>(s[static_cast<size_t>(pos)]);
    if (len == 2)
        c = (c << 8) | static_cast<unsigned char>(s[static_cast<size_t>(pos) + 1]);
    return c;
}

// Whether the character unit occurs as a character of the NUL-terminated set.
bool SetHasUnit(const char* set, unsigned unit)
{
    if (!set)
        return false;
    int n = static_cast<int>(std::strlen(set));
    int pos = 0;
    while (pos < n) {
        int cl = cp936::CharLength(set, n, pos);
        unsigned c = static_cast<unsigned char>(set[pos]);
        if (cl == 2)
            c = (c << 8) | static_cast<unsigned char>(set[pos + 1]);
        if (c == unit)
            return true;
        pos += cl;
    }
    return false;
}

// Clamps a (first, count) pair to the string; answers false when nothing remains.
bool ClampRange(int length, int& first, int& count)
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= length)
        return false;
    if (static_cast<long long>(first) + count > length)
        count = length - first;
    return count > 0;
}

template <class Pred>
void TrimLeftIf(std::string& s, Pred inSet)
{
    int pos = 0;
    int n = Len(s);
    while (pos < n) {
        int cl = 0;
        unsigned unit = UnitAt(s, pos, cl);
        if (!inSet(unit))
            break;
        pos += cl;
    }
    s.erase(0, static_cast<size_t>(pos));
}

template <class Pred>
void TrimRightIf(std::string& s, Pred inSet)
{
    int n = Len(s);
    int keep = 0;    // end of the last character that is not trimmed
    int pos = 0;
    while (pos < n) {
        int cl = 0;
        unsigned unit = UnitAt(s, pos, cl);
        pos += cl;
        if (!inSet(unit))
            keep = pos;
    }
    s.resize(static_cast<size_t>(keep));
}

}  // namespace

// --- construction -------------------------------------------------------------

CString::CString() = default;
CString::CString(const CString& other) = default;
CString::CString(CString&& other) noexcept : m_str(std::move(other.m_str)) {}
CString::CString(const char* psz) : m_str(psz ? psz : "") {}
CString::CString(const unsigned char* psz) : CString(reinterpret_cast<const char*>(psz)) {}
CString::CString(const char* pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}
CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}
CString::CString(const std::string& s) : m_str(s) {}
CString::~CString() = default;

CString& CString::operator=(const CString& other) = default;
CString& CString::operator=(CString&& other) noexcept
{
    m_str = std::move(other.m_str);
    return *this;
}
CString& CString::operator=(const char* psz)
{
    if (!psz)
        m_str.clear();
    else
        m_str.assign(psz);    // std::string::assign copes with psz pointing into m_str
    return *this;
}
CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<const char*>(psz); }
CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

// --- size and elements --------------------------------------------------------

int CString::GetLength() const { return Len(m_str); }
bool CString::IsEmpty() const { return m_str.empty(); }
void CString::Empty() { m_str.clear(); }

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= Len(m_str))
        return '\0';
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex >= 0 && nIndex < Len(m_str))
        m_str[static_cast<size_t>(nIndex)] = ch;
}

char CString::operator[](int nIndex) const { return GetAt(nIndex); }
CString::operator LPCTSTR() const { return m_str.c_str(); }
LPCTSTR CString::GetString() const { return m_str.c_str(); }
const std::string& CString::Str() const { return m_str; }

// --- concatenation ------------------------------------------------------------

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}
CString& CString::operator+=(const char* psz)
{
    if (psz)
        m_str.append(psz);
    return *this;
}
CString& CString::operator+=(char ch)
{
    m_str.push_back(ch);
    return *this;
}
void CString::Append(const char* pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.append(pch, static_cast<size_t>(nLength));
}
void CString::AppendChar(char ch) { m_str.push_back(ch); }

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(char a, const CString& b)
{
    CString r(a, 1);
    r += b;
    return r;
}

// --- comparison ---------------------------------------------------------------

int CString::Compare(const char* psz) const
{
    return cp936::MbsCompare(m_str.data(), Len(m_str), psz, static_cast<int>(SafeLen(psz)));
}
int CString::CompareNoCase(const char* psz) const
{
    return cp936::MbsCompareNoCase(m_str.data(), Len(m_str), psz, static_cast<int>(SafeLen(psz)));
}
int CString::Collate(const char* psz) const { return Compare(psz); }
int CString::CollateNoCase(const char* psz) const { return CompareNoCase(psz); }

namespace {
inline int Cmp(const CString& a, const CString& b)
{
    return cp936::MbsCompare(a.Str().data(), a.GetLength(), b.Str().data(), b.GetLength());
}
}  // namespace

bool operator==(const CString& a, const CString& b) { return a.Str() == b.Str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0 && a.GetLength() == static_cast<int>(SafeLen(b)); }
bool operator==(const char* a, const CString& b) { return b == a; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(b == a); }
bool operator<(const CString& a, const CString& b) { return Cmp(a, b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return Cmp(a, b) > 0; }
bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
bool operator>(const char* a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return Cmp(a, b) <= 0; }
bool operator<=(const CString& a, const char* b) { return a.Compare(b) <= 0; }
bool operator<=(const char* a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return Cmp(a, b) >= 0; }
bool operator>=(const CString& a, const char* b) { return a.Compare(b) >= 0; }
bool operator>=(const char* a, const CString& b) { return b.Compare(a) <= 0; }

// --- extraction ---------------------------------------------------------------

CString CString::Mid(int nFirst) const { return Mid(nFirst, Len(m_str)); }

CString CString::Mid(int nFirst, int nCount) const
{
    if (!ClampRange(Len(m_str), nFirst, nCount))
        return CString();
    return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount >= Len(m_str))
        return *this;
    return CString(m_str.data(), nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount >= Len(m_str))
        return *this;
    return CString(m_str.data() + (Len(m_str) - nCount), nCount);
}

CString CString::SpanIncluding(const char* pszCharSet) const
{
    int pos = 0;
    int n = Len(m_str);
    while (pos < n) {
        int cl = 0;
        if (!SetHasUnit(pszCharSet, UnitAt(m_str, pos, cl)))
            break;
        pos += cl;
    }
    return Left(pos);
}

CString CString::SpanExcluding(const char* pszCharSet) const
{
    int pos = 0;
    int n = Len(m_str);
    while (pos < n) {
        int cl = 0;
        if (SetHasUnit(pszCharSet, UnitAt(m_str, pos, cl)))
            break;
        pos += cl;
    }
    return Left(pos);
}

// --- searching ----------------------------------------------------------------

int CString::Find(char ch) const { return Find(ch, 0); }

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    unsigned want = static_cast<unsigned char>(ch);
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        int cl = 0;
        unsigned unit = UnitAt(m_str, pos, cl);
        if (pos >= nStart && unit == want)
            return pos;
        pos += cl;
    }
    return -1;
}

int CString::Find(const char* pszSub) const { return Find(pszSub, 0); }

int CString::Find(const char* pszSub, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    int n = Len(m_str);
    if (nStart > n)
        return -1;
    size_t subLen = SafeLen(pszSub);
    int pos = 0;
    while (pos <= n) {
        if (pos >= nStart && static_cast<size_t>(n - pos) >= subLen &&
            std::memcmp(m_str.data() + pos, pszSub ? pszSub : "", subLen) == 0)
            return pos;
        if (pos == n)
            break;
        pos += cp936::CharLength(m_str.data(), n, pos);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    unsigned want = static_cast<unsigned char>(ch);
    int found = -1;
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        int cl = 0;
        if (UnitAt(m_str, pos, cl) == want)
            found = pos;
        pos += cl;
    }
    return found;
}

int CString::FindOneOf(const char* pszCharSet) const
{
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        int cl = 0;
        if (SetHasUnit(pszCharSet, UnitAt(m_str, pos, cl)))
            return pos;
        pos += cl;
    }
    return -1;
}

// --- changing -----------------------------------------------------------------

int CString::Replace(char chOld, char chNew)
{
    unsigned want = static_cast<unsigned char>(chOld);
    int count = 0;
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        int cl = 0;
        if (UnitAt(m_str, pos, cl) == want) {
            m_str[static_cast<size_t>(pos)] = chNew;
            ++count;
        }
        pos += cl;
    }
    return count;
}

int CString::Replace(const char* pszOld, const char* pszNew)
{
    size_t oldLen = SafeLen(pszOld);
    if (oldLen == 0)
        return 0;
    std::string replacement(pszNew ? pszNew : "");    // pszNew may point into this string
    std::string pattern(pszOld, oldLen);
    std::string out;
    int count = 0;
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        if (static_cast<size_t>(n - pos) >= oldLen && std::memcmp(m_str.data() + pos, pattern.data(), oldLen) == 0) {
            out += replacement;
            pos += static_cast<int>(oldLen);
            ++count;
            continue;
        }
        int cl = cp936::CharLength(m_str.data(), n, pos);
        out.append(m_str, static_cast<size_t>(pos), static_cast<size_t>(cl));
        pos += cl;
    }
    if (count)
        m_str.swap(out);
    return count;
}

int CString::Remove(char ch)
{
    unsigned want = static_cast<unsigned char>(ch);
    std::string out;
    out.reserve(m_str.size());
    int count = 0;
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        int cl = 0;
        if (UnitAt(m_str, pos, cl) == want)
            ++count;
        else
            out.append(m_str, static_cast<size_t>(pos), static_cast<size_t>(cl));
        pos += cl;
    }
    m_str.swap(out);
    return count;
}

int CString::Insert(int nIndex, char ch)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > Len(m_str))
        nIndex = Len(m_str);
    m_str.insert(static_cast<size_t>(nIndex), 1, ch);
    return Len(m_str);
}

int CString::Insert(int nIndex, const char* psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > Len(m_str))
        nIndex = Len(m_str);
    std::string text(psz ? psz : "");    // psz may point into this string
    m_str.insert(static_cast<size_t>(nIndex), text);
    return Len(m_str);
}

int CString::Delete(int nIndex, int nCount)
{
    if (ClampRange(Len(m_str), nIndex, nCount))
        m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(nCount));
    return Len(m_str);
}

void CString::MakeUpper() { cp936::ToUpper(m_str); }
void CString::MakeLower() { cp936::ToLower(m_str); }

void CString::MakeReverse()
{
    std::string out(m_str.size(), '\0');
    int n = Len(m_str);
    int pos = 0;
    while (pos < n) {
        int cl = cp936::CharLength(m_str.data(), n, pos);
        std::memcpy(&out[static_cast<size_t>(n - pos - cl)], m_str.data() + pos, static_cast<size_t>(cl));
        pos += cl;
    }
    m_str.swap(out);
}

void CString::TrimLeft() { TrimLeftIf(m_str, [](unsigned u) { return u < 0x100 && IsAsciiSpace(static_cast<unsigned char>(u)); }); }
void CString::TrimLeft(char chTarget)
{
    unsigned want = static_cast<unsigned char>(chTarget);
    TrimLeftIf(m_str, [want](unsigned u) { return u == want; });
}
void CString::TrimLeft(const char* pszTargets) { TrimLeftIf(m_str, [pszTargets](unsigned u) { return SetHasUnit(pszTargets, u); }); }
void CString::TrimRight() { TrimRightIf(m_str, [](unsigned u) { return u < 0x100 && IsAsciiSpace(static_cast<unsigned char>(u)); }); }
void CString::TrimRight(char chTarget)
{
    unsigned want = static_cast<unsigned char>(chTarget);
    TrimRightIf(m_str, [want](unsigned u) { return u == want; });
}
void CString::TrimRight(const char* pszTargets) { TrimRightIf(m_str, [pszTargets](unsigned u) { return SetHasUnit(pszTargets, u); }); }
void CString::Trim()
{
    TrimRight();
    TrimLeft();
}
void CString::Trim(char chTarget)
{
    TrimRight(chTarget);
    TrimLeft(chTarget);
}
void CString::Trim(const char* pszTargets)
{
    std::string targets(pszTargets ? pszTargets : "");    // may point into this string
    TrimRight(targets.c_str());
    TrimLeft(targets.c_str());
}

// --- raw buffer ---------------------------------------------------------------

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > Len(m_str))
        m_str.resize(static_cast<size_t>(nMinBufLength), '\0');
    return &m_str[0];
}

char* CString::GetBuffer() { return &m_str[0]; }

char* CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(nNewLength > 0 ? static_cast<size_t>(nNewLength) : 0, '\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0) {
        size_t n = 0;
        while (n < m_str.size() && m_str[n] != '\0')
            ++n;
        m_str.resize(n);
    } else if (static_cast<size_t>(nNewLength) < m_str.size()) {
        m_str.resize(static_cast<size_t>(nNewLength));
    }
}

char* CString::LockBuffer() { return GetBuffer(); }
void CString::UnlockBuffer() {}
