// The system's up-down control class, from the common controls.
#include "cells/SpinButtonCtrl.h"

#include <windows.h>
#include <commctrl.h>

void PlatformEnsureUpDownClass()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}
