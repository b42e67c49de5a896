#include "control/SheetStandIn.h"

#include "control/SheetPicture.h"
#include "platform/DC.h"

#include <cstring>

namespace {
const char kStandInClass[] = "KivoSheetStandIn";
}

std::unique_ptr<CGridPort> MakeGridPort()
{
    // The real grid takes over here once CGridCtrl creates its own window.
    return std::make_unique<CSheetStandIn>();
}

CSheetStandIn::CSheetStandIn()
{
    std::memset(&m_font, 0, sizeof(m_font));
    m_font.lfHeight = -12;
    m_font.lfWeight = FW_NORMAL;
    m_font.lfCharSet = GB2312_CHARSET;
    std::strcpy(m_font.lfFaceName, "SimSun");
    m_cell.cx = 0;
    m_cell.cy = 0;
}

CSheetStandIn::~CSheetStandIn()
{
    if (m_wnd && m_wnd->GetSafeHwnd() != nullptr)
        m_wnd->DestroyWindow();
}

void CSheetStandIn::SetDefaultSetting(const CGridDefaultSetting& setting)
{
    m_setting = setting;
    Refresh();
}

CWnd* CSheetStandIn::GetGridWindow()
{
    return (m_wnd && m_wnd->GetSafeHwnd() != nullptr) ? m_wnd.get() : nullptr;
}

BOOL CSheetStandIn::CreateGridWindow(CWnd* parent, const RECT& rect, UINT id)
{
    if (!m_wnd)
        m_wnd = std::make_unique<CSheetStandInWnd>(*this);
    if (m_wnd->GetSafeHwnd() != nullptr)
        return TRUE;
    return m_wnd->CreateEx(0, kStandInClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, parent, id);
}

void CSheetStandIn::ApplyFirstTimeDefaults(CDC& dc)
{
    m_cell = SheetPictureCellSize(dc, *this);
}

void CSheetStandIn::CellFromPoint(POINT point, LONG& row, LONG& col)
{
    SheetPictureCellFromPoint(m_cell, point, row, col);
}

void CSheetStandIn::Refresh()
{
    if (CWnd* wnd = GetGridWindow())
        wnd->Invalidate(TRUE);
}

void CSheetStandInWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    DrawSheetPicture(dc, rc, m_owner);
}

BOOL CSheetStandInWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
