// Writing a file without ever leaving a half-written one in its place: the
// bytes go to a temporary file beside the target, which then replaces the
// target in one step.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <functional>

class CFile;

// A path beside lpszPath ("<path>.~kv<n>") that names no existing file; empty
// when none of the names tried is free.
CString TemporarySiblingPath(LPCTSTR lpszPath);

// Renames lpszSource to lpszTarget, replacing a target that exists. FALSE
// leaves both files as they were. Paths are code page 936 bytes (wide on
// Windows, so every character of the code page works).
BOOL ReplaceFileWith(LPCTSTR lpszSource, LPCTSTR lpszTarget);

// TRUE when lpszPath names an existing file that may not be written (the
// read-only attribute on Windows; no write permission bit on the host).
BOOL IsUnwritableTarget(LPCTSTR lpszPath);

enum class FileWriteResult {
    ok,
    cannotOpen,    // no path, a read-only target, or no temporary file could be made
    writeFailed,   // the writer, a write, the flush to disk, the close or the rename failed
};

// The one way every save puts a file on the disk. Refuses an unwritable
// target; otherwise opens a temporary file beside it and hands it to write,
// which answers false when it could not produce every byte; then flushes it
// to the disk, closes it (each step checked) and renames it over the target.
// Any failure removes the temporary file and leaves the target byte for byte
// as it was.
FileWriteResult WriteFileReplacing(LPCTSTR lpszTarget, const std::function<bool(CFile&)>& write);
