// Layout of a skinned scroll bar along its length: two arrows at the ends, the
// track between them and the thumb on the track.
//
// For a bar of length L whose arrows are a pixels long:
//   track  c = L - 2a (at least 0);
//   thumb  t = c * page / (max - min + 1), at least 6; no thumb (t = 0) when
//          the track is shorter than 6 or nothing can scroll (the page covers
//          the whole range, or the range is empty), and never longer than the
//          track;
//   arrows g = a, or L / 2 each when there is no track;
//   offset m = (c - t) * (pos - min) / (max + 1 - min - page) of the thumb on
//          the track, centred when nothing can scroll.
// Parts along the bar, in hit-test order: first arrow [0, g), track before the
// thumb [g, g + m), thumb [g + m, g + m + t), track after the thumb up to
// L - g, second arrow [L - g, L). No division is made by zero.
#pragma once

#include "base/WinTypes.h"

// The parts of a scroll bar, numbered by the scroll code each reports.
enum ScrollBarPart {
    kScrollPartNone = -1,
    kScrollPartFirstArrow = 0,    // SB_LINEUP / SB_LINELEFT
    kScrollPartSecondArrow = 1,   // SB_LINEDOWN / SB_LINERIGHT
    kScrollPartTrackBefore = 2,   // SB_PAGEUP / SB_PAGELEFT
    kScrollPartTrackAfter = 3,    // SB_PAGEDOWN / SB_PAGERIGHT
    kScrollPartThumb = 5,         // SB_THUMBTRACK
};

struct ScrollBarLayout {
    int nLength = 0;       // L
    int nArrow = 0;        // g: the extent of each arrow
    int nTrack = 0;        // c
    int nThumb = 0;        // t (0: no thumb)
    int nThumbOffset = 0;  // m

    int ThumbStart() const { return nArrow + nThumbOffset; }
    int ThumbEnd() const { return ThumbStart() + nThumb; }
    // The part at a distance along the bar (kScrollPartNone outside it).
    int HitTest(int nAlong) const;
};

// The layout for a bar of nLength pixels with arrows nArrowSize long, showing
// the position nPos of the range [nMin, nMax] with the page nPage.
ScrollBarLayout ComputeScrollBarLayout(int nLength, int nArrowSize, int nMin, int nMax, int nPage, int nPos);

// The last position the bar can scroll to: max - (page - 1), not below min.
int ScrollBarLimit(int nMin, int nMax, int nPage);

// The position while the thumb is dragged nDelta pixels along the bar from
// where it was at position nBasePos: the movement scaled by the scrollable
// span over the free track (c - t), kept between min and the limit.
int ScrollBarDragPosition(const ScrollBarLayout& layout, int nBasePos, int nDelta, int nMin, int nMax, int nPage);
