// The host build's system state: clock, keys, cursor, colours, metrics, the
// wheel setting, message boxes, the message loop, and the test access to them.
#include "platform/headless/HeadlessInternal.h"

#include "platform/System.h"
#include "platform/Wnd.h"
#include "platform/WndInternal.h"

#include <algorithm>
#include <cstring>

namespace headless {

State& S()
{
    static State state;
    static bool initialised = false;
    if (!initialised) {
        initialised = true;
        ResetSystemSettings(state);
    }
    return state;
}

void ResetSystemSettings(State& s)
{
    // The Windows 7 default colour scheme.
    static const COLORREF colors[31] = {
        RGB(200, 200, 200),  // COLOR_SCROLLBAR
        RGB(0, 0, 0),        // COLOR_BACKGROUND
        RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
        RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
        RGB(240, 240, 240),  // COLOR_MENU
        RGB(255, 255, 255),  // COLOR_WINDOW
        RGB(100, 100, 100),  // COLOR_WINDOWFRAME
        RGB(0, 0, 0),        // COLOR_MENUTEXT
        RGB(0, 0, 0),        // COLOR_WINDOWTEXT
        RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
        RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
        RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
        RGB(171, 171, 171),  // COLOR_APPWORKSPACE
        RGB(51, 153, 255),   // COLOR_HIGHLIGHT
        RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
        RGB(240, 240, 240),  // COLOR_BTNFACE
        RGB(160, 160, 160),  // COLOR_BTNSHADOW
        RGB(109, 109, 109),  // COLOR_GRAYTEXT
        RGB(0, 0, 0),        // COLOR_BTNTEXT
        RGB(67, 78, 84),     // COLOR_INACTIVECAPTIONTEXT
        RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
        RGB(105, 105, 105),  // COLOR_3DDKSHADOW
        RGB(227, 227, 227),  // COLOR_3DLIGHT
        RGB(0, 0, 0),        // COLOR_INFOTEXT
        RGB(255, 255, 225),  // COLOR_INFOBK
        RGB(0, 0, 0),        // (unused)
        RGB(0, 102, 204),    // COLOR_HOTLIGHT
        RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
        RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
        RGB(51, 153, 255),   // COLOR_MENUHILIGHT
        RGB(240, 240, 240),  // COLOR_MENUBAR
    };
    std::memcpy(s.sysColors, colors, sizeof(colors));
    for (int i = 0; i < 31; ++i) {
        GdiObj* brush = SysColorBrush(i);
        if (brush)
            brush->brushColor = colors[i];
    }
    s.metrics = {
        {SM_CXSCREEN, 1280},   {SM_CYSCREEN, 1024},      {SM_CXVSCROLL, 17},      {SM_CYHSCROLL, 17},
        {SM_CYCAPTION, 22},    {SM_CXBORDER, 1},         {SM_CYBORDER, 1},        {SM_CXDLGFRAME, 3},
        {SM_CYDLGFRAME, 3},    {SM_CYVTHUMB, 17},        {SM_CXHTHUMB, 17},       {SM_CXICON, 32},
        {SM_CYICON, 32},       {SM_CXCURSOR, 32},        {SM_CYCURSOR, 32},       {SM_CYMENU, 20},
        {SM_CXFULLSCREEN, 1280}, {SM_CYFULLSCREEN, 980}, {SM_MOUSEPRESENT, 1},    {SM_CYVSCROLL, 17},
        {SM_CXHSCROLL, 17},    {SM_CXMIN, 112},          {SM_CYMIN, 27},          {SM_CXSIZE, 36},
        {SM_CYSIZE, 22},       {SM_CXFRAME, 4},          {SM_CYFRAME, 4},         {SM_CXMINTRACK, 112},
        {SM_CYMINTRACK, 27},   {SM_CXDOUBLECLK, 4},      {SM_CYDOUBLECLK, 4},     {SM_CXICONSPACING, 75},
        {SM_CYICONSPACING, 75}, {SM_DBCSENABLED, 1},     {SM_CMOUSEBUTTONS, 3},   {SM_CXEDGE, 2},
        {SM_CYEDGE, 2},        {SM_CXSMICON, 16},        {SM_CYSMICON, 16},       {SM_CYSMCAPTION, 18},
        {SM_CXDRAG, 4},        {SM_CYDRAG, 4},           {SM_CXMENUCHECK, 15},    {SM_CYMENUCHECK, 15},
        {SM_MOUSEWHEELPRESENT, 1}, {SM_CXVIRTUALSCREEN, 1280}, {SM_CYVIRTUALSCREEN, 1024}, {SM_CMONITORS, 1},
    };
    s.wheelLines = 3;
    s.logPixels = 96;
    s.doubleClickTime = 500;
}

}  // namespace headless

using namespace headless;

// ------------------------------------------------------- system functions

DWORD GetSysColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= 31)
        return 0;
    return S().sysColors[nIndex];
}

HBRUSH GetSysColorBrush(int nIndex)
{
    return reinterpret_cast<HBRUSH>(SysColorBrush(nIndex));
}

int GetSystemMetrics(int nIndex)
{
    const State& s = S();
    auto it = s.metrics.find(nIndex);
    return it == s.metrics.end() ? 0 : it->second;
}

SHORT GetKeyState(int nVirtKey)
{
    if (nVirtKey < 0 || nVirtKey > 255)
        return 0;
    BYTE k = S().keys[nVirtKey];
    int value = ((k & 0x80) ? 0x8000 : 0) | ((k & 0x01) ? 1 : 0);
    return static_cast<SHORT>(static_cast<WORD>(value));
}

SHORT GetAsyncKeyState(int vKey)
{
    if (vKey < 0 || vKey > 255)
        return 0;
    return (S().keys[vKey] & 0x80) ? static_cast<SHORT>(static_cast<WORD>(0x8000)) : 0;
}

DWORD GetTickCount()
{
    return S().now;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr)
        return FALSE;
    *lpPoint = S().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    State& s = S();
    if (s.clipCursor) {
        x = std::max<int>(s.cursorClip.left, std::min<int>(x, s.cursorClip.right - 1));
        y = std::max<int>(s.cursorClip.top, std::min<int>(y, s.cursorClip.bottom - 1));
    }
    s.cursorPos.x = x;
    s.cursorPos.y = y;
    return TRUE;
}

DWORD GetMessagePos()
{
    const POINT& p = S().cursorPos;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

BOOL ClipCursor(const RECT* lpRect)
{
    State& s = S();
    s.clipCursor = lpRect != nullptr;
    if (lpRect)
        s.cursorClip = *lpRect;
    return TRUE;
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    State& s = S();
    HCURSOR old = s.cursor;
    s.cursor = hCursor;
    return old;
}

HCURSOR GetCursor()
{
    return S().cursor;
}

UINT GetDoubleClickTime()
{
    return S().doubleClickTime;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (lpEventTrack == nullptr)
        return FALSE;
    S().trackRequests.push_back(*lpEventTrack);
    return TRUE;
}

HCURSOR PlatformLoadCursor(UINT_PTR nCursorId)
{
    // A standard cursor's handle carries its number.
    return reinterpret_cast<HCURSOR>(nCursorId);
}

CString PlatformModuleFileName()
{
    return CString();
}

UINT PlatformWheelScrollLines()
{
    return S().wheelLines;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    State& s = S();
    int answer;
    if (!s.messageBoxAnswers.empty()) {
        answer = s.messageBoxAnswers.front();
        s.messageBoxAnswers.pop_front();
    } else {
        switch (nType & MB_TYPEMASK) {
        case MB_OKCANCEL: answer = IDOK; break;
        case MB_ABORTRETRYIGNORE: answer = IDABORT; break;
        case MB_YESNOCANCEL:
        case MB_YESNO: answer = IDYES; break;
        case MB_RETRYCANCEL: answer = IDRETRY; break;
        case MB_CANCELTRYCONTINUE: answer = IDCANCEL; break;
        default: answer = IDOK; break;
        }
    }
    s.messageBoxes.push_back({lpszText ? lpszText : "", s.messageBoxCaption, nType, answer});
    return answer;
}

void PlatformSetMessageBoxCaption(LPCTSTR lpszCaption)
{
    S().messageBoxCaption = lpszCaption ? lpszCaption : "";
}

// ------------------------------------------------------------ message loop

namespace {

// Posted messages first (in order), then WM_PAINT for windows with an update
// area, as the system orders them.
bool DeliverPending()
{
    State& s = S();
    while (!s.queue.empty()) {
        MSG msg = s.queue.front();
        s.queue.pop_front();
        if (msg.message == WM_QUIT) {
            s.quit = true;
            s.quitCode = static_cast<int>(msg.wParam);
            return false;
        }
        if (!FindWindow(msg.hwnd))
            continue;
        bool handled = false;
        for (HWND h = msg.hwnd; h != nullptr && !handled;) {
            CWnd* wnd = CWnd::FromHandlePermanent(h);
            if (wnd && wnd->PreTranslateMessage(&msg))
                handled = true;
            Window* w = FindWindow(h);
            h = (w && (w->style & WS_CHILD)) ? w->parent : nullptr;
        }
        if (!handled)
            Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    // Paint rounds: a window that leaves its area invalid is not asked again.
    std::vector<HWND> dirty;
    for (auto& entry : s.windows) {
        Window* w = entry.second.get();
        if (w->hasUpdate && IsShown(w))
            dirty.push_back(w->handle);
    }
    for (HWND h : dirty) {
        Window* w = FindWindow(h);
        if (w && w->hasUpdate && IsShown(w)) {
            PaintNow(w);
            w = FindWindow(h);
            if (w)
                w->hasUpdate = false;
        }
    }
    return true;
}

}  // namespace

BOOL PlatformPumpMessages()
{
    State& s = S();
    if (s.quit)
        return FALSE;
    for (int round = 0; round < 64 && (!s.queue.empty() || round == 0); ++round) {
        if (!DeliverPending())
            break;
    }
    if (PlatformDispatchDepth() == 0)
        PlatformDeleteTempObjects();
    return s.quit ? FALSE : TRUE;
}

int PlatformRunMessageLoop()
{
    // Without a user nothing arrives on the host: deliver what is pending.
    State& s = S();
    while (!s.quit && !s.queue.empty())
        PlatformPumpMessages();
    PlatformPumpMessages();
    return s.quit ? s.quitCode : 0;
}

void PlatformPostQuit(int nExitCode)
{
    MSG msg = {};
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(nExitCode);
    S().queue.push_back(msg);
}

// ------------------------------------------------------------- test access

namespace Headless {

void Reset()
{
    State& s = S();
    s.queue.clear();
    s.quit = false;
    s.quitCode = 0;
    s.now = 1000000;
    s.cursorPos = {0, 0};
    s.cursor = nullptr;
    s.clipCursor = false;
    s.trackRequests.clear();
    std::memset(s.keys, 0, sizeof(s.keys));
    s.messageBoxCaption = "KivoSheet";
    s.messageBoxes.clear();
    s.messageBoxAnswers.clear();
    s.recording = true;
    s.drawLog.clear();
    s.bitmapResources.clear();
    s.bitmapResourceSizes.clear();
    for (auto& entry : s.windows) {
        entry.second->invalidations.clear();
        entry.second->paints = 0;
    }
    ResetSystemSettings(s);
    headless::ResetClipboard();
    headless::ResetDragDrop();
    headless::ResetPopupMenus();
    headless::ResetPrinter();
}

DWORD Now()
{
    return S().now;
}

void SetTime(DWORD now)
{
    S().now = now;
}

void SetKeyDown(int vk, bool down)
{
    if (vk < 0 || vk > 255)
        return;
    BYTE& k = S().keys[vk];
    k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
}

void SetKeyToggled(int vk, bool toggled)
{
    if (vk < 0 || vk > 255)
        return;
    BYTE& k = S().keys[vk];
    k = static_cast<BYTE>(toggled ? (k | 0x01) : (k & ~0x01));
}

void ReleaseAllKeys()
{
    for (BYTE& k : S().keys)
        k = static_cast<BYTE>(k & ~0x80);
}

UINT_PTR CursorId()
{
    return reinterpret_cast<UINT_PTR>(S().cursor);
}

bool CursorClip(RECT* rect)
{
    const State& s = S();
    if (s.clipCursor && rect)
        *rect = s.cursorClip;
    return s.clipCursor;
}

std::vector<TRACKMOUSEEVENT> TrackMouseRequests()
{
    return S().trackRequests;
}

void SetDoubleClickTime(UINT ms)
{
    S().doubleClickTime = ms;
}

void SetSysColor(int index, COLORREF color)
{
    if (index < 0 || index >= 31)
        return;
    S().sysColors[index] = color;
    if (GdiObj* brush = SysColorBrush(index))
        brush->brushColor = color;
}

void SetSystemMetric(int index, int value)
{
    S().metrics[index] = value;
}

void SetWheelScrollLines(UINT lines)
{
    S().wheelLines = lines;
}

void SetLogPixels(int dpi)
{
    S().logPixels = dpi;
}

const std::vector<MessageBoxRecord>& MessageBoxes()
{
    return S().messageBoxes;
}

void QueueMessageBoxAnswer(int answer)
{
    S().messageBoxAnswers.push_back(answer);
}

std::vector<MSG> QueuedMessages()
{
    const State& s = S();
    return std::vector<MSG>(s.queue.begin(), s.queue.end());
}

bool QuitPosted(int* exitCode)
{
    const State& s = S();
    bool posted = s.quit;
    int code = s.quitCode;
    for (const MSG& msg : s.queue) {
        if (msg.message == WM_QUIT && !posted) {
            posted = true;
            code = static_cast<int>(msg.wParam);
        }
    }
    if (posted && exitCode)
        *exitCode = code;
    return posted;
}

const std::vector<DrawOp>& DrawLog()
{
    return S().drawLog;
}

void ClearDrawLog()
{
    S().drawLog.clear();
}

void SetRecording(bool on)
{
    S().recording = on;
}

void AddBitmapResource(UINT id, int width, int height, const COLORREF* pixels)
{
    if (width <= 0 || height <= 0 || pixels == nullptr)
        return;
    State& s = S();
    s.bitmapResources[id].assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    s.bitmapResourceSizes[id] = SIZE{width, height};
}

}  // namespace Headless
