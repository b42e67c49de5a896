// CGridCellCombo: the cell of control type "combobox": a text with a drop
// button at its right edge, chosen from an item list.
//
// Its settings live in its control text (element "control"), re-read by
// ApplyControlText in this order, the absent ones written back:
//   "style"        non-zero: drop-down list (text only from the list), 0:
//                  drop-down (editable); replaces the whole style word, so it
//                  clears the sort bit; written back "0"
//   "sort"         "1"/"yes" sets the sort bit, "0"/"no" clears it; written
//                  back from the bit
//   "displaystyle" read and ignored; written back "0"
//   "listheight"   the drop list's height at most, in pixels; 0 (the default,
//                  written back "0") opens it at the host's 100 pixels
//   "ismatch"      match flag; written back "1"
//   "datasource"   the items, one per line (empty lines are no items)
//   "setcurrentitem" an item index: the current and the initial index; in
//                  range it also becomes the cell's text (not while a record
//                  loads: the record keeps the cell's own text)
//   "leavetype"    non-zero: the button shows also off the focus cell;
//                  written back "1"
//   "autodropdown" non-zero: typing drops the list; written back "1"
//
// Commands through SetControlProperty: "setcurrentindex" (answers 0),
// "delitemindex", "setitem" and "insertitem" ("index\ntext"; an index outside
// the list or a value without a newline appends), "delitem" (every equal
// item). Queries through GetControlProperty: "getcurrentitem",
// "getcurrentindex", "getitem(i)", "getitemindex(text)", "datasource".
// Anything else is an attribute of the element.
//
// The item commands change the list only; "datasource" is rebuilt from the
// list (once, however many commands came) before the control text is read,
// re-applied, stored or copied, so no command is ever lost.
//
// Record level (end tag 3300), after CGridCell's: 3201 the current index when
// it is 0 or more, 3202 the control text (with "setcurrentitem" set to the
// current index) with its NUL when not empty.
#pragma once

#include "cellcontent/XmlElement.h"
#include "cells/GridDropButtonCell.h"

#include <vector>

#ifndef CBS_DROPDOWN
#define CBS_DROPDOWN 0x0002L
#endif
#ifndef CBS_DROPDOWNLIST
#define CBS_DROPDOWNLIST 0x0003L
#endif
#ifndef CBS_SORT
#define CBS_SORT 0x0100L
#endif

const int CELL_RECORD_COMBO_END = 3300;
const int CELL_RECORD_COMBO_INDEX = 3201;
const int CELL_RECORD_COMBO_CONTROL = 3202;

class CBitmap;

class CGridCellCombo : public CGridDropButtonCell {
    DECLARE_DYNCREATE(CGridCellCombo)

public:
    CGridCellCombo();
    ~CGridCellCombo() override;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;
    CWnd* GetEditWnd() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;
    void CopyFormat(CGridCellBase* pSrc) override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    // Re-reads every attribute of the element into the members.
    virtual void ApplyControlText();

    // --- members of this class ------------------------------------------------
    BOOL IsDropDownList() const { return (m_dwStyle & 3) == CBS_DROPDOWNLIST; }
    DWORD GetComboStyle() const { return m_dwStyle; }
    const std::vector<CString>& GetItems() const { return m_items; }
    int GetCurrentIndex() const { return m_nCurIndex; }
    const CString& GetCurrentText() const { return m_strCurText; }
    int GetInitialIndex() const { return m_nInitIndex; }
    int GetListHeight() const { return m_nListHeight; }
    BOOL GetMatch() const { return m_bMatch; }
    BOOL GetAutoDropDown() const { return m_bAutoDropDown; }
    int GetLeaveType() const { return m_nLeaveType; }
    // The list height the editor's host opens with (0 becomes its default).
    int GetEffectiveListHeight() const;
    // Records a pick made in the editor.
    void SetCurrent(int nIndex, const CString& strText);
    // The editor calls ForgetEditor before it deletes itself.
    void ForgetEditor(CWnd* pEditor);

protected:
    // The skin picture of the button.
    virtual int GetButtonSkin() const;
    // The left inset of the strip's fill before drawing (2·zx here).
    virtual int GetStripFillInset(double zx) const;
    CBitmap* GetButtonBitmap() override;
    BOOL IsButtonVisible();
    // Writes the list into "datasource" when item commands changed it.
    void SyncDataSource();
    // Applies the common first five attributes ("style" ... "ismatch").
    void ApplyStyleAttributes();
    void ReadDataSource();
    void ReadFlagAttribute(LPCTSTR szName, BOOL& bMember);
    BOOL ApplyItemCommand(const CString& key, LPCTSTR szValue, BOOL* pResult);
    CString QueryItems(const CString& key, BOOL* pAnswered);
    void StoreComboLevel(CArchive& ar);
    void LoadComboLevel(CArchive& ar, int* pnRunningSize);
    int GetComboLevelSize();
    BOOL IsLoading() const { return m_bLoading; }
    // ApplyControlText after an attribute change; the cell's text changes
    // only when bMayTakeItem (the change was "setcurrentitem" itself).
    void ReapplyKeepingText(BOOL bMayTakeItem);

    CXmlElement m_element;
    std::vector<CString> m_items;
    DWORD m_dwStyle = CBS_DROPDOWN;
    int m_nCurIndex = -1;
    CString m_strCurText;
    int m_nInitIndex = -1;
    int m_nListHeight = 0;
    BOOL m_bMatch = TRUE;
    BOOL m_bAutoDropDown = TRUE;
    int m_nLeaveType = 1;
    BOOL m_bItemsModified = FALSE;
    BOOL m_bLoading = FALSE;      // a record or a re-application: the cell keeps its text
};
