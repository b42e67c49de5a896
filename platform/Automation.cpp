#include "platform/Automation.h"

#include <cmath>
#include "base/NumberText.h"

namespace {

PlatformAutomationHandler& Handler()
{
    static PlatformAutomationHandler handler;
    return handler;
}

}  // namespace

AutomationValue AutomationValue::Missing()
{
    AutomationValue v;
    v.kind = kMissing;
    v.nInt = kAutomationParamNotFound;
    return v;
}

AutomationValue AutomationValue::Bool(bool b)
{
    AutomationValue v;
    v.kind = kBool;
    v.nInt = b ? 1 : 0;
    return v;
}

AutomationValue AutomationValue::Int(long long n)
{
    AutomationValue v;
    v.kind = kInt;
    v.nInt = n;
    return v;
}

AutomationValue AutomationValue::Double(double d)
{
    AutomationValue v;
    v.kind = kDouble;
    v.dValue = d;
    return v;
}

AutomationValue AutomationValue::Text(LPCTSTR s)
{
    AutomationValue v;
    v.kind = kText;
    v.strText = s != nullptr ? s : "";
    return v;
}

AutomationValue AutomationValue::Object(AutomationObjectPtr p)
{
    AutomationValue v;
    if (p) {
        v.kind = kObject;
        v.object = std::move(p);
    }
    return v;
}

AutomationValue AutomationValue::Null()
{
    AutomationValue v;
    v.kind = kNull;
    return v;
}

AutomationValue AutomationValue::Currency(long long nTenThousandths)
{
    AutomationValue v;
    v.kind = kCurrency;
    v.nInt = nTenThousandths;
    v.dValue = static_cast<double>(nTenThousandths) / 10000.0;
    return v;
}

AutomationValue AutomationValue::Date(double dSerial)
{
    AutomationValue v;
    v.kind = kDate;
    v.dValue = dSerial;
    return v;
}

AutomationValue AutomationValue::Decimal(LPCTSTR szDigits)
{
    AutomationValue v;
    const char* p = szDigits != nullptr ? szDigits : "";
    const char* q = p;
    if (*q == '-' || *q == '+')
        ++q;
    bool digits = false;
    bool point = false;
    for (; *q != '\0'; ++q) {
        if (*q >= '0' && *q <= '9')
            digits = true;
        else if (*q == '.' && !point)
            point = true;
        else
            return v;
    }
    if (!digits)
        return v;
    v.kind = kDecimal;
    v.strText = p;
    v.dValue = AToF(p);
    return v;
}

bool AutomationValue::IsNumeric() const
{
    return kind == kBool || kind == kInt || kind == kDouble || kind == kCurrency || kind == kDecimal;
}

double AutomationValue::AsDouble() const
{
    switch (kind) {
    case kBool:
    case kInt:
        return static_cast<double>(nInt);
    case kDouble:
    case kCurrency:
    case kDecimal:
        return dValue;
    default:
        return 0.0;
    }
}

long long AutomationValue::AsInt() const
{
    if (kind == kBool || kind == kInt)
        return nInt;
    const double d = AsDouble();
    if (!std::isfinite(d) || std::fabs(d) > 9.0e18)
        return 0;
    return static_cast<long long>(d);
}

bool AutomationValue::IsTrue() const
{
    return IsNumeric() && AsDouble() != 0.0;
}

AutomationObjectPtr PlatformCreateAutomationObject(LPCTSTR szProgId)
{
    if (Handler())
        return Handler()(szProgId);
    return PlatformSystemCreateAutomationObject(szProgId);
}

PlatformAutomationHandler SetPlatformAutomationHandler(PlatformAutomationHandler handler)
{
    PlatformAutomationHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}
