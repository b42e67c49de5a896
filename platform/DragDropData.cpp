// The in-memory data of a drag.
#include "platform/DragDrop.h"

BOOL CMemoryDropData::IsFormatAvailable(UINT nFormat)
{
    for (const auto& entry : m_formats)
        if (entry.first == nFormat)
            return TRUE;
    return FALSE;
}

BOOL CMemoryDropData::GetData(UINT nFormat, std::vector<BYTE>& bytes)
{
    bytes.clear();
    for (const auto& entry : m_formats) {
        if (entry.first == nFormat) {
            bytes = entry.second;
            return TRUE;
        }
    }
    return FALSE;
}
