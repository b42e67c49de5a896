// The rich-text host on Windows: the system's rich-edit text services
// (riched20.dll, CreateTextServices) over a windowless text host of our own.
//
// The host has no window, caret or scroll bars; everything is drawn into the
// caller's DC (the host's own memory DC only serves layout). The text-services interfaces are declared here
// from their documented layout. Their members (not IUnknown's) use the C++
// member calling convention, so they are declared without a calling
// convention keyword: on i686 that is thiscall, as riched20 calls them.
#include "cells/RichTextHost.h"

#include "base/Cp936.h"
#include "cells/win32/RichEditFormats.h"
#include "platform/DC.h"

#include <windows.h>
#include <ole2.h>
#include <richedit.h>

#include <cstring>
#include <string>

// --- the text-services interfaces ---------------------------------------------------------
//
// These two are implemented outside this program (the text services by
// riched20, the host by CRichTextHost below), so they must have external
// linkage: in an unnamed namespace the compiler sees every class that could
// derive from them, finds no implementation of ITextServicesDecl, and turns
// each call through it into unreachable code (a jump to a wild address).
namespace kivotextservices {

class ITextServicesDecl : public IUnknown {
public:
    virtual HRESULT TxSendMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* plresult) = 0;
    virtual HRESULT TxDraw(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hdcDraw,
                           HDC hicTargetDev, LPCRECTL lprcBounds, LPCRECTL lprcWBounds, LPRECT lprcUpdate,
                           BOOL(CALLBACK* pfnContinue)(DWORD), DWORD dwContinue, LONG lViewId) = 0;
    virtual HRESULT TxGetHScroll(LONG* plMin, LONG* plMax, LONG* plPos, LONG* plPage, BOOL* pfEnabled) = 0;
    virtual HRESULT TxGetVScroll(LONG* plMin, LONG* plMax, LONG* plPos, LONG* plPage, BOOL* pfEnabled) = 0;
    virtual HRESULT OnTxSetCursor(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hdcDraw,
                                  HDC hicTargetDev, LPCRECT lprcClient, INT x, INT y) = 0;
    virtual HRESULT TxQueryHitPoint(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd,
                                    HDC hdcDraw, HDC hicTargetDev, LPCRECT lprcClient, INT x, INT y,
                                    DWORD* pHitResult) = 0;
    virtual HRESULT OnTxInPlaceActivate(LPCRECT prcClient) = 0;
    virtual HRESULT OnTxInPlaceDeactivate() = 0;
    virtual HRESULT OnTxUIActivate() = 0;
    virtual HRESULT OnTxUIDeactivate() = 0;
    virtual HRESULT TxGetText(BSTR* pszText) = 0;
    virtual HRESULT TxSetText(LPCWSTR pszText) = 0;
    virtual HRESULT TxGetCurTargetX(LONG* px) = 0;
    virtual HRESULT TxGetBaseLinePos(LONG* pBaseLinePos) = 0;
    virtual HRESULT TxGetNaturalSize(DWORD dwAspect, HDC hdcDraw, HDC hicTargetDev, DVTARGETDEVICE* ptd,
                                     DWORD dwMode, const SIZEL* psizelExtent, LONG* pwidth, LONG* pheight) = 0;
    virtual HRESULT TxGetDropTarget(IDropTarget** ppDropTarget) = 0;
    virtual HRESULT OnTxPropertyBitsChange(DWORD dwMask, DWORD dwBits) = 0;
    virtual HRESULT TxGetCachedSize(DWORD* pdwWidth, DWORD* pdwHeight) = 0;
};

class ITextHostDecl : public IUnknown {
public:
    virtual HDC TxGetDC() = 0;
    virtual INT TxReleaseDC(HDC hdc) = 0;
    virtual BOOL TxShowScrollBar(INT fnBar, BOOL fShow) = 0;
    virtual BOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) = 0;
    virtual BOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, BOOL fRedraw) = 0;
    virtual BOOL TxSetScrollPos(INT fnBar, INT nPos, BOOL fRedraw) = 0;
    virtual void TxInvalidateRect(LPCRECT prc, BOOL fMode) = 0;
    virtual void TxViewChange(BOOL fUpdate) = 0;
    virtual BOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) = 0;
    virtual BOOL TxShowCaret(BOOL fShow) = 0;
    virtual BOOL TxSetCaretPos(INT x, INT y) = 0;
    virtual BOOL TxSetTimer(UINT idTimer, UINT uTimeout) = 0;
    virtual void TxKillTimer(UINT idTimer) = 0;
    virtual void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                                  LPRECT lprcUpdate, UINT fuScroll) = 0;
    virtual void TxSetCapture(BOOL fCapture) = 0;
    virtual void TxSetFocus() = 0;
    virtual void TxSetCursor(HCURSOR hcur, BOOL fText) = 0;
    virtual BOOL TxScreenToClient(LPPOINT lppt) = 0;
    virtual BOOL TxClientToScreen(LPPOINT lppt) = 0;
    virtual HRESULT TxActivate(LONG* plOldState) = 0;
    virtual HRESULT TxDeactivate(LONG lNewState) = 0;
    virtual HRESULT TxGetClientRect(LPRECT prc) = 0;
    virtual HRESULT TxGetViewInset(LPRECT prc) = 0;
    virtual HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) = 0;
    virtual HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) = 0;
    virtual COLORREF TxGetSysColor(int nIndex) = 0;
    virtual HRESULT TxGetBackStyle(int* pstyle) = 0;
    virtual HRESULT TxGetMaxLength(DWORD* plength) = 0;
    virtual HRESULT TxGetScrollBars(DWORD* pdwScrollBar) = 0;
    virtual HRESULT TxGetPasswordChar(WCHAR* pch) = 0;
    virtual HRESULT TxGetAcceleratorPos(LONG* pcp) = 0;
    virtual HRESULT TxGetExtent(LPSIZEL lpExtent) = 0;
    virtual HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) = 0;
    virtual HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) = 0;
    virtual HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) = 0;
    virtual HRESULT TxNotify(DWORD iNotify, void* pv) = 0;
    virtual HIMC TxImmGetContext() = 0;
    virtual void TxImmReleaseContext(HIMC himc) = 0;
    virtual HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) = 0;
    // The later members of the host interface: some text services call them
    // whatever the host answers to QueryInterface, so they are there.
    virtual BOOL TxIsDoubleClickPending() = 0;
    virtual HRESULT TxGetWindow(HWND* phwnd) = 0;
    virtual HRESULT TxSetForegroundWindow() = 0;
    virtual HPALETTE TxGetPalette() = 0;
    virtual HRESULT TxGetEastAsianFlags(LONG* pFlags) = 0;
    virtual HCURSOR TxSetCursor2(HCURSOR hcur, BOOL bText) = 0;
    virtual void TxFreeTextServicesNotification() = 0;
    virtual HRESULT TxGetEditStyle(DWORD dwItem, DWORD* pdwData) = 0;
    virtual HRESULT TxGetWindowStyles(DWORD* pdwStyle, DWORD* pdwExStyle) = 0;
    virtual HRESULT TxShowDropCaret(BOOL fShow, HDC hdc, LPCRECT prc) = 0;
    virtual HRESULT TxDestroyCaret() = 0;
    virtual HRESULT TxGetHorzExtent(LONG* plHorzExtent) = 0;
};

}  // namespace kivotextservices

namespace {

using kivotextservices::ITextHostDecl;
using kivotextservices::ITextServicesDecl;

enum TextBackStyle { kBackTransparent = 0, kBackOpaque = 1 };

const IID kIIDTextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

const DWORD kPropertyBits = 0x00000001 | 0x00000002 | 0x00000400 | 0x00200000;   // rich, multiline, wrap, current background
const LONG kViewInactive = -1;
const DWORD kClientRectChange = 0x00000800;   // TXTBIT_CLIENTRECTCHANGE
const DWORD kNaturalFitToContent = 1;

typedef HRESULT(WINAPI* CreateTextServicesFn)(IUnknown*, IUnknown*, IUnknown**);

CreateTextServicesFn TextServicesEntry()
{
    static HMODULE module = LoadLibraryW(L"riched20.dll");
    static CreateTextServicesFn entry =
        module != nullptr ? reinterpret_cast<CreateTextServicesFn>(
                                reinterpret_cast<void*>(GetProcAddress(module, "CreateTextServices")))
                          : nullptr;
    return entry;
}

// --- the host ----------------------------------------------------------------------------

class CRichTextHost : public ITextHostDecl, public CRichTextHostBase {
public:
    CRichTextHost()
    {
        HDC screen = GetDC(nullptr);
        m_nLogPixelsX = GetDeviceCaps(screen, LOGPIXELSX);
        m_nLogPixelsY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        PlainCharFormat(m_cf);
        std::memset(&m_pf, 0, sizeof m_pf);
        m_pf.cbSize = sizeof m_pf;
        m_pf.dwMask = 0x8001003F;
        m_pf.wAlignment = PFA_LEFT;
        m_pf.cTabCount = 1;
        m_pf.rgxTabs[0] = 720;
    }

    ~CRichTextHost() override
    {
        if (m_pServices != nullptr)
            m_pServices->Release();
        if (m_hMeasureDC != nullptr)
            DeleteDC(m_hMeasureDC);
    }

    // IUnknown: the owner deletes the host; it counts no references.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override
    {
        if (ppv != nullptr)
            *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 0; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // ITextHost
    // The text services lay out what is loaded through this DC (answering
    // none, Wine's left new content unwrapped until the next width change):
    // a memory DC of the screen's resolution, the host's own, kept until the
    // host goes.
    HDC TxGetDC() override
    {
        if (m_hMeasureDC == nullptr)
            m_hMeasureDC = CreateCompatibleDC(nullptr);
        return m_hMeasureDC;
    }
    INT TxReleaseDC(HDC) override { return 1; }
    BOOL TxShowScrollBar(INT, BOOL) override { return FALSE; }
    BOOL TxEnableScrollBar(INT, INT) override { return FALSE; }
    BOOL TxSetScrollRange(INT, LONG, INT, BOOL) override { return FALSE; }
    BOOL TxSetScrollPos(INT, INT, BOOL) override { return FALSE; }
    void TxInvalidateRect(LPCRECT, BOOL) override {}
    void TxViewChange(BOOL) override {}
    BOOL TxCreateCaret(HBITMAP, INT, INT) override { return FALSE; }
    BOOL TxShowCaret(BOOL) override { return FALSE; }
    BOOL TxSetCaretPos(INT, INT) override { return FALSE; }
    BOOL TxSetTimer(UINT, UINT) override { return FALSE; }
    void TxKillTimer(UINT) override {}
    void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
    void TxSetCapture(BOOL) override {}
    void TxSetFocus() override {}
    void TxSetCursor(HCURSOR, BOOL) override {}
    BOOL TxScreenToClient(LPPOINT) override { return FALSE; }
    BOOL TxClientToScreen(LPPOINT) override { return FALSE; }
    HRESULT TxActivate(LONG*) override { return S_OK; }
    HRESULT TxDeactivate(LONG) override { return S_OK; }
    HRESULT TxGetClientRect(LPRECT prc) override
    {
        *prc = m_rcClient;
        return S_OK;
    }
    HRESULT TxGetViewInset(LPRECT prc) override
    {
        SetRectEmpty(prc);
        return S_OK;
    }
    HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override
    {
        *ppCF = reinterpret_cast<const CHARFORMATW*>(&m_cf);
        return S_OK;
    }
    HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override
    {
        *ppPF = reinterpret_cast<const PARAFORMAT*>(&m_pf);
        return S_OK;
    }
    COLORREF TxGetSysColor(int nIndex) override { return GetSysColor(nIndex); }
    HRESULT TxGetBackStyle(int* pstyle) override
    {
        *pstyle = kBackTransparent;
        return S_OK;
    }
    HRESULT TxGetMaxLength(DWORD* plength) override
    {
        *plength = static_cast<DWORD>(-1);
        return S_OK;
    }
    HRESULT TxGetScrollBars(DWORD* pdw) override
    {
        *pdw = 0;
        return S_OK;
    }
    HRESULT TxGetPasswordChar(WCHAR*) override { return S_FALSE; }
    HRESULT TxGetAcceleratorPos(LONG* pcp) override
    {
        *pcp = -1;
        return S_OK;
    }
    HRESULT TxGetExtent(LPSIZEL) override { return E_NOTIMPL; }
    HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override
    {
        if (pcf != nullptr && pcf->cbSize <= sizeof m_cf)
            std::memcpy(&m_cf, pcf, pcf->cbSize);
        return S_OK;
    }
    HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override
    {
        if (ppf != nullptr && ppf->cbSize <= sizeof m_pf)
            std::memcpy(&m_pf, ppf, ppf->cbSize);
        return S_OK;
    }
    HRESULT TxGetPropertyBits(DWORD, DWORD* pdwBits) override
    {
        *pdwBits = kPropertyBits;
        return S_OK;
    }
    HRESULT TxNotify(DWORD, void*) override { return S_OK; }
    HIMC TxImmGetContext() override { return nullptr; }
    void TxImmReleaseContext(HIMC) override {}
    HRESULT TxGetSelectionBarWidth(LONG* l) override
    {
        *l = 100;
        return S_OK;
    }
    BOOL TxIsDoubleClickPending() override { return FALSE; }
    HRESULT TxGetWindow(HWND* phwnd) override
    {
        if (phwnd != nullptr)
            *phwnd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT TxSetForegroundWindow() override { return E_NOTIMPL; }
    HPALETTE TxGetPalette() override { return nullptr; }
    HRESULT TxGetEastAsianFlags(LONG* pFlags) override
    {
        if (pFlags != nullptr)
            *pFlags = 0;
        return E_NOTIMPL;
    }
    HCURSOR TxSetCursor2(HCURSOR, BOOL) override { return nullptr; }
    void TxFreeTextServicesNotification() override {}
    HRESULT TxGetEditStyle(DWORD, DWORD* pdwData) override
    {
        if (pdwData != nullptr)
            *pdwData = 0;
        return E_NOTIMPL;
    }
    HRESULT TxGetWindowStyles(DWORD* pdwStyle, DWORD* pdwExStyle) override
    {
        if (pdwStyle != nullptr)
            *pdwStyle = 0;
        if (pdwExStyle != nullptr)
            *pdwExStyle = 0;
        return S_OK;
    }
    HRESULT TxShowDropCaret(BOOL, HDC, LPCRECT) override { return E_NOTIMPL; }
    HRESULT TxDestroyCaret() override { return E_NOTIMPL; }
    HRESULT TxGetHorzExtent(LONG* plHorzExtent) override
    {
        if (plHorzExtent != nullptr)
            *plHorzExtent = 0;
        return E_NOTIMPL;
    }

    // CRichTextHostBase
    int Init() override
    {
        if (m_pServices != nullptr)
            return 0;
        CreateTextServicesFn create = TextServicesEntry();
        IUnknown* unknown = nullptr;
        if (create == nullptr ||
            FAILED(create(nullptr, static_cast<ITextHostDecl*>(this), &unknown)) || unknown == nullptr)
            return 1;
        void* services = nullptr;
        const HRESULT hr = unknown->QueryInterface(kIIDTextServices, &services);
        unknown->Release();
        if (FAILED(hr) || services == nullptr)
            return 1;
        m_pServices = static_cast<ITextServicesDecl*>(services);
        if (!m_strLastRtf.IsEmpty())
            SetRTF(CString(m_strLastRtf));
        return 0;
    }
    BOOL HasTextServices() const override { return m_pServices != nullptr; }

    int GetNaturalHeight(int nWidth, int* pnHeight) override
    {
        if (m_pServices == nullptr)
            return 1;
        Wrap(true);
        HDC screen = GetDC(nullptr);
        LONG width = nWidth;
        LONG height = 10000;
        SIZEL extent = {nWidth, 10000};
        const HRESULT hr = m_pServices->TxGetNaturalSize(DVASPECT_CONTENT, screen, nullptr, nullptr,
                                                         kNaturalFitToContent, &extent, &width, &height);
        ReleaseDC(nullptr, screen);
        if (pnHeight != nullptr)
            *pnHeight = SUCCEEDED(hr) ? static_cast<int>(height) : 0;
        return 0;
    }

    int GetNaturalWidth(int nHeight, int* pnWidth) override
    {
        if (m_pServices == nullptr)
            return 1;
        Wrap(true);
        HDC screen = GetDC(nullptr);
        LONG width = 10000;
        LONG height = nHeight;
        SIZEL extent = {10000, nHeight};
        const HRESULT hr = m_pServices->TxGetNaturalSize(DVASPECT_CONTENT, screen, nullptr, nullptr,
                                                         kNaturalFitToContent, &extent, &width, &height);
        ReleaseDC(nullptr, screen);
        if (pnWidth != nullptr)
            *pnWidth = SUCCEEDED(hr) ? static_cast<int>(width) : 0;
        return 0;
    }

    // Content goes in unwrapped (one line per paragraph, laid out in one
    // pass); the lines are wrapped at the width only when something needs
    // them: a draw or a measure. Wrapping every line as text streams in
    // costs the square of its length.
    void Wrap(bool bOn)
    {
        if (m_bWrapping == bOn || m_pServices == nullptr)
            return;
        m_bWrapping = bOn;
        // No target device: line width 0 wraps at the client width (and
        // lays every paragraph out again), 1 does not wrap at all.
        Send(EM_SETTARGETDEVICE, 0, bOn ? 0 : 1);
    }

    // The text services lay out in the rectangle of the last draw, an empty
    // one until the first: that wraps after every character, and loading
    // text then costs the square of its length. The extent is handed over as
    // a draw does it, into the host's own memory DC, so what is loaded next
    // is laid out at the width it will be drawn at.
    void SetLayoutExtent(int nWidth, int nHeight) override
    {
        if (nWidth <= 0 || nHeight <= 0 || m_pServices == nullptr)
            return;
        Wrap(false);
        if (m_bExtentGiven && m_rcClient.right - m_rcClient.left == nWidth &&
            m_rcClient.bottom - m_rcClient.top == nHeight)
            return;   // laid out at this size already
        m_rcClient = {0, 0, nWidth, nHeight};
        m_bExtentGiven = true;
        m_pServices->OnTxPropertyBitsChange(kClientRectChange, kClientRectChange);
        HDC dc = TxGetDC();
        if (dc == nullptr)
            return;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, 0, 0, 1, 1);
        RECTL bounds = {0, 0, nWidth, nHeight};
        m_pServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, nullptr, nullptr,
                            0, kViewInactive);
        RestoreDC(dc, saved);
    }

    int Draw(CDC* pDC, const CRect& rect) override
    {
        if (m_pServices == nullptr || pDC == nullptr || pDC->GetSafeHdc() == nullptr)
            return 0;
        Wrap(true);
        HDC hdc = pDC->GetSafeHdc();
        const int saved = SaveDC(hdc);
        IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
        RECTL bounds = {rect.left, rect.top, rect.right, rect.bottom};
        m_rcClient = {rect.left, rect.top, rect.right, rect.bottom};
        m_bExtentGiven = true;
        m_pServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hdc, nullptr, &bounds, nullptr, nullptr,
                            nullptr, 0, kViewInactive);
        RestoreDC(hdc, saved);
        return 0;
    }

    int GetRTF(CString& strRTF) override
    {
        if (m_pServices != nullptr) {
            std::string out;
            StreamOut(SF_RTF, out);
            m_strLastRtf = out.c_str();
        }
        strRTF = m_strLastRtf;
        return 0;
    }

    int SetRTF(const CString& strRTF) override
    {
        m_strLastRtf = strRTF;
        if (m_pServices == nullptr)
            return 1;
        const std::string bytes(strRTF);
        richedit::ReadCookie cookie = {bytes.data(), static_cast<LONG>(bytes.size()), 0};
        EDITSTREAM es = {};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&cookie);
        es.pfnCallback = &richedit::ReadBytes;
        // Text that is not RTF goes in as plain text: the text services would
        // drop it.
        const bool isRtf = richedit::LooksLikeRtf(bytes);
        Wrap(false);
        Send(EM_STREAMIN, isRtf ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&es));
        return 0;
    }

    CString GetLastRTF() const override { return m_strLastRtf; }

    // The text with CR LF per paragraph break, in code page 936 whatever the
    // process's code page (as plain text streamed out would be under it).
    void GetText(CString& strText) override
    {
        strText = cp936::FromUtf16(richedit::WithCrLf(GetPlainText())).c_str();
    }

    void SetText(const CString& strText) override
    {
        if (m_pServices == nullptr)
            return;
        const std::u16string text = cp936::ToUtf16(std::string(strText));
        Wrap(false);
        m_pServices->TxSetText(reinterpret_cast<LPCWSTR>(text.c_str()));
    }

    void GetCharFormat(RichCharFormat& cf) override
    {
        CHARFORMAT2W f;
        std::memset(&f, 0, sizeof f);
        f.cbSize = sizeof f;
        Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
        richedit::FromSystem(f, cf);
    }

    void SetCharFormat(const RichCharFormat& cf, int nScope) override
    {
        CHARFORMAT2W f;
        richedit::ToSystem(cf, f);
        Send(EM_SETCHARFORMAT, static_cast<WPARAM>(nScope), reinterpret_cast<LPARAM>(&f));
        if (nScope == SCF_DEFAULT && m_pServices != nullptr) {
            // The host answers the same default when the services ask for it.
            CHARFORMAT2W now;
            std::memset(&now, 0, sizeof now);
            now.cbSize = sizeof now;
            Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&now));
            if (now.dwMask != 0)
                m_cf = now;
        }
    }

    void GetParaFormat(RichParaFormat& pf) override
    {
        PARAFORMAT2 p;
        std::memset(&p, 0, sizeof p);
        p.cbSize = sizeof p;
        p.dwMask = pf.dwMask != 0 ? pf.dwMask : 0xFFFFFFFF;
        Send(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&p));
        richedit::FromSystem(p, pf);
    }

    void SetParaFormat(const RichParaFormat& pf) override
    {
        PARAFORMAT2 p;
        richedit::ToSystem(pf, p);
        Send(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&p));
    }

    void SetSel(LONG nStart, LONG nEnd) override { Send(EM_SETSEL, static_cast<WPARAM>(nStart), nEnd); }

    void GetSel(LONG& nStart, LONG& nEnd) override
    {
        CHARRANGE range = {0, 0};
        Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        nStart = range.cpMin;
        nEnd = range.cpMax;
    }

    void ReplaceSel(const std::u16string& text, BOOL bCanUndo) override
    {
        Wrap(false);
        Send(EM_REPLACESEL, bCanUndo ? 1 : 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (m_pServices == nullptr)
            return 0;
        LRESULT result = 0;
        m_pServices->TxSendMessage(nMsg, wParam, lParam, &result);
        return result;
    }

    std::u16string GetPlainText() override
    {
        std::u16string text;
        BSTR bstr = nullptr;
        if (m_pServices != nullptr && SUCCEEDED(m_pServices->TxGetText(&bstr)) && bstr != nullptr) {
            text.assign(reinterpret_cast<const char16_t*>(bstr), SysStringLen(bstr));
            SysFreeString(bstr);
        }
        return text;
    }

private:
    void StreamOut(UINT nFormat, std::string& out)
    {
        out.clear();
        EDITSTREAM es = {};
        es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
        es.pfnCallback = &richedit::AppendBytes;
        Send(EM_STREAMOUT, nFormat, reinterpret_cast<LPARAM>(&es));
    }

    // The default before any cell gives its own: "宋体" regular, 9 points.
    static void PlainCharFormat(CHARFORMAT2W& cf)
    {
        std::memset(&cf, 0, sizeof cf);
        cf.cbSize = sizeof cf;
        cf.dwMask = 0xFC08003F;
        cf.yHeight = 180;
        cf.dwEffects = CFE_AUTOBACKCOLOR | CFE_AUTOCOLOR;
        cf.bCharSet = GB2312_CHARSET;
        cf.bPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        cf.szFaceName[0] = 0x5B8B;   // 宋
        cf.szFaceName[1] = 0x4F53;   // 体
        cf.szFaceName[2] = 0;
    }

    // The character format of a font: its size in twips at the desktop's
    // resolution, its effects, character set and face.
    void CharFormatFromFont(HFONT font, CHARFORMAT2W& cf)
    {
        std::memset(&cf, 0, sizeof cf);
        cf.cbSize = sizeof cf;
        LOGFONTW lf;
        if (font == nullptr || GetObjectW(font, sizeof lf, &lf) == 0)
            return;
        HDC desktop = GetDC(GetDesktopWindow());
        const int dpi = GetDeviceCaps(desktop, LOGPIXELSY);
        ReleaseDC(GetDesktopWindow(), desktop);
        cf.dwMask = 0xFC08003F;
        const LONG height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;   // a positive size either way
        cf.yHeight = dpi > 0 ? height * 1440 / dpi : 180;
        cf.dwEffects = CFE_AUTOBACKCOLOR | CFE_AUTOCOLOR;
        if (lf.lfWeight >= FW_BOLD)
            cf.dwEffects |= CFE_BOLD;
        if (lf.lfItalic)
            cf.dwEffects |= CFE_ITALIC;
        if (lf.lfUnderline)
            cf.dwEffects |= CFE_UNDERLINE;
        if (lf.lfStrikeOut)
            cf.dwEffects |= CFE_STRIKEOUT;
        cf.bCharSet = lf.lfCharSet;
        cf.bPitchAndFamily = lf.lfPitchAndFamily;
        std::memcpy(cf.szFaceName, lf.lfFaceName, sizeof cf.szFaceName);
    }

    int m_nLogPixelsX = 96;
    int m_nLogPixelsY = 96;
    RECT m_rcClient = {0, 0, 0, 0};   // the last extent given or drawn in
    CHARFORMAT2W m_cf;
    PARAFORMAT2 m_pf;
    ITextServicesDecl* m_pServices = nullptr;
    CString m_strLastRtf;
    HDC m_hMeasureDC = nullptr;
    bool m_bExtentGiven = false;
    bool m_bWrapping = true;           // lines wrap at the width (else one line per paragraph)
};

}  // namespace

CRichTextHostBase* NewPlatformRichTextHost()
{
    return new CRichTextHost();
}
