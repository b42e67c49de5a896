// The printer service: the installed printers (level-2 records), the default
// printer, a printer's own default mode, its papers and bins, and a printer
// device context with the document calls.
//
// Windows goes through the spooler. The host build has a recording printer
// (platform/headless/HeadlessPrinter.h): its list is set by the test and can be
// empty, each call can be made to fail, and it counts documents and pages and
// records the drawing like any other host DC.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "platform/PrinterMode.h"

#include <memory>
#include <vector>

class CDC;

// One installed printer, as the spooler's level-2 record names it.
struct PrinterInfo {
    CString strName;
    CString strDriver;
    CString strPort;
    CString strComment;
    DWORD dwStatus = 0;       // 0: ready
};

// One paper a printer offers; sizes in tenths of a millimetre (portrait).
struct PrinterPaper {
    short nNumber = 0;
    short nWidth = 0;
    short nLength = 0;
    CString strName;
};

// One paper source (bin).
struct PrinterBin {
    short nNumber = 0;
    CString strName;
};

// What a printer device context measures.
struct PrinterMetrics {
    int nDpiX = 0;            // device units per inch
    int nDpiY = 0;
    int nOffsetX = 0;         // the unprintable border (device units)
    int nOffsetY = 0;
    int nPageWidth = 0;       // the whole physical page (device units)
    int nPageHeight = 0;
};

namespace Printer {

// The longest printer name the printer calls are given (bytes, without the
// NUL): the name field of the sheet's print settings holds 128 bytes. A
// longer name is no printer; every call below refuses it before the spooler
// sees it.
const int kMaxNameLength = 127;
inline bool NameFits(const CString& strName)
{
    return strName.GetLength() <= kMaxNameLength;
}

// The local and connected printers; empty when none is installed.
std::vector<PrinterInfo> EnumPrinters();
// The default printer's name; empty when there is none.
CString GetDefaultPrinterName();
// The printer's level-2 record; FALSE for an empty name or a printer that
// cannot be opened.
BOOL GetPrinterInfo(const CString& strName, PrinterInfo& info);
// The printer's own default mode; FALSE when it cannot be opened.
BOOL GetDefaultMode(const CString& strName, PrintDevMode& mode);
// The printer's papers and bins (empty when it cannot be asked).
std::vector<PrinterPaper> GetPapers(const CString& strName, const CString& strPort);
std::vector<PrinterBin> GetBins(const CString& strName, const CString& strPort);
// Lets the printer's driver show its own document-properties dialog on mode
// (in and out). IDOK when the user confirmed, IDCANCEL, or -1 on failure.
int EditModeWithDriver(HWND hwndParent, const CString& strName, PrintDevMode& mode);

}  // namespace Printer

// A printer device context for one print or preview run, made from a
// printer's name and a merged mode. The document calls answer > 0 on success.
class CPrinterJob {
public:
    CPrinterJob();
    ~CPrinterJob();
    CPrinterJob(const CPrinterJob&) = delete;
    CPrinterJob& operator=(const CPrinterJob&) = delete;

    // Makes the device context; FALSE when the printer gives none.
    BOOL Create(const CString& strPrinter, const CString& strDriver, const PrintDevMode& mode);
    BOOL IsCreated() const { return m_pDC != nullptr; }
    CDC* GetDC() const { return m_pDC.get(); }
    PrinterMetrics GetMetrics() const;

    int StartDoc(const CString& strDocName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

private:
    std::unique_ptr<CDC> m_pDC;
    void* m_pImpl = nullptr;   // the platform's own state
};
