#include "cells/EditBuffer.h"

#include "base/Cp936.h"
#include "base/WinConstants.h"

#include <algorithm>

CEditBuffer::CEditBuffer() : m_anchor(0), m_caret(0), m_pendingLead(-1) {}

void CEditBuffer::SetText(LPCTSTR lpszText)
{
    m_text = lpszText;
    m_anchor = m_caret = 0;
    m_pendingLead = -1;
}

void CEditBuffer::GetSel(int& nStart, int& nEnd) const
{
    nStart = std::min(m_anchor, m_caret);
    nEnd = std::max(m_anchor, m_caret);
}

int CEditBuffer::Snap(int nPos) const
{
    int length = m_text.GetLength();
    nPos = std::max(0, std::min(nPos, length));
    const char* s = m_text.GetString();
    while (nPos > 0 && !cp936::IsCharBoundary(s, length, nPos))
        --nPos;
    return nPos;
}

int CEditBuffer::Prev(int nPos) const
{
    return cp936::PrevChar(m_text.GetString(), m_text.GetLength(), nPos);
}

int CEditBuffer::Next(int nPos) const
{
    return cp936::NextChar(m_text.GetString(), m_text.GetLength(), nPos);
}

int CEditBuffer::LineStart(int nPos) const
{
    const char* s = m_text.GetString();
    while (nPos > 0 && !(nPos >= 2 && s[nPos - 2] == '\r' && s[nPos - 1] == '\n'))
        nPos = Prev(nPos);
    return nPos;
}

int CEditBuffer::LineEnd(int nPos) const
{
    int found = m_text.Find("\r\n", nPos);
    return found < 0 ? m_text.GetLength() : found;
}

void CEditBuffer::SetSel(int nStart, int nEnd)
{
    if (nStart == -1) {
        m_anchor = m_caret;
        return;
    }
    int length = m_text.GetLength();
    if (nEnd < 0 || nEnd > length)
        nEnd = length;
    m_anchor = Snap(nStart);
    m_caret = Snap(nEnd);
}

bool CEditBuffer::DeleteRange(int nStart, int nEnd)
{
    if (nEnd <= nStart)
        return false;
    m_text.Delete(nStart, nEnd - nStart);
    m_anchor = m_caret = nStart;
    return true;
}

bool CEditBuffer::ReplaceSel(LPCTSTR lpszText)
{
    int start, end;
    GetSel(start, end);
    bool changed = DeleteRange(start, end);
    m_anchor = m_caret = start;
    CString insert(lpszText);
    // A lead byte at the end of the inserted text has lost its second byte;
    // left in, it would take the first byte of the text after it.
    const int insertLength = insert.GetLength();
    if (insertLength > 0 && cp936::PrevChar(insert.GetString(), insertLength, insertLength) == insertLength - 1 &&
        cp936::IsLeadByte(insert.GetAt(insertLength - 1)))
        insert = insert.Left(insertLength - 1);
    if (!insert.IsEmpty()) {
        m_text.Insert(start, insert.GetString());
        m_anchor = m_caret = start + insert.GetLength();
        changed = true;
    }
    return changed;
}

void CEditBuffer::MoveCaret(int nPos, bool bExtend)
{
    m_caret = Snap(nPos);
    if (!bExtend)
        m_anchor = m_caret;
}

bool CEditBuffer::Char(UINT nChar, bool bMultiLine, bool bReadOnly)
{
    nChar &= 0xFF;
    if (m_pendingLead >= 0) {
        const char pair[3] = {static_cast<char>(m_pendingLead), static_cast<char>(nChar), '\0'};
        m_pendingLead = -1;
        if (cp936::IsTrailByte(static_cast<unsigned char>(nChar)))
            return !bReadOnly && ReplaceSel(pair);
        // Not the second byte of a character: the waiting lead byte is
        // dropped and this character counts as itself.
    }
    if (nChar == VK_BACK) {
        if (bReadOnly)
            return false;
        int start, end;
        GetSel(start, end);
        if (start != end)
            return DeleteRange(start, end);
        if (m_caret == 0)
            return false;
        int from = Prev(m_caret);
        // Backspace after a line break removes the whole "\r\n" (a "\r" that
        // is the second byte of a character is not one).
        if (from > 0 && m_text[from] == '\n' && m_text[from - 1] == '\r' && Prev(from) == from - 1)
            --from;
        return DeleteRange(from, m_caret);
    }
    if (nChar == '\r' || nChar == '\n')
        return bMultiLine && !bReadOnly && ReplaceSel("\r\n");
    if (nChar < 0x20 && nChar != '\t')
        return false;
    if (nChar == '\t' && !bMultiLine)
        return false;
    if (cp936::IsLeadByte(static_cast<unsigned char>(nChar))) {
        m_pendingLead = static_cast<int>(nChar);
        return false;
    }
    if (bReadOnly)
        return false;
    char single[2] = {static_cast<char>(nChar), '\0'};
    return ReplaceSel(single);
}

bool CEditBuffer::ImeChar(UINT nChar, bool bReadOnly)
{
    m_pendingLead = -1;
    if (bReadOnly)
        return false;
    unsigned lead = (nChar >> 8) & 0xFF;
    unsigned trail = nChar & 0xFF;
    if (lead != 0) {
        // Only a whole two-byte character goes in.
        if (nChar > 0xFFFF || !cp936::IsLeadByte(static_cast<unsigned char>(lead)) ||
            !cp936::IsTrailByte(static_cast<unsigned char>(trail)))
            return false;
        const char pair[3] = {static_cast<char>(lead), static_cast<char>(trail), '\0'};
        return ReplaceSel(pair);
    }
    // A lead byte alone is half a character.
    if (trail < 0x20 || cp936::IsLeadByte(static_cast<unsigned char>(trail)))
        return false;
    char single[2] = {static_cast<char>(trail), '\0'};
    return ReplaceSel(single);
}

bool CEditBuffer::KeyDown(UINT nVirtKey, bool bShift, bool bCtrl, bool bReadOnly)
{
    int start, end;
    GetSel(start, end);
    switch (nVirtKey) {
    case VK_LEFT:
        if (!bShift && start != end)
            MoveCaret(start, false);
        else
            MoveCaret(Prev(m_caret), bShift);
        return true;
    case VK_RIGHT:
        if (!bShift && start != end)
            MoveCaret(end, false);
        else
            MoveCaret(Next(m_caret), bShift);
        return true;
    case VK_HOME:
        MoveCaret(bCtrl ? 0 : LineStart(m_caret), bShift);
        return true;
    case VK_END:
        MoveCaret(bCtrl ? m_text.GetLength() : LineEnd(m_caret), bShift);
        return true;
    case VK_UP:
    case VK_DOWN: {
        int lineStart = LineStart(m_caret);
        int column = m_caret - lineStart;
        int target;
        if (nVirtKey == VK_UP) {
            if (lineStart == 0)
                return true;
            int prevStart = LineStart(lineStart - 2);
            target = std::min(prevStart + column, lineStart - 2);
        } else {
            int lineEnd = LineEnd(m_caret);
            if (lineEnd >= m_text.GetLength())
                return true;
            int nextStart = lineEnd + 2;
            target = std::min(nextStart + column, LineEnd(nextStart));
        }
        MoveCaret(target, bShift);
        return true;
    }
    case VK_DELETE:
        if (bReadOnly)
            return true;
        if (start != end) {
            DeleteRange(start, end);
        } else if (m_caret < m_text.GetLength()) {
            int to = Next(m_caret);
            if (m_text[m_caret] == '\r' && m_text[m_caret + 1] == '\n')
                to = m_caret + 2;
            DeleteRange(m_caret, to);
        }
        return true;
    default:
        return false;
    }
}
