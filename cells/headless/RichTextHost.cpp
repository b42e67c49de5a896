// The rich-text host on the host build: the portable document, laid out in
// lines and drawn run by run through the DC (which records on this build).
#include "cells/RichTextHost.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"
#include "cells/RichTextDocument.h"
#include "platform/DC.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using Style = CRichTextDocument::CharStyle;

int PixelHeight(LONG twips)
{
    return std::max(1, static_cast<int>(twips / 15));
}

// The width a character takes in this layout: half its height for single-byte
// characters, its height for double-byte ones.
int CharWidth(char16_t c, int height)
{
    return c < 0x80 ? std::max(1, height * 11 / 20) : height;
}

struct Run {
    int x = 0;
    int y = 0;
    int height = 0;
    std::u16string text;
    const Style* style = nullptr;
};

class CHeadlessRichTextHost : public CRichTextHostBase {
public:
    int Init() override
    {
        m_bServices = TRUE;
        if (!m_strLastRtf.IsEmpty())
            m_doc.LoadRtf(std::string(m_strLastRtf));
        return 0;
    }
    BOOL HasTextServices() const override { return m_bServices; }

    int GetNaturalHeight(int nWidth, int* pnHeight) override
    {
        if (!m_bServices)
            return 1;
        std::vector<Run> runs;
        const int height = Layout(std::max(1, nWidth), runs);
        if (pnHeight != nullptr)
            *pnHeight = height;
        return 0;
    }

    int GetNaturalWidth(int, int* pnWidth) override
    {
        if (!m_bServices)
            return 1;
        std::vector<Run> runs;
        Layout(1 << 24, runs);
        int width = 0;
        for (const Run& r : runs) {
            int w = 0;
            for (char16_t c : r.text)
                w += CharWidth(c, r.height);
            width = std::max(width, r.x + w);
        }
        if (pnWidth != nullptr)
            *pnWidth = width;
        return 0;
    }

    int Draw(CDC* pDC, const CRect& rect) override
    {
        if (!m_bServices || pDC == nullptr)
            return 0;
        std::vector<Run> runs;
        Layout(std::max(1, rect.Width()), runs);
        const int saved = pDC->SaveDC();
        pDC->IntersectClipRect(rect);
        pDC->SetBkMode(TRANSPARENT);
        for (const Run& r : runs) {
            if (r.y >= rect.Height())
                break;
            LOGFONT lf;
            std::memset(&lf, 0, sizeof lf);
            lf.lfHeight = -r.height;
            lf.lfWeight = (r.style->dwEffects & richtext::RT_CFE_BOLD) ? FW_BOLD : FW_NORMAL;
            lf.lfItalic = (r.style->dwEffects & richtext::RT_CFE_ITALIC) ? 1 : 0;
            lf.lfUnderline = (r.style->dwEffects & richtext::RT_CFE_UNDERLINE) ? 1 : 0;
            lf.lfStrikeOut = (r.style->dwEffects & richtext::RT_CFE_STRIKEOUT) ? 1 : 0;
            lf.lfCharSet = GB2312_CHARSET;
            std::strncpy(lf.lfFaceName, r.style->face.c_str(), LF_FACESIZE - 1);
            CFont font;
            font.CreateFontIndirect(&lf);
            CFont* old = pDC->SelectObject(&font);
            pDC->SetTextColor((r.style->dwEffects & richtext::RT_CFE_AUTOCOLOR) ? RGB(0, 0, 0) : r.style->crText);
            const std::string bytes = cp936::FromUtf16(r.text);
            pDC->TextOut(rect.left + r.x, rect.top + r.y, bytes.c_str(), static_cast<int>(bytes.size()));
            pDC->SelectObject(old);
        }
        pDC->RestoreDC(saved);
        return 0;
    }

    int GetRTF(CString& strRTF) override
    {
        if (m_bServices)
            m_strLastRtf = m_doc.SaveRtf().c_str();
        strRTF = m_strLastRtf;
        return 0;
    }

    int SetRTF(const CString& strRTF) override
    {
        m_strLastRtf = strRTF;
        if (!m_bServices)
            return 1;
        m_doc.LoadRtf(std::string(strRTF));
        return 0;
    }

    CString GetLastRTF() const override { return m_strLastRtf; }

    void GetText(CString& strText) override
    {
        strText = m_bServices ? CString(cp936::FromUtf16(m_doc.SaveText()).c_str()) : CString();
    }

    void SetText(const CString& strText) override
    {
        if (m_bServices)
            m_doc.LoadText(cp936::ToUtf16(std::string(strText)));
    }

    void GetCharFormat(RichCharFormat& cf) override
    {
        if (m_bServices)
            m_doc.GetCharFormat(cf);
    }
    void SetCharFormat(const RichCharFormat& cf, int nScope) override
    {
        if (m_bServices)
            m_doc.SetCharFormat(cf, nScope);
    }
    void GetParaFormat(RichParaFormat& pf) override
    {
        if (m_bServices)
            m_doc.GetParaFormat(pf);
    }
    void SetParaFormat(const RichParaFormat& pf) override
    {
        if (m_bServices)
            m_doc.SetParaFormat(pf);
    }
    void SetSel(LONG nStart, LONG nEnd) override
    {
        if (m_bServices)
            m_doc.SetSel(nStart, nEnd);
    }
    void GetSel(LONG& nStart, LONG& nEnd) override
    {
        nStart = nEnd = 0;
        if (m_bServices)
            m_doc.GetSel(nStart, nEnd);
    }
    void ReplaceSel(const std::u16string& text, BOOL bCanUndo) override
    {
        if (m_bServices)
            m_doc.ReplaceSel(text, bCanUndo);
    }
    LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        return m_bServices ? m_doc.Send(nMsg, wParam, lParam) : 0;
    }
    std::u16string GetPlainText() override { return m_bServices ? m_doc.Text() : std::u16string(); }

private:
    // Lines of runs at the width; the total height.
    int Layout(int nWidth, std::vector<Run>& runs)
    {
        const std::u16string& text = m_doc.Text();
        const std::vector<Style>& styles = m_doc.Styles();
        const auto& paras = m_doc.Paragraphs();
        int y = 0;
        size_t i = 0;
        for (size_t p = 0; p < paras.size(); ++p) {
            const auto& ps = paras[p];
            y += static_cast<int>(ps.dySpaceBefore / 15);
            const int indent = static_cast<int>(std::max<LONG>(0, ps.dxStartIndent) / 15);
            size_t end = i;
            while (end < text.size() && text[end] != u'\r')
                ++end;
            // Break the paragraph into lines, then place each line.
            size_t lineStart = i;
            do {
                int width = indent;
                int lineHeight = PixelHeight(i < styles.size() ? styles[std::min(i, styles.size() - 1)].yHeight
                                                               : m_doc.DefaultStyle().yHeight);
                size_t k = lineStart;
                while (k < end) {
                    const int h = PixelHeight(styles[k].yHeight);
                    const int w = CharWidth(text[k], h);
                    if (width + w > nWidth && k > lineStart)
                        break;
                    width += w;
                    lineHeight = std::max(lineHeight, h);
                    ++k;
                }
                int x = indent;
                if (ps.wAlignment == 2)
                    x = std::max(indent, nWidth - (width - indent));
                else if (ps.wAlignment == 3)
                    x = std::max(indent, indent + (nWidth - width) / 2);
                for (size_t r = lineStart; r < k;) {
                    Run run;
                    run.style = &styles[r];
                    run.height = PixelHeight(styles[r].yHeight);
                    run.x = x;
                    run.y = y + lineHeight - run.height;
                    while (r < k && styles[r] == *run.style) {
                        run.text.push_back(text[r]);
                        x += CharWidth(text[r], run.height);
                        ++r;
                    }
                    runs.push_back(run);
                }
                const int lineStep = ps.bLineSpacingRule == 4 && ps.dyLineSpacing > 0
                                         ? static_cast<int>(ps.dyLineSpacing / 15)
                                         : lineHeight * (ps.bLineSpacingRule == 1 ? 18 : ps.bLineSpacingRule == 2 ? 24 : 12) / 10;
                y += lineStep;
                lineStart = k;
            } while (lineStart < end);
            y += static_cast<int>(ps.dySpaceAfter / 15);
            i = end + 1;
        }
        return y;
    }

    CRichTextDocument m_doc;
    CString m_strLastRtf;
    BOOL m_bServices = FALSE;
};

}  // namespace

CRichTextHostBase* NewPlatformRichTextHost()
{
    return new CHeadlessRichTextHost();
}

void InstallSuperEditHooks() {}
