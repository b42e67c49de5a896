// The shared part of the designer's attribute-text dialogs (control types and
// display formats): the result text kept for the caller after OK, field
// checks that refuse with a message box, and the road to read a cell's
// existing attributes back into the fields.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "designer/DesignerDialog.h"

#include <functional>

class IDesignerUi;
class IGridControl;

// Reads one attribute of a cell's element by name ("" when it has none).
using AttrGetter = std::function<CString(const char* name)>;

// The cell's control attributes and its format attributes.
AttrGetter ControlAttributes(IGridControl& grid, LONG row, LONG col);
AttrGetter FormatAttributes(IGridControl& grid, LONG row, LONG col);

namespace attr {
// Decimal integer as the C library reads it; 0 for a missing value.
int Int(const AttrGetter& get, const char* name);
// Floating-point number; 0 for an empty or non-numeric value.
double Number(const AttrGetter& get, const char* name);
// "RGB(r,g,b)" or a decimal COLORREF.
COLORREF Colour(const AttrGetter& get, const char* name);
// Text of "%f": six decimals.
CString Fixed(double value);
}  // namespace attr

class CAttributeDialog : public CDesignerDialog {
public:
    // The attribute text built by the last accepted OK; empty until then.
    CString GetAttributeText() const { return m_strResult; }

    // OK: checks the fields (a refusal shows its message with the caption
    // "提示" and names the field to focus) and builds the result text.
    // FALSE keeps the dialog open with the result unchanged.
    BOOL Accept(IDesignerUi& ui);
    // The identifier of the field a refused OK asks to focus; 0 when none.
    int FocusField() const { return m_nFocus; }

    // The text the fields give now, without checks.
    virtual CString BuildText() const = 0;

protected:
    // TRUE when every field is acceptable; otherwise shows a message through
    // Refuse and answers FALSE.
    virtual BOOL Validate(IDesignerUi& ui) = 0;

    BOOL Refuse(IDesignerUi& ui, const CString& text, int field);
    // Range check of a whole-number field, refused with the range message.
    BOOL CheckRange(IDesignerUi& ui, int value, int low, int high, int field);
    // A text that lands between double quotes may not hold one.
    BOOL CheckQuoted(IDesignerUi& ui, const CString& text, int field);

    CString m_strResult;
    int m_nFocus = 0;
};
