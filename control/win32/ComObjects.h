// The COM side of the 21 automation classes: one reference-counted object per
// portable CKivoObject, serving its dual interface through a generated
// virtual table (KivoAutomation.gen.cpp) and IDispatch through the type
// library's type information.
#pragma once

#include "base/WinTypes.h"
#include "control/DispTypes.h"
#include "control/KivoObjects.gen.h"
#include "control/win32/ComModule.h"
#include "control/win32/ComUtil.h"

#include "KivoSheet_i.h"

#include <memory>
#include <utility>

// The library's own interface of its automation objects: how the control and
// other objects reach the portable object (and so its record) behind an
// interface pointer. It is never in the type library and never marshalled.
struct IKivoObjectPrivate : public IUnknown {
    virtual CKivoObject* STDMETHODCALLTYPE GetKivoObject() = 0;
};
extern const IID IID_IKivoObjectPrivate;

template <class I>
class CKivoComObject : public I, public IKivoObjectPrivate {
public:
    CKivoComObject(const IID& iid, CKivoObject* object) : m_iid(iid), m_object(object)
    {
        KivoModuleObjectCreated();
    }
    virtual ~CKivoComObject()
    {
        if (m_typeInfo != nullptr)
            m_typeInfo->Release();
        KivoModuleObjectDestroyed();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, m_iid))
            *ppv = static_cast<I*>(this);
        else if (IsEqualIID(riid, IID_IKivoObjectPrivate))
            *ppv = static_cast<IKivoObjectPrivate*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IDispatch, through the interface's type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo == nullptr)
            return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0)
            return DISP_E_BADINDEX;
        HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        m_typeInfo->AddRef();
        *ppTInfo = m_typeInfo;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        return ::DispGetIDsOfNames(m_typeInfo, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override
    {
        if (!IsEqualIID(riid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        HRESULT hr = EnsureTypeInfo();
        if (FAILED(hr))
            return hr;
        return ::DispInvoke(static_cast<I*>(this), m_typeInfo, id, flags, params, result, excep, argErr);
    }

    // IKivoObjectPrivate
    CKivoObject* STDMETHODCALLTYPE GetKivoObject() override { return m_object; }

private:
    HRESULT EnsureTypeInfo()
    {
        if (m_typeInfo != nullptr)
            return S_OK;
        return KivoTypeInfo(m_iid, &m_typeInfo);
    }

    volatile LONG m_refs = 0;
    const IID& m_iid;
    CKivoObject* m_object;
    ITypeInfo* m_typeInfo = nullptr;
};

// A new COM object of the portable object, asked for interface I.
template <class I>
I* ComTypedObject(CKivoObjectPtr value, const IID& iid)
{
    IDispatch* dispatch = CreateKivoComObject(std::move(value));
    if (dispatch == nullptr)
        return nullptr;
    I* typed = nullptr;
    if (FAILED(dispatch->QueryInterface(iid, reinterpret_cast<void**>(&typed))))
        typed = nullptr;
    dispatch->Release();
    return typed;
}
