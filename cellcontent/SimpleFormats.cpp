#include "cellcontent/SimpleFormats.h"

#include "base/NumberText.h"
#include "cellcontent/StringUtil.h"

namespace {

CString NumberText(double value, char conversion, int precision)
{
    return CString(FormatNumberText(value, conversion, precision));
}

}  // namespace

CString CNumericFormat::Format()
{
    const CString valueText = GetValueString();
    const double value = AToF(valueText);
    CString text = valueText;
    CString decimal = GetAttribute("decimal");
    if (!decimal.IsEmpty())
        text = NumberText(value, 'f', ReadPrecision(decimal));
    ApplyGrouping(text);
    ApplyColourRule(value);
    if (!IsFlagOn("displayminus") && text.GetAt(0) == '-')
        text.Delete(0);
    return text;
}

CString CPercentageFormat::Format()
{
    const double value = AToF(GetValueString()) * 100;
    const int precision = ReadPrecision(GetAttribute("decimal"));
    CString text;
    if (precision > 0) {
        text = NumberText(value, 'f', precision);
    } else {
        text = NumberText(value, 'f', -1);
        TrimTrailingZeros(text);
    }
    text += "%";
    return text;
}

CString CScientificFormat::Format()
{
    const double value = AToF(GetValueString());
    const int precision = ReadPrecision(GetAttribute("decimal"));
    return NumberText(value, 'e', precision > 0 ? precision : -1);
}

CString CBooleanFormat::Format()
{
    return AToI(GetValueString()) != 0 ? GetAttribute("truevalue") : GetAttribute("falsevalue");
}
