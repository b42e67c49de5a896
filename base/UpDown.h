// Up-down controls: the messages, styles and notification of a pair of
// arrows stepping a position. On Windows these come from the system headers;
// the host build defines them with the same values.
#pragma once

#include "base/WinConstants.h"
#include "base/WinTypes.h"

#ifdef _WIN32
#include <commctrl.h>
#else
#define UDM_SETRANGE (WM_USER + 101)
#define UDM_GETRANGE (WM_USER + 102)
#define UDM_SETPOS (WM_USER + 103)
#define UDM_GETPOS (WM_USER + 104)
#define UDM_SETBUDDY (WM_USER + 105)
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)
#define UDS_WRAP 0x0001
#define UDS_SETBUDDYINT 0x0002
#define UDS_ALIGNRIGHT 0x0004
#define UDS_ALIGNLEFT 0x0008
#define UDS_AUTOBUDDY 0x0010
#define UDS_ARROWKEYS 0x0020
#define UDS_HORZ 0x0040
#define UDS_NOTHOUSANDS 0x0080
#define UDN_FIRST (0U - 721U)
#define UDN_DELTAPOS (UDN_FIRST - 1)
struct tagNMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};
typedef tagNMUPDOWN NMUPDOWN;
typedef NMUPDOWN* LPNMUPDOWN;
#endif
