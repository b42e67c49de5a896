// The answer of a dialog's validation: empty when the values may be saved,
// otherwise the message the user sees (caption "提示", information icon)
// and the control that gets the focus; the dialog then stays open with the
// values as typed.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

class IDesignerUi;

struct CDialogCheck {
    CString message;
    UINT focusId = 0;

    bool Passed() const { return message.IsEmpty(); }
    static CDialogCheck Fail(const char* text, UINT focus = 0)
    {
        CDialogCheck c;
        c.message = text;
        c.focusId = focus;
        return c;
    }
};

// Shows a failed check as the dialogs do; answers whether it passed.
bool ReportCheck(IDesignerUi& ui, const CDialogCheck& check);
// A message box with the caption "提示" and the information icon.
void ShowHint(IDesignerUi& ui, const CString& text);
