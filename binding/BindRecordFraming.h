// The tagged record form of binds, bound fields and group-row settings.
//
// A record is an int32 total length L (its item bytes + 8), the items, then
// the end tag alone; an item is an int32 tag, an int32 length n and n bytes.
// Items at their default are left out, and a record with no item at all is
// not written (its owner writes the size 0). Records are built in memory and
// parsed from memory: a reader first takes the record's bytes out of the
// archive (checked against what remains), so no length inside it can reach
// past it.
#pragma once

#include "base/CString.h"

#include <cstdint>
#include <map>
#include <vector>

namespace bindrec {

typedef std::vector<std::uint8_t> Bytes;

// Items of one record, kept by tag so they are written in tag order.
class ItemWriter {
public:
    void Int(int tag, std::int32_t v);
    void Short(int tag, std::int16_t v);
    void Double(int tag, double v);
    // A fixed character field, zero-padded to nWidth (the text cut to nWidth - 1).
    void Fixed(int tag, const CString& s, int nWidth);
    // A text and its terminating zero.
    void Text(int tag, const CString& s);
    void Raw(int tag, const Bytes& data);
    bool Empty() const { return m_items.empty(); }
    // The whole record (L, items, end tag); empty when there is no item.
    Bytes Frame(int endTag) const;

private:
    std::map<int, Bytes> m_items;
};

// A bounded view of bytes being parsed.
class Reader {
public:
    Reader(const std::uint8_t* p, size_t n) : m_p(p), m_n(n) {}
    bool Int(std::int32_t& v);
    bool Take(size_t n, Reader& slice);
    size_t Remaining() const { return m_n - m_pos; }
    const std::uint8_t* Data() const { return m_p + m_pos; }

private:
    const std::uint8_t* m_p;
    size_t m_n;
    size_t m_pos = 0;
};

// One item as a record reader sees it.
struct Item {
    int tag;
    const std::uint8_t* data;
    int length;
    bool AsInt(std::int32_t& v) const;        // the first 4 bytes (n >= 4)
    bool AsShort(std::int16_t& v) const;      // the first 2 bytes (n >= 2)
    bool AsDouble(double& v) const;           // the first 8 bytes (n >= 8)
    CString AsText() const;                   // the bytes before the first zero
    CString AsFixed(int nWidth) const;        // at most nWidth - 1 bytes, up to the first zero
    Bytes AsBytes() const { return Bytes(data, data + length); }
};

// Parses one record whose L the reader stands on; the reader moves past it.
// pItem is called for each item until the end tag; false from it, a length
// beyond the record, or a missing end tag makes the parse fail.
template <typename F>
bool ParseRecord(Reader& in, int endTag, F onItem);

// The bytes of one sized entry of a list: int32 size, then the record when
// the size is not 0. size 0 gives an empty slice.
bool TakeSizedEntry(Reader& in, Reader& entry, bool& present);

void PutInt(Bytes& out, std::int32_t v);

// Cuts a text to at most nMax bytes, never inside a two-byte character.
CString CutText(const CString& s, int nMax);

}  // namespace bindrec

template <typename F>
bool bindrec::ParseRecord(Reader& in, int endTag, F onItem)
{
    std::int32_t total = 0;
    if (!in.Int(total) || total < 8 || static_cast<size_t>(total) - 4 > in.Remaining())
        return false;
    Reader record(nullptr, 0);
    in.Take(static_cast<size_t>(total) - 4, record);
    for (;;) {
        std::int32_t tag = 0;
        if (!record.Int(tag))
            return false;
        if (tag == endTag)
            return true;
        std::int32_t length = 0;
        if (!record.Int(length) || length < 0 || static_cast<size_t>(length) > record.Remaining())
            return false;
        Reader data(nullptr, 0);
        record.Take(static_cast<size_t>(length), data);
        if (!onItem(Item{tag, data.Data(), length}))
            return false;
    }
}
