#include "binding/BindRecordset.h"

#include "base/DateTime.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <locale.h>

namespace {

// strtod that always reads '.' as the decimal point, whatever the locale.
double ReadNumber(const char* text)
{
    if (text == nullptr)
        return 0.0;
    std::string s(text);
    const struct lconv* lc = localeconv();
    if (lc != nullptr && lc->decimal_point != nullptr && lc->decimal_point[0] != '.' && lc->decimal_point[0] != '\0') {
        for (char& c : s) {
            if (c == '.')
                c = lc->decimal_point[0];
        }
    }
    char* end = nullptr;
    double d = std::strtod(s.c_str(), &end);
    return end == s.c_str() ? 0.0 : d;
}

CString NumberText(double d, int digits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, d);
    // Keep the decimal point a point whatever the locale.
    for (char* p = buffer; *p != '\0'; ++p) {
        if (*p == ',')
            *p = '.';
    }
    return CString(buffer);
}

}  // namespace

double CBindValue::AsNumber() const
{
    switch (kind) {
    case Integer:
        return static_cast<double>(nInteger);
    case Unsigned:
        return static_cast<double>(nUnsigned);
    case Real:
    case Date:
        return dReal;
    case Boolean:
        return nInteger != 0 ? -1.0 : 0.0;
    case Text:
        return ReadNumber(strText);
    default:
        return 0.0;
    }
}

CString CBindValue::AsText() const
{
    char buffer[32];
    switch (kind) {
    case Integer:
        std::snprintf(buffer, sizeof buffer, "%lld", nInteger);
        return CString(buffer);
    case Unsigned:
        std::snprintf(buffer, sizeof buffer, "%llu", nUnsigned);
        return CString(buffer);
    case Real:
        return NumberText(dReal, 15);
    case Boolean:
        return CString(nInteger != 0 ? "T" : "F");
    case Date: {
        COleDateTime date(dReal);
        return date.GetStatus() == COleDateTime::valid ? date.Format() : CString();
    }
    case Text:
        return strText;
    default:
        return CString();
    }
}
