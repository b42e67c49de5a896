#include "cellcontent/ChineseAmount.h"

#include "base/NumberText.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace {

const char* const kCapitalDigits[10] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
const char* const kOrdinaryDigits[10] = {"○", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
// Units of the positions 1 to 3 within a group of four digits.
const char* const kCapitalDigitUnits[4] = {"", "拾", "佰", "仟"};
const char* const kOrdinaryDigitUnits[4] = {"", "十", "百", "千"};
// Units of the groups 1 to 5; higher groups have none.
const char* const kSectionUnits[6] = {"", "万", "亿", "兆", "万", "亿"};
const int kSectionUnitGroups = 5;

// One character of the amount in words, before it is written out.
struct Glyph {
    enum Kind { Digit, DigitUnit, SectionUnit } kind;
    int index;  // the digit, the position in the group (1..3) or the group (1..5)

    bool IsZero() const { return kind == Digit && index == 0; }
};

CString Safe(LPCTSTR text)
{
    return text != nullptr ? CString(text) : CString();
}

// The integer part in words: every digit with its unit, then the zeros
// collapsed and a trailing zero dropped.
std::vector<Glyph> IntegerGlyphs(const std::string& integerDigits)
{
    const int count = static_cast<int>(integerDigits.size());
    std::vector<Glyph> glyphs;
    for (int i = 0; i < count; ++i) {
        const int k = count - 1 - i;  // distance from the units digit
        glyphs.push_back(Glyph{Glyph::Digit, integerDigits[static_cast<size_t>(i)] - '0'});
        if (k % 4 != 0) {
            glyphs.push_back(Glyph{Glyph::DigitUnit, k % 4});
            continue;
        }
        const int group = k / 4;
        if (group < 1 || group > kSectionUnitGroups)
            continue;
        // A group of four zeros gets no section unit ("壹亿", not "壹亿万").
        bool groupHasValue = false;
        for (int j = i; j >= 0 && j > i - 4; --j)
            groupHasValue = groupHasValue || integerDigits[static_cast<size_t>(j)] != '0';
        if (groupHasValue)
            glyphs.push_back(Glyph{Glyph::SectionUnit, group});
    }

    size_t pos = 0;
    while (pos + 1 < glyphs.size()) {
        const Glyph& next = glyphs[pos + 1];
        if (glyphs[pos].IsZero() && (next.kind == Glyph::DigitUnit || next.IsZero())) {
            glyphs.erase(glyphs.begin() + static_cast<std::ptrdiff_t>(pos) + 1);
        } else if (glyphs[pos].IsZero() && next.kind == Glyph::SectionUnit) {
            glyphs.erase(glyphs.begin() + static_cast<std::ptrdiff_t>(pos));
            ++pos;
        } else {
            ++pos;
        }
    }
    if (!glyphs.empty() && glyphs.back().IsZero())
        glyphs.pop_back();
    return glyphs;
}

}  // namespace

CString GetChineseCaption(double amount, int mode, LPCTSTR pointFrontSymbol, LPCTSTR pointBackSymbol1,
                          LPCTSTR pointBackSymbol2, LPCTSTR pointSymbol, LPCTSTR minusSymbol, LPCTSTR lastSymbol)
{
    const bool ordinary = mode == ChineseNumeralOrdinary;
    const char* const* digits = ordinary ? kOrdinaryDigits : kCapitalDigits;
    const char* const* digitUnits = ordinary ? kOrdinaryDigitUnits : kCapitalDigitUnits;

    if (!std::isfinite(amount))
        return CString();

    // The amount as it is shown: two decimals, a leading "-" when negative.
    const std::string text = FormatNumberText(amount, 'f', 2);
    std::string integerDigits;
    std::string decimalDigits;
    bool afterPoint = false;
    for (char c : text) {
        if (c == '.')
            afterPoint = true;
        else if (c >= '0' && c <= '9')
            (afterPoint ? decimalDigits : integerDigits) += c;
    }
    if (integerDigits.find_first_not_of('0') == std::string::npos &&
        decimalDigits.find_first_not_of('0') == std::string::npos)
        return CString(digits[0]);

    CString result;
    for (const Glyph& glyph : IntegerGlyphs(integerDigits)) {
        switch (glyph.kind) {
        case Glyph::Digit: result += digits[glyph.index]; break;
        case Glyph::DigitUnit: result += digitUnits[glyph.index]; break;
        case Glyph::SectionUnit: result += kSectionUnits[glyph.index]; break;
        }
    }
    result += Safe(pointFrontSymbol);

    bool pointWritten = false;
    for (size_t i = 0; i < decimalDigits.size() && i < 2; ++i) {
        const int digit = decimalDigits[i] - '0';
        if (digit == 0)
            continue;
        if (!pointWritten) {
            result += Safe(pointSymbol);
            pointWritten = true;
        }
        result += digits[digit];
        result += Safe(i == 0 ? pointBackSymbol1 : pointBackSymbol2);
    }
    result += Safe(lastSymbol);
    if (amount < 0)
        result = Safe(minusSymbol) + result;
    return result;
}
