// The host build's up-down control is CSpinButtonCtrl itself.
#include "cells/SpinButtonCtrl.h"

void PlatformEnsureUpDownClass() {}
