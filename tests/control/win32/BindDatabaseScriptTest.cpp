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

TEST(BindDatabaseScript, ConnectionThatCannotOpenShowsOneErrorBoxPerAttempt)
{
    comtest::ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::vector<std::wstring> boxes;
    std::string output;
    const int code = comtest::RunClosingErrorBoxes(
        L"cscript.exe //nologo \"" + comtest::TestFile("bindsdberror.vbs") + L"\"", &output, &boxes);
    const bool ended = code != -1 && code != -2;

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
