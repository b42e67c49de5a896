// The simple value formats: numeric, percentage, scientific and boolean.
// Each is built from a format element (see ValueFormat.h) and formats only
// when the element's "datatype" names it.
#pragma once

#include "cellcontent/ValueFormat.h"

// "numeric": "decimal" fixes the number of decimals (otherwise the value text
// is kept as it came), "seplen"/"separator" group the integer digits, the
// colour rule applies, and a leading "-" is shown only when "displayminus" is
// on.
class CNumericFormat : public CValueFormat {
public:
    explicit CNumericFormat(const CXmlElement& source) : CValueFormat(source, "numeric") {}

protected:
    CString Format() override;
};

// "percentage": the value times 100 with "decimal" decimals, or with the
// trailing zeros trimmed when "decimal" is not above 0, then "%".
class CPercentageFormat : public CValueFormat {
public:
    explicit CPercentageFormat(const CXmlElement& source) : CValueFormat(source, "percentage") {}

protected:
    CString Format() override;
};

// "scientific": the value in exponent form ("1.500000e+003") with "decimal"
// digits after the point, or 6 when "decimal" is not above 0.
class CScientificFormat : public CValueFormat {
public:
    explicit CScientificFormat(const CXmlElement& source) : CValueFormat(source, "scientific") {}

protected:
    CString Format() override;
};

// "boolean": "truevalue" when the value read as an integer is not 0, else
// "falsevalue".
class CBooleanFormat : public CValueFormat {
public:
    explicit CBooleanFormat(const CXmlElement& source) : CValueFormat(source, "boolean") {}

protected:
    CString Format() override;
};
