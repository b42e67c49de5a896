// What the editing commands' update handlers know about the selected cells.
// The frame asks every menu item and toolbar button for its state at every
// idle moment; walking a large selection for each of them would freeze the
// window, so the answers are learnt once per selection and kept until the
// selection changes (a cheap signature of it is compared on every question)
// or the view forgets them (every control event and every command).
#pragma once

#include "base/WinTypes.h"
#include "designer/GridControl.gen.h"

#include <functional>
#include <map>

// The selected range as the control answers it.
struct CSelRange {
    LONG r1 = 0, c1 = 0, r2 = -1, c2 = -1;
    bool ok = false;
    LONG Rows() const { return ok ? r2 - r1 + 1 : 0; }
    LONG Cols() const { return ok ? c2 - c1 + 1 : 0; }
};

// The selection's range; ok is false when there is none.
CSelRange GetSelRange(IGridControl& grid);
// The focus cell when the control has one and it is a valid cell.
bool GetValidFocus(IGridControl& grid, LONG& row, LONG& col);
// Calls fn for each selected cell (the list form, or the range row by row
// when the selection is a range) until fn answers false; false when it
// stopped early.
bool WalkSelection(IGridControl& grid, const std::function<bool(LONG, LONG)>& fn);

class CSelectionState {
public:
    explicit CSelectionState(IGridControl& grid) : m_grid(grid) {}

    void Forget();

    const CSelRange& Range();
    // At least one cell is selected.
    bool AnySelected();
    // The range's start cell is a valid cell.
    bool RangeStartValid();
    // Some cell of the range is not part of a merged cell.
    bool RangeHasUnmerged();
    // Some selected cell is part of a merged cell.
    bool AnySelectedMerged();
    // At least one cell is selected and every selected cell that can be read
    // satisfies cond; learnt once per key.
    bool All(int key, const std::function<bool(LONG, LONG)>& cond);
    // The focus cell and whether it lies in a row tree (see TreeMembership).
    bool FocusInTree(LONG& row, LONG& col);

private:
    struct Signature {
        int kind = -1;
        LONG count = -1, r1 = 0, c1 = 0, r2 = 0, c2 = 0, fr = -1, fc = -1, rows = 0, cols = 0;
        bool operator==(const Signature& o) const
        {
            return kind == o.kind && count == o.count && r1 == o.r1 && c1 == o.c1 && r2 == o.r2 && c2 == o.c2 &&
                   fr == o.fr && fc == o.fc && rows == o.rows && cols == o.cols;
        }
    };
    void Sync();

    IGridControl& m_grid;
    bool m_valid = false;
    Signature m_sig;
    CSelRange m_range;
    int m_any = -1, m_startValid = -1, m_unmerged = -1, m_merged = -1, m_inTree = -1;
    LONG m_focusRow = -1, m_focusCol = -1;
    std::map<int, bool> m_all;
};
