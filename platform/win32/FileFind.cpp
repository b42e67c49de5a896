// File search through the system's directory search.
#include "platform/FileFind.h"

BOOL PlatformFindFile(LPCTSTR path, DWORD* attributes)
{
    if (path == nullptr || path[0] == '\0')
        return FALSE;
    WIN32_FIND_DATAA data;
    HANDLE search = ::FindFirstFileA(path, &data);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(search);
    if (attributes)
        *attributes = data.dwFileAttributes;
    return TRUE;
}
