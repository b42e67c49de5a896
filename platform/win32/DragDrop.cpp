// Drag and drop on Windows: our own data object, drop source and drop target
// over the system's OLE.
#include "platform/DragDrop.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <map>

namespace {

HGLOBAL BlockOf(const std::vector<BYTE>& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (block == nullptr)
        return nullptr;
    void* target = ::GlobalLock(block);
    if (target == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    if (!bytes.empty())
        std::memcpy(target, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    return block;
}

// The data of our drag: each format as a global block.
class DataObject : public IDataObject {
public:
    explicit DataObject(const DragFormats& formats) : m_formats(formats) {}
    virtual ~DataObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (format == nullptr || medium == nullptr)
            return E_INVALIDARG;
        const std::vector<BYTE>* bytes = Find(*format);
        if (bytes == nullptr)
            return DV_E_FORMATETC;
        HGLOBAL block = BlockOf(*bytes);
        if (block == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return format != nullptr && Find(*format) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out != nullptr)
            out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const auto& entry : m_formats)
            list.push_back(FormatEtc(entry.first));
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    static FORMATETC FormatEtc(UINT format)
    {
        FORMATETC f = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return f;
    }

private:
    const std::vector<BYTE>* Find(const FORMATETC& format) const
    {
        if ((format.tymed & TYMED_HGLOBAL) == 0 || format.dwAspect != DVASPECT_CONTENT)
            return nullptr;
        for (const auto& entry : m_formats)
            if (entry.first == format.cfFormat)
                return &entry.second;
        return nullptr;
    }

    LONG m_refs = 1;
    DragFormats m_formats;
};

// The drag's source: the left button released drops, Escape cancels.
class DropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
            *ppv = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack of the drag.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        if ((keys & MK_LBUTTON) == 0)
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Another program's (or our own) data as a drop target reads it.
class OleDropData : public CDropData {
public:
    explicit OleDropData(IDataObject* data) : m_data(data) {}
    BOOL IsFormatAvailable(UINT nFormat) override
    {
        FORMATETC f = DataObject::FormatEtc(nFormat);
        return m_data != nullptr && m_data->QueryGetData(&f) == S_OK ? TRUE : FALSE;
    }
    BOOL GetData(UINT nFormat, std::vector<BYTE>& bytes) override
    {
        bytes.clear();
        if (m_data == nullptr)
            return FALSE;
        FORMATETC f = DataObject::FormatEtc(nFormat);
        STGMEDIUM medium = {};
        if (m_data->GetData(&f, &medium) != S_OK)
            return FALSE;
        BOOL done = FALSE;
        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
            const SIZE_T size = ::GlobalSize(medium.hGlobal);
            if (const void* source = ::GlobalLock(medium.hGlobal)) {
                const BYTE* first = static_cast<const BYTE*>(source);
                bytes.assign(first, first + size);
                ::GlobalUnlock(medium.hGlobal);
                done = TRUE;
            }
        }
        ::ReleaseStgMedium(&medium);
        return done;
    }

private:
    IDataObject* m_data;
};

// A window's drop target: forwards to its handler in client coordinates.
class DropTarget : public IDropTarget {
public:
    DropTarget(HWND hwnd, CDropTargetHandler* handler) : m_hwnd(hwnd), m_handler(handler) {}
    virtual ~DropTarget() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *ppv = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        const DWORD allowed = *effect;
        m_data = data;
        OleDropData reader(data);
        m_last = m_handler != nullptr ? m_handler->OnDragEnter(&reader, keys, Client(pt)) & allowed : kDropEffectNone;
        *effect = m_last;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        const DWORD allowed = *effect;
        OleDropData reader(m_data);
        m_last = m_handler != nullptr ? m_handler->OnDragOver(&reader, keys, Client(pt)) & allowed : kDropEffectNone;
        *effect = m_last;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        m_data = nullptr;
        if (m_handler != nullptr)
            m_handler->OnDragLeave();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override
    {
        if (effect == nullptr)
            return E_INVALIDARG;
        const DWORD allowed = *effect;
        // The effect is the one the last position answered; the keys at the
        // release no longer hold the mouse button, and Ctrl still counts.
        DWORD chosen = m_last;
        if ((keys & MK_CONTROL) != 0 && (allowed & kDropEffectCopy) != 0 && chosen != kDropEffectNone)
            chosen = kDropEffectCopy;
        chosen &= allowed;
        OleDropData reader(data);
        const BOOL taken =
            m_handler != nullptr && chosen != kDropEffectNone && m_handler->OnDrop(&reader, chosen, Client(pt));
        *effect = taken ? chosen : kDropEffectNone;
        m_data = nullptr;
        return S_OK;
    }

    void Detach() { m_handler = nullptr; }

private:
    CPoint Client(POINTL pt) const
    {
        POINT p = {pt.x, pt.y};
        ::ScreenToClient(m_hwnd, &p);
        return CPoint(p.x, p.y);
    }

    LONG m_refs = 1;
    HWND m_hwnd;
    CDropTargetHandler* m_handler;
    IDataObject* m_data = nullptr;   // valid between enter and leave or drop
    DWORD m_last = kDropEffectNone;
};

std::map<HWND, DropTarget*>& Registered()
{
    static std::map<HWND, DropTarget*> targets;
    return targets;
}

}  // namespace

BOOL PlatformRegisterDropTarget(HWND hWnd, CDropTargetHandler* pHandler)
{
    if (hWnd == nullptr || pHandler == nullptr || !::IsWindow(hWnd) || Registered().count(hWnd) != 0)
        return FALSE;
    DropTarget* target = new DropTarget(hWnd, pHandler);
    const HRESULT hr = ::RegisterDragDrop(hWnd, target);
    if (FAILED(hr)) {
        target->Release();
        return FALSE;
    }
    Registered()[hWnd] = target;
    return TRUE;
}

void PlatformRevokeDropTarget(HWND hWnd)
{
    auto found = Registered().find(hWnd);
    if (found == Registered().end())
        return;
    DropTarget* target = found->second;
    Registered().erase(found);
    target->Detach();
    ::RevokeDragDrop(hWnd);
    target->Release();
}

DWORD PlatformDoDragDrop(const DragFormats& formats, DWORD dwAllowedEffects)
{
    DataObject* data = new DataObject(formats);
    DropSource source;
    DWORD effect = kDropEffectNone;
    const HRESULT hr = ::DoDragDrop(data, &source, dwAllowedEffects, &effect);
    data->Release();
    return hr == DRAGDROP_S_DROP ? effect : kDropEffectNone;
}
