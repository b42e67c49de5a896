// A COM enumerator over a snapshot of items taken when it was made: the
// enumerators of the control's connection points, its connections and its
// verbs. The traits name the item type and the interface and say how an item
// is held: Keep takes a hold of its own on an item copied in (a reference, a
// copied name) and answers false when it could not (no memory), leaving the
// item unheld; Drop lets go of one. The enumerator holds every item of its
// snapshot, Next hands out items held for the caller.
#pragma once

#include <objbase.h>

#include <new>
#include <vector>

template <class Traits>
class CSnapshotEnum final : public Traits::Interface {
public:
    typedef typename Traits::Item Item;

    explicit CSnapshotEnum(const std::vector<Item>& items, size_t pos = 0) : m_items(items), m_pos(pos)
    {
        // An item that could not be held stays in the snapshot unheld (a
        // verb without its name).
        for (Item& item : m_items)
            Traits::Keep(item);
    }
    ~CSnapshotEnum()
    {
        for (Item& item : m_items)
            Traits::Drop(item);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, Traits::Iid()))
            return E_NOINTERFACE;
        *ppv = static_cast<typename Traits::Interface*>(this);
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

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (fetched != nullptr)
            *fetched = 0;
        if (out == nullptr)
            return E_POINTER;
        // Without a place to report the number, only one item may be asked for.
        if (fetched == nullptr && count != 1)
            return E_INVALIDARG;
        ULONG n = 0;
        while (n < count && m_pos < m_items.size()) {
            out[n] = m_items[m_pos];
            if (!Traits::Keep(out[n])) {
                // Nothing is handed out: what was taken goes back.
                for (ULONG i = 0; i < n; ++i)
                    Traits::Drop(out[i]);
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
        const size_t left = m_items.size() - m_pos;
        if (count > left) {
            m_pos = m_items.size();
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
    HRESULT STDMETHODCALLTYPE Clone(typename Traits::Interface** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = nullptr;
        auto* copy = new (std::nothrow) CSnapshotEnum(m_items, m_pos);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        copy->AddRef();
        *ppEnum = copy;
        return S_OK;
    }

private:
    volatile LONG m_refs = 0;
    std::vector<Item> m_items;   // each held
    size_t m_pos;
};

template <class Traits>
HRESULT CreateSnapshotEnum(const std::vector<typename Traits::Item>& items, typename Traits::Interface** ppEnum)
{
    if (ppEnum == nullptr)
        return E_POINTER;
    *ppEnum = nullptr;
    auto* e = new (std::nothrow) CSnapshotEnum<Traits>(items);
    if (e == nullptr)
        return E_OUTOFMEMORY;
    e->AddRef();
    *ppEnum = e;
    return S_OK;
}
