#include "base/FileReplace.h"

#include "base/CFile.h"
#include "base/Cp936.h"

#include <cstdio>
#include <string>

namespace {

bool Exists(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary))
        return false;
    file.Close();
    return true;
}

#ifdef _WIN32
std::wstring Wide(LPCTSTR path)
{
    std::u16string u = cp936::ToUtf16(path != nullptr ? path : "");
    return std::wstring(u.begin(), u.end());
}
#endif

}  // namespace

CString TemporarySiblingPath(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return CString();
    for (int n = 0; n < 1000; ++n) {
        CString candidate;
        candidate.Format("%s.~kv%d", lpszPath, n);
        if (!Exists(candidate))
            return candidate;
    }
    return CString();
}

BOOL ReplaceFileWith(LPCTSTR lpszSource, LPCTSTR lpszTarget)
{
    if (lpszSource == nullptr || lpszTarget == nullptr || *lpszSource == '\0' || *lpszTarget == '\0')
        return FALSE;
#ifdef _WIN32
    return MoveFileExW(Wide(lpszSource).c_str(), Wide(lpszTarget).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? TRUE
               : FALSE;
#else
    return std::rename(lpszSource, lpszTarget) == 0 ? TRUE : FALSE;
#endif
}
