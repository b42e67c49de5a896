// KivoSample.exe: shows the sample frame until it is closed.
#include "sample/SampleSheet.h"

#include "cells/GridScrollBarHooks.h"
#include "cells/InPlaceEditHooks.h"
#include "platform/System.h"

#include <windows.h>

// GDI+ decodes the grid's pictures; its start-up entry points, declared from
// their documented signatures.
namespace {
struct GdiplusStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};
}  // namespace
extern "C" int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output);
extern "C" void WINAPI GdiplusShutdown(ULONG_PTR token);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    CGridCtrl::SetProgramPath(path);
    InstallGridScrollBarHooks();
    InstallInPlaceEditHooks();
    GdiplusStartupInput gdiplusInput = {1, nullptr, FALSE, FALSE};
    ULONG_PTR gdiplusToken = 0;
    const bool gdiplus = GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr) == 0;

    PlatformRegisterWindowClass("KivoSampleFrame", CS_HREDRAW | CS_VREDRAW, PlatformLoadCursor(IDC_ARROW),
                                COLOR_BTNFACE + 1);
    SampleFrame frame;
    if (!frame.CreateEx(0, "KivoSampleFrame", "KivoSheet 示例", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CRect(40, 40, 940, 600), nullptr, 0)) {
        AfxMessageBox("无法创建窗口", MB_OK | MB_ICONERROR);
        return 1;
    }
    frame.ShowWindow(nCmdShow == 0 ? SW_SHOW : nCmdShow);
    frame.UpdateWindow();
    const int code = PlatformRunMessageLoop();
    if (gdiplus)
        GdiplusShutdown(gdiplusToken);
    return code;
}
