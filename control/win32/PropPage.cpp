#include "control/win32/PropPage.h"

#include "control/win32/ComModule.h"

#include <new>

namespace {

const int kPageDialog = 200;
const int kPageCaption = 200;

INT_PTR CALLBACK PageProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

LPOLESTR CopyText(const wchar_t* text)
{
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (copy != nullptr)
        memcpy(copy, text, bytes);
    return copy;
}

}  // namespace

CKivoSheetPropPage::CKivoSheetPropPage()
{
    KivoModuleObjectCreated();
}

CKivoSheetPropPage::~CKivoSheetPropPage()
{
    Deactivate();
    if (m_site != nullptr)
        m_site->Release();
    KivoModuleObjectDestroyed();
}

HRESULT CKivoSheetPropPage::Create(REFIID riid, void** ppv)
{
    auto* page = new (std::nothrow) CKivoSheetPropPage();
    if (page == nullptr)
        return E_OUTOFMEMORY;
    page->AddRef();
    HRESULT hr = page->QueryInterface(riid, ppv);
    page->Release();
    return hr;
}

HRESULT CKivoSheetPropPage::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyPage)) {
        *ppv = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG CKivoSheetPropPage::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG CKivoSheetPropPage::Release()
{
    LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT CKivoSheetPropPage::SetPageSite(IPropertyPageSite* pPageSite)
{
    if (pPageSite != nullptr)
        pPageSite->AddRef();
    if (m_site != nullptr)
        m_site->Release();
    m_site = pPageSite;
    return S_OK;
}

HRESULT CKivoSheetPropPage::Activate(HWND hWndParent, LPCRECT pRect, BOOL)
{
    if (m_dialog == nullptr)
        m_dialog = ::CreateDialogParamA(KivoModuleInstance(), MAKEINTRESOURCEA(kPageDialog), hWndParent, PageProc, 0);
    if (m_dialog == nullptr)
        return E_FAIL;
    if (pRect != nullptr)
        Move(pRect);
    return S_OK;
}

HRESULT CKivoSheetPropPage::Deactivate()
{
    if (m_dialog != nullptr) {
        ::DestroyWindow(m_dialog);
        m_dialog = nullptr;
    }
    return S_OK;
}

HRESULT CKivoSheetPropPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (info == nullptr)
        return E_POINTER;
    wchar_t caption[64] = {};
    if (::LoadStringW(KivoModuleInstance(), kPageCaption, caption, 64) <= 0)
        wcscpy(caption, L"KivoSheet");
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = CopyText(caption);
    // 250 x 62 dialog units.
    const LONG base = ::GetDialogBaseUnits();
    info->size.cx = ::MulDiv(250, LOWORD(base), 4);
    info->size.cy = ::MulDiv(62, HIWORD(base), 8);
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

HRESULT CKivoSheetPropPage::SetObjects(ULONG, IUnknown**)
{
    return S_OK;
}

HRESULT CKivoSheetPropPage::Show(UINT nCmdShow)
{
    if (m_dialog != nullptr)
        ::ShowWindow(m_dialog, static_cast<int>(nCmdShow));
    return S_OK;
}

HRESULT CKivoSheetPropPage::Move(LPCRECT pRect)
{
    if (pRect == nullptr)
        return E_POINTER;
    if (m_dialog != nullptr)
        ::MoveWindow(m_dialog, pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top, TRUE);
    return S_OK;
}

HRESULT CKivoSheetPropPage::IsPageDirty()
{
    return S_FALSE;
}

HRESULT CKivoSheetPropPage::Apply()
{
    return S_OK;
}

HRESULT CKivoSheetPropPage::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

HRESULT CKivoSheetPropPage::TranslateAccelerator(MSG* pMsg)
{
    if (m_dialog != nullptr && pMsg != nullptr && ::IsDialogMessageW(m_dialog, pMsg))
        return S_OK;
    return S_FALSE;
}
