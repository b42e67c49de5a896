// Fuzzes the picture header check: any bytes, as a picture the list is given.
//  - The check never reads outside the bytes (the sanitizers watch).
//  - A picture it passes goes through the picture list to the host build's
//    decoder, which must not fail on it either; any other is kept by the list
//    without a bitmap.
#include "base/PictureHeader.h"
#include "grid/GridPictureList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The bytes in a block of their own size, so that a read past them is seen.
    std::vector<BYTE> bytes(data, data + size);
    const PictureHeaderResult result = CheckPictureHeader(bytes.data(), bytes.size());
    if (size == 0)
        return 0;
    CGridPictureList list;
    const int id = list.AddPictureData(bytes.data(), static_cast<int>(bytes.size()));
    if (id < 0)
        std::abort();
    if (id >= 0 && result != PictureHeaderResult::fits && list.GetBitmap(id) != nullptr)
        std::abort();   // only a picture that fits reaches a decoder
    return 0;
}
