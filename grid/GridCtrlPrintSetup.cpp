// The sheet's printer: choosing and loading it, merging the stored mode with
// the printer's own, making the device context, and the settings the print
// members set one by one; the header and footer field codes.
#include "grid/GridCtrl.h"

#include "base/DateTime.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

const char kPrinterMissing[] =
    "文件中设定的打印无法找到,系统启用默认打印机后,仍然无法创建,请确认并查找原因.";

// Copies a text into a fixed name field, cut at a character boundary.
void CopyToField(char* dest, size_t size, const CString& strText)
{
    const CString cut = CGridPrintSettings::CutToField(strText.GetString(), static_cast<int>(size));
    std::memset(dest, 0, size);
    std::memcpy(dest, cut.GetString(), static_cast<size_t>(cut.GetLength()));
}

// A name the printer calls can be given: not empty, and short enough for the
// printer-name field (a longer one names no printer and is refused before
// any call, however long it is).
bool IsPrinterNameUsable(LPCTSTR szPrinter)
{
    if (szPrinter == nullptr || *szPrinter == '\0')
        return false;
    static_assert(Printer::kMaxNameLength + 1 == CGridPrintSettings::kPrinterNameSize,
                  "the printer calls take what the printer-name field holds");
    for (int n = 0; n <= Printer::kMaxNameLength; ++n) {
        if (szPrinter[n] == '\0')
            return true;
    }
    return false;
}

}  // namespace

int MillimetresToUnits(double dMillimetres, int nDpi)
{
    return static_cast<int>(std::lround(dMillimetres * nDpi / 25.4));
}

int TenthsMmToUnits(int nTenths, int nDpi)
{
    return static_cast<int>(std::lround(nTenths * static_cast<double>(nDpi) / 254.0));
}

BOOL CGridCtrl::LoadPrinterInfo(LPCTSTR szPrinter)
{
    if (!IsPrinterNameUsable(szPrinter))
        return FALSE;
    PrinterInfo info;
    if (!Printer::GetPrinterInfo(CString(szPrinter), info))
        return FALSE;
    CGridPrintSettings& ps = m_PrintSettings;
    if (ps.m_pDevMode == nullptr)
        ps.InitDevMode();
    CopyToField(ps.m_pDevMode->dmDeviceName, sizeof(ps.m_pDevMode->dmDeviceName), info.strName);
    ps.m_strPrinterName = CGridPrintSettings::CutToField(info.strName, CGridPrintSettings::kPrinterNameSize);
    ps.m_strDriverName = CGridPrintSettings::CutToField(info.strDriver, CGridPrintSettings::kDriverNameSize);
    ps.m_strPortName = CGridPrintSettings::CutToField(info.strPort, CGridPrintSettings::kPortNameSize);
    m_arPrinterPapers = Printer::GetPapers(info.strName, info.strPort);
    // The custom size closes the list, with the stored paper's measures.
    PrinterPaper user;
    user.nNumber = 256;
    user.nWidth = ps.m_pDevMode->dmPaperWidth;
    user.nLength = ps.m_pDevMode->dmPaperLength;
    m_arPrinterPapers.push_back(user);
    return TRUE;
}

char CGridCtrl::GetDefaultPrinterName(char* szBuffer, int nLength)
{
    if (szBuffer == nullptr || nLength <= 0)
        return '\0';
    const CString name = CGridPrintSettings::CutToField(Printer::GetDefaultPrinterName(), nLength);
    std::memcpy(szBuffer, name.GetString(), static_cast<size_t>(name.GetLength()) + 1);
    return szBuffer[0];
}

BOOL CGridCtrl::MergePrinterDefaults()
{
    CGridPrintSettings& ps = m_PrintSettings;
    if (ps.m_pDevMode == nullptr)
        ps.InitDevMode();
    PrintDevMode printerMode;
    if (!Printer::GetDefaultMode(ps.m_strPrinterName, printerMode))
        return FALSE;
    *ps.m_pDevMode = MergePrintModes(*ps.m_pDevMode, printerMode);
    return TRUE;
}

BOOL CGridCtrl::ResolvePrinter(LPCTSTR szNoPrinterText)
{
    CGridPrintSettings& ps = m_PrintSettings;
    if (ps.m_pDevMode == nullptr)
        ps.InitDevMode();
    if (ps.m_nPrintOptions[0] == 1 || ps.m_pDevMode->dmDeviceName[0] == '\0') {
        if (ps.m_nPrintOptions[0] == 1 || ps.m_strPrinterName.IsEmpty()) {
            char name[CGridPrintSettings::kPrinterNameSize];
            if (GetDefaultPrinterName(name, sizeof(name)) != '\0')
                LoadPrinterInfo(name);
        }
        if (ps.m_strPrinterName.IsEmpty() || !IsPrinterAvailable(ps.m_strPrinterName)) {
            PlatformMessageBox(GetSafeHwnd(), szNoPrinterText, "提示", MB_ICONQUESTION);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CGridCtrl::CreatePrinterDC(CPrinterJob& job)
{
    CGridPrintSettings& ps = m_PrintSettings;
    if (ps.m_pDevMode == nullptr || ps.m_strPrinterName.IsEmpty())
        return FALSE;
    if (!IsPrinterAvailable(ps.m_strPrinterName)) {
        char name[CGridPrintSettings::kPrinterNameSize];
        if (GetDefaultPrinterName(name, sizeof(name)) == '\0' || !LoadPrinterInfo(name)) {
            PlatformMessageBox(GetSafeHwnd(), kPrinterMissing, "提示", MB_ICONQUESTION);
            return FALSE;
        }
    }
    PrintDevMode printerMode;
    if (!Printer::GetDefaultMode(ps.m_strPrinterName, printerMode))
        return FALSE;
    PrintDevMode merged = MergePrintModes(*ps.m_pDevMode, printerMode);
    if (ps.m_pDevMode->dmPaperSize == 256) {
        // A custom size: the measures are the stored ones (the last entry of
        // the paper list); the driver keeps its own paper number unless it
        // lists the custom size itself.
        bool listed = false;
        for (size_t i = 0; i + 1 < m_arPrinterPapers.size(); ++i)
            listed = listed || m_arPrinterPapers[i].nNumber == 256;
        if (!listed)
            merged.dmPaperSize = printerMode.dmPaperSize;
        merged.dmPaperWidth = ps.m_pDevMode->dmPaperWidth;
        merged.dmPaperLength = ps.m_pDevMode->dmPaperLength;
    }
    const PrintDevMode& stored = *ps.m_pDevMode;
    if (stored.dmPaperSize != -1 && stored.dmPaperSize != 256 &&
        (stored.dmPaperWidth <= 0 || stored.dmPaperLength <= 0)) {
        // A paper number without measures: the driver goes by the number,
        // never by the measures of its own default paper.
        merged.dmPaperWidth = 0;
        merged.dmPaperLength = 0;
        merged.dmFields &= ~static_cast<DWORD>(0x4 | 0x8);
        for (const PrinterPaper& paper : m_arPrinterPapers) {
            if (paper.nNumber == stored.dmPaperSize && paper.nWidth > 0 && paper.nLength > 0) {
                merged.dmPaperWidth = paper.nWidth;
                merged.dmPaperLength = paper.nLength;
                break;
            }
        }
    }
    // Stored measures describe the page as it lies; a driver takes the paper
    // upright and turns it itself for landscape.
    if (merged.dmOrientation == 2 && merged.dmPaperWidth > merged.dmPaperLength && merged.dmPaperLength > 0)
        std::swap(merged.dmPaperWidth, merged.dmPaperLength);
    return job.Create(ps.m_strPrinterName, ps.m_strDriverName, merged);
}

CString CGridCtrl::GetPrinterName() const
{
    return m_PrintSettings.m_strPrinterName;
}

BOOL CGridCtrl::IsPrinterAvailable(LPCTSTR szPrinter) const
{
    if (!IsPrinterNameUsable(szPrinter))
        return FALSE;
    PrinterInfo info;
    return Printer::GetPrinterInfo(CString(szPrinter), info);
}

void CGridCtrl::SetPrintOrientation(short nValue)
{
    if (m_PrintSettings.m_pDevMode == nullptr)
        m_PrintSettings.InitDevMode();
    PrintDevMode& mode = *m_PrintSettings.m_pDevMode;
    const short old = mode.dmOrientation;
    mode.dmOrientation = nValue;
    // The stored measures describe the page as it lies: turning the paper
    // turns them, so that the layout and the paper agree.
    if (mode.dmPaperWidth <= 0 || mode.dmPaperLength <= 0)
        return;
    const bool turnToLandscape = nValue == 2 && mode.dmPaperWidth < mode.dmPaperLength;
    const bool turnToPortrait = nValue == 1 && old == 2 && mode.dmPaperWidth > mode.dmPaperLength;
    if (turnToLandscape || turnToPortrait)
        std::swap(mode.dmPaperWidth, mode.dmPaperLength);
}

void CGridCtrl::SetPrintCopies(short nValue)
{
    if (m_PrintSettings.m_pDevMode == nullptr)
        m_PrintSettings.InitDevMode();
    m_PrintSettings.m_pDevMode->dmCopies = nValue;
}

void CGridCtrl::SetPrintCollate(short nValue)
{
    if (m_PrintSettings.m_pDevMode == nullptr)
        m_PrintSettings.InitDevMode();
    m_PrintSettings.m_pDevMode->dmCollate = nValue;
}

BOOL CGridCtrl::GetPrintOption(int nIndex) const
{
    if (nIndex < 0 || nIndex >= CGridPrintSettings::kPrintOptionCount)
        return FALSE;
    return m_PrintSettings.m_nPrintOptions[nIndex] != 0 ? TRUE : FALSE;
}

void CGridCtrl::SetPrintOption(int nIndex, BOOL bOn)
{
    if (nIndex < 0 || nIndex >= CGridPrintSettings::kPrintOptionCount)
        return;
    m_PrintSettings.m_nPrintOptions[nIndex] = bOn ? 1 : 0;
    if (nIndex == 3)
        m_bPrintGridLines = bOn ? TRUE : FALSE;
}

CString CGridCtrl::ExpandHeaderFooterFields(const CString& strText, int nPage) const
{
    CString result = strText;
    CString value;
    value.Format("%d", m_PrintState.PageCount());
    result.Replace("&[总页数]", value);
    value.Format("%d", nPage + 1);
    result.Replace("&[页码]", value);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    value.Format("%.4d-%.2d-%.2d", now.GetYear(), now.GetMonth(), now.GetDay());
    result.Replace("&[日期]", value);
    value.Format("%.2d:%.2d", now.GetHour(), now.GetMinute());
    result.Replace("&[时间]", value);
    return result;
}
