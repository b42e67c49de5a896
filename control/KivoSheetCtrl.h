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


    // The members that hand out and take automation objects
    // (KivoSheetObjectMembers.cpp).
    CKivoObjectPtr DoRowGetObject(LONG nRowIndex) override;
    CKivoObjectPtr DoColumnGetObject(LONG nColIndex) override;
    int DoCellSetTextFontEx(LONG nRow, LONG nCol, CKivoObject* Font) override;
    CKivoObjectPtr DoCellGetTextFontEx(LONG nRow, LONG nCol) override;

    // The tree members (KivoSheetTreeMembers.cpp).
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

    // The Cell family (KivoSheetCellMembers.cpp). The two members that take
    // or hand out cell-control objects keep their failure answers until
    // those objects exist.
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
