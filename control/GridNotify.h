// The notification messages the grid window sends or posts to its parent, the
// control window, and the records some of them point at. The grid fills the
// records and reads back what the control's event handlers wrote into them.
#pragma once

#include "base/WinTypes.h"

#include <cstdint>

namespace gridnotify {

const UINT kMouseMove = 1025;
const UINT kDragOver = 1026;
const UINT kSelectRange = 1027;
const UINT kLClickUp = 1028;
const UINT kDblClick = 1029;
const UINT kKeyPress = 1030;          // wParam: UINT* key code (in and out)
const UINT kColumnResize = 1031;      // lParam: BOOL* may resize
const UINT kRowResize = 1032;         // lParam: BOOL* may resize
const UINT kMouseWheel = 1033;
const UINT kRClickUp = 1034;
const UINT kCellStartEdit = 1035;     // wParam: CStartEditRecord*
const UINT kCellEndEdit = 1036;
const UINT kTreeExpand = 1037;        // lParam: CTreeExpandRecord*
const UINT kTreeCollapse = 1038;      // lParam: BOOL* may collapse
const UINT kCellBtnLClickUp = 1039;
const UINT kCellBtnLClickDown = 1040;
const UINT kVScroll = 1041;
const UINT kHScroll = 1042;
const UINT kComboSelChange = 1050;    // lParam: CComboSelRecord*
const UINT kCalcUserFunction = 1061;  // wParam: CUserFunctionRecord*
const UINT kBeginPrint = 1066;
const UINT kBeginPreview = 1067;
const UINT kFinishPrint = 1068;
const UINT kFinishPreview = 1069;
const UINT kCheckBoxChecked = 1070;
const UINT kOnChar = 1072;            // wParam: UINT* character code (in and out)
const UINT kMenuStart = 1073;
const UINT kMenuCommand = 1074;

// 1035: the cell about to be edited; the editor opens only while *pAllow stays non-zero.
struct CStartEditRecord {
    std::int32_t row;
    std::int32_t col;
    std::int32_t type;
    BOOL* pAllow;
};

// 1037: a tree node about to expand.
struct CTreeExpandRecord {
    BOOL* pMayExpand;               // preset to 1
    std::int32_t* pExpandFlags;     // preset to 0: 0 all descendants, else direct children only
    std::int32_t row;
};

// 1050: the new selection of a cell's drop-down list.
struct CComboSelRecord {
    std::int32_t row;
    std::int32_t col;
    std::int32_t index;
    const char* text;               // code page 936, NUL-terminated
};

// 1061: a user function a formula calls; the handler writes the value into result.
const int kUserFunctionResultSize = 512;
struct CUserFunctionRecord {
    const char* name;
    const char* params;             // the arguments' texts joined by "\n!\n!\n!"
    char* result;                   // kUserFunctionResultSize bytes, zero-filled
};

}  // namespace gridnotify
