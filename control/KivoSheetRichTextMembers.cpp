// The control's rich-text members (the SE family): a host locks one cell
// with SELockContent, works on its rich text through the other members and
// closes it with SEUnlockContent.
//
// Every member but the two lock members forwards to the locked cell's
// operation of the same name; without a locked cell (none locked, or the
// locked cell was deleted or moved) it answers its no-target value and does
// nothing. No member redraws except SEUnlockContent, which invalidates the
// grid window. The text getters hand the cell a zeroed buffer (20480 bytes
// for the whole selection of SEParaGetContent, 2048 for the others) that it
// fills with at most the size less one byte.
#include "control/KivoSheetCtrl.h"

#include "grid/GridCtrl.h"

#include <vector>

namespace {

const int kLongTextBuffer = 20480;
const int kShortTextBuffer = 2048;

template <typename Fill>
LONG CopyText(CString& strOut, int nSize, Fill fill)
{
    std::vector<char> buffer(static_cast<size_t>(nSize), '\0');
    const LONG count = fill(buffer.data(), nSize);
    buffer[static_cast<size_t>(nSize) - 1] = '\0';
    strOut = CString(buffer.data());
    return count;
}

}  // namespace

CGridCellBase* CKivoSheetCtrl::LockedRichTextCell()
{
    CGridCtrl* grid = Engine();
    return grid != nullptr ? grid->GetLockedRichTextCell() : nullptr;
}

BOOL CKivoSheetCtrl::DoSELockContent(LONG nRow, LONG nCol)
{
    CGridCtrl* grid = Engine();
    return grid != nullptr && grid->LockSuperEditContent(nRow, nCol) ? TRUE : FALSE;
}

BOOL CKivoSheetCtrl::DoSEUnlockContent()
{
    CGridCtrl* grid = Engine();
    if (grid == nullptr || !grid->UnlockSuperEditContent())
        return FALSE;
    if (grid->GetSafeHwnd() != nullptr)
        grid->Invalidate(TRUE);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoSECharSetSel(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetSel(nStartChar, nEndChar);
    return cell->SECharSetSel(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharGetSel(LONG& nStartChar, LONG& nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSel(nStartChar, nEndChar);
    return cell->SECharGetSel(&nStartChar, &nEndChar);
}

BOOL CKivoSheetCtrl::DoSEParaSetSel(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetSel(nStartPara, nEndPara);
    return cell->SEParaSetSel(nStartPara, nEndPara);
}

BOOL CKivoSheetCtrl::DoSEParaGetSel(LONG& nStartPara, LONG& nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetSel(nStartPara, nEndPara);
    return cell->SEParaGetSel(&nStartPara, &nEndPara);
}

BOOL CKivoSheetCtrl::DoSEClearSel()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEClearSel();
    return cell->SEClearSel();
}

BOOL CKivoSheetCtrl::DoSECharSetFontName(const CString& strFontName)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetFontName(strFontName);
    return cell->SECharSetFontName(strFontName.GetString());
}

BOOL CKivoSheetCtrl::DoSECharSetFontNameEx(LONG nStartChar, LONG nEndChar, const CString& strFontName)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetFontNameEx(nStartChar, nEndChar, strFontName);
    return cell->SECharSetFontNameEx(nStartChar, nEndChar, strFontName.GetString());
}

CString CKivoSheetCtrl::DoSECharGetFontName()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetFontName();
    return cell->SECharGetFontName();
}

CString CKivoSheetCtrl::DoSECharGetFontNameEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetFontNameEx(nStartChar, nEndChar);
    return cell->SECharGetFontNameEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetFontSize(LONG nFontSize)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetFontSize(nFontSize);
    return cell->SECharSetFontSize(nFontSize);
}

BOOL CKivoSheetCtrl::DoSECharSetFontSizeEx(LONG nStartChar, LONG nEndChar, LONG nSize)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetFontSizeEx(nStartChar, nEndChar, nSize);
    return cell->SECharSetFontSizeEx(nStartChar, nEndChar, nSize);
}

LONG CKivoSheetCtrl::DoSECharGetFontSize()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetFontSize();
    return cell->SECharGetFontSize();
}

LONG CKivoSheetCtrl::DoSECharGetFontSizeEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetFontSizeEx(nStartChar, nEndChar);
    return cell->SECharGetFontSizeEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetTextColor(LONG clColor)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetTextColor(clColor);
    return cell->SECharSetTextColor(static_cast<COLORREF>(clColor));
}

BOOL CKivoSheetCtrl::DoSECharSetTextColorEx(LONG nStartChar, LONG nEndChar, LONG clColor)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetTextColorEx(nStartChar, nEndChar, clColor);
    return cell->SECharSetTextColorEx(nStartChar, nEndChar, static_cast<COLORREF>(clColor));
}

LONG CKivoSheetCtrl::DoSECharGetTextColor()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetTextColor();
    return cell->SECharGetTextColor();
}

LONG CKivoSheetCtrl::DoSECharGetTextColorEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetTextColorEx(nStartChar, nEndChar);
    return cell->SECharGetTextColorEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetBgColor(SHORT bSet, LONG clColor)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetBgColor(bSet, clColor);
    return cell->SECharSetBgColor(static_cast<short>(bSet), static_cast<COLORREF>(clColor));
}

BOOL CKivoSheetCtrl::DoSECharSetBgColorEx(LONG nStartChar, LONG nEndChar, SHORT bSet, LONG clColor)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetBgColorEx(nStartChar, nEndChar, bSet, clColor);
    return cell->SECharSetBgColorEx(nStartChar, nEndChar, static_cast<short>(bSet), static_cast<COLORREF>(clColor));
}

BOOL CKivoSheetCtrl::DoSECharGetBgColor(LONG& clColor)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetBgColor(clColor);
    COLORREF colour = static_cast<COLORREF>(clColor);
    const LONG result = cell->SECharGetBgColor(&colour);
    clColor = static_cast<LONG>(colour);
    return result != 0 ? TRUE : FALSE;
}

BOOL CKivoSheetCtrl::DoSECharGetBgColorEx(LONG nStartChar, LONG nEndChar, LONG& clColor)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetBgColorEx(nStartChar, nEndChar, clColor);
    COLORREF colour = static_cast<COLORREF>(clColor);
    const LONG result = cell->SECharGetBgColorEx(nStartChar, nEndChar, &colour);
    clColor = static_cast<LONG>(colour);
    return result != 0 ? TRUE : FALSE;
}

BOOL CKivoSheetCtrl::DoSECharSetBold(SHORT bBold)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetBold(bBold);
    return cell->SECharSetBold(static_cast<short>(bBold));
}

BOOL CKivoSheetCtrl::DoSECharSetBoldEx(LONG nStartChar, LONG nEndChar, SHORT bBold)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetBoldEx(nStartChar, nEndChar, bBold);
    return cell->SECharSetBoldEx(nStartChar, nEndChar, static_cast<short>(bBold));
}

BOOL CKivoSheetCtrl::DoSECharGetBold()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetBold();
    return cell->SECharGetBold();
}

BOOL CKivoSheetCtrl::DoSECharGetBoldEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetBoldEx(nStartChar, nEndChar);
    return cell->SECharGetBoldEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetItalic(SHORT bItalic)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetItalic(bItalic);
    return cell->SECharSetItalic(static_cast<short>(bItalic));
}

BOOL CKivoSheetCtrl::DoSECharSetItalicEx(LONG nStartChar, LONG nEndChar, SHORT bItalic)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetItalicEx(nStartChar, nEndChar, bItalic);
    return cell->SECharSetItalicEx(nStartChar, nEndChar, static_cast<short>(bItalic));
}

BOOL CKivoSheetCtrl::DoSECharGetItalic()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetItalic();
    return cell->SECharGetItalic();
}

BOOL CKivoSheetCtrl::DoSECharGetItalicEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetItalicEx(nStartChar, nEndChar);
    return cell->SECharGetItalicEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetUnderline(SHORT bUnderline)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetUnderline(bUnderline);
    return cell->SECharSetUnderline(static_cast<short>(bUnderline));
}

BOOL CKivoSheetCtrl::DoSECharSetUnderlineEx(LONG nStartChar, LONG nEndChar, SHORT bUnderline)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetUnderlineEx(nStartChar, nEndChar, bUnderline);
    return cell->SECharSetUnderlineEx(nStartChar, nEndChar, static_cast<short>(bUnderline));
}

BOOL CKivoSheetCtrl::DoSECharGetUnderline()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetUnderline();
    return cell->SECharGetUnderline();
}

BOOL CKivoSheetCtrl::DoSECharGetUnderlineEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetUnderlineEx(nStartChar, nEndChar);
    return cell->SECharGetUnderlineEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetStrikeout(SHORT bStrikeout)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetStrikeout(bStrikeout);
    return cell->SECharSetStrikeout(static_cast<short>(bStrikeout));
}

BOOL CKivoSheetCtrl::DoSECharSetStrikeoutEx(LONG nStartChar, LONG nEndChar, SHORT bStrikeout)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetStrikeoutEx(nStartChar, nEndChar, bStrikeout);
    return cell->SECharSetStrikeoutEx(nStartChar, nEndChar, static_cast<short>(bStrikeout));
}

BOOL CKivoSheetCtrl::DoSECharGetStrikeout()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetStrikeout();
    return cell->SECharGetStrikeout();
}

BOOL CKivoSheetCtrl::DoSECharGetStrikeoutEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetStrikeoutEx(nStartChar, nEndChar);
    return cell->SECharGetStrikeoutEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetSuperscript(SHORT bSuperscript)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetSuperscript(bSuperscript);
    return cell->SECharSetSuperscript(static_cast<short>(bSuperscript));
}

BOOL CKivoSheetCtrl::DoSECharSetSuperscriptEx(LONG nStartChar, LONG nEndChar, SHORT bSuperscript)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetSuperscriptEx(nStartChar, nEndChar, bSuperscript);
    return cell->SECharSetSuperscriptEx(nStartChar, nEndChar, static_cast<short>(bSuperscript));
}

BOOL CKivoSheetCtrl::DoSECharGetSuperscript()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSuperscript();
    return cell->SECharGetSuperscript();
}

BOOL CKivoSheetCtrl::DoSECharGetSuperscriptEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSuperscriptEx(nStartChar, nEndChar);
    return cell->SECharGetSuperscriptEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSECharSetSubscript(SHORT bSubscript)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetSubscript(bSubscript);
    return cell->SECharSetSubscript(static_cast<short>(bSubscript));
}

BOOL CKivoSheetCtrl::DoSECharSetSubscriptEx(LONG nStartChar, LONG nEndChar, SHORT bSubscript)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharSetSubscriptEx(nStartChar, nEndChar, bSubscript);
    return cell->SECharSetSubscriptEx(nStartChar, nEndChar, static_cast<short>(bSubscript));
}

BOOL CKivoSheetCtrl::DoSECharGetSubscript()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSubscript();
    return cell->SECharGetSubscript();
}

BOOL CKivoSheetCtrl::DoSECharGetSubscriptEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSubscriptEx(nStartChar, nEndChar);
    return cell->SECharGetSubscriptEx(nStartChar, nEndChar);
}

BOOL CKivoSheetCtrl::DoSEParaSetAlign(LONG nAlign)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetAlign(nAlign);
    return cell->SEParaSetAlign(nAlign);
}

BOOL CKivoSheetCtrl::DoSEParaSetAlignEx(LONG nStartPara, LONG nEndPara, LONG nAlign)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetAlignEx(nStartPara, nEndPara, nAlign);
    return cell->SEParaSetAlignEx(nStartPara, nEndPara, nAlign);
}

LONG CKivoSheetCtrl::DoSEParaGetAlign()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetAlign();
    return cell->SEParaGetAlign();
}

LONG CKivoSheetCtrl::DoSEParaGetAlignEx(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetAlignEx(nStartPara, nEndPara);
    return cell->SEParaGetAlignEx(nStartPara, nEndPara);
}

BOOL CKivoSheetCtrl::DoSEParaSetIndent()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetIndent();
    return cell->SEParaSetIndent();
}

BOOL CKivoSheetCtrl::DoSEParaSetOutdent()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetOutdent();
    return cell->SEParaSetOutdent();
}

BOOL CKivoSheetCtrl::DoSEParaSetIndentEx(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetIndentEx(nStartPara, nEndPara);
    return cell->SEParaSetIndentEx(nStartPara, nEndPara);
}

BOOL CKivoSheetCtrl::DoSEParaSetOutdentEx(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetOutdentEx(nStartPara, nEndPara);
    return cell->SEParaSetOutdentEx(nStartPara, nEndPara);
}

BOOL CKivoSheetCtrl::DoSEParaSetBullet(LONG nNumbering)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetBullet(nNumbering);
    return cell->SEParaSetBullet(nNumbering);
}

BOOL CKivoSheetCtrl::DoSEParaSetBulletEx(LONG nStartPara, LONG nEndPara, LONG nNumbering)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetBulletEx(nStartPara, nEndPara, nNumbering);
    return cell->SEParaSetBulletEx(nStartPara, nEndPara, nNumbering);
}

LONG CKivoSheetCtrl::DoSEParaGetBullet()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetBullet();
    return cell->SEParaGetBullet();
}

LONG CKivoSheetCtrl::DoSEParaGetBulletEx(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetBulletEx(nStartPara, nEndPara);
    return cell->SEParaGetBulletEx(nStartPara, nEndPara);
}

BOOL CKivoSheetCtrl::DoSEParaSetLinespacing(SHORT nType, LONG nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetLinespacing(nType, nSpacing);
    return cell->SEParaSetLinespacing(static_cast<short>(nType), nSpacing);
}

BOOL CKivoSheetCtrl::DoSEParaSetLinespacingEx(LONG nStartPara, LONG nEndPara, SHORT nType, LONG nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetLinespacingEx(nStartPara, nEndPara, nType, nSpacing);
    return cell->SEParaSetLinespacingEx(nStartPara, nEndPara, static_cast<short>(nType), nSpacing);
}

int CKivoSheetCtrl::DoSEParaGetLinespacing(LONG& nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetLinespacing(nSpacing);
    return cell->SEParaGetLinespacing(&nSpacing);
}

int CKivoSheetCtrl::DoSEParaGetLinespacingEx(LONG nStartPara, LONG nEndPara, LONG& nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetLinespacingEx(nStartPara, nEndPara, nSpacing);
    return cell->SEParaGetLinespacingEx(nStartPara, nEndPara, &nSpacing);
}

BOOL CKivoSheetCtrl::DoSEParaSetBeforespacing(LONG nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetBeforespacing(nSpacing);
    return cell->SEParaSetBeforespacing(nSpacing);
}

BOOL CKivoSheetCtrl::DoSEParaSetBeforespacingEx(LONG StartPara, LONG nEndPara, LONG nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetBeforespacingEx(StartPara, nEndPara, nSpacing);
    return cell->SEParaSetBeforespacingEx(StartPara, nEndPara, nSpacing);
}

LONG CKivoSheetCtrl::DoSEParaGetBeforespacing()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetBeforespacing();
    return cell->SEParaGetBeforespacing();
}

LONG CKivoSheetCtrl::DoSEParaGetBeforespacingEx(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetBeforespacingEx(nStartPara, nEndPara);
    return cell->SEParaGetBeforespacingEx(nStartPara, nEndPara);
}

BOOL CKivoSheetCtrl::DoSEParaSetAfterspacing(LONG nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetAfterspacing(nSpacing);
    return cell->SEParaSetAfterspacing(nSpacing);
}

BOOL CKivoSheetCtrl::DoSEParaSetAfterspacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaSetAfterspacingEx(nStartPara, nEndPara, nSpacing);
    return cell->SEParaSetAfterspacingEx(nStartPara, nEndPara, nSpacing);
}

LONG CKivoSheetCtrl::DoSEParaGetAfterspacing()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetAfterspacing();
    return cell->SEParaGetAfterspacing();
}

LONG CKivoSheetCtrl::DoSEParaGetAfterspacingEx(LONG nStartPara, LONG nEndPara)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetAfterspacingEx(nStartPara, nEndPara);
    return cell->SEParaGetAfterspacingEx(nStartPara, nEndPara);
}

LONG CKivoSheetCtrl::DoSEParaGetCount()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetCount();
    return cell->SEParaGetCount();
}

LONG CKivoSheetCtrl::DoSEParaGetContentEx(LONG nStartPara, LONG nEndPara, CString& lpszBuffer)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetContentEx(nStartPara, nEndPara, lpszBuffer);
    return CopyText(lpszBuffer, kShortTextBuffer, [&](LPTSTR buffer, int size) {
        return cell->SEParaGetContentEx(nStartPara, nEndPara, buffer, size);
    });
}

LONG CKivoSheetCtrl::DoSEParaGetContent(CString& lpszBuffer)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSEParaGetContent(lpszBuffer);
    return CopyText(lpszBuffer, kLongTextBuffer,
                    [&](LPTSTR buffer, int size) { return cell->SEParaGetContent(buffer, size); });
}

LONG CKivoSheetCtrl::DoSECharGetSelText(CString& lpszBuffer)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSelText(lpszBuffer);
    return CopyText(lpszBuffer, kShortTextBuffer,
                    [&](LPTSTR buffer, int size) { return cell->SECharGetSelText(buffer, size); });
}

LONG CKivoSheetCtrl::DoSECharGetSelTextEx(LONG nStartChar, LONG nEndChar, CString& lpszBuffer)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECharGetSelTextEx(nStartChar, nEndChar, lpszBuffer);
    return CopyText(lpszBuffer, kShortTextBuffer, [&](LPTSTR buffer, int size) {
        return cell->SECharGetSelTextEx(nStartChar, nEndChar, buffer, size);
    });
}

BOOL CKivoSheetCtrl::DoSECtrlGetCanRedo()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetCanRedo();
    return cell->SECtrlGetCanRedo();
}

BOOL CKivoSheetCtrl::DoSECtrlGetCanUndo()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetCanUndo();
    return cell->SECtrlGetCanUndo();
}

BOOL CKivoSheetCtrl::DoSECtrlGetCanPaste()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetCanPaste();
    return cell->SECtrlGetCanPaste();
}

BOOL CKivoSheetCtrl::DoSECtrlRedo()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlRedo();
    return cell->SECtrlRedo();
}

BOOL CKivoSheetCtrl::DoSECtrlUndo()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlUndo();
    return cell->SECtrlUndo();
}

BOOL CKivoSheetCtrl::DoSECtrlCopy()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlCopy();
    return cell->SECtrlCopy();
}

BOOL CKivoSheetCtrl::DoSECtrlCut()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlCut();
    return cell->SECtrlCut();
}

BOOL CKivoSheetCtrl::DoSECtrlPaste()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlPaste();
    return cell->SECtrlPaste();
}

BOOL CKivoSheetCtrl::DoSECtrlSetShowToolBar(SHORT bShow)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlSetShowToolBar(bShow);
    return cell->SECtrlSetShowToolBar(static_cast<short>(bShow));
}

BOOL CKivoSheetCtrl::DoSECtrlGetShowToolBar()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetShowToolBar();
    return cell->SECtrlGetShowToolBar();
}

BOOL CKivoSheetCtrl::DoSECtrlSetPopupMenu(SHORT bPop)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlSetPopupMenu(bPop);
    return cell->SECtrlSetPopupMenu(static_cast<short>(bPop));
}

BOOL CKivoSheetCtrl::DoSECtrlGetPopupMenu()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetPopupMenu();
    return cell->SECtrlGetPopupMenu();
}

BOOL CKivoSheetCtrl::DoSECtrlSetTextLimit(LONG nLimitCount)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlSetTextLimit(nLimitCount);
    return cell->SECtrlSetTextLimit(nLimitCount);
}

LONG CKivoSheetCtrl::DoSECtrlGetTextLimit()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetTextLimit();
    return cell->SECtrlGetTextLimit();
}

BOOL CKivoSheetCtrl::DoSECtrlSetAutoURL(SHORT bURL)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlSetAutoURL(bURL);
    return cell->SECtrlSetAutoURL(static_cast<short>(bURL));
}

BOOL CKivoSheetCtrl::DoSECtrlGetAutoURL()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetAutoURL();
    return cell->SECtrlGetAutoURL();
}

BOOL CKivoSheetCtrl::DoSECtrlSetRTF(const CString& strRTF)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlSetRTF(strRTF);
    return cell->SECtrlSetRTF(strRTF.GetString());
}

BOOL CKivoSheetCtrl::DoSECtrlSetText(const CString& strText)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlSetText(strText);
    return cell->SECtrlSetText(strText.GetString());
}

BOOL CKivoSheetCtrl::DoSECtrlInsertText(const CString& strText)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlInsertText(strText);
    return cell->SECtrlInsertText(strText.GetString());
}

BOOL CKivoSheetCtrl::DoSECtrlInsertTextEx(LONG nStartChar, const CString& strText)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlInsertTextEx(nStartChar, strText);
    return cell->SECtrlInsertTextEx(nStartChar, strText.GetString());
}

BOOL CKivoSheetCtrl::DoSECtrlDeleteText()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlDeleteText();
    return cell->SECtrlDeleteText();
}

BOOL CKivoSheetCtrl::DoSECtrlDeleteTextEx(LONG nStartChar, LONG nEndChar)
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlDeleteTextEx(nStartChar, nEndChar);
    return cell->SECtrlDeleteTextEx(nStartChar, nEndChar);
}

CString CKivoSheetCtrl::DoSECtrlGetRTF()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetRTF();
    return cell->SECtrlGetRTF();
}

CString CKivoSheetCtrl::DoSECtrlGetText()
{
    CGridCellBase* cell = LockedRichTextCell();
    if (cell == nullptr)
        return CKivoSheetDispatch::DoSECtrlGetText();
    return cell->SECtrlGetText();
}
