// The one place where an element touches its device context: a value format
// that chooses a text colour sets it on the context it formats for.
#include "cellcontent/XmlElement.h"

#include "platform/DC.h"

void CXmlElement::ChooseColour(COLORREF colour)
{
    m_nChosenColour = static_cast<int>(colour);
    if (m_pDC != nullptr)
        m_pDC->SetTextColor(colour);
}
