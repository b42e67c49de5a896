// System services on Windows: cursors, the wheel setting, message boxes and the
// message loop.
#include "platform/System.h"

#include "platform/Wnd.h"
#include "platform/win32/Module.h"
#include "platform/WndInternal.h"

#include <string>

namespace {

std::string& Caption()
{
    static std::string caption = "KivoSheet";
    return caption;
}

bool g_quitSeen = false;

// Offers a posted message to the objects of its window and their parents.
bool PreTranslate(MSG& msg)
{
    for (HWND h = msg.hwnd; h != nullptr;) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->PreTranslateMessage(&msg))
            return true;
        if (!(::GetWindowLongA(h, GWL_STYLE) & WS_CHILD))
            break;
        h = ::GetParent(h);
    }
    return false;
}

}  // namespace

HCURSOR PlatformLoadCursor(UINT_PTR nCursorId)
{
    return ::LoadCursorA(nullptr, MAKEINTRESOURCEA(nCursorId));
}

CString PlatformModuleFileName()
{
    char path[MAX_PATH * 2] = {0};
    const DWORD n = ::GetModuleFileNameA(PlatformModuleInstance(), path, sizeof(path) - 1);
    if (n == 0 || n >= sizeof(path) - 1)
        return CString();
    return CString(path);
}

UINT PlatformWheelScrollLines()
{
    UINT lines = 3;
    if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        lines = 3;
    return lines;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    return ::MessageBoxA(::GetActiveWindow(), lpszText ? lpszText : "", Caption().c_str(), nType);
}

void PlatformSetMessageBoxCaption(LPCTSTR lpszCaption)
{
    Caption() = lpszCaption ? lpszCaption : "";
}

BOOL PlatformPumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            g_quitSeen = true;
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for an outer loop too
            return FALSE;
        }
        if (!PreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (PlatformDispatchDepth() == 0)
        PlatformDeleteTempObjects();
    return g_quitSeen ? FALSE : TRUE;
}

int PlatformRunMessageLoop()
{
    MSG msg;
    for (;;) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            PlatformDeleteTempObjects();  // idle
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return got == 0 ? static_cast<int>(msg.wParam) : -1;
        if (!PreTranslate(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void PlatformPostQuit(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}
