// PrintDevMode: a printer mode in the fields of the system's printer-mode
// record (the fields this system reads and stores). The printer service takes
// and answers modes in this form; the print settings store one with the sheet.
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
