// The designer's program entry: start-up in the framework's order, the
// message loop with accelerators and idle update, and shutdown.
#include "designer/CGFILTYP.h"
#include "designer/CommandLine.h"
#include "designer/win32/Framework.h"
#include "designer/win32/DriverCall.h"

#include <commctrl.h>
#include <objbase.h>

UINT g_nKivoSheetClipFormat = 0;

namespace {

// The classes root of the registry as the association writes it.
class CClassesRoot : public IRegistryRoot {
public:
    bool SetString(const CString& key, const CString& valueName, const CString& value) override
    {
        HKEY h = nullptr;
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &h,
                              nullptr) != ERROR_SUCCESS)
            return false;
        const LONG r = ::RegSetValueExA(h, valueName.IsEmpty() ? nullptr : valueName.GetString(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.GetString()),
                                        static_cast<DWORD>(value.GetLength() + 1));
        ::RegCloseKey(h);
        return r == ERROR_SUCCESS;
    }
};

CString ProgramPath()
{
    char path[MAX_PATH * 2] = {0};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
    return CString(path, static_cast<int>(n));
}

// A second start that only opens a file hands it to the designer already
// running (an open request, as the shell's open verb would), and ends.
bool HandToRunningDesigner(const CDesignerCommandInfo& info)
{
    if (info.kind != CDesignerCommandInfo::FileOpen)
        return false;
    HWND running = ::FindWindowA(CMainFrame::kClassName, nullptr);
    if (running == nullptr)
        return false;
    char full[MAX_PATH * 2] = {0};
    const DWORD n = ::GetFullPathNameA(info.fileName, sizeof(full) - 1, full, nullptr);
    const CString request = MakeOpenRequest(n > 0 && n < sizeof(full) ? CString(full) : info.fileName);
    COPYDATASTRUCT data;
    data.dwData = 0x4B56;   // "KV": an open request
    data.cbData = static_cast<DWORD>(request.GetLength());
    data.lpData = const_cast<char*>(request.GetString());
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &answer))
        return false;
    if (answer == 0)
        return false;
    ::SetForegroundWindow(running);
    return true;
}

// What processing the command line leaves the program to do.
enum class StartResult { Fail, Run, Printed, PrintFailed };

// The print switches: the opened sheet prints on the default printer ("/p")
// or on the named one ("/pt"), and the program ends without showing itself.
StartResult PrintOpened(CChildFrame* child, const CDesignerCommandInfo& info)
{
    CGridControlWnd& control = child->Control();
    if (info.kind == CDesignerCommandInfo::FilePrintTo)
        control.PRTSetPrinterName(info.printerName);
    else
        control.PRTUseDefalutPrinter(1);
    return control.PRTPrint() ? StartResult::Printed : StartResult::PrintFailed;
}

StartResult ProcessCommandLine(CMainFrame& frame, const CDesignerCommandInfo& info)
{
    switch (info.kind) {
    case CDesignerCommandInfo::FileNew:
        return frame.NewDocument() != nullptr ? StartResult::Run : StartResult::Fail;
    case CDesignerCommandInfo::FileOpen:
    case CDesignerCommandInfo::FilePrint:
    case CDesignerCommandInfo::FilePrintTo: {
        char full[MAX_PATH * 2] = {0};
        const DWORD n = ::GetFullPathNameA(info.fileName, sizeof(full) - 1, full, nullptr);
        CChildFrame* child = frame.OpenDocument(n > 0 && n < sizeof(full) ? CString(full) : info.fileName);
        if (child == nullptr)
            return StartResult::Fail;
        return info.kind == CDesignerCommandInfo::FileOpen ? StartResult::Run : PrintOpened(child, info);
    }
    case CDesignerCommandInfo::AppUnregister:
        return StartResult::Fail;
    default:
        return StartResult::Run;
    }
}

int RunMessageLoop(CMainFrame& frame)
{
    MSG msg;
    for (;;) {
        while (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            frame.OnIdle();
            ::WaitMessage();
        }
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (frame.PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int nCmdShow)
{
    // Control containment needs OLE on this thread (drag and drop too).
    ::OleInitialize(nullptr);
    g_nKivoSheetClipFormat = ::RegisterClipboardFormatA("KivoSheetClip");
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);

    std::vector<CString> args = SplitCommandLine(::GetCommandLineA());
    if (!args.empty())
        args.erase(args.begin());
    const CDesignerCommandInfo command = ParseDesignerCommandLine(args);
    if (HandToRunningDesigner(command)) {
        ::OleUninitialize();
        return 0;
    }

    int code = 0;
    {
        CMainFrame frame(instance);
        frame.LoadRecentFiles();
        if (!frame.LoadFrame()) {
            ::OleUninitialize();
            return 0;
        }
        ::DragAcceptFiles(frame.Hwnd(), TRUE);
        CClassesRoot root;
        RegisterShellFileTypes(&root, ProgramPath());
        const StartResult start = ProcessCommandLine(frame, command);
        if (start != StartResult::Run) {
            ::DestroyWindow(frame.Hwnd());
            ::OleUninitialize();
            // A print run answers 0 when the sheet printed, 1 when it did not.
            return start == StartResult::PrintFailed ? 1 : 0;
        }
        // Centred on the desktop before it is first shown: the frame (and
        // the document a command line opened in it) appears where it stays
        // instead of jumping there after the first paint.
        RECT rc, desk;
        ::GetWindowRect(frame.Hwnd(), &rc);
        ::GetWindowRect(::GetDesktopWindow(), &desk);
        const int w = rc.right - rc.left, h = rc.bottom - rc.top;
        if (!::IsZoomed(frame.Hwnd()))
            ::SetWindowPos(frame.Hwnd(), nullptr, desk.left + (desk.right - desk.left - w) / 2,
                           desk.top + (desk.bottom - desk.top - h) / 2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(frame.Hwnd(), nCmdShow == SW_SHOWDEFAULT || nCmdShow == 0 ? SW_SHOWNORMAL : nCmdShow);
        ::UpdateWindow(frame.Hwnd());
        code = RunMessageLoop(frame);
        frame.SaveRecentFiles();
    }
    ::OleUninitialize();
    return code;
}
