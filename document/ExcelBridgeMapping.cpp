#include "document/ExcelBridgeMapping.h"

#include "base/WinConstants.h"
#include "cellcontent/formula/CellNameConverter.h"
#include "document/XlsCellFormat.h"

#include <cmath>
#include <string>

namespace {

int Dpi(int nDpi)
{
    return nDpi > 0 ? nDpi : 96;
}

// Rounded to two decimals, then cut to a whole number, held in range.
int RoundTwoThenCut(double d)
{
    if (!std::isfinite(d) || d <= 0.0)
        return 0;
    const double hundredths = std::floor(d * 100.0 + 0.5);
    const double whole = std::floor(hundredths / 100.0);
    return whole > 2.0e9 ? 2000000000 : static_cast<int>(whole);
}

int Cut(double d)
{
    if (!std::isfinite(d) || d <= 0.0)
        return 0;
    return d > 2.0e9 ? 2000000000 : static_cast<int>(d);
}

}  // namespace

int ExcelColumnWidthFromPixels(int nPixels, int nDpi)
{
    return RoundTwoThenCut(static_cast<double>(nPixels) * 12.0 / Dpi(nDpi));
}

int ExcelRowHeightFromPixels(int nPixels, int nDpi)
{
    return RoundTwoThenCut(static_cast<double>(nPixels) * 2.54 / Dpi(nDpi) * 28.6);
}

int PixelsFromExcelColumnWidth(double dWidth, int nDpi)
{
    return Cut(dWidth * Dpi(nDpi) / 12.0);
}

int PixelsFromExcelRowHeight(double dHeight, int nDpi)
{
    return Cut(dHeight * Dpi(nDpi) * 0.01376576179725786);
}

long ExcelHorizontalFromAlign(UINT nAlign)
{
    if (nAlign & DT_RIGHT)
        return kExcelSendRight;
    if (nAlign & DT_CENTER)
        return kExcelSendCentre;
    return kExcelSendLeft;
}

long ExcelVerticalFromAlign(UINT nAlign)
{
    if (nAlign & DT_BOTTOM)
        return kExcelSendBottom;
    if (nAlign & DT_VCENTER)
        return kExcelSendMiddle;
    return kExcelSendTop;
}

UINT AlignFromExcel(long nHorizontal, long nVertical)
{
    UINT align = DT_LEFT;
    if (nHorizontal == kExcelRight)
        align = DT_RIGHT;
    else if (nHorizontal == kExcelCentre)
        align = DT_CENTER;
    if (nVertical == kExcelCentre)
        align |= DT_VCENTER;
    else if (nVertical == kExcelBottom)
        align |= DT_BOTTOM;
    return align;
}

long ExcelLineStyleFromPen(int nPenStyle)
{
    switch (nPenStyle) {
    case PS_DASH:
        return kExcelLineDash;
    case PS_DOT:
        return kExcelLineDot;
    case PS_DASHDOT:
        return kExcelLineDashDot;
    case PS_DASHDOTDOT:
        return kExcelLineDashDotDot;
    default:
        return kExcelLineContinuous;
    }
}

long ExcelWeightFromWidth(int nWidth)
{
    if (nWidth >= 3)
        return kExcelWeightThick;
    if (nWidth == 2)
        return kExcelWeightMedium;
    return kExcelWeightThin;
}

int PenStyleFromExcelLineStyle(long nLineStyle)
{
    switch (nLineStyle) {
    case kExcelLineNone:
    case 0:
        return -1;
    case kExcelLineDash:
        return PS_DASH;
    case kExcelLineDot:
        return PS_DOT;
    case kExcelLineDashDot:
        return PS_DASHDOT;
    case kExcelLineDashDotDot:
        return PS_DASHDOTDOT;
    default:
        return PS_SOLID;   // continuous, double, slanted dash-dot
    }
}

int WidthFromExcelWeight(long nWeight)
{
    if (nWeight == kExcelWeightMedium)
        return 2;
    if (nWeight < 2)
        return 1;
    return static_cast<int>(nWeight - 1 > 3 ? 3 : nWeight - 1);
}

int ExcelColorIndexFromColour(COLORREF clr)
{
    // The standard table holds the eight fixed colours first and the
    // program's own palette from entry 8 on; the program numbers that palette
    // from 1, and its first eight entries repeat the fixed colours.
    const int index = GetExcelColourIndex(clr);
    return index < 8 ? index + 1 : index - 7;
}

CString ExcelCellName(int nRow, int nCol)
{
    CString name = CCellNameConverter().ColumnToLetters(nCol);
    name += CString(std::to_string(nRow));
    return name;
}
