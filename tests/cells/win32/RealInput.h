// Real input for the Wine tests: the mouse and keys go through the system's
// input queue (SendInput), so hooks, capture, hit testing and focus see them
// as they see a user's.
#pragma once

#include "grid/win32/GridWineTestUtil.h"

#include <windows.h>

namespace realinput {

inline void PointerTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
    gridwine::PumpFor(40);
}

// Moves the pointer to a client point of the window.
inline void PointerTo(HWND wnd, POINT client)
{
    ::ClientToScreen(wnd, &client);
    PointerTo(client);
}

inline void Button(DWORD flag)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof(INPUT));
    gridwine::PumpFor(60);
}

inline void ClickAt(HWND wnd, POINT client)
{
    PointerTo(wnd, client);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
}

inline void PressKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    gridwine::PumpFor(60);
}

// Letters and digits by their virtual keys (letters unshifted).
inline void TypeText(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        PressKey(static_cast<WORD>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
}

}  // namespace realinput
