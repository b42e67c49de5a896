// CKivoSheetDesignerDoc: one designer document. It holds no sheet of its own:
// opening and saving ask the control of its view to read or write the
// template file. It keeps the path, the title and the modified mark, and asks
// before a modified document is closed.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

class CKivoSheetDesignerView;
class IDesignerUi;

class CKivoSheetDesignerDoc {
public:
    explicit CKivoSheetDesignerDoc(IDesignerUi& ui);

    // The view whose control does the work (not owned; may be null).
    void SetView(CKivoSheetDesignerView* view);
    CKivoSheetDesignerView* GetView() const { return m_view; }

    // A new, untitled document named "卡沃表格" followed by its number.
    void OnNewDocument(int number);
    // Loads the file into the view's control. FALSE when the control did not
    // open it (the document must then not be kept); where the control gave no
    // message of its own the user is told why.
    BOOL OnOpenDocument(const CString& path);
    // Writes the file through the view's control. FALSE, after the message
    // "保存文件失败! 请确定文件是否被占用!", when the control could not; the
    // path, title and modified mark are then unchanged.
    BOOL OnSaveDocument(const CString& path);
    // Save (to the current path, asking for one when there is none) and Save
    // As (always asking). FALSE when cancelled or failed.
    BOOL DoFileSave();
    BOOL DoSave(const CString& path, bool replacePath);
    // Before closing: TRUE when the document may close (not modified, saved,
    // or the user chose not to save); FALSE when the user cancelled or the
    // save failed.
    BOOL SaveModified();

    // The window now shows the template stored at path (opened, run or
    // saved there by a command of the view): the document takes the path and
    // the file's name as its title, so the close prompt names and saves that
    // file. An empty path forgets the file (the title stays; the next save
    // asks for a path).
    void AdoptPath(const CString& path);

    BOOL IsModified() const { return m_modified; }
    void SetModifiedFlag(BOOL modified = TRUE);
    const CString& GetPathName() const { return m_path; }
    const CString& GetTitle() const { return m_title; }
    // The window caption of the document: the title, with "*" when modified.
    CString GetCaption() const;

    // Called after the title or the modified mark changed.
    void SetTitleChangeHandler(void (*handler)(void*), void* context)
    {
        m_onTitle = handler;
        m_onTitleContext = context;
    }

    static const char* const kDocName;
    static const char* const kSaveFailed;
    // Says why the control did not open a template where the control itself
    // says nothing (a wrong magic or password: -2, a template too old: -3).
    static void ExplainOpenResult(IDesignerUi& ui, LONG result, const char* caption);

private:
    void SetPathName(const CString& path);
    void TitleChanged();

    IDesignerUi& m_ui;
    CKivoSheetDesignerView* m_view = nullptr;
    CString m_path;
    CString m_title;
    BOOL m_modified = FALSE;
    void (*m_onTitle)(void*) = nullptr;
    void* m_onTitleContext = nullptr;
};

// The file name part of a path (after the last backslash or slash, at a
// character boundary of code page 936).
CString FileTitleOfPath(const CString& path);
