// regsvr32 registers KivoSheet.dll and regsvr32 /u removes it again; the
// registry is read back after each.
#include "ComTestSupport.h"

#include "control/KivoGuids.gen.h"
#include "control/KivoObjects.gen.h"

#include <gtest/gtest.h>

#include <string>

using namespace comtest;

namespace {

std::wstring W(const char* s)
{
    std::wstring w;
    for (; *s; ++s)
        w.push_back(static_cast<wchar_t>(*s));
    return w;
}

std::wstring Clsid(const KivoGuid& g)
{
    return L"CLSID\\" + W(g.text);
}

std::wstring LowerPath(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(towlower(c));
    return s;
}

void ExpectRegistered()
{
    // The type library, version 1.0.
    EXPECT_TRUE(KeyExists(L"TypeLib\\" + W(kGuid_KIVOSHEETLib.text) + L"\\1.0"));

    // The control.
    const std::wstring ctl = Clsid(kGuid_KivoSheet);
    EXPECT_EQ(ReadValue(ctl), L"KivoSheet Control");
    EXPECT_EQ(ReadValue(ctl + L"\\ProgID"), L"KIVOSHEET.KivoSheetCtrl.1");
    EXPECT_EQ(ReadValue(L"KIVOSHEET.KivoSheetCtrl.1\\CLSID"), W(kGuid_KivoSheet.text));
    EXPECT_EQ(LowerPath(ReadValue(ctl + L"\\InprocServer32")), LowerPath(DllPath()));
    EXPECT_EQ(ReadValue(ctl + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ReadValue(ctl + L"\\MiscStatus\\1"), L"131473");
    EXPECT_TRUE(KeyExists(ctl + L"\\Control"));
    EXPECT_FALSE(KeyExists(ctl + L"\\Insertable"));
    EXPECT_EQ(ReadValue(ctl + L"\\TypeLib"), W(kGuid_KIVOSHEETLib.text));
    EXPECT_EQ(ReadValue(ctl + L"\\Version"), L"1.0");

    // The property page.
    const std::wstring page = Clsid(kGuid_KivoSheetPropPage);
    EXPECT_EQ(ReadValue(page), L"KivoSheet Property Page");
    EXPECT_EQ(ReadValue(L"KIVOSHEET.KivoSheetPropPage.1\\CLSID"), W(kGuid_KivoSheetPropPage.text));
    EXPECT_EQ(ReadValue(page + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");

    // The 21 automation classes.
    for (int i = 0; i < kKivoClassCount; ++i) {
        const std::wstring name = W(KivoClassName(i));
        SCOPED_TRACE(Narrow(name));
        const std::wstring progId = L"KivoSheet." + name + L".1";
        const std::wstring key = Clsid(*kKivoClassGuids[i]);
        EXPECT_EQ(ReadValue(progId), name + L" Class");
        EXPECT_EQ(ReadValue(progId + L"\\CLSID"), W(kKivoClassGuids[i]->text));
        EXPECT_EQ(ReadValue(L"KivoSheet." + name + L"\\CurVer"), progId);
        EXPECT_EQ(ReadValue(L"KivoSheet." + name + L"\\CLSID"), W(kKivoClassGuids[i]->text));
        EXPECT_EQ(ReadValue(key), name + L" Class");
        EXPECT_EQ(ReadValue(key + L"\\ProgID"), progId);
        EXPECT_EQ(ReadValue(key + L"\\VersionIndependentProgID"), L"KivoSheet." + name);
        EXPECT_TRUE(KeyExists(key + L"\\Programmable"));
        EXPECT_EQ(ReadValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(ReadValue(key + L"\\TypeLib"), W(kGuid_KIVOSHEETLib.text));
    }
}

void ExpectUnregistered()
{
    EXPECT_FALSE(KeyExists(L"TypeLib\\" + W(kGuid_KIVOSHEETLib.text) + L"\\1.0"));
    EXPECT_FALSE(KeyExists(Clsid(kGuid_KivoSheet)));
    EXPECT_FALSE(KeyExists(L"KIVOSHEET.KivoSheetCtrl.1"));
    EXPECT_FALSE(KeyExists(Clsid(kGuid_KivoSheetPropPage)));
    EXPECT_FALSE(KeyExists(L"KIVOSHEET.KivoSheetPropPage.1"));
    for (int i = 0; i < kKivoClassCount; ++i) {
        const std::wstring name = W(KivoClassName(i));
        EXPECT_FALSE(KeyExists(L"KivoSheet." + name + L".1")) << Narrow(name);
        EXPECT_FALSE(KeyExists(L"KivoSheet." + name)) << Narrow(name);
        EXPECT_FALSE(KeyExists(Clsid(*kKivoClassGuids[i]))) << Narrow(name);
    }
    // The CLSID key itself stays.
    EXPECT_TRUE(KeyExists(L"CLSID"));
}

TEST(ComRegistration, Regsvr32RegistersAndUnregisters)
{
    ASSERT_EQ(Regsvr32(false), 0);
    ExpectRegistered();
    // Registering again leaves one set of keys.
    ASSERT_EQ(Regsvr32(false), 0);
    ExpectRegistered();
    ASSERT_EQ(Regsvr32(true), 0);
    ExpectUnregistered();
    // Unregistering what is not registered is no failure.
    EXPECT_EQ(Regsvr32(true), 0);
}

class ComServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        module = ::LoadLibraryW(DllPath().c_str());
        ASSERT_NE(module, nullptr);
        getClassObject = reinterpret_cast<decltype(getClassObject)>(reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
        canUnloadNow = reinterpret_cast<decltype(canUnloadNow)>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(canUnloadNow, nullptr);
    }
    void TearDown() override
    {
        ::FreeLibrary(module);
        ::CoUninitialize();
    }

    static GUID Guid(const KivoGuid& g)
    {
        GUID guid;
        memcpy(&guid, g.bytes, sizeof(guid));
        return guid;
    }

    HMODULE module = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, LPVOID*) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
};

TEST_F(ComServer, ClassFactoriesAndUnloading)
{
    EXPECT_EQ(canUnloadNow(), S_OK);

    // An unknown class is not available.
    IClassFactory* factory = nullptr;
    EXPECT_EQ(getClassObject(Guid(kGuid_KIVOSHEETLib), IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);

    // Every class has a factory that makes an object with IDispatch.
    for (int i = -1; i < kKivoClassCount; ++i) {
        const KivoGuid& g = i < 0 ? kGuid_KivoSheet : *kKivoClassGuids[i];
        ASSERT_EQ(getClassObject(Guid(g), IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK) << g.text;
        IDispatch* object = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
        ASSERT_NE(object, nullptr);
        // A live object keeps the library loaded; so does a server lock.
        EXPECT_EQ(canUnloadNow(), S_FALSE) << g.text;
        object->Release();
        EXPECT_EQ(canUnloadNow(), S_OK) << g.text;
        factory->LockServer(TRUE);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
        factory->LockServer(FALSE);
        // Aggregation is refused.
        IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
        IUnknown* inner = nullptr;
        EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&inner)),
                  CLASS_E_NOAGGREGATION);
        factory->Release();
    }
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ComServer, ControlDispatchGoesThroughTheMemberTable)
{
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(Guid(kGuid_KivoSheet), IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    IDispatch* ctl = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    factory->Release();

    // Names to DISPIDs, without regard to case.
    LPOLESTR name = const_cast<LPOLESTR>(L"griddefcellbgcolor");
    DISPID id = 0;
    ASSERT_EQ(ctl->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 2);
    name = const_cast<LPOLESTR>(L"NoSuchMember");
    EXPECT_EQ(ctl->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);

    // Property put with a converted argument, then get.
    VARIANT arg;
    ::VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = ::SysAllocString(L"4660");
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS putParams = {&arg, &put, 1, 1};
    EXPECT_EQ(ctl->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYPUT, &putParams, nullptr, nullptr, nullptr), S_OK);
    ::VariantClear(&arg);
    VARIANT result;
    ::VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(ctl->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 4660);

    // A member not built yet answers its failure value; a bool is a short.
    VARIANT args[3];
    for (VARIANT& v : args)
        ::VariantInit(&v);
    args[2].vt = VT_I4;   // nRow (arguments arrive last first)
    args[2].lVal = 1;
    args[1].vt = VT_I2;   // nCol, converted
    args[1].iVal = 1;
    args[0].vt = VT_BSTR;
    args[0].bstrVal = ::SysAllocString(L"\x4E2D");
    DISPPARAMS call = {args, nullptr, 3, 0};
    ::VariantInit(&result);
    EXPECT_EQ(ctl->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &call, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, 0);
    ::VariantClear(&args[0]);

    // Wrong argument counts and unknown members are reported, not crashed on.
    DISPPARAMS shortCall = {args + 1, nullptr, 2, 0};
    EXPECT_EQ(ctl->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &shortCall, &result, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(ctl->Invoke(161, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    VARIANT bad;
    ::VariantInit(&bad);
    bad.vt = VT_BSTR;
    bad.bstrVal = ::SysAllocString(L"not a number");
    VARIANT three[3] = {args[0], bad, args[2]};
    three[0].vt = VT_EMPTY;   // a missing string is the empty text
    DISPPARAMS mismatch = {three, nullptr, 3, 0};
    UINT argErr = 99;
    EXPECT_EQ(ctl->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &mismatch, &result, nullptr, &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u);
    ::VariantClear(&bad);

    // A by-reference argument is always written.
    VARIANT ref[2];
    LONG row = 123, col = 456;
    ref[1].vt = VT_BYREF | VT_I4;
    ref[1].plVal = &row;
    ref[0].vt = VT_BYREF | VT_I4;
    ref[0].plVal = &col;
    DISPPARAMS byRef = {ref, nullptr, 2, 0};
    EXPECT_EQ(ctl->Invoke(74, IID_NULL, 0, DISPATCH_METHOD, &byRef, &result, nullptr, nullptr), S_OK);   // CellGetFocus
    EXPECT_EQ(result.vt, VT_I2);

    // Type information of _DKivoSheet from the embedded type library.
    ITypeInfo* info = nullptr;
    ASSERT_EQ(ctl->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr->cFuncs, 497u);
    EXPECT_EQ(attr->cVars, 4u);
    info->ReleaseTypeAttr(attr);
    info->Release();

    // No claim of safety for untrusted scripts or data.
    IUnknown* safety = nullptr;
    const IID iidObjectSafety = {0xCB5BDC81, 0x93C1, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
    EXPECT_EQ(ctl->QueryInterface(iidObjectSafety, reinterpret_cast<void**>(&safety)), E_NOINTERFACE);
    ctl->Release();
}

}  // namespace
