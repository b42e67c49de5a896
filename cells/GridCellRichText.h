// CGridCellSuperEdit: the rich-text cell (control word "superedit").
//
// It holds its content as RTF next to the plain text every cell has (the
// plain text is what GetCellText, the clipboard and the exports read). It
// draws and measures itself by loading its RTF into the grid's one
// windowless host (CGridCtrl::GetRichTextHost); it is edited in place in the
// rich-text editor (cells/RichTextEditorSite.h).
//
// The SE operations work on the cell's locked content: SELockContent opens
// it on the editor while the cell is being edited, else on a host of the
// cell's own (CSuperEditTextHost); SEUnlockContent writes the RTF and the
// plain text back. Without a locked content every SE operation answers its
// neutral value (0, "", 1 for SEParaGetAlign) and changes nothing.
//
// Positions count characters of the text services' own text, where every
// paragraph break is one character (cells/RichTextParagraphs.h).
//
// Record level (end tag 3700), after CGridCell's, each item only when it
// differs from its default: 3501 popup-menu flag (not 1), 3502 show-toolbar
// flag (not 1), 3503 toolbar-position-set flag (not 0) always followed by
// 3504 toolbar x and y, 3505 the RTF with its NUL (not empty).
#pragma once

#include "cells/SuperEditTextHost.h"
#include "grid/GridCell.h"

#include <memory>
#include <string>

const int CELL_RECORD_SUPEREDIT_END = 3700;
const int CELL_RECORD_SUPEREDIT_POPUP = 3501;
const int CELL_RECORD_SUPEREDIT_SHOWTOOLBAR = 3502;
const int CELL_RECORD_SUPEREDIT_POSSET = 3503;
const int CELL_RECORD_SUPEREDIT_POS = 3504;
const int CELL_RECORD_SUPEREDIT_RTF = 3505;

class CRichTextEditorSite;

class CGridCellSuperEdit : public CGridCell {
    DECLARE_DYNCREATE(CGridCellSuperEdit)

public:
    CGridCellSuperEdit();
    ~CGridCellSuperEdit() override;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    // Stores the plain text; while the content is locked it also replaces
    // the locked content (face "宋体", bold off) and takes its RTF.
    void SetText(LPCTSTR szText) override;
    CString GetRichText() override { return m_strRichText; }
    void SetRichText(const CString& strRichText) override;
    void SetRichTextParam(int nParam1, int nParam2) override;

    int GetToolBarX() const { return m_nToolBarX; }
    int GetToolBarY() const { return m_nToolBarY; }
    BOOL IsToolBarPosSet() const { return m_bToolBarPosSet; }
    BOOL IsLocked() const { return m_bLockedOnEditor || m_pLockedHost != nullptr; }
    BOOL IsLockedOnEditor() const { return m_bLockedOnEditor; }

    BOOL SELockContent() override;
    BOOL SEUnlockContent() override;
    BOOL SECharSetSel(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharGetSel(LONG* pnStartChar, LONG* pnEndChar) override;
    BOOL SEParaSetSel(LONG nStartPara, LONG nEndPara) override;
    BOOL SEParaGetSel(LONG* pnStartPara, LONG* pnEndPara) override;
    BOOL SEClearSel() override;
    BOOL SECharSetFontName(LPCTSTR szFontName) override;
    BOOL SECharSetFontNameEx(LONG nStartChar, LONG nEndChar, LPCTSTR szFontName) override;
    CString SECharGetFontName() override;
    CString SECharGetFontNameEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetFontSize(LONG nFontSize) override;
    BOOL SECharSetFontSizeEx(LONG nStartChar, LONG nEndChar, LONG nFontSize) override;
    LONG SECharGetFontSize() override;
    LONG SECharGetFontSizeEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetTextColor(COLORREF clColor) override;
    BOOL SECharSetTextColorEx(LONG nStartChar, LONG nEndChar, COLORREF clColor) override;
    LONG SECharGetTextColor() override;
    LONG SECharGetTextColorEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetBgColor(short bSet, COLORREF clColor) override;
    BOOL SECharSetBgColorEx(LONG nStartChar, LONG nEndChar, short bSet, COLORREF clColor) override;
    LONG SECharGetBgColor(COLORREF* pclColor) override;
    LONG SECharGetBgColorEx(LONG nStartChar, LONG nEndChar, COLORREF* pclColor) override;
    BOOL SECharSetBold(short bBold) override;
    BOOL SECharSetBoldEx(LONG nStartChar, LONG nEndChar, short bBold) override;
    BOOL SECharGetBold() override;
    BOOL SECharGetBoldEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetItalic(short bItalic) override;
    BOOL SECharSetItalicEx(LONG nStartChar, LONG nEndChar, short bItalic) override;
    BOOL SECharGetItalic() override;
    BOOL SECharGetItalicEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetUnderline(short bUnderline) override;
    BOOL SECharSetUnderlineEx(LONG nStartChar, LONG nEndChar, short bUnderline) override;
    BOOL SECharGetUnderline() override;
    BOOL SECharGetUnderlineEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetStrikeout(short bStrikeout) override;
    BOOL SECharSetStrikeoutEx(LONG nStartChar, LONG nEndChar, short bStrikeout) override;
    BOOL SECharGetStrikeout() override;
    BOOL SECharGetStrikeoutEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetSuperscript(short bSuperscript) override;
    BOOL SECharSetSuperscriptEx(LONG nStartChar, LONG nEndChar, short bSuperscript) override;
    BOOL SECharGetSuperscript() override;
    BOOL SECharGetSuperscriptEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SECharSetSubscript(short bSubscript) override;
    BOOL SECharSetSubscriptEx(LONG nStartChar, LONG nEndChar, short bSubscript) override;
    BOOL SECharGetSubscript() override;
    BOOL SECharGetSubscriptEx(LONG nStartChar, LONG nEndChar) override;
    BOOL SEParaSetAlign(LONG nAlign) override;
    BOOL SEParaSetAlignEx(LONG nStartPara, LONG nEndPara, LONG nAlign) override;
    LONG SEParaGetAlign() override;
    LONG SEParaGetAlignEx(LONG nStartPara, LONG nEndPara) override;
    BOOL SEParaSetIndent() override;
    BOOL SEParaSetOutdent() override;
    BOOL SEParaSetIndentEx(LONG nStartPara, LONG nEndPara) override;
    BOOL SEParaSetOutdentEx(LONG nStartPara, LONG nEndPara) override;
    BOOL SEParaSetBullet(LONG nNumbering) override;
    BOOL SEParaSetBulletEx(LONG nStartPara, LONG nEndPara, LONG nNumbering) override;
    LONG SEParaGetBullet() override;
    LONG SEParaGetBulletEx(LONG nStartPara, LONG nEndPara) override;
    BOOL SEParaSetLinespacing(short nType, LONG nSpacing) override;
    BOOL SEParaSetLinespacingEx(LONG nStartPara, LONG nEndPara, short nType, LONG nSpacing) override;
    short SEParaGetLinespacing(LONG* pnSpacing) override;
    short SEParaGetLinespacingEx(LONG nStartPara, LONG nEndPara, LONG* pnSpacing) override;
    BOOL SEParaSetBeforespacing(LONG nSpacing) override;
    BOOL SEParaSetBeforespacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing) override;
    LONG SEParaGetBeforespacing() override;
    LONG SEParaGetBeforespacingEx(LONG nStartPara, LONG nEndPara) override;
    BOOL SEParaSetAfterspacing(LONG nSpacing) override;
    BOOL SEParaSetAfterspacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing) override;
    LONG SEParaGetAfterspacing() override;
    LONG SEParaGetAfterspacingEx(LONG nStartPara, LONG nEndPara) override;
    LONG SEParaGetCount() override;
    LONG SEParaGetContentEx(LONG nStartPara, LONG nEndPara, LPTSTR pszBuffer, int nBufferSize) override;
    LONG SEParaGetContent(LPTSTR pszBuffer, int nBufferSize) override;
    LONG SECharGetSelText(LPTSTR pszBuffer, int nBufferSize) override;
    LONG SECharGetSelTextEx(LONG nStartChar, LONG nEndChar, LPTSTR pszBuffer, int nBufferSize) override;
    BOOL SECtrlGetCanRedo() override;
    BOOL SECtrlGetCanUndo() override;
    BOOL SECtrlGetCanPaste() override;
    BOOL SECtrlRedo() override;
    BOOL SECtrlUndo() override;
    BOOL SECtrlCopy() override;
    BOOL SECtrlCut() override;
    BOOL SECtrlPaste() override;
    BOOL SECtrlSetShowToolBar(short bShow) override;
    BOOL SECtrlGetShowToolBar() override;
    BOOL SECtrlSetPopupMenu(short bPopup) override;
    BOOL SECtrlGetPopupMenu() override;
    BOOL SECtrlSetTextLimit(LONG nLimitCount) override;
    LONG SECtrlGetTextLimit() override;
    BOOL SECtrlSetAutoURL(short bURL) override;
    BOOL SECtrlGetAutoURL() override;
    BOOL SECtrlSetRTF(LPCTSTR szRTF) override;
    CString SECtrlGetRTF() override;
    BOOL SECtrlSetText(LPCTSTR szText) override;
    CString SECtrlGetText() override;
    BOOL SECtrlInsertText(LPCTSTR szText) override;
    BOOL SECtrlInsertTextEx(LONG nStartChar, LPCTSTR szText) override;
    BOOL SECtrlDeleteText() override;
    BOOL SECtrlDeleteTextEx(LONG nStartChar, LONG nEndChar) override;

    // The editor window while it exists; an editor that went with its window
    // (the grid's window destroyed under it) is forgotten and the cell is no
    // longer editing.
    CWnd* GetEditWnd() override;
    BOOL IsEditing() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    CSize GetTextExtent(LPCTSTR szText, CDC* pDC, int nCol) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    void OnEndEdit() override;

private:
    // Forgets the editor when its liveness token has expired.
    void ForgetVanishedEditor();
    // The locked editor while the cell is being edited, else NULL.
    CRichTextEditorSite* LockedEditor();
    // The back end of the locked content: the editor's, else the host's; NULL
    // when nothing is locked or the text services are missing.
    CRichTextHostBase* Target();
    // Selects characters start..end when start >= 0 and end >= start.
    void SelectChars(CRichTextHostBase* pTarget, LONG nStart, LONG nEnd);
    // Selects paragraphs first..last; FALSE (selection unchanged) when they do not exist.
    BOOL SelectParagraphs(CRichTextHostBase* pTarget, LONG nFirst, LONG nLast);
    void Collapse(CRichTextHostBase* pTarget);

    BOOL SetEffect(CRichTextHostBase* pTarget, DWORD dwMask, DWORD dwEffect, short bOn);
    BOOL GetEffect(CRichTextHostBase* pTarget, DWORD dwMask, DWORD dwEffect);
    BOOL SetCharField(CRichTextHostBase* pTarget, DWORD dwMask, const RichCharFormat& value);
    BOOL SetParaFields(CRichTextHostBase* pTarget, const RichParaFormat& pf);
    BOOL MoveIndent(CRichTextHostBase* pTarget, BOOL bIndent);
    LONG CopySelection(CRichTextHostBase* pTarget, LPTSTR pszBuffer, int nBufferSize);
    // Replaces the content by plain text in the cell's default format.
    void ReplaceWithPlainText(const CString& strText);
    // The format content takes where it says nothing itself: the cell's
    // font, or "宋体" regular at 9 points when the cell has none.
    RichCharFormat DefaultCharFormat();
    // Makes a host ready for this cell's content: its default format and the
    // extent it lays out in (the cell's, when known).
    void PrepareHost(CRichTextHostBase* pHost, int nWidth = 0, int nHeight = 0);
    // Loads plain text into a prepared host, all of it in the default format.
    void LoadPlainText(CRichTextHostBase* pHost, const CString& strText);
    // Draws the RTF (or, without any, the plain text) through the grid's host.
    BOOL DrawRichText(CDC* pDC, const CRect& rect);
    // Prepares the host at the extent and loads what the cell shows into it;
    // FALSE when there is nothing.
    BOOL LoadInto(CRichTextHostBase* pHost, int nWidth, int nHeight);
    // The cell's column width and row height; 0 when unknown.
    CSize CellExtent();

    CString m_strRichText;
    int m_nToolBarX = 0;
    int m_nToolBarY = 0;
    BOOL m_bShowToolBar = TRUE;
    BOOL m_bPopupMenu = TRUE;
    BOOL m_bToolBarPosSet = FALSE;
    BOOL m_bLockedOnEditor = FALSE;
    std::unique_ptr<CSuperEditTextHost> m_pLockedHost;
    std::weak_ptr<void> m_editorAlive;   // the open editor's liveness token
    BOOL m_bEditorTracked = FALSE;       // m_editorAlive belongs to the open editor
    CString m_strFontNameGet;        // the last answers of SECharGetFontName(Ex)
    CString m_strFontNameGetEx;
};
