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
// of fonts cost a handful of LOGFONTs. The pooled copies live for the process;
// they never move or change.
//
// The GDI font of a pooled copy is made when first asked for and lives only
// while cells hold the copy (CPooledFontRef): when the last holder lets go,
// the GDI font is deleted (and made again if a cell takes the copy later), so
// a destroyed sheet leaves no fonts behind however many it used.
//
// The pooled copy equal (all 60 bytes) to *pLogFont, made on first use.
// A pointer that is itself a pooled copy is answered at once. NULL for NULL.
// Interning alone does not hold the copy.
const LOGFONT* InternCellFont(const LOGFONT* pLogFont);
// The GDI font of a pooled copy that cells hold, made on first use. NULL for
// NULL, for a pointer that is not a pooled copy and for a copy no cell holds.
// The object lives as long as the pool; its handle is NULL once no cell holds
// the copy any more, so use it at once, not later.
CFont* GetPooledFontObject(const LOGFONT* pPooled);
// The number of pooled GDI fonts that exist now.
size_t GetPooledFontObjectCount();

// A hold on a pooled font copy: what a cell keeps instead of a LOGFONT. It
// reads as the pooled pointer (NULL when it holds nothing); assigning a
// LOGFONT holds its pooled copy and lets the previous one go.
class CPooledFontRef {
public:
    CPooledFontRef() = default;
    CPooledFontRef(const CPooledFontRef& other);
    CPooledFontRef(CPooledFontRef&& other) noexcept;
    CPooledFontRef& operator=(const CPooledFontRef& other);
    CPooledFontRef& operator=(CPooledFontRef&& other) noexcept;
    ~CPooledFontRef();

    // Holds the pooled copy of *pLogFont (nothing for NULL).
    CPooledFontRef& operator=(const LOGFONT* pLogFont);

    const LOGFONT* Get() const { return m_pFont; }
    operator const LOGFONT*() const { return m_pFont; }
    const LOGFONT* operator->() const { return m_pFont; }

private:
    const LOGFONT* m_pFont = nullptr;
};
