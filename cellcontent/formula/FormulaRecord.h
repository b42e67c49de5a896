// The tagged record layout the formula engine stores its data in, as used by
// the token records and the user function and constant tables.
//
// A record is: int32 total size, items of (int32 tag, int32 length, data), and
// the record's end tag as a bare int32. The total size is the bytes of the
// items plus 8 (it counts the size field and the end tag), or 0 when the record
// has no item; the end tag is written even then, because every reader reads a
// tag after the size. All numbers are little-endian.
//
// Reading follows the classic loop: read the size; then read a tag, and stop
// when the items consumed reach the size or the tag is the end tag; otherwise
// read the length and handle the item. A length that is negative or larger
// than what remains of the source fails the read.
#pragma once

#include "base/CArchive.h"
#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace formula_record {

inline void PutInt32(std::string& out, int32_t nValue)
{
    const uint32_t u = static_cast<uint32_t>(nValue);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

inline void PutInt16(std::string& out, int16_t nValue)
{
    const uint16_t u = static_cast<uint16_t>(nValue);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
}

inline void PutDouble(std::string& out, double dValue)
{
    uint64_t u;
    std::memcpy(&u, &dValue, sizeof(u));
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

// Little-endian values from the first bytes of data (missing bytes read as 0).
int32_t GetInt32(const std::string& data, size_t nOffset = 0);
int16_t GetInt16(const std::string& data, size_t nOffset = 0);
double GetDouble(const std::string& data, size_t nOffset = 0);
// The bytes before the first NUL.
CString GetText(const std::string& data);

// Collects the items of one record.
class CRecordWriter {
public:
    void Int16Item(int32_t nTag, int16_t nValue);
    void ByteItem(int32_t nTag, BYTE byValue);
    void DoubleItem(int32_t nTag, double dValue);
    // The text's bytes and a NUL; the length counts both.
    void TextItem(int32_t nTag, const CString& strText);
    // An item whose declared length may differ from the bytes that follow it.
    void RawItem(int32_t nTag, int32_t nDeclaredLength, const std::string& data);
    // The whole record: size, items, end tag.
    std::string Finish(int32_t nEndTag) const;

private:
    std::string m_items;
};

// A source of record bytes: an archive, or bytes already read.
class CRecordSource {
public:
    explicit CRecordSource(CArchive& ar) : m_pArchive(&ar) {}
    explicit CRecordSource(const std::string& bytes) : m_pBytes(&bytes) {}

    long long Remaining() const;
    bool ReadInt32(int32_t& nValue);
    // Reads exactly nCount bytes (bounded by what remains).
    bool ReadBytes(long long nCount, std::string& data);

private:
    CArchive* m_pArchive = nullptr;
    const std::string* m_pBytes = nullptr;
    size_t m_nOffset = 0;
};

// Reads one record; handler(tag, length, source) handles one item, reading
// exactly the bytes the item occupies, and answers false for a malformed one.
template <class Handler>
bool ReadRecord(CRecordSource& source, int32_t nEndTag, Handler handler)
{
    int32_t nSize = 0;
    if (!source.ReadInt32(nSize))
        return false;
    long long nConsumed = 0;
    for (;;) {
        int32_t nTag = 0;
        if (!source.ReadInt32(nTag))
            return false;
        if (nConsumed >= nSize || nTag == nEndTag)
            return true;
        int32_t nLength = 0;
        if (!source.ReadInt32(nLength))
            return false;
        nConsumed += 8;
        if (nLength < 0 || nLength > source.Remaining())
            return false;
        if (!handler(nTag, nLength, source))
            return false;
        nConsumed += nLength;
    }
}

}  // namespace formula_record
