#include "control/KivoViewObjects.h"

#include "control/KivoControlObjects.h"
#include "control/KivoValueObjects.h"
#include "grid/GridCtrl.h"

// ---- the shared members ------------------------------------------------------------

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_crBackColor(LONG& pVal)
{
    pVal = static_cast<LONG>(m_cells.GetBackColor());
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_crBackColor(LONG newVal)
{
    m_cells.SetBackColor(static_cast<COLORREF>(newVal));
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::SetControl(const CString& strXml)
{
    m_cells.SetControl(strXml);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::GetControl(CString& pstrXml)
{
    pstrXml = m_cells.GetControl();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::SetControlEx(CKivoObject* Control)
{
    CString text;
    if (GetKivoControlText(Control, text) && !text.IsEmpty())
        m_cells.SetControl(text);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::GetControlEx(CKivoObjectPtr& ppControl)
{
    ppControl.reset();
    if (m_cells.HasReadCell())
        ppControl = CreateKivoControlObject(m_cells.GetCellType(), m_cells.GetControl());
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_crTextColor(LONG& pVal)
{
    pVal = static_cast<LONG>(m_cells.GetTextColor());
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_crTextColor(LONG newVal)
{
    m_cells.SetTextColor(static_cast<COLORREF>(newVal));
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::SetFont(const CString& strXml)
{
    m_cells.SetFont(strXml);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::GetFont(CString& pstrXml)
{
    pstrXml = m_cells.GetFont();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::SetFontEx(CKivoObject* Font)
{
    CString text;
    if (GetKivoFontText(Font, text))
        m_cells.SetFont(text);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::GetFontEx(CKivoObjectPtr& ppFont)
{
    if (m_cells.HasReadCell())
        ppFont = CreateKivoFontObject(m_cells.GetFont());
    else
        ppFont.reset();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::SetTextFormat(const CString& strXml)
{
    m_cells.SetFormat(strXml);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::GetTextFormat(CString& pstrXml)
{
    pstrXml = m_cells.GetFormat();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_strValue(CString& pVal)
{
    pVal = m_cells.GetText();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_strValue(const CString& newVal)
{
    m_cells.SetText(newVal);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_dbValueEx(double& pVal)
{
    pVal = m_cells.GetValue();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_dbValueEx(double newVal)
{
    m_cells.SetValue(newVal);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_iTextWrap(SHORT& pVal)
{
    pVal = m_cells.GetWrap() ? 1 : 0;
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_iTextWrap(SHORT newVal)
{
    m_cells.SetWrap(newVal != 0);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_iReadOnly(SHORT& pVal)
{
    pVal = m_cells.GetReadOnly() ? 1 : 0;
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_iReadOnly(SHORT newVal)
{
    m_cells.SetReadOnly(newVal != 0);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_iHide(SHORT& pVal)
{
    pVal = m_cells.GetHide() ? 1 : 0;
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_iHide(SHORT newVal)
{
    m_cells.SetHide(newVal != 0);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::SetBorder(LONG nBorderFlags, LONG nLineStyle, LONG crLineColor,
                                                    LONG nLineWidth)
{
    m_cells.SetBorder(nBorderFlags, nLineStyle, static_cast<COLORREF>(crLineColor), nLineWidth);
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_nBorderFlags(LONG& pVal)
{
    pVal = m_cells.GetBorderFlags();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_nAlign(LONG& pVal)
{
    pVal = static_cast<LONG>(m_cells.GetAlign());
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::put_nAlign(LONG newVal)
{
    m_cells.SetAlign(static_cast<UINT>(newVal));
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::Merge()
{
    m_cells.Merge();
    return kKivoOk;
}

template <class Base, class Accessor>
HRESULT CKivoCellsObject<Base, Accessor>::get_iIsMerged(SHORT& pVal)
{
    pVal = m_cells.IsMerged() ? 1 : 0;
    return kKivoOk;
}

template class CKivoCellsObject<CKivoColumnBase, CColumnAccessor>;
template class CKivoCellsObject<CKivoRowBase, CRowAccessor>;
template class CKivoCellsObject<CKivoRangeBase, CRangeAccessor>;

// ---- the classes' own members -------------------------------------------------------------

HRESULT CKivoColumn::get_nColIndex(LONG& pVal)
{
    pVal = Held(m_cells.GetIndex());
    return kKivoOk;
}

HRESULT CKivoRow::get_nRowIndex(LONG& pVal)
{
    pVal = Held(m_cells.GetIndex());
    return kKivoOk;
}

HRESULT CKivoRange::get_nMinRow(LONG& pVal)
{
    pVal = Held(m_cells.GetMinRow());
    return kKivoOk;
}

HRESULT CKivoRange::get_nMinCol(LONG& pVal)
{
    pVal = Held(m_cells.GetMinCol());
    return kKivoOk;
}

HRESULT CKivoRange::get_nMaxRow(LONG& pVal)
{
    pVal = Held(m_cells.GetMaxRow());
    return kKivoOk;
}

HRESULT CKivoRange::get_nMaxCol(LONG& pVal)
{
    pVal = Held(m_cells.GetMaxCol());
    return kKivoOk;
}

HRESULT CKivoRange::get_iIsMerge(SHORT& pVal)
{
    return get_iIsMerged(pVal);
}

// ---- factories -------------------------------------------------------------------------------

CKivoObjectPtr CreateKivoColumnObject(const CGridLink& grid, LONG index)
{
    auto column = std::make_unique<CKivoColumn>();
    column->Cells().SetGrid(grid);
    CGridCtrl* engine = grid.Get();
    if (engine != nullptr && index >= 0 && index < engine->GetColumnCount()) {
        column->Cells().SetIndex(index);
        column->Cells().RegisterFormatColumn();
    }
    return column;
}

CKivoObjectPtr CreateKivoRowObject(const CGridLink& grid, LONG index)
{
    auto row = std::make_unique<CKivoRow>();
    row->Cells().SetGrid(grid);
    CGridCtrl* engine = grid.Get();
    if (engine != nullptr && index >= 0 && index < engine->GetRowCount()) {
        row->Cells().SetIndex(index);
        row->Cells().RegisterFormatRow();
    }
    return row;
}

CKivoObjectPtr CreateKivoRangeObject(const CGridLink& grid, LONG minRow, LONG minCol, LONG maxRow, LONG maxCol)
{
    auto range = std::make_unique<CKivoRange>();
    range->Cells().SetGrid(grid);
    range->Cells().SetRange(minRow, minCol, maxRow, maxCol);
    return range;
}
