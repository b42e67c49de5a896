// Export of the sheet through the spreadsheet program's automation server.
#include "document/ExcelBridge.h"

#include "base/CFile.h"
#include "base/NumberText.h"
#include "base/WinConstants.h"
#include "cellcontent/ScreenMetrics.h"
#include "cellcontent/formula/FormulaReferences.h"
#include "document/ExcelBridgeMapping.h"
#include "document/ExcelBridgeSession.h"
#include "document/XlsCellFormat.h"
#include "grid/GridCellBase.h"
#include "grid/GridCellCheck.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"
#include "platform/FileFind.h"
#include "platform/Http.h"
#include "platform/MessageBox.h"
#include "platform/System.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

typedef AutomationValue V;

const char kServerProgId[] = "Excel.Application";
const int kImageCellType = 12;

BOOL FolderOfPathExists(const CString& path)
{
    int slash = path.ReverseFind('\\');
#ifndef _WIN32
    const int unixSlash = path.ReverseFind('/');
    if (unixSlash > slash)
        slash = unixSlash;
#endif
    if (slash < 0)
        return FALSE;
    CString pattern = path.Left(slash);
    pattern += slash > 0 && path[slash] == '/' ? "/*" : "\\*";
    return PlatformFindFile(pattern, nullptr);
}

// The formula text sent for a formula cell: its references moved so that
// each names the workbook cell its grid cell lands in (grid row r lands in
// workbook row r - first exported row + 1, and a reference is rendered with
// its grid row). The cell itself is left alone.
CString FormulaForExport(CGridCtrl& grid, CGridCellFormula& cell, int nFirstRow, int nFirstCol)
{
    CFormulaTokenList list = cell.GetCompiledForm();
    const int rowShift = 1 - nFirstRow;
    const int colShift = 1 - nFirstCol;
    if (rowShift > 0)
        ShiftFormulaReferences(list, FORMULA_AXIS_ROWS, 0, rowShift, TRUE);
    else if (rowShift < 0)
        ShiftFormulaReferences(list, FORMULA_AXIS_ROWS, 0, -rowShift, FALSE);
    if (colShift > 0)
        ShiftFormulaReferences(list, FORMULA_AXIS_COLUMNS, 0, colShift, TRUE);
    else if (colShift < 0)
        ShiftFormulaReferences(list, FORMULA_AXIS_COLUMNS, 0, -colShift, FALSE);
    CString text("=");
    text += grid.GetFormulaExportText(&list);
    return text;
}

// The file name extension of a picture's bytes.
const char* PictureExtension(const std::vector<BYTE>& bytes)
{
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G')
        return ".png";
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return ".jpg";
    if (bytes.size() >= 6 && std::memcmp(bytes.data(), "GIF8", 4) == 0)
        return ".gif";
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ".bmp";
    return ".img";
}

// A name in the temporary folder that no file has, so that no file of the
// user's is ever overwritten or removed.
CString UniquePictureFile(const char* extension)
{
    static unsigned serial = 0;
    CString folder = PlatformTempFolder();
    const char* sep = folder.Find('/') >= 0 ? "/" : "\\";
    for (int attempt = 0; attempt < 1000; ++attempt) {
        ++serial;
        CString path = folder;
        path += sep;
        path += "kivoxlpic";
        path += CString(std::to_string(GetTickCount() % 100000));
        path += "_";
        path += CString(std::to_string(serial));
        path += extension;
        if (!PlatformFindFile(path, nullptr))
            return path;
    }
    return CString();
}

class CGridExporter {
public:
    CGridExporter(CGridCtrl& grid, CExcelTransferSession& session, CExcelCalls& calls)
        : m_grid(grid), m_session(session), m_calls(calls)
    {
        m_dpiX = GetScreenPixelsPerInchX() > 0 ? GetScreenPixelsPerInchX() : 96;
        m_dpiY = GetScreenPixelsPerInchY() > 0 ? GetScreenPixelsPerInchY() : 96;
    }

    // TRUE when every cell went out.
    BOOL Run(const AutomationObjectPtr& sheet, const AutomationObjectPtr& shapes);

private:
    void ExportCell(int nRow, int nCol, CGridCellBase& cell);
    void ExportContent(int nRow, int nCol, CGridCellBase& cell, const AutomationObjectPtr& range);
    void ExportPicture(CGridCellBase& cell, const AutomationObjectPtr& range);
    void ExportFont(CGridCellBase& cell, const AutomationObjectPtr& range);
    void ExportBorders(int nRow, int nCol, const AutomationObjectPtr& range);
    CString Name(int nRow, int nCol) const
    {
        return ExcelCellName(nRow - m_firstRow + 1, nCol - m_firstCol + 1);
    }

    CGridCtrl& m_grid;
    CExcelTransferSession& m_session;
    CExcelCalls& m_calls;
    AutomationObjectPtr m_sheet;
    AutomationObjectPtr m_shapes;
    int m_firstRow = 0;
    int m_firstCol = 0;
    int m_dpiX = 96;
    int m_dpiY = 96;
};

BOOL CGridExporter::Run(const AutomationObjectPtr& sheet, const AutomationObjectPtr& shapes)
{
    m_sheet = sheet;
    m_shapes = shapes;
    const short flags = m_grid.GetSaveExcelFlags();
    m_firstRow = (flags == 1 || flags == 3) ? 0 : m_grid.GetFixedRowCount();
    m_firstCol = (flags == 2 || flags == 3) ? 0 : m_grid.GetFixedColumnCount();
    m_session.ShowProgress(m_firstRow, m_grid.GetRowCount());
    // The counts are read again on every step: a handler run between cells
    // may have changed the sheet.
    for (int row = m_firstRow; row < m_grid.GetRowCount(); ++row) {
        for (int col = m_firstCol; col < m_grid.GetColumnCount(); ++col) {
            CGridCellBase* cell = m_grid.GetCell(row, col);
            if (cell == nullptr)
                continue;
            ExportCell(row, col, *cell);
            if (!m_calls.Ok())
                return FALSE;
            if (!m_session.PumpMessages())
                return FALSE;
            if (row >= m_grid.GetRowCount())
                break;
        }
        m_session.StepProgress(row);
    }
    return m_calls.Ok();
}

void CGridExporter::ExportCell(int nRow, int nCol, CGridCellBase& cell)
{
    const CString name = Name(nRow, nCol);
    AutomationObjectPtr range = m_calls.GetObject(m_sheet, "Range", {V::Text(name), V::Text(name)});
    if (nRow == m_grid.GetFixedRowCount())
        m_calls.Put(range, "ColumnWidth", V::Int(ExcelColumnWidthFromPixels(m_grid.GetColumnWidth(nCol), m_dpiX)));
    if (nCol == m_grid.GetFixedColumnCount())
        m_calls.Put(range, "RowHeight", V::Int(ExcelRowHeightFromPixels(m_grid.GetRowHeight(nRow), m_dpiX)));

    int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
    const BOOL merged = m_grid.GetMergeRange(nRow, nCol, minRow, minCol, maxRow, maxCol) &&
                        (maxRow > minRow || maxCol > minCol);
    const BOOL owner = merged && minRow == nRow && minCol == nCol;
    if (owner) {
        // The block as far as it lies in the exported area.
        const int lastRow = maxRow < m_grid.GetRowCount() ? maxRow : m_grid.GetRowCount() - 1;
        const int lastCol = maxCol < m_grid.GetColumnCount() ? maxCol : m_grid.GetColumnCount() - 1;
        if (lastRow >= nRow && lastCol >= nCol && (lastRow > nRow || lastCol > nCol)) {
            AutomationObjectPtr block =
                m_calls.GetObject(m_sheet, "Range", {V::Text(name), V::Text(Name(lastRow, lastCol))});
            m_calls.Call(block, "Merge", {V::Bool(false)});
        }
    }
    if (!merged || owner)
        ExportContent(nRow, nCol, cell, range);
    if (m_grid.GetCellType(nRow, nCol) == kImageCellType)
        ExportPicture(cell, range);
    ExportFont(cell, range);
    if (nRow >= m_grid.GetFixedRowCount() && nCol >= m_grid.GetFixedColumnCount()) {
        AutomationObjectPtr interior = m_calls.GetObject(range, "Interior");
        m_calls.Put(interior, "ColorIndex", V::Int(ExcelColorIndexFromColour(cell.GetBackColor())));
    }
    const UINT align = cell.GetAlign();
    m_calls.Put(range, "HorizontalAlignment", V::Int(ExcelHorizontalFromAlign(align)));
    m_calls.Put(range, "VerticalAlignment", V::Int(ExcelVerticalFromAlign(align)));
    m_calls.Put(range, "WrapText", V::Bool(cell.GetWrapText() != FALSE));
    ExportBorders(nRow, nCol, range);
}

void CGridExporter::ExportContent(int nRow, int nCol, CGridCellBase& cell, const AutomationObjectPtr& range)
{
    if (CGridCellFormula* formula = dynamic_cast<CGridCellFormula*>(&cell)) {
        m_calls.Put(range, "Formula", V::Text(FormulaForExport(m_grid, *formula, m_firstRow, m_firstCol)));
        m_calls.Call(range, "Calculate");
        return;
    }
    if (cell.IsNumber()) {
        m_calls.Put(range, "NumberFormat", V::Text("@"));
        m_calls.Put(range, "Value2", V::Double(cell.GetValue()));
        return;
    }
    if (CGridCellCheck* check = dynamic_cast<CGridCellCheck*>(&cell)) {
        m_calls.Put(range, "NumberFormat", V::Text("@"));
        m_calls.Put(range, "FormulaR1C1", V::Int(check->GetCheck() ? 1 : 0));
        return;
    }
    LPCTSTR text = cell.GetText();
    const CString value(text != nullptr ? text : "");
    m_calls.Put(range, "NumberFormat", V::Text(CGridCtrl::DateTextToFormat(value)));
    m_calls.Put(range, "FormulaR1C1", V::Text(value));
    (void)nRow;
    (void)nCol;
}

void CGridExporter::ExportPicture(CGridCellBase& cell, const AutomationObjectPtr& range)
{
    // The control text carries the picture id once it has been read whole.
    cell.GetControl();
    const CString index = cell.GetControlProperty("index");
    if (index.IsEmpty())
        return;
    const int id = AToI(index);
    CGridPictureList& pictures = m_grid.GetPictureList();
    const int at = pictures.FindPicture(id);
    const GridPictureEntry* entry = at >= 0 ? pictures.GetEntryAt(at) : nullptr;
    if (entry == nullptr || entry->bytes.empty())
        return;
    const CString file = UniquePictureFile(PictureExtension(entry->bytes));
    if (file.IsEmpty() || !pictures.SavePictureFile(id, file)) {
        m_calls.Fail();
        return;
    }
    const V left = m_calls.Get(range, "Left");
    const V top = m_calls.Get(range, "Top");
    const V width = m_calls.Get(range, "Width");
    const V height = m_calls.Get(range, "Height");
    m_calls.Call(m_shapes, "AddPicture", {V::Text(file), V::Int(1), V::Int(1), left, top, width, height});
    CFile::Remove(file);
}

void CGridExporter::ExportFont(CGridCellBase& cell, const AutomationObjectPtr& range)
{
    const LOGFONT* lf = cell.GetFont();
    if (lf == nullptr)
        return;
    AutomationObjectPtr font = m_calls.GetObject(range, "Font");
    m_calls.Put(font, "Name", V::Text(CString(lf->lfFaceName, static_cast<int>(strnlen(lf->lfFaceName, LF_FACESIZE)))));
    if (lf->lfHeight != 0)
        m_calls.Put(font, "Size", V::Int(static_cast<short>(PixelsToPoints(std::abs(static_cast<int>(lf->lfHeight)), m_dpiY))));
    m_calls.Put(font, "Bold", V::Bool(lf->lfWeight == FW_BOLD));
    m_calls.Put(font, "Italic", V::Bool(lf->lfItalic != 0));
    m_calls.Put(font, "Strikethrough", V::Bool(lf->lfStrikeOut != 0));
    m_calls.Put(font, "Underline", V::Int(lf->lfUnderline != 0 ? 2 : 1));
    m_calls.Put(font, "Color", V::Int(static_cast<long long>(cell.GetTextColor() & 0xFFFFFF)));
}

void CGridExporter::ExportBorders(int nRow, int nCol, const AutomationObjectPtr& range)
{
    static const struct {
        UINT bit;
        int item;
    } sides[] = {
        {1, kExcelBorderItemLeft}, {2, kExcelBorderItemTop}, {4, kExcelBorderItemRight}, {8, kExcelBorderItemBottom},
    };
    const UINT mask = static_cast<UINT>(m_grid.GetCellBorderFlags(nRow, nCol));
    AutomationObjectPtr borders;
    for (const auto& side : sides) {
        if ((mask & side.bit) == 0)
            continue;
        int style = 0, width = 0;
        COLORREF clr = 0;
        if (!m_grid.GetCellBorder(nRow, nCol, side.bit, &style, &clr, &width))
            continue;
        if (!borders)
            borders = m_calls.GetObject(range, "Borders");
        AutomationObjectPtr border = m_calls.GetObject(borders, "Item", {V::Int(side.item)});
        m_calls.Put(border, "LineStyle", V::Int(ExcelLineStyleFromPen(style)));
        m_calls.Put(border, "Weight", V::Int(ExcelWeightFromWidth(width)));
    }
}

}  // namespace

short ExportExcelViaAutomation(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword)
{
    const CString path(szPath != nullptr ? szPath : "");
    if (path.IsEmpty() || !FolderOfPathExists(path))
        return 0;
    CExcelTransferSession session(grid);
    if (!session.IsAdmitted())
        return 0;
    session.BeginWait();
    AutomationObjectPtr app = PlatformCreateAutomationObject(kServerProgId);
    if (!app) {
        PlatformMessageBox(session.GridWindow(), "无法创建EXCEL实例", "", MB_OK);
        return 0;
    }
    session.DisableOwner();
    CExcelCalls calls;
    calls.Put(app, "Visible", V::Bool(false));
    calls.Put(app, "DisplayAlerts", V::Bool(false));
    AutomationObjectPtr books = calls.GetObject(app, "Workbooks");
    AutomationObjectPtr book;
    if (calls.Ok()) {
        V added = calls.Call(books, "Add", {V::Missing()});
        if (calls.Ok() && (added.kind != V::kObject || !added.object))
            calls.Fail();
        book = added.object;
    }
    AutomationObjectPtr sheets = calls.GetObject(book, "Sheets");
    AutomationObjectPtr sheet = calls.GetObject(sheets, "Item", {V::Int(1)});
    AutomationObjectPtr shapes = calls.GetObject(sheet, "Shapes");
    BOOL written = FALSE;
    if (calls.Ok()) {
        CGridExporter exporter(grid, session, calls);
        if (exporter.Run(sheet, shapes)) {
            calls.Call(sheet, "Calculate");
            const CString password(szPassword != nullptr ? szPassword : "");
            calls.Call(book, "SaveAs",
                       {V::Text(path), V::Missing(), V::Text(password), V::Missing(), V::Missing(), V::Missing(),
                        V::Int(0), V::Missing(), V::Missing(), V::Missing(), V::Missing()});
            written = calls.Ok();
        }
    }
    // The workbook is closed unsaved and the program quits in every path.
    if (book) {
        AutomationValue ignored;
        book->CallMethod("Close", {V::Bool(false), V::Missing(), V::Missing()}, ignored);
    }
    if (books) {
        AutomationValue ignored;
        books->CallMethod("Close", {}, ignored);
    }
    AutomationValue ignored;
    app->CallMethod("Quit", {}, ignored);
    return written ? 1 : 0;
}
