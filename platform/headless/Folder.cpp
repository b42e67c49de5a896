// Making one folder level on a POSIX file system.
#include "platform/Folder.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

BOOL PlatformCreateFolder(LPCTSTR path)
{
    if (path == nullptr || path[0] == '\0')
        return FALSE;
    std::string text(path);
    for (char& c : text) {
        if (c == '\\')
            c = '/';
    }
    // A drive prefix names the one host root.
    if (text.size() >= 2 && text[1] == ':' &&
        ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')))
        text.erase(0, 2);
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    if (text.empty())
        return FALSE;
    return ::mkdir(text.c_str(), 0777) == 0 ? TRUE : FALSE;
}
