// The dispatch table and the conventions every member shares: result
// conversion, failure values of members not built yet, by-reference
// arguments, property access, and the members the control builds now.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoSheetDispatch.gen.h"
#include "control/KivoSheetEvents.gen.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoGuids.gen.h"
#include "control/KivoObjects.gen.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

CDispResult Call(CKivoSheetDispatch& target, LONG dispid, std::vector<CDispArg> args = {},
                 DispCall kind = DispCall::Method)
{
    const CMemberInfo* m = FindKivoSheetMember(dispid);
    EXPECT_NE(m, nullptr) << dispid;
    CDispResult r;
    if (m == nullptr)
        return r;
    if (kind != DispCall::PropertyPut) {
        EXPECT_EQ(static_cast<int>(args.size()), kind == DispCall::PropertyGet ? 0 : m->argc) << m->name;
        for (size_t i = 0; i < args.size() && static_cast<int>(i) < m->argc; ++i)
            args[i].type = m->args[i];
    }
    if (args.empty())
        args.resize(1);
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, kind, args.data(), r)) << m->name;
    return r;
}

CDispArg Long(LONG v)
{
    CDispArg a;
    a.l = v;
    a.type = DispType::Long;
    return a;
}

CDispArg Short(SHORT v)
{
    CDispArg a;
    a.s = v;
    a.type = DispType::Short;
    return a;
}

CDispArg Text(const char* v)
{
    CDispArg a;
    a.str = v;
    a.type = DispType::String;
    return a;
}

TEST(DispatchTable, HoldsEveryMemberOnceInDispidOrder)
{
    int count = 0;
    const CMemberInfo* table = KivoSheetMembers(&count);
    // 4 properties and 497 methods, AboutBox among them.
    EXPECT_EQ(count, 501);
    int properties = 0;
    std::set<std::string> names;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].dispid, table[i].dispid);
        }
        if (table[i].property)
            ++properties;
        EXPECT_TRUE(names.insert(table[i].name).second) << table[i].name;
        EXPECT_EQ(FindKivoSheetMember(table[i].dispid), &table[i]);
    }
    EXPECT_EQ(properties, 4);
    EXPECT_EQ(table[0].dispid, -552);
    EXPECT_STREQ(table[0].name, "AboutBox");
    EXPECT_EQ(FindKivoSheetMember(161), nullptr);   // no member has DISPID 161
    EXPECT_EQ(FindKivoSheetMember(502), nullptr);
    EXPECT_EQ(FindKivoSheetMember(0), nullptr);
}

TEST(DispatchTable, NamesAreFoundWithoutRegardToCase)
{
    struct Case {
        const char* name;
        LONG dispid;
    };
    const Case cases[] = {{"GridDefCellTextColor", 1}, {"griddefselbordercolor", 4}, {"CELLSETVALUE", 5},
                          {"GridAddPopuMenu", 501}, {"aboutbox", -552}, {"FormulaGetUserConst", 414}};
    for (const Case& c : cases) {
        const CMemberInfo* m = FindKivoSheetMemberByName(c.name);
        ASSERT_NE(m, nullptr) << c.name;
        EXPECT_EQ(m->dispid, c.dispid) << c.name;
    }
    EXPECT_EQ(FindKivoSheetMemberByName("CellSetValu"), nullptr);
    EXPECT_EQ(FindKivoSheetMemberByName(""), nullptr);
    EXPECT_EQ(FindKivoSheetMemberByName(nullptr), nullptr);
}

TEST(DispatchTable, MembersKeepTheirArgumentShapes)
{
    struct Case {
        LONG dispid;
        DispType result;
        std::vector<DispType> args;
    };
    const std::vector<Case> cases = {
        {5, DispType::Bool, {DispType::Long, DispType::Long, DispType::String}},
        {8, DispType::Double, {DispType::Long, DispType::Long}},
        {32, DispType::Bool, {DispType::String, DispType::RefLong, DispType::RefLong}},
        {44, DispType::Bool, {DispType::Long, DispType::Long, DispType::RefDouble, DispType::RefDouble}},
        {125, DispType::Long, {DispType::Short, DispType::Short, DispType::Short}},
        {236, DispType::Short, {DispType::RefLong}},
        {248, DispType::Long, {DispType::RefString}},
        {355, DispType::Object, {DispType::Long, DispType::Long}},
        {372, DispType::Void, {DispType::Object}},
        {414, DispType::Short, {DispType::Float, DispType::RefString, DispType::RefDouble}},
        {448, DispType::Long, {DispType::Bytes, DispType::Long}},
        {-552, DispType::Void, {}},
    };
    for (const Case& c : cases) {
        const CMemberInfo* m = FindKivoSheetMember(c.dispid);
        ASSERT_NE(m, nullptr) << c.dispid;
        EXPECT_EQ(m->result, c.result) << m->name;
        ASSERT_EQ(m->argc, static_cast<int>(c.args.size())) << m->name;
        for (int i = 0; i < m->argc; ++i)
            EXPECT_EQ(m->args[i], c.args[static_cast<size_t>(i)]) << m->name << " argument " << i;
    }
}

TEST(DispatchTable, EventTableHoldsTheTwentyEightEvents)
{
    int count = 0;
    const CMemberInfo* events = KivoSheetEventTable(&count);
    ASSERT_EQ(count, 28);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(events[i].dispid, i + 1);
    EXPECT_STREQ(events[0].name, "GridMouseMove");
    EXPECT_STREQ(events[27].name, "GridMenuCommand");
    const CMemberInfo* start = FindKivoSheetEventByName("gridcellstartedit");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->dispid, 18);
    EXPECT_EQ(start->args[3], DispType::RefShort);
}

// Members not built yet answer their failure value, never success.
TEST(DispatchConventions, MembersNotBuiltAnswerTheirFailureValue)
{
    CKivoSheetDispatch unbuilt;
    struct Case {
        LONG dispid;
        std::vector<CDispArg> args;
        DispType type;
        double value;
    };
    const std::vector<Case> cases = {
        {5, {Long(1), Long(1), Text("x")}, DispType::Bool, 0},       // CellSetValue
        {53, {}, DispType::Long, 0},                                 // RowGetCount
        {61, {Long(1)}, DispType::Long, -1},                         // RowGetHeight
        {188, {}, DispType::Long, -1},                               // SECharGetFontSize
        // Without a locked cell a bool member answers False, as every bool
        // member fails: not True (-1).
        {196, {CDispArg()}, DispType::Bool, 0},                      // SECharGetBgColor
        {197, {Long(0), Long(1), CDispArg()}, DispType::Bool, 0},    // SECharGetBgColorEx
        {317, {Text("A1"), Short(0)}, DispType::Long, -1},           // CellGetMarkFromIdJ
        {318, {Long(1), Long(1), Short(0)}, DispType::Double, 0},    // CellGetInputLimitJ
        {321, {Short(0)}, DispType::Long, -1},                       // CellGetFocusJ
        {139, {Text("a.kvx"), Text("")}, DispType::Long, -1},        // GridOpenFile
        // The other readers and writers of whole sheets fail as the file
        // reader does (-1), never with 0.
        {464, {Text("QUJD"), Text("")}, DispType::Short, -1},        // GridOpenBase64String
        {390, {Text("a.kvx"), Text("")}, DispType::Short, -1},       // GridOpenTemplate
        {360, {Text("http://h/a"), Text("")}, DispType::Long, -1},   // GridOpenRemoteFile
        {376, {Text("http://h/a"), Text(""), Text("a")}, DispType::Short, -1},   // GridSaveRemoteFile
        // Lookups answer -1 for an unknown name: 0 is the first position.
        {371, {Text("b")}, DispType::Long, -1},                      // DBFindBind
        {378, {Text("c")}, DispType::Long, -1},                      // DBFindConnection
        {444, {Text("p.bmp")}, DispType::Long, -1},                  // GridAddImage
        {420, {}, DispType::Short, 0},                               // GridGetCurSelectType
    };
    for (const Case& c : cases) {
        CDispResult r = Call(unbuilt, c.dispid, c.args);
        const CMemberInfo* m = FindKivoSheetMember(c.dispid);
        EXPECT_EQ(r.type, c.type) << m->name;
        const double got = r.type == DispType::Long ? r.l : r.type == DispType::Double ? r.d : r.s;
        EXPECT_EQ(got, c.value) << m->name;
    }
    CDispResult text = Call(unbuilt, 7, {Long(1), Long(1)});   // CellGetValue
    EXPECT_EQ(text.type, DispType::String);
    EXPECT_TRUE(text.str.IsEmpty());
    CDispResult object = Call(unbuilt, 355, {Long(1), Long(1)});   // GridAddTree
    EXPECT_EQ(object.type, DispType::Object);
    EXPECT_EQ(object.obj, nullptr);
    CDispResult none = Call(unbuilt, 113);   // GridRefresh
    EXPECT_EQ(none.type, DispType::Void);
}

// A dispatch target whose members answer what a test sets.
class ScriptedDispatch : public CKivoSheetDispatch {
public:
    BOOL DoCellSetValue(LONG, LONG, const CString& strValue) override
    {
        lastText = strValue.GetString();
        return boolAnswer;
    }
    int DoCellSetTextFontProperty(LONG, LONG, const CString&, const CString&) override { return shortAnswer; }
    BOOL DoGridGetTopLeft(LONG& nRow, LONG& nCol) override
    {
        nRow += 10;
        nCol = 7;
        return TRUE;
    }
    LONG DoSEParaGetContent(CString& lpszBuffer) override
    {
        lpszBuffer = "para";
        return 4;
    }

    BOOL boolAnswer = 0;
    int shortAnswer = 0;
    std::string lastText;
};

TEST(DispatchConventions, BoolResultsAreMinusOneOrZero)
{
    ScriptedDispatch t;
    for (BOOL v : {0, 1, 2, -1, 0x10000}) {
        t.boolAnswer = v;
        CDispResult r = Call(t, 5, {Long(0), Long(0), Text("abc")});
        EXPECT_EQ(r.type, DispType::Bool);
        EXPECT_EQ(r.s, v ? -1 : 0) << v;
    }
    EXPECT_EQ(t.lastText, "abc");
}

TEST(DispatchConventions, ShortResultsKeepTheLowSixteenBits)
{
    ScriptedDispatch t;
    const std::pair<int, SHORT> cases[] = {{1, 1}, {0, 0}, {-1, -1}, {32767, 32767},
                                           {32768, -32768}, {70000, 4464}, {65536, 0}};
    for (const auto& c : cases) {
        t.shortAnswer = c.first;
        CDispResult r = Call(t, 14, {Long(0), Long(0), Text("fontsize"), Text("9")});
        EXPECT_EQ(r.type, DispType::Short);
        EXPECT_EQ(r.s, c.second) << c.first;
    }
}

TEST(DispatchConventions, ByReferenceArgumentsAreWrittenBack)
{
    ScriptedDispatch t;
    std::vector<CDispArg> args(2);
    args[0].type = args[1].type = DispType::RefLong;
    args[0].l = 5;
    args[1].l = 99;
    const CMemberInfo* m = FindKivoSheetMember(71);   // GridGetTopLeft
    CDispResult r;
    ASSERT_TRUE(InvokeKivoSheetMember(t, *m, DispCall::Method, args.data(), r));
    EXPECT_EQ(args[0].l, 15);   // read in, written out
    EXPECT_EQ(args[1].l, 7);
    EXPECT_EQ(r.s, -1);

    std::vector<CDispArg> text(1);
    text[0].type = DispType::RefString;
    ASSERT_TRUE(InvokeKivoSheetMember(t, *FindKivoSheetMember(248), DispCall::Method, text.data(), r));
    EXPECT_STREQ(text[0].str.GetString(), "para");
    EXPECT_EQ(r.l, 4);
}

TEST(DispatchConventions, PropertyPutOfAMethodIsRefused)
{
    ScriptedDispatch t;
    std::vector<CDispArg> args(3);
    CDispResult r;
    EXPECT_FALSE(InvokeKivoSheetMember(t, *FindKivoSheetMember(5), DispCall::PropertyPut, args.data(), r));
    EXPECT_TRUE(t.lastText.empty());
}

// The control's own members.
TEST(ControlMembers, ColourPropertiesReadAndWriteTheDefaultSetting)
{
    CKivoSheetCtrl ctl;
    struct Case {
        LONG dispid;
        LONG initial;
    };
    // A new sheet has no default text or back colour (-1 = not set), the
    // grid's own selection colour and a black selection frame.
    const Case cases[] = {{1, -1}, {2, -1}, {3, CGridDefaultSetting::kDefaultSelColor}, {4, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(Call(ctl, c.dispid, {}, DispCall::PropertyGet).l, c.initial) << c.dispid;
        CDispResult put = Call(ctl, c.dispid, {Long(0x00336699 + c.dispid)}, DispCall::PropertyPut);
        EXPECT_EQ(put.type, DispType::Void);
        EXPECT_EQ(Call(ctl, c.dispid, {}, DispCall::PropertyGet).l, 0x00336699 + c.dispid) << c.dispid;
    }
    // Each property keeps its own field of the record.
    const CGridDefaultSetting s = ctl.GetGrid()->GetDefaultSetting();
    EXPECT_EQ(s.m_crTextColor, 0x00336699 + 1);
    EXPECT_EQ(s.m_crCellBgColor, 0x00336699 + 2);
    EXPECT_EQ(s.m_crSelColor, 0x00336699 + 3);
    EXPECT_EQ(ctl.GetGrid()->GetSelFrameColour(), static_cast<COLORREF>(0x00336699 + 4));
    // The rest of the record is untouched.
    EXPECT_EQ(s.m_bEditable, 1);
    EXPECT_EQ(s.m_nRowHeight, -1);
}

TEST(ControlMembers, ColourChangesMarkTheControlModified)
{
    struct Host : CKivoSheetHost {
        bool IsUserMode() override { return true; }
        void SetModified() override { ++modified; }
        void ActivateInPlace() override {}
        bool IsUIActive() override { return false; }
        void ShowAboutBox() override { ++about; }
        int modified = 0;
        int about = 0;
    } host;
    CKivoSheetCtrl ctl;
    ctl.SetHost(&host);
    for (LONG id = 1; id <= 4; ++id)
        Call(ctl, id, {Long(5)}, DispCall::PropertyPut);
    EXPECT_EQ(host.modified, 4);
    Call(ctl, -552);
    EXPECT_EQ(host.about, 1);
    ctl.SetHost(nullptr);
}

TEST(ControlMembers, GridRgbPacksComponentsModulo256)
{
    CKivoSheetCtrl ctl;
    struct Case {
        SHORT r, g, b;
        LONG expected;
    };
    const Case cases[] = {{1, 2, 3, 0x030201}, {255, 255, 255, 0xFFFFFF}, {256, 257, 258, 0x020100},
                          {-1, 0, 0, 0x0000FF}, {0, 0, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(Call(ctl, 125, {Short(c.r), Short(c.g), Short(c.b)}).l, c.expected);
    CDispResult v = Call(ctl, 389);   // GridGetOCXVersion
    EXPECT_STREQ(v.str.GetString(), "4.5.1.2");
}

// Automation objects of classes not built yet succeed and leave each result
// at its failure value, whatever the caller put there first.
TEST(AutomationObjects, UnbuiltMembersSucceedWithTheirFailureValue)
{
    for (int k = 0; k < kKivoClassCount; ++k)
        EXPECT_NE(CreateKivoObjectOfClass(k), nullptr) << KivoClassName(k);

    CKivoDatabaseBase db;
    LONG index = 7;
    EXPECT_EQ(db.FindDataSet("orders", index), kKivoOk);
    EXPECT_EQ(index, -1);
    index = 7;
    EXPECT_EQ(db.GetDataSetCount(index), kKivoOk);
    EXPECT_EQ(index, -1);
    CKivoObjectPtr object = CreateKivoObjectOfClass(KivoClass_KivoFont);
    EXPECT_EQ(db.GetDataSet("orders", object), kKivoOk);
    EXPECT_EQ(object, nullptr);

    CKivoColumnBase column;
    EXPECT_EQ(column.get_nColIndex(index), kKivoOk);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(column.put_crBackColor(0xFF), kKivoOk);

    CKivoFontBase font;
    CString text("stale");
    EXPECT_EQ(font.get_strXml(text), kKivoOk);
    EXPECT_TRUE(text.IsEmpty());
    SHORT bold = 5;
    EXPECT_EQ(font.get_iBold(bold), kKivoOk);
    EXPECT_EQ(bold, 0);

    CKivoNumericBase numeric;
    double low = 3.5;
    EXPECT_EQ(numeric.get_dbInputMin(low), kKivoOk);
    EXPECT_EQ(low, 0.0);
}

}  // namespace
