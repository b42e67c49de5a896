// CInPlaceDateTime: the in-place editor of the date/time cell: three numeric
// fields (CDateTimeMaskEdit: year, month, day or hour, minute, second) with
// the separator texts between them and a 17-pixel drop button (the grid's
// "DATETIME" skin) at the right edge. The fields' rules are
// CDateTimeFields's: a refused key puts the field back and selects it all.
//
// Keys in a field: PgUp, PgDn, End, Home and the arrows (with or without
// Ctrl) and Enter end the edit and move the focus cell; Esc ends it; Delete
// does nothing (a digit is removed with Backspace, which the field checks);
// any other key is shown to the control window (1030) first. A field that
// gains the focus selects its text; leaving the month or the year field
// lowers the day to the month's last day.
//
// The button: in time mode it fills the fields with the current time; in
// date mode it drops the month calendar (cells/MonthCalendar.h) where the
// platform has one: a click on a day fills the fields and hides it.
//
// The end of the edit (the focus leaving the editor's windows, an end key,
// or the cell's EndEdit) lowers the day where needed, then sends WM_NOTIFY
// (-106) with FormatText and the end key to the grid and closes; the object
// deletes itself afterwards.
#pragma once

#include "cells/DateTimeFields.h"
#include "cells/DropDownEditorHooks.h"
#include "cells/Edit.h"
#include "platform/Gdi.h"
#include "platform/Wnd.h"

class CGridCtrl;
class CInPlaceDateTime;

const UINT DATETIME_FIELD_ID_FIRST = 10479;

class CDateTimeMaskEdit : public CEdit {
public:
    CDateTimeMaskEdit(CInPlaceDateTime* pOwner, int nField) : m_pOwner(pOwner), m_nField(nField) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    LRESULT OnImeChar(WPARAM, LPARAM) override { return 0; }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }

private:
    CInPlaceDateTime* m_pOwner;
    int m_nField;
};

class CInPlaceDateTime : public CWnd {
public:
    CInPlaceDateTime();
    ~CInPlaceDateTime() override;

    BOOL Create(const DateTimeEditorRequest& request);
    void EndEdit();
    void ForwardChar(UINT nChar);
    // Closes without a report, forgetting the cell.
    void Discard();
    // Date mode: shows the calendar where there is one; time mode: the first
    // field gets the focus.
    void DropDown();
    // The month calendar popup (NULL until first shown, and where there is
    // none); shown or hidden by the button.
    HWND GetCalendar() const { return m_hCalendar; }
    BOOL IsCalendarShown() const;
    void ShowCalendar(BOOL bShow);

    CDateTimeFields& Fields() { return m_fields; }
    CDateTimeMaskEdit* GetField(int nField);
    CDateTimeMaskEdit* GetFirstField() { return GetField(0); }
    // Writes a value into the fields (and their windows).
    void SetDateTime(const COleDateTime& value);
    CString FormatText() { return m_fields.FormatText(); }
    BOOL IsEditorWindow(const CWnd* pWnd) const;
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nCol; }
    UINT GetEndKey() const { return m_nEndKey; }
    CRect GetButtonRect() const;

    static BOOL IsLive(const CWnd* pEditor);

    // Called by the fields.
    void OnFieldChar(int nField, UINT nChar);
    void OnFieldKeyDown(int nField, UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnFieldKeyUp(int nField, UINT nChar);
    void OnFieldFocusLost(int nField, CWnd* pNewWnd);
    void EnterMessage() { ++m_nDepth; }
    void LeaveMessage();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnDestroy() override;

private:
    void EndAndMove(UINT nChar, UINT nRepCnt, UINT nFlags);
    void DrawButton(CDC* pDC, int nState);
    CWnd* GetControlWnd() const;

    CGridCtrl* m_pGrid = nullptr;
    CDateTimeFields m_fields;
    CDateTimeMaskEdit m_edit0;
    CDateTimeMaskEdit m_edit1;
    CDateTimeMaskEdit m_edit2;
    int m_nRow = -1;
    int m_nCol = -1;
    UINT m_nEndKey = 0;
    int m_nDigitWidth = 8;                // the widest digit in the editor's font
    CRect m_rcSeparators[3];              // where each field's separator is painted
    COLORREF m_crText = 0;
    COLORREF m_crBack = RGB(255, 255, 255);
    CBrush m_brushBack;
    BOOL m_bEnding = FALSE;
    HWND m_hCalendar = nullptr;
    int m_nDepth = 0;
    BOOL m_bDeletePending = FALSE;
};
