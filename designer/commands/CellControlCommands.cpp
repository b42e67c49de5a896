// Cell controls, display formats, cell properties and the view's own commands.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"

void RegisterCellControlCommands(CDesignerCommands&)
{
}
