#include "cells/DateTimeFields.h"

#include "base/NumberText.h"
#include "base/WinConstants.h"

#include <cstring>

namespace {

// [mode][style][field]
const char* const kSeparators[2][3][3] = {
    {{"年", "月", "日"}, {"-", "-", ""}, {"/", "/", ""}},
    {{"时", "分", "秒"}, {":", ":", ""}, {"/", "/", ""}},
};

const int kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int ClampIndex(int value, int count)
{
    return (value >= 0 && value < count) ? value : 0;
}

void SkipBlanks(const char*& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

// Up to nine digits; FALSE when there is none.
bool ReadNumber(const char*& p, long* pValue)
{
    long value = 0;
    int digits = 0;
    while (*p >= '0' && *p <= '9') {
        if (digits == 9)
            return false;
        value = value * 10 + (*p - '0');
        ++digits;
        ++p;
    }
    *pValue = value;
    return digits > 0;
}

bool ReadLiteral(const char*& p, const char* literal)
{
    const size_t n = std::strlen(literal);
    if (std::strncmp(p, literal, n) != 0)
        return false;
    p += n;
    return true;
}

bool ContainsAny(const char* text, std::initializer_list<const char*> needles)
{
    for (const char* needle : needles) {
        if (std::strstr(text, needle) != nullptr)
            return true;
    }
    return false;
}

}  // namespace

CDateTimeFields::CDateTimeFields(int nMode, int nStyle, int nZeroFill)
    : m_nMode(nMode == DTM_TIME ? DTM_TIME : DTM_DATE), m_nStyle(ClampIndex(nStyle, 3)),
      m_nZeroFill(nZeroFill != 0 ? 1 : 0)
{
}

CString CDateTimeFields::Separator(int nMode, int nStyle, int nField)
{
    if (nField < 0 || nField > 2)
        return CString();
    return CString(kSeparators[nMode == DTM_TIME ? 1 : 0][ClampIndex(nStyle, 3)][nField]);
}

CString CDateTimeFields::GetSeparator(int nField) const
{
    return Separator(m_nMode, m_nStyle, nField);
}

const CString& CDateTimeFields::GetField(int nField) const
{
    return m_fields[ClampIndex(nField, 3)];
}

void CDateTimeFields::SetField(int nField, const CString& strText)
{
    if (nField >= 0 && nField <= 2)
        m_fields[nField] = strText;
}

long CDateTimeFields::GetFieldValue(int nField) const
{
    return AToL(GetField(nField));
}

BOOL CDateTimeFields::IsLeapYear(long nYear)
{
    return ((nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0) ? TRUE : FALSE;
}

int CDateTimeFields::DaysInMonth(long nMonth, long nYear)
{
    if (nMonth < 1 || nMonth > 12)
        return 31;
    if (nMonth == 2 && IsLeapYear(nYear))
        return 29;
    return kDaysPerMonth[nMonth - 1];
}

BOOL CDateTimeFields::IsValueValid(int nField, long nValue) const
{
    switch (GetFieldType(nField)) {
    case DTF_YEAR:
        return nValue >= 1 && nValue <= 9999;
    case DTF_MONTH:
        return nValue >= 1 && nValue <= 12;
    case DTF_DAY:
        return nValue >= 1 && nValue <= DaysInMonth(GetFieldValue(1), GetFieldValue(0));
    case DTF_HOUR:
        return nValue >= 0 && nValue <= 23;
    default:
        return nValue >= 0 && nValue <= 59;
    }
}

BOOL CDateTimeFields::TypeChar(int nField, UINT nChar, int nSelStart, int nSelEnd, int* pnCaret)
{
    if (nField < 0 || nField > 2)
        return FALSE;
    const CString& old = m_fields[nField];
    const int length = old.GetLength();
    int start = nSelStart < 0 ? 0 : (nSelStart > length ? length : nSelStart);
    int end = nSelEnd < start ? start : (nSelEnd > length ? length : nSelEnd);
    CString text = old;
    int caret = start;
    if (nChar == VK_BACK) {
        if (start == end && start > 0)
            --start;
        text.Delete(start, end - start);
        caret = start;
    } else if (nChar >= '0' && nChar <= '9') {
        text.Delete(start, end - start);
        text.Insert(start, static_cast<char>(nChar));
        caret = start + 1;
        // A full field that begins with a filled "0": the new digit takes its
        // place.
        if (text.GetLength() > MaxDigits(nField) && text.GetAt(0) == '0') {
            text.Delete(0, 1);
            --caret;
        }
        if (text.GetLength() > MaxDigits(nField))
            return FALSE;
    } else {
        return FALSE;
    }
    const long value = AToL(text);
    if (!IsValueValid(nField, value))
        return FALSE;
    if (m_nZeroFill != 0 && GetFieldType(nField) != DTF_YEAR && text.GetLength() < 2) {
        text.Format("%02ld", value);
        caret = text.GetLength();
    }
    m_fields[nField] = text;
    if (pnCaret != nullptr)
        *pnCaret = caret;
    return TRUE;
}

BOOL CDateTimeFields::ClampDay()
{
    if (m_nMode != DTM_DATE)
        return FALSE;
    const int last = DaysInMonth(GetFieldValue(1), GetFieldValue(0));
    if (GetFieldValue(2) <= last)
        return FALSE;
    m_fields[2] = FormatValue(2, last);
    return TRUE;
}

CString CDateTimeFields::FormatValue(int nField, long nValue) const
{
    CString text;
    if (m_nZeroFill == 0)
        text.Format("%ld", nValue);
    else if (GetFieldType(nField) == DTF_YEAR)
        text.Format("%04ld", nValue);
    else
        text.Format("%02ld", nValue);
    return text;
}

void CDateTimeFields::SetDateTime(const COleDateTime& value)
{
    if (value.GetStatus() != COleDateTime::valid)
        return;
    const long parts[2][3] = {{value.GetYear(), value.GetMonth(), value.GetDay()},
                              {value.GetHour(), value.GetMinute(), value.GetSecond()}};
    for (int i = 0; i < 3; ++i)
        m_fields[i] = FormatValue(i, parts[m_nMode][i]);
}

COleDateTime CDateTimeFields::GetDateTime() const
{
    COleDateTime value;
    if (m_nMode == DTM_TIME)
        value.SetDateTime(1899, 12, 30, static_cast<int>(GetFieldValue(0)), static_cast<int>(GetFieldValue(1)),
                          static_cast<int>(GetFieldValue(2)));
    else
        value.SetDateTime(static_cast<int>(GetFieldValue(0)), static_cast<int>(GetFieldValue(1)),
                          static_cast<int>(GetFieldValue(2)), 0, 0, 0);
    return value;
}

CString CDateTimeFields::FormatText() const
{
    CString text;
    for (int i = 0; i < 3; ++i) {
        text += FormatValue(i, GetFieldValue(i));
        text += GetSeparator(i);
    }
    return text;
}

BOOL CDateTimeFields::ReadEditorForm(LPCTSTR szText, int nMode, COleDateTime* pValue)
{
    if (szText == nullptr)
        return FALSE;
    for (int style = 0; style < 3; ++style) {
        const char* p = szText;
        SkipBlanks(p);
        long parts[3] = {0, 0, 0};
        bool ok = true;
        for (int i = 0; i < 3 && ok; ++i) {
            ok = ReadNumber(p, &parts[i]);
            const CString sep = Separator(nMode, style, i);
            if (ok && !sep.IsEmpty())
                ok = ReadLiteral(p, sep);
        }
        if (!ok)
            continue;
        SkipBlanks(p);
        if (*p != '\0')
            continue;
        COleDateTime value;
        if (nMode == DTM_TIME) {
            if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
                continue;
            value.SetDateTime(1899, 12, 30, static_cast<int>(parts[0]), static_cast<int>(parts[1]),
                              static_cast<int>(parts[2]));
        } else {
            if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > DaysInMonth(parts[1], parts[0]))
                continue;
            value.SetDateTime(static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2]),
                              0, 0, 0);
        }
        if (value.GetStatus() != COleDateTime::valid)
            continue;
        *pValue = value;
        return TRUE;
    }
    return FALSE;
}

COleDateTime CDateTimeFields::ReadStartValue(LPCTSTR szText, int nMode, const COleDateTime& reference)
{
    const int mode = nMode == DTM_TIME ? DTM_TIME : DTM_DATE;
    COleDateTime value;
    if (ReadEditorForm(szText, mode, &value))
        return value;
    if (szText == nullptr || *szText == '\0')
        return reference;
    if (!value.ParseDateTime(szText) || value.GetStatus() != COleDateTime::valid)
        return reference;
    // The general reader gives midnight to a date alone and 1899-12-30 to a
    // time alone: whether the text named the part the editor shows is read
    // from the text itself.
    const bool hasTime = ContainsAny(szText, {":", "时"});
    const bool hasDate = ContainsAny(szText, {"-", "/", ".", "年"});
    if ((mode == DTM_TIME && !hasTime) || (mode == DTM_DATE && !hasDate))
        return reference;
    return value;
}
