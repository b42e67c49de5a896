// The picture of the focus cell a drag shows, and making the folder a file
// of the grid is about to be written into.
#include "grid/GridCtrl.h"

#include "platform/DC.h"
#include "platform/FileFind.h"
#include "platform/Folder.h"
#include "platform/Gdi.h"
#include "platform/ImageList.h"

#include <memory>

CImageList* CGridCtrl::CreateDragImage(CSize* pSize)
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    CClientDC dc(this);
    if (dc.GetSafeHdc() == nullptr)
        return nullptr;
    const CGridCellPos focus = GetFocusCell();
    CRect rect;
    if (!IsValid(focus.row, focus.col) || !GetCellRect(focus.row, focus.col, &rect))
        return nullptr;
    // The cell rectangle ends on its last pixel.
    const int cx = rect.Width() + 1;
    const int cy = rect.Height() + 1;
    if (cx < 1 || cy < 1)
        return nullptr;
    CGridCellBase* pCell = GetCell(focus.row, focus.col);
    int row = focus.row;
    int col = focus.col;
    if (pCell != nullptr && pCell->IsMerged()) {
        // A block is painted by its top-left cell over the block's rectangle.
        const CGridCellPos owner = pCell->GetMergeRange().GetTopLeft();
        if (IsValid(owner.row, owner.col) && GetCell(owner.row, owner.col) != nullptr) {
            row = owner.row;
            col = owner.col;
            pCell = GetCell(row, col);
        }
    }
    if (pCell == nullptr)
        return nullptr;

    const COLORREF mask = m_cellDefault.GetBackColor();
    CDC memDC;
    CBitmap picture;
    if (!memDC.CreateCompatibleDC(&dc) || !picture.CreateCompatibleBitmap(&dc, cx, cy))
        return nullptr;
    CBitmap* pOld = memDC.SelectObject(&picture);
    memDC.FillSolidRect(0, 0, cx, cy, mask);
    CRect at(0, 0, cx - 1, cy - 1);
    pCell->Draw(&memDC, row, col, at, TRUE);
    memDC.SelectObject(pOld);

    std::unique_ptr<CImageList> pList(new CImageList);
    if (!pList->Create(cx, cy, ILC_MASK | ILC_COLOR24, 1, 1) || pList->Add(&picture, mask) < 0)
        return nullptr;
    if (pSize != nullptr)
        *pSize = CSize(cx, cy);
    return pList.release();
}

BOOL CGridCtrl::EnsureFolder(LPCTSTR szPath)
{
    const CString path(szPath != nullptr ? szPath : "");
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        // The second byte of a double-byte character is no separator.
        if (c >= 0x81 && c <= 0xFE && i + 1 < path.GetLength()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/')
            cut = i;
    }
    const CString folder = cut >= 0 ? path.Left(cut) : CString();
    if (PlatformFindFile(folder + "\\*.*", nullptr))
        return FALSE;
    return PlatformCreateFolder(folder);
}
