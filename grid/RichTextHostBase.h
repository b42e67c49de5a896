// CRichTextHostBase: rich text kept, measured and drawn without a window.
//
// A host holds one rich-text document (its "text services"): content
// streamed in and out as RTF or plain text, a selection, character and
// paragraph formats, undo. Three owners use one:
//  - every grid holds one (GetRichTextHost) and reloads it with each rich-text
//    cell's RTF just before it draws or measures that cell;
//  - a rich-text cell whose content is locked outside editing holds its own;
//  - the rich-text editor measures its content with one.
//
// Positions count characters (UTF-16 units) of the document's own text, in
// which every paragraph break is one character. Plain text streamed out has
// CR LF per break; GetPlainText has one CR per break.
//
// On Windows the host is the system's rich-edit text services over a host of
// our own; on the host build a portable RTF reader stands in. The platform's
// factory is installed by the layer above the grid (SetRichTextHostFactory);
// without one the grid has no host and rich text is not drawn.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"

#include <string>

class CDC;

// Character format bits (mask and effects), as the text services use them.
namespace richtext {
const DWORD RT_CFM_BOLD = 0x00000001;
const DWORD RT_CFM_ITALIC = 0x00000002;
const DWORD RT_CFM_UNDERLINE = 0x00000004;
const DWORD RT_CFM_STRIKEOUT = 0x00000008;
const DWORD RT_CFM_SUBSCRIPT = 0x00030000;     // both bits: one mask for the pair
const DWORD RT_CFM_SUPERSCRIPT = 0x00030000;
const DWORD RT_CFM_BACKCOLOR = 0x04000000;
const DWORD RT_CFM_FACE = 0x20000000;
const DWORD RT_CFM_COLOR = 0x40000000;
const DWORD RT_CFM_SIZE = 0x80000000;
const DWORD RT_CFE_BOLD = 0x00000001;
const DWORD RT_CFE_ITALIC = 0x00000002;
const DWORD RT_CFE_UNDERLINE = 0x00000004;
const DWORD RT_CFE_STRIKEOUT = 0x00000008;
const DWORD RT_CFE_SUBSCRIPT = 0x00010000;
const DWORD RT_CFE_SUPERSCRIPT = 0x00020000;
const DWORD RT_CFE_AUTOBACKCOLOR = 0x04000000;
const DWORD RT_CFE_AUTOCOLOR = 0x40000000;

const DWORD RT_PFM_STARTINDENT = 0x00000001;
const DWORD RT_PFM_OFFSET = 0x00000004;
const DWORD RT_PFM_ALIGNMENT = 0x00000008;
const DWORD RT_PFM_TABSTOPS = 0x00000010;
const DWORD RT_PFM_NUMBERING = 0x00000020;
const DWORD RT_PFM_SPACEBEFORE = 0x00000040;
const DWORD RT_PFM_SPACEAFTER = 0x00000080;
const DWORD RT_PFM_LINESPACING = 0x00000100;

const int kMaxTabStops = 32;

// Where a character format goes (the values of the RT_SCF_* flags).
const int RT_SCF_DEFAULT = 0;
const int RT_SCF_SELECTION = 1;
const int RT_SCF_ALL = 4;

// Messages the hosts answer through Send (the rest have operations of their own).
const UINT MSG_CANPASTE = 0x0432;
const UINT MSG_EXLIMITTEXT = 0x0435;
const UINT MSG_REDO = 0x0454;
const UINT MSG_CANREDO = 0x0455;
const UINT MSG_AUTOURLDETECT = 0x045B;
const UINT MSG_GETAUTOURLDETECT = 0x045C;
}  // namespace richtext

// A character format: the selection's when read (a mask bit set means the
// attribute is the same over the whole selection), what to change when
// written. The face is ANSI text (code page 936).
struct RichCharFormat {
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0;            // twips
    COLORREF crTextColor = 0;
    COLORREF crBackColor = 0;
    CString strFace;
};

// A paragraph format, read and written as the character format is.
struct RichParaFormat {
    DWORD dwMask = 0;
    WORD wNumbering = 0;
    LONG dxStartIndent = 0;
    LONG dxOffset = 0;
    WORD wAlignment = 0;
    SHORT cTabCount = 0;
    LONG rgxTabs[richtext::kMaxTabStops] = {};
    LONG dySpaceBefore = 0;
    LONG dySpaceAfter = 0;
    LONG dyLineSpacing = 0;
    BYTE bLineSpacingRule = 0;
};

class CRichTextHostBase {
public:
    virtual ~CRichTextHostBase() = default;

    // --- the host's own operations ------------------------------------------------
    // Creates the text services; 0 on success, 1 when they cannot be made (the
    // host then answers every operation with its neutral result).
    virtual int Init() = 0;
    virtual BOOL HasTextServices() const = 0;
    // The height the content needs at the width (pixels); 0 on success, 1 without
    // text services (*pnHeight unchanged).
    virtual int GetNaturalHeight(int nWidth, int* pnHeight) = 0;
    virtual int GetNaturalWidth(int nHeight, int* pnWidth) = 0;
    // Draws the content into rect of the DC, clipped to it. 0.
    virtual int Draw(CDC* pDC, const CRect& rect) = 0;
    // The area the content is laid out in until the next Draw (pixels): what
    // is loaded next wraps at this width. Hosts that lay out only on demand
    // ignore it.
    virtual void SetLayoutExtent(int nWidth, int nHeight) { (void)nWidth; (void)nHeight; }
    // The content as RTF. 0.
    virtual int GetRTF(CString& strRTF) = 0;
    // Replaces the content by the RTF (kept as the last RTF even without text
    // services, which answers 1). 0.
    virtual int SetRTF(const CString& strRTF) = 0;
    virtual CString GetLastRTF() const = 0;
    // The content streamed out as plain text (CR LF per break).
    virtual void GetText(CString& strText) = 0;
    // Replaces the content by plain text.
    virtual void SetText(const CString& strText) = 0;

    // --- what the rich-text operations send to the text services --------------------
    // Read the selection's formats. Nothing changes without text services.
    virtual void GetCharFormat(RichCharFormat& cf) = 0;
    // Apply to the selection, to the whole text or as the default format
    // (richtext::RT_SCF_*).
    virtual void SetCharFormat(const RichCharFormat& cf, int nScope = richtext::RT_SCF_SELECTION) = 0;
    virtual void GetParaFormat(RichParaFormat& pf) = 0;
    virtual void SetParaFormat(const RichParaFormat& pf) = 0;
    // EM_SETSEL: -1, -1 collapses; 0, -1 selects everything.
    virtual void SetSel(LONG nStart, LONG nEnd) = 0;
    virtual void GetSel(LONG& nStart, LONG& nEnd) = 0;
    // EM_REPLACESEL with UTF-16 text.
    virtual void ReplaceSel(const std::u16string& text, BOOL bCanUndo) = 0;
    // The other messages (EM_UNDO, EM_CANUNDO, WM_COPY, WM_CLEAR, EM_LIMITTEXT,
    // EM_GETLIMITTEXT, richtext::MSG_*, ...): the message's own answer, 0
    // without text services.
    virtual LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM lParam) = 0;
    // The document's text, one CR per paragraph break.
    virtual std::u16string GetPlainText() = 0;
};

// The factory the grid uses for its own host and the rich-text cell for the
// hosts it locks; NULL until the layer above installs one.
typedef CRichTextHostBase* (*RichTextHostFactory)();
void SetRichTextHostFactory(RichTextHostFactory pfn);
RichTextHostFactory GetRichTextHostFactory();
// A new host from the factory (not initialised), NULL without a factory.
CRichTextHostBase* CreateRichTextHost();
