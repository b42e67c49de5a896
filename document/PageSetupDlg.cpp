// The page set-up dialog's rules: see PageSetupDlg.h.
#include "document/PageSetupDlg.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"
#include "document/PrintDevMode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// Mode fields the page writes.
const DWORD kFieldOrientation = 0x1;
const DWORD kFieldPaperSize = 0x2;
const DWORD kFieldPaperLength = 0x4;
const DWORD kFieldPaperWidth = 0x8;
const DWORD kFieldCopies = 0x100;
const DWORD kFieldDefaultSource = 0x200;
const DWORD kFieldCollate = 0x8000;

PageSetupRunner g_runner = nullptr;

// The offset itself when it starts a character of text, else the start of
// the character it falls in; clamped to the text.
int CharStart(const CString& strText, int nOffset)
{
    const int length = strText.GetLength();
    if (nOffset <= 0)
        return 0;
    if (nOffset >= length)
        return length;
    int pos = 0;
    while (pos < length) {
        const int next = cp936::NextChar(strText.GetString(), length, pos);
        if (next > nOffset)
            return pos;
        pos = next;
    }
    return length;
}

}  // namespace

// ---- printer page ----

void CPageSetupPrinterPage::Init(PrintDevMode* pStored, CString* pPrinterName, CString* pDriverName)
{
    m_pStored = pStored;
    m_pPrinterName = pPrinterName;
    m_pDriverName = pDriverName;
    if (pStored != nullptr)
        m_working = *pStored;
    else
        InitPrintDevMode(&m_working);
    m_printerMode = m_working;
    m_range = RangeAll;
    m_bFirstPaperFill = true;
    m_printers = Printer::EnumPrinters();
    m_nPrinter = -1;
    if (pPrinterName != nullptr) {
        for (size_t i = 0; i < m_printers.size(); ++i) {
            if (m_printers[i].strName == *pPrinterName) {
                SelectPrinter(static_cast<int>(i));
                break;
            }
        }
    }
    ApplyStoredOptions();
}

void CPageSetupPrinterPage::SelectPrinter(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_printers.size()))
        return;
    m_nPrinter = nIndex;
    PrintDevMode mode;
    if (Printer::GetDefaultMode(m_printers[nIndex].strName, mode)) {
        m_printerMode = mode;
        m_nCurPaper = mode.dmPaperSize;
        m_nCurBin = mode.dmDefaultSource;
        m_bCollate = mode.dmCollate == 1;
        m_nCopies = mode.dmCopies > 0 ? mode.dmCopies : 1;
        m_bLandscape = mode.dmOrientation != 1;
    }
    FillPapers();
    FillBins();
}

void CPageSetupPrinterPage::ApplyStoredOptions()
{
    if (m_pStored == nullptr)
        return;
    const PrintDevMode& stored = *m_pStored;
    if (stored.dmCollate != -1)
        m_bCollate = stored.dmCollate == 1;
    if (stored.dmCopies != -1 && stored.dmCopies != 0)
        m_nCopies = static_cast<unsigned short>(stored.dmCopies);
    if (stored.dmOrientation != -1)
        m_bLandscape = stored.dmOrientation == 2;
    if (m_nPrinter < 0)
        return;
    // The stored settings override the printer's own, except what names the
    // printer and what the page itself shows.
    PrintDevMode merged = MergePrintModes(stored, m_printerMode);
    std::memcpy(merged.dmDeviceName, m_printerMode.dmDeviceName, sizeof(merged.dmDeviceName));
    merged.dmCopies = m_printerMode.dmCopies;
    merged.dmDefaultSource = m_printerMode.dmDefaultSource;
    merged.dmCollate = m_printerMode.dmCollate;
    m_printerMode = merged;
    ApplyChoices(m_printerMode);
}

CString CPageSetupPrinterPage::GetStatusText() const
{
    if (m_nPrinter < 0)
        return CString();
    return m_printers[m_nPrinter].dwStatus == 0 ? CString("正常") : CString("不正常");
}

CString CPageSetupPrinterPage::GetTypeText() const
{
    return m_nPrinter < 0 ? CString() : m_printers[m_nPrinter].strDriver;
}

CString CPageSetupPrinterPage::GetWhereText() const
{
    return m_nPrinter < 0 ? CString() : m_printers[m_nPrinter].strPort;
}

CString CPageSetupPrinterPage::GetCommentText() const
{
    return m_nPrinter < 0 ? CString() : m_printers[m_nPrinter].strComment;
}

void CPageSetupPrinterPage::FillPapers()
{
    m_papers.clear();
    const PrinterInfo& printer = m_printers[m_nPrinter];
    for (const PrinterPaper& p : Printer::GetPapers(printer.strName, printer.strPort)) {
        PaperEntry e;
        e.nNumber = p.nNumber;
        e.nWidth = p.nWidth;
        e.nLength = p.nLength;
        e.strName = p.strName;
        m_papers.push_back(e);
    }
    PaperEntry custom;
    custom.nNumber = kCustomPaper;
    custom.nWidth = 2100;
    custom.nLength = 2970;
    custom.strName = "自定义纸张";
    if (m_working.dmPaperSize == kCustomPaper && m_working.dmPaperWidth > 0 && m_working.dmPaperLength > 0) {
        // The stored sizes describe the page as it lies; the entry holds the
        // paper upright, as the printer's own entries do.
        const bool turned = m_working.dmOrientation == 2;
        custom.nWidth = turned ? m_working.dmPaperLength : m_working.dmPaperWidth;
        custom.nLength = turned ? m_working.dmPaperWidth : m_working.dmPaperLength;
    }
    m_papers.push_back(custom);

    if (m_bFirstPaperFill && m_working.dmPaperSize > 0)
        m_nCurPaper = m_working.dmPaperSize;
    m_bFirstPaperFill = false;
    m_nPaper = -1;
    // Some drivers number their own extra papers from 256 up; the sheet's
    // 256 is the custom entry.
    if (m_nCurPaper == kCustomPaper)
        m_nPaper = static_cast<int>(m_papers.size()) - 1;
    for (size_t i = 0; i < m_papers.size() && m_nPaper < 0; ++i) {
        if (m_papers[i].nNumber == m_nCurPaper)
            m_nPaper = static_cast<int>(i);
    }
    if (m_nPaper < 0)
        SelectPaper(0);
}

void CPageSetupPrinterPage::FillBins()
{
    const PrinterInfo& printer = m_printers[m_nPrinter];
    m_bins = Printer::GetBins(printer.strName, printer.strPort);
    m_nBin = -1;
    const short wanted = m_working.dmDefaultSource != -1 ? m_working.dmDefaultSource : m_nCurBin;
    for (size_t i = 0; i < m_bins.size() && m_nBin < 0; ++i) {
        if (m_bins[i].nNumber == wanted)
            m_nBin = static_cast<int>(i);
    }
    for (size_t i = 0; i < m_bins.size() && m_nBin < 0; ++i) {
        if (m_bins[i].nNumber == m_nCurBin)
            m_nBin = static_cast<int>(i);
    }
    if (m_nBin < 0 && !m_bins.empty())
        m_nBin = 0;
    if (m_nBin >= 0)
        m_nCurBin = m_bins[m_nBin].nNumber;
}

void CPageSetupPrinterPage::SelectPaper(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_papers.size()))
        return;
    m_nPaper = nIndex;
    m_nCurPaper = m_papers[nIndex].nNumber;
}

bool CPageSetupPrinterPage::IsSizeEditable() const
{
    return m_nPaper >= 0 && m_nPaper == static_cast<int>(m_papers.size()) - 1;
}

int CPageSetupPrinterPage::GetWidthText() const
{
    return m_nPaper >= 0 ? m_papers[m_nPaper].nWidth : 0;
}

int CPageSetupPrinterPage::GetHeightText() const
{
    return m_nPaper >= 0 ? m_papers[m_nPaper].nLength : 0;
}

void CPageSetupPrinterPage::SetCustomSize(int nWidth, int nHeight)
{
    if (!IsSizeEditable())
        return;
    // A size outside the record's 16-bit field is no size.
    auto fit = [](int n) { return static_cast<short>(n > 0 && n <= 32767 ? n : 0); };
    m_papers.back().nWidth = fit(nWidth);
    m_papers.back().nLength = fit(nHeight);
}

void CPageSetupPrinterPage::SelectBin(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_bins.size()))
        return;
    m_nBin = nIndex;
    m_nCurBin = m_bins[nIndex].nNumber;
}

CPageSetupPrinterPage::CollatePictures CPageSetupPrinterPage::GetCollatePictures() const
{
    CollatePictures p;
    if (m_bCollate) {
        p.nPicture258 = IDB_PS_COLLATE_ON_1;
        p.nPicture260 = IDB_PS_COLLATE_ON_2;
    } else {
        p.nPicture258 = IDB_PS_COLLATE_OFF_1;
        p.nPicture259 = IDB_PS_COLLATE_OFF_2;
        p.nPicture260 = IDB_PS_COLLATE_OFF_3;
    }
    return p;
}

void CPageSetupPrinterPage::ApplyChoices(PrintDevMode& mode) const
{
    mode.dmOrientation = m_bLandscape ? 2 : 1;
    mode.dmFields |= kFieldOrientation;
    if (m_nPaper >= 0) {
        const PaperEntry& e = m_papers[m_nPaper];
        if (e.nWidth > 0 && e.nLength > 0) {
            mode.dmPaperWidth = m_bLandscape ? e.nLength : e.nWidth;
            mode.dmPaperLength = m_bLandscape ? e.nWidth : e.nLength;
            mode.dmFields |= kFieldPaperWidth | kFieldPaperLength;
        }
        mode.dmPaperSize = m_nCurPaper;
        mode.dmFields |= kFieldPaperSize;
    }
    if (m_nBin >= 0) {
        mode.dmDefaultSource = m_nCurBin;
        mode.dmFields |= kFieldDefaultSource;
    }
    mode.dmCollate = m_bCollate ? 1 : 0;
    // The check takes up to 65535 copies; the mode's field is a signed
    // 16-bit count, so more than 32767 is stored as 32767 rather than read
    // back negative.
    mode.dmCopies = static_cast<short>(std::min(m_nCopies, 32767));
    mode.dmFields |= kFieldCollate | kFieldCopies;
}

PrintDevMode CPageSetupPrinterPage::GetModeForDriver() const
{
    PrintDevMode mode = m_printerMode;
    ApplyChoices(mode);
    return mode;
}

void CPageSetupPrinterPage::TakeDriverMode(const PrintDevMode& mode)
{
    m_printerMode = mode;
    m_nCurPaper = mode.dmPaperSize;
    m_nCurBin = mode.dmDefaultSource;
    m_bCollate = mode.dmCollate == 1;
    if (mode.dmCopies > 0)
        m_nCopies = mode.dmCopies;
    m_bLandscape = mode.dmOrientation == 2;
    // A paper number the driver hands back unchanged keeps the chosen entry:
    // the custom entry's 256 may be a paper of the driver's own as well, and
    // the driver only echoes what it was given.
    const bool unchanged = m_nPaper >= 0 && m_nPaper < static_cast<int>(m_papers.size()) &&
                           m_papers[static_cast<size_t>(m_nPaper)].nNumber == m_nCurPaper;
    for (size_t i = 0; i < m_papers.size() && !unchanged; ++i) {
        if (m_papers[i].nNumber == m_nCurPaper) {
            m_nPaper = static_cast<int>(i);
            break;
        }
    }
    for (size_t i = 0; i < m_bins.size(); ++i) {
        if (m_bins[i].nNumber == m_nCurBin) {
            m_nBin = static_cast<int>(i);
            break;
        }
    }
}

void CPageSetupPrinterPage::Save()
{
    PrintDevMode mode = m_printerMode;
    ApplyChoices(mode);
    if (m_pStored != nullptr)
        *m_pStored = mode;
    if (m_nPrinter < 0)
        return;
    if (m_pPrinterName != nullptr)
        *m_pPrinterName = CGridPrintSettings::CutToField(m_printers[m_nPrinter].strName.GetString(),
                                                         CGridPrintSettings::kPrinterNameSize);
    if (m_pDriverName != nullptr)
        *m_pDriverName = CGridPrintSettings::CutToField(m_printers[m_nPrinter].strDriver.GetString(),
                                                        CGridPrintSettings::kDriverNameSize);
}

// ---- header/footer page ----

void CPageSetupHeaderFooterPage::Init(HeaderFooterSet* pHeader, HeaderFooterSet* pFooter)
{
    m_pHeader = pHeader;
    m_pFooter = pFooter;
    for (int i = 0; i < HeaderFooterSet::SlotCount; ++i) {
        if (pHeader != nullptr) {
            m_texts[i] = pHeader->entries[i].strText;
            m_fonts[i] = pHeader->entries[i].logFont;
        }
        if (pFooter != nullptr) {
            m_texts[3 + i] = pFooter->entries[i].strText;
            m_fonts[3 + i] = pFooter->entries[i].logFont;
        }
    }
    m_nFocus = -1;
    m_nSelStart = m_nSelEnd = 0;
}

void CPageSetupHeaderFooterPage::RememberSelection(int nSlot, int nStart, int nEnd)
{
    if (nSlot < 0 || nSlot >= kSlotCount)
        return;
    m_nFocus = nSlot;
    m_nSelStart = nStart;
    m_nSelEnd = nEnd;
}

int CPageSetupHeaderFooterPage::InsertField(const char* szCode)
{
    if (m_nFocus < 0 || szCode == nullptr)
        return -1;
    CString& text = m_texts[m_nFocus];
    int start = m_nSelStart < m_nSelEnd ? m_nSelStart : m_nSelEnd;
    int end = m_nSelStart < m_nSelEnd ? m_nSelEnd : m_nSelStart;
    // Never half a character: the selection widens to whole characters.
    start = CharStart(text, start);
    const int endStart = CharStart(text, end);
    if (endStart < end)
        end = cp936::NextChar(text.GetString(), text.GetLength(), endStart);
    if (end > text.GetLength())
        end = text.GetLength();
    text = text.Left(start) + szCode + text.Mid(end);
    const int caret = start + static_cast<int>(std::strlen(szCode));
    m_nSelStart = m_nSelEnd = caret;
    return caret;
}

const char* CPageSetupHeaderFooterPage::FieldCodeOf(int nButton)
{
    switch (nButton) {
    case IDC_HF_PAGE: return "&[页码]";
    case IDC_HF_PAGES: return "&[总页数]";
    case IDC_HF_DATE: return "&[日期]";
    case IDC_HF_TIME: return "&[时间]";
    default: return nullptr;
    }
}

void CPageSetupHeaderFooterPage::Save()
{
    for (int i = 0; i < HeaderFooterSet::SlotCount; ++i) {
        if (m_pHeader != nullptr) {
            m_pHeader->entries[i].strText = m_texts[i];
            m_pHeader->entries[i].logFont = m_fonts[i];
        }
        if (m_pFooter != nullptr) {
            m_pFooter->entries[i].strText = m_texts[3 + i];
            m_pFooter->entries[i].logFont = m_fonts[3 + i];
        }
    }
}

// ---- margins page ----

const double CPageSetupMarginsPage::kMaxCentimetres = 100.0;

std::int32_t* CPageSetupMarginsPage::Field(int nMargin) const
{
    switch (nMargin) {
    case Top: return &m_pLayout->nMarginTop;
    case Bottom: return &m_pLayout->nMarginBottom;
    case Left: return &m_pLayout->nMarginLeft;
    case Right: return &m_pLayout->nMarginRight;
    case Header: return &m_pLayout->nHeaderDistance;
    default: return &m_pLayout->nFooterDistance;
    }
}

void CPageSetupMarginsPage::Init(PrintLayoutBlock* pLayout)
{
    m_pLayout = pLayout;
    if (pLayout == nullptr)
        return;
    for (int i = 0; i < MarginCount; ++i)
        m_texts[i] = ToText(*Field(i));
    m_nHorz = pLayout->nPlacement[0];
    m_nVert = pLayout->nPlacement[1];
}

double CPageSetupMarginsPage::SpinStep(int nMargin)
{
    // The left margin's spin takes whole centimetres.
    return nMargin == Left ? 1.0 : 0.1;
}

void CPageSetupMarginsPage::Spin(int nMargin, int nDelta)
{
    const int m = Clamp(nMargin);
    int mm = 0;
    if (!FromText(m_texts[m], mm))
        mm = 0;
    double cm = mm / 10.0 + (nDelta > 0 ? 1 : (nDelta < 0 ? -1 : 0)) * SpinStep(m);
    if (cm < 0.0)
        cm = 0.0;
    if (cm > kMaxCentimetres)
        cm = kMaxCentimetres;
    m_texts[m] = ToText(static_cast<int>(std::lround(cm * 10.0)));
}

CString CPageSetupMarginsPage::ToText(int nMillimetres)
{
    CString text;
    text.Format("%.1f", nMillimetres * 0.1);
    return text;
}

BOOL CPageSetupMarginsPage::FromText(const CString& strText, int& nMillimetres)
{
    CString text = strText;
    text.Trim();
    if (text.IsEmpty())
        return FALSE;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'))
            return FALSE;
    }
    char* end = nullptr;
    const double cm = std::strtod(text.GetString(), &end);
    if (end == nullptr || *end != '\0' || !(cm >= 0.0 && cm <= kMaxCentimetres))
        return FALSE;
    nMillimetres = static_cast<int>(std::lround(cm * 10.0));
    return TRUE;
}

int CPageSetupMarginsPage::FirstInvalid() const
{
    if (m_pLayout == nullptr)
        return -1;
    for (int i = 0; i < MarginCount; ++i) {
        int mm = 0;
        if (!FromText(m_texts[i], mm))
            return i;
    }
    return -1;
}

void CPageSetupMarginsPage::Save()
{
    if (m_pLayout == nullptr || FirstInvalid() >= 0)
        return;
    for (int i = 0; i < MarginCount; ++i) {
        int mm = 0;
        FromText(m_texts[i], mm);
        *Field(i) = mm;
    }
    // A combo with nothing chosen keeps the stored alignment.
    if (m_nHorz >= 0 && m_nHorz <= 2)
        m_pLayout->nPlacement[0] = m_nHorz;
    if (m_nVert >= 0 && m_nVert <= 2)
        m_pLayout->nPlacement[1] = m_nVert;
}

// ---- options page ----

void CPageSetupOptionsPage::Init(std::int32_t* pOptions, CString* pRangeTexts)
{
    m_pOptions = pOptions;
    m_pRanges = pRangeTexts;
    for (int i = 0; i < OptionCount; ++i)
        m_options[i] = pOptions != nullptr && pOptions[i] != 0;
    for (int i = 0; i < RangeCount; ++i)
        m_ranges[i] = pRangeTexts != nullptr ? pRangeTexts[i] : CString();
}

void CPageSetupOptionsPage::Save()
{
    if (m_pOptions != nullptr) {
        for (int i = 0; i < OptionCount; ++i)
            m_pOptions[i] = m_options[i] ? 1 : 0;
    }
    if (m_pRanges != nullptr) {
        for (int i = 0; i < RangeCount; ++i)
            m_pRanges[i] = CGridPrintSettings::CutToField(m_ranges[i].GetString(), kRangeCapacity);
    }
}

// ---- the dialog ----

const char* CPageSetupDlg::TabText(int nTab)
{
    static const char* const kTabs[kTabCount] = {"打印", "页眉/页脚", "页边距", "其它选项"};
    return nTab >= 0 && nTab < kTabCount ? kTabs[nTab] : "";
}

CPageSetupDlg::CPageSetupDlg(const PageSetupTarget& target) : m_target(target)
{
    m_printer.Init(target.pDevMode, target.pPrinterName, target.pDriverName);
    m_headerFooter.Init(target.pHeader, target.pFooter);
    m_margins.Init(target.pLayout);
    m_options.Init(target.pOptions, target.pRangeTexts);
}

int CPageSetupDlg::Save()
{
    if (!m_printer.Validate())
        return 0;
    if (m_margins.FirstInvalid() >= 0)
        return 2;
    m_printer.Save();
    m_headerFooter.Save();
    m_margins.Save();
    m_options.Save();
    return -1;
}

INT_PTR CPageSetupDlg::DoModal(CWnd* pParent)
{
    return g_runner != nullptr ? g_runner(pParent, *this) : IDCANCEL;
}

void SetPageSetupRunner(PageSetupRunner runner)
{
    g_runner = runner;
}

PageSetupRunner GetPageSetupRunner()
{
    return g_runner;
}
