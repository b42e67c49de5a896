// The item list of the combo-box dialogs: a hosted grid control with the
// items in column 1 below a header row and a "删除" check box in column 2 of
// each item row.
#pragma once

#include "base/CString.h"

#include <vector>

class IGridControl;

namespace itemlist {

// The check-box text of column 2.
extern const char* const kDeleteBoxText;

// Sets the grid up (three columns, the header) with one row per item.
void Fill(IGridControl& grid, const std::vector<CString>& items);
// "增行(&A)": one more row after the last.
void AddRow(IGridControl& grid);
// "删行(&D)": every row whose box is ticked, from the last up; never the header.
void DeleteTicked(IGridControl& grid);
// The items: column 1 of every row below the header.
std::vector<CString> Read(IGridControl& grid);

}  // namespace itemlist
