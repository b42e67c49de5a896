// Functions on ANSI (code page 936) file paths with backslash separators,
// used by the designer's dialogs and batch tools. Outputs are sized: a
// function whose answer does not fit writes an empty text and reports
// failure. A backslash or dot counts only where a character starts, never as
// the second byte of a two-byte character.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/PathUtil.h"   // FileExists: TRUE when a search for the path finds an entry

// The text after the last "." into out; FALSE (out empty when given) when
// there is no "." or out is null or too small.
BOOL GetFileExtension(const char* path, char* out, int outSize);
// TRUE when path is a folder: a search for path + "\*.*" finds an entry and
// that entry has the directory bit.
BOOL IsDirectory(const char* path);
// The name between the last "\" and the last "." after it into out; answers
// the length of the name part after the last "\" (extension included), or -1
// when the path has no "\" (or out is null or too small).
int ExtractFileBaseName(const char* path, char* out, int outSize);
// The n-th "\"-separated segment (0 the first); FALSE when there are fewer.
BOOL GetPathSegment(const char* path, int n, CString& out);
// The characters before the last "\" into out, terminated; answers their
// number, or -1, writing nothing, when there is no "\" (or out is too small).
int GetPathDirectory(const char* path, char* out, int outSize);
// The font height of a point size on a device of dpi pixels per logical inch:
// minus points x dpi / 72, rounded as the system's multiply-divide does.
int PointSizeToHeight(int points, int dpi);
