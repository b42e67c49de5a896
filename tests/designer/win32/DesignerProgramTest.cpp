// KivoDesigner.exe driven as a user would: started plain and with a
// template, typed into with real input (SendInput), saved with Ctrl+S and
// through the save dialog; what it writes is read back by a control of the
// test's own, hosted through the designer's control site.
#include "control/KivoGuids.gen.h"
#include "designer/GridControlWnd.gen.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string WinePath(const char* unixPath)
{
    std::string w = unixPath[0] == '/' ? "Z:" : "";
    for (const char* p = unixPath; *p != '\0'; ++p)
        w.push_back(*p == '/' ? '\\' : *p);
    return w;
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000)
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
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

void Pump(DWORD ms)
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
bool WaitFor(Condition done, DWORD ms = 15000)
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

std::string TextOf(HWND hwnd)
{
    char text[512] = {0};
    ::GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND hwnd)
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

BOOL CALLBACK CollectTop(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<WindowSearch*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && (s->cls.empty() || ClassOf(h) == s->cls) && ::IsWindowVisible(h))
        s->found.push_back(h);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<WindowSearch*>(l);
    if (ClassOf(h) == s->cls)
        s->found.push_back(h);
    return TRUE;
}

std::vector<HWND> TopWindows(DWORD pid, const char* cls)
{
    WindowSearch s{pid, cls, {}};
    ::EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<HWND> Children(HWND parent, const char* cls)
{
    WindowSearch s{0, cls, {}};
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND h, LPARAM l)
{
    auto* f = reinterpret_cast<IdSearch*>(l);
    if (::GetDlgCtrlID(h) == f->id) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND ChildById(HWND parent, int id)
{
    IdSearch f = {id, nullptr};
    ::EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// Real input through the system's queue.
void PointerTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
    Pump(50);
}

void Click(HWND hwnd, POINT client, bool right = false)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
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

void Key(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    Pump(40);
}

void Press(WORD vk)
{
    Key(vk, false);
    Key(vk, true);
}

void TypeText(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        Press(static_cast<WORD>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
}

void CtrlKey(WORD vk)
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
    // The body cells holding text, as "row,col=text", rows and columns 1..max
    // (the headers show their labels).
    std::vector<std::string> Texts(int max = 12)
    {
        std::vector<std::string> texts;
        for (LONG r = 1; r <= max; ++r)
            for (LONG c = 1; c <= max; ++c) {
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

// Clicks into the designer's grid until the keyboard focus is there (a
// click that only activated the window does not count).
bool ClickIntoGrid(Designer& d, HWND control, POINT at)
{
    HWND grid = ChildById(control, 81220);
    for (int attempt = 0; attempt < 4; ++attempt) {
        d.Foreground();
        WaitFor([&] { return ::GetForegroundWindow() == d.Frame(); }, 2000);
        Click(control, at);
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
bool AnswerFileDialog(HWND dialog, const std::string& path)
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

std::string TempFile(const char* name)
{
    char dir[MAX_PATH] = {0};
    ::GetTempPathA(sizeof(dir), dir);
    return std::string(dir) + name;
}

class DesignerProgram : public ::testing::Test {
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
    static bool registered;
};
bool DesignerProgram::registered = false;

// A plain start shows one maximised "卡沃表格1" with six toolbars and a status
// bar; typing and Ctrl+S ask for a path, and the file written there holds
// the typed text and the new sheet's 20 columns; the window keeps its name.
TEST_F(DesignerProgram, PlainStartTypingAndSaving)
{
    const std::string path = TempFile("kivo_designer_plain.kvx");
    ::DeleteFileA(path.c_str());
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND doc = d.Documents()[0];
    EXPECT_EQ("卡沃表格1", TextOf(doc));
    EXPECT_TRUE(::IsZoomed(doc));
    std::vector<HWND> bars;
    for (HWND h = ::GetWindow(d.Frame(), GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        if (ClassOf(h) == "ToolbarWindow32" && ::IsWindowVisible(h))
            bars.push_back(h);
    EXPECT_EQ(6u, bars.size());
    EXPECT_EQ(1u, Children(d.Frame(), "msctls_statusbar32").size());

    HWND control = ChildById(doc, 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 60}));
    TypeText("kivo");
    Press(VK_RETURN);
    CtrlKey('S');
    HWND dialog = d.WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(AnswerFileDialog(dialog, path));
    ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // Ctrl+S is the view's own save: the window keeps the document's name.
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1 && TextOf(d.Documents()[0]) == "卡沃表格1"; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    EXPECT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    EXPECT_EQ(20, reader.grid.ColumnGetCount());
    const std::vector<std::string> texts = reader.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("=kivo"));
}

// A template named on the command line opens in the one document window;
// typing and Ctrl+S write it in place, and a second control reads back the
// old cell and the typed one.
TEST_F(DesignerProgram, TemplateArgumentOpensAndCtrlSWritesInPlace)
{
    const std::string path = TempFile("kivo_designer_arg.kvx");
    {
        Reader writer;
        ASSERT_TRUE(writer.created);
        writer.grid.ColumnSetCount(8);
        writer.grid.CellSetValue(1, 1, CString("seed"));
        ASSERT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND doc = d.Documents()[0];
    EXPECT_EQ("kivo_designer_arg.kvx", TextOf(doc));
    EXPECT_TRUE(::IsZoomed(doc));

    HWND control = ChildById(doc, 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 100}));
    TypeText("typed");
    Press(VK_RETURN);
    // The edit marks the document.
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_arg.kvx*"; }));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_arg.kvx"; }));
    EXPECT_EQ(0, d.Close());

    // The opened file heads the recent-file list the next start reads.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExA(HKEY_CURRENT_USER,
                              "Software\\Local AppWizard-Generated Applications\\KivoDesigner\\Recent File List", 0,
                              KEY_READ, &key));
    char value[MAX_PATH * 2] = {0};
    DWORD size = sizeof(value) - 1;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "File1", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size));
    ::RegCloseKey(key);
    char full[MAX_PATH * 2] = {0};
    ::GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    EXPECT_STREQ(full, value);

    Reader reader;
    ASSERT_TRUE(reader.created);
    EXPECT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    const std::vector<std::string> texts = reader.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("1,1=seed", texts[0]);
    EXPECT_NE(std::string::npos, texts[1].find("=typed"));
}

// The right-click menu of a column header shows, and "删除列" chosen in it
// removes the column; the document is marked and Ctrl+S writes the smaller
// sheet.
TEST_F(DesignerProgram, HeaderMenuDeletesTheColumn)
{
    const std::string path = TempFile("kivo_designer_menu.kvx");
    {
        Reader writer;
        ASSERT_TRUE(writer.created);
        writer.grid.ColumnSetCount(8);
        writer.grid.CellSetValue(1, 3, CString("moves"));
        ASSERT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND doc = d.Documents()[0];
    HWND control = ChildById(doc, 923);
    HWND grid = ChildById(control, 81220);
    ASSERT_NE(nullptr, grid);
    d.Foreground();
    // The header of column 2 (the fixed column and column 1 come first).
    RECT rc;
    ::GetClientRect(grid, &rc);
    Click(grid, POINT{5, 5});   // the corner: focus into the grid
    HWND menu = nullptr;
    POINT header = {0, 10};
    // Column widths are the grid's; find column 2's header by moving right
    // until the menu offers column items for it.
    header.x = 40 + 64 + 32;
    Click(grid, header, true);
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> m = TopWindows(d.pi.dwProcessId, "#32768");
        menu = m.empty() ? nullptr : m[0];
        return menu != nullptr;
    }));
    // The menu belongs to the designer's process: it is read on the screen
    // (see the screenshot job) and driven with the keyboard. Down six times
    // passes cut, copy, the two paste items and "插入列" (the separator is
    // skipped) to "删除列".
    // KIVO_DESIGNER_SHOT names a host file for a picture of the open menu
    // (taken by the host's ImageMagick, for people to look at).
    char shot[512] = {0};
    if (::GetEnvironmentVariableA("KIVO_DESIGNER_SHOT", shot, sizeof(shot)) > 0) {
        Pump(500);
        RunAndWait(std::string("/usr/bin/import -window root ") + shot);
    }
    for (int i = 0; i < 6; ++i)
        Press(VK_DOWN);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_menu.kvx*"; }));
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{120, 60}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(doc) == "kivo_designer_menu.kvx"; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    EXPECT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    EXPECT_EQ(7, reader.grid.ColumnGetCount());
    EXPECT_EQ(std::vector<std::string>{"1,2=moves"}, reader.Texts());
}

// A file the control does not open makes no document: the program says why
// and ends, as a start with a file it cannot process does.
TEST_F(DesignerProgram, ForeignFileArgumentMakesNoDocument)
{
    const std::string path = TempFile("kivo_designer_foreign.kvx");
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    const char bytes[] = "NOPE this is some other program's file, long enough to have a header";
    DWORD written = 0;
    ::WriteFile(f, bytes, sizeof(bytes), &written, nullptr);
    ::CloseHandle(f);
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    HWND box = d.WaitForDialog();
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(Children(box, "Static").size() >= 1);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(d.pi.hProcess, 15000));
    EXPECT_TRUE(d.Documents().empty());
    // The file is untouched.
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(sizeof(bytes), data.nFileSizeLow);
}

// The start registered the template type with the shell: opening a .kvx
// file through the shell starts a second designer, which hands the file to
// the running one as an open request and ends; the file opens there.
TEST_F(DesignerProgram, ShellOpenReachesTheRunningDesigner)
{
    const std::string path = TempFile("kivo_designer_shell.kvx");
    {
        Reader writer;
        ASSERT_TRUE(writer.created);
        writer.grid.CellSetValue(1, 1, CString("shell"));
        ASSERT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    char command[1024] = {0};
    LONG size = sizeof(command);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueA(HKEY_CLASSES_ROOT, "KivoSheetDesigner.Document\\shell\\open\\command",
                                              command, &size));
    EXPECT_EQ('"', command[0]);
    EXPECT_NE(nullptr, std::strstr(command, "\" \"%1\""));
    HINSTANCE r = ::ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<INT_PTR>(r), 32);
    // The second window, titled by the file once it is read.
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::vector<HWND> docs = d.Documents();
            bool found = false;
            for (HWND doc : docs)
                found = found || TextOf(doc) == "kivo_designer_shell.kvx";
            return docs.size() == 2 && found;
        },
        20000));
    EXPECT_EQ(0, d.Close());
}

int CALLBACK FirstFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM l)
{
    auto* face = reinterpret_cast<std::string*>(l);
    if (lf->lfFaceName[0] == '@')
        return 1;
    *face = lf->lfFaceName;
    return 0;
}

// A click on a cell in bold 12-point text of an installed font shows its
// name and size in the font boxes.
TEST_F(DesignerProgram, ClickedCellsFontShowsInTheBoxes)
{
    std::string face;
    HDC dc = ::GetDC(nullptr);
    LOGFONTA any = {};
    any.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExA(dc, &any, FirstFace, reinterpret_cast<LPARAM>(&face), 0);
    ::ReleaseDC(nullptr, dc);
    ASSERT_FALSE(face.empty());
    const std::string path = TempFile("kivo_designer_font.kvx");
    {
        Reader writer;
        ASSERT_TRUE(writer.created);
        for (LONG r = 1; r <= 6; ++r)
            for (LONG c = 1; c <= 4; ++c) {
                writer.grid.CellSetTextFontProperty(r, c, CString("fontname"), CString(face.c_str()));
                writer.grid.CellSetTextFontProperty(r, c, CString("fontsize"), CString("12"));
                writer.grid.CellSetTextFontProperty(r, c, CString("weight"), CString("FW_BOLD"));
            }
        ASSERT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND control = ChildById(d.Documents()[0], 923);
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(ClickIntoGrid(d, control, POINT{90, 40}));
    HWND nameBox = ChildById(d.Frame(), 5420);
    HWND sizeBox = ChildById(d.Frame(), 5421);
    ASSERT_NE(nullptr, nameBox);
    ASSERT_NE(nullptr, sizeBox);
    // The boxes belong to another process: their selections are read by
    // index ("12" is the seventh size; the name entry has the face's length).
    auto shown = [&] {
        const LRESULT name = ::SendMessageA(nameBox, CB_GETCURSEL, 0, 0);
        return ::SendMessageA(sizeBox, CB_GETCURSEL, 0, 0) == 6 && name >= 0 &&
               ::SendMessageA(nameBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(name), 0) ==
                   static_cast<LRESULT>(face.size());
    };
    EXPECT_TRUE(WaitFor(shown, 5000));
    EXPECT_EQ(0, d.Close());
}

// A control that cannot be created (the library not registered) is
// reported and leaves no window; a driver whose control is gone answers
// nothing and touches nothing.
TEST_F(DesignerProgram, MissingControlIsReportedAndStaleDriversRefuse)
{
    {
        Reader reader;
        ASSERT_TRUE(reader.created);
        EXPECT_TRUE(reader.grid.CellSetValue(1, 1, CString("x")));
        reader.grid.Destroy();
        EXPECT_FALSE(reader.grid.CellSetValue(1, 1, CString("y")));
        EXPECT_EQ("", reader.grid.CellGetValue(1, 1).Str());
        EXPECT_EQ(nullptr, reader.grid.GetSafeHwnd());
    }
    ASSERT_EQ(0, RunAndWait("regsvr32.exe /s /u \"" + WinePath(KIVO_CONTROL_DLL) + "\""));
    Designer d;
    ASSERT_TRUE(d.started);
    HWND box = d.WaitForDialog();
    EXPECT_NE(nullptr, box);
    if (box != nullptr)
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    // The start cannot make its first document: the program ends.
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(d.pi.hProcess, 15000));
    EXPECT_TRUE(TopWindows(d.pi.dwProcessId, "KivoDesignerChildFrame").empty());
    registered = RunAndWait("regsvr32.exe /s \"" + WinePath(KIVO_CONTROL_DLL) + "\"") == 0;
    EXPECT_TRUE(registered);
}

}  // namespace
