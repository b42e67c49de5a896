// Wine's script host drives the rich-text members of the registered control
// (richtext.vbs): the no-target answers, and a locked rich-text cell edited
// through the system's rich-edit text services.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace comtest;

TEST(RichTextScript, VbscriptLocksFormatsAndUnlocksACell)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = RunScript("richtext.vbs", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("richtext ok"), std::string::npos) << output;
    const size_t rtf = output.find("VALUE rtf={\\rtf1");
    EXPECT_NE(rtf, std::string::npos) << output;
}
