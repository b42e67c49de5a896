// PrintDevMode: the printer mode a sheet stores with its print settings, in
// the fields of the system's printer-mode record. A value of -1 in a merged
// field means "not set": printing then takes the printer's own default.
#pragma once

#include "base/WinTypes.h"
#include "platform/PrinterMode.h"

// The "not set" state: device and form names empty, dmCollate 1,
// dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth, dmScale, dmCopies,
// dmDefaultSource, dmPrintQuality, dmColor, dmDuplex and dmTTOption -1, every
// other field 0. Nothing for NULL.
void InitPrintDevMode(PrintDevMode* pDevMode);

// The mode a print job uses: the stored values win where they are set
// (dmCollate, dmCopies, dmDefaultSource, dmOrientation, dmDuplex,
// dmPrintQuality and dmScale when not -1; the device name when not empty;
// dmPaperSize when not -1, and then dmPaperLength and dmPaperWidth only when
// both are set); every other field comes from the printer's own default.
PrintDevMode MergePrintModes(const PrintDevMode& stored, const PrintDevMode& printer);
