// The default description of one cell control type that the automation side
// keeps: an attribute text ("control" element) and an element over it.
// A new description holds an empty text and an empty element.
#pragma once

#include "base/CString.h"
#include "cellcontent/XmlElement.h"

class CControlDescription {
public:
    CControlDescription() = default;
    virtual ~CControlDescription() = default;

    CString m_strText;
    CXmlElement m_xmlElement;
};
