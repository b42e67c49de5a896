#include "platform/FileDialog.h"

namespace {

PlatformFileDialogHandler g_handler = nullptr;

}  // namespace

CString PlatformFileDialog(BOOL bOpen, LPCTSTR szFilter, LPCTSTR szDefFileName)
{
    return g_handler != nullptr ? g_handler(bOpen, szFilter, szDefFileName)
                                : PlatformSystemFileDialog(bOpen, szFilter, szDefFileName);
}

PlatformFileDialogHandler SetPlatformFileDialogHandler(PlatformFileDialogHandler pfnHandler)
{
    PlatformFileDialogHandler old = g_handler;
    g_handler = pfnHandler;
    return old;
}
