// File-system search for one path.
//
// PlatformFindFile answers whether a search for `path` finds an entry, the way a
// directory search on Windows does: the last path component may hold the
// wildcards '*' (any run of characters, also none) and '?' (exactly one
// character); earlier components are taken literally. Both '\\' and '/' separate
// components. Names compare without regard to ASCII letter case, as on the
// Windows file system. A pattern such as "folder\\*" also finds the entries "."
// and ".." that every folder holds.
//
// On success the attributes of the first entry found (in name order) are stored
// in *attributes when it is not NULL: FILE_ATTRIBUTE_DIRECTORY (0x10) for a
// folder, FILE_ATTRIBUTE_ARCHIVE (0x20) for a plain file, plus
// FILE_ATTRIBUTE_READONLY (0x01) for an entry nobody may write and
// FILE_ATTRIBUTE_HIDDEN (0x02) for a name that starts with a dot.
// A NULL or empty path, a path that ends with a separator, or a path with no
// match answers FALSE and leaves *attributes untouched.
//
// The host build maps '\\' to '/' and ignores a drive prefix such as "C:" (the
// host has one root); Windows uses the system's own search.
#pragma once

#include "base/WinTypes.h"
#include "base/WinConstants.h"

BOOL PlatformFindFile(LPCTSTR path, DWORD* attributes);
