// The rich-text operations of the cell base: every one is neutral here. The
// rich-text cell gives them their bodies.
#include "grid/GridCellBase.h"

BOOL CGridCellBase::SELockContent()
{
    return FALSE;
}

BOOL CGridCellBase::SEUnlockContent()
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetSel(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetSel(LONG* pnStartChar, LONG* pnEndChar)
{
    if (pnStartChar != nullptr)
        *pnStartChar = -1;
    if (pnEndChar != nullptr)
        *pnEndChar = -1;
    return FALSE;
}

BOOL CGridCellBase::SEParaSetSel(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaGetSel(LONG* pnStartPara, LONG* pnEndPara)
{
    if (pnStartPara != nullptr)
        *pnStartPara = -1;
    if (pnEndPara != nullptr)
        *pnEndPara = -1;
    return FALSE;
}

BOOL CGridCellBase::SEClearSel()
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetFontName(LPCTSTR)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetFontNameEx(LONG, LONG, LPCTSTR)
{
    return FALSE;
}

CString CGridCellBase::SECharGetFontName()
{
    return CString();
}

CString CGridCellBase::SECharGetFontNameEx(LONG, LONG)
{
    return CString();
}

BOOL CGridCellBase::SECharSetFontSize(LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetFontSizeEx(LONG, LONG, LONG)
{
    return FALSE;
}

LONG CGridCellBase::SECharGetFontSize()
{
    return -1;
}

LONG CGridCellBase::SECharGetFontSizeEx(LONG, LONG)
{
    return -1;
}

BOOL CGridCellBase::SECharSetTextColor(COLORREF)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetTextColorEx(LONG, LONG, COLORREF)
{
    return FALSE;
}

LONG CGridCellBase::SECharGetTextColor()
{
    return -1;
}

LONG CGridCellBase::SECharGetTextColorEx(LONG, LONG)
{
    return -1;
}

BOOL CGridCellBase::SECharSetBgColor(short, COLORREF)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetBgColorEx(LONG, LONG, short, COLORREF)
{
    return FALSE;
}

LONG CGridCellBase::SECharGetBgColor(COLORREF*)
{
    return -1;
}

LONG CGridCellBase::SECharGetBgColorEx(LONG, LONG, COLORREF*)
{
    return -1;
}

BOOL CGridCellBase::SECharSetBold(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetBoldEx(LONG, LONG, short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetBold()
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetBoldEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetItalic(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetItalicEx(LONG, LONG, short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetItalic()
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetItalicEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetUnderline(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetUnderlineEx(LONG, LONG, short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetUnderline()
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetUnderlineEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetStrikeout(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetStrikeoutEx(LONG, LONG, short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetStrikeout()
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetStrikeoutEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetSuperscript(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetSuperscriptEx(LONG, LONG, short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetSuperscript()
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetSuperscriptEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetSubscript(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharSetSubscriptEx(LONG, LONG, short)
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetSubscript()
{
    return FALSE;
}

BOOL CGridCellBase::SECharGetSubscriptEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetAlign(LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetAlignEx(LONG, LONG, LONG)
{
    return FALSE;
}

LONG CGridCellBase::SEParaGetAlign()
{
    return -1;
}

LONG CGridCellBase::SEParaGetAlignEx(LONG, LONG)
{
    return -1;
}

BOOL CGridCellBase::SEParaSetIndent()
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetOutdent()
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetIndentEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetOutdentEx(LONG, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetBullet(LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetBulletEx(LONG, LONG, LONG)
{
    return FALSE;
}

LONG CGridCellBase::SEParaGetBullet()
{
    return -1;
}

LONG CGridCellBase::SEParaGetBulletEx(LONG, LONG)
{
    return -1;
}

BOOL CGridCellBase::SEParaSetLinespacing(short, LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetLinespacingEx(LONG, LONG, short, LONG)
{
    return FALSE;
}

short CGridCellBase::SEParaGetLinespacing(LONG*)
{
    return -1;
}

short CGridCellBase::SEParaGetLinespacingEx(LONG, LONG, LONG*)
{
    return -1;
}

BOOL CGridCellBase::SEParaSetBeforespacing(LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetBeforespacingEx(LONG, LONG, LONG)
{
    return FALSE;
}

LONG CGridCellBase::SEParaGetBeforespacing()
{
    return -1;
}

LONG CGridCellBase::SEParaGetBeforespacingEx(LONG, LONG)
{
    return -1;
}

BOOL CGridCellBase::SEParaSetAfterspacing(LONG)
{
    return FALSE;
}

BOOL CGridCellBase::SEParaSetAfterspacingEx(LONG, LONG, LONG)
{
    return FALSE;
}

LONG CGridCellBase::SEParaGetAfterspacing()
{
    return -1;
}

LONG CGridCellBase::SEParaGetAfterspacingEx(LONG, LONG)
{
    return -1;
}

LONG CGridCellBase::SEParaGetCount()
{
    return -1;
}

LONG CGridCellBase::SEParaGetContentEx(LONG, LONG, LPTSTR, int)
{
    return 0;
}

LONG CGridCellBase::SEParaGetContent(LPTSTR, int)
{
    return 0;
}

LONG CGridCellBase::SECharGetSelText(LPTSTR, int)
{
    return 0;
}

LONG CGridCellBase::SECharGetSelTextEx(LONG, LONG, LPTSTR, int)
{
    return 0;
}

BOOL CGridCellBase::SECtrlGetCanRedo()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlGetCanUndo()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlGetCanPaste()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlRedo()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlUndo()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlCopy()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlCut()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlPaste()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlSetShowToolBar(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlGetShowToolBar()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlSetPopupMenu(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlGetPopupMenu()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlSetTextLimit(LONG)
{
    return FALSE;
}

LONG CGridCellBase::SECtrlGetTextLimit()
{
    return -1;
}

BOOL CGridCellBase::SECtrlSetAutoURL(short)
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlGetAutoURL()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlSetRTF(LPCTSTR)
{
    return FALSE;
}

CString CGridCellBase::SECtrlGetRTF()
{
    return CString();
}

BOOL CGridCellBase::SECtrlSetText(LPCTSTR)
{
    return FALSE;
}

CString CGridCellBase::SECtrlGetText()
{
    return CString();
}

BOOL CGridCellBase::SECtrlInsertText(LPCTSTR)
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlInsertTextEx(LONG, LPCTSTR)
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlDeleteText()
{
    return FALSE;
}

BOOL CGridCellBase::SECtrlDeleteTextEx(LONG, LONG)
{
    return FALSE;
}
