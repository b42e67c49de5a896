// The control's property page: one page on dialog 200 with the caption
// "KivoSheet" and one static text; it changes nothing.
#pragma once

#include <ocidl.h>

class CKivoSheetPropPage final : public IPropertyPage {
public:
    static HRESULT Create(REFIID riid, void** ppv);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* pPageSite) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND hWndParent, LPCRECT pRect, BOOL bModal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* pPageInfo) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG cObjects, IUnknown** ppUnk) override;
    HRESULT STDMETHODCALLTYPE Show(UINT nCmdShow) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT pRect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR pszHelpDir) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* pMsg) override;

private:
    CKivoSheetPropPage();
    ~CKivoSheetPropPage();

    volatile LONG m_refs = 0;
    IPropertyPageSite* m_site = nullptr;
    HWND m_dialog = nullptr;
};
