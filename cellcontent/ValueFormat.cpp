#include "cellcontent/ValueFormat.h"

#include "base/NumberText.h"

CValueFormat::CValueFormat(const CXmlElement& source, LPCTSTR datatype)
    : m_strDatatype(datatype != nullptr ? datatype : "")
{
    CopyAttributes(source);
}

CString CValueFormat::GetValueText()
{
    if (GetAttribute("datatype") != m_strDatatype)
        return GetValueString();
    CString result = Format();
    SetValueString(result);
    return result;
}

bool CValueFormat::IsFlagValueOn(const CString& value)
{
    CString lower(value);
    lower.MakeLower();
    return lower == "1" || lower == "yes";
}

int CValueFormat::ReadPrecision(const CString& value)
{
    int precision = AToI(value);
    if (precision < 0)
        return 0;
    return precision > kMaxPrecision ? kMaxPrecision : precision;
}

void CValueFormat::GroupDigits(CString& text, int groupLength, const CString& separator)
{
    if (groupLength < 1 || separator.IsEmpty())
        return;
    const int length = text.GetLength();
    int start = text.GetAt(0) == '-' ? 1 : 0;
    int pos = start;
    while (pos < length && text.GetAt(pos) >= '0' && text.GetAt(pos) <= '9')
        ++pos;
    const int integerEnd = pos;
    if (pos < length && text.GetAt(pos) == '.') {
        ++pos;
        while (pos < length && text.GetAt(pos) >= '0' && text.GetAt(pos) <= '9')
            ++pos;
    }
    const bool anyDigit = integerEnd > start || pos > integerEnd + 1;
    if (pos != length || !anyDigit)
        return;  // not a plain number text

    CString grouped = text.Left(start);
    const int digits = integerEnd - start;
    for (int i = 0; i < digits; ++i) {
        // A separator goes before every groupLength-th digit counted from the
        // last integer digit, never before the first.
        if (i > 0 && (digits - i) % groupLength == 0)
            grouped += separator;
        grouped += text.GetAt(start + i);
    }
    grouped += text.Mid(integerEnd);
    text = grouped;
}

void CValueFormat::ApplyColourRule(double value)
{
    struct Rule {
        const char* colourName;
        const char* limitName;
        int comparison;  // 1: value > limit, -1: value < limit, 0: value == limit
    };
    static const Rule kRules[] = {
        {"morethancolor", "morethan", 1},
        {"lessthancolor", "lessthan", -1},
        {"samecolor", "same", 0},
    };
    for (const Rule& rule : kRules) {
        CString colour = GetAttribute(rule.colourName);
        CString limitText = GetAttribute(rule.limitName);
        if (colour.IsEmpty() || limitText.IsEmpty())
            continue;
        const double limit = AToF(limitText);
        const bool fires = rule.comparison > 0 ? value > limit : rule.comparison < 0 ? value < limit : value == limit;
        if (fires) {
            ChooseColour(ParseColour(colour));
            return;
        }
    }
}

void CValueFormat::ApplyGrouping(CString& text) const
{
    CString separator = GetAttribute("separator");
    if (separator.IsEmpty())
        return;
    GroupDigits(text, AToI(GetAttribute("seplen")), separator);
}
