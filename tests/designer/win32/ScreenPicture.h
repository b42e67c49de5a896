// Pictures of the screen as Wine composes it, for the designer's Wine tests.
// Wine draws its pop-up menus into the screen it keeps itself, not into
// windows of the X display, so a capture of the X root never shows an open
// menu; copying from the screen's device context does. Tests read such
// pictures back (colours of a menu's face and captions) and, when asked
// through an environment variable, save the whole screen as a 24-bit bitmap
// for people to look at.
#pragma once

#include "designer/win32/DesignerDriver.h"
#include "grid/win32/ScreenCapture.h"

#include <string>
#include <vector>

namespace designerwine {

using screencapture::Capture;
using screencapture::Picture;
using screencapture::SaveBmp;

// With the environment variable named by variable set to a host file, saves
// a picture of the screen there (.bmp): the whole screen, or only the
// window given; without the variable it does nothing.
inline void SaveShotIfAsked(const char* variable, HWND window = nullptr)
{
    char hostPath[512] = {0};
    if (::GetEnvironmentVariableA(variable, hostPath, sizeof(hostPath)) == 0)
        return;
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (window != nullptr && !::GetWindowRect(window, &area))
        return;
    SaveBmp(Capture(area), WinePath(hostPath));
}

}  // namespace designerwine
