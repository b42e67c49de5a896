// The file menu's template, Base64, workbook and CSV commands on the control
// core: which path the view keeps, what is asked and what is shown.
#include "designer/DesignerFixture.h"

#include "designer/dialogs/ToolDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace designertest;

namespace {

std::string TempPath(const char* name)
{
    return std::string(::testing::TempDir()) + name;
}

// A saved template of a sheet with one text, made by another designer.
std::string SavedTemplate(const char* name, const char* text, const char* password = "")
{
    Designer other;
    other.grid.CellSetValue(2, 2, text);
    const std::string path = TempPath(name);
    EXPECT_EQ(1, other.grid.GridSaveFile(path.c_str(), password));
    return path;
}

std::function<int(CDesignerDialog&)> Password(const char* password, int answer = IDOK)
{
    return [password, answer](CDesignerDialog& dlg) {
        EXPECT_EQ(256u, dlg.DialogId());
        static_cast<CPasswordDlg&>(dlg).m_strPassword = password;
        return answer;
    };
}

}  // namespace

TEST(FileCommands, RunTemplateKeepsThePathOnlyWhenTheTemplateOpened)
{
    const std::string good = SavedTemplate("ftc_run.kvx", "run");
    const std::string bad = TempPath("ftc_missing.kvx");
    std::remove(bad.c_str());
    Designer d;
    d.ui.openFiles = {good};
    d.Run(32939);
    EXPECT_EQ("run", d.grid.CellGetValue(2, 2).Str());
    EXPECT_EQ(good, d.view.m_strFilePath.Str());
    EXPECT_EQ("卡沃文件格式(*.kvx)|*.kvx|所有文件(*.*)|*.*||", d.ui.fileFilters.back());

    // A file that did not open leaves the path naming the sheet shown, so a
    // later save does not write it over the failed file.
    d.ui.openFiles = {bad};
    d.Run(32939);
    EXPECT_EQ(good, d.view.m_strFilePath.Str());
    EXPECT_EQ("run", d.grid.CellGetValue(2, 2).Str());

    // A cancelled file dialog changes nothing.
    d.Run(32939);
    EXPECT_EQ(good, d.view.m_strFilePath.Str());
}

TEST(FileCommands, EncryptedSaveThenOpenWithTheRightPasswordOnly)
{
    const std::string path = TempPath("ftc_secret.kvx");
    std::remove(path.c_str());
    {
        Designer d;
        d.grid.CellSetValue(3, 2, "secret");
        d.ui.saveFiles = {path};
        d.ui.dialogs = {Password("pw1")};
        d.Run(32989);
        EXPECT_EQ(path, d.view.m_strFilePath.Str());
        // The path is chosen: the next encrypted save asks only the password.
        d.grid.CellSetValue(3, 3, "more");
        d.ui.dialogs = {Password("pw1")};
        d.Run(32989);
        EXPECT_EQ(1u, d.ui.fileFilters.size());
        EXPECT_EQ((std::vector<UINT>{256, 256}), d.ui.dialogsShown);
        // Cancelling the password forgets the path: the next save asks again.
        d.ui.dialogs = {Password("", IDCANCEL)};
        d.Run(32989);
        EXPECT_TRUE(d.view.m_strFilePath.IsEmpty());
        d.Run(32989);   // the file dialog is cancelled
        EXPECT_EQ(2u, d.ui.fileFilters.size());
    }
    Designer d;
    d.grid.CellSetValue(1, 1, "shown");
    d.ui.openFiles = {path};
    d.ui.dialogs = {Password("wrong")};
    d.Run(32988);
    EXPECT_EQ("shown", d.grid.CellGetValue(1, 1).Str());
    EXPECT_TRUE(d.view.m_strFilePath.IsEmpty());

    // Cancelling the password opens nothing and clears the path.
    d.view.m_strFilePath = "kept.kvx";
    d.ui.openFiles = {path};
    d.ui.dialogs = {Password("pw1", IDCANCEL)};
    d.Run(32988);
    EXPECT_EQ("shown", d.grid.CellGetValue(1, 1).Str());
    EXPECT_TRUE(d.view.m_strFilePath.IsEmpty());

    d.ui.openFiles = {path};
    d.ui.dialogs = {Password("pw1")};
    d.Run(32988);
    EXPECT_EQ("secret", d.grid.CellGetValue(3, 2).Str());
    EXPECT_EQ("more", d.grid.CellGetValue(3, 3).Str());
    EXPECT_EQ(path, d.view.m_strFilePath.Str());
}

TEST(FileCommands, Base64SaveShowsTheTextAndOpenTakesItBack)
{
    Designer source;
    source.grid.CellSetValue(4, 1, "base");
    CString shown;
    bool showOnly = false;
    source.ui.dialogs = {[&](CDesignerDialog& dlg) {
        auto& b = static_cast<CBase64StringDlg&>(dlg);
        shown = b.m_strBase64;
        showOnly = b.IsShowOnly();
        return IDOK;
    }};
    source.Run(33033);
    ASSERT_FALSE(shown.IsEmpty());
    EXPECT_TRUE(showOnly);

    Designer target;
    target.grid.CellSetValue(1, 1, "old");
    // An empty text does nothing, even on OK.
    target.ui.dialogs = {[](CDesignerDialog&) { return IDOK; }};
    target.Run(33031);
    EXPECT_EQ("old", target.grid.CellGetValue(1, 1).Str());

    target.ui.dialogs = {[&](CDesignerDialog& dlg) {
        auto& b = static_cast<CBase64StringDlg&>(dlg);
        EXPECT_FALSE(b.IsShowOnly());
        b.m_strBase64 = shown;
        return IDOK;
    }};
    target.Run(33031);
    EXPECT_EQ("base", target.grid.CellGetValue(4, 1).Str());
    EXPECT_TRUE(target.grid.CellGetValue(1, 1).IsEmpty());
}

TEST(FileCommands, CsvAndWorkbookExportsReportTheControlsResult)
{
    Designer d;
    d.grid.CellSetValue(1, 1, "a,b");
    d.grid.CellSetValue(1, 2, "c");
    const std::string csv = TempPath("ftc_out.csv");
    d.ui.saveFiles = {csv, TempPath("no_such_dir/x.csv")};
    d.Run(32955);
    d.Run(32955);
    ASSERT_EQ(2u, d.ui.boxes.size());
    EXPECT_EQ("导出完毕!", d.ui.boxes[0].text);
    EXPECT_EQ("提示", d.ui.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONQUESTION), d.ui.boxes[0].type);
    EXPECT_EQ("导出失败!", d.ui.boxes[1].text);
    std::ifstream in(csv);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(std::string::npos, text.str().find("\"a,b\",c"));
    // Python's csv module reads the cells back.
    const std::string out = TempPath("ftc_out.py.txt");
    const std::string cmd = "python3 -c \"import csv,sys; r=list(csv.reader(open(sys.argv[1], newline=''))); "
                            "open(sys.argv[2],'w').write(repr(r[1][1:3]))\" '" + csv + "' '" + out + "'";
    ASSERT_EQ(0, std::system(cmd.c_str()));
    std::ifstream rows(out);
    std::string parsed;
    std::getline(rows, parsed);
    EXPECT_EQ("['a,b', 'c']", parsed);
    EXPECT_EQ("CSV文件(*.csv)|*.csv|所有文件(*.*)|*.*||", d.ui.fileFilters[0]);

    // No workbook server here: both workbook commands report their failure.
    d.ui.boxes.clear();
    d.ui.saveFiles = {TempPath("ftc_out.xls")};
    d.Run(32938);
    d.ui.dialogs = {[](CDesignerDialog& dlg) {
        auto& x = static_cast<CImportExcelDlg&>(dlg);
        x.m_strPath = "in.xls";
        x.m_strSheet = "2";
        return IDOK;
    }};
    d.Run(32992);
    ASSERT_EQ(2u, d.ui.boxes.size());
    EXPECT_EQ("导出失败!", d.ui.boxes[0].text);
    EXPECT_EQ("导入失败!", d.ui.boxes[1].text);
    // Cancelled dialogs show nothing.
    d.Run(32938);
    d.Run(32992);
    d.Run(32955);
    EXPECT_EQ(2u, d.ui.boxes.size());
}

TEST(ImportExcelDialog, ChecksPathAndSheetNumber)
{
    const struct {
        const char* path;
        const char* sheet;
        const char* message;   // "" accepted
    } cases[] = {
        {"", "1", "EXCEL文件路径不能为空!"},     {"a.xls", "", "EXCEL文件表页序号不能为空!"},
        {"a.xls", "01", "请输入数值型的表页序号!"}, {"a.xls", "1a", "请输入数值型的表页序号!"},
        {"a.xls", " 1", "请输入数值型的表页序号!"}, {"a.xls", "x", "请输入数值型的表页序号!"},
        {"a.xls", "2", ""},                      {"a.xls", "-1", ""},
        {"a.xls", "4", ""},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        CImportExcelDlg dlg;
        dlg.m_strPath = c.path;
        dlg.m_strSheet = c.sheet;
        EXPECT_EQ(*c.message == '\0', dlg.Validate(ui)) << c.sheet;
        if (*c.message != '\0') {
            ASSERT_EQ(1u, ui.boxes.size());
            EXPECT_EQ(c.message, ui.boxes[0].text);
            EXPECT_EQ("提示", ui.boxes[0].caption);
        } else {
            EXPECT_TRUE(ui.boxes.empty());
        }
    }
}

TEST(ToolDialogs, IntegerRangeChecks)
{
    const struct {
        const char* text;
        long low, high;
        bool ok;
        long value;
    } cases[] = {
        {"0", 0, 100000, true, 0},        {"100000", 0, 100000, true, 100000},
        {"100001", 0, 100000, false, 0},  {"-1", 0, 100000, false, 0},
        {"", 0, 100000, false, 0},        {"12x", 0, 100000, false, 0},
        {"99999999999", 0, 100000, false, 0}, {" 7 ", 0, 100000, true, 7},
        {"1024", 0, 1024, true, 1024},    {"1025", 0, 1024, false, 0},
    };
    for (const auto& c : cases) {
        long value = 0;
        EXPECT_EQ(c.ok, ParseIntInRange(c.text, c.low, c.high, value)) << c.text;
        EXPECT_EQ(c.value, value) << c.text;
    }
    EXPECT_EQ("请输入一个介于 0 和 100000 之间的整数。", RangeMessage(0, 100000).Str());
}
