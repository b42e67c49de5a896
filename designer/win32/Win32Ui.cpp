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
