// The command table: routing from the frame's ids and the right-click menu,
// update handlers deciding enabled and checked, and a changing command
// marking the document modified.
#include "designer/DesignerFixture.h"

#include <gtest/gtest.h>

using namespace designertest;

namespace {

// Ids far from every family's commands.
const UINT kTestMark = 64001;
const UINT kTestNever = 64002;

struct TestCommands {
    int runs = 0;
    TestCommands()
    {
        CDesignerCommands& table = CDesignerCommands::Instance();
        table.Add(
            kTestMark,
            [this](CDesignerContext& ctx) {
                ++runs;
                LONG row = 0, col = 0;
                ctx.Grid().CellGetFocus(row, col);
                ctx.Grid().CellSetValue(row, col, CString("x"));
                ctx.Changed();
            },
            [](CDesignerContext& ctx, CCmdState& state) {
                LONG row = 0, col = 0;
                ctx.Grid().CellGetFocus(row, col);
                state.checked = !ctx.Grid().CellGetValue(row, col).IsEmpty();
            });
        table.Add(
            kTestNever, [this](CDesignerContext&) { ++runs; },
            [](CDesignerContext&, CCmdState& state) { state.enabled = FALSE; });
    }
};

}  // namespace

TEST(DesignerCommandTable, UpdateHandlersDecideWhatRunsAndWhatIsChecked)
{
    static TestCommands commands;
    commands.runs = 0;
    Designer d;
    d.grid.CellSetFocus(2, 3);
    EXPECT_FALSE(d.State(kTestMark).checked);
    EXPECT_FALSE(d.doc.IsModified());

    EXPECT_TRUE(d.Run(kTestMark));
    EXPECT_EQ(1, commands.runs);
    EXPECT_TRUE(d.State(kTestMark).checked);
    EXPECT_TRUE(d.doc.IsModified());

    // A disabled command does not run, from the frame or the right-click menu.
    EXPECT_FALSE(d.State(kTestNever).enabled);
    EXPECT_FALSE(d.Run(kTestNever));
    d.view.OnGridMenuCommand(1, 1, static_cast<LONG>(kTestNever));
    EXPECT_EQ(1, commands.runs);

    // A right-click item of the table counts as built and routes there.
    EXPECT_TRUE(CKivoSheetDesignerView::IsMenuCommandBuilt(static_cast<LONG>(kTestMark)));
    d.view.OnGridMenuCommand(2, 3, static_cast<LONG>(kTestMark));
    EXPECT_EQ(2, commands.runs);

    // Unknown ids: no handler, disabled, nothing run.
    EXPECT_FALSE(d.Run(64999));
    EXPECT_FALSE(d.State(64999).enabled);
    EXPECT_FALSE(CKivoSheetDesignerView::IsMenuCommandBuilt(64999));
}

// Every command family owns its ids: none is handled by two of them.
TEST(DesignerCommandTable, NoCommandHasTwoHandlers)
{
    EXPECT_TRUE(CDesignerCommands::Instance().AddedTwice().empty());
    for (UINT id : CDesignerCommands::Instance().AddedTwice())
        ADD_FAILURE() << "command " << id << " is added twice";
}

TEST(DesignerCommandTable, DialogsAndColoursAnswerFromTheScript)
{
    struct Sizes : CDesignerDialog {
        UINT DialogId() const override { return 64100; }
        int value = 0;
    };
    Designer d;
    Sizes dlg;
    d.ui.dialogs.push_back([](CDesignerDialog& m) {
        static_cast<Sizes&>(m).value = 42;
        return IDOK;
    });
    EXPECT_EQ(IDOK, d.ui.DoModal(dlg));
    EXPECT_EQ(42, dlg.value);
    EXPECT_EQ(IDCANCEL, d.ui.DoModal(dlg));   // nothing scripted: cancelled
    EXPECT_EQ((std::vector<UINT>{64100, 64100}), d.ui.dialogsShown);

    COLORREF c = 0x123456;
    EXPECT_FALSE(d.ui.PickColor(c));
    EXPECT_EQ(0x123456u, c);
    d.ui.colors.push_back(0x00FF00);
    EXPECT_TRUE(d.ui.PickColor(c));
    EXPECT_EQ(0x00FF00u, c);
}
