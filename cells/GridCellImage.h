// CGridCellImage: the cell of control type "image" (type 12). Over the
// ordinary cell it draws one picture of its grid's picture list, named by
// its 16-bit id, sized and placed by its control text:
//   "index"      the picture id (0 for a new cell; -1: no picture)
//   "sizetype"   0 the picture's own size, 1 the user size, 2 stretched to
//                the cell, 3 fitted into the cell keeping its aspect ratio
//   "userwidth", "userheight"  the size for size type 1
//   "align"      DrawText bits: 1 centre, 2 right, 4 middle, 8 bottom; 32
//                with size type 2: stretched inside the offsets
//   "offsetleft", "offsettop", "offsetright", "offsetbottom"  the offsets
// Attributes are read in that order on every change; an absent one is
// written back as "0" and its setting stays.
//
// Record level (end tag 10399), after CGridCell's: 10301 the control text
// with its NUL when not empty (the picture id written into it first);
// loading applies it.
#pragma once

#include "cellcontent/XmlElement.h"
#include "grid/GridCell.h"

const int CELL_RECORD_IMAGE_END = 10399;
const int CELL_RECORD_IMAGE_CONTROL = 10301;

class CBitmap;

class CGridCellImage : public CGridCell {
    DECLARE_DYNCREATE(CGridCellImage)

public:
    CGridCellImage();

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;
    void Reset() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;

    // Stores and applies the text; always TRUE.
    BOOL SetControl(LPCTSTR szControl) override;
    // The control text with "index" set to the picture id; a cell without
    // one takes <control controltype="image"  index="ID" ></control> as its
    // control text (parsed, so later calls and the record agree).
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    int GetPictureId() const { return m_nPictureId; }
    int GetSizeType() const { return m_nSizeType; }
    UINT GetImageAlign() const { return m_nImageAlign; }
    CSize GetUserSize() const { return CSize(m_nUserWidth, m_nUserHeight); }
    CRect GetOffsets() const { return CRect(m_nOffsetLeft, m_nOffsetTop, m_nOffsetRight, m_nOffsetBottom); }

    // Where a picture of size `picture` goes in the cell rectangle `rect` on
    // screen, and the part of the picture copied: FALSE when nothing is
    // drawn. `*pbStretch` tells a stretch from a plain copy.
    BOOL GetScreenPlacement(const CRect& rect, CSize picture, CRect* pDest, CSize* pSource, BOOL* pbStretch) const;

private:
    void ApplyImageAttributes();
    // The picture's bitmap in the grid's list; NULL without one.
    HBITMAP GetPictureBitmap() const;

    CXmlElement m_element;
    int m_nPictureId = 0;
    UINT m_nImageAlign = 0;
    WORD m_nOffsetLeft = 0;
    WORD m_nOffsetTop = 0;
    WORD m_nOffsetRight = 0;
    WORD m_nOffsetBottom = 0;
    BYTE m_nSizeType = 0;
    WORD m_nUserWidth = 0;
    WORD m_nUserHeight = 0;
};
