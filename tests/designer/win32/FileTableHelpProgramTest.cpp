// The file, table and tool commands of KivoDesigner.exe driven as a user
// would: menu choices reach the frame as its menus send them, dialogs are
// filled through their boxes and answered with their buttons, the palette
// and the folder tree take real keys (SendInput); what the designer writes
// is read back by a control of the test's own.
#include "designer/win32/DesignerDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace designerwine;
using designerwine::Press;

// A control of the test's own writes the sheets the designer opens and
// reads what it writes.
using Sheet = designerwine::Reader;

class Program {
public:
    explicit Program(const std::string& arguments = "")
    {
        std::string cmd = "\"" + WinePath(KIVO_DESIGNER_EXE) + "\"";
        if (!arguments.empty())
            cmd += " " + arguments;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        started = ::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
    }
    ~Program() { Close(); }
    HWND Frame()
    {
        if (frame == nullptr && started)
            WaitFor([this] {
                const std::vector<HWND> f = TopWindows(pi.dwProcessId, "KivoDesignerMainFrame");
                frame = f.empty() ? nullptr : f[0];
                return frame != nullptr && !Children(frame, "KivoDesignerChildFrame").empty();
            });
        return frame;
    }
    // A menu or toolbar choice, as the frame receives it.
    void Command(UINT id)
    {
        // The frame has finished what it was doing (a start, an open).
        DWORD_PTR r = 0;
        ::SendMessageTimeoutA(Frame(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &r);
        ::SetForegroundWindow(Frame());
        ::PostMessageA(Frame(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // The dialog or message box showing now (the newest when several).
    HWND Dialog(DWORD ms = 10000)
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
    bool NoDialog(DWORD ms = 1500)
    {
        Pump(ms);
        return TopWindows(pi.dwProcessId, "#32770").empty();
    }
    int Close()
    {
        if (!started)
            return -1;
        started = false;
        if (frame != nullptr)
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        // A modified sheet asks whether to save it: no.
        HWND ask = nullptr;
        DWORD code = static_cast<DWORD>(-1);
        for (int i = 0; i < 30; ++i) {
            if (::WaitForSingleObject(pi.hProcess, 500) == WAIT_OBJECT_0)
                break;
            const std::vector<HWND> d = TopWindows(pi.dwProcessId, "#32770");
            if (!d.empty() && d[0] != ask) {
                ask = d[0];
                ::PostMessageA(ask, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
            }
        }
        if (::WaitForSingleObject(pi.hProcess, 5000) == WAIT_OBJECT_0)
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

BOOL CALLBACK DescribeOne(HWND h, LPARAM l)
{
    auto* s = reinterpret_cast<std::pair<DWORD, std::string>*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid == s->first && ::IsWindowVisible(h)) {
        DWORD_PTR r = 0;
        const bool alive = ::SendMessageTimeoutA(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r) != 0;
        s->second += "[" + ClassOf(h) + " \"" + ControlTextOf(h) + "\"" + (alive ? "" : " hung") +
                     (::IsWindowEnabled(h) ? "" : " disabled");
        for (HWND c = ::GetWindow(h, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT))
            if (ClassOf(c) == "Static" && !ControlTextOf(c).empty())
                s->second += " '" + ControlTextOf(c) + "'";
        s->second += "] ";
    }
    return TRUE;
}

// The visible windows of a process, for failure messages.
std::string Describe(DWORD pid)
{
    std::pair<DWORD, std::string> s{pid, ""};
    ::EnumWindows(DescribeOne, reinterpret_cast<LPARAM>(&s));
    return s.second;
}

// Presses a dialog's button as its click would.
void Press(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Presses a button that ends the dialog, again when the first press came
// too early, until the dialog is gone.
bool PressToClose(HWND dialog, int id)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        Press(dialog, id);
        if (WaitFor([&] { return !::IsWindow(dialog); }, 3000))
            return true;
    }
    return false;
}

void SetText(HWND dialog, int id, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool AnswerFile(HWND dialog, const std::string& path)
{
    HWND name = ::GetDlgItem(dialog, 1148);
    if (name == nullptr)
        name = ::GetDlgItem(dialog, 1152);
    if (name == nullptr)
        return false;
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Press(dialog, IDOK);
    return true;
}

// The static text of a message box.
std::string BoxText(HWND box)
{
    std::string all;
    for (HWND h = ::GetWindow(box, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        if (ClassOf(h) == "Static")
            all += ControlTextOf(h);
    return all;
}

// Saves the designer's sheet through Save As to path and waits for the file.
bool SaveAs(Program& p, const std::string& path)
{
    ::DeleteFileA(path.c_str());
    p.Command(57604);
    HWND d = p.Dialog();
    return d != nullptr && AnswerFile(d, path) &&
           WaitFor([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }) &&
           WaitFor([&] { return p.NoDialog(300); }, 5000);
}

class FileTableHelpProgram : public ::testing::Test {
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
bool FileTableHelpProgram::registered = false;

std::string MakeTemplate(const char* name, const std::vector<std::pair<std::pair<int, int>, std::string>>& cells,
                         int rows = 0)
{
    const std::string path = TempFile(name);
    Sheet s;
    EXPECT_TRUE(s.created);
    if (rows > 0)
        s.grid.RowSetCount(rows);
    for (const auto& c : cells)
        s.grid.CellSetValue(c.first.first, c.first.second, CString(c.second.c_str()));
    EXPECT_EQ(1, s.grid.GridSaveFile(CString(path.c_str()), CString()));
    return path;
}

std::vector<std::string> TextsOf(const std::string& path, const char* password = "")
{
    Sheet s;
    if (!s.created || s.grid.GridOpenFile(CString(path.c_str()), CString(password)) != 1)
        return {"<unreadable>"};
    return s.Texts();
}

}  // namespace

// An encrypted save asks a path and a password; opening it with a wrong
// password leaves the window's sheet, the right one gives the same cells.
TEST_F(FileTableHelpProgram, EncryptedSaveAndOpen)
{
    const std::string seed = MakeTemplate("ftp_seed.kvx", {{{1, 1}, "alpha"}, {{3, 2}, "beta"}});
    const std::string secret = TempFile("ftp_secret.kvx");
    ::DeleteFileA(secret.c_str());
    {
        Program p("\"" + seed + "\"");
        ASSERT_NE(nullptr, p.Frame());
        // The view already names the seed: only the password is asked, and
        // the file is written there; Save As first points the view elsewhere.
        ASSERT_TRUE(SaveAs(p, secret));
        p.Command(32989);
        HWND pw = p.Dialog();
        ASSERT_NE(nullptr, pw);
        EXPECT_EQ("密码", ControlTextOf(pw));
        SetText(pw, 1142, "k1");
        Press(pw, IDOK);
        ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
    }
    EXPECT_EQ("<unreadable>", TextsOf(secret)[0]);
    EXPECT_EQ((std::vector<std::string>{"1,1=alpha", "3,2=beta"}), TextsOf(secret, "k1"));

    const std::string other = MakeTemplate("ftp_other.kvx", {{{2, 2}, "shown"}});
    Program p("\"" + other + "\"");
    ASSERT_NE(nullptr, p.Frame());
    p.Command(32988);
    HWND open = p.Dialog();
    ASSERT_NE(nullptr, open);
    ASSERT_TRUE(AnswerFile(open, secret));
    HWND pw = nullptr;
    ASSERT_TRUE(WaitFor([&] { pw = p.Dialog(); return pw != nullptr && ControlTextOf(pw) == "密码"; }));
    SetText(pw, 1142, "wrong");
    Press(pw, IDOK);
    // Whatever the control says about the password is answered.
    Pump(1000);
    for (HWND box : TopWindows(p.pi.dwProcessId, "#32770"))
        Press(box, IDOK);
    const std::string check = TempFile("ftp_check.kvx");
    ASSERT_TRUE(SaveAs(p, check));
    EXPECT_EQ((std::vector<std::string>{"2,2=shown"}), TextsOf(check));

    p.Command(32988);
    open = p.Dialog();
    ASSERT_NE(nullptr, open);
    ASSERT_TRUE(AnswerFile(open, secret));
    ASSERT_TRUE(WaitFor([&] { pw = p.Dialog(); return pw != nullptr && ControlTextOf(pw) == "密码"; }));
    SetText(pw, 1142, "k1");
    Press(pw, IDOK);
    ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
    ASSERT_TRUE(SaveAs(p, check));
    EXPECT_EQ((std::vector<std::string>{"1,1=alpha", "3,2=beta"}), TextsOf(check));
}

// A template's Base64 text, longer than an edit box takes by default, is
// copied from one designer and pasted into another, which opens the same
// cells.
TEST_F(FileTableHelpProgram, Base64TextPastedIntoAnotherWindow)
{
    std::vector<std::pair<std::pair<int, int>, std::string>> cells;
    for (int r = 1; r <= 400; ++r)
        for (int c = 1; c <= 8; ++c)
            cells.push_back({{r, c}, "cell-" + std::to_string(r) + "-" + std::to_string(c)});
    const std::string big = MakeTemplate("ftp_big.kvx", cells, 420);
    std::string text;
    {
        Program p("\"" + big + "\"");
        ASSERT_NE(nullptr, p.Frame());
        p.Command(33033);
        HWND d = p.Dialog(30000);
        ASSERT_NE(nullptr, d) << Describe(p.pi.dwProcessId);
        EXPECT_EQ("BASE64字符串", ControlTextOf(d));
        text = ControlTextOf(::GetDlgItem(d, 1142));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, 1145)));
        Press(d, 1130);
        ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
    }
    ASSERT_GT(text.size(), 30000u);

    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    ASSERT_NE(nullptr, mem);
    std::memcpy(::GlobalLock(mem), text.c_str(), text.size() + 1);
    ::GlobalUnlock(mem);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::SetClipboardData(CF_TEXT, mem);
    ::CloseClipboard();

    Program q;
    ASSERT_NE(nullptr, q.Frame());
    q.Command(33031);
    HWND d = q.Dialog();
    DWORD exitCode = 0;
    ::GetExitCodeProcess(q.pi.hProcess, &exitCode);
    ASSERT_NE(nullptr, d) << Describe(q.pi.dwProcessId) << " exit " << std::hex << exitCode;
    HWND box = ::GetDlgItem(d, 1142);
    ::SetForegroundWindow(d);
    ASSERT_TRUE(WaitFor([&] { ::SetFocus(box); return ::GetForegroundWindow() == d; }, 3000));
    // The box takes the focus by a real click, then Ctrl+V pastes.
    RECT rc;
    ::GetWindowRect(box, &rc);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = ::MulDiv(rc.left + 20, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = ::MulDiv(rc.top + 20, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &move, sizeof(INPUT));
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, click, sizeof(INPUT));
    Pump(300);
    CtrlKey('V');
    ASSERT_TRUE(WaitFor([&] { return ControlTextOf(box).size() == text.size(); }, 5000)) << ControlTextOf(box).size() << " of " << text.size();
    Press(d, 1129);
    ASSERT_TRUE(q.NoDialog(3000));
    const std::string check = TempFile("ftp_base64.kvx");
    ASSERT_TRUE(SaveAs(q, check));
    Sheet s;
    ASSERT_EQ(1, s.grid.GridOpenFile(CString(check.c_str()), CString()));
    EXPECT_EQ("cell-1-1", std::string(s.grid.CellGetValue(1, 1).Str()));
    EXPECT_EQ("cell-400-8", std::string(s.grid.CellGetValue(400, 8).Str()));
}

// The version box, and "关联文件" twice leaving the same keys.
TEST_F(FileTableHelpProgram, VersionBoxAndFileAssociation)
{
    Program p;
    ASSERT_NE(nullptr, p.Frame());
    p.Command(32929);
    HWND box = p.Dialog();
    ASSERT_NE(nullptr, box);
    const std::string version = BoxText(box);
    EXPECT_EQ(0u, version.find("当前系统运行的卡沃企业版本: ["));
    EXPECT_EQ(']', version.back());
    EXPECT_EQ("翠禾报表设计器", ControlTextOf(box));   // the program's title, the boxes' default caption
    Press(box, IDOK);
    ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
    p.Command(32930);
    box = p.Dialog();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("我们的联系方式:"));
    EXPECT_EQ("翠禾报表设计器", ControlTextOf(box));
    Press(box, IDOK);
    ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);

    auto read = [](const char* key) {
        HKEY h = nullptr;
        std::string value = "<missing>";
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &h) == ERROR_SUCCESS) {
            char v[1024] = {0};
            DWORD size = sizeof(v) - 1;
            if (::RegQueryValueExA(h, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(v), &size) == ERROR_SUCCESS)
                value = v;
            ::RegCloseKey(h);
        }
        return value;
    };
    const char* keys[] = {".kvx", ".kvx\\shell\\open\\command", "CKivoSheetDesigner.Document\\DefaultIcon",
                          "CKivoSheetDesigner.Document\\shell\\open\\command"};
    std::vector<std::string> first, second;
    p.Command(32945);
    ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
    for (const char* k : keys)
        first.push_back(read(k));
    p.Command(32945);
    ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
    for (const char* k : keys)
        second.push_back(read(k));
    EXPECT_EQ(first, second);
    EXPECT_EQ("CKivoSheetDesigner.Document", first[0]);
    const std::string exe = first[2].substr(0, first[2].size() - 2);
    EXPECT_EQ(",0", first[2].substr(first[2].size() - 2));
    EXPECT_EQ("\"" + exe + "\" \"%1\"", first[1]);
    EXPECT_EQ(first[1], first[3]);
    EXPECT_NE(std::string::npos, exe.find("KivoDesigner.exe"));
}

// Writes the screen rectangle to a 24-bit BMP file (to look at).
void SaveScreen(const RECT& rc, const std::string& path)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(mem, old);
    BITMAPINFOHEADER bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    const DWORD stride = ((w * 3 + 3) / 4) * 4;
    std::vector<BYTE> bits(stride * static_cast<DWORD>(h));
    ::GetDIBits(mem, bmp, 0, static_cast<UINT>(h), bits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    BITMAPFILEHEADER bf = {};
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + static_cast<DWORD>(bits.size());
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD n = 0;
        ::WriteFile(f, &bf, sizeof(bf), &n, nullptr);
        ::WriteFile(f, &bi, sizeof(bi), &n, nullptr);
        ::WriteFile(f, bits.data(), static_cast<DWORD>(bits.size()), &n, nullptr);
        ::CloseHandle(f);
    }
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
}

// The skin dialog's colour button: Space opens the palette, the pointer
// rests on "Red", Down and Right move the selection to "Light Orange",
// Enter confirms; after OK the fixed column shows that colour.
TEST_F(FileTableHelpProgram, PaletteKeyboardChoiceInTheSkinDialog)
{
    Program p;
    ASSERT_NE(nullptr, p.Frame());
    p.Command(33041);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("表格皮肤", ControlTextOf(d));
    HWND button = ::GetDlgItem(d, 1190);
    ASSERT_NE(nullptr, button);
    ::SetForegroundWindow(d);
    Pump(300);
    ::PostMessageA(d, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    Pump(300);
    Press(VK_SPACE);
    std::vector<HWND> popup;
    ASSERT_TRUE(WaitFor([&] { popup = TopWindows(p.pi.dwProcessId, "KivoColourPopup"); return !popup.empty(); }, 5000));
    RECT pr;
    ::GetWindowRect(popup[0], &pr);
    POINT red = {2 * 18 + 9, 9};
    const int margin = ::GetSystemMetrics(SM_CXEDGE) > 0 ? ::GetSystemMetrics(SM_CXEDGE) : 1;
    red.x += margin + 2;
    red.y += margin + 2;
    ::ClientToScreen(popup[0], &red);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = ::MulDiv(red.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = ::MulDiv(red.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &move, sizeof(INPUT));
    Pump(300);
    Press(VK_DOWN);
    Press(VK_RIGHT);
    Pump(300);
    char dir[MAX_PATH] = {0};
    ::GetTempPathA(sizeof(dir), dir);
    SaveScreen(pr, std::string(dir) + "kivo_palette.bmp");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return TopWindows(p.pi.dwProcessId, "KivoColourPopup").empty(); }, 5000));
    // The button shows the chosen colour in its swatch.
    RECT br;
    ::GetWindowRect(button, &br);
    Pump(300);
    HDC screen = ::GetDC(nullptr);
    COLORREF swatch = CLR_INVALID;
    WaitFor([&] {
        for (int x = br.left; x < br.right && swatch != RGB(255, 200, 120); ++x)
            swatch = ::GetPixel(screen, x, (br.top + br.bottom) / 2);
        return swatch == RGB(255, 200, 120);
    }, 3000);
    ::ReleaseDC(nullptr, screen);
    RECT dlgRect;
    ::GetWindowRect(d, &dlgRect);
    SaveScreen(dlgRect, std::string(dir) + "kivo_skin.bmp");
    EXPECT_EQ(RGB(255, 200, 120), swatch);
    ASSERT_TRUE(PressToClose(d, 1129)) << Describe(p.pi.dwProcessId);

    // The fixed column (the row headers) is painted in the colour.
    HWND doc = Children(p.Frame(), "KivoDesignerChildFrame")[0];
    HWND control = nullptr;
    for (HWND h : Children(doc, "AfxOleControl") )
        control = h;
    ::RedrawWindow(doc, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(500);
    RECT dr;
    ::GetWindowRect(doc, &dr);
    (void)control;
    bool found = false;
    screen = ::GetDC(nullptr);
    for (int y = dr.top + 40; y < dr.top + 200 && !found; y += 3)
        for (int x = dr.left; x < dr.left + 60 && !found; x += 2)
            found = ::GetPixel(screen, x, y) == RGB(255, 200, 120);
    ::ReleaseDC(nullptr, screen);
    SaveScreen(dr, std::string(dir) + "kivo_skin_doc.bmp");
    EXPECT_TRUE(found);
}

// The folder chooser opens at a folder two levels below a drive and selects it.
TEST_F(FileTableHelpProgram, FolderChooserOpensTwoLevelsDown)
{
    const std::string base = TempFile("ftp_tree");
    ::CreateDirectoryA(base.c_str(), nullptr);
    ::CreateDirectoryA((base + "\\inner").c_str(), nullptr);
    Program p;
    ASSERT_NE(nullptr, p.Frame());
    p.Command(32953);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("重新合并", ControlTextOf(d));
    SetText(d, 1142, base + "\\inner");
    Press(d, 1144);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND h : TopWindows(p.pi.dwProcessId, "#32770"))
            if (ControlTextOf(h) == "选择路径")
                chooser = h;
        return chooser != nullptr;
    }));
    HWND tree = ::GetDlgItem(chooser, 1161);
    Pump(500);
    std::string shown = ControlTextOf(::GetDlgItem(chooser, 1142));
    const LRESULT items = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    EXPECT_GE(items, 7) << Describe(p.pi.dwProcessId);
    std::string expected = base + "\\inner\\";
    EXPECT_EQ(0, ::lstrcmpiA(expected.c_str(), shown.c_str())) << shown << " / " << expected;
    EXPECT_NE(nullptr, TreeView_GetSelection(tree));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(chooser, 1129)));
    Press(chooser, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(chooser); }));
    EXPECT_EQ(0, ::lstrcmpiA(expected.c_str(), ControlTextOf(::GetDlgItem(d, 1142)).c_str())) << ControlTextOf(::GetDlgItem(d, 1142));
    Press(d, 1130);
    ASSERT_TRUE(p.NoDialog()) << Describe(p.pi.dwProcessId);
}

// Re-merging a folder of templates reports how many it saved.
TEST_F(FileTableHelpProgram, RemergeAFolder)
{
    const std::string dir = TempFile("ftp_remerge");
    ::CreateDirectoryA(dir.c_str(), nullptr);
    for (const char* name : {"a.kvx", "b.kvx"}) {
        Sheet s;
        ASSERT_TRUE(s.created);
        s.grid.GridMergeCells(2, 2, 4, 3);
        s.grid.CellSetValue(2, 2, "m");
        ASSERT_EQ(1, s.grid.GridSaveFile(CString((dir + "\\" + name).c_str()), CString()));
    }
    Program p;
    ASSERT_NE(nullptr, p.Frame());
    p.Command(32953);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    SetText(d, 1142, dir);
    Press(d, 1143);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND h : TopWindows(p.pi.dwProcessId, "#32770"))
            if (h != d)
                box = h;
        return box != nullptr;
    }, 30000)) << Describe(p.pi.dwProcessId);
    EXPECT_EQ("共成功处理2个KVX模板文件!", BoxText(box));
    ASSERT_TRUE(PressToClose(box, IDOK));
    ASSERT_TRUE(PressToClose(d, 1130)) << Describe(p.pi.dwProcessId);
    Sheet s;
    ASSERT_EQ(1, s.grid.GridOpenFile(CString((dir + "\\a.kvx").c_str()), CString()));
    EXPECT_TRUE(s.grid.CellIsMerged(3, 3));
}

namespace {

// The newest dialog of the process other than the ones named.
HWND OtherDialog(Program& p, const std::vector<HWND>& besides, DWORD ms = 10000)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND h : TopWindows(p.pi.dwProcessId, "#32770"))
                if (std::find(besides.begin(), besides.end(), h) == besides.end())
                    found = h;
            return found != nullptr;
        },
        ms);
    return found;
}

// Answers the message boxes that show (the control's own explanations first)
// until one says text; true when it came.
bool AnswerUntil(Program& p, const std::vector<HWND>& besides, const std::string& text, std::string& seen)
{
    for (int i = 0; i < 5; ++i) {
        HWND box = OtherDialog(p, besides, 60000);
        if (box == nullptr)
            return false;
        const std::string t = BoxText(box);
        seen += "[" + t + "]";
        PressToClose(box, IDOK);
        if (t == text)
            return true;
    }
    return false;
}

}  // namespace

// Freeze, fixed rows and paste options through their dialogs; a count out of
// range is refused with its message and the dialog stays; the saved template
// holds the frozen edges and the fixed rows.
TEST_F(FileTableHelpProgram, FreezeFixedRowsAndPasteOptionsDialogs)
{
    const std::string seed = MakeTemplate("ftp_table.kvx", {{{1, 1}, "x"}}, 40);
    Program p("\"" + seed + "\"");
    ASSERT_NE(nullptr, p.Frame());

    p.Command(33017);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("冻结行列", ControlTextOf(d));
    EXPECT_EQ("0", ControlTextOf(::GetDlgItem(d, 1142)));
    SetText(d, 1142, "2");
    SetText(d, 1144, "1");
    ASSERT_TRUE(PressToClose(d, IDOK)) << Describe(p.pi.dwProcessId);

    p.Command(32931);
    d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("行数", ControlTextOf(d));
    SetText(d, 1035, "100001");
    Press(d, IDOK);
    HWND refusal = OtherDialog(p, {d});
    ASSERT_NE(nullptr, refusal) << Describe(p.pi.dwProcessId);
    EXPECT_EQ("请输入一个介于 0 和 100000 之间的整数。", BoxText(refusal));
    EXPECT_EQ("提示", ControlTextOf(refusal));
    ASSERT_TRUE(PressToClose(refusal, IDOK));
    EXPECT_TRUE(::IsWindow(d));
    SetText(d, 1035, "3");
    ASSERT_TRUE(PressToClose(d, IDOK)) << Describe(p.pi.dwProcessId);

    p.Command(33030);
    d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(d, 1188), BM_GETCHECK, 0, 0));
    ::SendMessageA(::GetDlgItem(d, 1188), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(::GetDlgItem(d, 1190), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(PressToClose(d, IDOK));
    p.Command(33030);
    d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(d, 1190), BM_GETCHECK, 0, 0));
    ASSERT_TRUE(PressToClose(d, IDCANCEL));

    // The cell-value dialog ends with its close box and changes nothing.
    p.Command(32958);
    d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("单元格值", ControlTextOf(d));
    ::PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(d); }, 5000));

    const std::string check = TempFile("ftp_table_check.kvx");
    ASSERT_TRUE(SaveAs(p, check));
    Sheet s;
    ASSERT_EQ(1, s.grid.GridOpenFile(CString(check.c_str()), CString()));
    EXPECT_EQ(2, s.grid.GridGetFreezeTopRows());
    EXPECT_EQ(1, s.grid.GridGetFreezeLeftCols());
    EXPECT_EQ(0, s.grid.GridGetFreezeBottomRows());
    EXPECT_EQ(3, s.grid.RowGetFixedCount());
}

// CSV export writes the sheet; the workbook commands report their failure
// here (no workbook server), the import after its own checks.
TEST_F(FileTableHelpProgram, CsvAndWorkbookCommands)
{
    const std::string seed = MakeTemplate("ftp_csv.kvx", {{{1, 1}, "a,b"}, {{1, 2}, "c"}, {{2, 1}, "d"}});
    Program p("\"" + seed + "\"");
    ASSERT_NE(nullptr, p.Frame());
    const std::string csv = TempFile("ftp_out.csv");
    ::DeleteFileA(csv.c_str());
    p.Command(32955);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    ASSERT_TRUE(AnswerFile(d, csv));
    HWND box = OtherDialog(p, {d});
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("导出完毕!", BoxText(box));
    ASSERT_TRUE(PressToClose(box, IDOK));
    HANDLE f = ::CreateFileA(csv.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    char bytes[4096] = {0};
    DWORD n = 0;
    ::ReadFile(f, bytes, sizeof(bytes) - 1, &n, nullptr);
    ::CloseHandle(f);
    EXPECT_NE(nullptr, std::strstr(bytes, "\"a,b\",c"));

    const std::string xls = TempFile("ftp_out.xls");
    p.Command(32938);
    d = p.Dialog();
    ASSERT_NE(nullptr, d);
    ASSERT_TRUE(AnswerFile(d, xls));
    std::string seen;
    EXPECT_TRUE(AnswerUntil(p, {d}, "导出失败!", seen)) << seen;
    ASSERT_TRUE(WaitFor([&] { return TopWindows(p.pi.dwProcessId, "#32770").empty(); }, 5000));

    p.Command(32992);
    d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("导入EXCEL文件", ControlTextOf(d));
    Press(d, 1148);
    box = OtherDialog(p, {d});
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("EXCEL文件路径不能为空!", BoxText(box));
    ASSERT_TRUE(PressToClose(box, IDOK));
    SetText(d, 1142, xls);
    SetText(d, 1180, "01");
    Press(d, 1148);
    box = OtherDialog(p, {d});
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("请输入数值型的表页序号!", BoxText(box));
    ASSERT_TRUE(PressToClose(box, IDOK));
    SetText(d, 1180, "2");
    Press(d, 1148);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(d); }, 5000));
    seen.clear();
    EXPECT_TRUE(AnswerUntil(p, {}, "导入失败!", seen)) << seen;
}

// "运行模板" opens a chosen template into the window.
TEST_F(FileTableHelpProgram, RunTemplate)
{
    const std::string run = MakeTemplate("ftp_run.kvx", {{{2, 3}, "ran"}});
    Program p;
    ASSERT_NE(nullptr, p.Frame());
    p.Command(32939);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    ASSERT_TRUE(AnswerFile(d, run));
    ASSERT_TRUE(WaitFor([&] { return TopWindows(p.pi.dwProcessId, "#32770").empty(); }, 10000));
    const std::string check = TempFile("ftp_run_check.kvx");
    ASSERT_TRUE(SaveAs(p, check));
    EXPECT_EQ((std::vector<std::string>{"2,3=ran"}), TextsOf(check));
}

// The toolbar's top-left freeze button freezes above and left of the focus
// cell (an opened template has its focus on row 2, column 2) and a second
// click unfreezes; the table-size button trims the grid to the focus cell.
TEST_F(FileTableHelpProgram, FreezeToggleAndTableSize)
{
    const std::string seed = MakeTemplate("ftp_toggle.kvx", {{{1, 1}, "x"}}, 30);
    Program p("\"" + seed + "\"");
    ASSERT_NE(nullptr, p.Frame());
    p.Command(33013);
    const std::string frozen = TempFile("ftp_toggle_on.kvx");
    ASSERT_TRUE(SaveAs(p, frozen));
    p.Command(33013);
    p.Command(32950);
    const std::string thawed = TempFile("ftp_toggle_off.kvx");
    ASSERT_TRUE(SaveAs(p, thawed));
    Sheet on, off;
    ASSERT_EQ(1, on.grid.GridOpenFile(CString(frozen.c_str()), CString()));
    ASSERT_EQ(1, off.grid.GridOpenFile(CString(thawed.c_str()), CString()));
    EXPECT_EQ(1, on.grid.GridGetFreezeTopRows());
    EXPECT_EQ(1, on.grid.GridGetFreezeLeftCols());
    EXPECT_EQ(0, off.grid.GridGetFreezeTopRows() + off.grid.GridGetFreezeLeftCols());
    EXPECT_EQ(3, off.grid.RowGetCount());
    EXPECT_EQ(3, off.grid.ColumnGetCount());
}

// The batch conversion checks its folders, and with no workbook server here
// reports each workbook it cannot open and converts none.
TEST_F(FileTableHelpProgram, BatchConversionReportsWhatItCannotConvert)
{
    const std::string src = TempFile("ftp_xls");
    ::CreateDirectoryA(src.c_str(), nullptr);
    HANDLE f = ::CreateFileA((src + "\\book.XLS").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    ::CloseHandle(f);
    Program p;
    ASSERT_NE(nullptr, p.Frame());
    p.Command(33000);
    HWND d = p.Dialog();
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("批量转换EXCEL文件", ControlTextOf(d));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(d, 1152), BM_GETCHECK, 0, 0));
    Press(d, 1184);
    std::string seen;
    EXPECT_TRUE(AnswerUntil(p, {d}, "EXCEL文件目录不能为空!", seen)) << seen;
    SetText(d, 1142, src);
    SetText(d, 1145, TempFile("ftp_kvx"));
    Press(d, 1184);
    seen.clear();
    EXPECT_TRUE(AnswerUntil(p, {d}, "共成功转出0个文件!", seen)) << seen;
    EXPECT_NE(std::string::npos, seen.find("book.XLS] 文件无法打开,转换失败!")) << seen;
    ASSERT_TRUE(PressToClose(d, 1130)) << Describe(p.pi.dwProcessId);
}
