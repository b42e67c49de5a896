#include "cells/GridCellRichText.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"
#include "cells/RichTextEditorSite.h"
#include "cells/RichTextParagraphs.h"
#include "cellcontent/ScreenMetrics.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"
#include "grid/GridCellTypes.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CGridCellSuperEdit, CGridCell)

using namespace richtext;

namespace {

// The face of a cell without a font of its own: "宋体", 9 points.
const char kPlainFace[] = "\xCB\xCE\xCC\xE5";
const LONG kPlainTwips = 180;

SuperEditHooks g_superEditHooks;

}  // namespace

void SetSuperEditHooks(const SuperEditHooks& hooks)
{
    g_superEditHooks = hooks;
}

const SuperEditHooks& GetSuperEditHooks()
{
    return g_superEditHooks;
}

CGridCellSuperEdit::CGridCellSuperEdit() = default;

CGridCellSuperEdit::~CGridCellSuperEdit()
{
    // The locked host goes with the cell; an editor window still open is
    // destroyed by CGridCell's destructor, one that already went is not
    // touched.
    ForgetVanishedEditor();
    m_pLockedHost.reset();
}

void CGridCellSuperEdit::ForgetVanishedEditor()
{
    if (!m_bEditorTracked || !m_editorAlive.expired())
        return;
    m_bEditorTracked = FALSE;
    m_bLockedOnEditor = FALSE;
    if (CGridCell::GetEditWnd() != nullptr)
        SetEditWnd(nullptr);
    m_bits.editing = 0;
}

CWnd* CGridCellSuperEdit::GetEditWnd()
{
    ForgetVanishedEditor();
    return CGridCell::GetEditWnd();
}

BOOL CGridCellSuperEdit::IsEditing()
{
    ForgetVanishedEditor();
    return CGridCell::IsEditing();
}

// --- record ----------------------------------------------------------------------

namespace {

void WriteSuperEditItems(CCellRecordWriter& w, BOOL bPopup, BOOL bShowToolBar, BOOL bPosSet, int x, int y,
                         const CString& rtf)
{
    if (bPopup != 1)
        w.Int(CELL_RECORD_SUPEREDIT_POPUP, bPopup);
    if (bShowToolBar != 1)
        w.Int(CELL_RECORD_SUPEREDIT_SHOWTOOLBAR, bShowToolBar);
    if (bPosSet != 0) {
        w.Int(CELL_RECORD_SUPEREDIT_POSSET, bPosSet);
        const int pos[2] = {x, y};
        w.Ints(CELL_RECORD_SUPEREDIT_POS, pos, 2);
    }
    if (!rtf.IsEmpty())
        w.Text(CELL_RECORD_SUPEREDIT_RTF, rtf);
}

}  // namespace

int CGridCellSuperEdit::GetRecordSize()
{
    CCellRecordWriter counter(nullptr);
    WriteSuperEditItems(counter, m_bPopupMenu, m_bShowToolBar, m_bToolBarPosSet, m_nToolBarX, m_nToolBarY,
                        m_strRichText);
    return CellRecordLevelSize(CGridCell::GetRecordSize(), counter.GetItemBytes());
}

void CGridCellSuperEdit::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << GetRecordSize();
        CGridCell::SerializeRecord(ar, nullptr);
        CCellRecordWriter writer(&ar);
        WriteSuperEditItems(writer, m_bPopupMenu, m_bShowToolBar, m_bToolBarPosSet, m_nToolBarX, m_nToolBarY,
                            m_strRichText);
        ar << CELL_RECORD_SUPEREDIT_END;
        return;
    }
    CCellRecordReader rd(ar, pnRunningSize);
    CGridCell::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_SUPEREDIT_END, tag, length)) {
        int value = 0;
        int pos[2] = {0, 0};
        CString text;
        switch (tag) {
        case CELL_RECORD_SUPEREDIT_POPUP:
            if (rd.ReadInt(value))
                m_bPopupMenu = value;
            break;
        case CELL_RECORD_SUPEREDIT_SHOWTOOLBAR:
            if (rd.ReadInt(value))
                m_bShowToolBar = value;
            break;
        case CELL_RECORD_SUPEREDIT_POSSET:
            if (rd.ReadInt(value))
                m_bToolBarPosSet = value;
            break;
        case CELL_RECORD_SUPEREDIT_POS:
            if (rd.ReadInts(pos, 2)) {
                m_nToolBarX = pos[0];
                m_nToolBarY = pos[1];
            }
            break;
        case CELL_RECORD_SUPEREDIT_RTF:
            if (rd.ReadText(text))
                m_strRichText = text;
            break;
        default:
            rd.SkipItem();
            break;
        }
    }
}

// --- plain operations ------------------------------------------------------------------

void CGridCellSuperEdit::SetText(LPCTSTR szText)
{
    const CString text = szText != nullptr ? CString(szText) : CString();
    if (IsLocked() && Target() != nullptr) {
        ReplaceWithPlainText(text);
        CRichTextEditorSite* editor = LockedEditor();
        if (editor != nullptr)
            m_strRichText = editor->GetContentRTF();
        else
            m_pLockedHost->Host()->GetRTF(m_strRichText);
    }
    // The plain text always follows, so what reads the cell's text (exports,
    // the clipboard, GetCellText) sees the new content.
    CGridCell::SetText(text);
}

void CGridCellSuperEdit::SetRichText(const CString& strRichText)
{
    m_strRichText = strRichText;
    m_nState |= GCS_MODIFIED;
}

void CGridCellSuperEdit::SetRichTextParam(int nParam1, int nParam2)
{
    m_nToolBarX = nParam1;
    m_nToolBarY = nParam2;
    m_bToolBarPosSet = TRUE;
}

void CGridCellSuperEdit::ReplaceWithPlainText(const CString& strText)
{
    CRichTextEditorSite* editor = LockedEditor();
    if (editor != nullptr) {
        editor->SetContentText(strText);
        return;
    }
    CRichTextHostBase* host = m_pLockedHost ? m_pLockedHost->Host() : nullptr;
    if (host == nullptr)
        return;
    LoadPlainText(host, strText);
}

RichCharFormat CGridCellSuperEdit::DefaultCharFormat()
{
    RichCharFormat cf;
    cf.dwMask = RT_CFM_FACE | RT_CFM_SIZE | RT_CFM_BOLD | RT_CFM_ITALIC | RT_CFM_UNDERLINE | RT_CFM_STRIKEOUT;
    cf.strFace = kPlainFace;
    cf.yHeight = kPlainTwips;
    // A font of the cell's own, or the one the grid's default setting names
    // for every cell; the built-in face of the grid is not asked for.
    const bool settingFont = m_pGrid != nullptr && !m_pGrid->GetDefaultSettingRecord().m_strFontXml.IsEmpty();
    const LOGFONT* lf = !IsDefaultFont() || settingFont ? GetFont() : nullptr;
    if (lf == nullptr)
        return cf;
    if (lf->lfFaceName[0] != '\0')
        cf.strFace = CString(lf->lfFaceName, static_cast<int>(strnlen(lf->lfFaceName, LF_FACESIZE)));
    const LONG pixels = lf->lfHeight < 0 ? -lf->lfHeight : lf->lfHeight;
    const int dpi = GetScreenPixelsPerInchY();
    if (pixels > 0 && dpi > 0)
        cf.yHeight = pixels * 1440 / dpi;
    if (lf->lfWeight >= FW_BOLD)
        cf.dwEffects |= RT_CFE_BOLD;
    if (lf->lfItalic)
        cf.dwEffects |= RT_CFE_ITALIC;
    if (lf->lfUnderline)
        cf.dwEffects |= RT_CFE_UNDERLINE;
    if (lf->lfStrikeOut)
        cf.dwEffects |= RT_CFE_STRIKEOUT;
    return cf;
}

CSize CGridCellSuperEdit::CellExtent()
{
    if (m_pGrid == nullptr || m_nRow < 0 || m_nCol < 0)
        return CSize(0, 0);
    return CSize(std::max(0, m_pGrid->GetColumnWidth(m_nCol)), std::max(0, m_pGrid->GetRowHeight(m_nRow)));
}

void CGridCellSuperEdit::PrepareHost(CRichTextHostBase* pHost, int nWidth, int nHeight)
{
    // Whatever the host held before (another cell's default, the text
    // services' own bold system face), this cell's content reads over its
    // own font, and is laid out at its own width as it goes in.
    pHost->SetCharFormat(DefaultCharFormat(), RT_SCF_DEFAULT);
    if (nWidth <= 0 || nHeight <= 0) {
        const CSize extent = CellExtent();
        nWidth = nWidth > 0 ? nWidth : extent.cx;
        nHeight = nHeight > 0 ? nHeight : extent.cy;
    }
    if (nWidth > 0)
        pHost->SetLayoutExtent(nWidth, std::max(nHeight, 1));
}

void CGridCellSuperEdit::LoadPlainText(CRichTextHostBase* pHost, const CString& strText)
{
    PrepareHost(pHost);
    pHost->SetText(strText);
    pHost->SetCharFormat(DefaultCharFormat(), RT_SCF_ALL);
}

// --- locking ---------------------------------------------------------------------------

CRichTextEditorSite* CGridCellSuperEdit::LockedEditor()
{
    if (!m_bLockedOnEditor || !IsEditing())
        return nullptr;
    const SuperEditHooks& hooks = GetSuperEditHooks();
    CWnd* wnd = GetEditWnd();
    return wnd != nullptr && hooks.pfnSite != nullptr ? hooks.pfnSite(wnd) : nullptr;
}

CRichTextHostBase* CGridCellSuperEdit::Target()
{
    CRichTextHostBase* target = nullptr;
    if (CRichTextEditorSite* editor = LockedEditor())
        target = editor->GetBackEnd();
    else if (m_pLockedHost)
        target = m_pLockedHost->Host();
    return target != nullptr && target->HasTextServices() ? target : nullptr;
}

BOOL CGridCellSuperEdit::SELockContent()
{
    if (IsEditing()) {
        const SuperEditHooks& hooks = GetSuperEditHooks();
        CWnd* wnd = GetEditWnd();
        CRichTextEditorSite* editor = wnd != nullptr && hooks.pfnSite != nullptr ? hooks.pfnSite(wnd) : nullptr;
        if (editor == nullptr)
            return FALSE;
        if (editor->GetLockMark()) {
            m_bLockedOnEditor = FALSE;
            return FALSE;
        }
        // The editor already shows the newest content (what the user typed
        // so far); it is not replaced by the stored RTF.
        editor->SetLockMark(TRUE);
        m_bLockedOnEditor = TRUE;
        return TRUE;
    }
    if (m_pLockedHost)
        return TRUE;                     // already open on this cell's host
    std::unique_ptr<CSuperEditTextHost> host = CSuperEditTextHost::Create();
    if (!host)
        return FALSE;
    // A cell that has only plain text opens with it, so unlocking cannot
    // wipe the text.
    if (!m_strRichText.IsEmpty()) {
        PrepareHost(host->Host());
        host->Host()->SetRTF(m_strRichText);
    } else {
        LoadPlainText(host->Host(), m_strText.Get());
    }
    host->SetInUse(TRUE);
    m_pLockedHost = std::move(host);
    return TRUE;
}

BOOL CGridCellSuperEdit::SEUnlockContent()
{
    if (m_bLockedOnEditor) {
        m_bLockedOnEditor = FALSE;
        const SuperEditHooks& hooks = GetSuperEditHooks();
        CWnd* wnd = GetEditWnd();
        CRichTextEditorSite* editor = wnd != nullptr && hooks.pfnSite != nullptr ? hooks.pfnSite(wnd) : nullptr;
        if (editor == nullptr)
            return FALSE;
        m_strRichText = editor->GetContentRTF();
        m_strText.Set(editor->GetContentText());
        EmptyFormattedText();
        editor->SetLockMark(FALSE);
        return TRUE;
    }
    if (!m_pLockedHost)
        return FALSE;
    CRichTextHostBase* host = m_pLockedHost->Host();
    CString rtf;
    CString text;
    host->GetRTF(rtf);
    host->GetText(text);
    m_strRichText = rtf;
    m_strText.Set(text);
    EmptyFormattedText();
    m_pLockedHost->SetInUse(FALSE);
    m_pLockedHost.reset();
    return TRUE;
}

// --- selection helpers -----------------------------------------------------------------------

void CGridCellSuperEdit::SelectChars(CRichTextHostBase* pTarget, LONG nStart, LONG nEnd)
{
    if (nStart >= 0 && nEnd >= nStart)
        pTarget->SetSel(nStart, nEnd);
}

BOOL CGridCellSuperEdit::SelectParagraphs(CRichTextHostBase* pTarget, LONG nFirst, LONG nLast)
{
    LONG start = 0;
    LONG end = 0;
    if (!ParagraphRange(pTarget->GetPlainText(), nFirst, nLast, start, end))
        return FALSE;
    pTarget->SetSel(start, end);
    return TRUE;
}

void CGridCellSuperEdit::Collapse(CRichTextHostBase* pTarget)
{
    pTarget->SetSel(-1, -1);
}

// --- character formats ---------------------------------------------------------------------

BOOL CGridCellSuperEdit::SetEffect(CRichTextHostBase* pTarget, DWORD dwMask, DWORD dwEffect, short bOn)
{
    RichCharFormat cf;
    cf.dwMask = dwMask;
    cf.dwEffects = bOn != 0 ? dwEffect : 0;   // any non-zero value (automation True too) switches it on
    pTarget->SetCharFormat(cf, RT_SCF_SELECTION);
    return TRUE;
}

BOOL CGridCellSuperEdit::GetEffect(CRichTextHostBase* pTarget, DWORD dwMask, DWORD dwEffect)
{
    RichCharFormat cf;
    pTarget->GetCharFormat(cf);
    return (cf.dwMask & dwMask) == dwMask && (cf.dwEffects & dwEffect) != 0 ? TRUE : FALSE;
}

BOOL CGridCellSuperEdit::SetCharField(CRichTextHostBase* pTarget, DWORD dwMask, const RichCharFormat& value)
{
    RichCharFormat cf;
    pTarget->GetCharFormat(cf);
    cf.dwMask = dwMask;
    cf.dwEffects = value.dwEffects;
    if (dwMask == RT_CFM_FACE)
        cf.strFace = value.strFace;
    else if (dwMask == RT_CFM_SIZE)
        cf.yHeight = value.yHeight;
    else if (dwMask == RT_CFM_COLOR)
        cf.crTextColor = value.crTextColor;
    else if (dwMask == RT_CFM_BACKCOLOR)
        cf.crBackColor = value.crBackColor;
    pTarget->SetCharFormat(cf, RT_SCF_SELECTION);
    return TRUE;
}

#define SE_TARGET_OR(fail)                  \
    CRichTextHostBase* target = Target(); \
    if (target == nullptr)                  \
        return fail;

#define SE_CHAR_EX(call)              \
    SE_TARGET_OR(0)                   \
    SelectChars(target, nStartChar, nEndChar); \
    auto result = call;               \
    Collapse(target);                 \
    return result;

BOOL CGridCellSuperEdit::SECharSetFontName(LPCTSTR szFontName)
{
    SE_TARGET_OR(FALSE)
    RichCharFormat v;
    v.strFace = szFontName != nullptr ? szFontName : "";
    return SetCharField(target, RT_CFM_FACE, v);
}

BOOL CGridCellSuperEdit::SECharSetFontNameEx(LONG nStartChar, LONG nEndChar, LPCTSTR szFontName)
{
    SE_TARGET_OR(FALSE)
    SelectChars(target, nStartChar, nEndChar);
    RichCharFormat v;
    v.strFace = szFontName != nullptr ? szFontName : "";
    SetCharField(target, RT_CFM_FACE, v);
    Collapse(target);
    return TRUE;
}

CString CGridCellSuperEdit::SECharGetFontName()
{
    SE_TARGET_OR(CString())
    RichCharFormat cf;
    target->GetCharFormat(cf);
    m_strFontNameGet = (cf.dwMask & RT_CFM_FACE) != 0 ? cf.strFace : CString();
    return m_strFontNameGet;
}

CString CGridCellSuperEdit::SECharGetFontNameEx(LONG nStartChar, LONG nEndChar)
{
    SE_TARGET_OR(CString())
    SelectChars(target, nStartChar, nEndChar);
    RichCharFormat cf;
    target->GetCharFormat(cf);
    Collapse(target);
    m_strFontNameGetEx = (cf.dwMask & RT_CFM_FACE) != 0 ? cf.strFace : CString();
    return m_strFontNameGetEx;
}

BOOL CGridCellSuperEdit::SECharSetFontSize(LONG nFontSize)
{
    SE_TARGET_OR(FALSE)
    RichCharFormat v;
    v.yHeight = nFontSize * 20;
    return SetCharField(target, RT_CFM_SIZE, v);
}

BOOL CGridCellSuperEdit::SECharSetFontSizeEx(LONG nStartChar, LONG nEndChar, LONG nFontSize)
{
    SE_CHAR_EX(SECharSetFontSize(nFontSize))
}

LONG CGridCellSuperEdit::SECharGetFontSize()
{
    SE_TARGET_OR(0)
    RichCharFormat cf;
    target->GetCharFormat(cf);
    return (cf.dwMask & RT_CFM_SIZE) != 0 ? cf.yHeight / 20 : 0;
}

LONG CGridCellSuperEdit::SECharGetFontSizeEx(LONG nStartChar, LONG nEndChar)
{
    SE_CHAR_EX(SECharGetFontSize())
}

BOOL CGridCellSuperEdit::SECharSetTextColor(COLORREF clColor)
{
    SE_TARGET_OR(FALSE)
    RichCharFormat v;
    v.crTextColor = clColor;
    return SetCharField(target, RT_CFM_COLOR, v);   // effects 0: automatic colour off
}

BOOL CGridCellSuperEdit::SECharSetTextColorEx(LONG nStartChar, LONG nEndChar, COLORREF clColor)
{
    SE_CHAR_EX(SECharSetTextColor(clColor))
}

LONG CGridCellSuperEdit::SECharGetTextColor()
{
    SE_TARGET_OR(0)
    RichCharFormat cf;
    target->GetCharFormat(cf);
    return (cf.dwMask & RT_CFM_COLOR) != 0 ? static_cast<LONG>(cf.crTextColor) : 0;
}

LONG CGridCellSuperEdit::SECharGetTextColorEx(LONG nStartChar, LONG nEndChar)
{
    SE_CHAR_EX(SECharGetTextColor())
}

BOOL CGridCellSuperEdit::SECharSetBgColor(short bSet, COLORREF clColor)
{
    SE_TARGET_OR(FALSE)
    RichCharFormat v;
    v.crBackColor = clColor;
    v.dwEffects = bSet != 0 ? 0 : RT_CFE_AUTOBACKCOLOR;
    return SetCharField(target, RT_CFM_BACKCOLOR, v);
}

BOOL CGridCellSuperEdit::SECharSetBgColorEx(LONG nStartChar, LONG nEndChar, short bSet, COLORREF clColor)
{
    SE_CHAR_EX(SECharSetBgColor(bSet, clColor))
}

LONG CGridCellSuperEdit::SECharGetBgColor(COLORREF* pclColor)
{
    SE_TARGET_OR(0)
    RichCharFormat cf;
    target->GetCharFormat(cf);
    if ((cf.dwMask & RT_CFM_BACKCOLOR) == 0)
        return 0;
    if ((cf.dwEffects & RT_CFE_AUTOBACKCOLOR) != 0) {
        if (pclColor != nullptr)
            *pclColor = static_cast<COLORREF>(-1);
        return 0;
    }
    if (pclColor != nullptr)
        *pclColor = cf.crBackColor;
    return 1;
}

LONG CGridCellSuperEdit::SECharGetBgColorEx(LONG nStartChar, LONG nEndChar, COLORREF* pclColor)
{
    SE_CHAR_EX(SECharGetBgColor(pclColor))
}

#define SE_EFFECT_FAMILY(Name, Mask, Effect)                                                 \
    BOOL CGridCellSuperEdit::SECharSet##Name(short bOn)                                      \
    {                                                                                        \
        SE_TARGET_OR(FALSE)                                                                  \
        return SetEffect(target, Mask, Effect, bOn);                                         \
    }                                                                                        \
    BOOL CGridCellSuperEdit::SECharSet##Name##Ex(LONG nStartChar, LONG nEndChar, short bOn)  \
    {                                                                                        \
        SE_CHAR_EX(SECharSet##Name(bOn))                                                     \
    }                                                                                        \
    BOOL CGridCellSuperEdit::SECharGet##Name()                                               \
    {                                                                                        \
        SE_TARGET_OR(FALSE)                                                                  \
        return GetEffect(target, Mask, Effect);                                              \
    }                                                                                        \
    BOOL CGridCellSuperEdit::SECharGet##Name##Ex(LONG nStartChar, LONG nEndChar)             \
    {                                                                                        \
        SE_CHAR_EX(SECharGet##Name())                                                        \
    }

SE_EFFECT_FAMILY(Bold, RT_CFM_BOLD, RT_CFE_BOLD)
SE_EFFECT_FAMILY(Italic, RT_CFM_ITALIC, RT_CFE_ITALIC)
SE_EFFECT_FAMILY(Underline, RT_CFM_UNDERLINE, RT_CFE_UNDERLINE)
SE_EFFECT_FAMILY(Strikeout, RT_CFM_STRIKEOUT, RT_CFE_STRIKEOUT)
SE_EFFECT_FAMILY(Superscript, RT_CFM_SUPERSCRIPT, RT_CFE_SUPERSCRIPT)
SE_EFFECT_FAMILY(Subscript, RT_CFM_SUBSCRIPT, RT_CFE_SUBSCRIPT)

// --- paragraph formats ----------------------------------------------------------------------

#define SE_PARA_EX(call)                                 \
    SE_TARGET_OR(0)                                      \
    SelectParagraphs(target, nStartPara, nEndPara);      \
    auto result = call;                                  \
    Collapse(target);                                    \
    return result;

BOOL CGridCellSuperEdit::SetParaFields(CRichTextHostBase* pTarget, const RichParaFormat& pf)
{
    pTarget->SetParaFormat(pf);
    return TRUE;
}

BOOL CGridCellSuperEdit::SEParaSetAlign(LONG nAlign)
{
    SE_TARGET_OR(FALSE)
    if (nAlign < 1 || nAlign > 3)
        return TRUE;                     // 1 left, 2 right, 3 centre; anything else changes nothing
    RichParaFormat pf;
    pf.dwMask = RT_PFM_ALIGNMENT;
    pf.wAlignment = static_cast<WORD>(nAlign);
    return SetParaFields(target, pf);
}

BOOL CGridCellSuperEdit::SEParaSetAlignEx(LONG nStartPara, LONG nEndPara, LONG nAlign)
{
    SE_PARA_EX(SEParaSetAlign(nAlign))
}

LONG CGridCellSuperEdit::SEParaGetAlign()
{
    SE_TARGET_OR(1)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_ALIGNMENT;
    target->GetParaFormat(pf);
    return (pf.dwMask & RT_PFM_ALIGNMENT) != 0 ? pf.wAlignment : 1;
}

LONG CGridCellSuperEdit::SEParaGetAlignEx(LONG nStartPara, LONG nEndPara)
{
    CRichTextHostBase* target = Target();
    if (target == nullptr)
        return 1;
    SelectParagraphs(target, nStartPara, nEndPara);
    const LONG result = SEParaGetAlign();
    Collapse(target);
    return result;
}

BOOL CGridCellSuperEdit::MoveIndent(CRichTextHostBase* pTarget, BOOL bIndent)
{
    RichParaFormat cur;
    cur.dwMask = RT_PFM_STARTINDENT | RT_PFM_TABSTOPS;
    pTarget->GetParaFormat(cur);
    // Only the paragraph's own tab stops count: outdenting goes back to the
    // previous stop, not to 0 whenever there are fewer than 32 of them.
    const int count = cur.cTabCount < 0 ? 0 : (cur.cTabCount > kMaxTabStops ? kMaxTabStops : cur.cTabCount);
    LONG indent = bIndent ? -1 : 0;
    for (int i = 0; i < count; ++i) {
        const LONG tab = cur.rgxTabs[i];
        if (bIndent && tab > cur.dxStartIndent) {
            indent = tab;
            break;
        }
        if (!bIndent && tab < cur.dxStartIndent)
            indent = tab;
    }
    if (indent < 0)
        return TRUE;
    RichParaFormat pf;
    pf.dwMask = RT_PFM_STARTINDENT | RT_PFM_OFFSET;
    pf.dxStartIndent = indent;
    pf.dxOffset = indent;
    pTarget->SetParaFormat(pf);
    return TRUE;
}

BOOL CGridCellSuperEdit::SEParaSetIndent()
{
    SE_TARGET_OR(FALSE)
    return MoveIndent(target, TRUE);
}

BOOL CGridCellSuperEdit::SEParaSetOutdent()
{
    SE_TARGET_OR(FALSE)
    return MoveIndent(target, FALSE);
}

BOOL CGridCellSuperEdit::SEParaSetIndentEx(LONG nStartPara, LONG nEndPara)
{
    SE_PARA_EX(SEParaSetIndent())
}

BOOL CGridCellSuperEdit::SEParaSetOutdentEx(LONG nStartPara, LONG nEndPara)
{
    SE_PARA_EX(SEParaSetOutdent())
}

BOOL CGridCellSuperEdit::SEParaSetBullet(LONG nNumbering)
{
    SE_TARGET_OR(FALSE)
    if (nNumbering < 0 || nNumbering > 2)
        return TRUE;
    RichParaFormat pf;
    pf.dwMask = RT_PFM_NUMBERING;
    pf.wNumbering = static_cast<WORD>(nNumbering);
    return SetParaFields(target, pf);
}

BOOL CGridCellSuperEdit::SEParaSetBulletEx(LONG nStartPara, LONG nEndPara, LONG nNumbering)
{
    SE_PARA_EX(SEParaSetBullet(nNumbering))
}

LONG CGridCellSuperEdit::SEParaGetBullet()
{
    SE_TARGET_OR(0)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_NUMBERING;
    target->GetParaFormat(pf);
    if ((pf.dwMask & RT_PFM_NUMBERING) == 0)
        return 0;
    return pf.wNumbering == 1 || pf.wNumbering == 2 ? pf.wNumbering : 0;
}

LONG CGridCellSuperEdit::SEParaGetBulletEx(LONG nStartPara, LONG nEndPara)
{
    SE_PARA_EX(SEParaGetBullet())
}

BOOL CGridCellSuperEdit::SEParaSetLinespacing(short nType, LONG nSpacing)
{
    SE_TARGET_OR(FALSE)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_LINESPACING;
    if (nType >= 0 && nType <= 2) {
        pf.bLineSpacingRule = static_cast<BYTE>(nType);
    } else {
        pf.bLineSpacingRule = 4;          // exact, in points
        pf.dyLineSpacing = nSpacing * 20;
    }
    return SetParaFields(target, pf);
}

BOOL CGridCellSuperEdit::SEParaSetLinespacingEx(LONG nStartPara, LONG nEndPara, short nType, LONG nSpacing)
{
    SE_PARA_EX(SEParaSetLinespacing(nType, nSpacing))
}

short CGridCellSuperEdit::SEParaGetLinespacing(LONG* pnSpacing)
{
    SE_TARGET_OR(0)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_LINESPACING;
    target->GetParaFormat(pf);
    if ((pf.dwMask & RT_PFM_LINESPACING) == 0)
        return 0;
    if (pnSpacing != nullptr)
        *pnSpacing = pf.dyLineSpacing;
    return pf.bLineSpacingRule;
}

short CGridCellSuperEdit::SEParaGetLinespacingEx(LONG nStartPara, LONG nEndPara, LONG* pnSpacing)
{
    SE_PARA_EX(SEParaGetLinespacing(pnSpacing))
}

BOOL CGridCellSuperEdit::SEParaSetBeforespacing(LONG nSpacing)
{
    SE_TARGET_OR(FALSE)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_SPACEBEFORE;
    pf.dySpaceBefore = nSpacing;
    return SetParaFields(target, pf);
}

BOOL CGridCellSuperEdit::SEParaSetBeforespacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing)
{
    SE_PARA_EX(SEParaSetBeforespacing(nSpacing))
}

LONG CGridCellSuperEdit::SEParaGetBeforespacing()
{
    SE_TARGET_OR(0)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_SPACEBEFORE;
    target->GetParaFormat(pf);
    return (pf.dwMask & RT_PFM_SPACEBEFORE) != 0 ? pf.dySpaceBefore : 0;
}

LONG CGridCellSuperEdit::SEParaGetBeforespacingEx(LONG nStartPara, LONG nEndPara)
{
    SE_PARA_EX(SEParaGetBeforespacing())
}

BOOL CGridCellSuperEdit::SEParaSetAfterspacing(LONG nSpacing)
{
    SE_TARGET_OR(FALSE)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_SPACEAFTER;
    pf.dySpaceAfter = nSpacing;
    return SetParaFields(target, pf);
}

BOOL CGridCellSuperEdit::SEParaSetAfterspacingEx(LONG nStartPara, LONG nEndPara, LONG nSpacing)
{
    SE_PARA_EX(SEParaSetAfterspacing(nSpacing))
}

LONG CGridCellSuperEdit::SEParaGetAfterspacing()
{
    SE_TARGET_OR(0)
    RichParaFormat pf;
    pf.dwMask = RT_PFM_SPACEAFTER;
    target->GetParaFormat(pf);
    return (pf.dwMask & RT_PFM_SPACEAFTER) != 0 ? pf.dySpaceAfter : 0;
}

LONG CGridCellSuperEdit::SEParaGetAfterspacingEx(LONG nStartPara, LONG nEndPara)
{
    SE_PARA_EX(SEParaGetAfterspacing())
}

// --- selection and text ------------------------------------------------------------------------

BOOL CGridCellSuperEdit::SECharSetSel(LONG nStartChar, LONG nEndChar)
{
    SE_TARGET_OR(FALSE)
    if (nStartChar < 0 || nEndChar < nStartChar)
        return FALSE;
    target->SetSel(nStartChar, nEndChar);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECharGetSel(LONG* pnStartChar, LONG* pnEndChar)
{
    SE_TARGET_OR(FALSE)
    LONG start = 0;
    LONG end = 0;
    target->GetSel(start, end);
    if (pnStartChar != nullptr)
        *pnStartChar = start;
    if (pnEndChar != nullptr)
        *pnEndChar = end;
    return TRUE;
}

BOOL CGridCellSuperEdit::SEParaSetSel(LONG nStartPara, LONG nEndPara)
{
    SE_TARGET_OR(FALSE)
    return SelectParagraphs(target, nStartPara, nEndPara);
}

BOOL CGridCellSuperEdit::SEParaGetSel(LONG* pnStartPara, LONG* pnEndPara)
{
    SE_TARGET_OR(FALSE)
    LONG start = 0;
    LONG end = 0;
    target->GetSel(start, end);
    LONG first = -1;
    LONG last = -1;
    if (end > 0) {
        const std::u16string text = target->GetPlainText();
        first = ParagraphOfPosition(text, start);
        last = ParagraphOfPosition(text, end);
    }
    if (pnStartPara != nullptr)
        *pnStartPara = first;
    if (pnEndPara != nullptr)
        *pnEndPara = last;
    return TRUE;
}

BOOL CGridCellSuperEdit::SEClearSel()
{
    SE_TARGET_OR(FALSE)
    Collapse(target);
    return TRUE;
}

LONG CGridCellSuperEdit::SEParaGetCount()
{
    SE_TARGET_OR(0)
    return ParagraphCount(target->GetPlainText());
}

LONG CGridCellSuperEdit::CopySelection(CRichTextHostBase* pTarget, LPTSTR pszBuffer, int nBufferSize)
{
    LONG start = 0;
    LONG end = 0;
    pTarget->GetSel(start, end);
    return CopyRange(pTarget->GetPlainText(), start, end, pszBuffer, nBufferSize);
}

LONG CGridCellSuperEdit::SEParaGetContentEx(LONG nStartPara, LONG nEndPara, LPTSTR pszBuffer, int nBufferSize)
{
    SE_PARA_EX(CopySelection(target, pszBuffer, nBufferSize))
}

LONG CGridCellSuperEdit::SEParaGetContent(LPTSTR pszBuffer, int nBufferSize)
{
    SE_TARGET_OR(0)
    return CopySelection(target, pszBuffer, nBufferSize);
}

LONG CGridCellSuperEdit::SECharGetSelText(LPTSTR pszBuffer, int nBufferSize)
{
    SE_TARGET_OR(0)
    return CopySelection(target, pszBuffer, nBufferSize);
}

LONG CGridCellSuperEdit::SECharGetSelTextEx(LONG nStartChar, LONG nEndChar, LPTSTR pszBuffer, int nBufferSize)
{
    SE_CHAR_EX(CopySelection(target, pszBuffer, nBufferSize))
}

// --- commands ----------------------------------------------------------------------------------

BOOL CGridCellSuperEdit::SECtrlGetCanRedo()
{
    SE_TARGET_OR(FALSE)
    return target->Send(MSG_CANREDO, 0, 0) != 0 ? TRUE : FALSE;
}

BOOL CGridCellSuperEdit::SECtrlGetCanUndo()
{
    SE_TARGET_OR(FALSE)
    return target->Send(EM_CANUNDO, 0, 0) != 0 ? TRUE : FALSE;
}

BOOL CGridCellSuperEdit::SECtrlGetCanPaste()
{
    SE_TARGET_OR(FALSE)
    return target->Send(MSG_CANPASTE, 0, 0) != 0 ? TRUE : FALSE;
}

BOOL CGridCellSuperEdit::SECtrlRedo()
{
    SE_TARGET_OR(FALSE)
    target->Send(MSG_REDO, 0, 0);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlUndo()
{
    SE_TARGET_OR(FALSE)
    target->Send(EM_UNDO, 0, 0);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlCopy()
{
    SE_TARGET_OR(FALSE)
    target->Send(WM_COPY, 0, 0);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlCut()
{
    SE_TARGET_OR(FALSE)
    target->Send(WM_CUT, 0, 0);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlPaste()
{
    SE_TARGET_OR(FALSE)
    target->Send(WM_PASTE, 0, 0);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlSetShowToolBar(short bShow)
{
    m_bShowToolBar = bShow != 0 ? 1 : 0;
    if (CRichTextEditorSite* editor = LockedEditor())
        editor->ShowToolBar(m_bShowToolBar);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlGetShowToolBar()
{
    return m_bShowToolBar;
}

BOOL CGridCellSuperEdit::SECtrlSetPopupMenu(short bPopup)
{
    m_bPopupMenu = bPopup != 0 ? 1 : 0;
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlGetPopupMenu()
{
    return m_bPopupMenu;
}

BOOL CGridCellSuperEdit::SECtrlSetTextLimit(LONG nLimitCount)
{
    SE_TARGET_OR(FALSE)
    target->Send(EM_LIMITTEXT, static_cast<WPARAM>(nLimitCount), 0);
    return TRUE;
}

LONG CGridCellSuperEdit::SECtrlGetTextLimit()
{
    SE_TARGET_OR(0)
    return static_cast<LONG>(target->Send(EM_GETLIMITTEXT, 0, 0));
}

BOOL CGridCellSuperEdit::SECtrlSetAutoURL(short bURL)
{
    SE_TARGET_OR(FALSE)
    return target->Send(MSG_AUTOURLDETECT, static_cast<WPARAM>(bURL != 0 ? 1 : 0), 0) == 0 ? TRUE : FALSE;
}

BOOL CGridCellSuperEdit::SECtrlGetAutoURL()
{
    SE_TARGET_OR(FALSE)
    return target->Send(MSG_GETAUTOURLDETECT, 0, 0) != 0 ? TRUE : FALSE;
}

BOOL CGridCellSuperEdit::SECtrlSetRTF(LPCTSTR szRTF)
{
    SE_TARGET_OR(FALSE)
    target->SetRTF(szRTF != nullptr ? CString(szRTF) : CString());
    return TRUE;
}

CString CGridCellSuperEdit::SECtrlGetRTF()
{
    SE_TARGET_OR(CString())
    CString rtf;
    target->GetRTF(rtf);
    return rtf;
}

BOOL CGridCellSuperEdit::SECtrlSetText(LPCTSTR szText)
{
    SE_TARGET_OR(FALSE)
    ReplaceWithPlainText(szText != nullptr ? CString(szText) : CString());
    return TRUE;
}

CString CGridCellSuperEdit::SECtrlGetText()
{
    SE_TARGET_OR(CString())
    CString text;
    target->GetText(text);
    return text;
}

BOOL CGridCellSuperEdit::SECtrlInsertText(LPCTSTR szText)
{
    SE_TARGET_OR(FALSE)
    target->ReplaceSel(cp936::ToUtf16(szText != nullptr ? szText : ""), TRUE);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlInsertTextEx(LONG nStartChar, LPCTSTR szText)
{
    SE_TARGET_OR(FALSE)
    target->SetSel(nStartChar, nStartChar);
    return SECtrlInsertText(szText);
}

BOOL CGridCellSuperEdit::SECtrlDeleteText()
{
    SE_TARGET_OR(FALSE)
    target->Send(WM_CLEAR, 0, 0);
    return TRUE;
}

BOOL CGridCellSuperEdit::SECtrlDeleteTextEx(LONG nStartChar, LONG nEndChar)
{
    SE_TARGET_OR(FALSE)
    target->SetSel(nStartChar, nEndChar);
    target->Send(WM_CLEAR, 0, 0);
    return TRUE;
}

// --- drawing and measuring ---------------------------------------------------------------------

BOOL CGridCellSuperEdit::LoadInto(CRichTextHostBase* pHost, int nWidth, int nHeight)
{
    if (!m_strRichText.IsEmpty()) {
        PrepareHost(pHost, nWidth, nHeight);
        pHost->SetRTF(m_strRichText);
        return TRUE;
    }
    // A cell given only plain text still shows it.
    const CString text = m_strText.Get();
    if (text.IsEmpty())
        return FALSE;
    PrepareHost(pHost, nWidth, nHeight);
    LoadPlainText(pHost, text);
    return TRUE;
}

BOOL CGridCellSuperEdit::DrawRichText(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr || m_pGrid == nullptr || IsEditing())
        return FALSE;
    CRichTextHostBase* host = m_pGrid->GetRichTextHost();
    CRect inner(rect.left - 1, rect.top + 1, rect.right - 1, rect.bottom - 1);
    if (host == nullptr || inner.Width() <= 0 || inner.Height() <= 0 ||
        !LoadInto(host, inner.Width(), inner.Height()))
        return FALSE;
    host->Draw(pDC, inner);
    return TRUE;
}

BOOL CGridCellSuperEdit::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    if (!CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd))
        return FALSE;
    if (m_bits.hidden)
        return TRUE;
    return DrawRichText(pDC, rect);
}

BOOL CGridCellSuperEdit::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    CGridCell::DrawContent(pDC, nRow, nCol, rect);
    return DrawRichText(pDC, rect);
}

CSize CGridCellSuperEdit::GetTextExtent(LPCTSTR, CDC*, int nCol)
{
    const int width = m_pGrid != nullptr ? m_pGrid->GetColumnWidth(nCol) : 0;
    int height = 0;
    CRichTextHostBase* host = m_pGrid != nullptr ? m_pGrid->GetRichTextHost() : nullptr;
    if (host != nullptr && width > 0 && LoadInto(host, width, 1)) {
        int natural = 0;
        if (host->GetNaturalHeight(width, &natural) == 0)
            height = natural;
    }
    const int margin = GetMargin();
    return CSize(width < 0 ? 0 : width, height + (margin > 0 ? margin : 0));
}

// --- editing ------------------------------------------------------------------------------------

BOOL CGridCellSuperEdit::Edit(int nRow, int nCol, CRect rect, CPoint, UINT nID, UINT nChar)
{
    if (IsEditing())
        return TRUE;
    rect.OffsetRect(1, 1);
    if (!m_bToolBarPosSet && m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr) {
        CPoint corner(rect.right, rect.top);
        m_pGrid->ClientToScreen(&corner);
        m_nToolBarX = corner.x;
        m_nToolBarY = corner.y;
    }
    const SuperEditHooks& hooks = GetSuperEditHooks();
    if (IsReadOnly() || nChar == 13 || hooks.pfnCreate == nullptr)
        return TRUE;
    SuperEditRequest request;
    request.pGrid = m_pGrid;
    request.rect = rect;
    request.nID = nID;
    request.nRow = nRow;
    request.nCol = nCol;
    request.strContent = !m_strRichText.IsEmpty() ? m_strRichText : CString(m_strText.Get());
    request.nChar = nChar;
    request.crBack = GetBackColor();
    request.nToolBarX = m_nToolBarX;
    request.nToolBarY = m_nToolBarY;
    request.bShowToolBar = m_bShowToolBar;
    request.bPopupMenu = m_bPopupMenu;
    request.cfDefault = DefaultCharFormat();
    CWnd* editor = hooks.pfnCreate(request);
    // An editor that cannot be made leaves the cell as it was.
    SetEditWnd(editor);
    m_bits.editing = editor != nullptr ? 1 : 0;
    m_bEditorTracked = editor != nullptr && hooks.pfnAlive != nullptr ? TRUE : FALSE;
    m_editorAlive = m_bEditorTracked ? hooks.pfnAlive(editor) : std::weak_ptr<void>();
    return TRUE;
}

void CGridCellSuperEdit::EndEdit()
{
    CWnd* editor = GetEditWnd();
    if (editor == nullptr)
        return;
    // The commit may replace or move this cell: only locals after it.
    CGridCtrl* pGrid = m_pGrid;
    const SuperEditHooks& hooks = GetSuperEditHooks();
    if (hooks.pfnEndEdit != nullptr)
        hooks.pfnEndEdit(editor);
    if (pGrid != nullptr && pGrid->GetSafeHwnd() != nullptr)
        pGrid->SetFocus();
}

void CGridCellSuperEdit::OnEndEdit()
{
    // A lock on the editor moves to a host of the cell's own, loaded with
    // what the edit committed, so the SE members keep working on the cell.
    const BOOL wasLocked = m_bLockedOnEditor;
    if (wasLocked) {
        if (CRichTextEditorSite* editor = LockedEditor())
            editor->SetLockMark(FALSE);
        m_bLockedOnEditor = FALSE;
    }
    CGridCell::OnEndEdit();
    m_bEditorTracked = FALSE;
    m_editorAlive.reset();
    if (wasLocked)
        SELockContent();
    if (m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr) {
        m_pGrid->SetFocus();
        m_pGrid->Invalidate(TRUE);
    }
}
