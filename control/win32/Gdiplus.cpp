#include "control/win32/Gdiplus.h"

#include <windows.h>

#include <cstdint>

// The flat start-up entry points of gdiplus.dll, declared from their documented
// signatures.
namespace {

struct StartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

}  // namespace

extern "C" int WINAPI GdiplusStartup(ULONG_PTR* token, const StartupInput* input, void* output);
extern "C" void WINAPI GdiplusShutdown(ULONG_PTR token);

namespace {
int g_users = 0;
ULONG_PTR g_token = 0;
}  // namespace

bool KivoGdiplusAcquire()
{
    if (g_users == 0) {
        StartupInput input = {1, nullptr, FALSE, FALSE};
        ULONG_PTR token = 0;
        if (GdiplusStartup(&token, &input, nullptr) != 0 || token == 0)
            return false;
        g_token = token;
    }
    ++g_users;
    return true;
}

void KivoGdiplusRelease()
{
    if (g_users <= 0)
        return;
    if (--g_users == 0) {
        GdiplusShutdown(g_token);
        g_token = 0;
    }
}
