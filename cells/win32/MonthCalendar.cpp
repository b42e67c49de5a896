// The month calendar popup over the system's "SysMonthCal32" control.
#include "cells/MonthCalendar.h"

#include "platform/Wnd.h"

#include <windows.h>
#include <commctrl.h>

namespace {

// The popup that holds the calendar: the calendar reports to its parent, and
// this parent hands every notification to the editor that owns the popup.
class CCalendarPopup : public CWnd {
public:
    explicit CCalendarPopup(HWND hEditor) : m_hEditor(hEditor) {}

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (::IsWindow(m_hEditor))
            *pResult = ::SendMessageA(m_hEditor, WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    int OnMouseActivate(CWnd*, UINT, UINT) override { return MA_NOACTIVATE; }
    void PostNcDestroy() override
    {
        CWnd::PostNcDestroy();
        delete this;
    }

private:
    HWND m_hEditor;
};

HWND CalendarOf(HWND hPopup)
{
    return hPopup != nullptr && ::IsWindow(hPopup) ? ::GetWindow(hPopup, GW_CHILD) : nullptr;
}

SYSTEMTIME ToSystemTime(const COleDateTime& date)
{
    SYSTEMTIME st = {};
    if (date.GetStatus() != COleDateTime::valid)
        return st;
    st.wYear = static_cast<WORD>(date.GetYear());
    st.wMonth = static_cast<WORD>(date.GetMonth());
    st.wDay = static_cast<WORD>(date.GetDay());
    st.wDayOfWeek = static_cast<WORD>(date.GetDayOfWeek() - 1);
    return st;
}

void SelectDate(HWND hCalendar, const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid || date.GetYear() < 1601)
        return;
    SYSTEMTIME st = ToSystemTime(date);
    ::SendMessageA(hCalendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
}

}  // namespace

HWND CreateMonthCalendar(CWnd* pOwner, POINT ptScreen, const COleDateTime& date)
{
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return nullptr;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    CCalendarPopup* popup = new CCalendarPopup(pOwner->GetSafeHwnd());
    if (!popup->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "KivoCalendarPopup", "", WS_POPUP | WS_BORDER,
                         CRect(ptScreen.x, ptScreen.y, ptScreen.x + 200, ptScreen.y + 200), pOwner, 0)) {
        delete popup;
        return nullptr;
    }
    const HWND hPopup = popup->GetSafeHwnd();
    HWND hCalendar = ::CreateWindowExA(0, MONTHCAL_CLASSA, "DTMCal", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, hPopup,
                                       nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (hCalendar == nullptr) {
        ::DestroyWindow(hPopup);
        return nullptr;
    }
    ::SendMessageA(hCalendar, MCM_SETCOLOR, MCSC_TITLEBK, RGB(120, 152, 194));
    ::SendMessageA(hCalendar, MCM_SETCOLOR, MCSC_TEXT, RGB(0, 0, 0));
    ::SendMessageA(hCalendar, MCM_SETCOLOR, MCSC_MONTHBK, RGB(225, 231, 238));
    RECT minimum = {};
    if (::SendMessageA(hCalendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minimum)) && minimum.right > 0) {
        ::SetWindowPos(hCalendar, nullptr, 0, 0, minimum.right, minimum.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(hPopup, nullptr, 0, 0, minimum.right + 2, minimum.bottom + 2,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SelectDate(hCalendar, date);
    return hPopup;
}

void ShowMonthCalendar(HWND hPopup, BOOL bShow, const COleDateTime& date)
{
    if (hPopup == nullptr || !::IsWindow(hPopup))
        return;
    if (bShow)
        SelectDate(CalendarOf(hPopup), date);
    ::ShowWindow(hPopup, bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

BOOL IsMonthCalendarShown(HWND hPopup)
{
    return hPopup != nullptr && ::IsWindow(hPopup) && ::IsWindowVisible(hPopup);
}

void DestroyMonthCalendar(HWND hPopup)
{
    if (hPopup != nullptr && ::IsWindow(hPopup))
        ::DestroyWindow(hPopup);
}

BOOL ReadMonthCalendarPick(LPARAM lParamNotify, COleDateTime* pDate)
{
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParamNotify);
    if (hdr == nullptr || hdr->code != static_cast<UINT>(MCN_SELECT) || pDate == nullptr)
        return FALSE;
    const NMSELCHANGE* change = reinterpret_cast<const NMSELCHANGE*>(lParamNotify);
    const SYSTEMTIME& st = change->stSelStart;
    COleDateTime date(st.wYear, st.wMonth, st.wDay, 0, 0, 0);
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    *pDate = date;
    return TRUE;
}

BOOL PickMonthCalendarDay(HWND hPopup, const COleDateTime& date)
{
    const HWND hCalendar = CalendarOf(hPopup);
    if (hCalendar == nullptr)
        return FALSE;
    SelectDate(hCalendar, date);
    NMSELCHANGE change = {};
    change.nmhdr.hwndFrom = hCalendar;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(hCalendar));
    change.nmhdr.code = MCN_SELECT;
    change.stSelStart = ToSystemTime(date);
    change.stSelEnd = change.stSelStart;
    ::SendMessageA(hPopup, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    return TRUE;
}
