// The plain-text form of a copied range: the cells row by row, a tab between
// the cells of a row and "\n" between rows (none after the last), each cell
// as its clipboard text; and pasting such text into the grid.
#include "grid/GridCtrl.h"

#include <algorithm>
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

CGridCellRange CGridCtrl::PasteTextAtCell(int nRow, int nCol, LPCTSTR szText)
{
    CGridCellRange result(nRow, nCol, -1, -1);
    if (szText == nullptr || *szText == '\0')
        return result;
    std::string text(szText);
    // Other programs end copied text with a line break; it opens no row.
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
    }
    // Tabs and line feeds never occur inside a two-byte character, so the
    // text splits byte by byte.
    int row = nRow;
    size_t lineStart = 0;
    for (;;) {
        const size_t lineEnd = text.find('\n', lineStart);
        const size_t lineStop = lineEnd == std::string::npos ? text.size() : lineEnd;
        int col = nCol;
        size_t fieldStart = lineStart;
        for (;;) {
            const size_t tab = text.find('\t', fieldStart);
            const size_t fieldStop = (tab == std::string::npos || tab > lineStop) ? lineStop : tab;
            if (IsValid(row, col)) {
                CString field(text.substr(fieldStart, fieldStop - fieldStart));
                field.Trim();
                PasteTextToCell(row, col, field);
                SelectCell(row, col, FALSE);
                result.SetMaxRow(std::max(result.GetMaxRow(), row));
                result.SetMaxCol(std::max(result.GetMaxCol(), col));
            }
            if (fieldStop == lineStop)
                break;
            fieldStart = fieldStop + 1;
            ++col;
        }
        if (lineEnd == std::string::npos)
            break;
        lineStart = lineEnd + 1;
        ++row;
    }
    Refresh();
    return result;
}

BOOL CGridCtrl::PasteTextToCell(int nRow, int nCol, LPCTSTR szText)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr || pCell->IsReadOnly())
        return FALSE;
    return SetCellText(nRow, nCol, szText);
}
