#include "control/win32/VerbEnum.h"

#include <cstring>
#include <cwchar>
#include <new>

namespace {

// A copy of the name in task memory, or NULL for none (or no memory).
LPOLESTR CopyName(LPCOLESTR name)
{
    if (name == nullptr)
        return nullptr;
    const size_t bytes = (std::wcslen(name) + 1) * sizeof(OLECHAR);
    auto* copy = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (copy != nullptr)
        std::memcpy(copy, name, bytes);
    return copy;
}

class CVerbEnum final : public IEnumOLEVERB {
public:
    CVerbEnum(const std::vector<OLEVERB>& verbs, size_t pos) : m_verbs(verbs), m_pos(pos)
    {
        for (OLEVERB& verb : m_verbs)
            verb.lpszVerbName = CopyName(verb.lpszVerbName);
    }
    ~CVerbEnum()
    {
        for (OLEVERB& verb : m_verbs)
            ::CoTaskMemFree(verb.lpszVerbName);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IEnumOLEVERB))
            return E_NOINTERFACE;
        *ppv = static_cast<IEnumOLEVERB*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG n = ::InterlockedDecrement(&m_refs);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, OLEVERB* out, ULONG* fetched) override
    {
        if (fetched != nullptr)
            *fetched = 0;
        if (out == nullptr)
            return E_POINTER;
        // Without a place to report the number, only one verb may be asked for.
        if (fetched == nullptr && count != 1)
            return E_INVALIDARG;
        ULONG n = 0;
        while (n < count && m_pos < m_verbs.size()) {
            out[n] = m_verbs[m_pos];
            out[n].lpszVerbName = CopyName(m_verbs[m_pos].lpszVerbName);
            if (out[n].lpszVerbName == nullptr && m_verbs[m_pos].lpszVerbName != nullptr) {
                for (ULONG i = 0; i < n; ++i) {
                    ::CoTaskMemFree(out[i].lpszVerbName);
                    out[i].lpszVerbName = nullptr;
                }
                m_pos -= n;
                return E_OUTOFMEMORY;
            }
            ++m_pos;
            ++n;
        }
        if (fetched != nullptr)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const size_t left = m_verbs.size() - m_pos;
        if (count > left) {
            m_pos = m_verbs.size();
            return S_FALSE;
        }
        m_pos += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        m_pos = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumOLEVERB** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = nullptr;
        auto* copy = new (std::nothrow) CVerbEnum(m_verbs, m_pos);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        copy->AddRef();
        *ppEnum = copy;
        return S_OK;
    }

private:
    volatile LONG m_refs = 0;
    std::vector<OLEVERB> m_verbs;   // names owned
    size_t m_pos;
};

}  // namespace

HRESULT CreateVerbEnum(const std::vector<OLEVERB>& verbs, IEnumOLEVERB** ppEnum)
{
    if (ppEnum == nullptr)
        return E_POINTER;
    *ppEnum = nullptr;
    auto* e = new (std::nothrow) CVerbEnum(verbs, 0);
    if (e == nullptr)
        return E_OUTOFMEMORY;
    e->AddRef();
    *ppEnum = e;
    return S_OK;
}
