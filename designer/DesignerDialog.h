// A dialog of the designer as a portable model: its fields, defaults and
// validation live in a class derived from this one (designer/dialogs/), and
// IDesignerUi::DoModal shows it. The Windows program finds the window for
// the model by its identifier (designer/win32/DialogWindows.h); tests answer
// it from a script by filling the fields.
#pragma once

#include "base/WinTypes.h"

class CDesignerDialog {
public:
    virtual ~CDesignerDialog() = default;
    // The dialog's resource identifier; one model class per identifier.
    virtual UINT DialogId() const = 0;
};
