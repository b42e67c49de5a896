// How grid settings become the values a spreadsheet program's automation
// server takes, and how its answers become grid settings again: sizes,
// alignment, border line styles and weights, fill colour numbers and cell
// names.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// Alignment values sent.
const long kExcelSendLeft = 2, kExcelSendCentre = 3, kExcelSendRight = 4;
const long kExcelSendTop = 1, kExcelSendMiddle = 2, kExcelSendBottom = 3;
// Alignment values read back.
const long kExcelLeft = -4131, kExcelCentre = -4108, kExcelRight = -4152, kExcelGeneral = 1;
const long kExcelTop = -4160, kExcelBottom = -4107;
// Border line styles and weights.
const long kExcelLineContinuous = 1, kExcelLineDash = -4115, kExcelLineDot = -4118;
const long kExcelLineDashDot = 4, kExcelLineDashDotDot = 5, kExcelLineNone = -4142;
const long kExcelWeightHairline = 1, kExcelWeightThin = 2, kExcelWeightMedium = -4138, kExcelWeightThick = 4;
// Border items by grid side bit 1 left, 2 top, 4 right, 8 bottom.
const int kExcelBorderItemLeft = 1, kExcelBorderItemRight = 2, kExcelBorderItemTop = 3, kExcelBorderItemBottom = 4;

// A column width in pixels as the program's width (pixels x 12 / dpi, rounded
// to two decimals, then cut to a whole number).
int ExcelColumnWidthFromPixels(int nPixels, int nDpi);
// A row height in pixels as points (pixels x 2.54 / dpi x 28.6, likewise).
int ExcelRowHeightFromPixels(int nPixels, int nDpi);
// And back: width x dpi / 12, height x dpi x 0.01376576179725786, cut.
int PixelsFromExcelColumnWidth(double dWidth, int nDpi);
int PixelsFromExcelRowHeight(double dHeight, int nDpi);

// Text drawing flags (1 centre, 2 right, 4 vertical centre, 8 bottom) to the
// values sent, and the values read back to drawing flags.
long ExcelHorizontalFromAlign(UINT nAlign);
long ExcelVerticalFromAlign(UINT nAlign);
UINT AlignFromExcel(long nHorizontal, long nVertical);

// A grid pen style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot) as
// a line style the program accepts (solid for any other), and a line width
// (1 thin, 2 medium, 3 and more thick) as a weight; and back. A line style
// that draws nothing answers -1.
long ExcelLineStyleFromPen(int nPenStyle);
long ExcelWeightFromWidth(int nWidth);
int PenStyleFromExcelLineStyle(long nLineStyle);
int WidthFromExcelWeight(long nWeight);

// The program's own colour number (1 to 56) of the standard colour nearest
// to the colour.
int ExcelColorIndexFromColour(COLORREF clr);

// "A1"-style name of a 1-based row and column.
CString ExcelCellName(int nRow, int nCol);
