// CXmlElement: one element of attribute text, such as
//   <control controltype = "checkbox" ></control>
//   <format datatype = "currency" decimal = "2" ></format>
// It reads the attributes of the text's first tag when the tag name is the
// expected element name, answers attribute queries, and edits the text in
// place. It is lenient: malformed text never fails, whatever cannot be read is
// skipped. It is the base of the font element, the format element and the
// value formats, which override GetValueText.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

class CDC;

// One attribute: its name and its value without the enclosing quotes.
struct CXmlAttribute {
    CString name;
    CString value;
};

class CXmlElement {
public:
    // An empty element: no text, no attributes, no chosen colour.
    CXmlElement();
    // Stores the text and the element name and parses.
    CXmlElement(LPCTSTR text, LPCTSTR elementName);
    // As above, also keeping the value text to format and the context the
    // formatted value is painted into (borrowed, may be NULL).
    CXmlElement(LPCTSTR text, LPCTSTR valueText, CDC* pDC, LPCTSTR elementName);
    virtual ~CXmlElement();

    CXmlElement(const CXmlElement&) = default;
    CXmlElement& operator=(const CXmlElement&) = default;

    // The text to show for the element's value. The plain element (and the
    // font element) have none; the format element and the value formats
    // return the formatted value.
    virtual CString GetValueText();

    // Stores the text and the expected element name, empties the value text,
    // then parses. Parsing appends to the attribute list without emptying it,
    // so each text is normally given to a fresh element.
    void SetText(LPCTSTR text, LPCTSTR elementName);

    // The whole attribute text, with every edit made so far.
    const CString& GetXmlText() const { return m_strText; }
    const CString& GetElementName() const { return m_strElementName; }
    // The value text being formatted (after formatting: the result).
    const CString& GetValueString() const { return m_strValue; }
    CDC* GetDeviceContext() const { return m_pDC; }
    // Text colour chosen by the last formatting; -1 when none.
    int GetChosenColour() const { return m_nChosenColour; }

    // Value of the first attribute named exactly `name`; empty when there is none.
    CString GetAttribute(LPCTSTR name) const;
    // Index of the first attribute named exactly `name`; -1 when there is none.
    int FindAttribute(LPCTSTR name) const;
    // A copy of attribute `index`; an empty pair outside the list.
    CXmlAttribute GetAttributeAt(int index) const;
    int GetAttributeCount() const { return static_cast<int>(m_attributes.size()); }

    // Sets an attribute, in the list and in the text.
    //   -1: `name` is not a word of the attribute vocabulary, or the attribute
    //       is new and the text's first tag is not the element;
    //    0: a new attribute was written right behind the tag name as
    //       ` name = "value" ` and appended to the list;
    //   otherwise the index of the existing attribute whose value was replaced
    //   (so a change of the attribute at index 0 also answers 0).
    // An existing attribute is found where the parser read it, whatever blanks
    // surround its "="; only its value is rewritten, always within quotes.
    // Attribute values cannot hold double quotes: any in `value` are dropped.
    short SetAttribute(LPCTSTR name, LPCTSTR value);
    short SetAttributeInt(LPCTSTR name, int value);
    short SetAttributeLong(LPCTSTR name, LONG value);

    // Removes the first attribute of that name (from the first byte of its
    // name through the end of its value; surrounding blanks stay) from the text
    // and the list. FALSE when there is no such attribute.
    BOOL DeleteAttribute(LPCTSTR name);

    // TRUE when `token` is a word of the attribute vocabulary.
    static BOOL IsKeyword(LPCTSTR token);

    // Reads a colour: "RGB(r,g,b)" (prefix in any case) or a decimal COLORREF.
    // Inside the brackets the pieces between commas that are not empty are
    // read in turn, each reduced to its low byte and placed at bits 0, 8, 16,
    // 24, 0, ... An empty text gives 0.
    static COLORREF ParseColour(LPCTSTR text);

    // Takes over the other element's attributes (copies), text, value text and
    // device context; the element name and the chosen colour stay.
    void CopyAttributes(const CXmlElement& other);

protected:
    void ParseText();
    // Records the chosen colour and, when there is a device context, makes it
    // the context's text colour.
    void ChooseColour(COLORREF colour);
    void SetValueString(const CString& value) { m_strValue = value; }
    void SetChosenColour(int colour) { m_nChosenColour = colour; }

private:
    CString m_strText;
    CString m_strElementName;
    CString m_strValue;
    CDC* m_pDC = nullptr;
    int m_nChosenColour = -1;
    std::vector<CXmlAttribute> m_attributes;
};
