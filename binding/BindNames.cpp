#include "binding/BindNames.h"

#include "base/Cp936.h"

#include <cstring>

CString CutBindName(LPCTSTR szName)
{
    if (szName == nullptr)
        return CString();
    int length = static_cast<int>(std::strlen(szName));
    int keep = 0;
    while (keep < length) {
        int next = cp936::NextChar(szName, length, keep);
        if (next > BIND_NAME_FIELD_SIZE - 1)
            break;
        keep = next;
    }
    return CString(szName, keep);
}
