// Test access to the host build's recording printer.
//
// The printer list starts empty (no printer installed). A test installs
// printers with their default modes, papers and bins, names the default one,
// makes single calls fail, and reads back what the print jobs did. Printer
// device contexts are host DCs: their drawing lands in Headless::DrawLog().
// Headless::Reset() also resets the printer to its empty start.
#pragma once

#include "platform/Printer.h"

#include <vector>

namespace HeadlessPrinter {

// The recording printer's fixed metrics: 300 dots per inch, an unprintable
// border of 25 dots on every side; the page is the mode's paper (A4 when the
// mode leaves it unset), turned in landscape.
const int kDpi = 300;
const int kOffset = 25;

struct Installed {
    PrinterInfo info;
    PrintDevMode defaultMode;
    std::vector<PrinterPaper> papers;
    std::vector<PrinterBin> bins;
};

// A printer with an A4 portrait default mode, the papers A4 (9), A3 (8) and
// Letter (1), and the bins "Auto" (7) and "Tray 1" (1).
Installed MakePrinter(const CString& strName);
void SetPrinters(const std::vector<Installed>& printers, const CString& strDefault);

// What failing calls answer: the device context is not made; StartDoc fails;
// EndPage fails on page nPage (counted from 1, 0 for none).
void FailCreate(bool fail);
void FailStartDoc(bool fail);
void FailEndPage(int nPage);

struct JobRecord {
    CString strPrinter;        // the printer the last DC was made for
    PrintDevMode mode;         // the mode it was made with
    CString strDocName;
    int nDocsStarted = 0;
    int nPagesStarted = 0;
    int nPagesEnded = 0;
    int nDocsEnded = 0;
    int nDocsAborted = 0;
    int nDCsMade = 0;
    int nDriverDialogs = 0;
};
const JobRecord& Record();

// What the driver's document-properties dialog answers (IDOK or IDCANCEL)
// and the orientation it sets when confirmed (0: unchanged).
void SetDriverDialogAnswer(int nAnswer, short nOrientation);

void Reset();

}  // namespace HeadlessPrinter
