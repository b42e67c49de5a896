// The grid body of a template (section 2) and its cell list (section 4).
//
// Body, in file order (P1..P12 are the pieces of the 64-byte password check,
// of 4, 2, 6, 6, 8, 8, 10, 2, 8, 6, 2 and 2 bytes):
//   int32 row insert-format mode; P1, P2; int32 column insert-format mode; P3
//   int32 rows, columns, fixed rows, fixed columns
//   int32 4 x columns, the column widths; P4; int32 4 x rows; P5; the row heights
//   cell ids: int32 40 x entries, int32 40, per entry int32 column, int32
//     row, 32-byte id; P6
//   nine int32: list mode, single band, rows resizable, columns resizable,
//     drag and drop, redraw, sort ascending, keep selection, editable
//   the four default cells (normal; fixed row; fixed column; corner), each
//     int32 record size and, when not 0, the record, with P7 before the
//     second's size, P8 after it, P9 before the third's size, P10 after it,
//     P11 after the fourth's size and P12 after the fourth
//   int32 tree-column count and per tree column int32 size and its record
//     (which repeats the size, then tagged items up to the end tag)
//   35 int32 option words (see kOptionNames below)
//   int32 8 x entries, per entry int32 column and int32 numeric flag
//   above "03.41": int16 row and column reference flags, int16 (0); int32
//     bind count (and the bind list), int32 connection count (and the
//     connection list), the default-setting record
//   above "03.51": int32 count, user functions; int32 count, user constants
//   above "03.61": int32 count, pictures
//   above "03.71": int32 count, format rows; int32 count, format columns;
//     int32 frozen top, left, bottom, right; int32 draw freeze line, draw
//     frozen grid lines; int8 Enter direction, selection frame width, 0;
//     int32 allow copy, cut, paste
#include "document/TemplateGridBody.h"

#include "base/CMemFile.h"
#include "document/DefaultSettingArchive.h"
#include "document/TemplateArchive.h"
#include "document/TemplatePassword.h"
#include "document/TemplateVersion.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

const int kCheckPieces[12] = {4, 2, 6, 6, 8, 8, 10, 2, 8, 6, 2, 2};
const int kIdEntrySize = 40;
const int kOptionCount = 35;
// The most cells a template may lay out: far beyond any real sheet, and a
// bound on what a damaged count can make the reader allocate.
const long long kMaxTemplateCells = 20000000;

// Writes or reads the password check piece by piece.
class CheckPieces {
public:
    explicit CheckPieces(const char* pCheck) : m_pCheck(pCheck) {}
    void Write(CArchive& ar)
    {
        ar.Write(m_pCheck + m_nOffset, static_cast<UINT>(kCheckPieces[m_nPiece]));
        Next();
    }
    void Read(CArchive& ar, char* pOut)
    {
        ar.Read(pOut + m_nOffset, static_cast<UINT>(kCheckPieces[m_nPiece]));
        Next();
    }

private:
    void Next()
    {
        m_nOffset += kCheckPieces[m_nPiece];
        ++m_nPiece;
    }
    const char* m_pCheck;
    int m_nPiece = 0;
    int m_nOffset = 0;
};

bool Fail(CArchive& ar)
{
    ar.SetFailed(CArchive::statusBadCount);
    return false;
}

// Reads nCount int32 values that must fit what remains.
bool ReadInts(CArchive& ar, int nCount, std::vector<int>& values)
{
    if (nCount < 0 || static_cast<ULONGLONG>(nCount) * 4 > ar.GetRemaining())
        return Fail(ar);
    values.resize(static_cast<size_t>(nCount));
    for (int& v : values)
        ar >> v;
    return !ar.IsFailed();
}

bool Skip(CArchive& ar, long long nSize)
{
    if (nSize < 0 || static_cast<ULONGLONG>(nSize) > ar.GetRemaining())
        return Fail(ar);
    char buffer[4096];
    while (nSize > 0) {
        const UINT chunk = static_cast<UINT>(std::min<long long>(nSize, sizeof(buffer)));
        if (ar.Read(buffer, chunk) != chunk)
            return false;
        nSize -= chunk;
    }
    return true;
}

// A colour option above 0xFFFFFF stands for the built-in default.
COLORREF ColourOr(int value, COLORREF fallback)
{
    return static_cast<unsigned>(value) > 0xFFFFFFu ? fallback : static_cast<COLORREF>(value);
}

// Entries of a list stored as int32 count and per entry int32 size and a
// record: the lists this system stores empty until their records are built.
bool SkipSizedEntries(CArchive& ar, int nCount)
{
    if (nCount < 0 || static_cast<ULONGLONG>(nCount) * 4 > ar.GetRemaining())
        return Fail(ar);
    for (int i = 0; i < nCount; ++i) {
        int size = 0;
        ar >> size;
        if (ar.IsFailed() || !Skip(ar, size))
            return false;
    }
    return true;
}

void AppendInt(std::vector<BYTE>& out, int value)
{
    const unsigned u = static_cast<unsigned>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>((u >> (8 * i)) & 0xFF));
}

int IntAt(const std::vector<BYTE>& bytes, size_t at)
{
    unsigned u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | bytes[at + static_cast<size_t>(i)];
    return static_cast<int>(u);
}

// One stored tree column: int32 size, then the record, which repeats the size
// and holds tagged items (int32 tag, int32 length, data) up to the end tag.
// The items must fit the size and what remains; the record is kept as read.
bool ReadTreeRecord(CArchive& ar, TemplateTreeRecord& out)
{
    int size = 0, inner = 0;
    ar >> size >> inner;
    if (ar.IsFailed())
        return false;
    if (size <= 0 || inner != size || static_cast<ULONGLONG>(size) > ar.GetRemaining())
        return Fail(ar);
    out.bytes.clear();
    out.bytes.reserve(static_cast<size_t>(size) + 8);
    AppendInt(out.bytes, inner);
    long long consumed = 0;
    for (;;) {
        int tag = 0;
        ar >> tag;
        if (ar.IsFailed())
            return false;
        AppendInt(out.bytes, tag);
        if (tag == TREE_RECORD_END)
            return true;
        int length = 0;
        ar >> length;
        if (ar.IsFailed())
            return false;
        consumed += 8 + static_cast<long long>(length);
        if (length < 0 || consumed > size || static_cast<ULONGLONG>(length) > ar.GetRemaining())
            return Fail(ar);
        AppendInt(out.bytes, length);
        const size_t at = out.bytes.size();
        out.bytes.resize(at + static_cast<size_t>(length));
        if (length > 0 && ar.Read(out.bytes.data() + at, static_cast<UINT>(length)) != static_cast<UINT>(length))
            return false;
        if (tag == TREE_RECORD_POSITION && length == 8) {
            out.nStartRow = IntAt(out.bytes, at);
            out.nCol = IntAt(out.bytes, at + 4);
        }
    }
}

bool ReadTreeRecords(CArchive& ar, std::vector<TemplateTreeRecord>& trees)
{
    trees.clear();
    int count = 0;
    ar >> count;
    if (ar.IsFailed())
        return false;
    // Each tree takes at least its two sizes and the end tag.
    if (count < 0 || static_cast<ULONGLONG>(count) * 12 > ar.GetRemaining())
        return Fail(ar);
    trees.resize(static_cast<size_t>(count));
    for (TemplateTreeRecord& tree : trees) {
        if (!ReadTreeRecord(ar, tree))
            return false;
    }
    return true;
}

}  // namespace

struct GridTemplateAccess {
    static void WriteOptions(CGridCtrl& g, int o[kOptionCount])
    {
        std::fill(o, o + kOptionCount, 0);
        o[0] = g.m_nSelectionStyle;
        o[1] = g.m_bEnableSelection;
        o[2] = g.m_bTrackFocusHeaders;
        o[3] = g.m_bHandleTab;
        o[4] = g.m_nPasteMode;
        o[5] = g.m_bColumnSelectByHeader;
        o[6] = g.m_bRowSelectByHeader;
        o[7] = g.m_bMoveColumnsByHeader;
        o[8] = g.m_bMoveRowsByHeader;
        o[9] = g.m_bRowOddColour;
        o[10] = g.m_bRowEvenColour;
        o[11] = static_cast<int>(g.m_crRowOdd);
        o[12] = static_cast<int>(g.m_crRowEven);
        o[13] = g.m_bAutoSizeRowOnDblClick;
        o[14] = g.m_nAutoSizeStyle;
        o[15] = g.m_bHeaderSort;
        o[16] = g.m_DefaultSetting.m_bTip;
        o[17] = g.m_nResizeCaptureRange;
        o[18] = g.m_bVirtualMode;
        o[19] = g.m_bDrawNumZero;
        o[20] = g.m_DefaultSetting.m_crSelColor;
        o[21] = g.m_nClipSizeOption;
        o[22] = g.m_input.bTitleTips;
        o[23] = static_cast<int>(g.m_crGridBack);
        o[24] = static_cast<int>(g.m_crGridLine);
        o[25] = g.m_bPrintGridLines;
        o[26] = static_cast<int>(g.m_crSelFrame);
        o[27] = static_cast<int>(g.m_crSkin[0]);
        o[28] = g.m_input.bAutoSizeRowAfterEdit;
        o[29] = g.m_bDoubleBuffer;
        o[30] = g.m_bKeepSelection;
        o[31] = g.m_nSelectionKind;
        o[32] = g.m_nGridLineMode;
        o[33] = g.m_nSelectionStyle;
        o[34] = g.m_nSortColumn;
    }

    static void ReadOptions(CGridCtrl& g, const int o[kOptionCount])
    {
        g.m_nSelectionStyle = o[33];
        g.m_bEnableSelection = o[1];
        g.m_bTrackFocusHeaders = o[2];
        g.m_bHandleTab = o[3];
        g.m_nPasteMode = o[4];
        g.m_bColumnSelectByHeader = o[5];
        g.m_bRowSelectByHeader = o[6];
        g.m_bMoveColumnsByHeader = o[7];
        g.m_bMoveRowsByHeader = o[8];
        g.m_bRowOddColour = o[9];
        g.m_bRowEvenColour = o[10];
        g.m_crRowOdd = static_cast<COLORREF>(o[11]);
        g.m_crRowEven = static_cast<COLORREF>(o[12]);
        g.m_bAutoSizeRowOnDblClick = o[13];
        g.m_nAutoSizeStyle = o[14];
        g.m_bHeaderSort = o[15];
        g.m_DefaultSetting.m_bTip = o[16];
        g.m_nResizeCaptureRange = o[17];
        // o[18], the virtual-mode switch, is kept by the owner, not by the file.
        g.m_bDrawNumZero = o[19];
        g.m_DefaultSetting.m_crSelColor = o[20];
        g.m_nClipSizeOption = o[21];
        g.m_input.bTitleTips = o[22];
        g.m_crGridBack = static_cast<COLORREF>(o[23]);
        g.m_crGridLine = static_cast<COLORREF>(o[24]);
        g.m_bPrintGridLines = o[25];
        g.m_crSelFrame = ColourOr(o[26], 0);
        g.m_crSkin[0] = ColourOr(o[27], 0xCEB69E);
        g.m_input.bAutoSizeRowAfterEdit = o[28];
        g.m_bDoubleBuffer = o[29];
        g.m_bKeepSelection = o[30];
        g.m_nSelectionKind = (o[31] >= GSK_CELLS && o[31] <= GSK_ALL) ? o[31] : GSK_CELLS;
        g.m_nGridLineMode = o[32];
        g.m_nSortColumn = o[34];
    }

    static void WriteDefaultCell(CArchive& ar, CGridDefaultCell& cell)
    {
        ar << cell.GetRecordSize();
    }

    static void WriteBody(CGridCtrl& g, CArchive& ar, const char* pCheck)
    {
        CheckPieces check(pCheck);
        ar << static_cast<int>(g.m_nRowInsertFormatMode);
        check.Write(ar);
        check.Write(ar);
        ar << static_cast<int>(g.m_nColInsertFormatMode);
        check.Write(ar);
        ar << g.m_nRows << g.m_nCols << g.m_nFixedRows << g.m_nFixedCols;
        ar << 4 * g.m_arColWidths.GetSize();
        for (UINT w : g.m_arColWidths)
            ar << w;
        check.Write(ar);
        ar << 4 * g.m_arRowHeights.GetSize();
        check.Write(ar);
        for (UINT h : g.m_arRowHeights)
            ar << h;
        ar << kIdEntrySize * static_cast<int>(g.m_arCellIds.size()) << kIdEntrySize;
        for (const GridCellIdEntry& entry : g.m_arCellIds) {
            ar << entry.col << entry.row;
            ar.WritePaddedText(entry.szId, 32);
        }
        check.Write(ar);
        ar << g.m_bListMode << g.m_bSingleBand << g.m_DefaultSetting.m_bAllowResizeRow
           << g.m_DefaultSetting.m_bAllowResizeCol << g.m_bAllowDragAndDrop << g.m_bAllowDraw << g.m_bSortAscending
           << g.m_bKeepSelection << g.m_DefaultSetting.m_bEditable;
        CGridDefaultCell* cells[4] = {&g.m_cellDefault, &g.m_cellFixedRowDef, &g.m_cellFixedColDef,
                                      &g.m_cellFixedRowColDef};
        for (int i = 0; i < 4; ++i) {
            if (i == 1 || i == 2)
                check.Write(ar);                  // P7, P9
            const int size = cells[i]->GetRecordSize();
            ar << size;
            if (i >= 1)
                check.Write(ar);                  // P8, P10, P11
            if (size != 0)
                cells[i]->SerializeRecord(ar, nullptr);
        }
        check.Write(ar);                          // P12
        // Tree columns without rows have no record and are not stored.
        int trees = 0;
        for (const std::unique_ptr<CTreeColumn>& pTree : g.m_arTrees)
            trees += pTree->GetRecordSize() > 0 ? 1 : 0;
        ar << trees;
        for (const std::unique_ptr<CTreeColumn>& pTree : g.m_arTrees) {
            const int size = pTree->GetRecordSize();
            if (size <= 0)
                continue;
            ar << size;
            pTree->Serialize(ar);
        }
        int options[kOptionCount];
        WriteOptions(g, options);
        for (int o : options)
            ar << o;
        ar << 8 * static_cast<int>(g.m_arColumnSortTypes.size());
        for (const GridColumnSortType& entry : g.m_arColumnSortTypes)
            ar << entry.col << entry.bNumeric;
        ar << g.m_nRowRefFlags << g.m_nColRefFlags << static_cast<short>(0);
        ar << g.m_BindList.GetCount();            // binds: the count, then the list with its own count
        if (g.m_BindList.GetCount() > 0)
            g.m_BindList.Serialize(ar);
        ar << g.GetConnectionList().GetCount();    // connection definitions, then their list
        if (g.GetConnectionList().GetCount() > 0)
            g.GetConnectionList().Serialize(ar);
        WriteDefaultSettingRecord(ar, g.m_DefaultSetting);
        int functions = g.m_FormulaEngine.GetUserFunctionCount();
        ar << functions;
        if (functions > 0)
            g.m_FormulaEngine.SerializeUserFunctions(ar, &functions);
        int constants = g.m_FormulaEngine.GetUserConstantCount();
        ar << constants;
        if (constants > 0)
            g.m_FormulaEngine.SerializeUserConstants(ar, &constants);
        int pictures = 0;
        for (int i = 0; i < g.m_PictureList.GetCount(); ++i)
            pictures += g.m_PictureList.GetEntryAt(i)->GetRecordSize() > 0 ? 1 : 0;
        ar << pictures;
        if (pictures > 0)
            g.m_PictureList.Serialize(ar, pictures);
        ar << static_cast<int>(g.m_arFormatRows.size());
        for (int row : g.m_arFormatRows)
            ar << row;
        ar << static_cast<int>(g.m_arFormatCols.size());
        for (int col : g.m_arFormatCols)
            ar << col;
        ar << g.m_nFreezeTopRows << g.m_nFreezeLeftCols << g.m_nFreezeBottomRows << g.m_nFreezeRightCols;
        ar << g.m_bDrawFreezeLine << g.m_bDrawFreezeGridLines;
        ar << static_cast<BYTE>(g.m_nEnterDirection) << static_cast<BYTE>(g.m_nSelFrameThickness)
           << static_cast<BYTE>(0);
        ar << g.m_bAllowCopy << g.m_bAllowCut << g.m_bAllowPaste;
    }

    static int ReadBody(CGridCtrl& g, CArchive& ar, int nSize, const char* pExpected,
                        std::vector<TemplateTreeRecord>& trees)
    {
        if (nSize < 0 || static_cast<ULONGLONG>(nSize) > ar.GetRemaining())
            return Fail(ar), TRR_FORMAT_ERROR;
        const ULONGLONG start = ar.GetRemaining();
        auto consumed = [&]() { return static_cast<long long>(start - ar.GetRemaining()); };
        char stored[kTemplatePasswordCheckSize] = {};
        CheckPieces check(stored);
        int rowMode = 0, colMode = 0;
        ar >> rowMode;
        check.Read(ar, stored);
        check.Read(ar, stored);
        ar >> colMode;
        check.Read(ar, stored);
        int rows = 0, cols = 0, fixedRows = 0, fixedCols = 0;
        ar >> rows >> cols >> fixedRows >> fixedCols;
        if (ar.IsFailed())
            return TRR_FORMAT_ERROR;
        if (rows < 0 || cols < 0 || fixedRows < 0 || fixedCols < 0 || fixedRows > rows || fixedCols > cols)
            return Fail(ar), TRR_FORMAT_ERROR;
        // Every row and column has at least its size in the body, so counts
        // beyond the section cannot be real.
        if (static_cast<long long>(rows) + cols > nSize / 4)
            return Fail(ar), TRR_FORMAT_ERROR;
        if (static_cast<long long>(rows) * cols > kMaxTemplateCells)
            return Fail(ar), TRR_FORMAT_ERROR;
        int widthBytes = 0;
        ar >> widthBytes;
        if (widthBytes < 0 || widthBytes % 4 != 0)
            return Fail(ar), TRR_FORMAT_ERROR;
        std::vector<int> widths;
        if (!ReadInts(ar, widthBytes / 4, widths))
            return TRR_FORMAT_ERROR;
        check.Read(ar, stored);
        int heightBytes = 0;
        ar >> heightBytes;
        if (heightBytes < 0 || heightBytes % 4 != 0)
            return Fail(ar), TRR_FORMAT_ERROR;
        check.Read(ar, stored);
        std::vector<int> heights;
        if (!ReadInts(ar, heightBytes / 4, heights))
            return TRR_FORMAT_ERROR;
        int idBytes = 0, idEntry = 0;
        ar >> idBytes >> idEntry;
        if (ar.IsFailed())
            return TRR_FORMAT_ERROR;
        if (idEntry != kIdEntrySize || idBytes < 0 || idBytes % kIdEntrySize != 0 ||
            static_cast<ULONGLONG>(idBytes) > ar.GetRemaining())
            return Fail(ar), TRR_FORMAT_ERROR;
        std::vector<GridCellIdEntry> ids(static_cast<size_t>(idBytes / kIdEntrySize));
        for (GridCellIdEntry& entry : ids) {
            ar >> entry.col >> entry.row;
            CString id;
            ar.ReadPaddedText(id, 32);
            const CString cut = CGridPrintSettings::CutToField(id, 32);
            std::memset(entry.szId, 0, sizeof(entry.szId));
            std::memcpy(entry.szId, static_cast<LPCTSTR>(cut), static_cast<size_t>(cut.GetLength()));
        }
        check.Read(ar, stored);
        int w[9] = {};
        for (int& v : w)
            ar >> v;
        CGridDefaultCell* cells[4] = {&g.m_cellDefault, &g.m_cellFixedRowDef, &g.m_cellFixedColDef,
                                      &g.m_cellFixedRowColDef};
        for (int i = 0; i < 4; ++i) {
            if (i == 1 || i == 2)
                check.Read(ar, stored);
            int size = 0;
            ar >> size;
            if (i >= 1)
                check.Read(ar, stored);
            if (ar.IsFailed())
                return TRR_FORMAT_ERROR;
            if (size < 0 || static_cast<ULONGLONG>(size) > ar.GetRemaining())
                return Fail(ar), TRR_FORMAT_ERROR;
            if (size != 0)
                cells[i]->SerializeRecord(ar, nullptr);
            if (ar.IsFailed())
                return TRR_FORMAT_ERROR;
        }
        check.Read(ar, stored);
        if (ar.IsFailed())
            return TRR_FORMAT_ERROR;
        if (!PasswordChecksMatch(stored, pExpected))
            return TRR_WRONG_PASSWORD;

        if (!ReadTreeRecords(ar, trees))
            return TRR_FORMAT_ERROR;
        int options[kOptionCount] = {};
        for (int& o : options)
            ar >> o;
        int sortBytes = 0;
        ar >> sortBytes;
        if (ar.IsFailed() || sortBytes < 0 || sortBytes % 8 != 0)
            return Fail(ar), TRR_FORMAT_ERROR;
        std::vector<int> sorts;
        if (!ReadInts(ar, sortBytes / 4, sorts))
            return TRR_FORMAT_ERROR;

        // What the sheet is made of is known: lay it out with the defaults just read.
        g.m_nRowInsertFormatMode = static_cast<short>(rowMode);
        g.m_nColInsertFormatMode = static_cast<short>(colMode);
        g.m_bListMode = w[0];
        g.m_bSingleBand = w[1];
        g.m_DefaultSetting.m_bAllowResizeRow = w[2];
        g.m_DefaultSetting.m_bAllowResizeCol = w[3];
        g.m_bAllowDragAndDrop = w[4];
        g.m_bSortAscending = w[6];
        g.m_bKeepSelection = w[7];
        g.m_DefaultSetting.m_bEditable = w[8];
        ReadOptions(g, options);
        const BOOL oddColour = g.m_bRowOddColour;
        const BOOL evenColour = g.m_bRowEvenColour;
        // New cells take the alternate row colours of the file only through their records.
        g.m_bRowOddColour = FALSE;
        g.m_bRowEvenColour = FALSE;
        // Rows first: the cells are then made by the column count alone, as a
        // new sheet's are, without colours of their own, so that header cells
        // follow the header defaults and a cell owns exactly the colours its
        // record gives it.
        if (!g.SetRowCount(rows) || !g.SetColumnCount(cols) || !g.SetFixedRowCount(fixedRows) ||
            !g.SetFixedColumnCount(fixedCols))
            return Fail(ar), TRR_FORMAT_ERROR;
        g.m_bRowOddColour = oddColour;
        g.m_bRowEvenColour = evenColour;
        for (int c = 0; c < cols && c < static_cast<int>(widths.size()); ++c)
            g.m_arColWidths.SetAt(c, static_cast<UINT>(std::max(0, widths[static_cast<size_t>(c)])));
        for (int r = 0; r < rows && r < static_cast<int>(heights.size()); ++r)
            g.m_arRowHeights.SetAt(r, static_cast<UINT>(std::max(0, heights[static_cast<size_t>(r)])));
        g.m_arCellIds.clear();
        for (const GridCellIdEntry& entry : ids)
            g.AddCellIdEntry(entry.row, entry.col, entry.szId);
        g.m_arColumnSortTypes.clear();
        for (size_t i = 0; i + 1 < sorts.size(); i += 2)
            g.SetColumnSortType(sorts[i], sorts[i + 1]);

        if (IsTemplateVersionAbove("03.41")) {
            short third = 0;
            ar >> g.m_nRowRefFlags >> g.m_nColRefFlags >> third;
            int binds = 0;
            ar >> binds;
            if (ar.IsFailed() || binds < 0)
                return Fail(ar), TRR_FORMAT_ERROR;
            if (binds == 0)
                g.m_BindList.DeleteAllBinds();
            else if (!g.m_BindList.Load(ar))
                return TRR_FORMAT_ERROR;
            int connections = 0;
            ar >> connections;
            if (ar.IsFailed() || connections < 0)
                return Fail(ar), TRR_FORMAT_ERROR;
            g.GetConnectionList().DeleteAll();
            if (connections > 0) {
                g.GetConnectionList().Serialize(ar);
                if (ar.IsFailed())
                    return TRR_FORMAT_ERROR;
            }
            const CGridDefaultSetting kept = g.m_DefaultSetting;
            if (!ReadDefaultSettingRecord(ar, g.m_DefaultSetting))
                return TRR_FORMAT_ERROR;
            // The untagged fields came with the body's values.
            g.m_DefaultSetting.m_bEditable = kept.m_bEditable;
            g.m_DefaultSetting.m_bTip = kept.m_bTip;
            g.m_DefaultSetting.m_bAllowResizeRow = kept.m_bAllowResizeRow;
            g.m_DefaultSetting.m_bAllowResizeCol = kept.m_bAllowResizeCol;
            g.m_DefaultSetting.m_crSelColor = kept.m_crSelColor;
        }
        if (IsTemplateVersionAbove("03.51")) {
            int functions = 0;
            ar >> functions;
            if (ar.IsFailed() || functions < 0)
                return Fail(ar), TRR_FORMAT_ERROR;
            if (functions > 0 && !g.m_FormulaEngine.SerializeUserFunctions(ar, &functions))
                return Fail(ar), TRR_FORMAT_ERROR;
            int constants = 0;
            ar >> constants;
            if (ar.IsFailed() || constants < 0)
                return Fail(ar), TRR_FORMAT_ERROR;
            if (constants > 0 && !g.m_FormulaEngine.SerializeUserConstants(ar, &constants))
                return Fail(ar), TRR_FORMAT_ERROR;
        }
        if (IsTemplateVersionAbove("03.61")) {
            int pictures = 0;
            ar >> pictures;
            if (ar.IsFailed() || pictures < 0)
                return Fail(ar), TRR_FORMAT_ERROR;
            if (pictures > 0)
                g.m_PictureList.Serialize(ar, pictures);
            if (ar.IsFailed())
                return TRR_FORMAT_ERROR;
        }
        if (IsTemplateVersionAbove("03.71")) {
            int count = 0;
            std::vector<int> formatRows, formatCols;
            ar >> count;
            if (!ReadInts(ar, count, formatRows))
                return TRR_FORMAT_ERROR;
            ar >> count;
            if (!ReadInts(ar, count, formatCols))
                return TRR_FORMAT_ERROR;
            int freeze[4] = {};
            int lines[2] = {};
            BYTE bytes[3] = {};
            int allow[3] = {};
            for (int& v : freeze)
                ar >> v;
            ar >> lines[0] >> lines[1] >> bytes[0] >> bytes[1] >> bytes[2] >> allow[0] >> allow[1] >> allow[2];
            if (ar.IsFailed())
                return TRR_FORMAT_ERROR;
            g.m_arFormatRows.clear();
            for (int row : formatRows)
                g.AddFormatRow(row);
            g.m_arFormatCols.clear();
            for (int col : formatCols)
                g.AddFormatColumn(col);
            g.SetFreezeTopRows(freeze[0]);
            g.SetFreezeLeftCols(freeze[1]);
            g.SetFreezeBottomRows(freeze[2]);
            g.SetFreezeRightCols(freeze[3]);
            g.m_bDrawFreezeLine = lines[0];
            g.m_bDrawFreezeGridLines = lines[1];
            g.m_nEnterDirection = bytes[0];
            g.m_nSelFrameThickness = bytes[1];
            g.m_bAllowCopy = allow[0];
            g.m_bAllowCut = allow[1];
            g.m_bAllowPaste = allow[2];
        }
        if (ar.IsFailed())
            return TRR_FORMAT_ERROR;
        if (consumed() > nSize)
            return Fail(ar), TRR_FORMAT_ERROR;
        if (!Skip(ar, nSize - consumed()))
            return TRR_FORMAT_ERROR;
        g.m_bAllowDraw = TRUE;
        return TRR_OK;
    }

    static BOOL AttachTrees(CGridCtrl& g, const std::vector<TemplateTreeRecord>& trees)
    {
        for (const TemplateTreeRecord& tree : trees) {
            // The record's row and column each stand when usable: a record
            // without a usable start row starts below the fixed rows, one
            // without a usable column (column 0 is none, as in the tree's text)
            // takes the first column after the fixed ones.
            // A start row or column in the tree's text decides over both.
            const int row = tree.nStartRow >= 1 ? tree.nStartRow : std::max(1, g.m_nFixedRows);
            const int col = tree.nCol >= 1 ? tree.nCol : std::min(g.m_nFixedCols, std::max(0, g.m_nCols - 1));
            // Attaching shows every row of the tree; the heights the file
            // gave (0 for the rows a fold hid) are put back after it, and the
            // tree takes its folds from them.
            std::vector<UINT> heights;
            for (int r = 0; r < g.m_nRows; ++r)
                heights.push_back(g.m_arRowHeights.GetAt(r));
            CMemFile file(const_cast<BYTE*>(tree.bytes.data()), static_cast<UINT>(tree.bytes.size()));
            CArchive ar(&file, CArchive::load);
            if (!g.SetColumnControlTree(row, col, ar))
                return FALSE;
            for (int r = 0; r < g.m_nRows && r < static_cast<int>(heights.size()); ++r)
                g.m_arRowHeights.SetAt(r, heights[static_cast<size_t>(r)]);
            for (int t = 0; CTreeColumn* pTree = g.GetTreeAt(t); ++t)
                pTree->TakeVisibilityFromRowHeights();
        }
        return TRUE;
    }

    // Everything a template gives a sheet goes from `from`, a sheet that has
    // just read one, to `to`; what is not the template's own (window,
    // selection, input, bindings made since) stays with `to`. `from` is left
    // empty. The cells, lines and trees move without being copied.
    static void TakeSheet(CGridCtrl& to, CGridCtrl& from)
    {
        const cellvalue::ChangeScope cellsRearranged;
        const std::vector<CGridCellPos> formulas = from.GetFormulaCells();
        to.DeleteAllCells();
        // Lines and cells.
        to.m_RowData.swap(from.m_RowData);
        for (CGridCtrl::GridRow& row : to.m_RowData) {
            for (std::unique_ptr<CGridCellBase>& pCell : row) {
                if (pCell)
                    pCell->SetGrid(&to);
            }
        }
        to.m_nRows = from.m_nRows;
        to.m_nCols = from.m_nCols;
        to.m_nFixedRows = from.m_nFixedRows;
        to.m_nFixedCols = from.m_nFixedCols;
        std::swap(to.m_arRowHeights, from.m_arRowHeights);
        std::swap(to.m_arColWidths, from.m_arColWidths);
        to.m_arHiddenRows.swap(from.m_arHiddenRows);
        to.m_arHiddenCols.swap(from.m_arHiddenCols);
        to.m_arCellIds.swap(from.m_arCellIds);
        to.m_arColumnSortTypes.swap(from.m_arColumnSortTypes);
        to.m_arFormatRows.swap(from.m_arFormatRows);
        to.m_arFormatCols.swap(from.m_arFormatCols);
        std::swap(to.m_arMergeOwners, from.m_arMergeOwners);
        to.m_nFreezeTopRows = from.m_nFreezeTopRows;
        to.m_nFreezeLeftCols = from.m_nFreezeLeftCols;
        to.m_nFreezeBottomRows = from.m_nFreezeBottomRows;
        to.m_nFreezeRightCols = from.m_nFreezeRightCols;
        from.m_nRows = from.m_nCols = from.m_nFixedRows = from.m_nFixedCols = 0;
        from.m_nFreezeTopRows = from.m_nFreezeLeftCols = from.m_nFreezeBottomRows = from.m_nFreezeRightCols = 0;
        to.m_idTopLeftCell = CGridCellPos();
        // The body's values and option words.
        to.m_nRowInsertFormatMode = from.m_nRowInsertFormatMode;
        to.m_nColInsertFormatMode = from.m_nColInsertFormatMode;
        to.m_bListMode = from.m_bListMode;
        to.m_bSingleBand = from.m_bSingleBand;
        to.m_bAllowDragAndDrop = from.m_bAllowDragAndDrop;
        to.m_bSortAscending = from.m_bSortAscending;
        to.m_DefaultSetting = from.m_DefaultSetting;
        int options[kOptionCount];
        WriteOptions(from, options);
        options[18] = to.m_bVirtualMode;
        ReadOptions(to, options);
        // ReadOptions maps stored colours; these are the values themselves.
        to.m_crSelFrame = from.m_crSelFrame;
        to.m_crSkin[0] = from.m_crSkin[0];
        to.m_nSelectionStyle = from.m_nSelectionStyle;
        to.m_nRowRefFlags = from.m_nRowRefFlags;
        to.m_nColRefFlags = from.m_nColRefFlags;
        to.m_bDrawFreezeLine = from.m_bDrawFreezeLine;
        to.m_bDrawFreezeGridLines = from.m_bDrawFreezeGridLines;
        to.m_nEnterDirection = from.m_nEnterDirection;
        to.m_nSelFrameThickness = from.m_nSelFrameThickness;
        to.m_bAllowCopy = from.m_bAllowCopy;
        to.m_bAllowCut = from.m_bAllowCut;
        to.m_bAllowPaste = from.m_bAllowPaste;
        to.m_bAllowDraw = from.m_bAllowDraw;
        // The default cells take the records the template gave them.
        CGridDefaultCell* toCells[4] = {&to.m_cellDefault, &to.m_cellFixedRowDef, &to.m_cellFixedColDef,
                                        &to.m_cellFixedRowColDef};
        CGridDefaultCell* fromCells[4] = {&from.m_cellDefault, &from.m_cellFixedRowDef, &from.m_cellFixedColDef,
                                          &from.m_cellFixedRowColDef};
        for (int i = 0; i < 4; ++i) {
            if (fromCells[i]->GetRecordSize() == 0)
                continue;
            CMemFile record(4096);
            {
                CArchive out(&record, CArchive::store);
                fromCells[i]->SerializeRecord(out, nullptr);
            }
            CMemFile in(const_cast<BYTE*>(record.GetBufferPtr()), static_cast<UINT>(record.GetLength()));
            CArchive ar(&in, CArchive::load);
            toCells[i]->SerializeRecord(ar, nullptr);
        }
        // Formula tables and pictures through their own records.
        {
            CMemFile tables(4096);
            {
                CArchive out(&tables, CArchive::store);
                int functions = from.m_FormulaEngine.GetUserFunctionCount();
                int constants = from.m_FormulaEngine.GetUserConstantCount();
                int pictures = 0;
                for (int i = 0; i < from.m_PictureList.GetCount(); ++i)
                    pictures += from.m_PictureList.GetEntryAt(i)->GetRecordSize() > 0 ? 1 : 0;
                out << functions << constants << pictures;
                if (functions > 0)
                    from.m_FormulaEngine.SerializeUserFunctions(out, &functions);
                if (constants > 0)
                    from.m_FormulaEngine.SerializeUserConstants(out, &constants);
                if (pictures > 0)
                    from.m_PictureList.Serialize(out, pictures);
            }
            CMemFile in(const_cast<BYTE*>(tables.GetBufferPtr()), static_cast<UINT>(tables.GetLength()));
            CArchive ar(&in, CArchive::load);
            int functions = 0, constants = 0, pictures = 0;
            ar >> functions >> constants >> pictures;
            to.m_PictureList.DeleteAll();
            if (functions > 0)
                to.m_FormulaEngine.SerializeUserFunctions(ar, &functions);
            if (constants > 0)
                to.m_FormulaEngine.SerializeUserConstants(ar, &constants);
            if (pictures > 0)
                to.m_PictureList.Serialize(ar, pictures);
        }
        // Binds and connection definitions through their stored form, which
        // gives every entry the new grid; the template's lists replace the
        // shown sheet's even when they are empty.
        {
            CMemFile lists(4096);
            {
                CArchive out(&lists, CArchive::store);
                if (from.m_BindList.GetCount() > 0)
                    from.m_BindList.Serialize(out);
                if (from.m_ConnectionList.GetCount() > 0)
                    from.m_ConnectionList.Serialize(out);
            }
            CMemFile in(const_cast<BYTE*>(lists.GetBufferPtr()), static_cast<UINT>(lists.GetLength()));
            CArchive ar(&in, CArchive::load);
            to.m_BindList.DeleteAllBinds();
            if (from.m_BindList.GetCount() > 0)
                to.m_BindList.Load(ar);
            to.m_ConnectionList.DeleteAll();
            if (from.m_ConnectionList.GetCount() > 0)
                to.m_ConnectionList.Serialize(ar);
        }
        to.m_PrintSettings = std::move(from.m_PrintSettings);
        to.m_FileInfo = from.m_FileInfo;
        to.m_TemplateState.header = from.m_TemplateState.header;
        to.m_TemplateState.strPassword = from.m_TemplateState.strPassword;
        // The trees, and the formula cells registered at their places.
        to.m_arTrees.swap(from.m_arTrees);
        for (std::unique_ptr<CTreeColumn>& pTree : to.m_arTrees)
            pTree->SetGrid(&to);
        for (const CGridCellPos& cell : formulas)
            to.AddFormulaCell(cell.row, cell.col);
    }

    static void WriteCells(CGridCtrl& g, CArchive& ar)
    {
        if (!g.m_bVirtualMode) {
            for (int row = 0; row < g.m_nRows && row < static_cast<int>(g.m_RowData.size()); ++row) {
                const CGridCtrl::GridRow& cells = g.m_RowData[static_cast<size_t>(row)];
                for (int col = 0; col < g.m_nCols && col < static_cast<int>(cells.size()); ++col) {
                    CGridCellBase* pCell = cells[static_cast<size_t>(col)].get();
                    if (pCell == nullptr)
                        continue;
                    const int type = CGridCtrl::GetCellTypeFromClassName(pCell->GetRuntimeClass()->m_lpszClassName);
                    if (type == 0 && pCell->GetRecordSize() <= 0)
                        continue;
                    ar << type << row << col;
                    pCell->SerializeRecord(ar, nullptr);
                }
            }
        }
        ar << kTemplateEndOfCells;
    }

    static int ReadCells(CGridCtrl& g, CArchive& ar)
    {
        // Each cell type's class is looked up by name once, when first met.
        const CRuntimeClass* classes[GCT_COUNT] = {};
        bool looked[GCT_COUNT] = {};
        for (;;) {
            int type = 0;
            ar >> type;
            if (ar.IsFailed())
                return TRR_FORMAT_ERROR;
            if (type == kTemplateEndOfCells)
                return TRR_OK;
            // Row and column: two little-endian 32-bit integers, read as one block.
            BYTE place[8];
            ar.Read(place, sizeof(place));
            const int row = static_cast<int>(static_cast<unsigned>(place[0]) | static_cast<unsigned>(place[1]) << 8 |
                                             static_cast<unsigned>(place[2]) << 16 | static_cast<unsigned>(place[3]) << 24);
            const int col = static_cast<int>(static_cast<unsigned>(place[4]) | static_cast<unsigned>(place[5]) << 8 |
                                             static_cast<unsigned>(place[6]) << 16 | static_cast<unsigned>(place[7]) << 24);
            if (ar.IsFailed() || !g.IsValid(row, col))
                return Fail(ar), TRR_FORMAT_ERROR;
            if (type < 0 || type >= GCT_COUNT)
                return Fail(ar), TRR_FORMAT_ERROR;
            if (!looked[type]) {
                LPCTSTR className = GetCellTypeClassName(type);
                classes[type] = className != nullptr ? CRuntimeClass::FromName(className) : nullptr;
                looked[type] = true;
            }
            const CRuntimeClass* pClass = classes[type];
            if (pClass == nullptr)
                return Fail(ar), TRR_FORMAT_ERROR;
            CGridCellBase* pCell = g.GetCell(row, col);
            if (pCell == nullptr || pCell->GetRuntimeClass() != pClass) {
                if (!g.SetCellType(row, col, pClass))
                    return Fail(ar), TRR_FORMAT_ERROR;
                pCell = g.GetCell(row, col);
            }
            if (pCell == nullptr)
                return Fail(ar), TRR_FORMAT_ERROR;
            pCell->SerializeRecord(ar, nullptr);
            if (ar.IsFailed())
                return TRR_FORMAT_ERROR;
            if (type == GCT_FORMULA)
                g.AddFormulaCell(row, col);
        }
    }
};

void WriteTemplateGridBody(CGridCtrl& grid, CArchive& ar, const char* pPasswordCheck)
{
    GridTemplateAccess::WriteBody(grid, ar, pPasswordCheck);
}

int ReadTemplateGridBody(CGridCtrl& grid, CArchive& ar, int nSize, const char* pPasswordCheck,
                         std::vector<TemplateTreeRecord>& trees)
{
    return GridTemplateAccess::ReadBody(grid, ar, nSize, pPasswordCheck, trees);
}

BOOL AttachTemplateTrees(CGridCtrl& grid, const std::vector<TemplateTreeRecord>& trees)
{
    return GridTemplateAccess::AttachTrees(grid, trees);
}

void TakeTemplateSheet(CGridCtrl& to, CGridCtrl& from)
{
    GridTemplateAccess::TakeSheet(to, from);
}

void WriteTemplateCellList(CGridCtrl& grid, CArchive& ar)
{
    GridTemplateAccess::WriteCells(grid, ar);
}

int ReadTemplateCellList(CGridCtrl& grid, CArchive& ar)
{
    return GridTemplateAccess::ReadCells(grid, ar);
}
