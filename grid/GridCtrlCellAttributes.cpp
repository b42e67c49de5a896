// The "font", "format" and "control" attribute texts of a cell, whole and
// one attribute at a time.
//
// A property is changed on the parsed element and the text is written back
// only when the element took the change, so a refused key leaves the cell's
// text as it was.
#include "grid/GridCtrl.h"

#include "cellcontent/XmlElement.h"
#include "grid/GridCtrlCellSetter.h"

#include <cstring>

using gridcell::SetOnCell;
using gridcell::StoredCell;

namespace {

// Which element text of a cell an accessor works on.
struct ElementText {
    const char* name;
    CString (CGridCellBase::*get)();
    void (CGridCellBase::*set)(LPCTSTR);
};

const ElementText kFont = {"font", &CGridCellBase::GetFontXml, &CGridCellBase::SetFontXml};
const ElementText kFormat = {"format", &CGridCellBase::GetFormatXml, &CGridCellBase::SetFormatXml};

short SetProperty(CGridCtrl& grid, const ElementText& which, int nRow, int nCol, LPCTSTR szKey,
                  LPCTSTR szValue)
{
    CGridCellBase* pCell = StoredCell(grid, nRow, nCol);
    if (pCell == nullptr)
        return -1;
    CXmlElement element((pCell->*which.get)(), which.name);
    short result = element.SetAttribute(szKey, szValue != nullptr ? szValue : "");
    if (result >= 0)
        (pCell->*which.set)(element.GetXmlText());
    if (pCell->IsMerged())
        grid.CopyCellToRange(pCell->GetMergeRange(), pCell);
    return result;
}

BOOL DeleteProperty(CGridCtrl& grid, const ElementText& which, int nRow, int nCol, LPCTSTR szKey)
{
    CGridCellBase* pCell = StoredCell(grid, nRow, nCol);
    if (pCell == nullptr)
        return FALSE;
    CXmlElement element((pCell->*which.get)(), which.name);
    if (!element.DeleteAttribute(szKey))
        return FALSE;
    (pCell->*which.set)(element.GetXmlText());
    return TRUE;
}

// The element of a text as parsed. Reading attribute after attribute of
// cells that share a text (a selection in one font) parses that text once:
// the last text read stays parsed, keyed by the element's name and the whole
// text.
const CXmlElement& Parsed(const ElementText& which, const CString& text)
{
    struct Last {
        const char* name = nullptr;
        CString text;
        CXmlElement element;
    };
    static thread_local Last last;
    const bool same = last.name == which.name && last.text.GetLength() == text.GetLength() &&
                      std::memcmp(last.text.GetString(), text.GetString(), static_cast<size_t>(text.GetLength())) == 0;
    if (!same) {
        last.element = CXmlElement(text, which.name);
        last.name = which.name;
        last.text = text;
    }
    return last.element;
}

CString GetProperty(CGridCtrl& grid, const ElementText& which, int nRow, int nCol, LPCTSTR szKey)
{
    CGridCellBase* pCell = StoredCell(grid, nRow, nCol);
    if (pCell == nullptr)
        return CString();
    return Parsed(which, (pCell->*which.get)()).GetAttribute(szKey);
}

}  // namespace

// --- font ----------------------------------------------------------------------------------

BOOL CGridCtrl::SetCellTextFont(int nRow, int nCol, LPCTSTR szFontXml)
{
    return SetOnCell(*this, nRow, nCol, [szFontXml](CGridCellBase* pCell) { pCell->SetFontXml(szFontXml); });
}

CString CGridCtrl::GetCellTextFont(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->GetFontXml() : CString();
}

short CGridCtrl::SetCellTextFontProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue)
{
    return SetProperty(*this, kFont, nRow, nCol, szKey, szValue);
}

BOOL CGridCtrl::DelCellTextFontProperty(int nRow, int nCol, LPCTSTR szKey)
{
    return DeleteProperty(*this, kFont, nRow, nCol, szKey);
}

CString CGridCtrl::GetCellTextFontProperty(int nRow, int nCol, LPCTSTR szKey)
{
    return GetProperty(*this, kFont, nRow, nCol, szKey);
}

// --- format --------------------------------------------------------------------------------

BOOL CGridCtrl::SetCellTextFormat(int nRow, int nCol, LPCTSTR szFormatXml)
{
    return SetOnCell(*this, nRow, nCol,
                     [szFormatXml](CGridCellBase* pCell) { pCell->SetFormatXml(szFormatXml); });
}

CString CGridCtrl::GetCellTextFormat(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->GetFormatXml() : CString();
}

short CGridCtrl::SetCellTextFormatProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue)
{
    return SetProperty(*this, kFormat, nRow, nCol, szKey, szValue);
}

BOOL CGridCtrl::DelCellTextFormatProperty(int nRow, int nCol, LPCTSTR szKey)
{
    return DeleteProperty(*this, kFormat, nRow, nCol, szKey);
}

CString CGridCtrl::GetCellTextFormatProperty(int nRow, int nCol, LPCTSTR szKey)
{
    return GetProperty(*this, kFormat, nRow, nCol, szKey);
}

// --- control -------------------------------------------------------------------------------

CString CGridCtrl::GetCellControl(int nRow, int nCol)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->GetControl() : CString();
}

BOOL CGridCtrl::SetCellControlProperty(int nRow, int nCol, LPCTSTR szKey, LPCTSTR szValue)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->SetControlProperty(szKey, szValue) : FALSE;
}

CString CGridCtrl::GetCellControlProperty(int nRow, int nCol, LPCTSTR szKey)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->GetControlProperty(szKey) : CString();
}

BOOL CGridCtrl::DelCellControlProperty(int nRow, int nCol, LPCTSTR szKey)
{
    CGridCellBase* pCell = StoredCell(*this, nRow, nCol);
    return pCell != nullptr ? pCell->DelControlProperty(szKey) : FALSE;
}
