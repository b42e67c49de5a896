#include "cells/FormatDialogPages.h"

namespace proppages {

using namespace richtext;

const std::vector<CString>& FontStyles()
{
    static const std::vector<CString> list = {"常规", "斜体", "粗体", "粗斜体"};
    return list;
}

const std::vector<CString>& Alignments()
{
    static const std::vector<CString> list = {"居左", "居中", "居右"};
    return list;
}

const std::vector<CString>& Bullets()
{
    static const std::vector<CString> list = {"无", "圆圈", "数字"};
    return list;
}

const std::vector<CString>& LineSpacings()
{
    static const std::vector<CString> list = {"正常", "1.5倍", "双倍", "固定值"};
    return list;
}

void FontPage::SetSuperscript(bool bOn)
{
    bSuperscript = bOn;
    if (bOn)
        bSubscript = false;
}

void FontPage::SetSubscript(bool bOn)
{
    bSubscript = bOn;
    if (bOn)
        bSuperscript = false;
}

void FontPage::ChooseFace(const CString& face)
{
    strFace = face;
    bFaceChanged = true;
}

void FontPage::ChooseSize(int nPoints)
{
    nSize = nPoints;
    bSizeChanged = true;
}

void FontPage::ChooseSpacing(int nPoints)
{
    nSpacing = nPoints < 0 ? 0 : (nPoints > 255 ? 255 : nPoints);
    bSpacingChanged = true;
}

void FontPage::Choose(PickerState& picker, bool bDefault, COLORREF cr)
{
    picker.bAuto = bDefault;
    picker.crColour = bDefault ? picker.crDefault : cr;
    picker.bChanged = true;
}

FontPage FontPageFrom(const FontInput& in, COLORREF sysWindow, COLORREF sysWindowText)
{
    const RichCharFormat& cf = in.cf;
    FontPage page;
    const bool bold = (cf.dwEffects & RT_CFE_BOLD) != 0;
    const bool italic = (cf.dwEffects & RT_CFE_ITALIC) != 0;
    page.nStyle = bold && italic ? kBoldItalic : italic ? kItalic : bold ? kBold : kRegular;
    page.bUnderline = (cf.dwEffects & RT_CFE_UNDERLINE) != 0;
    page.bSuperscript = (cf.dwEffects & RT_CFE_SUPERSCRIPT) != 0;
    page.bStrikeout = (cf.dwEffects & RT_CFE_STRIKEOUT) != 0;
    page.bSubscript = !page.bSuperscript && (cf.dwEffects & RT_CFE_SUBSCRIPT) != 0;
    if ((cf.dwMask & RT_CFM_BACKCOLOR) != 0) {
        page.back.bKnown = true;
        page.back.crDefault = sysWindow;
        page.back.bAuto = (cf.dwEffects & RT_CFE_AUTOBACKCOLOR) != 0;
        page.back.crColour = page.back.bAuto ? sysWindow : cf.crBackColor;
    }
    if ((cf.dwMask & RT_CFM_COLOR) != 0) {
        page.text.bKnown = true;
        page.text.crDefault = sysWindowText;
        page.text.bAuto = (cf.dwEffects & RT_CFE_AUTOCOLOR) != 0;
        page.text.crColour = page.text.bAuto ? sysWindowText : cf.crTextColor;
    }
    if ((cf.dwMask & RT_CFM_FACE) != 0 && !cf.strFace.IsEmpty()) {
        page.strFace = cf.strFace;
        page.bFaceKnown = true;
    }
    if ((cf.dwMask & RT_CFM_SIZE) != 0 && cf.yHeight >= 20) {
        page.nSize = static_cast<int>(cf.yHeight / 20);
        page.bSizeKnown = true;
    }
    if (in.bSpacing) {
        const LONG points = in.sSpacing / 20;
        page.nSpacing = points < 0 ? 0 : (points > 255 ? 255 : static_cast<int>(points));
        page.bSpacingKnown = true;
    }
    return page;
}

FontResult FontPageResult(const FontPage& page)
{
    FontResult r;
    RichCharFormat& cf = r.cf;
    cf.dwMask = RT_CFM_BOLD | RT_CFM_ITALIC | RT_CFM_UNDERLINE | RT_CFM_STRIKEOUT | RT_CFM_SUPERSCRIPT;
    if (page.nStyle == kItalic || page.nStyle == kBoldItalic)
        cf.dwEffects |= RT_CFE_ITALIC;
    if (page.nStyle == kBold || page.nStyle == kBoldItalic)
        cf.dwEffects |= RT_CFE_BOLD;
    if (page.bUnderline)
        cf.dwEffects |= RT_CFE_UNDERLINE;
    if (page.bStrikeout)
        cf.dwEffects |= RT_CFE_STRIKEOUT;
    if (page.bSuperscript)
        cf.dwEffects |= RT_CFE_SUPERSCRIPT;
    else if (page.bSubscript)
        cf.dwEffects |= RT_CFE_SUBSCRIPT;
    if (page.back.bKnown || page.back.bChanged) {
        cf.dwMask |= RT_CFM_BACKCOLOR;
        if (page.back.bAuto)
            cf.dwEffects |= RT_CFE_AUTOBACKCOLOR;
        else
            cf.crBackColor = page.back.crColour;
    }
    if (page.text.bKnown || page.text.bChanged) {
        cf.dwMask |= RT_CFM_COLOR;
        if (page.text.bAuto)
            cf.dwEffects |= RT_CFE_AUTOCOLOR;
        else
            cf.crTextColor = page.text.crColour;
    }
    if ((page.bFaceKnown || page.bFaceChanged) && !page.strFace.IsEmpty()) {
        cf.dwMask |= RT_CFM_FACE;
        cf.strFace = page.strFace;
    }
    if ((page.bSizeKnown || page.bSizeChanged) && page.nSize > 0) {
        cf.dwMask |= RT_CFM_SIZE;
        cf.yHeight = page.nSize * 20;
    }
    if (page.bSpacingKnown || page.bSpacingChanged) {
        r.bSpacing = true;
        r.sSpacing = page.nSpacing * 20;
    }
    return r;
}

void ParaPage::ChooseLineRule(int nIndex)
{
    nLineRule = nIndex < 0 ? 0 : (nIndex > 3 ? 3 : nIndex);
    bLineValueEditable = nLineRule == 3;
    if (nLineRule == 3)
        nLineValue = bRecordFixed ? static_cast<int>(dyRecordLineSpacing / 20) : 12;
}

ParaPage ParaPageFrom(const RichParaFormat& pf)
{
    ParaPage page;
    page.nAlign = pf.wAlignment == 3 ? 1 : pf.wAlignment == 2 ? 2 : 0;
    page.nBullet = pf.wNumbering == 1 ? 1 : pf.wNumbering == 2 ? 2 : 0;
    if ((pf.dwMask & RT_PFM_SPACEBEFORE) != 0)
        page.nSpaceBefore = static_cast<int>(pf.dySpaceBefore);
    if ((pf.dwMask & RT_PFM_SPACEAFTER) != 0)
        page.nSpaceAfter = static_cast<int>(pf.dySpaceAfter);
    if ((pf.dwMask & RT_PFM_LINESPACING) != 0) {
        if (pf.bLineSpacingRule <= 2) {
            page.nLineRule = pf.bLineSpacingRule;
        } else {
            page.nLineRule = 3;
            page.bLineValueEditable = true;
            page.bRecordFixed = true;
            page.dyRecordLineSpacing = pf.dyLineSpacing;
            page.nLineValue = static_cast<int>(pf.dyLineSpacing / 20);
        }
    }
    return page;
}

RichParaFormat ParaPageResult(const ParaPage& page)
{
    static const WORD kAlign[] = {1, 3, 2};
    static const BYTE kRule[] = {0, 1, 2, 4};
    RichParaFormat pf;
    pf.dwMask = RT_PFM_ALIGNMENT | RT_PFM_NUMBERING | RT_PFM_LINESPACING | RT_PFM_SPACEBEFORE | RT_PFM_SPACEAFTER;
    pf.wAlignment = kAlign[page.nAlign >= 0 && page.nAlign < 3 ? page.nAlign : 0];
    pf.wNumbering = static_cast<WORD>(page.nBullet >= 0 && page.nBullet < 3 ? page.nBullet : 0);
    const int rule = page.nLineRule >= 0 && page.nLineRule < 4 ? page.nLineRule : 0;
    pf.bLineSpacingRule = kRule[rule];
    pf.dyLineSpacing = rule == 3 ? static_cast<LONG>(page.nLineValue) * 20 : 0;
    pf.dySpaceBefore = page.nSpaceBefore;
    pf.dySpaceAfter = page.nSpaceAfter;
    return pf;
}

}  // namespace proppages
