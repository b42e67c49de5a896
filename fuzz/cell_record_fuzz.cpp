// Fuzzes the readers of tagged cell records and picture records.
//
// Byte 0 picks the reader: an ordinary cell standing alone, one inside a grid
// (so merge owners and default-cell comparisons are involved), a default cell,
// a typed cell (check, button, numeric, URL), or a picture list with the
// count from byte 1. The rest is the record.
// Nothing may crash, hang or read outside the input, and whatever was read
// must write itself out again; after one such rewrite (which settles what a
// record may say only once, such as a cached text followed by a value that
// empties it) writing and reading must give the same bytes.
#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "cells/GridCellNumeric.h"
#include "cells/GridURLCell.h"
#include "grid/GridCellButton.h"
#include "grid/GridCellCheck.h"
#include "grid/GridCtrl.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const BYTE* record = data + 2;
    size_t length = size - 2;
    switch (data[0] % 8) {
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
    case 4:
        LoadAndRewrite<CGridCellCheck>(record, length);
        break;
    case 5:
        LoadAndRewrite<CGridCellButton>(record, length);
        break;
    case 6:
        LoadAndRewrite<CGridCellNumeric>(record, length);
        break;
    case 7:
        LoadAndRewrite<CGridURLCell>(record, length);
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
