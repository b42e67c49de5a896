// The grid's native workbook export: the data area (fixed rows and columns
// left out) as a BIFF8 workbook with values, fonts, fills, borders,
// alignment, merged cells, column widths and row heights.
#pragma once

#include "base/WinTypes.h"

class CGridCtrl;
class XlsWorkbook;

// Builds the workbook of the grid's data area into book (one sheet,
// "Sheet1"). FALSE, with nothing added, when the data area is beyond
// 65,536 rows or 256 columns. Font sizes are pixels at dpi.
BOOL BuildGridWorkbook(CGridCtrl& grid, XlsWorkbook& book, LPCTSTR password, int dpi = 96);

// The screen's vertical dots per inch, asked once; 96 when it cannot be had.
int ScreenDotsPerInch();

// Writes the workbook to path (temporary file and rename): 1 when written,
// 0 otherwise, leaving what was at the path.
short SaveExcelFile(CGridCtrl& grid, LPCTSTR path, LPCTSTR password);
