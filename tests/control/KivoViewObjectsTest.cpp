// The column, row and range objects and the control members that hand them
// out (RowGetObject, ColumnGetObject) or move font objects
// (CellGetTextFontEx, CellSetTextFontEx), over a control whose sheet is 5 x 4
// with one fixed row and column: what each member reaches, an index outside
// the sheet, every member's status and out-parameter, and objects kept after
// their control has gone.
#include "control/DispInvoke.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string S(const CString& s)
{
    return s.GetString();
}

// The control with its 5 x 4 sheet, made through the size members as a
// script makes it.
struct Sheet {
    Sheet()
    {
        ctl.RowSetCount(5);
        ctl.ColumnSetCount(4);
        ctl.RowSetFixedCount(1);
        ctl.ColumnSetFixedCount(1);
    }
    CGridCtrl& grid() { return *ctl.GetGrid()->GetGridCtrl(); }

    // One line per cell of what the objects' setters could change.
    std::string Snapshot()
    {
        std::string out;
        CGridCtrl& g = grid();
        for (int r = 0; r < g.GetRowCount(); ++r)
            for (int c = 0; c < g.GetColumnCount(); ++c)
                out += S(g.GetCellText(r, c)) + "/" + std::to_string(g.GetCellBackColor(r, c)) + "/" +
                       S(g.GetCellTextFont(r, c)) + "/" + std::to_string(g.IsCellMerged(r, c)) + "/" +
                       std::to_string(g.GetCellBorderFlags(r, c)) + "/" + std::to_string(g.IsCellHide(r, c)) +
                       "\n";
        return out;
    }

    CKivoSheetCtrl ctl;
};

template <class T>
T* As(const CKivoObjectPtr& object)
{
    T* typed = dynamic_cast<T*>(object.get());
    EXPECT_NE(typed, nullptr);
    return typed;
}

// One member of a view object: called with its out-parameter preset to a
// value no member answers; the text is what it wrote ("-" for no result).
template <class T>
struct Member {
    const char* name;
    std::function<HRESULT(T&, std::string&)> call;
};

#define KIVO_GET(TYPE, NAME)                                                 \
    {                                                                        \
        #NAME, [](T& o, std::string& out) {                                  \
            TYPE v = static_cast<TYPE>(12345);                               \
            const HRESULT hr = o.NAME(v);                                    \
            out = std::to_string(v);                                         \
            return hr;                                                       \
        }                                                                    \
    }
#define KIVO_GET_TEXT(NAME)                                                  \
    {                                                                        \
        #NAME, [](T& o, std::string& out) {                                  \
            CString v("stale");                                              \
            const HRESULT hr = o.NAME(v);                                    \
            out = "\"" + S(v) + "\"";                                        \
            return hr;                                                       \
        }                                                                    \
    }
#define KIVO_GET_OBJECT(NAME)                                                \
    {                                                                        \
        #NAME, [](T& o, std::string& out) {                                  \
            CKivoObjectPtr v = CreateKivoFontObject("stale");                \
            const HRESULT hr = o.NAME(v);                                    \
            out = v ? "object" : "null";                                     \
            return hr;                                                       \
        }                                                                    \
    }
#define KIVO_CALL(NAME, ...)                                                 \
    {                                                                        \
        #NAME, [](T& o, std::string& out) {                                  \
            out = "-";                                                       \
            return o.NAME(__VA_ARGS__);                                      \
        }                                                                    \
    }

// The members the three classes share, in the column's table order.
template <class T>
std::vector<Member<T>> SharedMembers()
{
    static CKivoFont font;
    return {
        KIVO_GET(LONG, get_crBackColor),
        KIVO_CALL(put_crBackColor, 0xFF),
        KIVO_CALL(SetControl, "<control controltype=\"edit\" ></control>"),
        KIVO_GET_TEXT(GetControl),
        KIVO_CALL(SetControlEx, &font),
        KIVO_GET_OBJECT(GetControlEx),
        KIVO_GET(LONG, get_crTextColor),
        KIVO_CALL(put_crTextColor, 0xFF00),
        KIVO_CALL(SetFont, "<font fontsize = \"12\" ></font>"),
        KIVO_GET_TEXT(GetFont),
        KIVO_CALL(SetFontEx, &font),
        KIVO_GET_OBJECT(GetFontEx),
        KIVO_CALL(SetTextFormat, "<format decimal = \"2\" ></format>"),
        KIVO_GET_TEXT(GetTextFormat),
        KIVO_GET_TEXT(get_strValue),
        KIVO_CALL(put_strValue, "v"),
        KIVO_GET(double, get_dbValueEx),
        KIVO_CALL(put_dbValueEx, 2.5),
        KIVO_GET(SHORT, get_iTextWrap),
        KIVO_CALL(put_iTextWrap, -1),
        KIVO_GET(SHORT, get_iReadOnly),
        KIVO_CALL(put_iReadOnly, -1),
        KIVO_GET(SHORT, get_iHide),
        KIVO_CALL(put_iHide, 0),
        KIVO_CALL(SetBorder, 15, 0, 0xFF, 1),
        KIVO_GET(LONG, get_nBorderFlags),
        KIVO_GET(LONG, get_nAlign),
        KIVO_CALL(put_nAlign, DT_CENTER),
        KIVO_CALL(Merge),
        KIVO_GET(SHORT, get_iIsMerged),
    };
}

template <class T>
std::vector<Member<T>> AllMembers();

template <>
std::vector<Member<CKivoColumnBase>> AllMembers<CKivoColumnBase>()
{
    using T = CKivoColumnBase;
    std::vector<Member<T>> all = {KIVO_GET(LONG, get_nColIndex)};
    for (const Member<T>& m : SharedMembers<T>())
        all.push_back(m);
    return all;
}

template <>
std::vector<Member<CKivoRowBase>> AllMembers<CKivoRowBase>()
{
    using T = CKivoRowBase;
    std::vector<Member<T>> all = {KIVO_GET(LONG, get_nRowIndex)};
    for (const Member<T>& m : SharedMembers<T>())
        all.push_back(m);
    return all;
}

template <>
std::vector<Member<CKivoRangeBase>> AllMembers<CKivoRangeBase>()
{
    using T = CKivoRangeBase;
    std::vector<Member<T>> all = {KIVO_GET(LONG, get_nMinRow), KIVO_GET(LONG, get_nMinCol),
                                  KIVO_GET(LONG, get_nMaxRow), KIVO_GET(LONG, get_nMaxCol),
                                  KIVO_GET(SHORT, get_iIsMerge)};
    for (const Member<T>& m : SharedMembers<T>())
        all.push_back(m);
    return all;
}

// What a getter answers when the object cannot act: 0, "", no object, and
// -1 for an index or a bound.
const std::map<std::string, std::string> kFailure = {
    {"get_nColIndex", "-1"}, {"get_nRowIndex", "-1"}, {"get_nMinRow", "-1"}, {"get_nMinCol", "-1"},
    {"get_nMaxRow", "-1"},   {"get_nMaxCol", "-1"},   {"get_iIsMerge", "0"},  {"get_crBackColor", "0"},
    {"GetControl", "\"\""},  {"GetControlEx", "null"}, {"get_crTextColor", "0"}, {"GetFont", "\"\""},
    {"GetFontEx", "null"},   {"GetTextFormat", "\"\""}, {"get_strValue", "\"\""}, {"get_dbValueEx", "0.000000"},
    {"get_iTextWrap", "0"},  {"get_iReadOnly", "0"},   {"get_iHide", "0"},      {"get_nBorderFlags", "0"},
    {"get_nAlign", "0"},     {"get_iIsMerged", "0"},
};

// Every member answers S_OK; every getter writes its failure value.
template <class T>
void ExpectFailureValues(T& object, const char* what)
{
    SCOPED_TRACE(what);
    for (const Member<T>& m : AllMembers<T>()) {
        std::string out;
        EXPECT_EQ(m.call(object, out), kKivoOk) << m.name;
        if (out != "-") {
            ASSERT_EQ(kFailure.count(m.name), 1u) << m.name;
            EXPECT_EQ(out, kFailure.at(m.name)) << m.name;
        }
    }
}

}  // namespace

// Objects made by their ProgID hold no grid: every member succeeds, does
// nothing and answers its failure value.
TEST(KivoViewObjects, WithoutAGridEveryMemberAnswersItsFailureValue)
{
    CKivoObjectPtr column = CreateKivoObjectOfClass(KivoClass_KivoColumn);
    CKivoObjectPtr row = CreateKivoObjectOfClass(KivoClass_KivoRow);
    CKivoObjectPtr range = CreateKivoObjectOfClass(KivoClass_KivoRange);
    ASSERT_NE(dynamic_cast<CKivoColumn*>(column.get()), nullptr);
    ASSERT_NE(dynamic_cast<CKivoRow*>(row.get()), nullptr);
    ASSERT_NE(dynamic_cast<CKivoRange*>(range.get()), nullptr);
    ExpectFailureValues(*As<CKivoColumnBase>(column), "column");
    ExpectFailureValues(*As<CKivoRowBase>(row), "row");
    ExpectFailureValues(*As<CKivoRangeBase>(range), "range");
}

// On a live sheet every member succeeds and every getter writes its
// out-parameter (the preset value never survives).
TEST(KivoViewObjects, OnASheetEveryMemberWritesItsResult)
{
    Sheet sheet;
    CKivoObjectPtr column = sheet.ctl.ColumnGetObject(2);
    CKivoObjectPtr row = sheet.ctl.RowGetObject(3);
    CKivoObjectPtr range = CreateKivoRangeObject(sheet.ctl.GridLink(), 1, 1, 2, 3);
    auto check = [](auto& object, const char* what) {
        using T = std::remove_reference_t<decltype(object)>;
        SCOPED_TRACE(what);
        for (const Member<T>& m : AllMembers<T>()) {
            std::string out;
            EXPECT_EQ(m.call(object, out), kKivoOk) << m.name;
            EXPECT_EQ(out.find("12345"), std::string::npos) << m.name;
            EXPECT_NE(out, "\"stale\"") << m.name;
        }
    };
    check(*As<CKivoColumnBase>(column), "column");
    check(*As<CKivoRowBase>(row), "row");
    check(*As<CKivoRangeBase>(range), "range");
}

// ColumnGetObject(2).crBackColor colours rows 1 to the last of column 2 and
// leaves the header; the getter reads row 1.
TEST(KivoViewObjects, ColumnColoursItsBodyCells)
{
    Sheet sheet;
    std::vector<LONG> before;
    for (LONG r = 0; r < 5; ++r)
        for (LONG c = 0; c < 4; ++c)
            before.push_back(sheet.ctl.CellGetBackColor(r, c));
    CKivoObjectPtr object = sheet.ctl.ColumnGetObject(2);
    CKivoColumnBase* column = As<CKivoColumnBase>(object);
    LONG index = 0;
    column->get_nColIndex(index);
    EXPECT_EQ(index, 2);
    column->put_crBackColor(0x0000FF);
    for (LONG r = 0; r < 5; ++r)
        for (LONG c = 0; c < 4; ++c)
            EXPECT_EQ(sheet.ctl.CellGetBackColor(r, c),
                      c == 2 && r >= 1 ? 0x0000FF : before[static_cast<size_t>(r * 4 + c)])
                << r << "," << c;
    ASSERT_NE(before[2], 0x0000FF);
    sheet.ctl.CellSetBackColor(1, 2, 0x00FF00);
    LONG read = 0;
    column->get_crBackColor(read);
    EXPECT_EQ(read, 0x00FF00);
    // Only a column inside the sheet joins the format columns.
    EXPECT_EQ(sheet.grid().GetFormatColumns(), std::vector<int>{2});
}

// An index outside the sheet still gives an object; it reads -1, changes
// nothing and joins no format list.
TEST(KivoViewObjects, IndexOutsideTheSheet)
{
    Sheet sheet;
    const std::string before = sheet.Snapshot();
    for (LONG index : {-1, 4, 100}) {
        SCOPED_TRACE(index);
        CKivoObjectPtr object = sheet.ctl.ColumnGetObject(index);
        ASSERT_NE(object, nullptr);
        ExpectFailureValues(*As<CKivoColumnBase>(object), "column");
    }
    for (LONG index : {-1, 5}) {
        SCOPED_TRACE(index);
        CKivoObjectPtr object = sheet.ctl.RowGetObject(index);
        ASSERT_NE(object, nullptr);
        ExpectFailureValues(*As<CKivoRowBase>(object), "row");
    }
    EXPECT_EQ(sheet.Snapshot(), before);
    EXPECT_TRUE(sheet.grid().GetFormatColumns().empty());
    EXPECT_TRUE(sheet.grid().GetFormatRows().empty());
    // The members hand out an object through the dispatcher too.
    const CMemberInfo* m = FindKivoSheetMemberByName("ColumnGetObject");
    ASSERT_NE(m, nullptr);
    CDispArg arg;
    arg.type = DispType::Long;
    arg.l = -1;
    CDispResult r;
    ASSERT_TRUE(InvokeKivoSheetMember(sheet.ctl, *m, DispCall::Method, &arg, r));
    EXPECT_EQ(r.type, DispType::Object);
    EXPECT_NE(dynamic_cast<CKivoColumn*>(r.obj.get()), nullptr);
}

// RowGetObject sets values, fonts and a merge on the row's body cells.
TEST(KivoViewObjects, RowSetsValuesFontsAndAMerge)
{
    Sheet sheet;
    CKivoObjectPtr object = sheet.ctl.RowGetObject(2);
    CKivoRowBase* row = As<CKivoRowBase>(object);
    row->put_strValue("甲");
    for (LONG c = 0; c < 4; ++c)
        EXPECT_EQ(S(sheet.ctl.CellGetValue(2, c)), c >= 1 ? "甲" : S(sheet.grid().GetCellText(2, 0))) << c;
    EXPECT_NE(S(sheet.ctl.CellGetValue(2, 0)), "甲");
    EXPECT_NE(S(sheet.ctl.CellGetValue(1, 1)), "甲");
    row->put_dbValueEx(12.5);
    double value = 0;
    row->get_dbValueEx(value);
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(sheet.ctl.CellGetValueEx(2, 3), 12.5);

    CKivoFont font;
    font.put_strXml("<font fontname = \"宋体\" fontsize = \"14\" ></font>");
    font.put_iBold(-1);
    row->SetFontEx(&font);
    for (LONG c = 1; c < 4; ++c)
        EXPECT_EQ(S(sheet.ctl.CellGetTextFont(2, c)), "<font weight = \"FW_BOLD\"  fontname = \"宋体\" fontsize = \"14\" "
                                                      "></font>")
            << c;
    CKivoObjectPtr back;
    row->GetFontEx(back);
    SHORT bold = 0;
    As<CKivoFontBase>(back)->get_iBold(bold);
    EXPECT_EQ(bold, 1);
    // No object, or one that is not a font, sets nothing.
    const std::string before = sheet.Snapshot();
    row->SetFontEx(nullptr);
    row->SetFontEx(object.get());
    EXPECT_EQ(sheet.Snapshot(), before);

    SHORT merged = 1;
    row->get_iIsMerged(merged);
    EXPECT_EQ(merged, 0);
    row->Merge();
    row->get_iIsMerged(merged);
    EXPECT_EQ(merged, 1);
    LONG r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    EXPECT_TRUE(sheet.ctl.CellGetMergeRange(2, 2, r1, c1, r2, c2));
    EXPECT_EQ((std::vector<LONG>{r1, c1, r2, c2}), (std::vector<LONG>{2, 1, 2, 3}));
    EXPECT_EQ(sheet.grid().GetFormatRows(), std::vector<int>{2});
}

// A range over (1,1)-(2,3): strValue sets six cells and reads (1,1); its
// bounds read as given; Merge joins the rectangle.
TEST(KivoViewObjects, RangeCoversItsRectangle)
{
    Sheet sheet;
    sheet.ctl.CellSetValue(2, 3, "corner");
    CKivoObjectPtr object = CreateKivoRangeObject(sheet.ctl.GridLink(), 1, 1, 2, 3);
    CKivoRangeBase* range = As<CKivoRangeBase>(object);
    LONG bounds[4] = {};
    range->get_nMinRow(bounds[0]);
    range->get_nMinCol(bounds[1]);
    range->get_nMaxRow(bounds[2]);
    range->get_nMaxCol(bounds[3]);
    EXPECT_EQ((std::vector<LONG>(bounds, bounds + 4)), (std::vector<LONG>{1, 1, 2, 3}));
    sheet.ctl.CellSetValue(1, 1, "first");
    CString read;
    range->get_strValue(read);
    EXPECT_EQ(S(read), "first");
    range->put_strValue("x");
    int count = 0;
    for (LONG r = 0; r < 5; ++r)
        for (LONG c = 0; c < 4; ++c)
            count += S(sheet.ctl.CellGetValue(r, c)) == "x" ? 1 : 0;
    EXPECT_EQ(count, 6);
    range->Merge();
    SHORT merged = 0, merge = 0;
    range->get_iIsMerged(merged);
    range->get_iIsMerge(merge);
    EXPECT_EQ(merged, 1);
    EXPECT_EQ(merge, 1);
    EXPECT_EQ(sheet.ctl.CellGetMergeWidth(2, 3), sheet.ctl.CellGetMergeWidth(1, 1));
}

// CellGetTextFontEx hands out a font object with the cell's font text; made
// bold with a script's True it goes back with CellSetTextFontEx, which
// answers the grid's result.
TEST(KivoViewObjects, CellFontObjectsGoOutAndComeBack)
{
    Sheet sheet;
    sheet.ctl.CellSetTextFont(2, 2, "<font fontname = \"宋体\" fontsize = \"9\" ></font>");
    CKivoObjectPtr object = sheet.ctl.CellGetTextFontEx(2, 2);
    CKivoFont* font = dynamic_cast<CKivoFont*>(object.get());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(S(font->GetText()), "<font fontname = \"宋体\" fontsize = \"9\" ></font>");
    font->put_iBold(-1);
    EXPECT_EQ(sheet.ctl.CellSetTextFontEx(3, 3, font), 1);
    EXPECT_EQ(S(sheet.ctl.CellGetTextFont(3, 3)), "<font weight = \"FW_BOLD\"  fontname = \"宋体\" fontsize = \"9\" ></font>");
    EXPECT_EQ(S(sheet.ctl.CellGetTextFontProperty(3, 3, "weight")), "FW_BOLD");
    // Every call makes a new object.
    CKivoObjectPtr again = sheet.ctl.CellGetTextFontEx(2, 2);
    EXPECT_NE(again.get(), object.get());

    // A cell outside the sheet, no object or another kind of object: 0 and
    // nothing changes.
    const std::string before = sheet.Snapshot();
    EXPECT_EQ(sheet.ctl.CellSetTextFontEx(5, 1, font), 0);
    EXPECT_EQ(sheet.ctl.CellSetTextFontEx(2, 2, nullptr), 0);
    CKivoCellBorder border;
    EXPECT_EQ(sheet.ctl.CellSetTextFontEx(2, 2, &border), 0);
    EXPECT_EQ(sheet.Snapshot(), before);
    EXPECT_EQ(sheet.ctl.CellGetTextFontEx(5, 1), nullptr);
    EXPECT_EQ(sheet.ctl.CellGetTextFontEx(1, -1), nullptr);

    // The grid's result: in virtual mode the cell exists by its address but
    // holds no font, and the member says so.
    sheet.grid().SetVirtualMode(TRUE);
    sheet.grid().SetRowCount(5);
    sheet.grid().SetColumnCount(4);
    ASSERT_TRUE(sheet.ctl.CellIsValid(2, 2));
    EXPECT_EQ(sheet.ctl.CellSetTextFontEx(2, 2, font), 0);
}

// Objects kept after their control has gone do nothing and answer failure
// values; nothing of the freed grid is touched (the sanitizers watch).
TEST(KivoViewObjects, ObjectsKeptAfterTheControlHasGone)
{
    CKivoObjectPtr column, row, range, font;
    {
        Sheet sheet;
        column = sheet.ctl.ColumnGetObject(2);
        row = sheet.ctl.RowGetObject(2);
        range = CreateKivoRangeObject(sheet.ctl.GridLink(), 1, 1, 2, 2);
        font = sheet.ctl.CellGetTextFontEx(1, 1);
        LONG index = 0;
        As<CKivoColumnBase>(column)->get_nColIndex(index);
        ASSERT_EQ(index, 2);
    }
    ExpectFailureValues(*As<CKivoColumnBase>(column), "column");
    ExpectFailureValues(*As<CKivoRowBase>(row), "row");
    ExpectFailureValues(*As<CKivoRangeBase>(range), "range");
    // A value object holds its own copy and keeps working.
    CString text;
    As<CKivoFontBase>(font)->get_strXml(text);
    EXPECT_FALSE(text.IsEmpty());
}
