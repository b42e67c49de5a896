// The module (EXE or DLL) that holds the platform code: window classes and
// bitmap resources belong to it.
#pragma once

#include "base/WinTypes.h"

HINSTANCE PlatformModuleInstance();
