// PrintDevMode: the printer mode a sheet stores with its print settings, in
// the fields of the system's printer-mode record. A value of -1 in a merged
// field means "not set": printing then takes the printer's own default.
#pragma once

#include "base/WinTypes.h"

struct PrintDevMode {
    char dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;       // tenths of a millimetre
    short dmPaperWidth;        // tenths of a millimetre
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    char dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
};

// The "not set" state: device and form names empty, dmCollate 1,
// dmOrientation, dmPaperSize, dmPaperLength, dmPaperWidth, dmScale, dmCopies,
// dmDefaultSource, dmPrintQuality, dmColor, dmDuplex and dmTTOption -1, every
// other field 0. Nothing for NULL.
void InitPrintDevMode(PrintDevMode* pDevMode);
