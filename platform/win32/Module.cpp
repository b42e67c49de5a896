#include "platform/win32/Module.h"

namespace {
const char kModuleMarker = 0;
}

HINSTANCE PlatformModuleInstance()
{
    static HINSTANCE instance = [] {
        HMODULE module = nullptr;
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             &kModuleMarker, &module);
        return static_cast<HINSTANCE>(module);
    }();
    return instance;
}
