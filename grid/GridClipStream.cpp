// Writing and pasting the grid's private clipboard stream (the byte format is
// described in GridClipStream.h).
//
// Pasting reads the whole stream first: every record is read into the cell
// that will take its place (or, for a record that lands outside the grid,
// into a scratch cell that is thrown away), every length and count is checked
// against the bytes that remain, and the size sections and the end of the
// stream must be where they belong. Only a stream read to its end changes the
// grid; any other pastes nothing.
#include "grid/GridClipStream.h"

#include "base/CArchive.h"
#include "base/CMemFile.h"
#include "grid/GridCtrl.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

using namespace gridclip;

namespace {

const UINT kPlaceBits = GCS_FOCUSED | GCS_SELECTED | GCS_DROPTARGET | GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL;

// One cell of the stream that lands inside the grid.
struct PastedCell {
    int kind = 0;
    CGridCellPos target;
    bool typed = false;        // a cell of its own kind: pasted selected
    bool loaded = false;       // its record was read into it
    std::unique_ptr<CGridCellBase> cell;   // NULL: a plain cell takes the place
};

struct ParsedStream {
    std::vector<PastedCell> cells;
    std::vector<int> widths;
    std::vector<int> heights;
    int lastRow = -1;
    int lastCol = -1;
};

bool ReadInt(CArchive& ar, int& value)
{
    ar >> value;
    return !ar.IsFailed();
}

// Drops nSize bytes, all of which must be there.
bool Skip(CArchive& ar, int nSize)
{
    if (nSize < 0 || static_cast<ULONGLONG>(nSize) > ar.GetRemaining())
        return false;
    char buffer[512];
    while (nSize > 0) {
        const UINT chunk = static_cast<UINT>(std::min<int>(nSize, sizeof(buffer)));
        if (ar.Read(buffer, chunk) != chunk)
            return false;
        nSize -= static_cast<int>(chunk);
    }
    return !ar.IsFailed();
}

// A size section after its marker: count, then count + 1 entries of three
// values, of which the second is the size.
bool ReadSizes(CArchive& ar, std::vector<int>& sizes)
{
    int count = 0;
    if (!ReadInt(ar, count) || count < 0)
        return false;
    if ((static_cast<ULONGLONG>(count) + 1) * 12 > ar.GetRemaining())
        return false;
    sizes.reserve(static_cast<size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        int index = 0, size = 0, flag = 0;
        if (!ReadInt(ar, index) || !ReadInt(ar, size) || !ReadInt(ar, flag))
            return false;
        sizes.push_back(size);
    }
    return true;
}

// The class of a kind that is read from the stream: 0..12 but the tree
// cell, when the program has it; NULL otherwise.
const CRuntimeClass* ClassOfKind(int kind)
{
    if (kind < 0 || kind >= GCT_COUNT || kind == GCT_TREE)
        return nullptr;
    LPCTSTR name = GetCellTypeClassName(kind);
    const CRuntimeClass* pClass = name != nullptr ? CRuntimeClass::FromName(name) : nullptr;
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    return pClass;
}

// A new cell of the class for (row, col): the grid's new cell for the
// position, turned into the class the way a type change does.
std::unique_ptr<CGridCellBase> CellForTarget(CGridCtrl& grid, int row, int col, const CRuntimeClass* pClass)
{
    std::unique_ptr<CGridCellBase> base(grid.CreateCell(row, col));
    if (!base || base->GetRuntimeClass() == pClass)
        return base;
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    std::unique_ptr<CGridCellBase> typed(static_cast<CGridCellBase*>(pObject));
    typed->SetGrid(&grid);
    typed->CopyFrom(base.get());
    CGridCtrl::CarrySettingsAcross(typed.get(), base.get());
    typed->SetCoords(row, col);
    return typed;
}

std::unique_ptr<CGridCellBase> ScratchCell(CGridCtrl& grid, const CRuntimeClass* pClass)
{
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    std::unique_ptr<CGridCellBase> cell(static_cast<CGridCellBase*>(pObject));
    cell->SetGrid(&grid);
    return cell;
}

bool ReadStream(CGridCtrl& grid, CArchive& ar, int nRow, int nCol, ParsedStream& out)
{
    int kind = 0;
    if (!ReadInt(ar, kind))
        return false;
    bool first = true;
    int lastSourceRow = 0;
    int lastSourceCol = 0;
    int row = nRow;
    int col = nCol;
    while (kind < kEndOfCells) {
        int sourceRow = 0, sourceCol = 0, size = 0;
        if (!ReadInt(ar, sourceRow) || !ReadInt(ar, sourceCol) || !ReadInt(ar, size))
            return false;
        if (size < 0 || static_cast<ULONGLONG>(size) > ar.GetRemaining())
            return false;
        // The first cell lands on the target; a later one on the next row
        // (back at the target's column) when its source row grew, or on the
        // next column when its source column grew.
        if (!first) {
            if (sourceRow > lastSourceRow) {
                ++row;
                col = nCol;
            } else if (sourceCol > lastSourceCol) {
                ++col;
            }
        }
        first = false;
        lastSourceRow = sourceRow;
        lastSourceCol = sourceCol;

        const bool inGrid = grid.IsValid(row, col) != FALSE;
        PastedCell pasted;
        pasted.kind = kind;
        pasted.target = CGridCellPos(row, col);
        const CRuntimeClass* pClass = ClassOfKind(kind);
        if (pClass != nullptr) {
            std::unique_ptr<CGridCellBase> cell = inGrid ? CellForTarget(grid, row, col, pClass) : ScratchCell(grid, pClass);
            if (!cell)
                return false;
            if (size > 0) {
                cell->RemoveBorder(CBF_EDGES);
                cell->SerializeRecord(ar, nullptr);
                if (ar.IsFailed())
                    return false;
                pasted.loaded = true;
            }
            pasted.typed = true;
            if (inGrid)
                pasted.cell = std::move(cell);
        } else if (kind != GCT_TREE && size > 0) {
            // A kind this program cannot read (or does not have): its record
            // is passed over by its declared size and a plain cell takes its place.
            if (!Skip(ar, size))
                return false;
        }
        if (inGrid) {
            // Records for one position: the later one wins.
            if (!out.cells.empty() && out.cells.back().target == pasted.target)
                out.cells.back() = std::move(pasted);
            else
                out.cells.push_back(std::move(pasted));
            out.lastRow = std::max(out.lastRow, row);
            out.lastCol = std::max(out.lastCol, col);
        }
        if (!ReadInt(ar, kind))
            return false;
    }
    if (kind != kEndOfCells)
        return false;

    int mark = 0;
    if (!ReadInt(ar, mark))
        return false;
    if (mark == kSizesFollow) {
        if (!ReadInt(ar, mark))
            return false;
        if (mark == kWidths) {
            if (!ReadSizes(ar, out.widths) || !ReadInt(ar, mark))
                return false;
        } else if (mark == kNoSection) {
            if (!ReadInt(ar, mark))
                return false;
        } else {
            return false;
        }
        if (mark == kHeights) {
            if (!ReadSizes(ar, out.heights))
                return false;
        } else if (mark != kNoSection) {
            return false;
        }
    } else if (mark == kNoSection) {
        int widths = 0, heights = 0;
        if (!ReadInt(ar, widths) || !ReadInt(ar, heights) || widths != kNoSection || heights != kNoSection)
            return false;
    } else {
        return false;
    }
    return ReadInt(ar, mark) && mark == kEndOfStream;
}

std::uint64_t PosKey(const CGridCellPos& pos)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pos.row)) << 32) |
           static_cast<std::uint32_t>(pos.col);
}

// A block of the stream in the target grid.
struct MovedBlock {
    CGridCellPos owner;
    CGridCellRange range;
};

}  // namespace

int CGridCtrl::WriteClipRecords(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!IsRangeValid(CGridCellRange(nMinRow, nMinCol, nMaxRow, nMaxCol)))
        return 0;
    CMemFile file(1024);
    CArchive ar(&file, CArchive::store);
    for (int row = nMinRow; row <= nMaxRow; ++row) {
        for (int col = nMinCol; col <= nMaxCol; ++col) {
            CGridCellBase* pCell = GetCell(row, col);
            if (pCell == nullptr || pCell->IsFixed())
                continue;
            const int kind = GetCellType(row, col);
            // A class outside the type table is written without its record:
            // no reader could tell where that record ends.
            const int size = kind >= 0 ? pCell->GetRecordSize() : 0;
            ar << kind << row << col << size;
            if (kind != GCT_TREE && size > 0)
                pCell->SerializeRecord(ar, nullptr);
        }
    }
    ar << kEndOfCells;
    ar << (m_nClipSizeOption > 0 ? kSizesFollow : kNoSection);
    if (CarriesWidths(m_nClipSizeOption)) {
        ar << kWidths << (nMaxCol - nMinCol);
        for (int col = nMinCol; col <= nMaxCol; ++col)
            ar << col << GetColumnWidth(col) << 1;
    } else {
        ar << kNoSection;
    }
    if (CarriesHeights(m_nClipSizeOption)) {
        ar << kHeights << (nMaxRow - nMinRow);
        for (int row = nMinRow; row <= nMaxRow; ++row)
            ar << row << GetRowHeight(row) << 1;
    } else {
        ar << kNoSection;
    }
    ar << kEndOfStream;
    if (ar.IsFailed())
        return 0;
    const BYTE* pData = file.GetBufferPtr();
    const size_t length = static_cast<size_t>(file.GetLength());
    bytes.assign(pData, pData + length);
    return static_cast<int>(length);
}

CGridCellRange CGridCtrl::PasteClipRecords(int nRow, int nCol, const BYTE* pBytes, UINT nLength)
{
    const CGridCellRange none;
    if (pBytes == nullptr || nLength == 0 || m_bVirtualMode || !IsValid(nRow, nCol))
        return none;

    ParsedStream parsed;
    {
        // The memory file only reads the caller's bytes.
        CMemFile file(const_cast<BYTE*>(pBytes), nLength, 0);
        CArchive ar(&file, CArchive::load);
        // Reading a record lists the owner it names in the owner list; the
        // list is kept as it was and rebuilt below for the blocks pasted.
        const CGridMergeOwnerList owners = m_arMergeOwners;
        const bool complete = ReadStream(*this, ar, nRow, nCol, parsed);
        m_arMergeOwners = owners;
        if (!complete)
            return none;
    }

    // A stream without cells pastes nothing, its sizes included.
    if (parsed.cells.empty())
        return none;

    // An open editor must not write into a cell replaced here.
    EndEditBeforeStructuralChange();

    // The blocks the stream brings, moved so that each owner lands on its
    // target and cut at the grid's edge.
    std::unordered_map<std::uint64_t, MovedBlock> blocks;
    for (const PastedCell& pasted : parsed.cells) {
        CGridCellBase* pCell = pasted.cell.get();
        if (pCell == nullptr || !pCell->IsMergeOwnerCell() || !pCell->IsMerged())
            continue;
        const CGridCellRange old = pCell->GetMergeRange();
        const int dRow = pasted.target.row - old.GetMinRow();
        const int dCol = pasted.target.col - old.GetMinCol();
        MovedBlock block;
        block.owner = pasted.target;
        block.range.Set(pasted.target.row, pasted.target.col,
                        static_cast<int>(std::min<long long>(static_cast<long long>(old.GetMaxRow()) + dRow, m_nRows - 1)),
                        static_cast<int>(std::min<long long>(static_cast<long long>(old.GetMaxCol()) + dCol, m_nCols - 1)));
        if (block.range.GetCellCount() > 1)
            blocks[PosKey(pCell->GetMergeOwner())] = block;
    }

    // Blocks that the pasted cells cover are dissolved before any cell changes.
    if (!parsed.cells.empty())
        UnMergeCells(nRow, nCol, parsed.lastRow, parsed.lastCol);
    for (const auto& entry : blocks) {
        const CGridCellRange& range = entry.second.range;
        UnMergeCells(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol());
    }

    const BOOL bFormatsOnly = m_nPasteMode == 2;
    for (PastedCell& pasted : parsed.cells) {
        const CGridCellPos t = pasted.target;
        CGridCellBase* pCell = pasted.cell ? pasted.cell.release() : CreateCell(t.row, t.col);
        if (pCell == nullptr)
            continue;
        if (bFormatsOnly && pasted.loaded)
            pCell->SetText("");
        // Membership of a block the stream brings; any other is dropped.
        if (pCell->HasMergeOwner() || pCell->GetMergeRange().IsValid()) {
            auto found = blocks.find(PosKey(pCell->GetMergeOwner()));
            if (found != blocks.end() && found->second.range.InRange(t.row, t.col)) {
                pCell->SetMergeRange(found->second.range);
                pCell->SetMergeOwner(found->second.owner.row, found->second.owner.col);
                pCell->SetMergeOwnerCell(t == found->second.owner);
            } else {
                pCell->ClearMerge();
            }
        }
        // What belongs to the position comes from the grid, not the stream.
        UINT state = pCell->GetState() & ~kPlaceBits;
        if (t.row < m_nFixedRows)
            state |= GCS_FIXED | GCS_FIXEDROW;
        if (t.col < m_nFixedCols)
            state |= GCS_FIXED | GCS_FIXEDCOL;
        if (t == m_idCurrentCell)
            state |= GCS_FOCUSED;
        pCell->SetState(state);
        if (!PutCell(t.row, t.col, pCell)) {
            delete pCell;
            continue;
        }
        SelectCell(t.row, t.col, pasted.typed ? TRUE : FALSE);
        if (pasted.kind == GCT_FORMULA)
            OnFormulaCellPasted(t.row, t.col);
    }

    // Every cell inside a pasted block belongs to it, also one the stream
    // did not hold.
    for (const auto& entry : blocks) {
        const MovedBlock& block = entry.second;
        CGridCellBase* pOwner = GetCell(block.owner.row, block.owner.col);
        if (pOwner == nullptr || pOwner->GetMergeRange() != block.range)
            continue;
        for (int row = block.range.GetMinRow(); row <= block.range.GetMaxRow(); ++row) {
            for (int col = block.range.GetMinCol(); col <= block.range.GetMaxCol(); ++col) {
                CGridCellBase* pCell = GetCell(row, col);
                if (pCell == nullptr)
                    continue;
                pCell->SetMergeRange(block.range);
                pCell->SetMergeOwner(block.owner.row, block.owner.col);
                pCell->SetMergeOwnerCell(CGridCellPos(row, col) == block.owner);
            }
        }
        AddMergeOwner(block.owner);
    }

    // Borders reach the neighbours' facing sides.
    for (const PastedCell& pasted : parsed.cells) {
        CGridCellBase* pCell = GetCell(pasted.target.row, pasted.target.col);
        if (pCell != nullptr && pCell->GetBorderMask() != 0)
            CopyCellBorders(pasted.target.row, pasted.target.col, pCell);
    }

    for (size_t i = 0; i < parsed.widths.size() && nCol + static_cast<long long>(i) < m_nCols; ++i)
        SetColumnWidth(nCol + static_cast<int>(i), parsed.widths[i]);
    for (size_t i = 0; i < parsed.heights.size() && nRow + static_cast<long long>(i) < m_nRows; ++i)
        SetRowHeight(nRow + static_cast<int>(i), parsed.heights[i]);

    if (parsed.cells.empty())
        return none;
    MarkModified(TRUE, -1, -1);
    Refresh();
    return CGridCellRange(nRow, nCol, std::min(parsed.lastRow, m_nRows - 1), std::min(parsed.lastCol, m_nCols - 1));
}

void CGridCtrl::CopyCellBorders(int nRow, int nCol, CGridCellBase* pSource)
{
    if (pSource == nullptr)
        return;
    const UINT mask = pSource->GetBorderMask();
    for (UINT bit = 1; bit <= 0x80; bit <<= 1) {
        if ((mask & bit) == 0)
            continue;
        COLORREF clr = 0;
        int style = 0;
        int width = 0;
        if (pSource->GetBorder(bit, &clr, &style, &width))
            SetCellBorder(nRow, nCol, static_cast<int>(bit), style, clr, width);
    }
}
