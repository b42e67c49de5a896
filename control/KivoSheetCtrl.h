// CKivoSheetCtrl: the grid control. A thin window that owns one grid object
// and shows the grid window over its whole client area; the dispatch members
// (CKivoSheetDispatch) are the host's road into the sheet and the events
// (CKivoSheetEvents) the road back. The COM layer (control/win32) wraps one
// of these in the ActiveX control object.
#pragma once

#include "control/EventTranslation.h"
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

    std::unique_ptr<CGridPort> m_grid;
    BOOL m_bDefaultsApplied = FALSE;
    CKivoSheetHost* m_host = nullptr;
    CKivoSheetEvents m_events;
};
