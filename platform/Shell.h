// Handing an address to the system's "open" verb (the browser, the mail
// program).
//
// PlatformOpenLink calls the current handler: by default the shell's "open"
// verb on Windows, and on the headless platform a recorder that tests read
// through Headless::OpenedLinks(). A test may put in its own handler.
// Callers decide what may be opened; this opens whatever it is given.
#pragma once

#include "base/WinTypes.h"

typedef BOOL (*PlatformOpenLinkHandler)(LPCTSTR szTarget);

// TRUE when the handler took the target; FALSE for NULL or an empty text.
BOOL PlatformOpenLink(LPCTSTR szTarget);
// Replaces the handler; NULL restores the platform's own. Answers the one
// replaced (NULL when it was the platform's own).
PlatformOpenLinkHandler SetPlatformOpenLinkHandler(PlatformOpenLinkHandler pfnHandler);
// The platform's own handler.
BOOL PlatformShellOpen(LPCTSTR szTarget);
