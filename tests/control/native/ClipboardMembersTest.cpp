// The clipboard, paste-mode, drag-switch and popup-menu members through the
// generated dispatcher, over the control's own grid and the headless
// clipboard.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Calls a member by name with numbers, or a text for a BSTR argument; the
// result as text.
std::string Call(CKivoSheetDispatch& target, const std::string& name, const std::vector<long> values = {},
                 const char* text = "")
{
    const CMemberInfo* m = FindKivoSheetMemberByName(name.c_str());
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return "";
    }
    std::vector<CDispArg> args(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    for (int i = 0; i < m->argc; ++i) {
        CDispArg& a = args[static_cast<size_t>(i)];
        a.type = m->args[i];
        const long v = static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : 0;
        a.l = static_cast<LONG>(v);
        a.s = static_cast<SHORT>(v);
        a.str = text;
    }
    CDispResult r;
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, args.data(), r)) << name;
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        return std::to_string(r.s);
    case DispType::Long:
        return std::to_string(r.l);
    default:
        return "void";
    }
}

class ClipboardMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_EQ("-1", Call(ctl, "RowSetCount", {8}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetCount", {6}));
        ASSERT_EQ("-1", Call(ctl, "RowSetFixedCount", {1}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetFixedCount", {1}));
        grid = ctl.GetGrid()->GetGridCtrl();
        ASSERT_NE(nullptr, grid);
    }
    void TearDown() override { Headless::Reset(); }

    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
};

// Each switch is on in a new grid; its setter stores what it is given and its
// getter reads the grid's own switch.
TEST_F(ClipboardMembers, SwitchesAreTheGridsOwn)
{
    struct Case {
        const char* set;
        const char* get;
        BOOL (*read)(CGridCtrl&);
        const char* initially;
    } cases[] = {
        {"GridSetAllowCopy", "GridGetAllowCopy", [](CGridCtrl& g) { return g.GetAllowCopy(); }, "1"},
        {"GridSetAllowCut", "GridGetAllowCut", [](CGridCtrl& g) { return g.GetAllowCut(); }, "1"},
        {"GridSetAllowPaste", "GridGetAllowPaste", [](CGridCtrl& g) { return g.GetAllowPaste(); }, "1"},
        {"GridSetAllowDragAndDrop", "GridGetAllowDragAndDrop",
         [](CGridCtrl& g) { return g.GetAllowDragAndDrop(); }, "1"},
        {"GridSetAllowDragCol", "GridGetAllowDragCol", [](CGridCtrl& g) { return g.GetMoveColumnsByHeader(); }, "0"},
        {"GridSetAllowDragRow", "GridGetAllowDragRow", [](CGridCtrl& g) { return g.GetMoveRowsByHeader(); }, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        EXPECT_EQ(c.initially, Call(ctl, c.get));
        EXPECT_EQ("void", Call(ctl, c.set, {0}));
        EXPECT_EQ("0", Call(ctl, c.get));
        EXPECT_FALSE(c.read(*grid));
        EXPECT_EQ("void", Call(ctl, c.set, {1}));
        EXPECT_EQ("1", Call(ctl, c.get));
        EXPECT_TRUE(c.read(*grid));
    }
    // The control's own Ctrl+C routing asks the grid's switch.
    Call(ctl, "GridSetAllowCopy", {0});
    EXPECT_FALSE(ctl.GetGrid()->IsCopyAllowed());
    Call(ctl, "GridSetAllowCopy", {1});
    EXPECT_TRUE(ctl.GetGrid()->IsCopyAllowed());
}

TEST_F(ClipboardMembers, PasteFlagsAreStoredAsGiven)
{
    EXPECT_EQ("0", Call(ctl, "GridGetPasteFlags"));
    for (long flags : {1, 2, 0}) {
        Call(ctl, "GridSetPasteFlags", {flags});
        EXPECT_EQ(std::to_string(flags), Call(ctl, "GridGetPasteFlags"));
        EXPECT_EQ(flags, grid->GetPasteFlags());
    }
}

// GridCopy, GridCut and GridPaste are the grid's edit commands, under their
// switches.
TEST_F(ClipboardMembers, CopyCutAndPasteMoveTheSelection)
{
    grid->SetCellText(1, 1, "a");
    grid->SetCellText(1, 2, "b");
    grid->SetSelectedRange(1, 1, 1, 2);
    Call(ctl, "GridSetAllowCopy", {0});
    EXPECT_EQ("void", Call(ctl, "GridCopy"));
    EXPECT_EQ("", Headless::ClipboardText());
    Call(ctl, "GridSetAllowCopy", {1});
    Call(ctl, "GridCopy");
    EXPECT_EQ("a\tb", Headless::ClipboardText());
    Call(ctl, "GridCut");
    EXPECT_EQ("", std::string(grid->GetCellText(1, 1)));
    grid->SetSelectedRange(3, 2, 3, 2);
    Call(ctl, "GridSetPasteFlags", {1});
    Call(ctl, "GridPaste");
    EXPECT_EQ("a", std::string(grid->GetCellText(3, 2)));
    EXPECT_EQ("b", std::string(grid->GetCellText(3, 3)));
    Call(ctl, "GridSetAllowPaste", {0});
    grid->SetSelectedRange(5, 2, 5, 2);
    Call(ctl, "GridPaste");
    EXPECT_EQ("", std::string(grid->GetCellText(5, 2)));
}

// Outside the handling of GridMenuStart there is no menu to add to.
TEST_F(ClipboardMembers, AddPopuMenuOutsideMenuStartAddsNothing)
{
    EXPECT_EQ("0", Call(ctl, "GridAddPopuMenu", {0, 20001}, "item"));
}

}  // namespace
