#include "designer/LineStyles.h"

#include "base/WinConstants.h"

namespace {

struct PenEntry {
    int style;
    int width;
};

const PenEntry kPens[kLineStyleCount] = {
    {PS_SOLID, 1}, {PS_SOLID, 2}, {PS_SOLID, 3}, {PS_DASH, 1}, {PS_DOT, 1}, {PS_DASHDOT, 1}, {PS_DASHDOTDOT, 1},
};

const char* const kMaskNames[16] = {
    "无边框",   "左边框",   "上边框",   "左上边框",   "右边框",   "左右边框",   "上右边框",   "左上右边框",
    "下边框",   "左下边框", "上下边框", "左上下边框", "右下边框", "左右下边框", "上右下边框", "全边框",
};

}  // namespace

BOOL CComboBoxLine::StyleToPen(int index, int* penStyle, int* width)
{
    if (index < 0 || index >= kLineStyleCount || penStyle == nullptr || width == nullptr)
        return FALSE;
    *penStyle = kPens[index].style;
    *width = kPens[index].width;
    return TRUE;
}

CString GetBorderFlagName(int mask)
{
    if (mask < 0 || mask > 15)
        return CString();
    return CString(kMaskNames[mask]);
}
