// The drop-down cells as real windows under Wine, driven by real input
// (SendInput through the system's queue): a click on a combo cell's button
// drops the list below the cell, a click on an item puts it into the edit and
// reports it (1050) to the control window, Enter commits; a multi-check list
// ticked by click and Space, its boxes drawn from the skin; a date cell's
// fields typed, month 13 refused, Enter commits; after the focus leaves an
// editor, keys reach the other window.
#include "cells/GridCellCheckCombo.h"
#include "cells/GridCellCombo.h"
#include "cells/GridCellDateTime.h"
#include "cells/InPlaceCombo.h"
#include "cells/InPlaceDateTime.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridMessages.h"
#include "grid/win32/GridWineTestUtil.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using gridwine::PumpFor;
using gridwine::PumpUntil;

namespace {

struct PickRecord {
    int row;
    int col;
    int index;
    std::string text;
};

// The control window: records the picks (1050) and the end of edits (1036).
class RecordingHost : public CWnd {
public:
    std::vector<PickRecord> picks;
    std::vector<UINT> messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GRID_CELLCOMBOSELCHANGE) {
            const auto* rec = reinterpret_cast<const GridComboSelRecord*>(lParam);
            picks.push_back({rec->row, rec->col, rec->index, rec->text});
            messages.push_back(message);
            return 0;
        }
        if (message >= 1025 && message <= 1074) {
            messages.push_back(message);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A plain window that counts the keys it receives.
class KeyWindow : public CWnd {
public:
    int keys = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            ++keys;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void PointerTo(POINT screen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
    PumpFor(30);
}

void ClickAt(CWnd* wnd, CPoint client)
{
    POINT screen = {client.x, client.y};
    ::ClientToScreen(wnd->GetSafeHwnd(), &screen);
    PointerTo(screen);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    PumpFor(60);
    SendInput(1, &input[1], sizeof(INPUT));
    PumpFor(60);
}

void PressKey(WORD vk)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpFor(60);
}

void TypeText(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        PressKey(static_cast<WORD>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
}

class DropDownWineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallInPlaceEditHooks();
        s_host = new RecordingHost;
        ASSERT_TRUE(gridwine::ShowTopLevel(s_host, "KivoDropDownWineHost", "host", WS_POPUP | WS_VISIBLE,
                                           CRect(40, 40, 640, 440)));
    }
    static void TearDownTestSuite()
    {
        delete s_host;
        s_host = nullptr;
    }
    void SetUp() override
    {
        s_host->picks.clear();
        s_host->messages.clear();
        gridwine::LayOut(grid, 8, 5, 22, 40, 120);
        ASSERT_TRUE(gridwine::CreateFilling(grid, s_host, GRID_TEST_ID));
        ::SetForegroundWindow(s_host->GetSafeHwnd());
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        PumpFor(30);
    }
    // The screen point of a client point of the grid.
    CPoint ButtonOf(int row, int col)
    {
        CRect rect;
        grid.GetCellRect(row, col, &rect);
        return CPoint(rect.right - 8, (rect.top + rect.bottom) / 2);
    }

    static const UINT GRID_TEST_ID = 7;
    static RecordingHost* s_host;
    CGridCtrl grid;
};

RecordingHost* DropDownWineTest::s_host = nullptr;

const char kList[] = "<control controltype = \"combobox\" style = \"1\" datasource = \"apple\nbanana\nbox\nbob\" ></control>";

int IndexOf(const std::vector<UINT>& messages, UINT message)
{
    for (size_t i = 0; i < messages.size(); ++i) {
        if (messages[i] == message)
            return static_cast<int>(i);
    }
    return -1;
}

TEST_F(DropDownWineTest, AClickOnTheButtonDropsTheListAndAClickOnAnItemPicksIt)
{
    ASSERT_TRUE(grid.SetCellControl(1, 1, kList));
    auto* cell = dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    grid.SetFocusCell(1, 1);
    ClickAt(&grid, ButtonOf(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    auto* editor = dynamic_cast<CInPlaceCombo*>(cell->GetEditor());
    ASSERT_NE(nullptr, editor);
    ASSERT_TRUE(editor->IsListShown());
    CRect cellRect;
    grid.GetCellRect(1, 1, &cellRect);
    CRect list;
    editor->GetList()->GetWindowRect(&list);
    grid.ScreenToClient(&list);
    EXPECT_EQ(cellRect.left, list.left);
    EXPECT_EQ(cellRect.bottom + 2, list.top) << "right below the editor";
    const int h = editor->GetList()->GetItemHeight();
    ClickAt(editor->GetList(), CPoint(20, h + h / 2));
    ASSERT_EQ(1u, s_host->picks.size());
    EXPECT_EQ(1, s_host->picks[0].row);
    EXPECT_EQ(1, s_host->picks[0].col);
    EXPECT_EQ(1, s_host->picks[0].index);
    EXPECT_EQ("banana", s_host->picks[0].text);
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() == nullptr; }));
    PumpFor(50);
    EXPECT_STREQ("banana", grid.GetCell(1, 1)->GetText());
    const int pick = IndexOf(s_host->messages, WM_GRID_CELLCOMBOSELCHANGE);
    const int end = IndexOf(s_host->messages, WM_GRID_CELLENDEDIT);
    EXPECT_GE(pick, 0);
    EXPECT_GT(end, pick) << "the pick, then the end of the edit";
}

TEST_F(DropDownWineTest, TypeAheadUpDownEnterAndEsc)
{
    ASSERT_TRUE(grid.SetCellControl(1, 1, kList));
    auto* cell = dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    grid.GetCell(1, 1)->SetText("apple");
    grid.SetFocusCell(1, 1);
    ClickAt(&grid, ButtonOf(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    auto* editor = dynamic_cast<CInPlaceCombo*>(cell->GetEditor());
    ASSERT_NE(nullptr, editor);
    TypeText("bo");
    EXPECT_EQ(2, editor->GetListSelection()) << "b then o within a second: box";
    PressKey(VK_DOWN);
    EXPECT_EQ(3, editor->GetListSelection());
    PressKey(VK_UP);
    PressKey(VK_UP);
    EXPECT_EQ(1, editor->GetListSelection());
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() == nullptr; }));
    EXPECT_STREQ("banana", grid.GetCell(1, 1)->GetText());

    // Esc puts the starting text back.
    grid.SetFocusCell(1, 1);
    ClickAt(&grid, ButtonOf(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() == nullptr; }));
    EXPECT_STREQ("banana", grid.GetCell(1, 1)->GetText());
}

TEST_F(DropDownWineTest, AMultiCheckListTickedByClickAndSpace)
{
    ASSERT_TRUE(grid.SetCellControl(1, 1, "<control controltype = \"combocheck\" style = \"1\" datasource = \"a\nb\nc\" ></control>"));
    auto* cell = dynamic_cast<CGridCellCheckCombo*>(grid.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    grid.SetFocusCell(1, 1);
    ClickAt(&grid, ButtonOf(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    auto* editor = dynamic_cast<CInPlaceCombo*>(cell->GetEditor());
    ASSERT_NE(nullptr, editor);
    CDropDownList* list = editor->GetList();
    ASSERT_NE(nullptr, list);
    const int h = list->GetItemHeight();
    ClickAt(list, CPoint(30, 2 * h + h / 2));   // c
    ClickAt(list, CPoint(30, h / 2));           // a
    EXPECT_TRUE(editor->IsListShown()) << "the list stays open";
    PressKey(VK_DOWN);                          // the list's item moves to b
    PressKey(VK_SPACE);                         // b ticked
    EXPECT_EQ("c,a,b", std::string(editor->GetEditText()));
    // The boxes come from the COMBOCHECKBOX skin: a ticked box differs from
    // an empty one, and an empty box matches the skin's empty frame.
    editor->Model().Select(1, FALSE);
    list->Invalidate(FALSE);
    list->UpdateWindow();
    PumpFor(50);
    CClientDC dc(list);
    const COLORREF tickedCentre = dc.GetPixel(7, 2 * h + 7);
    const COLORREF emptyCentre = dc.GetPixel(7, h + 7);
    EXPECT_NE(tickedCentre, emptyCentre);
    editor->Model().Select(1, TRUE);
    PressKey(VK_RETURN);   // closes the list
    PressKey(VK_RETURN);   // commits
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() == nullptr; }));
    EXPECT_STREQ("c,a,b", grid.GetCell(1, 1)->GetText());
    EXPECT_EQ("c,a,b", std::string(cell->GetControlProperty("getcurrentitem")));
    EXPECT_EQ("0,1,2", std::string(cell->GetControlProperty("getcurrentindex")));
    EXPECT_EQ("3", std::string(cell->GetControlProperty("getcheckcount")));
    EXPECT_TRUE(s_host->picks.empty());
}

// The ink (pixels darker than the background) in a rectangle of a DC: how
// many pixels and the columns from the first to the last that hold any.
struct Ink {
    int pixels = 0;
    int first = -1;
    int last = -1;
};

Ink InkOf(CDC& dc, const CRect& r)
{
    Ink ink;
    for (int x = r.left; x < r.right; ++x) {
        for (int y = r.top; y < r.bottom; ++y) {
            const COLORREF c = dc.GetPixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) >= 3 * 128)
                continue;
            ++ink.pixels;
            if (ink.first < 0)
                ink.first = x;
            ink.last = x;
        }
    }
    return ink;
}

// What a text looks like when nothing of it is cut: drawn alone in the font
// into a bitmap wide enough.
Ink ReferenceInk(CFont* pFont, const CString& text)
{
    CClientDC screen(nullptr);
    CDC dc;
    CBitmap bitmap;
    EXPECT_TRUE(dc.CreateCompatibleDC(&screen));
    EXPECT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 200, 40));
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    CFont* oldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    CRect all(0, 0, 200, 40);
    dc.FillSolidRect(&all, RGB(255, 255, 255));
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(10, 5, text);
    const Ink ink = InkOf(dc, all);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
    dc.SelectObject(oldBitmap);
    return ink;
}

// The open editor's fields read on the screen show every digit they hold:
// as many glyphs, as wide, as the same digits drawn alone in the font.
TEST_F(DropDownWineTest, TheDateAndTimeFieldsShowEveryDigit)
{
    const struct {
        const char* control;
        const char* value;
        const char* fields[3];
    } kCases[] = {
        {"<control controltype = \"datetime\" datetimestyle = \"0\" ></control>", "2024-03-05",
         {"2024", "03", "05"}},
        {"<control controltype = \"datetime\" dttype = \"1\" ></control>", "13:45:10", {"13", "45", "10"}},
    };
    grid.SetColumnWidth(1, 240);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(grid.SetCellControl(1, 1, c.control));
        auto* cell = dynamic_cast<CGridCellDateTime*>(grid.GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
        cell->SetText(c.value);
        grid.SetFocusCell(1, 1);
        grid.EditCell(1, 1);
        ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
        auto* editor = dynamic_cast<CInPlaceDateTime*>(cell->GetEditor());
        ASSERT_NE(nullptr, editor);
        editor->ShowCalendar(FALSE);
        editor->UpdateWindow();
        PumpFor(80);
        for (int i = 0; i < 3; ++i) {
            CDateTimeMaskEdit* field = editor->GetField(i);
            CString text;
            field->GetWindowText(text);
            ASSERT_EQ(std::string(c.fields[i]), text.Str()) << i;
            // Nothing selected and no caret: the digits alone.
            field->SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0);
            ::HideCaret(field->GetSafeHwnd());
            field->RedrawWindow();
            PumpFor(30);
            CRect client;
            field->GetClientRect(&client);
            CClientDC dc(field);
            const Ink shown = InkOf(dc, client);
            const Ink whole = ReferenceInk(grid.GetFont(), text);
            ASSERT_GT(whole.pixels, 0);
            EXPECT_NEAR(whole.pixels, shown.pixels, whole.pixels / 10) << "field " << i << " shows " << shown.pixels
                                                                        << " ink pixels of " << whole.pixels;
            EXPECT_NEAR(whole.last - whole.first, shown.last - shown.first, 1) << "field " << i;
        }
        grid.EndEditing();
        PumpFor(30);
    }
}

TEST_F(DropDownWineTest, ADateCellTypedAndCommitted)
{
    ASSERT_TRUE(grid.SetCellControl(1, 1, "<control controltype = \"datetime\" datetimestyle = \"0\" ></control>"));
    auto* cell = dynamic_cast<CGridCellDateTime*>(grid.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    cell->SetText("2024-03-05");
    grid.SetFocusCell(1, 1);
    ClickAt(&grid, ButtonOf(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    auto* editor = dynamic_cast<CInPlaceDateTime*>(cell->GetEditor());
    ASSERT_NE(nullptr, editor);
    CRect month;
    editor->GetField(1)->GetClientRect(&month);
    ClickAt(editor->GetField(1), month.CenterPoint());
    TypeText("13");
    CString text;
    editor->GetField(1)->GetWindowText(text);
    EXPECT_EQ("01", text.Str()) << "month 13 is refused";
    TypeText("12");
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() == nullptr; }));
    EXPECT_STREQ("2024年12月05日", grid.GetCell(1, 1)->GetText());
}

TEST_F(DropDownWineTest, TheDateButtonDropsTheCalendarAndAClickOnADayFillsTheFields)
{
    ASSERT_TRUE(grid.SetCellControl(1, 1, "<control controltype = \"datetime\" datetimestyle = \"0\" ></control>"));
    auto* cell = dynamic_cast<CGridCellDateTime*>(grid.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    cell->SetText("2024-03-05");
    grid.SetFocusCell(1, 1);
    ClickAt(&grid, ButtonOf(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    auto* editor = dynamic_cast<CInPlaceDateTime*>(cell->GetEditor());
    ASSERT_NE(nullptr, editor);
    ASSERT_TRUE(PumpUntil([&] { return editor->IsCalendarShown() != FALSE; }));
    CRect calendar;
    ::GetWindowRect(editor->GetCalendar(), &calendar);
    CRect editorRect;
    editor->GetWindowRect(&editorRect);
    EXPECT_EQ(editorRect.left, calendar.left);
    EXPECT_EQ(editorRect.bottom, calendar.top) << "the calendar hangs below the editor";
    // A click in the middle of the month's days picks a day of March 2024.
    CWnd* popup = CWnd::FromHandle(editor->GetCalendar());
    CRect client;
    popup->GetClientRect(&client);
    ClickAt(popup, CPoint(client.Width() / 2, client.Height() * 3 / 5));
    ASSERT_TRUE(PumpUntil([&] { return editor->IsCalendarShown() == FALSE; }));
    const COleDateTime picked = editor->Fields().GetDateTime();
    ASSERT_EQ(COleDateTime::valid, picked.GetStatus());
    EXPECT_EQ(2024, picked.GetYear());
    EXPECT_EQ(3, picked.GetMonth());
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() == nullptr; }));
    CString expected;
    expected.Format("2024年03月%02d日", picked.GetDay());
    EXPECT_STREQ(expected, grid.GetCell(1, 1)->GetText());
}

TEST_F(DropDownWineTest, AfterTheFocusLeavesAnEditorKeysReachTheOtherWindow)
{
    ASSERT_TRUE(grid.SetCellControl(1, 1, "<control controltype = \"combocheck\" datasource = \"a\nb\" ></control>"));
    auto* cell = dynamic_cast<CGridCellCombo*>(grid.GetCell(1, 1));
    ASSERT_NE(nullptr, cell);
    grid.SetFocusCell(1, 1);
    ASSERT_TRUE(grid.EditCell(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return cell->GetEditor() != nullptr; }));
    KeyWindow other;
    ASSERT_TRUE(gridwine::ShowTopLevel(&other, "KivoDropDownWineOther", "other", WS_POPUP | WS_VISIBLE,
                                       CRect(700, 40, 800, 140)));
    ::SetForegroundWindow(other.GetSafeHwnd());
    other.SetFocus();
    PumpFor(60);
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    EXPECT_EQ(2, other.keys) << "an editable multi-check editor left open swallows no key";
    other.DestroyWindow();
    grid.EndEditing();
    PumpFor(30);
}

}  // namespace
