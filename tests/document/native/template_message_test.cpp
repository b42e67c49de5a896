// Opening what is no template from a file or a string: the damaged-format
// message is shown (recorded by the headless platform) and the sheet stays.
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

namespace {

TEST(TemplateMessages, FilesAndStringsThatAreNoTemplates)
{
    InstallInPlaceEditHooks();
    CGridCtrl shown(3, 3, 1, 1);
    shown.SetCellText(1, 1, "keep me");
    struct Case {
        const char* name;
        int (*open)(CGridCtrl&);
        int result;
        bool message;
    } cases[] = {
        {"missing file", [](CGridCtrl& g) { return OpenTemplateFile(g, "no_such_kivo_file.kvx", ""); }, -1, true},
        {"blank in Base64", [](CGridCtrl& g) { return OpenTemplateFromBase64(g, "S0lW TwAw", ""); }, -1, true},
        {"empty Base64", [](CGridCtrl& g) { return OpenTemplateFromBase64(g, "", ""); }, -1, true},
        {"Base64 of other bytes",
         [](CGridCtrl& g) { return OpenTemplateFromBase64(g, "QUJDREVGR0hJSktMTU5PUA==", ""); }, -2, false},
    };
    for (const Case& c : cases) {
        const size_t boxes = Headless::MessageBoxes().size();
        EXPECT_EQ(c.result, c.open(shown)) << c.name;
        EXPECT_STREQ("keep me", shown.GetCellText(1, 1)) << c.name;
        ASSERT_EQ(boxes + (c.message ? 1 : 0), Headless::MessageBoxes().size()) << c.name;
        if (c.message) {
            EXPECT_EQ("\xCE\xC4\xBC\xFE\xB8\xF1\xCA\xBD\xB2\xBB\xD5\xFD\xC8\xB7", Headless::MessageBoxes().back().text);
            EXPECT_EQ("tip", Headless::MessageBoxes().back().caption);
        }
    }
}

}  // namespace
