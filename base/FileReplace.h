// Writing a file without ever leaving a half-written one in its place: the
// bytes go to a temporary file beside the target, which then replaces the
// target in one step.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// A path beside lpszPath ("<path>.~kv<n>") that names no existing file; empty
// when none of the names tried is free.
CString TemporarySiblingPath(LPCTSTR lpszPath);

// Renames lpszSource to lpszTarget, replacing a target that exists. FALSE
// leaves both files as they were. Paths are code page 936 bytes (wide on
// Windows, so every character of the code page works).
BOOL ReplaceFileWith(LPCTSTR lpszSource, LPCTSTR lpszTarget);
