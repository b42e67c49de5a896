// The database menu on the designer in process: the save-and-test sequence
// (its prompt, the kept full path, the saved file, the load test shown for
// it) and the report wizard closing into it.
#include "designer/commands/DatabaseCommandIds.h"
#include "designer/dialogs/ReportWizard.h"
#include "designer/dialogs/TemplateTestDlg.h"
#include "tests/designer/DesignerFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace designertest;
using namespace designer_cmd;

namespace {

std::string TempPath(const char* tag)
{
    return "/tmp/kivo_dbmenu_" + std::string(tag) + "_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           ".kvx";
}

bool Exists(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    std::fclose(f);
    return true;
}

TEST(DatabaseMenu, TestTemplateAnsweredNoOrCancelledDoesNothing)
{
    Designer d;
    d.ui.answers = {IDNO};
    ASSERT_TRUE(d.Run(kDbTestTemplate));
    ASSERT_EQ(1u, d.ui.boxes.size());
    EXPECT_EQ("保存", d.ui.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), d.ui.boxes[0].type);
    EXPECT_EQ(0u, d.ui.boxes[0].text.find("请确认当前绑定设置"));
    EXPECT_TRUE(d.ui.saveSuggestions.empty());

    d.ui.answers = {IDYES};
    d.ui.savePaths = {""};
    ASSERT_TRUE(d.Run(kDbTestTemplate));
    EXPECT_EQ(1u, d.ui.saveSuggestions.size());
    EXPECT_TRUE(d.ui.dialogsShown.empty());
    EXPECT_TRUE(d.view.m_strFilePath.IsEmpty());
}

TEST(DatabaseMenu, TestTemplateSavesUnderTheFullPathAndTestsThatFile)
{
    Designer d;
    const std::string path = TempPath("test");
    std::remove(path.c_str());
    d.grid.CellSetValue(1, 1, CString("kept"));
    d.ui.answers = {IDYES};
    d.ui.savePaths = {path};
    std::string tested;
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(kDlgTemplateTest, dlg.DialogId());
        tested = static_cast<CTemplateTestDlg&>(dlg).m_strPath.Str();
        return IDOK;
    });
    ASSERT_TRUE(d.Run(kDbTestTemplate));
    EXPECT_EQ(path, tested);
    EXPECT_EQ(path, d.view.m_strFilePath.Str());
    EXPECT_TRUE(Exists(path));

    // The file holds the sheet: a second control loads it.
    Designer other;
    EXPECT_EQ(1, other.grid.GridOpenFile(CString(path.c_str()), CString()));
    EXPECT_EQ("kept", other.grid.CellGetValue(1, 1).Str());
    std::remove(path.c_str());
}

TEST(DatabaseMenu, WizardOffersTheTestOnlyAfterFinishing)
{
    Designer d;
    d.ui.dialogs.push_back([](CDesignerDialog& dlg) {
        EXPECT_EQ(kDlgReportWizard, dlg.DialogId());
        EXPECT_NE(nullptr, static_cast<CReportWizardDlg&>(dlg).m_pGrid);
        return IDCANCEL;
    });
    ASSERT_TRUE(d.Run(kDbReportWizard));
    EXPECT_TRUE(d.ui.boxes.empty());

    d.ui.dialogs.push_back([](CDesignerDialog&) { return IDOK; });
    d.ui.answers = {IDNO};
    ASSERT_TRUE(d.Run(kDbReportWizard));
    ASSERT_EQ(1u, d.ui.boxes.size());
    EXPECT_EQ(0u, d.ui.boxes[0].text.find("模板已经设置完成,是否需要测试模板?"));
}

}  // namespace
