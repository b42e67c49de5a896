#include "cellcontent/formula/FormulaRecord.h"

namespace formula_record {

namespace {

uint64_t GetLittleEndian(const std::string& data, size_t nOffset, int nBytes)
{
    uint64_t u = 0;
    for (int i = 0; i < nBytes; ++i) {
        const size_t nAt = nOffset + static_cast<size_t>(i);
        if (nAt < data.size())
            u |= static_cast<uint64_t>(static_cast<unsigned char>(data[nAt])) << (8 * i);
    }
    return u;
}

void PutItemHeader(std::string& out, int32_t nTag, int32_t nLength)
{
    PutInt32(out, nTag);
    PutInt32(out, nLength);
}

}  // namespace

int32_t GetInt32(const std::string& data, size_t nOffset)
{
    return static_cast<int32_t>(static_cast<uint32_t>(GetLittleEndian(data, nOffset, 4)));
}

int16_t GetInt16(const std::string& data, size_t nOffset)
{
    return static_cast<int16_t>(static_cast<uint16_t>(GetLittleEndian(data, nOffset, 2)));
}

double GetDouble(const std::string& data, size_t nOffset)
{
    const uint64_t u = GetLittleEndian(data, nOffset, 8);
    double d;
    std::memcpy(&d, &u, sizeof(d));
    return d;
}

CString GetText(const std::string& data)
{
    const size_t nEnd = data.find('\0');
    return CString(data.data(), static_cast<int>(nEnd == std::string::npos ? data.size() : nEnd));
}

void CRecordWriter::Int16Item(int32_t nTag, int16_t nValue)
{
    PutItemHeader(m_items, nTag, 2);
    PutInt16(m_items, nValue);
}

void CRecordWriter::ByteItem(int32_t nTag, BYTE byValue)
{
    PutItemHeader(m_items, nTag, 1);
    m_items += static_cast<char>(byValue);
}

void CRecordWriter::DoubleItem(int32_t nTag, double dValue)
{
    PutItemHeader(m_items, nTag, 8);
    PutDouble(m_items, dValue);
}

void CRecordWriter::TextItem(int32_t nTag, const CString& strText)
{
    PutItemHeader(m_items, nTag, strText.GetLength() + 1);
    m_items.append(strText.GetString(), static_cast<size_t>(strText.GetLength()));
    m_items += '\0';
}

void CRecordWriter::RawItem(int32_t nTag, int32_t nDeclaredLength, const std::string& data)
{
    PutItemHeader(m_items, nTag, nDeclaredLength);
    m_items += data;
}

std::string CRecordWriter::Finish(int32_t nEndTag) const
{
    std::string out;
    PutInt32(out, m_items.empty() ? 0 : static_cast<int32_t>(m_items.size() + 8));
    out += m_items;
    PutInt32(out, nEndTag);
    return out;
}

long long CRecordSource::Remaining() const
{
    if (m_pArchive != nullptr)
        return static_cast<long long>(m_pArchive->GetRemaining());
    return static_cast<long long>(m_pBytes->size() - m_nOffset);
}

bool CRecordSource::ReadInt32(int32_t& nValue)
{
    std::string data;
    if (!ReadBytes(4, data))
        return false;
    nValue = GetInt32(data);
    return true;
}

bool CRecordSource::ReadBytes(long long nCount, std::string& data)
{
    data.clear();
    if (nCount < 0 || nCount > Remaining())
        return false;
    data.resize(static_cast<size_t>(nCount));
    if (m_pArchive != nullptr) {
        if (nCount > 0)
            m_pArchive->Read(&data[0], static_cast<UINT>(nCount));
        return !m_pArchive->IsFailed();
    }
    data.assign(*m_pBytes, m_nOffset, static_cast<size_t>(nCount));
    m_nOffset += static_cast<size_t>(nCount);
    return true;
}

}  // namespace formula_record
