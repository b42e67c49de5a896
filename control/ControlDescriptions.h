// The default descriptions the automation objects start from: the attribute
// text of a new cell-control object of each control type ("control"
// element) and of a new font object ("font" element), each with the element
// parsed from it.
#pragma once

#include "base/CString.h"
#include "cellcontent/ControlDescription.h"
#include "cellcontent/FontElement.h"

// A description whose text is `text`, parsed as a "control" element.
class CControlTypeDescription : public CControlDescription {
protected:
    explicit CControlTypeDescription(const char* text);
};

// <control controltype="button" ></control>
class CButtonDescription : public CControlTypeDescription {
public:
    CButtonDescription();
};

// <control controltype="checkbox" ></control>
class CCheckBoxDescription : public CControlTypeDescription {
public:
    CCheckBoxDescription();
};

// <control controltype="combobox" ></control>
class CComboBoxDescription : public CControlTypeDescription {
public:
    CComboBoxDescription();

protected:
    explicit CComboBoxDescription(const char* text);
};

// <control controltype="combocheck" ></control>
class CComboCheckDescription : public CComboBoxDescription {
public:
    CComboCheckDescription();
};

// <control controltype="datetime" ></control>
class CDateTimeDescription : public CControlTypeDescription {
public:
    CDateTimeDescription();
};

// <control controltype="image" ></control>
class CImageDescription : public CControlTypeDescription {
public:
    CImageDescription();
};

// <control controltype="numeric" ></control>
class CNumericDescription : public CControlTypeDescription {
public:
    CNumericDescription();
};

// <control controltype="url" ></control>
class CURLDescription : public CControlTypeDescription {
public:
    CURLDescription();
};

// The font text of a font object and its parsed element, starting as
// <font charset="1" ></font>.
class CFontDescription {
public:
    static const char kInitialText[];

    CFontDescription();

    // The text with every attribute change made so far.
    const CString& GetText() const { return m_fontElement.GetXmlText(); }
    // Replaces the text and parses it afresh as a "font" element (nothing of
    // the former text's attributes stays).
    void SetText(const CString& text);

    // Attribute reads and writes on the element (and so on the text).
    CString GetAttribute(const char* name) const { return m_fontElement.GetAttribute(name); }
    short SetAttribute(const char* name, const CString& value) { return m_fontElement.SetAttribute(name, value); }

private:
    CFontElement m_fontElement;
};
