// Rows, columns, merges, sorting, row trees, cell formatting and formulas.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"
#include "designer/commands/EditingFamily.h"

void RegisterEditingCommands(CDesignerCommands& table)
{
    RegisterRowColumnCommands(table);
    RegisterFormatCommands(table);
    RegisterFormulaCommands(table);
    RegisterTreeCommands(table);
}
