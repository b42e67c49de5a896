// The control's dispatch table: member lookup, the invoker over the
// generated member table (KivoSheetDispatch.gen.cpp), and the checks and
// redraw steps that the generated members run around their operations.
#pragma once

#include "control/DispTypes.h"

class CGridPort;
class CKivoSheetDispatch;
class CWnd;

enum class DispCall { Method, PropertyGet, PropertyPut };

// The member table in DISPID order.
const CMemberInfo* KivoSheetMembers(int* count);
// The member of a DISPID, or NULL.
const CMemberInfo* FindKivoSheetMember(LONG dispid);
// The member of a name, compared without regard to ASCII case, or NULL.
const CMemberInfo* FindKivoSheetMemberByName(const char* name);
// The event of a name (same comparison), or NULL.
const CMemberInfo* FindKivoSheetEventByName(const char* name);

// Calls member m of t with args (m.argc of them, in declaration order, each of
// the member's declared kind; a property put passes the new value as args[0])
// and stores the result in r. By-reference arguments are left in args for the
// caller to copy back. FALSE when the call kind does not fit the member (a
// property put of a method).
bool InvokeKivoSheetMember(CKivoSheetDispatch& t, const CMemberInfo& m, DispCall kind, CDispArg* args,
                           CDispResult& r);

// ---- the member conventions ------------------------------------------------
// The checks a member's table row names, run before its operation. Each is
// FALSE without a grid object (or one without a grid engine).
// Fixed rows <= row < rows.
bool DispCheckScrollRow(CGridPort* grid, LONG row);
// Fixed columns <= col < columns.
bool DispCheckScrollCol(CGridPort* grid, LONG col);
// 0 <= row < rows and 0 <= col < columns.
bool DispCheckCell(CGridPort* grid, LONG row, LONG col);
// The range lies inside the sheet, each minimum at most its maximum.
bool DispCheckRange(CGridPort* grid, LONG minRow, LONG minCol, LONG maxRow, LONG maxCol);
// The grid is not in virtual mode.
bool DispCheckNonVirtual(CGridPort* grid);

// Redraw marks, run after the operation in this order.
enum : unsigned {
    // Full redraw: the grid refreshes itself when its window exists, then the
    // control window is invalidated with erasing.
    kDispRedrawAll = 1,
    // The grid window is invalidated with erasing.
    kDispRedrawGrid = 2,
    // The control window is invalidated with erasing.
    kDispRedrawControl = 4,
    // The grid recomputes its scroll bars.
    kDispRedrawBars = 8,
};
// Runs the marks over the grid object and the control window (either may be
// NULL; a window not created is skipped).
void DispRedraw(CGridPort* grid, CWnd* control, unsigned marks);
