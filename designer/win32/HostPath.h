// The path a database driver of the host can open for a path the program
// chose. Under Wine the ODBC drivers are the host's: they take a path as it
// stands, so a drive path ("Z:\home\...\db.sqlite") would name a file of that
// literal name in their current folder. Wine says which host file a drive
// path stands for (wine_get_unix_file_name of its kernel32); elsewhere, or
// when it cannot say, the path stays as it is.
#pragma once

#include "base/CString.h"

#include <windows.h>

#include <vector>

inline CString HostPathForDriver(const CString& path)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    auto unixName =
        kernel != nullptr ? reinterpret_cast<UnixName>(::GetProcAddress(kernel, "wine_get_unix_file_name")) : nullptr;
    if (unixName == nullptr || path.IsEmpty())
        return path;
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, path.GetString(), -1, nullptr, 0);
    if (wideLength <= 0)
        return path;
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    ::MultiByteToWideChar(CP_ACP, 0, path.GetString(), -1, wide.data(), wideLength);
    char* host = unixName(wide.data());   // UTF-8, on the process heap
    if (host == nullptr)
        return path;
    CString result = path;
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, host, -1, nullptr, 0);
    if (n > 0) {
        std::vector<wchar_t> w(static_cast<size_t>(n));
        ::MultiByteToWideChar(CP_UTF8, 0, host, -1, w.data(), n);
        BOOL lost = FALSE;
        const int m = ::WideCharToMultiByte(CP_ACP, 0, w.data(), -1, nullptr, 0, nullptr, &lost);
        if (m > 0 && !lost) {
            std::vector<char> a(static_cast<size_t>(m));
            ::WideCharToMultiByte(CP_ACP, 0, w.data(), -1, a.data(), m, nullptr, nullptr);
            result = CString(a.data());
        }
    }
    ::HeapFree(::GetProcessHeap(), 0, host);
    return result;
}
