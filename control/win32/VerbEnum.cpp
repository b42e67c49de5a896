#include "control/win32/VerbEnum.h"

#include "control/win32/SnapshotEnum.h"

#include <cstring>
#include <cwchar>

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

// A verb is held by a copy of its name of its own.
struct VerbItem {
    typedef OLEVERB Item;
    typedef IEnumOLEVERB Interface;
    static const IID& Iid() { return IID_IEnumOLEVERB; }
    static bool Keep(Item& verb)
    {
        const LPCOLESTR name = verb.lpszVerbName;
        verb.lpszVerbName = CopyName(name);
        return verb.lpszVerbName != nullptr || name == nullptr;
    }
    static void Drop(Item& verb)
    {
        ::CoTaskMemFree(verb.lpszVerbName);
        verb.lpszVerbName = nullptr;
    }
};

}  // namespace

HRESULT CreateVerbEnum(const std::vector<OLEVERB>& verbs, IEnumOLEVERB** ppEnum)
{
    return CreateSnapshotEnum<VerbItem>(verbs, ppEnum);
}
