// Path routines shared by the picture list, the skin loader and the export
// and print code. Paths are code page 936 byte strings with "\" as the
// separator; a "\" byte that is the second byte of a two-byte character is
// part of that character, not a separator.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// The part after the last "\": stored in `name`, its length returned; -1 (and
// `name` untouched) when the path has no "\". NULL gives -1.
int GetFileNamePart(LPCTSTR path, CString& name);
// The same into a buffer of `bufferSize` bytes: as much of the part as fits
// (whole characters) and a terminating zero; returns the bytes copied, or -1
// (buffer untouched) when the path has no "\" or the buffer has no room.
int GetFileNamePart(LPCTSTR path, char* buffer, int bufferSize);

// The bytes before the last "\": stored in `directory`, their count returned;
// -1 (and `directory` untouched) when the path has no "\".
int GetDirectoryPart(LPCTSTR path, CString& directory);
// The same into a buffer of `bufferSize` bytes, always terminated; returns the
// bytes copied, or -1 (buffer untouched) when the path has no "\" or the
// buffer has no room.
int GetDirectoryPart(LPCTSTR path, char* buffer, int bufferSize);

// TRUE when a file-system search for the path finds an entry (a file or a
// folder; "*" and "?" in the last component match as in a directory search).
BOOL FileExists(LPCTSTR path);

// TRUE when the path, without one trailing "\" or "/", names a folder or a
// file with the archive attribute. Paths of any length are accepted.
BOOL PathExists(LPCTSTR path);

// Joins a relative path to a base folder:
//  - the base is cut at "\" into its non-empty components; without any the
//    result is the empty text;
//  - every leading "..\" of the relative path (while more than 3 bytes remain)
//    drops the last remaining component;
//  - then one leading "\" or one leading ".\" is skipped;
//  - when anything was dropped or skipped, the result is each remaining
//    component followed by "\", then the rest of the relative path; otherwise
//    the relative path as it came (an absolute path or a bare file name is not
//    joined to the base).
// Base C:\x\y with ..\skin\a.bmp gives C:\x\skin\a.bmp; with .\a.bmp
// C:\x\y\a.bmp; with a.bmp just a.bmp.
CString ResolveRelativePath(LPCTSTR baseDirectory, LPCTSTR relativePath);
