#include "grid/CellText.h"
#include "grid/CellValueFieldChange.h"

#include <cstring>

static_assert(sizeof(char*) <= 8, "a text's address fits its eight bytes");
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "byte 0 of an address must be its low byte"
#endif

void CCellText::Set(LPCTSTR psz)
{
    cellvalue::NoteFieldChange();
    if (psz == nullptr || *psz == '\0') {
        Empty();
        return;
    }
    const size_t length = std::strlen(psz);
    if (length <= kInlineMax) {
        // Copied aside first: psz may lie in these very bytes.
        unsigned char bytes[kInlineMax + 1];
        std::memcpy(bytes, psz, length + 1);
        Release();
        std::memset(m_raw, 0, sizeof(m_raw));
        m_raw[0] = static_cast<unsigned char>(2 * length + 1);
        std::memcpy(m_raw + 1, bytes, length + 1);
        return;
    }
    char* copy = new char[length + 1];
    std::memcpy(copy, psz, length + 1);
    Release();
    std::memset(m_raw, 0, sizeof(m_raw));
    std::memcpy(m_raw, &copy, sizeof(copy));
}

int CCellText::GetLength() const
{
    if (IsInline())
        return static_cast<int>(m_raw[0] >> 1);
    const char* p = Heap();
    return p != nullptr ? static_cast<int>(std::strlen(p)) : 0;
}
