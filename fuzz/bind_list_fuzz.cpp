// Fuzzes the reader of the bind list (binds with their field lists and
// group-row settings, as the template body stores them). A list that loads
// must write back bytes that load into the same bytes again; a list that is
// refused must leave the binds it had. Nothing may crash, hang or leak.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "binding/BindInfoList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<std::uint8_t> Store(CBindInfoList& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar.Flush();
    }
    const BYTE* p = file.GetBufferPtr();
    return std::vector<std::uint8_t>(p, p + file.GetLength());
}

bool Load(CBindInfoList& list, std::vector<std::uint8_t> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    return list.Load(ar) != FALSE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    CBindInfoList list;
    list.AddBind("kept", nullptr);
    std::vector<std::uint8_t> input(data, data + size);
    if (!Load(list, input)) {
        if (list.GetCount() != 1 || list.GetBindAt(0)->GetName() != CString("kept"))
            std::abort();
        return 0;
    }
    const std::vector<std::uint8_t> once = Store(list);
    CBindInfoList again;
    if (!Load(again, once) || Store(again) != once)
        std::abort();
    return 0;
}
