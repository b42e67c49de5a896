// The end-of-edit record that every in-place editor sends to the grid.
//
// When an editor closes it sends WM_NOTIFY to its owner (the grid) with
// wParam = its control identifier and lParam = the address of this record.
// The record and the text it points to live only for the duration of that
// send: a receiver copies what it keeps.
#pragma once

#include "base/WinTypes.h"

// Notification code of the end of an in-place edit.
const int kCellEditEndNotify = -106;

// Bits of CellEditItem::mask.
const UINT kCellEditMaskText = 0x1;    // pszText is valid
const UINT kCellEditMaskParam = 0x4;   // lParam is valid
// What the plain editors fill: the text and the key that ended the edit.
const UINT kCellEditMaskTextAndKey = kCellEditMaskText | kCellEditMaskParam;

struct CellEditItem {
    UINT mask;          // kCellEditMaskTextAndKey
    int row;            // the edited cell
    int column;
    LPCTSTR pszText;    // the edited text (code page 936)
    LPARAM lParam;      // the key that ended the edit: 9 Tab, 13 Enter, 27 Esc,
                        // a navigation key's virtual-key code, or 0
};

struct CellEditNotifyInfo {
    NMHDR hdr;               // the editor window, its control id, kCellEditEndNotify
    CellEditItem item;
    LPCTSTR pszRichText;     // the rich-text editor's RTF; NULL from every other editor
    LONG nRichParam1;        // the rich-text editor's two parameters; 0 otherwise
    LONG nRichParam2;
};
