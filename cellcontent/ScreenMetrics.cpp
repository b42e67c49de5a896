#include "cellcontent/ScreenMetrics.h"

namespace {

const int kDefaultPixelsPerInch = 96;
int g_pixelsPerInchY = kDefaultPixelsPerInch;
int g_pixelsPerInchX = kDefaultPixelsPerInch;

}  // namespace

int GetScreenPixelsPerInchY()
{
    return g_pixelsPerInchY;
}

int GetScreenPixelsPerInchX()
{
    return g_pixelsPerInchX;
}

void SetScreenPixelsPerInchY(int pixelsPerInch)
{
    if (pixelsPerInch > 0)
        g_pixelsPerInchY = pixelsPerInch;
}

void SetScreenPixelsPerInchX(int pixelsPerInch)
{
    if (pixelsPerInch > 0)
        g_pixelsPerInchX = pixelsPerInch;
}
