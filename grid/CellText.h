// CCellText: the text a cell holds, in one pointer.
//
// A grid holds up to millions of cells and most of them are empty, so the text
// costs a single pointer while it is empty and one exact allocation while it is
// not. The bytes are code page 936 text up to the first NUL.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <memory>

class CCellText {
public:
    CCellText() = default;
    CCellText(const CCellText& other) { Set(other.Get()); }
    CCellText& operator=(const CCellText& other)
    {
        if (this != &other)
            Set(other.Get());
        return *this;
    }
    CCellText(CCellText&&) noexcept = default;
    CCellText& operator=(CCellText&&) noexcept = default;

    // Copies psz up to its NUL; NULL or "" empties the text.
    void Set(LPCTSTR psz);
    void Empty() { m_pText.reset(); }

    // The text; "" while empty. Valid until the next change.
    LPCTSTR Get() const { return m_pText ? m_pText.get() : ""; }
    bool IsEmpty() const { return !m_pText; }
    int GetLength() const;
    CString ToString() const { return CString(Get()); }

private:
    std::unique_ptr<char[]> m_pText;
};
