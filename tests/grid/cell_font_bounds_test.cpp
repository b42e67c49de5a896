// The bounds on cell font sizes: the largest size a font text may ask for,
// and the height a zoomed cell font is made with.
#include "cellcontent/FontElement.h"
#include "cellcontent/ScreenMetrics.h"
#include "grid/LogFontUtil.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(CellFontBounds, FontTextsAskForAtMostTheLargestSize)
{
    struct Case {
        const char* size;
        LONG height;   // at 96 pixels per inch
    } cases[] = {
        {"1638", -2184},
        {"1639", -2184},
        {"99999999999", -2184},
        {"-1639", 2184},
        {"-2147483648", 2184},
        {"1000", -1333},
        {"0", 0},
    };
    SetScreenPixelsPerInchY(96);   // the resolution a process starts with
    for (const Case& c : cases) {
        CFontElement element((std::string("<font fontsize = \"") + c.size + "\" >").c_str());
        EXPECT_EQ(c.height, element.GetLogFontRef().lfHeight) << c.size;
    }
}

TEST(CellFontBounds, ZoomedFontHeightsStayWithinTheLimit)
{
    struct Case {
        LONG height;
        double zoom;
        LONG scaled;
    } cases[] = {
        {-12, 2.0, -24},
        {-13, 1.5, -19},   // truncated toward zero
        {13, 1.5, 19},
        {-12, 1e12, -kMaxCellFontHeight},
        {12, 1e300, kMaxCellFontHeight},
        {-2147483647 - 1, 1.0, -kMaxCellFontHeight},
        {-12, std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.scaled, ScaleFontHeight(c.height, c.zoom)) << c.height << " x " << c.zoom;
}

}  // namespace
