// Fonts kept for one measuring pass (fitting a sheet's columns or rows).
//
// Measuring a cell selects the cell's font on the measuring context. Made
// afresh for every cell, a pass over a large sheet spends most of its time
// making and deleting the same few fonts; a pass installs this cache on the
// grid, and cell measuring takes each distinct font (and its metrics) from it.
// The font is still selected for each cell and the context's own font put
// back after it, so that whatever else measures on the context in between
// sees the context as before.
#pragma once

#include "base/WinTypes.h"
#include "platform/Gdi.h"

#include <cstddef>
#include <memory>
#include <unordered_map>

class CDC;
class CGridCtrl;

class CGridMeasureFonts {
public:
    struct Entry {
        CFont font;
        BOOL bCreated = FALSE;
        BOOL bMetrics = FALSE;   // tm holds the font's metrics on the context
        TEXTMETRIC tm = {};
    };

    explicit CGridMeasureFonts(CDC* pDC) : m_pDC(pDC) {}
    CGridMeasureFonts(const CGridMeasureFonts&) = delete;
    CGridMeasureFonts& operator=(const CGridMeasureFonts&) = delete;

    // The context the fonts are used on; the cache serves no other.
    CDC* GetDC() const { return m_pDC; }

    // The font of the description, made on its first use; NULL when it
    // cannot be made.
    Entry* Find(const LOGFONT& lf);

    // How many distinct descriptions were asked for.
    size_t GetCount() const { return m_fonts.size(); }

private:
    struct Key {
        LOGFONT lf;
        bool operator==(const Key& other) const;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };

    CDC* m_pDC;
    std::unordered_map<Key, std::unique_ptr<Entry>, KeyHash> m_fonts;
    const Key* m_pLastKey = nullptr;   // consecutive cells mostly share a font
    Entry* m_pLast = nullptr;
};

// Installs a font cache on the grid for the life of the object, unless a
// pass is already running (the outer pass's cache then serves).
class CGridMeasurePass {
public:
    CGridMeasurePass(CGridCtrl* pGrid, CDC* pDC);
    ~CGridMeasurePass();
    CGridMeasurePass(const CGridMeasurePass&) = delete;
    CGridMeasurePass& operator=(const CGridMeasurePass&) = delete;

private:
    CGridCtrl* m_pGrid;
    std::unique_ptr<CGridMeasureFonts> m_pFonts;   // set when this pass installed it
};
