// The attribute vocabulary of attribute texts: the only words that the parser
// takes for attribute names and that SetAttribute accepts. The table keeps its
// stored order, in which "getstate" stands twice; "minusymbol" and "ismarign"
// are spelt so because stored texts use those spellings.
#pragma once

#include "base/WinTypes.h"

// Number of entries in the table (duplicates counted).
int GetAttributeKeywordCount();

// Entry `index` of the table in its stored order; NULL outside the table.
LPCTSTR GetAttributeKeyword(int index);

// TRUE when `token` equals an entry of the table exactly (byte-wise, case
// counts). NULL gives FALSE.
BOOL IsAttributeKeyword(LPCTSTR token);
