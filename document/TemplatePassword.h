// The password check value a template stores instead of its password: 64
// characters, split into twelve pieces across the grid body. An empty
// password gives 64 NUL bytes; any other gives the 64 lower-case hex digits
// of the SHA-256 digest of its bytes (never a NUL, since the stored value is
// compared up to its first NUL). This tells a wrong password from the right
// one; it encrypts nothing.
#pragma once

#include "base/WinTypes.h"

#include <cstddef>
#include <string>

const int kTemplatePasswordCheckSize = 64;

void MakePasswordCheck(LPCTSTR szPassword, char out[kTemplatePasswordCheckSize]);
// Compares two check values up to the first NUL of either.
BOOL PasswordChecksMatch(const char a[kTemplatePasswordCheckSize], const char b[kTemplatePasswordCheckSize]);

// The SHA-256 digest of the bytes (32 bytes).
std::string Sha256(const void* pData, size_t nLength);
