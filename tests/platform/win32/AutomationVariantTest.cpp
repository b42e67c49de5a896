// Automation values across the system's VARIANT: decimals keep every digit
// and currency every ten-thousandth, both ways, and a decimal that does not
// fit refuses to cross.
#include "platform/win32/AutomationVariant.h"

#include <gtest/gtest.h>

#include <oleauto.h>

TEST(AutomationVariant, DecimalsAndCurrencyCrossExactly)
{
    const char* const digits[] = {"0", "-0.0001", "12.340", "-12345678901234567.890",
                                  "79228162514264337593543950335", "0.0000000000000000000000000001"};
    for (const char* d : digits) {
        const AutomationValue in = AutomationValue::Decimal(d);
        ASSERT_EQ(AutomationValue::kDecimal, in.kind) << d;
        VARIANT v;
        ::VariantInit(&v);
        ASSERT_TRUE(AutomationValueToVariant(in, &v, nullptr)) << d;
        EXPECT_EQ(VT_DECIMAL, V_VT(&v)) << d;
        const AutomationValue out = AutomationValueFromVariant(v, nullptr);
        EXPECT_EQ(AutomationValue::kDecimal, out.kind) << d;
        EXPECT_STREQ(d, out.strText) << d;
        ::VariantClear(&v);
    }
    // The system's own decimal reads as its digits.
    VARIANT sys;
    ::VariantInit(&sys);
    V_VT(&sys) = VT_BSTR;
    V_BSTR(&sys) = ::SysAllocString(L"-98765432109876543210.5");
    ASSERT_EQ(S_OK, ::VariantChangeTypeEx(&sys, &sys, MAKELCID(0x0409, SORT_DEFAULT), 0, VT_DECIMAL));
    EXPECT_STREQ("-98765432109876543210.5", AutomationValueFromVariant(sys, nullptr).strText);
    ::VariantClear(&sys);

    // 29 digits past 96 bits, and 29 places: no variant.
    VARIANT v;
    ::VariantInit(&v);
    EXPECT_FALSE(AutomationValueToVariant(AutomationValue::Decimal("79228162514264337593543950336"), &v, nullptr));
    EXPECT_FALSE(AutomationValueToVariant(AutomationValue::Decimal("0.00000000000000000000000000001"), &v, nullptr));

    // Currency: 922337203685477.5807 is the largest, kept to the last place.
    ::VariantInit(&v);
    ASSERT_TRUE(AutomationValueToVariant(AutomationValue::Currency(9223372036854775807LL), &v, nullptr));
    EXPECT_EQ(VT_CY, V_VT(&v));
    EXPECT_EQ(9223372036854775807LL, V_CY(&v).int64);
    const AutomationValue cy = AutomationValueFromVariant(v, nullptr);
    EXPECT_EQ(AutomationValue::kCurrency, cy.kind);
    EXPECT_EQ(9223372036854775807LL, cy.nInt);
    EXPECT_DOUBLE_EQ(922337203685477.5807, cy.AsDouble());

    // A 64-bit integer arrives whole.
    V_VT(&v) = VT_I8;
    V_I8(&v) = -5000000000LL;
    const AutomationValue big = AutomationValueFromVariant(v, nullptr);
    EXPECT_EQ(AutomationValue::kInt, big.kind);
    EXPECT_EQ(-5000000000LL, big.nInt);
}
