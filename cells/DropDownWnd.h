// CDropDownWnd: a hand-made combo box, the base of the combo cells' in-place
// editors. A child window of the grid holding an edit (CDropDownEdit), its
// own drop button (the grid's "COMBOBOX" skin) and a drop list
// (CDropDownList, a child of the grid below the host, drawn by itself; with
// check boxes from the "COMBOCHECKBOX" skin in multi-check mode). The items,
// the selection and the checks are a CDropDownSelection.
//
// Keys (the edit's key-downs reach the host first): Up and Down show the list
// and move its selection; Enter with the list shown picks the list's item
// (single mode) or hides the list (multi-check); Space with the list shown
// in multi-check mode toggles the item. A click on an item picks it; in
// single mode the list then closes, in multi-check mode it stays open.
// Typing drops the list (auto drop-down) and moves its selection to the
// first item that begins with what was typed (in a read-only edit: the
// characters typed within a second of each other).
//
// Everything here runs in the windows' own messages: no keyboard hook, so no
// other window's keys are ever seen.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "cells/DropDownSelection.h"
#include "cells/Edit.h"
#include "platform/Gdi.h"
#include "platform/Wnd.h"

class CDropDownWnd;
class CGridCtrl;

const UINT DROPDOWN_EDIT_ID = 33596;
const UINT DROPDOWN_LIST_ID = 33598;
const UINT DROPDOWN_TYPEAHEAD_TIMER = 100;

class CDropDownEdit : public CEdit {
public:
    explicit CDropDownEdit(CDropDownWnd* pHost) : m_pHost(pHost) {}
    const CTypeAhead& GetTypeAhead() const { return m_typed; }
    // The edit's own handling of a key the host left to it.
    void DefaultKey(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        DefWindowProc(message, nChar, MAKELPARAM(nRepCnt, nFlags));
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    LRESULT OnImeChar(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS; }

private:
    CDropDownWnd* m_pHost;
    CTypeAhead m_typed;
    BOOL m_bIme = FALSE;
};

class CDropDownList : public CWnd {
public:
    explicit CDropDownList(CDropDownWnd* pHost) : m_pHost(pHost) {}
    int GetCurSel() const { return m_nCurSel; }
    void SetCurSel(int nIndex);
    int GetItemHeight() const { return m_nItemHeight; }
    void SetItemHeight(int nHeight) { m_nItemHeight = nHeight > 0 ? nHeight : 1; }
    int GetTopIndex() const { return m_nTop; }
    // The item at a point of the list's client area; -1 for none.
    int ItemFromPoint(CPoint point) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    int OnMouseActivate(CWnd*, UINT, UINT) override { return MA_NOACTIVATE; }

private:
    CDropDownWnd* m_pHost;
    int m_nCurSel = -1;
    int m_nTop = 0;
    int m_nItemHeight = 16;
};

class CDropDownWnd : public CWnd {
public:
    CDropDownWnd();
    ~CDropDownWnd() override;

    // Creates the host over rect (grid client coordinates) and its edit.
    BOOL CreateHost(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, BOOL bReadOnly);

    CDropDownSelection& Model() { return m_model; }
    CGridCtrl* GetGrid() const { return m_pGrid; }
    CDropDownEdit* GetEdit() { return &m_edit; }
    CDropDownList* GetList() { return m_list.GetSafeHwnd() != nullptr ? &m_list : nullptr; }
    BOOL IsReadOnly() const { return m_bReadOnly; }

    void SetMaxListHeight(int nHeight) { m_nMaxListHeight = nHeight > 0 ? nHeight : DROPDOWN_DEFAULT_LIST_HEIGHT; }
    int GetMaxListHeight() const { return m_nMaxListHeight; }
    void SetAutoDropDown(BOOL bAuto) { m_bAutoDropDown = bAuto; }
    void SetColours(COLORREF crText, COLORREF crBack);

    // 0 toggle, 1 show, 2 hide.
    void ShowList(int nMode);
    BOOL IsListShown() const;
    // The list's current item while shown, else -1.
    int GetListSelection() const;
    // The list's rectangle in the grid's client coordinates.
    CRect GetListRect();

    // Selects (or checks) an item, puts the selection text into the edit,
    // selects it all and gives the edit the focus.
    void SelectItem(int nIndex, BOOL bFlag);
    // Sets the edit text: an editable edit shows it; a read-only one selects
    // (checks) the items it names.
    void SetText(const CString& strText);
    CString GetEditText() const;
    // A pick from the list (click, Enter, Space).
    void Pick(int nIndex);
    // The host's key rule; TRUE when the key was used.
    virtual BOOL ApplyKeyRule(UINT nChar);
    // The edit reports the text typed so far.
    void TextTyped(const CString& strTyped);

    // Hooks of the derived editors.
    virtual void OnEditKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnEditKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnEditFocusLost(CWnd* pNewWnd);
    virtual void OnPicked() {}
    // TRUE for the host, its edit and its list.
    BOOL IsOwnWindow(const CWnd* pWnd) const;

    // Messages of the host and its windows being handled. A host that owns
    // itself is deleted when its window is gone and the last of them returns.
    void EnterMessage() { ++m_nDepth; }
    void LeaveMessage();
    void SetAutoDelete(BOOL bAuto) { m_bAutoDelete = bAuto; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnDestroy() override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    void DrawButton(int nState);

    CGridCtrl* m_pGrid = nullptr;
    CDropDownEdit m_edit;
    CDropDownList m_list;
    CDropDownSelection m_model;
    CFont m_font;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bAutoDropDown = TRUE;
    int m_nMaxListHeight = DROPDOWN_DEFAULT_LIST_HEIGHT;
    COLORREF m_crText = 0;
    COLORREF m_crBack = RGB(255, 255, 255);
    CBrush m_brushBack;
    CBrush m_brushFocus;
    int m_nDepth = 0;
    BOOL m_bAutoDelete = FALSE;
    BOOL m_bDeletePending = FALSE;
};
