// What one transfer between a grid and a spreadsheet program's automation
// server holds for its duration: the grid marked busy (a second transfer on
// it is refused), the mouse captured by the grid window, the wait cursor,
// the window that owns the grid disabled as in a modal loop, and the grid's
// progress bar. Everything is given back when the session ends, in every
// path. Between cells the session pumps waiting window messages; a quit
// message ends the transfer and is posted again for the outer loop.
//
// Calls to the server go through CExcelCalls: the first failing call stops
// every later one (they answer nothing), so a transfer checks Ok() where a
// failure must end it.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "platform/Automation.h"

#include <initializer_list>
#include <vector>

class CGridCtrl;
class CWnd;

class CExcelTransferSession {
public:
    explicit CExcelTransferSession(CGridCtrl& grid);
    ~CExcelTransferSession();
    CExcelTransferSession(const CExcelTransferSession&) = delete;
    CExcelTransferSession& operator=(const CExcelTransferSession&) = delete;

    // FALSE when another transfer already runs on the grid (this one then
    // holds nothing and must answer 0).
    BOOL IsAdmitted() const { return m_bAdmitted; }
    // The grid window captures the mouse and the wait cursor shows.
    void BeginWait();
    // The window owning the grid is disabled until the session ends.
    void DisableOwner();
    // The progress bar over (nLower, nUpper), centred in the grid and shown.
    void ShowProgress(int nLower, int nUpper);
    // Moves the bar and redraws its rectangle at once.
    void StepProgress(int nPos);
    // Handles the waiting window messages; FALSE once a quit message came
    // (it has been posted again), which ends the transfer.
    BOOL PumpMessages();
    BOOL QuitSeen() const { return m_bQuit; }
    // The grid window's handle (NULL without one), as the message box owner.
    HWND GridWindow() const;

    // TRUE while a transfer runs on the grid.
    static BOOL IsTransferRunning(const CGridCtrl* pGrid);

private:
    CGridCtrl& m_grid;
    BOOL m_bAdmitted = FALSE;
    BOOL m_bCaptured = FALSE;
    BOOL m_bWaitCursor = FALSE;
    HCURSOR m_hOldCursor = nullptr;
    HWND m_hOwner = nullptr;
    BOOL m_bProgressShown = FALSE;
    BOOL m_bQuit = FALSE;
};

class CExcelCalls {
public:
    typedef std::vector<AutomationValue> Args;

    BOOL Ok() const { return m_bOk; }
    HRESULT GetError() const { return m_hrError; }

    AutomationValue Get(const AutomationObjectPtr& object, LPCTSTR szName, const Args& args = Args());
    AutomationObjectPtr GetObject(const AutomationObjectPtr& object, LPCTSTR szName, const Args& args = Args());
    void Put(const AutomationObjectPtr& object, LPCTSTR szName, const AutomationValue& value);
    AutomationValue Call(const AutomationObjectPtr& object, LPCTSTR szName, const Args& args = Args());
    // Marks the calls failed (a result the transfer cannot use).
    void Fail(HRESULT hr = kAutomationFailed);

private:
    BOOL Check(HRESULT hr);

    BOOL m_bOk = TRUE;
    HRESULT m_hrError = kAutomationOk;
};
