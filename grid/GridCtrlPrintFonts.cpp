// The defaults of the print settings and document information, and the fonts
// of the page header and footer as "font" element text.
#include "grid/GridCtrl.h"

#include "cellcontent/FontElement.h"
#include "document/TemplateVersion.h"

#include <cstring>

void CGridCtrl::InitDevMode()
{
    m_PrintSettings.InitDevMode();
}

void CGridCtrl::InitHeaderFooterFonts()
{
    const LOGFONT* plf = GetGridLogFont();
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    if (plf != nullptr)
        lf = *plf;
    m_PrintSettings.InitHeaderFooterFonts(lf);
}

void CGridCtrl::InitPrintMargins()
{
    m_PrintSettings.InitPrintMargins();
}

void CGridCtrl::InitPrintOptions()
{
    m_PrintSettings.InitPrintOptions();
}

void CGridCtrl::InitPrintSettings()
{
    m_PrintSettings.InitPrintSettings();
}

void CGridCtrl::InitFileInfo()
{
    m_FileInfo.InitDefaults();
}

BOOL CGridCtrl::IsTemplateVersionAbove(LPCTSTR szVersion) const
{
    return ::IsTemplateVersionAbove(szVersion);
}

void CGridCtrl::SetHeaderFooterFont(HeaderFooterSet& set, int nSlot, LPCTSTR szFont)
{
    if (szFont == nullptr || *szFont == '\0')
        return;
    CFontElement element(szFont);
    element.GetLogFont(&set.entries[nSlot].logFont);
}

CString CGridCtrl::GetHeaderFooterFont(const HeaderFooterSet& set, int nSlot) const
{
    return CFontElement(set.entries[nSlot].logFont).GetText();
}

void CGridCtrl::SetHeaderLeftFont(LPCTSTR szFont)
{
    SetHeaderFooterFont(m_PrintSettings.m_header, HeaderFooterSet::Left, szFont);
}

void CGridCtrl::SetHeaderCenterFont(LPCTSTR szFont)
{
    SetHeaderFooterFont(m_PrintSettings.m_header, HeaderFooterSet::Center, szFont);
}

void CGridCtrl::SetHeaderRightFont(LPCTSTR szFont)
{
    SetHeaderFooterFont(m_PrintSettings.m_header, HeaderFooterSet::Right, szFont);
}

void CGridCtrl::SetFooterLeftFont(LPCTSTR szFont)
{
    SetHeaderFooterFont(m_PrintSettings.m_footer, HeaderFooterSet::Left, szFont);
}

void CGridCtrl::SetFooterCenterFont(LPCTSTR szFont)
{
    SetHeaderFooterFont(m_PrintSettings.m_footer, HeaderFooterSet::Center, szFont);
}

void CGridCtrl::SetFooterRightFont(LPCTSTR szFont)
{
    SetHeaderFooterFont(m_PrintSettings.m_footer, HeaderFooterSet::Right, szFont);
}

CString CGridCtrl::GetHeaderLeftFont()
{
    return GetHeaderFooterFont(m_PrintSettings.m_header, HeaderFooterSet::Left);
}

CString CGridCtrl::GetHeaderCenterFont()
{
    return GetHeaderFooterFont(m_PrintSettings.m_header, HeaderFooterSet::Center);
}

CString CGridCtrl::GetHeaderRightFont()
{
    return GetHeaderFooterFont(m_PrintSettings.m_header, HeaderFooterSet::Right);
}

CString CGridCtrl::GetFooterLeftFont()
{
    return GetHeaderFooterFont(m_PrintSettings.m_footer, HeaderFooterSet::Left);
}

CString CGridCtrl::GetFooterCenterFont()
{
    return GetHeaderFooterFont(m_PrintSettings.m_footer, HeaderFooterSet::Center);
}

CString CGridCtrl::GetFooterRightFont()
{
    return GetHeaderFooterFont(m_PrintSettings.m_footer, HeaderFooterSet::Right);
}
