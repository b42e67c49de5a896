// The control's dispatch table: member lookup and the invoker over the
// generated member table (KivoSheetDispatch.gen.cpp).
#pragma once

#include "control/DispTypes.h"

class CKivoSheetDispatch;

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
