#include "document/DefaultSettingArchive.h"

#include "cellcontent/FontElement.h"

#include <cstring>
#include <type_traits>
#include <vector>

namespace {

const int kEndTag = 10199;

// Walks the items once: counts with pAr NULL, writes otherwise.
int Items(CArchive* pAr, const CGridDefaultSetting& s)
{
    int bytes = 0;
    auto head = [&](int tag, int length) {
        if (pAr != nullptr)
            *pAr << tag << length;
        bytes += 8 + length;
    };
    auto int32 = [&](int tag, int value) {
        head(tag, 4);
        if (pAr != nullptr)
            *pAr << value;
    };
    auto text = [&](int tag, const CString& t) {
        const int length = t.GetLength() + 1;
        head(tag, length);
        if (pAr != nullptr)
            pAr->Write(static_cast<LPCTSTR>(t), static_cast<UINT>(length));
    };
    if (s.m_wBorderFlags != 0) {
        head(10001, 2);
        if (pAr != nullptr)
            *pAr << static_cast<WORD>(s.m_wBorderFlags);
    }
    for (int edge = 0; edge < 4; ++edge) {
        if ((s.m_wBorderFlags & (1 << edge)) == 0)
            continue;
        head(10002 + edge, 12);
        if (pAr != nullptr)
            *pAr << s.m_borders[edge].colour << s.m_borders[edge].lineStyle << s.m_borders[edge].lineWidth;
    }
    if (s.m_nRowHeight >= 0)
        int32(10006, s.m_nRowHeight);
    if (s.m_nColWidth >= 0)
        int32(10007, s.m_nColWidth);
    if (s.m_crCellBgColor >= 0)
        int32(10008, s.m_crCellBgColor);
    if (s.m_crTextColor >= 0)
        int32(10009, s.m_crTextColor);
    if (!s.m_strFontXml.IsEmpty())
        text(10010, s.m_strFontXml);
    if (s.m_bIMResetInitRowHeight > 0)
        int32(10011, s.m_bIMResetInitRowHeight);
    if (s.m_bIMResetInitColWidth > 0)
        int32(10012, s.m_bIMResetInitColWidth);
    if (s.m_dwTextAlign >= 0)
        int32(10013, s.m_dwTextAlign);
    if (s.m_nReserved >= 0) {
        head(10014, 2);
        if (pAr != nullptr)
            *pAr << static_cast<short>(s.m_nReserved);
    }
    if (!s.m_strSecondText.IsEmpty())
        text(10015, s.m_strSecondText);
    return bytes;
}

}  // namespace

int GetDefaultSettingRecordSize(const CGridDefaultSetting& setting)
{
    const int items = Items(nullptr, setting);
    return items == 0 ? 0 : items + 8;
}

void WriteDefaultSettingRecord(CArchive& ar, const CGridDefaultSetting& setting)
{
    const int size = GetDefaultSettingRecordSize(setting);
    ar << size;
    if (size == 0)
        return;
    Items(&ar, setting);
    ar << kEndTag;
}

BOOL ReadDefaultSettingRecord(CArchive& ar, CGridDefaultSetting& setting)
{
    int size = 0;
    ar >> size;
    if (ar.IsFailed())
        return FALSE;
    if (size == 0)
        return TRUE;
    // The size counts its own word; what follows it is size - 4 bytes.
    if (size < 8 || static_cast<ULONGLONG>(size - 4) > ar.GetRemaining()) {
        ar.SetFailed(CArchive::statusBadCount);
        return FALSE;
    }
    CGridDefaultSetting s = setting;
    int consumed = 4;
    for (;;) {
        if (consumed >= size)
            break;          // the whole declared size read without an end tag
        if (consumed + 4 > size) {
            ar.SetFailed(CArchive::statusBadCount);
            return FALSE;
        }
        int tag = 0;
        ar >> tag;
        consumed += 4;
        if (ar.IsFailed())
            return FALSE;
        if (tag == kEndTag)
            break;
        int length = 0;
        ar >> length;
        consumed += 4;
        if (ar.IsFailed() || length < 0 || length > size - consumed) {
            ar.SetFailed(CArchive::statusBadCount);
            return FALSE;
        }
        std::vector<char> data(static_cast<size_t>(length) + 1, '\0');
        if (length > 0 && ar.Read(data.data(), static_cast<UINT>(length)) != static_cast<UINT>(length))
            return FALSE;
        consumed += length;
        auto i32 = [&](std::int32_t& field) {
            if (length == 4)
                std::memcpy(&field, data.data(), 4);
        };
        auto i16 = [&](auto& field) {
            if (length == 2) {
                std::int16_t v;
                std::memcpy(&v, data.data(), 2);
                field = static_cast<std::remove_reference_t<decltype(field)>>(v);
            }
        };
        switch (tag) {
        case 10001: i16(s.m_wBorderFlags); break;
        case 10002: case 10003: case 10004: case 10005:
            if (length == 12) {
                CBorderBlock& b = s.m_borders[tag - 10002];
                std::memcpy(&b.colour, data.data(), 4);
                std::memcpy(&b.lineStyle, data.data() + 4, 4);
                std::memcpy(&b.lineWidth, data.data() + 8, 4);
            }
            break;
        case 10006: i32(s.m_nRowHeight); break;
        case 10007: i32(s.m_nColWidth); break;
        case 10008: i32(s.m_crCellBgColor); break;
        case 10009: i32(s.m_crTextColor); break;
        case 10010:
            // The LOGFONT is not stored: it is the font text's.
            s.m_strFontXml = CString(data.data());
            s.m_logFont = CFontElement(s.m_strFontXml).GetLogFontRef();
            break;
        case 10011: i32(s.m_bIMResetInitRowHeight); break;
        case 10012: i32(s.m_bIMResetInitColWidth); break;
        case 10013: i32(s.m_dwTextAlign); break;
        case 10014: i16(s.m_nReserved); break;
        case 10015: s.m_strSecondText = CString(data.data()); break;
        default: break;     // an item of a newer writer
        }
    }
    if (consumed < size) {
        // Bytes the record declares beyond its end tag belong to it.
        std::vector<char> rest(static_cast<size_t>(size - consumed));
        if (ar.Read(rest.data(), static_cast<UINT>(rest.size())) != rest.size())
            return FALSE;
    }
    setting = s;
    return !ar.IsFailed();
}
