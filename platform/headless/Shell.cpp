// The headless "open" verb: records the targets for the tests.
#include "platform/Shell.h"
#include "platform/headless/Headless.h"

namespace {

std::vector<std::string>& Opened()
{
    static std::vector<std::string> opened;
    return opened;
}

}  // namespace

BOOL PlatformShellOpen(LPCTSTR szTarget)
{
    Opened().emplace_back(szTarget != nullptr ? szTarget : "");
    return TRUE;
}

namespace Headless {

std::vector<std::string> OpenedLinks()
{
    return Opened();
}

void ClearOpenedLinks()
{
    Opened().clear();
}

}  // namespace Headless
