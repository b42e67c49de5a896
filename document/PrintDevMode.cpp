#include "document/PrintDevMode.h"

#include <cstring>

void InitPrintDevMode(PrintDevMode* pDevMode)
{
    if (pDevMode == nullptr)
        return;
    std::memset(pDevMode, 0, sizeof(PrintDevMode));
    pDevMode->dmCollate = 1;
    pDevMode->dmOrientation = -1;
    pDevMode->dmPaperSize = -1;
    pDevMode->dmPaperLength = -1;
    pDevMode->dmPaperWidth = -1;
    pDevMode->dmScale = -1;
    pDevMode->dmCopies = -1;
    pDevMode->dmDefaultSource = -1;
    pDevMode->dmPrintQuality = -1;
    pDevMode->dmColor = -1;
    pDevMode->dmDuplex = -1;
    pDevMode->dmTTOption = -1;
}

PrintDevMode MergePrintModes(const PrintDevMode& stored, const PrintDevMode& printer)
{
    PrintDevMode merged = printer;
    auto take = [](short value, short& field) {
        if (value != -1)
            field = value;
    };
    take(stored.dmCollate, merged.dmCollate);
    take(stored.dmCopies, merged.dmCopies);
    take(stored.dmDefaultSource, merged.dmDefaultSource);
    take(stored.dmOrientation, merged.dmOrientation);
    take(stored.dmDuplex, merged.dmDuplex);
    take(stored.dmPrintQuality, merged.dmPrintQuality);
    take(stored.dmScale, merged.dmScale);
    if (stored.dmDeviceName[0] != '\0')
        std::memcpy(merged.dmDeviceName, stored.dmDeviceName, sizeof(merged.dmDeviceName));
    if (stored.dmPaperSize != -1) {
        merged.dmPaperSize = stored.dmPaperSize;
        if (stored.dmPaperLength != -1 && stored.dmPaperWidth != -1) {
            merged.dmPaperLength = stored.dmPaperLength;
            merged.dmPaperWidth = stored.dmPaperWidth;
        }
    }
    return merged;
}
