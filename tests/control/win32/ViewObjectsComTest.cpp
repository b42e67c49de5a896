// The column, row, range, font, cell border and default-setting classes as
// COM objects: their interfaces' members and DISPIDs in the type library,
// every member read through IDispatch answering S_OK, the script that drives
// them (objects15.vbs), and a column object kept after its control has been
// released: it does nothing, and the library stays loaded while it lives.
#include "ComTestSupport.h"

#include "control/KivoGuids.gen.h"
#include "control/KivoObjects.gen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

using namespace comtest;

namespace {

GUID Guid(const KivoGuid& g)
{
    GUID guid;
    std::memcpy(&guid, g.bytes, sizeof(guid));
    return guid;
}

// An interface's members in virtual-table order: "name:dispid" for a
// method, "name:dispid:g" for a get-only property, "name:dispid:gp" for a
// property with get and put (two slots), "name:dispid:gpr" one that is also
// put by reference (three slots).
struct InterfaceTable {
    int kivoClass;
    const char* name;
    int slots;
    const char* members;
};

const char kColumnRowShared[] =
    "crBackColor:2:gp SetControl:3 GetControl:4 SetControlEx:5 GetControlEx:6 crTextColor:7:gp SetFont:8 "
    "GetFont:9 SetFontEx:10 GetFontEx:11 SetTextFormat:12 GetTextFormat:13 strValue:14:gp dbValueEx:15:gp "
    "iTextWrap:16:gp iReadOnly:17:gp iHide:18:gp SetBorder:19 nBorderFlags:20:g nAlign:21:gp Merge:22 "
    "iIsMerged:23:g";

const std::vector<InterfaceTable>& Tables()
{
    static const std::string column = std::string("nColIndex:1:g ") + kColumnRowShared;
    static const std::string row = std::string("nRowIndex:1:g ") + kColumnRowShared;
    static const std::vector<InterfaceTable> tables = {
        {KivoClass_KivoColumn, "IKivoColumn", 31, column.c_str()},
        {KivoClass_KivoRow, "IKivoRow", 31, row.c_str()},
        {KivoClass_KivoRange, "IKivoRange", 35,
         "nMinRow:1:g nMinCol:2:g nMaxRow:3:g nMaxCol:4:g crBackColor:5:gp SetControl:6 SetControlEx:7 "
         "crTextColor:8:gp SetFont:9 SetFontEx:10 GetControl:11 SetTextFormat:13 GetTextFormat:14 "
         "iTextWrap:15:gp iReadOnly:16:gp iHide:17:gp SetBorder:18 nBorderFlags:20:g nAlign:21:gp "
         "iIsMerge:22:g GetControlEx:23 GetFont:24 GetFontEx:25 strValue:26:gp dbValueEx:27:gp Merge:28 "
         "iIsMerged:29:g"},
        {KivoClass_KivoFont, "IKivoFont", 18,
         "cCharset:1:gp strFontName:2:gp iItalic:3:gp iOrientation:4:gp iStrikeout:5:gp iBold:6:gp "
         "nFontSize:7:gp iUnderline:8:gp strXml:9:gp"},
        {KivoClass_KivoCellBorder, "IKivoCellBorder", 7,
         "crLineColor:1:gp nLineStyle:2:gp nLineWidth:3:gp GetBorderPtr:4"},
        {KivoClass_KivoGridDefaultSetting, "IKivoGridDefaultSetting", 30,
         "bEditable:1:gp arCellBorder:2:gpr nRowHeight:3:gp nColWidth:4:gp crSelColor:5:gp crCellBgColor:6:gp "
         "crTextColor:7:gp strFontXml:8:gp bTip:9:gp bAllowResizeRow:10:gp bAllowResizeCol:11:gp "
         "GetSettingPtr:12 bIMResetInitRowHeight:13:gp bIMResetInitColWidth:14:gp dwTextAlign:15:gp"},
    };
    return tables;
}

// The table expanded to one "name dispid kind" entry per slot.
std::vector<std::string> Slots(const char* members)
{
    std::vector<std::string> out;
    std::istringstream in(members);
    std::string item;
    while (in >> item) {
        const size_t a = item.find(':');
        const size_t b = item.find(':', a + 1);
        const std::string name = item.substr(0, a);
        const std::string id = item.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        const std::string kind = b == std::string::npos ? "" : item.substr(b + 1);
        if (kind.empty())
            out.push_back(name + " " + id + " call");
        if (kind.find('g') != std::string::npos)
            out.push_back(name + " " + id + " get");
        if (kind.find('p') != std::string::npos)
            out.push_back(name + " " + id + " put");
        if (kind.find('r') != std::string::npos)
            out.push_back(name + " " + id + " putref");
    }
    return out;
}

std::string Narrow(BSTR s)
{
    std::string out;
    for (const wchar_t* p = s; p != nullptr && *p != 0; ++p)
        out.push_back(static_cast<char>(*p));
    return out;
}

class ViewObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        module = ::LoadLibraryW(DllPath().c_str());
        ASSERT_NE(module, nullptr);
        getClassObject = reinterpret_cast<decltype(getClassObject)>(
            reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
        canUnloadNow =
            reinterpret_cast<decltype(canUnloadNow)>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(canUnloadNow, nullptr);
    }
    void TearDown() override
    {
        ::FreeLibrary(module);
        ::CoUninitialize();
    }

    IDispatch* Create(const KivoGuid& cls)
    {
        IClassFactory* factory = nullptr;
        if (getClassObject(Guid(cls), IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK)
            return nullptr;
        IDispatch* object = nullptr;
        if (factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)) != S_OK)
            object = nullptr;
        factory->Release();
        return object;
    }

    // Calls a member with arguments given first to last; the result in *result.
    static HRESULT Call(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result)
    {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr,
                             static_cast<UINT>(reversed.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
        if (result != nullptr)
            ::VariantInit(result);
        return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, nullptr);
    }
    static VARIANT Long(LONG v)
    {
        VARIANT x;
        ::VariantInit(&x);
        x.vt = VT_I4;
        x.lVal = v;
        return x;
    }

    // The type information of the object's dual interface in its interface
    // form: the interface's own members, results as [out, retval] parameters.
    static ITypeInfo* InterfaceInfo(IDispatch* object)
    {
        ITypeInfo* info = nullptr;
        if (object->GetTypeInfo(0, 0, &info) != S_OK)
            return nullptr;
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        const TYPEKIND kind = attr->typekind;
        info->ReleaseTypeAttr(attr);
        if (kind == TKIND_INTERFACE)
            return info;
        HREFTYPE ref = 0;
        ITypeInfo* iface = nullptr;
        if (info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref) != S_OK || info->GetRefTypeInfo(ref, &iface) != S_OK)
            iface = nullptr;
        info->Release();
        return iface;
    }

    HMODULE module = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, LPVOID*) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
};

}  // namespace

// Each interface in the type library has the members of its table, in
// virtual-table order, with their DISPIDs.
TEST_F(ViewObjects, InterfacesHoldTheirMembersWithTheirDispids)
{
    for (const InterfaceTable& t : Tables()) {
        SCOPED_TRACE(t.name);
        IDispatch* object = Create(*kKivoClassGuids[t.kivoClass]);
        ASSERT_NE(object, nullptr);
        ITypeInfo* info = InterfaceInfo(object);
        ASSERT_NE(info, nullptr);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        const UINT funcs = attr->cFuncs;
        info->ReleaseTypeAttr(attr);
        std::vector<std::string> got;
        for (UINT i = 0; i < funcs; ++i) {
            FUNCDESC* fd = nullptr;
            ASSERT_EQ(info->GetFuncDesc(i, &fd), S_OK);
            BSTR name = nullptr;
            info->GetDocumentation(fd->memid, &name, nullptr, nullptr, nullptr);
            const char* kind = fd->invkind == INVOKE_PROPERTYGET   ? "get"
                               : fd->invkind == INVOKE_PROPERTYPUT ? "put"
                               : fd->invkind == INVOKE_FUNC        ? "call"
                                                                   : "putref";
            got.push_back(Narrow(name) + " " + std::to_string(fd->memid) + " " + kind);
            ::SysFreeString(name);
            info->ReleaseFuncDesc(fd);
        }
        const std::vector<std::string> expected = Slots(t.members);
        EXPECT_EQ(static_cast<int>(expected.size()), t.slots);
        EXPECT_EQ(got, expected);
        info->Release();
        object->Release();
    }
}

// Through IDispatch every property get and every result-only call of an
// object made by its ProgID answers S_OK with a value of its declared type.
TEST_F(ViewObjects, EveryReadAnswersSuccess)
{
    for (const InterfaceTable& t : Tables()) {
        SCOPED_TRACE(t.name);
        IDispatch* object = Create(*kKivoClassGuids[t.kivoClass]);
        ASSERT_NE(object, nullptr);
        ITypeInfo* info = InterfaceInfo(object);
        ASSERT_NE(info, nullptr);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            FUNCDESC* fd = nullptr;
            ASSERT_EQ(info->GetFuncDesc(i, &fd), S_OK);
            const bool restricted = (fd->wFuncFlags & FUNCFLAG_FRESTRICTED) != 0;
            const bool retval = fd->cParams > 0 &&
                                (fd->lprgelemdescParam[fd->cParams - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0;
            const bool read = retval && (fd->invkind == INVOKE_PROPERTYGET || fd->cParams == 1);
            const bool indexed = fd->cParams == 2;
            if (read && !restricted) {
                std::vector<VARIANT> args;
                if (indexed) {
                    VARIANT index;
                    ::VariantInit(&index);
                    index.vt = VT_I2;
                    index.iVal = 0;
                    args.push_back(index);
                }
                VARIANT result;
                const WORD flags = fd->invkind == INVOKE_PROPERTYGET ? DISPATCH_PROPERTYGET : DISPATCH_METHOD;
                EXPECT_EQ(Call(object, fd->memid, flags, args, &result), S_OK) << fd->memid;
                // The result's type: what the [out, retval] pointer points at.
                const TYPEDESC* out = fd->lprgelemdescParam[fd->cParams - 1].tdesc.lptdesc;
                VARTYPE declared = out != nullptr ? out->vt : VT_EMPTY;
                if (declared == VT_PTR)
                    declared = VT_DISPATCH;   // an interface of the library
                if (declared != VT_USERDEFINED) {
                    EXPECT_EQ(result.vt, declared) << fd->memid;
                }
                ::VariantClear(&result);
            }
            info->ReleaseFuncDesc(fd);
        }
        info->ReleaseTypeAttr(attr);
        info->Release();
        object->Release();
    }
}

// A column object kept after its control has been released: the library
// stays loaded while it lives, its setters change nothing and its getters
// answer failure values; once released the library may unload.
TEST_F(ViewObjects, ColumnKeptAfterItsControlIsReleased)
{
    ASSERT_EQ(canUnloadNow(), S_OK);
    IDispatch* ctl = Create(kGuid_KivoSheet);
    ASSERT_NE(ctl, nullptr);
    VARIANT result;
    // 5 x 4 with one fixed row and column, through the size members.
    ASSERT_EQ(Call(ctl, 52, DISPATCH_METHOD, {Long(5)}, &result), S_OK);
    ASSERT_EQ(Call(ctl, 56, DISPATCH_METHOD, {Long(4)}, &result), S_OK);
    ASSERT_EQ(Call(ctl, 54, DISPATCH_METHOD, {Long(1)}, &result), S_OK);
    // ColumnGetObject(2)
    ASSERT_EQ(Call(ctl, 452, DISPATCH_METHOD, {Long(2)}, &result), S_OK);
    ASSERT_EQ(result.vt, VT_DISPATCH);
    IDispatch* column = result.pdispVal;
    ASSERT_NE(column, nullptr);
    // crBackColor put, then CellGetBackColor(1, 2) and (0, 2).
    ASSERT_EQ(Call(column, 2, DISPATCH_PROPERTYPUT, {Long(0x0000FF)}, nullptr), S_OK);
    ASSERT_EQ(Call(ctl, 10, DISPATCH_METHOD, {Long(1), Long(2)}, &result), S_OK);
    EXPECT_EQ(result.lVal, 0x0000FF);
    ASSERT_EQ(Call(ctl, 10, DISPATCH_METHOD, {Long(0), Long(2)}, &result), S_OK);
    EXPECT_NE(result.lVal, 0x0000FF);

    EXPECT_EQ(ctl->Release(), 0u);
    // The control is gone; the column keeps the library loaded.
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(Call(column, 2, DISPATCH_PROPERTYPUT, {Long(0x00FF00)}, nullptr), S_OK);
    EXPECT_EQ(Call(column, 2, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 0);
    EXPECT_EQ(Call(column, 1, DISPATCH_PROPERTYGET, {}, &result), S_OK);   // nColIndex
    EXPECT_EQ(result.lVal, -1);
    EXPECT_EQ(Call(column, 22, DISPATCH_METHOD, {}, nullptr), S_OK);      // Merge
    EXPECT_EQ(Call(column, 11, DISPATCH_METHOD, {}, &result), S_OK);      // GetFontEx
    EXPECT_EQ(result.vt, VT_DISPATCH);
    EXPECT_EQ(result.pdispVal, nullptr);
    EXPECT_EQ(column->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

// Wine's script host drives the objects (objects15.vbs checks what it can
// and prints "objects15 ok" when everything held).
TEST(ViewObjectsScript, VbscriptDrivesColumnsRowsFontsAndSettings)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string output;
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("objects15.vbs") + L"\"", &output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("objects15 ok"), std::string::npos) << output;
}
