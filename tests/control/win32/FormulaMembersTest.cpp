// The formula members from real clients: a script run by cscript
// (formulamembers.vbs), and a container holding the control whose event sink
// computes a user function added with FormulaAddUserFun: the formula's call
// reaches GridCalcUserFunction with the function's name and its arguments,
// and the text the sink writes back is the value formulas compute with.
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace comtest;

namespace {

const DISPID kCellGetValue = 7;
const DISPID kRowSetCount = 52;
const DISPID kColumnSetCount = 56;
const DISPID kFormulaAddUserFun = 404;
const DISPID kFormulaCalcAll = 410;
const DISPID kCellSetFormula = 417;
const DISPID kCellGetValueEx2 = 500;
const DISPID kGridCalcUserFunction = 20;

TEST(FormulaMembersScript, VbscriptUsesTheFormulaMembers)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("formulamembers.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("formulamembers ok"), std::string::npos) << output;
}

// Answers GridCalcUserFunction: ADDUP adds its arguments (each a number's
// text, joined by the engine's separator), anything else answers "?".
class UserFunctionSink : public SinkBase {
public:
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        if (id != kGridCalcUserFunction)
            return S_OK;
        // Arguments arrive last first: sResult, sParas, sFunName.
        if (p->cArgs != 3 || p->rgvarg[0].vt != (VT_BYREF | VT_BSTR) || p->rgvarg[1].vt != VT_BSTR ||
            p->rgvarg[2].vt != VT_BSTR) {
            ++malformed;
            return S_OK;
        }
        const std::string name = Narrow(p->rgvarg[2].bstrVal != nullptr ? p->rgvarg[2].bstrVal : L"");
        const std::string params = Narrow(p->rgvarg[1].bstrVal != nullptr ? p->rgvarg[1].bstrVal : L"");
        calls.push_back(name + "(" + params + ")");
        std::wstring answer = L"?";
        if (name == "ADDUP") {
            double sum = 0.0;
            size_t start = 0;
            for (;;) {
                const size_t end = params.find("\n!\n!\n!", start);
                sum += std::atof(params.substr(start, end == std::string::npos ? std::string::npos : end - start).c_str());
                if (end == std::string::npos)
                    break;
                start = end + 6;
            }
            answer = std::to_wstring(static_cast<long long>(sum));
        }
        BSTR* result = p->rgvarg[0].pbstrVal;
        ::SysFreeString(*result);
        *result = ::SysAllocString(answer.c_str());
        return S_OK;
    }

    std::vector<std::string> calls;
    int malformed = 0;
};

VARIANT Invoke(IDispatch* target, DISPID id, std::vector<VARIANT> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    return result;
}

LONG Call(IDispatch* target, DISPID id, std::vector<VARIANT> args = {})
{
    VARIANT result = Invoke(target, id, std::move(args));
    LONG value = -999;
    if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

std::string Text(IDispatch* ctl, DISPID id, LONG row, LONG col)
{
    VARIANT result = Invoke(ctl, id, {Long(row), Long(col)});
    std::string text = result.vt == VT_BSTR && result.bstrVal != nullptr ? Narrow(result.bstrVal) : "<none>";
    ::VariantClear(&result);
    return text;
}

TEST(FormulaMembersContainer, SinkComputesUserFunctions)
{
    AxHost ax;
    ASSERT_NO_FATAL_FAILURE(ax.Start());
    ASSERT_NO_FATAL_FAILURE(ax.Place(0, 0, 400, 300));
    IDispatch* ctl = nullptr;
    ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    Call(ctl, kRowSetCount, {Long(5)});
    Call(ctl, kColumnSetCount, {Long(5)});

    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
    UserFunctionSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    EXPECT_EQ(Call(ctl, kFormulaAddUserFun, {comtest::Text(L"ADDUP"), Short(1)}), 1);
    EXPECT_EQ(Call(ctl, kFormulaAddUserFun, {comtest::Text(L"OTHER"), Short(2)}), 1);
    EXPECT_EQ(Call(ctl, kCellSetFormula, {Long(1), Long(1), comtest::Text(L"=ADDUP(2,3,40)")}), 1);
    EXPECT_EQ(Text(ctl, kCellGetValueEx2, 1, 1), "45");
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0], "ADDUP(2\n!\n!\n!3\n!\n!\n!40)");
    // The answer is a value the engine computes with, and a name written in
    // other letters reaches the sink as it was registered.
    EXPECT_EQ(Call(ctl, kCellSetFormula, {Long(1), Long(2), comtest::Text(L"=addup(A1,5)*10")}), 1);
    EXPECT_EQ(Text(ctl, kCellGetValueEx2, 1, 2), "500");
    EXPECT_EQ(sink.calls.back(), "ADDUP(45\n!\n!\n!5)");
    EXPECT_EQ(Call(ctl, kCellSetFormula, {Long(2), Long(1), comtest::Text(L"=OTHER()")}), 1);
    EXPECT_EQ(Text(ctl, kCellGetValue, 2, 1), "?");
    EXPECT_EQ(sink.malformed, 0);

    // Without a sink the functions answer the empty text: nothing stale is called.
    ASSERT_EQ(cp->Unadvise(cookie), S_OK);
    const size_t before = sink.calls.size();
    EXPECT_EQ(Call(ctl, kFormulaCalcAll), 3);
    EXPECT_EQ(sink.calls.size(), before);
    EXPECT_EQ(Text(ctl, kCellGetValue, 2, 1), "");
    cp->Release();
    ctl->Release();
}

}  // namespace
