// The workbook bridge under Wine against the stand-in spreadsheet server,
// a local server of its own process (tests/document/standin/win32/),
// registered as "Excel.Application" for these tests only: a round trip
// through a saved workbook, the picture's temporary file, the message when
// no server is registered, and the window messages handled meanwhile while
// the window owning the grid stays disabled.
#include "cells/InPlaceEditHooks.h"
#include "document/ExcelBridge.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

std::wstring Wide(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

int RunWait(const std::wstring& commandLine)
{
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = commandLine;
    if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    ::WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = static_cast<DWORD>(-1);
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Counts the timer and paint messages a small child window receives, and
// whether the window owning the grid was enabled at any of them.
struct Watcher {
    static std::atomic<int> timers, paints, enabledSeen;
    static HWND owner;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_TIMER) {
            ++timers;
            if (::IsWindowEnabled(owner))
                ++enabledSeen;
            ::InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        if (msg == WM_PAINT) {
            ++paints;
            if (::IsWindowEnabled(owner))
                ++enabledSeen;
            PAINTSTRUCT ps;
            ::BeginPaint(hwnd, &ps);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
};
std::atomic<int> Watcher::timers(0), Watcher::paints(0), Watcher::enabledSeen(0);
HWND Watcher::owner = nullptr;

class ExcelBridgeWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        m_dir = "C:\\kivo_xl_wine_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(m_dir.c_str(), nullptr);
        m_log = m_dir + "\\calls.log";
        ASSERT_EQ(0, RunWait(L"\"" + Wide(KIVO_STANDIN_EXE) + L"\" /regserver \"" + Wide(m_log) + L"\""));
        host = new CWnd;
        ASSERT_TRUE(gridwine::ShowTopLevel(host, "KivoExcelBridgeHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           CRect(40, 40, 640, 440)));
    }
    void TearDown() override
    {
        RunWait(L"\"" + Wide(KIVO_STANDIN_EXE) + L"\" /unregserver");
        delete host;
        gridwine::PumpFor(20);
        for (const char* name : {"calls.log", "sheet.book", "0", "1"})
            ::DeleteFileA((m_dir + "\\" + name).c_str());
        ::RemoveDirectoryA(m_dir.c_str());
    }

    std::string m_dir;
    std::string m_log;
    CWnd* host = nullptr;
};

TEST_F(ExcelBridgeWineTest, RoundTripThroughTheServer)
{
    CGridCtrl grid;
    gridwine::LayOut(grid, 6, 5, 22, 40, 70);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 200), host, 81, WS_CHILD | WS_VISIBLE));
    grid.SetCellText(1, 1, "\xD6\xD0\xCE\xC4\xB1\xED\xB8\xF1");   // 中文表格
    grid.SetCellValue(1, 2, 12.5);
    ASSERT_TRUE(grid.SetCellFormula(2, 2, "=B1*2"));
    grid.SetCellText(3, 1, "\xBA\xCF\xB2\xA2");   // 合并
    grid.MergeCells(3, 1, 4, 2);
    grid.SetColumnWidth(2, 96);
    grid.SetRowHeight(2, 40);
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Arial");
    grid.GetCell(1, 1)->SetFont(&lf);
    const BYTE bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                        1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        0, 0, 255, 0};
    ASSERT_EQ(0, grid.GetPictureList().AddPictureData(bmp, sizeof bmp));
    ASSERT_TRUE(grid.SetCellType(1, 4, 12));
    // A user's file named after the picture index in the target folder.
    { std::ofstream(m_dir + "\\0") << "user data"; }

    // A child window that counts timer and paint messages during the transfer.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Watcher::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KivoExcelBridgeWatcher";
    ::RegisterClassW(&wc);
    HWND watcher = ::CreateWindowW(L"KivoExcelBridgeWatcher", L"", WS_CHILD | WS_VISIBLE, 0, 300, 50, 50,
                                   host->GetSafeHwnd(), nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(watcher != nullptr);
    Watcher::owner = host->GetSafeHwnd();
    gridwine::PumpFor(50);
    Watcher::timers = 0;
    Watcher::paints = 0;
    Watcher::enabledSeen = 0;
    ::SetTimer(watcher, 1, 1, nullptr);

    const std::string book = m_dir + "\\sheet.book";
    ASSERT_EQ(1, ExportExcelViaAutomation(grid, book.c_str(), "")) << ReadAll(m_log);
    ::KillTimer(watcher, 1);
    EXPECT_GT(Watcher::timers.load(), 0);
    EXPECT_GT(Watcher::paints.load(), 0);
    EXPECT_EQ(0, Watcher::enabledSeen.load());
    EXPECT_TRUE(::IsWindowEnabled(host->GetSafeHwnd()));
    EXPECT_FALSE(grid.IsProgressShown());
    ::DestroyWindow(watcher);

    // The calls crossed to the server's process, which logged them.
    gridwine::PumpFor(300);
    const std::string log = ReadAll(m_log);
    EXPECT_NE(std::string::npos, log.find("put Range(A1).FormulaR1C1 s:\xD6\xD0\xCE\xC4\xB1\xED\xB8\xF1")) << log;
    EXPECT_NE(std::string::npos, log.find("call Range(A3:B4).Merge(b:0)")) << log;
    EXPECT_EQ(std::string::npos, log.find("REFUSED")) << log;
    const size_t picture = log.find("AddPicture(s:");
    ASSERT_NE(std::string::npos, picture) << log;
    const std::string pictureLine = log.substr(picture, log.find('\n', picture) - picture);
    EXPECT_EQ(std::string::npos, pictureLine.find(m_dir)) << pictureLine;
    EXPECT_EQ("user data", ReadAll(m_dir + "\\0"));
    EXPECT_FALSE(Exists(m_dir + "\\1"));

    CGridCtrl back;
    gridwine::LayOut(back, 2, 2, 22, 40, 70);
    ASSERT_TRUE(back.Create(CRect(0, 200, 400, 380), host, 82, WS_CHILD | WS_VISIBLE));
    ASSERT_EQ(1, ImportExcelViaAutomation(back, book.c_str(), "", 1));
    EXPECT_EQ(6, back.GetRowCount());
    EXPECT_EQ(5, back.GetColumnCount());
    EXPECT_STREQ("\xD6\xD0\xCE\xC4\xB1\xED\xB8\xF1", back.GetCellText(1, 1));
    EXPECT_DOUBLE_EQ(12.5, back.GetCell(1, 2)->GetValue());
    EXPECT_STREQ("=B1*2", back.GetCellFormula(2, 2));
    EXPECT_STREQ("25", back.GetCellText(2, 2));
    int r1, c1, r2, c2;
    ASSERT_TRUE(back.GetMergeRange(4, 2, r1, c1, r2, c2));
    EXPECT_EQ(3, r1);
    EXPECT_EQ(1, c1);
    EXPECT_EQ(4, r2);
    EXPECT_EQ(2, c2);
    EXPECT_STREQ("\xBA\xCF\xB2\xA2", back.GetCellText(3, 1));
    EXPECT_STREQ("Arial", back.GetCell(1, 1)->GetFont()->lfFaceName);
    EXPECT_EQ(16, std::abs(static_cast<int>(back.GetCell(1, 1)->GetFont()->lfHeight)));
    EXPECT_EQ(FW_BOLD, back.GetCell(1, 1)->GetFont()->lfWeight);
    EXPECT_NEAR(96, back.GetColumnWidth(2), 1);
    EXPECT_NEAR(40, back.GetRowHeight(2), 2);
    EXPECT_NEAR(70, back.GetColumnWidth(1), 6);
    back.DestroyWindow();
    grid.DestroyWindow();
}

TEST_F(ExcelBridgeWineTest, UnregisteredServerShowsTheMessage)
{
    RunWait(L"\"" + Wide(KIVO_STANDIN_EXE) + L"\" /unregserver");
    CGridCtrl grid;
    gridwine::LayOut(grid, 3, 3, 22, 40, 70);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), host, 83, WS_CHILD | WS_VISIBLE));
    { std::ofstream(m_dir + "\\sheet.book") << "KIVOSTANDINBOOK 1\n"; }
    struct Case {
        bool import;
        const char* text;
    } cases[] = {
        {false, "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8" "EXCEL\xCA\xB5\xC0\xFD"},
        {true, "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8" "EXCEL\xCA\xB5\xC0\xFD!"},
    };
    for (const Case& c : cases) {
        std::atomic<bool> stop(false);
        std::string seen;
        std::thread closer([&]() {
            while (!stop) {
                HWND box = ::FindWindowA("#32770", nullptr);
                if (box != nullptr) {
                    ::Sleep(300);   // the box fills its text once shown
                    char text[256] = {};
                    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                    seen = text;
                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                    break;
                }
                ::Sleep(50);
            }
        });
        const short result = c.import
                                 ? ImportExcelViaAutomation(grid, (m_dir + "\\sheet.book").c_str(), "", 1)
                                 : ExportExcelViaAutomation(grid, (m_dir + "\\sheet.book").c_str(), "");
        stop = true;
        closer.join();
        EXPECT_EQ(0, result) << c.import;
        EXPECT_EQ(c.text, seen) << c.import;
        EXPECT_EQ(3, grid.GetRowCount());
    }
    grid.DestroyWindow();
}

}  // namespace
