// The host build has no month calendar.
#include "cells/MonthCalendar.h"

HWND CreateMonthCalendar(CWnd*, POINT, const COleDateTime&)
{
    return nullptr;
}

void ShowMonthCalendar(HWND, BOOL, const COleDateTime&) {}

BOOL IsMonthCalendarShown(HWND)
{
    return FALSE;
}

void DestroyMonthCalendar(HWND) {}

BOOL ReadMonthCalendarPick(LPARAM, COleDateTime*)
{
    return FALSE;
}

BOOL PickMonthCalendarDay(HWND, const COleDateTime&)
{
    return FALSE;
}
