// The grid and a spreadsheet program's automation server ("Excel.Application"):
// a sheet written into a new workbook of the program and saved, and one
// worksheet of a workbook read back into the grid. Both move values,
// formulas, date formats, fonts, colours, alignment, word wrap, borders,
// merged areas, column widths and row heights; the export also moves the
// pictures of image cells. The server is reached through the platform's
// late-bound automation (platform/Automation.h).
#pragma once

#include "base/WinTypes.h"

class CGridCtrl;

// Writes the sheet (the fixed areas that the grid's SaveExcelFlags include:
// 1 fixed rows, 2 fixed columns, 3 both) into a new workbook saved at the
// path. 1 when the workbook was written; 0 for an empty path, a missing
// folder, a server that cannot be made (after the message "无法创建EXCEL实例"),
// a call the server refused, a quit message during the transfer, or a
// transfer already running on the grid.
short ExportExcelViaAutomation(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword);

// Replaces the grid's content with the worksheet nSheetIndex (from 1) of the
// workbook at the path: one fixed row and column stay as headers and the
// program's row r, column c land in grid row r, column c. The worksheet is
// read whole before the grid changes, so a failure leaves the sheet as it
// was. 1 when the sheet was read; 0 for a missing file, a sheet index out of
// range, a server that cannot be made (after "无法创建EXCEL实例!"), a
// refused call, a used range too large for the grid, a quit message during
// the transfer, or a transfer already running on the grid.
short ImportExcelViaAutomation(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword, long nSheetIndex);

// The largest used range an import takes.
const long kExcelImportMaxRows = 1048576;
const long kExcelImportMaxColumns = 16384;
const long long kExcelImportMaxCells = 4000000;
