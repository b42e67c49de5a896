// CDropDownSelection: what a drop-down host holds besides its windows: the
// item texts, the selection array and the checks, in single-choice or
// multi-check mode. Every window of the drop-down (the edit, the list, the
// host) asks it, so the rules below hold the same on every platform.
//
// Single mode: the selection array holds at most one index, and the selection
// text is that item. Multi-check mode: each item has a check; the selection
// array lists the checked items in the order in which they were checked, and
// the selection text joins them with the separator (default ","). An item is
// never in the array twice, so its check and its presence always agree.
//
// Matching a text (the host's set-text on a read-only edit): single mode
// selects the first item equal to the text; multi-check mode splits the text
// at the separator, skips empty pieces, and checks the first item equal to
// each piece; a piece that matches no item is dropped.
//
// Type-ahead (CTypeAhead): characters typed within one second of each other
// form one prefix; the list moves to the first item whose text begins with
// it, letters compared without case (double-byte characters compared as they
// are).
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <vector>

// What the host's list height comes to when the editor hands it 0.
const int DROPDOWN_DEFAULT_LIST_HEIGHT = 100;

// Selection commands of a multi-check combo, applied when its editor opens.
enum DropDownSelectionCommand {
    DDSC_NONE = -1,
    DDSC_SELECTALL = 0,
    DDSC_CANCELALL = 1,
    DDSC_INVERT = 2,
};

class CDropDownSelection {
public:
    CDropDownSelection() = default;

    // --- items ------------------------------------------------------------------------
    // An empty text is not added.
    void AddItem(const CString& strText);
    // Empties the items and the selection.
    void RemoveAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // "" outside the list.
    CString GetItemText(int nIndex) const;
    // The first item equal to the text; -1 when none.
    int FindExact(const CString& strText) const;
    // The first item whose text begins with the prefix (letters without
    // case); -1 when none or the prefix is empty.
    int FindPrefix(const CString& strPrefix) const;

    // --- modes ------------------------------------------------------------------------
    void SetMultiCheck(BOOL bMulti);
    BOOL IsMultiCheck() const { return m_bMulti; }
    void SetSeparator(const CString& strSeparator) { m_strSeparator = strSeparator; }
    const CString& GetSeparator() const { return m_strSeparator; }

    // --- selection --------------------------------------------------------------------
    // Single mode: the array becomes {index}. Multi-check: flag TRUE checks
    // the item (appended to the array unless already there), FALSE unchecks
    // it. FALSE (nothing changes) for an index outside the list.
    BOOL Select(int nIndex, BOOL bFlag);
    // A pick from the list: multi-check toggles the item's check, single mode
    // selects it. FALSE outside the list.
    BOOL Pick(int nIndex);
    void ClearSelection() { m_selection.clear(); }
    // The first index of the selection array; -1 when empty.
    int GetFirstSelected() const;
    // Multi-check: the item is checked; single: it is the selected item.
    BOOL IsSelected(int nIndex) const;
    // Position of the index in the selection array; -1 when absent.
    int FindInSelection(int nIndex) const;
    const std::vector<int>& GetSelectionArray() const { return m_selection; }
    int GetCheckedCount() const { return static_cast<int>(m_selection.size()); }
    // The checked indexes in ascending order.
    std::vector<int> GetCheckedIndexes() const;
    // See the top of this header.
    CString GetSelectionText() const;
    // The checked indexes, ascending, "%d" each, joined by the separator.
    CString GetCheckedIndexText() const;
    // Clears the selection and selects what the text names (see the top).
    void MatchText(const CString& strText);
    // Select all, clear all or invert (multi-check). Items newly checked by
    // select-all or invert are appended in list order.
    void ApplyCommand(int nCommand);

    // The height in pixels of a list of nItems rows of nItemHeight pixels,
    // at most nMaxHeight (0 stands for DROPDOWN_DEFAULT_LIST_HEIGHT).
    static int ListHeight(int nItems, int nItemHeight, int nMaxHeight);
    // Splits at the separator, empty pieces skipped.
    static std::vector<CString> Split(const CString& strText, const CString& strSeparator);

private:
    std::vector<CString> m_items;
    std::vector<int> m_selection;
    BOOL m_bMulti = FALSE;
    CString m_strSeparator = ",";
};

// The typed prefix of a read-only drop-down edit. Times are milliseconds of
// the caller's clock (GetTickCount); a pause of at least the timeout starts a
// new prefix.
class CTypeAhead {
public:
    static const DWORD kTimeoutMs = 1000;

    // Appends the character's bytes (one, or two for a double-byte
    // character) and answers the prefix.
    const CString& Type(const CString& strChar, DWORD dwNow);
    // The timer's end: the prefix is empty again.
    void Reset() { m_strPrefix.Empty(); }
    const CString& GetPrefix() const { return m_strPrefix; }
    // TRUE when the prefix would be reset at dwNow.
    BOOL IsExpired(DWORD dwNow) const;

private:
    CString m_strPrefix;
    DWORD m_dwLast = 0;
};
