#include "cells/RichTextDocument.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

using namespace richtext;

namespace {

const size_t kMaxUndo = 100;

const DWORD kEffectBits = RT_CFE_BOLD | RT_CFE_ITALIC | RT_CFE_UNDERLINE | RT_CFE_STRIKEOUT | RT_CFE_SUBSCRIPT | RT_CFE_SUPERSCRIPT;

}  // namespace

bool CRichTextDocument::CharStyle::operator==(const CharStyle& o) const
{
    return dwEffects == o.dwEffects && yHeight == o.yHeight && crText == o.crText && crBack == o.crBack &&
           face == o.face;
}

bool CRichTextDocument::ParaStyle::operator==(const ParaStyle& o) const
{
    return wAlignment == o.wAlignment && wNumbering == o.wNumbering && dxStartIndent == o.dxStartIndent &&
           dxOffset == o.dxOffset && dySpaceBefore == o.dySpaceBefore && dySpaceAfter == o.dySpaceAfter &&
           dyLineSpacing == o.dyLineSpacing && bLineSpacingRule == o.bLineSpacingRule && tabs == o.tabs;
}

CRichTextDocument::CRichTextDocument()
{
    m_paras.resize(1);
}

// --- editing model ----------------------------------------------------------------------

CRichTextDocument::Snapshot CRichTextDocument::Take() const
{
    return Snapshot{m_text, m_styles, m_paras, m_nSelStart, m_nSelEnd};
}

void CRichTextDocument::Restore(const Snapshot& s)
{
    m_text = s.text;
    m_styles = s.styles;
    m_paras = s.paras;
    m_nSelStart = s.selStart;
    m_nSelEnd = s.selEnd;
    m_bInsertionSet = false;
}

void CRichTextDocument::SetSel(LONG nStart, LONG nEnd)
{
    const LONG len = static_cast<LONG>(m_text.size());
    if (nStart == -1) {                  // collapse at the end of the selection
        m_nSelStart = m_nSelEnd;
    } else {
        if (nEnd == -1 || nEnd > len)
            nEnd = len;
        nStart = std::max<LONG>(0, std::min(nStart, len));
        nEnd = std::max<LONG>(0, nEnd);
        if (nStart > nEnd)
            std::swap(nStart, nEnd);
        m_nSelStart = nStart;
        m_nSelEnd = nEnd;
    }
    m_bInsertionSet = false;
}

void CRichTextDocument::GetSel(LONG& nStart, LONG& nEnd) const
{
    nStart = m_nSelStart;
    nEnd = m_nSelEnd;
}

CRichTextDocument::CharStyle CRichTextDocument::InsertionStyle() const
{
    if (m_bInsertionSet)
        return m_insertion;
    if (m_nSelStart > 0 && static_cast<size_t>(m_nSelStart) <= m_styles.size())
        return m_styles[static_cast<size_t>(m_nSelStart) - 1];
    if (!m_styles.empty())
        return m_styles[0];
    return m_default;
}

void CRichTextDocument::GetCharFormat(RichCharFormat& cf) const
{
    std::vector<CharStyle> sel;
    if (m_nSelEnd > m_nSelStart)
        sel.assign(m_styles.begin() + m_nSelStart, m_styles.begin() + m_nSelEnd);
    else
        sel.push_back(InsertionStyle());
    const CharStyle& first = sel.front();
    DWORD mask = RT_CFM_BOLD | RT_CFM_ITALIC | RT_CFM_UNDERLINE | RT_CFM_STRIKEOUT | RT_CFM_SUPERSCRIPT | RT_CFM_BACKCOLOR | RT_CFM_FACE |
                 RT_CFM_COLOR | RT_CFM_SIZE;
    for (const CharStyle& s : sel) {
        const DWORD diff = s.dwEffects ^ first.dwEffects;
        mask &= ~(diff & (RT_CFM_BOLD | RT_CFM_ITALIC | RT_CFM_UNDERLINE | RT_CFM_STRIKEOUT));
        if ((diff & (RT_CFE_SUBSCRIPT | RT_CFE_SUPERSCRIPT)) != 0)
            mask &= ~RT_CFM_SUPERSCRIPT;
        if (s.face != first.face)
            mask &= ~RT_CFM_FACE;
        if (s.yHeight != first.yHeight)
            mask &= ~RT_CFM_SIZE;
        if (s.crText != first.crText || (diff & RT_CFE_AUTOCOLOR) != 0)
            mask &= ~RT_CFM_COLOR;
        if (s.crBack != first.crBack || (diff & RT_CFE_AUTOBACKCOLOR) != 0)
            mask &= ~RT_CFM_BACKCOLOR;
    }
    cf.dwMask = mask;
    cf.dwEffects = first.dwEffects;
    cf.yHeight = first.yHeight;
    cf.crTextColor = first.crText;
    cf.crBackColor = first.crBack;
    cf.strFace = first.face.c_str();
}

void CRichTextDocument::Apply(CharStyle& s, const RichCharFormat& cf)
{
    const DWORD effectMask = cf.dwMask & kEffectBits;
    s.dwEffects = (s.dwEffects & ~effectMask) | (cf.dwEffects & effectMask);
    if ((cf.dwMask & RT_CFM_FACE) != 0 && !cf.strFace.IsEmpty())
        s.face = std::string(cf.strFace).substr(0, 31);
    if ((cf.dwMask & RT_CFM_SIZE) != 0 && cf.yHeight > 0)
        s.yHeight = std::min<LONG>(cf.yHeight, 1638 * 20);
    if ((cf.dwMask & RT_CFM_COLOR) != 0) {
        s.crText = cf.crTextColor;
        s.dwEffects = (s.dwEffects & ~RT_CFE_AUTOCOLOR) | (cf.dwEffects & RT_CFE_AUTOCOLOR);
    }
    if ((cf.dwMask & RT_CFM_BACKCOLOR) != 0) {
        s.crBack = cf.crBackColor;
        s.dwEffects = (s.dwEffects & ~RT_CFE_AUTOBACKCOLOR) | (cf.dwEffects & RT_CFE_AUTOBACKCOLOR);
    }
}

void CRichTextDocument::SetCharFormat(const RichCharFormat& cf, int nScope)
{
    if (nScope == RT_SCF_DEFAULT) {
        Apply(m_default, cf);
        return;
    }
    LONG a = m_nSelStart;
    LONG b = m_nSelEnd;
    if (nScope == RT_SCF_ALL) {
        a = 0;
        b = static_cast<LONG>(m_text.size());
        Apply(m_default, cf);
    }
    if (b <= a) {
        m_insertion = InsertionStyle();
        Apply(m_insertion, cf);
        m_bInsertionSet = true;
        return;
    }
    for (LONG i = a; i < b; ++i)
        Apply(m_styles[static_cast<size_t>(i)], cf);
}

void CRichTextDocument::SelectedParagraphs(size_t& first, size_t& last) const
{
    // From the paragraph of the selection's start to that of its last character.
    const size_t a = static_cast<size_t>(m_nSelStart);
    const size_t b = m_nSelEnd > m_nSelStart ? static_cast<size_t>(m_nSelEnd) - 1 : a;
    first = 0;
    last = 0;
    for (size_t i = 0; i < m_text.size() && i < b; ++i) {
        if (m_text[i] != u'\r')
            continue;
        if (i < a)
            ++first;
        ++last;
    }
    last = std::max(first, std::min(last, m_paras.size() - 1));
    first = std::min(first, m_paras.size() - 1);
}

void CRichTextDocument::GetParaFormat(RichParaFormat& pf) const
{
    size_t first = 0;
    size_t last = 0;
    SelectedParagraphs(first, last);
    const ParaStyle& p = m_paras[first];
    DWORD mask = RT_PFM_ALIGNMENT | RT_PFM_NUMBERING | RT_PFM_STARTINDENT | RT_PFM_OFFSET | RT_PFM_SPACEBEFORE | RT_PFM_SPACEAFTER |
                 RT_PFM_LINESPACING | RT_PFM_TABSTOPS;
    for (size_t i = first + 1; i <= last && i < m_paras.size(); ++i) {
        const ParaStyle& q = m_paras[i];
        if (q.wAlignment != p.wAlignment) mask &= ~RT_PFM_ALIGNMENT;
        if (q.wNumbering != p.wNumbering) mask &= ~RT_PFM_NUMBERING;
        if (q.dxStartIndent != p.dxStartIndent) mask &= ~RT_PFM_STARTINDENT;
        if (q.dxOffset != p.dxOffset) mask &= ~RT_PFM_OFFSET;
        if (q.dySpaceBefore != p.dySpaceBefore) mask &= ~RT_PFM_SPACEBEFORE;
        if (q.dySpaceAfter != p.dySpaceAfter) mask &= ~RT_PFM_SPACEAFTER;
        if (q.dyLineSpacing != p.dyLineSpacing || q.bLineSpacingRule != p.bLineSpacingRule)
            mask &= ~RT_PFM_LINESPACING;
        if (q.tabs != p.tabs) mask &= ~RT_PFM_TABSTOPS;
    }
    pf.dwMask = mask;
    pf.wAlignment = p.wAlignment;
    pf.wNumbering = p.wNumbering;
    pf.dxStartIndent = p.dxStartIndent;
    pf.dxOffset = p.dxOffset;
    pf.dySpaceBefore = p.dySpaceBefore;
    pf.dySpaceAfter = p.dySpaceAfter;
    pf.dyLineSpacing = p.dyLineSpacing;
    pf.bLineSpacingRule = p.bLineSpacingRule;
    pf.cTabCount = static_cast<SHORT>(std::min<size_t>(p.tabs.size(), kMaxTabStops));
    for (int i = 0; i < kMaxTabStops; ++i)
        pf.rgxTabs[i] = i < pf.cTabCount ? p.tabs[static_cast<size_t>(i)] : 0;
}

void CRichTextDocument::Apply(ParaStyle& p, const RichParaFormat& pf)
{
    if ((pf.dwMask & RT_PFM_ALIGNMENT) != 0 && pf.wAlignment >= 1 && pf.wAlignment <= 4)
        p.wAlignment = pf.wAlignment;
    if ((pf.dwMask & RT_PFM_NUMBERING) != 0)
        p.wNumbering = pf.wNumbering;
    if ((pf.dwMask & RT_PFM_STARTINDENT) != 0)
        p.dxStartIndent = pf.dxStartIndent;
    if ((pf.dwMask & RT_PFM_OFFSET) != 0)
        p.dxOffset = pf.dxOffset;
    if ((pf.dwMask & RT_PFM_SPACEBEFORE) != 0)
        p.dySpaceBefore = pf.dySpaceBefore;
    if ((pf.dwMask & RT_PFM_SPACEAFTER) != 0)
        p.dySpaceAfter = pf.dySpaceAfter;
    if ((pf.dwMask & RT_PFM_LINESPACING) != 0) {
        p.dyLineSpacing = pf.dyLineSpacing;
        p.bLineSpacingRule = pf.bLineSpacingRule;
    }
    if ((pf.dwMask & RT_PFM_TABSTOPS) != 0) {
        const int count = std::max<int>(0, std::min<int>(pf.cTabCount, kMaxTabStops));
        p.tabs.assign(pf.rgxTabs, pf.rgxTabs + count);
    }
}

void CRichTextDocument::SetParaFormat(const RichParaFormat& pf)
{
    size_t first = 0;
    size_t last = 0;
    SelectedParagraphs(first, last);
    for (size_t i = first; i <= last && i < m_paras.size(); ++i)
        Apply(m_paras[i], pf);
}

void CRichTextDocument::ReplaceRange(LONG a, LONG b, const std::u16string& textIn, const CharStyle& style)
{
    std::u16string text;
    text.reserve(textIn.size());
    for (size_t i = 0; i < textIn.size(); ++i) {
        char16_t c = textIn[i];
        if (c == u'\r' && i + 1 < textIn.size() && textIn[i + 1] == u'\n')
            ++i;
        if (c == u'\n')
            c = u'\r';
        text.push_back(c);
    }
    // Paragraph bookkeeping: the breaks removed merge into the first
    // paragraph; each break added copies its paragraph's style.
    size_t para = 0;
    for (LONG i = 0; i < a; ++i)
        para += m_text[static_cast<size_t>(i)] == u'\r' ? 1 : 0;
    size_t removed = 0;
    for (LONG i = a; i < b; ++i)
        removed += m_text[static_cast<size_t>(i)] == u'\r' ? 1 : 0;
    const size_t added = static_cast<size_t>(std::count(text.begin(), text.end(), u'\r'));
    const ParaStyle ps = m_paras[para];
    m_paras.erase(m_paras.begin() + static_cast<long>(para) + 1,
                  m_paras.begin() + static_cast<long>(para + removed) + 1);
    m_paras.insert(m_paras.begin() + static_cast<long>(para) + 1, added, ps);

    m_text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), text);
    m_styles.erase(m_styles.begin() + a, m_styles.begin() + b);
    m_styles.insert(m_styles.begin() + a, text.size(), style);
    m_nSelStart = m_nSelEnd = a + static_cast<LONG>(text.size());
    m_bInsertionSet = false;
}

void CRichTextDocument::ReplaceSel(const std::u16string& textIn, BOOL bCanUndo)
{
    const LONG room = m_nLimit - (static_cast<LONG>(m_text.size()) - (m_nSelEnd - m_nSelStart));
    std::u16string text = textIn;
    if (room < static_cast<LONG>(text.size()))
        text.resize(static_cast<size_t>(std::max<LONG>(0, room)));
    if (text.empty() && m_nSelEnd == m_nSelStart)
        return;
    if (bCanUndo) {
        m_undo.push_back(Take());
        if (m_undo.size() > kMaxUndo)
            m_undo.erase(m_undo.begin());
        m_redo.clear();
    }
    ReplaceRange(m_nSelStart, m_nSelEnd, text, InsertionStyle());
}

LRESULT CRichTextDocument::Send(UINT nMsg, WPARAM wParam, LPARAM)
{
    switch (nMsg) {
    case WM_CLEAR:
        ReplaceSel(std::u16string(), TRUE);
        return 0;
    case EM_UNDO:
        if (m_undo.empty())
            return 0;
        m_redo.push_back(Take());
        Restore(m_undo.back());
        m_undo.pop_back();
        return 1;
    case MSG_REDO:
        if (m_redo.empty())
            return 0;
        m_undo.push_back(Take());
        Restore(m_redo.back());
        m_redo.pop_back();
        return 1;
    case EM_CANUNDO:
        return m_undo.empty() ? 0 : 1;
    case MSG_CANREDO:
        return m_redo.empty() ? 0 : 1;
    case EM_LIMITTEXT:
    case MSG_EXLIMITTEXT: {
        const LONG n = static_cast<LONG>(wParam);
        m_nLimit = n <= 0 ? 65536 : n;
        return 0;
    }
    case EM_GETLIMITTEXT:
        return m_nLimit;
    case MSG_AUTOURLDETECT:
        m_bAutoURL = wParam != 0 ? TRUE : FALSE;
        return 0;
    case MSG_GETAUTOURLDETECT:
        return m_bAutoURL;
    default:
        return 0;                        // no clipboard here: copy, cut and paste do nothing
    }
}

void CRichTextDocument::LoadText(const std::u16string& text)
{
    m_text.clear();
    m_styles.clear();
    m_paras.assign(1, ParaStyle());
    m_nSelStart = m_nSelEnd = 0;
    std::u16string capped = text.substr(0, static_cast<size_t>(kMaxTextLength));
    ReplaceRange(0, 0, capped, m_default);
    m_nSelStart = m_nSelEnd = 0;
    m_undo.clear();
    m_redo.clear();
}

std::u16string CRichTextDocument::SaveText() const
{
    std::u16string out;
    out.reserve(m_text.size() + 16);
    for (char16_t c : m_text) {
        if (c == u'\r')
            out += u"\r\n";
        else
            out.push_back(c);
    }
    return out;
}

// --- RTF reading -----------------------------------------------------------------------------

class CRtfReader {
public:
    CRtfReader(CRichTextDocument& doc, const std::string& rtf) : m_doc(doc), m_in(rtf) {}

    void Run()
    {
        if (m_in.size() > CRichTextDocument::kMaxRtfBytes)
            m_in.resize(CRichTextDocument::kMaxRtfBytes);
        m_doc.m_text.clear();
        m_doc.m_styles.clear();
        m_doc.m_paras.assign(1, CRichTextDocument::ParaStyle());
        State base;
        base.chr = m_doc.m_default;
        m_stack.push_back(base);
        while (m_pos < m_in.size()) {
            const unsigned char c = static_cast<unsigned char>(m_in[m_pos]);
            if (c == '{') {
                Flush();
                ++m_pos;
                if (static_cast<int>(m_stack.size()) >= CRichTextDocument::kMaxGroupDepth) {
                    SkipGroupBody();     // too deep: dropped whole
                    continue;
                }
                m_stack.push_back(m_stack.back());
                m_stack.back().destStart = true;
            } else if (c == '}') {
                Flush();
                ++m_pos;
                EndGroup();
                if (m_stack.empty())
                    break;
            } else if (c == '\\') {
                ControlWord();
            } else if (c == '\r' || c == '\n') {
                ++m_pos;
            } else {
                Flush();
                ++m_pos;
                if (IsLeadByteChar(c) && m_pos < m_in.size()) {
                    const char pair[2] = {static_cast<char>(c), m_in[m_pos]};
                    ++m_pos;
                    Emit(cp936::ToUtf16(pair, 2));
                } else {
                    Emit(cp936::ToUtf16(reinterpret_cast<const char*>(&c), 1));
                }
            }
        }
        Flush();
        if (m_doc.m_paras.empty())
            m_doc.m_paras.resize(1);
        // A last paragraph mark ends the text, as the text services keep it.
        if (!m_doc.m_text.empty() && m_doc.m_text.back() == u'\r') {
            m_doc.m_text.pop_back();
            m_doc.m_styles.pop_back();
            m_doc.m_paras.pop_back();
        }
    }

private:
    enum Dest { DEST_TEXT, DEST_SKIP, DEST_FONTTABLE, DEST_COLORTABLE, DEST_NUMBERING };
    struct State {
        CRichTextDocument::CharStyle chr;
        CRichTextDocument::ParaStyle para;
        Dest dest = DEST_TEXT;
        int uc = 1;
        bool destStart = false;
        bool starred = false;
    };

    static bool IsLeadByteChar(unsigned char c) { return cp936::IsLeadByte(c); }

    void SkipGroupBody()
    {
        int depth = 1;
        while (m_pos < m_in.size() && depth > 0) {
            const char c = m_in[m_pos++];
            if (c == '\\' && m_pos < m_in.size())
                ++m_pos;
            else if (c == '{')
                ++depth;
            else if (c == '}')
                --depth;
        }
    }

    void EndGroup()
    {
        State& st = m_stack.back();
        if (st.dest == DEST_FONTTABLE && m_fontId >= 0)
            CommitFont();
        m_stack.pop_back();
    }

    void CommitFont()
    {
        std::string name = m_fontName;
        while (!name.empty() && (name.back() == ';' || name.back() == ' '))
            name.pop_back();
        if (!name.empty() && m_fontId >= 0 && m_fonts.size() < 1024) {
            m_fontNames.push_back(name.substr(0, 31));
            m_fonts.push_back(m_fontId);
        }
        m_fontId = -1;
        m_fontName.clear();
    }

    std::string FontName(long id) const
    {
        for (size_t i = 0; i < m_fonts.size(); ++i)
            if (m_fonts[i] == id)
                return m_fontNames[i];
        return std::string();
    }

    void Emit(const std::u16string& text)
    {
        State& st = m_stack.back();
        if (st.dest == DEST_FONTTABLE) {
            const std::string bytes = cp936::FromUtf16(text);
            if (m_fontName.size() < 64)
                m_fontName += bytes;
            if (bytes.find(';') != std::string::npos)
                CommitFont();
            return;
        }
        if (st.dest == DEST_COLORTABLE) {
            for (char16_t ch : text)
                if (ch == u';' && m_colors.size() < 1024) {
                    m_colors.push_back(m_haveColor ? RGB(m_r, m_g, m_b) : static_cast<COLORREF>(-1));
                    m_r = m_g = m_b = 0;
                    m_haveColor = false;
                }
            return;
        }
        if (st.dest != DEST_TEXT)
            return;
        for (char16_t ch : text) {
            if (static_cast<LONG>(m_doc.m_text.size()) >= CRichTextDocument::kMaxTextLength)
                return;
            if (ch == u'\r' || ch == u'\n')
                continue;
            m_doc.m_text.push_back(ch);
            m_doc.m_styles.push_back(st.chr);
            m_doc.m_paras.back() = st.para;
        }
    }

    void Break()
    {
        State& st = m_stack.back();
        if (st.dest != DEST_TEXT || static_cast<LONG>(m_doc.m_text.size()) >= CRichTextDocument::kMaxTextLength)
            return;
        m_doc.m_paras.back() = st.para;
        m_doc.m_text.push_back(u'\r');
        m_doc.m_styles.push_back(st.chr);
        m_doc.m_paras.push_back(st.para);
    }

    void Flush()
    {
        if (m_bytes.empty())
            return;
        const std::string bytes = m_bytes;
        m_bytes.clear();
        Emit(cp936::ToUtf16(bytes));
    }

    COLORREF Colour(long n) const
    {
        return n >= 0 && static_cast<size_t>(n) < m_colors.size() ? m_colors[static_cast<size_t>(n)]
                                                                  : static_cast<COLORREF>(-1);
    }

    static int HexValue(char c)
    {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void SkipFallback(int count)
    {
        // The characters after \uN that readers without Unicode show instead.
        while (count > 0 && m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (c == '{' || c == '}')
                return;
            if (c == '\\') {
                if (m_pos + 3 < m_in.size() + 0 && m_in[m_pos + 1] == '\'') {
                    m_pos += 4;
                } else {
                    ++m_pos;
                    while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos])))
                        ++m_pos;
                    if (m_pos < m_in.size() && (m_in[m_pos] == '-' || std::isdigit(static_cast<unsigned char>(m_in[m_pos]))))
                        while (++m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
                        }
                    if (m_pos < m_in.size() && m_in[m_pos] == ' ')
                        ++m_pos;
                }
            } else {
                ++m_pos;
            }
            --count;
        }
        m_pos = std::min(m_pos, m_in.size());
    }

    void ControlWord()
    {
        ++m_pos;                         // the backslash
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        State& st = m_stack.back();
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            switch (c) {
            case '\'': {
                if (m_pos + 1 < m_in.size()) {
                    const int hi = HexValue(m_in[m_pos]);
                    const int lo = HexValue(m_in[m_pos + 1]);
                    m_pos += 2;
                    if (hi >= 0 && lo >= 0 && m_bytes.size() < 4096)
                        m_bytes.push_back(static_cast<char>(hi * 16 + lo));
                } else {
                    m_pos = m_in.size();
                }
                return;
            }
            case '*':
                // The destination word that follows decides: an unknown one is dropped.
                st.starred = true;
                return;
            case '\\':
            case '{':
            case '}': {
                const char lit = c;
                Flush();
                Emit(cp936::ToUtf16(&lit, 1));
                return;
            }
            case '~':
                Flush();
                Emit(u"\u00A0");
                return;
            case '_':
                Flush();
                Emit(u"-");
                return;
            case '\r':
            case '\n':
                Flush();
                Break();
                return;
            default:
                return;                  // \- and other control symbols: nothing
            }
        }
        Flush();
        std::string word;
        while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos])) && word.size() < 32)
            word.push_back(m_in[m_pos++]);
        while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos])))
            ++m_pos;                     // an overlong word is cut, never read past
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
            if (digits < 9)
                param = param * 10 + (m_in[m_pos] - '0');
            ++digits;
            hasParam = true;
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        const bool destStart = st.destStart;
        st.destStart = false;
        Word(word, hasParam, param, destStart);
    }

    void Word(const std::string& w, bool hasParam, long n, bool destStart)
    {
        State& st = m_stack.back();
        CRichTextDocument::CharStyle& ch = st.chr;
        CRichTextDocument::ParaStyle& pa = st.para;
        const bool on = !hasParam || n != 0;
        auto effect = [&](DWORD bit) { ch.dwEffects = on ? (ch.dwEffects | bit) : (ch.dwEffects & ~bit); };
        const bool starred = st.starred;     // \* names the word right after it only
        st.starred = false;
        if (destStart || starred) {
            static const char* const kSkipped[] = {"info", "stylesheet", "pict", "object", "header", "footer",
                                                   "headerl", "headerr", "footerl", "footerr", "generator",
                                                   "listtable", "listoverridetable", "themedata", "pntext",
                                                   "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
                                                   "rsidtbl", "mmathPr", "fldinst", "bkmkstart", "bkmkend",
                                                   "author", "operator", "title", "filetbl", "revtbl"};
            for (const char* s : kSkipped)
                if (w == s) {
                    st.dest = DEST_SKIP;
                    return;
                }
            if (w == "fonttbl") {
                st.dest = DEST_FONTTABLE;
                return;
            }
            if (w == "pn") {
                st.dest = DEST_NUMBERING;     // the paragraph's bullet or numbering
                return;
            }
            if (w == "colortbl") {
                st.dest = DEST_COLORTABLE;
                m_colors.clear();
                return;
            }
            if (starred) {
                st.dest = DEST_SKIP;
                return;
            }
        }
        if (st.dest == DEST_FONTTABLE) {
            if (w == "f" && hasParam) {
                if (m_fontId >= 0)
                    CommitFont();
                m_fontId = n;
                m_fontName.clear();
            }
            return;
        }
        if (st.dest == DEST_COLORTABLE) {
            const int v = static_cast<int>(std::max<long>(0, std::min<long>(255, n)));
            if (w == "red") { m_r = v; m_haveColor = true; }
            else if (w == "green") { m_g = v; m_haveColor = true; }
            else if (w == "blue") { m_b = v; m_haveColor = true; }
            return;
        }
        if (st.dest == DEST_NUMBERING) {
            // Settles the numbering of the paragraph around the group.
            CRichTextDocument::ParaStyle* outer = nullptr;
            for (size_t i = m_stack.size(); i-- > 0;)
                if (m_stack[i].dest == DEST_TEXT) {
                    outer = &m_stack[i].para;
                    break;
                }
            if (outer != nullptr && w == "pnlvlblt")
                outer->wNumbering = 1;
            else if (outer != nullptr && (w == "pnlvlbody" || w == "pndec"))
                outer->wNumbering = 2;
            return;
        }
        if (st.dest != DEST_TEXT)
            return;
        if (w == "par" || w == "line" || w == "sect" || w == "page") Break();
        else if (w == "tab") Emit(u"\t");
        else if (w == "u" && hasParam) {
            Emit(std::u16string(1, static_cast<char16_t>(n < 0 ? n + 65536 : n)));
            SkipFallback(st.uc);
        }
        else if (w == "uc" && hasParam) st.uc = static_cast<int>(std::max<long>(0, std::min<long>(n, 8)));
        else if (w == "emdash") Emit(u"\u2014");
        else if (w == "endash") Emit(u"\u2013");
        else if (w == "bullet") Emit(u"\u2022");
        else if (w == "lquote") Emit(u"\u2018");
        else if (w == "rquote") Emit(u"\u2019");
        else if (w == "ldblquote") Emit(u"\u201C");
        else if (w == "rdblquote") Emit(u"\u201D");
        else if (w == "plain") ch = m_doc.m_default;
        else if (w == "b") effect(RT_CFE_BOLD);
        else if (w == "i") effect(RT_CFE_ITALIC);
        else if (w == "ul") effect(RT_CFE_UNDERLINE);
        else if (w == "ulnone") ch.dwEffects &= ~RT_CFE_UNDERLINE;
        else if (w == "strike") effect(RT_CFE_STRIKEOUT);
        else if (w == "super") { ch.dwEffects &= ~RT_CFE_SUBSCRIPT; effect(RT_CFE_SUPERSCRIPT); }
        else if (w == "sub") { ch.dwEffects &= ~RT_CFE_SUPERSCRIPT; effect(RT_CFE_SUBSCRIPT); }
        else if (w == "nosupersub") ch.dwEffects &= ~(RT_CFE_SUBSCRIPT | RT_CFE_SUPERSCRIPT);
        else if (w == "fs" && hasParam && n > 0) ch.yHeight = std::min<long>(n, 3276) * 10;
        else if (w == "f" && hasParam) {
            const std::string face = FontName(n);
            if (!face.empty())
                ch.face = face;
        }
        else if (w == "cf" && hasParam) {
            const COLORREF c = Colour(n);
            if (c == static_cast<COLORREF>(-1)) {
                ch.dwEffects |= RT_CFE_AUTOCOLOR;
                ch.crText = 0;
            } else {
                ch.dwEffects &= ~RT_CFE_AUTOCOLOR;
                ch.crText = c;
            }
        }
        else if ((w == "highlight" || w == "cb" || w == "chcbpat") && hasParam) {
            const COLORREF c = Colour(n);
            if (c == static_cast<COLORREF>(-1) || n == 0) {
                ch.dwEffects |= RT_CFE_AUTOBACKCOLOR;
            } else {
                ch.dwEffects &= ~RT_CFE_AUTOBACKCOLOR;
                ch.crBack = c;
            }
        }
        else if (w == "pard") pa = CRichTextDocument::ParaStyle();
        else if (w == "ql") pa.wAlignment = 1;
        else if (w == "qr") pa.wAlignment = 2;
        else if (w == "qc") pa.wAlignment = 3;
        else if (w == "qj") pa.wAlignment = 4;
        else if (w == "li" && hasParam) pa.dxStartIndent = n;
        else if (w == "fi" && hasParam) pa.dxOffset = -n;
        else if (w == "sb" && hasParam) pa.dySpaceBefore = n;
        else if (w == "sa" && hasParam) pa.dySpaceAfter = n;
        else if (w == "sl" && hasParam) {
            pa.dyLineSpacing = n < 0 ? -n : n;
            pa.bLineSpacingRule = n == 0 ? 0 : 4;
        }
        else if (w == "tx" && hasParam && pa.tabs.size() < static_cast<size_t>(kMaxTabStops)) pa.tabs.push_back(n);
        else if (w == "pnlvlblt") pa.wNumbering = 1;
        else if (w == "pnlvlbody" || w == "pndec") pa.wNumbering = 2;
    }

    CRichTextDocument& m_doc;
    std::string m_in;
    size_t m_pos = 0;
    std::vector<State> m_stack;
    std::string m_bytes;                 // \'hh bytes waiting to be decoded together
    std::vector<long> m_fonts;
    std::vector<std::string> m_fontNames;
    long m_fontId = -1;
    std::string m_fontName;
    std::vector<COLORREF> m_colors;
    int m_r = 0;
    int m_g = 0;
    int m_b = 0;
    bool m_haveColor = false;
};

void CRichTextDocument::LoadRtf(const std::string& rtf)
{
    m_undo.clear();
    m_redo.clear();
    m_nSelStart = m_nSelEnd = 0;
    m_bInsertionSet = false;
    size_t start = 0;
    while (start < rtf.size() && (rtf[start] == ' ' || rtf[start] == '\r' || rtf[start] == '\n'))
        ++start;
    if (rtf.compare(start, 5, "{\\rtf") != 0) {
        LoadText(cp936::ToUtf16(rtf.substr(0, std::min(rtf.size(), static_cast<size_t>(kMaxTextLength) * 2))));
        return;
    }
    CRtfReader reader(*this, rtf.substr(start));
    reader.Run();
    m_nSelStart = m_nSelEnd = 0;
}

// --- RTF writing -------------------------------------------------------------------------------

std::string CRichTextDocument::SaveRtf() const
{
    std::vector<std::string> fonts;
    std::vector<COLORREF> colors;
    auto fontIndex = [&](const std::string& face) {
        for (size_t i = 0; i < fonts.size(); ++i)
            if (fonts[i] == face)
                return static_cast<int>(i);
        fonts.push_back(face);
        return static_cast<int>(fonts.size() - 1);
    };
    auto colorIndex = [&](COLORREF c) {
        for (size_t i = 0; i < colors.size(); ++i)
            if (colors[i] == c)
                return static_cast<int>(i + 1);
        colors.push_back(c);
        return static_cast<int>(colors.size());
    };
    fontIndex(m_default.face);
    for (const CharStyle& s : m_styles) {
        fontIndex(s.face);
        if ((s.dwEffects & RT_CFE_AUTOCOLOR) == 0)
            colorIndex(s.crText);
        if ((s.dwEffects & RT_CFE_AUTOBACKCOLOR) == 0)
            colorIndex(s.crBack);
    }
    char buf[96];
    std::string body;
    const CharStyle* last = nullptr;
    size_t para = 0;
    auto writePara = [&](const ParaStyle& p) {
        body += "\\pard";
        if (p.wNumbering == 1)
            body += "{\\pntext\\f0\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'B7}}";
        else if (p.wNumbering == 2)
            body += "{\\*\\pn\\pnlvlbody\\pndec\\pnstart1\\pnindent0}";
        for (LONG t : p.tabs) {
            std::snprintf(buf, sizeof buf, "\\tx%ld", static_cast<long>(t));
            body += buf;
        }
        static const char* const kAlign[] = {"", "", "\\qr", "\\qc", "\\qj"};
        if (p.wAlignment >= 2 && p.wAlignment <= 4)
            body += kAlign[p.wAlignment];
        std::snprintf(buf, sizeof buf, "\\li%ld\\fi%ld\\sb%ld\\sa%ld", static_cast<long>(p.dxStartIndent),
                      static_cast<long>(-p.dxOffset), static_cast<long>(p.dySpaceBefore),
                      static_cast<long>(p.dySpaceAfter));
        body += buf;
        if (p.bLineSpacingRule == 4 && p.dyLineSpacing > 0) {
            std::snprintf(buf, sizeof buf, "\\sl-%ld\\slmult0", static_cast<long>(p.dyLineSpacing));
            body += buf;
        }
        body += ' ';
        last = nullptr;
    };
    writePara(m_paras.empty() ? ParaStyle() : m_paras[0]);
    for (size_t i = 0; i < m_text.size(); ++i) {
        const CharStyle& s = m_styles[i];
        if (last == nullptr || !(*last == s)) {
            std::snprintf(buf, sizeof buf, "\\plain\\f%d\\fs%ld", fontIndex(s.face), static_cast<long>(s.yHeight / 10));
            body += buf;
            if ((s.dwEffects & RT_CFE_AUTOCOLOR) == 0) {
                std::snprintf(buf, sizeof buf, "\\cf%d", colorIndex(s.crText));
                body += buf;
            }
            if ((s.dwEffects & RT_CFE_AUTOBACKCOLOR) == 0) {
                std::snprintf(buf, sizeof buf, "\\highlight%d", colorIndex(s.crBack));
                body += buf;
            }
            if (s.dwEffects & RT_CFE_BOLD) body += "\\b";
            if (s.dwEffects & RT_CFE_ITALIC) body += "\\i";
            if (s.dwEffects & RT_CFE_UNDERLINE) body += "\\ul";
            if (s.dwEffects & RT_CFE_STRIKEOUT) body += "\\strike";
            if (s.dwEffects & RT_CFE_SUPERSCRIPT) body += "\\super";
            if (s.dwEffects & RT_CFE_SUBSCRIPT) body += "\\sub";
            body += ' ';
            last = &s;
        }
        const char16_t c = m_text[i];
        if (c == u'\r') {
            body += "\\par\r\n";
            ++para;
            writePara(para < m_paras.size() ? m_paras[para] : ParaStyle());
        } else if (c == u'\t') {
            body += "\\tab ";
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            body += '\\';
            body += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x80) {
            body += static_cast<char>(c);
        } else {
            const std::string bytes = cp936::FromUtf16(std::u16string(1, c));
            if (bytes.size() >= 1 && !(bytes.size() == 1 && bytes[0] == '?' && c != u'?')) {
                for (unsigned char b : bytes) {
                    std::snprintf(buf, sizeof buf, "\\'%02x", b);
                    body += buf;
                }
            } else {
                std::snprintf(buf, sizeof buf, "\\u%d?", static_cast<int>(static_cast<short>(c)));
                body += buf;
            }
        }
    }
    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        std::snprintf(buf, sizeof buf, "{\\f%d\\fnil\\fcharset134 ", static_cast<int>(i));
        out += buf;
        for (unsigned char b : fonts[i]) {
            if (b >= 0x80) {
                std::snprintf(buf, sizeof buf, "\\'%02x", b);
                out += buf;
            } else if (b != ';' && b != '{' && b != '}' && b != '\\') {
                out += static_cast<char>(b);
            }
        }
        out += ";}";
    }
    out += "}\r\n";
    if (!colors.empty()) {
        out += "{\\colortbl ;";
        for (COLORREF c : colors) {
            std::snprintf(buf, sizeof buf, "\\red%d\\green%d\\blue%d;", GetRValue(c), GetGValue(c), GetBValue(c));
            out += buf;
        }
        out += "}\r\n";
    }
    out += body;
    out += "\\par\r\n}\r\n";
    return out;
}
