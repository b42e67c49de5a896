// The font box's portable half: the entries a font box lists in each of its
// four modes (0 family names, 1 point sizes, 2 style names, 3 script names)
// from the fonts the system enumerates. The window
// (designer/win32/FontNameCombo.*) enumerates and fills itself from here.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

// One enumerated font, as much of it as the modes read.
struct EnumeratedFont {
    CString face;
    CString style;
    CString script;
    int height = 0;          // the logical font's height (negative: character height)
    int emSize = 0;          // the em square of the font, for a positive height
    int pixelsPerInch = 96;  // of the screen
    int weight = 400;
    bool italic = false;
    int charset = 0;
};

struct FontListEntry {
    CString text;
    long data = 0;
};

class CFontNameList {
public:
    enum Mode { kFaces = 0, kSizes = 1, kStyles = 2, kScripts = 3 };
    // 0 to 3; any other value is ignored.
    void SetMode(int mode);
    int GetMode() const { return m_nMode; }
    void Clear() { m_entries.clear(); }
    // Adds the entry the font gives in the current mode, unless an entry of
    // the same text is there; sizes keep ascending order by their value.
    void Add(const EnumeratedFont& font);
    const std::vector<FontListEntry>& Entries() const { return m_entries; }
    // The size in points a font gives in size mode.
    static int PointSize(const EnumeratedFont& font);
    // Position of the entry whose data is `data`; -1 when none.
    int FindData(long data) const;

private:
    int m_nMode = kFaces;
    std::vector<FontListEntry> m_entries;
};
