// The formula menu and its dialogs on the control core: quick functions with
// the visible range above the focus, the function list, user constants and
// functions.
#include "designer/DesignerFixture.h"

#include "designer/dialogs/FormulaDialogs.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>

using namespace designertest;

namespace {

class EditingFormula : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override { Headless::Reset(); }
};

// The control keeps a formula compiled and writes function names in capitals.
std::string Formula(Designer& d, LONG r, LONG c)
{
    CString f = d.grid.CellGetFormula(r, c);
    f.MakeUpper();
    return f.Str();
}

TEST_F(EditingFormula, QuickFunctionsTakeTheVisibleRowsAboveTheFocus)
{
    struct Case {
        UINT id;
        int topRow, focusRow;
        const char* formula;
    } cases[] = {
        {32966, 3, 10, "=SUM(B3:B9)"},
        {32967, 3, 10, "=AVERAGE(B3:B9)"},
        {32968, 1, 4, "=COUNT(B1:B3)"},
        {32969, 3, 4, "=MAX(B3:B3)"},
        {32970, 3, 10, "=MIN(B3:B9)"},
        // At or above the first visible row: an empty range, not B3:B2.
        {32966, 3, 3, "=SUM()"},
        // "=If(" does not compile yet: the cell becomes a formula cell and
        // its editor opens for the user to complete it.
        {32971, 3, 10, "="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        Designer d;
        d.grid.RowSetCount(200);
        d.grid.GridSetTopLeft(c.topRow, 1);
        d.grid.CellSetFocus(c.focusRow, 2);
        LONG top = 0, left = 0;
        ASSERT_TRUE(d.grid.GridGetTopLeft(top, left));
        ASSERT_EQ(c.topRow, top);
        ASSERT_TRUE(d.Run(c.id));
        EXPECT_EQ(c.formula, Formula(d, c.focusRow, 2));
        EXPECT_TRUE(d.grid.CellIsEditing(c.focusRow, 2));
        EXPECT_TRUE(d.doc.IsModified());
    }
    // Without a focus cell nothing changes.
    Designer d;
    d.Engine().SetFocusCell(-1, -1);
    LONG row = 0, col = 0;
    if (!d.grid.CellGetFocus(row, col)) {
        for (UINT id : {32966u, 32971u, 32975u})
            EXPECT_TRUE(d.Run(id));
        EXPECT_FALSE(d.doc.IsModified());
    }
}

TEST_F(EditingFormula, FunctionListInsertsTheChosenFunctionAndReturnsTheFocus)
{
    for (UINT id : {32972u, 32963u, 32960u}) {
        SCOPED_TRACE(id);
        Designer d;
        d.grid.CellSetFocus(4, 3);
        std::vector<std::string> listed;
        d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
            EXPECT_EQ(220u, dlg.DialogId());
            auto& list = static_cast<CFormulaListDlg&>(dlg);
            list.Fill(0);
            for (const CString& s : list.m_entries)
                listed.push_back(s.Str());
            list.m_strSelected = list.m_entries.empty() ? CString("SUM") : list.m_entries[0];
            return IDOK;
        });
        ASSERT_TRUE(d.Run(id));
        ASSERT_FALSE(listed.empty());
        EXPECT_EQ(std::string(d.grid.CellGetFormula(4, 3).Str()).substr(0, 1), "=");
        EXPECT_TRUE(d.grid.CellIsEditing(4, 3));
    }
    // Cancel: the cell stays, the focus still returns to the control.
    Designer d;
    d.grid.CellSetFocus(4, 3);
    d.grid.CellSetValue(4, 3, CString("kept"));
    ASSERT_TRUE(d.Run(32963));
    EXPECT_EQ("kept", std::string(d.grid.CellGetValue(4, 3).Str()));
    EXPECT_EQ(std::vector<UINT>{220u}, d.ui.dialogsShown);
    EXPECT_EQ(d.Engine().GetSafeHwnd(), ::GetFocus());
    EXPECT_FALSE(d.doc.IsModified());
}

TEST_F(EditingFormula, UserConstantsAndFunctions)
{
    Designer d;
    // Constants: empty name, added, duplicate; each with its message.
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(225u, dlg.DialogId());
        auto& add = static_cast<CAddUserConstDlg&>(dlg);
        EXPECT_FALSE(add.Add());
        add.m_strName = "PI";
        add.m_dValue = 2.5;
        EXPECT_TRUE(add.Add());
        EXPECT_EQ(0.0, add.m_dValue);
        add.m_dValue = 7;
        EXPECT_FALSE(add.Add());
        return IDCANCEL;
    });
    ASSERT_TRUE(d.Run(32974));
    ASSERT_EQ(3u, d.ui.boxes.size());
    EXPECT_EQ("常量名称不能为空!", d.ui.boxes[0].text);
    EXPECT_EQ("添加成功!", d.ui.boxes[1].text);
    EXPECT_EQ("添加失败,可能模板中已经存在该自定义常量名称!", d.ui.boxes[2].text);
    for (const auto& b : d.ui.boxes)
        EXPECT_EQ("提示", b.caption);
    EXPECT_TRUE(d.doc.IsModified());

    // The constant list: kind 1 lists the user's, as name-->[value].
    std::vector<std::string> user, system;
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(221u, dlg.DialogId());
        auto& list = static_cast<CConstantListDlg&>(dlg);
        list.Fill(0);
        for (const CString& s : list.m_entries)
            system.push_back(s.Str());
        list.Fill(1);
        for (const CString& s : list.m_entries)
            user.push_back(s.Str());
        return IDOK;
    });
    ASSERT_TRUE(d.Run(32973));
    EXPECT_EQ(std::vector<std::string>{"PI-->[2.500000]"}, user);
    for (const std::string& s : system)
        EXPECT_NE(std::string::npos, s.find("-->[")) << s;

    // Functions: empty name, added, duplicate; listed under kind 1.
    d.ui.boxes.clear();
    d.ui.dialogs.push_back([&](CDesignerDialog& dlg) {
        EXPECT_EQ(224u, dlg.DialogId());
        auto& add = static_cast<CAddUserFunctionDlg&>(dlg);
        EXPECT_FALSE(add.Add());
        add.m_strName = "MyFun";
        EXPECT_TRUE(add.Add());
        EXPECT_FALSE(add.Add());
        return IDCANCEL;
    });
    ASSERT_TRUE(d.Run(32965));
    ASSERT_EQ(3u, d.ui.boxes.size());
    EXPECT_EQ("函数名称不能为空!", d.ui.boxes[0].text);
    EXPECT_EQ("添加成功!", d.ui.boxes[1].text);
    EXPECT_EQ("添加失败,可能模板中已经存在该自定义函数名称!", d.ui.boxes[2].text);
    CFormulaListDlg list(&d.grid);
    list.Fill(1);
    ASSERT_EQ(1u, list.m_entries.size());
    EXPECT_EQ("MyFun", std::string(list.m_entries[0].Str()));

    // Without a control the dialogs do nothing.
    CAddUserConstDlg none(nullptr, d.ui);
    none.m_strName = "X";
    EXPECT_FALSE(none.Add());
    CConstantListDlg empty(nullptr);
    empty.Fill(0);
    EXPECT_TRUE(empty.m_entries.empty());
}

TEST_F(EditingFormula, RecalculationAndFocusButton)
{
    Designer d;
    d.grid.CellSetValue(2, 2, CString("4"));
    d.grid.CellSetValue(3, 2, CString("5"));
    d.grid.CellSetFormula(4, 2, CString("=Sum(B2:B3)"));
    d.grid.CellSetFocus(4, 2);
    ASSERT_TRUE(d.Run(32975));
    ASSERT_TRUE(d.Run(32964));
    EXPECT_EQ("9", std::string(d.grid.CellGetValue(4, 2).Str()));
    d.host.SetFocus();
    ASSERT_TRUE(d.Run(32959));
    EXPECT_EQ(d.Engine().GetSafeHwnd(), ::GetFocus());
}

}  // namespace
