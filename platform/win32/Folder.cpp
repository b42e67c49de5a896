// Making one folder level through the system's directory creation.
#include "platform/Folder.h"

#include <windows.h>

#include <string>

BOOL PlatformCreateFolder(LPCTSTR path)
{
    if (path == nullptr || path[0] == '\0')
        return FALSE;
    std::string text(path);
    while (text.size() > 1 && (text.back() == '\\' || text.back() == '/'))
        text.pop_back();
    return ::CreateDirectoryA(text.c_str(), nullptr) ? TRUE : FALSE;
}
