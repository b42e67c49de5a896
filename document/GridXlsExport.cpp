#include "document/GridXlsExport.h"

#include "base/WinConstants.h"
#include "document/XlsCellFormat.h"
#include "document/XlsHeaderFooterText.h"
#include "document/XlsWorkbook.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

const int kMaxRows = 65536;
const int kMaxCols = 256;

bool IsPlainColour(COLORREF clr) { return (clr & 0xFF000000u) == 0; }

XlsFontSpec CellFont(CGridCellBase& cell, int dpi)
{
    XlsFontSpec f;
    f.name = "Tahoma";
    f.height = 200;
    if (const LOGFONT* lf = cell.GetFont()) {
        int pixels = std::abs(static_cast<int>(lf->lfHeight));
        if (pixels > 0)
            f.height = static_cast<uint16_t>(PixelsToPoints(pixels, dpi) * 20);
        f.name.assign(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE));
        if (f.name.empty())
            f.name = "Tahoma";
        if (lf->lfItalic)
            f.options |= 0x02;
        if (lf->lfStrikeOut)
            f.options |= 0x08;
        f.underline = lf->lfUnderline ? 1 : 0;
        f.charset = lf->lfCharSet;
        if (lf->lfWeight == FW_BOLD) {
            f.weight = 700;
            f.options |= 0x01;   // the bold bit that readers look at besides the weight
        }
    }
    COLORREF text = cell.GetTextColor();
    f.colour = static_cast<uint16_t>(GetExcelColourIndex(IsPlainColour(text) ? text : 0));
    return f;
}

// Remembers the palette index of the colours seen, since a sheet uses few.
class ColourIndexCache {
public:
    int16_t Get(COLORREF clr)
    {
        auto it = m_known.find(clr);
        if (it != m_known.end())
            return it->second;
        int16_t index = GetExcelColourIndex(clr);
        m_known.emplace(clr, index);
        return index;
    }

private:
    std::unordered_map<COLORREF, int16_t> m_known;
};

XlsCellFormat CellFormat(CGridCtrl& grid, int row, int col, CGridCellBase& cell, uint16_t font,
                         ColourIndexCache& colours)
{
    XlsCellFormat xf;
    xf.SetFont(font);
    COLORREF back = cell.GetBackColor();
    if (IsPlainColour(back) && back != 0xFFFFFF)
        xf.SetSolidFill(colours.Get(back));
    UINT align = cell.GetAlign();
    xf.SetHorizontalAlign((align & DT_RIGHT) ? 3 : (align & DT_CENTER) ? 2 : 1);
    xf.SetVerticalAlign((align & DT_BOTTOM) ? 2 : (align & DT_VCENTER) ? 1 : 0);
    if (cell.GetWrapText())
        xf.SetWrap(true);
    int mask = grid.GetCellBorderFlags(row, col);
    static const struct {
        UINT bit;
        void (XlsCellFormat::*set)(int, int);
    } sides[] = {
        {1, &XlsCellFormat::SetLeftBorder},
        {2, &XlsCellFormat::SetTopBorder},
        {4, &XlsCellFormat::SetRightBorder},
        {8, &XlsCellFormat::SetBottomBorder},
    };
    for (const auto& s : sides) {
        if ((static_cast<UINT>(mask) & s.bit) == 0)
            continue;
        int style = 0, width = 0;
        COLORREF clr = 0;
        if (!grid.GetCellBorder(row, col, s.bit, &style, &clr, &width))
            continue;
        (xf.*s.set)(MapBorderStyleToExcel(style, width), colours.Get(IsPlainColour(clr) ? clr : 0));
    }
    return xf;
}

}  // namespace

BOOL BuildGridWorkbook(CGridCtrl& grid, XlsWorkbook& book, LPCTSTR password, int dpi)
{
    const int fixedRows = grid.GetFixedRowCount();
    const int fixedCols = grid.GetFixedColumnCount();
    const int rows = grid.GetRowCount();
    const int cols = grid.GetColumnCount();
    if (rows - fixedRows > kMaxRows || cols - fixedCols > kMaxCols)
        return FALSE;

    book.SetDefaultFont("Tahoma", 10);
    XlsSheet* sheet = book.AddSheet("Sheet1");
    if (password != nullptr && *password != '\0')
        sheet->Protect(password);

    // A cache from the cell's font and text colour to the workbook font, so
    // that most cells skip building a font record. Keyed by content, never
    // by address: a virtual grid refills one cell for every position.
    struct FontKey {
        LOGFONT font;
        COLORREF colour;
        bool operator==(const FontKey& o) const { return std::memcmp(this, &o, sizeof(FontKey)) == 0; }
    };
    struct FontKeyHash {
        size_t operator()(const FontKey& k) const
        {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(&k);
            uint64_t h = 1469598103934665603ull;
            for (size_t i = 0; i < sizeof(FontKey); ++i)
                h = (h ^ p[i]) * 1099511628211ull;
            return static_cast<size_t>(h);
        }
    };
    std::unordered_map<FontKey, uint16_t, FontKeyHash> fonts;
    ColourIndexCache colours;
    FontKey lastKey;
    std::memset(&lastKey, 0, sizeof lastKey);
    uint16_t lastFont = 0;
    bool haveLast = false;
    for (int row = fixedRows; row < rows; ++row) {
        const int r = row - fixedRows;
        for (int col = fixedCols; col < cols; ++col) {
            const int c = col - fixedCols;
            if (row == fixedRows) {
                int width = grid.GetColumnWidth(col);
                if (width >= 0)
                    sheet->SetColumnWidth(c, c, static_cast<int>(width * 36.57), -1);
            }
            CGridCellBase* cell = grid.GetCell(row, col);
            if (cell == nullptr)
                continue;
            FontKey key;
            std::memset(&key, 0, sizeof key);
            if (const LOGFONT* lf = cell->GetFont())
                key.font = *lf;
            key.colour = cell->GetTextColor();
            // Neighbouring cells mostly share a font: the last one is
            // compared before the table is looked up.
            uint16_t font;
            if (haveLast && key == lastKey) {
                font = lastFont;
            } else {
                auto known = fonts.find(key);
                if (known != fonts.end()) {
                    font = known->second;
                } else {
                    font = book.AddFont(CellFont(*cell, dpi));
                    fonts.emplace(key, font);
                }
                lastKey = key;
                lastFont = font;
                haveLast = true;
            }
            int xf = book.AddFormat(CellFormat(grid, row, col, *cell, font, colours));
            if (cell->IsNumber()) {
                sheet->SetCellNumber(c, r, cell->GetValue(), xf);
            } else {
                LPCTSTR text = cell->GetText();
                // A text that begins with "=" is kept as a text.
                sheet->SetCellText(c, r, text != nullptr ? text : "", xf);
            }
            int minRow = 0, minCol = 0, maxRow = 0, maxCol = 0;
            if (grid.GetMergeRange(row, col, minRow, minCol, maxRow, maxCol) &&
                (maxRow > minRow || maxCol > minCol)) {
                // Once per block, in workbook coordinates, clipped to the data area.
                int fr = std::max(minRow, fixedRows) - fixedRows, fc = std::max(minCol, fixedCols) - fixedCols;
                int lr = std::min(maxRow, rows - 1) - fixedRows, lc = std::min(maxCol, cols - 1) - fixedCols;
                if (lr >= fr && lc >= fc && (lr > fr || lc > fc))
                    sheet->AddMergedRange(fr, fc, lr, lc);   // the sheet keeps each range once
            }
        }
        XlsRowInfo& info = sheet->GetRow(r);
        int height = grid.GetRowHeight(row);
        info.options |= 0x40;
        info.height = static_cast<uint16_t>(std::max(0, std::min(height * 15, 0x7FFF)));
    }

    XlsHeaderFooterText header;
    header.AppendRightSection();
    header.AppendFontSize(8);
    header.AppendText("KivoSheet");
    sheet->SetHeaderFooter(header.GetText());
    return TRUE;
}

int ScreenDotsPerInch()
{
    static const int dpi = [] {
        CClientDC dc(nullptr);
        int d = dc.GetSafeHdc() != nullptr ? dc.GetDeviceCaps(LOGPIXELSY) : 0;
        return d > 0 ? d : 96;
    }();
    return dpi;
}

short SaveExcelFile(CGridCtrl& grid, LPCTSTR path, LPCTSTR password)
{
    XlsWorkbook book;
    if (!BuildGridWorkbook(grid, book, password, ScreenDotsPerInch()))
        return 0;
    return static_cast<short>(book.Save(path));
}
