// File search on a POSIX file system, behaving like the Windows directory search.
#include "platform/FileFind.h"

#include <dirent.h>
#include <sys/stat.h>

#include <string>
#include <vector>

namespace {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNameNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

// Iterative wildcard match ('*' any run, '?' one byte), case-blind for ASCII.
bool MatchPattern(const std::string& pattern, const std::string& name)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    size_t p = 0, n = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool HasWildcard(const std::string& s)
{
    return s.find_first_of("*?") != std::string::npos;
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    return names;
}

// The entry of `folder` called `name`, compared without case; the exact name
// wins when it exists. Empty when there is none.
std::string ResolveName(const std::string& folder, const std::string& name)
{
    struct stat st;
    std::string exact = folder + name;
    if (stat(exact.c_str(), &st) == 0)
        return name;
    for (const std::string& candidate : ListFolder(folder)) {
        if (SameNameNoCase(candidate, name))
            return candidate;
    }
    return std::string();
}

// Name order of the Windows search: case-blind byte order.
bool SortsBefore(const std::string& a, const std::string& b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(FoldCase(a[i]));
        unsigned char cb = static_cast<unsigned char>(FoldCase(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

DWORD AttributesOf(const std::string& fullPath, const std::string& name)
{
    struct stat st;
    if (stat(fullPath.c_str(), &st) != 0)
        return 0;
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

}  // namespace

BOOL PlatformFindFile(LPCTSTR path, DWORD* attributes)
{
    if (path == nullptr || path[0] == '\0')
        return FALSE;
    std::string text(path);
    for (char& c : text) {
        if (c == '\\')
            c = '/';
    }
    // A drive prefix names the one host root.
    if (text.size() >= 2 && text[1] == ':' &&
        ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')))
        text.erase(0, 2);
    if (text.empty() || text.back() == '/')
        return FALSE;

    // Split into components; walk the folders without regard to case.
    std::vector<std::string> parts;
    bool absolute = text[0] == '/';
    size_t start = 0;
    while (start <= text.size()) {
        size_t slash = text.find('/', start);
        if (slash == std::string::npos)
            slash = text.size();
        if (slash > start)
            parts.push_back(text.substr(start, slash - start));
        start = slash + 1;
    }
    if (parts.empty())
        return FALSE;

    std::string folder = absolute ? "/" : "";
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string resolved = (part == "." || part == "..") ? part : ResolveName(folder, part);
        if (resolved.empty())
            return FALSE;
        folder += resolved + "/";
    }

    const std::string& last = parts.back();
    std::string found;
    if (!HasWildcard(last)) {
        found = (last == "." || last == "..") ? last : ResolveName(folder, last);
        if (found.empty())
            return FALSE;
    } else {
        bool any = false;
        for (const std::string& candidate : ListFolder(folder)) {
            if (MatchPattern(last, candidate) && (!any || SortsBefore(candidate, found))) {
                found = candidate;
                any = true;
            }
        }
        if (!any)
            return FALSE;
    }
    std::string fullPath = folder + found;
    struct stat st;
    if (stat(fullPath.c_str(), &st) != 0)
        return FALSE;  // e.g. a dangling link: nothing the search could open
    if (attributes)
        *attributes = AttributesOf(fullPath, found);
    return TRUE;
}
