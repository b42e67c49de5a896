// The skin bitmaps the grid paints with, and replacing them from a folder.
#include "grid/GridCtrl.h"

#include "cellcontent/PathUtil.h"

namespace {

// The full path of the host program, the base a relative skin folder is
// resolved against. Set by the host at start-up (the platform layer has no
// module-path service yet); empty until then.
CString g_strProgramPath;

}  // namespace

void CGridCtrl::SetProgramPath(LPCTSTR szPath) { g_strProgramPath = szPath != nullptr ? szPath : ""; }

int CGridCtrl::SetSkinDir(LPCTSTR szFolder)
{
    m_strSkinDir = szFolder != nullptr ? szFolder : "";
    CString strResolved = ResolveRelativePath(g_strProgramPath, m_strSkinDir);
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
