// The grid's eleven skin bitmaps: the pictures its buttons, drop-down arrows,
// header rows, top-left corner, progress bar, scroll bars and print-preview
// tool bar are painted from.
//
// Every grid starts with the built-in pictures. They are not stored anywhere:
// they are drawn in code, pixel by pixel, into memory bitmaps of the sizes the
// painters expect (see the table in SkinBitmapArt.cpp), so both builds have the
// same pictures without resource files. A skin folder can replace any of them
// by a .bmp file named after the picture's stem ("BUTTON.bmp", ...); a file
// that cannot be read as a bitmap is refused and the picture in use is kept.
//
// The bitmaps are held by value and keep their address for the life of the
// set: painters and scroll bars may keep a CBitmap* to one of them and see a
// replacement at their next paint.
#pragma once

#include "base/CString.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"
#include "platform/Gdi.h"

// The pictures, in the order of their stems.
enum GridSkinBitmap {
    SKIN_BUTTON = 0,          // button cells and skin buttons: five faces stacked
    SKIN_COMBOCHECKBOX,       // check boxes of check-list drop-downs: four 13 x 13 boxes side by side
    SKIN_COMBOBOX,            // drop-down button: four 17-pixel frames side by side, 17 rows
    SKIN_DATETIME,            // date-time drop-down button: the same layout
    SKIN_FIXEDROW,            // header-row tile
    SKIN_TOPLEFTSIDE,         // the mark in the top-left corner cell
    SKIN_FIXEDSELROW,         // header-row tile of the selection's headers
    SKIN_PROCESSBG,           // progress bar background
    SKIN_PROCESSFG,           // progress bar foreground strip
    SKIN_SCROLL,              // scroll-bar parts and the corner square
    SKIN_PREVIEWTOOLBARBG,    // print-preview tool bar background
    SKIN_BITMAP_COUNT
};

// "BUTTON", "COMBOCHECKBOX", ...; NULL outside 0..SKIN_BITMAP_COUNT - 1.
LPCTSTR GetSkinBitmapStem(int nIndex);
// The library's resource id of a picture (BUTTON 263, SCROLL 261, ...); 0 outside.
UINT GetSkinBitmapResourceId(int nIndex);
// The picture of a resource id; -1 for an id that is not a skin picture.
int FindSkinBitmapByResourceId(UINT nID);
// The size of the built-in picture; (0, 0) outside.
CSize GetBuiltInSkinBitmapSize(int nIndex);

// Makes the built-in picture into bitmap (which must hold no bitmap yet);
// FALSE outside the table or when the bitmap cannot be made.
BOOL CreateBuiltInSkinBitmap(int nIndex, CBitmap& bitmap);

// Loads a bitmap resource of the control library by its id into bitmap (which
// must hold no bitmap yet). The skin pictures are the library's only bitmap
// resources and are drawn in code; FALSE for any other id.
BOOL LoadBitmapResource(UINT nID, CBitmap& bitmap);

class CGridSkinBitmaps {
public:
    // Every picture built in.
    CGridSkinBitmaps();
    ~CGridSkinBitmaps();
    CGridSkinBitmaps(const CGridSkinBitmaps&) = delete;
    CGridSkinBitmaps& operator=(const CGridSkinBitmaps&) = delete;

    // The picture in use; NULL outside the table. The object stays the same
    // for the life of the set.
    CBitmap* Get(int nIndex);

    // For every stem in order, loads <folder>\<stem>.bmp when the file exists
    // and reads as a bitmap, deleting the picture it replaces. Answers the
    // number replaced. The separator is "\" unless the folder text uses "/"
    // only (a host path), in which case "/" joins it. An empty folder loads
    // nothing.
    int LoadFromFolder(const CString& strFolder);
    // Replaces one picture from a .bmp file; FALSE (picture kept) when the
    // file is missing or unreadable or the index is outside the table.
    BOOL LoadFromFile(int nIndex, LPCTSTR szPath);
    // Every picture back to its built-in version.
    void RestoreBuiltIns();

    // The file a picture is loaded from for a folder.
    static CString MakeSkinFilePath(const CString& strFolder, int nIndex);

private:
    CBitmap m_bitmaps[SKIN_BITMAP_COUNT];
};
