#include "grid/GridEventLines.h"

#include <algorithm>

unsigned CGridEventLines::Note(UINT nMessage, WPARAM wParam, LPARAM lParam, const GridEventLines& lines)
{
    if (m_entries.size() >= kMaxPending)
        m_entries.pop_front();
    const unsigned ticket = m_nNextTicket++;
    m_entries.push_back(Entry{ticket, nMessage, wParam, lParam, lines});
    return ticket;
}

void CGridEventLines::Forget(unsigned nTicket)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [nTicket](const Entry& e) { return e.ticket == nTicket; }),
                    m_entries.end());
}

bool CGridEventLines::Take(UINT nMessage, WPARAM wParam, LPARAM lParam, GridEventLines& lines)
{
    const auto match = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return e.message == nMessage && e.wParam == wParam && e.lParam == lParam;
    });
    if (match == m_entries.end())
        return false;
    lines = match->lines;
    const auto end = match + 1;
    m_entries.erase(std::remove_if(m_entries.begin(), end, [nMessage](const Entry& e) { return e.message == nMessage; }),
                    end);
    return true;
}
