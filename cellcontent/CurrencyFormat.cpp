#include "cellcontent/CurrencyFormat.h"

#include "base/NumberText.h"
#include "cellcontent/ChineseAmount.h"

CString CCurrencyFormat::GetChineseCaption(double amount, int mode, LPCTSTR pointFrontSymbol,
                                           LPCTSTR pointBackSymbol1, LPCTSTR pointBackSymbol2, LPCTSTR pointSymbol,
                                           LPCTSTR minusSymbol, LPCTSTR lastSymbol)
{
    return ::GetChineseCaption(amount, mode, pointFrontSymbol, pointBackSymbol1, pointBackSymbol2, pointSymbol,
                               minusSymbol, lastSymbol);
}

CString CCurrencyFormat::Format()
{
    const CString valueText = GetValueString();
    const double value = AToF(valueText);
    ApplyColourRule(value);

    const int mode = AToI(GetAttribute("chinesecaption"));
    if (mode != 0) {
        return ::GetChineseCaption(value, mode, GetAttribute("pointfrontsymbol"), GetAttribute("pointbacksymbol1"),
                                   GetAttribute("pointbacksymbol2"), GetAttribute("pointsymbol"),
                                   GetAttribute("minusymbol"), GetAttribute("lastsymbol"));
    }

    CString text;
    if (value == 0 && GetAttribute("accountingnone") == "1") {
        text = "-";
    } else {
        text = valueText;
        CString decimal = GetAttribute("decimal");
        if (!decimal.IsEmpty())
            text = CString(FormatNumberText(value, 'f', ReadPrecision(decimal)));
        ApplyGrouping(text);
        if (!IsFlagOn("displayminus") && text.GetAt(0) == '-')
            text.Delete(0);
    }
    CString symbol = GetAttribute("symbol");
    if (!symbol.IsEmpty())
        text = symbol + text;
    return text;
}
