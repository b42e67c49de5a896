// The Cell members through the generated dispatcher, over the control's own
// grid: each member's answer on a good and on a bad address (and that a bad
// one leaves the sheet as it was), the redraw marks, the "J" selectors, the
// alignment reduction, virtual mode, re-fitting rows, tips, focus, control
// types and display texts.
#include "cells/GridCellCombo.h"
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "grid/GridCtrl.h"
#include "grid/StandInCells.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

using gridtest::ScopedStandIn;

namespace {

// One argument as a test writes it: a number or a text, converted to the
// member's declared kind.
struct V {
    template <typename T, typename = std::enable_if_t<std::is_integral<T>::value || std::is_enum<T>::value>>
    V(T v) : number(static_cast<double>(v))
    {
    }
    V(double v) : number(v) {}
    V(const char* v) : text(v), isText(true) {}
    double number = 0;
    std::string text;
    bool isText = false;
};

struct Outcome {
    CDispResult result;
    std::vector<CDispArg> args;   // by-reference values as the member left them
};

// Calls a member by name; missing trailing arguments (the by-reference ones)
// start at 0.
Outcome Invoke(CKivoSheetDispatch& target, const std::string& name, const std::vector<V>& values)
{
    Outcome out;
    const CMemberInfo* m = FindKivoSheetMemberByName(name.c_str());
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return out;
    }
    out.args.resize(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    for (int i = 0; i < m->argc; ++i) {
        CDispArg& a = out.args[static_cast<size_t>(i)];
        a.type = m->args[i];
        if (static_cast<size_t>(i) >= values.size())
            continue;
        const V& v = values[static_cast<size_t>(i)];
        a.str = v.text.c_str();
        a.l = static_cast<LONG>(v.number);
        a.s = static_cast<SHORT>(v.number);
        a.d = v.number;
    }
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, out.args.data(), out.result)) << name;
    return out;
}

// A result as text: numbers as they are, texts in quotes, objects as
// "object" or "null", "void" for none.
std::string Show(const CDispResult& r)
{
    char buffer[64];
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        return std::to_string(r.s);
    case DispType::Long:
        return std::to_string(r.l);
    case DispType::Double:
        std::snprintf(buffer, sizeof(buffer), "%.15g", r.d);
        return buffer;
    case DispType::String:
        return "\"" + std::string(r.str.GetString()) + "\"";
    case DispType::Object:
        return r.obj ? "object" : "null";
    default:
        return "void";
    }
}

std::string Call(CKivoSheetDispatch& target, const std::string& name, const std::vector<V>& values)
{
    return Show(Invoke(target, name, values).result);
}

const char kFont[] = "<font fontname = \"宋体\" fontsize = \"9\" ></font>";
const char kCurrency[] = "<format datatype = \"currency\" decimal = \"2\" seplen = \"3\" separator = \",\" "
                         "symbol = \"￥\" ></format>";
const char kCombo[] = "<control controltype = \"combobox\" datasource = \"甲|乙\" ></control>";

// kCombo as the combo cell gives it back: with the attributes it writes back.
std::string ComboControlAsRead()
{
    CGridCellCombo cell;
    cell.SetControl(kCombo);
    return cell.GetControl().Str();
}

// A control whose sheet has 8 rows and 6 columns, one of each fixed, set up
// through the size members as a script does.
class Sheet {
public:
    Sheet()
    {
        Call(ctl, "RowSetCount", {8});
        Call(ctl, "ColumnSetCount", {6});
        Call(ctl, "RowSetFixedCount", {1});
        Call(ctl, "ColumnSetFixedCount", {1});
    }
    CGridCtrl& grid() { return *ctl.GetGrid()->GetGridCtrl(); }
    std::string operator()(const std::string& name, const std::vector<V>& values) { return Call(ctl, name, values); }

    // What a failed member must leave alone: texts, sizes, the modified marks.
    std::string Snapshot()
    {
        CGridCtrl& g = grid();
        std::string s = g.SaveCSVString().GetString();
        for (int r = 0; r < g.GetRowCount(); ++r)
            s += " h" + std::to_string(g.GetRowHeight(r));
        for (int c = 0; c < g.GetColumnCount(); ++c)
            s += " w" + std::to_string(g.GetColumnWidth(c));
        for (int r = 0; r < g.GetRowCount(); ++r)
            for (int c = 0; c < g.GetColumnCount(); ++c)
                s += " " + std::to_string(g.GetCellState(r, c));
        return s + (g.GetModified() ? " modified" : "");
    }

    CKivoSheetCtrl ctl;
};

typedef std::function<void(Sheet&)> Prep;

void Merge(Sheet& s)
{
    s.grid().SetRowHeight(2, 20);
    s.grid().SetRowHeight(3, 30);
    s.grid().SetColumnWidth(2, 40);
    s.grid().SetColumnWidth(3, 50);
    s.grid().SetColumnWidth(4, 60);
    s.grid().MergeCells(2, 2, 3, 4);
}

// The members that take or hand out cell-control objects, whose classes are
// not built: they answer their failure values. The font members are tested
// with the font objects (ObjectMembersTest.cpp).
const std::set<std::string> kObjectMembers = {"CellSetControlEx", "CellGetControlEx"};

struct MemberCase {
    const char* name;
    std::vector<V> good;
    std::string goodResult;
    std::vector<V> bad;   // a row beyond the last, a mark or id that names no cell
    std::string badResult;
    Prep prep;            // run before the good call only
};

}  // namespace

// Every Cell member on a good address answers the operation's value, and on a
// bad one its failure value, leaving the sheet unchanged.
TEST(CellMembers, EachMemberOnAGoodAndOnABadAddress)
{
    ScopedStandIn<GCT_COMBOBOX> combo;
    ScopedStandIn<GCT_IMAGE> image;
    const std::vector<MemberCase> cases = {
        {"CellSetValue", {2, 2, "中文"}, "-1", {8, 2, "x"}, "0", nullptr},
        {"CellSetValueEx", {2, 2, 12.75}, "-1", {8, 2, 1.0}, "0", nullptr},
        {"CellGetValue", {2, 2}, "\"中文\"", {8, 2}, "\"\"", [](Sheet& s) { s("CellSetValue", {2, 2, "中文"}); }},
        {"CellGetValueEx", {2, 2}, "12.75", {8, 2}, "0", [](Sheet& s) { s("CellSetValueEx", {2, 2, 12.75}); }},
        {"CellSetBackColor", {2, 2, 0x123456}, "-1", {8, 2, 0x123456}, "0", nullptr},
        {"CellGetBackColor", {2, 2}, std::to_string(0x123456), {8, 2}, "0",
         [](Sheet& s) { s("CellSetBackColor", {2, 2, 0x123456}); }},
        {"CellSetTextColor", {2, 2, 0xFF}, "-1", {8, 2, 0xFF}, "0", nullptr},
        {"CellGetTextColor", {2, 2}, "255", {8, 2}, "0", [](Sheet& s) { s("CellSetTextColor", {2, 2, 0xFF}); }},
        {"CellSetTextFont", {2, 2, kFont}, "-1", {8, 2, kFont}, "0", nullptr},
        // The index of the attribute whose value was replaced; -1 without a cell.
        {"CellSetTextFontProperty", {2, 2, "fontsize", "20"}, "1", {8, 2, "fontsize", "20"}, "-1",
         [](Sheet& s) { s("CellSetTextFont", {2, 2, kFont}); }},
        {"CellDelTextFontProperty", {2, 2, "fontsize"}, "-1", {8, 2, "fontsize"}, "0",
         [](Sheet& s) { s("CellSetTextFont", {2, 2, kFont}); }},
        {"CellGetTextFontProperty", {2, 2, "fontname"}, "\"宋体\"", {8, 2, "fontname"}, "\"\"",
         [](Sheet& s) { s("CellSetTextFont", {2, 2, kFont}); }},
        {"CellGetTextFont", {2, 2}, "\"" + std::string(kFont) + "\"", {8, 2}, "\"\"",
         [](Sheet& s) { s("CellSetTextFont", {2, 2, kFont}); }},
        {"CellSetTextFormat", {2, 2, kCurrency}, "-1", {8, 2, kCurrency}, "0", nullptr},
        {"CellGetTextFormat", {2, 2}, "\"" + std::string(kCurrency) + "\"", {8, 2}, "\"\"",
         [](Sheet& s) { s("CellSetTextFormat", {2, 2, kCurrency}); }},
        {"CellSetTextFormatProperty", {2, 2, "decimal", "3"}, "1", {8, 2, "decimal", "3"}, "-1",
         [](Sheet& s) { s("CellSetTextFormat", {2, 2, kCurrency}); }},
        {"CellDelTextFormatProperty", {2, 2, "decimal"}, "-1", {8, 2, "decimal"}, "0",
         [](Sheet& s) { s("CellSetTextFormat", {2, 2, kCurrency}); }},
        {"CellGetTextFormatProperty", {2, 2, "datatype"}, "\"currency\"", {8, 2, "datatype"}, "\"\"",
         [](Sheet& s) { s("CellSetTextFormat", {2, 2, kCurrency}); }},
        {"CellSetTipText", {2, 2, "提示"}, "-1", {8, 2, "提示"}, "0", nullptr},
        {"CellGetTipText", {2, 2}, "\"提示\"", {8, 2}, "\"\"", [](Sheet& s) { s("CellSetTipText", {2, 2, "提示"}); }},
        {"CellGetCurrentTipText", {2, 2}, "\"提示\"", {8, 2}, "\"\"",
         [](Sheet& s) { s("CellSetTipText", {2, 2, "提示"}); }},
        {"CellSetDisplayTip", {2, 2, 0}, "-1", {8, 2, 0}, "0", nullptr},
        {"CellIsDisplayTip", {2, 2}, "-1", {8, 2}, "0", nullptr},
        {"CellSetMemo", {2, 2, "备注"}, "-1", {8, 2, "备注"}, "0", nullptr},
        {"CellGetMemo", {2, 2}, "\"备注\"", {8, 2}, "\"\"", [](Sheet& s) { s("CellSetMemo", {2, 2, "备注"}); }},
        {"CellSetId", {2, 2, "合计"}, "-1", {8, 2, "合计"}, "0", nullptr},
        {"CellGetId", {2, 2}, "\"合计\"", {8, 2}, "\"\"", [](Sheet& s) { s("CellSetId", {2, 2, "合计"}); }},
        {"CellGetMarkFromId", {"B3"}, "-1", {"B8"}, "0", nullptr},
        {"CellSetReadOnly", {2, 2, 1}, "-1", {8, 2, 1}, "0", nullptr},
        {"CellIsReadOnly", {2, 2}, "-1", {8, 2}, "0", [](Sheet& s) { s("CellSetReadOnly", {2, 2, 1}); }},
        {"CellIsDisplayEllipsis", {2, 2}, "-1", {8, 2}, "0",
         [](Sheet& s) { s("CellSetDisplayEllipsis", {2, 2, 1}); }},
        {"CellSetDisplayEllipsis", {2, 2, 1}, "-1", {8, 2, 1}, "0", nullptr},
        // The grid's answer, not always success.
        {"CellSetHide", {2, 2, 1}, "-1", {8, 2, 1}, "0", nullptr},
        {"CellIsHide", {2, 2}, "-1", {8, 2}, "0", [](Sheet& s) { s("CellSetHide", {2, 2, 1}); }},
        {"CellSetSelBackColor", {2, 2, 0x00AA00}, "-1", {8, 2, 0x00AA00}, "0", nullptr},
        {"CellGetSelBackColor", {2, 2}, std::to_string(0x00AA00), {8, 2}, "-1",
         [](Sheet& s) { s("CellSetSelBackColor", {2, 2, 0x00AA00}); }},
        {"CellSetInputType", {2, 2, 1}, "-1", {8, 2, 1}, "0", nullptr},
        {"CellGetInputType", {2, 2}, "1", {8, 2}, "-1", [](Sheet& s) { s("CellSetInputType", {2, 2, 1}); }},
        {"CellSetInputLimit", {2, 2, 1, 1.5, 9.5}, "-1", {8, 2, 1, 1.5, 9.5}, "0", nullptr},
        {"CellGetInputLimit", {2, 2}, "-1", {8, 2}, "0",
         [](Sheet& s) { s("CellSetInputLimit", {2, 2, 1, 1.5, 9.5}); }},
        {"CellSetControlType", {2, 2, GCT_COMBOBOX}, "-1", {8, 2, GCT_COMBOBOX}, "0", nullptr},
        {"CellGetControlType", {2, 2}, "1", {8, 2}, "-1",
         [](Sheet& s) { s("CellSetControlType", {2, 2, GCT_COMBOBOX}); }},
        {"CellSetControl", {2, 2, kCombo}, "-1", {8, 2, kCombo}, "0", nullptr},
        {"CellGetControl", {2, 2}, "\"" + ComboControlAsRead() + "\"", {8, 2}, "\"\"",
         [](Sheet& s) { s("CellSetControl", {2, 2, kCombo}); }},
        {"CellSetControlProperty", {2, 2, "datasource", "丙"}, "-1", {8, 2, "datasource", "丙"}, "0",
         [](Sheet& s) { s("CellSetControl", {2, 2, kCombo}); }},
        {"CellGetControlProperty", {2, 2, "datasource"}, "\"甲|乙\"", {8, 2, "datasource"}, "\"\"",
         [](Sheet& s) { s("CellSetControl", {2, 2, kCombo}); }},
        {"CellDelControlProperty", {2, 2, "datasource"}, "-1", {8, 2, "datasource"}, "0",
         [](Sheet& s) { s("CellSetControl", {2, 2, kCombo}); }},
        {"CellSetFocus", {2, 2}, "-1", {8, 2}, "0", nullptr},
        // Without a focus cell: 0.
        {"CellGetFocus", {}, "-1", {}, "0", [](Sheet& s) { s("CellSetFocus", {2, 2}); }},
        {"CellGetRect", {2, 2}, "-1", {8, 2}, "0", nullptr},
        {"CellIsMerged", {3, 3}, "-1", {8, 2}, "0", Merge},
        {"CellIsSelected", {2, 2}, "-1", {8, 2}, "0", [](Sheet& s) { s("CellSetFocus", {2, 2}); }},
        {"CellIsModified", {2, 2}, "-1", {8, 2}, "0", [](Sheet& s) { s("CellSetValue", {2, 2, "x"}); }},
        {"CellGetMergeRange", {3, 3}, "-1", {8, 2}, "0", Merge},
        // No in-place editor is open here.
        {"CellIsEditing", {2, 2}, "0", {8, 2}, "0", nullptr},
        {"CellIsFixed", {0, 2}, "-1", {8, 2}, "0", nullptr},
        {"CellGetMergeHeight", {3, 3}, "50", {8, 2}, "-1", Merge},
        {"CellGetMergeWidth", {3, 3}, "150", {2, 6}, "-1", Merge},
        {"CellSetBorder", {2, 2, 15, 0, 0xFF, 1}, "-1", {8, 2, 15, 0, 0xFF, 1}, "0", nullptr},
        {"CellGetBorder", {2, 2, 1}, "-1", {8, 2, 1}, "0",
         [](Sheet& s) { s("CellSetBorder", {2, 2, 15, 0, 0xFF, 1}); }},
        {"CellGetBorderFlags", {2, 2}, "15", {8, 2}, "0",
         [](Sheet& s) { s("CellSetBorder", {2, 2, 15, 0, 0xFF, 1}); }},
        {"CellSetTextWrap", {2, 2, 1}, "-1", {8, 2, 1}, "0", nullptr},
        {"CellIsTextWrap", {2, 2}, "1", {8, 2}, "0", [](Sheet& s) { s("CellSetTextWrap", {2, 2, 1}); }},
        {"CellSetAlign", {2, 2, DT_RIGHT | DT_BOTTOM}, "-1", {8, 2, DT_RIGHT}, "0", nullptr},
        {"CellGetAlign", {2, 2}, "10", {8, 2}, "0", [](Sheet& s) { s("CellSetAlign", {2, 2, DT_RIGHT | DT_BOTTOM}); }},
        {"CellIsValid", {0, 0}, "-1", {8, 2}, "0", nullptr},
        {"CellSetDateType", {2, 2, 5}, "-1", {8, 2, 5}, "0", nullptr},
        {"CellGetDataType", {2, 2}, "5", {8, 2}, "-1", [](Sheet& s) { s("CellSetDateType", {2, 2, 5}); }},
        {"CellDelBorder", {2, 2, 1}, "-1", {8, 2, 1}, "0", [](Sheet& s) { s("CellSetBorder", {2, 2, 15, 0, 0xFF, 1}); }},
        {"CellGetMarkFromIdJ", {"b3", 0}, "3", {"B8", 0}, "-1", nullptr},
        {"CellGetInputLimitJ", {2, 2, 1}, "9.5", {8, 2, 1}, "0",
         [](Sheet& s) { s("CellSetInputLimit", {2, 2, 1, 1.5, 9.5}); }},
        {"CellGetFocusJ", {1}, "3", {1}, "-1", [](Sheet& s) { s("CellSetFocus", {2, 3}); }},
        {"CellGetRectJ", {2, 2, 2}, "", {8, 2, 2}, "-1", nullptr},
        {"CellGetMergeRangeJ", {3, 3, 3}, "4", {8, 2, 3}, "-1", Merge},
        {"CellGetBorderJ", {2, 2, 1, 0}, "255", {8, 2, 1, 0}, "-1",
         [](Sheet& s) { s("CellSetBorder", {2, 2, 15, 0, 0xFF, 1}); }},
        {"CellGetFromId", {"合计"}, "-1", {"小计"}, "0", [](Sheet& s) { s("CellSetId", {2, 2, "合计"}); }},
        {"CellGetFromIdJ", {"合计", 1}, "2", {"小计", 1}, "-1", [](Sheet& s) { s("CellSetId", {2, 2, "合计"}); }},
        {"CellSetFormula", {2, 2, "=1+2"}, "1", {8, 2, "=1+2"}, "0", nullptr},
        {"CellGetFormula", {2, 2}, "\"=1+2\"", {8, 2}, "\"\"", [](Sheet& s) { s("CellSetFormula", {2, 2, "=1+2"}); }},
        {"CellSetImage", {2, 2, 3}, "1", {8, 2, 3}, "0", nullptr},
        {"CellGetImage", {2, 2}, "3", {8, 2}, "-1", [](Sheet& s) { s("CellSetImage", {2, 2, 3}); }},
        {"CellSetControlEx", {2, 2}, "0", {8, 2}, "0", nullptr},
        {"CellGetControlEx", {2, 2}, "null", {8, 2}, "null", nullptr},
        // No font object: nothing to set.
        {"CellSetTextFontEx", {2, 2}, "0", {8, 2}, "0", nullptr},
        {"CellGetTextFontEx", {2, 2}, "object", {8, 2}, "null", nullptr},
        {"CellSetItemData", {2, 2, 77}, "void", {8, 2, 77}, "void", nullptr},
        {"CellGetItemData", {2, 2}, "77", {8, 2}, "0", [](Sheet& s) { s("CellSetItemData", {2, 2, 77}); }},
        {"CellGetValueEx2", {2, 2}, "\"￥1,234.50\"", {8, 2}, "\"\"",
         [](Sheet& s) {
             s("CellSetValueEx", {2, 2, 1234.5});
             s("CellSetTextFormat", {2, 2, kCurrency});
         }},
    };

    std::set<std::string> covered;
    for (const MemberCase& c : cases) {
        SCOPED_TRACE(c.name);
        covered.insert(c.name);
        {
            Sheet sheet;
            if (c.prep)
                c.prep(sheet);
            const std::string good = sheet(c.name, c.good);
            if (c.goodResult.empty())
                EXPECT_NE(good, c.badResult) << "good call";
            else
                EXPECT_EQ(good, c.goodResult) << "good call";
        }
        Sheet sheet;
        sheet("CellSetValue", {3, 3, "kept"});
        const std::string before = sheet.Snapshot();
        EXPECT_EQ(sheet(c.name, c.bad), c.badResult) << "bad call";
        EXPECT_EQ(sheet.Snapshot(), before) << "bad call changed the sheet";
    }

    // The table holds the whole family.
    int count = 0;
    const CMemberInfo* members = KivoSheetMembers(&count);
    for (int i = 0; i < count; ++i) {
        const std::string name = members[i].name;
        if (name.compare(0, 4, "Cell") == 0) {
            EXPECT_EQ(covered.count(name), 1u) << name << " is not in the table";
        }
    }
}

// By-reference answers of the members that write them.
TEST(CellMembers, ByReferenceValues)
{
    Sheet sheet;
    Merge(sheet);
    Outcome range = Invoke(sheet.ctl, "CellGetMergeRange", {4 - 1, 4});
    EXPECT_EQ(Show(range.result), "-1");
    EXPECT_EQ(range.args[2].l, 2);
    EXPECT_EQ(range.args[3].l, 2);
    EXPECT_EQ(range.args[4].l, 3);
    EXPECT_EQ(range.args[5].l, 4);
    // A cell that is not merged: all four -1.
    range = Invoke(sheet.ctl, "CellGetMergeRange", {5, 5, 9, 9, 9, 9});
    EXPECT_EQ(Show(range.result), "0");
    EXPECT_EQ(range.args[2].l, -1);
    EXPECT_EQ(range.args[5].l, -1);

    Outcome mark = Invoke(sheet.ctl, "CellGetMarkFromId", {"E7"});
    EXPECT_EQ(mark.args[1].l, 7);
    EXPECT_EQ(mark.args[2].l, 5);
    mark = Invoke(sheet.ctl, "CellGetMarkFromId", {"Z1"});
    EXPECT_EQ(Show(mark.result), "0");
    EXPECT_EQ(mark.args[1].l, -1);
    EXPECT_EQ(mark.args[2].l, -1);

    sheet("CellSetId", {5, 4, "单价"});
    Outcome id = Invoke(sheet.ctl, "CellGetFromId", {"单价"});
    EXPECT_EQ(id.args[1].l, 5);
    EXPECT_EQ(id.args[2].l, 4);
    // The id table compares the text exactly; no id: 0 and (-1, -1).
    id = Invoke(sheet.ctl, "CellGetFromId", {"单", 3, 3});
    EXPECT_EQ(Show(id.result), "0");
    EXPECT_EQ(id.args[1].l, -1);
    EXPECT_EQ(id.args[2].l, -1);

    sheet("CellSetInputLimit", {5, 4, 1, -2.5, 7.25});
    Outcome limit = Invoke(sheet.ctl, "CellGetInputLimit", {5, 4});
    EXPECT_EQ(Show(limit.result), "-1");
    EXPECT_EQ(limit.args[2].d, -2.5);
    EXPECT_EQ(limit.args[3].d, 7.25);

    // A dotted line is one pixel wide whatever width is asked for.
    sheet("CellSetBorder", {5, 4, CBF_BOTTOM, 2, 0x0000FF, 3});
    Outcome border = Invoke(sheet.ctl, "CellGetBorder", {5, 4, CBF_BOTTOM});
    EXPECT_EQ(Show(border.result), "-1");
    EXPECT_EQ(border.args[3].l, 2);          // line style
    EXPECT_EQ(border.args[4].l, 0x0000FF);   // colour
    EXPECT_EQ(border.args[5].l, 1);          // width
    // An unset border leaves the outputs alone.
    border = Invoke(sheet.ctl, "CellGetBorder", {5, 4, CBF_LEFT, 11, 22, 33});
    EXPECT_EQ(Show(border.result), "0");
    EXPECT_EQ(border.args[3].l, 11);
    EXPECT_EQ(border.args[4].l, 22);
    EXPECT_EQ(border.args[5].l, 33);

    // The rectangle is the merged block's, in the same client coordinates
    // as a cell of its own.
    Outcome block = Invoke(sheet.ctl, "CellGetRect", {3, 4});
    Outcome owner = Invoke(sheet.ctl, "CellGetRect", {2, 2});
    Outcome single = Invoke(sheet.ctl, "CellGetRect", {5, 2});
    EXPECT_EQ(block.args[2].l, owner.args[2].l);
    EXPECT_EQ(block.args[5].l - block.args[3].l + 1, 50);    // two rows: 20 + 30
    EXPECT_EQ(block.args[4].l - block.args[2].l + 1, 150);   // three columns: 40 + 50 + 60
    EXPECT_EQ(single.args[2].l, owner.args[2].l);
    EXPECT_EQ(single.args[4].l - single.args[2].l + 1, 40);
}

// Each "J" member picks one value of its base; a selector outside its range
// or a failed base answers -1 (0 for the double one).
TEST(CellMembers, JSelectors)
{
    Sheet sheet;
    Merge(sheet);
    sheet("CellSetBorder", {5, 4, CBF_RIGHT, 2, 0x00FF00, 1});
    sheet("CellSetInputLimit", {5, 4, 1, -2.5, 7.25});
    sheet("CellSetId", {6, 5, "单价"});
    sheet("CellSetFocus", {4, 3});
    Outcome rect = Invoke(sheet.ctl, "CellGetRect", {5, 4});
    struct Case {
        const char* name;
        std::vector<V> args;   // the selector last
        std::string result;
    };
    const std::vector<Case> cases = {
        // CellGetBorderJ's own order: colour, width, line style.
        {"CellGetBorderJ", {5, 4, CBF_RIGHT, 0}, std::to_string(0x00FF00)},
        {"CellGetBorderJ", {5, 4, CBF_RIGHT, 1}, "1"},
        {"CellGetBorderJ", {5, 4, CBF_RIGHT, 2}, "2"},
        {"CellGetBorderJ", {5, 4, CBF_RIGHT, 3}, "-1"},
        {"CellGetBorderJ", {5, 4, CBF_TOP, 0}, "-1"},   // not set
        {"CellGetInputLimitJ", {5, 4, 0}, "-2.5"},
        {"CellGetInputLimitJ", {5, 4, 1}, "7.25"},
        {"CellGetInputLimitJ", {5, 4, 2}, "0"},
        {"CellGetInputLimitJ", {5, 3, 0}, "0"},          // no limits
        {"CellGetMarkFromIdJ", {"C5", 0}, "5"},
        {"CellGetMarkFromIdJ", {"C5", 1}, "3"},
        {"CellGetMarkFromIdJ", {"C5", 2}, "-1"},
        {"CellGetMarkFromIdJ", {"G5", 0}, "-1"},         // column 7 of 6
        {"CellGetMarkFromIdJ", {"5C", 0}, "-1"},
        {"CellGetFromIdJ", {"单价", 0}, "6"},
        {"CellGetFromIdJ", {"单价", 1}, "5"},
        {"CellGetFromIdJ", {"单价", -1}, "-1"},
        {"CellGetFocusJ", {0}, "4"},
        {"CellGetFocusJ", {1}, "3"},
        {"CellGetFocusJ", {2}, "-1"},
        {"CellGetRectJ", {5, 4, 0}, std::to_string(rect.args[2].l)},
        {"CellGetRectJ", {5, 4, 1}, std::to_string(rect.args[3].l)},
        {"CellGetRectJ", {5, 4, 2}, std::to_string(rect.args[4].l)},
        {"CellGetRectJ", {5, 4, 3}, std::to_string(rect.args[5].l)},
        {"CellGetRectJ", {5, 4, 4}, "-1"},
        {"CellGetRectJ", {5, 6, 0}, "-1"},
        {"CellGetMergeRangeJ", {3, 3, 0}, "2"},
        {"CellGetMergeRangeJ", {3, 3, 1}, "2"},
        {"CellGetMergeRangeJ", {3, 3, 2}, "3"},
        {"CellGetMergeRangeJ", {3, 3, 3}, "4"},
        {"CellGetMergeRangeJ", {3, 3, 4}, "-1"},
        {"CellGetMergeRangeJ", {5, 3, 0}, "-1"},         // not merged
    };
    for (const Case& c : cases)
        EXPECT_EQ(sheet(c.name, c.args), c.result) << c.name << " selector " << c.args.back().number;
    EXPECT_NE(rect.args[4].l, 0);
}

// CellGetAlign reduces the DrawText format to right / centre / left plus
// bottom / vertical centre.
TEST(CellMembers, AlignReduction)
{
    struct Case {
        LONG format;
        const char* result;
    };
    const Case cases[] = {
        {0x8824, "4"},                              // the default: left, vertically centred
        {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "10"},
        {DT_CENTER | DT_VCENTER, "5"},
        {DT_CENTER | DT_RIGHT, "2"},                // right wins
        {DT_BOTTOM | DT_VCENTER, "8"},              // bottom wins
        {DT_WORDBREAK | DT_NOPREFIX, "0"},          // top left
        {DT_CENTER, "1"},
    };
    for (const Case& c : cases) {
        Sheet sheet;
        sheet("CellSetAlign", {3, 3, c.format});
        EXPECT_EQ(sheet("CellGetAlign", {3, 3}), c.result) << c.format;
    }
    Sheet sheet;
    // A new cell holds the grid's default format.
    EXPECT_EQ(sheet("CellGetAlign", {4, 4}), "4");
    EXPECT_EQ(sheet("CellGetAlign", {8, 1}), "0");
    EXPECT_EQ(sheet("CellGetAlign", {-1, 1}), "0");
    // A cell still at the default format reads the sheet's default alignment.
    CGridDefaultSetting setting = sheet.grid().GetDefaultSettingRecord();
    setting.m_dwTextAlign = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE;
    sheet.ctl.GetGrid()->SetDefaultSetting(setting);
    EXPECT_EQ(sheet("CellGetAlign", {4, 4}), "10");
    sheet("CellSetAlign", {4, 5, DT_CENTER});
    EXPECT_EQ(sheet("CellGetAlign", {4, 5}), "1");
}

// In virtual mode the members that read a cell object directly answer their
// failure value; the grid refuses the setters that need a stored cell.
TEST(CellMembers, VirtualModeAnswers)
{
    CKivoSheetCtrl ctl;
    CGridCtrl& grid = *ctl.GetGrid()->GetGridCtrl();
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(5);
    grid.SetColumnCount(5);
    struct Case {
        const char* name;
        std::vector<V> args;
        const char* result;
    };
    const Case cases[] = {
        {"CellIsDisplayTip", {2, 2}, "0"},
        {"CellIsDisplayEllipsis", {2, 2}, "0"},
        {"CellGetSelBackColor", {2, 2}, "-1"},
        {"CellGetInputType", {2, 2}, "-1"},
        {"CellSetValue", {2, 2, "x"}, "0"},
        {"CellSetHide", {2, 2, 1}, "0"},
        {"CellSetInputType", {2, 2, 1}, "0"},
        {"CellSetId", {2, 2, "id"}, "0"},
        {"CellGetTipText", {2, 2}, "\"\""},
        {"CellGetTextFont", {2, 2}, "\"\""},
        {"CellSetTextFontProperty", {2, 2, "fontsize", "9"}, "-1"},
        {"CellIsHide", {2, 2}, "0"},
        {"CellIsReadOnly", {2, 2}, "0"},
        {"CellSetControlType", {2, 2, 0}, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Call(ctl, c.name, c.args), c.result) << c.name;
}

// The grid's answers where the member used to claim success.
TEST(CellMembers, HideAndInputTypeAnswerTheGridsResult)
{
    Sheet sheet;
    EXPECT_EQ(sheet("CellSetInputType", {2, 2, 2}), "0");
    EXPECT_EQ(sheet("CellGetInputType", {2, 2}), "0");
    EXPECT_EQ(sheet("CellSetInputType", {2, 2, -1}), "0");
    EXPECT_EQ(sheet("CellSetInputType", {2, 2, 1}), "-1");
    EXPECT_EQ(sheet("CellSetHide", {2, 6, 1}), "0");
    EXPECT_EQ(sheet("CellSetHide", {2, 2, 1}), "-1");
    EXPECT_EQ(sheet("CellIsHide", {2, 2}), "-1");
    // A hidden cell is read-only and shows no tip; shown again it is neither.
    EXPECT_EQ(sheet("CellIsReadOnly", {2, 2}), "-1");
    EXPECT_EQ(sheet("CellIsDisplayTip", {2, 2}), "0");
    EXPECT_EQ(sheet("CellSetHide", {2, 2, 0}), "-1");
    EXPECT_EQ(sheet("CellIsHide", {2, 2}), "0");
    EXPECT_EQ(sheet("CellIsReadOnly", {2, 2}), "0");
    EXPECT_EQ(sheet("CellIsDisplayTip", {2, 2}), "-1");
    // A sheet that cannot be edited has every cell read-only.
    CGridDefaultSetting setting = sheet.grid().GetDefaultSettingRecord();
    setting.m_bEditable = 0;
    sheet.ctl.GetGrid()->SetDefaultSetting(setting);
    EXPECT_EQ(sheet("CellIsReadOnly", {3, 3}), "-1");
}

// Control types by number: 0 to 12 where the class exists; radio (8) and
// numbers outside the list fail and leave the cell as it was.
TEST(CellMembers, ControlTypes)
{
    ScopedStandIn<GCT_CHECKBOX> check;
    Sheet sheet;
    sheet("CellSetValue", {2, 2, "保留"});
    sheet("CellSetBackColor", {2, 2, 0x010203});
    for (int type : {static_cast<int>(GCT_RADIO), 13, -1, 1000}) {
        EXPECT_EQ(sheet("CellSetControlType", {2, 2, type}), "0") << type;
        EXPECT_EQ(sheet("CellGetControlType", {2, 2}), "0") << type;
    }
    EXPECT_EQ(sheet("CellSetControlType", {2, 2, GCT_CHECKBOX}), "-1");
    EXPECT_EQ(sheet("CellGetControlType", {2, 2}), "2");
    EXPECT_EQ(sheet("CellGetValue", {2, 2}), "\"保留\"");
    EXPECT_EQ(sheet("CellGetBackColor", {2, 2}), std::to_string(0x010203));
    // The control text chooses by its "controltype" value alone.
    EXPECT_EQ(sheet("CellSetControl", {3, 3, "<control controltype = \"radio\" ></control>"}), "0");
    EXPECT_EQ(sheet("CellSetControl", {3, 3, "<control controltype = \"checkbox\" ></control>"}), "-1");
    EXPECT_EQ(sheet("CellGetControlType", {3, 3}), "2");
    EXPECT_EQ(sheet("CellGetControlType", {8, 3}), "-1");
    // Without the class a type fails too.
    EXPECT_EQ(sheet("CellSetControlType", {4, 4, GCT_DATETIME}),
              ScopedStandIn<GCT_DATETIME>::RealClassPresent() ? "-1" : "0");
    // The image member answers FALSE and leaves the cell alone without the class.
    if (!ScopedStandIn<GCT_IMAGE>::RealClassPresent()) {
        EXPECT_EQ(sheet("CellSetImage", {4, 4, 1}), "0");
        EXPECT_EQ(sheet("CellGetControlType", {4, 4}),
                  ScopedStandIn<GCT_DATETIME>::RealClassPresent() ? std::to_string(GCT_DATETIME) : "0");
        EXPECT_EQ(sheet("CellIsModified", {4, 4}), "0");
    }
    ScopedStandIn<GCT_IMAGE> image;
    EXPECT_EQ(sheet("CellSetImage", {4, 4, 0xFFFF}), "0");
    EXPECT_EQ(sheet("CellSetImage", {4, 4, -1}), "0");
    EXPECT_EQ(sheet("CellSetImage", {4, 4, 0xFFFE}), "1");
    EXPECT_EQ(sheet("CellGetImage", {4, 4}), std::to_string(0xFFFE));
    EXPECT_EQ(sheet("CellGetControlType", {4, 4}), "12");
    EXPECT_EQ(sheet("CellIsModified", {4, 4}), "-1");
}

// The tip a tip window shows: the tip text, else the cell's own text while
// the default-setting record says texts are shown as tips.
TEST(CellMembers, CurrentTipText)
{
    Sheet sheet;
    sheet("CellSetValue", {2, 2, "内容"});
    EXPECT_EQ(sheet("CellGetTipText", {2, 2}), "\"\"");
    EXPECT_EQ(sheet("CellGetCurrentTipText", {2, 2}), "\"内容\"");
    sheet("CellSetTipText", {2, 2, "提示"});
    EXPECT_EQ(sheet("CellGetCurrentTipText", {2, 2}), "\"提示\"");
    sheet("CellSetTipText", {2, 2, ""});
    CGridDefaultSetting setting = sheet.grid().GetDefaultSettingRecord();
    setting.m_bTip = 0;
    sheet.ctl.GetGrid()->SetDefaultSetting(setting);
    EXPECT_EQ(sheet("CellGetCurrentTipText", {2, 2}), "\"\"");
    EXPECT_EQ(sheet("CellGetCurrentTipText", {8, 2}), "\"\"");
}

// The font setters re-fit the row only while the grid's auto-size-row
// setting is on; wrapping always re-fits it; a refused setter re-fits nothing.
TEST(CellMembers, RowsFitTheirCellsAfterFontsAndWrapping)
{
    const char* bigFont = "<font fontname = \"宋体\" fontsize = \"36\" ></font>";
    for (const BOOL autoSize : {TRUE, FALSE}) {
        SCOPED_TRACE(autoSize);
        Sheet sheet;
        CGridCtrl& grid = sheet.grid();
        grid.SetAutoSizeRowAfterEdit(autoSize);
        sheet("CellSetValue", {2, 2, "大字"});
        const int before = grid.GetRowHeight(2);
        EXPECT_EQ(sheet("CellSetTextFont", {2, 2, bigFont}), "-1");
        EXPECT_EQ(grid.GetRowHeight(2) > before, autoSize != FALSE);

        grid.SetRowHeight(3, 5);
        sheet("CellSetValue", {3, 2, "x"});
        sheet("CellSetTextFont", {3, 3, "<font fontname = \"宋体\" fontsize = \"9\" ></font>"});
        EXPECT_EQ(sheet("CellSetTextFontProperty", {3, 3, "fontsize", "30"}), "1");
        EXPECT_EQ(grid.GetRowHeight(3) > 5, autoSize != FALSE);

        // Wrapping a long text in a narrow column makes the row as tall as
        // the wrapped lines, whatever the setting.
        grid.SetColumnWidth(4, 40);
        sheet("CellSetValue", {4, 4, "words that wrap over several lines"});
        const int oneLine = grid.GetRowHeight(4);
        EXPECT_EQ(sheet("CellSetTextWrap", {4, 4, 1}), "-1");
        const int wrapped = grid.GetCellTextExtent(4, 4, "words that wrap over several lines").cy;
        EXPECT_GT(wrapped, 2 * oneLine);
        EXPECT_EQ(grid.GetRowHeight(4), wrapped);
        EXPECT_EQ(sheet("CellSetTextWrap", {4, 4, 0}), "-1");
        EXPECT_LT(grid.GetRowHeight(4), wrapped);

        // A refused call re-fits nothing.
        grid.SetRowHeight(5, 3);
        sheet("CellSetValue", {5, 2, "x"});
        EXPECT_EQ(sheet("CellSetTextWrap", {5, 6, 1}), "0");
        EXPECT_EQ(sheet("CellSetTextFont", {5, 6, bigFont}), "0");
        EXPECT_EQ(grid.GetRowHeight(5), 3);
    }
}

// CellSetFocus on a fixed or missing cell answers 0 and moves nothing; on a
// scrollable cell it makes it the focus cell, selected alone.
TEST(CellMembers, FocusCell)
{
    Sheet sheet;
    EXPECT_EQ(sheet("CellSetFocus", {3, 3}), "-1");
    EXPECT_EQ(sheet("CellSetFocus", {0, 3}), "0");
    EXPECT_EQ(sheet("CellSetFocus", {3, 0}), "0");
    EXPECT_EQ(sheet("CellSetFocus", {3, 6}), "0");
    EXPECT_EQ(sheet("CellGetFocusJ", {0}), "3");
    EXPECT_EQ(sheet("CellGetFocusJ", {1}), "3");
    EXPECT_EQ(sheet("CellSetFocus", {5, 2}), "-1");
    EXPECT_EQ(sheet("CellIsSelected", {5, 2}), "-1");
    EXPECT_EQ(sheet("CellIsSelected", {3, 3}), "0");
    EXPECT_EQ(sheet.grid().GetSelectedCount(), 1);
}

// A setter on a merged cell reaches every cell of its block; blocks,
// modified marks and the display text read back through the members.
TEST(CellMembers, MergedBlocksModifiedMarksAndDisplayTexts)
{
    Sheet sheet;
    Merge(sheet);
    EXPECT_EQ(sheet("CellIsMerged", {2, 2}), "-1");
    EXPECT_EQ(sheet("CellIsMerged", {4, 2}), "0");
    EXPECT_EQ(sheet("CellSetBackColor", {2, 2, 0x0000FF}), "-1");
    EXPECT_EQ(sheet("CellGetBackColor", {3, 4}), std::to_string(0x0000FF));
    EXPECT_EQ(sheet("CellGetMergeHeight", {4, 4}), std::to_string(sheet.grid().GetRowHeight(4)));
    EXPECT_EQ(sheet("CellGetMergeWidth", {4, 4}), "60");

    EXPECT_EQ(sheet("CellIsModified", {5, 5}), "0");
    sheet("CellSetValueEx", {5, 5, 0.5});
    EXPECT_EQ(sheet("CellIsModified", {5, 5}), "-1");
    EXPECT_EQ(sheet("CellGetValueEx", {5, 5}), "0.5");
    EXPECT_EQ(sheet("CellGetDataType", {5, 5}), "1");

    struct Case {
        const char* format;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {kCurrency, -1234.5, "￥1,234.50"},
        {"<format datatype = \"currency\" chinesecaption = \"1\" pointfrontsymbol = \"元\" "
         "pointbacksymbol1 = \"角\" pointbacksymbol2 = \"分\" lastsymbol = \"整\" ></format>",
         1234.56, "壹仟贰佰叁拾肆元伍角陆分整"},
        {"<format datatype = \"numeric\" decimal = \"1\" ></format>", 2.25, "2.3"},
        {"", 12.75, "12.75"},
    };
    for (const Case& c : cases) {
        sheet("CellSetValueEx", {6, 2, c.value});
        sheet("CellSetTextFormat", {6, 2, c.format});
        EXPECT_EQ(sheet("CellGetValueEx2", {6, 2}), "\"" + std::string(c.shown) + "\"") << c.format;
    }
}

// The size members a script sets a sheet up with.
TEST(CellMembers, SheetSize)
{
    CKivoSheetCtrl ctl;
    EXPECT_EQ(Call(ctl, "RowSetCount", {0}), "0");
    EXPECT_EQ(Call(ctl, "ColumnSetCount", {-3}), "0");
    // Fixed counts only below the counts; a member that sets nothing answers 0.
    EXPECT_EQ(Call(ctl, "RowSetFixedCount", {1}), "0");
    EXPECT_EQ(Call(ctl, "ColumnSetFixedCount", {1}), "0");
    EXPECT_EQ(Call(ctl, "RowGetFixedCount", {}), "0");
    EXPECT_EQ(Call(ctl, "RowSetCount", {4}), "-1");
    EXPECT_EQ(Call(ctl, "ColumnSetCount", {3}), "-1");
    EXPECT_EQ(Call(ctl, "RowSetFixedCount", {4}), "0");
    EXPECT_EQ(Call(ctl, "ColumnSetFixedCount", {3}), "0");
    EXPECT_EQ(Call(ctl, "RowSetFixedCount", {2}), "-1");
    EXPECT_EQ(Call(ctl, "ColumnSetFixedCount", {1}), "-1");
    EXPECT_EQ(Call(ctl, "RowGetCount", {}), "4");
    EXPECT_EQ(Call(ctl, "ColumnGetCount", {}), "3");
    EXPECT_EQ(Call(ctl, "RowGetFixedCount", {}), "2");
    EXPECT_EQ(Call(ctl, "ColumnGetFixedCount", {}), "1");
}

// Counts far beyond the sheet's bounds are refused at once and change nothing.
TEST(CellMembers, HugeCountsAreRefusedAndChangeNothing)
{
    CKivoSheetCtrl ctl;
    ASSERT_EQ(Call(ctl, "RowSetCount", {20}), "-1");
    ASSERT_EQ(Call(ctl, "ColumnSetCount", {5}), "-1");
    ASSERT_EQ(Call(ctl, "ColumnSetFixedCount", {1}), "-1");
    const struct {
        const char* member;
        int count;
    } cases[] = {
        {"ColumnSetCount", 2147483647}, {"RowSetCount", 2147483647}, {"ColumnToFixed", 2147483647},
        {"ColumnSetCount", GRID_MAX_COLUMNS + 1}, {"RowSetCount", GRID_MAX_ROWS + 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Call(ctl, c.member, {c.count}), "0") << c.member << " " << c.count;
        EXPECT_EQ(Call(ctl, "RowGetCount", {}), "20");
        EXPECT_EQ(Call(ctl, "ColumnGetCount", {}), "5");
        EXPECT_EQ(Call(ctl, "ColumnGetFixedCount", {}), "1");
    }
}

// Only cells of the sheet are fixed or not: an address outside it answers the
// failure value, whichever header row or column it names.
TEST(CellMembers, CellIsFixedOutsideTheSheetAnswersFalse)
{
    CKivoSheetCtrl ctl;
    ASSERT_EQ(Call(ctl, "RowSetCount", {20}), "-1");
    ASSERT_EQ(Call(ctl, "ColumnSetCount", {5}), "-1");
    ASSERT_EQ(Call(ctl, "RowSetFixedCount", {1}), "-1");
    ASSERT_EQ(Call(ctl, "ColumnSetFixedCount", {1}), "-1");
    const struct {
        int row, col;
        const char* fixed;
    } cases[] = {
        {0, 0, "-1"}, {0, 3, "-1"}, {7, 0, "-1"}, {19, 0, "-1"}, {0, 4, "-1"},   // headers
        {7, 3, "0"},                                                              // a data cell
        {99, 0, "0"}, {20, 0, "0"}, {0, 99, "0"}, {0, 5, "0"},                    // past the last line
        {-1, 2, "0"}, {2, -1, "0"}, {-1, -1, "0"}, {2147483647, 0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Call(ctl, "CellIsFixed", {c.row, c.col}), c.fixed) << c.row << ", " << c.col;
}

namespace {

const char kParentClass[] = "KivoCellMembersTestWindow";

bool Erased(HWND window)
{
    for (const Headless::InvalidateRecord& r : Headless::Invalidations(window))
        if (r.erase)
            return true;
    return false;
}

}  // namespace

// Setters of what shows redraw the grid and the control in full; setters of
// data that does not show at once leave redrawing to the grid; getters redraw
// nothing.
TEST(CellMembers, RedrawMarks)
{
    Headless::Reset();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kParentClass, "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                CRect(0, 0, 640, 480), nullptr, 0));
    ScopedStandIn<GCT_COMBOBOX> combo;
    {
        CKivoSheetCtrl ctl;
        ASSERT_TRUE(ctl.CreateControl(parent.GetSafeHwnd(), CRect(0, 0, 400, 300)));
        PlatformPumpMessages();
        struct Case {
            const char* name;
            std::vector<V> args;
            bool full;
        };
        const std::vector<Case> cases = {
            {"CellSetValue", {2, 2, "x"}, true},
            {"CellSetValueEx", {2, 2, 1.0}, true},
            {"CellSetBackColor", {2, 2, 1}, true},
            {"CellSetTextColor", {2, 2, 1}, true},
            {"CellSetTextFont", {2, 2, kFont}, true},
            {"CellSetTextFontProperty", {2, 2, "fontsize", "10"}, true},
            {"CellDelTextFontProperty", {2, 2, "fontsize"}, true},
            {"CellSetTextFormat", {2, 2, kCurrency}, true},
            {"CellSetTextFormatProperty", {2, 2, "decimal", "1"}, true},
            {"CellDelTextFormatProperty", {2, 2, "decimal"}, true},
            {"CellSetDisplayEllipsis", {2, 2, 1}, true},
            {"CellSetHide", {2, 2, 0}, true},
            {"CellSetSelBackColor", {2, 2, 1}, true},
            {"CellSetControlType", {2, 2, 0}, true},
            {"CellSetControl", {2, 2, kCombo}, true},
            {"CellSetControlProperty", {2, 2, "datasource", "a"}, true},
            {"CellDelControlProperty", {2, 2, "datasource"}, true},
            {"CellSetBorder", {2, 2, 1, 0, 0, 1}, true},
            {"CellSetTextWrap", {2, 2, 1}, true},
            {"CellSetAlign", {2, 2, DT_CENTER}, true},
            {"CellSetTipText", {2, 2, "t"}, false},
            {"CellSetDisplayTip", {2, 2, 1}, false},
            {"CellSetMemo", {2, 2, "m"}, false},
            {"CellSetId", {2, 2, "i"}, false},
            {"CellSetReadOnly", {2, 2, 1}, false},
            {"CellSetInputType", {2, 2, 1}, false},
            {"CellSetInputLimit", {2, 2, 1, 0.0, 1.0}, false},
            {"CellSetDateType", {2, 2, 1}, false},
            {"CellDelBorder", {2, 2, 1}, false},
            {"CellSetFormula", {2, 2, "=1"}, false},
            {"CellSetImage", {2, 2, 1}, false},
            {"CellSetItemData", {2, 2, 1}, false},
            {"CellSetFocus", {2, 2}, false},
            {"CellGetValue", {2, 2}, false},
            {"CellGetAlign", {2, 2}, false},
            {"CellGetBorderJ", {2, 2, 1, 0}, false},
        };
        HWND gridWindow = ctl.GetGrid()->GetGridWindow()->GetSafeHwnd();
        for (const Case& c : cases) {
            Headless::ClearInvalidations(ctl.GetSafeHwnd());
            Headless::ClearInvalidations(gridWindow);
            Call(ctl, c.name, c.args);
            EXPECT_EQ(Erased(ctl.GetSafeHwnd()), c.full) << c.name;
            // A full redraw refreshes the grid window too.
            if (c.full) {
                EXPECT_TRUE(Erased(gridWindow)) << c.name;
            }
        }
        ctl.DestroyWindow();
    }
    parent.DestroyWindow();
}
