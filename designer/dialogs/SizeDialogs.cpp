#include "designer/dialogs/SizeDialogs.h"

#include "designer/dialogs/ToolDialogs.h"


namespace {

// Numbers of the dialogs are 32-bit on every platform.
const long long kMaxValue = 2147483647LL, kMinValue = -2147483647LL - 1;

}  // namespace

BOOL ParseIntegerText(const CString& text, long& value)
{
    const char* p = text.GetString();
    const char* end = p + text.GetLength();
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    while (end > p && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    if (p == end)
        return FALSE;
    long long v = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return FALSE;
        v = v * 10 + (*p - '0');
        if (v > kMaxValue + 1)
            return FALSE;
    }
    v = negative ? -v : v;
    if (v > kMaxValue || v < kMinValue)
        return FALSE;
    value = static_cast<long>(v);
    return TRUE;
}

namespace {

BOOL AcceptRange(const CString& text, long minimum, long maximum, long& value, CString& message)
{
    long v = 0;
    if (!ParseIntegerText(text, v) || v < minimum || v > maximum) {
        message = RangeMessage(minimum, maximum);
        return FALSE;
    }
    value = v;
    return TRUE;
}

}  // namespace

BOOL CIntValueDlg::Accept(const CString& text, CString& message)
{
    return AcceptRange(text, m_min, m_max, m_nValue, message);
}

BOOL CRowTreePropertiesDlg::AcceptBoxSize(const CString& text, CString& message)
{
    return AcceptRange(text, 10, 30, m_nBoxSize, message);
}
