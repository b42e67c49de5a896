// The whole rows and columns of the notifications whose parameters pack them
// into 16-bit halves (1027 select range, 1036 end of an edit, 1039 and 1040
// button presses, 1041 and 1042 scrolling, 1070 check boxes, 1073 and 1074
// context menus). A sheet may have far more than 65535 rows, so the grid
// keeps the whole values of each such message it sends or posts, and the
// parent that turns the message into an event takes them back by the message
// and its parameters. A parent that never asks loses nothing: the packed
// parameters are as they always were.
#pragma once

#include "base/WinTypes.h"

#include <deque>

struct GridEventLines {
    LONG row = 0;
    LONG col = 0;
    LONG row2 = 0;   // the second corner, for 1027 only
    LONG col2 = 0;
};

class CGridEventLines {
public:
    // Keeps the whole values of a message about to be sent or posted and
    // answers a ticket for Forget. Only the newest kMaxPending are kept: a
    // parent that never takes them costs no more than that.
    unsigned Note(UINT nMessage, WPARAM wParam, LPARAM lParam, const GridEventLines& lines);
    // Drops the values of a message that did not go (or went and was not
    // taken while it was being sent).
    void Forget(unsigned nTicket);
    // The values of the oldest kept message equal to the one given, which
    // goes, together with every older one of the same number (those were
    // never taken). FALSE when none is kept: the packed parameters are whole.
    bool Take(UINT nMessage, WPARAM wParam, LPARAM lParam, GridEventLines& lines);

    static const size_t kMaxPending = 64;

private:
    struct Entry {
        unsigned ticket;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        GridEventLines lines;
    };
    std::deque<Entry> m_entries;
    unsigned m_nNextTicket = 1;
};
