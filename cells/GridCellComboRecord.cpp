// The record level of the combo box cell.
#include "base/CArchive.h"
#include "cells/GridCellCombo.h"
#include "grid/CellRecordIO.h"

int CGridCellCombo::GetComboLevelSize()
{
    CCellRecordWriter counter(nullptr);
    if (m_nCurIndex >= 0)
        counter.Int(CELL_RECORD_COMBO_INDEX, m_nCurIndex);
    const CString control = GetControl();
    if (!control.IsEmpty())
        counter.Text(CELL_RECORD_COMBO_CONTROL, control);
    return CellRecordLevelSize(CGridCell::GetRecordSize(), counter.GetItemBytes());
}

int CGridCellCombo::GetRecordSize()
{
    return GetComboLevelSize();
}

void CGridCellCombo::StoreComboLevel(CArchive& ar)
{
    ar << GetComboLevelSize();
    CGridCell::SerializeRecord(ar, nullptr);
    CCellRecordWriter writer(&ar);
    if (m_nCurIndex >= 0)
        writer.Int(CELL_RECORD_COMBO_INDEX, m_nCurIndex);
    const CString control = GetControl();
    if (!control.IsEmpty())
        writer.Text(CELL_RECORD_COMBO_CONTROL, control);
    ar << CELL_RECORD_COMBO_END;
}

void CGridCellCombo::LoadComboLevel(CArchive& ar, int* pnRunningSize)
{
    CCellRecordReader rd(ar, pnRunningSize);
    CGridCell::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_COMBO_END, tag, length)) {
        if (tag == CELL_RECORD_COMBO_INDEX) {
            int index = -1;
            if (rd.ReadInt(index))
                m_nCurIndex = index;
        } else if (tag == CELL_RECORD_COMBO_CONTROL) {
            CString text;
            if (rd.ReadText(text)) {
                // The stored "setcurrentitem" restores the index; the cell's
                // text is the one the record holds.
                m_bLoading = TRUE;
                SetControl(text);
                m_bLoading = FALSE;
            }
        } else {
            rd.SkipItem();
        }
    }
}

void CGridCellCombo::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring())
        StoreComboLevel(ar);
    else
        LoadComboLevel(ar, pnRunningSize);
}
