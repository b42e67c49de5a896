// The combo box and multi-check combo cells: attributes and their
// write-backs, commands and queries, the list kept in "datasource", format
// copies and the records.
#include "cells/GridCellCheckCombo.h"
#include "cells/GridCellCombo.h"

#include "cells/TypedCellClasses.h"
#include "grid/RecordBytes.h"
#include "grid/native/window_test_util.h"

#include <gtest/gtest.h>

#include <string>

using gridtest::ByteBuilder;
using gridtest::Bytes;

namespace {

const char kPlain[] = "<control controltype = \"combobox\" ></control>";
const char kAbc[] = "<control controltype = \"combobox\" datasource = \"a\nb\nc\" ></control>";

std::string S(const CString& s)
{
    return s.Str();
}

Bytes Store(CGridCellBase& cell)
{
    return gridtest::StoreBytes([&](CArchive& ar) { cell.SerializeRecord(ar, nullptr); });
}

TEST(ComboCell, WriteBacksInOrder)
{
    CGridCellCombo cell;
    ASSERT_TRUE(cell.SetControl(kPlain));
    // Each absent attribute goes right behind the tag name, so the last
    // written stands first; reading the text writes the current index.
    EXPECT_EQ("<control setcurrentitem = \"-1\"  autodropdown = \"1\"  leavetype = \"1\"  ismatch = \"1\"  "
              "listheight = \"0\"  displaystyle = \"0\"  sort = \"0\"  style = \"0\"  controltype = \"combobox\" "
              "></control>",
              S(cell.GetControl()));
}

TEST(ComboCell, Attributes)
{
    struct Case {
        const char* name;
        const char* text;
        DWORD style;
        int listHeight;
        BOOL match;
        int items;
        int index;
    } cases[] = {
        {"defaults", kPlain, CBS_DROPDOWN, 0, TRUE, 0, -1},
        {"list style", "<control style = \"1\" ></control>", CBS_DROPDOWNLIST, 0, TRUE, 0, -1},
        {"sort yes", "<control sort = \"YES\" ></control>", CBS_DROPDOWN | CBS_SORT, 0, TRUE, 0, -1},
        {"sort other text", "<control sort = \"maybe\" ></control>", CBS_DROPDOWN, 0, TRUE, 0, -1},
        {"list height and match", "<control listheight = \"64\" ismatch = \"0\" ></control>", CBS_DROPDOWN, 64,
         FALSE, 0, -1},
        {"items skip empty lines", "<control datasource = \"a\n\nb\n\" ></control>", CBS_DROPDOWN, 0, TRUE, 2, -1},
        {"current item", "<control datasource = \"a\nb\" setcurrentitem = \"1\" ></control>", CBS_DROPDOWN, 0, TRUE,
         2, 1},
        {"current item outside", "<control datasource = \"a\nb\" setcurrentitem = \"7\" ></control>", CBS_DROPDOWN,
         0, TRUE, 2, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellCombo cell;
        cell.SetControl(c.text);
        EXPECT_EQ(c.style, cell.GetComboStyle());
        EXPECT_EQ(c.listHeight, cell.GetListHeight());
        EXPECT_EQ(c.match, cell.GetMatch());
        EXPECT_EQ(c.items, static_cast<int>(cell.GetItems().size()));
        EXPECT_EQ(c.index, cell.GetCurrentIndex());
        EXPECT_EQ(c.index, cell.GetInitialIndex());
    }
}

TEST(ComboCell, StyleIsReadBeforeSortAndClearsIt)
{
    CGridCellCombo cell;
    cell.SetControl(kPlain);
    cell.SetControlProperty("sort", "1");
    EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWN | CBS_SORT), cell.GetComboStyle());
    EXPECT_TRUE(cell.IsDropDownList() == FALSE);
    // "sort" stays "1" in the text, so the next application sets it again.
    cell.SetControlProperty("style", "1");
    EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWNLIST | CBS_SORT), cell.GetComboStyle());
    EXPECT_TRUE(cell.IsDropDownList());
}

TEST(ComboCell, ListHeightZeroOpensAtTheDefault)
{
    CGridCellCombo cell;
    cell.SetControl(kPlain);
    EXPECT_EQ(0, cell.GetListHeight());
    EXPECT_EQ("0", S(cell.GetControlProperty("listheight")));
    EXPECT_EQ(100, cell.GetEffectiveListHeight());
    cell.SetControlProperty("listheight", "40");
    EXPECT_EQ(40, cell.GetEffectiveListHeight());
}

TEST(ComboCell, SetCurrentItemPutsTheItemIntoTheText)
{
    CGridCellCombo cell;
    cell.SetText("typed");
    cell.SetControl("<control datasource = \"a\nb\" setcurrentitem = \"1\" ></control>");
    EXPECT_EQ("b", std::string(cell.GetText()));
    EXPECT_EQ("", S(cell.GetControlProperty("getcurrentitem"))) << "an index, not a current text";
    cell.SetText("typed");
    cell.SetControlProperty("setcurrentitem", "5");
    EXPECT_EQ("typed", std::string(cell.GetText())) << "outside the list the text stays";
}

// An attribute change re-reads every attribute, "setcurrentitem" included:
// the current choice and the cell's text stay as they are.
TEST(ComboCell, AnAttributeChangeKeepsTheChoiceAndTheText)
{
    CGridCellCombo cell;
    cell.SetControl("<control datasource = \"a\nb\nc\" setcurrentitem = \"0\" ></control>");
    EXPECT_EQ("a", std::string(cell.GetText()));
    cell.SetCurrent(1, "b");
    cell.SetText("typed after the pick");
    EXPECT_TRUE(cell.SetControlProperty("listheight", "50"));
    EXPECT_TRUE(cell.DelControlProperty("ismatch"));
    EXPECT_EQ("typed after the pick", std::string(cell.GetText()));
    EXPECT_EQ(1, cell.GetCurrentIndex());
    EXPECT_EQ(50, cell.GetListHeight());
    // The attribute itself still chooses.
    EXPECT_TRUE(cell.SetControlProperty("setcurrentitem", "2"));
    EXPECT_EQ("c", std::string(cell.GetText()));
    EXPECT_EQ(2, cell.GetCurrentIndex());
}

TEST(ComboCell, Commands)
{
    struct Case {
        const char* name;
        const char* key;
        const char* value;
        BOOL result;
        const char* list;   // the items after, joined by '|'
    } cases[] = {
        {"delitemindex", "delitemindex", "1", 1, "a|c"},
        {"delitemindex outside", "delitemindex", "3", 0, "a|b|c"},
        {"delitemindex negative", "delitemindex", "-1", 0, "a|b|c"},
        {"setitem", "setitem", "0\nx", 1, "x|b|c"},
        {"setitem outside appends", "setitem", "9\nx", 1, "a|b|c|x"},
        {"setitem without newline appends", "setitem", "x", 1, "a|b|c|x"},
        {"insertitem", "insertitem", "1\nx", 1, "a|x|b|c"},
        {"insertitem text with newline", "insertitem", "0\nx\ny", 1, "x\ny|a|b|c"},
        {"insertitem without newline appends", "insertitem", "x", 1, "a|b|c|x"},
        {"delitem", "delitem", "b", 1, "a|c"},
        {"delitem none", "delitem", "z", 0, "a|b|c"},
        {"setcurrentindex", "setcurrentindex", "2", 0, "a|b|c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellCombo cell;
        cell.SetControl(kAbc);
        EXPECT_EQ(c.result, cell.SetControlProperty(c.key, c.value));
        std::string list;
        for (const CString& item : cell.GetItems())
            list += (list.empty() ? "" : "|") + S(item);
        EXPECT_EQ(c.list, list);
    }
}

TEST(ComboCell, DelItemRemovesEveryEqualItem)
{
    CGridCellCombo cell;
    cell.SetControl("<control datasource = \"a\nb\na\nc\na\" ></control>");
    EXPECT_TRUE(cell.SetControlProperty("delitem", "a"));
    EXPECT_EQ("b\nc\n", S(cell.GetControlProperty("datasource")));
}

TEST(ComboCell, SetCurrentIndexKeepsTheCurrentText)
{
    CGridCellCombo cell;
    cell.SetControl(kAbc);
    cell.SetCurrent(0, "a");
    EXPECT_EQ(0, cell.SetControlProperty("setcurrentindex", "2"));
    EXPECT_EQ("2", S(cell.GetControlProperty("getcurrentindex")));
    EXPECT_EQ("a", S(cell.GetControlProperty("getcurrentitem")));
}

TEST(ComboCell, Queries)
{
    CGridCellCombo cell;
    cell.SetControl(kAbc);
    struct Case {
        const char* key;
        const char* answer;
    } cases[] = {
        {"getitem(1)", "b"},        {"getitem(3)", ""},          {"getitem(-1)", ""},   {"getitem()", ""},
        {"getitem(1", ""},          {"getitemindex(c)", "2"},    {"getitemindex(z)", "-1"},
        {"getitemindex()", ""},     {"getitemindex(c", ""},      {"getcurrentindex", "-1"},
        {"getcurrentitem", ""},     {"style", "0"},              {"controltype", "combobox"},
        {"nosuchthing", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, S(cell.GetControlProperty(c.key))) << c.key;
}

TEST(ComboCell, DataSourceQueryAfterCommands)
{
    CGridCellCombo two;
    two.SetControl(kPlain);
    two.SetControlProperty("insertitem", "x");
    two.SetControlProperty("insertitem", "y");
    EXPECT_EQ("x\ny\n", S(two.GetControlProperty("datasource")));
    CGridCellCombo one;
    one.SetControl(kPlain);
    one.SetControlProperty("insertitem", "x");
    EXPECT_EQ("x", S(one.GetControlProperty("datasource")));
}

// An item command followed by an attribute change, a read of the control
// text, a save or a format copy keeps the item.
TEST(ComboCell, ItemCommandsAreNeverLost)
{
    struct Case {
        const char* name;
        void (*after)(CGridCellCombo& cell);
    } cases[] = {
        {"attribute change", [](CGridCellCombo& c) { c.SetControlProperty("listheight", "50"); }},
        {"attribute deleted", [](CGridCellCombo& c) { c.DelControlProperty("ismatch"); }},
        {"control text read and set again", [](CGridCellCombo& c) { c.SetControl(c.GetControl()); }},
        {"record stored and loaded",
         [](CGridCellCombo& c) {
             const Bytes bytes = Store(c);
             CGridCellCombo loaded;
             gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); });
             c.SetControl(loaded.GetControl());
         }},
        {"format copied",
         [](CGridCellCombo& c) {
             CGridCellCombo copy;
             copy.CopyFormat(&c);
             c.SetControl(copy.GetControl());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellCombo cell;
        cell.SetControl(kAbc);
        cell.SetControlProperty("insertitem", "1\nnew");
        cell.SetControlProperty("delitem", "c");
        c.after(cell);
        ASSERT_EQ(3u, cell.GetItems().size());
        EXPECT_EQ("new", S(cell.GetItems()[1]));
        EXPECT_EQ("b", S(cell.GetItems()[2]));
    }
}

TEST(ComboCell, GetControlRemembersTheChoiceAsAnIndex)
{
    CGridCellCombo cell;
    cell.SetControl(kAbc);
    cell.SetCurrent(2, "c");
    EXPECT_EQ("2", S(CXmlElement(cell.GetControl(), "control").GetAttribute("setcurrentitem")));
}

TEST(ComboCell, FormatCopyTakesItemsAndSettingsButNoChoice)
{
    CGridCellCombo source;
    source.SetControl(kAbc);
    source.SetControlProperty("listheight", "70");
    source.SetCurrent(1, "b");
    source.SetText("b");
    CGridCellCombo copy;
    copy.CopyFormat(&source);
    EXPECT_EQ(3u, copy.GetItems().size());
    EXPECT_EQ(70, copy.GetListHeight());
    EXPECT_EQ(-1, copy.GetCurrentIndex());
    EXPECT_EQ("", S(copy.GetControlProperty("getcurrentitem")));
    EXPECT_EQ("", std::string(copy.GetText()));
    copy.CopyFormat(&copy);   // itself: nothing happens
    EXPECT_EQ(3u, copy.GetItems().size());
}

TEST(ComboCell, GoldenRecordAndReload)
{
    CGridCellCombo plain;
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3300}).Get(), Store(plain));
    EXPECT_EQ(0, plain.GetRecordSize());

    CGridCellCombo cell;
    cell.SetControl(kAbc);
    cell.SetCurrent(1, "b");
    cell.SetText("typed after the pick");
    const std::string control = S(cell.GetControl());
    const int n = static_cast<int>(control.size()) + 1;
    const Bytes bytes = Store(cell);
    // Size word, the nested ordinary cell's level, 3201, 3202, the end tag.
    const Bytes nested = gridtest::StoreBytes([&](CArchive& ar) { cell.CGridCell::SerializeRecord(ar, nullptr); });
    EXPECT_EQ(ByteBuilder()
                  .Int(4 + cell.CGridCell::GetRecordSize() + 12 + 8 + n + 4)
                  .Raw(nested)
                  .Ints({3201, 4, 1, 3202, n})
                  .Text(control)
                  .Int(3300)
                  .Get(),
              bytes);
    EXPECT_EQ(4 + cell.CGridCell::GetRecordSize() + 12 + 8 + n + 4, cell.GetRecordSize());

    CGridCellCombo loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ("typed after the pick", std::string(loaded.GetText())) << "the record keeps the cell's text";
    EXPECT_EQ(1, loaded.GetCurrentIndex());
    EXPECT_EQ(3u, loaded.GetItems().size());
    EXPECT_EQ(bytes, Store(loaded));
}

// --- the multi-check combo ------------------------------------------------------------------------

const char kChecks[] = "<control controltype = \"combocheck\" style = \"1\" datasource = \"a\nb\nc\" ></control>";

TEST(CheckComboCell, AttributesAndWriteBacks)
{
    CGridCellCheckCombo cell;
    cell.SetText("a");
    cell.SetControl("<control controltype = \"combocheck\" datasource = \"a\nb\" setcurrentitem = \"1\" ></control>");
    EXPECT_EQ(1, cell.GetInitialIndex());
    EXPECT_EQ(-1, cell.GetCurrentIndex()) << "the index is the initial one only";
    EXPECT_EQ("a", std::string(cell.GetText())) << "the text is not touched";
    EXPECT_EQ(",", S(cell.GetSeparator()));
    EXPECT_EQ(",", S(cell.GetControlProperty("itemspliter")));
    EXPECT_EQ("1", S(cell.GetControlProperty("ismatch")));
    EXPECT_EQ("1", S(cell.GetControlProperty("autodropdown")));
    cell.SetControlProperty("itemspliter", ";");
    EXPECT_EQ(";", S(cell.GetSeparator()));
}

TEST(CheckComboCell, SelectionCommandsWaitForTheEditor)
{
    const struct {
        const char* key;
        int pending;
    } cases[] = {{"selectall", 0}, {"cancelall", 1}, {"invertselect", 2}};
    for (const auto& c : cases) {
        CGridCellCheckCombo cell;
        cell.SetControl(kChecks);
        EXPECT_EQ(TRUE, cell.SetControlProperty(c.key, ""));
        EXPECT_EQ(c.pending, cell.GetPendingCommand());
        EXPECT_EQ("0", S(cell.GetControlProperty("getcheckcount")));
    }
}

TEST(CheckComboCell, InheritsTheComboCommandsAndQueries)
{
    CGridCellCheckCombo cell;
    cell.SetControl(kChecks);
    EXPECT_TRUE(cell.SetControlProperty("insertitem", "0\nz"));
    EXPECT_EQ("z", S(cell.GetControlProperty("getitem(0)")));
    EXPECT_EQ("3", S(cell.GetControlProperty("getitemindex(c)")));
    EXPECT_EQ("z\na\nb\nc\n", S(cell.GetControlProperty("datasource")));
    EXPECT_EQ("", S(cell.GetControlProperty("getcurrentitem")));
    EXPECT_EQ("", S(cell.GetControlProperty("getcurrentindex")));
    EXPECT_TRUE(cell.IsDropDownList());
}

TEST(CheckComboCell, GoldenRecordAndReload)
{
    CGridCellCheckCombo plain;
    EXPECT_EQ(ByteBuilder().Ints({0, 0, 0, 0, 1999, 2999, 3300, 3200}).Get(), Store(plain));

    CGridCellCheckCombo cell;
    cell.SetControl(kChecks);
    cell.SetControlProperty("invertselect", "");
    const Bytes bytes = Store(cell);
    const Bytes combo = gridtest::StoreBytes([&](CArchive& ar) { cell.CGridCellCombo::SerializeRecord(ar, nullptr); });
    EXPECT_EQ(ByteBuilder().Int(4 + cell.CGridCellCombo::GetRecordSize() + 12 + 4).Raw(combo).Ints({3101, 4, 2, 3200}).Get(),
              bytes);
    EXPECT_EQ(4 + cell.CGridCellCombo::GetRecordSize() + 12 + 4, cell.GetRecordSize());
    CGridCellCheckCombo loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ(2, loaded.GetPendingCommand());
    EXPECT_EQ(3u, loaded.GetItems().size());
    EXPECT_EQ(bytes, Store(loaded));

    // Checked texts written by hand (what an edit leaves) read back with
    // their count.
    const Bytes withChecks = ByteBuilder()
                                 .Int(4 + cell.CGridCellCombo::GetRecordSize() + 12 + 12 + 4)
                                 .Raw(combo)
                                 .Ints({3102, 4})
                                 .Text("c,a")
                                 .Ints({3103, 4})
                                 .Text("0,2")
                                 .Int(3200)
                                 .Get();
    CGridCellCheckCombo checked;
    ASSERT_TRUE(gridtest::LoadBytes(withChecks, [&](CArchive& ar) { checked.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ("c,a", S(checked.GetControlProperty("getcurrentitem")));
    EXPECT_EQ("0,2", S(checked.GetControlProperty("getcurrentindex")));
    EXPECT_EQ("2", S(checked.GetControlProperty("getcheckcount")));
    EXPECT_EQ(withChecks, Store(checked));
}

// The grid's text change by the user (clearing a selection, for one) leaves
// a drop-down list's text alone: it comes from the list only.
TEST(ComboCellInGrid, ADropDownListKeepsItsTextOnAUserTextChange)
{
    RegisterTypedCellClasses();
    struct Case {
        const char* control;
        const char* after;
    } cases[] = {
        {"<control controltype = \"combobox\" style = \"1\" ></control>", "b"},
        {"<control controltype = \"combocheck\" style = \"1\" ></control>", "b"},
        {"<control controltype = \"combobox\" style = \"0\" ></control>", ""},
        {"<control controltype = \"combocheck\" ></control>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        gridwindowtest::WindowGrid w;
        w.Build(6, 4, 1, 1);
        ASSERT_TRUE(w.grid.SetCellControl(1, 1, c.control));
        w.grid.GetCell(1, 1)->SetText("b");
        EXPECT_EQ(0, w.grid.SetCellTextChecked(1, 1, ""));
        EXPECT_STREQ(c.after, w.grid.GetCell(1, 1)->GetText());
    }
}

}  // namespace
