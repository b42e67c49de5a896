// What the rich-text cell asks of its in-place rich-text editor, and the hook
// that makes one.
//
// The editor window belongs to the platform layer; the cell reaches it only
// through this interface. Like the other in-place editors it owns itself: the
// cell keeps its window as the cell's editor window, destroys the window when
// the edit ends and never deletes the object. The window can also go without
// the cell (with the grid's window, or its parent's): the cell keeps the
// editor's liveness token and forgets an editor whose token has expired
// before it touches it.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "grid/RichTextHostBase.h"

#include <memory>

class CGridCtrl;
class CRichTextHostBase;
class CWnd;

class CRichTextEditorSite {
public:
    virtual ~CRichTextEditorSite() = default;
    // The editor's rich edit as a message back end (selection, formats, ...).
    virtual CRichTextHostBase* GetBackEnd() = 0;
    // Set while the cell has locked its content on this editor.
    virtual BOOL GetLockMark() const = 0;
    virtual void SetLockMark(BOOL bLocked) = 0;
    virtual void SetContentRTF(const CString& strRTF) = 0;
    virtual CString GetContentRTF() = 0;
    // The content streamed out as plain text (CR LF per break).
    virtual CString GetContentText() = 0;
    // Replaces the content by plain text in the cell's default format
    // (SuperEditRequest::cfDefault).
    virtual void SetContentText(const CString& strText) = 0;
    virtual void ShowToolBar(BOOL bShow) = 0;
};

struct SuperEditRequest {
    CGridCtrl* pGrid = nullptr;
    CRect rect;                  // grid client coordinates
    UINT nID = 0;
    int nRow = -1;
    int nCol = -1;
    CString strContent;          // RTF, or plain text
    UINT nChar = 0;              // the character that started the edit
    COLORREF crBack = 0;
    int nToolBarX = 0;
    int nToolBarY = 0;
    BOOL bShowToolBar = TRUE;
    BOOL bPopupMenu = TRUE;
    // The format content takes where it says nothing itself: the cell's font.
    RichCharFormat cfDefault;
};

struct SuperEditHooks {
    // Opens the editor window; NULL when it cannot be made.
    CWnd* (*pfnCreate)(const SuperEditRequest& request) = nullptr;
    // The editor behind a window made by pfnCreate; NULL for any other window.
    CRichTextEditorSite* (*pfnSite)(CWnd* pWnd) = nullptr;
    // Ends the edit: the editor reports its texts to the grid and closes.
    void (*pfnEndEdit)(CWnd* pWnd) = nullptr;
    // The liveness token of a window made by pfnCreate, asked right after it
    // was made: it expires when the editor's window is destroyed.
    std::weak_ptr<void> (*pfnAlive)(CWnd* pWnd) = nullptr;
};

void SetSuperEditHooks(const SuperEditHooks& hooks);
const SuperEditHooks& GetSuperEditHooks();
