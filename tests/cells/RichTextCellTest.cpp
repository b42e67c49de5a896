// The rich-text cell: its record, the paragraph arithmetic, the messages each
// SE operation sends to a recording back end, and the lock state machine.
#include "cells/GridCellRichText.h"
#include "cells/RichTextEditorSite.h"
#include "cells/RichTextParagraphs.h"
#include "platform/Wnd.h"
#include "grid/GridCellTypes.h"
#include "grid/RecordBytes.h"
#include "grid/RichTextHostBase.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using gridtest::ByteBuilder;
using gridtest::Bytes;
using namespace richtext;

namespace {

// --- a back end that records what it is sent ---------------------------------------------

class CRecordingHost : public CRichTextHostBase {
public:
    static std::vector<std::string>* s_log;      // shared by every host made
    static int s_made;
    static int s_alive;
    static bool s_failInit;

    CRecordingHost() { ++s_made; ++s_alive; }
    ~CRecordingHost() override { --s_alive; }

    int Init() override
    {
        m_bServices = !s_failInit;
        return m_bServices ? 0 : 1;
    }
    BOOL HasTextServices() const override { return m_bServices; }
    int GetNaturalHeight(int nWidth, int* pnHeight) override
    {
        Log("natural " + std::to_string(nWidth));
        *pnHeight = 30;
        return 0;
    }
    int GetNaturalWidth(int, int* pnWidth) override
    {
        *pnWidth = 0;
        return 0;
    }
    int Draw(CDC*, const CRect& r) override
    {
        Log("draw " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
            std::to_string(r.bottom));
        return 0;
    }
    int GetRTF(CString& strRTF) override
    {
        strRTF = m_rtf;
        return 0;
    }
    int SetRTF(const CString& strRTF) override
    {
        Log("setrtf " + std::string(strRTF));
        m_rtf = strRTF;
        return 0;
    }
    CString GetLastRTF() const override { return m_rtf; }
    void GetText(CString& strText) override { strText = m_text; }
    void SetText(const CString& strText) override
    {
        Log("settext " + std::string(strText));
        m_text = strText;
        m_rtf = CString("{\\rtf1 ") + strText + "}";
    }
    void GetCharFormat(RichCharFormat& cf) override
    {
        Log("getcf");
        cf = answerCf;
    }
    void SetCharFormat(const RichCharFormat& cf, int nScope) override
    {
        char buf[128];
        std::snprintf(buf, sizeof buf, "setcf %d mask=%08lx eff=%08lx h=%ld col=%06lx back=%06lx", nScope,
                      static_cast<unsigned long>(cf.dwMask), static_cast<unsigned long>(cf.dwEffects),
                      static_cast<long>(cf.yHeight), static_cast<unsigned long>(cf.crTextColor),
                      static_cast<unsigned long>(cf.crBackColor));
        Log(std::string(buf) + (cf.strFace.IsEmpty() ? "" : " face=" + std::string(cf.strFace)));
    }
    void GetParaFormat(RichParaFormat& pf) override
    {
        char buf[48];
        std::snprintf(buf, sizeof buf, "getpf %03lx", static_cast<unsigned long>(pf.dwMask));
        Log(buf);
        pf = answerPf;
    }
    void SetParaFormat(const RichParaFormat& pf) override
    {
        char buf[160];
        std::snprintf(buf, sizeof buf, "setpf mask=%03lx align=%d num=%d indent=%ld offset=%ld rule=%d line=%ld "
                      "before=%ld after=%ld",
                      static_cast<unsigned long>(pf.dwMask), pf.wAlignment, pf.wNumbering,
                      static_cast<long>(pf.dxStartIndent), static_cast<long>(pf.dxOffset), pf.bLineSpacingRule,
                      static_cast<long>(pf.dyLineSpacing), static_cast<long>(pf.dySpaceBefore),
                      static_cast<long>(pf.dySpaceAfter));
        Log(buf);
    }
    void SetSel(LONG nStart, LONG nEnd) override
    {
        Log("sel " + std::to_string(nStart) + "," + std::to_string(nEnd));
        m_selStart = nStart;
        m_selEnd = nEnd;
    }
    void GetSel(LONG& nStart, LONG& nEnd) override
    {
        nStart = m_selStart;
        nEnd = m_selEnd;
    }
    void ReplaceSel(const std::u16string& text, BOOL bCanUndo) override
    {
        Log("replace " + std::to_string(text.size()) + (bCanUndo ? " undo" : ""));
    }
    LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM) override
    {
        char buf[48];
        std::snprintf(buf, sizeof buf, "msg %04x %lu", nMsg, static_cast<unsigned long>(wParam));
        Log(buf);
        return sendAnswer;
    }
    std::u16string GetPlainText() override { return plain; }

    RichCharFormat answerCf;
    RichParaFormat answerPf;
    LRESULT sendAnswer = 0;
    std::u16string plain;

private:
    void Log(const std::string& s)
    {
        if (s_log != nullptr)
            s_log->push_back(s);
    }
    BOOL m_bServices = FALSE;
    CString m_rtf;
    CString m_text;
    LONG m_selStart = 0;
    LONG m_selEnd = 0;
};

std::vector<std::string>* CRecordingHost::s_log = nullptr;
int CRecordingHost::s_made = 0;
int CRecordingHost::s_alive = 0;
bool CRecordingHost::s_failInit = false;

// The factory hands out hosts in order: the last one made is the one a cell
// has just locked.
CRecordingHost* g_lastMade = nullptr;
CRichTextHostBase* MakeAndRemember()
{
    return g_lastMade = new CRecordingHost();
}

class RichTextCell : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_old = GetRichTextHostFactory();
        SetRichTextHostFactory(&MakeAndRemember);
        CRecordingHost::s_log = &log;
        CRecordingHost::s_made = 0;
        CRecordingHost::s_failInit = false;
    }
    void TearDown() override
    {
        CRecordingHost::s_log = nullptr;
        SetRichTextHostFactory(m_old);
    }
    // The cell's host after locking it (the recording back end).
    CRecordingHost* Lock(CGridCellSuperEdit& c)
    {
        g_lastMade = nullptr;
        EXPECT_TRUE(c.SELockContent());
        log.clear();
        return g_lastMade;
    }

    std::vector<std::string> log;
    CGridCellSuperEdit cell;

private:
    RichTextHostFactory m_old = nullptr;
};

class RichTextCellOps : public RichTextCell {
protected:
    void SetUp() override
    {
        RichTextCell::SetUp();
        host = Lock(cell);
        ASSERT_NE(nullptr, host);
    }
    CRecordingHost* host = nullptr;
};

// --- record -------------------------------------------------------------------------------

Bytes Store(CGridCellBase& c)
{
    return gridtest::StoreBytes([&](CArchive& ar) { c.SerializeRecord(ar, nullptr); });
}

TEST(RichTextCellRecord, GoldenBytesForEachItemCombination)
{
    const std::string rtf = "{\\rtf1 x}";
    const int n = static_cast<int>(rtf.size()) + 1;
    struct Case {
        const char* name;
        void (*setup)(CGridCellSuperEdit&);
        Bytes expected;
    } cases[] = {
        {"all defaults: total length 0", [](CGridCellSuperEdit&) {}, ByteBuilder().Ints({0, 0, 0, 1999, 2999, 3700}).Get()},
        {"popup off",
         [](CGridCellSuperEdit& c) { c.SECtrlSetPopupMenu(0); },
         ByteBuilder().Ints({20, 0, 0, 1999, 2999, 3501, 4, 0, 3700}).Get()},
        {"toolbar hidden and placed",
         [](CGridCellSuperEdit& c) {
             c.SECtrlSetShowToolBar(0);
             c.SetRichTextParam(300, -20);
         },
         ByteBuilder().Ints({48, 0, 0, 1999, 2999, 3502, 4, 0, 3503, 4, 1, 3504, 8, 300, -20, 3700}).Get()},
        {"rich text",
         [](CGridCellSuperEdit& c) { c.SetRichText("{\\rtf1 x}"); },
         ByteBuilder().Ints({16 + n, 0, 0, 1999, 2999, 3505, n}).Text(rtf).Int(3700).Get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCellSuperEdit cell;
        c.setup(cell);
        const Bytes bytes = Store(cell);
        EXPECT_EQ(c.expected, bytes);
        CGridCellSuperEdit loaded;
        ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
        EXPECT_EQ(bytes, Store(loaded));
        EXPECT_EQ(cell.GetRecordSize(), loaded.GetRecordSize());
        EXPECT_FALSE(loaded.IsModified());
    }
}

TEST(RichTextCellRecord, UnknownItemsAreSkippedAndTheRestRead)
{
    const std::string rtf = "{\\rtf1 y}";
    const int n = static_cast<int>(rtf.size()) + 1;
    const Bytes bytes = ByteBuilder()
                            .Ints({16 + 12 + 16 + n, 0, 0, 1999, 2999, 3599, 4, 77, 3504, 8, 5, 6, 3505, n})
                            .Text(rtf)
                            .Int(3700)
                            .Get();
    CGridCellSuperEdit loaded;
    ASSERT_TRUE(gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); }));
    EXPECT_EQ(rtf, std::string(loaded.GetRichText()));
    EXPECT_EQ(5, loaded.GetToolBarX());
    EXPECT_EQ(6, loaded.GetToolBarY());
    EXPECT_FALSE(loaded.IsToolBarPosSet());
}

TEST(RichTextCellRecord, AnRtfLengthBeyondTheRecordIsRefused)
{
    const Bytes bytes = ByteBuilder().Ints({40, 0, 0, 1999, 2999, 3505, 100000}).Text("abc").Int(3700).Get();
    CGridCellSuperEdit loaded;
    gridtest::LoadBytes(bytes, [&](CArchive& ar) { loaded.SerializeRecord(ar, nullptr); });
    EXPECT_EQ("", std::string(loaded.GetRichText()));
}

// --- paragraphs -----------------------------------------------------------------------------

TEST(RichTextParagraphs, CountStartLengthAndPositionInOneSpace)
{
    struct Case {
        std::u16string text;
        LONG count;
        std::vector<LONG> starts;       // paragraphs 0.. ; the next one is -1
        std::vector<LONG> lengths;
    } cases[] = {
        {u"", 0, {}, {}},
        {u"ab", 1, {0}, {2}},
        {u"a\rb", 2, {0, 2}, {2, 1}},
        {u"a\r\nb", 2, {0, 3}, {3, 1}},
        {u"a\r", 2, {0, 2}, {2, 0}},
        {u"\r\r", 3, {0, 1, 2}, {1, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(c.count, ParagraphCount(c.text));
        for (size_t i = 0; i < c.starts.size(); ++i) {
            EXPECT_EQ(c.starts[i], ParagraphStart(c.text, static_cast<LONG>(i)));
            EXPECT_EQ(c.lengths[i], ParagraphLength(c.text, static_cast<LONG>(i)));
        }
        EXPECT_EQ(-1, ParagraphStart(c.text, static_cast<LONG>(c.starts.size())));
        EXPECT_EQ(0, ParagraphLength(c.text, static_cast<LONG>(c.starts.size())));
    }
    const std::u16string t = u"ab\rcd\ref";
    const LONG expected[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 2};
    for (LONG p = 0; p < 10; ++p)
        EXPECT_EQ(expected[p], ParagraphOfPosition(t, p)) << p;
    EXPECT_EQ(-1, ParagraphOfPosition(t, -1));
}

TEST(RichTextParagraphs, RangesAndCopiesCutAtACharacter)
{
    LONG s = 0;
    LONG e = 0;
    EXPECT_FALSE(ParagraphRange(u"", 0, 0, s, e));
    ASSERT_TRUE(ParagraphRange(u"ab", 0, 0, s, e));
    EXPECT_EQ(0, s);
    EXPECT_EQ(2, e);
    ASSERT_TRUE(ParagraphRange(u"a\rbc\rd", 1, 2, s, e));
    EXPECT_EQ(2, s);
    EXPECT_EQ(6, e);
    EXPECT_FALSE(ParagraphRange(u"a\rb", 1, 0, s, e));
    EXPECT_FALSE(ParagraphRange(u"a\rb", -1, 0, s, e));
    EXPECT_FALSE(ParagraphRange(u"a\rb", 0, 5, s, e));

    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    // "中文ab": four bytes of Chinese then two letters; a cut never splits a character.
    const std::u16string zh = u"\u4E2D\u6587ab";
    EXPECT_EQ(4, CopyRange(zh, 0, 2, buffer, 6));
    EXPECT_EQ(std::string("\xD6\xD0\xCE\xC4"), std::string(buffer));
    EXPECT_EQ(5, CopyRange(zh, 0, 4, buffer, 6));
    EXPECT_EQ(std::string("\xD6\xD0\xCE\xC4" "a"), std::string(buffer));
    EXPECT_EQ(2, CopyRange(zh, 0, 4, buffer, 4));
    EXPECT_EQ(std::string("\xD6\xD0"), std::string(buffer, 2));
    EXPECT_EQ('\0', buffer[2]);
    EXPECT_EQ(2, CopyRange(zh, 2, 99, buffer, 8));
    EXPECT_EQ("ab", std::string(buffer));
}

// --- SE operations at the back end ------------------------------------------------------------

TEST_F(RichTextCellOps, EffectSettersSendOnlyTheirMaskAndSwitchOnForAnyNonZeroValue)
{
    struct Case {
        BOOL (CGridCellSuperEdit::*set)(short);
        short value;
        const char* sent;
    } cases[] = {
        {&CGridCellSuperEdit::SECharSetBold, 1, "setcf 1 mask=00000001 eff=00000001"},
        {&CGridCellSuperEdit::SECharSetBold, -1, "setcf 1 mask=00000001 eff=00000001"},
        {&CGridCellSuperEdit::SECharSetBold, 0, "setcf 1 mask=00000001 eff=00000000"},
        {&CGridCellSuperEdit::SECharSetItalic, 1, "setcf 1 mask=00000002 eff=00000002"},
        {&CGridCellSuperEdit::SECharSetUnderline, 1, "setcf 1 mask=00000004 eff=00000004"},
        {&CGridCellSuperEdit::SECharSetStrikeout, 1, "setcf 1 mask=00000008 eff=00000008"},
        {&CGridCellSuperEdit::SECharSetSuperscript, 1, "setcf 1 mask=00030000 eff=00020000"},
        {&CGridCellSuperEdit::SECharSetSuperscript, 0, "setcf 1 mask=00030000 eff=00000000"},
        {&CGridCellSuperEdit::SECharSetSubscript, 1, "setcf 1 mask=00030000 eff=00010000"},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_TRUE((cell.*c.set)(c.value));
        ASSERT_EQ(1u, log.size());
        EXPECT_EQ(0u, log[0].find(c.sent)) << log[0];
    }
}

TEST_F(RichTextCellOps, ReadModifyWriteSettersAndTheExShapes)
{
    host->answerCf.dwMask = RT_CFM_SIZE | RT_CFM_FACE;
    host->answerCf.yHeight = 240;
    host->answerCf.strFace = "Arial";
    EXPECT_TRUE(cell.SECharSetFontSize(14));
    EXPECT_EQ((std::vector<std::string>{"getcf", "setcf 1 mask=80000000 eff=00000000 h=280 col=000000 back=000000 face=Arial"}), log);
    log.clear();
    EXPECT_TRUE(cell.SECharSetTextColorEx(2, 5, RGB(255, 0, 0)));
    EXPECT_EQ((std::vector<std::string>{"sel 2,5", "getcf",
                                        "setcf 1 mask=40000000 eff=00000000 h=240 col=0000ff back=000000 face=Arial",
                                        "sel -1,-1"}),
              log);
    log.clear();
    EXPECT_TRUE(cell.SECharSetBgColor(0, RGB(1, 2, 3)));
    EXPECT_EQ("setcf 1 mask=04000000 eff=04000000 h=240 col=000000 back=030201 face=Arial", log.back());
    log.clear();
    // A range that fails its checks leaves the selection alone but still applies.
    EXPECT_TRUE(cell.SECharSetBoldEx(5, 2, 1));
    EXPECT_EQ((std::vector<std::string>{"setcf 1 mask=00000001 eff=00000001 h=0 col=000000 back=000000", "sel -1,-1"}),
              log);
}

TEST_F(RichTextCellOps, GettersAnswerTheValueOrTheMixedValue)
{
    host->answerCf.dwMask = RT_CFM_SIZE | RT_CFM_COLOR | RT_CFM_BOLD | RT_CFM_BACKCOLOR | RT_CFM_SUPERSCRIPT;
    host->answerCf.dwEffects = RT_CFE_BOLD | RT_CFE_SUPERSCRIPT;
    host->answerCf.yHeight = 250;
    host->answerCf.crTextColor = RGB(9, 8, 7);
    host->answerCf.crBackColor = RGB(1, 1, 1);
    host->answerCf.strFace = "SimSun";
    EXPECT_EQ(12, cell.SECharGetFontSize());
    EXPECT_EQ(static_cast<LONG>(RGB(9, 8, 7)), cell.SECharGetTextColor());
    EXPECT_TRUE(cell.SECharGetBold());
    EXPECT_FALSE(cell.SECharGetItalic());
    EXPECT_TRUE(cell.SECharGetSuperscript());
    EXPECT_FALSE(cell.SECharGetSubscript());
    EXPECT_EQ("", std::string(cell.SECharGetFontName()));       // face mixed
    COLORREF back = 0;
    EXPECT_EQ(1, cell.SECharGetBgColor(&back));
    EXPECT_EQ(RGB(1, 1, 1), back);
    host->answerCf.dwEffects |= RT_CFE_AUTOBACKCOLOR;
    EXPECT_EQ(0, cell.SECharGetBgColor(&back));
    EXPECT_EQ(static_cast<COLORREF>(-1), back);
    host->answerCf.dwMask = RT_CFM_FACE;                              // everything else mixed
    back = 5;
    EXPECT_EQ(0, cell.SECharGetBgColor(&back));
    EXPECT_EQ(5u, back);
    EXPECT_EQ(0, cell.SECharGetFontSize());
    EXPECT_EQ(0, cell.SECharGetTextColor());
    EXPECT_FALSE(cell.SECharGetBold());
    EXPECT_EQ("SimSun", std::string(cell.SECharGetFontNameEx(0, 2)));

    host->answerPf.dwMask = RT_PFM_ALIGNMENT | RT_PFM_LINESPACING | RT_PFM_NUMBERING;
    host->answerPf.wAlignment = 3;
    host->answerPf.bLineSpacingRule = 4;
    host->answerPf.dyLineSpacing = 360;
    host->answerPf.wNumbering = 2;
    EXPECT_EQ(3, cell.SEParaGetAlign());
    LONG spacing = 0;
    EXPECT_EQ(4, cell.SEParaGetLinespacing(&spacing));
    EXPECT_EQ(360, spacing);
    EXPECT_EQ(2, cell.SEParaGetBullet());
    host->answerPf.dwMask = 0;
    EXPECT_EQ(1, cell.SEParaGetAlign());
    EXPECT_EQ(0, cell.SEParaGetBullet());
    spacing = 7;
    EXPECT_EQ(0, cell.SEParaGetLinespacing(&spacing));
    EXPECT_EQ(7, spacing);
}

TEST_F(RichTextCellOps, ParagraphSettersSendFreshRecordsWithTheirMask)
{
    struct Case {
        std::function<BOOL(CGridCellSuperEdit&)> call;
        const char* sent;                 // "" : nothing sent
    } cases[] = {
        {[](CGridCellSuperEdit& c) { return c.SEParaSetAlign(3); }, "setpf mask=008 align=3 num=0"},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetAlign(7); }, ""},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetBullet(1); }, "setpf mask=020 align=0 num=1"},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetBullet(5); }, ""},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetLinespacing(1, 9); }, "setpf mask=100 align=0 num=0 indent=0 offset=0 rule=1 line=0"},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetLinespacing(3, 9); }, "setpf mask=100 align=0 num=0 indent=0 offset=0 rule=4 line=180"},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetBeforespacing(33); }, "setpf mask=040"},
        {[](CGridCellSuperEdit& c) { return c.SEParaSetAfterspacing(44); }, "setpf mask=080"},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_TRUE(c.call(cell));
        if (*c.sent == '\0') {
            EXPECT_TRUE(log.empty());
        } else {
            ASSERT_EQ(1u, log.size());
            EXPECT_EQ(0u, log[0].find(c.sent)) << log[0];
        }
    }
}

TEST_F(RichTextCellOps, IndentAndOutdentStepThroughTheTabStops)
{
    host->answerPf.dwMask = RT_PFM_STARTINDENT | RT_PFM_TABSTOPS;
    host->answerPf.cTabCount = 3;
    host->answerPf.rgxTabs[0] = 320;
    host->answerPf.rgxTabs[1] = 640;
    host->answerPf.rgxTabs[2] = 960;
    struct Case {
        LONG current;
        bool indent;
        const char* sent;
    } cases[] = {
        {0, true, "indent=320 offset=320"},
        {320, true, "indent=640 offset=640"},
        {960, true, ""},                      // no stop beyond: nothing changes
        {700, false, "indent=640 offset=640"},
        {320, false, "indent=0 offset=0"},
    };
    for (const Case& c : cases) {
        host->answerPf.dxStartIndent = c.current;
        log.clear();
        EXPECT_TRUE(c.indent ? cell.SEParaSetIndent() : cell.SEParaSetOutdent());
        ASSERT_GE(log.size(), 1u);
        EXPECT_EQ("getpf 011", log[0]);
        if (*c.sent == '\0') {
            EXPECT_EQ(1u, log.size());
        } else {
            ASSERT_EQ(2u, log.size());
            EXPECT_NE(std::string::npos, log[1].find(c.sent)) << log[1];
            EXPECT_EQ(0u, log[1].find("setpf mask=005"));
        }
    }
}

TEST_F(RichTextCellOps, ParagraphRangesSelectByParagraphAndReportPositions)
{
    host->plain = u"ab\r\u4E2Dd\ref";
    EXPECT_EQ(3, cell.SEParaGetCount());
    log.clear();
    EXPECT_TRUE(cell.SEParaSetAlignEx(1, 2, 2));
    EXPECT_EQ((std::vector<std::string>{"sel 3,8", "setpf mask=008 align=2 num=0 indent=0 offset=0 rule=0 line=0 before=0 after=0", "sel -1,-1"}), log);
    log.clear();
    EXPECT_TRUE(cell.SEParaSetBulletEx(4, 5, 1));    // no such paragraphs: the current selection
    EXPECT_EQ(2u, log.size());
    EXPECT_FALSE(cell.SEParaSetSel(2, 1));
    EXPECT_TRUE(cell.SEParaSetSel(1, 1));
    LONG first = 9;
    LONG last = 9;
    EXPECT_TRUE(cell.SEParaGetSel(&first, &last));
    EXPECT_EQ(1, first);
    EXPECT_EQ(2, last);                              // the end lies after the break
    cell.SECharSetSel(0, 0);
    EXPECT_TRUE(cell.SEParaGetSel(&first, &last));
    EXPECT_EQ(-1, first);
    EXPECT_EQ(-1, last);

    char buffer[32] = {};
    cell.SECharSetSel(1, 5);
    EXPECT_EQ(5, cell.SECharGetSelText(buffer, sizeof buffer));
    EXPECT_EQ(std::string("b\r\xD6\xD0" "d"), std::string(buffer));
    EXPECT_EQ(2, cell.SEParaGetContentEx(2, 2, buffer, sizeof buffer));
    EXPECT_EQ("ef", std::string(buffer));
    EXPECT_EQ(3, cell.SECharGetSelTextEx(0, 3, buffer, sizeof buffer));
    EXPECT_EQ("ab\r", std::string(buffer));
}

TEST_F(RichTextCellOps, CommandsAndQueriesPassTheMessagesAnswers)
{
    host->sendAnswer = 5;
    EXPECT_TRUE(cell.SECtrlGetCanUndo());
    EXPECT_TRUE(cell.SECtrlGetCanRedo());
    EXPECT_TRUE(cell.SECtrlGetCanPaste());
    EXPECT_EQ(5, cell.SECtrlGetTextLimit());
    EXPECT_FALSE(cell.SECtrlSetAutoURL(1));           // the message answered non-zero
    host->sendAnswer = 0;
    EXPECT_TRUE(cell.SECtrlSetAutoURL(-1));
    EXPECT_FALSE(cell.SECtrlGetCanUndo());
    log.clear();
    EXPECT_TRUE(cell.SECtrlUndo());
    EXPECT_TRUE(cell.SECtrlRedo());
    EXPECT_TRUE(cell.SECtrlCopy());
    EXPECT_TRUE(cell.SECtrlCut());
    EXPECT_TRUE(cell.SECtrlPaste());
    EXPECT_TRUE(cell.SECtrlSetTextLimit(99));
    EXPECT_TRUE(cell.SECtrlInsertTextEx(4, "\xD6\xD0x"));
    EXPECT_TRUE(cell.SECtrlDeleteTextEx(1, 2));
    EXPECT_EQ((std::vector<std::string>{"msg 00c7 0", "msg 0454 0", "msg 0301 0", "msg 0300 0", "msg 0302 0",
                                        "msg 00c5 99", "sel 4,4", "replace 2 undo", "sel 1,2", "msg 0303 0"}),
              log);
}

// --- locking ------------------------------------------------------------------------------

// What a cell without a font of its own sets as the host's default format.
const char kPlainDefault[] = "setcf 0 mask=a000000f eff=00000000 h=180 col=000000 back=000000 face=\xCB\xCE\xCC\xE5";

TEST_F(RichTextCell, WithoutALockEveryOperationAnswersItsNeutralValue)
{
    char buffer[4] = {'x', 'x', 'x', 'x'};
    LONG a = 7;
    LONG b = 7;
    COLORREF colour = 3;
    EXPECT_FALSE(cell.SECharSetBold(1));
    EXPECT_FALSE(cell.SECharGetBold());
    EXPECT_EQ(0, cell.SECharGetFontSize());
    EXPECT_EQ(1, cell.SEParaGetAlign());
    EXPECT_EQ(1, cell.SEParaGetAlignEx(0, 0));
    EXPECT_EQ(0, cell.SEParaGetCount());
    EXPECT_EQ(0, cell.SECharGetSelText(buffer, 4));
    EXPECT_EQ('x', buffer[0]);
    EXPECT_FALSE(cell.SECharGetSel(&a, &b));
    EXPECT_EQ(7, a);
    EXPECT_EQ(0, cell.SECharGetBgColor(&colour));
    EXPECT_EQ(3u, colour);
    EXPECT_EQ("", std::string(cell.SECtrlGetRTF()));
    EXPECT_EQ("", std::string(cell.SECharGetFontName()));
    EXPECT_FALSE(cell.SEUnlockContent());
    // The toolbar and menu flags are the cell's own and answer without a lock.
    EXPECT_TRUE(cell.SECtrlSetShowToolBar(0));
    EXPECT_FALSE(cell.SECtrlGetShowToolBar());
    EXPECT_EQ(0, CRecordingHost::s_made);
}

TEST_F(RichTextCell, LockOpensAHostAndUnlockWritesBothTextsBackWithoutModifying)
{
    cell.SetRichText("{\\rtf1 old}");
    cell.SetState(cell.GetState() & ~GCS_MODIFIED);
    ASSERT_TRUE(cell.SELockContent());
    EXPECT_EQ(1, CRecordingHost::s_alive);
    // The cell's default format first ("宋体" regular, 9 points, for a cell
    // without a font), then its content.
    EXPECT_EQ((std::vector<std::string>{kPlainDefault, "setrtf {\\rtf1 old}"}), log);
    EXPECT_TRUE(cell.SELockContent());               // again: the same host, nothing leaks
    EXPECT_EQ(1, CRecordingHost::s_alive);
    EXPECT_TRUE(cell.SECtrlSetText("new"));
    EXPECT_EQ("setcf 4 mask=a000000f eff=00000000 h=180 col=000000 back=000000 face=\xCB\xCE\xCC\xE5", log.back());
    EXPECT_EQ("{\\rtf1 old}", std::string(cell.GetRichText()));   // SECtrlSetText leaves the stored RTF
    EXPECT_TRUE(cell.SEUnlockContent());
    EXPECT_EQ(0, CRecordingHost::s_alive);
    EXPECT_EQ("{\\rtf1 new}", std::string(cell.GetRichText()));
    EXPECT_EQ("new", std::string(cell.GetText()));
    EXPECT_FALSE(cell.IsModified());
    EXPECT_FALSE(cell.SEUnlockContent());
}

TEST_F(RichTextCell, APlainTextCellOpensWithItsTextAndSetTextFollowsTheLock)
{
    cell.SetText("plain");
    EXPECT_EQ("", std::string(cell.GetRichText()));
    cell.SetRichText("{\\rtf1 kept}");
    cell.SetText("unlocked");                        // unlocked: plain text only, RTF kept
    EXPECT_EQ("{\\rtf1 kept}", std::string(cell.GetRichText()));
    EXPECT_EQ("unlocked", std::string(cell.GetText()));

    CGridCellSuperEdit other;
    other.SetText("only text");
    ASSERT_TRUE(other.SELockContent());
    // The cell's default format, the text, then that format over all of it
    // (the host's own default face is the bold system font).
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(kPlainDefault, log[log.size() - 3]);
    EXPECT_EQ("settext only text", log[log.size() - 2]);
    EXPECT_EQ(0u, log.back().find("setcf 4 mask=a000000f eff=00000000 h=180")) << log.back();
    EXPECT_NE(std::string::npos, log.back().find("face=\xCB\xCE\xCC\xE5")) << log.back();
    other.SetText("locked");                          // locked: the content and the RTF follow
    EXPECT_EQ("{\\rtf1 locked}", std::string(other.GetRichText()));
    EXPECT_EQ("locked", std::string(other.GetText()));
    EXPECT_TRUE(other.IsModified());
    EXPECT_TRUE(other.SEUnlockContent());
}

TEST_F(RichTextCell, TextServicesThatCannotStartRefuseTheLock)
{
    CRecordingHost::s_failInit = true;
    EXPECT_FALSE(cell.SELockContent());
    EXPECT_EQ(0, CRecordingHost::s_alive);
    EXPECT_FALSE(cell.SECharSetBold(1));
    SetRichTextHostFactory(nullptr);
    EXPECT_FALSE(cell.SELockContent());
}

TEST_F(RichTextCell, EditingStartedWithEnterOrWithoutAnEditorLeavesTheCellAsItWas)
{
    EXPECT_TRUE(cell.Edit(1, 1, CRect(0, 0, 50, 20), CPoint(0, 0), 1, 13));
    EXPECT_FALSE(cell.IsEditing());
    EXPECT_TRUE(cell.Edit(1, 1, CRect(0, 0, 50, 20), CPoint(0, 0), 1, 'a'));
    EXPECT_FALSE(cell.IsEditing());
}

}  // namespace

// --- an editor that goes without its cell ---------------------------------------------------------

namespace {

// An editor window as the hooks make it, with a liveness token the test
// expires as the window's destruction would.
class CFakeSuperEditor : public CWnd, public CRichTextEditorSite {
public:
    std::shared_ptr<int> alive = std::make_shared<int>(0);
    BOOL lockMark = FALSE;
    CRichTextHostBase* GetBackEnd() override { return nullptr; }
    BOOL GetLockMark() const override { return lockMark; }
    void SetLockMark(BOOL bLocked) override { lockMark = bLocked; }
    void SetContentRTF(const CString&) override {}
    CString GetContentRTF() override { return CString(); }
    CString GetContentText() override { return CString(); }
    void SetContentText(const CString&) override {}
    void ShowToolBar(BOOL) override {}
};

CFakeSuperEditor* g_fakeEditor = nullptr;

// Installs hooks that make g_fakeEditor, and restores the ones before.
class ScopedFakeEditorHooks {
public:
    ScopedFakeEditorHooks() : m_old(GetSuperEditHooks())
    {
        SuperEditHooks hooks;
        hooks.pfnCreate = [](const SuperEditRequest&) -> CWnd* { return g_fakeEditor = new CFakeSuperEditor; };
        hooks.pfnSite = [](CWnd* pWnd) -> CRichTextEditorSite* { return dynamic_cast<CFakeSuperEditor*>(pWnd); };
        hooks.pfnEndEdit = [](CWnd*) {};
        hooks.pfnAlive = [](CWnd* pWnd) -> std::weak_ptr<void> {
            return static_cast<CFakeSuperEditor*>(pWnd)->alive;
        };
        SetSuperEditHooks(hooks);
    }
    ~ScopedFakeEditorHooks() { SetSuperEditHooks(m_old); }

private:
    SuperEditHooks m_old;
};

}  // namespace

TEST_F(RichTextCell, AnEditorThatWentOnItsOwnIsForgottenNotTouched)
{
    ScopedFakeEditorHooks hooks;
    cell.SetRichText("{\\rtf1 kept}");
    ASSERT_TRUE(cell.Edit(1, 1, CRect(0, 0, 50, 20), CPoint(0, 0), 1, 'a'));
    ASSERT_TRUE(cell.IsEditing());
    ASSERT_EQ(static_cast<CWnd*>(g_fakeEditor), cell.GetEditWnd());
    ASSERT_TRUE(cell.SELockContent());
    EXPECT_TRUE(cell.IsLockedOnEditor());
    EXPECT_TRUE(g_fakeEditor->lockMark);

    // The window goes (with the grid's, say) and its object with it.
    g_fakeEditor->alive.reset();
    delete g_fakeEditor;
    g_fakeEditor = nullptr;

    EXPECT_FALSE(cell.IsEditing());
    EXPECT_EQ(nullptr, cell.GetEditWnd());
    EXPECT_FALSE(cell.IsLocked());
    EXPECT_FALSE(cell.SECharSetBold(1));
    EXPECT_FALSE(cell.SEUnlockContent());
    cell.EndEdit();
    cell.OnEndEdit();
    // The stored content opens on a host of the cell's own.
    ASSERT_TRUE(cell.SELockContent());
    EXPECT_EQ("{\\rtf1 kept}", std::string(cell.GetRichText()));
    EXPECT_TRUE(cell.SEUnlockContent());
}
