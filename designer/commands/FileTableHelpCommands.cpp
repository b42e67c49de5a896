// File, table and help menus and the tools.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"
#include "designer/commands/FileTableHelp.h"

void RegisterFileTableHelpCommands(CDesignerCommands& table)
{
    RegisterFileCommands(table);
    RegisterTableCommands(table);
    RegisterHelpToolCommands(table);
}
