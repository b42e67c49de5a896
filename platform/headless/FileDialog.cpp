// The headless file dialog: the user cancels it.
#include "platform/FileDialog.h"

CString PlatformSystemFileDialog(BOOL, LPCTSTR, LPCTSTR)
{
    return CString();
}
