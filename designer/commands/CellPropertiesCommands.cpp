#include "designer/commands/CellControlFamily.h"
#include "designer/DesignerCommand.h"

void RegisterCellPropertiesCommands(CDesignerCommands&)
{
}
