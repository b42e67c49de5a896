#include "cellcontent/XmlScanner.h"

#include "cellcontent/AttributeKeywords.h"

#include <string>

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Position of the ">" that ends the tag opened at `open`: the first one that is
// not inside a double-quoted value, so a value such as ">" cannot cut the tag
// short. When quotes are unbalanced and no such ">" exists, the first ">" after
// the "<" ends the tag. -1 when there is none.
int FindTagEnd(const std::string& s, size_t open)
{
    bool quoted = false;
    for (size_t i = open + 1; i < s.size(); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (s[i] == '>' && !quoted)
            return static_cast<int>(i);
    }
    size_t plain = s.find('>', open + 1);
    return plain == std::string::npos ? -1 : static_cast<int>(plain);
}

}  // namespace

CXmlScanner::CXmlScanner(const CString& text) : m_text(text)
{
    const std::string& s = m_text.Str();
    size_t open = s.find('<');
    if (open == std::string::npos)
        return;
    int close = FindTagEnd(s, open);
    if (close < 0)
        return;
    m_hasTag = true;
    m_selfClosing = close > static_cast<int>(open) + 1 && s[static_cast<size_t>(close) - 1] == '/';
    // The tag's content, without "<", ">" and the "/" of a self-closing tag.
    const int contentStart = static_cast<int>(open) + 1;
    const int contentEnd = m_selfClosing ? close - 1 : close;

    int nameEnd = contentEnd;
    for (int i = contentStart; i < contentEnd; ++i) {
        if (s[static_cast<size_t>(i)] == ' ') {
            nameEnd = i;
            break;
        }
    }
    m_tagName = CString(s.data() + contentStart, nameEnd - contentStart);
    m_tagNameEnd = nameEnd;
    // One separating blank is skipped; the attribute part runs to the tag's end.
    m_attrStart = nameEnd + 1;
    m_attrEnd = contentEnd;
    if (m_attrEnd < m_attrStart)
        m_attrEnd = m_attrStart;
}

void CXmlScanner::ScanAttributes(std::vector<CXmlAttributeSpan>& pairs) const
{
    const std::string& s = m_text.Str();
    if (!m_hasTag || m_attrEnd <= m_attrStart)
        return;

    bool quoted = false;
    bool namePending = false;
    CXmlAttributeSpan pending;

    auto handleToken = [&](int start, int end) {
        while (start < end && IsWhiteSpace(s[static_cast<size_t>(start)]))
            ++start;
        while (end > start && IsWhiteSpace(s[static_cast<size_t>(end) - 1]))
            --end;
        if (start >= end)
            return;
        std::string token = s.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
        if (token == "=" || token == "\"")
            return;
        // The keyword test sees the token with its quotes, so a quoted value is
        // never taken for a name.
        if (IsAttributeKeyword(token.c_str())) {
            pending.name = CString(token);
            pending.nameStart = start;
            pending.nameEnd = end;
            namePending = true;
            return;
        }
        size_t vFirst = 0;
        size_t vLast = token.size();
        if (vLast > vFirst && token[vFirst] == '"')
            ++vFirst;
        if (vLast > vFirst && token[vLast - 1] == '"')
            --vLast;
        if (namePending) {
            pending.value = CString(token.data() + vFirst, static_cast<int>(vLast - vFirst));
            pending.valueStart = start;
            pending.valueEnd = end;
            pairs.push_back(pending);
        }
        namePending = false;
        quoted = false;
    };

    int tokenStart = m_attrStart;
    for (int i = m_attrStart; i < m_attrEnd; ++i) {
        const char c = s[static_cast<size_t>(i)];
        if (c == '"')
            quoted = !quoted;
        const bool separator = !quoted && (c == ' ' || c == '=');
        const bool last = i == m_attrEnd - 1;
        if (!separator && !last)
            continue;
        handleToken(tokenStart, separator ? i : i + 1);
        tokenStart = i + 1;
    }
}
