// Late-bound automation: an object of another program reached by member
// names, with values of a few kinds crossing in both directions.
//
// PlatformCreateAutomationObject makes the server object of a program
// identifier through the current handler: on Windows the system's
// class store and IDispatch (names looked up once per interface, texts
// crossing as UTF-16, "missing" arguments as DISP_E_PARAMNOTFOUND); on the
// headless platform there is no server until a test puts in its own handler.
// A program identifier written as a class identifier ("{2206CDB2-...}")
// names the class directly.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <functional>
#include <memory>
#include <vector>

class IAutomationObject;
typedef std::shared_ptr<IAutomationObject> AutomationObjectPtr;

// Status results of the calls (the system's own codes on Windows).
const HRESULT kAutomationOk = 0;
const HRESULT kAutomationFailed = static_cast<HRESULT>(0x80004005u);        // E_FAIL
const HRESULT kAutomationUnknownName = static_cast<HRESULT>(0x80020006u);   // DISP_E_UNKNOWNNAME
const HRESULT kAutomationParamNotFound = static_cast<HRESULT>(0x80020004u); // DISP_E_PARAMNOTFOUND
const HRESULT kAutomationBadValue = static_cast<HRESULT>(0x80020005u);      // DISP_E_TYPEMISMATCH

struct AutomationValue {
    enum Kind { kEmpty, kNull, kMissing, kBool, kInt, kDouble, kCurrency, kDate, kText, kObject, kError, kDecimal };
    Kind kind = kEmpty;
    long long nInt = 0;          // kInt; kBool 0 or 1; kError the code; kCurrency exactly, in ten-thousandths
    double dValue = 0.0;         // kDouble; kCurrency and kDecimal in whole units; kDate the serial day number
    CString strText;             // kText (code page 936); kDate the date as the server's text;
                                 // kDecimal every digit ("-12.340", '.' the point)
    AutomationObjectPtr object;  // kObject

    static AutomationValue Missing();
    static AutomationValue Bool(bool b);
    static AutomationValue Int(long long n);
    static AutomationValue Double(double d);
    static AutomationValue Text(LPCTSTR s);
    static AutomationValue Object(AutomationObjectPtr p);
    static AutomationValue Null();
    static AutomationValue Currency(long long nTenThousandths);
    static AutomationValue Date(double dSerial);
    // Digits with an optional sign and one '.'; what is no such text gives kEmpty.
    static AutomationValue Decimal(LPCTSTR szDigits);

    // A value that reads as a number: integers, floating, currency, decimals, booleans.
    bool IsNumeric() const;
    double AsDouble() const;     // 0 for what is not numeric
    long long AsInt() const;     // the number cut toward zero
    bool IsTrue() const;         // a non-zero number
};

// What a server said about its last failed call: the code it raised and its
// own texts (empty when it gave none).
struct AutomationFault {
    HRESULT hr = kAutomationOk;
    CString strSource;
    CString strDescription;
};

class IAutomationObject {
public:
    virtual ~IAutomationObject() = default;
    // The fault of the last call made on this object that failed with an
    // exception of the server's own (kAutomationOk and no text when none).
    virtual AutomationFault GetLastFault() const { return AutomationFault(); }
    // A property read, with arguments where the property takes some
    // (Range of two cell names, Item of an index).
    virtual HRESULT GetProperty(LPCTSTR szName, const std::vector<AutomationValue>& args, AutomationValue& result) = 0;
    virtual HRESULT PutProperty(LPCTSTR szName, const AutomationValue& value) = 0;
    virtual HRESULT CallMethod(LPCTSTR szName, const std::vector<AutomationValue>& args, AutomationValue& result) = 0;
};

// NULL when no server of that identifier can be made.
typedef std::function<AutomationObjectPtr(LPCTSTR szProgId)> PlatformAutomationHandler;

AutomationObjectPtr PlatformCreateAutomationObject(LPCTSTR szProgId);
// Puts in a handler (an empty one restores the system's) and answers the old one.
PlatformAutomationHandler SetPlatformAutomationHandler(PlatformAutomationHandler handler);
AutomationObjectPtr PlatformSystemCreateAutomationObject(LPCTSTR szProgId);
