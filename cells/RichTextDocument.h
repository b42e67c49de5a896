// CRichTextDocument: a portable rich-text document with the editing model of
// the rich-edit text services, used where the system's are not available.
//
// The text has one CR per paragraph break; every character carries its
// character style and every paragraph its paragraph style. The document
// reads and writes RTF (the subset rich-text cells use: fonts, colours,
// sizes, bold, italic, underline, strikeout, super/subscript, highlight,
// alignment, indents, spacing, bullets and numbering, \'hh escapes in code
// page 936 and \u escapes) and answers the messages the rich-text operations
// send (selection, formats, replace, clear, undo and redo, limits).
//
// RTF read from outside is bad input: reading is bounded (input length,
// group depth, text length) and never fails; what cannot be understood is
// skipped, and unknown destinations ({\* ...}) are dropped whole.
#pragma once

#include "base/CString.h"
#include "grid/RichTextHostBase.h"

#include <string>
#include <vector>

class CRichTextDocument {
public:
    struct CharStyle {
        DWORD dwEffects = richtext::RT_CFE_AUTOCOLOR | richtext::RT_CFE_AUTOBACKCOLOR;
        LONG yHeight = 200;          // twips
        COLORREF crText = 0;
        COLORREF crBack = 0xFFFFFF;
        std::string face = "Times New Roman";   // code page 936
        bool operator==(const CharStyle& o) const;
    };
    struct ParaStyle {
        WORD wAlignment = 1;
        WORD wNumbering = 0;
        LONG dxStartIndent = 0;
        LONG dxOffset = 0;
        LONG dySpaceBefore = 0;
        LONG dySpaceAfter = 0;
        LONG dyLineSpacing = 0;
        BYTE bLineSpacingRule = 0;
        std::vector<LONG> tabs;
        bool operator==(const ParaStyle& o) const;
    };

    // Limits of what one document holds and of what reading looks at.
    static const size_t kMaxRtfBytes = 4u << 20;
    static const int kMaxGroupDepth = 128;
    static const LONG kMaxTextLength = 1 << 20;

    CRichTextDocument();

    // Replaces everything by the RTF; text that is not RTF (no "{\rtf"
    // start) is taken as plain text. The selection goes to the start.
    void LoadRtf(const std::string& rtf);
    std::string SaveRtf() const;
    // Replaces everything by plain text in the default style.
    void LoadText(const std::u16string& text);
    // The text with CR LF per break.
    std::u16string SaveText() const;

    const std::u16string& Text() const { return m_text; }
    const std::vector<CharStyle>& Styles() const { return m_styles; }
    const std::vector<ParaStyle>& Paragraphs() const { return m_paras; }
    const CharStyle& DefaultStyle() const { return m_default; }

    void SetSel(LONG nStart, LONG nEnd);
    void GetSel(LONG& nStart, LONG& nEnd) const;
    void GetCharFormat(RichCharFormat& cf) const;
    void SetCharFormat(const RichCharFormat& cf, int nScope);
    void GetParaFormat(RichParaFormat& pf) const;
    void SetParaFormat(const RichParaFormat& pf);
    void ReplaceSel(const std::u16string& text, BOOL bCanUndo);
    LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM lParam);

private:
    struct Snapshot {
        std::u16string text;
        std::vector<CharStyle> styles;
        std::vector<ParaStyle> paras;
        LONG selStart = 0;
        LONG selEnd = 0;
    };
    Snapshot Take() const;
    void Restore(const Snapshot& s);
    void ReplaceRange(LONG a, LONG b, const std::u16string& text, const CharStyle& style);
    // The paragraphs the selection touches.
    void SelectedParagraphs(size_t& first, size_t& last) const;
    CharStyle InsertionStyle() const;
    static void Apply(CharStyle& s, const RichCharFormat& cf);
    static void Apply(ParaStyle& p, const RichParaFormat& pf);

    std::u16string m_text;
    std::vector<CharStyle> m_styles;     // one per character
    std::vector<ParaStyle> m_paras;      // breaks + 1
    CharStyle m_default;
    CharStyle m_insertion;               // the caret's style after a format change at the caret
    bool m_bInsertionSet = false;
    LONG m_nSelStart = 0;
    LONG m_nSelEnd = 0;
    LONG m_nLimit = 32767;
    BOOL m_bAutoURL = FALSE;
    std::vector<Snapshot> m_undo;
    std::vector<Snapshot> m_redo;

    friend class CRtfReader;
};
