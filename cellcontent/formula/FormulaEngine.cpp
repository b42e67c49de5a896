#include "cellcontent/formula/FormulaEngine.h"

#include "base/Cp936.h"
#include "base/NumberText.h"
#include "cellcontent/formula/FormulaMessages.h"

#include <cmath>
#include <ctime>

const char FORMULA_RANGE_SEPARATOR[] = "\n!\n!\n!";

namespace {

struct BuiltinFunction {
    const char* pszName;
    BYTE byCategory;   // display grouping only: 1 common, 2 date and time, 3 mathematical,
                       // 4 text, 6 statistical, 9 logical
};

// Indexed by function identifier; entry 0 is a placeholder no name matches.
const BuiltinFunction kBuiltinFunctions[FORMULA_FN_COUNT_PLUS_ONE] = {
    {" ", 0},          {"SUM", 1},       {"AVERAGE", 1}, {"MAX", 1},     {"MIN", 1},
    {"COUNT", 1},      {"IF", 1},        {"ABS", 1},     {"NOW", 2},     {"SIN", 3},
    {"COS", 3},        {"TAN", 3},       {"LOG", 3},     {"LN", 3},      {"FACT", 3},
    {"MOD", 3},        {"RAND", 3},      {"ROUND", 3},   {"ROUNDDOWN", 3}, {"ROUNDUP", 3},
    {"SQRT", 3},       {"INT", 3},       {"SUMSQ", 3},   {"COUNTA", 6},  {"COUNTBLANK", 6},
    {"LEFT", 4},       {"LEN", 4},       {"LOWER", 4},   {"MID", 4},     {"REPLACE", 4},
    {"REPT", 4},       {"RIGHT", 4},     {"RMB", 4},     {"SUBSTITUTE", 4}, {"TRIM", 4},
    {"UPPER", 4},      {"AND", 9},       {"NOT", 9},     {"OR", 9},
};

// The random generator is seeded once per process, with the time, when the
// first engine is made.
void SeedRandomOnce()
{
    static const bool bSeeded = [] {
        KivoSrand(static_cast<unsigned int>(std::time(nullptr)));
        return true;
    }();
    (void)bSeeded;
}

}  // namespace

CFormulaEngine::CFormulaEngine()
{
    SeedRandomOnce();
    m_systemFunctions.reserve(FORMULA_FN_COUNT_PLUS_ONE);
    for (int i = 0; i < FORMULA_FN_COUNT_PLUS_ONE; ++i) {
        m_systemFunctions.push_back({CString(kBuiltinFunctions[i].pszName), kBuiltinFunctions[i].byCategory});
        if (i > 0)
            m_systemFunctionIndex.emplace(FoldName(m_systemFunctions.back().strName), i);
    }
    // PI is the double nearest to 3.1415927, not the full-precision value.
    m_systemConstants.push_back({CString(" "), 0.0});
    m_systemConstants.push_back({CString("PI"), 3.1415927});
    m_systemConstantIndex.emplace("PI", 1);
}

CFormulaEngine::~CFormulaEngine() = default;

std::string CFormulaEngine::FoldName(const CString& strName)
{
    std::string folded = strName.Str();
    cp936::ToUpper(folded);
    return folded;
}

WORD CFormulaEngine::FindFunction(const CString& strName) const
{
    const std::string folded = FoldName(strName);
    auto it = m_systemFunctionIndex.find(folded);
    if (it != m_systemFunctionIndex.end())
        return static_cast<WORD>(it->second);
    it = m_userFunctionIndex.find(folded);
    if (it != m_userFunctionIndex.end())
        return static_cast<WORD>(FORMULA_USER_ID_BASE + it->second);
    return 0;
}

WORD CFormulaEngine::FindConstant(const CString& strName) const
{
    const std::string folded = FoldName(strName);
    auto it = m_systemConstantIndex.find(folded);
    if (it != m_systemConstantIndex.end())
        return static_cast<WORD>(it->second);
    it = m_userConstantIndex.find(folded);
    if (it != m_userConstantIndex.end())
        return static_cast<WORD>(FORMULA_USER_ID_BASE + it->second);
    return 0;
}

CString CFormulaEngine::GetFunctionName(WORD nId) const
{
    if (nId >= FORMULA_USER_ID_BASE) {
        const size_t nIndex = nId - FORMULA_USER_ID_BASE;
        return nIndex < m_userFunctions.size() ? m_userFunctions[nIndex].strName : CString();
    }
    return nId > 0 && nId < m_systemFunctions.size() ? m_systemFunctions[nId].strName : CString();
}

CString CFormulaEngine::GetConstantName(WORD nId) const
{
    if (nId >= FORMULA_USER_ID_BASE) {
        const size_t nIndex = nId - FORMULA_USER_ID_BASE;
        return nIndex < m_userConstants.size() ? m_userConstants[nIndex].strName : CString();
    }
    return nId > 0 && nId < m_systemConstants.size() ? m_systemConstants[nId].strName : CString();
}

BOOL CFormulaEngine::GetConstantValue(WORD nId, double& dValue) const
{
    if (nId >= FORMULA_USER_ID_BASE) {
        const size_t nIndex = nId - FORMULA_USER_ID_BASE;
        if (nIndex >= m_userConstants.size())
            return FALSE;
        dValue = m_userConstants[nIndex].dValue;
        return TRUE;
    }
    if (nId == 0 || nId >= m_systemConstants.size())
        return FALSE;
    dValue = m_systemConstants[nId].dValue;
    return TRUE;
}

BOOL CFormulaEngine::AddUserFunction(LPCTSTR pszName, int nCategory)
{
    if (pszName == nullptr || *pszName == '\0' || nCategory < 0 || nCategory > 10)
        return FALSE;
    const CString strName(pszName);
    const std::string folded = FoldName(strName);
    if (m_userFunctionIndex.count(folded) != 0)
        return FALSE;
    m_userFunctions.push_back({strName, static_cast<BYTE>(nCategory)});
    m_userFunctionIndex.emplace(folded, static_cast<int>(m_userFunctions.size() - 1));
    return TRUE;
}

BOOL CFormulaEngine::AddUserConstant(LPCTSTR pszName, double dValue)
{
    if (pszName == nullptr || *pszName == '\0')
        return FALSE;
    const CString strName(pszName);
    const std::string folded = FoldName(strName);
    if (m_userConstantIndex.count(folded) != 0)
        return FALSE;
    m_userConstants.push_back({strName, dValue});
    m_userConstantIndex.emplace(folded, static_cast<int>(m_userConstants.size() - 1));
    return TRUE;
}

BOOL CFormulaEngine::GetSystemFunction(int nIndex, CString* pstrName, short* pnCategory) const
{
    if (pstrName == nullptr || pnCategory == nullptr || nIndex < 0 ||
        nIndex >= static_cast<int>(m_systemFunctions.size()) - 1)
        return FALSE;
    *pstrName = m_systemFunctions[nIndex + 1].strName;
    *pnCategory = m_systemFunctions[nIndex + 1].byCategory;
    return TRUE;
}

BOOL CFormulaEngine::GetUserFunction(int nIndex, CString* pstrName, short* pnCategory) const
{
    if (pstrName == nullptr || pnCategory == nullptr || nIndex < 0 ||
        nIndex >= static_cast<int>(m_userFunctions.size()))
        return FALSE;
    *pstrName = m_userFunctions[nIndex].strName;
    *pnCategory = m_userFunctions[nIndex].byCategory;
    return TRUE;
}

BOOL CFormulaEngine::GetSystemConstant(int nIndex, CString* pstrName, double* pdValue) const
{
    if (pstrName == nullptr || pdValue == nullptr || nIndex < 0 ||
        nIndex >= static_cast<int>(m_systemConstants.size()) - 1)
        return FALSE;
    *pstrName = m_systemConstants[nIndex + 1].strName;
    *pdValue = m_systemConstants[nIndex + 1].dValue;
    return TRUE;
}

BOOL CFormulaEngine::GetUserConstant(int nIndex, CString* pstrName, double* pdValue) const
{
    if (pstrName == nullptr || pdValue == nullptr || nIndex < 0 ||
        nIndex >= static_cast<int>(m_userConstants.size()))
        return FALSE;
    *pstrName = m_userConstants[nIndex].strName;
    *pdValue = m_userConstants[nIndex].dValue;
    return TRUE;
}

void CFormulaEngine::SetError(const CString& strMessage, int nPosition)
{
    m_strError = strMessage;
    m_nErrorPosition = nPosition;
}

void CFormulaEngine::ClearError()
{
    m_strError.Empty();
    m_nErrorPosition = 0;
}

CString CFormulaEngine::NumberValue(double dValue)
{
    std::string text;
    AppendNumberValue(text, dValue);
    return CString(text);
}

void CFormulaEngine::AppendNumberValue(std::string& strOut, double dValue)
{
    if (!std::isfinite(dValue)) {
        SetError(FORMULA_MSG_NOT_A_NUMBER);
        return;
    }
    // "%f" always prints a point and six decimals for a finite value; the
    // zeros at the end go, and the point when nothing is left after it.
    static const NumberTextSpec kFixed;
    const size_t nStart = strOut.size();
    AppendNumberText(strOut, dValue, kFixed);
    const size_t nPoint = strOut.find('.', nStart);
    if (nPoint != std::string::npos) {
        size_t nEnd = strOut.size();
        while (nEnd > nPoint + 1 && strOut[nEnd - 1] == '0')
            --nEnd;
        if (nEnd == nPoint + 1)
            nEnd = nPoint;
        strOut.resize(nEnd);
    }
    // A negative value that rounds to zero shows as "0", not "-0".
    if (strOut.size() - nStart == 2 && strOut[nStart] == '-' && strOut[nStart + 1] == '0')
        strOut.erase(nStart, 1);
}
