// The enumerator of the verbs the control offers its container (IOleObject::
// EnumVerbs). It keeps its own copy of the verbs; each verb Next hands out
// carries a name of its own that the caller frees with CoTaskMemFree.
#pragma once

#include <oleidl.h>

#include <vector>

// A new enumerator over the verbs (their names copied).
HRESULT CreateVerbEnum(const std::vector<OLEVERB>& verbs, IEnumOLEVERB** ppEnum);
