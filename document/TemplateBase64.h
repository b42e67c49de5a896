// CBase64: the standard Base64 coder (RFC 4648 alphabet, '=' padding, no line
// breaks) that carries a whole template as one text.
//
// Decoding is strict: every character must be of the alphabet, except '='
// which is skipped wherever it stands; any other character (blanks and line
// breaks included) makes the whole text decode to nothing.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstddef>
#include <string>
#include <vector>

class CBase64 {
public:
    static std::string Encode(const BYTE* pData, size_t nLength);
    // The length of the encoded form of nLength bytes.
    static size_t EncodedLength(size_t nLength) { return (nLength + 2) / 3 * 4; }
    // Writes the EncodedLength(nLength) characters to pOut (no NUL).
    static void EncodeTo(const BYTE* pData, size_t nLength, char* pOut);
    // FALSE (bytes empty) for a character outside the alphabet and '='.
    static BOOL Decode(const char* pText, size_t nLength, std::vector<BYTE>& bytes);
    static BOOL Decode(LPCTSTR szText, std::vector<BYTE>& bytes);
};
