#include "designer/dialogs/AttributeDialog.h"

#include "cellcontent/XmlElement.h"
#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"
#include "designer/dialogs/ToolDialogs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

AttrGetter ControlAttributes(IGridControl& grid, LONG row, LONG col)
{
    return [&grid, row, col](const char* name) { return grid.CellGetControlProperty(row, col, CString(name)); };
}

AttrGetter FormatAttributes(IGridControl& grid, LONG row, LONG col)
{
    return [&grid, row, col](const char* name) { return grid.CellGetTextFormatProperty(row, col, CString(name)); };
}

namespace attr {

int Int(const AttrGetter& get, const char* name)
{
    const CString text = get(name);
    const long value = std::strtol(text, nullptr, 10);
    if (value > 0x7fffffffL)
        return 0x7fffffff;
    if (value < -0x7fffffffL - 1)
        return -0x7fffffff - 1;
    return static_cast<int>(value);
}

double Number(const AttrGetter& get, const char* name)
{
    const CString text = get(name);
    const double value = std::strtod(text, nullptr);
    return std::isfinite(value) ? value : 0.0;
}

COLORREF Colour(const AttrGetter& get, const char* name)
{
    return CXmlElement::ParseColour(get(name));
}

CString Fixed(double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%f", std::isfinite(value) ? value : 0.0);
    return CString(buffer);
}

}  // namespace attr

BOOL CAttributeDialog::Accept(IDesignerUi& ui)
{
    m_nFocus = 0;
    if (!Validate(ui))
        return FALSE;
    m_strResult = BuildText();
    return TRUE;
}

BOOL CAttributeDialog::Refuse(IDesignerUi& ui, const CString& text, int field)
{
    ui.MessageBox(text, CString("提示"), MB_OK | MB_ICONEXCLAMATION);
    m_nFocus = field;
    return FALSE;
}

BOOL CAttributeDialog::CheckRange(IDesignerUi& ui, int value, int low, int high, int field)
{
    if (value >= low && value <= high)
        return TRUE;
    return Refuse(ui, RangeMessage(low, high), field);
}

BOOL CAttributeDialog::CheckQuoted(IDesignerUi& ui, const CString& text, int field)
{
    if (text.Find('"') < 0)
        return TRUE;
    return Refuse(ui, CString("内容中不能含有双引号(\")!"), field);
}
