// The report wizard in KivoDesigner.exe as a new user walks it, on a SQLite
// file reached through ODBC: the connection is tested ("链接成功!" and
// "链接失败!" for a driver that is not installed), a data set is made from
// table Emp with columns ID and NAME and a condition, a binding and two
// custom fields; finishing writes "[ID]" and "[NAME]", the template is
// saved, the load test shows its times, and the saved template fills a
// control of the test's own with the database's rows.
#include "designer/win32/DatabaseScreenshots.h"
#include "designer/win32/DesignerDriver.h"
#include "tests/binding/DbTestUtil.h"

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DatabaseWizardWine : public DesignerProgramBase {};

// The visible child page of the wizard.
HWND VisiblePage(HWND wizard)
{
    for (HWND h : Children(wizard, "#32770"))
        if (::IsWindowVisible(h))
            return h;
    return nullptr;
}

// An item's text as the program holds it (asked by message across processes).
std::string ItemText(HWND dialog, int id)
{
    char text[512] = {0};
    ::SendMessageA(::GetDlgItem(dialog, id), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void SetText(HWND dialog, int id, const char* text)
{
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Choose(HWND dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The text of a message box of the designer other than the given window,
// once one shows; its OK (or Yes) button is pressed.
std::string AnswerBox(Designer& d, HWND except, int button = IDOK)
{
    HWND box = nullptr;
    WaitFor([&] {
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (h != except && ::GetDlgItem(h, 0xFFFF) != nullptr) {
                box = h;
                return true;
            }
        return false;
    });
    if (box == nullptr)
        return "(no box)";
    const std::string text = TextOf(::GetDlgItem(box, 0xFFFF));
    Click(box, button);
    WaitFor([&] { return !::IsWindow(box); }, 5000);
    return text;
}

HWND WaitForCaption(Designer& d, const std::string& caption)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (TextOf(h) == caption) {
                found = h;
                return true;
            }
        return false;
    });
    return found;
}

bool SaveAndTest(Designer& d, const std::string& path);

TEST_F(DatabaseWizardWine, WalksFromConnectionToFilledTemplate)
{
    dbtest::SqliteFile file("designer_wizard_wine");
    std::string failure;
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(),
                                      {"create table Emp (ID integer, NAME text)", "insert into Emp values (3, 'c')",
                                       "insert into Emp values (4, '张三')", "insert into Emp values (5, 'e')"},
                                      &failure))
        << failure;
    const std::string saved = TempFile("kivo_wizard_wine.kvx");
    ::DeleteFileA(saved.c_str());

    Designer d;
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32976, 0), 0);
    HWND wizard = WaitForCaption(d, "报表向导--向导说明(第1步/共5步)");
    ASSERT_NE(nullptr, wizard);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(wizard, 1169)));   // no Back on the first step
    SaveScreenshot(wizard, "wizard_1_explanation.bmp");

    Click(wizard, 1168);
    ASSERT_TRUE(WaitFor([&] { return TextOf(wizard) == "报表向导--创建数据源(第2步/共5步)"; }));
    HWND page = VisiblePage(wizard);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("conn1", ItemText(page, 1122));
    // "创建": the data-source picker builds the connection string.
    Click(page, 1124);
    HWND picker = WaitForCaption(d, "数据源");
    ASSERT_NE(nullptr, picker);
    EXPECT_GT(::SendMessageA(::GetDlgItem(picker, 1202), CB_GETCOUNT, 0, 0), 0);   // the installed drivers
    Click(picker, IDOK);
    EXPECT_EQ("请选择驱动程序或数据源!", AnswerBox(d, picker));
    SetText(picker, 1202, "SQLite3");
    SetText(picker, 1203, "/tmp/picked.db");
    Click(picker, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(picker); }));
    EXPECT_EQ("Driver={SQLite3};Database=/tmp/picked.db;", ItemText(page, 1123));
    SetText(page, 1123, "Driver={Not Installed Driver};Database=/tmp/none.db;");
    Click(page, 1125);
    EXPECT_EQ("链接失败!", AnswerBox(d, wizard));
    SetText(page, 1123, file.ConnectionString().GetString());
    Click(page, 1125);
    EXPECT_EQ("链接成功!", AnswerBox(d, wizard));
    // "测试" opens as the control does: Wine's ADO does not answer, so an
    // MSDASQL string opens its ODBC part and another provider fails.
    const std::string msdasql =
        "Provider=MSDASQL.1;Extended Properties=\"" + std::string(file.ConnectionString().GetString()) + "\"";
    SetText(page, 1123, msdasql.c_str());
    Click(page, 1125);
    EXPECT_EQ("链接成功!", AnswerBox(d, wizard));
    SetText(page, 1123, "Provider=SQLOLEDB;Data Source=nowhere;");
    Click(page, 1125);
    EXPECT_EQ("链接失败!", AnswerBox(d, wizard));
    SetText(page, 1123, file.ConnectionString().GetString());
    SaveScreenshot(wizard, "wizard_2_connection.bmp");
    // The time-out's spin button steps within 0 to 1000 under the real mouse.
    HWND arrows = ::GetDlgItem(page, 1134);
    ASSERT_NE(nullptr, arrows);
    RECT arrowRect;
    ::GetClientRect(arrows, &arrowRect);
    const POINT up = {arrowRect.right / 2, arrowRect.bottom / 4};
    ::SetForegroundWindow(wizard);
    Pump(150);
    designerwine::Click(arrows, up);
    EXPECT_TRUE(WaitFor([&] { return ItemText(page, 1128) == "16"; }, 3000)) << ItemText(page, 1128);
    SetText(page, 1128, "1000");
    designerwine::Click(arrows, up);
    Pump(200);
    EXPECT_EQ("1000", ItemText(page, 1128));
    SetText(page, 1128, "15");

    Click(wizard, 1168);
    ASSERT_TRUE(WaitFor([&] { return TextOf(wizard) == "报表向导--创建数据集(第3步/共5步)"; }));
    page = VisiblePage(wizard);
    HWND tables = ::GetDlgItem(page, 1174);
    ASSERT_EQ(1, ::SendMessageA(tables, CB_GETCOUNT, 0, 0));
    Choose(page, 1174, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(::GetDlgItem(page, 1169), LB_GETCOUNT, 0, 0) == 2; }));
    Click(page, 1175);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(::GetDlgItem(page, 1170), LB_GETCOUNT, 0, 0) == 2; }));
    SetText(page, 1124, "where ID>3");
    SaveScreenshot(wizard, "wizard_3_dataset.bmp");

    Click(wizard, 1168);
    ASSERT_TRUE(WaitFor([&] { return TextOf(wizard) == "报表向导--创建绑定对象(第4步/共5步)"; }));
    page = VisiblePage(wizard);
    EXPECT_EQ(1, ::SendMessageA(::GetDlgItem(page, 1105), CB_GETCURSEL, 0, 0));   // conn1 after "无"
    SaveScreenshot(wizard, "wizard_4_binding.bmp");

    Click(wizard, 1168);
    ASSERT_TRUE(WaitFor([&] { return TextOf(wizard) == "报表向导--创建绑定字段(第5步/共5步)"; }));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wizard, 1130)));   // no Cancel on the last step
    EXPECT_TRUE(WaitFor([&] { return TextOf(::GetDlgItem(wizard, 1168)) == "完成"; }))
        << TextOf(::GetDlgItem(wizard, 1168));
    page = VisiblePage(wizard);
    Click(page, 1171);   // custom binding
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(page, 1178)) != FALSE; }));
    for (const auto& f : {std::pair<const char*, const char*>{"ID", "1"}, {"NAME", "2"}}) {
        SetText(page, 1103, f.first);
        SetText(page, 1158, "1");
        SetText(page, 1039, f.second);
        Click(page, 1178);
        Pump(300);
    }
    EXPECT_EQ(2, ::SendMessageA(::GetDlgItem(page, 1170), CB_GETCOUNT, 0, 0));
    SaveScreenshot(wizard, "wizard_5_fields.bmp");
    // A second field on a cell that has one is refused.
    SetText(page, 1103, "ID");
    SetText(page, 1039, "2");
    Click(page, 1178);
    EXPECT_EQ("该单元格已经存在绑定信息,不能再添加.您可以退出对话框,选择修改操作.", AnswerBox(d, wizard));

    Click(wizard, 1168);   // "完成"
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(wizard); }));
    const std::string prompt = AnswerBox(d, nullptr, IDYES);
    EXPECT_EQ(0u, prompt.find("模板已经设置完成"));
    HWND fileDialog = d.WaitForDialog();
    ASSERT_NE(nullptr, fileDialog);
    ASSERT_TRUE(AnswerFileDialog(fileDialog, saved));
    HWND test = WaitForCaption(d, "模板测试");
    ASSERT_NE(nullptr, test);
    const std::string times = AnswerBox(d, test);
    EXPECT_NE(std::string::npos, times.find("总消耗时间")) << times;
    SaveScreenshot(test, "wizard_filled_sheet.bmp");
    ::PostMessageA(test, WM_CLOSE, 0, 0);
    WaitFor([&] { return !::IsWindow(test); });

    // The saved template: markers in the cells, and the database's rows
    // once it is opened as a template.
    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(saved.c_str()), CString()));
    EXPECT_EQ("[ID]", reader.grid.CellGetValue(1, 1).Str());
    EXPECT_EQ("[NAME]", reader.grid.CellGetValue(1, 2).Str());
    reader.grid.GridOpenTemplate(CString(saved.c_str()), CString());
    EXPECT_EQ("张三", reader.grid.CellGetValue(1, 2).Str());
    EXPECT_EQ("e", reader.grid.CellGetValue(2, 2).Str());
    EXPECT_EQ("", reader.grid.CellGetValue(3, 2).Str());   // only the rows with ID above 3

    // The dynamic query replaces the data set's SQL and fills the sheet.
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32954, 0), 0);
    HWND query = WaitForCaption(d, "设置查询条件");
    ASSERT_NE(nullptr, query);
    Choose(query, 1103, 0);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(::GetDlgItem(query, 1104), CB_GETCOUNT, 0, 0) == 1; }));
    Choose(query, 1104, 0);
    ASSERT_TRUE(WaitFor([&] { return ItemText(query, 1124) == "Select [ID] , [NAME] from [Emp] where ID>3"; }));
    SetText(query, 1124, "Select [ID] , [NAME] from [Emp] where ID>4");
    Click(query, 1143);
    EXPECT_EQ("设置成功!", AnswerBox(d, query));
    Click(query, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(query); }));
    ::DeleteFileA(saved.c_str());
    ASSERT_TRUE(SaveAndTest(d, saved));
    Reader again;
    ASSERT_TRUE(again.created);
    again.grid.GridOpenTemplate(CString(saved.c_str()), CString());
    EXPECT_EQ("e", again.grid.CellGetValue(1, 2).Str());
    EXPECT_EQ("", again.grid.CellGetValue(2, 2).Str());
    ::DeleteFileA(saved.c_str());
}

// Saves the template through the test-template command and closes its load
// test; answers whether the file was written.
bool SaveAndTest(Designer& d, const std::string& path)
{
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32944, 0), 0);
    const std::string prompt = AnswerBox(d, nullptr, IDYES);
    if (prompt.find("请确认当前绑定设置") != 0) {
        ADD_FAILURE() << "prompt: " << prompt;
        return false;
    }
    HWND fileDialog = d.WaitForDialog();
    if (fileDialog == nullptr || !AnswerFileDialog(fileDialog, path)) {
        ADD_FAILURE() << "no file dialog";
        return false;
    }
    HWND test = WaitForCaption(d, "模板测试");
    if (test == nullptr) {
        ADD_FAILURE() << "no load test";
        return false;
    }
    AnswerBox(d, test);
    ::PostMessageA(test, WM_CLOSE, 0, 0);
    return WaitFor([&] { return !::IsWindow(test); });
}

TEST_F(DatabaseWizardWine, ConnectionManagerAddsAndDeletesWithConfirmation)
{
    const std::string saved = TempFile("kivo_connections_wine.kvx");
    ::DeleteFileA(saved.c_str());
    dbtest::SqliteFile file("designer_connections_wine");
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(), {"create table T (A integer)"}));
    Designer d;
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32940, 0), 0);
    HWND manager = WaitForCaption(d, "链接管理");
    ASSERT_NE(nullptr, manager);
    for (const char* name : {"c1", "c2"}) {
        Click(manager, 1016);
        HWND dialog = WaitForCaption(d, "链接");
        ASSERT_NE(nullptr, dialog);
        Click(dialog, 1129);   // nothing typed yet
        EXPECT_EQ("链接名称不能为空!", AnswerBox(d, dialog)) << name;
        SetText(dialog, 1122, name);
        SetText(dialog, 1123, file.ConnectionString().GetString());
        Click(dialog, 1129);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    }
    HWND list = ChildById(manager, 1120);
    ASSERT_NE(nullptr, list);
    ::SetForegroundWindow(manager);
    Pump(200);
    designerwine::Click(list, POINT{40, 30});   // the first connection's row
    Pump(300);
    Click(manager, 1017);
    EXPECT_EQ("您确认要删除第1行数据吗?", AnswerBox(d, manager, IDYES));
    EXPECT_EQ("删除成功!", AnswerBox(d, manager));
    Click(manager, 1019);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));

    ASSERT_TRUE(SaveAndTest(d, saved));
    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(saved.c_str()), CString()));
    ASSERT_EQ(1, reader.grid.DBGetConnectionCount());
    EXPECT_EQ("c2", reader.grid.DBGetConnectionEx(0)->GetstrName().Str());
    ::DeleteFileA(saved.c_str());
}

// Adding a connection marks the document ("*" in its title) and closing then
// asks to save it, so the connection reaches the file; opening the manager
// and pressing Esc marks nothing.
TEST_F(DatabaseWizardWine, ConnectionWorkMarksTheDocumentAndEscDoesNot)
{
    const std::string saved = TempFile("kivo_connections_marked.kvx");
    ::DeleteFileA(saved.c_str());
    dbtest::SqliteFile file("designer_connections_marked");
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(), {"create table T (A integer)"}));
    Designer d;
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));
    HWND doc = d.Documents()[0];
    const std::string title = TextOf(doc);
    ASSERT_FALSE(title.empty());

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32940, 0), 0);
    HWND manager = WaitForCaption(d, "链接管理");
    ASSERT_NE(nullptr, manager);
    ::SetForegroundWindow(manager);
    WaitFor([&] { return ::GetForegroundWindow() == manager; }, 3000);
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));
    Pump(300);
    EXPECT_EQ(title, TextOf(doc));

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32940, 0), 0);
    manager = WaitForCaption(d, "链接管理");
    ASSERT_NE(nullptr, manager);
    Click(manager, 1016);
    HWND dialog = WaitForCaption(d, "链接");
    ASSERT_NE(nullptr, dialog);
    SetText(dialog, 1122, "c1");
    SetText(dialog, 1123, file.ConnectionString().GetString());
    Click(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    Click(manager, 1019);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));
    EXPECT_TRUE(WaitFor([&] { return TextOf(doc) == title + "*"; }, 5000)) << TextOf(doc);

    // Closing asks; Yes asks for a path (the document has none yet).
    ::PostMessageA(d.Frame(), WM_CLOSE, 0, 0);
    EXPECT_NE(std::string::npos, AnswerBox(d, nullptr, IDYES).find(title));
    HWND fileDialog = d.WaitForDialog();
    ASSERT_NE(nullptr, fileDialog);
    ASSERT_TRUE(AnswerFileDialog(fileDialog, saved));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(d.pi.hProcess, 15000));
    d.Close();

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(saved.c_str()), CString()));
    ASSERT_EQ(1, reader.grid.DBGetConnectionCount());
    EXPECT_EQ("c1", reader.grid.DBGetConnectionEx(0)->GetstrName().Str());
    ::DeleteFileA(saved.c_str());
}

TEST_F(DatabaseWizardWine, BindingAndFieldManagersAddWithTheirDialogs)
{
    const std::string saved = TempFile("kivo_binds_wine.kvx");
    ::DeleteFileA(saved.c_str());
    Designer d;
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32942, 0), 0);
    HWND manager = WaitForCaption(d, "绑定管理");
    ASSERT_NE(nullptr, manager);
    Click(manager, 1016);
    HWND dialog = WaitForCaption(d, "绑定");
    ASSERT_NE(nullptr, dialog);
    Click(dialog, 1129);
    EXPECT_EQ("绑定名称不能为空!", AnswerBox(d, dialog));
    SetText(dialog, 1122, "b1");
    Click(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    Click(manager, 1019);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));

    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32943, 0), 0);
    manager = WaitForCaption(d, "绑定字段管理");
    ASSERT_NE(nullptr, manager);
    HWND list = ChildById(manager, 1151);
    ASSERT_NE(nullptr, list);
    ::SetForegroundWindow(manager);
    Pump(200);
    // The binding's row is the second under the header; try the rows until
    // the add command offers the field dialog for it.
    for (int y : {50, 45, 55, 60}) {
        designerwine::Click(list, POINT{60, y});
        Pump(300);
        Click(manager, 1016);
        dialog = WaitForCaption(d, "绑定字段");
        if (dialog != nullptr)
            break;
        AnswerBox(d, manager);
    }
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("b1", ItemText(dialog, 1149));
    SetText(dialog, 1103, "X");
    SetText(dialog, 1158, "2");
    SetText(dialog, 1039, "3");
    Click(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    Click(manager, 1019);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));

    ASSERT_TRUE(SaveAndTest(d, saved));
    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(saved.c_str()), CString()));
    EXPECT_EQ("[X]", reader.grid.CellGetValue(2, 3).Str());   // the manager's marker
    ASSERT_EQ(1, reader.grid.DBGetBindCount());
    auto bind = reader.grid.DBGetBind("b1");
    ASSERT_TRUE(bind);
    EXPECT_EQ(1, bind->GetnFieldCount());
    ::DeleteFileA(saved.c_str());
}

}  // namespace
