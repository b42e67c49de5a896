#include "platform/Automation.h"

#include <cmath>

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

bool AutomationValue::IsNumeric() const
{
    return kind == kBool || kind == kInt || kind == kDouble || kind == kCurrency;
}

double AutomationValue::AsDouble() const
{
    switch (kind) {
    case kBool:
    case kInt:
        return static_cast<double>(nInt);
    case kDouble:
    case kCurrency:
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
