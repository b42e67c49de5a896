// The files and folders the designer's batch tools walk: listing a folder,
// asking whether a path is a folder and making one. The Windows program
// answers from the system (designer/win32/Win32Files.cpp); tests answer from
// a folder of their own or from memory.
#pragma once

#include "base/CString.h"

#include <vector>

struct CDesignerFileEntry {
    CString name;            // the name inside its folder
    bool directory = false;
    bool readOnly = false;
};

class IDesignerFiles {
public:
    virtual ~IDesignerFiles() = default;
    // The entries of folder, without "." and ".."; false when the folder
    // cannot be read.
    virtual bool List(const CString& folder, std::vector<CDesignerFileEntry>& entries) = 0;
    virtual bool IsDirectory(const CString& path) = 0;
    // Makes one folder whose parent exists; false when it cannot.
    virtual bool MakeDirectory(const CString& path) = 0;
    // The character between a folder and a name.
    virtual char Separator() const { return '\\'; }
};
