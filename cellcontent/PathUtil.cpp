#include "cellcontent/PathUtil.h"

#include "base/CStringArray.h"
#include "base/Cp936.h"
#include "cellcontent/StringUtil.h"
#include "platform/FileFind.h"

#include <cstring>

namespace {

// Byte position of the last "\" that is a character of its own; -1 when none.
int FindLastSeparator(const char* path, int length)
{
    int last = -1;
    int pos = 0;
    while (pos < length) {
        if (path[pos] == '\\')
            last = pos;
        pos = cp936::NextChar(path, length, pos);
    }
    return last;
}

// Copies src[0, count) into the buffer, cut back to whole characters when it
// does not fit, and terminates it. -1 (buffer untouched) when there is no room.
int CopyToBuffer(const char* src, int count, char* buffer, int bufferSize)
{
    if (buffer == nullptr || bufferSize < 1)
        return -1;
    int copied = count;
    if (copied > bufferSize - 1) {
        copied = 0;
        while (copied < count) {
            int next = cp936::NextChar(src, count, copied);
            if (next > bufferSize - 1)
                break;
            copied = next;
        }
    }
    std::memcpy(buffer, src, static_cast<size_t>(copied));
    buffer[copied] = '\0';
    return copied;
}

// The position of the last separator of path (and its length), -1 for no path
// or a path without one.
int LastSeparatorOf(LPCTSTR path, int& length)
{
    if (path == nullptr)
        return -1;
    length = static_cast<int>(std::strlen(path));
    return FindLastSeparator(path, length);
}

}  // namespace

int GetFileNamePart(LPCTSTR path, CString& name)
{
    int length = 0;
    const int separator = LastSeparatorOf(path, length);
    if (separator < 0)
        return -1;
    name = CString(path + separator + 1, length - separator - 1);
    return name.GetLength();
}

int GetFileNamePart(LPCTSTR path, char* buffer, int bufferSize)
{
    int length = 0;
    const int separator = LastSeparatorOf(path, length);
    if (separator < 0)
        return -1;
    return CopyToBuffer(path + separator + 1, length - separator - 1, buffer, bufferSize);
}

int GetDirectoryPart(LPCTSTR path, CString& directory)
{
    int length = 0;
    const int separator = LastSeparatorOf(path, length);
    if (separator < 0)
        return -1;
    directory = CString(path, separator);
    return separator;
}

int GetDirectoryPart(LPCTSTR path, char* buffer, int bufferSize)
{
    int length = 0;
    const int separator = LastSeparatorOf(path, length);
    if (separator < 0)
        return -1;
    return CopyToBuffer(path, separator, buffer, bufferSize);
}

BOOL FileExists(LPCTSTR path)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    return PlatformFindFile(path, nullptr) ? TRUE : FALSE;
}

BOOL PathExists(LPCTSTR path)
{
    if (path == nullptr || *path == '\0')
        return FALSE;
    CString copy(path);
    const int length = copy.GetLength();
    const int lastChar = cp936::PrevChar(copy.GetString(), length, length);
    if (lastChar == length - 1 && (copy.GetAt(lastChar) == '\\' || copy.GetAt(lastChar) == '/'))
        copy = copy.Left(lastChar);
    DWORD attributes = 0;
    if (!PlatformFindFile(copy, &attributes))
        return FALSE;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE)) != 0 ? TRUE : FALSE;
}

CString ResolveRelativePath(LPCTSTR baseDirectory, LPCTSTR relativePath)
{
    CStringArray components;
    if (SplitString(baseDirectory, "\\", components) == 0)
        return CString();
    const CString relative(relativePath != nullptr ? relativePath : "");
    const int length = relative.GetLength();

    int pos = 0;
    bool changed = false;
    while (length - pos > 3 && relative.Mid(pos, 3) == "..\\") {
        if (!components.IsEmpty())
            components.RemoveAt(components.GetSize() - 1);
        pos += 3;
        changed = true;
    }
    if (relative.GetAt(pos) == '\\') {
        pos += 1;
        changed = true;
    } else if (relative.Mid(pos, 2) == ".\\") {
        pos += 2;
        changed = true;
    }
    if (!changed)
        return relative;

    CString result;
    for (int i = 0; i < components.GetSize(); ++i) {
        result += components[i];
        result += "\\";
    }
    result += relative.Mid(pos);
    return result;
}
