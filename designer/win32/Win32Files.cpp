// Folder listing and making through the system's find and directory calls.
#include "designer/win32/Win32Files.h"

#include <windows.h>

#include <cstring>

bool CWin32Files::List(const CString& folder, std::vector<CDesignerFileEntry>& entries)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(folder + "\\*.*", &data);
    if (find == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0)
            continue;
        CDesignerFileEntry e;
        e.name = data.cFileName;
        e.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        entries.push_back(e);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return true;
}

bool CWin32Files::IsDirectory(const CString& path)
{
    const DWORD a = ::GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CWin32Files::MakeDirectory(const CString& path)
{
    return ::CreateDirectoryA(path, nullptr) != FALSE || IsDirectory(path);
}
