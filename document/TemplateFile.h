// The sheet's template operations: a ".kvx" file, a Base64 text, and the
// grid's template bookkeeping (header fields, password, file name).
//
// An open reads the whole template into a sheet of its own first; the shown
// sheet is replaced only when that read succeeded, the password matched and
// nothing was missing. Otherwise the shown sheet stays exactly as it was.
// A save writes the whole template into memory, then to a temporary file
// beside the target, which replaces the target only once it is complete.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <string>
#include <vector>

class CGridCtrl;

// The whole template of the grid in memory; FALSE when it cannot be made.
BOOL SaveTemplateBytes(CGridCtrl& grid, LPCTSTR szPassword, std::vector<BYTE>& bytes);
// Reads a template held in memory into the grid as described above; 1, or
// -1 (damaged or truncated), -2 (not a template, or the wrong password), -3
// (a header format older than this system reads). Shows nothing.
int OpenTemplateBytes(CGridCtrl& grid, const BYTE* pBytes, size_t nLength, LPCTSTR szPassword);

// 1, or -1 when the file cannot be written (the old file stays as it was).
short SaveTemplateFile(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword);
// OpenTemplateBytes over the file's bytes; an unreadable file or a damaged
// template also shows "文件格式不正确" (caption "tip"). After a successful
// open the path is the grid's current file and the focus is on cell (2, 2)
// when the sheet has it.
int OpenTemplateFile(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword);
// OpenTemplateFile, then the automatic opening of the connections (none
// opened: -9) and the automatic fill of the binds (none filled: -10).
int OpenTemplateAndFill(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword);

// The template as one Base64 text; "" when it cannot be made.
CString SaveTemplateToBase64(CGridCtrl& grid, LPCTSTR szPassword);
// Decodes and opens as OpenTemplateFile does (a text that is not Base64 is
// a damaged template: -1 with the message).
int OpenTemplateFromBase64(CGridCtrl& grid, LPCTSTR szText, LPCTSTR szPassword);
