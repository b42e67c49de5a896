#include "grid/LogFontUtil.h"

#include "base/CArchive.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

BOOL IsSameLogFontFields(const LOGFONT& a, const LOGFONT& b)
{
    if (a.lfHeight != b.lfHeight || a.lfWidth != b.lfWidth || a.lfEscapement != b.lfEscapement ||
        a.lfOrientation != b.lfOrientation || a.lfWeight != b.lfWeight || a.lfItalic != b.lfItalic ||
        a.lfUnderline != b.lfUnderline || a.lfStrikeOut != b.lfStrikeOut || a.lfCharSet != b.lfCharSet ||
        a.lfOutPrecision != b.lfOutPrecision || a.lfClipPrecision != b.lfClipPrecision ||
        a.lfQuality != b.lfQuality || a.lfPitchAndFamily != b.lfPitchAndFamily)
        return FALSE;
    return std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

BOOL IsSameLogFont(const LOGFONT* a, const LOGFONT* b)
{
    if (a == nullptr || b == nullptr)
        return FALSE;
    if (a == b)
        return TRUE;
    return IsSameLogFontFields(*a, *b);
}

LONG ScaleFontHeight(LONG lfHeight, double dZoom)
{
    const double scaled = static_cast<double>(lfHeight) * dZoom;
    if (scaled != scaled)
        return 0;
    const double limit = static_cast<double>(kMaxCellFontHeight);
    return static_cast<LONG>(std::max(-limit, std::min(scaled, limit)));
}

namespace {

template <class T>
void SerializeMember(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

void SerializeByte(CArchive& ar, BYTE& value)
{
    SerializeMember(ar, value);
}

void SerializeInt(CArchive& ar, LONG& value)
{
    int v = static_cast<int>(value);
    SerializeMember(ar, v);
    value = static_cast<LONG>(v);
}

}  // namespace

void SerializeLogFont(CArchive& ar, LOGFONT* pLogFont)
{
    if (pLogFont == nullptr)
        return;
    SerializeByte(ar, pLogFont->lfCharSet);
    SerializeByte(ar, pLogFont->lfClipPrecision);
    SerializeInt(ar, pLogFont->lfEscapement);
    if (ar.IsStoring()) {
        ar.Write(pLogFont->lfFaceName, LF_FACESIZE);
    } else {
        ar.Read(pLogFont->lfFaceName, LF_FACESIZE);
        pLogFont->lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    SerializeInt(ar, pLogFont->lfHeight);
    SerializeByte(ar, pLogFont->lfItalic);
    SerializeInt(ar, pLogFont->lfOrientation);
    SerializeByte(ar, pLogFont->lfOutPrecision);
    SerializeByte(ar, pLogFont->lfPitchAndFamily);
    SerializeByte(ar, pLogFont->lfQuality);
    SerializeByte(ar, pLogFont->lfStrikeOut);
    SerializeByte(ar, pLogFont->lfUnderline);
    SerializeInt(ar, pLogFont->lfWeight);
    SerializeInt(ar, pLogFont->lfWidth);
}

namespace {

struct PooledFont {
    LOGFONT logFont;
    std::unique_ptr<CFont> font;
};

struct FontPool {
    std::unordered_map<std::string, std::unique_ptr<PooledFont>> byBytes;
    std::unordered_map<const LOGFONT*, PooledFont*> byAddress;
    const LOGFONT* last = nullptr;
};

FontPool& Pool()
{
    // Never destroyed: cells in static objects may still point into it while
    // the process ends.
    static FontPool* pool = new FontPool;
    return *pool;
}

}  // namespace

const LOGFONT* InternCellFont(const LOGFONT* pLogFont)
{
    if (pLogFont == nullptr)
        return nullptr;
    FontPool& pool = Pool();
    if (pLogFont == pool.last || pool.byAddress.count(pLogFont) != 0)
        return pool.last = pLogFont;
    std::string key(reinterpret_cast<const char*>(pLogFont), sizeof(LOGFONT));
    auto found = pool.byBytes.find(key);
    if (found != pool.byBytes.end())
        return pool.last = &found->second->logFont;
    auto entry = std::make_unique<PooledFont>();
    std::memcpy(&entry->logFont, pLogFont, sizeof(LOGFONT));
    const LOGFONT* pooled = &entry->logFont;
    pool.byAddress[pooled] = entry.get();
    pool.byBytes.emplace(std::move(key), std::move(entry));
    return pool.last = pooled;
}

CFont* GetPooledFontObject(const LOGFONT* pPooled)
{
    if (pPooled == nullptr)
        return nullptr;
    FontPool& pool = Pool();
    auto found = pool.byAddress.find(pPooled);
    if (found == pool.byAddress.end())
        return nullptr;
    PooledFont& entry = *found->second;
    if (!entry.font) {
        entry.font = std::make_unique<CFont>();
        entry.font->CreateFontIndirect(&entry.logFont);
    }
    return entry.font.get();
}
