// The user interface the portable view and document ask: message boxes
// owned by the main frame, the clipboard, the frame's boxes and the file
// dialogs of templates.
#include "designer/win32/Framework.h"

#include "designer/win32/DialogWindows.h"

#include <commdlg.h>

#include <cstring>

namespace {

// "卡沃文件(*.kvx)" | *.kvx | "所有文件(*.*)" | *.*
const char kFilter[] = "卡沃文件(*.kvx)\0*.kvx\0所有文件(*.*)\0*.*\0";

}  // namespace

int CWin32Ui::MessageBox(const CString& text, const CString& caption, UINT type)
{
    HWND owner = m_frame != nullptr ? m_frame->Hwnd() : nullptr;
    // A box with no caption of its own is captioned with the program's title.
    const CString shown = caption.IsEmpty() ? LoadResourceString(0xE000) : caption;
    return ::MessageBoxA(owner, text, shown, type);
}

bool CWin32Ui::CanPaste()
{
    HWND owner = m_frame != nullptr ? m_frame->Hwnd() : nullptr;
    if (!::OpenClipboard(owner))
        return false;
    bool found = false;
    for (UINT format = ::EnumClipboardFormats(0); format != 0 && !found; format = ::EnumClipboardFormats(format)) {
        if ((format == g_nKivoSheetClipFormat && format != 0) || format == CF_TEXT)
            found = ::IsClipboardFormatAvailable(format) != FALSE;
    }
    ::CloseClipboard();
    return found;
}

void CWin32Ui::SelectFontName(const CString& name)
{
    if (m_frame != nullptr)
        m_frame->SelectFontName(name);
}

void CWin32Ui::SelectFontSize(const CString& size)
{
    if (m_frame != nullptr)
        m_frame->SelectFontSize(size);
}

void CWin32Ui::SelectFirstInsertReferences()
{
    if (m_frame != nullptr)
        m_frame->SelectFirstInsertReferences();
}

CString CWin32Ui::AskSavePath(const CString& suggestedName)
{
    char path[MAX_PATH * 2] = {0};
    std::strncpy(path, suggestedName.GetString(), sizeof(path) - 1);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_frame != nullptr ? m_frame->Hwnd() : nullptr;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof(path);
    ofn.lpstrDefExt = "kvx";
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameA(&ofn))
        return CString();
    return CString(path);
}

CString CWin32Ui::AskOpenPath()
{
    char path[MAX_PATH * 2] = {0};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_frame != nullptr ? m_frame->Hwnd() : nullptr;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof(path);
    ofn.lpstrDefExt = "kvx";
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!::GetOpenFileNameA(&ofn))
        return CString();
    return CString(path);
}

int CWin32Ui::DoModal(CDesignerDialog& dialog)
{
    HWND owner = m_frame != nullptr ? m_frame->Hwnd() : nullptr;
    return RunDialogWindow(owner, dialog);
}

BOOL CWin32Ui::PickColor(COLORREF& color)
{
    // The custom colours the user mixed stay for the whole run.
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = m_frame != nullptr ? m_frame->Hwnd() : nullptr;
    cc.rgbResult = color;
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorA(&cc))
        return FALSE;
    color = cc.rgbResult;
    return TRUE;
}

// ---- File, table and help menus and the tools ----

#include "designer/CGFILTYP.h"
#include "designer/win32/Win32Files.h"

#include <shlobj.h>

namespace {

// "text|pattern|...||" as the dialog's list of NUL-separated pairs.
std::string DialogFilter(const CString& filter)
{
    std::string f(filter.GetString());
    for (char& ch : f)
        if (ch == '|')
            ch = '\0';
    f.push_back('\0');
    return f;
}

CString AskFile(HWND owner, const CString& filter, const CString& defaultExt, bool save)
{
    char path[MAX_PATH * 2] = {0};
    const std::string f = DialogFilter(filter);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = f.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof(path);
    ofn.lpstrDefExt = defaultExt.IsEmpty() ? nullptr : defaultExt.GetString();
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    const BOOL ok = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    return ok ? CString(path) : CString();
}

// The classes root of the registry as the association writes it.
class CClassesRootKey : public IRegistryRoot {
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

}  // namespace

CString CWin32Ui::AskOpenFile(const CString& filter, const CString& defaultExt)
{
    return AskFile(m_frame != nullptr ? m_frame->Hwnd() : nullptr, filter, defaultExt, false);
}

CString CWin32Ui::AskSaveFile(const CString& filter, const CString& defaultExt)
{
    return AskFile(m_frame != nullptr ? m_frame->Hwnd() : nullptr, filter, defaultExt, true);
}

IRegistryRoot* CWin32Ui::ClassesRoot()
{
    static CClassesRootKey root;
    return &root;
}

CString CWin32Ui::ProgramPath()
{
    char path[520] = {0};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
    return n > 0 && n < sizeof(path) - 1 ? CString(path, static_cast<int>(n)) : CString();
}

void CWin32Ui::AssociationsChanged()
{
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSHNOWAIT, nullptr, nullptr);
}

IDesignerFiles* CWin32Ui::Files()
{
    static CWin32Files files;
    return &files;
}

void CWin32Ui::PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// ---- Editing commands: the frame's toolbar state ----

int CWin32Ui::ToolbarChecked(UINT id)
{
    return m_frame != nullptr ? m_frame->ToolbarChecked(id) : -1;
}

int CWin32Ui::LineStyleIndex()
{
    return m_frame != nullptr ? m_frame->LineStyleIndex() : -1;
}

COLORREF CWin32Ui::LineColor()
{
    return m_frame != nullptr ? m_frame->LineColor() : 0;
}

void CWin32Ui::SetLineColor(COLORREF color)
{
    if (m_frame != nullptr)
        m_frame->SetLineColor(color);
}

CString CWin32Ui::ChosenFontName()
{
    return m_frame != nullptr ? m_frame->ChosenFontName() : CString();
}

CString CWin32Ui::ChosenFontSize()
{
    return m_frame != nullptr ? m_frame->ChosenFontSize() : CString();
}
