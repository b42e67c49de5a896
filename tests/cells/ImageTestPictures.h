// Pictures for the image cell tests: 8 x 6 pixels in four quadrants of 4 x 3,
// red top left, green top right, blue bottom left, white bottom right, as a
// 24-bit BMP file and as a PNG file.
#pragma once

#include "base/WinTypes.h"

#include <vector>

namespace imagetest {

const int kPictureWidth = 8;
const int kPictureHeight = 6;

inline COLORREF QuadrantColour(int x, int y)
{
    if (y < 3)
        return x < 4 ? RGB(255, 0, 0) : RGB(0, 255, 0);
    return x < 4 ? RGB(0, 0, 255) : RGB(255, 255, 255);
}

// A bottom-up 24-bit BMP file of the quadrants.
inline std::vector<BYTE> QuadrantBmp()
{
    const int rowBytes = (kPictureWidth * 3 + 3) & ~3;
    const int imageBytes = rowBytes * kPictureHeight;
    std::vector<BYTE> b;
    auto u16 = [&b](int v) { b.push_back(BYTE(v & 0xFF)); b.push_back(BYTE((v >> 8) & 0xFF)); };
    auto u32 = [&u16](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
    b.push_back('B');
    b.push_back('M');
    u32(14 + 40 + imageBytes);
    u32(0);
    u32(14 + 40);
    u32(40);
    u32(kPictureWidth);
    u32(kPictureHeight);
    u16(1);
    u16(24);
    u32(0);
    u32(imageBytes);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = kPictureHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const COLORREF c = QuadrantColour(x, y);
            b.push_back(GetBValue(c));
            b.push_back(GetGValue(c));
            b.push_back(GetRValue(c));
        }
        for (int pad = kPictureWidth * 3; pad < rowBytes; ++pad)
            b.push_back(0);
    }
    return b;
}

// The same quadrants as a PNG file (8-bit RGB, one IDAT chunk).
inline std::vector<BYTE> QuadrantPng()
{
    static const BYTE kPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x06, 0x08, 0x02, 0x00, 0x00, 0x00, 0x71, 0x67, 0x48,
    0xAC, 0x00, 0x00, 0x00, 0x19, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0x00,
    0x47, 0x0C, 0xFF, 0x71, 0x20, 0xE2, 0x24, 0x90, 0x79, 0xC8, 0x80, 0x74, 0x09, 0x00, 0xF4, 0x82,
    0x47, 0xB9, 0x23, 0xE3, 0xB2, 0x92, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42,
    0x60, 0x82
    };
    return std::vector<BYTE>(kPng, kPng + sizeof(kPng));
}

}  // namespace imagetest
