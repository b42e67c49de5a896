// The skin bitmaps the grid paints with, and replacing them from a folder.
#include "grid/GridCtrl.h"

#include "cellcontent/PathUtil.h"
#include "platform/System.h"

namespace {

// The full path of the host program, the base a relative skin folder is
// resolved against when the host gave one at start-up.
CString g_strProgramPath;

// Whether a folder text names a place relative to the base: a leading "..\",
// ".\" or a single "\". Anything else (a drive path, a network path
// "\\server\share", a bare name) is used as it stands.
bool IsRelativeFolder(const CString& strFolder)
{
    if (strFolder.Left(2) == "\\\\")
        return false;
    return strFolder.Left(3) == "..\\" || strFolder.Left(2) == ".\\" || strFolder.Left(1) == "\\";
}

// The folder the skin bitmaps are looked for in. A relative folder needs a
// base: the host program's path when the host set one, else the path of the
// module holding the grid (the control's own DLL inside a host that knows
// nothing of this setting). Without any base a relative folder names nothing.
CString ResolveSkinFolder(const CString& strFolder)
{
    if (!IsRelativeFolder(strFolder))
        return strFolder;
    const CString base = !g_strProgramPath.IsEmpty() ? g_strProgramPath : PlatformModuleFileName();
    return base.IsEmpty() ? CString() : ResolveRelativePath(base, strFolder);
}

}  // namespace

void CGridCtrl::SetProgramPath(LPCTSTR szPath) { g_strProgramPath = szPath != nullptr ? szPath : ""; }

int CGridCtrl::SetSkinDir(LPCTSTR szFolder)
{
    m_strSkinDir = szFolder != nullptr ? szFolder : "";
    CString strResolved = ResolveSkinFolder(m_strSkinDir);
    int nReplaced = strResolved.IsEmpty() ? 0 : m_SkinBitmaps.LoadFromFolder(strResolved);

    if (GetSafeHwnd() != nullptr) {
        UpdateScrollBars();
        for (CWnd* pBar : {m_pHScroll.get(), m_pVScroll.get()}) {
            if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
                pBar->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
        }
        Invalidate(TRUE);
    }
    return nReplaced;
}
