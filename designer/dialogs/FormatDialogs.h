// The display-format dialogs: each holds the options of one value format,
// builds the cell's "format" attribute text on OK and reads a cell's format
// attributes back into its fields. The keys keep the exact spacing that
// stored templates carry (some with blanks around "=", most without).
#pragma once

#include "designer/dialogs/AttributeDialog.h"

const UINT kDlgNumericFormat = 174;
const UINT kDlgCurrencyFormat = 175;
const UINT kDlgDateTimeFormat = 177;
const UINT kDlgBooleanFormat = 179;
const UINT kDlgPercentageFormat = 180;
const UINT kDlgScientificFormat = 181;

// One optional colour rule of the numeric and currency formats.
struct CCompareRule {
    BOOL enabled = TRUE;
    double value = 0.0;
    COLORREF colour = 0;
};

class CFormatDialog : public CAttributeDialog {
public:
    // The datatype word of the format ("numeric", ...).
    virtual const char* TypeWord() const = 0;
    // Fills the fields from a cell's format attributes.
    virtual void Read(const AttrGetter& get) = 0;
};

class CNumericFormatDlg : public CFormatDialog {
public:
    CNumericFormatDlg();
    UINT DialogId() const override { return kDlgNumericFormat; }
    const char* TypeWord() const override { return "numeric"; }
    CString BuildText() const override;
    void Read(const AttrGetter& get) override;

    CString m_strSeparator = ",";  // 1085
    int m_nDisplayMinus = 1;       // 1089
    int m_nDecimal = 2;            // 1087: 0..15
    int m_nSepLen = 3;             // 1084: 0..10
    CCompareRule m_rules[3];       // more than (1099), less than (1101), same (1100)

protected:
    BOOL Validate(IDesignerUi& ui) override;
    CString Opening() const;
    void AppendNumberPieces(CString& text) const;
    void AppendRules(CString& text) const;
};

class CCurrencyFormatDlg : public CNumericFormatDlg {
public:
    UINT DialogId() const override { return kDlgCurrencyFormat; }
    const char* TypeWord() const override { return "currency"; }
    CString BuildText() const override;
    void Read(const AttrGetter& get) override;

    int m_nChinese = 1;              // 1071: 0 digits, 1 upper-case Chinese, 2 lower-case
    CString m_strPointFront = "元";  // 1102
    CString m_strPointBack1 = "角";  // 1104
    CString m_strPointBack2 = "分";  // 1105
    CString m_strPoint = "零";       // 1107
    CString m_strLast = "整";        // 1108
    CString m_strSymbol = "￥";      // 1109
    CString m_strMinus = "欠";       // 1110

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CDateTimeFormatDlg : public CFormatDialog {
public:
    UINT DialogId() const override { return kDlgDateTimeFormat; }
    const char* TypeWord() const override { return "datetime"; }
    CString BuildText() const override;
    void Read(const AttrGetter& get) override;

    int m_nChinese = 1;                                   // 1071
    // Year, month, day, hour, minute, second.
    CString m_strSymbols[6] = {"年", "月", "日", "时", "分", "秒"};  // 1104..1109
    int m_nSeq[6] = {0, 1, 2, 3, 4, 5};                   // 1103, 1110..1114
    int m_nDisplay[6] = {1, 1, 1, 0, 0, 0};               // 1115..1120
    int m_nDigits[6] = {0, 0, 0, 0, 0, 0};                // 1121..1126: year 0..4, others 0..2
    CString m_strDayHour = " ";                           // 1127

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CBooleanFormatDlg : public CFormatDialog {
public:
    UINT DialogId() const override { return kDlgBooleanFormat; }
    const char* TypeWord() const override { return "boolean"; }
    CString BuildText() const override;
    void Read(const AttrGetter& get) override;

    CString m_strTrue = "男";   // 1116
    CString m_strFalse = "女";  // 1117

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

// Percentage and scientific: the number of decimals alone.
class CDecimalsFormatDlg : public CFormatDialog {
public:
    CString BuildText() const override;
    void Read(const AttrGetter& get) override;

    int m_nDecimal = 0;  // 1087: 0..6

protected:
    BOOL Validate(IDesignerUi& ui) override;
};

class CPercentageFormatDlg : public CDecimalsFormatDlg {
public:
    UINT DialogId() const override { return kDlgPercentageFormat; }
    const char* TypeWord() const override { return "percentage"; }
};

class CScientificFormatDlg : public CDecimalsFormatDlg {
public:
    UINT DialogId() const override { return kDlgScientificFormat; }
    const char* TypeWord() const override { return "scientific"; }
};
