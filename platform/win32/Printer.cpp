// The printer service on Windows: the spooler's printer records, the
// driver's modes and capabilities, and a printer device context.
#include "platform/Printer.h"

#include "platform/DC.h"

#include <windows.h>
#include <winspool.h>

// The spooler's header maps EnumPrinters to its ANSI entry; the service's own
// function keeps its portable name (the portable header sees no spooler).
#undef EnumPrinters

#include <cstring>
#include <vector>

namespace {

CString Text(const char* sz)
{
    return sz != nullptr ? CString(sz) : CString();
}

// The printer's own mode record in the driver's full size; empty on failure.
std::vector<BYTE> DriverMode(HANDLE hPrinter, const CString& strName)
{
    std::vector<BYTE> bytes;
    LPSTR name = const_cast<LPSTR>(strName.GetString());
    const LONG size = ::DocumentPropertiesA(nullptr, hPrinter, name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEA)))
        return bytes;
    bytes.assign(static_cast<size_t>(size), 0);
    if (::DocumentPropertiesA(nullptr, hPrinter, name, reinterpret_cast<DEVMODEA*>(bytes.data()), nullptr,
                              DM_OUT_BUFFER) != IDOK)
        bytes.clear();
    return bytes;
}

void ToPrintMode(const DEVMODEA& dm, PrintDevMode& mode)
{
    std::memset(&mode, 0, sizeof(mode));
    std::memcpy(mode.dmDeviceName, dm.dmDeviceName, sizeof(mode.dmDeviceName));
    mode.dmDeviceName[sizeof(mode.dmDeviceName) - 1] = '\0';
    mode.dmSpecVersion = dm.dmSpecVersion;
    mode.dmDriverVersion = dm.dmDriverVersion;
    mode.dmSize = dm.dmSize;
    mode.dmDriverExtra = dm.dmDriverExtra;
    mode.dmFields = dm.dmFields;
    mode.dmOrientation = dm.dmOrientation;
    mode.dmPaperSize = dm.dmPaperSize;
    mode.dmPaperLength = dm.dmPaperLength;
    mode.dmPaperWidth = dm.dmPaperWidth;
    mode.dmScale = dm.dmScale;
    mode.dmCopies = dm.dmCopies;
    mode.dmDefaultSource = dm.dmDefaultSource;
    mode.dmPrintQuality = dm.dmPrintQuality;
    mode.dmColor = dm.dmColor;
    mode.dmDuplex = dm.dmDuplex;
    mode.dmYResolution = dm.dmYResolution;
    mode.dmTTOption = dm.dmTTOption;
    mode.dmCollate = dm.dmCollate;
    std::memcpy(mode.dmFormName, dm.dmFormName, sizeof(mode.dmFormName));
    mode.dmFormName[sizeof(mode.dmFormName) - 1] = '\0';
    mode.dmLogPixels = dm.dmLogPixels;
    mode.dmBitsPerPel = dm.dmBitsPerPel;
    mode.dmPelsWidth = dm.dmPelsWidth;
    mode.dmPelsHeight = dm.dmPelsHeight;
    mode.dmDisplayFlags = dm.dmDisplayFlags;
    mode.dmDisplayFrequency = dm.dmDisplayFrequency;
}

// Writes the fields the system stores into the driver's record and marks
// the ones it sets.
void FromPrintMode(const PrintDevMode& mode, DEVMODEA& dm)
{
    dm.dmFields &= ~static_cast<DWORD>(DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE |
                                       DM_COPIES | DM_DEFAULTSOURCE | DM_COLLATE);
    auto set = [&](short value, short& field, DWORD bit) {
        if (value > 0) {
            field = value;
            dm.dmFields |= bit;
        }
    };
    set(mode.dmOrientation, dm.dmOrientation, DM_ORIENTATION);
    set(mode.dmPaperSize, dm.dmPaperSize, DM_PAPERSIZE);
    if (mode.dmPaperWidth > 0 && mode.dmPaperLength > 0) {
        dm.dmPaperWidth = mode.dmPaperWidth;
        dm.dmPaperLength = mode.dmPaperLength;
        dm.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
    }
    set(mode.dmScale, dm.dmScale, DM_SCALE);
    set(mode.dmCopies, dm.dmCopies, DM_COPIES);
    set(mode.dmDefaultSource, dm.dmDefaultSource, DM_DEFAULTSOURCE);
    if (mode.dmCollate >= 0) {
        dm.dmCollate = mode.dmCollate;
        dm.dmFields |= DM_COLLATE;
    }
}

struct PrinterHandle {
    HANDLE h = nullptr;
    explicit PrinterHandle(const CString& strName)
    {
        if (!strName.IsEmpty() && Printer::NameFits(strName))
            ::OpenPrinterA(const_cast<LPSTR>(strName.GetString()), &h, nullptr);
    }
    ~PrinterHandle()
    {
        if (h != nullptr)
            ::ClosePrinter(h);
    }
};

}  // namespace

namespace Printer {

std::vector<PrinterInfo> EnumPrinters()
{
    std::vector<PrinterInfo> list;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return list;
    std::vector<BYTE> buffer(needed);
    if (!::EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count))
        return list;
    const PRINTER_INFO_2A* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        PrinterInfo info;
        info.strName = Text(records[i].pPrinterName);
        info.strDriver = Text(records[i].pDriverName);
        info.strPort = Text(records[i].pPortName);
        info.strComment = Text(records[i].pComment);
        info.dwStatus = records[i].Status;
        list.push_back(info);
    }
    return list;
}

CString GetDefaultPrinterName()
{
    char name[512] = {0};
    DWORD size = sizeof(name);
    if (!::GetDefaultPrinterA(name, &size))
        return CString();
    return CString(name);
}

BOOL GetPrinterInfo(const CString& strName, PrinterInfo& info)
{
    PrinterHandle printer(strName);
    if (printer.h == nullptr)
        return FALSE;
    DWORD needed = 0;
    ::GetPrinterA(printer.h, 2, nullptr, 0, &needed);
    if (needed == 0)
        return FALSE;
    std::vector<BYTE> buffer(needed);
    if (!::GetPrinterA(printer.h, 2, buffer.data(), needed, &needed))
        return FALSE;
    const PRINTER_INFO_2A* record = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    info.strName = Text(record->pPrinterName);
    info.strDriver = Text(record->pDriverName);
    info.strPort = Text(record->pPortName);
    info.strComment = Text(record->pComment);
    info.dwStatus = record->Status;
    return TRUE;
}

BOOL GetDefaultMode(const CString& strName, PrintDevMode& mode)
{
    PrinterHandle printer(strName);
    if (printer.h == nullptr)
        return FALSE;
    std::vector<BYTE> bytes = DriverMode(printer.h, strName);
    if (bytes.empty())
        return FALSE;
    ToPrintMode(*reinterpret_cast<const DEVMODEA*>(bytes.data()), mode);
    return TRUE;
}

std::vector<PrinterPaper> GetPapers(const CString& strName, const CString& strPort)
{
    std::vector<PrinterPaper> papers;
    if (!NameFits(strName) || !NameFits(strPort))
        return papers;
    LPCSTR name = strName.GetString();
    LPCSTR port = strPort.IsEmpty() ? nullptr : strPort.GetString();
    const int count = ::DeviceCapabilitiesA(name, port, DC_PAPERS, nullptr, nullptr);
    if (count <= 0 || count > 4096)
        return papers;
    std::vector<WORD> numbers(static_cast<size_t>(count));
    std::vector<POINT> sizes(static_cast<size_t>(count));
    std::vector<char> names(static_cast<size_t>(count) * 64 + 64, 0);
    if (::DeviceCapabilitiesA(name, port, DC_PAPERS, reinterpret_cast<LPSTR>(numbers.data()), nullptr) != count)
        return papers;
    const bool haveSizes =
        ::DeviceCapabilitiesA(name, port, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr) == count;
    const bool haveNames = ::DeviceCapabilitiesA(name, port, DC_PAPERNAMES, names.data(), nullptr) == count;
    for (int i = 0; i < count; ++i) {
        PrinterPaper paper;
        paper.nNumber = static_cast<short>(numbers[static_cast<size_t>(i)]);
        if (haveSizes) {
            paper.nWidth = static_cast<short>(sizes[static_cast<size_t>(i)].x);
            paper.nLength = static_cast<short>(sizes[static_cast<size_t>(i)].y);
        }
        if (haveNames) {
            char one[65] = {0};
            std::memcpy(one, &names[static_cast<size_t>(i) * 64], 64);
            paper.strName = one;
        }
        papers.push_back(paper);
    }
    return papers;
}

std::vector<PrinterBin> GetBins(const CString& strName, const CString& strPort)
{
    std::vector<PrinterBin> bins;
    if (!NameFits(strName) || !NameFits(strPort))
        return bins;
    LPCSTR name = strName.GetString();
    LPCSTR port = strPort.IsEmpty() ? nullptr : strPort.GetString();
    const int count = ::DeviceCapabilitiesA(name, port, DC_BINS, nullptr, nullptr);
    if (count <= 0 || count > 1024)
        return bins;
    std::vector<WORD> numbers(static_cast<size_t>(count));
    std::vector<char> names(static_cast<size_t>(count) * 24 + 24, 0);
    if (::DeviceCapabilitiesA(name, port, DC_BINS, reinterpret_cast<LPSTR>(numbers.data()), nullptr) != count)
        return bins;
    const bool haveNames = ::DeviceCapabilitiesA(name, port, DC_BINNAMES, names.data(), nullptr) == count;
    for (int i = 0; i < count; ++i) {
        PrinterBin bin;
        bin.nNumber = static_cast<short>(numbers[static_cast<size_t>(i)]);
        if (haveNames) {
            char one[25] = {0};
            std::memcpy(one, &names[static_cast<size_t>(i) * 24], 24);
            bin.strName = one;
        }
        bins.push_back(bin);
    }
    return bins;
}

int EditModeWithDriver(HWND hwndParent, const CString& strName, PrintDevMode& mode)
{
    PrinterHandle printer(strName);
    if (printer.h == nullptr)
        return -1;
    std::vector<BYTE> bytes = DriverMode(printer.h, strName);
    if (bytes.empty())
        return -1;
    DEVMODEA* dm = reinterpret_cast<DEVMODEA*>(bytes.data());
    FromPrintMode(mode, *dm);
    std::vector<BYTE> out(bytes.size(), 0);
    const LONG answer =
        ::DocumentPropertiesA(hwndParent, printer.h, const_cast<LPSTR>(strName.GetString()),
                              reinterpret_cast<DEVMODEA*>(out.data()), dm, DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT);
    if (answer != IDOK)
        return answer == IDCANCEL ? IDCANCEL : -1;
    ToPrintMode(*reinterpret_cast<const DEVMODEA*>(out.data()), mode);
    return IDOK;
}

}  // namespace Printer

CPrinterJob::CPrinterJob() = default;

CPrinterJob::~CPrinterJob() = default;

BOOL CPrinterJob::Create(const CString& strPrinter, const CString& strDriver, const PrintDevMode& mode)
{
    if (m_pDC != nullptr)
        return FALSE;
    PrinterHandle printer(strPrinter);
    if (printer.h == nullptr)
        return FALSE;
    std::vector<BYTE> bytes = DriverMode(printer.h, strPrinter);
    DEVMODEA* pMode = nullptr;
    std::vector<BYTE> validated;
    if (!bytes.empty()) {
        DEVMODEA* dm = reinterpret_cast<DEVMODEA*>(bytes.data());
        FromPrintMode(mode, *dm);
        validated.assign(bytes.size(), 0);
        if (::DocumentPropertiesA(nullptr, printer.h, const_cast<LPSTR>(strPrinter.GetString()),
                                  reinterpret_cast<DEVMODEA*>(validated.data()), dm,
                                  DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK)
            pMode = reinterpret_cast<DEVMODEA*>(validated.data());
        else
            pMode = dm;
    }
    HDC hdc = ::CreateDCA(strDriver.IsEmpty() ? nullptr : strDriver.GetString(), strPrinter.GetString(), nullptr,
                          pMode);
    if (hdc == nullptr && !strDriver.IsEmpty())
        hdc = ::CreateDCA(nullptr, strPrinter.GetString(), nullptr, pMode);
    if (hdc == nullptr)
        return FALSE;
    std::unique_ptr<CDC> pDC(new CDC);
    pDC->Attach(hdc);
    pDC->m_bPrinting = TRUE;
    m_pDC = std::move(pDC);
    return TRUE;
}

PrinterMetrics CPrinterJob::GetMetrics() const
{
    PrinterMetrics m;
    if (m_pDC == nullptr)
        return m;
    HDC hdc = m_pDC->GetSafeHdc();
    m.nDpiX = ::GetDeviceCaps(hdc, LOGPIXELSX);
    m.nDpiY = ::GetDeviceCaps(hdc, LOGPIXELSY);
    m.nOffsetX = ::GetDeviceCaps(hdc, PHYSICALOFFSETX);
    m.nOffsetY = ::GetDeviceCaps(hdc, PHYSICALOFFSETY);
    m.nPageWidth = ::GetDeviceCaps(hdc, PHYSICALWIDTH);
    m.nPageHeight = ::GetDeviceCaps(hdc, PHYSICALHEIGHT);
    return m;
}

int CPrinterJob::StartDoc(const CString& strDocName)
{
    if (m_pDC == nullptr)
        return -1;
    DOCINFOA info;
    std::memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.lpszDocName = strDocName.GetString();
    return ::StartDocA(m_pDC->GetSafeHdc(), &info);
}

int CPrinterJob::StartPage()
{
    return m_pDC != nullptr ? ::StartPage(m_pDC->GetSafeHdc()) : -1;
}

int CPrinterJob::EndPage()
{
    return m_pDC != nullptr ? ::EndPage(m_pDC->GetSafeHdc()) : -1;
}

int CPrinterJob::EndDoc()
{
    return m_pDC != nullptr ? ::EndDoc(m_pDC->GetSafeHdc()) : -1;
}

int CPrinterJob::AbortDoc()
{
    return m_pDC != nullptr ? ::AbortDoc(m_pDC->GetSafeHdc()) : -1;
}
