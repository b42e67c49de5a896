// The numeric cell: the editor's rule from the control text, the number flag
// only for a text that reads as a number, and the cell's record.
#include "cells/GridCellNumeric.h"

#include "cells/InPlaceEdit.h"
#include "cells/InPlaceEditHooks.h"
#include "cells/WidgetTestWindows.h"
#include "grid/CellEditorFactory.h"
#include "grid/GridCtrl.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include "grid/RecordBytes.h"

#include <gtest/gtest.h>

#include <string>

using cellstest::RecordingControl;
using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

// Commits the editor's text into the test's record on the end notification.
class CommittingGrid : public CGridCtrl {
public:
    CommittingGrid() : CGridCtrl(4, 4, 0, 0) {}
    std::string committed;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN) {
            SetFocus();
            return 0;
        }
        if (message == WM_NOTIFY) {
            const CellEditNotifyInfo* info = reinterpret_cast<const CellEditNotifyInfo*>(lParam);
            if (static_cast<int>(info->hdr.code) == kCellEditEndNotify) {
                committed = info->item.pszText;
                if (CGridCellBase* cell = GetCell(info->item.row, info->item.column))
                    cell->OnEndEdit();
                return 0;
            }
        }
        return CGridCtrl::WindowProc(message, wParam, lParam);
    }
};

class NumericCellEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        saved = GetCellEditorHooks();
        InstallInPlaceEditHooks();
        ASSERT_TRUE(control.CreateTopLevel(CRect(0, 0, 500, 400)));
        ASSERT_TRUE(grid.CreateEx(0, "KivoSheet", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &control, 81221));
        ASSERT_TRUE(grid.SetCellType(1, 1, GCT_NUMERIC));
        cell = dynamic_cast<CGridCellNumeric*>(grid.GetCell(1, 1));
        ASSERT_NE(nullptr, cell);
    }
    void TearDown() override
    {
        SetCellEditorHooks(saved);
        Headless::Reset();
    }
    // Starts an edit by typing the keys and commits it with Enter.
    std::string Type(const char* keys)
    {
        cell->Edit(1, 1, CRect(20, 20, 80, 40), CPoint(-1, -1), 8, static_cast<UINT>(keys[0]));
        PlatformPumpMessages();
        CWnd* editor = cell->GetEditWnd();
        if (editor == nullptr)
            return "<no editor>";
        for (const char* p = keys + 1; *p != '\0'; ++p)
            editor->SendMessage(WM_CHAR, static_cast<UINT>(*p), 1);
        editor->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        return grid.committed;
    }

    CellEditorHooks saved;
    RecordingControl control;
    CommittingGrid grid;
    CGridCellNumeric* cell = nullptr;
};

TEST_F(NumericCellEdit, TheEditorTakesTheRuleOfTheControlText)
{
    struct Case {
        const char* control;
        const char* keys;
        const char* committed;
    } cases[] = {
        {"<control controltype = \"numeric\" ></control>", "12a3.5", "1235"},           // whole numbers
        {"<control inputtype = \"0\" ></control>", "7x8", "78"},
        {"<control inputtype = \"2\" ></control>", "1.5b", "1.5"},
        {"<control limit = \"1\" inputmin = \"0\" inputmax = \"100\" ></control>", "150", "15"},
        {"<control limit = \"1\" inputmin = \"0\" inputmax = \"100\" ></control>", "99", "99"},
        // Without the limit the range is not read.
        {"<control limit = \"0\" inputmin = \"0\" inputmax = \"100\" ></control>", "150", "150"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + c.keys);
        ASSERT_TRUE(cell->SetControl(c.control));
        EXPECT_EQ(c.committed, Type(c.keys));
    }
}

TEST_F(NumericCellEdit, WithoutAControlTextTheCellsOwnRuleHolds)
{
    EXPECT_EQ("ab1", Type("ab1"));
}

TEST_F(NumericCellEdit, TheRuleCountsOnlyOnceAnEditStarts)
{
    cell->SetControl("<control inputtype = \"1\" ></control>");
    EXPECT_TRUE(cell->SetControlProperty("inputtype", "2"));
    EXPECT_EQ("2", std::string(cell->GetControlProperty("inputtype")));
    EXPECT_EQ(0, cell->GetInputType()) << "no edit yet";
    Type("1");
    EXPECT_EQ(2, cell->GetInputType());
}

TEST_F(NumericCellEdit, OnlyANumberTextBecomesANumber)
{
    struct Case {
        const char* text;
        bool number;
        double value;
        const char* shown;
    } cases[] = {
        {"12.5", true, 12.5, "12.5"},
        {" -3 ", true, -3.0, "-3"},
        {"abc", false, 0.0, "abc"},
        {"12abc", false, 0.0, "12abc"},
        {"", false, 0.0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        cell->SetText(c.text);
        cell->SetControl("<control inputtype = \"2\" ></control>");
        cell->Edit(1, 1, CRect(20, 20, 80, 40), CPoint(-1, -1), 8, 1);
        PlatformPumpMessages();
        EXPECT_EQ(c.number, cell->IsNumber() != FALSE);
        if (c.number)
            EXPECT_EQ(c.value, cell->GetValue());
        EXPECT_EQ(c.shown, std::string(cell->GetDisplayText()));
        if (CWnd* editor = cell->GetEditWnd())
            editor->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        cell->EndEdit();
        PlatformPumpMessages();
    }
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

TEST(NumericCell, GoldenRecordAndReload)
{
    CGridCellNumeric plain;
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3500}).Get(), Store(plain));
    CGridCellNumeric cell;
    const std::string text = "<control inputtype = \"2\" limit = \"1\" ></control>";
    cell.SetControl(text.c_str());
    const int n = static_cast<int>(text.size()) + 1;
    const Bytes bytes = Store(cell);
    EXPECT_EQ(ByteBuilder().Ints({16 + n, 0, 0, 1999, 2999, 3401, n}).Text(text).Int(3500).Get(), bytes);
    EXPECT_EQ(16 + n, cell.GetRecordSize());
    CGridCellNumeric loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ(text, std::string(loaded.GetControl()));
    EXPECT_EQ(bytes, Store(loaded));
}

}  // namespace
