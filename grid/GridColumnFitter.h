// Fitting every column's width to its cells, fed a row at a time.
//
// AutoSizeColumns feeds it every row; a loader that fills a sheet row by
// row feeds it each row as soon as the row is filled, while the row's cells
// are still fresh in the processor's cache. A cell's measure depends on its
// own column's width only, and the widths are set at the end, so the order
// the rows come in does not change the result.
#pragma once

#include "base/CString.h"
#include "grid/GridMeasureDC.h"
#include "grid/GridMeasureFonts.h"

#include <memory>
#include <vector>

class CGridCtrl;

class CGridColumnFitter {
public:
    // nAutoSizeStyle as for AutoSizeColumns (0: the grid's own setting). The
    // columns fitted are those not hidden now.
    CGridColumnFitter(CGridCtrl& grid, UINT nAutoSizeStyle);
    CGridColumnFitter(const CGridColumnFitter&) = delete;
    CGridColumnFitter& operator=(const CGridColumnFitter&) = delete;

    // FALSE when no measuring context could be had: nothing is fitted.
    BOOL IsReady() const { return m_dc.Get() != nullptr; }

    // Measures the row's cells; a row outside the style's rows, or hidden,
    // adds nothing.
    void MeasureRow(int nRow);

    // Gives every column that had something to show its widest measure.
    void Finish();

private:
    CGridCtrl& m_grid;
    CGridMeasureDC m_dc;
    std::unique_ptr<CGridMeasurePass> m_pPass;
    int m_nFirst = 0;
    int m_nLast = -1;
    std::vector<int> m_columns;
    std::vector<CString> m_labels;   // the letters the grid writes into each column's header
    std::vector<int> m_widest;
};
