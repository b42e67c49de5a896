#include "cellcontent/ColourUtil.h"

COLORREF MixColours(COLORREF a, COLORREF b)
{
    const DWORD red = (static_cast<DWORD>(GetRValue(a)) + GetRValue(b)) / 2;
    const DWORD green = (static_cast<DWORD>(GetGValue(a)) + GetGValue(b)) / 2;
    const DWORD blue = (static_cast<DWORD>(GetBValue(a)) + GetBValue(b)) / 2;
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}
