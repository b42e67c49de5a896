#include "platform/win32/AutomationVariant.h"

#include "base/Cp936.h"

#include <oleauto.h>

#include <cstring>

#include <cstdint>
#include <string>

namespace {

// The digits of a DECIMAL: its 96-bit magnitude in base ten, the point
// placed by the scale, the sign in front.
CString DecimalDigits(const DECIMAL& d)
{
    std::uint32_t parts[3] = {d.Lo32, d.Mid32, d.Hi32};
    std::string digits;
    while (parts[0] != 0 || parts[1] != 0 || parts[2] != 0) {
        std::uint64_t rest = 0;
        for (int i = 2; i >= 0; --i) {
            const std::uint64_t cur = (rest << 32) | parts[i];
            parts[i] = static_cast<std::uint32_t>(cur / 10);
            rest = cur % 10;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + rest));
    }
    const size_t scale = d.scale <= 28 ? d.scale : 28;
    while (digits.size() < scale + 1)
        digits.insert(digits.begin(), '0');
    if (scale > 0)
        digits.insert(digits.end() - static_cast<std::ptrdiff_t>(scale), '.');
    if ((d.sign & DECIMAL_NEG) != 0)
        digits.insert(digits.begin(), '-');
    return CString(digits);
}

// A DECIMAL of digits as AutomationValue::Decimal keeps them; FALSE when
// they need more than 96 bits or 28 places.
BOOL DecimalFromDigits(const CString& text, DECIMAL* pOut)
{
    std::memset(pOut, 0, sizeof *pOut);
    const char* p = text;
    if (*p == '-' || *p == '+') {
        if (*p == '-')
            pOut->sign = DECIMAL_NEG;
        ++p;
    }
    std::uint32_t parts[3] = {0, 0, 0};
    int scale = 0;
    bool point = false;
    for (; *p != '\0'; ++p) {
        if (*p == '.') {
            point = true;
            continue;
        }
        std::uint64_t carry = static_cast<std::uint64_t>(*p - '0');
        for (int i = 0; i < 3; ++i) {
            const std::uint64_t cur = static_cast<std::uint64_t>(parts[i]) * 10 + carry;
            parts[i] = static_cast<std::uint32_t>(cur);
            carry = cur >> 32;
        }
        if (carry != 0)
            return FALSE;
        if (point && ++scale > 28)
            return FALSE;
    }
    pOut->Lo32 = parts[0];
    pOut->Mid32 = parts[1];
    pOut->Hi32 = parts[2];
    pOut->scale = static_cast<BYTE>(scale);
    return TRUE;
}

}  // namespace

BSTR AutomationTextToBstr(const CString& text)
{
    const std::u16string wide = cp936::ToUtf16(text.GetString(), text.GetLength());
    return ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()), static_cast<UINT>(wide.size()));
}

CString AutomationTextFromBstr(BSTR text)
{
    if (text == nullptr)
        return CString();
    const std::string bytes =
        cp936::FromUtf16(reinterpret_cast<const char16_t*>(text), static_cast<int>(::SysStringLen(text)));
    return CString(bytes);
}

BOOL AutomationValueToVariant(const AutomationValue& value, VARIANT* pOut, const AutomationObjectToDispatch& wrap)
{
    switch (value.kind) {
    case AutomationValue::kEmpty:
        V_VT(pOut) = VT_EMPTY;
        return TRUE;
    case AutomationValue::kNull:
        V_VT(pOut) = VT_NULL;
        return TRUE;
    case AutomationValue::kMissing:
        V_VT(pOut) = VT_ERROR;
        V_ERROR(pOut) = DISP_E_PARAMNOTFOUND;
        return TRUE;
    case AutomationValue::kError:
        V_VT(pOut) = VT_ERROR;
        V_ERROR(pOut) = static_cast<SCODE>(value.nInt);
        return TRUE;
    case AutomationValue::kBool:
        V_VT(pOut) = VT_BOOL;
        V_BOOL(pOut) = value.nInt != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return TRUE;
    case AutomationValue::kInt:
        if (value.nInt >= INT32_MIN && value.nInt <= INT32_MAX) {
            V_VT(pOut) = VT_I4;
            V_I4(pOut) = static_cast<LONG>(value.nInt);
        } else {
            V_VT(pOut) = VT_R8;
            V_R8(pOut) = static_cast<double>(value.nInt);
        }
        return TRUE;
    case AutomationValue::kDouble:
        V_VT(pOut) = VT_R8;
        V_R8(pOut) = value.dValue;
        return TRUE;
    case AutomationValue::kCurrency:
        V_VT(pOut) = VT_CY;
        V_CY(pOut).int64 = static_cast<LONGLONG>(value.nInt);
        return TRUE;
    case AutomationValue::kDecimal: {
        DECIMAL d;
        if (!DecimalFromDigits(value.strText, &d))
            return FALSE;
        V_DECIMAL(pOut) = d;
        V_VT(pOut) = VT_DECIMAL;   // after the DECIMAL: its first bytes are the type's
        return TRUE;
    }
    case AutomationValue::kDate:
        V_VT(pOut) = VT_DATE;
        V_DATE(pOut) = value.dValue;
        return TRUE;
    case AutomationValue::kText: {
        BSTR text = AutomationTextToBstr(value.strText);
        if (text == nullptr)
            return FALSE;
        V_VT(pOut) = VT_BSTR;
        V_BSTR(pOut) = text;
        return TRUE;
    }
    case AutomationValue::kObject: {
        IDispatch* p = wrap ? wrap(value.object) : nullptr;
        if (p == nullptr)
            return FALSE;
        V_VT(pOut) = VT_DISPATCH;
        V_DISPATCH(pOut) = p;
        return TRUE;
    }
    }
    return FALSE;
}

AutomationValue AutomationValueFromVariant(const VARIANT& in, const AutomationDispatchToObject& wrap)
{
    VARIANT plain;
    ::VariantInit(&plain);
    const VARIANT* v = &in;
    if ((V_VT(&in) & VT_BYREF) != 0) {
        if (FAILED(::VariantCopyInd(&plain, const_cast<VARIANT*>(&in))))
            return AutomationValue();
        v = &plain;
    }
    AutomationValue out;
    switch (V_VT(v)) {
    case VT_EMPTY:
        break;
    case VT_NULL:
        out.kind = AutomationValue::kNull;
        break;
    case VT_ERROR:
        out.kind = V_ERROR(v) == DISP_E_PARAMNOTFOUND ? AutomationValue::kMissing : AutomationValue::kError;
        out.nInt = V_ERROR(v);
        break;
    case VT_BOOL:
        out = AutomationValue::Bool(V_BOOL(v) != VARIANT_FALSE);
        break;
    case VT_I1: out = AutomationValue::Int(V_I1(v)); break;
    case VT_UI1: out = AutomationValue::Int(V_UI1(v)); break;
    case VT_I2: out = AutomationValue::Int(V_I2(v)); break;
    case VT_UI2: out = AutomationValue::Int(V_UI2(v)); break;
    case VT_I4: out = AutomationValue::Int(V_I4(v)); break;
    case VT_UI4: out = AutomationValue::Int(V_UI4(v)); break;
    case VT_INT: out = AutomationValue::Int(V_INT(v)); break;
    case VT_UINT: out = AutomationValue::Int(V_UINT(v)); break;
    case VT_I8: out = AutomationValue::Int(V_I8(v)); break;
    case VT_UI8: out = AutomationValue::Double(static_cast<double>(V_UI8(v))); break;
    case VT_R4: out = AutomationValue::Double(V_R4(v)); break;
    case VT_R8: out = AutomationValue::Double(V_R8(v)); break;
    case VT_DECIMAL:
        out = AutomationValue::Decimal(DecimalDigits(V_DECIMAL(v)));
        break;
    case VT_CY:
        out = AutomationValue::Currency(V_CY(v).int64);
        break;
    case VT_DATE: {
        out.kind = AutomationValue::kDate;
        out.dValue = V_DATE(v);
        VARIANT text;
        ::VariantInit(&text);
        if (SUCCEEDED(::VariantChangeType(&text, const_cast<VARIANT*>(v), 0, VT_BSTR)))
            out.strText = AutomationTextFromBstr(V_BSTR(&text));
        ::VariantClear(&text);
        break;
    }
    case VT_BSTR:
        out = AutomationValue::Text(AutomationTextFromBstr(V_BSTR(v)));
        break;
    case VT_DISPATCH:
        if (V_DISPATCH(v) != nullptr && wrap)
            out = AutomationValue::Object(wrap(V_DISPATCH(v)));
        break;
    default:
        out.kind = AutomationValue::kError;
        out.nInt = DISP_E_TYPEMISMATCH;
        break;
    }
    ::VariantClear(&plain);
    return out;
}
