// The grid's notification messages turned into the control's events.
#include "control/EventTranslation.h"
#include "control/GridNotify.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Hit-testing answers (row, col) = (y / 10, x / 20) for points inside 0..999,
// else (-1, -1); the control's client area starts at screen (100, 200).
class FakeContext : public CEventContext {
public:
    void CellFromPoint(POINT p, LONG& row, LONG& col) override
    {
        lastPoint = p;
        if (p.x < 0 || p.y < 0 || p.x > 999 || p.y > 999) {
            row = col = -1;
            return;
        }
        row = p.y / 10;
        col = p.x / 20;
    }
    void ClientToScreenPoint(POINT& p) override
    {
        p.x += 100;
        p.y += 200;
    }
    // The whole values the grid kept, for the message they were kept for.
    bool TakeEventLines(UINT message, WPARAM w, LPARAM l, GridEventLines& out) override
    {
        if (!hasLines || message != linesMessage || w != linesW || l != linesL)
            return false;
        out = lines;
        hasLines = false;
        return true;
    }
    POINT lastPoint{0, 0};
    bool hasLines = false;
    UINT linesMessage = 0;
    WPARAM linesW = 0;
    LPARAM linesL = 0;
    GridEventLines lines;
};

class EventTranslation : public ::testing::Test {
protected:
    void SetUp() override { events.SetSink(&sink); }

    bool Send(UINT msg, WPARAM w, LPARAM l) { return TranslateGridMessage(msg, w, l, context, events); }

    std::vector<double> Numbers(size_t i = 0) const
    {
        std::vector<double> v;
        for (const CDispArg& a : sink.fired.at(i).args)
            v.push_back(ArgNumber(a));
        return v;
    }

    FakeContext context;
    RecordingSink sink;
    CKivoSheetEvents events;
};

struct ValueCase {
    UINT message;
    WPARAM w;
    LPARAM l;
    const char* event;
    std::vector<double> args;
};

TEST_F(EventTranslation, PackedParametersBecomeEventArguments)
{
    const std::vector<ValueCase> cases = {
        // Mouse events: flags, screen x, y, then the hit-tested cell.
        {1025, 0x0009, MAKELPARAM(45, 32), "GridMouseMove", {9, 145, 232, 3, 2}},
        {1026, 0x0001, MAKELPARAM(0, 0), "GridDragOver", {1, 100, 200, 0, 0}},
        {1028, 0x0000, MAKELPARAM(21, 11), "GridLClickUp", {0, 121, 211, 1, 1}},
        {1029, 0x0001, MAKELPARAM(300, 50), "GridDblClick", {1, 400, 250, 5, 15}},
        {1034, 0x0002, MAKELPARAM(5000, 5), "GridRClickUp", {2, 5100, 205, -1, -1}},
        // Positions left of or above the grid are negative, not 65535 - n.
        {1028, 0x0000, MAKELPARAM(-5, -7), "GridLClickUp", {0, 95, 193, -1, -1}},
        // Rows and columns travel as 16-bit halves.
        {1027, MAKEWPARAM(2, 70000 & 0xFFFF), MAKELPARAM(3, 9), "GridSelectRange", {2, 3, 70000 & 0xFFFF, 9}},
        {1036, MAKEWPARAM(12, 65535), 4, "GridCellEndEdit", {12, 65535, 4}},
        {1039, MAKEWPARAM(1, 2), MAKELPARAM(3, 4), "GridCellBtnLClickUp", {1, 2, 3, 4}},
        {1040, MAKEWPARAM(5, 6), MAKELPARAM(7, 8), "GridCellBtnLClickDown", {5, 6, 7, 8}},
        {1041, MAKEWPARAM(10, 20), 5, "GridVScroll", {10, 20, 5}},
        {1042, MAKEWPARAM(11, 21), 6, "GridHScroll", {11, 21, 6}},
        // The wheel delta is signed.
        {1033, 0x0004, static_cast<LPARAM>(static_cast<WORD>(-120)), "GridMouseWheel", {4, -120}},
        {1033, 0x0000, 240, "GridMouseWheel", {0, 240}},
        {1066, 0, 0, "GridBeginPrint", {}},
        {1067, static_cast<WPARAM>(static_cast<WORD>(-2)), 0, "GridBeginPreview", {-2}},
        {1068, 0, 0, "GridFinishPrint", {}},
        {1069, 1, 0, "GridFinishPreview", {1}},
        {1070, MAKEWPARAM(3, 4), 1, "GridCellCheckBoxChecked", {3, 4, 1}},
        {1073, MAKEWPARAM(0, 0), 4, "GridMenuStart", {0, 0, 4}},
        {1073, MAKEWPARAM(7, 8), 9, "GridMenuStart", {7, 8, 9}},
        {1074, MAKEWPARAM(7, 8), 40001, "GridMenuCommand", {7, 8, 40001}},
    };
    for (const ValueCase& c : cases) {
        sink.fired.clear();
        SCOPED_TRACE(std::string(c.event) + " from " + std::to_string(c.message));
        EXPECT_TRUE(Send(c.message, c.w, c.l));
        ASSERT_EQ(sink.fired.size(), 1u);
        EXPECT_EQ(sink.fired[0].name, c.event);
        EXPECT_EQ(Numbers(), c.args);
    }
}

// Rows and columns the grid kept whole replace the packed halves in every
// event that carries them; the other arguments still come from the message.
TEST_F(EventTranslation, WholeRowsAndColumnsReplaceThePackedHalves)
{
    const struct {
        UINT message;
        WPARAM w;
        LPARAM l;
        GridEventLines lines;
        const char* event;
        std::vector<double> args;
    } cases[] = {
        {1027, MAKEWPARAM(464, 465), MAKELPARAM(2, 3), {66000, 2, 66001, 3}, "GridSelectRange", {66000, 2, 66001, 3}},
        {1036, MAKEWPARAM(464, 2), 4, {66000, 2}, "GridCellEndEdit", {66000, 2, 4}},
        {1039, MAKEWPARAM(464, 70000 & 0xFFFF), MAKELPARAM(0, 1), {66000, 70000}, "GridCellBtnLClickUp",
         {66000, 70000, 0, 1}},
        {1040, MAKEWPARAM(464, 2), MAKELPARAM(0, 2), {66000, 2}, "GridCellBtnLClickDown", {66000, 2, 0, 2}},
        {1041, MAKEWPARAM(464, 1), 5, {66000, 1}, "GridVScroll", {66000, 1, 5}},
        {1042, MAKEWPARAM(464, 1), 6, {66000, 1}, "GridHScroll", {66000, 1, 6}},
        {1070, MAKEWPARAM(464, 2), 1, {66000, 2}, "GridCellCheckBoxChecked", {66000, 2, 1}},
        {1073, MAKEWPARAM(464, 2), 1, {66000, 2}, "GridMenuStart", {66000, 2, 1}},
        {1074, MAKEWPARAM(464, 2), 20001, {66000, 2}, "GridMenuCommand", {66000, 2, 20001}},
    };
    for (const auto& c : cases) {
        sink.fired.clear();
        SCOPED_TRACE(c.event);
        context.hasLines = true;
        context.linesMessage = c.message;
        context.linesW = c.w;
        context.linesL = c.l;
        context.lines = c.lines;
        EXPECT_TRUE(Send(c.message, c.w, c.l));
        ASSERT_EQ(sink.fired.size(), 1u);
        EXPECT_EQ(sink.fired[0].name, c.event);
        EXPECT_EQ(Numbers(), c.args);
        EXPECT_FALSE(context.hasLines) << "the values are taken";
    }
}

TEST_F(EventTranslation, MessagesWithoutAnEventFireNothing)
{
    for (UINT msg : {1024u, 1043u, 1048u, 1049u, 1051u, 1060u, 1062u, 1065u, 1071u, 1075u}) {
        EXPECT_FALSE(IsGridEventMessage(msg)) << msg;
        EXPECT_FALSE(Send(msg, 1, 2)) << msg;
    }
    EXPECT_TRUE(sink.fired.empty());
}

TEST_F(EventTranslation, EveryEventOfTheInterfaceHasItsMessage)
{
    const UINT messages[] = {1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038,
                             1039, 1040, 1041, 1042, 1050, 1061, 1066, 1067, 1068, 1069, 1070, 1072, 1073, 1074};
    std::vector<bool> seen(29, false);
    // Pointer parameters point at harmless records.
    UINT key = 0;
    BOOL flag = 1;
    std::int32_t expand = 0;
    gridnotify::CStartEditRecord edit{0, 0, 0, &flag};
    gridnotify::CTreeExpandRecord tree{&flag, &expand, 0};
    gridnotify::CComboSelRecord combo{0, 0, 0, ""};
    char buffer[gridnotify::kUserFunctionResultSize] = {};
    gridnotify::CUserFunctionRecord fn{"F", "", buffer};
    for (UINT m : messages) {
        WPARAM w = 0;
        LPARAM l = 0;
        if (m == 1030 || m == 1072) w = reinterpret_cast<WPARAM>(&key);
        if (m == 1031 || m == 1032 || m == 1038) l = reinterpret_cast<LPARAM>(&flag);
        if (m == 1035) w = reinterpret_cast<WPARAM>(&edit);
        if (m == 1037) l = reinterpret_cast<LPARAM>(&tree);
        if (m == 1050) l = reinterpret_cast<LPARAM>(&combo);
        if (m == 1061) w = reinterpret_cast<WPARAM>(&fn);
        EXPECT_TRUE(Send(m, w, l)) << m;
    }
    for (const FiredEvent& e : sink.fired)
        seen.at(static_cast<size_t>(e.dispid)) = true;
    for (int id = 1; id <= 28; ++id)
        EXPECT_TRUE(seen[static_cast<size_t>(id)]) << "event " << id << " never fired";
}

TEST_F(EventTranslation, ByReferenceAnswersReachTheGrid)
{
    // Key codes: a handler replaces the key; without a handler's change it stays.
    UINT key = 'a';
    sink.answer = [](const CMemberInfo& e, CDispArg* a) {
        if (std::string(e.name) == "GridKeyPress" || std::string(e.name) == "GridOnChar")
            a[0].l = 'B';
    };
    Send(1030, reinterpret_cast<WPARAM>(&key), 0x1E0001);
    EXPECT_EQ(key, static_cast<UINT>('B'));
    EXPECT_EQ(ArgNumber(sink.fired.back().args[1]), 0x1E0001);
    key = 'x';
    Send(1072, reinterpret_cast<WPARAM>(&key), 0);
    EXPECT_EQ(key, static_cast<UINT>('B'));

    // A zero may-edit flag keeps the editor closed; the record's cell is reported.
    BOOL allow = 1;
    gridnotify::CStartEditRecord edit{4, 5, 2, &allow};
    sink.answer = [](const CMemberInfo&, CDispArg* a) { a[3].s = 0; };
    Send(1035, reinterpret_cast<WPARAM>(&edit), 0);
    EXPECT_EQ(allow, 0);
    EXPECT_EQ(Numbers(sink.fired.size() - 1), (std::vector<double>{4, 5, 2, 0}));

    // Without a change the flag keeps what the grid put there.
    allow = 1;
    sink.answer = nullptr;
    Send(1035, reinterpret_cast<WPARAM>(&edit), 0);
    EXPECT_EQ(allow, 1);

    // Resizing and collapsing flags.
    BOOL mayResize = 1;
    sink.answer = [](const CMemberInfo&, CDispArg* a) { a[1].s = 0; };
    Send(1031, 7, reinterpret_cast<LPARAM>(&mayResize));
    EXPECT_EQ(mayResize, 0);
    mayResize = 1;
    Send(1032, 8, reinterpret_cast<LPARAM>(&mayResize));
    EXPECT_EQ(mayResize, 0);
    BOOL mayCollapse = 1;
    Send(1038, 9, reinterpret_cast<LPARAM>(&mayCollapse));
    EXPECT_EQ(mayCollapse, 0);
    EXPECT_EQ(sink.fired.back().name, "GridTreeCollapse");
    EXPECT_EQ(ArgNumber(sink.fired.back().args[0]), 9);

    // Expanding: row from the record, both answers travel back.
    BOOL mayExpand = 1;
    std::int32_t expandFlags = 0;
    gridnotify::CTreeExpandRecord tree{&mayExpand, &expandFlags, 12};
    sink.answer = [](const CMemberInfo&, CDispArg* a) {
        a[1].s = 0;
        a[2].l = 1;
    };
    Send(1037, 4, reinterpret_cast<LPARAM>(&tree));
    EXPECT_EQ(mayExpand, 0);
    EXPECT_EQ(expandFlags, 1);
    EXPECT_EQ(ArgNumber(sink.fired.back().args[0]), 12);
}

TEST_F(EventTranslation, ByReferenceValuesStayWithoutASink)
{
    events.SetSink(nullptr);
    UINT key = 'q';
    BOOL allow = 1;
    gridnotify::CStartEditRecord edit{1, 1, 0, &allow};
    EXPECT_TRUE(Send(1030, reinterpret_cast<WPARAM>(&key), 0));
    EXPECT_TRUE(Send(1035, reinterpret_cast<WPARAM>(&edit), 0));
    EXPECT_EQ(key, static_cast<UINT>('q'));
    EXPECT_EQ(allow, 1);
    // Null records are ignored rather than read.
    EXPECT_TRUE(Send(1035, 0, 0));
    EXPECT_TRUE(Send(1037, 0, 0));
    EXPECT_TRUE(Send(1050, 0, 0));
    EXPECT_TRUE(Send(1061, 0, 0));
}

TEST_F(EventTranslation, ComboSelectionPassesItsText)
{
    gridnotify::CComboSelRecord rec{3, 4, 2, "\xC4\xCF\xBE\xA9"};   // two characters of code page 936
    Send(1050, 0, reinterpret_cast<LPARAM>(&rec));
    ASSERT_EQ(sink.fired.size(), 1u);
    EXPECT_EQ(sink.fired[0].name, "GridCellComboSelChange");
    EXPECT_EQ(ArgNumber(sink.fired[0].args[2]), 2);
    EXPECT_STREQ(sink.fired[0].args[3].str.GetString(), "\xC4\xCF\xBE\xA9");
}

struct UserFunctionCase {
    const char* name;
    std::string answer;
    std::string expected;
};

TEST_F(EventTranslation, UserFunctionResultIsCutToTheBuffer)
{
    const std::string longAscii(600, 'x');
    // 255 two-byte characters (510 bytes) then one more: the 511th byte would
    // be half a character.
    std::string dbcs;
    for (int i = 0; i < 256; ++i)
        dbcs += "\xD6\xD0";
    const std::vector<UserFunctionCase> cases = {
        {"empty", "", ""},
        {"short", "42.5", "42.5"},
        {"exactly 511", std::string(511, 'y'), std::string(511, 'y')},
        {"longer than 511", longAscii, std::string(511, 'x')},
        {"two-byte text", dbcs, dbcs.substr(0, 510)},
    };
    for (const UserFunctionCase& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[gridnotify::kUserFunctionResultSize];
        std::memset(buffer, 0, sizeof(buffer));
        gridnotify::CUserFunctionRecord rec{"MYFUNC", "1\n!\n!\n!2", buffer};
        std::string seenName, seenParams;
        sink.answer = [&](const CMemberInfo&, CDispArg* a) {
            seenName = a[0].str.GetString();
            seenParams = a[1].str.GetString();
            EXPECT_TRUE(a[2].str.IsEmpty());   // the buffer starts empty
            a[2].str = CString(c.answer.data(), static_cast<int>(c.answer.size()));
        };
        Send(1061, reinterpret_cast<WPARAM>(&rec), 0);
        EXPECT_EQ(seenName, "MYFUNC");
        EXPECT_EQ(seenParams, "1\n!\n!\n!2");
        EXPECT_EQ(std::string(buffer), c.expected);
        EXPECT_EQ(buffer[gridnotify::kUserFunctionResultSize - 1], '\0');
    }
}

}  // namespace
