#include "grid/CellEditorFactory.h"

namespace {

CellEditorHooks g_editorHooks;
GridTitleTipHooks g_tipHooks;

}  // namespace

void SetCellEditorHooks(const CellEditorHooks& hooks)
{
    g_editorHooks = hooks;
}

const CellEditorHooks& GetCellEditorHooks()
{
    return g_editorHooks;
}

void SetGridTitleTipHooks(const GridTitleTipHooks& hooks)
{
    g_tipHooks = hooks;
}

const GridTitleTipHooks& GetGridTitleTipHooks()
{
    return g_tipHooks;
}
