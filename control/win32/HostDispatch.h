// A host's automation object handed to a member, and a recordset read from
// one late-bound (by name through IDispatch): EOF, MoveFirst, MoveNext,
// RecordCount and Fields, each field with Value, Type and Name. A recordset
// written in a script works as well as a data-access library's.
#pragma once

#include "control/HostObject.h"

#include <oaidl.h>

#include <memory>

// The object argument of one call: the library's own object behind the
// interface, or the host's object wrapped for the length of the call.
class ComArgObject {
public:
    explicit ComArgObject(IUnknown* value);
    ComArgObject(const ComArgObject&) = delete;
    ComArgObject& operator=(const ComArgObject&) = delete;
    CKivoObject* Get() const { return m_object; }

private:
    CKivoObject* m_object = nullptr;
    std::unique_ptr<CHostObject> m_host;
};

// A recordset over a host's IDispatch (one reference held); NULL for NULL.
std::shared_ptr<IBindRecordset> CreateDispatchRecordset(IDispatch* dispatch);
