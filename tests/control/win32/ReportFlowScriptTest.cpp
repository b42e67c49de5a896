// A script host builds a bound report with subtotals and a merged footer,
// inserts and deletes rows around and inside the footer, sorts, folds a row
// tree, saves to a string and reads the sheet back in a second control.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

using namespace comtest;

TEST(ReportFlowScript, ABoundReportStaysWholeThroughEditsAndASaveRoundTrip)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("reportflow.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("report flow ok"), std::string::npos) << output;
}
