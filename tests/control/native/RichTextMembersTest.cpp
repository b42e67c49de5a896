// The rich-text (SE) members through the generated dispatcher, over the
// control's own grid and the portable rich-text host.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "cells/InPlaceEditHooks.h"
#include "grid/GridCtrl.h"
#include "grid/GridCellTypes.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Calls a member by name with numbers and one text for its BSTR arguments;
// the result as text. By-reference results are written to *pOut.
std::string Call(CKivoSheetDispatch& target, const std::string& name, const std::vector<long> values = {},
                 const char* text = "", std::vector<std::string>* pOut = nullptr)
{
    const CMemberInfo* m = FindKivoSheetMemberByName(name.c_str());
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return "";
    }
    std::vector<CDispArg> args(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    for (int i = 0; i < m->argc; ++i) {
        CDispArg& a = args[static_cast<size_t>(i)];
        a.type = m->args[i];
        const long v = static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : 0;
        a.l = static_cast<LONG>(v);
        a.s = static_cast<SHORT>(v);
        a.str = text;
    }
    CDispResult r;
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, args.data(), r)) << name;
    if (pOut != nullptr) {
        pOut->clear();
        for (int i = 0; i < m->argc; ++i) {
            const CDispArg& a = args[static_cast<size_t>(i)];
            if (a.type == DispType::RefLong)
                pOut->push_back(std::to_string(a.l));
            else if (a.type == DispType::RefString)
                pOut->push_back(std::string(a.str));
        }
    }
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short:
        return std::to_string(r.s);
    case DispType::Long:
        return std::to_string(r.l);
    case DispType::String:
        return "'" + std::string(r.str) + "'";
    default:
        return "void";
    }
}

class RichTextMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
        ASSERT_EQ("-1", Call(ctl, "RowSetCount", {6}));
        ASSERT_EQ("-1", Call(ctl, "ColumnSetCount", {4}));
        grid = ctl.GetGrid()->GetGridCtrl();
        ASSERT_NE(nullptr, grid);
        ASSERT_TRUE(grid->SetCellType(2, 2, GCT_SUPEREDIT));
    }
    void TearDown() override { Headless::Reset(); }

    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
};

TEST_F(RichTextMembers, EveryMemberWithoutATargetAnswersItsNoTargetValue)
{
    // -1 for the font size, the colours and the J members; "" for texts; 0 otherwise.
    const std::map<std::string, std::string> minusOne = {
        {"SECharGetFontSize", "-1"}, {"SECharGetFontSizeEx", "-1"}, {"SECharGetTextColor", "-1"},
        {"SECharGetTextColorEx", "-1"}, {"SECharGetSelJ", "-1"}, {"SEParaGetSelJ", "-1"},
        {"SECharGetBgColorJ", "-1"}, {"SECharGetBgColorExJ", "-1"}, {"SEParaGetLinespacingJ", "-1"},
        {"SEParaGetLinespacingExJ", "-1"},
    };
    int checked = 0;
    for (int dispid = 175; dispid <= 336; ++dispid) {
        if (dispid > 274 && dispid < 327)
            continue;
        const CMemberInfo* m = FindKivoSheetMember(dispid);
        ASSERT_NE(nullptr, m) << dispid;
        const std::string name = m->name;
        if (name.compare(0, 2, "SE") != 0 || name == "SELockContent")
            continue;
        SCOPED_TRACE(name);
        const std::string answer = Call(ctl, name, {0, 1, 1, 1}, "x");
        auto it = minusOne.find(name);
        if (it != minusOne.end())
            EXPECT_EQ(it->second, answer);
        else if (m->result == DispType::String)
            EXPECT_EQ("''", answer);
        else
            EXPECT_EQ("0", answer);
        ++checked;
    }
    EXPECT_EQ(109, checked);
    EXPECT_EQ("", std::string(grid->GetCellRichText(2, 2)));
}

TEST_F(RichTextMembers, ALockedCellTakesFormatsAndUnlockingWritesBothTextsBack)
{
    grid->SetCellRichText(2, 2, "{\\rtf1\\ansi\\ansicpg936 ab\\par \\'d6\\'d0cd}");
    EXPECT_EQ("0", Call(ctl, "SELockContent", {40, 40}));
    EXPECT_EQ("-1", Call(ctl, "SELockContent", {2, 2}));
    EXPECT_EQ("2", Call(ctl, "SEParaGetCount"));
    EXPECT_EQ("-1", Call(ctl, "SECharSetBoldEx", {0, 2, -1}));       // automation True switches it on
    EXPECT_EQ("-1", Call(ctl, "SECharGetBoldEx", {0, 2}));
    EXPECT_EQ("0", Call(ctl, "SECharGetBoldEx", {0, 4}));
    EXPECT_EQ("-1", Call(ctl, "SECharSetFontSizeEx", {3, 6, 14}));
    EXPECT_EQ("14", Call(ctl, "SECharGetFontSizeEx", {3, 6}));
    EXPECT_EQ("-1", Call(ctl, "SEParaSetAlignEx", {1, 1, 3}));
    EXPECT_EQ("3", Call(ctl, "SEParaGetAlignEx", {1, 1}));
    EXPECT_EQ("1", Call(ctl, "SEParaGetAlignEx", {0, 0}));
    EXPECT_EQ("-1", Call(ctl, "SEParaSetBulletEx", {0, 0, 1}));
    EXPECT_EQ("1", Call(ctl, "SEParaGetBulletEx", {0, 0}));
    EXPECT_EQ("0", Call(ctl, "SEParaGetBulletEx", {1, 1}));
    EXPECT_EQ("'\xD6\xD0" "cd'", Call(ctl, "SEParaGetContentExJ", {1, 1}));
    EXPECT_EQ("'b\r'", Call(ctl, "SECharGetSelTextExJ", {1, 3}));
    std::vector<std::string> out;
    EXPECT_EQ("-1", Call(ctl, "SECharSetSel", {1, 4}));
    EXPECT_EQ("-1", Call(ctl, "SECharGetSel", {}, "", &out));
    EXPECT_EQ((std::vector<std::string>{"1", "4"}), out);
    EXPECT_EQ("4", Call(ctl, "SECharGetSelJ", {1}));
    EXPECT_EQ("1", Call(ctl, "SEParaGetSelJ", {1}));
    EXPECT_EQ("-1", Call(ctl, "SECtrlInsertTextEx", {0}, "\xD0\xC2"));
    EXPECT_EQ("-1", Call(ctl, "SECtrlGetCanUndo"));
    EXPECT_EQ("-1", Call(ctl, "SECtrlUndo"));
    EXPECT_EQ("-1", Call(ctl, "SECtrlInsertTextEx", {0}, "X"));
    const std::string rtf = Call(ctl, "SECtrlGetRTF");
    EXPECT_NE(std::string::npos, rtf.find("\\b ")) << rtf;
    EXPECT_NE(std::string::npos, rtf.find("\\qc")) << rtf;

    EXPECT_EQ("-1", Call(ctl, "SEUnlockContent"));
    EXPECT_EQ("0", Call(ctl, "SEUnlockContent"));
    EXPECT_EQ("0", Call(ctl, "SECharGetBold"));
    EXPECT_EQ(rtf, "'" + std::string(grid->GetCellRichText(2, 2)) + "'");
    EXPECT_EQ(std::string("Xab\r\n\xD6\xD0" "cd"), std::string(grid->GetCellText(2, 2)));
}

// Content that says nothing of a property reads in the cell's own font,
// whichever way it comes in (a cell without any reads in "宋体" regular:
// RichTextCellTest).
TEST_F(RichTextMembers, ContentThatNamesNoFormatTakesTheCellsFont)
{
    ASSERT_TRUE(grid->SetCellType(3, 1, GCT_SUPEREDIT));
    CGridCellBase* plain = grid->GetCell(2, 2);
    ASSERT_NE(nullptr, plain);
    const std::string plainFace =
        plain->IsDefaultFont() || plain->GetFont() == nullptr ? "\xCB\xCE\xCC\xE5" : plain->GetFont()->lfFaceName;
    ASSERT_EQ("-1", Call(ctl, "CellSetTextFont", {3, 1},
                         "<font fontname = \"\xBF\xAC\xCC\xE5\" fontsize = \"14\" italic = \"1\" ></font>"));
    const struct {
        int row, col;
        const char* face;
        const char* size;
        const char* italic;
    } kCells[] = {{2, 2, plainFace.c_str(), "9", "0"}, {3, 1, "\xBF\xAC\xCC\xE5", "14", "-1"}};
    const struct {
        const char* member;
        const char* content;
    } kPaths[] = {
        {"SECtrlSetRTF", "{\\rtf1\\ansi hello world\\par}"},
        {"SECtrlSetText", "hello world"},
        {"SECtrlSetRTF", "{\\rtf1\\ansi\\b0 hello world}"},
    };
    for (const auto& c : kCells) {
        for (const auto& p : kPaths) {
            SCOPED_TRACE(std::string(p.member) + " " + p.content + " in " + std::to_string(c.row));
            ASSERT_EQ("-1", Call(ctl, "SELockContent", {c.row, c.col}));
            ASSERT_EQ("-1", Call(ctl, p.member, {}, p.content));
            EXPECT_EQ("0", Call(ctl, "SECharGetBoldEx", {0, 5}));
            EXPECT_EQ(c.italic, Call(ctl, "SECharGetItalicEx", {0, 5}));
            EXPECT_EQ(std::string("'") + c.face + "'", Call(ctl, "SECharGetFontNameEx", {0, 5}));
            EXPECT_EQ(c.size, Call(ctl, "SECharGetFontSizeEx", {0, 5}));
            ASSERT_EQ("-1", Call(ctl, "SEUnlockContent"));
        }
    }
    // Content that names its own format keeps it.
    ASSERT_EQ("-1", Call(ctl, "SELockContent", {3, 1}));
    ASSERT_EQ("-1", Call(ctl, "SECtrlSetRTF", {}, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\b\\i0 hello}"));
    EXPECT_EQ("-1", Call(ctl, "SECharGetBoldEx", {0, 5}));
    EXPECT_EQ("0", Call(ctl, "SECharGetItalicEx", {0, 5}));
    EXPECT_EQ("'Arial'", Call(ctl, "SECharGetFontNameEx", {0, 5}));
    EXPECT_EQ("10", Call(ctl, "SECharGetFontSizeEx", {0, 5}));
}

TEST_F(RichTextMembers, LockingASecondCellWritesTheFirstBack)
{
    ASSERT_TRUE(grid->SetCellType(3, 1, GCT_SUPEREDIT));
    EXPECT_EQ("-1", Call(ctl, "SELockContent", {2, 2}));
    EXPECT_EQ("-1", Call(ctl, "SECtrlSetText", {}, "first"));
    EXPECT_EQ("-1", Call(ctl, "SELockContent", {3, 1}));
    EXPECT_EQ("first", std::string(grid->GetCellText(2, 2)));
    EXPECT_NE(std::string::npos, std::string(grid->GetCellRichText(2, 2)).find("first"));
    EXPECT_EQ("-1", Call(ctl, "SECtrlSetText", {}, "second"));
    EXPECT_EQ("'second'", Call(ctl, "SECtrlGetText"));
    // A locked cell deleted with its row is no target any more.
    grid->DeleteRow(3);
    EXPECT_EQ("0", Call(ctl, "SECtrlSetText", {}, "third"));
    EXPECT_EQ("0", Call(ctl, "SECtrlGetText") == "''" ? "0" : "1");
}

}  // namespace
