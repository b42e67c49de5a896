#include "designer/RecentFileList.h"

#include "designer/KivoSheetDesignerDoc.h"

#include <string>

void CRecentFileList::Add(const CString& path)
{
    if (path.IsEmpty())
        return;
    for (size_t i = 0; i < m_paths.size(); ++i) {
        if (m_paths[i].CompareNoCase(path) == 0) {
            m_paths.erase(m_paths.begin() + static_cast<long>(i));
            break;
        }
    }
    m_paths.insert(m_paths.begin(), path);
    if (static_cast<int>(m_paths.size()) > m_size)
        m_paths.resize(static_cast<size_t>(m_size));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_paths.erase(m_paths.begin() + index);
}

CString CRecentFileList::MenuText(int i, int maxLength) const
{
    if (i < 0 || i >= GetCount())
        return CString();
    CString path = m_paths[static_cast<size_t>(i)];
    if (path.GetLength() > maxLength)
        path = CString("...\\") + FileTitleOfPath(path);
    path.Replace("&", "&&");
    return CString("&") + CString(std::to_string(i + 1)) + " " + path;
}

CString CRecentFileList::ValueName(int i)
{
    return CString("File") + CString(std::to_string(i + 1));
}
