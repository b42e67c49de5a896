#include "designer/BorderPreview.h"

void CBorderPreviewState::SetBorderLine(int i, int flag, int style, int width, COLORREF colour)
{
    if (i < 0 || i >= kLineCount)
        return;
    m_lines[i].flag = flag;
    m_lines[i].style = style;
    m_lines[i].width = width;
    m_lines[i].colour = colour;
}

void CBorderPreviewState::ClearBorderLine(int i)
{
    if (i >= 0 && i < kLineCount)
        m_lines[i].flag = -1;
}

BorderPreviewLine CBorderPreviewState::GetBorderLine(int i) const
{
    if (i < 0 || i >= kLineCount)
        return BorderPreviewLine();
    return m_lines[i];
}

std::vector<PreviewSegment> CBorderPreviewState::CornerMarks(int w, int h)
{
    const int r = w - 1, b = h - 1;
    return {
        {5, 5, 10, 5}, {5, 5, 5, 10},           // top-left
        {r - 10, 5, r - 5, 5}, {r - 5, 5, r - 5, 10},   // top-right
        {5, b - 5, 10, b - 5}, {5, b - 10, 5, b - 5},   // bottom-left
        {r - 10, b - 5, r - 5, b - 5}, {r - 5, b - 10, r - 5, b - 5},   // bottom-right
    };
}

std::vector<PreviewSegment> CBorderPreviewState::Segments(int w, int h)
{
    const int l = kInset, t = kInset, r = w - kInset - 1, b = h - kInset - 1;
    const int mx = (l + r) / 2, my = (t + b) / 2;
    return {
        {l, t, r, t}, {l, b, r, b}, {l, t, l, b}, {r, t, r, b}, {l, t, r, b},
        {r, t, l, b}, {l, t, r, my}, {l, t, mx, b}, {r, b, mx, t}, {r, b, l, my},
    };
}

std::vector<std::pair<int, int>> CBorderPreviewState::Strokes() const
{
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < kLineCount; ++i) {
        if (m_lines[i].flag == -1)
            continue;
        if (i < 6) {
            out.emplace_back(i, i);
        } else {
            const int first = i == 6 ? 6 : 8;
            out.emplace_back(i, first);
            out.emplace_back(i, first + 1);
        }
    }
    return out;
}
