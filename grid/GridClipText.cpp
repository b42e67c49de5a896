// The plain-text form of a copied range: the cells row by row, a tab between
// the cells of a row and "\n" between rows (none after the last), each cell
// as its clipboard text; and pasting such text into the grid.
#include "grid/GridCtrl.h"

#include <string>

int CGridCtrl::GetRangeText(const CGridCellRange& range, CString& strText)
{
    strText.Empty();
    if (!IsRangeValid(range))
        return 0;
    std::string out;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        if (row > range.GetMinRow())
            out += '\n';
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
            if (col > range.GetMinCol())
                out += '\t';
            if (CGridCellBase* pCell = GetCell(row, col))
                out += pCell->GetTextForCopy().Str();
        }
    }
    strText = CString(out);
    // The clipboard block holds the text and its terminating NUL.
    return strText.GetLength() + 1;
}
