// Driving KivoDesigner.exe as a user would under Wine: starting it, finding
// its windows, real mouse and key input (SendInput), answering its file
// dialogs, and a control of the test's own (through the designer's control
// site) that reads back what the designer wrote. Shared by the designer's
// Windows tests.
#pragma once

#include "control/KivoGuids.gen.h"
#include "designer/GridControlWnd.gen.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace designerwine {

inline std::string WinePath(const char* unixPath)
{
    std::string w = unixPath[0] == '/' ? "Z:" : "";
    for (const char* p = unixPath; *p != '\0'; ++p)
        w.push_back(*p == '/' ? '\\' : *p);
    return w;
}

inline int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    else
        ::TerminateProcess(pi.hProcess, 99);  // a run past its time does not outlive the test
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

inline void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    } while (::GetTickCount() - start < ms);
}

template <typename Condition>
inline bool WaitFor(Condition done, DWORD ms = 15000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (::GetTickCount() - start > ms)
            return false;
        Pump(50);
    }
}

inline std::string TextOf(HWND hwnd)
{
    char text[512] = {0};
    ::GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

// The text of a box in another process, asked of the box itself (an edit
// box's text is not its window name); a hung window answers nothing.
inline std::string ControlTextOf(HWND hwnd)
{
    DWORD_PTR n = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &n))
        return std::string();
    std::vector<char> text(static_cast<size_t>(n) + 2, '\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutA(hwnd, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 3000,
                          &got);
    return text.data();
}

inline std::string ClassOf(HWND hwnd)
{
    char name[128] = {0};
    ::GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

struct WindowSearch {
    DWORD pid;
    std::string cls;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectTop(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<WindowSearch*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && (s->cls.empty() || ClassOf(h) == s->cls) && ::IsWindowVisible(h))
        s->found.push_back(h);
    return TRUE;
}

inline BOOL CALLBACK CollectChild(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<WindowSearch*>(l);
    if (ClassOf(h) == s->cls)
        s->found.push_back(h);
    return TRUE;
}

inline std::vector<HWND> TopWindows(DWORD pid, const char* cls)
{
    WindowSearch s{pid, cls, {}};
    ::EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

inline std::vector<HWND> Children(HWND parent, const char* cls)
{
    WindowSearch s{0, cls, {}};
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct IdSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchId(HWND h, LPARAM l)
{
    auto* f = reinterpret_cast<IdSearch*>(l);
    if (::GetDlgCtrlID(h) == f->id) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

inline HWND ChildById(HWND parent, int id)
{
    IdSearch f = {id, nullptr};
    ::EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// Real input through the system's queue.
inline void PointerTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
    Pump(50);
}

// A real click at a point of the screen.
inline void ClickScreen(POINT screen, bool right = false)
{
    PointerTo(screen);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input[0], sizeof(INPUT));
    Pump(80);
    ::SendInput(1, &input[1], sizeof(INPUT));
    Pump(150);
}

inline void Click(HWND hwnd, POINT client, bool right = false)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    ClickScreen(screen, right);
}

inline void Key(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    Pump(40);
}

inline void Press(WORD vk)
{
    Key(vk, false);
    Key(vk, true);
}

inline void TypeText(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        Press(static_cast<WORD>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
}

inline void CtrlKey(WORD vk)
{
    Key(VK_CONTROL, false);
    Press(vk);
    Key(VK_CONTROL, true);
}

// A control of the test's own in a window of its own, through the designer's
// control site: the second reader of what the designer writes.
class Reader {
public:
    Reader()
    {
        host = ::CreateWindowExA(0, "STATIC", "reader", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        CLSID clsid;
        std::memcpy(&clsid, kGuid_KivoSheet.bytes, sizeof(clsid));
        RECT rc = {0, 0, 300, 200};
        created = host != nullptr && grid.Create(clsid, host, rc, 923);
    }
    ~Reader()
    {
        grid.Destroy();
        if (host != nullptr)
            ::DestroyWindow(host);
    }
    // The body cells holding text, as "row,col=text", rows 1..rows and
    // columns 1..cols (the headers show their labels).
    std::vector<std::string> Texts(int rows = 12, int cols = 12)
    {
        std::vector<std::string> texts;
        for (LONG r = 1; r <= rows; ++r)
            for (LONG c = 1; c <= cols; ++c) {
                const CString v = grid.CellGetValue(r, c);
                if (!v.IsEmpty())
                    texts.push_back(std::to_string(r) + "," + std::to_string(c) + "=" + v.Str());
            }
        return texts;
    }
    HWND host = nullptr;
    bool created = false;
    CGridControlWnd grid;
};

class Designer {
public:
    explicit Designer(const std::string& arguments = "")
    {
        std::string cmd = "\"" + WinePath(KIVO_DESIGNER_EXE) + "\"";
        if (!arguments.empty())
            cmd += " " + arguments;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        started = ::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
    }
    ~Designer() { Close(); }

    HWND Frame()
    {
        if (frame == nullptr && started) {
            WaitFor([this] {
                const std::vector<HWND> f = TopWindows(pi.dwProcessId, "KivoDesignerMainFrame");
                frame = f.empty() ? nullptr : f[0];
                return frame != nullptr;
            });
        }
        return frame;
    }
    std::vector<HWND> Documents()
    {
        return Frame() != nullptr ? Children(frame, "KivoDesignerChildFrame") : std::vector<HWND>();
    }
    // A dialog or message box of the designer, once one shows.
    HWND WaitForDialog(DWORD ms = 10000)
    {
        HWND dialog = nullptr;
        WaitFor(
            [&] {
                const std::vector<HWND> d = TopWindows(pi.dwProcessId, "#32770");
                dialog = d.empty() ? nullptr : d[0];
                return dialog != nullptr;
            },
            ms);
        return dialog;
    }
    void Foreground()
    {
        ::SetForegroundWindow(Frame());
        Pump(200);
    }
    // Asks the designer to end and waits; answers the exit code (-1 when it
    // had to be stopped).
    int Close()
    {
        if (!started)
            return -1;
        started = false;
        if (frame != nullptr)
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        DWORD code = static_cast<DWORD>(-1);
        if (::WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(pi.hProcess, &code);
        else
            ::TerminateProcess(pi.hProcess, 99);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        return static_cast<int>(code);
    }

    bool started = false;
    PROCESS_INFORMATION pi = {};
    HWND frame = nullptr;
};

// Waits until the window's screen rectangle stays the same for 200 ms
// (at most 5 s); rect is where it stands then.
inline bool SteadyRect(HWND window, RECT& rect)
{
    ::GetWindowRect(window, &rect);
    for (int i = 0; i < 25; ++i) {
        ::Sleep(200);
        RECT now = {};
        ::GetWindowRect(window, &now);
        if (::EqualRect(&now, &rect))
            return true;
        rect = now;
    }
    return false;
}

// Clicks into the designer's grid until the keyboard focus is there (a
// click that only activated the window does not count). Opening a document
// may leave the focus in the grid already, so a click aimed while the window
// still moves would miss unnoticed: it aims at a steady window only, and
// again when the window moved under the click.
inline bool ClickIntoGrid(Designer& d, HWND control, POINT at)
{
    HWND grid = ChildById(control, 81220);
    for (int attempt = 0; attempt < 4; ++attempt) {
        d.Foreground();
        WaitFor([&] { return ::GetForegroundWindow() == d.Frame(); }, 2000);
        RECT aimed = {};
        if (!SteadyRect(control, aimed))
            continue;
        Click(control, at);
        ::Sleep(100);
        RECT after = {};
        ::GetWindowRect(control, &after);
        if (!::EqualRect(&aimed, &after))
            continue;
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        if (WaitFor(
                [&] {
                    return ::GetGUIThreadInfo(d.pi.dwThreadId, &info) && info.hwndFocus != nullptr &&
                           (info.hwndFocus == grid || ::IsChild(grid, info.hwndFocus));
                },
                2000))
            return true;
    }
    return false;
}

// Fills the file name of a file dialog and presses its OK button.
inline bool AnswerFileDialog(HWND dialog, const std::string& path)
{
    HWND name = ::GetDlgItem(dialog, 1148);   // the file name box
    if (name == nullptr)
        name = ::GetDlgItem(dialog, 1152);
    if (name == nullptr)
        return false;
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return true;
}

inline std::string TempFile(const char* name)
{
    char dir[MAX_PATH] = {0};
    ::GetTempPathA(sizeof(dir), dir);
    return std::string(dir) + name;
}

class DesignerProgramBase : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::OleInitialize(nullptr);
        registered = RunAndWait("regsvr32.exe /s \"" + WinePath(KIVO_CONTROL_DLL) + "\"") == 0;
    }
    static void TearDownTestSuite()
    {
        RunAndWait("regsvr32.exe /s /u \"" + WinePath(KIVO_CONTROL_DLL) + "\"");
        ::OleUninitialize();
    }
    void SetUp() override { ASSERT_TRUE(registered); }
    static inline bool registered = false;
};


// The toolbar of the designer's frame holding a command, and the button's
// rectangle in it (asked in the designer's process: the rectangle is written
// into that process's memory and read back).
inline bool ToolbarButtonRect(Designer& d, UINT id, HWND& bar, RECT& rc)
{
    for (HWND tb : Children(d.Frame(), TOOLBARCLASSNAMEA)) {
        const LRESULT index = ::SendMessageA(tb, TB_COMMANDTOINDEX, id, 0);
        if (index < 0)
            continue;
        HANDLE process =
            ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, d.pi.dwProcessId);
        if (process == nullptr)
            return false;
        void* remote = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        const bool ok = remote != nullptr &&
                        ::SendMessageA(tb, TB_GETITEMRECT, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(remote)) &&
                        ::ReadProcessMemory(process, remote, &rc, sizeof(rc), nullptr);
        if (remote != nullptr)
            ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        ::CloseHandle(process);
        bar = tb;
        return ok;
    }
    return false;
}

// Clicks a toolbar button of the designer's frame (its drop-down arrow when
// asked).
inline bool ClickToolbarButton(Designer& d, UINT id, bool arrow = false)
{
    HWND bar = nullptr;
    RECT rc;
    if (!ToolbarButtonRect(d, id, bar, rc))
        return false;
    d.Foreground();
    Click(bar, POINT{arrow ? rc.right - 4 : (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    return true;
}

// The client point in the middle of a cell, from the reader's copy of the
// sheet's layout (same widths and heights, same fixed row and column).
inline POINT CellPoint(CGridControlWnd& layout, LONG row, LONG col)
{
    LONG x = 0, y = 0;
    for (LONG c = 0; c < col; ++c)
        x += layout.ColumnGetWidth(c);
    for (LONG r = 0; r < row; ++r)
        y += layout.RowGetHeight(r);
    return POINT{x + layout.ColumnGetWidth(col) / 2, y + layout.RowGetHeight(row) / 2};
}

// A top-level window of the designer's process of a class, once one shows.
inline HWND WaitForTop(Designer& d, const char* cls, DWORD ms = 10000)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> w = TopWindows(d.pi.dwProcessId, cls);
            found = w.empty() ? nullptr : w[0];
            return found != nullptr;
        },
        ms);
    return found;
}

}  // namespace designerwine
