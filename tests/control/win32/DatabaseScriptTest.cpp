// Connections and data sets as a script reaches them under Wine: database.vbs
// builds them through the control's members and objects and opens them on
// an SQLite file through ODBC (it prints "database ok" when everything held).
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DatabaseScript, VbscriptBuildsAndOpensConnectionsAndDataSets)
{
    comtest::ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::string path = "/tmp/kivo_db_script_" + std::to_string(::GetCurrentProcessId()) + ".db";
    std::string dos = "Z:" + path;
    for (char& ch : dos)
        if (ch == '/')
            ch = '\\';
    ::DeleteFileA(dos.c_str());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + comtest::TestFile("database.vbs") + L"\" " +
                                      std::wstring(path.begin(), path.end()),
                                  &output);
    ::DeleteFileA(dos.c_str());
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("database ok"), std::string::npos) << output;
}

}  // namespace
