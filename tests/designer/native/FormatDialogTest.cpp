// The display-format dialogs: default and variant texts, range and quote
// checks, and the round trip of each format through a real cell.
#include "designer/DesignerFixture.h"
#include "designer/dialogs/FormatDialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace designertest;

TEST(FormatDialogs, DefaultsAndVariantsBuildTheirTexts)
{
    CNumericFormatDlg numeric;
    EXPECT_EQ("<format datatype=\"numeric\"  separator = \",\"  displayminus = \"1\"  decimal = \"2\"  seplen = \"3\"  "
              "morethan=\"0.000000\"  morethancolor=\"0\"  lessthan=\"0.000000\"  lessthancolor=\"255\"  "
              "same=\"0.000000\"  samecolor=\"32768\"  ></format>",
              numeric.BuildText().Str());
    for (auto& rule : numeric.m_rules)
        rule.enabled = FALSE;
    EXPECT_EQ("<format datatype=\"numeric\"  separator = \",\"  displayminus = \"1\"  decimal = \"2\"  seplen = \"3\"  "
              "></format>",
              numeric.BuildText().Str());
    numeric.m_rules[2].enabled = TRUE;
    numeric.m_rules[2].value = 1234567.89;
    numeric.m_strSeparator = "%s";
    EXPECT_EQ("<format datatype=\"numeric\"  separator = \"%s\"  displayminus = \"1\"  decimal = \"2\"  seplen = \"3\"  "
              "same=\"1234567.890000\"  samecolor=\"32768\"  ></format>",
              numeric.BuildText().Str());

    CCurrencyFormatDlg currency;
    for (auto& rule : currency.m_rules)
        rule.enabled = FALSE;
    EXPECT_EQ("<format datatype=\"currency\"  separator = \",\"  displayminus = \"1\"  decimal = \"2\"  seplen = \"3\"  "
              "chinesecaption = \"1\"  pointfrontsymbol=\"元\"  pointbacksymbol1=\"角\"  pointbacksymbol2=\"分\"  "
              "pointsymbol=\"零\"  lastsymbol=\"整\"  symbol=\"￥\"  minusymbol=\"欠\"  ></format>",
              currency.BuildText().Str());

    CDateTimeFormatDlg date;
    EXPECT_EQ("<format datatype=\"datetime\"  chinesecaption=\"1\"  yearsymbol=\"年\"  monthsymbol=\"月\"  "
              "daysymbol=\"日\"  hoursymbol=\"时\"  minutesymbol=\"分\"  secondsymbol=\"秒\"  yearseq=\"0\"  "
              "monthseq=\"1\"  dayseq=\"2\"  hourseq=\"3\"  minuteseq=\"4\"  secondseq=\"5\"  yeardisplay=\"1\"  "
              "monthdisplay=\"1\"  daydisplay=\"1\"  hourdisplay=\"0\"  minutedisplay=\"0\"  seconddisplay =\"0\"  "
              "yeardecimal=\"0\"  monthdecimal=\"0\"  daydecimal=\"0\"  hourdecimal=\"0\"  minutedecimal=\"0\"  "
              "seconddecimal =\"0\"  dayhoursymbol=\" \"  ></format>",
              date.BuildText().Str());

    CBooleanFormatDlg boolean;
    EXPECT_EQ("<format datatype=\"boolean\"  truevalue=\"男\"  falsevalue =\"女\"  ></format>", boolean.BuildText().Str());

    CPercentageFormatDlg percentage;
    EXPECT_EQ("<format datatype=\"percentage\"  decimal=\"0\" ></format>", percentage.BuildText().Str());
    percentage.m_nDecimal = 3;
    EXPECT_EQ("<format datatype=\"percentage\"  decimal=\"3\" ></format>", percentage.BuildText().Str());
    CScientificFormatDlg scientific;
    EXPECT_EQ("<format datatype=\"scientific\"  decimal=\"0\" ></format>", scientific.BuildText().Str());
}

TEST(FormatDialogs, ChecksRefuseOutOfRangeValuesAndQuotes)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CFormatDialog>()> make;
        int field;
    };
    const Case cases[] = {
        {"decimals 16", [] { auto d = std::make_unique<CNumericFormatDlg>(); d->m_nDecimal = 16; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1087},
        {"group 11", [] { auto d = std::make_unique<CNumericFormatDlg>(); d->m_nSepLen = 11; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1084},
        {"quoted separator", [] { auto d = std::make_unique<CNumericFormatDlg>(); d->m_strSeparator = "\""; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1085},
        {"quoted symbol", [] { auto d = std::make_unique<CCurrencyFormatDlg>(); d->m_strSymbol = "$\""; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1109},
        {"year digits 5", [] { auto d = std::make_unique<CDateTimeFormatDlg>(); d->m_nDigits[0] = 5; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1121},
        {"second digits 3", [] { auto d = std::make_unique<CDateTimeFormatDlg>(); d->m_nDigits[5] = 3; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1126},
        {"quoted true text", [] { auto d = std::make_unique<CBooleanFormatDlg>(); d->m_strTrue = "\"是\""; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1116},
        {"percentage 7", [] { auto d = std::make_unique<CPercentageFormatDlg>(); d->m_nDecimal = 7; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1087},
        {"scientific -1", [] { auto d = std::make_unique<CScientificFormatDlg>(); d->m_nDecimal = -1; return std::unique_ptr<CFormatDialog>(std::move(d)); }, 1087},
    };
    for (const Case& c : cases) {
        ScriptedUi ui;
        auto dlg = c.make();
        EXPECT_FALSE(dlg->Accept(ui)) << c.what;
        EXPECT_EQ(c.field, dlg->FocusField()) << c.what;
        EXPECT_TRUE(dlg->GetAttributeText().IsEmpty()) << c.what;
        ASSERT_EQ(1u, ui.boxes.size()) << c.what;
        EXPECT_EQ("提示", ui.boxes[0].caption);
    }
    ScriptedUi ui;
    CDateTimeFormatDlg date;
    date.m_nDigits[0] = 4;
    date.m_nDigits[1] = 2;
    EXPECT_TRUE(date.Accept(ui));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(FormatDialogs, EveryFormatComesBackFromACell)
{
    Designer d;
    auto roundTrip = [&d](CFormatDialog& sent, CFormatDialog& back) {
        const CString text = sent.BuildText();
        EXPECT_TRUE(d.grid.CellSetTextFormat(2, 2, text)) << text.Str();
        EXPECT_EQ(sent.TypeWord(), d.grid.CellGetTextFormatProperty(2, 2, CString("datatype")).Str());
        back.Read(FormatAttributes(d.grid, 2, 2));
        EXPECT_EQ(text.Str(), back.BuildText().Str());
    };
    CNumericFormatDlg numeric, numericBack;
    numeric.m_nDecimal = 4;
    numeric.m_rules[0].enabled = FALSE;
    numeric.m_rules[2].value = 7.5;
    numeric.m_rules[2].colour = RGB(9, 8, 7);  // an equal-value colour is kept
    roundTrip(numeric, numericBack);
    EXPECT_FALSE(numericBack.m_rules[0].enabled);
    EXPECT_EQ(RGB(9, 8, 7), numericBack.m_rules[2].colour);

    CCurrencyFormatDlg currency, currencyBack;
    currency.m_nChinese = 2;
    currency.m_strSymbol = "$";
    roundTrip(currency, currencyBack);

    CDateTimeFormatDlg date, dateBack;
    date.m_nDisplay[3] = 1;
    date.m_nSeq[0] = 2;
    date.m_nSeq[2] = 0;
    date.m_nDigits[0] = 2;
    date.m_strDayHour = "T";
    roundTrip(date, dateBack);

    CBooleanFormatDlg boolean, booleanBack;
    boolean.m_strTrue = "是";
    boolean.m_strFalse = "否";
    roundTrip(boolean, booleanBack);

    CPercentageFormatDlg percentage, percentageBack;
    percentage.m_nDecimal = 3;
    roundTrip(percentage, percentageBack);
    CScientificFormatDlg scientific, scientificBack;
    scientific.m_nDecimal = 5;
    roundTrip(scientific, scientificBack);
}
