// CGridCellCheckCombo: the cell of control type "combocheck": a combo box
// cell whose drop list has a check box per item, so that several items are
// chosen; the cell text holds them joined by the item separator.
//
// Besides the combo cell's attributes its control text holds "itemspliter"
// (the separator, "," by default, written back). "setcurrentitem" is the
// initial index only (the text and the current index stay).
//
// Commands "selectall", "cancelall" and "invertselect" (answer 1) are applied
// to the checks when the editor next opens, then cleared. Queries:
// "getcurrentitem" the checked items in check order, "getcurrentindex" their
// indexes ascending, "getcheckcount" their number (taken from the editor when
// an edit ends, and from the record); every other command and query is the
// combo cell's.
//
// The editor opens with the checks the cell's text names (in drop-down-list
// style; an editable one shows the text as it is).
//
// Record level (end tag 3200), after the combo cell's whole level: 3101 the
// pending selection command when there is one, 3102 the checked items text,
// 3103 the checked indexes text, each with its NUL when not empty.
#pragma once

#include "cells/GridCellCombo.h"

const int CELL_RECORD_CHECKCOMBO_END = 3200;
const int CELL_RECORD_CHECKCOMBO_COMMAND = 3101;
const int CELL_RECORD_CHECKCOMBO_ITEMS = 3102;
const int CELL_RECORD_CHECKCOMBO_INDEXES = 3103;

class CGridCellCheckCombo : public CGridCellCombo {
    DECLARE_DYNCREATE(CGridCellCheckCombo)

public:
    CGridCellCheckCombo() = default;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;
    CWnd* GetEditWnd() override { return nullptr; }

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;

    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    void ApplyControlText() override;

    const CString& GetSeparator() const { return m_strSeparator; }
    const CString& GetCheckedItems() const { return m_strCheckedItems; }
    const CString& GetCheckedIndexes() const { return m_strCheckedIndexes; }
    int GetCheckedCount() const { return m_nCheckedCount; }
    int GetPendingCommand() const { return m_nPendingCommand; }

protected:
    int GetStripFillInset(double zx) const override { return static_cast<int>(zx); }

private:
    void TakeEditorState();
    int GetCheckLevelSize();

    CString m_strSeparator = ",";
    CString m_strCheckedItems;
    CString m_strCheckedIndexes;
    int m_nCheckedCount = 0;
    int m_nPendingCommand = -1;
};
