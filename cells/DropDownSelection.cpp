#include "cells/DropDownSelection.h"

#include <algorithm>

namespace {

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// TRUE when text begins with prefix: single-byte letters compared without
// case, a double-byte character (lead and trail byte) compared exactly.
bool BeginsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    size_t i = 0;
    while (i < prefix.size()) {
        const unsigned char c = static_cast<unsigned char>(prefix[i]);
        if (IsLeadByte(c) && i + 1 < prefix.size()) {
            if (text[i] != prefix[i] || text[i + 1] != prefix[i + 1])
                return false;
            i += 2;
            continue;
        }
        if (LowerAscii(text[i]) != LowerAscii(prefix[i]))
            return false;
        ++i;
    }
    // The prefix must not end inside a double-byte character of the text.
    if (i < text.size() && i > 0) {
        size_t j = 0;
        while (j < i)
            j += (IsLeadByte(static_cast<unsigned char>(text[j])) && j + 1 < text.size()) ? 2 : 1;
        if (j != i)
            return false;
    }
    return true;
}

}  // namespace

// --- items ----------------------------------------------------------------------------------

void CDropDownSelection::AddItem(const CString& strText)
{
    if (!strText.IsEmpty())
        m_items.push_back(strText);
}

void CDropDownSelection::RemoveAllItems()
{
    m_items.clear();
    m_selection.clear();
}

CString CDropDownSelection::GetItemText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return CString();
    return m_items[static_cast<size_t>(nIndex)];
}

int CDropDownSelection::FindExact(const CString& strText) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].Str() == strText.Str())
            return static_cast<int>(i);
    }
    return -1;
}

int CDropDownSelection::FindPrefix(const CString& strPrefix) const
{
    if (strPrefix.IsEmpty())
        return -1;
    const std::string& prefix = strPrefix.Str();
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (BeginsWithNoCase(m_items[i].Str(), prefix))
            return static_cast<int>(i);
    }
    return -1;
}

// --- modes and selection -----------------------------------------------------------------------

void CDropDownSelection::SetMultiCheck(BOOL bMulti)
{
    m_bMulti = bMulti ? TRUE : FALSE;
    if (!m_bMulti && m_selection.size() > 1)
        m_selection.resize(1);
}

BOOL CDropDownSelection::Select(int nIndex, BOOL bFlag)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    if (!m_bMulti) {
        m_selection.assign(1, nIndex);
        return TRUE;
    }
    const int at = FindInSelection(nIndex);
    if (bFlag) {
        if (at < 0)
            m_selection.push_back(nIndex);
    } else if (at >= 0) {
        m_selection.erase(m_selection.begin() + at);
    }
    return TRUE;
}

BOOL CDropDownSelection::Pick(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    if (m_bMulti)
        return Select(nIndex, !IsSelected(nIndex));
    return Select(nIndex, TRUE);
}

int CDropDownSelection::GetFirstSelected() const
{
    return m_selection.empty() ? -1 : m_selection.front();
}

BOOL CDropDownSelection::IsSelected(int nIndex) const
{
    return FindInSelection(nIndex) >= 0;
}

int CDropDownSelection::FindInSelection(int nIndex) const
{
    const auto it = std::find(m_selection.begin(), m_selection.end(), nIndex);
    return it == m_selection.end() ? -1 : static_cast<int>(it - m_selection.begin());
}

std::vector<int> CDropDownSelection::GetCheckedIndexes() const
{
    std::vector<int> indexes = m_selection;
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

CString CDropDownSelection::GetSelectionText() const
{
    if (!m_bMulti)
        return GetItemText(GetFirstSelected());
    CString text;
    for (size_t i = 0; i < m_selection.size(); ++i) {
        if (i > 0)
            text += m_strSeparator;
        text += GetItemText(m_selection[i]);
    }
    return text;
}

CString CDropDownSelection::GetCheckedIndexText() const
{
    CString text;
    bool first = true;
    for (int index : GetCheckedIndexes()) {
        if (!first)
            text += m_strSeparator;
        text.AppendFormat("%d", index);
        first = false;
    }
    return text;
}

void CDropDownSelection::MatchText(const CString& strText)
{
    m_selection.clear();
    if (!m_bMulti) {
        const int index = FindExact(strText);
        if (index >= 0)
            Select(index, TRUE);
        return;
    }
    for (const CString& piece : Split(strText, m_strSeparator)) {
        const int index = FindExact(piece);
        if (index >= 0)
            Select(index, TRUE);
    }
}

void CDropDownSelection::ApplyCommand(int nCommand)
{
    if (!m_bMulti)
        return;
    switch (nCommand) {
    case DDSC_SELECTALL:
        for (int i = 0; i < GetItemCount(); ++i)
            Select(i, TRUE);
        break;
    case DDSC_CANCELALL:
        m_selection.clear();
        break;
    case DDSC_INVERT: {
        std::vector<int> inverted;
        for (int i = 0; i < GetItemCount(); ++i) {
            if (!IsSelected(i))
                inverted.push_back(i);
        }
        m_selection = inverted;
        break;
    }
    default:
        break;
    }
}

int CDropDownSelection::ListHeight(int nItems, int nItemHeight, int nMaxHeight)
{
    const int maxHeight = nMaxHeight > 0 ? nMaxHeight : DROPDOWN_DEFAULT_LIST_HEIGHT;
    if (nItems <= 0 || nItemHeight <= 0)
        return 0;
    const long long rows = static_cast<long long>(nItems) * nItemHeight;
    return rows < maxHeight ? static_cast<int>(rows) : maxHeight;
}

std::vector<CString> CDropDownSelection::Split(const CString& strText, const CString& strSeparator)
{
    std::vector<CString> pieces;
    const std::string& text = strText.Str();
    const std::string& sep = strSeparator.Str();
    if (sep.empty()) {
        if (!text.empty())
            pieces.push_back(strText);
        return pieces;
    }
    size_t start = 0;
    while (start <= text.size()) {
        // A separator found inside a double-byte character does not count.
        size_t at = std::string::npos;
        for (size_t i = start; i + sep.size() <= text.size();) {
            if (text.compare(i, sep.size(), sep) == 0) {
                at = i;
                break;
            }
            i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        }
        const size_t end = at == std::string::npos ? text.size() : at;
        if (end > start)
            pieces.emplace_back(text.substr(start, end - start));
        if (at == std::string::npos)
            break;
        start = at + sep.size();
    }
    return pieces;
}

// --- type-ahead ------------------------------------------------------------------------------------

BOOL CTypeAhead::IsExpired(DWORD dwNow) const
{
    return static_cast<DWORD>(dwNow - m_dwLast) >= kTimeoutMs;
}

const CString& CTypeAhead::Type(const CString& strChar, DWORD dwNow)
{
    if (IsExpired(dwNow))
        m_strPrefix.Empty();
    m_strPrefix += strChar;
    m_dwLast = dwNow;
    return m_strPrefix;
}
