// Fuzzes the portable RTF reader of rich-text cells.
//
// The input is RTF (or any bytes) from outside. Reading must end, stay within
// its bounds and never read outside the input; what was read must write
// itself out as RTF that reads back to the same text, and the editing
// operations the rich-text members use must keep the document consistent
// (one style per character, one paragraph style per paragraph).
#include "cells/RichTextDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckShape(const CRichTextDocument& doc)
{
    Check(doc.Styles().size() == doc.Text().size());
    size_t breaks = 0;
    for (char16_t c : doc.Text())
        breaks += c == u'\r' ? 1 : 0;
    Check(doc.Paragraphs().size() == breaks + 1);
    Check(static_cast<LONG>(doc.Text().size()) <= CRichTextDocument::kMaxTextLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string rtf(reinterpret_cast<const char*>(data), size);
    CRichTextDocument doc;
    doc.LoadRtf(rtf);
    CheckShape(doc);
    const std::string saved = doc.SaveRtf();
    CRichTextDocument again;
    again.LoadRtf(saved);
    CheckShape(again);
    // The text survives a write and a read; the bytes of a second write may
    // differ for hostile input (a font table of unreadable names is written
    // back as the reader understood it).
    Check(again.Text() == doc.Text());

    // Edits at positions taken from the input.
    const LONG len = static_cast<LONG>(doc.Text().size());
    const LONG a = size > 0 ? data[0] % (len + 2) - 1 : 0;
    const LONG b = size > 1 ? data[1] % (len + 2) - 1 : -1;
    doc.SetSel(a, b);
    RichCharFormat cf;
    doc.GetCharFormat(cf);
    cf.dwMask = richtext::RT_CFM_BOLD | richtext::RT_CFM_SIZE;
    cf.dwEffects = richtext::RT_CFE_BOLD;
    cf.yHeight = 280;
    doc.SetCharFormat(cf, richtext::RT_SCF_SELECTION);
    RichParaFormat pf;
    doc.GetParaFormat(pf);
    pf.dwMask = richtext::RT_PFM_ALIGNMENT | richtext::RT_PFM_NUMBERING;
    pf.wAlignment = 3;
    pf.wNumbering = 1;
    doc.SetParaFormat(pf);
    doc.ReplaceSel(u"x\r\ny\rz", TRUE);
    CheckShape(doc);
    doc.SetSel(0, -1);
    doc.Send(0x0303, 0, 0);              // clear
    CheckShape(doc);
    doc.Send(0x00C7, 0, 0);              // undo
    CheckShape(doc);
    doc.Send(0x0454, 0, 0);              // redo
    CheckShape(doc);
    return 0;
}
