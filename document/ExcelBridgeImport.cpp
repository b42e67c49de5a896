// Import of one worksheet through the spreadsheet program's automation
// server. The worksheet is read whole into a plain record first; the grid
// is changed only once every call has answered.
#include "document/ExcelBridge.h"

#include "base/NumberText.h"
#include "base/WinConstants.h"
#include "cellcontent/ScreenMetrics.h"
#include "document/ExcelBridgeMapping.h"
#include "document/ExcelBridgeSession.h"
#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"
#include "platform/FileFind.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace {

typedef AutomationValue V;

const char kServerProgId[] = "Excel.Application";

struct ImportedSide {
    bool set = false;
    int style = 0;
    COLORREF colour = 0;
    int width = 1;
};

struct ImportedCell {
    int row = 0;
    int col = 0;
    enum Content { kNothing, kText, kNumber, kFormula } content = kNothing;
    CString text;           // text or formula
    double number = 0.0;
    CString faceName;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool underline = false;
    COLORREF textColour = 0;
    COLORREF backColour = 0xFFFFFF;
    UINT align = 0;
    bool wrap = false;
    ImportedSide sides[4];  // masks 1, 2, 4, 8
};

struct ImportedBlock {
    int row, col, rows, cols;
};

struct ImportedSheet {
    int firstRow = 1, firstCol = 1, rows = 0, cols = 0;
    std::map<int, int> columnWidths;   // pixels
    std::map<int, int> rowHeights;
    std::vector<ImportedBlock> blocks;
    std::vector<ImportedCell> cells;
    std::vector<std::pair<int, int>> covered;   // cells taking their block owner's content
};

bool IsTrue(const V& v)
{
    return v.IsTrue();
}

COLORREF ColourOf(const V& v)
{
    return static_cast<COLORREF>(static_cast<unsigned long long>(v.AsInt()) & 0xFFFFFF);
}

class CSheetReader {
public:
    CSheetReader(CExcelTransferSession& session, CExcelCalls& calls) : m_session(session), m_calls(calls)
    {
        m_dpiX = GetScreenPixelsPerInchX() > 0 ? GetScreenPixelsPerInchX() : 96;
        m_dpiY = GetScreenPixelsPerInchY() > 0 ? GetScreenPixelsPerInchY() : 96;
    }

    BOOL Read(const AutomationObjectPtr& sheet, ImportedSheet& out);
    int DpiX() const { return m_dpiX; }

private:
    BOOL ReadCell(int nRow, int nCol, ImportedSheet& out);
    void ReadContent(const AutomationObjectPtr& range, ImportedCell& cell);
    void ReadFormat(const AutomationObjectPtr& range, ImportedCell& cell);
    bool IsCovered(const ImportedSheet& sheet, int nRow, int nCol) const;

    CExcelTransferSession& m_session;
    CExcelCalls& m_calls;
    AutomationObjectPtr m_sheet;
    int m_dpiX = 96;
    int m_dpiY = 96;
};

long CountOf(CExcelCalls& calls, const AutomationObjectPtr& range, LPCTSTR szLines)
{
    AutomationObjectPtr lines = calls.GetObject(range, szLines);
    const V count = calls.Get(lines, "Count");
    return calls.Ok() && count.IsNumeric() ? static_cast<long>(count.AsInt()) : -1;
}

BOOL CSheetReader::Read(const AutomationObjectPtr& sheet, ImportedSheet& out)
{
    m_sheet = sheet;
    AutomationObjectPtr used = m_calls.GetObject(sheet, "UsedRange");
    const long rows = CountOf(m_calls, used, "Rows");
    const long cols = CountOf(m_calls, used, "Columns");
    const V firstRow = m_calls.Get(used, "Row");
    const V firstCol = m_calls.Get(used, "Column");
    if (!m_calls.Ok())
        return FALSE;
    const long long r0 = firstRow.AsInt(), c0 = firstCol.AsInt();
    // A used range beyond what a workbook holds, or too large to take, is refused.
    if (rows < 1 || cols < 1 || r0 < 1 || c0 < 1 || r0 + rows - 1 > kExcelImportMaxRows ||
        c0 + cols - 1 > kExcelImportMaxColumns || static_cast<long long>(rows) * cols > kExcelImportMaxCells) {
        m_calls.Fail();
        return FALSE;
    }
    out.firstRow = static_cast<int>(r0);
    out.firstCol = static_cast<int>(c0);
    out.rows = static_cast<int>(rows);
    out.cols = static_cast<int>(cols);
    m_session.ShowProgress(out.firstRow, out.rows);
    for (int row = out.firstRow; row < out.firstRow + out.rows; ++row) {
        for (int col = out.firstCol; col < out.firstCol + out.cols; ++col) {
            if (!ReadCell(row, col, out))
                return FALSE;
            if (!m_session.PumpMessages())
                return FALSE;
        }
        m_session.StepProgress(row);
    }
    return m_calls.Ok();
}

bool CSheetReader::IsCovered(const ImportedSheet& sheet, int nRow, int nCol) const
{
    for (const ImportedBlock& b : sheet.blocks) {
        if (nRow >= b.row && nRow < b.row + b.rows && nCol >= b.col && nCol < b.col + b.cols)
            return !(nRow == b.row && nCol == b.col);
    }
    return false;
}

BOOL CSheetReader::ReadCell(int nRow, int nCol, ImportedSheet& out)
{
    const CString name = ExcelCellName(nRow, nCol);
    AutomationObjectPtr range = m_calls.GetObject(m_sheet, "Range", {V::Text(name), V::Text(name)});
    if (nRow == out.firstRow) {
        const V width = m_calls.Get(range, "ColumnWidth");
        if (width.IsNumeric())
            out.columnWidths[nCol] = PixelsFromExcelColumnWidth(width.AsDouble(), m_dpiX);
    }
    if (nCol == out.firstCol) {
        const V height = m_calls.Get(range, "RowHeight");
        if (height.IsNumeric())
            out.rowHeights[nRow] = PixelsFromExcelRowHeight(height.AsDouble(), m_dpiY);
    }
    if (IsCovered(out, nRow, nCol)) {
        out.covered.emplace_back(nRow, nCol);
        return m_calls.Ok();
    }
    if (IsTrue(m_calls.Get(range, "MergeCells"))) {
        AutomationObjectPtr area = m_calls.GetObject(range, "MergeArea");
        const V top = m_calls.Get(area, "Row");
        const V left = m_calls.Get(area, "Column");
        if (top.AsInt() == nRow && left.AsInt() == nCol) {
            const long rows = CountOf(m_calls, area, "Rows");
            const long cols = CountOf(m_calls, area, "Columns");
            // A block is kept to the used range, where the grid has cells.
            const int lastRow = out.firstRow + out.rows - 1, lastCol = out.firstCol + out.cols - 1;
            ImportedBlock block = {nRow, nCol, static_cast<int>(std::min<long>(rows, lastRow - nRow + 1)),
                                   static_cast<int>(std::min<long>(cols, lastCol - nCol + 1))};
            if (m_calls.Ok() && block.rows >= 1 && block.cols >= 1 && (block.rows > 1 || block.cols > 1))
                out.blocks.push_back(block);
        }
    }
    ImportedCell cell;
    cell.row = nRow;
    cell.col = nCol;
    ReadContent(range, cell);
    ReadFormat(range, cell);
    if (!m_calls.Ok())
        return FALSE;
    out.cells.push_back(cell);
    return TRUE;
}

void CSheetReader::ReadContent(const AutomationObjectPtr& range, ImportedCell& cell)
{
    if (IsTrue(m_calls.Get(range, "HasFormula"))) {
        const V formula = m_calls.Get(range, "Formula");
        if (formula.kind == V::kText) {
            cell.content = ImportedCell::kFormula;
            cell.text = formula.strText;
        }
        return;
    }
    const V value = m_calls.Get(range, "Value");
    switch (value.kind) {
    case V::kEmpty:
    case V::kNull:
    case V::kMissing:
        cell.content = ImportedCell::kText;
        cell.text = "";
        break;
    case V::kBool:
    case V::kInt:
    case V::kDouble:
    case V::kCurrency:
        cell.content = ImportedCell::kNumber;
        cell.number = value.AsDouble();
        break;
    case V::kDate:
    case V::kText:
        cell.content = ImportedCell::kText;
        cell.text = value.strText;
        break;
    default:
        break;   // objects and errors leave the cell alone
    }
}

void CSheetReader::ReadFormat(const AutomationObjectPtr& range, ImportedCell& cell)
{
    AutomationObjectPtr font = m_calls.GetObject(range, "Font");
    const V name = m_calls.Get(font, "Name");
    cell.faceName = name.kind == V::kText ? name.strText : CString();
    if (cell.faceName.IsEmpty())
        cell.faceName = "宋体";
    const V size = m_calls.Get(font, "Size");
    cell.pointSize = size.IsNumeric() ? static_cast<int>(size.AsInt()) : 0;
    cell.bold = IsTrue(m_calls.Get(font, "Bold"));
    cell.italic = IsTrue(m_calls.Get(font, "Italic"));
    cell.strike = IsTrue(m_calls.Get(font, "Strikethrough"));
    cell.underline = m_calls.Get(font, "Underline").AsInt() == 2;
    cell.textColour = ColourOf(m_calls.Get(font, "Color"));
    AutomationObjectPtr interior = m_calls.GetObject(range, "Interior");
    cell.backColour = ColourOf(m_calls.Get(interior, "Color"));
    const long horizontal = static_cast<long>(m_calls.Get(range, "HorizontalAlignment").AsInt());
    const long vertical = static_cast<long>(m_calls.Get(range, "VerticalAlignment").AsInt());
    cell.align = AlignFromExcel(horizontal, vertical);
    cell.wrap = IsTrue(m_calls.Get(range, "WrapText"));

    static const int items[4] = {kExcelBorderItemLeft, kExcelBorderItemTop, kExcelBorderItemRight,
                                 kExcelBorderItemBottom};
    AutomationObjectPtr borders = m_calls.GetObject(range, "Borders");
    for (int i = 0; i < 4 && m_calls.Ok(); ++i) {
        AutomationObjectPtr border = m_calls.GetObject(borders, "Item", {V::Int(items[i])});
        const V lineStyle = m_calls.Get(border, "LineStyle");
        const int style = lineStyle.IsNumeric() ? PenStyleFromExcelLineStyle(static_cast<long>(lineStyle.AsInt())) : -1;
        if (style < 0)
            continue;
        ImportedSide& side = cell.sides[i];
        side.set = true;
        side.style = style;
        side.colour = ColourOf(m_calls.Get(border, "Color"));
        side.width = WidthFromExcelWeight(static_cast<long>(m_calls.Get(border, "Weight").AsInt()));
    }
}

void ApplyCell(CGridCtrl& grid, const ImportedCell& in, int nDpiY)
{
    switch (in.content) {
    case ImportedCell::kFormula:
        if (!grid.SetCellFormula(in.row, in.col, in.text)) {
            // A formula this grid cannot compile keeps its text.
            if (CGridCellBase* c = grid.GetCell(in.row, in.col))
                c->SetText(in.text);
        }
        break;
    case ImportedCell::kNumber:
        if (CGridCellBase* c = grid.GetCell(in.row, in.col))
            c->SetValue(in.number);
        break;
    case ImportedCell::kText:
        if (CGridCellBase* c = grid.GetCell(in.row, in.col))
            c->SetText(in.text);
        break;
    case ImportedCell::kNothing:
        break;
    }
    CGridCellBase* cell = grid.GetCell(in.row, in.col);
    if (cell == nullptr)
        return;
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    if (const LOGFONT* current = cell->GetFont())
        lf = *current;
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::strncpy(lf.lfFaceName, in.faceName, LF_FACESIZE - 1);
    const int pixels = in.pointSize * (nDpiY > 0 ? nDpiY : 96) / 72;
    lf.lfHeight = lf.lfHeight < 0 ? -pixels : pixels;
    lf.lfWeight = in.bold ? FW_BOLD : 0;
    lf.lfItalic = in.italic ? 1 : 0;
    lf.lfStrikeOut = in.strike ? 1 : 0;
    lf.lfUnderline = in.underline ? 1 : 0;
    cell->SetFont(&lf);
    cell->SetTextColor(in.textColour);
    cell->SetBackColor(in.backColour);
    cell->SetAlign(in.align);
    cell->SetWrapText(in.wrap ? TRUE : FALSE);
    static const int masks[4] = {1, 2, 4, 8};
    for (int i = 0; i < 4; ++i) {
        if (in.sides[i].set)
            grid.SetCellBorder(in.row, in.col, masks[i], in.sides[i].style, in.sides[i].colour, in.sides[i].width);
    }
}

void ApplySheet(CGridCtrl& grid, const ImportedSheet& sheet, int nDpiY)
{
    const int column0Width = grid.GetColumnCount() > 0 ? grid.GetColumnWidth(0) : -1;
    grid.DeleteAllCells();
    grid.SetRowCount(sheet.firstRow + sheet.rows);
    grid.SetColumnCount(sheet.firstCol + sheet.cols);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    if (column0Width >= 1)
        grid.SetColumnWidth(grid.GetFixedColumnCount() - 1, column0Width);
    for (const auto& w : sheet.columnWidths)
        grid.SetColumnWidth(w.first, w.second);
    for (const auto& h : sheet.rowHeights)
        grid.SetRowHeight(h.first, h.second);
    for (const ImportedCell& cell : sheet.cells)
        ApplyCell(grid, cell, nDpiY);
    for (const ImportedBlock& b : sheet.blocks)
        grid.MergeCells(b.row, b.col, b.row + b.rows - 1, b.col + b.cols - 1);
    // A covered cell takes its owner's value and format.
    for (const auto& pos : sheet.covered) {
        CGridCellPos owner;
        grid.GetMergeOwnerCell(owner, pos.first, pos.second);
        CGridCellBase* from = grid.GetCell(owner.row, owner.col);
        CGridCellBase* to = grid.GetCell(pos.first, pos.second);
        if (from == nullptr || to == nullptr || from == to)
            continue;
        if (from->IsNumber())
            to->SetValue(from->GetValue());
        else
            to->SetText(from->GetText() != nullptr ? from->GetText() : "");
        to->CopyFormat(from);
    }
    // Formulas read before the cells they refer to were filled.
    grid.CalcAll();
}

}  // namespace

short ImportExcelViaAutomation(CGridCtrl& grid, LPCTSTR szPath, LPCTSTR szPassword, long nSheetIndex)
{
    const CString path(szPath != nullptr ? szPath : "");
    DWORD attributes = 0;
    if (path.IsEmpty() || !PlatformFindFile(path, &attributes) || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return 0;
    CExcelTransferSession session(grid);
    if (!session.IsAdmitted())
        return 0;
    session.BeginWait();
    AutomationObjectPtr app = PlatformCreateAutomationObject(kServerProgId);
    if (!app) {
        PlatformMessageBox(session.GridWindow(), "无法创建EXCEL实例!", "", MB_OK);
        return 0;
    }
    session.DisableOwner();
    CExcelCalls calls;
    calls.Put(app, "Visible", V::Bool(false));
    calls.Put(app, "DisplayAlerts", V::Bool(false));
    AutomationObjectPtr books = calls.GetObject(app, "Workbooks");
    const CString password(szPassword != nullptr ? szPassword : "");
    CExcelCalls::Args openArgs(13, V::Missing());
    openArgs[0] = V::Text(path);
    openArgs[4] = V::Text(password);
    const V opened = calls.Call(books, "Open", openArgs);
    short result = 0;
    if (calls.Ok() && opened.kind == V::kObject && opened.object) {
        AutomationObjectPtr sheets = calls.GetObject(opened.object, "Sheets");
        const V count = calls.Get(sheets, "Count");
        if (calls.Ok() && nSheetIndex >= 1 && count.IsNumeric() && nSheetIndex <= count.AsInt()) {
            AutomationObjectPtr sheet = calls.GetObject(sheets, "Item", {V::Int(nSheetIndex)});
            ImportedSheet read;
            CSheetReader reader(session, calls);
            if (calls.Ok() && reader.Read(sheet, read)) {
                ApplySheet(grid, read, GetScreenPixelsPerInchY() > 0 ? GetScreenPixelsPerInchY() : 96);
                result = 1;
            }
        }
    }
    AutomationValue ignored;
    app->CallMethod("Quit", {}, ignored);
    return result;
}
