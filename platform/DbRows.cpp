// The compact row table of database results.
#include "platform/Database.h"

#include "base/NumberText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

void CDbRows::Reset(size_t nColumns)
{
    m_nColumns = nColumns;
    m_nRows = 0;
    m_nInRow = 0;
    m_nSlots = 0;
    m_slotBlocks.clear();
    m_byteBlocks.clear();
    m_pFreeBytes = nullptr;
    m_nFreeBytes = 0;
}

CDbRows::Slot* CDbRows::NextSlot()
{
    if (m_nInRow >= m_nColumns)
        return nullptr;
    const size_t block = m_nSlots / kSlotsPerBlock;
    if (block == m_slotBlocks.size())
        m_slotBlocks.emplace_back(new Slot[kSlotsPerBlock]);
    Slot* slot = &m_slotBlocks[block][m_nSlots % kSlotsPerBlock];
    ++m_nSlots;
    ++m_nInRow;
    slot->integer = 0;
    slot->length = 0;
    slot->kind = CDbValue::Null;
    return slot;
}

char* CDbRows::AllocateBytes(size_t nBytes)
{
    if (nBytes > m_nFreeBytes) {
        // A large value gets a block of its own; the shared block in use
        // keeps its room for the values that follow.
        if (nBytes > kBytesPerBlock / 4) {
            m_byteBlocks.emplace_back(new char[nBytes]);
            return m_byteBlocks.back().get();
        }
        m_byteBlocks.emplace_back(new char[kBytesPerBlock]);
        m_pFreeBytes = m_byteBlocks.back().get();
        m_nFreeBytes = kBytesPerBlock;
    }
    char* p = m_pFreeBytes;
    m_pFreeBytes += nBytes;
    m_nFreeBytes -= nBytes;
    return p;
}

void CDbRows::AddNull()
{
    NextSlot();
}

void CDbRows::AddInteger(std::int64_t v)
{
    if (Slot* slot = NextSlot()) {
        slot->kind = CDbValue::Integer;
        slot->integer = v;
    }
}

void CDbRows::AddDouble(double v)
{
    if (Slot* slot = NextSlot()) {
        slot->kind = CDbValue::Double;
        slot->number = v;
    }
}

void CDbRows::AddBoolean(bool v)
{
    if (Slot* slot = NextSlot()) {
        slot->kind = CDbValue::Boolean;
        slot->integer = v ? 1 : 0;
    }
}

void CDbRows::AddBytes(CDbValue::Kind kind, const char* pBytes, size_t nBytes)
{
    Slot* slot = NextSlot();
    if (slot == nullptr)
        return;
    slot->kind = kind;
    slot->bytes = nullptr;
    if (nBytes == 0)
        return;
    if (nBytes < kLongValue) {
        char* p = AllocateBytes(nBytes);
        std::memcpy(p, pBytes, nBytes);
        slot->bytes = p;
        slot->length = static_cast<std::uint32_t>(nBytes);
        return;
    }
    // Four gigabytes or more: the length goes in front of the bytes. (No
    // object is larger than the address space's half.)
    if (nBytes > static_cast<size_t>(PTRDIFF_MAX) - sizeof(size_t))
        return;
    char* p = AllocateBytes(sizeof(size_t) + nBytes);
    std::memcpy(p, &nBytes, sizeof(size_t));
    std::memcpy(p + sizeof(size_t), pBytes, nBytes);
    slot->bytes = p;
    slot->length = kLongValue;
}

void CDbRows::AddValue(const CDbValue& value)
{
    switch (value.m_kind) {
    case CDbValue::Null:
        AddNull();
        break;
    case CDbValue::Integer:
        AddInteger(value.m_int);
        break;
    case CDbValue::Double:
        AddDouble(value.m_double);
        break;
    case CDbValue::Boolean:
        AddBoolean(value.m_int != 0);
        break;
    case CDbValue::Binary:
        AddBytes(CDbValue::Binary, reinterpret_cast<const char*>(value.m_bytes.data()), value.m_bytes.size());
        break;
    default:
        AddBytes(value.m_kind, value.m_text.GetString(), static_cast<size_t>(value.m_text.GetLength()));
        break;
    }
}

void CDbRows::EndRow()
{
    while (m_nInRow < m_nColumns)
        AddNull();
    m_nInRow = 0;
    ++m_nRows;
}

const CDbRows::Slot* CDbRows::Find(size_t nRow, size_t nColumn) const
{
    if (nRow >= m_nRows || nColumn >= m_nColumns)
        return nullptr;
    const size_t index = nRow * m_nColumns + nColumn;
    return &m_slotBlocks[index / kSlotsPerBlock][index % kSlotsPerBlock];
}

CDbValue::Kind CDbRows::GetKind(size_t nRow, size_t nColumn) const
{
    const Slot* slot = Find(nRow, nColumn);
    return slot != nullptr ? static_cast<CDbValue::Kind>(slot->kind) : CDbValue::Null;
}

void CDbRows::GetValue(size_t nRow, size_t nColumn, CDbValue& value) const
{
    value.m_kind = CDbValue::Null;
    value.m_int = 0;
    value.m_double = 0.0;
    value.m_text.Empty();
    value.m_bytes.clear();
    const Slot* slot = Find(nRow, nColumn);
    if (slot == nullptr)
        return;
    value.m_kind = static_cast<CDbValue::Kind>(slot->kind);
    switch (value.m_kind) {
    case CDbValue::Null:
        return;
    case CDbValue::Integer:
    case CDbValue::Boolean:
        value.m_int = slot->integer;
        return;
    case CDbValue::Double:
        value.m_double = slot->number;
        return;
    default:
        break;
    }
    const char* p = slot->bytes;
    size_t n = slot->length;
    if (n == kLongValue) {
        std::memcpy(&n, p, sizeof(size_t));
        p += sizeof(size_t);
    }
    if (value.m_kind == CDbValue::Binary) {
        value.m_bytes.assign(reinterpret_cast<const BYTE*>(p), reinterpret_cast<const BYTE*>(p) + n);
        return;
    }
    // A text holds at most what a CString can.
    value.m_text.Append(p, static_cast<int>(std::min<size_t>(n, INT_MAX)));
    if (value.m_kind == CDbValue::Decimal)
        value.m_double = StrToD(value.m_text, nullptr);
}

CDbValue CDbRows::GetValue(size_t nRow, size_t nColumn) const
{
    CDbValue value;
    GetValue(nRow, nColumn, value);
    return value;
}
