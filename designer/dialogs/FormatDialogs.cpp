#include "designer/dialogs/FormatDialogs.h"

namespace {

const char* const kClosing = " ></format>";

// " KEY"VALUE" ": the key carries its own spacing and "=".
void Piece(CString& text, const char* key, const CString& value)
{
    text += ' ';
    text += key;
    text += '"';
    text += value;
    text += "\" ";
}

void Piece(CString& text, const char* key, long value)
{
    CString number;
    number.Format("%ld", value);
    Piece(text, key, number);
}

const char* const kRuleKeys[3][2] = {
    {"morethan=", "morethancolor="}, {"lessthan=", "lessthancolor="}, {"same=", "samecolor="}};
const char* const kRuleNames[3][2] = {{"morethan", "morethancolor"}, {"lessthan", "lessthancolor"}, {"same", "samecolor"}};

const char* const kUnits[6] = {"year", "month", "day", "hour", "minute", "second"};

}  // namespace

// --- number and currency -------------------------------------------------------------

CNumericFormatDlg::CNumericFormatDlg()
{
    m_rules[0].colour = 0;
    m_rules[1].colour = 255;
    m_rules[2].colour = 32768;
}

CString CNumericFormatDlg::Opening() const
{
    CString text("<format datatype=\"");
    text += TypeWord();
    text += "\" ";
    return text;
}

void CNumericFormatDlg::AppendNumberPieces(CString& text) const
{
    Piece(text, "separator = ", m_strSeparator);
    Piece(text, "displayminus = ", m_nDisplayMinus);
    Piece(text, "decimal = ", m_nDecimal);
    Piece(text, "seplen = ", m_nSepLen);
}

void CNumericFormatDlg::AppendRules(CString& text) const
{
    for (int i = 0; i < 3; ++i) {
        if (!m_rules[i].enabled)
            continue;
        Piece(text, kRuleKeys[i][0], attr::Fixed(m_rules[i].value));
        Piece(text, kRuleKeys[i][1], static_cast<long>(m_rules[i].colour));
    }
}

CString CNumericFormatDlg::BuildText() const
{
    CString text = Opening();
    AppendNumberPieces(text);
    AppendRules(text);
    return text + kClosing;
}

void CNumericFormatDlg::Read(const AttrGetter& get)
{
    m_nDisplayMinus = attr::Int(get, "displayminus");
    m_nDecimal = attr::Int(get, "decimal");
    m_strSeparator = get("separator");
    m_nSepLen = attr::Int(get, "seplen");
    for (int i = 0; i < 3; ++i) {
        // A rule is on when its value is there, and only then is its colour read.
        m_rules[i].enabled = !get(kRuleNames[i][0]).IsEmpty();
        if (m_rules[i].enabled) {
            m_rules[i].value = attr::Number(get, kRuleNames[i][0]);
            m_rules[i].colour = attr::Colour(get, kRuleNames[i][1]);
        }
    }
}

BOOL CNumericFormatDlg::Validate(IDesignerUi& ui)
{
    return CheckQuoted(ui, m_strSeparator, 1085) && CheckRange(ui, m_nDisplayMinus, 0, 1, 1089) &&
           CheckRange(ui, m_nDecimal, 0, 15, 1087) && CheckRange(ui, m_nSepLen, 0, 10, 1084);
}

CString CCurrencyFormatDlg::BuildText() const
{
    CString text = Opening();
    AppendNumberPieces(text);
    Piece(text, "chinesecaption = ", m_nChinese);
    Piece(text, "pointfrontsymbol=", m_strPointFront);
    Piece(text, "pointbacksymbol1=", m_strPointBack1);
    Piece(text, "pointbacksymbol2=", m_strPointBack2);
    Piece(text, "pointsymbol=", m_strPoint);
    Piece(text, "lastsymbol=", m_strLast);
    Piece(text, "symbol=", m_strSymbol);
    Piece(text, "minusymbol=", m_strMinus);
    AppendRules(text);
    return text + kClosing;
}

void CCurrencyFormatDlg::Read(const AttrGetter& get)
{
    CNumericFormatDlg::Read(get);
    m_nChinese = attr::Int(get, "chinesecaption");
    m_strPointFront = get("pointfrontsymbol");
    m_strPointBack1 = get("pointbacksymbol1");
    m_strPointBack2 = get("pointbacksymbol2");
    m_strPoint = get("pointsymbol");
    m_strLast = get("lastsymbol");
    m_strSymbol = get("symbol");
    m_strMinus = get("minusymbol");
}

BOOL CCurrencyFormatDlg::Validate(IDesignerUi& ui)
{
    if (!CNumericFormatDlg::Validate(ui) || !CheckRange(ui, m_nChinese, 0, 2, 1071))
        return FALSE;
    const struct {
        const CString& text;
        int field;
    } texts[] = {{m_strPointFront, 1102}, {m_strPointBack1, 1104}, {m_strPointBack2, 1105}, {m_strPoint, 1107},
                 {m_strLast, 1108},       {m_strSymbol, 1109},     {m_strMinus, 1110}};
    for (const auto& t : texts)
        if (!CheckQuoted(ui, t.text, t.field))
            return FALSE;
    return TRUE;
}

// --- date and time -------------------------------------------------------------------

CString CDateTimeFormatDlg::BuildText() const
{
    CString text("<format datatype=\"datetime\" ");
    Piece(text, "chinesecaption=", m_nChinese);
    for (int i = 0; i < 6; ++i)
        Piece(text, (CString(kUnits[i]) + "symbol=").GetString(), m_strSymbols[i]);
    for (int i = 0; i < 6; ++i)
        Piece(text, (CString(kUnits[i]) + "seq=").GetString(), m_nSeq[i]);
    for (int i = 0; i < 6; ++i)
        Piece(text, i == 5 ? "seconddisplay =" : (CString(kUnits[i]) + "display=").GetString(), m_nDisplay[i]);
    for (int i = 0; i < 6; ++i)
        Piece(text, i == 5 ? "seconddecimal =" : (CString(kUnits[i]) + "decimal=").GetString(), m_nDigits[i]);
    Piece(text, "dayhoursymbol=", m_strDayHour);
    return text + kClosing;
}

void CDateTimeFormatDlg::Read(const AttrGetter& get)
{
    m_nChinese = attr::Int(get, "chinesecaption");
    for (int i = 0; i < 6; ++i) {
        const CString unit(kUnits[i]);
        m_strSymbols[i] = get((unit + "symbol").GetString());
        m_nSeq[i] = attr::Int(get, (unit + "seq").GetString());
        m_nDisplay[i] = attr::Int(get, (unit + "display").GetString());
        m_nDigits[i] = attr::Int(get, (unit + "decimal").GetString());
    }
    m_strDayHour = get("dayhoursymbol");
}

BOOL CDateTimeFormatDlg::Validate(IDesignerUi& ui)
{
    if (!CheckRange(ui, m_nChinese, 0, 2, 1071))
        return FALSE;
    static const int kSymbolFields[6] = {1104, 1105, 1106, 1107, 1108, 1109};
    static const int kSeqFields[6] = {1103, 1110, 1111, 1112, 1113, 1114};
    for (int i = 0; i < 6; ++i) {
        if (!CheckQuoted(ui, m_strSymbols[i], kSymbolFields[i]) || !CheckRange(ui, m_nSeq[i], 0, 5, kSeqFields[i]) ||
            !CheckRange(ui, m_nDigits[i], 0, i == 0 ? 4 : 2, 1121 + i))
            return FALSE;
    }
    return CheckQuoted(ui, m_strDayHour, 1127);
}

// --- boolean -------------------------------------------------------------------------

CString CBooleanFormatDlg::BuildText() const
{
    CString text("<format datatype=\"boolean\" ");
    Piece(text, "truevalue=", m_strTrue);
    Piece(text, "falsevalue =", m_strFalse);
    return text + kClosing;
}

void CBooleanFormatDlg::Read(const AttrGetter& get)
{
    m_strTrue = get("truevalue");
    m_strFalse = get("falsevalue");
}

BOOL CBooleanFormatDlg::Validate(IDesignerUi& ui)
{
    return CheckQuoted(ui, m_strTrue, 1116) && CheckQuoted(ui, m_strFalse, 1117);
}

// --- percentage and scientific -------------------------------------------------------

CString CDecimalsFormatDlg::BuildText() const
{
    CString text("<format datatype=\"");
    text += TypeWord();
    text += "\" ";
    CString piece;
    piece.Format(" decimal=\"%d\"", m_nDecimal);
    return text + piece + kClosing;
}

void CDecimalsFormatDlg::Read(const AttrGetter& get)
{
    m_nDecimal = attr::Int(get, "decimal");
}

BOOL CDecimalsFormatDlg::Validate(IDesignerUi& ui)
{
    return CheckRange(ui, m_nDecimal, 0, 6, 1087);
}
