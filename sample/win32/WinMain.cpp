// KivoSample.exe: shows the sample frame until it is closed.
#include "sample/SampleSheet.h"

#include "cells/GridScrollBarHooks.h"
#include "cells/InPlaceEditHooks.h"
#include "platform/System.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, MAX_PATH - 1);
    CGridCtrl::SetProgramPath(path);
    InstallGridScrollBarHooks();
    InstallInPlaceEditHooks();

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
    return PlatformRunMessageLoop();
}
