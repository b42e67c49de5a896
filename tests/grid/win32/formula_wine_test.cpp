// Formulas in a real grid window under Wine: a formula typed into a cell and
// committed with Enter shows its value, F2 opens the editor on the formula
// text, a change of what it reads typed into the sheet recalculates it, and
// a user function is computed by the parent window answering message 1061.
#include "cells/InPlaceEditHooks.h"
#include "cellcontent/formula/FormulaCellSource.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PlatformPumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// The control window: answers the user function TRIPLE(x) with 3x and
// records each call.
class FormulaHost : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CALCUSERFUNCTION) {
            auto* record = reinterpret_cast<GridUserFunctionRecord*>(wParam);
            calls.push_back(std::string(record->name) + "(" + record->params + ")");
            FormulaCallInfo info{record->name, record->params, record->result};
            SetFormulaCallResult(info, std::to_string(3 * std::atoi(record->params)).c_str());
            return 0;
        }
        if (message >= 1025 && message <= 1074)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class GridFormulaWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallInPlaceEditHooks();
        s_host = new FormulaHost;
        ASSERT_TRUE(s_host->CreateEx(0, "KivoFormulaWineHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(60, 60, 660, 500), nullptr, 0));
        s_host->ShowWindow(SW_SHOW);
        s_host->UpdateWindow();
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_host);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(12);
        grid.SetColumnCount(6);
        for (int r = 0; r < 12; ++r)
            grid.SetRowHeight(r, 22);
        for (int c = 0; c < 6; ++c)
            grid.SetColumnWidth(c, c == 0 ? 40 : 80);
        RECT client;
        ::GetClientRect(s_host->GetSafeHwnd(), &client);
        ASSERT_TRUE(grid.Create(client, s_host, 78, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        grid.SetFocus();
        PumpFor(50);
        s_host->calls.clear();
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(20);
    }

    std::string Text(int row, int col)
    {
        LPCTSTR text = grid.GetCell(row, col)->GetText();
        return text != nullptr ? text : "";
    }
    // Posts to whichever window has the keyboard focus, as the system does.
    void Type(const char* text)
    {
        for (const char* p = text; *p != '\0'; ++p) {
            ::PostMessageA(::GetFocus(), WM_CHAR, static_cast<unsigned char>(*p), 1);
            PumpFor(15);
        }
    }
    void PressKey(UINT vk)
    {
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, vk, 1);
        PumpFor(30);
    }

    static FormulaHost* s_host;
    CGridCtrl grid;
};

FormulaHost* GridFormulaWineTest::s_host = nullptr;

}  // namespace

TEST_F(GridFormulaWineTest, ATypedFormulaShowsItsValueAndF2ItsText)
{
    grid.SetCellText(2, 2, "21");
    grid.SetFocusCell(3, 3);
    ASSERT_EQ(::GetFocus(), grid.GetSafeHwnd());
    Type("=B2*2");
    ASSERT_TRUE(grid.IsCellEditing(3, 3));
    PressKey(VK_RETURN);
    EXPECT_FALSE(grid.IsCellEditing(3, 3));
    EXPECT_EQ(grid.GetCellType(3, 3), GCT_FORMULA);
    EXPECT_EQ(Text(3, 3), "42");
    EXPECT_EQ(grid.GetCellDisplayText(3, 3), "42");

    // F2 on the formula cell: the editor holds the formula, not the value.
    grid.SetFocusCell(3, 3);
    grid.SetFocus();
    PumpFor(20);
    PressKey(VK_F2);
    ASSERT_TRUE(grid.IsCellEditing(3, 3));
    char shown[64] = {};
    ::GetWindowTextA(::GetFocus(), shown, sizeof(shown));
    EXPECT_STREQ(shown, "=B2*2");
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(grid.IsCellEditing(3, 3));
    EXPECT_EQ(grid.GetCellFormula(3, 3), "=B2*2");

    // Typing a new value into B2 recalculates the formula.
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    PumpFor(20);
    Type("5");
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(2, 2), "5");
    EXPECT_EQ(Text(3, 3), "10");
}

TEST_F(GridFormulaWineTest, TheParentAnswersAUserFunction)
{
    ASSERT_TRUE(grid.AddUserFunction("TRIPLE", 1));
    grid.SetCellText(1, 1, "7");
    ASSERT_TRUE(grid.SetCellFormula(1, 2, "=TRIPLE(A1)+1"));
    EXPECT_EQ(Text(1, 2), "22");
    ASSERT_EQ(s_host->calls.size(), 1u);
    EXPECT_EQ(s_host->calls[0], "TRIPLE(7)");
    grid.SetCellText(1, 1, "10");
    EXPECT_EQ(Text(1, 2), "31");
    EXPECT_EQ(grid.CalcAll(), 1);
    EXPECT_EQ(s_host->calls.size(), 3u);
}
