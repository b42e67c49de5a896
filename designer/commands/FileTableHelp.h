// The parts of the file, table and help family, each registering its
// commands (designer/commands/FileTableHelpCommands.cpp calls them).
#pragma once

class CDesignerCommands;

void RegisterFileCommands(CDesignerCommands& table);
void RegisterTableCommands(CDesignerCommands& table);
void RegisterHelpToolCommands(CDesignerCommands& table);

class IDesignerUi;
// Associates .kvx files with the program (open command, icon, document
// type) and tells the shell; FALSE when the registry was not written.
int AssociateTemplateFiles(IDesignerUi& ui);
