// The printing members through the generated dispatcher: every setting
// stored and read back, the members' refusals, the header and footer font
// masks, custom paper, and printing on the recording printer.
#include "control/DispInvoke.h"
#include "control/KivoSheetCtrl.h"
#include "cellcontent/FontElement.h"
#include "grid/GridCtrl.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Arg {
    long n;
    const char* text;
};

// One call: numbers and texts in the member's argument order; the answer as
// text ("-1"/"0" for bool, "\"...\"" for strings, "void") and the values
// written into by-reference arguments.
std::string Call(CKivoSheetDispatch& target, const char* name, const std::vector<Arg>& values = {},
                 std::vector<LONG>* refs = nullptr)
{
    const CMemberInfo* m = FindKivoSheetMemberByName(name);
    if (m == nullptr) {
        ADD_FAILURE() << "no member " << name;
        return "";
    }
    std::vector<CDispArg> args(static_cast<size_t>(m->argc > 0 ? m->argc : 1));
    for (int i = 0; i < m->argc; ++i) {
        CDispArg& a = args[static_cast<size_t>(i)];
        a.type = m->args[i];
        const Arg v = static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : Arg{0, ""};
        a.l = static_cast<LONG>(v.n);
        a.s = static_cast<SHORT>(v.n);
        a.str = v.text != nullptr ? v.text : "";
    }
    CDispResult r;
    EXPECT_TRUE(InvokeKivoSheetMember(target, *m, DispCall::Method, args.data(), r)) << name;
    if (refs != nullptr) {
        for (int i = 0; i < m->argc; ++i)
            if (m->args[i] == DispType::RefLong)
                refs->push_back(args[static_cast<size_t>(i)].l);
    }
    switch (r.type) {
    case DispType::Bool:
    case DispType::Short: return std::to_string(r.s);
    case DispType::Long: return std::to_string(r.l);
    case DispType::String: return std::string("\"") + r.str.GetString() + "\"";
    default: return "void";
    }
}

class PrintMembers : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        grid = ctl.GetGrid()->GetGridCtrl();
        ASSERT_NE(nullptr, grid);
        grid->SetFixedRowCount(1);
        grid->SetFixedColumnCount(1);
        grid->SetRowCount(6);
        grid->SetColumnCount(4);
        grid->GetPrintSettings().InitDevMode();
    }
    void TearDown() override { Headless::Reset(); }
    CKivoSheetCtrl ctl;
    CGridCtrl* grid = nullptr;
};

TEST_F(PrintMembers, SettingsAreStoredAndReadBack)
{
    struct Step {
        const char* member;
        std::vector<Arg> args;
        std::string answer;
    } steps[] = {
        {"PRTUseDefalutPrinter", {{1, nullptr}}, "-1"},   {"PRTIsUseDefalutPrinter", {}, "-1"},
        {"PRTUseDefalutPrinter", {{0, nullptr}}, "-1"},   {"PRTIsUseDefalutPrinter", {}, "0"},
        {"PRTSetPaper", {{8, nullptr}}, "-1"},            {"PRTGetPaper", {}, "8"},
        {"PRTSetOrientation", {{2, nullptr}}, "-1"},      {"PRTGetOrientation", {}, "2"},
        {"PRTSetOrientation", {{3, nullptr}}, "0"},       {"PRTGetOrientation", {}, "2"},
        {"PRTSetOrientation", {{0, nullptr}}, "0"},       {"PRTGetOrientation", {}, "2"},
        {"PRTSetCopies", {{3, nullptr}}, "-1"},           {"PRTGetCopies", {}, "3"},
        {"PRTSetCollate", {{0, nullptr}}, "-1"},          {"PRTGetCollate", {}, "0"},
        {"PRTSetCollate", {{1, nullptr}}, "-1"},          {"PRTGetCollate", {}, "-1"},
        {"PRTSetPrintFixedCol", {{0, nullptr}}, "-1"},    {"PRTGetPrintFixedCol", {}, "0"},
        {"PRTSetPrintFixedRow", {{0, nullptr}}, "-1"},    {"PRTGetPrintFixedRow", {}, "0"},
        {"PRTSetPrintFixedRow", {{1, nullptr}}, "-1"},    {"PRTGetPrintFixedRow", {}, "-1"},
        {"PRTSetPrintVirtualLine", {{1, nullptr}}, "-1"}, {"PRTGetPrintVirtualLine", {}, "-1"},
        {"PRTSetHeaderLeft", {{0, "第&[页码]页"}}, "-1"},  {"PRTGetHeaderLeft", {}, "\"第&[页码]页\""},
        {"PRTSetHeaderCenter", {{0, "hc"}}, "-1"},        {"PRTGetHeaderCenter", {}, "\"hc\""},
        {"PRTSetHeaderRight", {{0, "hr"}}, "-1"},         {"PRTGetHeaderRight", {}, "\"hr\""},
        {"PRTSetFooterLeft", {{0, "fl"}}, "-1"},          {"PRTGetFooterLeft", {}, "\"fl\""},
        {"PRTSetFooterCenter", {{0, "fc"}}, "-1"},        {"PRTGetFooterCenter", {}, "\"fc\""},
        {"PRTSetFooterRight", {{0, "fr"}}, "-1"},         {"PRTGetFooterRight", {}, "\"fr\""},
        {"PRTSetPreviewWndTitle", {{0, "预览"}}, "void"},  {"PRTGetPreviewWndTitle", {}, "\"预览\""},
        {"PRTSetHideViewBar", {{1, nullptr}}, "void"},    {"PRTGetHideViewBar", {}, "1"},
        {"PRTSetRepeatRange", {{0, "1:2"}, {1, nullptr}}, "1"}, {"PRTGetRepeatRange", {{1, nullptr}}, "\"1:2\""},
        {"PRTSetRepeatRange", {{0, "3"}, {8, nullptr}}, "1"},   {"PRTGetRepeatRange", {{8, nullptr}}, "\"3\""},
        {"PRTSetRepeatRange", {{0, "1"}, {3, nullptr}}, "0"},   {"PRTGetRepeatRange", {{3, nullptr}}, "\"\""},
        {"PRTSetRepeatRange", {{0, ""}, {2, nullptr}}, "0"},
        {"PRTSetUserPaper", {{0, nullptr}, {2970, nullptr}}, "0"},
        {"PRTSetUserPaper", {{2100, nullptr}, {-5, nullptr}}, "0"},
        {"PRTIsPrinterExist", {{0, ""}}, "0"},            {"PRTIsPrinterExist", {{0, "nothing"}}, "0"},
        {"PRTSetPrinterName", {{0, "nothing"}}, "0"},     {"PRTGetPrinterName", {}, "\"\""},
    };
    for (const Step& s : steps)
        EXPECT_EQ(s.answer, Call(ctl, s.member, s.args)) << s.member;
    const std::string tooLong(64, '1');
    EXPECT_EQ("0", Call(ctl, "PRTSetRepeatRange", {{0, tooLong.c_str()}, {2, nullptr}}));
    EXPECT_EQ(1, grid->GetPrintSettings().m_nPrintOptions[1]);
    EXPECT_EQ(0, grid->GetPrintSettings().m_nPrintOptions[2]);
    EXPECT_TRUE(grid->GetPrintGridLines());
}

TEST_F(PrintMembers, FontMasksNameTheParts)
{
    const CString before = grid->GetHeaderCenterFont();
    const char* font = "<font fontname = \"Arial\" fontsize = \"14\" ></font>";
    EXPECT_EQ("void", Call(ctl, "PRTSetHeaderFont", {{5, nullptr}, {0, font}}));
    const std::string left = Call(ctl, "PRTGetHeaderFont", {{1, nullptr}});
    EXPECT_NE(std::string::npos, left.find("Arial")) << left;
    EXPECT_EQ(left, Call(ctl, "PRTGetHeaderFont", {{4, nullptr}}));
    EXPECT_STREQ(before.GetString(), grid->GetHeaderCenterFont().GetString());
    EXPECT_EQ("\"\"", Call(ctl, "PRTGetHeaderFont", {{3, nullptr}}));
    EXPECT_EQ("\"\"", Call(ctl, "PRTGetFooterFont", {{0, nullptr}}));
    // Outside 1..7 or an empty text: nothing changes.
    const CString footer = grid->GetFooterLeftFont();
    Call(ctl, "PRTSetFooterFont", {{8, nullptr}, {0, font}});
    Call(ctl, "PRTSetFooterFont", {{1, nullptr}, {0, ""}});
    EXPECT_STREQ(footer.GetString(), grid->GetFooterLeftFont().GetString());
    Call(ctl, "PRTSetFooterFont", {{7, nullptr}, {0, font}});
    EXPECT_EQ(left, Call(ctl, "PRTGetFooterFont", {{2, nullptr}}));
}

TEST_F(PrintMembers, UserPaperIsReadOnlyWhileSet)
{
    std::vector<LONG> refs;
    EXPECT_EQ("0", Call(ctl, "PRTGetUserPaper", {{7, nullptr}, {7, nullptr}}, &refs));
    EXPECT_EQ((std::vector<LONG>{7, 7}), refs);
    EXPECT_EQ("1", Call(ctl, "PRTSetUserPaper", {{1800, nullptr}, {1200, nullptr}}));
    EXPECT_EQ("256", Call(ctl, "PRTGetPaper"));
    refs.clear();
    EXPECT_EQ("1", Call(ctl, "PRTGetUserPaper", {{0, nullptr}, {0, nullptr}}, &refs));
    EXPECT_EQ((std::vector<LONG>{1800, 1200}), refs);
    EXPECT_EQ("-1", Call(ctl, "PRTSetPaper", {{9, nullptr}}));
    EXPECT_EQ("0", Call(ctl, "PRTGetUserPaper", {{0, nullptr}, {0, nullptr}}));
}

// A name longer than the printer-name field names no printer: both members
// refuse it before the printer calls see it, and the sheet keeps its printer.
TEST_F(PrintMembers, PrinterNamesLongerThanTheNameFieldAreRefused)
{
    const std::string fits(127, 'P');
    const std::string over(128, 'P');
    HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("First"), HeadlessPrinter::MakePrinter(fits.c_str()),
                                  HeadlessPrinter::MakePrinter(over.c_str())},
                                 "First");
    ASSERT_EQ("-1", Call(ctl, "PRTSetPrinterName", {{0, "First"}}));
    const std::string huge(100000, 'P');
    const struct {
        const std::string* name;
        const char* answer;
    } kCases[] = {{&fits, "-1"}, {&over, "0"}, {&huge, "0"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name->size());
        EXPECT_EQ(c.answer, Call(ctl, "PRTIsPrinterExist", {{0, c.name->c_str()}}));
        EXPECT_EQ(c.answer, Call(ctl, "PRTSetPrinterName", {{0, c.name->c_str()}}));
        const std::string expected = std::string(c.answer) == "-1" ? *c.name : "First";
        EXPECT_EQ("\"" + expected + "\"", Call(ctl, "PRTGetPrinterName"));
        Call(ctl, "PRTSetPrinterName", {{0, "First"}});
    }
}

TEST_F(PrintMembers, PrintGoesToTheNamedPrinter)
{
    HeadlessPrinter::SetPrinters({HeadlessPrinter::MakePrinter("First"), HeadlessPrinter::MakePrinter("Second")},
                                 "First");
    EXPECT_EQ("-1", Call(ctl, "PRTIsPrinterExist", {{0, "Second"}}));
    EXPECT_EQ("-1", Call(ctl, "PRTSetPrinterName", {{0, "Second"}}));
    EXPECT_EQ("\"Second\"", Call(ctl, "PRTGetPrinterName"));
    EXPECT_EQ("-1", Call(ctl, "PRTPrint"));
    EXPECT_STREQ("Second", HeadlessPrinter::Record().strPrinter.GetString());
    EXPECT_EQ(1, HeadlessPrinter::Record().nDocsEnded);
    // The default-printer switch takes the default printer over the stored one.
    Call(ctl, "PRTUseDefalutPrinter", {{1, nullptr}});
    EXPECT_EQ("-1", Call(ctl, "PRTPrint"));
    EXPECT_STREQ("First", HeadlessPrinter::Record().strPrinter.GetString());

    HeadlessPrinter::SetPrinters({}, "");
    EXPECT_EQ("0", Call(ctl, "PRTPrint"));
    ASSERT_FALSE(Headless::MessageBoxes().empty());
    EXPECT_EQ("没有按装打印机,不能打印!", Headless::MessageBoxes().back().text);
}

}  // namespace
