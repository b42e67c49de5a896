// The page set-up dialog CPageSetupDlg: four pages (printer and paper, page
// header and footer, margins and placement, print options and title ranges)
// that edit a grid's print settings through pointers into them and write
// back only when the user presses OK.
//
// The pages here are the dialog's rules without a window: what each control
// shows, what a choice changes, and what OK stores. The window that shows
// them is the platform's (control/win32/PageSetupDialog.cpp on Windows): it
// is installed as the dialog runner, reads the pages to fill its controls,
// hands every user action to them and calls Save on OK. A program without a
// runner gets IDCANCEL from DoModal and nothing changes.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "document/GridPrintSettings.h"
#include "platform/Printer.h"

#include <vector>

class CWnd;

// Where the dialog reads and writes: pointers into one grid's print settings.
struct PageSetupTarget {
    PrintDevMode* pDevMode = nullptr;
    CString* pPrinterName = nullptr;      // 128-byte field
    CString* pDriverName = nullptr;       // 128-byte field
    HeaderFooterSet* pHeader = nullptr;
    HeaderFooterSet* pFooter = nullptr;
    PrintLayoutBlock* pLayout = nullptr;  // margins and the two alignment indexes
    std::int32_t* pOptions = nullptr;     // row headers, column headers, grid lines
    CString* pRangeTexts = nullptr;       // top, bottom, left, right title ranges
};

// Dialog and control identifiers of the dialog resources.
enum PageSetupIds {
    IDD_PAGESETUP = 241,
    IDD_PAGESETUP_PRINTER = 242,
    IDD_PAGESETUP_HEADERFOOTER = 243,
    IDD_PAGESETUP_MARGINS = 244,
    IDD_PAGESETUP_OPTIONS = 250,
    IDC_PAGESETUP_TAB = 240,
    // printer page
    IDC_PS_PRINTER = 1139,
    IDC_PS_PROPERTIES = 263,
    IDC_PS_STATUS = 1099,
    IDC_PS_TYPE = 1098,
    IDC_PS_WHERE = 1101,
    IDC_PS_COMMENT = 1100,
    IDC_PS_PAPER = 254,
    IDC_PS_WIDTH = 202,
    IDC_PS_HEIGHT = 203,
    IDC_PS_SOURCE = 255,
    IDC_PS_PORTRAIT_PIC = 248,
    IDC_PS_LANDSCAPE_PIC = 249,
    IDC_PS_PORTRAIT = 256,
    IDC_PS_LANDSCAPE = 257,
    IDC_PS_RANGE_ALL = 1056,
    IDC_PS_RANGE_PAGES = 1058,
    IDC_PS_RANGE_SELECTION = 1057,
    IDC_PS_PAGES_EDIT = 265,
    IDC_PS_SELECTION_EDIT = 266,
    IDC_PS_COPIES = 1154,
    IDC_PS_COPIES_SPIN = 264,
    IDC_PS_COLLATE = 1041,
    IDC_PS_COLLATE_PIC1 = 258,
    IDC_PS_COLLATE_PIC2 = 259,
    IDC_PS_COLLATE_PIC3 = 260,
    // header/footer page
    IDC_HF_FONT = 231,
    IDC_HF_PAGE = 232,
    IDC_HF_PAGES = 233,
    IDC_HF_DATE = 234,
    IDC_HF_TIME = 236,
    IDC_HF_FIRST_EDIT = 202,   // 202..204 header left, centre, right; 205..207 footer
    // margins page
    IDC_MG_FIRST_EDIT = 202,   // 202 top, 203 bottom, 204 left, 205 right, 206 header, 207 footer
    IDC_MG_FIRST_SPIN = 241,   // 241..246 in the same order
    IDC_MG_PICTURE = 245,
    IDC_MG_HORZ = 248,
    IDC_MG_VERT = 249,
    // options page
    IDC_OP_TOP = 202,
    IDC_OP_BOTTOM = 203,
    IDC_OP_LEFT = 205,
    IDC_OP_RIGHT = 206,
    IDC_OP_ROWHEADERS = 262,
    IDC_OP_COLHEADERS = 249,
    IDC_OP_GRIDLINES = 252,
    IDC_OP_ORDER_PIC = 256,
};

// Bitmaps of the dialog (the library's resources).
enum PageSetupBitmaps {
    IDB_PS_PORTRAIT = 248,
    IDB_PS_LANDSCAPE = 249,
    IDB_PS_COLLATE_ON_1 = 251,
    IDB_PS_COLLATE_ON_2 = 252,
    IDB_PS_COLLATE_OFF_1 = 253,
    IDB_PS_COLLATE_OFF_2 = 254,
    IDB_PS_COLLATE_OFF_3 = 255,
    IDB_PS_ORDER = 256,
    IDB_MG_PAGE = 245,
};

// The printer, paper, orientation and copies page.
class CPageSetupPrinterPage {
public:
    struct PaperEntry {
        short nNumber = 0;
        short nWidth = 0;       // tenths of a millimetre, portrait
        short nLength = 0;
        CString strName;
    };
    // Which bitmap each collate picture shows (0: hidden).
    struct CollatePictures {
        int nPicture258 = 0;
        int nPicture259 = 0;
        int nPicture260 = 0;
    };
    enum Range { RangeAll = 0, RangePages = 1, RangeSelection = 2 };
    static const short kCustomPaper = 256;

    // Takes the stored mode as the working copy, lists the printers and
    // selects the one the printer-name field names.
    void Init(PrintDevMode* pStored, CString* pPrinterName, CString* pDriverName);

    const std::vector<PrinterInfo>& GetPrinters() const { return m_printers; }
    int GetPrinterIndex() const { return m_nPrinter; }
    // Makes printer nIndex current: its information, its mode, papers and
    // bins. A printer whose mode cannot be read keeps the previous mode.
    void SelectPrinter(int nIndex);
    CString GetStatusText() const;     // "正常" / "不正常"; empty with no printer
    CString GetTypeText() const;
    CString GetWhereText() const;
    CString GetCommentText() const;

    const std::vector<PaperEntry>& GetPapers() const { return m_papers; }
    int GetPaperIndex() const { return m_nPaper; }
    void SelectPaper(int nIndex);
    // The width and height edits: editable only for the custom entry.
    bool IsSizeEditable() const;
    int GetWidthText() const;
    int GetHeightText() const;
    // What the user typed into the (custom) width and height edits.
    void SetCustomSize(int nWidth, int nHeight);

    const std::vector<PrinterBin>& GetBins() const { return m_bins; }
    int GetBinIndex() const { return m_nBin; }
    void SelectBin(int nIndex);

    bool IsLandscape() const { return m_bLandscape; }
    void SetLandscape(bool bLandscape) { m_bLandscape = bLandscape; }
    bool GetCollate() const { return m_bCollate; }
    void SetCollate(bool bCollate) { m_bCollate = bCollate; }
    CollatePictures GetCollatePictures() const;
    int GetCopies() const { return m_nCopies; }
    void SetCopies(int nCopies) { m_nCopies = nCopies; }
    // The copies spin's range and step.
    static const int kCopiesSpinMin = 1;
    static const int kCopiesSpinMax = 100;
    // What the copies check accepts.
    static bool IsCopiesValid(int nCopies) { return nCopies >= 1 && nCopies <= 65535; }

    Range GetRange() const { return m_range; }
    void SetRange(Range range) { m_range = range; }
    bool IsPagesEditEnabled() const { return m_range == RangePages; }
    bool IsSelectionEditEnabled() const { return m_range == RangeSelection; }

    // The page's choices written into a mode (paper, orientation and sizes,
    // bin, collate, copies).
    void ApplyChoices(PrintDevMode& mode) const;
    // The mode the driver's own properties dialog starts from, and what it
    // answered when the user confirmed there.
    PrintDevMode GetModeForDriver() const;
    void TakeDriverMode(const PrintDevMode& mode);
    const PrintDevMode& GetPrinterMode() const { return m_printerMode; }

    // OK: FALSE (nothing stored) when the copies are outside 1 to 65535.
    BOOL Validate() const { return IsCopiesValid(m_nCopies) ? TRUE : FALSE; }
    void Save();

private:
    void FillPapers();
    void FillBins();
    void ApplyStoredOptions();

    PrintDevMode* m_pStored = nullptr;
    CString* m_pPrinterName = nullptr;
    CString* m_pDriverName = nullptr;
    PrintDevMode m_working{};
    PrintDevMode m_printerMode{};
    std::vector<PrinterInfo> m_printers;
    int m_nPrinter = -1;
    std::vector<PaperEntry> m_papers;
    int m_nPaper = -1;
    std::vector<PrinterBin> m_bins;
    int m_nBin = -1;
    bool m_bFirstPaperFill = true;
    short m_nCurPaper = 0;
    short m_nCurBin = 0;
    bool m_bLandscape = false;
    bool m_bCollate = false;
    int m_nCopies = 1;
    Range m_range = RangeAll;
};

// The header and footer texts and fonts page. Slots 0..2 are the header's
// left, centre and right entries, 3..5 the footer's.
class CPageSetupHeaderFooterPage {
public:
    static const int kSlotCount = 6;
    void Init(HeaderFooterSet* pHeader, HeaderFooterSet* pFooter);

    const CString& GetText(int nSlot) const { return m_texts[Clamp(nSlot)]; }
    void SetText(int nSlot, const CString& strText) { m_texts[Clamp(nSlot)] = strText; }
    const LOGFONT& GetFont(int nSlot) const { return m_fonts[Clamp(nSlot)]; }
    void SetFont(int nSlot, const LOGFONT& lf) { m_fonts[Clamp(nSlot)] = lf; }

    // The edit that last had the focus and its selection (byte offsets).
    void RememberSelection(int nSlot, int nStart, int nEnd);
    int GetFocusSlot() const { return m_nFocus; }
    // A field button: the field code replaces the remembered selection of
    // the remembered edit; answers the caret position after the code (-1 when
    // no edit had the focus yet).
    int InsertField(const char* szCode);
    // The codes of the field buttons 232, 233, 234 and 236; NULL for others.
    static const char* FieldCodeOf(int nButton);

    void Save();

private:
    static int Clamp(int nSlot) { return nSlot < 0 ? 0 : (nSlot >= kSlotCount ? kSlotCount - 1 : nSlot); }

    HeaderFooterSet* m_pHeader = nullptr;
    HeaderFooterSet* m_pFooter = nullptr;
    CString m_texts[kSlotCount];
    LOGFONT m_fonts[kSlotCount]{};
    int m_nFocus = -1;
    int m_nSelStart = 0;
    int m_nSelEnd = 0;
};

// The margins and page alignment page. Margins are shown in centimetres
// with one decimal and stored in whole millimetres.
class CPageSetupMarginsPage {
public:
    // Edit order: top, bottom, left, right, header distance, footer distance.
    enum Margin { Top = 0, Bottom, Left, Right, Header, Footer, MarginCount };
    static const double kMaxCentimetres;

    void Init(PrintLayoutBlock* pLayout);
    bool IsShown() const { return m_pLayout != nullptr; }
    const CString& GetText(int nMargin) const { return m_texts[Clamp(nMargin)]; }
    void SetText(int nMargin, const CString& strText) { m_texts[Clamp(nMargin)] = strText; }
    int GetHorzAlign() const { return m_nHorz; }
    int GetVertAlign() const { return m_nVert; }
    void SetHorzAlign(int nIndex) { m_nHorz = nIndex; }
    void SetVertAlign(int nIndex) { m_nVert = nIndex; }

    // The spin of each margin steps by this many centimetres.
    static double SpinStep(int nMargin);
    // One spin step up (nDelta > 0) or down on the margin's text, kept
    // within 0 to 100.
    void Spin(int nMargin, int nDelta);

    // Millimetres -> the text an edit shows ("2.3"), and back (nearest
    // millimetre). FromText answers FALSE for text that is not a number of
    // 0 to 100 centimetres.
    static CString ToText(int nMillimetres);
    static BOOL FromText(const CString& strText, int& nMillimetres);

    // The first margin whose text is refused; -1 when all are fine.
    int FirstInvalid() const;
    void Save();

private:
    static int Clamp(int n) { return n < 0 ? 0 : (n >= MarginCount ? MarginCount - 1 : n); }
    std::int32_t* Field(int nMargin) const;

    PrintLayoutBlock* m_pLayout = nullptr;
    CString m_texts[MarginCount];
    int m_nHorz = 0;
    int m_nVert = 0;
};

// The print options and title ranges page.
class CPageSetupOptionsPage {
public:
    enum Range { Top = 0, Bottom, Left, Right, RangeCount };
    enum Option { RowHeaders = 0, ColumnHeaders, GridLines, OptionCount };
    static const int kRangeCapacity = 64;

    void Init(std::int32_t* pOptions, CString* pRangeTexts);
    bool GetOption(int nOption) const { return m_options[ClampOption(nOption)]; }
    void SetOption(int nOption, bool bOn) { m_options[ClampOption(nOption)] = bOn; }
    const CString& GetRangeText(int nRange) const { return m_ranges[ClampRange(nRange)]; }
    void SetRangeText(int nRange, const CString& strText) { m_ranges[ClampRange(nRange)] = strText; }
    void Save();

private:
    static int ClampOption(int n) { return n < 0 ? 0 : (n >= OptionCount ? OptionCount - 1 : n); }
    static int ClampRange(int n) { return n < 0 ? 0 : (n >= RangeCount ? RangeCount - 1 : n); }

    std::int32_t* m_pOptions = nullptr;
    CString* m_pRanges = nullptr;
    bool m_options[OptionCount] = {};
    CString m_ranges[RangeCount];
};

class CPageSetupDlg {
public:
    // The tabs, in order: "打印", "页眉/页脚", "页边距", "其它选项".
    static const int kTabCount = 4;
    static const char* TabText(int nTab);

    explicit CPageSetupDlg(const PageSetupTarget& target);

    CPageSetupPrinterPage& PrinterPage() { return m_printer; }
    CPageSetupHeaderFooterPage& HeaderFooterPage() { return m_headerFooter; }
    CPageSetupMarginsPage& MarginsPage() { return m_margins; }
    CPageSetupOptionsPage& OptionsPage() { return m_options; }

    // OK: every page is checked first; when one refuses, nothing is stored
    // and the answer is the tab of the refusing page (the dialog stays open).
    // Otherwise the pages store in the order printer, header/footer,
    // margins, options and the answer is -1.
    int Save();

    // Runs the dialog window over pParent: IDOK or IDCANCEL.
    INT_PTR DoModal(CWnd* pParent);

private:
    PageSetupTarget m_target;
    CPageSetupPrinterPage m_printer;
    CPageSetupHeaderFooterPage m_headerFooter;
    CPageSetupMarginsPage m_margins;
    CPageSetupOptionsPage m_options;
};

// The window that shows the dialog: it fills its controls from the pages,
// passes the user's actions to them, calls Save on OK and answers IDOK or
// IDCANCEL. Installed once by the program; none by default.
using PageSetupRunner = INT_PTR (*)(CWnd* pParent, CPageSetupDlg& dialog);
void SetPageSetupRunner(PageSetupRunner runner);
PageSetupRunner GetPageSetupRunner();
