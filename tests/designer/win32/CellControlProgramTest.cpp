// KivoDesigner.exe driven as a user would for cell controls and cell
// properties: a combo box made from the toolbar with items typed into the
// dialog's item list, "属性" with its border tab, and Ctrl+S onto a read-only
// file. What the designer writes is read back by a control of the test's own.
#include "cells/win32/RealInput.h"
#include "designer/ColourPalette.h"
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using realinput::ClickAt;
using realinput::PressKey;

using designerwine::Children;
using designerwine::ChildById;
using designerwine::ClassOf;
using designerwine::CtrlKey;
using designerwine::RunAndWait;
using designerwine::TempFile;
using designerwine::TextOf;
using designerwine::TopWindows;
using designerwine::WaitFor;
using designerwine::WinePath;

BOOL CALLBACK CollectAll(HWND h, LPARAM l)
{
    reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
    return TRUE;
}

std::vector<HWND> AllChildren(HWND parent)
{
    std::vector<HWND> found;
    ::EnumChildWindows(parent, CollectAll, reinterpret_cast<LPARAM>(&found));
    return found;
}

POINT CentreOf(HWND hwnd)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

void ClickButton(HWND dialog, int id)
{
    HWND button = ChildById(dialog, id);
    ASSERT_NE(nullptr, button) << id;
    ClickAt(button, CentreOf(button));
}

// KIVO_DESIGNER_SHOTS names a host folder for pictures of the screen at the
// test's main steps (taken by the host's ImageMagick, for people to look at).
void Shot(const char* name)
{
    char dir[512] = {0};
    if (::GetEnvironmentVariableA("KIVO_DESIGNER_SHOTS", dir, sizeof(dir)) == 0)
        return;
    gridwine::PumpFor(400);
    RunAndWait(std::string("/usr/bin/import -window root ") + dir + "/" + name + ".png");
}

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
        if (frame == nullptr && started)
            WaitFor([this] {
                const std::vector<HWND> f = TopWindows(pi.dwProcessId, "KivoDesignerMainFrame");
                frame = f.empty() ? nullptr : f[0];
                return frame != nullptr;
            });
        return frame;
    }
    HWND Document()
    {
        HWND doc = nullptr;
        WaitFor([&] {
            const std::vector<HWND> docs = Frame() != nullptr ? Children(frame, "KivoDesignerChildFrame") : std::vector<HWND>();
            doc = docs.empty() ? nullptr : docs[0];
            return doc != nullptr;
        });
        return doc;
    }
    HWND WaitForDialog(const char* caption = nullptr)
    {
        HWND dialog = nullptr;
        WaitFor([&] {
            for (HWND h : TopWindows(pi.dwProcessId, "#32770"))
                if (caption == nullptr || TextOf(h) == caption)
                    dialog = h;
            return dialog != nullptr;
        });
        return dialog;
    }
    // Clicks a cell of the document's grid until the grid has the focus.
    bool ClickCell(POINT at)
    {
        HWND control = ChildById(Document(), 923);
        HWND grid = control != nullptr ? ChildById(control, 81220) : nullptr;
        for (int attempt = 0; grid != nullptr && attempt < 4; ++attempt) {
            ::SetForegroundWindow(Frame());
            gridwine::PumpFor(200);
            // The child frame is placed after the document opens, and the
            // open leaves the focus in the grid already: a click aimed
            // before the frame settles misses the grid and would go
            // unnoticed. Aim only at a steady window, and aim again when it
            // moved under the click.
            RECT aimed = {};
            if (!designerwine::SteadyRect(control, aimed))
                continue;
            ClickAt(control, at);
            gridwine::PumpFor(100);
            RECT after = {};
            ::GetWindowRect(control, &after);
            if (!::EqualRect(&aimed, &after))
                continue;
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            if (WaitFor([&] {
                    return ::GetGUIThreadInfo(pi.dwThreadId, &info) && info.hwndFocus != nullptr &&
                           (info.hwndFocus == grid || ::IsChild(grid, info.hwndFocus));
                },
                        2000))
                return true;
        }
        return false;
    }
    // Clicks the toolbar button of a command, given how many buttons and
    // separators stand before it (the rectangle of another process's button
    // cannot be asked for, so it is counted out from the button size).
    bool ClickToolbar(UINT command, int buttonsBefore, int separatorsBefore)
    {
        for (HWND bar : Children(Frame(), "ToolbarWindow32")) {
            if (::SendMessageA(bar, TB_COMMANDTOINDEX, command, 0) < 0)
                continue;
            const LRESULT size = ::SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
            const int width = LOWORD(size), height = HIWORD(size);
            const int x = 3 + buttonsBefore * width + separatorsBefore * 8 + width / 2;
            ClickAt(bar, POINT{x, 2 + height / 2});
            return true;
        }
        return false;
    }
    int Close()
    {
        if (!started)
            return -1;
        started = false;
        if (frame != nullptr)
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        DWORD code = static_cast<DWORD>(-1);
        if (::WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(pi.hProcess, &code);
        } else {
            ::TerminateProcess(pi.hProcess, 99);
        }
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        return static_cast<int>(code);
    }
    bool started = false;
    PROCESS_INFORMATION pi = {};
    HWND frame = nullptr;
};

// A template with one filled cell, opened by the designer so that Ctrl+S
// writes in place.
std::string SeedTemplate(const char* name)
{
    const std::string path = TempFile(name);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    Reader writer;
    EXPECT_TRUE(writer.created);
    writer.grid.ColumnSetCount(6);
    writer.grid.RowSetCount(6);
    writer.grid.CellSetValue(1, 1, CString("seed"));
    EXPECT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    return path;
}

// A pixel of a window as the screen shows it.
COLORREF ScreenPixel(HWND hwnd, POINT client)
{
    ::ClientToScreen(hwnd, &client);
    HDC screen = ::GetDC(nullptr);
    const COLORREF pixel = ::GetPixel(screen, client.x, client.y);
    ::ReleaseDC(nullptr, screen);
    return pixel;
}

// The first body cell (rows and columns 1..5) whose control type is `type`.
bool FindControl(CGridControlWnd& grid, LONG type, LONG& row, LONG& col)
{
    for (row = 1; row <= 5; ++row)
        for (col = 1; col <= 5; ++col)
            if (grid.CellGetControlType(row, col) == type)
                return true;
    return false;
}

class CellControlProgram : public ::testing::Test {
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
bool CellControlProgram::registered = false;

}  // namespace

// "下拉框" from the control-type toolbar: two rows added to the dialog's item
// list, items typed into them, OK; the saved cell carries those items.
TEST_F(CellControlProgram, ComboFromTheToolbarWithTypedItems)
{
    const std::string path = SeedTemplate("kivo_cellctl_combo.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    ASSERT_TRUE(d.ClickToolbar(32871, 4, 1));
    Shot("combo-dialog");
    HWND dialog = d.WaitForDialog("下拉框");
    ASSERT_NE(nullptr, dialog);
    ClickButton(dialog, 3);
    ClickButton(dialog, 3);
    HWND list = ChildById(dialog, 1074);
    ASSERT_NE(nullptr, list);
    HWND listGrid = ChildById(list, 81220);
    ASSERT_NE(nullptr, listGrid);
    // Row 1 of the item column, below the header row, right of the fixed column.
    ClickAt(listGrid, POINT{90, 32});
    realinput::TypeText("AB");
    PressKey(VK_DOWN);
    realinput::TypeText("CD");
    PressKey(VK_RETURN);
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    // The keys go to the designer once it is in front again: a real click on
    // another cell brings it there (asking for the foreground from this
    // process is not always granted).
    ASSERT_TRUE(d.ClickCell(POINT{300, 100}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    LONG row = 0, col = 0;
    ASSERT_TRUE(FindControl(reader.grid, 1, row, col));
    EXPECT_EQ("ab\ncd\n", reader.grid.CellGetControlProperty(row, col, CString("datasource")).Str());
}

// "属性" from the right-click menu: the border tab chosen with the keyboard,
// "外边框" clicked, OK; the cell has its four edges and keeps its text.
TEST_F(CellControlProgram, CellPropertiesOuterBorder)
{
    const std::string path = SeedTemplate("kivo_cellctl_props.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    realinput::Button(MOUSEEVENTF_RIGHTDOWN);
    realinput::Button(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return !TopWindows(d.pi.dwProcessId, "#32768").empty(); }));
    Shot("cell-menu");
    PressKey(VK_UP);  // the last item: "单元格属性..."
    PressKey(VK_RETURN);
    HWND dialog = d.WaitForDialog("属性");
    ASSERT_NE(nullptr, dialog);
    HWND tab = ChildById(dialog, 1002);
    ASSERT_NE(nullptr, tab);
    ClickAt(tab, POINT{20, 10});
    // Every page once, a picture of each kept for people to look at.
    static const char* const kPages[4] = {"cell-properties-format", "cell-properties-control", "cell-properties-font",
                                          "cell-properties-borders"};
    Shot("cell-properties-datatype");
    for (const char* page : kPages) {
        PressKey(VK_RIGHT);
        Shot(page);
    }
    HWND outer = ChildById(dialog, 1195);
    ASSERT_NE(nullptr, outer);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(outer) != FALSE; }, 5000));
    // The flat button lights up with a raised edge under the mouse and goes
    // flat again once the mouse has left.
    realinput::PointerTo(tab, POINT{20, 10});
    gridwine::PumpFor(300);
    const COLORREF flat = ScreenPixel(outer, POINT{4, 0});
    realinput::PointerTo(outer, CentreOf(outer));
    gridwine::PumpFor(300);
    Shot("cell-properties-border");
    EXPECT_NE(flat, ScreenPixel(outer, POINT{4, 0}));
    realinput::PointerTo(tab, POINT{20, 10});
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(outer, POINT{4, 0}) == flat; }, 2000));
    ClickAt(outer, CentreOf(outer));
    // The four edge buttons show pressed in.
    EXPECT_TRUE(WaitFor([&] { return ::SendMessageA(ChildById(dialog, 1025), BM_GETCHECK, 0, 0) == BST_CHECKED; },
                        3000));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(ChildById(dialog, 1035), BM_GETCHECK, 0, 0));
    ClickButton(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    int bordered = 0;
    for (LONG r = 1; r <= 5; ++r)
        for (LONG c = 1; c <= 5; ++c)
            if (reader.grid.CellGetBorderFlags(r, c) == 15)
                ++bordered;
    EXPECT_EQ(1, bordered);
    EXPECT_EQ("seed", reader.grid.CellGetValue(1, 1).Str());
}

// The border page's colour button drops the palette; "Red" clicked in it
// with the mouse, then "外边框": the preview and the saved cell show red
// edges.
TEST_F(CellControlProgram, BorderColourFromThePalette)
{
    const std::string path = SeedTemplate("kivo_cellctl_colour.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    realinput::Button(MOUSEEVENTF_RIGHTDOWN);
    realinput::Button(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return !TopWindows(d.pi.dwProcessId, "#32768").empty(); }));
    PressKey(VK_UP);  // "单元格属性..."
    PressKey(VK_RETURN);
    HWND dialog = d.WaitForDialog("属性");
    ASSERT_NE(nullptr, dialog);
    HWND tab = ChildById(dialog, 1002);
    ASSERT_NE(nullptr, tab);
    ClickAt(tab, POINT{20, 10});
    for (int i = 0; i < 4; ++i)
        PressKey(VK_RIGHT);
    HWND colour = ChildById(dialog, 1030);
    ASSERT_NE(nullptr, colour);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(colour) != FALSE; }, 5000));
    ClickAt(colour, CentreOf(colour));
    std::vector<HWND> popups;
    ASSERT_TRUE(WaitFor([&] {
        popups = TopWindows(d.pi.dwProcessId, "KivoColourPopup");
        return !popups.empty() && ::IsWindowVisible(popups[0]);
    }));
    // "Red" is the third cell of the first row.
    const int margin = CColourPalette::Margin(::GetSystemMetrics(SM_CXEDGE));
    ClickAt(popups[0], POINT{margin + 2 + 2 * 18 + 9, margin + 2 + 9});
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(popups[0]) || !::IsWindowVisible(popups[0]); }));
    ClickButton(dialog, 1195);
    HWND preview = ChildById(dialog, 1031);
    ASSERT_NE(nullptr, preview);
    RECT rc;
    ::GetClientRect(preview, &rc);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(preview, POINT{rc.right / 3, 10}) == RGB(255, 0, 0); }, 3000));
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(preview, POINT{10, rc.bottom / 3}));
    Shot("cell-properties-red-border");
    ClickButton(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    int red = 0;
    for (LONG r = 1; r <= 5; ++r)
        for (LONG c = 1; c <= 5; ++c) {
            if (reader.grid.CellGetBorderFlags(r, c) != 15)
                continue;
            for (LONG flag : {1, 2, 4, 8}) {
                LONG style = -1, lineColour = -1, width = -1;
                ASSERT_TRUE(reader.grid.CellGetBorder(r, c, flag, style, lineColour, width));
                EXPECT_EQ(RGB(255, 0, 0), static_cast<COLORREF>(lineColour)) << flag;
                red += lineColour == RGB(255, 0, 0) ? 1 : 0;
            }
        }
    EXPECT_EQ(4, red);
}

// Ctrl+S onto a read-only file that another program holds open says so and
// keeps the document marked.
TEST_F(CellControlProgram, CtrlSOntoAReadOnlyFileShowsTheMessage)
{
    const std::string path = SeedTemplate("kivo_cellctl_readonly.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    realinput::TypeText("x");
    PressKey(VK_RETURN);
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CtrlKey('S');
    Shot("readonly-save");
    HWND box = d.WaitForDialog();
    ASSERT_NE(nullptr, box);
    bool said = false;
    for (HWND s : Children(box, "Static"))
        said = said || TextOf(s).find("保存文件失败") != std::string::npos;
    EXPECT_TRUE(said);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_NE(std::string::npos, TextOf(d.Document()).find('*'));
    ::CloseHandle(held);
    d.Close();
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Closing a modified document asked; the test ends the program either way.
}

namespace {

// Runs a host command through the shell and answers its output.
std::string RunHost(const std::string& command)
{
    const std::string out = TempFile("kivo_cellctl_host.txt");
    ::DeleteFileA(out.c_str());
    char unixOut[MAX_PATH] = {0};
    // The temporary folder as the host sees it: the test writes through Z:.
    std::string line = "/bin/sh -c \"" + command + " > /tmp/kivo_cellctl_host.txt 2>&1\"";
    (void)unixOut;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return "<not started>";
    ::WaitForSingleObject(pi.hProcess, 60000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::Sleep(300);
    std::ifstream in("Z:\\tmp\\kivo_cellctl_host.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> PdfFiles(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA(("Z:" + dir + "/*.pdf").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(data.cFileName);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
    return names;
}

}  // namespace

// Ctrl+P prints the sheet on the default printer (the CUPS-PDF queue that
// print_cups.sh sets up); the PDF's text holds the cells.
TEST_F(CellControlProgram, DesignerPrintCupsCtrlPPrintsTheCells)
{
    const char* flag = std::getenv("KIVO_CUPS_PDF");
    const char* dir = std::getenv("KIVO_PDF_DIR");
    if (flag == nullptr || *flag != '1' || dir == nullptr)
        GTEST_SKIP() << "runs under print_cups.sh";
    // The PDF is named after the document: a name of this run's own.
    const std::string path = TempFile(("kivo_cellctl_print_" + std::to_string(::GetTickCount()) + ".kvx").c_str());
    {
        Reader writer;
        ASSERT_TRUE(writer.created);
        writer.grid.CellSetValue(1, 1, CString("KivoPrint42"));
        writer.grid.CellSetValue(2, 2, CString("Designer7"));
        ASSERT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    const std::vector<std::string> before = PdfFiles(dir);
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    CtrlKey('P');
    std::string pdf;
    DWORD lastSize = 0;
    for (int i = 0; i < 600 && pdf.empty(); ++i) {
        for (const std::string& name : PdfFiles(dir)) {
            if (std::find(before.begin(), before.end(), name) != before.end())
                continue;
            WIN32_FILE_ATTRIBUTE_DATA attrs;
            const std::string candidate = std::string(dir) + "/" + name;
            if (::GetFileAttributesExA(("Z:" + candidate).c_str(), GetFileExInfoStandard, &attrs) &&
                attrs.nFileSizeLow > 0 && attrs.nFileSizeLow == lastSize)
                pdf = candidate;
            else if (::GetFileAttributesExA(("Z:" + candidate).c_str(), GetFileExInfoStandard, &attrs))
                lastSize = attrs.nFileSizeLow;
        }
        gridwine::PumpFor(200);
    }
    ASSERT_FALSE(pdf.empty()) << "no new PDF in " << dir;
    const std::string text = RunHost("pdftotext -enc UTF-8 '" + pdf + "' -");
    EXPECT_NE(std::string::npos, text.find("KivoPrint42")) << text;
    EXPECT_NE(std::string::npos, text.find("Designer7")) << text;
    d.Close();
}

// Print preview from the standard toolbar opens its window in the frame
// (with the CUPS-PDF printer of print_cups.sh).
TEST_F(CellControlProgram, DesignerPrintCupsPreviewOpens)
{
    const char* flag = std::getenv("KIVO_CUPS_PDF");
    if (flag == nullptr || *flag != '1')
        GTEST_SKIP() << "runs under print_cups.sh";
    const std::string path = SeedTemplate("kivo_cellctl_preview.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());

    // Preview: toolbar 128, eight buttons and three separators before it.
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    ASSERT_TRUE(d.ClickToolbar(57609, 8, 3));
    // The preview shows inside the frame: its page view under a button bar.
    HWND bar = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        for (HWND b : Children(d.Frame(), "KivoPreviewBar"))
            if (::IsWindowVisible(b))
                bar = b;
        return bar != nullptr;
    }));
    Shot("print-preview");

    d.Close();
}

// Cut, Copy and Paste carry a cell from one document window to another.
TEST_F(CellControlProgram, ClipboardBetweenWindows)
{
    const std::string path = SeedTemplate("kivo_cellctl_clip.kvx");
    const std::string second = TempFile("kivo_cellctl_clip2.kvx");
    ::DeleteFileA(second.c_str());
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    HWND first = d.Document();
    ASSERT_NE(nullptr, first);

    // Copy "seed" (A1) in the first window, paste it into a new window.
    ASSERT_TRUE(d.ClickCell(POINT{90, 26}));
    CtrlKey('C');
    CtrlKey('N');
    ASSERT_TRUE(WaitFor([&] { return Children(d.Frame(), "KivoDesignerChildFrame").size() == 2; }));
    HWND other = nullptr;
    for (HWND h : Children(d.Frame(), "KivoDesignerChildFrame"))
        if (h != first)
            other = h;
    ASSERT_NE(nullptr, other);
    HWND control = ChildById(other, 923);
    ASSERT_NE(nullptr, control);
    ::SetForegroundWindow(d.Frame());
    gridwine::PumpFor(300);
    ClickAt(control, POINT{120, 60});
    gridwine::PumpFor(300);
    CtrlKey('V');
    CtrlKey('S');
    HWND save = d.WaitForDialog();
    ASSERT_NE(nullptr, save);
    HWND name = ::GetDlgItem(save, 1148);
    if (name == nullptr)
        name = ::GetDlgItem(save, 1152);
    ASSERT_NE(nullptr, name);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(second.c_str()));
    ::PostMessageA(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(save, IDOK)));
    ASSERT_TRUE(WaitFor([&] { return ::GetFileAttributesA(second.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    gridwine::PumpFor(500);
    d.Close();

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(second.c_str()), CString()));
    bool pasted = false;
    for (LONG r = 1; r <= 5; ++r)
        for (LONG c = 1; c <= 5; ++c)
            pasted = pasted || reader.grid.CellGetValue(r, c) == "seed";
    EXPECT_TRUE(pasted);
}

// Check-box, date/time, link and button cells made from the control-type
// toolbar with their dialogs' defaults, and a currency format from the
// format toolbar, all shown in the grid (KIVO_DESIGNER_SHOTS keeps a
// picture) and kept by the saved template.
TEST_F(CellControlProgram, ControlTypesAndCurrencyFromTheToolbars)
{
    const std::string path = SeedTemplate("kivo_cellctl_types.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    const struct {
        UINT command;
        int buttons, separators;
        const char* caption;
        LONG x;
    } steps[] = {
        {32870, 3, 1, "复选框", 120},
        {32873, 6, 2, "日期/时间", 186},
        {32874, 7, 2, "URL地址", 252},
        {32869, 2, 1, "按钮", 318},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(d.ClickCell(POINT{step.x, 60})) << step.caption;
        ASSERT_TRUE(d.ClickToolbar(step.command, step.buttons, step.separators));
        HWND dialog = d.WaitForDialog(step.caption);
        ASSERT_NE(nullptr, dialog) << step.caption;
        ClickButton(dialog, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); })) << step.caption;
    }
    // A currency cell on row 4 under the check box.
    ASSERT_TRUE(d.ClickCell(POINT{120, 77}));
    realinput::TypeText("1234");
    PressKey(VK_RETURN);
    ASSERT_TRUE(d.ClickCell(POINT{120, 77}));
    ASSERT_TRUE(d.ClickToolbar(32876, 1, 0));
    HWND format = d.WaitForDialog("格式化货币");
    ASSERT_NE(nullptr, format);
    ClickButton(format, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(format); }));
    ASSERT_TRUE(d.ClickCell(POINT{30, 120}));
    Shot("control-types-in-cells");
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    LONG row = 0, col = 0;
    for (LONG type : {2, 4, 9, 6})
        EXPECT_TRUE(FindControl(reader.grid, type, row, col)) << type;
    ASSERT_TRUE(FindControl(reader.grid, 9, row, col));
    EXPECT_EQ("卡沃表格技术支持邮箱", reader.grid.CellGetValue(row, col).Str());
    bool currency = false;
    for (LONG r = 1; r <= 5; ++r)
        for (LONG c = 1; c <= 5; ++c)
            currency = currency || reader.grid.CellGetTextFormatProperty(r, c, CString("datatype")) == "currency";
    EXPECT_TRUE(currency);
}

// A colour field of a control-type dialog is a colour button: the link
// dialog's colour picked from the palette with the mouse is the cell's
// "urlcolor".
TEST_F(CellControlProgram, LinkColourFromThePalette)
{
    const std::string path = SeedTemplate("kivo_cellctl_urlcolour.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    ASSERT_TRUE(d.ClickToolbar(32874, 7, 2));
    HWND dialog = d.WaitForDialog("URL地址");
    ASSERT_NE(nullptr, dialog);
    ClickButton(dialog, 1082);
    std::vector<HWND> popups;
    ASSERT_TRUE(WaitFor([&] {
        popups = TopWindows(d.pi.dwProcessId, "KivoColourPopup");
        return !popups.empty() && ::IsWindowVisible(popups[0]);
    }));
    // "Red": the third cell of the first row.
    const int margin = CColourPalette::Margin(::GetSystemMetrics(SM_CXEDGE));
    ClickAt(popups[0], POINT{margin + 2 + 2 * 18 + 9, margin + 2 + 9});
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(popups[0]) || !::IsWindowVisible(popups[0]); }));
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(d.ClickCell(POINT{30, 120}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    LONG row = 0, col = 0;
    ASSERT_TRUE(FindControl(reader.grid, 9, row, col));
    EXPECT_EQ(std::to_string(RGB(255, 0, 0)),
              reader.grid.CellGetControlProperty(row, col, CString("urlcolor")).Str());
}

// The check box's size field has a spin button: two real clicks on its upper
// arrow step 13 to 15, which the cell then carries.
TEST_F(CellControlProgram, CheckBoxSizeStepsWithItsSpin)
{
    const std::string path = SeedTemplate("kivo_cellctl_spin.kvx");
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    ASSERT_TRUE(d.ClickToolbar(32870, 3, 1));
    HWND dialog = d.WaitForDialog("复选框");
    ASSERT_NE(nullptr, dialog);
    HWND size = ChildById(dialog, 1068);
    HWND spin = ChildById(dialog, 1070);
    ASSERT_NE(nullptr, size);
    ASSERT_NE(nullptr, spin);
    EXPECT_EQ("13", designerwine::ControlTextOf(size));
    RECT rc;
    ::GetClientRect(spin, &rc);
    for (int i = 0; i < 2; ++i) {
        ClickAt(spin, POINT{rc.right / 2, rc.bottom / 4});
        gridwine::PumpFor(150);
    }
    EXPECT_TRUE(WaitFor([&] { return designerwine::ControlTextOf(size) == "15"; }, 3000))
        << designerwine::ControlTextOf(size);
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(d.ClickCell(POINT{30, 120}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    std::string sizes;
    for (LONG r = 1; r <= 5; ++r)
        for (LONG c = 1; c <= 5; ++c)
            sizes += reader.grid.CellGetControlProperty(r, c, CString("size")).Str();
    EXPECT_EQ("15", sizes);
}

// A font change in "属性" over two cells with different formats makes both
// bold and leaves each cell's own format.
TEST_F(CellControlProgram, FontChangeOnAMixedSelectionKeepsTheFormats)
{
    const std::string path = TempFile("kivo_cellctl_font.kvx");
    {
        Reader writer;
        ASSERT_TRUE(writer.created);
        writer.grid.ColumnSetCount(6);
        writer.grid.RowSetCount(6);
        writer.grid.CellSetTextFormat(3, 2, CString("<format datatype=\"percentage\"  decimal=\"1\" ></format>"));
        writer.grid.CellSetTextFormat(3, 3, CString("<format datatype=\"scientific\"  decimal=\"2\" ></format>"));
        ASSERT_EQ(1, writer.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    Designer d("\"" + path + "\"");
    ASSERT_TRUE(d.started);
    ASSERT_NE(nullptr, d.Document());
    ASSERT_TRUE(d.ClickCell(POINT{120, 60}));
    // Shift+Right selects B3:C3.
    INPUT keys[4] = {};
    for (INPUT& k : keys)
        k.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_SHIFT;
    keys[1].ki.wVk = VK_RIGHT;
    keys[2].ki.wVk = VK_RIGHT;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_SHIFT;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
    gridwine::PumpFor(300);
    realinput::PointerTo(ChildById(d.Document(), 923), POINT{186, 60});
    Shot("two-cells-selected");
    realinput::Button(MOUSEEVENTF_RIGHTDOWN);
    realinput::Button(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return !TopWindows(d.pi.dwProcessId, "#32768").empty(); }));
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    HWND dialog = d.WaitForDialog("属性");
    ASSERT_NE(nullptr, dialog);
    HWND tab = ChildById(dialog, 1002);
    ASSERT_NE(nullptr, tab);
    ClickAt(tab, POINT{20, 10});
    for (int i = 0; i < 3; ++i)
        PressKey(VK_RIGHT);
    HWND style = ChildById(dialog, 1006);
    ASSERT_NE(nullptr, style);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(style) != FALSE; }, 5000));
    ClickAt(style, CentreOf(style));
    PressKey(VK_DOWN);  // "常规" to "粗体"
    PressKey(VK_RETURN);
    Shot("cell-properties-font-bold");
    // A user takes a moment before OK: nothing may change the selection
    // behind the modal dialog meanwhile.
    ::Sleep(1500);
    ClickButton(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    ASSERT_TRUE(d.ClickCell(POINT{120, 94}));
    CtrlKey('S');
    ASSERT_TRUE(WaitFor([&] { return TextOf(d.Document()).find('*') == std::string::npos; }));
    EXPECT_EQ(0, d.Close());

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(path.c_str()), CString()));
    EXPECT_EQ("FW_BOLD", reader.grid.CellGetTextFontProperty(3, 2, CString("weight")).Str())
        << reader.grid.CellGetTextFont(3, 2).Str() << " | " << reader.grid.CellGetTextFont(3, 3).Str();
    EXPECT_EQ("FW_BOLD", reader.grid.CellGetTextFontProperty(3, 3, CString("weight")).Str());
    EXPECT_EQ("percentage", reader.grid.CellGetTextFormatProperty(3, 2, CString("datatype")).Str());
    EXPECT_EQ("scientific", reader.grid.CellGetTextFormatProperty(3, 3, CString("datatype")).Str());
}
