#include "cellcontent/XmlElement.h"

#include "base/NumberText.h"
#include "cellcontent/AttributeKeywords.h"
#include "cellcontent/StringUtil.h"
#include "cellcontent/XmlScanner.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

CString FromText(LPCTSTR text)
{
    return text != nullptr ? CString(text) : CString();
}

bool SameName(const CString& a, LPCTSTR b)
{
    return b != nullptr && a.Compare(b) == 0;
}

}  // namespace

CXmlElement::CXmlElement() = default;

CXmlElement::CXmlElement(LPCTSTR text, LPCTSTR elementName)
{
    SetText(text, elementName);
}

CXmlElement::CXmlElement(LPCTSTR text, LPCTSTR valueText, CDC* pDC, LPCTSTR elementName)
{
    SetText(text, elementName);
    m_strValue = FromText(valueText);
    m_pDC = pDC;
}

CXmlElement::~CXmlElement() = default;

CString CXmlElement::GetValueText()
{
    return CString();
}

void CXmlElement::SetText(LPCTSTR text, LPCTSTR elementName)
{
    m_strText = FromText(text);
    m_strElementName = FromText(elementName);
    m_strValue.Empty();
    ParseText();
}

void CXmlElement::ParseText()
{
    CXmlScanner scanner(m_strText);
    if (!scanner.HasTag() || m_strElementName.IsEmpty() || scanner.GetTagName() != m_strElementName)
        return;
    std::vector<CXmlAttributeSpan> spans;
    scanner.ScanAttributes(spans);
    for (const CXmlAttributeSpan& span : spans)
        m_attributes.push_back(CXmlAttribute{span.name, span.value});
}

CString CXmlElement::GetAttribute(LPCTSTR name) const
{
    int index = FindAttribute(name);
    return index >= 0 ? m_attributes[static_cast<size_t>(index)].value : CString();
}

int CXmlElement::FindAttribute(LPCTSTR name) const
{
    if (name == nullptr)
        return -1;
    for (size_t i = 0; i < m_attributes.size(); ++i) {
        if (SameName(m_attributes[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

CXmlAttribute CXmlElement::GetAttributeAt(int index) const
{
    if (index < 0 || index >= GetAttributeCount())
        return CXmlAttribute();
    return m_attributes[static_cast<size_t>(index)];
}

short CXmlElement::SetAttribute(LPCTSTR name, LPCTSTR value)
{
    if (!IsKeyword(name))
        return -1;
    // The parser reads quotes byte by byte, so every quote byte goes, also one
    // that follows a lead byte (it can never be the second byte of a character).
    std::string bytes = value != nullptr ? value : "";
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '"'), bytes.end());
    const CString newValue(bytes);
    CString quoted = CString("\"") + newValue + "\"";

    CXmlScanner scanner(m_strText);
    const bool isElement =
        scanner.HasTag() && !m_strElementName.IsEmpty() && scanner.GetTagName() == m_strElementName;

    int index = FindAttribute(name);
    if (index >= 0) {
        if (isElement) {
            std::vector<CXmlAttributeSpan> spans;
            scanner.ScanAttributes(spans);
            for (const CXmlAttributeSpan& span : spans) {
                if (SameName(span.name, name)) {
                    m_strText = m_strText.Left(span.valueStart) + quoted + m_strText.Mid(span.valueEnd);
                    break;
                }
            }
        }
        m_attributes[static_cast<size_t>(index)].value = newValue;
        return static_cast<short>(index);
    }

    if (!isElement)
        return -1;
    const int at = scanner.GetTagNameEnd();
    CString insert = CString(" ") + name + " = " + quoted + " ";
    m_strText = m_strText.Left(at) + insert + m_strText.Mid(at);
    m_attributes.push_back(CXmlAttribute{CString(name), newValue});
    return 0;
}

short CXmlElement::SetAttributeInt(LPCTSTR name, int value)
{
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%d", value);
    return SetAttribute(name, digits);
}

short CXmlElement::SetAttributeLong(LPCTSTR name, LONG value)
{
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%ld", static_cast<long>(value));
    return SetAttribute(name, digits);
}

BOOL CXmlElement::DeleteAttribute(LPCTSTR name)
{
    int index = FindAttribute(name);
    if (index < 0)
        return FALSE;
    CXmlScanner scanner(m_strText);
    if (scanner.HasTag() && scanner.GetTagName() == m_strElementName) {
        std::vector<CXmlAttributeSpan> spans;
        scanner.ScanAttributes(spans);
        for (const CXmlAttributeSpan& span : spans) {
            if (SameName(span.name, name)) {
                m_strText = m_strText.Left(span.nameStart) + m_strText.Mid(span.valueEnd);
                break;
            }
        }
    }
    m_attributes.erase(m_attributes.begin() + index);
    return TRUE;
}

BOOL CXmlElement::IsKeyword(LPCTSTR token)
{
    return IsAttributeKeyword(token);
}

COLORREF CXmlElement::ParseColour(LPCTSTR text)
{
    CString s = FromText(text);
    if (s.IsEmpty())
        return 0;
    s.Trim();
    CString prefix = s.Left(4);
    prefix.MakeUpper();
    if (prefix == "RGB(" && s.GetLength() >= 5 && s.GetAt(s.GetLength() - 1) == ')') {
        CStringArray pieces;
        SplitString(s.Mid(4, s.GetLength() - 5), ",", pieces);
        DWORD colour = 0;
        for (int i = 0; i < pieces.GetSize(); ++i) {
            DWORD component = static_cast<DWORD>(AToI(pieces[i])) & 0xFF;
            colour |= component << ((8 * i) % 32);
        }
        return static_cast<COLORREF>(colour);
    }
    return static_cast<COLORREF>(static_cast<DWORD>(AToL(s)));
}

void CXmlElement::CopyAttributes(const CXmlElement& other)
{
    if (&other == this)
        return;
    m_attributes = other.m_attributes;
    m_strText = other.m_strText;
    m_strValue = other.m_strValue;
    m_pDC = other.m_pDC;
}
