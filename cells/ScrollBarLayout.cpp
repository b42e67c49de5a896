#include "cells/ScrollBarLayout.h"

#include <algorithm>

int ScrollBarLayout::HitTest(int nAlong) const
{
    if (nAlong < 0 || nAlong >= nLength)
        return kScrollPartNone;
    if (nAlong < nArrow)
        return kScrollPartFirstArrow;
    if (nAlong >= nLength - nArrow)
        return kScrollPartSecondArrow;
    if (nAlong < ThumbStart())
        return kScrollPartTrackBefore;
    if (nAlong < ThumbEnd())
        return kScrollPartThumb;
    return kScrollPartTrackAfter;
}

ScrollBarLayout ComputeScrollBarLayout(int nLength, int nArrowSize, int nMin, int nMax, int nPage, int nPos)
{
    ScrollBarLayout layout;
    layout.nLength = std::max(0, nLength);
    const long long length = layout.nLength;
    const long long arrow = std::max(0, nArrowSize);
    const long long track = std::max(0LL, length - 2 * arrow);
    const long long range = static_cast<long long>(nMax) - nMin + 1;
    const long long page = std::max(0, nPage);
    const long long span = range - page;  // positions the thumb can take, less one

    long long thumb = 0;
    if (track >= 6 && span > 0 && range > 0) {
        thumb = std::max(6LL, track * page / range);
        thumb = std::min(thumb, track);
    }
    layout.nTrack = static_cast<int>(track);
    layout.nThumb = static_cast<int>(thumb);
    layout.nArrow = track == 0 ? static_cast<int>(length / 2) : static_cast<int>(arrow);

    long long offset;
    if (span > 0) {
        long long pos = std::max<long long>(0, static_cast<long long>(nPos) - nMin);
        pos = std::min(pos, span);
        offset = (track - thumb) * pos / span;
    } else {
        offset = (track - thumb) / 2;
    }
    layout.nThumbOffset = static_cast<int>(std::max(0LL, std::min(offset, track - thumb)));
    return layout;
}

int ScrollBarLimit(int nMin, int nMax, int nPage)
{
    long long limit = static_cast<long long>(nMax) - std::max(0, nPage - 1);
    return static_cast<int>(std::max<long long>(nMin, limit));
}

int ScrollBarDragPosition(const ScrollBarLayout& layout, int nBasePos, int nDelta, int nMin, int nMax, int nPage)
{
    const long long free = static_cast<long long>(layout.nTrack) - layout.nThumb;
    const long long span = static_cast<long long>(nMax) - nMin - std::max(0, nPage) + 1;
    long long pos = nBasePos;
    if (free > 0)
        pos += static_cast<long long>(nDelta) * span / free;
    const long long limit = ScrollBarLimit(nMin, nMax, nPage);
    pos = std::max<long long>(nMin, std::min(pos, limit));
    return static_cast<int>(pos);
}
