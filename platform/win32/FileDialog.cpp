// The system's open and save dialogs (common dialog library).
#include "platform/FileDialog.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <vector>

CString PlatformSystemFileDialog(BOOL bOpen, LPCTSTR szFilter, LPCTSTR szDefFileName)
{
    // "a|b|c|d|" becomes "a\0b\0c\0d\0\0".
    std::vector<char> filter;
    if (szFilter != nullptr) {
        for (const char* p = szFilter; *p != '\0'; ++p)
            filter.push_back(*p == '|' ? '\0' : *p);
    }
    filter.push_back('\0');
    filter.push_back('\0');
    char file[MAX_PATH * 4] = {};
    if (szDefFileName != nullptr)
        std::strncpy(file, szDefFileName, sizeof(file) - 1);
    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = filter.size() > 2 ? filter.data() : nullptr;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const BOOL chosen = bOpen ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    return chosen ? CString(file) : CString();
}
