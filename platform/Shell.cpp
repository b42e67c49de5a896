#include "platform/Shell.h"

namespace {

PlatformOpenLinkHandler g_handler = nullptr;

}  // namespace

BOOL PlatformOpenLink(LPCTSTR szTarget)
{
    if (szTarget == nullptr || *szTarget == '\0')
        return FALSE;
    return g_handler != nullptr ? g_handler(szTarget) : PlatformShellOpen(szTarget);
}

PlatformOpenLinkHandler SetPlatformOpenLinkHandler(PlatformOpenLinkHandler pfnHandler)
{
    PlatformOpenLinkHandler previous = g_handler;
    g_handler = pfnHandler;
    return previous;
}
