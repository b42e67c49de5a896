// Shared helpers of the grid tests.
#pragma once

#include "grid/GridCtrl.h"

#include <cstdint>
#include <memory>
#include <string>

namespace gridtest {

// A small deterministic generator (the same numbers on every compiler).
struct Lcg {
    std::uint32_t state;
    explicit Lcg(std::uint32_t seed) : state(seed) {}
    int Below(int n)
    {
        state = state * 1664525u + 1013904223u;
        return n <= 0 ? 0 : static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    }
};

// A grid set up in the order the control uses: fixed counts first, then the
// row and column counts, so the header cells are numbered and lettered.
inline std::unique_ptr<CGridCtrl> MakeSheet(int rows, int cols, int fixedRows, int fixedCols)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    return grid;
}

inline std::string Text(CGridCtrl& grid, int row, int col)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    if (cell == nullptr)
        return "<none>";
    LPCTSTR text = cell->GetText();
    return text != nullptr ? text : "";
}

inline void SetText(CGridCtrl& grid, int row, int col, const char* text)
{
    grid.GetCell(row, col)->SetText(text);
}

}  // namespace gridtest
