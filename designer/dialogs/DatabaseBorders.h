// The "边框" button of the binding and bound-field dialogs and of the report
// wizard's binding and bound-field pages: it opens the border popup with the
// four side records of a binding or field and takes back what OK answers.
// The button shows the name of the four-side mask.
#pragma once

#include "base/CString.h"
#include "designer/dialogs/BindDlg.h"

class IDesignerUi;

// Opens the border popup (dialog 281) with the mask and the four side records
// (the diagonal lines stay absent: a binding carries four sides only). On OK
// the sides chosen become the mask and records and TRUE is answered; on
// cancel the borders stay as they were. A line of the popup outside the four
// sides is not carried back.
BOOL EditSideBorders(IDesignerUi& ui, CBorderSet& borders);

// The button's caption: the name of the mask ("无边框" .. "全边框").
CString SideBordersCaption(const CBorderSet& borders);
