#include "cellcontent/DateTimeFormat.h"

#include "base/DateTime.h"
#include "base/NumberText.h"

#include <string>
#include <utility>

namespace {

const char* const kPartNames[6] = {"year", "month", "day", "hour", "minute", "second"};
const char* const kCapitalDigits[10] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
const char* const kOrdinaryDigits[10] = {"○", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char* const kMonthShortNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

enum NumeralStyle { StyleDigits = 0, StyleCapital = 1, StyleOrdinary = 2, StyleMonthName = 4, StyleMonthShort = 8 };
const int kMonthKind = 1;
const int kDayHourPlace = 3;

// The value with at least `width` digits, zero-padded; a zero with width 0
// gives nothing, as "%.0d" prints it.
CString PaddedDigits(int value, int width)
{
    if (value == 0 && width == 0)
        return CString();
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    if (value < 0)
        digits.insert(0, 1, '-');
    return CString(digits);
}

}  // namespace

CString CDateTimeFormat::FormatPartNumber(const CDateTimePart& part, int style)
{
    switch (style) {
    case StyleDigits:
        return PaddedDigits(part.value, part.decimal);
    case StyleCapital:
    case StyleOrdinary: {
        const char* const* numerals = style == StyleCapital ? kCapitalDigits : kOrdinaryDigits;
        CString text;
        for (char c : std::to_string(part.value)) {
            if (c >= '0' && c <= '9')
                text += numerals[c - '0'];
        }
        return text;
    }
    case StyleMonthName:
    case StyleMonthShort:
        if (part.kind != kMonthKind)
            return PaddedDigits(part.value, part.decimal);
        if (part.value < 1 || part.value > 12)
            return CString();
        return CString(style == StyleMonthName ? kMonthNames[part.value - 1] : kMonthShortNames[part.value - 1]);
    default:
        return CString();
    }
}

CString CDateTimeFormat::Format()
{
    const CString dayHourSymbol = GetAttribute("dayhoursymbol");
    const int style = AToI(GetAttribute("chinesecaption"));

    COleDateTime when;
    if (!when.ParseDateTime(GetValueString()) || when.GetStatus() != COleDateTime::valid)
        return GetValueString();

    const int values[6] = {when.GetYear(), when.GetMonth(), when.GetDay(),
                           when.GetHour(), when.GetMinute(), when.GetSecond()};
    CDateTimePart parts[6];
    for (int kind = 0; kind < 6; ++kind) {
        const CString name(kPartNames[kind]);
        CDateTimePart& part = parts[kind];
        part.kind = kind;
        part.seq = AToI(GetAttribute(name + "seq"));
        part.value = values[kind];
        part.symbol = GetAttribute(name + "symbol");
        part.display = AToI(GetAttribute(name + "display"));
        part.decimal = static_cast<short>(ReadPrecision(GetAttribute(name + "decimal")));
    }

    // For each place, every later part whose seq is not 0 and smaller than the
    // seq of the part now at that place is exchanged with it. Parts with seq 0
    // keep their natural place; the others fill the remaining places in
    // ascending seq.
    for (int i = 0; i < 5; ++i) {
        for (int j = i + 1; j < 6; ++j) {
            if (parts[j].seq != 0 && parts[j].seq < parts[i].seq)
                std::swap(parts[i], parts[j]);
        }
    }

    CString text;
    for (int place = 0; place < 6; ++place) {
        const CDateTimePart& part = parts[place];
        if (part.display == 0)
            continue;
        if (place == kDayHourPlace)
            text += dayHourSymbol;
        text += FormatPartNumber(part, style);
        text += part.symbol;
    }
    return text;
}
