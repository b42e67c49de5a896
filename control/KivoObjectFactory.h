// The object an automation class starts with when a host creates it by its
// ProgID (through the class factory).
#pragma once

#include "control/DispTypes.h"

// A new object of a KivoClass value; NULL for a value out of range.
CKivoObjectPtr CreateKivoObjectOfClass(int kivoClass);
