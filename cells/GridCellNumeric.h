// CGridCellNumeric: a cell whose in-place editor takes numbers only.
//
// Its control text (element "control") names the editor's rule: "inputtype"
// (1 whole numbers, 2 decimals; 0 or missing is 1), "limit" (non-zero: the
// value must lie within "inputmin" .. "inputmax", read only then). The rule is
// taken when an edit starts (and again when an attribute changes during an
// edit); nothing is written back into the text. Without a control text the
// editor keeps the cell's own input rule.
//
// When the rule is taken, a cell whose text reads as a number becomes a
// number cell with that value; any other text stays as it is.
//
// Record level (end tag 3500), after CGridCell's: 3401 the control text with
// its NUL, refreshed before writing; loading applies it.
#pragma once

#include "cellcontent/XmlElement.h"
#include "grid/GridCell.h"

const int CELL_RECORD_NUMERIC_END = 3500;
const int CELL_RECORD_NUMERIC_CONTROL = 3401;

class CGridCellNumeric : public CGridCell {
    DECLARE_DYNCREATE(CGridCellNumeric)

public:
    CGridCellNumeric() = default;

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    // Takes the rule of the control text into the cell and, while an editor
    // is open, into the editor.
    void ApplyNumericAttributes();
    // The input type the editor gets: the cell's, 0 made 1.
    static int EditorInputType(int nType) { return nType == 0 ? 1 : nType; }

private:

    CXmlElement m_element;
};
