// COleDateTime: serial day numbers, calendar parts, parsing and formatting.
#include "base/DateTime.h"

#include <cmath>
#include <cstring>
#include <ctime>

namespace {

const double kMinSerial = -657434.0;     // 0100-01-01 00:00:00
const double kMaxSerial = 2958466.0;     // 10000-01-01 00:00:00 (exclusive)
const long long kEpochShift = 25569;     // days from 1899-12-30 to 1970-01-01

const char* const kMonthShort[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthLong[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
const char* const kDayShort[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kDayLong[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeap(y)) ? 29 : days[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool ValidDate(int y, int m, int d) { return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m); }
bool ValidTime(int h, int mi, int s) { return h >= 0 && h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59; }

// Serial value of valid parts, by the OLE rule for days before the epoch.
double SerialFromParts(int y, int m, int d, int h, int mi, int s)
{
    long long days = DaysFromCivil(y, m, d) + kEpochShift;
    double frac = (h * 3600.0 + mi * 60.0 + s) / 86400.0;
    return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

bool SerialInRange(double dt) { return std::isfinite(dt) && dt > kMinSerial - 1.0 && dt < kMaxSerial; }

// --- the parser ---------------------------------------------------------------------

struct Cursor {
    const char* p;
    const char* end;

    bool AtEnd() const { return p >= end; }
    bool Eat(const char* text)
    {
        size_t n = std::strlen(text);
        if (static_cast<size_t>(end - p) >= n && std::memcmp(p, text, n) == 0) {
            p += n;
            return true;
        }
        return false;
    }
    bool EatChar(char c)
    {
        if (p < end && *p == c) {
            ++p;
            return true;
        }
        return false;
    }
    int SkipBlanks()
    {
        int n = 0;
        while (p < end && (*p == ' ' || *p == '\t')) {
            ++p;
            ++n;
        }
        return n;
    }
    // Reads 1..maxDigits decimal digits (and no more follow); -1 when none or too many.
    int Number(int maxDigits, int* digitsRead = nullptr)
    {
        const char* start = p;
        int v = 0;
        while (p < end && *p >= '0' && *p <= '9') {
            if (p - start >= maxDigits) {
                p = start;
                return -1;
            }
            v = v * 10 + (*p - '0');
            ++p;
        }
        if (p == start)
            return -1;
        if (digitsRead)
            *digitsRead = static_cast<int>(p - start);
        return v;
    }
};

struct ParsedDate {
    int y = 1899, m = 12, d = 30;
    bool present = false;
};
struct ParsedTime {
    int h = 0, mi = 0, s = 0;
    bool present = false;
};

// Numeric date: Y-M-D, Y/M/D, Y.M.D (year of 3 or 4 digits first), or M/D/Y
// (year of 3 or 4 digits last); or the Chinese form Y年M月D日.
bool ParseDate(Cursor& c, ParsedDate& out)
{
    Cursor save = c;
    int n1Digits = 0;
    int n1 = c.Number(4, &n1Digits);
    if (n1 < 0) {
        c = save;
        return false;
    }
    if (c.Eat("年")) {
        if (n1Digits < 3)
            return c = save, false;
        c.SkipBlanks();
        int mo = c.Number(2);
        if (mo < 0)
            return c = save, false;
        c.SkipBlanks();
        if (!c.Eat("月"))
            return c = save, false;
        c.SkipBlanks();
        int d = c.Number(2);
        if (d < 0)
            return c = save, false;
        c.SkipBlanks();
        if (!c.Eat("日") && !c.Eat("号"))
            return c = save, false;
        out.y = n1;
        out.m = mo;
        out.d = d;
        out.present = true;
        return true;
    }
    char sep = c.AtEnd() ? '\0' : *c.p;
    if (sep != '-' && sep != '/' && sep != '.')
        return c = save, false;
    ++c.p;
    int n2Digits = 0;
    int n2 = c.Number(2, &n2Digits);
    if (n2 < 0 || !c.EatChar(sep))
        return c = save, false;
    int n3Digits = 0;
    int n3 = c.Number(4, &n3Digits);
    if (n3 < 0)
        return c = save, false;
    if (n1Digits >= 3 && n3Digits <= 2) {
        out.y = n1;
        out.m = n2;
        out.d = n3;
    } else if (n1Digits <= 2 && n3Digits >= 3) {
        out.y = n3;
        out.m = n1;
        out.d = n2;
    } else {
        return c = save, false;
    }
    out.present = true;
    return true;
}

// H:M[:S] with an optional AM/PM after it or 上午/下午 before it, or H时M分[S秒].
bool ParseTime(Cursor& c, ParsedTime& out)
{
    Cursor save = c;
    int half = 0;    // 1 morning, 2 afternoon
    if (c.Eat("上午"))
        half = 1;
    else if (c.Eat("下午") || c.Eat("晚上"))
        half = 2;
    if (half)
        c.SkipBlanks();
    int h = c.Number(2);
    if (h < 0)
        return c = save, false;
    int mi = 0, s = 0;
    if (c.EatChar(':')) {
        mi = c.Number(2);
        if (mi < 0)
            return c = save, false;
        if (c.EatChar(':')) {
            s = c.Number(2);
            if (s < 0)
                return c = save, false;
        }
    } else if (c.Eat("时") || c.Eat("点")) {
        Cursor before = c;
        mi = c.Number(2);
        if (mi >= 0 && c.Eat("分")) {
            Cursor beforeSec = c;
            s = c.Number(2);
            if (s < 0 || !c.Eat("秒")) {
                c = beforeSec;
                s = 0;
            }
        } else {
            c = before;
            mi = 0;
        }
    } else {
        return c = save, false;
    }
    if (!half) {
        Cursor beforeSuffix = c;
        c.SkipBlanks();
        if (c.Eat("AM") || c.Eat("am") || c.Eat("A.M.") || c.Eat("a.m."))
            half = 1;
        else if (c.Eat("PM") || c.Eat("pm") || c.Eat("P.M.") || c.Eat("p.m."))
            half = 2;
        else
            c = beforeSuffix;
    }
    if (half) {
        if (h < 1 || h > 12)
            return c = save, false;
        if (half == 1 && h == 12)
            h = 0;
        else if (half == 2 && h != 12)
            h += 12;
    }
    out.h = h;
    out.mi = mi;
    out.s = s;
    out.present = true;
    return true;
}

bool ParseText(const char* text, ParsedDate& date, ParsedTime& time)
{
    if (!text)
        return false;
    const char* b = text;
    const char* e = text + std::strlen(text);
    while (b < e && (*b == ' ' || (*b >= '\t' && *b <= '\r')))
        ++b;
    while (e > b && (e[-1] == ' ' || (e[-1] >= '\t' && e[-1] <= '\r')))
        --e;
    if (b == e)
        return false;
    Cursor c{b, e};
    if (ParseDate(c, date)) {
        if (c.AtEnd())
            return true;
        bool chineseDate = c.p > b && (static_cast<unsigned char>(c.p[-1]) >= 0x80);
        int blanks = c.SkipBlanks();
        if (blanks == 0 && !c.EatChar('T') && !chineseDate)
            return false;
        if (!ParseTime(c, time))
            return false;
        return c.AtEnd();
    }
    if (ParseTime(c, time))
        return c.AtEnd();
    return false;
}

void Put2(CString& out, int v, bool noPad)
{
    if (noPad || v >= 100 || v < 0) {
        CString t;
        t.Format("%d", v);
        out += t;
        return;
    }
    out += static_cast<char>('0' + v / 10);
    out += static_cast<char>('0' + v % 10);
}

}  // namespace

// --- COleDateTime ---------------------------------------------------------------------

COleDateTime::COleDateTime() : m_dt(0.0), m_status(valid) {}

COleDateTime::COleDateTime(double dtSrc) : m_dt(dtSrc), m_status(valid)
{
    if (!SerialInRange(dtSrc)) {
        m_dt = 0.0;
        m_status = invalid;
    }
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) : m_dt(0.0), m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime& COleDateTime::operator=(double dtSrc)
{
    *this = COleDateTime(dtSrc);
    return *this;
}

COleDateTime COleDateTime::GetCurrentTime()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec > 59 ? 59 : local.tm_sec);
}

bool COleDateTime::GetParts(Parts& parts) const
{
    if (m_status != valid || !SerialInRange(m_dt))
        return false;
    double whole = std::trunc(m_dt);
    double frac = std::fabs(m_dt - whole);
    long long days = static_cast<long long>(whole);
    long long secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        ++days;
    }
    CivilFromDays(days - kEpochShift, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(secs / 3600);
    parts.minute = static_cast<int>(secs / 60 % 60);
    parts.second = static_cast<int>(secs % 60);
    long long w = (days % 7 + 7) % 7;    // serial 0 was a Saturday
    parts.dayOfWeek = static_cast<int>((w + 6) % 7) + 1;
    parts.dayOfYear = static_cast<int>(DaysFromCivil(parts.year, parts.month, parts.day) -
                                       DaysFromCivil(parts.year, 1, 1)) + 1;
    return true;
}

int COleDateTime::GetYear() const
{
    Parts p;
    return GetParts(p) ? p.year : -1;
}
int COleDateTime::GetMonth() const
{
    Parts p;
    return GetParts(p) ? p.month : -1;
}
int COleDateTime::GetDay() const
{
    Parts p;
    return GetParts(p) ? p.day : -1;
}
int COleDateTime::GetHour() const
{
    Parts p;
    return GetParts(p) ? p.hour : -1;
}
int COleDateTime::GetMinute() const
{
    Parts p;
    return GetParts(p) ? p.minute : -1;
}
int COleDateTime::GetSecond() const
{
    Parts p;
    return GetParts(p) ? p.second : -1;
}
int COleDateTime::GetDayOfWeek() const
{
    Parts p;
    return GetParts(p) ? p.dayOfWeek : -1;
}
int COleDateTime::GetDayOfYear() const
{
    Parts p;
    return GetParts(p) ? p.dayOfYear : -1;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    if (!ValidDate(nYear, nMonth, nDay) || !ValidTime(nHour, nMin, nSec)) {
        m_dt = 0.0;
        m_status = invalid;
        return 1;
    }
    m_dt = SerialFromParts(nYear, nMonth, nDay, nHour, nMin, nSec);
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }

int COleDateTime::SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

bool COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, DWORD lcid)
{
    (void)lcid;
    ParsedDate date;
    ParsedTime time;
    if (!ParseText(lpszDate, date, time) || !ValidDate(date.y, date.m, date.d) || !ValidTime(time.h, time.mi, time.s)) {
        m_dt = 0.0;
        m_status = invalid;
        return false;
    }
    if (dwFlags & VAR_DATEVALUEONLY)
        time = ParsedTime();
    if (dwFlags & VAR_TIMEVALUEONLY)
        date = ParsedDate();
    m_dt = SerialFromParts(date.y, date.m, date.d, time.h, time.mi, time.s);
    m_status = valid;
    return true;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    CString out;
    Parts p;
    if (!lpszFormat || !GetParts(p))
        return out;
    for (const char* f = lpszFormat; *f; ++f) {
        if (*f != '%') {
            out += *f;
            continue;
        }
        const char* start = f;
        ++f;
        bool noPad = false;
        if (*f == '#') {
            noPad = true;
            ++f;
        }
        switch (*f) {
        case 'Y': {
            CString t;
            t.Format(noPad ? "%d" : "%04d", p.year);
            out += t;
            break;
        }
        case 'y': Put2(out, p.year % 100, noPad); break;
        case 'm': Put2(out, p.month, noPad); break;
        case 'd': Put2(out, p.day, noPad); break;
        case 'H': Put2(out, p.hour, noPad); break;
        case 'I': Put2(out, p.hour % 12 == 0 ? 12 : p.hour % 12, noPad); break;
        case 'M': Put2(out, p.minute, noPad); break;
        case 'S': Put2(out, p.second, noPad); break;
        case 'p': out += p.hour < 12 ? "AM" : "PM"; break;
        case 'j': {
            CString t;
            t.Format(noPad ? "%d" : "%03d", p.dayOfYear);
            out += t;
            break;
        }
        case 'b': out += kMonthShort[p.month - 1]; break;
        case 'B': out += kMonthLong[p.month - 1]; break;
        case 'a': out += kDayShort[p.dayOfWeek - 1]; break;
        case 'A': out += kDayLong[p.dayOfWeek - 1]; break;
        case 'w': out += static_cast<char>('0' + p.dayOfWeek - 1); break;
        case '%': out += '%'; break;
        case '\0':
            out += start;    // a lone '%' (or "%#") at the end
            return out;
        default:
            out.Append(start, static_cast<int>(f - start) + 1);    // unknown: copied
            break;
        }
    }
    return out;
}

CString COleDateTime::Format() const
{
    Parts p;
    if (!GetParts(p))
        return CString();
    bool noTime = p.hour == 0 && p.minute == 0 && p.second == 0;
    bool noDate = p.year == 1899 && p.month == 12 && p.day == 30;
    if (noDate && !noTime)
        return Format("%H:%M:%S");
    if (noTime)
        return Format("%Y-%m-%d");
    return Format("%Y-%m-%d %H:%M:%S");
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == valid && other.m_status == valid && m_dt == other.m_dt;
}
bool COleDateTime::operator!=(const COleDateTime& other) const { return !(*this == other); }

namespace {
// Serial values do not order before the epoch (-1.25 is later than -1.0's day
// start but smaller); compare a linear form instead.
double Linear(double dt)
{
    double whole = std::trunc(dt);
    return whole + std::fabs(dt - whole);
}
}  // namespace

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return m_status == valid && other.m_status == valid && Linear(m_dt) < Linear(other.m_dt);
}
bool COleDateTime::operator>(const COleDateTime& other) const { return other < *this; }
bool COleDateTime::operator<=(const COleDateTime& other) const { return *this < other || *this == other; }
bool COleDateTime::operator>=(const COleDateTime& other) const { return other < *this || *this == other; }
