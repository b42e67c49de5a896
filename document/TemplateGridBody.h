// The grid body (section 2 of a template) and the cell list (section 4).
#pragma once

#include "base/CArchive.h"
#include "base/WinTypes.h"

class CGridCtrl;

// Writes the body without its size word.
void WriteTemplateGridBody(CGridCtrl& grid, CArchive& ar, const char* pPasswordCheck);
// Reads a body of nSize bytes: TRR_OK, TRR_WRONG_PASSWORD or TRR_FORMAT_ERROR.
int ReadTemplateGridBody(CGridCtrl& grid, CArchive& ar, int nSize, const char* pPasswordCheck);
void WriteTemplateCellList(CGridCtrl& grid, CArchive& ar);
int ReadTemplateCellList(CGridCtrl& grid, CArchive& ar);
