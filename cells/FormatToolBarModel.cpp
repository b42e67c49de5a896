#include "cells/FormatToolBarModel.h"

#include "cells/RichFormatOps.h"

#include <cstdio>
#include <cstdlib>

namespace formatbar {

const std::vector<ButtonEntry>& Buttons()
{
    static const std::vector<ButtonEntry> table = {
        {ID_FONTNAME, -1, false}, {ID_FONTSIZE, -1, false}, {0, -1, false},
        {ID_TEXTCOLOR, 0, false}, {ID_BACKCOLOR, 1, false}, {0, -1, false},
        {ID_BOLD, 2, true},       {ID_ITALIC, 3, true},     {ID_UNDERLINE, 4, true},
        {ID_STRIKEOUT, 5, true},  {0, -1, false},           {ID_SUPERSCRIPT, 6, true},
        {ID_SUBSCRIPT, 7, true},  {0, -1, false},           {ID_ALIGNLEFT, 8, true},
        {ID_CENTER, 9, true},     {ID_ALIGNRIGHT, 10, true}, {0, -1, false},
        {ID_INDENT, 11, false},   {ID_OUTDENT, 12, false},  {0, -1, false},
        {ID_BULLETS, 13, true},   {ID_NUMBERING, 14, true}, {0, -1, false},
    };
    return table;
}

const std::vector<CString>& FontSizes()
{
    static const std::vector<CString> sizes = {"6",  "7",  "8",  "9",  "10", "11", "12", "14", "16",
                                               "18", "20", "22", "24", "26", "28", "36", "48", "72"};
    return sizes;
}

int FindExact(const std::vector<CString>& entries, const CString& text)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

int SizeOfText(const CString& text)
{
    return text.IsEmpty() ? 0 : std::atoi(text.GetString());
}

int BoxSelection(const std::vector<CString>& entries, const CString& text, int nCurrent)
{
    const int found = FindExact(entries, text);
    return found >= 0 ? found : nCurrent;
}

ToolBarUpdate UpdateFromFormats(const RichCharFormat& cf, const RichParaFormat& pf)
{
    using namespace richtext;
    ToolBarUpdate u;
    auto add = [&u](UINT id, bool on) { u.buttons.push_back({id, on ? kStateChecked : kStateEnabled}); };
    add(ID_BOLD, (cf.dwEffects & RT_CFE_BOLD) != 0);
    add(ID_ITALIC, (cf.dwEffects & RT_CFE_ITALIC) != 0);
    add(ID_UNDERLINE, (cf.dwEffects & RT_CFE_UNDERLINE) != 0);
    add(ID_STRIKEOUT, (cf.dwEffects & RT_CFE_STRIKEOUT) != 0);
    add(ID_SUPERSCRIPT, (cf.dwMask & 0x20000) != 0 && (cf.dwEffects & 0x20000) != 0);
    add(ID_SUBSCRIPT, (cf.dwEffects & RT_CFE_SUBSCRIPT) != 0);
    add(ID_ALIGNLEFT, pf.wAlignment == 1);
    add(ID_CENTER, pf.wAlignment == 3);
    add(ID_ALIGNRIGHT, pf.wAlignment == 2);
    add(ID_BULLETS, pf.wNumbering == 1);
    add(ID_NUMBERING, pf.wNumbering == 2);
    if ((cf.dwMask & RT_CFM_FACE) != 0) {
        u.bFace = true;
        u.strFace = cf.strFace;
    }
    if ((cf.dwMask & RT_CFM_SIZE) != 0) {
        u.bSize = true;
        char text[16];
        std::snprintf(text, sizeof text, "%d", static_cast<int>(cf.yHeight / 20));
        u.strSize = text;
    }
    return u;
}

std::vector<UINT> ReleasedBy(UINT id, bool bNowDown)
{
    switch (id) {
    case ID_ALIGNLEFT: return {ID_CENTER, ID_ALIGNRIGHT};
    case ID_CENTER: return {ID_ALIGNLEFT, ID_ALIGNRIGHT};
    case ID_ALIGNRIGHT: return {ID_ALIGNLEFT, ID_CENTER};
    case ID_BULLETS: return bNowDown ? std::vector<UINT>{ID_NUMBERING} : std::vector<UINT>{};
    case ID_NUMBERING: return bNowDown ? std::vector<UINT>{ID_BULLETS} : std::vector<UINT>{};
    default: return {};
    }
}

BOOL ApplyButton(UINT id, bool bNowDown, CRichFormatOps& ops)
{
    switch (id) {
    case ID_BOLD: ops.SetBold(bNowDown); break;
    case ID_ITALIC: ops.SetItalic(bNowDown); break;
    case ID_UNDERLINE: ops.SetUnderline(bNowDown); break;
    case ID_STRIKEOUT: ops.SetStrikeout(bNowDown); break;
    case ID_SUPERSCRIPT: ops.SetSuperscript(bNowDown); break;
    case ID_SUBSCRIPT: ops.SetSubscript(bNowDown); break;
    case ID_ALIGNLEFT: ops.SetAlignment(1); break;
    case ID_CENTER: ops.SetAlignment(3); break;
    case ID_ALIGNRIGHT: ops.SetAlignment(2); break;
    case ID_INDENT: ops.Indent(); break;
    case ID_OUTDENT: ops.Outdent(); break;
    case ID_BULLETS: ops.SetNumbering(bNowDown ? 1 : 0); break;
    case ID_NUMBERING: ops.SetNumbering(bNowDown ? 2 : 0); break;
    default: return FALSE;
    }
    return TRUE;
}

void ApplyColour(UINT id, COLORREF cr, CRichFormatOps& ops)
{
    if (id == ID_TEXTCOLOR)
        ops.SetTextColor(cr);
    else if (id == ID_BACKCOLOR)
        ops.SetBgColor(cr != kNoBackColour, cr);
}

PaletteRequest PaletteFor(UINT id)
{
    if (id == ID_BACKCOLOR)
        return {kNoBackColour, "无", "更多颜色"};
    return {0, "自动", "更多颜色"};
}

}  // namespace formatbar
