#include "cellcontent/formula/FormulaValue.h"

#include "base/NumberText.h"

bool IsRangeValue(const std::string& strValue)
{
    return strValue.find(FORMULA_RANGE_SEPARATOR) != std::string::npos;
}

void AppendJoinedValue(std::string& strJoined, const char* pValue, size_t nLength)
{
    if (!strJoined.empty())
        strJoined += FORMULA_RANGE_SEPARATOR;
    strJoined.append(pValue, nLength);
}

bool IsWholeNumberText(const char* pText, size_t nLength)
{
    if (nLength == 0)
        return false;
    const char* pEnd = nullptr;
    StrToD(pText, &pEnd);
    return pEnd == pText + nLength;
}
