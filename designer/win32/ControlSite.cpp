#include "designer/win32/ControlSite.h"

#include "control/KivoGuids.gen.h"

#include <cstring>

namespace {

GUID GuidOf(const KivoGuid& g)
{
    GUID guid;
    std::memcpy(&guid, g.bytes, sizeof(guid));
    return guid;
}

const DISPID kAmbientUserMode = -709;
const DISPID kAmbientUIDead = -710;

}  // namespace

// ------------------------------------------------------------------ the site --

class CControlSite::Site : public IOleClientSite, public IOleInPlaceSite, public IOleControlSite, public IDispatch {
public:
    explicit Site(CControlSite* owner) : m_owner(owner) {}
    virtual ~Site() = default;
    void Detach() { m_owner = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(riid, IID_IOleControlSite))
            *ppv = static_cast<IOleControlSite*>(this);
        else if (IsEqualIID(riid, IID_IDispatch))
            *ppv = static_cast<IDispatch*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override
    {
        if (ppmk != nullptr)
            *ppmk = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override
    {
        if (ppContainer != nullptr)
            *ppContainer = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override
    {
        if (phwnd == nullptr)
            return E_POINTER;
        *phwnd = m_owner != nullptr ? m_owner->ParentWindow() : nullptr;
        return *phwnd != nullptr ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return m_owner != nullptr ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) override
    {
        if (ppFrame != nullptr)
            *ppFrame = nullptr;
        if (ppDoc != nullptr)
            *ppDoc = nullptr;
        if (m_owner != nullptr) {
            if (lprcPosRect != nullptr)
                *lprcPosRect = m_owner->Rect();
            if (lprcClipRect != nullptr)
                *lprcClipRect = m_owner->Rect();
        }
        if (lpFrameInfo != nullptr) {
            lpFrameInfo->fMDIApp = TRUE;
            lpFrameInfo->hwndFrame = m_owner != nullptr ? ::GetAncestor(m_owner->ParentWindow(), GA_ROOT) : nullptr;
            lpFrameInfo->haccel = nullptr;
            lpFrameInfo->cAccelEntries = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** ppDisp) override
    {
        if (ppDisp != nullptr)
            *ppDisp = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties. The designer runs its controls in
    // user mode.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        if (n != nullptr)
            *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override
    {
        if ((flags & DISPATCH_PROPERTYGET) == 0 || result == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        if (id == kAmbientUserMode || id == kAmbientUIDead) {
            ::VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = id == kAmbientUserMode ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    CControlSite* m_owner;
    ULONG m_refs = 1;
};

// ------------------------------------------------------------------ the sink --

class CControlSite::Sink : public IDispatch {
public:
    explicit Sink(CControlSite* owner) : m_owner(owner) {}
    virtual ~Sink() = default;
    void Detach() { m_owner = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, GuidOf(kGuid_DKivoSheetEvents))) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        if (n != nullptr)
            *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        if (m_owner == nullptr || p == nullptr)
            return S_OK;
        std::vector<long> args;
        for (UINT i = p->cArgs; i-- > 0;) {
            const VARIANT& v = p->rgvarg[i];
            switch (v.vt) {
            case VT_I4: args.push_back(v.lVal); break;
            case VT_I2: args.push_back(v.iVal); break;
            case VT_BYREF | VT_I4: args.push_back(v.plVal != nullptr ? *v.plVal : 0); break;
            case VT_BYREF | VT_I2: args.push_back(v.piVal != nullptr ? *v.piVal : 0); break;
            default: args.push_back(0); break;
            }
        }
        // The handler may destroy the view (and this site with it): hold on.
        AddRef();
        m_owner->FireEvent(static_cast<int>(id), args);
        Release();
        return S_OK;
    }

private:
    CControlSite* m_owner;
    ULONG m_refs = 1;
};

// ---------------------------------------------------------------- the owner --

CControlSite::CControlSite() = default;

CControlSite::~CControlSite()
{
    Destroy();
}

BOOL CControlSite::Create(const CLSID& clsid, HWND parent, const RECT& rect, UINT id)
{
    Destroy();
    m_parent = parent;
    m_rect = rect;
    m_id = id;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&m_control))) ||
        m_control == nullptr) {
        m_control = nullptr;
        return FALSE;
    }
    m_site = new Site(this);
    m_sink = new Sink(this);
    bool ok = SUCCEEDED(m_control->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&m_ole))) &&
              m_ole != nullptr &&
              SUCCEEDED(m_control->QueryInterface(GuidOf(kGuid_DKivoSheet), reinterpret_cast<void**>(&m_dispatch))) &&
              m_dispatch != nullptr;
    if (ok) {
        IPersistStreamInit* init = nullptr;
        if (SUCCEEDED(m_control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&init))) && init) {
            init->InitNew();
            init->Release();
        }
        m_ole->SetClientSite(static_cast<IOleClientSite*>(m_site));
        IConnectionPointContainer* cpc = nullptr;
        if (SUCCEEDED(m_control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc))) &&
            cpc != nullptr) {
            if (SUCCEEDED(cpc->FindConnectionPoint(GuidOf(kGuid_DKivoSheetEvents), &m_point)) && m_point != nullptr)
                m_point->Advise(static_cast<IDispatch*>(m_sink), &m_cookie);
            cpc->Release();
        }
        RECT pos = rect;
        ok = SUCCEEDED(m_ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site), 0,
                                     parent, &pos)) &&
             GetSafeHwnd() != nullptr;
    }
    if (!ok) {
        Destroy();
        return FALSE;
    }
    ::SetWindowLongPtrW(GetSafeHwnd(), GWLP_ID, static_cast<LONG_PTR>(id));
    ::ShowWindow(GetSafeHwnd(), SW_SHOW);
    m_alive = std::make_shared<int>(0);
    return TRUE;
}

void CControlSite::Destroy()
{
    m_alive.reset();
    if (m_sink != nullptr)
        m_sink->Detach();
    if (m_point != nullptr) {
        if (m_cookie != 0)
            m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
        m_cookie = 0;
    }
    if (m_ole != nullptr) {
        IOleInPlaceObject* inplace = nullptr;
        if (SUCCEEDED(m_ole->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inplace))) && inplace) {
            inplace->InPlaceDeactivate();
            inplace->Release();
        }
        m_ole->Close(OLECLOSE_NOSAVE);
        m_ole->SetClientSite(nullptr);
        m_ole->Release();
        m_ole = nullptr;
    }
    if (m_dispatch != nullptr) {
        m_dispatch->Release();
        m_dispatch = nullptr;
    }
    if (m_control != nullptr) {
        m_control->Release();
        m_control = nullptr;
    }
    if (m_site != nullptr) {
        m_site->Detach();
        m_site->Release();
        m_site = nullptr;
    }
    if (m_sink != nullptr) {
        m_sink->Release();
        m_sink = nullptr;
    }
}

HWND CControlSite::GetSafeHwnd() const
{
    if (m_ole == nullptr)
        return nullptr;
    IOleInPlaceObject* inplace = nullptr;
    HWND hwnd = nullptr;
    if (SUCCEEDED(m_ole->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inplace))) && inplace) {
        if (FAILED(inplace->GetWindow(&hwnd)))
            hwnd = nullptr;
        inplace->Release();
    }
    return hwnd;
}

void CControlSite::MoveWindow(const RECT& rect)
{
    m_rect = rect;
    if (m_ole == nullptr)
        return;
    IOleInPlaceObject* inplace = nullptr;
    if (SUCCEEDED(m_ole->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inplace))) && inplace) {
        inplace->SetObjectRects(&rect, &rect);
        inplace->Release();
    }
}

BOOL CControlSite::PreTranslateMessage(MSG* msg)
{
    if (m_ole == nullptr || msg == nullptr)
        return FALSE;
    IOleInPlaceActiveObject* active = nullptr;
    BOOL used = FALSE;
    if (SUCCEEDED(m_ole->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active))) && active) {
        used = active->TranslateAccelerator(msg) == S_OK;
        active->Release();
    }
    return used;
}

void CControlSite::Focus()
{
    if (m_ole == nullptr)
        return;
    RECT pos = m_rect;
    m_ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site), 0, m_parent, &pos);
}

void CControlSite::FireEvent(int dispid, const std::vector<long>& args)
{
    if (m_onEvent)
        m_onEvent(dispid, args);
}
