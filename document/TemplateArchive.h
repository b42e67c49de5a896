// The template archive: one whole sheet as the byte stream of a ".kvx" file,
// which the file, the Base64 string and the remote forms all carry.
//
// Layout (little-endian):
//   header, 71 bytes: "KIVO" NUL; the writer's version text (6 bytes,
//   NUL-padded); int32 format number 88; the header fields the grid kept
//   from the template it read (TemplateHeaderFields, in their order: int32,
//   int32, double, int32, int8, int16, int32, int32, double, 3, 5 and 9 bytes)
//   byte 1, int32 size of section 2 + size of section 3
//   byte 2, int32 size, the grid body (TemplateGridBody.cpp)
//   byte 3, int32 size, the print settings (PrintSettingsArchive.h)
//   byte 4, the cell list: per stored cell int32 type, row, column and its
//           tagged record; int32 1024 at the end
//   byte 5, the document information: counted texts company, product,
//           author; double date; counted description; int32; counted flag
//           text; int32; counted tail text
// A section's size is the number of its bytes after the size word. A reader
// skips what a newer writer added inside a section's size, and takes the
// items the header's version promises (see IsTemplateVersionAbove).
//
// Reading never changes the sheet on its own: it fills a grid that the
// caller throws away unless the whole archive was read and the password
// matched (see TemplateFile.h).
#pragma once

#include "base/CArchive.h"
#include "base/WinTypes.h"

class CGridCtrl;

// Results of a read.
enum TemplateReadResult {
    TRR_OK = 1,
    TRR_FORMAT_ERROR = -1,      // truncated, damaged or not a template of a known layout
    TRR_WRONG_MAGIC = -2,
    TRR_WRONG_PASSWORD = -2,
    TRR_TOO_OLD = -3,           // a header format number below 88
};

const int kTemplateFormatNumber = 88;
const int kTemplateHeaderSize = 71;
const int kTemplateEndOfCells = 1024;

// Writes the whole archive of the grid; FALSE when the archive failed.
BOOL WriteTemplateArchive(CGridCtrl& grid, CArchive& ar, LPCTSTR szPassword);
// Reads a whole archive into the grid (which it first empties). A
// TemplateReadResult; anything but TRR_OK leaves the grid in no defined
// state, so callers read into a grid of their own first.
int ReadTemplateArchive(CGridCtrl& grid, CArchive& ar, LPCTSTR szPassword);
