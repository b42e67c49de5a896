// The numbered messages the grid window sends or posts to its parent (the
// control window), the private messages of the grid window, and the records
// some of them carry. The grid fills a record and, for a sent message, reads
// back what the parent wrote into it.
#pragma once

#include "base/WinTypes.h"

#include <cstdint>

// --- grid -> parent ----------------------------------------------------------
const UINT WM_GRID_MOUSEMOVE = 1025;          // S  key flags | MAKELONG(x, y)
const UINT WM_GRID_DRAGOVER = 1026;           // S  key state | MAKELONG(x, y)
const UINT WM_GRID_SELECTRANGE = 1027;        // S  MAKELONG(row1, row2) | MAKELONG(col1, col2)
const UINT WM_GRID_LCLICKUP = 1028;           // P  key flags | MAKELONG(x, y)
const UINT WM_GRID_DBLCLICK = 1029;           // P  key flags | MAKELONG(x, y)
const UINT WM_GRID_KEYPRESS = 1030;           // S  UINT32* key code (in and out) | 1 or key flags
const UINT WM_GRID_COLUMNRESIZE = 1031;       // S  column | BOOL* may resize (1 on entry)
const UINT WM_GRID_ROWRESIZE = 1032;          // S  row | BOOL* may resize
const UINT WM_GRID_MOUSEWHEEL = 1033;         // S  key flags | signed 16-bit delta
const UINT WM_GRID_RCLICKUP = 1034;           // S  key flags | MAKELONG(x, y)
const UINT WM_GRID_CELLSTARTEDIT = 1035;      // S  GridStartEditRecord*
const UINT WM_GRID_CELLENDEDIT = 1036;        // P  MAKELONG(row, col) | ...
const UINT WM_GRID_TREEEXPAND = 1037;         // S  0 | GridTreeExpandRecord*
const UINT WM_GRID_TREECOLLAPSE = 1038;       // S  row | BOOL* may collapse
const UINT WM_GRID_CELLBTNLCLICKUP = 1039;    // P
const UINT WM_GRID_CELLBTNLCLICKDOWN = 1040;  // P
const UINT WM_GRID_VSCROLL = 1041;            // P  MAKELONG(top row, left col) before the scroll | code
const UINT WM_GRID_HSCROLL = 1042;            // S  the same
const UINT WM_GRID_CELLCOMBOSELCHANGE = 1050; // S  0 | GridComboSelRecord*
const UINT WM_GRID_CALCUSERFUNCTION = 1061;   // S  GridUserFunctionRecord* (also private, forwarded)
const UINT WM_GRID_BEGINPRINT = 1066;         // P
const UINT WM_GRID_BEGINPREVIEW = 1067;       // P
const UINT WM_GRID_FINISHPRINT = 1068;        // S
const UINT WM_GRID_FINISHPREVIEW = 1069;      // P  0 | 0 preview window, 1 preview dialog
const UINT WM_GRID_CELLCHECKBOXCHECKED = 1070; // P
const UINT WM_GRID_ONCHAR = 1072;             // S  UINT32* character (in and out) | flags
const UINT WM_GRID_MENUSTART = 1073;          // S  MAKELONG(row, col) | where: 1 cell, 2 column header, 3 row header, 4 corner, 9 none
const UINT WM_GRID_MENUCOMMAND = 1074;        // S  MAKELONG(row, col) | item identifier

// --- private messages of the grid window ------------------------------------
const UINT WM_GRID_TREEROWSCHANGED = 1045;    // from a tree column; no further action
const UINT WM_GRID_PAGESETUP = 1057;
const UINT WM_GRID_CLOSEPREVIEW = 1058;
const UINT WM_GRID_PRINT = 1059;
const UINT WM_GRID_PROGRESSRANGE = 1062;      // wParam low, lParam high
const UINT WM_GRID_PROGRESSPOS = 1063;        // wParam position
const UINT WM_GRID_PROGRESSHIDE = 1064;
const UINT WM_GRID_PROGRESSSHOW = 1065;

// --- WM_NOTIFY codes to the owner, with GridNotifyRecord --------------------
const int GVN_CLICK = -2;
const int GVN_RCLICK = -5;
const int GVN_SELCHANGING = -100;
const int GVN_SELCHANGED = -101;
const int GVN_BEGINLABELEDIT = -105;
const int GVN_ENDLABELEDIT = -106;
const int GVN_BEGINDRAG = -109;
const int GVN_ODCACHEHINT = -113;
const int GVN_GETDISPINFO = -150;

// WM_NOTIFY record: the standard header, then the cell.
struct GridNotifyRecord {
    NMHDR hdr;
    std::int32_t iRow;
    std::int32_t iColumn;
};

// WM_NOTIFY -113: the range of cells about to be painted (all -1: the end).
struct GridCacheHintRecord {
    NMHDR hdr;
    std::int32_t nMinRow;
    std::int32_t nMinCol;
    std::int32_t nMaxRow;
    std::int32_t nMaxCol;
};

// 1035: the cell about to be edited; the editor opens only while *pAllow stays non-zero.
struct GridStartEditRecord {
    std::int32_t row;
    std::int32_t col;
    std::int32_t type;
    BOOL* pAllow;
};

// 1037: a tree node about to expand.
struct GridTreeExpandRecord {
    BOOL* pMayExpand;               // preset to 1
    std::int32_t* pExpandFlags;     // preset to 0: 0 all descendants, else direct children only
    std::int32_t row;
};

// 1050: the new selection of a cell's drop-down list.
struct GridComboSelRecord {
    std::int32_t row;
    std::int32_t col;
    std::int32_t index;
    const char* text;               // code page 936, NUL-terminated
};

// 1061: a user function a formula calls; the handler writes the value into result.
const int GRID_USER_FUNCTION_RESULT_SIZE = 512;
struct GridUserFunctionRecord {
    const char* name;
    const char* params;             // the arguments' texts joined by "\n!\n!\n!"
    char* result;                   // GRID_USER_FUNCTION_RESULT_SIZE bytes, zero-filled
};
