#include "cellcontent/formula/CellNameConverter.h"

#include <climits>

CString CCellNameConverter::ColumnToLetters(int nColumn) const
{
    if (nColumn < 1)
        return CString();
    char letters[16];
    int nCount = 0;
    unsigned int n = static_cast<unsigned int>(nColumn);
    while (n > 0) {
        --n;
        letters[nCount++] = static_cast<char>('A' + n % 26);
        n /= 26;
    }
    CString result;
    for (int i = nCount - 1; i >= 0; --i)
        result += letters[i];
    return result;
}

int CCellNameConverter::GetLetterCount(int nColumn) const
{
    int nCount = 0;
    unsigned int n = nColumn > 0 ? static_cast<unsigned int>(nColumn) : 0;
    while (n > 0) {
        --n;
        ++nCount;
        n /= 26;
    }
    return nCount;
}

int CCellNameConverter::LettersToColumn(LPCTSTR pszLetters) const
{
    CString text(pszLetters);
    text.MakeUpper();
    // Horner's rule gives the same sum as weighting each byte by its power of 26.
    long long nValue = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const int nByte = static_cast<unsigned char>(text.GetAt(i));
        nValue = nValue * 26 + (nByte > 64 ? nByte - 64 : 0);
        if (nValue > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(nValue);
}

BOOL CCellNameConverter::ParseCellName(LPCTSTR pszName, int& nRow, int& nColumn) const
{
    nRow = -1;
    nColumn = -1;
    CString text(pszName);
    text.MakeUpper();
    const int nLength = text.GetLength();
    int i = 0;
    while (i < nLength && text.GetAt(i) >= 'A' && text.GetAt(i) <= 'Z')
        ++i;
    const int nLetters = i;
    long long nRowValue = 0;
    while (i < nLength && text.GetAt(i) >= '0' && text.GetAt(i) <= '9') {
        nRowValue = nRowValue * 10 + (text.GetAt(i) - '0');
        if (nRowValue > INT_MAX)
            return FALSE;
        ++i;
    }
    if (i != nLength || nLetters == 0 || i == nLetters)
        return FALSE;
    const int nColumnValue = LettersToColumn(text.Left(nLetters));
    if (nColumnValue == INT_MAX)
        return FALSE;
    nColumn = nColumnValue;
    nRow = static_cast<int>(nRowValue);
    return TRUE;
}
