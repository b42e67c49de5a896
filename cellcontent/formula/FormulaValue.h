// Helpers of the evaluator's text value model, shared by the evaluator and the
// built-in functions.
#pragma once

#include "base/CString.h"
#include "base/CStringArray.h"
#include "base/WinTypes.h"

#include <cstring>
#include <string>

// A value that holds the range separator is a range value.
bool IsRangeValue(const std::string& strValue);

// Appends a value to a joined range value: a separator goes before it unless
// the joined text is still empty, so empty values before the first non-empty
// one leave no trace.
void AppendJoinedValue(std::string& strJoined, const char* pValue, size_t nLength);

// Whether strtod reads the whole of a non-empty text as a number.
bool IsWholeNumberText(const char* pText, size_t nLength);

// Calls f(pValue, nLength, bFromRange) for every value of an argument list: a
// single argument as it is (empty ones included), a range value piece by piece
// with its empty pieces left out. The piece pointers are not NUL-terminated at
// the piece's end, but the separator that follows a piece starts with a
// newline and a "!", which ends any number that strtod or atof reads from it.
template <class F>
void ForEachArgumentValue(const CStringArray& args, F f);

// --- implementation of the template ---------------------------------------------

extern const char FORMULA_RANGE_SEPARATOR[];

template <class F>
void ForEachArgumentValue(const CStringArray& args, F f)
{
    const size_t nSeparator = std::strlen(FORMULA_RANGE_SEPARATOR);
    for (const CString& arg : args) {
        const std::string& s = arg.Str();
        size_t nFound = s.find(FORMULA_RANGE_SEPARATOR);
        if (nFound == std::string::npos) {
            f(s.c_str(), s.size(), false);
            continue;
        }
        size_t nStart = 0;
        for (;;) {
            const size_t nEnd = nFound == std::string::npos ? s.size() : nFound;
            if (nEnd > nStart)
                f(s.c_str() + nStart, nEnd - nStart, true);
            if (nFound == std::string::npos)
                break;
            nStart = nFound + nSeparator;
            nFound = s.find(FORMULA_RANGE_SEPARATOR, nStart);
        }
    }
}
