// The command families of the designer, each filling the command table with
// its handlers (designer/DesignerCommand.h).
#pragma once

class CDesignerCommands;

// File, table and help menus and the tools.
void RegisterFileTableHelpCommands(CDesignerCommands& table);
// Rows, columns, merges, sorting, row trees, cell formatting, formulas.
void RegisterEditingCommands(CDesignerCommands& table);
// Cell controls, display formats, cell properties; the view's file, edit and
// print commands.
void RegisterCellControlCommands(CDesignerCommands& table);
// The database menu, the managers and the report wizard.
void RegisterDatabaseCommands(CDesignerCommands& table);
