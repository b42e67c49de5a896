// A cell's text as it is shown, and the number-format pattern of a date or
// time text (the spreadsheet export gives date cells a matching format).
#include "grid/GridCtrl.h"

#include "base/DateTime.h"

CString CGridCtrl::GetCellDisplayText(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return CString();
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (pCell == nullptr)
        return CString();
    int colour = -1;
    return pCell->GetTextToDraw(nullptr, &colour);
}

CString CGridCtrl::DateTextToFormat(LPCTSTR szText)
{
    COleDateTime date;
    if (szText == nullptr || !date.ParseDateTime(szText))
        return CString("@");
    static const char kLetters[] = {'y', 'M', 'd', 'h', 'm', 's'};
    const int kLetterCount = static_cast<int>(sizeof(kLetters));
    CString pattern;
    int run = 0;   // digit runs seen so far
    for (const char* p = szText; *p != '\0';) {
        if (*p < '0' || *p > '9') {
            pattern += *p++;
            continue;
        }
        int length = 0;
        while (*p >= '0' && *p <= '9') {
            ++length;
            ++p;
        }
        if (run < kLetterCount)
            pattern += CString(kLetters[run], length);
        ++run;
    }
    return pattern;
}
