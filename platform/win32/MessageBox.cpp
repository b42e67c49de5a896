#include "platform/MessageBox.h"

#include <windows.h>

int PlatformMessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(hOwner, lpszText != nullptr ? lpszText : "", lpszCaption != nullptr ? lpszCaption : "",
                         nType);
}
