// Row numbers and column letters of the header cells.
#include "grid/GridCtrl.h"

#include "cellcontent/formula/CellNameConverter.h"

#include <algorithm>
#include <charconv>

namespace {

// A whole number in base 10 as strtol reads it to the end: optional blanks,
// an optional sign, at least one digit and nothing after them.
bool IsWholeNumberText(LPCTSTR text)
{
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    while (*p >= '0' && *p <= '9')
        ++p;
    return *p == '\0';
}

bool IsCapitalLettersText(LPCTSTR text)
{
    if (*text == '\0')
        return false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < 'A' || *p > 'Z')
            return false;
    }
    return true;
}

}  // namespace

CString CGridCtrl::ColumnToLetters(int nColumn)
{
    return CCellNameConverter().ColumnToLetters(nColumn);
}

void CGridCtrl::RenumberRowHeaders(int nFirstRow, int nLastRow)
{
    if (m_nFixedCols <= 0 || m_bVirtualMode)
        return;
    nFirstRow = std::max(nFirstRow, 0);
    nLastRow = std::min(nLastRow, m_nRows - 1);
    for (int row = nFirstRow; row <= nLastRow; ++row) {
        CGridCellBase* pCell = GetCell(row, 0);
        if (pCell == nullptr)
            continue;
        LPCTSTR text = pCell->GetText();
        if (text == nullptr)
            text = "";
        if (*text != '\0' && !IsWholeNumberText(text))
            continue;
        // "%ld" of the row number, written without the formatter.
        char number[16];
        const std::to_chars_result written =
            std::to_chars(number, number + sizeof(number) - 1, static_cast<long>(static_cast<LONG>(row - m_nFixedRows + 1)));
        *written.ptr = '\0';
        pCell->SetText(number);
        pCell->SetAlign(GRID_HEADER_ALIGN);
    }
}

void CGridCtrl::RenumberColumnHeaders(int nFirstCol, int nLastCol)
{
    if (m_nFixedRows <= 0 || m_bVirtualMode)
        return;
    nFirstCol = std::max(nFirstCol, 0);
    nLastCol = std::min(nLastCol, m_nCols - 1);
    for (int col = nFirstCol; col <= nLastCol; ++col) {
        CGridCellBase* pCell = GetCell(0, col);
        if (pCell == nullptr)
            continue;
        LPCTSTR text = pCell->GetText();
        if (text == nullptr)
            text = "";
        if (*text != '\0' && !IsCapitalLettersText(text))
            continue;
        pCell->SetText(ColumnToLetters(col - m_nFixedCols + 1));
        pCell->SetAlign(GRID_HEADER_ALIGN);
    }
}
