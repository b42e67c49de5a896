// KivoSample.exe: shows the sample frame until it is closed.
#include "sample/SampleSheet.h"

#include "platform/System.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    PlatformRegisterWindowClass("KivoSampleFrame", CS_HREDRAW | CS_VREDRAW, PlatformLoadCursor(IDC_ARROW),
                                COLOR_BTNFACE + 1);
    SampleFrame frame;
    if (!frame.CreateEx(0, "KivoSampleFrame", "KivoSheet 示例", WS_OVERLAPPEDWINDOW, CRect(40, 40, 900, 420), nullptr,
                        0)) {
        AfxMessageBox("无法创建窗口", MB_OK | MB_ICONERROR);
        return 1;
    }
    frame.ShowWindow(nCmdShow == 0 ? SW_SHOW : nCmdShow);
    frame.UpdateWindow();
    return PlatformRunMessageLoop();
}
