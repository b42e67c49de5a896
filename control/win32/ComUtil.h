// Conversions at the COM boundary: BSTR and VARIANT to the portable argument
// forms and back. Strings change between UTF-16 and code page 936 here and
// nowhere else.
#pragma once

#include "base/WinTypes.h"
#include "control/DispTypes.h"

#include <oaidl.h>

// The system's text of a BSTR; a null BSTR is the empty text.
CString ComString(BSTR value);
// A new BSTR of the text (the caller frees it); NULL only when memory runs out.
BSTR ComNewString(const CString& value);

// The library's object behind an IDispatch (or any interface of it), or NULL
// for a null pointer or an object of another library.
CKivoObject* ComObject(IUnknown* value);
// The portable object handed out as a new COM object with one reference held
// by the caller, or NULL for none.
IDispatch* CreateKivoComObject(CKivoObjectPtr object);
// The identifier of the dual interface of a KivoClass value, or NULL.
const IID* KivoInterfaceId(int kivoClass);

// Takes a VARIANT argument as kind `type`: converted (VariantChangeType) for
// values, dereferenced for by-reference VARIANTs. A by-reference kind accepts
// a by-reference VARIANT of the exact type or a VT_BYREF | VT_VARIANT (a
// script's variable); a value that cannot be converted is an error (the
// result is DISP_E_TYPEMISMATCH).
HRESULT ComArgFromVariant(const VARIANT& v, DispType type, CDispArg& arg);
// Writes the by-reference argument back into the caller's VARIANT; nothing for
// other kinds.
void ComArgToVariant(const CDispArg& arg, VARIANT& v);
// The member's result as a VARIANT (VT_EMPTY for no result).
HRESULT ComResultToVariant(CDispResult& r, VARIANT* out);

// Member results of automation objects pass as they are (every member answers
// success and reports failure through its result value).
inline HRESULT ComResult(HRESULT hr) { return hr; }
