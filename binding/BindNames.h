// Names of binds, connections and data sets: held in 16-byte fields, so at
// most 15 bytes; a longer name is cut to 15 bytes, never inside a two-byte
// character. Names compare exactly (byte by byte).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

const int BIND_NAME_FIELD_SIZE = 16;

CString CutBindName(LPCTSTR szName);
