// Binds filled from databases as a script reaches them under Wine:
// bindsdb.vbs builds connections, data sets, binds and fields through the
// control's members and objects, fills from an SQLite file (and from the test
// PostgreSQL cluster when one runs) and reads the cells back.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string Dos(const std::string& path)
{
    std::string dos = "Z:" + path;
    for (char& ch : dos)
        if (ch == '/')
            ch = '\\';
    return dos;
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
    const char* port = std::getenv("KIVO_TEST_PG_PORT");
    if (port != nullptr && *port != '\0')
        pg = "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=" + std::string(port) +
             ";Database=kivo;Uid=kivo;Pwd=kivo;";
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
}

}  // namespace
