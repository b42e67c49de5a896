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
    return ::MessageBoxA(owner, text, caption, type);
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

// --- cell controls, borders and the view's file commands ---

namespace {

BOOL CALLBACK FindLineStyleBox(HWND hwnd, LPARAM found)
{
    if (::GetDlgCtrlID(hwnd) == 5422) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int CWin32Ui::LineStyleIndex()
{
    HWND box = nullptr;
    if (m_frame != nullptr)
        ::EnumChildWindows(m_frame->Hwnd(), FindLineStyleBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr)
        return -1;
    return static_cast<int>(::SendMessageA(box, CB_GETCURSEL, 0, 0));
}

COLORREF CWin32Ui::LineColour()
{
    // The line-style box draws its samples in black, the colour new lines take.
    return RGB(0, 0, 0);
}
