// A real automation client, Wine's script host, drives the control and the
// automation classes.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

using namespace comtest;

TEST(ScriptClient, VbscriptCreatesTheControlAndEveryClass)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("automation.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("automation ok"), std::string::npos) << output;
}
