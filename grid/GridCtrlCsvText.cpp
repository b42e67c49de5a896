// The whole grid as CSV text: every row, every column, fixed ones included.
//
// A field is quoted (its quotes doubled) when it holds the separator, a
// quote, a carriage return or a line feed, so any reader of CSV gets the
// same fields back. A number is written as the shortest text that reads back
// as the same value (12.75 stays 12.75, 3 is written 3), and a position
// without a cell is an empty field.
#include "grid/GridCtrl.h"

#include "base/Cp936.h"
#include "base/NumberText.h"

#include <cmath>
#include <string>

namespace {

// The shortest "%g" text that reads back as the value, in plain decimals
// while the value's exponent is below 17.
std::string ShortestNumberText(double value)
{
    if (!std::isfinite(value))
        return FormatNumberText(value, 'g', 17);
    std::string text;
    int precision = 1;
    for (; precision <= 17; ++precision) {
        text = FormatNumberText(value, 'g', precision);
        if (StrToD(text.c_str(), nullptr) == value)
            break;
    }
    // "%g" turns to exponent form once the exponent reaches the precision;
    // whole numbers up to 17 digits read better without it.
    const size_t e = text.find('e');
    if (e != std::string::npos) {
        const int exponent = AToI(text.c_str() + e + 1);
        if (exponent >= 0 && exponent < 17)
            text = FormatNumberText(value, 'g', exponent + 1);
    }
    return text;
}

// The end of the character at pos as the CSV reader sees it: a lead byte
// makes a two-byte character only with a valid second byte; before any other
// byte (a quote, a separator, a line break) it stands alone.
int CharEnd(const char* s, int length, int pos)
{
    if (cp936::IsLeadByte(s[pos]) && pos + 1 < length && cp936::IsTrailByte(static_cast<unsigned char>(s[pos + 1])))
        return pos + 2;
    return pos + 1;
}

bool NeedsQuotes(const CString& field, char chSeparator)
{
    const char* s = field;
    const int length = field.GetLength();
    for (int pos = 0; pos < length; pos = CharEnd(s, length, pos)) {
        const char ch = s[pos];
        if (CharEnd(s, length, pos) == pos + 1 && (ch == chSeparator || ch == '"' || ch == '\r' || ch == '\n'))
            return true;
    }
    return false;
}

void AppendField(std::string& out, const CString& field, char chSeparator)
{
    if (!NeedsQuotes(field, chSeparator)) {
        out += field.Str();
        return;
    }
    out += '"';
    const char* s = field;
    const int length = field.GetLength();
    for (int pos = 0; pos < length;) {
        const int next = CharEnd(s, length, pos);
        if (next - pos == 1 && s[pos] == '"')
            out += '"';
        out.append(s + pos, static_cast<size_t>(next - pos));
        pos = next;
    }
    out += '"';
}

}  // namespace

CString CGridCtrl::SaveCSVString(char chSeparator)
{
    std::string out;
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell != nullptr) {
                if (pCell->GetDataType() != 0)
                    out += ShortestNumberText(pCell->GetValue());
                else
                    AppendField(out, CString(pCell->GetText()), chSeparator);
            }
            out += col + 1 < m_nCols ? chSeparator : '\n';
        }
    }
    return CString(out);
}
