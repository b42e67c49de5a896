#include "cellcontent/formula/FormulaCellSource.h"

#include "base/Cp936.h"

#include <cstring>

namespace {

// Bytes of text[0, nLength) that end on a character boundary.
int WholeCharacters(const char* text, int nLength)
{
    return cp936::IsCharBoundary(text, nLength + 1, nLength) ? nLength : nLength - 1;
}

}  // namespace

void SetFormulaCallResult(FormulaCallInfo& info, LPCTSTR pszResult)
{
    if (info.pszResult == nullptr)
        return;
    const int nMax = FORMULA_RESULT_BUFFER_SIZE - 1;
    int nLength = 0;
    if (pszResult != nullptr) {
        while (nLength < nMax + 1 && pszResult[nLength] != '\0')
            ++nLength;
    }
    if (nLength > nMax)
        nLength = WholeCharacters(pszResult, nMax);
    std::memcpy(info.pszResult, pszResult != nullptr ? pszResult : "", static_cast<size_t>(nLength));
    std::memset(info.pszResult + nLength, 0, static_cast<size_t>(FORMULA_RESULT_BUFFER_SIZE - nLength));
}

CString GetFormulaCallResult(const FormulaCallInfo& info)
{
    if (info.pszResult == nullptr)
        return CString();
    const int nMax = FORMULA_RESULT_BUFFER_SIZE - 1;
    int nLength = 0;
    while (nLength < nMax && info.pszResult[nLength] != '\0')
        ++nLength;
    if (nLength == nMax)
        nLength = WholeCharacters(info.pszResult, nMax);
    return CString(info.pszResult, nLength);
}
