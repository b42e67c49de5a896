// The combo cells' in-place editors in a headless grid window: the drop
// button opens the list below the cell, a click on an item puts it into the
// edit and reports the pick (1050), Enter commits; keys in the list,
// type-ahead, Esc; the multi-check list's checks and their order; what the
// cell answers afterwards; a closed editor is never touched again.
#include "cells/GridCellCheckCombo.h"
#include "cells/GridCellCombo.h"
#include "cells/InPlaceCombo.h"

#include "grid/native/input_test_util.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gridinputtest::InputGrid;

namespace {

struct Pick {
    int row;
    int col;
    int index;
    std::string text;
};

class RecordingHost : public gridinputtest::HostWindow {
public:
    std::vector<Pick> picks;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CELLCOMBOSELCHANGE) {
            const auto* rec = reinterpret_cast<const GridComboSelRecord*>(lParam);
            picks.push_back({rec->row, rec->col, rec->index, rec->text});
        }
        return gridinputtest::HostWindow::WindowProc(message, wParam, lParam);
    }
};

// Cell (1, 1) is the rectangle (40, 25, 89, 44); its button is x 72..89.
class ComboEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
    }
    void TearDown() override
    {
        grid.reset();
        host.DestroyWindow();
        Headless::Reset();
    }
    void Build(const char* control)
    {
        host.CreateTopLevel(440, 340);
        grid = std::make_unique<CGridCtrl>();
        gridwindowtest::LayOut(*grid, 6, 5, 1, 1);
        grid->Create(CRect(0, 0, 404, 304), &host, 77, WS_CHILD | WS_VISIBLE);
        grid->SetFocusCell(1, 1);
        ASSERT_TRUE(grid->SetCellControl(1, 1, control));
        cell = dynamic_cast<CGridCellCombo*>(grid->GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
        grid->SetFocus();
        host.Clear();
    }
    void Mouse(CWnd* wnd, UINT message, int x, int y, UINT flags = 0)
    {
        wnd->SendMessage(message, flags, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void ClickButton()
    {
        Mouse(grid.get(), WM_MOUSEMOVE, 85, 35);
        Mouse(grid.get(), WM_LBUTTONDOWN, 85, 35, MK_LBUTTON);
        Mouse(grid.get(), WM_LBUTTONUP, 85, 35);
        PlatformPumpMessages();
    }
    CInPlaceCombo* Editor() { return dynamic_cast<CInPlaceCombo*>(cell->GetEditor()); }
    void KeyToEditor(UINT vk)
    {
        CInPlaceCombo* editor = Editor();
        ASSERT_NE(nullptr, editor);
        editor->GetEdit()->SendMessage(WM_KEYDOWN, vk, 1);
        if (CInPlaceCombo* still = Editor())
            still->GetEdit()->SendMessage(WM_KEYUP, vk, 1);
        PlatformPumpMessages();
    }
    void CharToEditor(char ch)
    {
        CInPlaceCombo* editor = Editor();
        ASSERT_NE(nullptr, editor);
        editor->GetEdit()->SendMessage(WM_CHAR, static_cast<UINT>(static_cast<unsigned char>(ch)), 1);
    }
    // Clicks the list's row (0 the first shown).
    void ClickListRow(int row)
    {
        CDropDownList* list = Editor()->GetList();
        ASSERT_NE(nullptr, list);
        const int y = row * list->GetItemHeight() + list->GetItemHeight() / 2;
        Mouse(list, WM_MOUSEMOVE, 10, y);
        Mouse(list, WM_LBUTTONDOWN, 10, y, MK_LBUTTON);
        Mouse(list, WM_LBUTTONUP, 10, y);
        PlatformPumpMessages();
    }

    RecordingHost host;
    std::unique_ptr<CGridCtrl> grid;
    CGridCellCombo* cell = nullptr;
};

const char kList[] = "<control controltype = \"combobox\" style = \"1\" datasource = \"apple\nbanana\nbox\nbob\" ></control>";

TEST_F(ComboEditorTest, TheButtonDropsTheListBelowTheCellAndAClickPicks)
{
    Build(kList);
    ClickButton();
    CInPlaceCombo* editor = Editor();
    ASSERT_NE(nullptr, editor);
    ASSERT_TRUE(editor->IsListShown());
    CRect list;
    editor->GetList()->GetWindowRect(&list);
    grid->ScreenToClient(&list);
    // The editor covers the cell widened by 2 pixels; the list starts below it.
    EXPECT_EQ(40, list.left);
    EXPECT_EQ(46, list.top);
    EXPECT_EQ(91, list.right);
    EXPECT_EQ(4 * editor->GetList()->GetItemHeight() + 2, list.Height());

    ClickListRow(1);
    ASSERT_EQ(1u, host.picks.size());
    EXPECT_EQ(1, host.picks[0].row);
    EXPECT_EQ(1, host.picks[0].col);
    EXPECT_EQ(1, host.picks[0].index);
    EXPECT_EQ("banana", host.picks[0].text);
    ASSERT_NE(nullptr, Editor());
    EXPECT_FALSE(Editor()->IsListShown()) << "a single choice closes the list";
    EXPECT_EQ("banana", std::string(Editor()->GetEditText()));

    KeyToEditor(VK_RETURN);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_STREQ("banana", grid->GetCell(1, 1)->GetText());
    EXPECT_EQ("banana", std::string(cell->GetControlProperty("getcurrentitem")));
    EXPECT_EQ("1", std::string(cell->GetControlProperty("getcurrentindex")));
    EXPECT_EQ(1, host.Count(WM_GRID_CELLENDEDIT));
}

TEST_F(ComboEditorTest, KeysInADropDownList)
{
    Build(kList);
    grid->GetCell(1, 1)->SetText("banana");
    ClickButton();
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ(1, Editor()->GetListSelection()) << "the list opens on the cell's item";
    KeyToEditor(VK_DOWN);
    EXPECT_EQ(2, Editor()->GetListSelection());
    KeyToEditor(VK_UP);
    KeyToEditor(VK_UP);
    EXPECT_EQ(0, Editor()->GetListSelection());
    KeyToEditor(VK_UP);
    EXPECT_EQ(0, Editor()->GetListSelection()) << "the first item stays";

    // Type-ahead on the test clock: "bo" within a second, then a new prefix.
    Headless::AdvanceTime(5000);
    CharToEditor('b');
    EXPECT_EQ(1, Editor()->GetListSelection());
    Headless::AdvanceTime(500);
    CharToEditor('o');
    EXPECT_EQ(2, Editor()->GetListSelection());
    Headless::AdvanceTime(1000);
    CharToEditor('a');
    EXPECT_EQ(0, Editor()->GetListSelection());

    KeyToEditor(VK_DOWN);   // banana
    KeyToEditor(VK_RETURN);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_STREQ("banana", grid->GetCell(1, 1)->GetText());
    ASSERT_EQ(1u, host.picks.size());
    EXPECT_EQ(1, host.picks[0].index);
}

TEST_F(ComboEditorTest, EscRestoresTheStartingText)
{
    Build(kList);
    grid->GetCell(1, 1)->SetText("box");
    ClickButton();
    ClickListRow(0);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("apple", std::string(Editor()->GetEditText()));
    KeyToEditor(VK_ESCAPE);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_STREQ("box", grid->GetCell(1, 1)->GetText());
}

TEST_F(ComboEditorTest, UpAndDownWithTheListClosedLeaveTheCell)
{
    Build(kList);
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_FALSE(Editor()->IsListShown());
    KeyToEditor(VK_DOWN);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_EQ(CGridCellPos(2, 1), grid->GetFocusCell());
}

TEST_F(ComboEditorTest, ListHeightZeroShowsRows)
{
    Build("<control controltype = \"combobox\" datasource = \"a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\" ></control>");
    ClickButton();
    ASSERT_NE(nullptr, Editor());
    CRect list;
    Editor()->GetList()->GetWindowRect(&list);
    EXPECT_EQ(100 + 2, list.Height()) << "0 opens at the default of 100 pixels";
}

TEST_F(ComboEditorTest, MultiCheckKeepsTheCheckOrder)
{
    Build("<control controltype = \"combocheck\" style = \"1\" datasource = \"a\nb\nc\" ></control>");
    auto* checks = dynamic_cast<CGridCellCheckCombo*>(cell);
    ASSERT_NE(nullptr, checks);
    grid->GetCell(1, 1)->SetText("b,a");
    ClickButton();
    ASSERT_NE(nullptr, Editor());
    ASSERT_TRUE(Editor()->IsListShown());
    EXPECT_TRUE(Editor()->Model().IsSelected(0)) << "the list shows the checks the text names";
    EXPECT_TRUE(Editor()->Model().IsSelected(1));
    ClickListRow(0);   // a off
    EXPECT_TRUE(Editor()->IsListShown()) << "a multi-check list stays open";
    ClickListRow(2);   // c on
    ClickListRow(0);   // a on again
    EXPECT_EQ("b,c,a", std::string(Editor()->GetEditText()));
    // Space toggles the list's item.
    KeyToEditor(VK_DOWN);   // the list's selection moves from a to b
    KeyToEditor(VK_SPACE);  // b off
    EXPECT_EQ("c,a", std::string(Editor()->GetEditText()));
    EXPECT_TRUE(host.picks.empty()) << "no 1050 for the multi-check cell";
    KeyToEditor(VK_RETURN);  // hides the list
    if (Editor() != nullptr)
        KeyToEditor(VK_RETURN);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_STREQ("c,a", grid->GetCell(1, 1)->GetText());
    EXPECT_EQ("c,a", std::string(cell->GetControlProperty("getcurrentitem")));
    EXPECT_EQ("0,2", std::string(cell->GetControlProperty("getcurrentindex")));
    EXPECT_EQ("2", std::string(cell->GetControlProperty("getcheckcount")));
}

TEST_F(ComboEditorTest, SelectAllIsAppliedWhenTheEditorOpensThenCleared)
{
    Build("<control controltype = \"combocheck\" style = \"1\" datasource = \"a\nb\nc\" ></control>");
    auto* checks = dynamic_cast<CGridCellCheckCombo*>(cell);
    ASSERT_NE(nullptr, checks);
    EXPECT_TRUE(cell->SetControlProperty("selectall", ""));
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("a,b,c", std::string(Editor()->GetEditText()));
    EXPECT_EQ(-1, checks->GetPendingCommand());
    grid->EndEditing();
    EXPECT_STREQ("a,b,c", grid->GetCell(1, 1)->GetText());
    EXPECT_EQ("3", std::string(cell->GetControlProperty("getcheckcount")));
}

TEST_F(ComboEditorTest, AnEditorGoneIsNeverTouched)
{
    Build(kList);
    grid->EditCell(1, 1);
    CWnd* editor = cell->GetEditor();
    ASSERT_NE(nullptr, editor);
    EXPECT_TRUE(CInPlaceCombo::IsLive(editor));
    // The grid closes the editor's window directly.
    editor->DestroyWindow();
    PlatformPumpMessages();
    EXPECT_FALSE(CInPlaceCombo::IsLive(editor));
    EXPECT_EQ(nullptr, cell->GetEditor());
    // The cell's end asks no closed editor.
    cell->EndEdit();
    cell->OnEndEdit();
    // A cell deleted while its editor is open ends the editor first.
    grid->EditCell(1, 1);
    CWnd* second = cell->GetEditor();
    ASSERT_TRUE(CInPlaceCombo::IsLive(second));
    grid->SetCellType(1, 1, GCT_EDIT);
    PlatformPumpMessages();
    EXPECT_FALSE(CInPlaceCombo::IsLive(second));
}

TEST_F(ComboEditorTest, ACellDeletedWithItsEditorOpenClosesItWithoutAReport)
{
    Build(kList);
    grid->GetCell(1, 1)->SetText("box");
    auto* loose = new CGridCellCombo;
    loose->SetGrid(grid.get());
    loose->SetCoords(1, 1);
    loose->SetControl(kList);
    CRect rect;
    grid->GetCellRect(1, 1, &rect);
    ASSERT_TRUE(loose->Edit(1, 1, rect, CPoint(0, 0), 8, 'b'));
    CWnd* editor = loose->GetEditor();
    ASSERT_TRUE(CInPlaceCombo::IsLive(editor));
    delete loose;
    PlatformPumpMessages();
    EXPECT_FALSE(CInPlaceCombo::IsLive(editor));
    EXPECT_STREQ("box", grid->GetCell(1, 1)->GetText()) << "nothing was reported to the grid";
    EXPECT_EQ(0, host.Count(WM_GRID_CELLENDEDIT));
}

TEST_F(ComboEditorTest, TheFirstKey)
{
    struct Case {
        UINT key;
        const char* text;   // the edit's text once the key has arrived
    } cases[] = {
        {' ', "apple"},     // selects the text, types nothing
        {'x', "x"},         // replaces the selected text
        {VK_BACK, "appl"},  // acts at the end
        {1, "apple"},       // a mouse start
    };
    Build("<control controltype = \"combobox\" datasource = \"apple\nbanana\" ></control>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        grid->GetCell(1, 1)->SetText("apple");
        CRect rect;
        grid->GetCellRect(1, 1, &rect);
        ASSERT_TRUE(cell->Edit(1, 1, rect, CPoint(0, 0), 8, c.key));
        PlatformPumpMessages();
        ASSERT_NE(nullptr, Editor());
        EXPECT_EQ(c.text, std::string(Editor()->GetEditText()));
        cell->EndEdit();
        PlatformPumpMessages();
    }
}

TEST_F(ComboEditorTest, TheButtonReleaseReachesTheGridInItsCoordinates)
{
    Build(kList);
    grid->EditCell(1, 1);
    CInPlaceCombo* editor = Editor();
    ASSERT_NE(nullptr, editor);
    CRect rect;
    editor->GetWindowRect(&rect);
    grid->ScreenToClient(&rect);
    host.Clear();
    // A release on the host's button at (45, 10) of the host is (85, 35) of
    // the grid: the cell's own button, not a cell above and to the left.
    editor->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(45, 10));
    PlatformPumpMessages();
    EXPECT_EQ(CRect(40, 25, 91, 46), rect);
    EXPECT_EQ(CGridCellPos(1, 1), grid->GetFocusCell());
    EXPECT_EQ(nullptr, cell->GetEditWnd()) << "the combo cells answer no edit window";
}

TEST_F(ComboEditorTest, TheFillEnginesListReplacesTheItems)
{
    Build(kList);
    EXPECT_TRUE(cell->SetControlProperty("datasource", "x\ny"));
    ASSERT_EQ(2u, cell->GetItems().size());
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ(2, Editor()->Model().GetItemCount());
    EXPECT_EQ("y", std::string(Editor()->Model().GetItemText(1)));
    grid->EndEditing();
}

}  // namespace
