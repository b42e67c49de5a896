#include "designer/KivoSheetDesignerDoc.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerView.h"

const char* const CKivoSheetDesignerDoc::kDocName = "卡沃表格";
const char* const CKivoSheetDesignerDoc::kSaveFailed = "保存文件失败! 请确定文件是否被占用!";

namespace {

const char kCaption[] = "翠禾报表设计器";

}  // namespace

CString FileTitleOfPath(const CString& path)
{
    const char* s = path.GetString();
    const int len = path.GetLength();
    int start = 0;
    for (int i = 0; i < len; i = cp936::NextChar(s, len, i)) {
        if (s[i] == '\\' || s[i] == '/')
            start = i + 1;
    }
    return path.Mid(start);
}

CKivoSheetDesignerDoc::CKivoSheetDesignerDoc(IDesignerUi& ui) : m_ui(ui) {}

void CKivoSheetDesignerDoc::SetView(CKivoSheetDesignerView* view)
{
    m_view = view;
    if (m_view != nullptr) {
        m_view->SetChangeHandler([this] { SetModifiedFlag(TRUE); });
        m_view->SetDocument(this);
    }
}

void CKivoSheetDesignerDoc::OnNewDocument(int number)
{
    m_path.Empty();
    m_title = CString(kDocName) + CString(std::to_string(number));
    m_modified = FALSE;
    TitleChanged();
}

void CKivoSheetDesignerDoc::SetPathName(const CString& path)
{
    m_path = path;
    m_title = FileTitleOfPath(path);
    if (m_view != nullptr)
        m_view->m_strFilePath = path;
}

void CKivoSheetDesignerDoc::AdoptPath(const CString& path)
{
    if (path.IsEmpty()) {
        m_path.Empty();
        if (m_view != nullptr)
            m_view->m_strFilePath.Empty();
    } else {
        SetPathName(path);
    }
    TitleChanged();
}

void CKivoSheetDesignerDoc::ExplainOpenResult(IDesignerUi& ui, LONG result, const char* caption)
{
    // The control says why a file it cannot read is damaged; for a wrong
    // magic or password and for a template too old it says nothing.
    if (result == -2)
        ui.MessageBox(CString("打开文件失败! 这不是卡沃模板文件, 或者文件需要密码."), CString(caption),
                      MB_OK | MB_ICONEXCLAMATION);
    else if (result == -3)
        ui.MessageBox(CString("打开文件失败! 模板文件的格式版本太旧."), CString(caption), MB_OK | MB_ICONEXCLAMATION);
}

BOOL CKivoSheetDesignerDoc::OnOpenDocument(const CString& path)
{
    if (m_view == nullptr)
        return FALSE;
    const LONG result = m_view->Grid().GridOpenFile(path, CString());
    if (result != 1) {
        ExplainOpenResult(m_ui, result, kCaption);
        return FALSE;
    }
    SetPathName(path);
    m_modified = FALSE;
    TitleChanged();
    return TRUE;
}

BOOL CKivoSheetDesignerDoc::OnSaveDocument(const CString& path)
{
    if (m_view == nullptr)
        return FALSE;
    const LONG result = m_view->Grid().GridSaveFile(path, CString());
    if (result <= 0) {
        m_ui.MessageBox(CString(kSaveFailed), CString(kCaption), MB_OK);
        return FALSE;
    }
    m_modified = FALSE;
    TitleChanged();
    return TRUE;
}

BOOL CKivoSheetDesignerDoc::DoSave(const CString& pathIn, bool replacePath)
{
    CString path = pathIn;
    if (path.IsEmpty()) {
        CString suggested = m_title;
        if (m_path.IsEmpty())
            suggested += ".kvx";
        path = m_ui.AskSavePath(suggested);
        if (path.IsEmpty())
            return FALSE;
    }
    if (!OnSaveDocument(path))
        return FALSE;
    if (replacePath) {
        SetPathName(path);
        TitleChanged();
    }
    return TRUE;
}

BOOL CKivoSheetDesignerDoc::DoFileSave()
{
    return DoSave(m_path, true);
}

BOOL CKivoSheetDesignerDoc::SaveModified()
{
    if (!m_modified)
        return TRUE;
    const CString text = CString("是否保存对 ") + m_title + " 的修改?";
    switch (m_ui.MessageBox(text, CString(kCaption), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

void CKivoSheetDesignerDoc::SetModifiedFlag(BOOL modified)
{
    const BOOL was = m_modified;
    m_modified = modified ? TRUE : FALSE;
    if (was != m_modified)
        TitleChanged();
}

CString CKivoSheetDesignerDoc::GetCaption() const
{
    return m_modified ? m_title + "*" : m_title;
}

void CKivoSheetDesignerDoc::TitleChanged()
{
    if (m_onTitle != nullptr)
        m_onTitle(m_onTitleContext);
}
