#include "cells/RichTextParagraphs.h"

#include "base/Cp936.h"

#include <algorithm>
#include <cstring>

namespace richtext {

namespace {

bool IsBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// The number of characters of the break at i (0 when none there).
size_t BreakLength(const std::u16string& text, size_t i)
{
    if (i >= text.size() || !IsBreak(text[i]))
        return 0;
    return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

}  // namespace

LONG ParagraphCount(const std::u16string& text)
{
    if (text.empty())
        return 0;
    LONG breaks = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t n = BreakLength(text, i);
        breaks += n > 0 ? 1 : 0;
        i += n > 0 ? n : 1;
    }
    return breaks + 1;
}

LONG ParagraphStart(const std::u16string& text, LONG n)
{
    if (n < 0 || text.empty())
        return -1;
    LONG passed = 0;
    size_t i = 0;
    while (passed < n && i < text.size()) {
        const size_t len = BreakLength(text, i);
        if (len > 0)
            ++passed;
        i += len > 0 ? len : 1;
    }
    return passed == n ? static_cast<LONG>(i) : -1;
}

LONG ParagraphLength(const std::u16string& text, LONG n)
{
    const LONG start = ParagraphStart(text, n);
    if (start < 0)
        return 0;
    size_t i = static_cast<size_t>(start);
    while (i < text.size()) {
        const size_t len = BreakLength(text, i);
        if (len > 0)
            return static_cast<LONG>(i + len) - start;
        ++i;
    }
    return static_cast<LONG>(i) - start;
}

LONG ParagraphOfPosition(const std::u16string& text, LONG p)
{
    if (p < 0)
        return -1;
    const size_t stop = std::min(static_cast<size_t>(p), text.size());
    LONG breaks = 0;
    for (size_t i = 0; i < stop;) {
        const size_t len = BreakLength(text, i);
        if (len > 0) {
            // A position between CR and LF still belongs to the paragraph the pair ends.
            if (i + len > stop)
                break;
            ++breaks;
        }
        i += len > 0 ? len : 1;
    }
    return breaks;
}

BOOL ParagraphRange(const std::u16string& text, LONG first, LONG last, LONG& start, LONG& end)
{
    if (first < 0 || last < first)
        return FALSE;
    const LONG s = ParagraphStart(text, first);
    const LONG lastStart = ParagraphStart(text, last);
    if (s < 0 || lastStart < 0)
        return FALSE;
    start = s;
    end = lastStart + ParagraphLength(text, last);
    return end >= start;
}

LONG CopyRange(const std::u16string& text, LONG start, LONG end, LPTSTR pszBuffer, int nBufferSize)
{
    if (pszBuffer == nullptr || nBufferSize <= 0)
        return 0;
    const LONG size = static_cast<LONG>(text.size());
    const LONG a = std::max<LONG>(0, std::min(start, size));
    const LONG b = std::max<LONG>(a, std::min(end < 0 ? size : end, size));
    const std::string bytes = cp936::FromUtf16(text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a)));
    int count = static_cast<int>(bytes.size());
    if (count > nBufferSize - 1) {
        count = nBufferSize - 1;
        while (count > 0 && !cp936::IsCharBoundary(bytes.data(), static_cast<int>(bytes.size()), count))
            --count;
    }
    std::memcpy(pszBuffer, bytes.data(), static_cast<size_t>(count));
    pszBuffer[count] = '\0';
    return count;
}

}  // namespace richtext
