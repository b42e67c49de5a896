#include "document/ExcelBridgeSession.h"

#include "base/WinConstants.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "grid/GridProgressBar.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <set>

namespace {

std::set<const CGridCtrl*>& RunningTransfers()
{
    static std::set<const CGridCtrl*> grids;
    return grids;
}

}  // namespace

CExcelTransferSession::CExcelTransferSession(CGridCtrl& grid) : m_grid(grid)
{
    m_bAdmitted = RunningTransfers().insert(&grid).second ? TRUE : FALSE;
}

CExcelTransferSession::~CExcelTransferSession()
{
    if (!m_bAdmitted)
        return;
    if (m_hOwner != nullptr) {
        if (CWnd* owner = CWnd::FromHandle(m_hOwner))
            owner->EnableWindow(TRUE);
    }
    if (m_bCaptured && CWnd::GetCapture() == &m_grid)
        ::ReleaseCapture();
    if (m_bProgressShown && m_grid.GetSafeHwnd() != nullptr)
        m_grid.SendMessage(WM_GRID_PROGRESSHIDE, 0, 0);
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.Invalidate();
    if (m_bWaitCursor)
        ::SetCursor(m_hOldCursor);
    RunningTransfers().erase(&m_grid);
}

BOOL CExcelTransferSession::IsTransferRunning(const CGridCtrl* pGrid)
{
    return RunningTransfers().count(pGrid) != 0 ? TRUE : FALSE;
}

HWND CExcelTransferSession::GridWindow() const
{
    return m_grid.GetSafeHwnd();
}

void CExcelTransferSession::BeginWait()
{
    if (m_grid.GetSafeHwnd() != nullptr) {
        m_grid.SetCapture();
        m_bCaptured = TRUE;
    }
    m_hOldCursor = ::SetCursor(PlatformLoadCursor(IDC_WAIT));
    m_bWaitCursor = TRUE;
}

void CExcelTransferSession::DisableOwner()
{
    if (m_hOwner != nullptr || m_grid.GetSafeHwnd() == nullptr)
        return;
    CWnd* owner = m_grid.GetTopLevelParent();
    if (owner == nullptr || owner == &m_grid || owner->GetSafeHwnd() == nullptr)
        return;
    // Only a window this session disabled is enabled again.
    if (!owner->EnableWindow(FALSE))
        m_hOwner = owner->GetSafeHwnd();
}

void CExcelTransferSession::ShowProgress(int nLower, int nUpper)
{
    if (m_grid.GetSafeHwnd() == nullptr)
        return;
    m_grid.SendMessage(WM_GRID_PROGRESSRANGE, static_cast<WPARAM>(nLower), static_cast<LPARAM>(nUpper));
    m_grid.SendMessage(WM_GRID_PROGRESSPOS, static_cast<WPARAM>(nLower), 0);
    m_grid.SendMessage(WM_GRID_PROGRESSSHOW, 0, 0);
    m_bProgressShown = TRUE;
}

void CExcelTransferSession::StepProgress(int nPos)
{
    if (!m_bProgressShown || m_grid.GetSafeHwnd() == nullptr)
        return;
    m_grid.SendMessage(WM_GRID_PROGRESSPOS, static_cast<WPARAM>(nPos), 0);
    CRect client;
    m_grid.GetClientRect(&client);
    CRect bar = m_grid.GetProgressBar(client).GetBarRect();
    m_grid.RedrawWindow(&bar, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

BOOL CExcelTransferSession::PumpMessages()
{
    if (m_bQuit)
        return FALSE;
    if (!PlatformPumpMessages())
        m_bQuit = TRUE;
    return m_bQuit ? FALSE : TRUE;
}

BOOL CExcelCalls::Check(HRESULT hr)
{
    if (hr >= 0)
        return TRUE;
    Fail(hr);
    return FALSE;
}

void CExcelCalls::Fail(HRESULT hr)
{
    if (m_bOk) {
        m_bOk = FALSE;
        m_hrError = hr;
    }
}

AutomationValue CExcelCalls::Get(const AutomationObjectPtr& object, LPCTSTR szName, const Args& args)
{
    AutomationValue result;
    if (!m_bOk)
        return result;
    if (!object) {
        Fail();
        return result;
    }
    if (!Check(object->GetProperty(szName, args, result)))
        return AutomationValue();
    return result;
}

AutomationObjectPtr CExcelCalls::GetObject(const AutomationObjectPtr& object, LPCTSTR szName, const Args& args)
{
    AutomationValue v = Get(object, szName, args);
    if (!m_bOk)
        return nullptr;
    if (v.kind != AutomationValue::kObject || !v.object) {
        Fail();
        return nullptr;
    }
    return v.object;
}

void CExcelCalls::Put(const AutomationObjectPtr& object, LPCTSTR szName, const AutomationValue& value)
{
    if (!m_bOk)
        return;
    if (!object) {
        Fail();
        return;
    }
    Check(object->PutProperty(szName, value));
}

AutomationValue CExcelCalls::Call(const AutomationObjectPtr& object, LPCTSTR szName, const Args& args)
{
    AutomationValue result;
    if (!m_bOk)
        return result;
    if (!object) {
        Fail();
        return result;
    }
    if (!Check(object->CallMethod(szName, args, result)))
        return AutomationValue();
    return result;
}
