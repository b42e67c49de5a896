// Token records: the stored form of one token of a compiled formula, written
// and read by the formula cell's own record for every token of its list.
//
// Record layout (tagged, see FormulaRecord.h): 10001 token kind (int16, when
// not 0), 10002 blank count (int16, when not 0), then the token's object as a
// complete record of its own inside item 10003 (function), 10004 (operator),
// 10005 (operand) or 10006 (bracket); end tag 10099. Objects write only the
// fields that differ from their defaults.
#pragma once

#include "base/CArchive.h"
#include "base/WinTypes.h"
#include "cellcontent/formula/FormulaToken.h"

// Writes the token record of one token.
void WriteFormulaTokenRecord(CArchive& ar, const CFormulaToken& token);

// Reads one token record into token (which is reset first). bReferenceMarkers
// tells whether references carry their "_" marker bytes, which templates have
// since version 03.91. FALSE, with the archive's failed state set, when the
// archive runs out or the record is malformed.
BOOL ReadFormulaTokenRecord(CArchive& ar, CFormulaToken& token, BOOL bReferenceMarkers);

// The token records of a whole list, in order.
void WriteFormulaTokenRecords(CArchive& ar, const CFormulaTokenList& list);

// Empties list and reads nCount token records into it. FALSE, with the
// archive's failed state set, for a negative count, a count that cannot fit in
// what remains of the archive (a record takes at least 8 bytes), or a record
// that does not read; list then holds the tokens read before.
BOOL ReadFormulaTokenRecords(CArchive& ar, int nCount, CFormulaTokenList& list, BOOL bReferenceMarkers);
