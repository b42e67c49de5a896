// The database menu, the managers and the report wizard.
#include "designer/commands/CommandFamilies.h"

#include "designer/DesignerCommand.h"

void RegisterDatabaseCommands(CDesignerCommands&)
{
}
