// A script host drives the Row and Column members of the control.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

using namespace comtest;

TEST(RowColumnScript, VbscriptDrivesTheRowAndColumnMembers)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("rows.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("rows ok"), std::string::npos) << output;
}
