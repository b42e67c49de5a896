// CString's printf-style members, over the engine of base/FormatText.h.
#include "base/CString.h"

#include "base/FormatText.h"

void CString::FormatC(const char* pszFormat, ...)
{
    va_list ap;
    va_start(ap, pszFormat);
    FormatV(pszFormat, ap);
    va_end(ap);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    // Built aside first: an argument may point into this string.
    std::string out;
    AppendFormatTextV(out, pszFormat, args);
    m_str.swap(out);
}

void CString::AppendFormatC(const char* pszFormat, ...)
{
    va_list ap;
    va_start(ap, pszFormat);
    AppendFormatV(pszFormat, ap);
    va_end(ap);
}

void CString::AppendFormatV(const char* pszFormat, va_list args)
{
    std::string out;
    AppendFormatTextV(out, pszFormat, args);
    m_str += out;
}
