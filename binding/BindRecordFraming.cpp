#include "binding/BindRecordFraming.h"

#include "base/Cp936.h"

#include <cstring>

namespace bindrec {

void PutInt(Bytes& out, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}

CString CutText(const CString& s, int nMax)
{
    const char* p = s;
    const int length = s.GetLength();
    int keep = 0;
    while (keep < length) {
        const int next = cp936::NextChar(p, length, keep);
        if (next > nMax || next <= keep)
            break;
        keep = next;
    }
    return CString(p, keep);
}

void ItemWriter::Int(int tag, std::int32_t v)
{
    Bytes b;
    PutInt(b, v);
    m_items[tag] = b;
}

void ItemWriter::Short(int tag, std::int16_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    m_items[tag] = Bytes{static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)};
}

void ItemWriter::Double(int tag, double v)
{
    Bytes b(8);
    std::memcpy(b.data(), &v, 8);
    m_items[tag] = b;
}

void ItemWriter::Fixed(int tag, const CString& s, int nWidth)
{
    CString cut = CutText(s, nWidth - 1);
    Bytes b(static_cast<size_t>(nWidth), 0);
    std::memcpy(b.data(), static_cast<const char*>(cut), static_cast<size_t>(cut.GetLength()));
    m_items[tag] = b;
}

void ItemWriter::Text(int tag, const CString& s)
{
    const char* p = s;
    Bytes b(p, p + s.GetLength());
    b.push_back(0);
    m_items[tag] = b;
}

void ItemWriter::Raw(int tag, const Bytes& data)
{
    m_items[tag] = data;
}

Bytes ItemWriter::Frame(int endTag) const
{
    Bytes out;
    if (m_items.empty())
        return out;
    size_t total = 8;
    for (const auto& item : m_items)
        total += 8 + item.second.size();
    PutInt(out, static_cast<std::int32_t>(total));
    for (const auto& item : m_items) {
        PutInt(out, item.first);
        PutInt(out, static_cast<std::int32_t>(item.second.size()));
        out.insert(out.end(), item.second.begin(), item.second.end());
    }
    PutInt(out, endTag);
    return out;
}

bool Reader::Int(std::int32_t& v)
{
    if (Remaining() < 4)
        return false;
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(m_p[m_pos + static_cast<size_t>(i)]) << (8 * i);
    v = static_cast<std::int32_t>(u);
    m_pos += 4;
    return true;
}

bool Reader::Take(size_t n, Reader& slice)
{
    if (n > Remaining())
        return false;
    slice = Reader(m_p + m_pos, n);
    m_pos += n;
    return true;
}

bool Item::AsInt(std::int32_t& v) const
{
    Reader r(data, static_cast<size_t>(length));
    return r.Int(v);
}

bool Item::AsShort(std::int16_t& v) const
{
    if (length < 2)
        return false;
    v = static_cast<std::int16_t>(data[0] | (data[1] << 8));
    return true;
}

bool Item::AsDouble(double& v) const
{
    if (length < 8)
        return false;
    std::memcpy(&v, data, 8);
    return true;
}

CString Item::AsText() const
{
    if (length <= 0)
        return CString();
    const void* zero = std::memchr(data, 0, static_cast<size_t>(length));
    const int n = zero != nullptr ? static_cast<int>(static_cast<const std::uint8_t*>(zero) - data) : length;
    return CString(reinterpret_cast<const char*>(data), n);
}

CString Item::AsFixed(int nWidth) const
{
    return CutText(AsText(), nWidth - 1);
}

bool TakeSizedEntry(Reader& in, Reader& entry, bool& present)
{
    std::int32_t size = 0;
    if (!in.Int(size) || size < 0)
        return false;
    present = size != 0;
    if (!present) {
        entry = Reader(nullptr, 0);
        return true;
    }
    // The entry is the record itself, whose first int32 is its size again.
    if (static_cast<size_t>(size) > in.Remaining())
        return false;
    return in.Take(static_cast<size_t>(size), entry);
}

}  // namespace bindrec
