// The headless platform has no network; its folders are the process's
// temporary folder.
#include "platform/Http.h"

#include <cstdlib>

BOOL PlatformSystemHttpSend(const PlatformHttpRequest&, PlatformHttpResponse& response)
{
    response.dwError = kHttpErrorCannotConnect;
    return FALSE;
}

CString PlatformTempFolder()
{
    const char* dir = std::getenv("TMPDIR");
    CString folder = dir != nullptr && *dir != '\0' ? CString(dir) : CString("/tmp");
    while (folder.GetLength() > 1 && (folder.Right(1) == "/" || folder.Right(1) == "\\"))
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

CString PlatformInternetCacheFolder()
{
    return PlatformTempFolder();
}
