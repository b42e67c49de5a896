// The ActiveX control object: the COM face of one CKivoSheetCtrl. It offers
// what a container needs to place, activate, draw, persist and talk to the
// control: the OLE object, in-place, view, persistence, control, class-info,
// property-page and connection-point interfaces, and IDispatch for the
// _DKivoSheet members through the generated dispatch table.
//
// The control does not offer IObjectSafety: it writes files and talks HTTP,
// so it does not claim to be safe for untrusted scripts or data.
#pragma once

#include "control/ControlPersist.h"
#include "control/KivoSheetCtrl.h"
#include "control/win32/ComModule.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <vector>

class CKivoSheetControl;

// Identifier of the property page class (not in the type library).
extern const CLSID CLSID_KivoSheetPropPage;

// The connection point of _DKivoSheetEvents.
class CEventConnectionPoint : public IConnectionPoint {
public:
    explicit CEventConnectionPoint(CKivoSheetControl& owner) : m_owner(owner) {}
    ~CEventConnectionPoint();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* pIID) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD dwCookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** ppEnum) override;

    // The connected sinks, each with one reference held for the call.
    std::vector<IDispatch*> Sinks();
    void ReleaseAll();

private:
    struct Connection {
        DWORD cookie;
        IDispatch* sink;
    };
    CKivoSheetControl& m_owner;
    std::vector<Connection> m_connections;
    DWORD m_nextCookie = 1;
};

class CKivoSheetControl final : public IDispatch,
                                public IOleObject,
                                public IOleInPlaceObject,
                                public IOleInPlaceActiveObject,
                                public IOleControl,
                                public IViewObject2,
                                public IPersistStreamInit,
                                public IPersistPropertyBag,
                                public IConnectionPointContainer,
                                public IProvideClassInfo2,
                                public ISpecifyPropertyPages,
                                private CKivoSheetHost,
                                private CKivoSheetEventSink {
public:
    CKivoSheetControl();
    ~CKivoSheetControl();

    static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch (_DKivoSheet)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* pClientSite) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** ppClientSite) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR szContainerApp, LPCOLESTR szContainerObj) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD dwSaveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD dwWhichMoniker, IMoniker* pmk) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* pDataObject, BOOL fCreation, DWORD dwReserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD dwReserved, IDataObject** ppDataObject) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG lindex,
                                     HWND hwndParent, LPCRECT lprcPosRect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* pClsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD dwConnection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** ppenumAdvise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* pLogpal) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL fEnterMode) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpmsg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL fActivate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                           BOOL fFrameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL fEnable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* pCI) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* pMsg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispID) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL bFreeze) override;

    // IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd,
                                   HDC hdcTargetDev, HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL lprcWBounds,
                                   BOOL(STDMETHODCALLTYPE* pfnContinue)(ULONG_PTR dwContinue),
                                   ULONG_PTR dwContinue) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd,
                                          HDC hicTargetDev, LOGPALETTE** ppColorSet) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DWORD* pdwFreeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD dwFreeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD dwDrawAspect, LONG lindex, DVTARGETDEVICE* ptd,
                                        LPSIZEL lpsizel) override;

    // IPersist, IPersistStreamInit, IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM pStm) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM pStm, BOOL fClearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* pCbSize) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* pPropBag, IErrorLog* pErrorLog) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* pPropBag, BOOL fClearDirty, BOOL fSaveAllProperties) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** ppTI) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD dwGuidKind, GUID* pGUID) override;

    // ISpecifyPropertyPages
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pPages) override;

    CKivoSheetCtrl& Control() { return *m_ctrl; }

    // Frees the controls whose last reference went while a window procedure
    // of theirs was running, when none runs now (DllCanUnloadNow asks first).
    static void FreeReleasedControls();

private:
    // Holds the control for one call from outside that may reach a host's
    // event handler: the control stays alive (and is not freed) until the
    // outermost such call and window procedure has returned.
    class CCallGuard {
    public:
        explicit CCallGuard(CKivoSheetControl& control);
        ~CCallGuard();
        CCallGuard(const CCallGuard&) = delete;
        CCallGuard& operator=(const CCallGuard&) = delete;

    private:
        CKivoSheetControl& m_control;
    };

    // The last reference is gone: free now, or once the window procedures
    // and calls on the stack have returned.
    void FreeWhenIdle();

    // CKivoSheetHost
    bool IsUserMode() override;
    void SetModified() override;
    void ActivateInPlace() override;
    bool IsUIActive() override { return m_uiActive; }
    void ShowAboutBox() override;
    // CKivoSheetEventSink
    void FireEvent(const CMemberInfo& event, CDispArg* args) override;

    HRESULT InPlaceActivate(bool uiActivate, LPCRECT posRect);
    // The Properties verb: the control's property page in a modal frame over
    // owner (the control's window when NULL), unless the container shows it.
    HRESULT ShowPropertyPages(HWND owner);
    void ReadAmbientUserMode();

    volatile LONG m_refs = 0;
    // The last reference went while the control was busy; it is freed when
    // its window procedures have returned and reports nothing more.
    bool m_released = false;
    std::unique_ptr<CKivoSheetCtrl> m_ctrl;
    CEventConnectionPoint m_events;
    IOleClientSite* m_clientSite = nullptr;
    IOleInPlaceSite* m_inPlaceSite = nullptr;
    IOleInPlaceFrame* m_frame = nullptr;
    IOleInPlaceUIWindow* m_doc = nullptr;
    IOleAdviseHolder* m_oleAdvise = nullptr;
    IAdviseSink* m_viewAdvise = nullptr;
    DWORD m_viewAdviseFlags = 0;
    DWORD m_viewAdviseAspects = 0;
    SIZEL m_extent;
    bool m_userMode = true;
    bool m_inPlaceActive = false;
    bool m_uiActive = false;
    bool m_activating = false;
    bool m_uiActivateRequested = false;
    bool m_dirty = false;
    CControlPersist m_persist;      // the version number the last Load found
    bool m_gdiplus = false;
    int m_freezeCount = 0;
};
