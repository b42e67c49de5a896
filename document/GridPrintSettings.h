// The print settings a sheet keeps (one record per grid): the stored printer
// mode, the printer, driver and port names, the page margins and placement,
// the page header and footer texts with their fonts, the print options and
// print texts, and the print scale.
//
// This record is plain data with its defaults; the printer operations, the
// page set-up dialog and the template form of the record work on it.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "document/PrintDevMode.h"

#include <memory>

// One text of a page header or footer with its font.
struct HeaderFooterEntry {
    CString strText;
    LOGFONT logFont;
};

// The three texts of a page header or footer.
struct HeaderFooterSet {
    enum Slot { Left = 0, Center = 1, Right = 2, SlotCount = 3 };
    HeaderFooterEntry entries[SlotCount];
};

// The 48-byte block of margins and placement that the page set-up dialog and
// the preview receive as one piece.
struct PrintLayoutBlock {
    std::int32_t nMarginLeft;      // millimetres
    std::int32_t nMarginTop;
    std::int32_t nMarginRight;
    std::int32_t nMarginBottom;
    std::int32_t nHeaderDistance;  // from the page edge to the header
    std::int32_t nFooterDistance;
    double dPlacement[2];
    std::int32_t nPlacement[2];
};
static_assert(sizeof(PrintLayoutBlock) == 48, "the print layout block is 48 bytes");

class CGridPrintSettings {
public:
    // Capacities of the fixed-size fields (bytes, terminating NUL included).
    static const int kPrinterNameSize = 128;
    static const int kDriverNameSize = 128;
    static const int kPortNameSize = 64;
    static const int kPrintTextCount = 8;
    static const int kPrintOptionCount = 6;
    // Capacity of each print text; texts 2 to 5 are the four repeat ranges
    // (selected by the flags 1, 2, 4 and 8).
    static int PrintTextCapacity(int nIndex);

    CGridPrintSettings();

    // The stored printer mode; absent until the grid makes it.
    std::unique_ptr<PrintDevMode> m_pDevMode;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
    PrintLayoutBlock m_layout;
    HeaderFooterSet m_header;
    HeaderFooterSet m_footer;
    // Option 0 is the use-the-default-printer switch.
    std::int32_t m_nPrintOptions[kPrintOptionCount];
    std::int32_t m_nAfterPortA = 0;
    std::int16_t m_nAfterPortB = 1;
    std::int32_t m_nAfterPortC = 0;
    CString m_strPrintTexts[kPrintTextCount];
    double m_dPrintScale = 1.0;
    CString m_strFileVersion;      // the version text the template writer uses

    // Every header and footer font becomes a copy of lf.
    void InitHeaderFooterFonts(const LOGFONT& lf);
    // Margins 20, 20, 20, 20 mm, header and footer distances 12 mm; options 4 and 5 become 0.
    void InitPrintMargins();
    // Options 1 to 3 become 1, 1, 0.
    void InitPrintOptions();
    // Names and print texts cleared, the version text reloaded, the three
    // values after the port name 0, 1, 0, the print scale 1.0.
    void InitPrintSettings();
    // A new printer mode in its "not set" state.
    void InitDevMode();

    // Stores a text cut to a field of nCapacity bytes (at most nCapacity - 1
    // bytes, never half a two-byte character).
    static CString CutToField(LPCTSTR szText, int nCapacity);
};
