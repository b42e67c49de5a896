// A data set's recordset as binds read it. The recordset belongs to the data
// set; this view holds the data set weakly and finds nothing (an empty,
// closed recordset) once the data set is deleted or closed.
#pragma once

#include "binding/BindRecordset.h"

#include <memory>

class CDataSetDef;

// A view of the data set's recordset; NULL for NULL.
std::shared_ptr<IBindRecordset> CreateDataSetRecordset(CDataSetDef* pDataSet);
