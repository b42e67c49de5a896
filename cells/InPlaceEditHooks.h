// Makes the grid's text cells open a CInPlaceEdit when they are edited, and
// gives the grid its title tip (CTitleTip).
//
// The grid asks for its editors and its tip through hooks
// (grid/CellEditorFactory.h); this installs the in-place edit and the title
// tip. Call it once at start-up, before the first edit (calling it again does
// no harm). The editors made this way own themselves: each is deleted with its
// window. A title tip belongs to the grid that asked for it. It also registers
// the typed cell classes (cells/TypedCellClasses.h).
#pragma once

void InstallInPlaceEditHooks();
