// TemplateFileInfo: the document information a template carries (its last
// section). Texts are cut to their field's capacity when set.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

struct TemplateFileInfo {
    static const int kCompanySize = 128;
    static const int kProductSize = 64;
    static const int kAuthorSize = 32;
    static const int kDescriptionSize = 256;
    static const int kFlagTextSize = 2;
    static const int kTailTextSize = 32;

    CString strCompany;
    CString strProduct;
    CString strAuthor;
    double dtDate = 0.0;           // OLE date
    CString strDescription;
    int nInfoValue1 = 0;
    CString strFlagText;
    int nInfoValue2 = 0;
    CString strTailText;

    // The information of a new template.
    void InitDefaults();
};
