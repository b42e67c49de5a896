// The control's About box: the version line it shows in control 268, made
// from the version text of string resource 201.
#pragma once

#include "base/CString.h"

namespace controlabout {

const int kDialogId = 1;
const int kVersionLineId = 268;
const int kVersionStringId = 201;

// "KivoSheet, Version <version>".
CString VersionLine(const CString& strVersion);

}  // namespace controlabout
