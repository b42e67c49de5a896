// An automation object of the host (not of this library) handed to a member
// as an argument, for the length of that call. The COM layer wraps a foreign
// IDispatch in one; members that accept a host's object ask it for what they
// need and keep their own reference.
#pragma once

#include "binding/BindRecordset.h"
#include "control/DispTypes.h"

#include <memory>

// The class number of host objects (no class of this library uses it).
const int KivoClass_HostObject = -1;

class CHostObject : public CKivoObject {
public:
    int GetKivoClass() const override { return KivoClass_HostObject; }
    // The object read late-bound as a recordset (EOF, MoveFirst, MoveNext,
    // RecordCount, Fields); the recordset keeps its own reference.
    virtual std::shared_ptr<IBindRecordset> AsRecordset() = 0;
};
