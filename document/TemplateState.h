// The template state each grid keeps: the header fields of the last template
// it read (written back by its next save), the template password and the file
// name of its current template.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstdint>

// Fields 4 to 15 of the 71-byte template header. Their meaning belongs to the
// writers of older files; this system keeps them as read and writes them back.
struct TemplateHeaderFields {
    std::int32_t nValueA = 1;
    std::int32_t nValueB = 0;
    CString strSerial;              // up to 14 digits, stored as a double
    std::int32_t nValueC = 0;
    std::int8_t nValueD = 0;
    std::int16_t nValueE = 0;
    std::int32_t nValueF = 0;
    std::int32_t nValueG = 0;
    double dValueH = 0.0;
    BYTE reserved1[3] = {};
    BYTE reserved2[5] = {};
    BYTE reserved3[9] = {};
};

struct TemplateGridState {
    TemplateHeaderFields header;
    CString strPassword;            // the password of the last save or open
    CString strFileName;            // the current template file
    BOOL bOpeningTemplate = FALSE;  // an OpenTemplate is running
};
