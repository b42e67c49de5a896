#include "control/ControlDescriptions.h"

namespace {
const char kControlElement[] = "control";
}  // namespace

CControlTypeDescription::CControlTypeDescription(const char* text)
{
    m_strText = text;
    m_xmlElement.SetText(m_strText, kControlElement);
}

CButtonDescription::CButtonDescription() : CControlTypeDescription("<control controltype=\"button\" ></control>") {}

CCheckBoxDescription::CCheckBoxDescription()
    : CControlTypeDescription("<control controltype=\"checkbox\" ></control>")
{
}

CComboBoxDescription::CComboBoxDescription()
    : CControlTypeDescription("<control controltype=\"combobox\" ></control>")
{
}

CComboBoxDescription::CComboBoxDescription(const char* text) : CControlTypeDescription(text) {}

CComboCheckDescription::CComboCheckDescription()
    : CComboBoxDescription("<control controltype=\"combocheck\" ></control>")
{
}

CDateTimeDescription::CDateTimeDescription()
    : CControlTypeDescription("<control controltype=\"datetime\" ></control>")
{
}

CImageDescription::CImageDescription() : CControlTypeDescription("<control controltype=\"image\" ></control>") {}

CNumericDescription::CNumericDescription()
    : CControlTypeDescription("<control controltype=\"numeric\" ></control>")
{
}

CURLDescription::CURLDescription() : CControlTypeDescription("<control controltype=\"url\" ></control>") {}

const char CFontDescription::kInitialText[] = "<font charset=\"1\" ></font>";

CFontDescription::CFontDescription() : m_fontElement(kInitialText) {}

void CFontDescription::SetText(const CString& text)
{
    // A fresh element: parsing into the old one would keep its attributes
    // ahead of the new text's.
    m_fontElement = CFontElement(text);
}
