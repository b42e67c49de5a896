// Making one folder level.
//
// PlatformCreateFolder makes the folder the path names, as the system's
// directory creation does: only the last level is made (its parent must
// exist), and an existing entry of that name is a failure. Trailing
// separators are ignored. Both '\\' and '/' separate components; the host
// build maps '\\' to '/' and ignores a drive prefix such as "C:", as the file
// search does (FileFind.h).
#pragma once

#include "base/WinTypes.h"

// TRUE when the folder was made; FALSE for NULL, an empty path, a missing
// parent, an existing entry, or a refusal of the file system.
BOOL PlatformCreateFolder(LPCTSTR path);
