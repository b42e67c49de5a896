#include "grid/SkinBitmaps.h"

#include "cellcontent/PathUtil.h"

namespace {

struct SkinEntry {
    const char* stem;
    UINT resourceId;
};

// In the order of GridSkinBitmap.
const SkinEntry kSkins[SKIN_BITMAP_COUNT] = {
    {"BUTTON", 263},         {"COMBOCHECKBOX", 273}, {"COMBOBOX", 272}, {"DATETIME", 274},
    {"FIXEDROW", 258},       {"TOPLEFTSIDE", 260},   {"FIXEDSELROW", 259}, {"PROCESSBG", 268},
    {"PROCESSFG", 267},      {"SCROLL", 261},        {"PREVIEWTOOLBARBG", 262},
};

bool InTable(int nIndex)
{
    return nIndex >= 0 && nIndex < SKIN_BITMAP_COUNT;
}

}  // namespace

LPCTSTR GetSkinBitmapStem(int nIndex)
{
    return InTable(nIndex) ? kSkins[nIndex].stem : nullptr;
}

UINT GetSkinBitmapResourceId(int nIndex)
{
    return InTable(nIndex) ? kSkins[nIndex].resourceId : 0;
}

int FindSkinBitmapByResourceId(UINT nID)
{
    for (int i = 0; i < SKIN_BITMAP_COUNT; ++i)
        if (kSkins[i].resourceId == nID)
            return i;
    return -1;
}

BOOL LoadBitmapResource(UINT nID, CBitmap& bitmap)
{
    int index = FindSkinBitmapByResourceId(nID);
    if (index < 0)
        return FALSE;
    return CreateBuiltInSkinBitmap(index, bitmap);
}

// --- the set --------------------------------------------------------------------

CGridSkinBitmaps::CGridSkinBitmaps()
{
    RestoreBuiltIns();
}

CGridSkinBitmaps::~CGridSkinBitmaps() = default;

CBitmap* CGridSkinBitmaps::Get(int nIndex)
{
    return InTable(nIndex) ? &m_bitmaps[nIndex] : nullptr;
}

void CGridSkinBitmaps::RestoreBuiltIns()
{
    for (int i = 0; i < SKIN_BITMAP_COUNT; ++i) {
        CBitmap fresh;
        if (!LoadBitmapResource(kSkins[i].resourceId, fresh))
            continue;
        m_bitmaps[i].DeleteObject();
        m_bitmaps[i].Attach(fresh.Detach());
    }
}

CString CGridSkinBitmaps::MakeSkinFilePath(const CString& strFolder, int nIndex)
{
    if (!InTable(nIndex))
        return CString();
    // A '/' byte is never the second byte of a two-byte character, so this
    // test is safe on code page 936 text.
    const bool hostStyle = strFolder.Find('/') >= 0 && strFolder.Find('\\') < 0;
    CString path = strFolder;
    path += hostStyle ? "/" : "\\";
    path += kSkins[nIndex].stem;
    path += ".bmp";
    return path;
}

BOOL CGridSkinBitmaps::LoadFromFile(int nIndex, LPCTSTR szPath)
{
    if (!InTable(nIndex) || szPath == nullptr || *szPath == '\0' || !FileExists(szPath))
        return FALSE;
    CBitmap loaded;
    if (!loaded.LoadFromFile(szPath) || loaded.GetSafeHandle() == nullptr)
        return FALSE;
    CSize size = loaded.GetSize();
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    m_bitmaps[nIndex].DeleteObject();
    m_bitmaps[nIndex].Attach(loaded.Detach());
    return TRUE;
}

int CGridSkinBitmaps::LoadFromFolder(const CString& strFolder)
{
    if (strFolder.IsEmpty())
        return 0;
    int replaced = 0;
    for (int i = 0; i < SKIN_BITMAP_COUNT; ++i) {
        if (LoadFromFile(i, MakeSkinFilePath(strFolder, i)))
            ++replaced;
    }
    return replaced;
}
