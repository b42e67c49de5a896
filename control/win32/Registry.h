// Self-registration of KivoSheet.dll under HKEY_CLASSES_ROOT: the type
// library, the control class, its property page and the 21 automation
// classes. A registration that fails part-way removes what it had written.
#pragma once

#include "base/WinTypes.h"

// Self-registration results.
const HRESULT kSelfRegTypeLibFailed = static_cast<HRESULT>(0x80040200u);   // SELFREG_E_TYPELIB
const HRESULT kSelfRegClassFailed = static_cast<HRESULT>(0x80040201u);     // SELFREG_E_CLASS

HRESULT KivoRegisterServer();
HRESULT KivoUnregisterServer();
