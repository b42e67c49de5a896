#include "control/win32/KivoSheetControl.h"

#include "control/ControlAbout.h"
#include "control/ControlPersist.h"
#include "control/DispInvoke.h"
#include "control/win32/ComUtil.h"
#include "control/win32/ConnectionEnums.h"
#include "control/win32/Gdiplus.h"
#include "control/win32/VerbEnum.h"
#include "platform/DC.h"
#include "platform/Wnd.h"

#include "KivoSheet_i.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <string>

namespace {

// Recompose on resize | can't link inside | inside-out | activate when visible
// | set client site first.
const DWORD kMiscStatus = 131473;
static_assert(CControlPersist::kVersion == CKivoSheetCtrl::kPersistVersion, "one version number");
const DISPID kAmbientUserMode = -709;   // DISPID_AMBIENT_USERMODE
const DISPID kPropertyPut = -3;         // DISPID_PROPERTYPUT
const int kAboutDialog = 1;

// Default extent: 320 x 240 pixels at 96 pixels per inch, in HIMETRIC.
const LONG kDefaultExtentX = 320 * 2540 / 96;
const LONG kDefaultExtentY = 240 * 2540 / 96;

std::string Narrow(const OLECHAR* name)
{
    std::string s;
    if (name == nullptr)
        return s;
    for (; *name != 0; ++name) {
        if (*name > 0x7F)
            return std::string();   // member names are ASCII
        s.push_back(static_cast<char>(*name));
    }
    return s;
}

// Calls from outside into a control that are running on this thread (see
// CCallGuard), and the timer that looks again for controls to free.
thread_local int t_callDepth = 0;
thread_local UINT_PTR t_freeTimer = 0;
const UINT kFreeTimerMs = 10;

// Controls whose last reference went while they were busy, with the thread
// each lives on.
struct ReleasedControls {
    std::mutex lock;
    std::vector<std::pair<CKivoSheetControl*, DWORD>> list;
};

ReleasedControls& Released()
{
    static ReleasedControls released;
    return released;
}

void CALLBACK FreeTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    CKivoSheetControl::FreeReleasedControls();
}

bool ControlsBusy()
{
    return PlatformWindowProcDepth() != 0 || t_callDepth != 0;
}

// Where each argument of a call sits in rgvarg. Positional arguments come
// last first at the end of rgvarg; the first cNamedArgs slots hold the named
// ones, rgdispidNamedArgs giving the position of each (the positions
// GetIDsOfNames answers for argument names). The value of a property put is
// the one named DISPID_PROPERTYPUT. slots has one entry per argument of the
// call. A name that fits no free position is DISP_E_PARAMNOTFOUND with its
// slot in argErr; a count that does not fit is DISP_E_BADPARAMCOUNT.
HRESULT MapArgumentSlots(const DISPPARAMS& params, bool propertyPut, std::vector<int>& slots, UINT* argErr)
{
    const int cArgs = static_cast<int>(params.cArgs);
    const int cNamed = static_cast<int>(params.cNamedArgs);
    const int argc = static_cast<int>(slots.size());
    if (propertyPut) {
        for (int j = 0; j < cNamed; ++j) {
            if (params.rgdispidNamedArgs[j] != kPropertyPut) {
                if (argErr != nullptr)
                    *argErr = static_cast<UINT>(j);
                return DISP_E_PARAMNOTFOUND;
            }
        }
        if (cArgs != 1 || cNamed != 1)
            return DISP_E_BADPARAMCOUNT;
        slots[0] = 0;
        return S_OK;
    }
    const int positional = cArgs - cNamed;
    for (int i = 0; i < positional && i < argc; ++i)
        slots[static_cast<size_t>(i)] = cArgs - 1 - i;
    for (int j = 0; j < cNamed; ++j) {
        const DISPID position = params.rgdispidNamedArgs[j];
        if (position < positional || position >= argc || slots[static_cast<size_t>(position)] != -1) {
            if (argErr != nullptr)
                *argErr = static_cast<UINT>(j);
            return DISP_E_PARAMNOTFOUND;
        }
        slots[static_cast<size_t>(position)] = j;
    }
    if (cArgs != argc)
        return DISP_E_BADPARAMCOUNT;
    return S_OK;
}

const OLECHAR kVersionName[] = L"_Version";

// The status of a load as the persistence interfaces answer it.
HRESULT PersistResult(PersistStatus status)
{
    switch (status) {
    case PersistStatus::Loaded:
    case PersistStatus::Nothing:
        return S_OK;
    case PersistStatus::NotANumber:
        return DISP_E_TYPEMISMATCH;
    default:
        return E_FAIL;
    }
}

// A property bag's value in portable form: integers (and numbers without a
// fraction) as numbers, texts as texts; an empty value is no value.
CPersistBagValue BagValue(const VARIANT& v)
{
    CPersistBagValue value;
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return value;
    case VT_BSTR:
        value.kind = CPersistBagValue::Text;
        value.text = ComString(v.bstrVal);
        return value;
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL: {
        VARIANT d;
        ::VariantInit(&d);
        value.kind = CPersistBagValue::Other;
        if (SUCCEEDED(::VariantChangeType(&d, const_cast<VARIANT*>(&v), 0, VT_R8)) && d.dblVal >= -2147483648.0 &&
            d.dblVal <= 4294967295.0 && d.dblVal == static_cast<double>(static_cast<long long>(d.dblVal))) {
            value.kind = CPersistBagValue::Number;
            value.number = static_cast<LONG>(static_cast<DWORD>(static_cast<long long>(d.dblVal)));
        }
        ::VariantClear(&d);
        return value;
    }
    default:
        value.kind = CPersistBagValue::Other;
        return value;
    }
}

INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        char version[64] = {};
        ::LoadStringA(KivoModuleInstance(), controlabout::kVersionStringId, version, sizeof version);
        const CString line = controlabout::VersionLine(version);
        ::SetDlgItemTextA(dlg, controlabout::kVersionLineId, line.GetString());
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

// ---------------------------------------------------------------- the object --

CKivoSheetControl::CKivoSheetControl() : m_ctrl(std::make_unique<CKivoSheetCtrl>()), m_events(*this)
{
    m_extent.cx = kDefaultExtentX;
    m_extent.cy = kDefaultExtentY;
    m_ctrl->SetHost(this);
    m_ctrl->Events().SetSink(this);
    // GDI+ runs while any control lives (started once for all of them): the
    // grid's picture list decodes through it as soon as a script adds a
    // picture, before any window exists.
    m_gdiplus = KivoGdiplusAcquire();
    KivoModuleObjectCreated();
}

CKivoSheetControl::~CKivoSheetControl()
{
    m_ctrl->Events().SetSink(nullptr);
    if (m_ctrl->GetSafeHwnd() != nullptr)
        m_ctrl->DestroyWindow();
    m_ctrl->SetHost(nullptr);
    m_ctrl.reset();
    m_events.ReleaseAll();
    if (m_viewAdvise != nullptr)
        m_viewAdvise->Release();
    if (m_oleAdvise != nullptr)
        m_oleAdvise->Release();
    if (m_frame != nullptr)
        m_frame->Release();
    if (m_doc != nullptr)
        m_doc->Release();
    if (m_inPlaceSite != nullptr)
        m_inPlaceSite->Release();
    if (m_clientSite != nullptr)
        m_clientSite->Release();
    if (m_gdiplus)
        KivoGdiplusRelease();
    KivoModuleObjectDestroyed();
}

HRESULT CKivoSheetControl::Create(IUnknown* outer, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    CKivoSheetControl* obj = new (std::nothrow) CKivoSheetControl();
    if (obj == nullptr)
        return E_OUTOFMEMORY;
    obj->AddRef();
    HRESULT hr = obj->QueryInterface(riid, ppv);
    obj->Release();
    return hr;
}

HRESULT CKivoSheetControl::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID__DKivoSheet))
        *ppv = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IOleObject))
        *ppv = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
        *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject))
        *ppv = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(riid, IID_IOleControl))
        *ppv = static_cast<IOleControl*>(this);
    else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2))
        *ppv = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit))
        *ppv = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(riid, IID_IPersistPropertyBag))
        *ppv = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2))
        *ppv = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(riid, IID_ISpecifyPropertyPages))
        *ppv = static_cast<ISpecifyPropertyPages*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CKivoSheetControl::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG CKivoSheetControl::Release()
{
    LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0 && !m_released)
        FreeWhenIdle();   // nothing of this object is touched after it
    return static_cast<ULONG>(n);
}

// A host may let go of the control inside an event handler (closing its form
// on a click or a key): the grid's window procedures and the control's event
// firing are then still on the stack, so the control waits for them to return
// before it is freed, and reports nothing more in the meantime.
void CKivoSheetControl::FreeWhenIdle()
{
    if (!ControlsBusy()) {
        delete this;
        return;
    }
    m_released = true;
    {
        ReleasedControls& released = Released();
        std::lock_guard<std::mutex> guard(released.lock);
        released.list.emplace_back(this, ::GetCurrentThreadId());
    }
    if (t_freeTimer == 0)
        t_freeTimer = ::SetTimer(nullptr, 0, kFreeTimerMs, &FreeTimerProc);
}

void CKivoSheetControl::FreeReleasedControls()
{
    if (ControlsBusy())
        return;
    const DWORD thread = ::GetCurrentThreadId();
    std::vector<CKivoSheetControl*> ready;
    {
        ReleasedControls& released = Released();
        std::lock_guard<std::mutex> guard(released.lock);
        auto mine = std::stable_partition(released.list.begin(), released.list.end(),
                                          [thread](const std::pair<CKivoSheetControl*, DWORD>& e) {
                                              return e.second != thread;
                                          });
        for (auto it = mine; it != released.list.end(); ++it)
            ready.push_back(it->first);
        released.list.erase(mine, released.list.end());
    }
    if (t_freeTimer != 0) {
        ::KillTimer(nullptr, t_freeTimer);
        t_freeTimer = 0;
    }
    for (CKivoSheetControl* control : ready) {
        if (control->m_refs == 0)
            delete control;
        else
            control->m_released = false;   // taken up again before it could be freed
    }
}

CKivoSheetControl::CCallGuard::CCallGuard(CKivoSheetControl& control) : m_control(control)
{
    m_control.AddRef();
    ++t_callDepth;
}

CKivoSheetControl::CCallGuard::~CCallGuard()
{
    --t_callDepth;
    m_control.Release();
}

// ------------------------------------------------------------------ IDispatch --

HRESULT CKivoSheetControl::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 1;
    return S_OK;
}

HRESULT CKivoSheetControl::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo == nullptr)
        return E_POINTER;
    *ppTInfo = nullptr;
    if (iTInfo != 0)
        return DISP_E_BADINDEX;
    return KivoTypeInfo(DIID__DKivoSheet, ppTInfo);
}

HRESULT CKivoSheetControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (names == nullptr || ids == nullptr || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    const CMemberInfo* m = FindKivoSheetMemberByName(Narrow(names[0]).c_str());
    if (m == nullptr)
        return DISP_E_UNKNOWNNAME;
    ids[0] = m->dispid;
    HRESULT hr = S_OK;
    // Argument names: their positions.
    for (UINT i = 1; i < count; ++i) {
        const std::string arg = Narrow(names[i]);
        for (int k = 0; k < m->argc; ++k) {
            if (m->argNames != nullptr && ::lstrcmpiA(m->argNames[k], arg.c_str()) == 0)
                ids[i] = k;
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT CKivoSheetControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO*, UINT* argErr)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    CCallGuard busy(*this);
    const CMemberInfo* m = FindKivoSheetMember(id);
    if (m == nullptr)
        return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS empty = {nullptr, nullptr, 0, 0};
    if (params == nullptr)
        params = &empty;
    if ((params->cArgs > 0 && params->rgvarg == nullptr) || params->cNamedArgs > params->cArgs ||
        (params->cNamedArgs > 0 && params->rgdispidNamedArgs == nullptr))
        return E_INVALIDARG;

    DispCall kind = DispCall::Method;
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (!m->property)
            return DISP_E_MEMBERNOTFOUND;
        kind = DispCall::PropertyPut;
    } else if (m->property) {
        kind = DispCall::PropertyGet;
    }
    // The member's arguments in declaration order (a property put: its new
    // value) and the slot of rgvarg that holds each.
    const int count = kind == DispCall::PropertyPut ? 1 : kind == DispCall::PropertyGet ? 0 : m->argc;
    std::vector<int> slots(static_cast<size_t>(count), -1);
    HRESULT hr = MapArgumentSlots(*params, kind == DispCall::PropertyPut, slots, argErr);
    if (FAILED(hr))
        return hr;

    std::vector<CDispArg> args(static_cast<size_t>(count > 0 ? count : 1));
    for (int i = 0; i < count; ++i) {
        const UINT slot = static_cast<UINT>(slots[static_cast<size_t>(i)]);
        const DispType type = kind == DispCall::PropertyPut ? DispType::Long : m->args[i];
        hr = ComArgFromVariant(params->rgvarg[slot], type, args[static_cast<size_t>(i)]);
        if (FAILED(hr)) {
            if (argErr != nullptr)
                *argErr = slot;
            return hr;
        }
    }

    // No C++ exception leaves the control: a member that runs out of memory
    // part way answers a failure to its caller.
    try {
        CDispResult r;
        if (!InvokeKivoSheetMember(*m_ctrl, *m, kind, args.data(), r))
            return DISP_E_MEMBERNOTFOUND;
        for (int i = 0; i < count; ++i)
            ComArgToVariant(args[static_cast<size_t>(i)], params->rgvarg[slots[static_cast<size_t>(i)]]);
        return ComResultToVariant(r, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// ---------------------------------------------------------------- IOleObject --

void CKivoSheetControl::ReadAmbientUserMode()
{
    m_userMode = true;
    if (m_clientSite == nullptr)
        return;
    IDispatch* ambient = nullptr;
    if (FAILED(m_clientSite->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient))) || !ambient)
        return;
    VARIANT v;
    ::VariantInit(&v);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (SUCCEEDED(ambient->Invoke(kAmbientUserMode, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                  &v, nullptr, nullptr))) {
        VARIANT b;
        ::VariantInit(&b);
        if (SUCCEEDED(::VariantChangeType(&b, &v, 0, VT_BOOL)))
            m_userMode = b.boolVal != VARIANT_FALSE;
    }
    ::VariantClear(&v);
    ambient->Release();
}

HRESULT CKivoSheetControl::SetClientSite(IOleClientSite* site)
{
    if (site != nullptr)
        site->AddRef();
    if (m_clientSite != nullptr)
        m_clientSite->Release();
    m_clientSite = site;
    ReadAmbientUserMode();
    return S_OK;
}

HRESULT CKivoSheetControl::GetClientSite(IOleClientSite** ppClientSite)
{
    if (ppClientSite == nullptr)
        return E_POINTER;
    *ppClientSite = m_clientSite;
    if (m_clientSite != nullptr)
        m_clientSite->AddRef();
    return S_OK;
}

HRESULT CKivoSheetControl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT CKivoSheetControl::Close(DWORD)
{
    InPlaceDeactivate();
    if (m_oleAdvise != nullptr)
        m_oleAdvise->SendOnClose();
    return S_OK;
}

HRESULT CKivoSheetControl::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != nullptr)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::GetClipboardData(DWORD, IDataObject** ppDataObject)
{
    if (ppDataObject != nullptr)
        *ppDataObject = nullptr;
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND hwndParent,
                                  LPCRECT lprcPosRect)
{
    CCallGuard busy(*this);
    if (m_clientSite == nullptr && pActiveSite != nullptr)
        SetClientSite(pActiveSite);
    switch (iVerb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(true, lprcPosRect);
    case OLEIVERB_INPLACEACTIVATE:
        return InPlaceActivate(false, lprcPosRect);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (m_ctrl->GetSafeHwnd() != nullptr)
            m_ctrl->ShowWindow(SW_HIDE);
        return S_OK;
    case OLEIVERB_PROPERTIES:
        return ShowPropertyPages(hwndParent);
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT CKivoSheetControl::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb)
{
    // The one verb a container shows on its menu: the standard Properties verb.
    OLEVERB properties;
    properties.lVerb = OLEIVERB_PROPERTIES;
    properties.lpszVerbName = const_cast<LPOLESTR>(L"&Properties...");
    properties.fuFlags = 0;
    properties.grfAttribs = OLEVERBATTRIB_ONCONTAINERMENU;
    return CreateVerbEnum(std::vector<OLEVERB>(1, properties), ppEnumOleVerb);
}

HRESULT CKivoSheetControl::ShowPropertyPages(HWND owner)
{
    // A container that shows property frames of its own is asked first.
    if (m_clientSite != nullptr) {
        IOleControlSite* site = nullptr;
        if (SUCCEEDED(m_clientSite->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&site))) &&
            site != nullptr) {
            const HRESULT shown = site->ShowPropertyFrame();
            site->Release();
            if (shown == S_OK)
                return S_OK;
        }
    }
    CAUUID pages = {0, nullptr};
    HRESULT hr = GetPages(&pages);
    if (FAILED(hr))
        return hr;
    if (owner == nullptr)
        owner = m_ctrl->GetSafeHwnd();
    IUnknown* self = static_cast<IDispatch*>(this);
    hr = ::OleCreatePropertyFrame(owner, 0, 0, L"KivoSheet", 1, &self, pages.cElems, pages.pElems,
                                  LOCALE_USER_DEFAULT, 0, nullptr);
    ::CoTaskMemFree(pages.pElems);
    return hr;
}

HRESULT CKivoSheetControl::Update()
{
    return S_OK;
}

HRESULT CKivoSheetControl::IsUpToDate()
{
    return S_OK;
}

HRESULT CKivoSheetControl::GetUserClassID(CLSID* pClsid)
{
    if (pClsid == nullptr)
        return E_POINTER;
    *pClsid = CLSID_KivoSheet;
    return S_OK;
}

HRESULT CKivoSheetControl::GetUserType(DWORD, LPOLESTR* pszUserType)
{
    if (pszUserType != nullptr)
        *pszUserType = nullptr;
    return OLE_S_USEREG;
}

HRESULT CKivoSheetControl::SetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (psizel == nullptr)
        return E_POINTER;
    m_extent = *psizel;
    return S_OK;
}

HRESULT CKivoSheetControl::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (psizel == nullptr)
        return E_POINTER;
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    *psizel = m_extent;
    return S_OK;
}

HRESULT CKivoSheetControl::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection)
{
    if (m_oleAdvise == nullptr && FAILED(::CreateOleAdviseHolder(&m_oleAdvise)))
        return E_OUTOFMEMORY;
    return m_oleAdvise->Advise(pAdvSink, pdwConnection);
}

HRESULT CKivoSheetControl::Unadvise(DWORD dwConnection)
{
    if (m_oleAdvise == nullptr)
        return OLE_E_NOCONNECTION;
    return m_oleAdvise->Unadvise(dwConnection);
}

HRESULT CKivoSheetControl::EnumAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (ppenumAdvise == nullptr)
        return E_POINTER;
    *ppenumAdvise = nullptr;
    if (m_oleAdvise == nullptr)
        return S_OK;
    return m_oleAdvise->EnumAdvise(ppenumAdvise);
}

HRESULT CKivoSheetControl::GetMiscStatus(DWORD, DWORD* pdwStatus)
{
    if (pdwStatus == nullptr)
        return E_POINTER;
    *pdwStatus = kMiscStatus;
    return S_OK;
}

HRESULT CKivoSheetControl::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}

// ------------------------------------------------------ in-place activation --

HRESULT CKivoSheetControl::InPlaceActivate(bool uiActivate, LPCRECT posRect)
{
    if (m_clientSite == nullptr)
        return E_UNEXPECTED;
    if (!m_inPlaceActive) {
        IOleInPlaceSite* site = nullptr;
        if (FAILED(m_clientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site))) || !site)
            return E_FAIL;
        if (site->CanInPlaceActivate() != S_OK) {
            site->Release();
            return E_FAIL;
        }
        site->OnInPlaceActivate();
        m_inPlaceSite = site;
        m_inPlaceActive = true;
    }
    if (m_ctrl->GetSafeHwnd() == nullptr) {
        HWND parent = nullptr;
        if (FAILED(m_inPlaceSite->GetWindow(&parent)) || parent == nullptr)
            return E_FAIL;
        RECT pos = {0, 0, 0, 0}, clip = {0, 0, 0, 0};
        OLEINPLACEFRAMEINFO info;
        info.cb = sizeof(info);
        if (m_frame != nullptr) {
            m_frame->Release();
            m_frame = nullptr;
        }
        if (m_doc != nullptr) {
            m_doc->Release();
            m_doc = nullptr;
        }
        m_inPlaceSite->GetWindowContext(&m_frame, &m_doc, &pos, &clip, &info);
        if (posRect != nullptr)
            pos = *posRect;
        m_activating = true;
        m_uiActivateRequested = false;
        BOOL created = m_ctrl->CreateControl(parent, pos);
        m_activating = false;
        if (!created)
            return E_FAIL;
        if (m_uiActivateRequested)
            uiActivate = true;
    }
    m_ctrl->ShowWindow(SW_SHOW);
    if (uiActivate && !m_uiActive) {
        m_uiActive = true;
        m_inPlaceSite->OnUIActivate();
        m_ctrl->SetFocus();
        if (m_frame != nullptr)
            m_frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"KivoSheet");
        if (m_doc != nullptr)
            m_doc->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), L"KivoSheet");
        if (m_frame != nullptr)
            m_frame->SetBorderSpace(nullptr);
        if (m_doc != nullptr)
            m_doc->SetBorderSpace(nullptr);
    }
    return S_OK;
}

void CKivoSheetControl::ActivateInPlace()
{
    if (m_released)
        return;
    // During window creation the activation in progress takes the request.
    if (m_activating) {
        m_uiActivateRequested = true;
        return;
    }
    if (m_clientSite != nullptr)
        InPlaceActivate(true, nullptr);
}

HRESULT CKivoSheetControl::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = m_ctrl->GetSafeHwnd();
    return *phwnd != nullptr ? S_OK : E_FAIL;
}

HRESULT CKivoSheetControl::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::InPlaceDeactivate()
{
    if (!m_inPlaceActive)
        return S_OK;
    UIDeactivate();
    m_inPlaceActive = false;
    if (m_ctrl->GetSafeHwnd() != nullptr)
        m_ctrl->DestroyWindow();
    if (m_inPlaceSite != nullptr) {
        m_inPlaceSite->OnInPlaceDeactivate();
        m_inPlaceSite->Release();
        m_inPlaceSite = nullptr;
    }
    return S_OK;
}

HRESULT CKivoSheetControl::UIDeactivate()
{
    if (!m_uiActive)
        return S_OK;
    m_uiActive = false;
    if (m_frame != nullptr)
        m_frame->SetActiveObject(nullptr, nullptr);
    if (m_doc != nullptr)
        m_doc->SetActiveObject(nullptr, nullptr);
    if (m_inPlaceSite != nullptr)
        m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT CKivoSheetControl::SetObjectRects(LPCRECT lprcPosRect, LPCRECT)
{
    if (lprcPosRect == nullptr)
        return E_POINTER;
    if (m_ctrl->GetSafeHwnd() != nullptr)
        m_ctrl->MoveWindow(lprcPosRect, TRUE);
    return S_OK;
}

HRESULT CKivoSheetControl::ReactivateAndUndo()
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::TranslateAccelerator(LPMSG lpmsg)
{
    CCallGuard busy(*this);
    return m_ctrl->PreTranslateKey(lpmsg) ? S_OK : S_FALSE;
}

HRESULT CKivoSheetControl::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT CKivoSheetControl::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT CKivoSheetControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

HRESULT CKivoSheetControl::EnableModeless(BOOL)
{
    return S_OK;
}

// --------------------------------------------------------------- IOleControl --

HRESULT CKivoSheetControl::GetControlInfo(CONTROLINFO* pCI)
{
    if (pCI == nullptr)
        return E_POINTER;
    pCI->cb = sizeof(CONTROLINFO);
    pCI->hAccel = nullptr;
    pCI->cAccel = 0;
    pCI->dwFlags = 0;
    return S_OK;
}

HRESULT CKivoSheetControl::OnMnemonic(MSG*)
{
    return S_OK;
}

HRESULT CKivoSheetControl::OnAmbientPropertyChange(DISPID dispID)
{
    if (dispID == kAmbientUserMode || dispID == DISPID_UNKNOWN)
        ReadAmbientUserMode();
    return S_OK;
}

HRESULT CKivoSheetControl::FreezeEvents(BOOL bFreeze)
{
    if (bFreeze)
        ++m_freezeCount;
    else if (m_freezeCount > 0)
        --m_freezeCount;
    return S_OK;
}

// -------------------------------------------------------------- IViewObject2 --

HRESULT CKivoSheetControl::Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw,
                                LPCRECTL lprcBounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (hdcDraw == nullptr)
        return E_INVALIDARG;
    RECT bounds = {0, 0, 0, 0};
    if (lprcBounds != nullptr) {
        bounds.left = lprcBounds->left;
        bounds.top = lprcBounds->top;
        bounds.right = lprcBounds->right;
        bounds.bottom = lprcBounds->bottom;
    } else if (m_ctrl->GetSafeHwnd() != nullptr) {
        m_ctrl->GetClientRect(&bounds);
    }
    CDC dc;
    dc.Attach(hdcDraw);
    m_ctrl->OnDraw(dc, bounds);
    dc.Detach();
    return S_OK;
}

HRESULT CKivoSheetControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** ppColorSet)
{
    if (ppColorSet != nullptr)
        *ppColorSet = nullptr;
    return S_FALSE;
}

HRESULT CKivoSheetControl::Freeze(DWORD, LONG, void*, DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetControl::SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink)
{
    if (pAdvSink != nullptr)
        pAdvSink->AddRef();
    if (m_viewAdvise != nullptr)
        m_viewAdvise->Release();
    m_viewAdvise = pAdvSink;
    m_viewAdviseAspects = aspects;
    m_viewAdviseFlags = advf;
    return S_OK;
}

HRESULT CKivoSheetControl::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink)
{
    if (pAspects != nullptr)
        *pAspects = m_viewAdviseAspects;
    if (pAdvf != nullptr)
        *pAdvf = m_viewAdviseFlags;
    if (ppAdvSink != nullptr) {
        *ppAdvSink = m_viewAdvise;
        if (m_viewAdvise != nullptr)
            m_viewAdvise->AddRef();
    }
    return S_OK;
}

HRESULT CKivoSheetControl::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel)
{
    return GetExtent(dwDrawAspect, lpsizel);
}

// --------------------------------------------------------------- persistence --
// The control keeps no properties of its own beyond its version number; a
// sheet's content moves only through the file, string and stream members.

HRESULT CKivoSheetControl::GetClassID(CLSID* pClassID)
{
    if (pClassID == nullptr)
        return E_POINTER;
    *pClassID = CLSID_KivoSheet;
    return S_OK;
}

HRESULT CKivoSheetControl::IsDirty()
{
    return m_dirty ? S_OK : S_FALSE;
}

HRESULT CKivoSheetControl::Load(LPSTREAM pStm)
{
    if (pStm == nullptr)
        return E_POINTER;
    // Exactly the version number's bytes are read: what follows in the
    // stream belongs to the container.
    BYTE bytes[CControlPersist::kStreamSize] = {};
    ULONG got = 0;
    while (got < sizeof bytes) {
        ULONG n = 0;
        HRESULT hr = pStm->Read(bytes + got, sizeof bytes - got, &n);
        if (FAILED(hr))
            return hr;
        if (n == 0)
            break;
        got += n < sizeof bytes - got ? n : sizeof bytes - got;
    }
    const HRESULT hr = PersistResult(m_persist.LoadStream(bytes, got));
    if (SUCCEEDED(hr))
        m_dirty = false;
    return hr;
}

HRESULT CKivoSheetControl::Save(LPSTREAM pStm, BOOL fClearDirty)
{
    if (pStm == nullptr)
        return E_POINTER;
    BYTE bytes[CControlPersist::kStreamSize];
    CControlPersist::SaveStream(bytes);
    ULONG written = 0;
    HRESULT hr = pStm->Write(bytes, sizeof bytes, &written);
    if (FAILED(hr))
        return hr;
    if (written != sizeof bytes)
        return STG_E_MEDIUMFULL;
    if (fClearDirty)
        m_dirty = false;
    return S_OK;
}

HRESULT CKivoSheetControl::GetSizeMax(ULARGE_INTEGER* pCbSize)
{
    if (pCbSize == nullptr)
        return E_POINTER;
    pCbSize->QuadPart = CControlPersist::kStreamSize;
    return S_OK;
}

HRESULT CKivoSheetControl::InitNew()
{
    m_persist.Reset();
    m_dirty = false;
    return S_OK;
}

HRESULT CKivoSheetControl::Load(IPropertyBag* pPropBag, IErrorLog* pErrorLog)
{
    if (pPropBag == nullptr)
        return E_POINTER;
    // The bag answers its value in the kind it holds (VT_EMPTY asks for that).
    CPersistBagValue value;
    VARIANT v;
    ::VariantInit(&v);
    if (SUCCEEDED(pPropBag->Read(kVersionName, &v, pErrorLog)))
        value = BagValue(v);
    ::VariantClear(&v);
    const HRESULT hr = PersistResult(m_persist.LoadBag(value));
    if (FAILED(hr)) {
        // The container hears which value it could not give us.
        if (pErrorLog != nullptr) {
            EXCEPINFO error = {};
            error.bstrSource = ::SysAllocString(L"KivoSheet");
            error.bstrDescription = ::SysAllocString(hr == DISP_E_TYPEMISMATCH ? L"_Version is not a number"
                                                                                : L"_Version is not 65536");
            error.scode = hr;
            pErrorLog->AddError(kVersionName, &error);
            ::SysFreeString(error.bstrSource);
            ::SysFreeString(error.bstrDescription);
        }
        return hr;
    }
    m_dirty = false;
    return S_OK;
}

HRESULT CKivoSheetControl::Save(IPropertyBag* pPropBag, BOOL fClearDirty, BOOL)
{
    if (pPropBag == nullptr)
        return E_POINTER;
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = CControlPersist::BagNumber();
    HRESULT hr = pPropBag->Write(kVersionName, &v);
    if (FAILED(hr))
        return hr;
    if (fClearDirty)
        m_dirty = false;
    return S_OK;
}

// --------------------------------------------------------- connection points --

HRESULT CKivoSheetControl::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    // The control has one connection point: _DKivoSheetEvents.
    std::vector<IConnectionPoint*> points(1, &m_events);
    return CreateConnectionPointEnum(points, ppEnum);
}

HRESULT CKivoSheetControl::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (ppCP == nullptr)
        return E_POINTER;
    *ppCP = nullptr;
    if (!IsEqualIID(riid, DIID__DKivoSheetEvents))
        return CONNECT_E_NOCONNECTION;
    *ppCP = &m_events;
    m_events.AddRef();
    return S_OK;
}

void CKivoSheetControl::FireEvent(const CMemberInfo& event, CDispArg* args)
{
    // A container that froze events does not receive them, and a host that
    // let go of the control hears nothing more of it.
    if (m_freezeCount > 0 || m_released)
        return;
    CCallGuard busy(*this);   // a handler may let go of the control
    std::vector<IDispatch*> sinks = m_events.Sinks();
    if (sinks.empty())
        return;
    const int n = event.argc;
    // By-reference storage the sinks write into.
    std::vector<LONG> longs(static_cast<size_t>(n));
    std::vector<SHORT> shorts(static_cast<size_t>(n));
    std::vector<BSTR> strings(static_cast<size_t>(n), nullptr);
    std::vector<VARIANT> vars(static_cast<size_t>(n > 0 ? n : 1));
    for (int i = 0; i < n; ++i) {
        VARIANT& v = vars[static_cast<size_t>(n - 1 - i)];   // last argument first
        ::VariantInit(&v);
        const CDispArg& a = args[i];
        switch (event.args[i]) {
        case DispType::Long: v.vt = VT_I4; v.lVal = a.l; break;
        case DispType::Short: v.vt = VT_I2; v.iVal = a.s; break;
        case DispType::String:
            strings[static_cast<size_t>(i)] = ComNewString(a.str);
            v.vt = VT_BSTR;
            v.bstrVal = strings[static_cast<size_t>(i)];
            break;
        case DispType::RefLong:
            longs[static_cast<size_t>(i)] = a.l;
            v.vt = VT_BYREF | VT_I4;
            v.plVal = &longs[static_cast<size_t>(i)];
            break;
        case DispType::RefShort:
            shorts[static_cast<size_t>(i)] = a.s;
            v.vt = VT_BYREF | VT_I2;
            v.piVal = &shorts[static_cast<size_t>(i)];
            break;
        case DispType::RefString:
            strings[static_cast<size_t>(i)] = ComNewString(a.str);
            v.vt = VT_BYREF | VT_BSTR;
            v.pbstrVal = &strings[static_cast<size_t>(i)];
            break;
        default:
            break;
        }
    }
    DISPPARAMS params = {n > 0 ? vars.data() : nullptr, nullptr, static_cast<UINT>(n), 0};
    for (IDispatch* sink : sinks) {
        VARIANT result;
        ::VariantInit(&result);
        sink->Invoke(event.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                     nullptr);
        ::VariantClear(&result);
        sink->Release();
    }
    for (int i = 0; i < n; ++i) {
        CDispArg& a = args[i];
        switch (event.args[i]) {
        case DispType::RefLong: a.l = longs[static_cast<size_t>(i)]; break;
        case DispType::RefShort: a.s = shorts[static_cast<size_t>(i)]; break;
        case DispType::RefString: a.str = ComString(strings[static_cast<size_t>(i)]); break;
        default: break;
        }
        if (strings[static_cast<size_t>(i)] != nullptr)
            ::SysFreeString(strings[static_cast<size_t>(i)]);
    }
}

// ------------------------------------------------------------ class info etc --

HRESULT CKivoSheetControl::GetClassInfo(ITypeInfo** ppTI)
{
    return KivoTypeInfo(CLSID_KivoSheet, ppTI);
}

HRESULT CKivoSheetControl::GetGUID(DWORD dwGuidKind, GUID* pGUID)
{
    if (pGUID == nullptr)
        return E_POINTER;
    if (dwGuidKind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *pGUID = GUID_NULL;
        return E_INVALIDARG;
    }
    *pGUID = DIID__DKivoSheetEvents;
    return S_OK;
}

HRESULT CKivoSheetControl::GetPages(CAUUID* pPages)
{
    if (pPages == nullptr)
        return E_POINTER;
    pPages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID)));
    if (pPages->pElems == nullptr) {
        pPages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pPages->cElems = 1;
    pPages->pElems[0] = CLSID_KivoSheetPropPage;
    return S_OK;
}

// ------------------------------------------------------------- host services --

bool CKivoSheetControl::IsUserMode()
{
    return m_userMode;
}

void CKivoSheetControl::SetModified()
{
    m_dirty = true;
}

void CKivoSheetControl::ShowAboutBox()
{
    HWND owner = m_ctrl->GetSafeHwnd();
    ::DialogBoxParamA(KivoModuleInstance(), MAKEINTRESOURCEA(kAboutDialog), owner, AboutProc, 0);
}

// ----------------------------------------------------------- connection point --

CEventConnectionPoint::~CEventConnectionPoint()
{
    ReleaseAll();
}

HRESULT CEventConnectionPoint::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG CEventConnectionPoint::AddRef()
{
    return m_owner.AddRef();
}

ULONG CEventConnectionPoint::Release()
{
    return m_owner.Release();
}

HRESULT CEventConnectionPoint::GetConnectionInterface(IID* pIID)
{
    if (pIID == nullptr)
        return E_POINTER;
    *pIID = DIID__DKivoSheetEvents;
    return S_OK;
}

HRESULT CEventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (ppCPC == nullptr)
        return E_POINTER;
    *ppCPC = static_cast<IConnectionPointContainer*>(&m_owner);
    m_owner.AddRef();
    return S_OK;
}

HRESULT CEventConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (pdwCookie == nullptr)
        return E_POINTER;
    *pdwCookie = 0;
    if (pUnkSink == nullptr)
        return E_POINTER;
    IDispatch* sink = nullptr;
    if (FAILED(pUnkSink->QueryInterface(DIID__DKivoSheetEvents, reinterpret_cast<void**>(&sink))) || !sink) {
        sink = nullptr;
        if (FAILED(pUnkSink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink))) || !sink)
            return CONNECT_E_CANNOTCONNECT;
    }
    Connection c = {m_nextCookie++, sink};
    m_connections.push_back(c);
    *pdwCookie = c.cookie;
    return S_OK;
}

HRESULT CEventConnectionPoint::Unadvise(DWORD dwCookie)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it->cookie == dwCookie) {
            IDispatch* sink = it->sink;
            m_connections.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT CEventConnectionPoint::EnumConnections(IEnumConnections** ppEnum)
{
    std::vector<CONNECTDATA> connections;
    for (const Connection& c : m_connections) {
        CONNECTDATA data;
        data.pUnk = c.sink;
        data.dwCookie = c.cookie;
        connections.push_back(data);
    }
    return CreateConnectionEnum(connections, ppEnum);
}

std::vector<IDispatch*> CEventConnectionPoint::Sinks()
{
    std::vector<IDispatch*> sinks;
    for (const Connection& c : m_connections) {
        c.sink->AddRef();
        sinks.push_back(c.sink);
    }
    return sinks;
}

void CEventConnectionPoint::ReleaseAll()
{
    std::vector<Connection> old;
    old.swap(m_connections);
    for (const Connection& c : old)
        c.sink->Release();
}
