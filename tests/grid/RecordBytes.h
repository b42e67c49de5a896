// Helpers of the grid tests: building expected byte sequences and running a
// record through an archive in memory.
#pragma once

#include "base/CArchive.h"
#include "base/CMemFile.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace gridtest {

typedef std::vector<std::uint8_t> Bytes;

// Little-endian pieces of an expected record.
class ByteBuilder {
public:
    ByteBuilder& Int(std::int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    ByteBuilder& Ints(std::initializer_list<std::int32_t> values)
    {
        for (std::int32_t v : values)
            Int(v);
        return *this;
    }
    ByteBuilder& Word(std::uint16_t v)
    {
        m_bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    ByteBuilder& Byte(std::uint8_t v)
    {
        m_bytes.push_back(v);
        return *this;
    }
    ByteBuilder& Double(double d)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof(bits));
        for (int i = 0; i < 8; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>((bits >> (8 * i)) & 0xFF));
        return *this;
    }
    // The text's bytes, and its NUL when withNul.
    ByteBuilder& Text(const std::string& text, bool withNul = true)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        if (withNul)
            m_bytes.push_back(0);
        return *this;
    }
    ByteBuilder& Raw(const Bytes& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

private:
    Bytes m_bytes;
};

// Runs store(ar) on a storing archive over memory and answers the bytes.
template <class Store>
Bytes StoreBytes(Store store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Flush();
    }
    const BYTE* p = file.GetBufferPtr();
    return Bytes(p, p + file.GetLength());
}

// Runs load(ar) on a loading archive over a copy of the bytes; answers
// whether the archive is still sound, and how many bytes were left unread.
template <class Load>
bool LoadBytes(const Bytes& bytes, Load load, ULONGLONG* pRemaining = nullptr)
{
    Bytes copy(bytes);
    if (copy.empty())
        copy.push_back(0);   // a buffer to point at; the length stays 0
    CMemFile file(copy.data(), static_cast<UINT>(bytes.size()), 0);
    CArchive ar(&file, CArchive::load);
    load(ar);
    if (pRemaining != nullptr)
        *pRemaining = ar.GetRemaining();
    return !ar.IsFailed();
}

}  // namespace gridtest
