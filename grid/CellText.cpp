#include "grid/CellText.h"

#include <cstring>

void CCellText::Set(LPCTSTR psz)
{
    if (psz == nullptr || *psz == '\0') {
        m_pText.reset();
        return;
    }
    size_t length = std::strlen(psz);
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), psz, length + 1);
    m_pText = std::move(copy);
}

int CCellText::GetLength() const
{
    return m_pText ? static_cast<int>(std::strlen(m_pText.get())) : 0;
}
