// Binds filled from databases as a script reaches them under Wine:
// bindsdb.vbs builds connections, data sets, binds and fields through the
// control's members and objects, fills from an SQLite file (and from the test
// PostgreSQL cluster when one runs) and reads the cells back. A connection
// that cannot open shows the error box on the screen, one per attempt, read
// and closed here as a user would.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Dos(const std::string& path)
{
    std::string dos = "Z:" + path;
    for (char& ch : dos)
        if (ch == '/')
            ch = '\\';
    return dos;
}

// The port of the test PostgreSQL cluster: KIVO_TEST_PG_PORT, else the file
// KIVO_TEST_PG_PORTFILE names (a host path, written when the cluster started);
// empty when no cluster runs.
std::string TestClusterPort()
{
    const char* port = std::getenv("KIVO_TEST_PG_PORT");
    if (port != nullptr && *port != '\0')
        return port;
    const char* file = std::getenv("KIVO_TEST_PG_PORTFILE");
    if (file == nullptr || *file == '\0')
        return std::string();
    std::string text;
    if (FILE* f = std::fopen(Dos(file).c_str(), "rb")) {
        char buffer[16] = {};
        const size_t got = std::fread(buffer, 1, sizeof buffer - 1, f);
        std::fclose(f);
        text.assign(buffer, got);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text.find_first_not_of("0123456789") == std::string::npos ? text : std::string();
}

TEST(BindDatabaseScript, VbscriptFillsFromDatabases)
{
    comtest::ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::string stem = "/tmp/kivo_bind_script_" + std::to_string(::GetCurrentProcessId());
    const std::string db = stem + ".db";
    const std::string templ = stem + ".kvx";
    ::DeleteFileA(Dos(db).c_str());
    std::string pg = "-";
    const std::string port = TestClusterPort();
    if (!port.empty())
        pg = "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=" + port + ";Database=kivo;Uid=kivo;Pwd=kivo;";
    const std::string dosTemplate = Dos(templ);
    std::string output;
    const std::wstring args = L" " + std::wstring(db.begin(), db.end()) + L" \"" + std::wstring(pg.begin(), pg.end()) +
                              L"\" " + std::wstring(dosTemplate.begin(), dosTemplate.end());
    const int code =
        comtest::Run(L"cscript.exe //nologo \"" + comtest::TestFile("bindsdb.vbs") + L"\"" + args, &output);
    ::DeleteFileA(Dos(db).c_str());
    ::DeleteFileA(Dos(templ).c_str());
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("bindsdb ok"), std::string::npos) << output;
    if (pg != "-")
        EXPECT_NE(output.find("PostgreSQL filled"), std::string::npos) << output;
    else
        std::printf("no test PostgreSQL cluster: the script filled from SQLite only\n");
}

// The error box: a top-level message box captioned "错误".
HWND FindErrorBox(DWORD process)
{
    for (HWND window : testproc::VisibleTopWindows(process))
        if (testproc::IsMessageBox(window) && testproc::TextOf(window) == L"\u9519\u8bef")
            return window;
    return nullptr;
}

// The box's message: the texts of its static children.
std::wstring BoxText(HWND box)
{
    std::wstring text;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (testproc::ClassOf(child) == L"Static")
            text += testproc::TextOf(child);
    return text;
}

TEST(BindDatabaseScript, ConnectionThatCannotOpenShowsOneErrorBoxPerAttempt)
{
    comtest::ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"cscript.exe //nologo \"" + comtest::TestFile("bindsdberror.vbs") + L"\"";
    ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(writeEnd);

    // Each box is read and closed with its OK button; the script goes on only
    // when the box is gone.
    std::vector<std::wstring> boxes;
    const DWORD start = ::GetTickCount();
    while (::WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT && ::GetTickCount() - start < 60000) {
        HWND found = FindErrorBox(pi.dwProcessId);
        if (found == nullptr)
            continue;
        boxes.push_back(BoxText(found));
        ::PostMessageW(found, WM_COMMAND, IDOK, 0);
        // Wait for this box to go before looking for the next.
        const DWORD closing = ::GetTickCount();
        while (::IsWindow(found) && ::GetTickCount() - closing < 5000)
            ::Sleep(20);
    }
    const bool ended = ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(pi.hProcess, 1);
    std::string output;
    char buffer[512];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    ::CloseHandle(readEnd);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);

    ASSERT_TRUE(ended) << "the script did not end; boxes seen: " << boxes.size() << "\n" << output;
    EXPECT_NE(output.find("open 0\r\nopen 0\r\nbindsdberror done"), std::string::npos) << output;
    ASSERT_EQ(boxes.size(), 2u) << output;
    for (const std::wstring& text : boxes) {
        // "数据库链接异常!" heads the message, the driver manager's own text follows.
        EXPECT_EQ(text.rfind(L"\u6570\u636e\u5e93\u94fe\u63a5\u5f02\u5e38!", 0), 0u) << comtest::Narrow(text);
        EXPECT_GT(text.size(), 8u);
    }
}

}  // namespace
