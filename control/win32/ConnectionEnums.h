// Enumerators a container walks to find the control's connection points and
// the sinks connected to one of them. Each holds a snapshot taken when it was
// made, with one reference on every interface in it; Next hands out further
// references the caller releases.
#pragma once

#include <ocidl.h>

#include <vector>

// A new enumerator over the points (each AddRef'd for the enumerator).
HRESULT CreateConnectionPointEnum(const std::vector<IConnectionPoint*>& points, IEnumConnectionPoints** ppEnum);
// A new enumerator over the connections (each sink AddRef'd for the enumerator).
HRESULT CreateConnectionEnum(const std::vector<CONNECTDATA>& connections, IEnumConnections** ppEnum);
