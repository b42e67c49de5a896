// CString: the byte string every layer of KivoSheet passes around.
//
// The bytes are code page 936 (GBK): ASCII bytes stand for themselves, a byte in
// 0x81..0xFE starts a two-byte character. Members that look at characters (case
// mapping, case-blind compare, reverse search, trimming) step over two-byte
// characters as units and never treat a trail byte as a character of its own.
// Positions and lengths are byte counts, as in the classic class library.
//
// Every index argument is clamped: Mid/Left/Right/Insert/Delete never read or
// write outside the string, GetAt outside the string gives '\0', SetAt outside
// it does nothing.
//
// Format/AppendFormat take their arguments through a template that passes a
// CString argument as its text (LPCTSTR) and refuses any other class object at
// compile time. Everything else that takes "..." (printf, FormatV's callers)
// must be given (LPCTSTR)s or s.GetString(), never the CString object itself:
// the compilers accept the object there silently and the callee reads garbage.
#pragma once

#include "base/WinTypes.h"

#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>

class CString;

namespace kivo_format {
// What Format passes on for one argument: numbers, characters, enums and
// pointers as they are, a CString as its text.
template <class T>
inline T Arg(T value)
{
    static_assert(std::is_scalar<T>::value,
                  "Format takes numbers, characters, pointers and CString; pass other objects' text explicitly");
    return value;
}
inline const char* Arg(const CString& s);
}  // namespace kivo_format

class CString {
public:
    // --- construction -----------------------------------------------------
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    CString(const char* psz);                       // NULL gives the empty string
    CString(const unsigned char* psz);              // same bytes, unsigned view
    CString(const char* pch, int nLength);          // nLength bytes (negative: none); NULL gives empty
    CString(char ch, int nRepeat = 1);              // ch repeated (negative/zero: empty)
    explicit CString(const std::string& s);         // the bytes of s
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* psz);            // NULL gives the empty string
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);

    // --- size and elements ------------------------------------------------
    int GetLength() const;                          // bytes, without the terminating NUL
    bool IsEmpty() const;
    void Empty();                                   // makes the string empty
    char GetAt(int nIndex) const;                   // '\0' when nIndex is out of range
    void SetAt(int nIndex, char ch);                // ignored when nIndex is out of range
    char operator[](int nIndex) const;              // same as GetAt

    operator LPCTSTR() const;                       // NUL-terminated bytes, valid until the next change
    LPCTSTR GetString() const;                      // same as the conversion
    const std::string& Str() const;                 // the bytes as a std::string

    // --- assignment and concatenation -------------------------------------
    CString& operator+=(const CString& s);
    CString& operator+=(const char* psz);           // NULL appends nothing
    CString& operator+=(char ch);
    void Append(const char* pch, int nLength);      // appends nLength bytes (negative: none)
    void AppendChar(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // --- comparison (byte order of code-page characters; see Compare) -----
    // Compare: 0 when equal, negative when this sorts first, positive otherwise.
    // A two-byte character compares as the unit (lead << 8 | trail); a single
    // byte as its unsigned value; a shorter string that is a prefix sorts first.
    int Compare(const char* psz) const;
    // Like Compare, but ASCII letters compare as their lower-case forms; bytes of
    // two-byte characters are never folded.
    int CompareNoCase(const char* psz) const;
    int Collate(const char* psz) const;             // same as Compare
    int CollateNoCase(const char* psz) const;       // same as CompareNoCase

    // --- extraction (all clamped to the string) ---------------------------
    CString Mid(int nFirst) const;                  // from nFirst to the end
    CString Mid(int nFirst, int nCount) const;      // nCount bytes from nFirst
    CString Left(int nCount) const;                 // first nCount bytes
    CString Right(int nCount) const;                // last nCount bytes
    // Leading run of characters that are (not) in the set; a two-byte character
    // counts as in the set when the set holds the same two bytes as a character.
    CString SpanIncluding(const char* pszCharSet) const;
    CString SpanExcluding(const char* pszCharSet) const;

    // --- searching (byte positions; -1 when not found) --------------------
    // Searches start at a character boundary and only report matches that
    // begin on one, so a search for an ASCII byte never hits a trail byte.
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(const char* pszSub) const;
    int Find(const char* pszSub, int nStart) const;
    int ReverseFind(char ch) const;                 // last character equal to ch
    int FindOneOf(const char* pszCharSet) const;    // first character that is in the set (as in SpanIncluding)

    // --- changing ---------------------------------------------------------
    int Replace(char chOld, char chNew);            // single-byte characters only; returns the count
    int Replace(const char* pszOld, const char* pszNew);  // non-overlapping, left to right; returns the count
    int Remove(char ch);                            // removes every single-byte character ch; returns the count
    int Insert(int nIndex, char ch);                // index clamped to [0, length]; returns the new length
    int Insert(int nIndex, const char* psz);
    int Delete(int nIndex, int nCount = 1);         // clamped; returns the new length

    void MakeUpper();                               // ASCII letters only, never a trail byte
    void MakeLower();
    void MakeReverse();                             // reverses characters, keeping two-byte characters intact

    // Trimming: no argument trims ASCII white space (space, \t, \n, \v, \f, \r);
    // a char trims that single-byte character; a string trims every character
    // in the set (as in SpanIncluding). Two-byte characters are never split.
    void TrimLeft();
    void TrimLeft(char chTarget);
    void TrimLeft(const char* pszTargets);
    void TrimRight();
    void TrimRight(char chTarget);
    void TrimRight(const char* pszTargets);
    void Trim();
    void Trim(char chTarget);
    void Trim(const char* pszTargets);

    // --- formatting -------------------------------------------------------
    // printf-style: %d %i %u %x %X %o %c %s %p %f %e %E %g %G %% with the flags
    // "-+ #0", width and precision (also '*'), and the sizes h, hh, l (32 bits,
    // as on Windows), ll, I64, I32, I and z. Floating point goes through
    // base/NumberText.h, so the text is the same on every build (three-digit
    // exponents). A NULL %s prints "(null)". Unknown conversions are copied as
    // they stand; %n writes nothing.
    template <class... Args>
    void Format(const char* pszFormat, const Args&... args)
    {
        FormatC(pszFormat, kivo_format::Arg(args)...);
    }
    template <class... Args>
    void AppendFormat(const char* pszFormat, const Args&... args)
    {
        AppendFormatC(pszFormat, kivo_format::Arg(args)...);
    }
    void FormatV(const char* pszFormat, va_list args);
    void AppendFormatV(const char* pszFormat, va_list args);

    // --- raw buffer access ------------------------------------------------
    // GetBuffer(n) returns a writable buffer of at least n bytes plus a NUL
    // (never less than the current length). After writing, call
    // ReleaseBuffer(-1) to take the length up to the first NUL (bounded by the
    // buffer), or ReleaseBuffer(n) for exactly n bytes (clamped to the buffer).
    char* GetBuffer(int nMinBufLength);
    char* GetBuffer();
    char* GetBufferSetLength(int nNewLength);       // buffer of exactly nNewLength bytes, length set
    void ReleaseBuffer(int nNewLength = -1);
    char* LockBuffer();                             // same as GetBuffer()
    void UnlockBuffer();                            // no effect; kept for callers

private:
    void FormatC(const char* pszFormat, ...);
    void AppendFormatC(const char* pszFormat, ...);

    std::string m_str;
};

inline const char* kivo_format::Arg(const CString& s) { return s.GetString(); }

// --- comparison operators (Compare order) ---------------------------------
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, const char* b);
bool operator>(const char* a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, const char* b);
bool operator<=(const char* a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, const char* b);
bool operator>=(const char* a, const CString& b);

// Hash of the bytes, so a CString can key an unordered container.
namespace std {
template <>
struct hash<CString> {
    size_t operator()(const CString& s) const noexcept { return hash<string>()(s.Str()); }
};
}  // namespace std
