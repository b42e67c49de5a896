// CCurrencyFormat: the value format of "datatype" "currency". It shows a money
// amount as grouped digits behind a currency symbol or, when "chinesecaption"
// is not 0, as a Chinese amount in words (see ChineseAmount.h), and applies
// the value-dependent text colour of the numeric format.
//
// Attributes: the colour rule's six; "chinesecaption" (0 digits, 2 ordinary
// numerals, any other value capital numerals) with "pointfrontsymbol",
// "pointbacksymbol1", "pointbacksymbol2", "pointsymbol", "minusymbol" and
// "lastsymbol"; for digits "decimal", "seplen", "separator", "displayminus",
// "symbol" and "accountingnone" ("1": a zero amount shows "-").
#pragma once

#include "cellcontent/ValueFormat.h"

class CCurrencyFormat : public CValueFormat {
public:
    explicit CCurrencyFormat(const CXmlElement& source) : CValueFormat(source, "currency") {}

    // The amount in words; see ::GetChineseCaption in ChineseAmount.h.
    static CString GetChineseCaption(double amount, int mode, LPCTSTR pointFrontSymbol, LPCTSTR pointBackSymbol1,
                                     LPCTSTR pointBackSymbol2, LPCTSTR pointSymbol, LPCTSTR minusSymbol,
                                     LPCTSTR lastSymbol);

protected:
    CString Format() override;
};
