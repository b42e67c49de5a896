// The recording printer of the host build (see HeadlessPrinter.h).
#include "platform/Printer.h"

#include "platform/DC.h"
#include "platform/headless/HeadlessInternal.h"
#include "platform/headless/HeadlessPrinter.h"

#include <cstring>

namespace {

struct PrinterState {
    std::vector<HeadlessPrinter::Installed> printers;
    CString strDefault;
    bool failCreate = false;
    bool failStartDoc = false;
    int failEndPage = 0;
    int driverAnswer = IDCANCEL;
    short driverOrientation = 0;
    HeadlessPrinter::JobRecord record;
};

PrinterState& P()
{
    static PrinterState state;
    return state;
}

const HeadlessPrinter::Installed* Find(const CString& strName)
{
    if (strName.IsEmpty())
        return nullptr;
    for (const auto& p : P().printers) {
        if (p.info.strName == strName)
            return &p;
    }
    return nullptr;
}

// What one job's device context knows.
struct JobState {
    PrinterMetrics metrics;
    int nPage = 0;             // pages started in the current document
    bool inDoc = false;
};

}  // namespace

namespace headless {
void ResetPrinter()
{
    HeadlessPrinter::Reset();
}
}  // namespace headless

namespace HeadlessPrinter {

Installed MakePrinter(const CString& strName)
{
    Installed p;
    p.info.strName = strName;
    p.info.strDriver = "Kivo Recorder";
    p.info.strPort = "FILE:";
    p.info.strComment = "";
    p.info.dwStatus = 0;
    std::memset(&p.defaultMode, 0, sizeof(p.defaultMode));
    std::strncpy(p.defaultMode.dmDeviceName, strName.GetString(), sizeof(p.defaultMode.dmDeviceName) - 1);
    p.defaultMode.dmSpecVersion = 0x401;
    p.defaultMode.dmSize = 156;
    p.defaultMode.dmFields = 0x0000FF0F;
    p.defaultMode.dmOrientation = 1;
    p.defaultMode.dmPaperSize = 9;
    p.defaultMode.dmPaperLength = 2970;
    p.defaultMode.dmPaperWidth = 2100;
    p.defaultMode.dmScale = 100;
    p.defaultMode.dmCopies = 1;
    p.defaultMode.dmDefaultSource = 7;
    p.defaultMode.dmPrintQuality = 300;
    p.defaultMode.dmColor = 2;
    p.defaultMode.dmDuplex = 1;
    p.defaultMode.dmYResolution = 300;
    p.defaultMode.dmTTOption = 1;
    p.defaultMode.dmCollate = 0;
    std::strcpy(p.defaultMode.dmFormName, "A4");
    p.papers = {{9, 2100, 2970, "A4"}, {8, 2970, 4200, "A3"}, {1, 2159, 2794, "Letter"}};
    p.bins = {{7, "Auto"}, {1, "Tray 1"}};
    return p;
}

void SetPrinters(const std::vector<Installed>& printers, const CString& strDefault)
{
    P().printers = printers;
    P().strDefault = strDefault;
}

void FailCreate(bool fail) { P().failCreate = fail; }
void FailStartDoc(bool fail) { P().failStartDoc = fail; }
void FailEndPage(int nPage) { P().failEndPage = nPage; }

const JobRecord& Record() { return P().record; }

void SetDriverDialogAnswer(int nAnswer, short nOrientation)
{
    P().driverAnswer = nAnswer;
    P().driverOrientation = nOrientation;
}

void Reset()
{
    P() = PrinterState();
}

}  // namespace HeadlessPrinter

namespace Printer {

std::vector<PrinterInfo> EnumPrinters()
{
    std::vector<PrinterInfo> list;
    for (const auto& p : P().printers)
        list.push_back(p.info);
    return list;
}

CString GetDefaultPrinterName()
{
    return Find(P().strDefault) != nullptr ? P().strDefault : CString();
}

BOOL GetPrinterInfo(const CString& strName, PrinterInfo& info)
{
    const HeadlessPrinter::Installed* p = Find(strName);
    if (p == nullptr)
        return FALSE;
    info = p->info;
    return TRUE;
}

BOOL GetDefaultMode(const CString& strName, PrintDevMode& mode)
{
    const HeadlessPrinter::Installed* p = Find(strName);
    if (p == nullptr)
        return FALSE;
    mode = p->defaultMode;
    return TRUE;
}

std::vector<PrinterPaper> GetPapers(const CString& strName, const CString&)
{
    const HeadlessPrinter::Installed* p = Find(strName);
    return p != nullptr ? p->papers : std::vector<PrinterPaper>();
}

std::vector<PrinterBin> GetBins(const CString& strName, const CString&)
{
    const HeadlessPrinter::Installed* p = Find(strName);
    return p != nullptr ? p->bins : std::vector<PrinterBin>();
}

int EditModeWithDriver(HWND, const CString& strName, PrintDevMode& mode)
{
    if (Find(strName) == nullptr)
        return -1;
    ++P().record.nDriverDialogs;
    if (P().driverAnswer == IDOK && P().driverOrientation != 0)
        mode.dmOrientation = P().driverOrientation;
    return P().driverAnswer;
}

}  // namespace Printer

CPrinterJob::CPrinterJob() = default;

CPrinterJob::~CPrinterJob()
{
    delete static_cast<JobState*>(m_pImpl);
}

BOOL CPrinterJob::Create(const CString& strPrinter, const CString&, const PrintDevMode& mode)
{
    if (m_pDC != nullptr || P().failCreate || Find(strPrinter) == nullptr)
        return FALSE;
    std::unique_ptr<CDC> pDC(new CDC);
    if (!pDC->CreateCompatibleDC(nullptr))
        return FALSE;
    pDC->m_bPrinting = TRUE;
    JobState* job = new JobState;
    int width = mode.dmPaperWidth > 0 ? mode.dmPaperWidth : 2100;
    int length = mode.dmPaperLength > 0 ? mode.dmPaperLength : 2970;
    if (mode.dmOrientation == 2)
        std::swap(width, length);
    job->metrics.nDpiX = job->metrics.nDpiY = HeadlessPrinter::kDpi;
    job->metrics.nOffsetX = job->metrics.nOffsetY = HeadlessPrinter::kOffset;
    // Tenths of a millimetre to dots, to the nearest dot.
    job->metrics.nPageWidth = (width * HeadlessPrinter::kDpi * 2 + 254) / 508;
    job->metrics.nPageHeight = (length * HeadlessPrinter::kDpi * 2 + 254) / 508;
    m_pImpl = job;
    m_pDC = std::move(pDC);
    P().record.strPrinter = strPrinter;
    P().record.mode = mode;
    ++P().record.nDCsMade;
    return TRUE;
}

PrinterMetrics CPrinterJob::GetMetrics() const
{
    return m_pImpl != nullptr ? static_cast<const JobState*>(m_pImpl)->metrics : PrinterMetrics();
}

int CPrinterJob::StartDoc(const CString& strDocName)
{
    JobState* job = static_cast<JobState*>(m_pImpl);
    if (job == nullptr || job->inDoc || P().failStartDoc)
        return -1;
    job->inDoc = true;
    job->nPage = 0;
    P().record.strDocName = strDocName;
    ++P().record.nDocsStarted;
    return 1;
}

int CPrinterJob::StartPage()
{
    JobState* job = static_cast<JobState*>(m_pImpl);
    if (job == nullptr || !job->inDoc)
        return -1;
    ++job->nPage;
    ++P().record.nPagesStarted;
    return 1;
}

int CPrinterJob::EndPage()
{
    JobState* job = static_cast<JobState*>(m_pImpl);
    if (job == nullptr || !job->inDoc)
        return -1;
    if (P().failEndPage != 0 && job->nPage == P().failEndPage)
        return -1;
    ++P().record.nPagesEnded;
    return 1;
}

int CPrinterJob::EndDoc()
{
    JobState* job = static_cast<JobState*>(m_pImpl);
    if (job == nullptr || !job->inDoc)
        return -1;
    job->inDoc = false;
    ++P().record.nDocsEnded;
    return 1;
}

int CPrinterJob::AbortDoc()
{
    JobState* job = static_cast<JobState*>(m_pImpl);
    if (job == nullptr || !job->inDoc)
        return -1;
    job->inDoc = false;
    ++P().record.nDocsAborted;
    return 1;
}
