#include "cellcontent/FormatElement.h"

#include "cellcontent/CurrencyFormat.h"
#include "cellcontent/DateTimeFormat.h"
#include "cellcontent/SimpleFormats.h"

#include <memory>

namespace {

const char kFormatElementName[] = "format";

std::unique_ptr<CValueFormat> CreateValueFormat(const CString& datatype, const CXmlElement& source)
{
    if (datatype == "numeric")
        return std::make_unique<CNumericFormat>(source);
    if (datatype == "currency")
        return std::make_unique<CCurrencyFormat>(source);
    if (datatype == "boolean")
        return std::make_unique<CBooleanFormat>(source);
    if (datatype == "datetime")
        return std::make_unique<CDateTimeFormat>(source);
    if (datatype == "percentage")
        return std::make_unique<CPercentageFormat>(source);
    if (datatype == "scientific")
        return std::make_unique<CScientificFormat>(source);
    return nullptr;
}

}  // namespace

CFormatElement::CFormatElement() : CXmlElement(nullptr, kFormatElementName) {}

CFormatElement::CFormatElement(LPCTSTR formatText) : CXmlElement(formatText, kFormatElementName) {}

CFormatElement::CFormatElement(LPCTSTR formatText, LPCTSTR valueText, CDC* pDC)
    : CXmlElement(formatText, valueText, pDC, kFormatElementName)
{
}

CString CFormatElement::FormatValue()
{
    std::unique_ptr<CValueFormat> format = CreateValueFormat(GetAttribute("datatype"), *this);
    if (!format)
        return CString();
    CString result = format->GetValueText();
    SetChosenColour(format->GetChosenColour());
    SetValueString(result);
    return result;
}

CString CFormatElement::GetValueText()
{
    return FormatValue();
}
