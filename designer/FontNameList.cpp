#include "designer/FontNameList.h"

#include <cstdio>

void CFontNameList::SetMode(int mode)
{
    if (mode >= kFaces && mode <= kScripts)
        m_nMode = mode;
}

int CFontNameList::PointSize(const EnumeratedFont& font)
{
    const int ppi = font.pixelsPerInch > 0 ? font.pixelsPerInch : 96;
    if (font.height >= 0)
        return font.emSize * 72 / ppi;
    return -font.height * 72 / ppi;
}

int CFontNameList::FindData(long data) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].data == data)
            return static_cast<int>(i);
    return -1;
}

void CFontNameList::Add(const EnumeratedFont& font)
{
    FontListEntry entry;
    switch (m_nMode) {
    case kFaces:
        entry.text = font.face;
        break;
    case kSizes: {
        const int points = PointSize(font);
        char text[16];
        std::snprintf(text, sizeof text, "%d", points);
        entry.text = text;
        entry.data = points;
        break;
    }
    case kStyles:
        entry.text = font.style;
        entry.data = static_cast<long>(font.weight) + (font.italic ? 0x10000000L : 0);
        break;
    default:
        entry.text = font.script;
        entry.data = font.charset;
        break;
    }
    if (entry.text.IsEmpty())
        return;
    for (const FontListEntry& e : m_entries)
        if (e.text == entry.text)
            return;
    if (m_nMode == kSizes) {
        auto at = m_entries.begin();
        while (at != m_entries.end() && at->data <= entry.data)
            ++at;
        m_entries.insert(at, entry);
        return;
    }
    m_entries.push_back(entry);
}
