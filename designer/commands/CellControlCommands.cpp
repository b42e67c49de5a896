// Cell controls, display formats, cell properties and the view's own commands.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"
#include "designer/commands/CellControlFamily.h"

void RegisterCellControlCommands(CDesignerCommands& table)
{
    RegisterControlTypeCommands(table);
    RegisterFormatTypeCommands(table);
    RegisterCellMenuCommands(table);
    RegisterViewFileCommands(table);
    RegisterCellPropertiesCommands(table);
}
