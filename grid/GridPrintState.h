// What the grid knows while it prints or previews: the page metrics in device
// units, the row and column pages, the current page, and the printer's paper
// list (kept from the last printer loaded).
#pragma once

#include "platform/Printer.h"

#include <vector>

// The record of the current print or preview run; handed to the preview.
struct PrintJobInfo {
    int nState = 1;
    int bPreview = 0;          // 1 while a preview lays the pages out
    int nFromPage = 0;         // the first page (0)
    int nPageCount = 0;        // the pages of the run
    int nCurPage = 0;          // the page being drawn (counted from 0)
    CString strDocName;
};

// A title range of the print settings, first and last line (-1: none).
struct GridLineSpan {
    int nFirst = -1;
    int nLast = -1;
    bool IsSet() const { return nFirst >= 0 && nLast >= nFirst; }
};

struct GridPrintState {
    bool bPrinting = false;
    bool bPreview = false;
    int nPageWidth = 0;        // the whole page (device units)
    int nPageHeight = 0;
    int nOffsetX = 0;          // the unprintable border (device units)
    int nOffsetY = 0;
    int nPrintableWidth = 0;
    int nPrintableHeight = 0;
    double dUnitsPerMmX = 0.0;
    double dUnitsPerMmY = 0.0;
    // The first line of every row page and column page, then the end line:
    // page i holds the lines [starts[i], starts[i + 1]).
    std::vector<int> rowStarts;
    std::vector<int> colStarts;
    int nCurPage = 0;
    // The title spans clipped to the sheet: top rows, bottom rows, left
    // columns, right columns.
    GridLineSpan titles[4];
    // The zoom in force before the run, put back at its end.
    double dSavedZoomX = 1.0;
    double dSavedZoomY = 1.0;
    // The layout is always made in printer units, for a job and for a
    // preview alike: the printer's pixels per inch, the screen's, and the
    // zoom (printer pixels per screen pixel) the breaks were found at. A
    // preview draws the same pages scaled.
    int nLayoutDpiX = 96;
    int nLayoutDpiY = 96;
    int nScreenDpi = 96;
    double dLayoutZoomX = 1.0;
    double dLayoutZoomY = 1.0;

    int RowPages() const { return rowStarts.empty() ? 0 : static_cast<int>(rowStarts.size()) - 1; }
    int ColPages() const { return colStarts.empty() ? 0 : static_cast<int>(colStarts.size()) - 1; }
    int PageCount() const { return RowPages() * ColPages(); }
};

// One page laid out for drawing: the rows and columns it prints (titles
// included, in order) and where each begins in device units (one entry more
// than lines: the end). The owners of the merged blocks already drawn.
struct GridPrintPage {
    std::vector<int> rows;
    std::vector<int> cols;
    std::vector<int> ys;
    std::vector<int> xs;
    std::vector<long long> drawnBlocks;
    int Width() const { return xs.empty() ? 0 : xs.back() - xs.front(); }
    int Height() const { return ys.empty() ? 0 : ys.back() - ys.front(); }
};

// Millimetres (or tenths of a millimetre) to device units at nDpi, to the
// nearest unit; the one conversion paper, margins and preview share.
int MillimetresToUnits(double dMillimetres, int nDpi);
int TenthsMmToUnits(int nTenths, int nDpi);
// The screen's pixels per inch (96 when it cannot be asked).
int GridScreenDpi();
