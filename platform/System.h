// System services that are not tied to one window: colours and metrics, key
// and mouse state, the cursor, the clock, message boxes, the wheel setting and
// the message loop.
//
// Windows provides the free functions below itself; the host build declares
// them here with the same names and meanings, answered by the in-process stand-
// ins (see platform/headless/Headless.h, which lets tests set every value):
//   GetSysColor / GetSysColorBrush  the Windows 7 default colour scheme
//   GetSystemMetrics                the Windows defaults at 96 dpi on a 1280 x
//                                   1024 screen (scroll bars 17, borders 1, ...)
//   GetKeyState / GetAsyncKeyState  a settable table of pressed and toggled keys
//                                   (pressed: the high bit, as on Windows)
//   GetTickCount                    a test clock that moves only when told to
//   GetCursorPos / SetCursorPos, GetMessagePos, ClipCursor, SetCursor,
//   GetDoubleClickTime (500 ms), TrackMouseEvent, ReleaseCapture, GetCapture,
//   GetFocus, IsWindow              recorded, and readable by tests.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "base/WinConstants.h"
#include "platform/PlatformTypes.h"

#ifndef _WIN32
DWORD GetSysColor(int nIndex);
HBRUSH GetSysColorBrush(int nIndex);        // a stock brush of that colour; never delete it
int GetSystemMetrics(int nIndex);           // 0 for an unknown index
SHORT GetKeyState(int nVirtKey);            // high bit: pressed; low bit: toggled
SHORT GetAsyncKeyState(int vKey);           // high bit: pressed
DWORD GetTickCount();
BOOL GetCursorPos(LPPOINT lpPoint);         // screen coordinates
BOOL SetCursorPos(int x, int y);
DWORD GetMessagePos();                      // the cursor position as x low, y high (signed words)
BOOL ClipCursor(const RECT* lpRect);        // NULL frees the cursor
HCURSOR SetCursor(HCURSOR hCursor);         // answers the previous cursor
HCURSOR GetCursor();
UINT GetDoubleClickTime();
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);
BOOL ReleaseCapture();
HWND GetCapture();
HWND GetFocus();
BOOL IsWindow(HWND hWnd);
#endif

// A standard cursor by its IDC_* number (IDC_ARROW, IDC_SIZEWE, ...).
HCURSOR PlatformLoadCursor(UINT_PTR nCursorId);
#ifdef _WIN32
inline HCURSOR PlatformLoadCursor(LPCSTR lpCursorName)
{
    return PlatformLoadCursor(reinterpret_cast<UINT_PTR>(lpCursorName));
}
#endif

// The full path, file name included, of the module (EXE or DLL) that holds
// this code, as GetModuleFileName gives it; "" where there is no module file
// (the host build) or the path cannot be had.
CString PlatformModuleFileName();

// Lines to scroll per wheel notch (the user's setting; 3 when the system gives
// none). 0xFFFFFFFF (WHEEL_PAGESCROLL) means one page per notch.
UINT PlatformWheelScrollLines();

// Shows a message box over the active window and answers the button chosen
// (IDOK, IDYES, ...). The host build never blocks: it records the text and
// type and answers the next queued answer, else the type's first button.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The caption of AfxMessageBox (initially "KivoSheet").
void PlatformSetMessageBoxCaption(LPCTSTR lpszCaption);

// Message loop.
// PlatformPumpMessages handles every message waiting for this thread (posted
// messages, timers and paints on Windows; posted messages and then paints of
// invalid windows on the host) and returns; FALSE once WM_QUIT was seen.
BOOL PlatformPumpMessages();
// Runs the loop until WM_QUIT and answers its exit code.
int PlatformRunMessageLoop();
// Posts WM_QUIT to this thread's loop.
void PlatformPostQuit(int nExitCode);
// Deletes the temporary objects that CWnd/CDC/CGdiObject FromHandle made for
// handles without an object of their own. The message loop does this when it
// is idle; pointers to temporary objects are valid only until then.
void PlatformDeleteTempObjects();
