// A money amount written in Chinese numerals with digit and section units, as
// on cheques and invoices ("壹仟贰佰叁拾肆元伍角陆分整").
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// Numeral styles of the amount in words.
enum ChineseNumeralStyle {
    ChineseNumeralCapital = 1,   // 零 壹 贰 ... with 拾 佰 仟
    ChineseNumeralOrdinary = 2   // ○ 一 二 ... with 十 百 千
};

// Writes `amount` in words. `mode` 2 selects the ordinary numerals; any other
// value the capital ones. The amount is first rounded to two decimals; a zero
// amount gives the zero numeral alone ("零" or "○") without any symbol.
// Otherwise: the integer part in words (digit units within each group of four,
// section units 万/亿/兆/万/亿 for the groups 1 to 5, dropped for a group that
// is all zero, inner zeros collapsed to one zero numeral, a zero integer part
// written as nothing), then `pointFrontSymbol` (the unit of the whole amount),
// then for each non-zero decimal digit — `pointSymbol` once before the first
// of them — its numeral followed by `pointBackSymbol1` (tenths) or
// `pointBackSymbol2` (hundredths), then `lastSymbol`; a negative amount gets
// `minusSymbol` in front. A value that is not a finite number gives the empty
// text. NULL symbols are taken as empty.
CString GetChineseCaption(double amount, int mode, LPCTSTR pointFrontSymbol, LPCTSTR pointBackSymbol1,
                          LPCTSTR pointBackSymbol2, LPCTSTR pointSymbol, LPCTSTR minusSymbol, LPCTSTR lastSymbol);
