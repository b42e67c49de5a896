// Automation values to and from the system's VARIANT. Texts cross as
// UTF-16 and are code page 936 inside; an object value goes through the
// caller's own wrapping in each direction.
#pragma once

#include "platform/Automation.h"

#include <windows.h>
#include <oaidl.h>

#include <functional>

// A variant holding an object (its IDispatch, AddRef'ed) for the value's
// object; NULL when the object is none the caller knows.
typedef std::function<IDispatch*(const AutomationObjectPtr&)> AutomationObjectToDispatch;
// The value's object for an IDispatch (the function takes its own reference).
typedef std::function<AutomationObjectPtr(IDispatch*)> AutomationDispatchToObject;

// Fills a fresh (VariantInit'ed) variant; FALSE when the value cannot cross.
BOOL AutomationValueToVariant(const AutomationValue& value, VARIANT* pOut, const AutomationObjectToDispatch& wrap);
// Reads any variant (by-reference ones too).
AutomationValue AutomationValueFromVariant(const VARIANT& in, const AutomationDispatchToObject& wrap);

BSTR AutomationTextToBstr(const CString& text);
CString AutomationTextFromBstr(BSTR text);
