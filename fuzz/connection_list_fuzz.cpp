// Fuzzes the reader of stored connection and data-set definitions.
//
// The input is a stored connection list. Nothing may crash, hang or read
// outside the input. A list that reads whole is written again, and that
// writing must read back to the same bytes.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "binding/ConnectionDefList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<BYTE> Store(CConnectionDefList& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar.Flush();
    }
    const BYTE* p = file.GetBufferPtr();
    return std::vector<BYTE>(p, p + file.GetLength());
}

bool Load(std::vector<BYTE> bytes, CConnectionDefList& list)
{
    const UINT length = static_cast<UINT>(bytes.size());
    bytes.push_back(0);
    CMemFile file(bytes.data(), length, 0);
    CArchive ar(&file, CArchive::load);
    list.Serialize(ar);
    return !ar.IsFailed();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 1 << 16)
        return 0;
    CConnectionDefList list;
    if (!Load(std::vector<BYTE>(data, data + size), list)) {
        if (list.GetCount() != 0)
            std::abort();   // a damaged list leaves nothing half read
        return 0;
    }
    const std::vector<BYTE> first = Store(list);
    if (list.GetCount() > 0 && static_cast<int>(first.size()) != list.GetStoredSize())
        std::abort();
    CConnectionDefList again;
    if (!Load(first, again) || Store(again) != first)
        std::abort();
    return 0;
}
