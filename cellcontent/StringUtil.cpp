#include "cellcontent/StringUtil.h"

#include "base/Cp936.h"

#include <cstring>

namespace {

// A lead byte forms a two-byte character with the byte after it; a lead byte
// at the very end of the text stands alone.
bool IsLeadByteAt(const char* p)
{
    return cp936::IsLeadByte(*p) && p[1] != '\0';
}

}  // namespace

int SplitString(LPCTSTR text, LPCTSTR delimiter, CStringArray& pieces)
{
    if (text == nullptr || *text == '\0')
        return 0;
    const size_t delimLen = delimiter != nullptr ? std::strlen(delimiter) : 0;
    int added = 0;
    const char* pieceStart = text;
    const char* p = text;
    while (*p != '\0') {
        if (delimLen > 0 && std::strncmp(p, delimiter, delimLen) == 0) {
            if (p > pieceStart) {
                pieces.Add(CString(pieceStart, static_cast<int>(p - pieceStart)));
                ++added;
            }
            p += delimLen;
            pieceStart = p;
            continue;
        }
        p += IsLeadByteAt(p) ? 2 : 1;
    }
    if (p > pieceStart) {
        pieces.Add(CString(pieceStart, static_cast<int>(p - pieceStart)));
        ++added;
    }
    return added;
}

void TrimTrailingZeros(CString& text)
{
    const int point = text.Find('.');
    if (point < 0)
        return;
    int end = text.GetLength();
    while (end > point + 1) {
        char c = text.GetAt(end - 1);
        if (c >= '1' && c <= '9')
            break;
        --end;
    }
    if (end == point + 1)
        end = point;  // only zeros (or nothing) followed the point
    if (end < text.GetLength())
        text = text.Left(end);
}
