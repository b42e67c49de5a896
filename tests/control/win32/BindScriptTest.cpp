// A script host drives the bind members and the binding objects, with a
// recordset written in the script itself.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

using namespace comtest;

// Held back: under Wine the fill from a recordset written in the script
// answers 0 (the same fill passes natively through the portable core); the
// late-bound reading of a script object is still to be found out.
TEST(BindScript, DISABLED_VbscriptBuildsAndFillsBinds)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("binds.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("binds ok"), std::string::npos) << output;
}
