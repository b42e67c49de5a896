// Conversions between the portable rich-text formats (grid/RichTextHostBase.h)
// and the rich-edit structures of the system's headers, and the stream
// callbacks, shared by the windowless host and the editor window.
#pragma once

#include "base/Cp936.h"
#include "grid/RichTextHostBase.h"

#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <string>

namespace richedit {

inline void ToSystem(const RichCharFormat& cf, CHARFORMAT2W& f)
{
    std::memset(&f, 0, sizeof f);
    f.cbSize = sizeof f;
    f.dwMask = cf.dwMask;
    f.dwEffects = cf.dwEffects;
    f.yHeight = cf.yHeight;
    f.crTextColor = cf.crTextColor;
    f.crBackColor = cf.crBackColor;
    f.bCharSet = GB2312_CHARSET;
    const std::u16string face = cp936::ToUtf16(std::string(cf.strFace));
    const size_t n = face.size() < LF_FACESIZE ? face.size() : LF_FACESIZE - 1;
    std::memcpy(f.szFaceName, face.c_str(), sizeof(WCHAR) * n);
}

inline void FromSystem(const CHARFORMAT2W& f, RichCharFormat& cf)
{
    cf.dwMask = f.dwMask;
    cf.dwEffects = f.dwEffects;
    cf.yHeight = f.yHeight;
    cf.crTextColor = f.crTextColor;
    cf.crBackColor = f.crBackColor;
    WCHAR face[LF_FACESIZE + 1] = {};
    std::memcpy(face, f.szFaceName, sizeof f.szFaceName);
    cf.strFace = cp936::FromUtf16(reinterpret_cast<const char16_t*>(face)).c_str();
}

inline void ToSystem(const RichParaFormat& pf, PARAFORMAT2& p)
{
    std::memset(&p, 0, sizeof p);
    p.cbSize = sizeof p;
    p.dwMask = pf.dwMask;
    p.wNumbering = pf.wNumbering;
    p.dxStartIndent = pf.dxStartIndent;
    p.dxOffset = pf.dxOffset;
    p.wAlignment = pf.wAlignment;
    p.cTabCount = pf.cTabCount < 0 ? 0 : (pf.cTabCount > MAX_TAB_STOPS ? MAX_TAB_STOPS : pf.cTabCount);
    for (int i = 0; i < richtext::kMaxTabStops && i < MAX_TAB_STOPS; ++i)
        p.rgxTabs[i] = pf.rgxTabs[i];
    p.dySpaceBefore = pf.dySpaceBefore;
    p.dySpaceAfter = pf.dySpaceAfter;
    p.dyLineSpacing = pf.dyLineSpacing;
    p.bLineSpacingRule = pf.bLineSpacingRule;
}

inline void FromSystem(const PARAFORMAT2& p, RichParaFormat& pf)
{
    pf.dwMask = p.dwMask;
    pf.wNumbering = p.wNumbering;
    pf.dxStartIndent = p.dxStartIndent;
    pf.dxOffset = p.dxOffset;
    pf.wAlignment = p.wAlignment;
    pf.cTabCount = p.cTabCount;
    for (int i = 0; i < richtext::kMaxTabStops; ++i)
        pf.rgxTabs[i] = i < p.cTabCount && i < MAX_TAB_STOPS ? p.rgxTabs[i] : 0;
    pf.dySpaceBefore = p.dySpaceBefore;
    pf.dySpaceAfter = p.dySpaceAfter;
    pf.dyLineSpacing = p.dyLineSpacing;
    pf.bLineSpacingRule = p.bLineSpacingRule;
}

struct ReadCookie {
    const char* data;
    LONG size;
    LONG pos;
};

// Copies what remains of the bytes, at most cb at a time.
inline DWORD CALLBACK ReadBytes(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    ReadCookie* c = reinterpret_cast<ReadCookie*>(cookie);
    const LONG left = c->size - c->pos;
    const LONG n = left < cb ? left : cb;
    if (n > 0) {
        std::memcpy(buffer, c->data + c->pos, static_cast<size_t>(n));
        c->pos += n;
    }
    *pcb = n > 0 ? n : 0;
    return 0;
}

// Appends what is streamed out; refuses to grow past 64 MB.
inline DWORD CALLBACK AppendBytes(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    std::string* out = reinterpret_cast<std::string*>(cookie);
    if (cb < 0 || out->size() + static_cast<size_t>(cb) > (64u << 20)) {
        *pcb = 0;
        return 1;
    }
    out->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(cb));
    *pcb = cb;
    return 0;
}

// Text with CR LF per break from text with one CR (or LF) per break.
inline std::u16string WithCrLf(const std::u16string& text)
{
    std::u16string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

inline bool LooksLikeRtf(const std::string& text)
{
    return text.compare(0, 5, "{\\rtf") == 0;
}

}  // namespace richedit
