// Fuzzes the readers of tagged cell records and picture records.
//
// Byte 0 picks the reader: an ordinary cell standing alone, one inside a grid
// (so merge owners and default-cell comparisons are involved), a default cell,
// a picture list with the count from byte 1, a formula cell of a grid, a
// typed cell (check, button, numeric, URL, combo box, multi-check combo,
// date/time, image, tree), a tree column's record read into a small grid (the
// tree must stay inside the grid and write itself out again as it was read),
// or a
// sheet of formula cells read one record after another (byte 1 then picks
// which line changes are made to the sheet afterwards). The rest is the
// record. Nothing may crash, hang or read outside the input, and whatever was
// read must write itself out again; after one such rewrite (which settles
// what a record may say only once, such as a cached text followed by a value
// that empties it) writing and reading must give the same bytes. A sheet of
// loaded formulas, cycles included, is recalculated, edited and moved about:
// every step must end, and the formula list must name formula cells only.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cells/GridCellCheckCombo.h"
#include "cells/GridCellCombo.h"
#include "cells/GridCellDateTime.h"
#include "cells/GridCellImage.h"
#include "cells/GridCellNumeric.h"
#include "cells/GridCellRichText.h"
#include "cells/GridURLCell.h"
#include "grid/GridCellButton.h"
#include "grid/GridCellCheck.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"
#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<BYTE> Store(CGridCellBase& cell)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        cell.SerializeRecord(ar, nullptr);
    }
    const BYTE* p = file.GetBufferPtr();
    return std::vector<BYTE>(p, p + file.GetLength());
}

void Load(CGridCellBase& cell, const BYTE* data, size_t size)
{
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0);
    CMemFile file(copy.data(), static_cast<UINT>(size), 0);
    CArchive ar(&file, CArchive::load);
    int running = 0;
    cell.SerializeRecord(ar, &running);
}

// Rewrites the loaded cell twice through fresh cells; the second and the
// third record must agree.
void CheckRewrite(CGridCellBase& loaded, CGridCellBase& fresh, CGridCellBase& again)
{
    std::vector<BYTE> first = Store(loaded);
    Load(fresh, first.data(), first.size());
    std::vector<BYTE> second = Store(fresh);
    Load(again, second.data(), second.size());
    if (Store(again) != second)
        std::abort();
}

template <class Cell>
void LoadAndRewrite(const BYTE* record, size_t length)
{
    Cell cell;
    Load(cell, record, length);
    Cell fresh;
    Cell again;
    CheckRewrite(cell, fresh, again);
}

// Formula cells read one after another into a 6 x 6 sheet (one fixed row and
// column), then recalculated, set, and moved about by line changes.
void FuzzFormulaSheet(const BYTE* data, size_t size, BYTE changes)
{
    CGridCtrl grid(6, 6, 1, 1);
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0);
    CMemFile file(copy.data(), static_cast<UINT>(size), 0);
    CArchive ar(&file, CArchive::load);
    for (int row = 1; row < 6 && !ar.IsFailed() && ar.GetRemaining() > 0; ++row) {
        for (int col = 1; col < 6 && !ar.IsFailed() && ar.GetRemaining() > 0; ++col) {
            if (!grid.SetCellType(row, col, GCT_FORMULA))
                std::abort();
            grid.GetCell(row, col)->SerializeRecord(ar, nullptr);
            grid.AddFormulaCell(row, col);
        }
    }
    grid.CalcAll();
    grid.SetCellText(1, 1, "1");
    grid.CalcCell(2, 2);
    for (int col = 1; col < 6; ++col)
        grid.GetCellFormula(3, col);
    grid.SetCellFormula(4, 4, "=SUM(A1:C3)+B2");
    if (changes & 1)
        grid.InsertRow(nullptr, 2);
    if (changes & 2)
        grid.DeleteRows(1 + (changes >> 4) % 3, 1 + (changes >> 6));
    if (changes & 4)
        grid.InsertColumn(nullptr, 0, 3);
    if (changes & 8) {
        grid.MoveFormulaRow(1, 3);
        grid.HoldFormulaShifts(TRUE);
        grid.HoldFormulaShifts(FALSE);
    }
    grid.CalcAll();
    for (const CGridCellPos& pos : grid.GetFormulaCells()) {
        if (grid.GetCellType(pos.row, pos.col) != GCT_FORMULA)
            std::abort();
        grid.GetCellFormula(pos.row, pos.col);
        grid.GetCellFormulaForExport(pos.row, pos.col);
    }
}

// A tree column's record read into a 8 x 4 sheet at (1, 1).
void FuzzTreeColumnRecord(const BYTE* data, size_t size)
{
    CGridCtrl grid(8, 4, 1, 1);
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0);
    CMemFile file(copy.data(), static_cast<UINT>(size), 0);
    CArchive ar(&file, CArchive::load);
    const BOOL placed = grid.SetColumnControlTree(1, 1, ar);
    if (!placed) {
        if (grid.GetTreeCount() != 0)
            std::abort();
        return;
    }
    CTreeColumn* tree = grid.GetTreeAt(0);
    if (tree->GetStartRow() < 0 || tree->GetEndRow() > grid.GetRowCount() ||
        tree->GetTreeColumn() >= grid.GetColumnCount())
        std::abort();
    CMemFile out;
    {
        CArchive store(&out, CArchive::store);
        tree->Serialize(store);
    }
    CGridCtrl again(8, 4, 1, 1);
    CMemFile in(const_cast<BYTE*>(out.GetBufferPtr()), static_cast<UINT>(out.GetLength()), 0);
    CArchive load(&in, CArchive::load);
    if (!again.SetColumnControlTree(tree->GetStartRow(), tree->GetTreeColumn(), load) ||
        again.GetTreeAt(0)->GetAttributeText() != tree->GetAttributeText())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const BYTE* record = data + 2;
    size_t length = size - 2;
    switch (data[0] % 16) {
    case 0: {
        CGridCell cell;
        Load(cell, record, length);
        CGridCell fresh;
        CGridCell again;
        CheckRewrite(cell, fresh, again);
        break;
    }
    case 1: {
        static CGridCtrl* grid = new CGridCtrl(4, 4, 1, 1);
        CGridCell cell;
        cell.SetGrid(grid);
        Load(cell, record, length);
        CGridCell fresh;
        fresh.SetGrid(grid);
        CGridCell again;
        again.SetGrid(grid);
        CheckRewrite(cell, fresh, again);
        break;
    }
    case 2: {
        CGridDefaultCell cell;
        Load(cell, record, length);
        break;
    }
    case 4: {
        static CGridCtrl* grid = new CGridCtrl(4, 4, 1, 1);
        CGridCellFormula cell;
        cell.SetGrid(grid);
        Load(cell, record, length);
        CString text;
        cell.GetFormula(text);
        cell.GetFormulaForExport(text);
        CGridCellFormula fresh;
        fresh.SetGrid(grid);
        CGridCellFormula again;
        again.SetGrid(grid);
        CheckRewrite(cell, fresh, again);
        cell.Recalculate(text);
        break;
    }
    case 5:
        FuzzFormulaSheet(record, length, data[1]);
        break;
    case 6:
        LoadAndRewrite<CGridCellCheck>(record, length);
        break;
    case 7:
        LoadAndRewrite<CGridCellButton>(record, length);
        break;
    case 8:
        LoadAndRewrite<CGridCellNumeric>(record, length);
        break;
    case 9:
        LoadAndRewrite<CGridURLCell>(record, length);
        break;
    case 10:
        LoadAndRewrite<CGridCellCombo>(record, length);
        break;
    case 11:
        LoadAndRewrite<CGridCellCheckCombo>(record, length);
        break;
    case 12:
        LoadAndRewrite<CGridCellDateTime>(record, length);
        break;
    case 13:
        LoadAndRewrite<CGridCellImage>(record, length);
        break;
    case 14:
        LoadAndRewrite<CGridTreeCell>(record, length);
        break;
    case 15:
        FuzzTreeColumnRecord(record, length);
        break;
    case 16:
        LoadAndRewrite<CGridCellSuperEdit>(record, length);   // the rich-text cell
        break;
    default: {
        std::vector<BYTE> copy(record, record + length);
        copy.push_back(0);
        CMemFile file(copy.data(), static_cast<UINT>(length), 0);
        CArchive ar(&file, CArchive::load);
        CGridPictureList list;
        list.Serialize(ar, data[1]);
        break;
    }
    }
    return 0;
}
