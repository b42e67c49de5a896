// The recent-file list of the File menu: at most a fixed number of paths,
// the newest first; a path added again moves to the top (paths compare
// without regard to ASCII case, as the file system does).
#pragma once

#include "base/CString.h"

#include <vector>

class CRecentFileList {
public:
    explicit CRecentFileList(int size = 4) : m_size(size > 0 ? size : 1) {}

    void Add(const CString& path);
    void Remove(int index);
    int GetCount() const { return static_cast<int>(m_paths.size()); }
    const CString& operator[](int i) const { return m_paths[static_cast<size_t>(i)]; }
    int GetSize() const { return m_size; }

    // The menu text of entry i: "&1 " and the path, shortened to "...\" and
    // the file name when longer than maxLength bytes; "&&" for each "&".
    CString MenuText(int i, int maxLength = 60) const;

    // Stored form: values "File1" .. "FileN" under one registry key.
    static CString ValueName(int i);

private:
    int m_size;
    std::vector<CString> m_paths;
};
