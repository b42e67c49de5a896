// The COM server module: counts of live objects and server locks (what
// DllCanUnloadNow reads) and the type library held in the module's resources.
#pragma once

#include "base/WinTypes.h"

#include <oaidl.h>

HINSTANCE KivoModuleInstance();
// Full path of KivoSheet.dll (UTF-16).
const wchar_t* KivoModulePath();

void KivoModuleObjectCreated();
void KivoModuleObjectDestroyed();
void KivoModuleLockServer(BOOL lock);
// Live objects plus server locks.
LONG KivoModuleUseCount();

// The type library of the module's own resources (loaded once, not
// registered); one reference for the caller.
HRESULT KivoTypeLib(ITypeLib** out);
// Type information of an interface or class of the type library; one reference
// for the caller.
HRESULT KivoTypeInfo(REFGUID guid, ITypeInfo** out);
// Drops the cached type library (when the module may unload).
void KivoReleaseTypeLib();
