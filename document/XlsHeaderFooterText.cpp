#include "document/XlsHeaderFooterText.h"

void XlsHeaderFooterText::AppendText(const std::string& text)
{
    for (char c : text) {
        m_text += c;
        if (c == '&')
            m_text += '&';
    }
}
