#include "control/DispInvoke.h"

#include "control/GridPort.h"
#include "control/KivoSheetEvents.gen.h"
#include "grid/GridCtrl.h"
#include "platform/Wnd.h"

namespace {

bool SameNameNoCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return *a == *b;
}

const CMemberInfo* FindByName(const CMemberInfo* table, int count, const char* name)
{
    if (name == nullptr)
        return nullptr;
    for (int i = 0; i < count; ++i) {
        if (SameNameNoCase(table[i].name, name))
            return &table[i];
    }
    return nullptr;
}

}  // namespace

const CMemberInfo* FindKivoSheetMember(LONG dispid)
{
    int count = 0;
    const CMemberInfo* table = KivoSheetMembers(&count);
    // The table is sorted by DISPID.
    int lo = 0, hi = count - 1;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        if (table[mid].dispid == dispid)
            return &table[mid];
        if (table[mid].dispid < dispid)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return nullptr;
}

const CMemberInfo* FindKivoSheetMemberByName(const char* name)
{
    int count = 0;
    const CMemberInfo* table = KivoSheetMembers(&count);
    return FindByName(table, count, name);
}

const CMemberInfo* FindKivoSheetEventByName(const char* name)
{
    int count = 0;
    const CMemberInfo* table = KivoSheetEventTable(&count);
    return FindByName(table, count, name);
}

// ---- the member conventions ------------------------------------------------

namespace {

const CGridCtrl* Engine(CGridPort* grid)
{
    return grid != nullptr ? grid->GetGridCtrl() : nullptr;
}

}  // namespace

bool DispCheckScrollRow(CGridPort* grid, LONG row)
{
    const CGridCtrl* g = Engine(grid);
    return g != nullptr && row >= g->GetFixedRowCount() && row < g->GetRowCount();
}

bool DispCheckScrollCol(CGridPort* grid, LONG col)
{
    const CGridCtrl* g = Engine(grid);
    return g != nullptr && col >= g->GetFixedColumnCount() && col < g->GetColumnCount();
}

bool DispCheckCell(CGridPort* grid, LONG row, LONG col)
{
    const CGridCtrl* g = Engine(grid);
    return g != nullptr && g->IsCellValid(row, col);
}

bool DispCheckRange(CGridPort* grid, LONG minRow, LONG minCol, LONG maxRow, LONG maxCol)
{
    const CGridCtrl* g = Engine(grid);
    return g != nullptr && g->IsRangeValid(CGridCellRange(minRow, minCol, maxRow, maxCol));
}

bool DispCheckNonVirtual(CGridPort* grid)
{
    const CGridCtrl* g = Engine(grid);
    return g != nullptr && !g->GetVirtualMode();
}

void DispRedraw(CGridPort* grid, CWnd* control, unsigned marks)
{
    CWnd* gridWindow = grid != nullptr ? grid->GetGridWindow() : nullptr;
    if (control != nullptr && control->GetSafeHwnd() == nullptr)
        control = nullptr;
    if ((marks & kDispRedrawAll) != 0) {
        if (gridWindow != nullptr)
            grid->Refresh();
        if (control != nullptr)
            control->Invalidate(TRUE);
    }
    if ((marks & kDispRedrawGrid) != 0 && gridWindow != nullptr)
        gridWindow->Invalidate(TRUE);
    if ((marks & kDispRedrawControl) != 0 && control != nullptr)
        control->Invalidate(TRUE);
    if ((marks & kDispRedrawBars) != 0 && grid != nullptr)
        grid->UpdateScrollBars();
}
