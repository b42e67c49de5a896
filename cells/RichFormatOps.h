// CRichFormatOps: the rich-text editor's formatting operations on its
// selection, over the message back end of the editor's rich edit (or any
// other rich-text back end). The format toolbar, the right-click menu and the
// properties dialog all apply their choices through it.
#pragma once

#include "grid/RichTextHostBase.h"

class CRichFormatOps {
public:
    explicit CRichFormatOps(CRichTextHostBase* pHost) : m_pHost(pHost) {}

    void SetFontName(const CString& strFace);
    // Points; sizes below 1 are refused.
    void SetFontSize(int nPoints);
    void SetTextColor(COLORREF cr);
    // bSet false: automatic (no) background.
    void SetBgColor(bool bSet, COLORREF cr);
    void SetBold(bool bOn) { SetEffect(richtext::RT_CFM_BOLD, richtext::RT_CFE_BOLD, bOn); }
    void SetItalic(bool bOn) { SetEffect(richtext::RT_CFM_ITALIC, richtext::RT_CFE_ITALIC, bOn); }
    void SetUnderline(bool bOn) { SetEffect(richtext::RT_CFM_UNDERLINE, richtext::RT_CFE_UNDERLINE, bOn); }
    void SetStrikeout(bool bOn) { SetEffect(richtext::RT_CFM_STRIKEOUT, richtext::RT_CFE_STRIKEOUT, bOn); }
    void SetSuperscript(bool bOn) { SetEffect(richtext::RT_CFM_SUPERSCRIPT, richtext::RT_CFE_SUPERSCRIPT, bOn); }
    void SetSubscript(bool bOn) { SetEffect(richtext::RT_CFM_SUBSCRIPT, richtext::RT_CFE_SUBSCRIPT, bOn); }
    // 1 left, 3 centre, 2 right.
    void SetAlignment(WORD wAlign);
    // To the next (previous) tab stop of the paragraph; nothing past the
    // last. Without tab stops of its own the paragraph steps by 320 twips.
    void Indent() { MoveIndent(true); }
    void Outdent() { MoveIndent(false); }
    // 0 none, 1 bullets, 2 numbers.
    void SetNumbering(WORD wNumbering);

    void GetFormats(RichCharFormat& cf, RichParaFormat& pf);
    void ApplyFormats(const RichCharFormat& cf, const RichParaFormat& pf);

private:
    void SetEffect(DWORD dwMask, DWORD dwEffect, bool bOn);
    void MoveIndent(bool bIndent);

    CRichTextHostBase* m_pHost;
};
