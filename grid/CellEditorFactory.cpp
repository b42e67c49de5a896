#include "grid/CellEditorFactory.h"

namespace {

CellEditorHooks g_hooks;

}  // namespace

void SetCellEditorHooks(const CellEditorHooks& hooks)
{
    g_hooks = hooks;
}

const CellEditorHooks& GetCellEditorHooks()
{
    return g_hooks;
}
