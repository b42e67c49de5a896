// A script host calls the control's two workbook members that go through a
// spreadsheet program's automation server, against the stand-in server
// (tests/document/standin/win32/) registered for this test only; the calls
// the server logged are read back here.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

using namespace comtest;

namespace {

std::wstring Wide(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ExcelScript, MembersThroughTheStandInServer)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::string dir = "C:\\kivo_xl_script_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);
    const std::string log = dir + "\\calls.log";
    const std::wstring server = L"\"" + Wide(KIVO_STANDIN_EXE) + L"\"";
    ASSERT_EQ(0, comtest::Run(server + L" /regserver \"" + Wide(log) + L"\""));

    std::string output;
    int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("excel.vbs") + L"\" \"" + Wide(dir) + L"\"", &output);
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("excel ok")) << output;
    const std::string calls = ReadAll(log);
    EXPECT_NE(std::string::npos, calls.find("put Range(A1).FormulaR1C1 s:\xD6\xD0\xCE\xC4")) << calls;
    EXPECT_NE(std::string::npos, calls.find("put Range(B2).Formula s:=B1*2")) << calls;
    EXPECT_NE(std::string::npos, calls.find("call Range(A3:B4).Merge(b:0)")) << calls;
    EXPECT_NE(std::string::npos, calls.find("call Workbooks.Open(s:" + dir + "\\sheet.book,missing,missing,missing,s:,"))
        << calls;

    // Without the server each member shows its message and answers 0.
    ASSERT_EQ(0, comtest::Run(server + L" /unregserver"));
    std::atomic<bool> stop(false);
    std::atomic<int> boxes(0);
    std::thread closer([&]() {
        while (!stop) {
            HWND box = ::FindWindowA("#32770", nullptr);
            if (box != nullptr) {
                // Counted once, however long it takes to close.
                ++boxes;
                for (int i = 0; i < 100 && ::IsWindow(box); ++i) {
                    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                    ::Sleep(100);
                }
            }
            ::Sleep(50);
        }
    });
    code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("excel.vbs") + L"\" \"" + Wide(dir) + L"\" unregistered",
               &output);
    stop = true;
    closer.join();
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("excel ok")) << output;
    EXPECT_EQ(2, boxes.load());
    for (const char* name : {"calls.log", "sheet.book"})
        ::DeleteFileA((dir + "\\" + name).c_str());
    ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
