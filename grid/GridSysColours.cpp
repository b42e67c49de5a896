#include "grid/GridSysColours.h"

#include "base/WinConstants.h"
#include "platform/System.h"

namespace {

bool g_cached = false;
COLORREF g_crWindow = 0;
COLORREF g_crWindowText = 0;

void EnsureCached()
{
    if (!g_cached)
        CacheDefaultColours();
}

}  // namespace

void CacheDefaultColours()
{
    g_crWindow = GetSysColor(COLOR_WINDOW);
    g_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    g_cached = true;
}

COLORREF GetDefaultBackColour()
{
    EnsureCached();
    return g_crWindow;
}

COLORREF GetDefaultTextColour()
{
    EnsureCached();
    return g_crWindowText;
}
