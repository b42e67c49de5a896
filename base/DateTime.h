// COleDateTime: a date and time held as the OLE serial value (days since
// 1899-12-30 00:00, the time of day as the fraction), with parsing and
// formatting of date-time texts that work the same on every build.
//
// Serial values before 1899-12-30 follow the OLE rule: the whole part counts
// days backwards, the fraction counts the time forwards from that day, so
// -1.25 is 1899-12-29 06:00 (not 18:00). Valid range: years 100..9999.
//
// ParseDateTime accepts, with blanks around them:
//   dates      2024-03-05   2024-3-5   2024/03/05   2024.03.05   2024年3月5日
//              3/5/2024 (month/day/year, when the year comes last with 3 or 4 digits)
//   times      14:07:09   14:07   2:07 PM / 2:07:09 am   下午2:07 / 上午9:00
//   both       a date, blanks, a time (2024-03-05 14:07:09, 2024年03月05日 14:07:09,
//              2024-03-05T14:07:09); a time may also use 14时07分09秒
// A date alone gives 00:00:00; a time alone gives the date 1899-12-30 (serial 0
// plus the fraction). Out-of-range parts (month 13, 30 February, hour 24, minute
// 60 ...) and any other text are rejected: the function answers false and the
// object becomes invalid (its value 0). The flags VAR_DATEVALUEONLY and
// VAR_TIMEVALUEONLY keep only the date or only the time part of the result.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// The system header of the platform defines GetCurrentTime as a macro; this
// class has a member of that name.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#ifndef VAR_TIMEVALUEONLY
#define VAR_TIMEVALUEONLY ((DWORD)0x00000001)
#endif
#ifndef VAR_DATEVALUEONLY
#define VAR_DATEVALUEONLY ((DWORD)0x00000002)
#endif

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime();                                      // serial 0 (1899-12-30 00:00), valid
    COleDateTime(double dtSrc);                          // serial value; invalid outside the range or not finite
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    static COleDateTime GetCurrentTime();                // local time of the machine, whole seconds

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    // Parts of a valid value (-1 when the value is not valid).
    int GetYear() const;
    int GetMonth() const;                                // 1..12
    int GetDay() const;                                  // 1..31
    int GetHour() const;                                 // 0..23
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;                            // 1 = Sunday .. 7 = Saturday
    int GetDayOfYear() const;                            // 1 = 1 January

    // Setters answer 0 on success and 1 when a part is out of range (the value
    // then becomes invalid).
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay);        // time 00:00:00
    int SetTime(int nHour, int nMin, int nSec);          // date 1899-12-30

    // See the top of this header. dwFlags: 0, VAR_DATEVALUEONLY or
    // VAR_TIMEVALUEONLY. lcid is accepted and ignored (the accepted forms do not
    // depend on a locale).
    bool ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, DWORD lcid = 0);

    // strftime-like, without a locale: %Y year (4 digits), %y (2 digits), %m %d
    // %H %M %S (2 digits), %I hour 01..12, %p "AM"/"PM", %j day of year (3 digits),
    // %b/%B short/full English month name, %a/%A short/full English weekday name,
    // %w weekday 0..6 (Sunday 0), %% a percent sign; %#d (and %#m ...) drop the
    // leading zero. Other characters are copied; an unknown conversion is copied
    // as it stands. An invalid value formats as "" (the null status as well).
    CString Format(LPCTSTR lpszFormat) const;
    // Without a format: "2024-03-05 14:07:09", or only the date when the time is
    // 00:00:00, or only the time when the date is 1899-12-30.
    CString Format() const;

    double m_dt;                                         // the serial value
    DateTimeStatus m_status;

    operator double() const { return m_dt; }
    COleDateTime& operator=(double dtSrc);

    // Compare serial values (valid values only; invalid ones compare unequal).
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const;
    bool operator<=(const COleDateTime& other) const;
    bool operator>=(const COleDateTime& other) const;

private:
    struct Parts {
        int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
    };
    bool GetParts(Parts& parts) const;
};
