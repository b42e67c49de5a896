#include "cells/GridCellImage.h"

#include "base/NumberText.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/Picture.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridCellImage, CGridCell)

namespace {

const int kNoPicture = -1;
const UINT kAlignCentre = 0x01;
const UINT kAlignRight = 0x02;
const UINT kAlignMiddle = 0x04;
const UINT kAlignBottom = 0x08;
const UINT kAlignInsideOffsets = 0x20;

enum SizeType { kOwnSize = 0, kUserSize = 1, kStretch = 2, kFit = 3 };

// The offset of a piece `inner` wide in a space `outer` wide by the
// alignment's bits for that direction; never negative.
int AlignOffset(int outer, int inner, UINT align, UINT farBit, UINT centreBit)
{
    int offset = 0;
    if (align & farBit)
        offset = outer - inner;
    else if (align & centreBit)
        offset = (outer - inner) / 2;
    return offset < 0 ? 0 : offset;
}

// The picture scaled by `scale` to fit (W, H), centred, one pixel inside
// the top-left corner as every cell content is.
CRect FitRect(const CRect& rect, CSize picture)
{
    const int W = rect.Width();
    const int H = rect.Height();
    const double scale = std::min(static_cast<double>(W) / picture.cx, static_cast<double>(H) / picture.cy);
    const int width = static_cast<int>(picture.cx * scale);
    const int height = static_cast<int>(picture.cy * scale);
    const int x = rect.left + (W - width) / 2 + 1;
    const int y = rect.top + (H - height) / 2 + 1;
    return CRect(x, y, x + width, y + height);
}

CSize BitmapSize(HBITMAP hBitmap)
{
    return hBitmap != nullptr ? CBitmap::FromHandle(hBitmap)->GetSize() : CSize(0, 0);
}

}  // namespace

CGridCellImage::CGridCellImage() = default;

void CGridCellImage::Reset()
{
    m_element = CXmlElement();
    m_nPictureId = 0;
    m_nImageAlign = 0;
    m_nOffsetLeft = m_nOffsetTop = m_nOffsetRight = m_nOffsetBottom = 0;
    m_nSizeType = 0;
    m_nUserWidth = m_nUserHeight = 0;
    CGridCell::Reset();
}

// --- control attributes -------------------------------------------------------------

void CGridCellImage::ApplyImageAttributes()
{
    // Each attribute in turn: a present one is read, an absent one written
    // back as "0" while its setting stays.
    CXmlElement& e = m_element;
    auto read = [&e](LPCTSTR name, auto& member) {
        if (e.FindAttribute(name) >= 0) {
            using T = std::decay_t<decltype(member)>;
            member = static_cast<T>(AToI(e.GetAttribute(name)));
        } else {
            e.SetAttribute(name, "0");
        }
    };
    read("index", m_nPictureId);
    read("sizetype", m_nSizeType);
    read("userheight", m_nUserHeight);
    read("userwidth", m_nUserWidth);
    read("align", m_nImageAlign);
    read("offsetleft", m_nOffsetLeft);
    read("offsettop", m_nOffsetTop);
    read("offsetright", m_nOffsetRight);
    read("offsetbottom", m_nOffsetBottom);
}

BOOL CGridCellImage::SetControl(LPCTSTR szControl)
{
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    ApplyImageAttributes();
    return TRUE;
}

CString CGridCellImage::GetControl()
{
    CString id;
    id.Format("%d", m_nPictureId);
    if (m_element.GetXmlText().IsEmpty()) {
        // Parsed at once, so the picture id written here is found again.
        m_element = CXmlElement("<control controltype=\"image\"  index=\"" + id + "\" ></control>", "control");
        return m_element.GetXmlText();
    }
    m_element.SetAttribute("index", id);
    return m_element.GetXmlText();
}

BOOL CGridCellImage::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    const short result = m_element.SetAttribute(szKey, szValue);
    ApplyImageAttributes();
    return result >= 0 ? TRUE : FALSE;
}

CString CGridCellImage::GetControlProperty(LPCTSTR szKey)
{
    return m_element.GetAttribute(szKey);
}

BOOL CGridCellImage::DelControlProperty(LPCTSTR szKey)
{
    const BOOL result = m_element.DeleteAttribute(szKey);
    ApplyImageAttributes();
    return result;
}

// --- placement ----------------------------------------------------------------------

HBITMAP CGridCellImage::GetPictureBitmap() const
{
    if (m_nPictureId == kNoPicture || m_pGrid == nullptr)
        return nullptr;
    return m_pGrid->GetPictureList().GetBitmap(m_nPictureId);
}

BOOL CGridCellImage::GetScreenPlacement(const CRect& rect, CSize picture, CRect* pDest, CSize* pSource,
                                        BOOL* pbStretch) const
{
    const int W = rect.Width();
    const int H = rect.Height();
    if (picture.cx <= 0 || picture.cy <= 0 || W <= 0 || H <= 0)
        return FALSE;
    CRect dest;
    CSize source = picture;
    BOOL stretch = TRUE;
    if (m_nSizeType == kFit) {
        dest = FitRect(rect, picture);
    } else if (m_nSizeType == kStretch && (m_nImageAlign & kAlignInsideOffsets)) {
        dest = CRect(rect.left + m_nOffsetLeft, rect.top + m_nOffsetTop, rect.right - m_nOffsetRight,
                     rect.bottom - m_nOffsetBottom);
    } else if (m_nSizeType == kStretch) {
        dest = CRect(rect.left + 1, rect.top + 1, rect.left + 1 + W, rect.top + 1 + H);
    } else {
        // A plain copy of the source size, clipped to the cell, never moved
        // left of or above the cell's inner corner.
        stretch = FALSE;
        CSize size(0, 0);
        if (m_nSizeType == kOwnSize)
            size = picture;
        else if (m_nSizeType == kUserSize && m_nUserWidth != 0 && m_nUserHeight != 0)
            size = CSize(m_nUserWidth, m_nUserHeight);
        const int dx = AlignOffset(W, size.cx, m_nImageAlign, kAlignRight, kAlignCentre);
        const int dy = AlignOffset(H, size.cy, m_nImageAlign, kAlignBottom, kAlignMiddle);
        source = CSize(std::min(static_cast<int>(size.cx), W), std::min(static_cast<int>(size.cy), H));
        const int x = rect.left + 1 + dx;
        const int y = rect.top + 1 + dy;
        dest = CRect(x, y, x + source.cx, y + source.cy);
    }
    if (dest.Width() <= 0 || dest.Height() <= 0 || source.cx <= 0 || source.cy <= 0)
        return FALSE;
    *pDest = dest;
    *pSource = source;
    *pbStretch = stretch;
    return TRUE;
}

// --- painting -----------------------------------------------------------------------

namespace {

// Copies or stretches the bitmap's top-left `source` part into `dest`.
void Blit(CDC* pDC, HBITMAP hBitmap, const CRect& dest, CSize source, BOOL stretch)
{
    CDC memory;
    if (!memory.CreateCompatibleDC(pDC))
        return;
    CBitmap* old = memory.SelectObject(CBitmap::FromHandle(hBitmap));
    if (stretch) {
        const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
        pDC->StretchBlt(dest.left, dest.top, dest.Width(), dest.Height(), &memory, 0, 0, source.cx, source.cy,
                        SRCCOPY);
        pDC->SetStretchBltMode(oldMode);
    } else {
        pDC->BitBlt(dest.left, dest.top, source.cx, source.cy, &memory, 0, 0, SRCCOPY);
    }
    memory.SelectObject(old);
}

}  // namespace

BOOL CGridCellImage::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    const BOOL result = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    HBITMAP hBitmap = GetPictureBitmap();
    if (pDC == nullptr || hBitmap == nullptr)
        return result;
    CRect dest;
    CSize source;
    BOOL stretch = FALSE;
    if (GetScreenPlacement(rect, BitmapSize(hBitmap), &dest, &source, &stretch))
        Blit(pDC, hBitmap, dest, source, stretch);
    return result;
}

BOOL CGridCellImage::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    const BOOL result = CGridCell::DrawContent(pDC, nRow, nCol, rect);
    HBITMAP hBitmap = GetPictureBitmap();
    if (pDC == nullptr || hBitmap == nullptr)
        return result;
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    const CSize own = BitmapSize(hBitmap);
    const CSize zoomed(static_cast<int>(own.cx * zx), static_cast<int>(own.cy * zy));
    CBitmap scaled;
    if (!scaled.Attach(PlatformScalePicture(pDC, hBitmap, zoomed.cx, zoomed.cy)))
        return result;
    HBITMAP hScaled = static_cast<HBITMAP>(scaled.GetSafeHandle());
    const int W = rect.Width();
    const int H = rect.Height();
    const int px = static_cast<int>(zx);
    const int py = static_cast<int>(zy);

    if (m_nSizeType == kStretch) {
        CRect dest(rect.left + px, rect.top + py, rect.left + px + W, rect.top + py + H);
        if (m_nImageAlign & kAlignInsideOffsets)
            dest = CRect(rect.left + static_cast<int>(m_nOffsetLeft * zx), rect.top + static_cast<int>(m_nOffsetTop * zy),
                         rect.right - static_cast<int>(m_nOffsetRight * zx),
                         rect.bottom - static_cast<int>(m_nOffsetBottom * zy));
        if (dest.Width() > 0 && dest.Height() > 0)
            Blit(pDC, hScaled, dest, zoomed, TRUE);
        return result;
    }
    if (m_nSizeType == kFit) {
        // The screen's fit rule, over the picture at the page's zoom.
        if (W > 0 && H > 0)
            Blit(pDC, hScaled, FitRect(rect, zoomed), zoomed, TRUE);
        return result;
    }
    CSize size(0, 0);
    if (m_nSizeType == kOwnSize)
        size = zoomed;
    else if (m_nSizeType == kUserSize && m_nUserWidth != 0 && m_nUserHeight != 0)
        size = CSize(static_cast<int>(m_nUserWidth * zx), static_cast<int>(m_nUserHeight * zy));
    const int dx = AlignOffset(W, size.cx, m_nImageAlign, kAlignRight, kAlignCentre);
    const int dy = AlignOffset(H, size.cy, m_nImageAlign, kAlignBottom, kAlignMiddle);
    // Never more than the picture holds.
    const CSize copy(std::min({static_cast<int>(size.cx), W, static_cast<int>(zoomed.cx)}),
                     std::min({static_cast<int>(size.cy), H, static_cast<int>(zoomed.cy)}));
    if (copy.cx > 0 && copy.cy > 0) {
        const int x = rect.left + dx + px;
        const int y = rect.top + dy + py;
        Blit(pDC, hScaled, CRect(x, y, x + copy.cx, y + copy.cy), copy, FALSE);
    }
    return result;
}

CSize CGridCellImage::GetCellExtent(CDC* pDC, int nCol)
{
    CSize size = CGridCell::GetCellExtent(pDC, nCol);
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    CSize least(0, 0);
    if (m_nSizeType == kOwnSize || m_nSizeType == kStretch) {
        const CSize own = BitmapSize(GetPictureBitmap());
        if (own.cx > 0 && own.cy > 0)
            least = CSize(static_cast<int>((own.cx + 1) * zx), static_cast<int>((own.cy + 1) * zy));
    } else if (m_nSizeType == kUserSize) {
        least = CSize(static_cast<int>(m_nUserWidth * zx), static_cast<int>(m_nUserHeight * zy));
    }
    size.cx = std::max(size.cx, least.cx);
    size.cy = std::max(size.cy, least.cy);
    return size;
}

// --- the record -----------------------------------------------------------------------

int CGridCellImage::GetRecordSize()
{
    return GetControlLevelSize(CELL_RECORD_IMAGE_CONTROL);
}

void CGridCellImage::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    SerializeControlLevel(ar, pnRunningSize, CELL_RECORD_IMAGE_CONTROL, CELL_RECORD_IMAGE_END);
}
