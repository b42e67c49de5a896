// The version texts of template files.
//
// The writer's version text is what every save writes into the file header.
// The version text of the template being read is process-wide: the template
// reader sets it from the 6 bytes after the magic of the file header, and the
// record readers of cells and formulas ask it whether the file is newer than
// the version that added their items.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

// The version text this system writes into a template header.
LPCTSTR GetTemplateWriterVersion();

// The version text of the template being read: the 6 header bytes, up to the
// first NUL (all zero until a template has been read).
CString GetTemplateVersionText();
// Stores the 6 header bytes; NULL clears them.
void SetTemplateVersionBytes(const char* pBytes6);

// TRUE when the version of the template being read, taken as a number, is
// greater than szVersion taken as a number.
BOOL IsTemplateVersionAbove(LPCTSTR szVersion);
