// Rows, columns, merges, sorting, row trees, cell formatting and formulas.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"

void RegisterEditingCommands(CDesignerCommands&)
{
}
