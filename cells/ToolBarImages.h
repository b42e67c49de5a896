// The format toolbar's button images, drawn by us: a strip of 17 images of
// 16 x 16 pixels (COLORREF values) on the key colour 0xC0C0C0, in the order of
// the image indices of formatbar::Buttons(). The two colour buttons' images
// hold marker pixels (0x0100FF for the text colour, 0xFEFFFF for the back
// colour) that show the button's current colour.
#pragma once

#include "base/WinTypes.h"

#include <vector>

namespace toolbarimages {

struct Strip {
    int nWidth = 0;                 // pixels (16 x image count)
    int nHeight = 0;
    std::vector<COLORREF> pixels;   // row by row from the top
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * nWidth + x]; }
};

Strip FormatImages();

// Puts image nIndex of the unpainted strip back into the current strip and
// gives every pixel that is the marker colour in the unpainted image the new
// colour (compared as red, green and blue bytes). FALSE when the index is
// outside both strips or they differ in size.
BOOL Retint(Strip& current, const Strip& unpainted, int nIndex, COLORREF marker, COLORREF colour);

}  // namespace toolbarimages
