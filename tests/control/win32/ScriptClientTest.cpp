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
    const int code = RunScript("automation.vbs", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("automation ok"), std::string::npos) << output;
}

// A script reads every automation class without "On Error Resume Next": each
// member succeeds, leaving its failure value where its class is not built.
TEST(ScriptClient, VbscriptReadsEveryClassWithoutErrorHandling)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = RunScript("objects.vbs", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("objects ok"), std::string::npos) << output;
}
