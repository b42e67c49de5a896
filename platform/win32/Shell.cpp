// The shell's "open" verb.
#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

BOOL PlatformShellOpen(LPCTSTR szTarget)
{
    if (szTarget == nullptr || *szTarget == '\0')
        return FALSE;
    const HINSTANCE result = ::ShellExecuteA(nullptr, "open", szTarget, nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32 ? TRUE : FALSE;
}
