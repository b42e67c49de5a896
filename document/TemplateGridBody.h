// The grid body (section 2 of a template) and the cell list (section 4).
#pragma once

#include "base/CArchive.h"
#include "base/WinTypes.h"

#include <vector>

class CGridCtrl;

// A tree column's record as the body held it: the bytes of the record
// (checked item by item) and where it places the tree. The trees are put on
// the sheet once its cells are read (AttachTemplateTrees).
struct TemplateTreeRecord {
    std::vector<BYTE> bytes;
    int nStartRow = -1;
    int nCol = -1;
};

// Writes the body without its size word.
void WriteTemplateGridBody(CGridCtrl& grid, CArchive& ar, const char* pPasswordCheck);
// Reads a body of nSize bytes: TRR_OK, TRR_WRONG_PASSWORD or TRR_FORMAT_ERROR.
int ReadTemplateGridBody(CGridCtrl& grid, CArchive& ar, int nSize, const char* pPasswordCheck,
                         std::vector<TemplateTreeRecord>& trees);
// Puts the trees read with the body on the grid, in file order; FALSE when
// one of them does not fit the sheet (a damaged file).
BOOL AttachTemplateTrees(CGridCtrl& grid, const std::vector<TemplateTreeRecord>& trees);
// Gives `to` the sheet `from` read from a template (cells, lines, settings,
// tables, trees), moving what can be moved; `from` is left empty.
void TakeTemplateSheet(CGridCtrl& to, CGridCtrl& from);
void WriteTemplateCellList(CGridCtrl& grid, CArchive& ar);
int ReadTemplateCellList(CGridCtrl& grid, CArchive& ar);
