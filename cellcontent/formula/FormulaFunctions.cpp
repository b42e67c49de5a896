// The built-in functions and the call of user functions.
//
// Every function receives its argument values as texts. A wrong number of
// arguments gives "<NAME>函数参数个数不正确!" and the empty value; most
// functions then give the empty value, without a message, when their first
// argument is empty; a range value where a single value is needed gives the
// range message and 0 (numeric functions) or the empty text (text functions).
// Byte-counting text functions work on whole characters: they never keep or
// remove half of a two-byte character.

#include "cellcontent/formula/FormulaEngine.h"

#include "base/Cp936.h"
#include "base/DateTime.h"
#include "base/NumberText.h"
#include "cellcontent/formula/FormulaMessages.h"
#include "cellcontent/formula/FormulaValue.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// Longest text REPT makes.
const long long kMaxReptLength = 32767;

enum class Result { Number, Text };

struct FunctionRule {
    int nMinArgs;
    int nMaxArgs;
    bool bFirstNonEmpty;
    Result result;          // what a refused range argument gives
    int nScalarArgs;        // how many leading arguments must not be range values (-1: all)
};

const int kAny = INT_MAX;

// Indexed by function identifier.
const FunctionRule kRules[FORMULA_FN_COUNT_PLUS_ONE] = {
    {0, kAny, false, Result::Text, 0},    // placeholder
    {0, kAny, false, Result::Number, 0},  // SUM
    {0, kAny, false, Result::Number, 0},  // AVERAGE
    {0, kAny, false, Result::Number, 0},  // MAX
    {0, kAny, false, Result::Number, 0},  // MIN
    {0, kAny, false, Result::Number, 0},  // COUNT
    {3, 3, false, Result::Text, 0},       // IF (the chosen value is checked)
    {1, 1, true, Result::Number, 1},      // ABS
    {0, kAny, false, Result::Text, 0},    // NOW
    {1, 1, true, Result::Number, 1},      // SIN
    {1, 1, true, Result::Number, 1},      // COS
    {1, 1, true, Result::Number, 1},      // TAN
    {1, 1, true, Result::Number, 1},      // LOG
    {1, 1, true, Result::Number, 1},      // LN
    {1, 1, true, Result::Number, 1},      // FACT
    {2, 2, true, Result::Number, -1},     // MOD
    {0, kAny, false, Result::Number, 0},  // RAND (its own rule)
    {2, 2, true, Result::Number, -1},     // ROUND
    {2, 2, true, Result::Number, -1},     // ROUNDDOWN
    {2, 2, true, Result::Number, -1},     // ROUNDUP
    {1, 1, true, Result::Number, 0},      // SQRT
    {1, 1, true, Result::Number, 0},      // INT
    {1, kAny, false, Result::Number, 0},  // SUMSQ
    {0, kAny, false, Result::Number, 0},  // COUNTA
    {0, kAny, false, Result::Number, 0},  // COUNTBLANK
    {2, 2, true, Result::Text, -1},       // LEFT
    {1, 1, true, Result::Number, 0},      // LEN
    {1, 1, true, Result::Text, 0},        // LOWER
    {3, 3, true, Result::Text, -1},       // MID
    {4, 4, true, Result::Text, -1},       // REPLACE
    {2, 2, true, Result::Text, 0},        // REPT
    {2, 2, true, Result::Text, -1},       // RIGHT
    {1, 1, true, Result::Text, 1},        // RMB
    {3, 4, true, Result::Text, -1},       // SUBSTITUTE
    {1, 1, true, Result::Text, 0},        // TRIM
    {1, 1, true, Result::Text, 0},        // UPPER
    {0, kAny, false, Result::Number, 0},  // AND
    {1, 1, true, Result::Number, 0},      // NOT
    {0, kAny, false, Result::Number, 0},  // OR
};

CString IntegerText(long long nValue)
{
    return CString(std::to_string(nValue));
}

const char* Bytes(const CString& s)
{
    return s.GetString();
}

int Length(const CString& s)
{
    return s.GetLength();
}

bool IsBoundary(const CString& s, long long nPosition)
{
    return cp936::IsCharBoundary(Bytes(s), Length(s), static_cast<int>(nPosition));
}

enum class Rounding { HalfAwayFromZero, TowardZero, AwayFromZero };

// Rounds to nDigits decimals (negative: to tens, hundreds ...) on the decimal
// value the user sees: the number's first 15 significant digits, the precision
// a double holds reliably, so 2.675 rounds to 2.68 and 1.001 up to 1.1.
double RoundDecimal(double dValue, int nDigits, Rounding rounding)
{
    if (!std::isfinite(dValue) || dValue == 0.0)
        return dValue;
    nDigits = std::max(-400, std::min(400, nDigits));
    const std::string text = FormatNumberText(std::fabs(dValue), 'e', 14);   // d.dddddddddddddde+XXX
    const size_t nExponentAt = text.find('e');
    if (nExponentAt == std::string::npos)
        return dValue;
    std::string digits;
    for (size_t i = 0; i < nExponentAt; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
    }
    const int nExponent = AToI(text.c_str() + nExponentAt + 1);
    const int nKeep = nExponent + 1 + nDigits;   // significant digits in front of the rounding place
    if (nKeep >= static_cast<int>(digits.size()))
        return dValue;
    long long nKept = 0;
    for (int i = 0; i < nKeep; ++i)
        nKept = nKept * 10 + (digits[static_cast<size_t>(i)] - '0');
    bool bUp = false;
    if (rounding == Rounding::HalfAwayFromZero) {
        bUp = nKeep >= 0 && digits[static_cast<size_t>(nKeep)] >= '5';
    } else if (rounding == Rounding::AwayFromZero) {
        for (size_t i = static_cast<size_t>(std::max(nKeep, 0)); i < digits.size(); ++i)
            bUp = bUp || digits[i] != '0';
    }
    if (bUp)
        ++nKept;
    const std::string result = std::to_string(nKept) + "e" + std::to_string(-nDigits);
    const double dMagnitude = StrToD(result.c_str(), nullptr);
    return dValue < 0 ? -dMagnitude : dMagnitude;
}

// "%.2f" with "," between groups of three digits of the whole part.
CString GroupedAmount(double dValue)
{
    const std::string text = FormatNumberText(dValue, 'f', 2);
    const size_t nDigitsStart = text[0] == '-' ? 1 : 0;
    size_t nPoint = text.find('.');
    if (nPoint == std::string::npos)
        nPoint = text.size();
    std::string out(text, 0, nDigitsStart);
    for (size_t i = nDigitsStart; i < nPoint; ++i) {
        if (i > nDigitsStart && (nPoint - i) % 3 == 0)
            out += ',';
        out += text[i];
    }
    out.append(text, nPoint, std::string::npos);
    return CString(out);
}

}  // namespace

CString CFormulaEngine::CallBuiltinFunction(WORD nFunctionId, const CStringArray& args)
{
    if (nFunctionId >= FORMULA_USER_ID_BASE)
        return CallUserFunction(nFunctionId, args);
    if (nFunctionId == 0 || nFunctionId >= FORMULA_FN_COUNT_PLUS_ONE)
        return CString();

    const FunctionRule& rule = kRules[nFunctionId];
    const CString strName = m_systemFunctions[nFunctionId].strName;
    const int nArgs = args.GetSize();
    const CString* a = args.GetData();

    if (nFunctionId == FORMULA_FN_RAND) {
        if (nArgs > 0 && !a[0].IsEmpty()) {
            SetError(FORMULA_MSG_RAND_HAS_ARGS);
            return CString();
        }
        return NumberValue(KivoRand() * 999 * 1.00000001e-8);
    }
    if (nArgs < rule.nMinArgs || nArgs > rule.nMaxArgs) {
        SetError(strName + FORMULA_MSG_ARG_COUNT_TAIL);
        return CString();
    }
    if (rule.bFirstNonEmpty && a[0].IsEmpty())
        return CString();
    const int nScalar = rule.nScalarArgs < 0 ? nArgs : rule.nScalarArgs;
    for (int i = 0; i < nScalar; ++i) {
        if (IsRangeValue(a[i].Str())) {
            SetError((nFunctionId == FORMULA_FN_MID ? CString("Mid") : strName) + FORMULA_MSG_RANGE_ARG_TAIL);
            return rule.result == Result::Number ? CString("0") : CString();
        }
    }

    switch (nFunctionId) {
    case FORMULA_FN_SUM:
    case FORMULA_FN_SUMSQ: {
        const bool bSquares = nFunctionId == FORMULA_FN_SUMSQ;
        double dSum = 0.0;
        ForEachArgumentValue(args, [&](const char* p, size_t, bool) {
            const double d = AToF(p);
            dSum += bSquares ? d * d : d;
        });
        return NumberValue(dSum);
    }
    case FORMULA_FN_AVERAGE: {
        double dSum = 0.0;
        long long nCount = 0;
        ForEachArgumentValue(args, [&](const char* p, size_t, bool) {
            dSum += AToF(p);
            ++nCount;
        });
        if (nCount == 0) {
            SetError(FORMULA_MSG_AVERAGE_NO_ARGS);
            return CString("0");
        }
        return NumberValue(dSum / static_cast<double>(nCount));
    }
    case FORMULA_FN_MAX:
    case FORMULA_FN_MIN: {
        const bool bMax = nFunctionId == FORMULA_FN_MAX;
        const double dStart = bMax ? -DBL_MAX : DBL_MAX;
        double dResult = dStart;
        ForEachArgumentValue(args, [&](const char* p, size_t, bool) {
            const double d = AToF(p);
            if (bMax ? d > dResult : d < dResult)
                dResult = d;
        });
        return dResult == dStart ? CString() : NumberValue(dResult);
    }
    case FORMULA_FN_COUNT:
    case FORMULA_FN_COUNTA:
    case FORMULA_FN_COUNTBLANK: {
        long long nCount = 0;
        ForEachArgumentValue(args, [&](const char* p, size_t nLength, bool bFromRange) {
            if (nFunctionId == FORMULA_FN_COUNT)
                nCount += IsWholeNumberText(p, nLength) ? 1 : 0;
            else if (nFunctionId == FORMULA_FN_COUNTA)
                nCount += nLength > 0 ? 1 : 0;
            else
                nCount += !bFromRange && nLength == 0 ? 1 : 0;
        });
        return IntegerText(nCount);
    }
    case FORMULA_FN_IF: {
        const CString& strChosen = AToI(Bytes(a[0])) != 0 ? a[1] : a[2];
        if (IsRangeValue(strChosen.Str())) {
            SetError(strName + FORMULA_MSG_RANGE_ARG_TAIL);
            return CString();
        }
        return strChosen;
    }
    case FORMULA_FN_ABS:
        return NumberValue(std::fabs(AToF(Bytes(a[0]))));
    case FORMULA_FN_NOW: {
        const COleDateTime now = COleDateTime::GetCurrentTime();
        CString strNow;
        strNow.Format("%.4d-%.2d-%.2d %.2d-%.2d", now.GetYear(), now.GetMonth(), now.GetDay(), now.GetHour(),
                      now.GetMinute());
        return strNow;
    }
    case FORMULA_FN_SIN:
        return NumberValue(std::sin(AToF(Bytes(a[0]))));
    case FORMULA_FN_COS:
        return NumberValue(std::cos(AToF(Bytes(a[0]))));
    case FORMULA_FN_TAN:
        return NumberValue(std::tan(AToF(Bytes(a[0]))));
    case FORMULA_FN_LOG:
        return NumberValue(std::log10(AToF(Bytes(a[0]))));
    case FORMULA_FN_LN:
        return NumberValue(std::log(AToF(Bytes(a[0]))));
    case FORMULA_FN_SQRT:
        return NumberValue(std::sqrt(AToF(Bytes(a[0]))));
    case FORMULA_FN_FACT: {
        // 170! is the largest factorial a double holds; beyond it the product
        // is infinite, which NumberValue reports.
        const double dN = std::trunc(AToF(Bytes(a[0])));
        double dProduct = 1.0;
        if (dN > 170)
            dProduct = HUGE_VAL;
        for (int i = 2; i <= dN && i <= 170; ++i)
            dProduct *= i;
        return NumberValue(dProduct);
    }
    case FORMULA_FN_MOD: {
        const double dDivisor = AToF(Bytes(a[1]));
        if (dDivisor == 0.0) {
            SetError(FORMULA_MSG_DIVIDE_BY_ZERO);
            return CString();
        }
        return NumberValue(std::fmod(AToF(Bytes(a[0])), dDivisor));
    }
    case FORMULA_FN_ROUND:
    case FORMULA_FN_ROUNDDOWN:
    case FORMULA_FN_ROUNDUP: {
        const Rounding rounding = nFunctionId == FORMULA_FN_ROUND       ? Rounding::HalfAwayFromZero
                                  : nFunctionId == FORMULA_FN_ROUNDDOWN ? Rounding::TowardZero
                                                                        : Rounding::AwayFromZero;
        return NumberValue(RoundDecimal(AToF(Bytes(a[0])), AToL(Bytes(a[1])), rounding));
    }
    case FORMULA_FN_INT:
        return NumberValue(std::trunc(AToF(Bytes(a[0]))));
    case FORMULA_FN_LEFT: {
        const long long nCount = AToI(Bytes(a[1]));
        if (nCount <= 0)
            return CString();
        if (nCount >= Length(a[0]))
            return a[0];
        long long nEnd = nCount;
        if (!IsBoundary(a[0], nEnd))
            --nEnd;
        return a[0].Left(static_cast<int>(nEnd));
    }
    case FORMULA_FN_RIGHT: {
        const long long nCount = AToI(Bytes(a[1]));
        if (nCount <= 0)
            return CString();
        if (nCount >= Length(a[0]))
            return a[0];
        long long nStart = Length(a[0]) - nCount;
        if (!IsBoundary(a[0], nStart))
            ++nStart;
        return a[0].Mid(static_cast<int>(nStart));
    }
    case FORMULA_FN_MID: {
        const long long nStart = AToI(Bytes(a[1]));
        const long long nCount = AToI(Bytes(a[2]));
        if (nStart < 1 || nStart > Length(a[0]) || nCount <= 0)
            return CString();
        long long nBegin = nStart - 1;
        long long nEnd = std::min<long long>(nBegin + nCount, Length(a[0]));
        if (!IsBoundary(a[0], nBegin))
            ++nBegin;
        if (!IsBoundary(a[0], nEnd))
            --nEnd;
        return nEnd > nBegin ? a[0].Mid(static_cast<int>(nBegin), static_cast<int>(nEnd - nBegin)) : CString();
    }
    case FORMULA_FN_REPLACE: {
        const long long nStart = AToI(Bytes(a[1]));
        const long long nCount = std::max(0, AToI(Bytes(a[2])));
        if (nStart < 1 || nStart > Length(a[0]))
            return a[0];
        // Every character the byte span touches is replaced whole.
        long long nBegin = nStart - 1;
        long long nEnd = std::min<long long>(nBegin + nCount, Length(a[0]));
        if (!IsBoundary(a[0], nBegin))
            --nBegin;
        if (!IsBoundary(a[0], nEnd))
            ++nEnd;
        return a[0].Left(static_cast<int>(nBegin)) + a[3] + a[0].Mid(static_cast<int>(nEnd));
    }
    case FORMULA_FN_REPT: {
        const long long nTimes = AToI(Bytes(a[1]));
        if (nTimes <= 0)
            return CString();
        if (nTimes * Length(a[0]) > kMaxReptLength) {
            SetError(FORMULA_MSG_REPT_TOO_LONG);
            return CString();
        }
        std::string out;
        out.reserve(static_cast<size_t>(nTimes * Length(a[0])));
        for (long long i = 0; i < nTimes; ++i)
            out += a[0].Str();
        return CString(out);
    }
    case FORMULA_FN_LEN:
        return IntegerText(Length(a[0]));
    case FORMULA_FN_LOWER: {
        CString strText = a[0];
        strText.MakeLower();
        return strText;
    }
    case FORMULA_FN_UPPER: {
        CString strText = a[0];
        strText.MakeUpper();
        return strText;
    }
    case FORMULA_FN_TRIM: {
        CString strText = a[0];
        strText.Trim();
        return strText;
    }
    case FORMULA_FN_RMB: {
        const double dValue = AToF(Bytes(a[0]));
        if (!std::isfinite(dValue))
            return NumberValue(dValue);
        return CString("￥") + GroupedAmount(dValue);
    }
    case FORMULA_FN_SUBSTITUTE: {
        const std::string& text = a[0].Str();
        const std::string& old = a[1].Str();
        const long long nWanted = nArgs == 4 ? AToI(Bytes(a[3])) : 0;
        if (old.empty())
            return a[0];
        const int nLength = Length(a[0]);
        std::string out;
        long long nSeen = 0;
        int i = 0;
        while (i < nLength) {
            const bool bMatch = text.compare(static_cast<size_t>(i), old.size(), old) == 0 &&
                                IsBoundary(a[0], static_cast<long long>(i) + static_cast<long long>(old.size()));
            if (bMatch) {
                ++nSeen;
                if (nWanted == 0 || nSeen == nWanted)
                    out += a[2].Str();
                else
                    out += old;
                i += static_cast<int>(old.size());
                continue;
            }
            const int nNext = cp936::NextChar(Bytes(a[0]), nLength, i);
            out.append(text, static_cast<size_t>(i), static_cast<size_t>(nNext - i));
            i = nNext;
        }
        return CString(out);
    }
    case FORMULA_FN_AND:
    case FORMULA_FN_OR: {
        const bool bAnd = nFunctionId == FORMULA_FN_AND;
        bool bResult = bAnd;
        ForEachArgumentValue(args, [&](const char* p, size_t nLength, bool) {
            const bool bZero = nLength == 1 && p[0] == '0';
            if (bAnd && bZero)
                bResult = false;
            if (!bAnd && !bZero)
                bResult = true;
        });
        return CString(bResult ? "1" : "0");
    }
    case FORMULA_FN_NOT:
        return CString(AToF(Bytes(a[0])) == 0.0 ? "1" : "0");
    default:
        return CString();
    }
}

CString CFormulaEngine::CallUserFunction(WORD nFunctionId, const CStringArray& args)
{
    const size_t nIndex = static_cast<size_t>(nFunctionId - FORMULA_USER_ID_BASE);
    if (nIndex >= m_userFunctions.size())
        return CString();
    std::string strParameters;
    for (const CString& arg : args)
        AppendJoinedValue(strParameters, arg.GetString(), static_cast<size_t>(arg.GetLength()));
    const CString strName = m_userFunctions[nIndex].strName;
    char szResult[FORMULA_RESULT_BUFFER_SIZE] = {};
    FormulaCallInfo info = {strName.GetString(), strParameters.c_str(), szResult};
    if (m_pSource != nullptr)
        m_pSource->CalcUserFunction(info);
    info.pszResult = szResult;   // whatever the host did with the pointer, the value is in our buffer
    return GetFormulaCallResult(info);
}
