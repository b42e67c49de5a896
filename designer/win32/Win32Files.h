// The batch tools' files and folders on the system's file functions (paths
// in the program's code page, backslash-separated).
#pragma once

#include "designer/DesignerFiles.h"

class CWin32Files : public IDesignerFiles {
public:
    bool List(const CString& folder, std::vector<CDesignerFileEntry>& entries) override;
    bool IsDirectory(const CString& path) override;
    bool MakeDirectory(const CString& path) override;
};
