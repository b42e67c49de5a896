// Builds a workbook header or footer text: section and font-size codes, and
// literal text in which every "&" is doubled so that it prints as itself.
#pragma once

#include <string>

class XlsHeaderFooterText {
public:
    void AppendRightSection() { m_text += "&R"; }
    void AppendFontSize(int points) { m_text += "&" + std::to_string(points); }
    void AppendText(const std::string& text);
    const std::string& GetText() const { return m_text; }

private:
    std::string m_text;
};
