#include "base/FileReplace.h"

#include "base/CFile.h"
#include "base/Cp936.h"

#include <cstdio>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
#else
// The rename itself reaches the disk only with the folder's entries.
void SyncFolderOf(LPCTSTR path)
{
    std::string folder(path);
    const size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : folder.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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
    if (const CFile::FaultPlan* plan = CFile::GetFaultPlan()) {
        if (plan->bFailRename)
            return FALSE;
    }
#ifdef _WIN32
    return MoveFileExW(Wide(lpszSource).c_str(), Wide(lpszTarget).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? TRUE
               : FALSE;
#else
    if (std::rename(lpszSource, lpszTarget) != 0)
        return FALSE;
    SyncFolderOf(lpszTarget);
    return TRUE;
#endif
}

BOOL IsUnwritableTarget(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return FALSE;
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(Wide(lpszPath).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? TRUE : FALSE;
#else
    struct stat st {};
    if (::stat(lpszPath, &st) != 0)
        return FALSE;
    if (!S_ISREG(st.st_mode))
        return FALSE;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? TRUE : FALSE;
#endif
}

FileWriteResult WriteFileReplacing(LPCTSTR lpszTarget, const std::function<bool(CFile&)>& write)
{
    if (lpszTarget == nullptr || *lpszTarget == '\0' || IsUnwritableTarget(lpszTarget))
        return FileWriteResult::cannotOpen;
    const CString temp = TemporarySiblingPath(lpszTarget);
    if (temp.IsEmpty())
        return FileWriteResult::cannotOpen;
    CFile file;
    if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return FileWriteResult::cannotOpen;
    bool ok = false;
    try {
        ok = write(file);
    } catch (...) {
        ok = false;
    }
    ok = ok && file.Flush() != FALSE;
    ok = file.Close() != FALSE && ok;
    if (!ok || !ReplaceFileWith(temp, lpszTarget)) {
        CFile::Remove(temp);
        return FileWriteResult::writeFailed;
    }
    return FileWriteResult::ok;
}
