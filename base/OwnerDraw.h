// Owner drawing: what WM_DRAWITEM hands the parent of an owner-drawn control.
// On Windows these come from the system headers; the host build defines them
// with the same values.
#pragma once

#include "base/WinTypes.h"

#ifndef _WIN32

struct tagDRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    ULONG_PTR itemData;
};
typedef tagDRAWITEMSTRUCT DRAWITEMSTRUCT;
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;

#define ODT_BUTTON 4
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010

#endif  // !_WIN32
