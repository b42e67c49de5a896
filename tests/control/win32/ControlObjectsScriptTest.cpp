// The cell-control classes as a script reaches them: Wine's script host
// creates each by its ProgID, sets properties and reads the control text
// back, and hands objects to cells (controls17.vbs checks what it can and
// prints "controls17 ok" when everything held).
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ControlObjectsScript, VbscriptBuildsControlTextsAndAppliesThemToCells)
{
    comtest::ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::RunScript("controls17.vbs", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("controls17 ok"), std::string::npos) << output;
}

}  // namespace
