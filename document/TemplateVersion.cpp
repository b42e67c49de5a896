#include "document/TemplateVersion.h"

#include "base/NumberText.h"

#include <cstring>

namespace {

const char kWriterVersion[] = "04.01";

// The 6 header bytes and a terminating NUL of our own.
char g_version[7] = {};

}  // namespace

LPCTSTR GetTemplateWriterVersion()
{
    return kWriterVersion;
}

CString GetTemplateVersionText()
{
    return CString(g_version);
}

void SetTemplateVersionBytes(const char* pBytes6)
{
    std::memset(g_version, 0, sizeof(g_version));
    if (pBytes6 != nullptr)
        std::memcpy(g_version, pBytes6, 6);
}

BOOL IsTemplateVersionAbove(LPCTSTR szVersion)
{
    return StrToD(g_version, nullptr) > StrToD(szVersion != nullptr ? szVersion : "", nullptr);
}
