// The grid's notification messages as the control reads them. The numbers
// and the records some of them point at belong to the grid window
// (grid/GridMessages.h); this header only gives them the short names the
// event translation uses. The grid fills a record and, for a sent message,
// reads back what the control's event handlers wrote into it.
#pragma once

#include "grid/GridMessages.h"

namespace gridnotify {

const UINT kMouseMove = WM_GRID_MOUSEMOVE;
const UINT kDragOver = WM_GRID_DRAGOVER;
const UINT kSelectRange = WM_GRID_SELECTRANGE;
const UINT kLClickUp = WM_GRID_LCLICKUP;
const UINT kDblClick = WM_GRID_DBLCLICK;
const UINT kKeyPress = WM_GRID_KEYPRESS;              // wParam: UINT* key code (in and out)
const UINT kColumnResize = WM_GRID_COLUMNRESIZE;      // lParam: BOOL* may resize
const UINT kRowResize = WM_GRID_ROWRESIZE;            // lParam: BOOL* may resize
const UINT kMouseWheel = WM_GRID_MOUSEWHEEL;
const UINT kRClickUp = WM_GRID_RCLICKUP;
const UINT kCellStartEdit = WM_GRID_CELLSTARTEDIT;    // wParam: CStartEditRecord*
const UINT kCellEndEdit = WM_GRID_CELLENDEDIT;
const UINT kTreeExpand = WM_GRID_TREEEXPAND;          // lParam: CTreeExpandRecord*
const UINT kTreeCollapse = WM_GRID_TREECOLLAPSE;      // lParam: BOOL* may collapse
const UINT kCellBtnLClickUp = WM_GRID_CELLBTNLCLICKUP;
const UINT kCellBtnLClickDown = WM_GRID_CELLBTNLCLICKDOWN;
const UINT kVScroll = WM_GRID_VSCROLL;
const UINT kHScroll = WM_GRID_HSCROLL;
const UINT kComboSelChange = WM_GRID_CELLCOMBOSELCHANGE;  // lParam: CComboSelRecord*
const UINT kCalcUserFunction = WM_GRID_CALCUSERFUNCTION;  // wParam: CUserFunctionRecord*
const UINT kBeginPrint = WM_GRID_BEGINPRINT;
const UINT kBeginPreview = WM_GRID_BEGINPREVIEW;
const UINT kFinishPrint = WM_GRID_FINISHPRINT;
const UINT kFinishPreview = WM_GRID_FINISHPREVIEW;
const UINT kCheckBoxChecked = WM_GRID_CELLCHECKBOXCHECKED;
const UINT kOnChar = WM_GRID_ONCHAR;                  // wParam: UINT* character code (in and out)
const UINT kMenuStart = WM_GRID_MENUSTART;
const UINT kMenuCommand = WM_GRID_MENUCOMMAND;

typedef GridStartEditRecord CStartEditRecord;
typedef GridTreeExpandRecord CTreeExpandRecord;
typedef GridComboSelRecord CComboSelRecord;
typedef GridUserFunctionRecord CUserFunctionRecord;
const int kUserFunctionResultSize = GRID_USER_FUNCTION_RESULT_SIZE;

}  // namespace gridnotify
