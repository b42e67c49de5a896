// A script host drives the bind members and the binding objects, with a
// recordset written in the script itself.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

using namespace comtest;

// The script's recordset is a VBScript class: its members are reached through
// IDispatchEx (Wine's engine refuses GetIDsOfNames on class instances).
TEST(BindScript, VbscriptBuildsAndFillsBinds)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("binds.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("binds ok"), std::string::npos) << output;
}
