// Registers the typed cell classes by name, so the grid can create them from
// a type number, a control word or a class name.
//
// A class registers itself when its object file is part of the program, but
// a linker drops an object file of a static library that nothing names. This
// names every typed class; InstallInPlaceEditHooks() calls it, so every host
// of the grid has them. Calling it again does no harm.
#pragma once

void RegisterTypedCellClasses();
