// The border preview's portable half: eight line records (index 0 to 7: top,
// bottom, left, right edge, the two diagonals, the two pairs of half
// diagonals) and the geometry of the sample cell it paints: corner marks and
// the ten segments the records are drawn on. The window
// (designer/win32/BorderPreview.*) paints from here.
#pragma once

#include "base/WinTypes.h"

#include <vector>

struct BorderPreviewLine {
    int flag = -1;      // -1: not set
    int style = 0;      // pen style
    int width = 1;
    COLORREF colour = 0;
};

struct PreviewSegment {
    int x1, y1, x2, y2;
    bool operator==(const PreviewSegment& o) const
    {
        return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2;
    }
};

class CBorderPreviewState {
public:
    static const int kLineCount = 8;
    static const int kInset = 10;   // the sample cell inside the client area

    // Record i (0 to 7; other indexes are ignored).
    void SetBorderLine(int i, int flag, int style, int width, COLORREF colour);
    void ClearBorderLine(int i);
    // Record i, or an unset record for an index outside 0 to 7.
    BorderPreviewLine GetBorderLine(int i) const;

    // The light grey corner marks of a client area of w x h: at each corner an
    // L of two 5-pixel lines 5 to 10 pixels in from the edges.
    static std::vector<PreviewSegment> CornerMarks(int w, int h);
    // The ten segments of the sample cell (the client area less 10 pixels
    // on every side): 0 top, 1 bottom, 2 left, 3 right, 4 and 5 the
    // diagonals, 6 and 7 from the top-left corner to the middles of the
    // right and bottom edges, 8 and 9 from the bottom-right corner to the
    // middles of the top and left edges.
    static std::vector<PreviewSegment> Segments(int w, int h);
    // What to draw: (record, segment) pairs for the records that are set.
    std::vector<std::pair<int, int>> Strokes() const;

private:
    BorderPreviewLine m_lines[kLineCount];
};
