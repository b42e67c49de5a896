// CCellText: the text a cell holds, in eight bytes.
//
// A grid holds up to millions of cells and most of them are empty or short,
// so the text costs eight bytes: a text of up to six bytes (a short number,
// a word or two Chinese characters) lies in them, a longer one in one exact
// allocation they point to. The bytes are code page 936 text up to the first
// NUL.
//
// Layout: byte 0 odd means the text lies inline (byte 0 is 2 * length + 1,
// bytes 1.. the text and its NUL); otherwise the bytes hold the allocation's
// address (allocations are aligned, so byte 0 of an address is even), NULL
// while empty.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include "grid/CellValueEpoch.h"

#include <cstring>

class CCellText {
public:
    CCellText() { std::memset(m_raw, 0, sizeof(m_raw)); }
    ~CCellText() { Release(); }
    CCellText(const CCellText& other) : CCellText() { Set(other.Get()); }
    CCellText& operator=(const CCellText& other)
    {
        if (this != &other)
            Set(other.Get());
        return *this;
    }
    CCellText(CCellText&& other) noexcept
    {
        cellvalue::NoteChange();
        std::memcpy(m_raw, other.m_raw, sizeof(m_raw));
        std::memset(other.m_raw, 0, sizeof(other.m_raw));
    }
    CCellText& operator=(CCellText&& other) noexcept
    {
        if (this != &other) {
            cellvalue::NoteChange();
            Release();
            std::memcpy(m_raw, other.m_raw, sizeof(m_raw));
            std::memset(other.m_raw, 0, sizeof(other.m_raw));
        }
        return *this;
    }

    // Copies psz up to its NUL (psz may be this text itself); NULL or ""
    // empties the text.
    void Set(LPCTSTR psz);
    void Empty()
    {
        cellvalue::NoteChange();
        Release();
        std::memset(m_raw, 0, sizeof(m_raw));
    }

    // The text; "" while empty. Valid until the next change.
    LPCTSTR Get() const
    {
        if (IsInline())
            return reinterpret_cast<const char*>(m_raw + 1);
        const char* p = Heap();
        return p != nullptr ? p : "";
    }
    bool IsEmpty() const { return !IsInline() && Heap() == nullptr; }
    int GetLength() const;
    CString ToString() const { return CString(Get()); }

    // The longest text kept inline.
    static constexpr size_t kInlineMax = 6;

private:
    bool IsInline() const { return (m_raw[0] & 1) != 0; }
    char* Heap() const
    {
        char* p;
        std::memcpy(&p, m_raw, sizeof(p));
        return p;
    }
    void Release()
    {
        if (!IsInline())
            delete[] Heap();
    }

    alignas(8) unsigned char m_raw[8];
};
