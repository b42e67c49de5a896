// Fuzzes pasting tab-separated text into the grid.
//
// Byte 0 picks the target cell of a small sheet; the rest is the text (up to
// its first NUL). Nothing may crash or hang; the answer runs from the target
// to cells inside the sheet (or says none were written); every field landed
// trimmed (no tab or line feed, no white space at either end, counted by
// characters); the cells written carry no selected mark.
#include "grid/GridCtrl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    CGridCtrl grid;
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetRowCount(8);
    grid.SetColumnCount(6);
    grid.SetSelectedRange(1, 1, 7, 5);
    const int row = 1 + data[0] % 7;
    const int col = 1 + (data[0] >> 3) % 5;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const CGridCellRange result = grid.PasteTextAtCell(row, col, text.c_str());
    if (result.GetMinRow() != row || result.GetMinCol() != col)
        std::abort();
    if (result.GetMaxRow() < 0 || result.GetMaxCol() < 0) {
        if (result.GetMaxRow() != -1 || result.GetMaxCol() != -1)
            std::abort();
        return 0;
    }
    if (!grid.IsRangeValid(result))
        std::abort();
    for (int r = row; r <= result.GetMaxRow(); ++r) {
        for (int c = col; c < grid.GetColumnCount(); ++c) {
            const CString field = grid.GetCellText(r, c);
            const char* s = field;
            const int n = field.GetLength();
            for (int i = 0; i < n; ++i)
                if (s[i] == '\t' || s[i] == '\n')
                    std::abort();
            // Trimming goes by characters: a space after a lead byte is that
            // byte's partner and stays.
            const bool partnered = n > 1 && static_cast<unsigned char>(s[n - 2]) >= 0x81;
            if (n > 0 && (s[0] == ' ' || ((s[n - 1] == ' ' || s[n - 1] == '\r') && !partnered)))
                std::abort();
        }
    }
    if (grid.IsCellSelected(row, col))
        std::abort();
    return 0;
}
