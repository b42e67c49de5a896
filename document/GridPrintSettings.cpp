#include "document/GridPrintSettings.h"

#include "base/Cp936.h"
#include "document/TemplateVersion.h"

#include <cstring>

int CGridPrintSettings::PrintTextCapacity(int nIndex)
{
    static const int kCapacities[kPrintTextCount] = {64, 256, 64, 64, 64, 64, 256, 256};
    return nIndex >= 0 && nIndex < kPrintTextCount ? kCapacities[nIndex] : 0;
}

CGridPrintSettings::CGridPrintSettings()
{
    std::memset(&m_layout, 0, sizeof(m_layout));
    std::memset(m_nPrintOptions, 0, sizeof(m_nPrintOptions));
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    InitHeaderFooterFonts(lf);
}

void CGridPrintSettings::InitHeaderFooterFonts(const LOGFONT& lf)
{
    for (HeaderFooterEntry& entry : m_header.entries)
        entry.logFont = lf;
    for (HeaderFooterEntry& entry : m_footer.entries)
        entry.logFont = lf;
}

void CGridPrintSettings::InitPrintMargins()
{
    m_layout.nMarginLeft = 20;
    m_layout.nMarginTop = 20;
    m_layout.nMarginRight = 20;
    m_layout.nMarginBottom = 20;
    m_layout.nHeaderDistance = 12;
    m_layout.nFooterDistance = 12;
    m_nPrintOptions[4] = 0;
    m_nPrintOptions[5] = 0;
}

void CGridPrintSettings::InitPrintOptions()
{
    m_nPrintOptions[1] = 1;
    m_nPrintOptions[2] = 1;
    m_nPrintOptions[3] = 0;
}

void CGridPrintSettings::InitPrintSettings()
{
    m_strPrinterName.Empty();
    m_strDriverName.Empty();
    m_strPortName.Empty();
    for (CString& text : m_strPrintTexts)
        text.Empty();
    m_strFileVersion = GetTemplateWriterVersion();
    m_nAfterPortA = 0;
    m_nAfterPortB = 1;
    m_nAfterPortC = 0;
    m_dPrintScale = 1.0;
}

void CGridPrintSettings::InitDevMode()
{
    m_pDevMode = std::make_unique<PrintDevMode>();
    InitPrintDevMode(m_pDevMode.get());
}

CString CGridPrintSettings::CutToField(LPCTSTR szText, int nCapacity)
{
    if (szText == nullptr || nCapacity <= 1)
        return CString();
    int length = static_cast<int>(std::strlen(szText));
    int keep = 0;
    while (keep < length) {
        int next = cp936::NextChar(szText, length, keep);
        if (next > nCapacity - 1)
            break;
        keep = next;
    }
    return CString(szText, keep);
}
