#include "control/win32/ConnectionEnums.h"

#include <new>

namespace {

// What an enumerator needs to know of its item type.
struct PointItem {
    typedef IConnectionPoint* Item;
    typedef IEnumConnectionPoints Interface;
    static const IID& Iid() { return IID_IEnumConnectionPoints; }
    static void Keep(Item& item) { item->AddRef(); }
    static void Drop(Item& item) { item->Release(); }
};

struct ConnectionItem {
    typedef CONNECTDATA Item;
    typedef IEnumConnections Interface;
    static const IID& Iid() { return IID_IEnumConnections; }
    static void Keep(Item& item) { item.pUnk->AddRef(); }
    static void Drop(Item& item) { item.pUnk->Release(); }
};

template <class Traits>
class CSnapshotEnum final : public Traits::Interface {
public:
    typedef typename Traits::Item Item;

    explicit CSnapshotEnum(const std::vector<Item>& items, size_t pos = 0) : m_items(items), m_pos(pos)
    {
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
            out[n] = m_items[m_pos++];
            Traits::Keep(out[n]);
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
    std::vector<Item> m_items;
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

}  // namespace

HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** ppEnum)
{
    return CreateSnapshotEnum<PointItem>(points, ppEnum);
}

HRESULT CreateConnectionEnum(const std::vector<CONNECTDATA>& connections, IEnumConnections** ppEnum)
{
    return CreateSnapshotEnum<ConnectionItem>(connections, ppEnum);
}
