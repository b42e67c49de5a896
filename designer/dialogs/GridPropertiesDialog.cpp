#include "designer/dialogs/GridPropertiesDialog.h"

#include "designer/GridControl.gen.h"

#include <memory>

namespace {

const int kSelBoxWidths[3] = {0, 2, 3};

int WidthIndex(int width)
{
    for (int i = 0; i < 3; ++i)
        if (kSelBoxWidths[i] == width)
            return i;
    return 0;
}

int Index(LONG value, int count)
{
    return value >= 0 && value < count ? static_cast<int>(value) : 0;
}

SHORT Flag(int value)
{
    return value ? 1 : 0;
}

}  // namespace

void CGridPropertiesDlg::Load(IGridControl* grid)
{
    m_grid = grid;
    if (grid == nullptr)
        return;
    m_bClickHeaderSort = grid->GridGetClickHeaderSort() ? 1 : 0;
    m_bColumnResize = grid->GridGetColumnResize() ? 1 : 0;
    m_bRowResize = grid->GridGetRowResize() ? 1 : 0;
    m_bAutoSizeRow = grid->GridGetAllowAutoSizeRow() ? 1 : 0;
    m_bDrawFreezeLine = grid->GridGetDrawFreezeLine() ? 1 : 0;
    m_bDrawFreezeBlankLine = grid->GridGetDrawFreezeBlankLine() ? 1 : 0;
    m_bAllowCopy = grid->GridGetAllowCopy() ? 1 : 0;
    m_bAllowCut = grid->GridGetAllowCut() ? 1 : 0;
    m_bAllowPaste = grid->GridGetAllowPaste() ? 1 : 0;
    m_bAllowDragAndDrop = grid->GridGetAllowDragAndDrop() ? 1 : 0;
    m_bAllowDragRow = grid->GridGetAllowDragRow() ? 1 : 0;
    m_bAllowDragCol = grid->GridGetAllowDragCol() ? 1 : 0;
    m_crVirtualLine = static_cast<COLORREF>(grid->GridGetVirtualLineColor());
    m_crBack = static_cast<COLORREF>(grid->GridGetBackColor());
    m_crSelBack = static_cast<COLORREF>(grid->GridGetSelBkColor());
    const LONG cellBack = grid->GetGridDefCellBgColor();
    m_crCellBack = cellBack == -1 ? 0xFFFFFF : static_cast<COLORREF>(cellBack);
    m_crCellText = static_cast<COLORREF>(grid->GetGridDefCellTextColor());
    m_nDisplayMode = Index(grid->GridGetDisplayMode(), 2);
    m_nSelectMode = Index(grid->GridGetSelectMode(), 4);
    m_nDisplayStyle = Index(grid->GridGetDisplayStyle(), 2);
    m_nVirtualLineStyle = Index(grid->GridGetVirtualLineShowStyle(), 4);
    m_nSelBoxWidth = WidthIndex(grid->GridGetSelBoxLineWidth());
    // The default-setting record: the cell colours and the read-only mark.
    const std::unique_ptr<IKivoGridDefaultSetting> setting = grid->GridGetDefaultSetting();
    m_bEditableKnown = setting != nullptr;
    if (setting != nullptr) {
        const LONG back = setting->GetcrCellBgColor();
        m_crCellBack = back == -1 ? 0xFFFFFF : static_cast<COLORREF>(back);
        m_crCellText = static_cast<COLORREF>(setting->GetcrTextColor());
        m_bReadOnly = setting->GetbEditable() ? 0 : 1;
    }
}

void CGridPropertiesDlg::Apply()
{
    if (m_grid == nullptr)
        return;
    IGridControl& grid = *m_grid;
    // Choosing a display mode resets the selection colour, so the mode goes
    // first and the colour chosen here stays.
    grid.GridSetDisplayMode(Index(m_nDisplayMode, 2));
    grid.GridSetClickHeaderSort(Flag(m_bClickHeaderSort));
    grid.GridSetColumnResize(Flag(m_bColumnResize));
    grid.GridSetRowResize(Flag(m_bRowResize));
    grid.GridSetBackColor(static_cast<LONG>(m_crBack));
    grid.GridSetVirtualLineColor(static_cast<LONG>(m_crVirtualLine));
    grid.GridSetVirtualLineShowStyle(Index(m_nVirtualLineStyle, 4));
    grid.GridSetSelectMode(Index(m_nSelectMode, 4));
    grid.GridSetDisplayStyle(static_cast<SHORT>(Index(m_nDisplayStyle, 2)));
    grid.GridSetAllowAutoSizeRow(Flag(m_bAutoSizeRow));
    grid.GridSetSelBkColor(static_cast<LONG>(m_crSelBack));
    grid.GridSetAllowCopy(Flag(m_bAllowCopy));
    grid.GridSetAllowCut(Flag(m_bAllowCut));
    grid.GridSetAllowDragAndDrop(Flag(m_bAllowDragAndDrop));
    grid.GridSetAllowPaste(Flag(m_bAllowPaste));
    grid.GridSetAllowDragCol(Flag(m_bAllowDragCol));
    grid.GridSetAllowDragRow(Flag(m_bAllowDragRow));
    grid.GridSetDrawFreezeBlankLine(Flag(m_bDrawFreezeBlankLine));
    grid.GridSetDrawFreezeLine(Flag(m_bDrawFreezeLine));
    const std::unique_ptr<IKivoGridDefaultSetting> setting = grid.GridGetDefaultSetting();
    if (setting != nullptr) {
        setting->SetcrCellBgColor(static_cast<LONG>(m_crCellBack));
        setting->SetcrTextColor(static_cast<LONG>(m_crCellText));
        if (m_bEditableKnown)
            setting->SetbEditable(m_bReadOnly ? 0 : 1);
        grid.GridSetDefautSetting(setting.get());
    } else {
        grid.SetGridDefCellBgColor(static_cast<LONG>(m_crCellBack));
        grid.SetGridDefCellTextColor(static_cast<LONG>(m_crCellText));
    }
    grid.GridSetSelBoxLineWidth(static_cast<SHORT>(kSelBoxWidths[Index(m_nSelBoxWidth, 3)]));
}
