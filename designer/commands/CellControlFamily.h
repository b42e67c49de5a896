// The parts of the cell-control command family, each registering its
// commands (called from RegisterCellControlCommands).
#pragma once

class CDesignerCommands;

void RegisterControlTypeCommands(CDesignerCommands& table);
void RegisterFormatTypeCommands(CDesignerCommands& table);
void RegisterCellMenuCommands(CDesignerCommands& table);
void RegisterViewFileCommands(CDesignerCommands& table);
void RegisterCellPropertiesCommands(CDesignerCommands& table);
