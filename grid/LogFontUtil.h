// LOGFONT helpers shared by the cells, the grid and the print settings:
// comparison, the archive form, and the process-wide pool of cell fonts.
#pragma once

#include "base/WinTypes.h"

class CArchive;
class CFont;

// FALSE when either is NULL; TRUE for the same pointer or when every member
// is equal (face names compared byte by byte up to their terminating NUL).
BOOL IsSameLogFont(const LOGFONT* a, const LOGFONT* b);
// The member comparison alone (both must be valid).
BOOL IsSameLogFontFields(const LOGFONT& a, const LOGFONT& b);

// Loads or stores a LOGFONT member by member in the alphabetical order of the
// member names (60 bytes): lfCharSet, lfClipPrecision (bytes), lfEscapement
// (int32), lfFaceName (32 bytes), lfHeight (int32), lfItalic (byte),
// lfOrientation (int32), lfOutPrecision, lfPitchAndFamily, lfQuality,
// lfStrikeOut, lfUnderline (bytes), lfWeight, lfWidth (int32). Nothing for
// NULL. A loaded face name always ends in a NUL inside its 32 bytes.
void SerializeLogFont(CArchive& ar, LOGFONT* pLogFont);
const int LOGFONT_ARCHIVE_SIZE = 60;

// The largest character height, in pixels, a cell font is made with once
// zoomed: far beyond what a font text can ask for at any screen resolution
// (see CFontElement::kMaxPointSize), so only damaged files and extreme zoom
// factors meet it.
const LONG kMaxCellFontHeight = 16384;
// lfHeight times the zoom factor, truncated toward zero, its magnitude at most
// kMaxCellFontHeight (0 for a zoom that is not a number).
LONG ScaleFontHeight(LONG lfHeight, double dZoom);

// Cells share their fonts: a cell keeps a pointer to an immutable pooled copy
// instead of a 60-byte copy of its own, so a million cells that use a handful
// of fonts cost a handful of LOGFONTs. The pool lives for the process; its
// entries never move or change.
//
// The pooled copy equal (all 60 bytes) to *pLogFont, made on first use.
// A pointer that is itself a pooled copy is answered at once. NULL for NULL.
const LOGFONT* InternCellFont(const LOGFONT* pLogFont);
// The GDI font built from a pooled copy, made on first use and kept with the
// pool entry; NULL for NULL or a pointer that is not a pooled copy.
CFont* GetPooledFontObject(const LOGFONT* pPooled);
