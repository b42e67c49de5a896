// One-pass scanner over an attribute text: finds the first tag, its name and
// its attribute part, and cuts the attribute part into (name, value) pairs
// with the byte positions of both in the text, so that edits can address the
// exact bytes the parser read.
#pragma once

#include "base/CString.h"

#include <vector>

// One attribute as it stands in the text. Offsets are byte positions in the
// scanned text; the value span covers the value token as written, including
// its enclosing double quotes when it has them.
struct CXmlAttributeSpan {
    CString name;
    CString value;        // the value with one leading and one trailing quote removed
    int nameStart = 0;
    int nameEnd = 0;      // one past the name's last byte
    int valueStart = 0;
    int valueEnd = 0;     // one past the value token's last byte
};

class CXmlScanner {
public:
    // Scans the first tag of `text` at once. The text is copied.
    explicit CXmlScanner(const CString& text);

    // TRUE when a "<" followed by a ">" was found.
    bool HasTag() const { return m_hasTag; }
    // The tag name: from the byte after "<" to the first blank inside the tag,
    // or to the tag's end ("/>" for a self-closing tag). Empty without a tag.
    const CString& GetTagName() const { return m_tagName; }
    // Byte position just behind the tag name (-1 without a tag).
    int GetTagNameEnd() const { return m_tagNameEnd; }
    bool IsSelfClosing() const { return m_selfClosing; }

    // Cuts the attribute part into pairs, in the order they stand. Words are
    // separated by blanks and "=" outside double quotes; a word of the
    // attribute vocabulary becomes the pending name, the next other word is its
    // value. Names without a value, values without a name and unknown names
    // (with their values) are dropped.
    void ScanAttributes(std::vector<CXmlAttributeSpan>& pairs) const;

private:
    CString m_text;
    bool m_hasTag = false;
    bool m_selfClosing = false;
    CString m_tagName;
    int m_tagNameEnd = -1;
    int m_attrStart = 0;   // attribute part [m_attrStart, m_attrEnd)
    int m_attrEnd = 0;
};
