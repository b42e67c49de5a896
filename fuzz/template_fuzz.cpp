// Fuzzes the template reader with arbitrary bytes and, when the first byte
// is odd, with the rest taken as a Base64 text. Whatever the input, the read
// answers one of its results, and any answer but success leaves the shown
// sheet exactly as it was.
#include "base/CString.h"
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateBase64.h"
#include "document/TemplateFile.h"
#include "grid/GridCtrl.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

CGridCtrl& Shown()
{
    static CGridCtrl* grid = [] {
        InstallInPlaceEditHooks();
        CGridCtrl* g = new CGridCtrl(4, 4, 1, 1);
        return g;
    }();
    return *grid;
}

void Reset(CGridCtrl& grid)
{
    grid.DeleteAllCells();
    grid.SetRowCount(4);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetCellText(1, 1, "shown");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    CGridCtrl& grid = Shown();
    Reset(grid);
    std::vector<BYTE> before;
    if (!SaveTemplateBytes(grid, "", before))
        __builtin_trap();
    std::vector<BYTE> bytes;
    if (data[0] & 1) {
        const char* text = reinterpret_cast<const char*>(data + 1);
        if (!CBase64::Decode(text, size - 1, bytes))
            return 0;
    } else {
        bytes.assign(data + 1, data + size);
    }
    const int result = OpenTemplateBytes(grid, bytes.data(), bytes.size(), (data[0] & 2) ? "pw" : "");
    if (result != 1 && result != -1 && result != -2 && result != -3)
        __builtin_trap();
    if (result != 1) {
        std::vector<BYTE> after;
        if (!SaveTemplateBytes(grid, "", after) || after != before)
            __builtin_trap();
    }
    return 0;
}
