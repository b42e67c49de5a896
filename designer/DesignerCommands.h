// Command identifiers of the designer's menus, toolbars and the grid's
// right-click menu.
#pragma once

namespace designer_cmd {

// Framework commands.
const unsigned kFileNew = 57600;
const unsigned kFileOpen = 57601;
const unsigned kFileClose = 57602;
const unsigned kFileSave = 57603;
const unsigned kFileSaveAs = 57604;
const unsigned kFilePrintSetup = 57606;
const unsigned kFilePrint = 57607;
const unsigned kFilePrintPreview = 57609;
const unsigned kFileMruFirst = 57616;   // 57616 .. 57619: the recent files
const unsigned kFileMruLast = 57619;
const unsigned kEditCopy = 57634;
const unsigned kEditCut = 57635;
const unsigned kEditPaste = 57637;
const unsigned kEditUndo = 57643;
const unsigned kAppAbout = 57664;
const unsigned kAppExit = 57665;
const unsigned kNextPane = 57680;
const unsigned kPrevPane = 57681;
const unsigned kViewToolbar = 59392;
const unsigned kViewStatusBar = 59393;
const unsigned kRunTemplate = 32939;

// The grid's right-click menu.
const unsigned kMenuCut = 20000;
const unsigned kMenuCopy = 20001;
const unsigned kMenuPaste = 20002;
const unsigned kMenuPasteOptions = 20003;
const unsigned kMenuClearContent = 20004;
const unsigned kMenuClearAll = 20006;
const unsigned kMenuLink = 20007;
const unsigned kMenuCellProperties = 20008;
const unsigned kMenuInsertTip = 20009;
const unsigned kMenuDeleteTip = 20010;
const unsigned kMenuReadOnly = 20011;
const unsigned kMenuWritable = 20012;
const unsigned kMenuInsertColumn = 20020;
const unsigned kMenuDeleteColumn = 20021;
const unsigned kMenuColumnWidth = 20022;
const unsigned kMenuFitColumns = 20023;
const unsigned kMenuHideColumns = 20024;
const unsigned kMenuShowColumns = 20025;
const unsigned kMenuInsertRow = 20040;
const unsigned kMenuDeleteRow = 20041;
const unsigned kMenuRowHeight = 20042;
const unsigned kMenuFitRows = 20043;
const unsigned kMenuHideRows = 20044;
const unsigned kMenuShowRows = 20045;
const unsigned kMenuSeparator = 30000;

// Styles of a right-click menu item.
const long kItemNormal = 0;
const long kItemGrayed = 3;
const long kItemSeparator = 2048;

}  // namespace designer_cmd
