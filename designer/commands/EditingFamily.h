// The parts of the editing family (designer/commands/EditingCommands.cpp
// registers them all) and what their handlers share.
#pragma once

#include "base/WinTypes.h"
#include "designer/DesignerCommand.h"
#include "designer/KivoSheetDesignerView.h"
#include "designer/commands/SelectionState.h"

// Rows, columns, merges and sorting.
void RegisterRowColumnCommands(CDesignerCommands& table);
// Fonts, alignment, colours, borders, wrap, read-only marking and tips.
void RegisterFormatCommands(CDesignerCommands& table);
// The formula menu.
void RegisterFormulaCommands(CDesignerCommands& table);
// Row trees and their nodes.
void RegisterTreeCommands(CDesignerCommands& table);

inline CSelectionState& Selection(CDesignerContext& ctx)
{
    return ctx.view.SelectionState();
}

// Update handlers used by several commands.
inline void EnableWhenSelected(CDesignerContext& ctx, CCmdState& s)
{
    s.enabled = Selection(ctx).AnySelected();
}
inline void EnableWhenRangeStartValid(CDesignerContext& ctx, CCmdState& s)
{
    s.enabled = Selection(ctx).RangeStartValid();
}
