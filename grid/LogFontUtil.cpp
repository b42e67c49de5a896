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
    // Made on demand while the copy has holders; deleted (the object stays,
    // so pointers handed out remain valid) when the last holder goes.
    CFont font;
    size_t holders = 0;
};

struct FontPool {
    std::unordered_map<std::string, std::unique_ptr<PooledFont>> byBytes;
    std::unordered_map<const LOGFONT*, PooledFont*> byAddress;
    PooledFont* last = nullptr;
    size_t fontObjects = 0;   // entries whose GDI font exists
};

FontPool& Pool()
{
    // Never destroyed: cells in static objects may still point into it while
    // the process ends.
    static FontPool* pool = new FontPool;
    return *pool;
}

// The entry of a pooled copy; NULL for any other pointer.
PooledFont* EntryOf(const LOGFONT* pPooled)
{
    if (pPooled == nullptr)
        return nullptr;
    FontPool& pool = Pool();
    if (pool.last != nullptr && pPooled == &pool.last->logFont)
        return pool.last;
    auto found = pool.byAddress.find(pPooled);
    return found != pool.byAddress.end() ? found->second : nullptr;
}

// The entry equal to *pLogFont, made on first use.
PooledFont* Intern(const LOGFONT* pLogFont)
{
    FontPool& pool = Pool();
    if (PooledFont* entry = EntryOf(pLogFont))
        return pool.last = entry;
    // Cells made in bulk take the same font one after another: the last entry
    // answers without building and hashing a key.
    if (pool.last != nullptr && std::memcmp(&pool.last->logFont, pLogFont, sizeof(LOGFONT)) == 0)
        return pool.last;
    std::string key(reinterpret_cast<const char*>(pLogFont), sizeof(LOGFONT));
    auto found = pool.byBytes.find(key);
    if (found != pool.byBytes.end())
        return pool.last = found->second.get();
    auto entry = std::make_unique<PooledFont>();
    std::memcpy(&entry->logFont, pLogFont, sizeof(LOGFONT));
    PooledFont* made = entry.get();
    pool.byAddress[&made->logFont] = made;
    pool.byBytes.emplace(std::move(key), std::move(entry));
    return pool.last = made;
}

void Hold(const LOGFONT* pPooled)
{
    if (PooledFont* entry = EntryOf(pPooled))
        ++entry->holders;
}

void Release(const LOGFONT* pPooled)
{
    PooledFont* entry = EntryOf(pPooled);
    if (entry == nullptr || entry->holders == 0)
        return;
    if (--entry->holders == 0 && entry->font.GetSafeHandle() != nullptr) {
        entry->font.DeleteObject();
        --Pool().fontObjects;
    }
}

}  // namespace

const LOGFONT* InternCellFont(const LOGFONT* pLogFont)
{
    if (pLogFont == nullptr)
        return nullptr;
    return &Intern(pLogFont)->logFont;
}

CFont* GetPooledFontObject(const LOGFONT* pPooled)
{
    PooledFont* entry = EntryOf(pPooled);
    if (entry == nullptr || entry->holders == 0)
        return nullptr;
    if (entry->font.GetSafeHandle() == nullptr && entry->font.CreateFontIndirect(&entry->logFont))
        ++Pool().fontObjects;
    return &entry->font;
}

size_t GetPooledFontObjectCount()
{
    return Pool().fontObjects;
}

// --- holds -------------------------------------------------------------------------

CPooledFontRef::CPooledFontRef(const CPooledFontRef& other) : m_pFont(other.m_pFont)
{
    Hold(m_pFont);
}

CPooledFontRef::CPooledFontRef(CPooledFontRef&& other) noexcept : m_pFont(other.m_pFont)
{
    other.m_pFont = nullptr;
}

CPooledFontRef& CPooledFontRef::operator=(const CPooledFontRef& other)
{
    if (other.m_pFont != m_pFont) {
        Hold(other.m_pFont);
        Release(m_pFont);
        m_pFont = other.m_pFont;
    }
    return *this;
}

CPooledFontRef& CPooledFontRef::operator=(CPooledFontRef&& other) noexcept
{
    if (&other != this) {
        Release(m_pFont);
        m_pFont = other.m_pFont;
        other.m_pFont = nullptr;
    }
    return *this;
}

CPooledFontRef::~CPooledFontRef()
{
    Release(m_pFont);
}

CPooledFontRef& CPooledFontRef::operator=(const LOGFONT* pLogFont)
{
    // The new copy is held before the old one goes, so giving a cell the font
    // it already has never deletes and remakes its GDI font.
    const LOGFONT* pooled = InternCellFont(pLogFont);
    if (pooled != m_pFont) {
        Hold(pooled);
        Release(m_pFont);
        m_pFont = pooled;
    }
    return *this;
}
