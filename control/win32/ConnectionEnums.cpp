#include "control/win32/ConnectionEnums.h"

#include "control/win32/SnapshotEnum.h"

namespace {

// What an enumerator needs to know of its item type.
struct PointItem {
    typedef IConnectionPoint* Item;
    typedef IEnumConnectionPoints Interface;
    static const IID& Iid() { return IID_IEnumConnectionPoints; }
    static bool Keep(Item& item)
    {
        item->AddRef();
        return true;
    }
    static void Drop(Item& item) { item->Release(); }
};

struct ConnectionItem {
    typedef CONNECTDATA Item;
    typedef IEnumConnections Interface;
    static const IID& Iid() { return IID_IEnumConnections; }
    static bool Keep(Item& item)
    {
        item.pUnk->AddRef();
        return true;
    }
    static void Drop(Item& item) { item.pUnk->Release(); }
};

}  // namespace

HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** ppEnum)
{
    return CreateSnapshotEnum<PointItem>(points, ppEnum);
}

HRESULT CreateConnectionEnum(const std::vector<CONNECTDATA>& connections, IEnumConnections** ppEnum)
{
    return CreateSnapshotEnum<ConnectionItem>(connections, ppEnum);
}
