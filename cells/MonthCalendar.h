// The month calendar the date/time editor drops in date mode: the system's
// "SysMonthCal32" control as a popup owned by the editor, where the platform
// has one (Windows). The host build has none: creation answers NULL and the
// editor keeps its fields.
//
// The popup sends its notifications to its owner (the editor), which hands
// them to ReadMonthCalendarPick.
#pragma once

#include "base/DateTime.h"
#include "base/Geometry.h"
#include "base/WinTypes.h"

class CWnd;

// Creates the popup at the screen point (its top-left), shrunk to its
// minimum size, showing and selecting the date; hidden. NULL where there is
// no calendar.
HWND CreateMonthCalendar(CWnd* pOwner, POINT ptScreen, const COleDateTime& date);
// Shows or hides it; selects the date before showing.
void ShowMonthCalendar(HWND hCalendar, BOOL bShow, const COleDateTime& date);
BOOL IsMonthCalendarShown(HWND hCalendar);
void DestroyMonthCalendar(HWND hCalendar);
// TRUE, with the date, when the notification is the user's pick of a day.
BOOL ReadMonthCalendarPick(LPARAM lParamNotify, COleDateTime* pDate);
// Picks a day as the user's click does (for tests where the real click
// cannot reach the popup): the selection is set and the pick notified.
BOOL PickMonthCalendarDay(HWND hCalendar, const COleDateTime& date);
