// Turns the grid's notification messages into the control's events.
#pragma once

#include "base/WinTypes.h"
#include "control/KivoSheetEvents.gen.h"
#include "grid/GridEventLines.h"

// What the translation asks of the control: hit-testing and coordinates.
class CEventContext {
public:
    virtual ~CEventContext() = default;
    // The cell under a point of the grid's client area (fixed cells count);
    // (-1, -1) when there is none.
    virtual void CellFromPoint(POINT clientPoint, LONG& row, LONG& col) = 0;
    // A point of the grid's client area to screen coordinates.
    virtual void ClientToScreenPoint(POINT& point) = 0;
    // The whole rows and columns the grid kept for a message that packs them
    // into 16-bit halves (see grid/GridEventLines.h); false when it kept
    // none, and the packed values stand.
    virtual bool TakeEventLines(UINT message, WPARAM wParam, LPARAM lParam, GridEventLines& lines)
    {
        (void)message;
        (void)wParam;
        (void)lParam;
        (void)lines;
        return false;
    }
};

// Whether the message is one of the grid notifications that fire an event.
bool IsGridEventMessage(UINT message);

// Fires the event of a grid notification synchronously (the host's handlers
// run before this returns) and writes by-reference answers back into the
// grid's variables. Mouse positions are sign-extended from the packed
// lParam; rows and columns are the whole values the grid kept for the
// message, or the packed halves when it kept none. FALSE when the message fires no event.
bool TranslateGridMessage(UINT message, WPARAM wParam, LPARAM lParam, CEventContext& context,
                          CKivoSheetEvents& events);
