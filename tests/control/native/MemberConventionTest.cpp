// The shape every dispatch member shares, as the generator builds it from the
// member table: the checks before the operation, the redraw marks after it and
// the "J" members' pick of one value of their base member. The operations here
// are stubs over a real grid with real (recorded) windows, so what a test sees
// is the generated member around them.
#include "control/DispInvoke.h"
#include "control/GridCtrlPort.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoSheetDispatch.gen.h"
#include "grid/GridCtrl.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The grid object, counting the refreshes and scroll-bar updates asked of it.
class CountingPort : public CGridCtrlPort {
public:
    void Refresh() override
    {
        ++refreshes;
        CGridCtrlPort::Refresh();
    }
    void UpdateScrollBars() override
    {
        ++barUpdates;
        CGridCtrlPort::UpdateScrollBars();
    }
    int refreshes = 0;
    int barUpdates = 0;
};

// Operations that record their name, answer `answer` and write fixed values
// into their by-reference arguments.
class StubTarget : public CKivoSheetDispatch {
public:
    CountingPort port;
    CWnd window;
    std::vector<std::string> ran;
    LONG answer = 1;

protected:
    CGridPort* DispatchGrid() override { return &port; }
    CWnd* DispatchWindow() override { return window.GetSafeHwnd() != nullptr ? &window : nullptr; }

    LONG Ran(const char* name)
    {
        ran.push_back(name);
        return answer;
    }

    // checks
    BOOL DoRowSelect(LONG) override { return Ran("RowSelect"); }
    BOOL DoGridSelectCol(LONG) override { return Ran("GridSelectCol"); }
    BOOL DoCellSetFocus(LONG, LONG) override { return Ran("CellSetFocus"); }
    LONG DoGridClearRangeDatas(LONG, LONG, LONG, LONG) override { return Ran("GridClearRangeDatas"); }
    LONG DoCellGetSelBackColor(LONG, LONG) override { return Ran("CellGetSelBackColor"); }
    BOOL DoCellIsDisplayTip(LONG, LONG) override { return Ran("CellIsDisplayTip"); }
    CKivoObjectPtr DoGridGetRangeObject(LONG, LONG, LONG, LONG) override
    {
        Ran("GridGetRangeObject");
        struct Object : CKivoObject {
            int GetKivoClass() const override { return 0; }
        };
        return std::make_unique<Object>();
    }
    BOOL DoCellGetRect(LONG, LONG, LONG& l, LONG& t, LONG& r, LONG& b) override
    {
        l = 5, t = 6, r = 7, b = 8;
        return Ran("CellGetRect");
    }
    // redraw marks
    BOOL DoCellSetValue(LONG, LONG, const CString&) override { return Ran("CellSetValue"); }
    BOOL DoRowSetTop(LONG) override { return Ran("RowSetTop"); }
    void DoGridSetRowOddBkColor(LONG) override { Ran("GridSetRowOddBkColor"); }
    int DoGridSetFreezeTopRows(LONG) override { return Ran("GridSetFreezeTopRows"); }
    void DoGridSetDisplayMode(LONG) override { Ran("GridSetDisplayMode"); }
    void DoGridRefresh() override { Ran("GridRefresh"); }
    CString DoCellGetValue(LONG, LONG) override
    {
        Ran("CellGetValue");
        return "v";
    }
    void DoSetGridDefSelBorderColor(LONG) override { Ran("SetGridDefSelBorderColor"); }
    void DoSetGridDefCellTextColor(LONG) override { Ran("SetGridDefCellTextColor"); }
    // bases of "J" members
    BOOL DoCellGetBorder(LONG, LONG, LONG, LONG& style, LONG& colour, LONG& width) override
    {
        style = 11, colour = 22, width = 33;
        return Ran("CellGetBorder");
    }
    BOOL DoGridGetVisibleRange(LONG& top, LONG& left, LONG& bottom, LONG& right) override
    {
        top = 1, left = 2, bottom = 3, right = 4;
        return Ran("GridGetVisibleRange");
    }
    BOOL DoCellGetInputLimit(LONG, LONG, double& lo, double& hi) override
    {
        lo = 1.5, hi = 2.5;
        return Ran("CellGetInputLimit");
    }
    BOOL DoSECharGetBgColor(LONG& colour) override
    {
        if (answer == 2)
            colour = 0x123;   // written, although the operation answers "failed"
        Ran("SECharGetBgColor");
        return FALSE;
    }
    LONG DoSEParaGetContent(CString& text) override
    {
        text = "para";
        return Ran("SEParaGetContent");
    }
};

CDispArg Long(LONG v)
{
    CDispArg a;
    a.type = DispType::Long;
    a.l = v;
    return a;
}

// Calls a member through the dispatch table; by-reference and missing
// arguments are made to the member's shape.
CDispResult Call(CKivoSheetDispatch& t, LONG dispid, std::vector<CDispArg> args,
                 DispCall kind = DispCall::Method)
{
    const CMemberInfo* m = FindKivoSheetMember(dispid);
    CDispResult r;
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << dispid;
        return r;
    }
    if (kind != DispCall::PropertyPut) {
        args.resize(static_cast<size_t>(m->argc));
        for (int i = 0; i < m->argc; ++i) {
            args[static_cast<size_t>(i)].type = m->args[i];
            if (m->args[i] == DispType::Short)
                args[static_cast<size_t>(i)].s = static_cast<SHORT>(args[static_cast<size_t>(i)].l);
        }
    }
    if (args.empty())
        args.resize(1);
    EXPECT_TRUE(InvokeKivoSheetMember(t, *m, kind, args.data(), r)) << m->name;
    return r;
}

double Value(const CDispResult& r)
{
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        return r.s;
    case DispType::Long:
        return r.l;
    case DispType::Double:
        return r.d;
    case DispType::Object:
        return r.obj ? 1 : 0;
    default:
        return 0;
    }
}

const char kParentClass[] = "KivoConventionTestWindow";

// A sheet of 10 rows and 6 columns with one fixed row and one fixed column.
class MemberConventions : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        CGridCtrl& grid = *t.port.GetGridCtrl();
        grid.SetRowCount(10);
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
    }
    void TearDown() override
    {
        if (CWnd* gridWindow = t.port.GetGridWindow())
            gridWindow->DestroyWindow();
        if (t.window.GetSafeHwnd() != nullptr)
            t.window.DestroyWindow();
    }
    void CreateWindows()
    {
        ASSERT_TRUE(t.window.CreateEx(0, kParentClass, "control", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                      CRect(0, 0, 400, 300), nullptr, 0));
        ASSERT_TRUE(t.port.CreateGridWindow(&t.window, CRect(0, 0, 400, 300), 1));
        ForgetRedraws();
    }
    void ForgetRedraws()
    {
        Headless::ClearInvalidations(t.window.GetSafeHwnd());
        Headless::ClearInvalidations(t.port.GetGridWindow()->GetSafeHwnd());
        t.port.refreshes = 0;
        t.port.barUpdates = 0;
        t.ran.clear();
    }
    // Whether the window was invalidated as a whole with erasing.
    static bool Erased(CWnd* window)
    {
        for (const Headless::InvalidateRecord& r : Headless::Invalidations(window->GetSafeHwnd()))
            if (r.erase)
                return true;
        return false;
    }

    StubTarget t;
};

TEST_F(MemberConventions, FailedChecksAnswerTheFailureValueWithoutTheOperation)
{
    CreateWindows();
    struct Case {
        LONG dispid;
        std::vector<LONG> args;
        bool runs;
        double result;   // the operation answers 1 (bool -1) or an object
    };
    const std::vector<Case> cases = {
        // scroll row: fixed rows <= row < rows
        {64, {0}, false, 0}, {64, {1}, true, -1}, {64, {9}, true, -1}, {64, {10}, false, 0}, {64, {-1}, false, 0},
        // scroll col
        {111, {0}, false, 0}, {111, {1}, true, -1}, {111, {5}, true, -1}, {111, {6}, false, 0},
        // scroll row and scroll col together
        {73, {1, 1}, true, -1}, {73, {0, 1}, false, 0}, {73, {1, 0}, false, 0}, {73, {9, 6}, false, 0},
        // cell: fixed cells count, the sheet's end does not
        {80, {0, 0}, true, -1}, {80, {9, 5}, true, -1}, {80, {10, 0}, false, 0}, {80, {0, -1}, false, 0},
        // range: inside the sheet and ordered; a failed long member answers 0
        {419, {0, 0, 9, 5}, true, 1}, {419, {2, 2, 1, 3}, false, 0}, {419, {0, 0, 10, 5}, false, 0},
        {419, {-1, 0, 1, 1}, false, 0},
        // an object member fails with no object
        {453, {1, 1, 2, 2}, true, 1}, {453, {3, 3, 2, 2}, false, 0},
        // non-virtual (the grid is not in virtual mode here)
        {40, {1, 1}, true, 1}, {27, {1, 1}, true, -1},
    };
    for (const Case& c : cases) {
        std::vector<CDispArg> args;
        for (LONG v : c.args)
            args.push_back(Long(v));
        t.ran.clear();
        const CDispResult r = Call(t, c.dispid, args);
        const std::string name = FindKivoSheetMember(c.dispid)->name;
        std::string where = name + "(";
        for (LONG v : c.args)
            where += std::to_string(v) + ",";
        where += ")";
        EXPECT_EQ(!t.ran.empty(), c.runs) << where;
        EXPECT_EQ(Value(r), c.result) << where;
    }
    // A failed check redraws nothing either.
    ForgetRedraws();
    Call(t, 66, {Long(0)});   // RowSetTop on the fixed row
    EXPECT_TRUE(t.ran.empty());
    EXPECT_TRUE(Headless::Invalidations(t.port.GetGridWindow()->GetSafeHwnd()).empty());
}

TEST_F(MemberConventions, VirtualModeFailsTheNonVirtualCheck)
{
    t.port.GetGridCtrl()->SetVirtualMode(TRUE);
    EXPECT_EQ(Call(t, 40, {Long(1), Long(1)}).l, -1);   // CellGetSelBackColor
    EXPECT_EQ(Call(t, 42, {Long(1), Long(1)}).l, -1);   // CellGetInputType
    EXPECT_EQ(Call(t, 27, {Long(1), Long(1)}).s, 0);    // CellIsDisplayTip
    EXPECT_EQ(Call(t, 35, {Long(1), Long(1)}).s, 0);    // CellIsDisplayEllipsis
    EXPECT_TRUE(t.ran.empty());
}

TEST_F(MemberConventions, RedrawMarksRunAfterTheOperation)
{
    CreateWindows();
    CWnd* gridWindow = t.port.GetGridWindow();
    struct Case {
        LONG dispid;
        std::vector<LONG> args;
        DispCall kind;
        int refreshes;     // all: the grid refreshes itself
        bool gridErased;   // all (through the refresh) and grid
        bool ctlErased;    // all and ctl
        int barUpdates;    // bars
    };
    const std::vector<Case> cases = {
        {5, {1, 1, 0}, DispCall::Method, 1, true, true, 0},           // CellSetValue: all
        {113, {}, DispCall::Method, 1, true, true, 0},                // GridRefresh: all
        {66, {2}, DispCall::Method, 0, true, false, 0},               // RowSetTop: grid
        {164, {0xFF}, DispCall::Method, 0, true, false, 0},           // GridSetRowOddBkColor: grid
        {434, {1}, DispCall::Method, 0, false, false, 1},             // GridSetFreezeTopRows: bars
        {340, {1}, DispCall::Method, 0, true, false, 1},              // GridSetDisplayMode: grid, bars
        {4, {0x10}, DispCall::PropertyPut, 0, false, true, 0},        // GridDefSelBorderColor: ctl
        {1, {0x10}, DispCall::PropertyPut, 0, false, false, 0},       // GridDefCellTextColor: none
        {7, {1, 1}, DispCall::Method, 0, false, false, 0},            // CellGetValue: none
    };
    for (const Case& c : cases) {
        std::vector<CDispArg> args;
        for (LONG v : c.args)
            args.push_back(Long(v));
        ForgetRedraws();
        Call(t, c.dispid, args, c.kind);
        const char* name = FindKivoSheetMember(c.dispid)->name;
        EXPECT_EQ(t.ran.size(), 1u) << name;
        EXPECT_EQ(t.port.refreshes, c.refreshes) << name;
        EXPECT_EQ(Erased(gridWindow), c.gridErased) << name;
        EXPECT_EQ(Erased(&t.window), c.ctlErased) << name;
        EXPECT_EQ(t.port.barUpdates, c.barUpdates) << name;
    }
}

TEST_F(MemberConventions, RedrawMarksSkipWindowsThatDoNotExist)
{
    // Members that change data work before the windows exist.
    for (LONG id : {5L, 113L, 66L, 164L, 340L}) {
        Call(t, id, {Long(1), Long(1), Long(0)});
        EXPECT_EQ(t.port.refreshes, 0) << id;
    }
    EXPECT_EQ(t.ran.size(), 5u);
    // Bars are recomputed by the grid, which does nothing without its window.
    EXPECT_EQ(t.port.barUpdates, 1);
}

TEST_F(MemberConventions, JMembersPickOneValueOfTheirBase)
{
    struct Case {
        LONG dispid;
        std::vector<LONG> args;   // the selector last
        LONG answer;              // what the base operation answers
        double result;
    };
    const std::vector<Case> cases = {
        // CellGetBorderJ: 0 colour, 1 width, 2 line style (not the base's order)
        {337, {1, 1, 1, 0}, 1, 22}, {337, {1, 1, 1, 1}, 1, 33}, {337, {1, 1, 1, 2}, 1, 11},
        {337, {1, 1, 1, 3}, 1, -1}, {337, {1, 1, 1, -1}, 1, -1}, {337, {1, 1, 1, 0}, 0, -1},
        // GridGetVisibleRangeJ: the four values in the base's order
        {319, {0}, 1, 1}, {319, {1}, 1, 2}, {319, {2}, 1, 3}, {319, {3}, 1, 4}, {319, {4}, 1, -1},
        {319, {0}, 0, -1},
        // CellGetInputLimitJ answers a double: 0 for a bad selector or a failed base
        {318, {1, 1, 0}, 1, 1.5}, {318, {1, 1, 1}, 1, 2.5}, {318, {1, 1, 2}, 1, 0}, {318, {1, 1, 0}, 0, 0},
        // CellGetRectJ goes through its base's own cell check
        {322, {1, 1, 2}, 1, 7}, {322, {10, 1, 2}, 1, -1}, {322, {1, 1, 4}, 1, -1},
        // SECharGetBgColorJ has no selector: the value as the base left it,
        // preset to -1, whatever the base answers
        {329, {}, 1, -1}, {329, {}, 2, 0x123},
    };
    for (const Case& c : cases) {
        std::vector<CDispArg> args;
        for (LONG v : c.args)
            args.push_back(Long(v));
        t.answer = c.answer;
        const CDispResult r = Call(t, c.dispid, args);
        std::string where = std::string(FindKivoSheetMember(c.dispid)->name) + " selector " +
                            (c.args.empty() ? std::string("-") : std::to_string(c.args.back())) + " base " +
                            std::to_string(c.answer);
        EXPECT_EQ(Value(r), c.result) << where;
    }
    const CDispResult text = Call(t, 334, {});   // SEParaGetContentJ
    EXPECT_EQ(text.type, DispType::String);
    EXPECT_STREQ(text.str.GetString(), "para");
}

// The control's colour properties run through the same members.
TEST(ControlMemberConventions, SelectionFrameColourInvalidatesTheControlWindow)
{
    Headless::Reset();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kParentClass, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                CRect(0, 0, 640, 480), nullptr, 0));
    CKivoSheetCtrl ctl;
    // Before the window exists the properties only change the record.
    ctl.SetGridDefSelBorderColor(0x010203);
    EXPECT_EQ(ctl.GetGridDefSelBorderColor(), 0x010203);
    ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 300, 200)));
    PlatformPumpMessages();
    for (LONG id = 1; id <= 4; ++id) {
        Headless::ClearInvalidations(ctl.GetSafeHwnd());
        Call(ctl, id, {Long(0x00445566)}, DispCall::PropertyPut);
        bool erased = false;
        for (const Headless::InvalidateRecord& r : Headless::Invalidations(ctl.GetSafeHwnd()))
            erased = erased || r.erase;
        // Only the selection frame colour marks the control window; the other
        // three hand the record to the grid, which redraws itself.
        EXPECT_EQ(erased, id == 4) << id;
        EXPECT_EQ(Call(ctl, id, {}, DispCall::PropertyGet).l, 0x00445566) << id;
    }
    ctl.DestroyWindow();
    parent.DestroyWindow();
}

}  // namespace
