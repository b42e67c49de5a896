#include "designer/PathFunctions.h"

#include "base/Cp936.h"
#include "base/NumberText.h"
#include "platform/FileFind.h"

#include <cstring>

namespace {

// The position of the last character ch (a single-byte character) in s, or -1.
int LastChar(const char* s, int len, char ch)
{
    int found = -1;
    for (int i = 0; i < len; i = cp936::NextChar(s, len, i))
        if (s[i] == ch)
            found = i;
    return found;
}

bool CopyOut(const char* from, int count, char* out, int outSize)
{
    if (out == nullptr || outSize <= 0)
        return false;
    if (count < 0 || count >= outSize) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, from, static_cast<size_t>(count));
    out[count] = '\0';
    return true;
}

int Length(const char* s)
{
    const size_t n = std::strlen(s);
    return n > 0x7FFFFFF ? 0x7FFFFFF : static_cast<int>(n);
}

}  // namespace

BOOL GetFileExtension(const char* path, char* out, int outSize)
{
    if (path == nullptr) {
        CopyOut("", 0, out, outSize);
        return FALSE;
    }
    const int len = Length(path);
    const int dot = LastChar(path, len, '.');
    if (dot < 0) {
        CopyOut("", 0, out, outSize);
        return FALSE;
    }
    return CopyOut(path + dot + 1, len - dot - 1, out, outSize) ? TRUE : FALSE;
}

BOOL IsDirectory(const char* path)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    const CString pattern = CString(path) + "\\*.*";
    DWORD attributes = 0;
    if (!PlatformFindFile(pattern, &attributes))
        return FALSE;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? TRUE : FALSE;
}

int ExtractFileBaseName(const char* path, char* out, int outSize)
{
    if (path == nullptr) {
        CopyOut("", 0, out, outSize);
        return -1;
    }
    const int len = Length(path);
    const int slash = LastChar(path, len, '\\');
    if (slash < 0) {
        CopyOut("", 0, out, outSize);
        return -1;
    }
    const char* name = path + slash + 1;
    const int nameLen = len - slash - 1;
    const int dot = LastChar(name, nameLen, '.');
    if (!CopyOut(name, dot >= 0 ? dot : nameLen, out, outSize))
        return -1;
    return nameLen;
}

BOOL GetPathSegment(const char* path, int n, CString& out)
{
    out.Empty();
    if (path == nullptr || n < 0)
        return FALSE;
    const int len = Length(path);
    int start = 0, index = 0;
    for (int i = 0; i <= len;) {
        if (i == len || path[i] == '\\') {
            if (index == n) {
                out = CString(path + start, i - start);
                return TRUE;
            }
            ++index;
            start = i + 1;
            if (i == len)
                break;
            ++i;
            continue;
        }
        i = cp936::NextChar(path, len, i);
    }
    return FALSE;
}

int GetPathDirectory(const char* path, char* out, int outSize)
{
    if (path == nullptr)
        return -1;
    const int len = Length(path);
    const int slash = LastChar(path, len, '\\');
    if (slash < 0 || out == nullptr || outSize <= slash)
        return -1;
    CopyOut(path, slash, out, outSize);
    return slash;
}

int PointSizeToHeight(int points, int dpi)
{
    return -MulDiv(points, dpi, 72);
}
