// The system window colour and window-text colour that cells compare with
// when they decide whether a colour is their own or inherited.
//
// Both are process-wide: read from the system the first time they are needed,
// and again (CacheDefaultColours) whenever a grid is built or a grid window
// hears that the system colours changed (WM_SYSCOLORCHANGE).
#pragma once

#include "base/WinTypes.h"

COLORREF GetDefaultBackColour();   // COLOR_WINDOW
COLORREF GetDefaultTextColour();   // COLOR_WINDOWTEXT
void CacheDefaultColours();
