// CDateTimeFields: the three numeric fields of the date/time editor and the
// rules that keep them valid, on every platform.
//
// Date mode holds year, month and day; time mode hour, minute and second.
// Between and after the fields stand separator texts (three per mode and
// style):
//
//   mode   style 0            style 1        style 2
//   date   "年" "月" "日"     "-" "-" ""     "/" "/" ""
//   time   "时" "分" "秒"     ":" ":" ""     "/" "/" ""
//
// Zero fill writes "%02d" fields and a "%04d" year; without it "%d".
//
// Typing a character into a field (TypeChar) gives the field's new text or
// refuses it: only digits (and Backspace), at most four digits in the year and
// two in the others (a digit typed into a full field that begins with a
// filled "0" replaces that "0"), and the value in range: year 1-9999, month
// 1-12, day 1 to the month's last day (February 29 only in a leap year; while
// the month field holds no month 1-12 the day may be up to 31), hour 0-23,
// minute and second 0-59. A valid value of one digit is zero-filled in
// zero-fill mode (the year is not).
//
// Leaving the month or the year field (and ending the edit) lowers the day to
// the month's last day, so the fields never form an invalid date.
//
// ReadStartValue turns a cell's text into the value an editor opens on: every
// form FormatText writes (each style, zero-filled or not) is read first, then
// the general date-time reader; a text that holds no date (date mode) or no
// time (time mode) opens on the reference time. Midnight is a time like any
// other.
#pragma once

#include "base/CString.h"
#include "base/DateTime.h"
#include "base/WinTypes.h"

enum DateTimeFieldType {
    DTF_YEAR = 0,
    DTF_MONTH = 1,
    DTF_DAY = 2,
    DTF_HOUR = 3,
    DTF_MINUTE = 4,
    DTF_SECOND = 5,
};

enum DateTimeMode {
    DTM_DATE = 0,
    DTM_TIME = 1,
};

class CDateTimeFields {
public:
    CDateTimeFields(int nMode = DTM_DATE, int nStyle = 0, int nZeroFill = 0);

    int GetMode() const { return m_nMode; }
    int GetStyle() const { return m_nStyle; }
    int GetZeroFill() const { return m_nZeroFill; }

    // The field type of field 0..2 in this mode.
    int GetFieldType(int nField) const { return m_nMode == DTM_TIME ? DTF_HOUR + nField : DTF_YEAR + nField; }
    // The separator after field 0..2; "" outside.
    CString GetSeparator(int nField) const;
    static CString Separator(int nMode, int nStyle, int nField);

    const CString& GetField(int nField) const;
    // Sets a field's text as it stands (the editor's window text).
    void SetField(int nField, const CString& strText);
    long GetFieldValue(int nField) const;

    // What typing nChar at [nSelStart, nSelEnd) of a field gives; FALSE when
    // the character is refused (the field keeps its text). On success the
    // field holds the new text and *pnCaret the caret position.
    BOOL TypeChar(int nField, UINT nChar, int nSelStart, int nSelEnd, int* pnCaret = nullptr);
    // TRUE when value v is allowed in the field, given the other fields.
    BOOL IsValueValid(int nField, long nValue) const;

    // Lowers the day to the last day of the month (date mode); TRUE when it
    // changed.
    BOOL ClampDay();

    // Writes the value into the fields (the mode's three parts).
    void SetDateTime(const COleDateTime& value);
    // Date mode: year-month-day 00:00:00; time mode: 1899-12-30 with the time.
    // Invalid when the fields do not form a valid value.
    COleDateTime GetDateTime() const;
    // The fields joined by the separators, the third separator at the end.
    CString FormatText() const;

    static BOOL IsLeapYear(long nYear);
    // 28..31; 31 for a month outside 1..12.
    static int DaysInMonth(long nMonth, long nYear);
    // The value an editor opens on; see the top of this header.
    static COleDateTime ReadStartValue(LPCTSTR szText, int nMode, const COleDateTime& reference);
    // Reads the text in one of the forms FormatText writes in the mode; FALSE
    // when it is none of them or a part is out of range.
    static BOOL ReadEditorForm(LPCTSTR szText, int nMode, COleDateTime* pValue);

private:
    CString FormatValue(int nField, long nValue) const;
    int MaxDigits(int nField) const { return GetFieldType(nField) == DTF_YEAR ? 4 : 2; }

    int m_nMode;
    int m_nStyle;
    int m_nZeroFill;
    CString m_fields[3];
};
