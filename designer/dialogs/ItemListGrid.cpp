#include "designer/dialogs/ItemListGrid.h"

#include "designer/GridControl.gen.h"

namespace itemlist {

const char* const kDeleteBoxText =
    "<control controltype = \"checkbox\"  displaystyle = \"XP\" align = \"2\"  setcheck = \"0\" enablecheck = \"1\" "
    "sidecolor = \"RGB(133,152,185)\" tickcolor = \"RGB(255,170,21)\" bgcolor = \"RGB(255 ,250,250)\" size = 13 > "
    "</control>";

void Fill(IGridControl& grid, const std::vector<CString>& items)
{
    grid.ColumnSetCount(3);
    grid.RowSetCount(static_cast<LONG>(items.size()) + 1);
    grid.ColumnSetWidth(1, 120);
    grid.ColumnSetWidth(2, 40);
    grid.CellSetValue(0, 1, CString("下拉内容"));
    grid.CellSetValue(0, 2, CString("删除"));
    for (size_t k = 0; k < items.size(); ++k) {
        const LONG row = static_cast<LONG>(k) + 1;
        grid.CellSetValue(row, 1, items[k]);
        grid.CellSetControl(row, 2, CString(kDeleteBoxText));
    }
}

void AddRow(IGridControl& grid)
{
    const LONG rows = grid.RowGetCount();
    grid.RowSetCount(rows + 1);
    grid.CellSetControl(rows, 2, CString(kDeleteBoxText));
}

void DeleteTicked(IGridControl& grid)
{
    for (LONG row = grid.RowGetCount() - 1; row >= 1; --row)
        if (grid.CellGetControlProperty(row, 2, CString("getcheck")) == "1")
            grid.RowDelete(row, 1);
}

std::vector<CString> Read(IGridControl& grid)
{
    std::vector<CString> items;
    const LONG rows = grid.RowGetCount();
    for (LONG row = 1; row < rows; ++row)
        items.push_back(grid.CellGetValue(row, 1));
    return items;
}

}  // namespace itemlist
