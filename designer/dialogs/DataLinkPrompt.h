// The system's data-link prompt behind the connection dialogs' "创建": the
// Data Links component (class {2206CDB2-19C1-11D1-89E0-00C04FD7A829}) asks
// for a new data source (PromptNew) when the connection string is empty, and
// otherwise edits an "ADODB.Connection" that holds the string (PromptEdit).
// Where the system has no ADO that answers, the component cannot be made,
// or its prompt does not run (Wine), the caller falls back to the
// designer's own data-source picker.
#pragma once

#include "base/CString.h"

enum class DataLinkOutcome {
    Unavailable,   // no component, or its prompt failed: use the picker
    Cancelled,     // the user cancelled: keep the string
    Chosen,        // the string the user built is in strResult
};

extern const char kDataLinksClass[];

// nOwner: the owning window's handle as a number (0: none).
DataLinkOutcome PromptDataLink(const CString& strCurrent, long long nOwner, CString& strResult);
