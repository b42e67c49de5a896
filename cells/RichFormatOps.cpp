#include "cells/RichFormatOps.h"

namespace {
const LONG kDefaultTabStep = 320;     // twips
}

void CRichFormatOps::SetEffect(DWORD dwMask, DWORD dwEffect, bool bOn)
{
    if (m_pHost == nullptr)
        return;
    RichCharFormat cf;
    cf.dwMask = dwMask;
    cf.dwEffects = bOn ? dwEffect : 0;
    m_pHost->SetCharFormat(cf, richtext::RT_SCF_SELECTION);
}

void CRichFormatOps::SetFontName(const CString& strFace)
{
    if (m_pHost == nullptr || strFace.IsEmpty())
        return;
    RichCharFormat cf;
    cf.dwMask = richtext::RT_CFM_FACE;
    cf.strFace = strFace;
    m_pHost->SetCharFormat(cf, richtext::RT_SCF_SELECTION);
}

void CRichFormatOps::SetFontSize(int nPoints)
{
    if (m_pHost == nullptr || nPoints < 1 || nPoints > 1638)
        return;
    RichCharFormat cf;
    cf.dwMask = richtext::RT_CFM_SIZE;
    cf.yHeight = nPoints * 20;
    m_pHost->SetCharFormat(cf, richtext::RT_SCF_SELECTION);
}

void CRichFormatOps::SetTextColor(COLORREF cr)
{
    if (m_pHost == nullptr)
        return;
    RichCharFormat cf;
    cf.dwMask = richtext::RT_CFM_COLOR;
    cf.crTextColor = cr;
    m_pHost->SetCharFormat(cf, richtext::RT_SCF_SELECTION);
}

void CRichFormatOps::SetBgColor(bool bSet, COLORREF cr)
{
    if (m_pHost == nullptr)
        return;
    RichCharFormat cf;
    cf.dwMask = richtext::RT_CFM_BACKCOLOR;
    if (bSet)
        cf.crBackColor = cr;
    else
        cf.dwEffects = richtext::RT_CFE_AUTOBACKCOLOR;
    m_pHost->SetCharFormat(cf, richtext::RT_SCF_SELECTION);
}

void CRichFormatOps::SetAlignment(WORD wAlign)
{
    if (m_pHost == nullptr)
        return;
    RichParaFormat pf;
    pf.dwMask = richtext::RT_PFM_ALIGNMENT;
    pf.wAlignment = wAlign;
    m_pHost->SetParaFormat(pf);
}

void CRichFormatOps::SetNumbering(WORD wNumbering)
{
    if (m_pHost == nullptr)
        return;
    RichParaFormat pf;
    pf.dwMask = richtext::RT_PFM_NUMBERING;
    pf.wNumbering = wNumbering;
    m_pHost->SetParaFormat(pf);
}

void CRichFormatOps::MoveIndent(bool bIndent)
{
    if (m_pHost == nullptr)
        return;
    RichParaFormat cur;
    cur.dwMask = richtext::RT_PFM_STARTINDENT | richtext::RT_PFM_TABSTOPS;
    m_pHost->GetParaFormat(cur);
    const int count = cur.cTabCount < 0 ? 0 : (cur.cTabCount > richtext::kMaxTabStops ? richtext::kMaxTabStops
                                                                                    : cur.cTabCount);
    LONG indent = bIndent ? -1 : 0;
    if (count == 0) {
        // A paragraph without tab stops of its own steps by the default
        // stop interval.
        indent = bIndent ? (cur.dxStartIndent / kDefaultTabStep + 1) * kDefaultTabStep
                         : (cur.dxStartIndent > 0 ? (cur.dxStartIndent - 1) / kDefaultTabStep * kDefaultTabStep : 0);
    }
    for (int i = 0; i < count; ++i) {
        if (bIndent && cur.rgxTabs[i] > cur.dxStartIndent) {
            indent = cur.rgxTabs[i];
            break;
        }
        if (!bIndent && cur.rgxTabs[i] < cur.dxStartIndent)
            indent = cur.rgxTabs[i];
    }
    if (indent < 0)
        return;
    RichParaFormat pf;
    pf.dwMask = richtext::RT_PFM_STARTINDENT | richtext::RT_PFM_OFFSET;
    pf.dxStartIndent = indent;
    pf.dxOffset = indent;
    m_pHost->SetParaFormat(pf);
}

void CRichFormatOps::GetFormats(RichCharFormat& cf, RichParaFormat& pf)
{
    cf = RichCharFormat();
    pf = RichParaFormat();
    if (m_pHost == nullptr)
        return;
    m_pHost->GetCharFormat(cf);
    pf.dwMask = richtext::RT_PFM_ALIGNMENT | richtext::RT_PFM_NUMBERING | richtext::RT_PFM_SPACEBEFORE |
                richtext::RT_PFM_SPACEAFTER | richtext::RT_PFM_LINESPACING | richtext::RT_PFM_STARTINDENT |
                richtext::RT_PFM_OFFSET | richtext::RT_PFM_TABSTOPS;
    m_pHost->GetParaFormat(pf);
}

void CRichFormatOps::ApplyFormats(const RichCharFormat& cf, const RichParaFormat& pf)
{
    if (m_pHost == nullptr)
        return;
    if (cf.dwMask != 0)
        m_pHost->SetCharFormat(cf, richtext::RT_SCF_SELECTION);
    if (pf.dwMask != 0)
        m_pHost->SetParaFormat(pf);
}
