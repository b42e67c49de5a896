// File, table and help menus and the tools.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"

void RegisterFileTableHelpCommands(CDesignerCommands&)
{
}
