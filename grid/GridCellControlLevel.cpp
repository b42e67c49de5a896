// The record level shared by the typed cells that keep all their settings in
// their control text (check, numeric and URL cells).
#include "base/CArchive.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCell.h"

int CGridCell::GetControlLevelSize(int nControlTag)
{
    CCellRecordWriter counter(nullptr);
    const CString control = GetControl();
    if (!control.IsEmpty())
        counter.Text(nControlTag, control);
    return CellRecordLevelSize(CGridCell::GetRecordSize(), counter.GetItemBytes());
}

void CGridCell::SerializeControlLevel(CArchive& ar, int* pnRunningSize, int nControlTag, int nEndTag)
{
    if (ar.IsStoring()) {
        ar << GetControlLevelSize(nControlTag);
        CGridCell::SerializeRecord(ar, nullptr);
        CCellRecordWriter writer(&ar);
        const CString control = GetControl();
        if (!control.IsEmpty())
            writer.Text(nControlTag, control);
        ar << nEndTag;
        return;
    }
    CCellRecordReader rd(ar, pnRunningSize);
    CGridCell::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(nEndTag, tag, length)) {
        CString text;
        if (tag == nControlTag) {
            if (rd.ReadText(text))
                SetControl(text);
        } else {
            rd.SkipItem();
        }
    }
}
