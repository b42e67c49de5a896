// CKivoSheetCtrl: the grid control. A thin window that owns one grid object
// and shows the grid window over its whole client area; the dispatch members
// (CKivoSheetDispatch) are the host's road into the sheet and the events
// (CKivoSheetEvents) the road back. The COM layer (control/win32) wraps one
// of these in the ActiveX control object.
#pragma once

#include "control/EventTranslation.h"
#include "control/GridLink.h"
#include "control/GridPort.h"
#include "control/KivoSheetDispatch.gen.h"
#include "control/KivoSheetEvents.gen.h"
#include "platform/Wnd.h"

#include <memory>

class CGridCellBase;

// What the control asks of its host (the ActiveX object around it).
class CKivoSheetHost {
public:
    virtual ~CKivoSheetHost() = default;
    // The container's ambient user mode (TRUE when it does not say).
    virtual bool IsUserMode() = 0;
    // The control's persistent state changed.
    virtual void SetModified() = 0;
    // Activate in place with UI activation.
    virtual void ActivateInPlace() = 0;
    virtual bool IsUIActive() = 0;
    virtual void ShowAboutBox() = 0;
};

class CKivoSheetCtrl : public CWnd, public CKivoSheetDispatch, private CEventContext {
public:
    // Child identifier of the grid window inside the control.
    static const UINT kGridWindowId = 81220;
    // The version number the control keeps with its persistent state.
    static const DWORD kPersistVersion = 0x10000;

    CKivoSheetCtrl();
    ~CKivoSheetCtrl() override;

    void SetHost(CKivoSheetHost* host) { m_host = host; }
    CKivoSheetEvents& Events() { return m_events; }
    CGridPort* GetGrid() { return m_grid.get(); }
    // The grid engine as the automation objects the control hands out hold
    // it: it answers no grid once the control is gone.
    CGridLink GridLink();

    // Creates the control window as a child of parent.
    BOOL CreateControl(HWND parent, const RECT& rect);
    BOOL DestroyWindow() override;
    // Drawing for the host (view drawing, printing, design mode).
    void OnDraw(CDC& dc, const RECT& bounds);
    // Keyboard routing of key-down and key-up messages; TRUE when consumed.
    BOOL PreTranslateKey(MSG* msg);

protected:
    // ---- dispatch members: what the member conventions reach, and the
    // operations built here (the generated members run the checks and the
    // redraw around them) -------------------------------------------------
    CGridPort* DispatchGrid() override { return m_grid.get(); }
    CWnd* DispatchWindow() override { return GetSafeHwnd() != nullptr ? this : nullptr; }
    LONG DoGetGridDefCellTextColor() override;
    void DoSetGridDefCellTextColor(LONG newValue) override;
    LONG DoGetGridDefCellBgColor() override;
    void DoSetGridDefCellBgColor(LONG newValue) override;
    LONG DoGetGridDefSelBgColor() override;
    void DoSetGridDefSelBgColor(LONG newValue) override;
    LONG DoGetGridDefSelBorderColor() override;
    void DoSetGridDefSelBorderColor(LONG newValue) override;
    LONG DoGridRGB(SHORT nRed, SHORT nGreen, SHORT nBlue) override;
    CString DoGridGetOCXVersion() override;
    void DoAboutBox() override;

    // ---- clipboard, edit commands, dragging and the context menu
    // (KivoSheetClipboardMembers.cpp) -----------------------------------------
    void DoGridCopy() override;
    void DoGridCut() override;
    void DoGridPaste() override;
    void DoGridSetPasteFlags(SHORT iFlags) override;
    int DoGridGetPasteFlags() override;
    void DoGridSetAllowDragAndDrop(SHORT iAllow) override;
    int DoGridGetAllowDragAndDrop() override;
    void DoGridSetAllowCopy(SHORT bAllow) override;
    int DoGridGetAllowCopy() override;
    void DoGridSetAllowCut(SHORT bAllow) override;
    int DoGridGetAllowCut() override;
    void DoGridSetAllowPaste(SHORT bAllow) override;
    int DoGridGetAllowPaste() override;
    int DoGridAddPopuMenu(LONG nMenuStyle, LONG nMenuID, const CString& strMenuText) override;

    // ---- the Row and Column families (KivoSheetRowColumnMembers.cpp) ------
    // The sheet's size and fixed lines.
    BOOL DoRowSetCount(LONG nRows) override;
    LONG DoRowGetCount() override;
    BOOL DoRowSetFixedCount(LONG nFixedRows) override;
    LONG DoRowGetFixedCount() override;
    BOOL DoColumnSetCount(LONG nCols) override;
    LONG DoColumnGetCount() override;
    BOOL DoColumnSetFixedCount(LONG nFixedCols) override;
    LONG DoColumnGetFixedCount() override;
    // Sizes, selection and scrolling to a line.
    BOOL DoRowSetHeight(LONG nRow, LONG nHeight) override;
    LONG DoRowGetHeight(LONG nRow) override;
    BOOL DoColumnSetWidth(LONG nCol, LONG nWidth) override;
    LONG DoColumnGetWidth(LONG nCol) override;
    BOOL DoRowSelect(LONG nRow) override;
    BOOL DoColumnSelect(LONG nCol) override;
    BOOL DoRowSetTop(LONG nRow) override;
    BOOL DoColumnSetLeft(LONG nCol) override;
    LONG DoRowGetTop() override;
    LONG DoColumnGetLeft() override;
    // Insertion and deletion.
    BOOL DoRowInsert(LONG nRow, LONG nCount, SHORT bAfter) override;
    BOOL DoColumnInsert(LONG nCol, LONG nCount, SHORT bRight) override;
    LONG DoRowDelete(LONG nRow, LONG nCount) override;
    LONG DoColumnDelete(LONG nCol, LONG nCount) override;
    // Whole-line colours.
    BOOL DoRowSetTextColor(LONG nRow, LONG crColor) override;
    BOOL DoRowSetBackColor(LONG nRow, LONG crColor) override;
    LONG DoRowGetBackColor(LONG nRow) override;
    LONG DoRowGetTextColor(LONG nRow) override;
    BOOL DoColumnSetTextColor(LONG nCol, LONG crColor) override;
    BOOL DoColumnSetBackColor(LONG nCol, LONG crColor) override;
    LONG DoColumnGetTextColor(LONG nCol) override;
    LONG DoColumnGetBackColor(LONG nCol) override;
    // Hiding.
    int DoRowSetHide(LONG nRow, SHORT bHide) override;
    int DoRowIsHide(LONG nRow) override;
    int DoColumnSetHide(LONG nCol, SHORT bHide) override;
    int DoColumnIsHide(LONG nCol) override;
    // Settings, fixed lines, marks and dragged sizes.
    void DoRowSetRefFlags(SHORT iRefFlags) override;
    int DoRowGetRefFlags() override;
    void DoColumnSetRefFlags(SHORT iRefFlags) override;
    int DoColumnGetRefFlags() override;
    int DoRowToFixed(LONG nCount) override;
    int DoColumnToFixed(LONG nCount) override;
    int DoRowResetFixed() override;
    int DoColumnResetFixed() override;
    CString DoColumnIdToMark(LONG nColIndex) override;
    LONG DoColumnGetDragWidth() override;
    LONG DoRowGetDragHeight() override;

    // ---- file, string and export members (KivoSheetFileMembers.cpp) ----
    LONG DoGridOpenFile(const CString& strFileName, const CString& strPwd) override;
    LONG DoGridSaveFile(const CString& strFileName, const CString& strPwd) override;
    LONG DoGridSaveCSVFile(const CString& strFileName) override;
    LONG DoGridOpenCSVFile(const CString& strFileName) override;
    int DoGridSaveExcelFile(const CString& strFileName, const CString& strPwd) override;
    int DoGridSaveExcelFileForOle(const CString& strFileName, const CString& strPwd) override;
    int DoGridImportExcelFileForOle(const CString& strFileName, const CString& strPwd, LONG nSheetIndex) override;
    LONG DoGridOpenRemoteFile(const CString& strUrl, const CString& strPwd) override;
    int DoGridSaveRemoteFile(const CString& strUrl, const CString& strPwd, const CString& strSaveAsName) override;
    int DoGridOpenTemplate(const CString& strFileName, const CString& strPwd) override;
    CString DoGridSaveBase64String(const CString& strPwd) override;
    int DoGridOpenBase64String(const CString& strBase64, const CString& strPwd) override;
    CString DoGridShowDialog(SHORT iFlags, const CString& strFilter, const CString& strDefFileName) override;
    CString DoGridSaveCSVString() override;

    // ---- printing and print preview (KivoSheetPrintMembers.cpp) ----
    BOOL DoPRTPrint() override;
    BOOL DoPRTPreview() override;
    BOOL DoPRTPageSetup() override;
    BOOL DoPRTSetPrinterName(const CString& strPrinterName) override;
    CString DoPRTGetPrinterName() override;
    BOOL DoPRTUseDefalutPrinter(SHORT bDefalut) override;
    BOOL DoPRTIsUseDefalutPrinter() override;
    BOOL DoPRTIsPrinterExist(const CString& strPrinterName) override;
    BOOL DoPRTSetPaper(SHORT nPaperIndex) override;
    int DoPRTGetPaper() override;
    BOOL DoPRTSetOrientation(SHORT nOrientation) override;
    int DoPRTGetOrientation() override;
    BOOL DoPRTSetCopies(SHORT nCopies) override;
    int DoPRTGetCopies() override;
    BOOL DoPRTSetCollate(SHORT bCollate) override;
    BOOL DoPRTGetCollate() override;
    BOOL DoPRTSetPrintFixedCol(SHORT bPrint) override;
    BOOL DoPRTGetPrintFixedCol() override;
    BOOL DoPRTSetPrintFixedRow(SHORT bPrint) override;
    BOOL DoPRTGetPrintFixedRow() override;
    BOOL DoPRTSetPrintVirtualLine(SHORT bPrint) override;
    BOOL DoPRTGetPrintVirtualLine() override;
    BOOL DoPRTSetHeaderLeft(const CString& strLeft) override;
    CString DoPRTGetHeaderLeft() override;
    BOOL DoPRTSetHeaderCenter(const CString& strCenter) override;
    CString DoPRTGetHeaderCenter() override;
    BOOL DoPRTSetHeaderRight(const CString& strRight) override;
    CString DoPRTGetHeaderRight() override;
    BOOL DoPRTSetFooterLeft(const CString& strLeft) override;
    CString DoPRTGetFooterLeft() override;
    BOOL DoPRTSetFooterCenter(const CString& strCenter) override;
    CString DoPRTGetFooterCenter() override;
    BOOL DoPRTSetFooterRight(const CString& strRight) override;
    CString DoPRTGetFooterRight() override;
    void DoPRTSetPreviewWndTitle(const CString& strTitle) override;
    CString DoPRTGetPreviewWndTitle() override;
    int DoPRTPopupPreview() override;
    void DoPRTSetHideViewBar(SHORT bHide) override;
    int DoPRTGetHideViewBar() override;
    int DoPRTCloseView() override;
    void DoPRTSetHeaderFont(SHORT iPos, const CString& strFontXml) override;
    CString DoPRTGetHeaderFont(SHORT iPos) override;
    void DoPRTSetFooterFont(SHORT iPos, const CString& strFontXml) override;
    CString DoPRTGetFooterFont(SHORT iPos) override;
    int DoPRTSetUserPaper(LONG nWidth, LONG nLength) override;
    int DoPRTSetRepeatRange(const CString& strRange, LONG nFlags) override;
    CString DoPRTGetRepeatRange(LONG nFlags) override;
    int DoPRTGetUserPaper(LONG& nWidth, LONG& nLength) override;


    // ---- the Grid family (KivoSheetGridMembers.cpp) --------------------------
    void DoGridClearSelection() override;
    BOOL DoGridSetSelectRange(LONG nMinRow, LONG nMinCol, LONG nMaxRow, LONG nMaxCol) override;
    BOOL DoGridSetSelectMode(LONG nMode) override;
    LONG DoGridGetSelectMode() override;
    LONG DoGridGetSelectedCount() override;
    BOOL DoGridGetSelectedCell(LONG nIndex, LONG& nSelectedRow, LONG& nSelectedCol) override;
    BOOL DoGridGetSelectRange(LONG& nStartRow, LONG& nStartCol, LONG& nEndRow, LONG& nEndCol) override;
    void DoGridSelectAllCells() override;
    BOOL DoGridSelectCol(LONG nCol) override;
    BOOL DoGridSelectRow(LONG nRow) override;
    int DoGridGetCurSelectType() override;
    BOOL DoGridRangeIsValid(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol) override;
    void DoGridSetFocus() override;
    BOOL DoGridSetCellEdit(LONG nRow, LONG nCol) override;
    BOOL DoGridEndCellEdit() override;
    BOOL DoGridGetVisibleRange(LONG& nTopRow, LONG& nLeftCol, LONG& nBottomRow, LONG& nRightCol) override;
    BOOL DoGridGetTopLeft(LONG& nRow, LONG& nCol) override;
    BOOL DoGridSetTopLeft(LONG nRow, LONG nCol) override;
    BOOL DoGridAutoSizeAll() override;
    BOOL DoGridAutoSizeRow(LONG nRow) override;
    BOOL DoGridAutoSizeRows() override;
    BOOL DoGridAutoSizeCol(LONG nCol) override;
    BOOL DoGridAutoSizeCols() override;
    int DoGridGetRangeSize(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol, LONG& nWidth, LONG& nHeight) override;
    void DoGridSetAllowAutoSizeRow(SHORT bAutoSize) override;
    int DoGridGetAllowAutoSizeRow() override;
    int DoGridSetRowResize(SHORT bResize) override;
    int DoGridGetRowResize() override;
    int DoGridSetColumnResize(SHORT bResize) override;
    int DoGridGetColumnResize() override;
    BOOL DoGridMergeCells(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol) override;
    BOOL DoGridUnMergeCells(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol) override;
    BOOL DoGridUnMergeCellsEx(LONG nMergedRow, LONG nMergedCol) override;
    BOOL DoGridSortColumn(LONG nCol, SHORT bAsc) override;
    int DoGridSetClickHeaderSort(SHORT bSort) override;
    int DoGridGetClickHeaderSort() override;
    BOOL DoGridSetColumnSortType(LONG nColIndex, SHORT bNumSort) override;
    LONG DoGridDeleteAllCells() override;
    LONG DoGridClearAllDatas() override;
    LONG DoGridClearRangeDatas(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol) override;
    LONG DoGridClearRangeContent(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol) override;
    BOOL DoGridSetBackColor(LONG crBack) override;
    LONG DoGridGetBackColor() override;
    BOOL DoGridSetFixedBkColor(LONG crColor) override;
    BOOL DoGridSetFixedTextColor(LONG crColor) override;
    LONG DoGridGetFixedBkColor() override;
    LONG DoGridGetFixedTextColor() override;
    BOOL DoGridSetTextColor(LONG crColor) override;
    BOOL DoGridSetTextBkColor(LONG crColor) override;
    LONG DoGridGetTextColor() override;
    LONG DoGridGetTextBkColor() override;
    void DoGridSetSelBkColor(LONG crBkColor) override;
    LONG DoGridGetSelBkColor() override;
    BOOL DoGridSetVirtualLineColor(LONG crColor) override;
    LONG DoGridGetVirtualLineColor() override;
    BOOL DoGridSetVirtualLineShowStyle(LONG nShowStyle) override;
    LONG DoGridGetVirtualLineShowStyle() override;
    void DoGridSetFixedLineColor(LONG crLineColor) override;
    LONG DoGridGetFixedLineColor() override;
    void DoGridSetFixedSelLineColor(LONG crLineColor) override;
    LONG DoGridGetFixedSelLineColor() override;
    void DoGridSetFixedColBgColor(LONG crColor) override;
    LONG DoGridGetFixedColBgColor() override;
    void DoGridSetFixedColSelColor(LONG crColor) override;
    LONG DoGridGetFixedColSelColor() override;
    void DoGridSetRowOddBkColor(LONG clColor) override;
    void DoGridSetRowEvenBkColor(LONG clColor) override;
    void DoGridCancelRowOddBkColor() override;
    void DoGridCancelRowEvenBkColor() override;
    BOOL DoGridGetRowOddSetting() override;
    BOOL DoGridGetRowEvenSetting() override;
    void DoGridResetRowOddEvenBkColor(LONG nStartRow) override;
    void DoGridRefresh() override;
    int DoGridSetDisplayStyle(SHORT b3DStyle) override;
    int DoGridGetDisplayStyle() override;
    void DoGridSetDisplayMode(LONG nMode) override;
    LONG DoGridGetDisplayMode() override;
    void DoGridSetAllowDraw(SHORT bDraw) override;
    int DoGridGetAllowDraw() override;
    void DoGridSetDrawTopLeftMost(SHORT bDraw) override;
    int DoGridGetDrawTopLeftMost() override;
    void DoGridSetDrawFreezeLine(SHORT iDraw) override;
    int DoGridGetDrawFreezeLine() override;
    void DoGridSetDrawFreezeBlankLine(SHORT iDraw) override;
    int DoGridGetDrawFreezeBlankLine() override;
    void DoGridSetSelBoxLineWidth(SHORT iWidth) override;
    int DoGridGetSelBoxLineWidth() override;
    int DoGridSetDrawNumZero(SHORT bDraw) override;
    int DoGridGetDrawNumZero() override;
    LONG DoGridSetSkinDir(const CString& strSkinDir) override;
    CString DoGridGetSkinDir() override;
    int DoGridSetFreezeTopRows(LONG nRows) override;
    LONG DoGridGetFreezeTopRows() override;
    int DoGridSetFreezeLeftCols(LONG nCols) override;
    LONG DoGridGetFreezeLeftCols() override;
    int DoGridSetFreezeBottomRows(LONG nRows) override;
    LONG DoGridGetFreezeBottomRows() override;
    int DoGridSetFreezeRightCols(LONG nCols) override;
    LONG DoGridGetFreezeRightCols() override;
    void DoGridSetEnterDirection(SHORT iDown) override;
    int DoGridGetEnterDirection() override;
    void DoGridSetSaveExcelFlags(SHORT iFlags) override;
    int DoGridGetSaveExcelFlags() override;
    void DoGridSetAllowDragCol(SHORT bCanDrag) override;
    int DoGridGetAllowDragCol() override;
    void DoGridSetAllowDragRow(SHORT bCanDrag) override;
    int DoGridGetAllowDragRow() override;
    LONG DoGridAddImage(const CString& strImgPath) override;
    LONG DoGridGetImageCount() override;
    LONG DoGridGetImageIndex(LONG nIndex) override;
    LONG DoGridDeleteImage(LONG nImgIndex) override;
    LONG DoGridAddImageEx(const CDispBytes& Stream, LONG nStreamSize) override;
    void DoGridSetDefautSetting(CKivoObject* pGDS) override;
    CKivoObjectPtr DoGridGetDefaultSetting() override;
    void DoGridSetDefCellBorder(SHORT iPos, SHORT iLineStyle, SHORT iLineWidth, LONG crLineColor) override;
    CKivoObjectPtr DoGridGetRangeObject(LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol) override;
    BOOL DoGridDrawToBmp(LONG hDC, LONG nLeft, LONG nTop, LONG nWidth, LONG nHeight, LONG nStartRow, LONG nStartCol, LONG nEndRow, LONG nEndCol, SHORT bZoom) override;

    // The members that hand out and take automation objects
    // (KivoSheetObjectMembers.cpp).
    CKivoObjectPtr DoRowGetObject(LONG nRowIndex) override;
    CKivoObjectPtr DoColumnGetObject(LONG nColIndex) override;
    int DoCellSetTextFontEx(LONG nRow, LONG nCol, CKivoObject* Font) override;
    CKivoObjectPtr DoCellGetTextFontEx(LONG nRow, LONG nCol) override;
    int DoCellSetControlEx(LONG nRow, LONG nCol, CKivoObject* Control) override;
    CKivoObjectPtr DoCellGetControlEx(LONG nRow, LONG nCol) override;

    // The rich-text members (KivoSheetRichTextMembers.cpp).
    CGridCellBase* LockedRichTextCell();
    BOOL DoSELockContent(LONG nRow, LONG nCol) override;
    BOOL DoSEUnlockContent() override;
    BOOL DoSECharSetSel(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharGetSel(LONG& nStartChar, LONG& nEndChar) override;
    BOOL DoSEParaSetSel(LONG nStartPara, LONG nEndPara) override;
    BOOL DoSEParaGetSel(LONG& nStartPara, LONG& nEndPara) override;
    BOOL DoSEClearSel() override;
    BOOL DoSECharSetFontName(const CString& strFontName) override;
    BOOL DoSECharSetFontNameEx(LONG nStartChar, LONG nEndChar, const CString& strFontName) override;
    CString DoSECharGetFontName() override;
    CString DoSECharGetFontNameEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetFontSize(LONG nFontSize) override;
    BOOL DoSECharSetFontSizeEx(LONG nStartChar, LONG nEndChar, LONG nSize) override;
    LONG DoSECharGetFontSize() override;
    LONG DoSECharGetFontSizeEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetTextColor(LONG clColor) override;
    BOOL DoSECharSetTextColorEx(LONG nStartChar, LONG nEndChar, LONG clColor) override;
    LONG DoSECharGetTextColor() override;
    LONG DoSECharGetTextColorEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetBgColor(SHORT bSet, LONG clColor) override;
    BOOL DoSECharSetBgColorEx(LONG nStartChar, LONG nEndChar, SHORT bSet, LONG clColor) override;
    BOOL DoSECharGetBgColor(LONG& clColor) override;
    BOOL DoSECharGetBgColorEx(LONG nStartChar, LONG nEndChar, LONG& clColor) override;
    BOOL DoSECharSetBold(SHORT bBold) override;
    BOOL DoSECharSetBoldEx(LONG nStartChar, LONG nEndChar, SHORT bBold) override;
    BOOL DoSECharGetBold() override;
    BOOL DoSECharGetBoldEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetItalic(SHORT bItalic) override;
    BOOL DoSECharSetItalicEx(LONG nStartChar, LONG nEndChar, SHORT bItalic) override;
    BOOL DoSECharGetItalic() override;
    BOOL DoSECharGetItalicEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetUnderline(SHORT bUnderline) override;
    BOOL DoSECharSetUnderlineEx(LONG nStartChar, LONG nEndChar, SHORT bUnderline) override;
    BOOL DoSECharGetUnderline() override;
    BOOL DoSECharGetUnderlineEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetStrikeout(SHORT bStrikeout) override;
    BOOL DoSECharSetStrikeoutEx(LONG nStartChar, LONG nEndChar, SHORT bStrikeout) override;
    BOOL DoSECharGetStrikeout() override;
    BOOL DoSECharGetStrikeoutEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetSuperscript(SHORT bSuperscript) override;
    BOOL DoSECharSetSuperscriptEx(LONG nStartChar, LONG nEndChar, SHORT bSuperscript) override;
    BOOL DoSECharGetSuperscript() override;
    BOOL DoSECharGetSuperscriptEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSECharSetSubscript(SHORT bSubscript) override;
    BOOL DoSECharSetSubscriptEx(LONG nStartChar, LONG nEndChar, SHORT bSubscript) override;
    BOOL DoSECharGetSubscript() override;
    BOOL DoSECharGetSubscriptEx(LONG nStartChar, LONG nEndChar) override;
    BOOL DoSEParaSetAlign(LONG nAlign) override;
    BOOL DoSEParaSetAlignEx(LONG nStartPara, LONG nEndPara, LONG nAlign) override;
    LONG DoSEParaGetAlign() override;
    LONG DoSEParaGetAlignEx(LONG nStartPara, LONG nEndPara) override;
    BOOL DoSEParaSetIndent() override;
    BOOL DoSEParaSetOutdent() override;
    BOOL DoSEParaSetIndentEx(LONG nStartPara, LONG nEndPara) override;
    BOOL DoSEParaSetOutdentEx(LONG nStartPara, LONG nEndPara) override;
    BOOL DoSEParaSetBullet(LONG nNumbering) override;
    BOOL DoSEParaSetBulletEx(LONG nStartPara, LONG nEndPara, LONG nNumbering) override;
    LONG DoSEParaGetBullet() override;
    LONG DoSEParaGetBulletEx(LONG nStartPara, LONG nEndPara) override;
    BOOL DoSEParaSetLinespacing(SHORT nType, LONG nSpacing) override;
    BOOL DoSEParaSetLinespacingEx(LONG nStartPara, LONG nEndPara, SHORT nType, LONG nSpacing) override;
    int DoSEParaGetLinespacing(LONG& nSpacing) override;
    int DoSEParaGetLinespacingEx(LONG nStartPara, LONG nEndPara, LONG& nSpacing) override;
    BOOL DoSEParaSetBeforespacing(LONG nSpacing) override;
    BOOL DoSEParaSetBeforespacingEx(LONG StartPara, LONG nEndPara, LONG nSpacing) override;
    LONG DoSEParaGetBeforespacing() override;
    LONG DoSEParaGetBeforespacingEx(LONG nStartPara, LONG nEndPara) override;
    BOOL DoSEParaSetAfterspacing(LONG nSpacing) override;
    BOOL DoSEParaSetAfterspacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing) override;
    LONG DoSEParaGetAfterspacing() override;
    LONG DoSEParaGetAfterspacingEx(LONG nStartPara, LONG nEndPara) override;
    LONG DoSEParaGetCount() override;
    LONG DoSEParaGetContentEx(LONG nStartPara, LONG nEndPara, CString& lpszBuffer) override;
    LONG DoSEParaGetContent(CString& lpszBuffer) override;
    LONG DoSECharGetSelText(CString& lpszBuffer) override;
    LONG DoSECharGetSelTextEx(LONG nStartChar, LONG nEndChar, CString& lpszBuffer) override;
    BOOL DoSECtrlGetCanRedo() override;
    BOOL DoSECtrlGetCanUndo() override;
    BOOL DoSECtrlGetCanPaste() override;
    BOOL DoSECtrlRedo() override;
    BOOL DoSECtrlUndo() override;
    BOOL DoSECtrlCopy() override;
    BOOL DoSECtrlCut() override;
    BOOL DoSECtrlPaste() override;
    BOOL DoSECtrlSetShowToolBar(SHORT bShow) override;
    BOOL DoSECtrlGetShowToolBar() override;
    BOOL DoSECtrlSetPopupMenu(SHORT bPop) override;
    BOOL DoSECtrlGetPopupMenu() override;
    BOOL DoSECtrlSetTextLimit(LONG nLimitCount) override;
    LONG DoSECtrlGetTextLimit() override;
    BOOL DoSECtrlSetAutoURL(SHORT bURL) override;
    BOOL DoSECtrlGetAutoURL() override;
    BOOL DoSECtrlSetRTF(const CString& strRTF) override;
    BOOL DoSECtrlSetText(const CString& strText) override;
    BOOL DoSECtrlInsertText(const CString& strText) override;
    BOOL DoSECtrlInsertTextEx(LONG nStartChar, const CString& strText) override;
    BOOL DoSECtrlDeleteText() override;
    BOOL DoSECtrlDeleteTextEx(LONG nStartChar, LONG nEndChar) override;
    CString DoSECtrlGetRTF() override;
    CString DoSECtrlGetText() override;

    // The bind members (KivoSheetBindMembers.cpp).
    CKivoObjectPtr DoDBAddBind(const CString& strBindName) override;
    CKivoObjectPtr DoDBGetBind(const CString& strBindName) override;
    LONG DoDBSetBind(const CString& strBindName, CKivoObject* pBind) override;
    CKivoObjectPtr DoDBGetBindEx(LONG nIndex) override;
    LONG DoDBSetBindEx(LONG nIndex, CKivoObject* pBind) override;
    LONG DoDBDelBind(const CString& strBindName) override;
    LONG DoDBDelBindEx(LONG nIndex) override;
    LONG DoDBGetBindCount() override;
    LONG DoDBDeleteAllBind() override;
    LONG DoDBFillAllBindData() override;
    LONG DoDBFindBind(const CString& strBindName) override;
    CKivoObjectPtr DoDBGetBindField(const CString& strBindName, LONG nRow, LONG nCol) override;

    // The tree members (KivoSheetTreeMembers.cpp).
    // Connection and data-set members (KivoSheetDatabaseMembers.cpp).
    LONG DoDBDelConnection(const CString& strConnName) override;
    LONG DoDBFindConnection(const CString& strConnName) override;
    LONG DoDBGetConnectionCount() override;
    LONG DoDBOpenAllConnection() override;
    LONG DoDBCloseAllConnection() override;
    CKivoObjectPtr DoDBAddConnection(const CString& strConnName) override;
    CKivoObjectPtr DoDBGetConnection(const CString& strConnName) override;
    CKivoObjectPtr DoDBGetConnectionEx(LONG nIndex) override;
    int DoDBSetConnectionString(const CString& strConnName, const CString& strConnString) override;
    int DoDBSetDSSql(const CString& strConnName, const CString& strDSName, const CString& strSql) override;
    int DoDBFillData() override;
    CKivoObjectPtr DoDBGetDataSet(const CString& strConnName, const CString& strDSName) override;

    // The formula members (KivoSheetFormulaMembers.cpp).
    LONG DoFormulaAddUserFun(const CString& sFunName, SHORT iCategory) override;
    LONG DoFormulaGetUserFunCount() override;
    int DoFormulaGetUserFun(LONG nIndex, CString& sFunName, SHORT& iCategory) override;
    LONG DoFormulaGetSysFunCount() override;
    int DoFormulaGetSysFun(LONG nIndex, CString& sFunName, SHORT& iCategory) override;
    int DoFormulaCalcCell(LONG nRow, LONG nCol) override;
    LONG DoFormulaCalcAll() override;
    LONG DoFormulaGetUserConstCount() override;
    LONG DoFormulaGetSysConstCount() override;
    int DoFormulaGetSysConst(LONG nIndex, CString& sConstName, double& dbValue) override;
    int DoFormulaGetUserConst(float nIndex, CString& sConstName, double& dbValue) override;
    int DoFormulaAddUserConst(const CString& sConstName, double dbValue) override;
    int DoFormulaSetUserConst(const CString& sConstName, double dbValue) override;
    CString DoFormulaGetLastError() override;

    CKivoObjectPtr DoGridAddTree(LONG nTreeRow, LONG nTreeCol) override;
    CKivoObjectPtr DoGridGetTree(LONG nIndex) override;
    LONG DoGridGetTreeCount() override;
    LONG DoGridGetColumnTreeCount() override;
    int DoGridDeleteTree(LONG nTreeRow, LONG nTreeCol) override;
    CKivoObjectPtr DoGridGetTreeEx(LONG nTreeRow, LONG nTreeCol) override;
    BOOL DoGridGetColumnTreeStart(LONG nIndex, LONG& nStartRow, LONG& nStartCol) override;
    BOOL DoColumnSetControlTreeProperty(LONG nStartRow, LONG nStartCol, const CString& strAttName,
                                        const CString& strAttValue) override;
    BOOL DoColumnSetControlTree(LONG nStartRow, LONG nStartCol, const CString& strXml) override;
    CString DoColumnGetControlTree(LONG nStartRow, LONG nStartCol) override;
    BOOL DoColumnDelControlTreeProperty(LONG nStartRow, LONG nStartCol, const CString& strAttName) override;
    BOOL DoColumnDelControlTree(LONG nStartRow, LONG nStartCol) override;
    CString DoColumnGetControlTreeProperty(LONG nStartRow, LONG nStartCol, const CString& strAttName) override;

    // The Cell family (KivoSheetCellMembers.cpp).
    BOOL DoCellSetValue(LONG nRow, LONG nCol, const CString& strValue) override;
    BOOL DoCellSetValueEx(LONG nRow, LONG nCol, double dbValue) override;
    CString DoCellGetValue(LONG nRow, LONG nCol) override;
    double DoCellGetValueEx(LONG nRow, LONG nCol) override;
    BOOL DoCellSetBackColor(LONG nRow, LONG nCol, LONG clColor) override;
    LONG DoCellGetBackColor(LONG nRow, LONG nCol) override;
    BOOL DoCellSetTextColor(LONG nRow, LONG nCol, LONG clColor) override;
    LONG DoCellGetTextColor(LONG nRow, LONG nCol) override;
    BOOL DoCellSetTextFont(LONG nRow, LONG nCol, const CString& strXmlFont) override;
    int DoCellSetTextFontProperty(LONG nRow, LONG nCol, const CString& strPropertyName,
                                  const CString& strPropertyValue) override;
    BOOL DoCellDelTextFontProperty(LONG nRow, LONG nCol, const CString& strPropertyName) override;
    CString DoCellGetTextFontProperty(LONG nRow, LONG nCol, const CString& strPropertyName) override;
    CString DoCellGetTextFont(LONG nRow, LONG nCol) override;
    BOOL DoCellSetTextFormat(LONG nRow, LONG nCol, const CString& strXmlFormat) override;
    CString DoCellGetTextFormat(LONG nRow, LONG nCol) override;
    int DoCellSetTextFormatProperty(LONG nRow, LONG nCol, const CString& strPropertyName,
                                    const CString& strPropertyValue) override;
    BOOL DoCellDelTextFormatProperty(LONG nRow, LONG nCol, const CString& strAttName) override;
    CString DoCellGetTextFormatProperty(LONG nRow, LONG nCol, const CString& strAttName) override;
    BOOL DoCellSetTipText(LONG nRow, LONG nCol, const CString& strTipText) override;
    CString DoCellGetTipText(LONG nRow, LONG nCol) override;
    CString DoCellGetCurrentTipText(LONG nRow, LONG nCol) override;
    BOOL DoCellSetDisplayTip(LONG nRow, LONG nCol, SHORT bTip) override;
    BOOL DoCellIsDisplayTip(LONG nRow, LONG nCol) override;
    BOOL DoCellSetMemo(LONG nRow, LONG nCol, const CString& strMemo) override;
    CString DoCellGetMemo(LONG nRow, LONG nCol) override;
    BOOL DoCellSetId(LONG nRow, LONG nCol, const CString& strId) override;
    CString DoCellGetId(LONG nRow, LONG nCol) override;
    BOOL DoCellGetMarkFromId(const CString& strId, LONG& nRow, LONG& nCol) override;
    BOOL DoCellSetReadOnly(LONG nRow, LONG nCol, SHORT bReadOnly) override;
    BOOL DoCellIsReadOnly(LONG nRow, LONG nCol) override;
    BOOL DoCellIsDisplayEllipsis(LONG nRow, LONG nCol) override;
    BOOL DoCellSetDisplayEllipsis(LONG nRow, LONG nCol, SHORT bEllipsis) override;
    BOOL DoCellSetHide(LONG nRow, LONG nCol, SHORT bHide) override;
    BOOL DoCellIsHide(LONG nRow, LONG nCol) override;
    BOOL DoCellSetSelBackColor(LONG nRow, LONG nCol, LONG clSelColor) override;
    LONG DoCellGetSelBackColor(LONG nRow, LONG nCol) override;
    BOOL DoCellSetInputType(LONG nRow, LONG nCol, LONG nType) override;
    LONG DoCellGetInputType(LONG nRow, LONG nCol) override;
    BOOL DoCellSetInputLimit(LONG nRow, LONG nCol, SHORT bLimit, double dbMin, double dbMax) override;
    BOOL DoCellGetInputLimit(LONG nRow, LONG nCol, double& dbMin, double& dbMax) override;
    BOOL DoCellSetControlType(LONG nRow, LONG nCol, LONG nCtlType) override;
    LONG DoCellGetControlType(LONG nRow, LONG nCol) override;
    BOOL DoCellSetControl(LONG nRow, LONG nCol, const CString& strCtlXml) override;
    CString DoCellGetControl(LONG nRow, LONG nCol) override;
    BOOL DoCellSetControlProperty(LONG nRow, LONG nCol, const CString& strAttName,
                                  const CString& strAttValue) override;
    CString DoCellGetControlProperty(LONG nRow, LONG nCol, const CString& strAttName) override;
    BOOL DoCellDelControlProperty(LONG nRow, LONG nCol, const CString& strAttName) override;
    BOOL DoCellSetFocus(LONG nRow, LONG nCol) override;
    BOOL DoCellGetFocus(LONG& nRow, LONG& nCol) override;
    BOOL DoCellGetRect(LONG nRow, LONG nCol, LONG& nLeft, LONG& nTop, LONG& nRight, LONG& nBottom) override;
    BOOL DoCellIsMerged(LONG nRow, LONG nCol) override;
    BOOL DoCellIsSelected(LONG nRow, LONG nCol) override;
    BOOL DoCellIsModified(LONG nRow, LONG nCol) override;
    BOOL DoCellGetMergeRange(LONG nRow, LONG nCol, LONG& nMgStartRow, LONG& nMgStartCol, LONG& nMgEndRow,
                             LONG& nMgEndCol) override;
    BOOL DoCellIsEditing(LONG nRow, LONG nCol) override;
    BOOL DoCellIsFixed(LONG nRow, LONG nCol) override;
    LONG DoCellGetMergeHeight(LONG nRow, LONG nCol) override;
    LONG DoCellGetMergeWidth(LONG nRow, LONG nCol) override;
    BOOL DoCellSetBorder(LONG nRow, LONG nCol, LONG nBorderFlags, LONG nLineStyle, LONG crLineColor,
                         LONG nLineWidth) override;
    BOOL DoCellGetBorder(LONG nRow, LONG nCol, LONG nBorderFlag, LONG& nLineStyle, LONG& crLineColor,
                         LONG& nLineWidth) override;
    LONG DoCellGetBorderFlags(LONG nRow, LONG nCol) override;
    BOOL DoCellSetTextWrap(LONG nRow, LONG nCol, SHORT bWrap) override;
    int DoCellIsTextWrap(LONG nRow, LONG nCol) override;
    BOOL DoCellSetAlign(LONG nRow, LONG nCol, LONG nAlign) override;
    LONG DoCellGetAlign(LONG nRow, LONG nCol) override;
    BOOL DoCellIsValid(LONG nRow, LONG nCol) override;
    BOOL DoCellSetDateType(LONG nRow, LONG nCol, LONG nType) override;
    LONG DoCellGetDataType(LONG nRow, LONG nCol) override;
    BOOL DoCellDelBorder(LONG nRow, LONG nCol, LONG nBorderFlags) override;
    BOOL DoCellGetFromId(const CString& strId, LONG& nRow, LONG& nCol) override;
    int DoCellSetFormula(LONG nRow, LONG nCol, const CString& strFormula) override;
    CString DoCellGetFormula(LONG nRow, LONG nCol) override;
    int DoCellSetImage(LONG nRow, LONG nCol, LONG nImgIndex) override;
    LONG DoCellGetImage(LONG nRow, LONG nCol) override;
    void DoCellSetItemData(LONG nRow, LONG nCol, LONG pData) override;
    LONG DoCellGetItemData(LONG nRow, LONG nCol) override;
    CString DoCellGetValueEx2(LONG nRow, LONG nCol) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;

private:
    // CEventContext
    void CellFromPoint(POINT clientPoint, LONG& row, LONG& col) override;
    void ClientToScreenPoint(POINT& point) override;
    bool TakeEventLines(UINT message, WPARAM wParam, LPARAM lParam, GridEventLines& lines) override;

    bool IsUserMode() const { return m_host == nullptr || m_host->IsUserMode(); }
    void SetModified();
    CWnd* GridWindow() { return m_grid ? m_grid->GetGridWindow() : nullptr; }
    // The grid engine the members drive; NULL without one (every member then
    // answers its failure value).
    CGridCtrl* Engine() { return m_grid ? m_grid->GetGridCtrl() : nullptr; }

    std::unique_ptr<CGridPort> m_grid;
    // Held by the control alone and let go first when it is destroyed: the
    // automation objects it handed out keep it weakly (CGridLink) and stop
    // touching the grid from then on.
    std::shared_ptr<bool> m_liveness = std::make_shared<bool>(true);
    BOOL m_bDefaultsApplied = FALSE;
    CKivoSheetHost* m_host = nullptr;
    CKivoSheetEvents m_events;
};
