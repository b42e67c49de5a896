// CFormatElement: a cell's display format, an attribute text with the element
// name "format" such as
//   <format datatype = "numeric" decimal = "2" seplen = "3" separator = "," ></format>
// Built from a text alone it serves attribute access; built with a value text
// (and the context the cell paints into) it formats that value. "datatype"
// chooses the value format by one of the exact words "numeric", "currency",
// "boolean", "datetime", "percentage" and "scientific"; any other word, or
// none, formats to the empty text (the cell then shows its value as it is).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/XmlElement.h"

class CFormatElement : public CXmlElement {
public:
    CFormatElement();
    explicit CFormatElement(LPCTSTR formatText);
    CFormatElement(LPCTSTR formatText, LPCTSTR valueText, CDC* pDC);

    // Formats the value text with the value format named by "datatype",
    // keeps the result as the value text and takes over the colour that the
    // value format chose (-1 when none). Formatting never fails: a value that
    // cannot be formatted gives the empty text.
    CString FormatValue();

    // Same as FormatValue.
    CString GetValueText() override;
};
