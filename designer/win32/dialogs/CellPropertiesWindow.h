// The window of "属性" (template 132): a tab control over five child pages
// (templates 133, 134, 135, 137, 138), each showing one page of the
// portable dialog.
#pragma once

void RegisterCellPropertiesWindow();
