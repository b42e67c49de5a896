// The tree column's state, its attribute text with the commands and queries
// that arrive through it, and its record.
#include "grid/TreeColumn.h"

#include "base/CArchive.h"
#include "base/NumberText.h"
#include "cellcontent/StringUtil.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "grid/GridTreeCell.h"

#include <algorithm>
#include <string>
#include <climits>
#include <cstdint>
#include <cstring>

IMPLEMENT_DYNCREATE(CTreeColumn, CObject)

namespace {

const char* const kElement = "control";

// A level as a text item gives it: a whole number held to 0..127.
unsigned char LevelOf(const CString& item)
{
    const int v = AToI(item);
    return static_cast<unsigned char>(std::min(127, std::max(0, v)));
}

BOOL IsTrueText(const CString& value)
{
    return value.CompareNoCase("true") == 0 || value == "1";
}

// The items of a list separated by ",", each trimmed.
std::vector<CString> SplitList(const CString& list)
{
    // A comma is never the trail byte of a two-byte character in code page
    // 936, so the bytes are split in one pass.
    std::vector<CString> items;
    const std::string& bytes = list.Str();
    size_t from = 0;
    for (;;) {
        const size_t comma = bytes.find(',', from);
        const size_t end = comma == std::string::npos ? bytes.size() : comma;
        CString item(bytes.data() + from, static_cast<int>(end - from));
        item.Trim();
        items.push_back(item);
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    return items;
}

CString IntText(int v)
{
    CString s;
    s.Format("%d", v);
    return s;
}

}  // namespace

CTreeColumn::CTreeColumn() = default;

CTreeColumn::~CTreeColumn() = default;

void CTreeColumn::SetTreePosition(int nStartRow, int nCol)
{
    m_nStartRow = nStartRow;
    m_nCol = nCol;
    m_bPlaced = TRUE;
}

BOOL CTreeColumn::InitializeTree()
{
    if (m_pGrid == nullptr || m_nStartRow < 0 || m_nCol < 0)
        return FALSE;
    m_rows.assign(1, TreeRow{1, 1, -1});
    m_bCacheValid = false;
    m_nBoxSize = TREE_DEFAULT_BOX_SIZE;
    m_bShowLine = TRUE;
    m_bShowRectangle = TRUE;
    m_crLine = TREE_DEFAULT_LINE_COLOUR;
    m_crBoxLine = TREE_DEFAULT_LINE_COLOUR;
    m_crBoxBack = TREE_DEFAULT_BOX_BACK;
    m_nLineStyle = TLINE_DOTTED;
    m_nBoxLineStyle = TLINE_NORMAL;
    if (!Attach())
        return FALSE;
    ShowAll();
    ApplyRowVisibility();
    RebuildElement();
    return TRUE;
}

void CTreeColumn::SetBoxSize(int nSize)
{
    const int size = static_cast<std::int16_t>(nSize & 0xFFFF);
    if (size < 10)
        return;
    m_nBoxSize = std::min(size, 1000);
    m_nIndent = m_nBoxSize;
    RebuildElement();
    Invalidate();
}

// --- attribute text --------------------------------------------------------------------------

CString CTreeColumn::GetAttributeText() const
{
    if (m_rows.empty())
        return CString();
    std::string levels;
    levels.reserve(m_rows.size() * 2);
    char buf[8];
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (i > 0)
            levels += ',';
        // Levels are 0..127: two or three digits at most.
        const int v = m_rows[i].level;
        int n = 0;
        if (v >= 100)
            buf[n++] = static_cast<char>('0' + v / 100);
        if (v >= 10)
            buf[n++] = static_cast<char>('0' + (v / 10) % 10);
        buf[n++] = static_cast<char>('0' + v % 10);
        levels.append(buf, static_cast<size_t>(n));
    }
    CString text("<control ");
    text += "treerow = \"";
    text += CString(levels);
    text += "\" ";
    CString piece;
    piece.Format(" startrow =\"%d\" ", m_nStartRow);
    text += piece;
    piece.Format(" treecolumn =\"%d\" ", m_nCol);
    text += piece;
    piece.Format(" linecolor =\"%ld\" ", static_cast<long>(m_crLine));
    text += piece;
    piece.Format(" linestyle =\"%d\" ", m_nLineStyle);
    text += piece;
    piece.Format(" boxsize = \"%d\" ", m_nBoxSize);
    text += piece;
    piece.Format(" boxlinecolor = \"%ld\" ", static_cast<long>(m_crBoxLine));
    text += piece;
    piece.Format(" boxlinestyle = \"%d\" ", m_nBoxLineStyle);
    text += piece;
    piece.Format(" showrectangle = \"%d\" ", m_bShowRectangle ? 1 : 0);
    text += piece;
    piece.Format(" showline = \"%d\" ", m_bShowLine ? 1 : 0);
    text += piece;
    piece.Format(" boxbgcolor = \"%ld\" ", static_cast<long>(m_crBoxBack));
    text += piece;
    text += " ></control>";
    return text;
}

void CTreeColumn::RebuildElement()
{
    m_element = CXmlElement(GetAttributeText(), kElement);
}

BOOL CTreeColumn::SetControl(LPCTSTR szText)
{
    CXmlElement element(szText != nullptr ? szText : "", kElement);
    return ReadAttributes(element, TRUE);
}

// Reads the element into a new state; when the grid can hold it, the state
// and the element (with the defaults written into it) replace the current
// ones and the tree is attached with every row shown. Nothing changes when
// the text is refused.
BOOL CTreeColumn::ReadAttributes(CXmlElement& element, BOOL bCommit)
{
    if (m_pGrid == nullptr)
        return FALSE;
    if (element.FindAttribute("treerow") < 0) {
        // Nothing else is read: the tree stays as it was.
        if (bCommit)
            m_element = element;
        return TRUE;
    }
    CString list = element.GetAttribute("treerow");
    list.MakeUpper();
    list.Trim();
    if (list.IsEmpty())
        return FALSE;
    std::vector<CString> items = SplitList(list);
    std::vector<TreeRow> rows;
    rows.reserve(items.size());
    for (const CString& item : items)
        rows.push_back(TreeRow{LevelOf(item), 1, -1});

    const int fixedRows = m_pGrid->GetFixedRowCount();
    const int fixedCols = m_pGrid->GetFixedColumnCount();
    int start;
    if (element.FindAttribute("startrow") >= 0) {
        start = AToI(element.GetAttribute("startrow"));
        if (start < 1)
            start = fixedRows;
    } else {
        start = m_bPlaced ? m_nStartRow : fixedRows;
        element.SetAttributeInt("startrow", start);
    }
    int col;
    if (element.FindAttribute("treecolumn") >= 0) {
        col = AToI(element.GetAttribute("treecolumn"));
        if (col < 1)
            col = fixedCols;
    } else {
        col = m_bPlaced ? m_nCol : fixedCols;
        element.SetAttributeInt("treecolumn", col);
    }
    // The tree starts inside the grid and takes no row of another tree.
    if (start < 0 || start >= m_pGrid->GetRowCount() || col < 0 || col >= m_pGrid->GetColumnCount())
        return FALSE;
    if (static_cast<long long>(start) + static_cast<long long>(rows.size()) > INT_MAX / 2)
        return FALSE;
    if (!m_pGrid->IsTreeRangeFree(start, start + static_cast<int>(rows.size()), this))
        return FALSE;

    auto colour = [&](const char* name, const char* def) {
        if (element.FindAttribute(name) < 0)
            element.SetAttribute(name, def);
        return CXmlElement::ParseColour(element.GetAttribute(name));
    };
    auto number = [&](const char* name, const char* def) {
        if (element.FindAttribute(name) < 0)
            element.SetAttribute(name, def);
        return AToI(element.GetAttribute(name));
    };
    auto flag = [&](const char* name) {
        if (element.FindAttribute(name) < 0)
            element.SetAttribute(name, "1");
        return IsTrueText(element.GetAttribute(name));
    };
    const COLORREF line = colour("linecolor", "RGB(132,130,132)");
    const int lineStyle = number("linestyle", "2");
    const int boxSize = std::min(1000, std::max(0, number("boxsize", "13")));
    const COLORREF boxLine = colour("boxlinecolor", "RGB(132,130,132)");
    const int boxLineStyle = number("boxlinestyle", "0");
    const BOOL showRect = flag("showrectangle");
    const BOOL showLine = flag("showline");
    const COLORREF boxBack = colour("boxbgcolor", "RGB(255,255,255)");
    if (!bCommit)
        return TRUE;

    m_rows.swap(rows);
    m_bCacheValid = false;
    m_nStartRow = start;
    m_nCol = col;
    m_crLine = line;
    m_nLineStyle = lineStyle;
    m_nBoxSize = boxSize;
    m_crBoxLine = boxLine;
    m_nBoxLineStyle = boxLineStyle;
    m_bShowRectangle = showRect;
    m_bShowLine = showLine;
    m_crBoxBack = boxBack;
    m_element = element;
    Attach();
    ShowAll();
    ApplyRowVisibility();
    return TRUE;
}

int CTreeColumn::SetControlProperty(LPCTSTR szName, LPCTSTR szValue)
{
    CString name(szName);
    CString value(szValue);
    name.MakeLower();
    if (name == "inserttree") {
        // "levels",row: the list between the first two double quotes.
        const int open = value.Find('"');
        const int close = open >= 0 ? value.Find('"', open + 1) : -1;
        CString list;
        CString rest;
        if (open >= 0 && close > open) {
            list = value.Mid(open + 1, close - open - 1);
            rest = value.Mid(close + 1);
        } else {
            const int comma = value.ReverseFind(',');
            if (comma < 0)
                return 0;
            list = value.Left(comma);
            rest = value.Mid(comma);
        }
        const int comma = rest.Find(',');
        if (comma < 0)
            return 0;
        return InsertTree(AToI(rest.Mid(comma + 1)), list) ? 1 : 0;
    }
    if (name == "deletetree") {
        const int comma = value.Find(',');
        if (comma < 0)
            return 0;
        return DeleteTree(AToI(value.Left(comma)), AToI(value.Mid(comma + 1))) > 0 ? 1 : 0;
    }
    if (name == "collapsetree" || name == "expandtree" || name == "expandsubtrees") {
        const int row = AToI(value);
        if (name == "collapsetree")
            Collapse(row);
        else if (name == "expandtree")
            Expand(row);
        else
            ExpandSubtree(row);
        ApplyRowVisibility();
        return 1;
    }
    CXmlElement element = m_element;
    const short result = element.SetAttribute(szName, szValue);
    if (result < 0)
        return result;
    if (!ReadAttributes(element, TRUE))
        return 0;
    return result;
}

CString CTreeColumn::GetControlProperty(LPCTSTR szName)
{
    CString name(szName);
    name.MakeLower();
    const int length = name.GetLength();
    // The number between a prefix of nPrefix characters and the last one.
    auto argument = [&](int nPrefix) { return AToI(name.Mid(nPrefix, length - nPrefix - 1)); };
    auto rowAnswer = [&](int nRow, int nAnswer) { return IntText(CoversRow(nRow) ? nAnswer : -1); };
    if (name == "getrowcount")
        return IntText(GetEndRow());
    if (name == "getstartrow")
        return IntText(m_nStartRow);
    if (name.Left(13) == "gettreelevel(") {
        const int row = argument(13);
        return IntText(GetLevel(row));
    }
    if (name.Left(9) == "haschild(") {
        if (length <= 10)
            return IntText(-1);
        const int row = argument(9);
        return rowAnswer(row, HasChild(row) ? 1 : 0);
    }
    if (name.Left(9) == "getstate(") {
        if (length <= 10)
            return IntText(-1);
        const int row = argument(9);
        return rowAnswer(row, IsFolded(row) ? 1 : 0);
    }
    if (name.Left(8) == "ischild(") {
        const int comma = name.Find(',', 9);
        if (length < 12 || comma < 0)
            return IntText(-1);
        const int a = AToI(name.Mid(8, comma - 8));
        const int b = AToI(name.Mid(comma + 1));
        return IntText(IsChild(a, b));
    }
    return m_element.GetAttribute(szName);
}

BOOL CTreeColumn::DelControlProperty(LPCTSTR szName)
{
    CString name(szName);
    name.MakeLower();
    if (name == "treerow")
        return FALSE;
    CXmlElement element = m_element;
    if (!element.DeleteAttribute(szName))
        return FALSE;
    return ReadAttributes(element, TRUE);
}

// --- record -----------------------------------------------------------------------------------

int CTreeColumn::GetRecordSize() const
{
    if (m_rows.empty())
        return 0;
    return GetAttributeText().GetLength() + 25;
}

void CTreeColumn::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const CString text = GetAttributeText();
        if (text.IsEmpty()) {
            ar << 0;
            ar << TREE_RECORD_END;
            return;
        }
        ar << text.GetLength() + 25;
        ar << TREE_RECORD_TEXT;
        ar << text.GetLength() + 1;
        ar.Write(static_cast<LPCTSTR>(text), static_cast<UINT>(text.GetLength() + 1));
        ar << TREE_RECORD_POSITION;
        ar << 8;
        ar << m_nStartRow;
        ar << m_nCol;
        ar << TREE_RECORD_END;
        return;
    }

    int size = 0;
    ar >> size;
    if (ar.IsFailed() || size < 0) {
        ar.SetFailed(CArchive::statusBadCount);
        return;
    }
    CString text;
    bool hasText = false;
    int start = m_nStartRow;
    int col = m_nCol;
    bool hasPosition = false;
    long long consumed = 0;
    for (;;) {
        int tag = 0;
        ar >> tag;
        if (ar.IsFailed())
            return;
        if (tag == TREE_RECORD_END)
            break;
        int length = 0;
        ar >> length;
        if (ar.IsFailed())
            return;
        consumed += 8 + static_cast<long long>(length);
        if (length < 0 || static_cast<ULONGLONG>(length) > ar.GetRemaining() || consumed > size) {
            ar.SetFailed(CArchive::statusBadCount);
            return;
        }
        if (tag == TREE_RECORD_TEXT) {
            std::string bytes(static_cast<size_t>(length), '\0');
            if (length > 0 && ar.Read(&bytes[0], static_cast<UINT>(length)) != static_cast<UINT>(length))
                ar.SetFailed(CArchive::statusEndOfFile);
            const size_t nul = bytes.find('\0');
            text = CString(nul == std::string::npos ? bytes : bytes.substr(0, nul));
            hasText = true;
        } else if (tag == TREE_RECORD_POSITION && length == 8) {
            ar >> start;
            ar >> col;
            // Trees start below the header row and right of the first
            // column, as the text's own start row and column do: a position
            // there (or a negative one) is not a place for a tree, so the
            // caller's stands.
            hasPosition = start >= 1 && col >= 1;
        } else {
            std::string skip(static_cast<size_t>(length), '\0');
            if (length > 0 && ar.Read(&skip[0], static_cast<UINT>(length)) != static_cast<UINT>(length))
                ar.SetFailed(CArchive::statusEndOfFile);
        }
        if (ar.IsFailed())
            return;
    }
    if (size == 0 || !hasText)
        return;
    // The position is the one the record gives; the text's own start row and
    // column, when it names them, decide as when the text is set.
    const int oldStart = m_nStartRow;
    const int oldCol = m_nCol;
    const BOOL oldPlaced = m_bPlaced;
    if (hasPosition)
        SetTreePosition(start, col);
    if (!SetControl(text)) {
        m_nStartRow = oldStart;
        m_nCol = oldCol;
        m_bPlaced = oldPlaced;
        ar.SetFailed(CArchive::statusBadCount);
    }
}

// --- values -------------------------------------------------------------------------------------

double CTreeColumn::SumChildrenInColumn(int nRow, int nCol)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr || nCol < 0 || nCol >= m_pGrid->GetColumnCount())
        return 0.0;
    double sum = 0.0;
    for (int n = 1;; ++n) {
        const int child = GetChildRow(nRow, n);
        if (child < 0)
            break;
        CGridCellBase* pCell = m_pGrid->GetCell(child, nCol);
        if (pCell == nullptr)
            continue;
        sum += pCell->IsNumber() ? pCell->GetValue() : AToF(m_pGrid->GetCellText(child, nCol));
    }
    CString text;
    text.Format("%f", sum);
    TrimTrailingZeros(text);
    m_pGrid->SetCellText(nRow, nCol, text);
    m_pGrid->RedrawCell(nRow, nCol);
    return sum;
}

double CTreeColumn::AverageChildrenInColumn(int nRow, int nCol)
{
    const int i = Index(nRow);
    if (i < 0 || m_pGrid == nullptr || nCol < 0 || nCol >= m_pGrid->GetColumnCount())
        return 0.0;
    double sum = 0.0;
    int count = 0;
    for (int n = 1;; ++n) {
        const int child = GetChildRow(nRow, n);
        if (child < 0)
            break;
        ++count;
        CGridCellBase* pCell = m_pGrid->GetCell(child, nCol);
        if (pCell != nullptr)
            sum += pCell->IsNumber() ? pCell->GetValue() : AToF(m_pGrid->GetCellText(child, nCol));
    }
    if (count == 0)
        return 0.0;
    const double average = sum / count;
    CString text;
    text.Format("%f", average);
    TrimTrailingZeros(text);
    m_pGrid->SetCellText(nRow, nCol, text);
    m_pGrid->RedrawCell(nRow, nCol);
    return average;
}

void CTreeColumn::SetNodeText(int nRow, LPCTSTR szText)
{
    if (m_pGrid == nullptr || nRow < m_nStartRow || m_pGrid->GetCell(nRow, m_nCol) == nullptr)
        return;
    m_pGrid->SetCellText(nRow, m_nCol, szText);
    m_pGrid->RedrawCell(nRow, m_nCol);
}

void CTreeColumn::SetNodeValue(int nRow, double dValue)
{
    if (m_pGrid == nullptr || nRow < m_nStartRow || m_pGrid->GetCell(nRow, m_nCol) == nullptr)
        return;
    m_pGrid->SetCellValue(nRow, m_nCol, dValue);
    m_pGrid->RedrawCell(nRow, m_nCol);
}

CString CTreeColumn::GetNodeText(int nRow) const
{
    if (m_pGrid == nullptr || nRow < m_nStartRow)
        return CString();
    return m_pGrid->GetCellText(nRow, m_nCol);
}

double CTreeColumn::GetNodeValue(int nRow) const
{
    if (m_pGrid == nullptr || nRow < m_nStartRow)
        return 0.0;
    return m_pGrid->GetCellValue(nRow, m_nCol);
}

void CTreeColumn::Invalidate()
{
    if (m_pGrid != nullptr)
        m_pGrid->Refresh();
}
