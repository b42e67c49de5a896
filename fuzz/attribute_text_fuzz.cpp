// Fuzzes the attribute-text parser and its in-place edits.
//
// Input: byte 0 picks the element name, byte 1 the mode; the rest is cut at
// NUL bytes into the attribute text and a list of edits.
//  - Mode even: the text is taken as it comes and edited; nothing may crash,
//    hang or read outside a buffer.
//  - Mode odd: the text is built from an empty element by the edits alone, as
//    this system builds texts; then the edited element and a fresh parse of
//    its text must agree attribute by attribute.
// Each edit is one piece: its first byte chooses the operation and the name (a
// word of the vocabulary or the piece's own bytes), the rest is the value.
#include "cellcontent/AttributeKeywords.h"
#include "cellcontent/FontElement.h"
#include "cellcontent/FormatElement.h"
#include "cellcontent/XmlElement.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kElementNames[] = {"format", "font", "control", ""};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void ApplyEdit(CXmlElement& element, const std::string& piece)
{
    if (piece.empty())
        return;
    const unsigned char op = static_cast<unsigned char>(piece[0]);
    const std::string rest = piece.substr(1);
    std::string name;
    std::string value = rest;
    if (op & 0x80) {
        name = GetAttributeKeyword((op & 0x7F) % GetAttributeKeywordCount());
    } else {
        // The piece's own bytes up to the first blank are the name.
        size_t blank = rest.find(' ');
        name = rest.substr(0, blank);
        value = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
    }
    const int countBefore = element.GetAttributeCount();
    switch (op % 4) {
    case 0:
    case 1: {
        const short result = element.SetAttribute(name.c_str(), value.c_str());
        if (!IsAttributeKeyword(name.c_str()))
            Check(result == -1);
        Check(element.GetAttributeCount() >= countBefore);
        break;
    }
    case 2: {
        const BOOL removed = element.DeleteAttribute(name.c_str());
        Check(element.GetAttributeCount() == countBefore - (removed ? 1 : 0));
        break;
    }
    default:
        element.GetAttribute(name.c_str());
        element.FindAttribute(name.c_str());
        element.GetAttributeAt(static_cast<int>(value.size()) - 1);
        break;
    }
}

void CheckAgreesWithFreshParse(const CXmlElement& element)
{
    CXmlElement fresh(element.GetXmlText(), element.GetElementName());
    Check(fresh.GetAttributeCount() == element.GetAttributeCount());
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        const CXmlAttribute attribute = element.GetAttributeAt(i);
        if (element.FindAttribute(attribute.name) == i)
            Check(fresh.GetAttribute(attribute.name) == attribute.value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const char* elementName = kElementNames[data[0] % 4];
    const bool built = (data[1] & 1) != 0;
    std::vector<std::string> pieces;
    std::string current;
    for (size_t i = 2; i < size; ++i) {
        if (data[i] == 0) {
            pieces.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    pieces.push_back(current);

    if (built) {
        CXmlElement element((std::string("<") + elementName + " ></" + elementName + ">").c_str(), elementName);
        for (const std::string& piece : pieces)
            ApplyEdit(element, piece);
        CheckAgreesWithFreshParse(element);
        return 0;
    }

    CXmlElement element(pieces[0].c_str(), elementName);
    for (size_t i = 1; i < pieces.size(); ++i)
        ApplyEdit(element, pieces[i]);

    // The same text through the elements built on the parser.
    CFontElement font(pieces[0].c_str());
    LOGFONT logFont;
    font.GetLogFont(&logFont);
    CFormatElement format(pieces[0].c_str(), pieces.size() > 1 ? pieces[1].c_str() : "", nullptr);
    format.FormatValue();
    CXmlElement::ParseColour(pieces[0].c_str());
    return 0;
}
