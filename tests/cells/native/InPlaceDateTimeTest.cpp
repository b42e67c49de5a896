// The date/time cell's in-place editor in a headless grid window: it opens
// on the cell's value, refuses what no date holds, commits the formatted
// text with Enter, ends and moves with the navigation keys, lowers the day
// to the month's last, and lets go when the focus leaves it.
#include "cells/GridCellDateTime.h"
#include "cells/InPlaceDateTime.h"

#include "grid/native/input_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DateTimeEditorTest : public ::testing::Test {
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
    void Build(const char* control, const char* text)
    {
        host.CreateTopLevel(440, 340);
        grid = std::make_unique<CGridCtrl>();
        gridwindowtest::LayOut(*grid, 6, 5, 1, 1);
        grid->SetColumnWidth(1, 150);
        grid->Create(CRect(0, 0, 404, 304), &host, 77, WS_CHILD | WS_VISIBLE);
        grid->SetFocusCell(1, 1);
        ASSERT_TRUE(grid->SetCellControl(1, 1, control));
        cell = dynamic_cast<CGridCellDateTime*>(grid->GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
        cell->SetText(text);
        cell->SetReferenceTime(COleDateTime(2011, 2, 3, 4, 5, 6));
        grid->SetFocus();
        host.Clear();
    }
    CInPlaceDateTime* Editor() { return dynamic_cast<CInPlaceDateTime*>(cell->GetEditor()); }
    std::string Field(int i)
    {
        CString text;
        Editor()->GetField(i)->GetWindowText(text);
        return text.Str();
    }
    void Type(int field, const char* keys)
    {
        CInPlaceDateTime* editor = Editor();
        ASSERT_NE(nullptr, editor);
        editor->GetField(field)->SetFocus();
        for (const char* k = keys; *k != '\0'; ++k)
            editor->GetField(field)->SendMessage(WM_CHAR, static_cast<UINT>(*k), 1);
    }
    void Key(int field, UINT vk)
    {
        CInPlaceDateTime* editor = Editor();
        ASSERT_NE(nullptr, editor);
        editor->GetField(field)->SendMessage(WM_KEYDOWN, vk, 1);
        if (Editor() != nullptr)
            Editor()->GetField(field)->SendMessage(WM_KEYUP, vk, 1);
        PlatformPumpMessages();
    }

    gridinputtest::HostWindow host;
    std::unique_ptr<CGridCtrl> grid;
    CGridCellDateTime* cell = nullptr;
};

const char kLongDate[] = "<control controltype = \"datetime\" datetimestyle = \"0\" ></control>";

TEST_F(DateTimeEditorTest, OpensOnTheCellValueAndCommitsTheFormattedText)
{
    Build(kLongDate, "2024年3月5日");
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("2024", Field(0));
    EXPECT_EQ("03", Field(1));
    EXPECT_EQ("05", Field(2));
    Type(1, "13");
    EXPECT_EQ("01", Field(1)) << "month 13 is refused, and the field selected whole";
    Type(1, "12");
    EXPECT_EQ("12", Field(1));
    Key(1, VK_RETURN);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_FALSE(cell->IsEditing());
    EXPECT_STREQ("2024年12月05日", grid->GetCell(1, 1)->GetText());
}

TEST_F(DateTimeEditorTest, TheDayFollowsTheMonthBeforeEnterCommits)
{
    Build("<control controltype = \"datetime\" splitertype = \"1\" ></control>", "2023-1-31");
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    Type(1, "2");
    EXPECT_EQ("2", Field(1));
    Key(1, VK_RETURN);   // the month field still has the focus
    EXPECT_STREQ("2023-2-28", grid->GetCell(1, 1)->GetText());
}

TEST_F(DateTimeEditorTest, TimeCellsAndTheReferenceTime)
{
    Build("<control controltype = \"datetime\" dttype = \"1\" splitertype = \"1\" dataformat = \"1\" ></control>",
          "2024-03-05");
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("04", Field(0)) << "a date alone holds no time: the reference time";
    EXPECT_EQ("05", Field(1));
    Type(1, "7");
    EXPECT_EQ("07", Field(1));
    Key(1, VK_RETURN);
    EXPECT_STREQ("04:07:06", grid->GetCell(1, 1)->GetText());
    // Midnight opens as midnight.
    cell->SetText("00:00:00");
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ("00", Field(0));
    EXPECT_EQ("00", Field(1));
    grid->EndEditing();
}

TEST_F(DateTimeEditorTest, NavigationKeysEndTheEditAndMove)
{
    Build(kLongDate, "2024-03-05");
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    Key(0, VK_RIGHT);
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_EQ(CGridCellPos(1, 2), grid->GetFocusCell());
    EXPECT_STREQ("2024年03月05日", grid->GetCell(1, 1)->GetText());
}

TEST_F(DateTimeEditorTest, EscEndsAndTheFocusLeavingEnds)
{
    Build(kLongDate, "2024-03-05");
    grid->EditCell(1, 1);
    ASSERT_NE(nullptr, Editor());
    // Moving between the editor's own fields keeps it open.
    Editor()->GetField(2)->SetFocus();
    EXPECT_NE(nullptr, Editor());
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, "KivoTestInputHost", "other", WS_VISIBLE, CRect(500, 0, 600, 100), nullptr, 0));
    other.SetFocus();
    PlatformPumpMessages();
    EXPECT_EQ(nullptr, cell->GetEditor());
    EXPECT_FALSE(cell->IsEditing());
    other.DestroyWindow();
}

}  // namespace
