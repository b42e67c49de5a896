// Makes the grid's text cells open a CInPlaceEdit when they are edited.
//
// The grid asks for its editors through hooks (grid/CellEditorFactory.h);
// this installs the in-place edit as the editor of the cells that use it.
// Call it once at start-up, before the first edit. The editors made this way
// own themselves: each is deleted with its window.
#pragma once

void InstallInPlaceEditHooks();
