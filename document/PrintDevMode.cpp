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
