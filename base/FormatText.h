// printf-style formatting into a std::string, the same on every build; the
// engine behind CString::Format. The accepted specifications are listed at
// CString::Format (base/CString.h). Integers, characters and strings are
// formatted here, floating-point values by base/NumberText.h.
#pragma once

#include "base/CString.h"

#include <cstdarg>
#include <string>

void AppendFormatTextV(std::string& out, const char* pszFormat, va_list args);

// The C-variadic form: never give it a class object (see FormatText).
std::string FormatTextC(const char* pszFormat, ...);

// Like CString::Format: a CString argument is passed as its text, other class
// objects are refused at compile time.
template <class... Args>
std::string FormatText(const char* pszFormat, const Args&... args)
{
    return FormatTextC(pszFormat, kivo_format::Arg(args)...);
}
