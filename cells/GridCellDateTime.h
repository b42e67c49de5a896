// CGridCellDateTime: the cell of control type "datetime": its text with a
// drop button (the "DATETIME" skin) at the right edge, edited in three
// numeric fields (year, month, day or hour, minute, second) with a drop-down
// month calendar in date mode.
//
// Its control text (element "control") holds, read in this order:
//   "dttype"         0 date, 1 time (anything else: date); written back
//   "datetimestyle"  "0"/"LONGDATE" long (zero-filled fields), "1"/"SHORTDATE"
//                    short, any other text long; when absent "dataformat" is
//                    read instead (0 short, 1 long, else long; written back)
//   "splitertype"    the separator style 0..2 (else 0); written back
//   "leavetype"      non-zero: the button shows also off the focus cell;
//                    written back
// The cell has no commands or queries of its own.
//
// The editor opens on the value the cell's text shows (see
// CDateTimeFields::ReadStartValue), or on the cell's reference time (its
// creation time) when the text holds none; the grid takes the editor's
// formatted text as the cell's text when the edit ends.
//
// Record level (end tag 3400), after CGridCell's: 3301 the control text with
// its NUL when not empty.
#pragma once

#include "base/DateTime.h"
#include "cells/GridCellCombo.h"

const int CELL_RECORD_DATETIME_END = 3400;
const int CELL_RECORD_DATETIME_CONTROL = 3301;

class CGridCellDateTime : public CGridDropButtonCell {
    DECLARE_DYNCREATE(CGridCellDateTime)

public:
    CGridCellDateTime();
    ~CGridCellDateTime() override;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;
    CWnd* GetEditWnd() override { return m_pEditor; }

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    void ApplyControlText();

    int GetDateTimeType() const { return m_nType; }
    int GetSeparatorType() const { return m_nSeparator; }
    int GetDateFormat() const { return m_nFormat; }
    int GetLeaveType() const { return m_nLeaveType; }
    const COleDateTime& GetReferenceTime() const { return m_reference; }
    void SetReferenceTime(const COleDateTime& value) { m_reference = value; }
    // The value the editor opens on.
    COleDateTime GetStartValue();
    void ForgetEditor(CWnd* pEditor);

protected:
    CBitmap* GetButtonBitmap() override;

private:
    CXmlElement m_element;
    int m_nType = 0;
    int m_nSeparator = 0;
    int m_nFormat = 0;
    int m_nLeaveType = 1;
    COleDateTime m_reference;
};
