// CValueFormat: the common base of the value formats (numeric, currency,
// boolean, date-time, percentage, scientific). A value format is built from a
// format element, whose attributes, text, value text and device context it
// copies; it formats only when the element's "datatype" is its own and
// otherwise gives the value text back unchanged. The rules that several
// formats share live here: flags, precisions, digit grouping and the
// value-dependent text colour.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/XmlElement.h"

class CValueFormat : public CXmlElement {
public:
    // The largest number of decimals (or digits) a format attribute may ask for.
    static const int kMaxPrecision = 20;

    CValueFormat(const CXmlElement& source, LPCTSTR datatype);

    // The formatted value, also kept as the element's value text.
    CString GetValueText() override;

    // "1" or "yes" in any case.
    static bool IsFlagValueOn(const CString& value);
    // A precision attribute read as an integer and clamped to 0..kMaxPrecision.
    static int ReadPrecision(const CString& value);
    // Inserts `separator` between groups of `groupLength` integer digits of a
    // number text ("-1234567.00" -> "-1,234,567.00" for 3 and ","). Texts that
    // are not plain decimal numbers (optional "-", digits, optional point and
    // digits) are left unchanged, as are group lengths below 1.
    static void GroupDigits(CString& text, int groupLength, const CString& separator);

protected:
    // Formats the element's value text; called only when the datatype matches.
    virtual CString Format() = 0;

    bool IsFlagOn(LPCTSTR name) const { return IsFlagValueOn(GetAttribute(name)); }

    // The colour rule of the numeric and currency formats: "morethan" with
    // "morethancolor", then "lessthan" with "lessthancolor", then "same" with
    // "samecolor" (an exact comparison of the numbers); the first rule whose
    // two attributes are set and that holds for `value` chooses its colour.
    void ApplyColourRule(double value);

    // Grouping by the "seplen" and "separator" attributes.
    void ApplyGrouping(CString& text) const;

private:
    CString m_strDatatype;
};
