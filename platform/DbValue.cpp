// Values of database results: exact integers, decimals as digits, dates as
// text, each readable as display text and as a number.
#include "platform/Database.h"

#include "base/DateTime.h"
#include "base/NumberText.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

CString IntegerText(std::int64_t v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
    return CString(buf);
}

// Digits with an optional sign and one decimal point, nothing else.
bool IsDecimalText(const CString& s)
{
    const char* p = s;
    if (*p == '-' || *p == '+')
        ++p;
    bool digits = false;
    bool point = false;
    for (; *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits = true;
        else if (*p == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

int Field(const CString& s, int start, int length)
{
    return AToI(std::string(static_cast<const char*>(s) + start, static_cast<size_t>(length)).c_str());
}

// The serial of a "yyyy-mm-dd[ hh:mm:ss[.f]]" or "hh:mm:ss" text.
double SerialOf(CDbValue::Kind kind, const CString& s)
{
    if (kind == CDbValue::Time) {
        if (s.GetLength() < 8)
            return 0.0;
        return (Field(s, 0, 2) * 3600.0 + Field(s, 3, 2) * 60.0 + Field(s, 6, 2)) / 86400.0;
    }
    if (s.GetLength() < 10)
        return 0.0;
    int hour = 0, minute = 0, second = 0;
    if (kind == CDbValue::Timestamp && s.GetLength() >= 19) {
        hour = Field(s, 11, 2);
        minute = Field(s, 14, 2);
        second = Field(s, 17, 2);
    }
    COleDateTime date(Field(s, 0, 4), Field(s, 5, 2), Field(s, 8, 2), hour, minute, second);
    return static_cast<double>(date);
}

}  // namespace

CDbValue CDbValue::MakeInteger(std::int64_t v)
{
    CDbValue value;
    value.m_kind = Integer;
    value.m_int = v;
    return value;
}

CDbValue CDbValue::MakeDouble(double v)
{
    CDbValue value;
    value.m_kind = Double;
    value.m_double = v;
    return value;
}

CDbValue CDbValue::MakeDecimal(const CString& digits)
{
    CString text = digits;
    text.Trim();
    if (!IsDecimalText(text))
        return MakeText(digits);
    CDbValue value;
    value.m_kind = Decimal;
    value.m_text = text;
    value.m_double = StrToD(text, nullptr);
    return value;
}

CDbValue CDbValue::MakeBoolean(bool v)
{
    CDbValue value;
    value.m_kind = Boolean;
    value.m_int = v ? 1 : 0;
    return value;
}

CDbValue CDbValue::MakeText(const CString& v)
{
    CDbValue value;
    value.m_kind = Text;
    value.m_text = v;
    return value;
}

CDbValue CDbValue::MakeDate(int year, int month, int day)
{
    CDbValue value;
    value.m_kind = Date;
    value.m_text.Format("%04d-%02d-%02d", year, month, day);
    return value;
}

CDbValue CDbValue::MakeTime(int hour, int minute, int second)
{
    CDbValue value;
    value.m_kind = Time;
    value.m_text.Format("%02d:%02d:%02d", hour, minute, second);
    return value;
}

CDbValue CDbValue::MakeTimestamp(int year, int month, int day, int hour, int minute, int second,
                                 unsigned fraction)
{
    CDbValue value;
    value.m_kind = Timestamp;
    value.m_text.Format("%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    if (fraction != 0) {
        // Nanoseconds, without the trailing zeros.
        char buf[16];
        std::snprintf(buf, sizeof buf, ".%09u", fraction % 1000000000u);
        std::string f(buf);
        while (f.back() == '0')
            f.pop_back();
        value.m_text += f.c_str();
    }
    return value;
}

CDbValue CDbValue::MakeBinary(std::vector<BYTE> bytes)
{
    CDbValue value;
    value.m_kind = Binary;
    value.m_bytes = std::move(bytes);
    return value;
}

CString CDbValue::GetText() const
{
    switch (m_kind) {
    case Null:
        return CString();
    case Integer:
        return IntegerText(m_int);
    case Boolean:
        return m_int != 0 ? CString("1") : CString("0");
    case Double: {
        std::string text = FormatNumberText(m_double, 'g', 15);
        return CString(text.c_str());
    }
    case Binary: {
        static const char kHex[] = "0123456789ABCDEF";
        std::string text;
        for (BYTE b : m_bytes) {
            text += kHex[b >> 4];
            text += kHex[b & 15];
        }
        return CString(text.c_str());
    }
    default:
        return m_text;
    }
}

double CDbValue::GetDouble() const
{
    switch (m_kind) {
    case Integer:
    case Boolean:
        return static_cast<double>(m_int);
    case Double:
    case Decimal:
        return m_double;
    case Text:
        return StrToD(m_text, nullptr);
    case Date:
    case Time:
    case Timestamp:
        return SerialOf(m_kind, m_text);
    default:
        return 0.0;
    }
}

std::int64_t CDbValue::GetInteger() const
{
    if (m_kind == Integer || m_kind == Boolean)
        return m_int;
    if (m_kind == Decimal) {
        // The digits before the point, exactly, when they fit.
        const char* p = m_text;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+')
            ++p;
        unsigned long long v = 0;
        bool overflow = false;
        for (; *p >= '0' && *p <= '9'; ++p) {
            if (v > (std::numeric_limits<unsigned long long>::max() - 9) / 10)
                overflow = true;
            v = v * 10 + static_cast<unsigned>(*p - '0');
        }
        const unsigned long long limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
        if (!overflow && v <= limit)
            return negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
        return negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    const double d = GetDouble();
    if (!std::isfinite(d))
        return 0;
    if (d >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (d <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(d);
}

bool CDbValue::operator==(const CDbValue& other) const
{
    return m_kind == other.m_kind && m_int == other.m_int &&
           (m_double == other.m_double || (std::isnan(m_double) && std::isnan(other.m_double))) &&
           m_text == other.m_text && m_bytes == other.m_bytes;
}
