// The platform's windowless rich-text host (grid/RichTextHostBase.h): the
// system's rich-edit text services on Windows (cells/win32/RichTextHost.cpp),
// the portable document (cells/RichTextDocument.h) drawn through the
// headless DC elsewhere (cells/headless/RichTextHost.cpp).
#pragma once

#include "grid/RichTextHostBase.h"

// A new host, not initialised; the factory installed for the grid.
CRichTextHostBase* NewPlatformRichTextHost();

// Installs the in-place rich-text editor (cells/RichTextEditorSite.h) where
// the platform has one; on the host build there is none and rich-text cells
// are edited through their content only.
void InstallSuperEditHooks();
