#include "cells/GridCellNumeric.h"

#include "base/CArchive.h"
#include "base/NumberText.h"
#include "cells/InPlaceEdit.h"
#include "grid/CellRecordIO.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CGridCellNumeric, CGridCell)

namespace {

// TRUE when the whole text (blanks around it aside) is one number.
bool ReadsAsNumber(LPCTSTR szText, double* pValue)
{
    if (szText == nullptr)
        return false;
    const char* end = nullptr;
    const double value = StrToD(szText, &end);
    if (end == nullptr || end == szText)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    // Blanks alone read as nothing.
    const char* p = szText;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '\0' || !(*p == '+' || *p == '-' || *p == '.' || (*p >= '0' && *p <= '9')))
        return false;
    *pValue = value;
    return true;
}

}  // namespace

BOOL CGridCellNumeric::SetControl(LPCTSTR szControl)
{
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    ApplyNumericAttributes();
    return TRUE;
}

CString CGridCellNumeric::GetControl()
{
    return m_element.GetXmlText();
}

BOOL CGridCellNumeric::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    // -1 is a refusal; any other answer is the index written, 0 included.
    const short result = m_element.SetAttribute(szKey, szValue);
    ApplyNumericAttributes();
    return result >= 0 ? TRUE : FALSE;
}

CString CGridCellNumeric::GetControlProperty(LPCTSTR szKey)
{
    return m_element.GetAttribute(szKey);
}

BOOL CGridCellNumeric::DelControlProperty(LPCTSTR szKey)
{
    const BOOL result = m_element.DeleteAttribute(szKey);
    ApplyNumericAttributes();
    return result;
}

void CGridCellNumeric::ApplyNumericAttributes()
{
    // The rule counts only for an edit: nothing changes until one is open.
    CInPlaceEdit* pEdit = dynamic_cast<CInPlaceEdit*>(GetEditWnd());
    if (pEdit == nullptr || m_element.GetXmlText().IsEmpty())
        return;
    const int type = AToI(m_element.GetAttribute("inputtype"));
    SetInputType(type);
    pEdit->SetInputType(EditorInputType(type));
    const BOOL limit = AToI(m_element.GetAttribute("limit")) != 0;
    double dMin = 0.0;
    double dMax = 0.0;
    GetInputLimit(dMin, dMax);
    if (limit) {
        dMin = AToF(m_element.GetAttribute("inputmin"));
        dMax = AToF(m_element.GetAttribute("inputmax"));
    }
    SetInputLimit(limit, dMin, dMax);
    pEdit->SetInputLimit(limit, dMin, dMax);
    // Only a text that reads as a number makes the cell a number cell;
    // forcing the flag would hide any other text.
    double value = 0.0;
    if (!IsNumber() && ReadsAsNumber(GetText(), &value))
        SetValue(value);
}

BOOL CGridCellNumeric::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    if (IsEditing() || m_element.GetXmlText().IsEmpty())
        return CGridCell::Edit(nRow, nCol, rect, point, nID, nChar);
    // The editor is made with the rule already in place, so the key that
    // starts the edit is filtered too.
    const int storedType = GetInputType();
    double dMin = 0.0;
    double dMax = 0.0;
    const BOOL storedLimit = GetInputLimit(dMin, dMax);
    const int type = AToI(m_element.GetAttribute("inputtype"));
    const BOOL limit = AToI(m_element.GetAttribute("limit")) != 0;
    SetInputType(EditorInputType(type));
    if (limit)
        SetInputLimit(TRUE, AToF(m_element.GetAttribute("inputmin")), AToF(m_element.GetAttribute("inputmax")));
    else
        SetInputLimit(FALSE, dMin, dMax);
    const BOOL result = CGridCell::Edit(nRow, nCol, rect, point, nID, nChar);
    if (GetEditWnd() != nullptr) {
        ApplyNumericAttributes();
    } else {
        SetInputType(storedType);
        SetInputLimit(storedLimit, dMin, dMax);
    }
    return result;
}

int CGridCellNumeric::GetRecordSize()
{
    return GetControlLevelSize(CELL_RECORD_NUMERIC_CONTROL);
}

void CGridCellNumeric::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    SerializeControlLevel(ar, pnRunningSize, CELL_RECORD_NUMERIC_CONTROL, CELL_RECORD_NUMERIC_END);
}
