#include "designer/KivoSheetDesignerView.h"

#include "designer/DesignerCommand.h"
#include "designer/DesignerCommands.h"
#include "designer/DesignerUi.h"
#include "designer/KivoSheetDesignerDoc.h"
#include "designer/commands/SelectionState.h"

using namespace designer_cmd;

CKivoSheetDesignerView::CKivoSheetDesignerView(IGridControl& grid, IDesignerUi& ui) : m_grid(grid), m_ui(ui) {}

CKivoSheetDesignerView::~CKivoSheetDesignerView() = default;

CSelectionState& CKivoSheetDesignerView::SelectionState()
{
    if (!m_selection)
        m_selection.reset(new CSelectionState(m_grid));
    return *m_selection;
}

void CKivoSheetDesignerView::ForgetSelectionState()
{
    if (m_selection)
        m_selection->Forget();
}

void CKivoSheetDesignerView::SetFilePath(const CString& path)
{
    m_strFilePath = path;
    if (m_doc != nullptr)
        m_doc->AdoptPath(path);
}

void CKivoSheetDesignerView::ShowsFileAsStored(const CString& path)
{
    SetFilePath(path);
    if (m_doc != nullptr)
        m_doc->SetModifiedFlag(FALSE);
}

void CKivoSheetDesignerView::OnCreate()
{
    m_grid.ColumnSetCount(20);
    m_grid.GridSetDisplayStyle(0);
    m_ui.SelectFirstInsertReferences();
}

void CKivoSheetDesignerView::Changed()
{
    ForgetSelectionState();
    if (m_onChange)
        m_onChange();
}

void CKivoSheetDesignerView::OnGridEvent(int dispid, const std::vector<long>& args)
{
    auto arg = [&args](size_t i) -> long { return i < args.size() ? args[i] : 0; };
    ForgetSelectionState();
    switch (dispid) {
    case kEventGridLClickUp:
        SyncToolbar(static_cast<LONG>(arg(3)), static_cast<LONG>(arg(4)));
        break;
    case kEventGridMenuStart:
        OnGridMenuStart(static_cast<LONG>(arg(0)), static_cast<LONG>(arg(1)), static_cast<SHORT>(arg(2)));
        break;
    case kEventGridMenuCommand:
        OnGridMenuCommand(static_cast<LONG>(arg(0)), static_cast<LONG>(arg(1)), static_cast<LONG>(arg(2)));
        break;
    case kEventGridCellEndEdit:
    case kEventGridCellCheckBoxChecked:
    case kEventGridCellComboSelChange:
    case kEventGridRowResize:
    case kEventGridColumnResize:
        Changed();
        break;
    default:
        break;
    }
}

void CKivoSheetDesignerView::ForEachSelectedCell(const std::function<void(LONG, LONG)>& fn)
{
    if (m_grid.GridGetCurSelectType() == 0) {
        const LONG n = m_grid.GridGetSelectedCount();
        for (LONG i = 0; i < n; ++i) {
            LONG row = 0, col = 0;
            if (m_grid.GridGetSelectedCell(i, row, col))
                fn(row, col);
        }
        return;
    }
    LONG r1 = 0, c1 = 0, r2 = -1, c2 = -1;
    if (!m_grid.GridGetSelectRange(r1, c1, r2, c2))
        return;
    for (LONG r = r1; r <= r2; ++r)
        for (LONG c = c1; c <= c2; ++c)
            fn(r, c);
}

void CKivoSheetDesignerView::AddItem(LONG style, LONG id, const char* text)
{
    if (style == kItemNormal && !IsMenuCommandBuilt(id))
        style = kItemGrayed;
    m_grid.GridAddPopuMenu(style, id, CString(text));
}

void CKivoSheetDesignerView::AddSeparator()
{
    m_grid.GridAddPopuMenu(kItemSeparator, static_cast<LONG>(kMenuSeparator), CString());
}

bool CKivoSheetDesignerView::IsMenuCommandBuilt(LONG id)
{
    switch (id) {
    case kMenuCut:
    case kMenuCopy:
    case kMenuPaste:
    case kMenuClearContent:
    case kMenuClearAll:
    case kMenuInsertColumn:
    case kMenuDeleteColumn:
    case kMenuFitColumns:
    case kMenuHideColumns:
    case kMenuShowColumns:
    case kMenuInsertRow:
    case kMenuDeleteRow:
    case kMenuFitRows:
    case kMenuHideRows:
    case kMenuShowRows:
        return true;
    default:
        return id > 0 && CDesignerCommands::Instance().Has(static_cast<UINT>(id));
    }
}

void CKivoSheetDesignerView::OnGridMenuStart(LONG, LONG, SHORT iSelection)
{
    const LONG paste = m_ui.CanPaste() ? kItemNormal : kItemGrayed;
    AddItem(kItemNormal, kMenuCut, "剪切");
    AddItem(kItemNormal, kMenuCopy, "复制");
    AddItem(paste, kMenuPaste, "粘贴");
    AddItem(paste, kMenuPasteOptions, "选择粘贴");
    AddSeparator();
    switch (iSelection) {
    case 1:
        AddItem(kItemNormal, kMenuClearContent, "清空内容");
        AddItem(kItemNormal, kMenuClearAll, "清空全部");
        AddSeparator();
        AddItem(kItemNormal, kMenuReadOnly, "单元格只读");
        AddItem(kItemNormal, kMenuWritable, "单元格可写");
        AddSeparator();
        AddItem(kItemNormal, kMenuInsertTip, "插入提示");
        AddItem(kItemNormal, kMenuDeleteTip, "删除提示");
        AddSeparator();
        AddItem(kItemNormal, kMenuLink, "超连接");
        AddItem(kItemNormal, kMenuCellProperties, "单元格属性...");
        break;
    case 2:
        AddItem(kItemNormal, kMenuInsertColumn, "插入列");
        AddItem(kItemNormal, kMenuDeleteColumn, "删除列");
        AddSeparator();
        AddItem(kItemNormal, kMenuClearContent, "清空内容");
        AddItem(kItemNormal, kMenuClearAll, "清空全部");
        AddSeparator();
        AddItem(kItemNormal, kMenuColumnWidth, "列宽...");
        AddItem(kItemNormal, kMenuFitColumns, "最适合列宽");
        AddItem(kItemNormal, kMenuHideColumns, "隐藏");
        AddItem(kItemNormal, kMenuShowColumns, "取消隐藏");
        break;
    case 3:
        AddItem(kItemNormal, kMenuInsertRow, "插入行");
        AddItem(kItemNormal, kMenuDeleteRow, "删除行");
        AddSeparator();
        AddItem(kItemNormal, kMenuClearContent, "清空内容");
        AddItem(kItemNormal, kMenuClearAll, "清空全部");
        AddSeparator();
        AddItem(kItemNormal, kMenuRowHeight, "行高...");
        AddItem(kItemNormal, kMenuFitRows, "最适合行高");
        AddItem(kItemNormal, kMenuHideRows, "隐藏");
        AddItem(kItemNormal, kMenuShowRows, "取消隐藏");
        break;
    default:
        break;
    }
}

void CKivoSheetDesignerView::OnGridMenuCommand(LONG, LONG, LONG id)
{
    if (id <= 0 || !IsMenuCommandBuilt(id))
        return;
    if (CDesignerCommands::Instance().Has(static_cast<UINT>(id))) {
        CDesignerContext ctx{*this, m_ui, m_doc};
        CDesignerCommands::Instance().Run(static_cast<UINT>(id), ctx);
        return;
    }
    if (id == static_cast<LONG>(kMenuCopy)) {
        m_grid.GridCopy();
        return;
    }
    if (id == static_cast<LONG>(kMenuCut)) {
        m_grid.GridCut();
        Changed();
        return;
    }
    if (id == static_cast<LONG>(kMenuPaste)) {
        m_grid.GridPaste();
        Changed();
        return;
    }
    LONG r1 = 0, c1 = 0, r2 = -1, c2 = -1;
    if (!m_grid.GridGetSelectRange(r1, c1, r2, c2))
        return;
    switch (static_cast<unsigned>(id)) {
    case kMenuClearContent:
        m_grid.GridClearRangeContent(r1, c1, r2, c2);
        break;
    case kMenuClearAll:
        m_grid.GridClearRangeDatas(r1, c1, r2, c2);
        break;
    case kMenuInsertColumn:
        if (!m_grid.CellIsValid(r1, c1))
            return;
        m_grid.ColumnInsert(c1, 1, 0);
        break;
    case kMenuDeleteColumn:
        if (!m_grid.CellIsValid(r1, c1) || c2 < c1)
            return;
        m_grid.ColumnDelete(c1, c2 - c1 + 1);
        break;
    case kMenuFitColumns:
        for (LONG c = c1; c <= c2; ++c)
            m_grid.GridAutoSizeCol(c);
        break;
    case kMenuHideColumns:
    case kMenuShowColumns:
        for (LONG c = c1; c <= c2; ++c)
            m_grid.ColumnSetHide(c, id == static_cast<LONG>(kMenuHideColumns) ? 1 : 0);
        break;
    case kMenuInsertRow:
        if (!m_grid.CellIsValid(r1, c1))
            return;
        m_grid.RowInsert(r1, 1, 0);
        break;
    case kMenuDeleteRow:
        if (!m_grid.CellIsValid(r1, c1) || r2 < r1)
            return;
        m_grid.RowDelete(r1, r2 - r1 + 1);
        break;
    case kMenuFitRows:
        for (LONG r = r1; r <= r2; ++r)
            m_grid.GridAutoSizeRow(r);
        break;
    case kMenuHideRows:
    case kMenuShowRows:
        for (LONG r = r1; r <= r2; ++r)
            m_grid.RowSetHide(r, id == static_cast<LONG>(kMenuHideRows) ? 1 : 0);
        break;
    default:
        return;
    }
    Changed();
}

namespace {

// The font properties of the last two cells read: the walk below reads each
// cell as the next one and then as the current one.
class CFontPropertyReader {
public:
    CFontPropertyReader(IGridControl& grid, const char* key) : m_grid(grid), m_key(key) {}
    CString Read(LONG row, LONG col)
    {
        for (const Slot& s : m_slots)
            if (s.valid && s.row == row && s.col == col)
                return s.value;
        Slot& s = m_slots[m_next];
        m_next = 1 - m_next;
        s.value = m_grid.CellGetTextFontProperty(row, col, m_key);
        s.row = row;
        s.col = col;
        s.valid = true;
        return s.value;
    }

private:
    struct Slot {
        bool valid = false;
        LONG row = 0, col = 0;
        CString value;
    };
    IGridControl& m_grid;
    CString m_key;
    Slot m_slots[2];
    int m_next = 0;
};

}  // namespace

void CKivoSheetDesignerView::SyncToolbar(LONG nRow, LONG nCol)
{
    if (nRow < m_grid.RowGetFixedCount() && nCol < m_grid.ColumnGetFixedCount())
        return;
    CString name, size;
    bool sizesAgree = true;
    const LONG n = m_grid.GridGetSelectedCount();
    CFontPropertyReader names(m_grid, "fontname"), sizes(m_grid, "fontsize");
    for (LONG i = 0; i < n; ++i) {
        LONG row = 0, col = 0;
        if (!m_grid.GridGetSelectedCell(i, row, col))
            continue;
        LONG nextRow = row, nextCol = col;
        if (i + 1 < n && !m_grid.GridGetSelectedCell(i + 1, nextRow, nextCol)) {
            nextRow = row;
            nextCol = col;
        }
        name = names.Read(row, col);
        const CString nextName = names.Read(nextRow, nextCol);
        if (!(name == nextName) && !nextName.IsEmpty()) {
            m_ui.SelectFontName(CString());
            if (sizesAgree && !size.IsEmpty())
                m_ui.SelectFontSize(size);
            else
                m_ui.SelectFontSize(CString());
            return;
        }
        size = sizes.Read(row, col);
        const CString nextSize = sizes.Read(nextRow, nextCol);
        if (!(size == nextSize) && !nextSize.IsEmpty()) {
            sizesAgree = false;
            break;
        }
    }
    m_ui.SelectFontName(n > 0 && !name.IsEmpty() ? name : CString());
    m_ui.SelectFontSize(sizesAgree && n > 0 && !size.IsEmpty() ? size : CString());
}
