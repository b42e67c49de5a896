// Formulas in a grid window: the circular-reference refusal and its message
// box, user functions answered by the parent through message 1061, and the
// commit paths of an edit (typing a formula, F2 on a formula, a formula
// edited into a plain value, refused commits).
#include "input_test_util.h"

#include "cellcontent/formula/FormulaMessages.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridCellFormula.h"

#include "../formula_test_util.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using formulatest::At;
using formulatest::Formula;
using formulatest::SetFormula;
using formulatest::SetText;
using formulatest::Text;
using formulatest::Type;
using gridinputtest::InputGrid;

namespace {

class FormulaWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
    }
    void TearDown() override { Headless::Reset(); }
};

// A parent that answers user functions: TWICE(x) is 2x, and every call is
// recorded with its arguments.
class FunctionHost : public CWnd {
public:
    std::vector<std::string> calls;
    std::string answerOverride;   // when set, answered instead

    BOOL CreateTopLevel() { return CreateEx(0, "KivoTestFormulaHost", "host", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CALCUSERFUNCTION) {
            auto* record = reinterpret_cast<GridUserFunctionRecord*>(wParam);
            calls.push_back(std::string(record->name) + "(" + record->params + ")");
            std::string answer = answerOverride;
            if (answer.empty())
                answer = std::to_string(2 * std::atoi(record->params));
            SetFormulaCallResultText(record, answer);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    static void SetFormulaCallResultText(GridUserFunctionRecord* record, const std::string& text)
    {
        FormulaCallInfo info{record->name, record->params, record->result};
        SetFormulaCallResult(info, text.c_str());
    }
};

struct FunctionGrid {
    FunctionHost host;
    std::unique_ptr<CGridCtrl> grid;

    FunctionGrid()
    {
        host.CreateTopLevel();
        grid = gridtest::MakeSheet(10, 6, 1, 1);
        grid->Create(CRect(0, 0, 380, 280), &host, 5, WS_CHILD | WS_VISIBLE);
        grid->AddUserFunction("TWICE", 1);
    }
};

}  // namespace

TEST_F(FormulaWindow, ACircularFormulaIsRefusedAndTheCellPutBack)
{
    struct Case {
        const char* name;
        std::function<void(CGridCtrl&)> setUp;   // A1 holds "x" unless set up otherwise
        const char* cell;
        const char* formula;
        const char* named;      // the cell the message names
        int typeAfter;
        const char* textAfter;
        const char* formulaAfter;
    } cases[] = {
        {"a plain cell read back by the formula it reads",
         [](CGridCtrl& g) { ASSERT_TRUE(SetFormula(g, "A2", "=A1+1")); }, "A1", "=A2", "A2", GCT_EDIT, "x", ""},
        {"a formula cell keeps its formula",
         [](CGridCtrl& g) {
             ASSERT_TRUE(SetFormula(g, "A1", "=5"));
             ASSERT_TRUE(SetFormula(g, "A2", "=A1+1"));
         },
         "A1", "=A2*2", "A2", GCT_FORMULA, "5", "=5"},
        {"through a range",
         [](CGridCtrl& g) { ASSERT_TRUE(SetFormula(g, "B3", "=SUM(A1:A2)")); }, "A1", "=B3", "B3", GCT_EDIT, "x",
         ""},
        {"through a chain: the message names the cell the formula reads",
         [](CGridCtrl& g) {
             ASSERT_TRUE(SetFormula(g, "C1", "=A1"));
             ASSERT_TRUE(SetFormula(g, "C2", "=C1"));
             ASSERT_TRUE(SetFormula(g, "C3", "=C2"));
         },
         "A1", "=1+B2+C3", "C3", GCT_EDIT, "x", ""},
        {"a range of formulas, one of them closing the cycle",
         [](CGridCtrl& g) {
             ASSERT_TRUE(SetFormula(g, "D1", "=7"));
             ASSERT_TRUE(SetFormula(g, "D2", "=A1"));
         },
         "A1", "=SUM(D1:D3)", "D2", GCT_EDIT, "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        auto grid = gridtest::MakeSheet(8, 6, 1, 1);
        SetText(*grid, "A1", "x");
        c.setUp(*grid);
        CGridCellBase* before = grid->GetCell(At(c.cell).row, At(c.cell).col);
        const size_t boxes = Headless::MessageBoxes().size();

        EXPECT_FALSE(SetFormula(*grid, c.cell, c.formula));
        EXPECT_EQ(Type(*grid, c.cell), c.typeAfter);
        EXPECT_EQ(Text(*grid, c.cell), c.textAfter);
        EXPECT_EQ(Formula(*grid, c.cell), c.formulaAfter);
        if (c.typeAfter == GCT_EDIT)
            EXPECT_EQ(grid->GetCell(At(c.cell).row, At(c.cell).col), before);   // the very cell

        const std::string message = std::string("循环引用发生在引用") + c.named + "单元格!";
        EXPECT_EQ(grid->GetFormulaErrorText().Str(), message);
        ASSERT_EQ(Headless::MessageBoxes().size(), boxes + 1);
        const Headless::MessageBoxRecord& box = Headless::MessageBoxes().back();
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(box.caption, "公式错误");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONQUESTION));

        // A refused plain cell is not registered as a formula cell.
        if (c.typeAfter == GCT_EDIT) {
            for (const CGridCellPos& pos : grid->GetFormulaCells())
                EXPECT_NE(pos, At(c.cell));
        }
    }
}

TEST_F(FormulaWindow, UserFunctionsAreAnsweredByTheParent)
{
    FunctionGrid g;
    CGridCtrl& grid = *g.grid;
    SetText(grid, "A1", "4");
    ASSERT_TRUE(SetFormula(grid, "B1", "=TWICE(A1)+1"));
    EXPECT_EQ(Text(grid, "B1"), "9");
    ASSERT_EQ(g.host.calls.size(), 1u);
    EXPECT_EQ(g.host.calls[0], "TWICE(4)");

    // A diamond over user functions: every formula is evaluated once per change.
    ASSERT_TRUE(SetFormula(grid, "B2", "=TWICE(A1)"));
    ASSERT_TRUE(SetFormula(grid, "C1", "=TWICE(B1+B2)"));
    g.host.calls.clear();
    SetText(grid, "A1", "5");
    EXPECT_EQ(Text(grid, "C1"), "42");   // 2 * (11 + 10)
    EXPECT_EQ(g.host.calls.size(), 3u);
    EXPECT_EQ(g.host.calls.back(), "TWICE(21)");

    // The parent's answer is cut to the buffer, whole characters only.
    g.host.answerOverride = std::string(600, 'z');
    ASSERT_TRUE(SetFormula(grid, "D1", "=TWICE(1)"));
    EXPECT_EQ(Text(grid, "D1").size(), 511u);
    g.host.answerOverride.clear();

    // Without a window nobody answers: the value is empty.
    auto loose = gridtest::MakeSheet(4, 4, 1, 1);
    loose->AddUserFunction("TWICE", 1);
    ASSERT_TRUE(loose->SetCellFormula(1, 1, "=TWICE(3)&\"|\""));
    EXPECT_EQ(gridtest::Text(*loose, 1, 1), "|");
}

TEST_F(FormulaWindow, AParentThatChangesTheGridDuringAUserFunction)
{
    // The handler turns the evaluated cell into a plain cell and writes the
    // cell it reads: the recalculation notices and stops, nothing is freed
    // twice or read after it went.
    struct Meddler : public CWnd {
        CGridCtrl* pGrid = nullptr;
        int calls = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_GRID_CALCUSERFUNCTION) {
                ++calls;
                pGrid->SetCellType(1, 2, GCT_EDIT);
                pGrid->SetCellText(1, 1, "77");
                return 0;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } meddler;
    meddler.CreateEx(0, "KivoTestFormulaHost", "meddler", WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0);
    auto owned = gridtest::MakeSheet(6, 6, 1, 1);
    CGridCtrl& grid = *owned;
    meddler.pGrid = &grid;
    grid.Create(CRect(0, 0, 280, 180), &meddler, 5, WS_CHILD | WS_VISIBLE);
    grid.AddUserFunction("TWICE", 1);
    SetText(grid, "A1", "1");
    ASSERT_TRUE(SetFormula(grid, "C1", "=B1+1"));
    grid.SetFormulaCalcSuspended(TRUE);
    ASSERT_TRUE(SetFormula(grid, "B1", "=TWICE(A1)"));
    grid.SetFormulaCalcSuspended(FALSE);
    SetText(grid, "A1", "2");
    EXPECT_EQ(meddler.calls, 1);
    EXPECT_EQ(Type(grid, "B1"), GCT_EDIT);
    EXPECT_EQ(Text(grid, "A1"), "77");
    EXPECT_EQ(grid.CalcAll(), 1);
}

TEST_F(FormulaWindow, TypingAFormulaShowsItsValueAndF2ShowsTheFormula)
{
    InputGrid g;
    g.Build(10, 6);
    CGridCtrl& grid = g.Grid();
    SetText(grid, "B2", "21");
    grid.SetFocusCell(3, 3);
    g.Char('=');
    PlatformPumpMessages();
    CWnd* typing = grid.GetCell(3, 3)->GetEditWnd();
    ASSERT_NE(typing, nullptr);
    for (const char* p = "B2*2"; *p != '\0'; ++p)
        typing->SendMessage(WM_CHAR, static_cast<UINT>(static_cast<unsigned char>(*p)), 1);
    typing->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    PlatformPumpMessages();
    EXPECT_EQ(Type(grid, "C3"), GCT_FORMULA);
    EXPECT_EQ(Text(grid, "C3"), "42");
    // The commit reported the cell's new type.
    int formulaEnds = 0;
    for (const gridinputtest::Message& m : g.host.messages)
        formulaEnds += m.message == WM_GRID_CELLENDEDIT && m.lParam == GCT_FORMULA ? 1 : 0;
    EXPECT_EQ(formulaEnds, 1);

    grid.SetFocusCell(3, 3);
    g.Key(VK_F2);
    CWnd* editor = grid.GetCell(3, 3)->GetEditWnd();
    ASSERT_NE(editor, nullptr);
    CString shown;
    editor->GetWindowText(shown);
    EXPECT_EQ(shown, "=B2*2");
    // The editor leaves room for the formula.
    CRect cellRect;
    grid.GetCellRect(3, 3, &cellRect);
    CRect editRect;
    editor->GetWindowRect(&editRect);
    EXPECT_GE(editRect.Width(), cellRect.Width() + 90);
    editor->SendMessage(WM_CHAR, VK_ESCAPE, 1);
    PlatformPumpMessages();
    EXPECT_EQ(Formula(grid, "C3"), "=B2*2");

    // Typing into a cell the formula reads recalculates it.
    grid.SetFocusCell(2, 2);
    g.Char('5');
    PlatformPumpMessages();
    CWnd* value = grid.GetCell(2, 2)->GetEditWnd();
    ASSERT_NE(value, nullptr);
    value->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    PlatformPumpMessages();
    EXPECT_EQ(Text(grid, "C3"), "10");
}

TEST_F(FormulaWindow, CommitPaths)
{
    struct Case {
        const char* name;
        const char* start;      // the cell's formula, or its text when it does not start with "="
        const char* typed;
        LRESULT endAnswer;      // the owner's answer to the end-edit notification
        int type;
        const char* shown;
        const char* formula;
        const char* reader;     // D1 reads the cell: =C3&"!"
    } cases[] = {
        {"a text becomes a formula", "old", "=1+1", 0, GCT_FORMULA, "2", "=1+1", "2!"},
        {"a formula edited to a number becomes a plain cell", "=2*3", "5", 0, GCT_EDIT, "5", "", "5!"},
        {"a formula emptied becomes a plain cell", "=2*3", "", 0, GCT_EDIT, "", "", "!"},
        {"a formula edited to another", "=2*3", "=2*4", 0, GCT_FORMULA, "8", "=2*4", "8!"},
        {"a refused formula commit leaves no formula", "old", "=1+1", -1, GCT_EDIT, "old", "", "old!"},
        {"a refused commit keeps the formula", "=2*3", "5", -1, GCT_FORMULA, "6", "=2*3", "6!"},
        {"a circular formula leaves the cell as it was", "old", "=D1", 0, GCT_EDIT, "old", "", "old!"},
        {"a circular formula keeps the old formula", "=2*3", "=D1", 0, GCT_FORMULA, "6", "=2*3", "6!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Headless::Reset();
        InputGrid g;
        g.Build(10, 6);
        CGridCtrl& grid = g.Grid();
        if (c.start[0] == '=')
            ASSERT_TRUE(SetFormula(grid, "C3", c.start));
        else
            SetText(grid, "C3", c.start);
        ASSERT_TRUE(SetFormula(grid, "D1", "=C3&\"!\""));
        g.host.notifyAnswers[GVN_ENDLABELEDIT] = c.endAnswer;
        grid.OnEndEditCell(3, 3, c.typed, "", 0, 0);
        PlatformPumpMessages();
        EXPECT_EQ(Type(grid, "C3"), c.type);
        EXPECT_EQ(Text(grid, "C3"), c.shown);
        EXPECT_EQ(Formula(grid, "C3"), c.formula);
        EXPECT_EQ(Text(grid, "D1"), c.reader);
    }
}
