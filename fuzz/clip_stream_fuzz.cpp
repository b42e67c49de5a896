// Fuzzes the reader of the grid's private clipboard stream.
//
// Byte 0 picks where the stream lands in a small sheet (which holds texts, a
// number, a border and a merged block) and the paste flags; the rest is the
// stream. Nothing may crash, hang or read outside the input. A stream that
// pastes nothing leaves the sheet exactly as it was; one that pastes leaves
// every merged block whole and listed once, and the selection map in step
// with the cells' selected marks; the pasted range, written out again, is a
// stream that pastes.
#include "grid/GridCtrl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CGridCtrl> Sheet()
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetRowCount(7);
    grid->SetColumnCount(6);
    grid->GetCell(1, 1)->SetText("a");
    grid->GetCell(2, 2)->SetValue(2.5);
    grid->SetCellBorder(3, 3, CBF_EDGES, 0, RGB(1, 2, 3), 1);
    grid->GetCell(4, 1)->SetText("block");
    grid->MergeCells(4, 1, 5, 2);
    grid->SetSelectedRange(1, 1, 2, 2);
    return grid;
}

std::string Snapshot(CGridCtrl& grid)
{
    std::ostringstream out;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        out << grid.GetRowHeight(row) << ':';
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            CGridCellBase* cell = grid.GetCell(row, col);
            const CGridCellRange m = cell->GetMergeRange();
            LPCTSTR text = cell->GetText();
            out << cell->GetRuntimeClass()->m_lpszClassName << '\'' << (text ? text : "") << '\'' << cell->GetState()
                << '/' << cell->GetBorderMask() << '/' << m.GetMinRow() << ',' << m.GetMinCol() << ','
                << m.GetMaxRow() << ',' << m.GetMaxCol() << ' ';
        }
        out << '\n';
    }
    for (int col = 0; col < grid.GetColumnCount(); ++col)
        out << grid.GetColumnWidth(col) << ' ';
    out << grid.GetMergeOwners().size() << ' ' << grid.GetSelectedCount();
    return out.str();
}

// Every block is whole (each of its cells names it and its owner), listed
// once; the selection map and the cells' marks agree.
void CheckSheet(CGridCtrl& grid)
{
    std::set<std::pair<int, int>> owners;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            CGridCellBase* cell = grid.GetCell(row, col);
            if (cell == nullptr)
                std::abort();
            if ((cell->IsSelected() != FALSE) != (grid.IsCellSelected(row, col) != FALSE))
                std::abort();
            if (!cell->IsMerged())
                continue;
            const CGridCellRange block = cell->GetMergeRange();
            if (!grid.IsRangeValid(block) || !block.InRange(row, col))
                std::abort();
            if (cell->GetMergeOwner() != block.GetTopLeft())
                std::abort();
            if (cell->IsMergeOwnerCell())
                owners.insert({row, col});
            for (int r = block.GetMinRow(); r <= block.GetMaxRow(); ++r)
                for (int c = block.GetMinCol(); c <= block.GetMaxCol(); ++c)
                    if (grid.GetCell(r, c)->GetMergeRange() != block)
                        std::abort();
        }
    }
    std::set<std::pair<int, int>> listed;
    for (const CGridCellPos& pos : grid.GetMergeOwners())
        listed.insert({pos.row, pos.col});
    if (listed != owners || listed.size() != grid.GetMergeOwners().size())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int row = 1 + data[0] % 6;
    const int col = 1 + (data[0] >> 3) % 5;
    auto grid = Sheet();
    grid->SetPasteFlags(static_cast<short>((data[0] >> 6) % 3));
    const std::string before = Snapshot(*grid);
    const CGridCellRange pasted = grid->PasteClipRecords(row, col, data + 1, static_cast<UINT>(size - 1));
    if (pasted == CGridCellRange()) {
        if (Snapshot(*grid) != before)
            std::abort();
        return 0;
    }
    if (!grid->IsRangeValid(pasted) || pasted.GetMinRow() != row || pasted.GetMinCol() != col)
        std::abort();
    CheckSheet(*grid);

    std::vector<BYTE> again;
    if (grid->WriteClipRecords(pasted.GetMinRow(), pasted.GetMinCol(), pasted.GetMaxRow(), pasted.GetMaxCol(),
                               again) <= 0)
        std::abort();
    auto other = Sheet();
    if (other->PasteClipRecords(1, 1, again.data(), static_cast<UINT>(again.size())) == CGridCellRange())
        std::abort();
    CheckSheet(*other);
    return 0;
}
