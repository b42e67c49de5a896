// A script host drives the Grid members of the control.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

using namespace comtest;

TEST(GridScript, VbscriptDrivesTheGridMembers)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("grid.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("grid ok"), std::string::npos) << output;
}
