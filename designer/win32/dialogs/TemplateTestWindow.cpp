// The template load test's window: a sheet of its own filling the window,
// the template loaded into it and timed, and the times shown once the
// window has opened (maximised).
#include "designer/win32/dialogs/DatabaseWindows.h"

#include "control/KivoGuids.gen.h"
#include "designer/GridControlWnd.gen.h"
#include "designer/dialogs/TemplateTestDlg.h"

#include <cstring>

namespace {

const UINT kShowResult = WM_APP + 31;

CClockTime Now()
{
    SYSTEMTIME t;
    ::GetSystemTime(&t);
    return {t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

class CTemplateTestWindow : public CDialogWindow {
public:
    explicit CTemplateTestWindow(CTemplateTestDlg& model) : CDialogWindow(kDlgTemplateTest), m_model(model) {}

protected:
    BOOL OnInitDialog() override
    {
        CLSID id;
        std::memcpy(&id, kGuid_KivoSheet.bytes, sizeof(id));
        RECT rc;
        ::GetClientRect(Hwnd(), &rc);
        ::InflateRect(&rc, -10, -10);
        if (!m_grid.Create(id, Hwnd(), rc, kIdcTemplateTestGrid))
            return TRUE;
        if (m_model.m_strPath.IsEmpty())
            return TRUE;
        const CClockTime start = Now();
        m_model.m_nLoadResult = m_grid.GridOpenTemplate(m_model.m_strPath, CString());
        const CClockTime end = Now();
        m_model.m_strResult = LoadTestText(start, end);
        m_showResult = true;
        ::ShowWindow(Hwnd(), SW_MAXIMIZE);
        return TRUE;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE) {
            RECT rc;
            ::GetClientRect(Hwnd(), &rc);
            ::InflateRect(&rc, -10, -10);
            if (m_grid.GetSafeHwnd() != nullptr)
                m_grid.MoveWindow(rc);
            if (m_showResult) {
                m_showResult = false;
                ::PostMessageA(Hwnd(), kShowResult, 0, 0);
            }
            return FALSE;
        }
        if (message == kShowResult) {
            ::MessageBoxA(Hwnd(), m_model.m_strResult.GetString(), "模板加载测试", MB_OK);
            return TRUE;
        }
        if (message == WM_DESTROY)
            m_grid.Destroy();
        (void)wParam;
        (void)lParam;
        return FALSE;
    }

private:
    CTemplateTestDlg& m_model;
    CGridControlWnd m_grid;
    bool m_showResult = false;
};

}  // namespace

int RunTemplateTestWindow(HWND owner, CDesignerDialog& model)
{
    CTemplateTestWindow window(static_cast<CTemplateTestDlg&>(model));
    window.DoModal(owner);
    return IDOK;
}
