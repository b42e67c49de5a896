#include "platform/Automation.h"

// No other program runs beside the host build: every server is missing.
AutomationObjectPtr PlatformSystemCreateAutomationObject(LPCTSTR)
{
    return nullptr;
}
