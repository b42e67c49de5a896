// The print preview the grid opens and closes: inside the control (a frame
// over the grid's own client area) or in a pop-up host window. The grid lays
// the pages out in screen pixels and keeps the windows; closing destroys the
// windows at once and lets go of their objects at the next preview or with
// the grid, so a window whose button closed the preview is never freed while
// it still runs.
#include "grid/GridCtrl.h"

#include "document/KivoPreviewCtrl.h"
#include "document/PageSetupDlg.h"
#include "grid/GridMessages.h"
#include "platform/MessageBox.h"

#include <cstring>

namespace {

const UINT kPreviewFrameId = 2007;

CKivoPreviewCtrl* Frame(const std::unique_ptr<CWnd>& p)
{
    return static_cast<CKivoPreviewCtrl*>(p.get());
}

CPreviewHostDlg* Host(const std::unique_ptr<CWnd>& p)
{
    return static_cast<CPreviewHostDlg*>(p.get());
}

}  // namespace

BOOL CGridCtrl::PrintPreview()
{
    ClosePreview();
    if (PlatformWindowProcDepth() == 0)
        m_pPreview.reset();
    if (!ResolvePrinter("没有按装打印机,不能预览!"))
        return FALSE;
    LoadPrinterInfo(m_PrintSettings.m_strPrinterName.GetString());
    CPrinterJob job;
    if (!CreatePrinterDC(job) || GetSafeHwnd() == nullptr)
        return FALSE;
    PostGridMessage(WM_GRID_BEGINPREVIEW, 0, 0);
    OnBeginPrinting(job.GetMetrics(), TRUE, GridScreenDpi());
    std::unique_ptr<CKivoPreviewCtrl> frame(new CKivoPreviewCtrl);
    frame->SetTitle(m_strPreviewTitle.GetString());
    frame->SetHideViewBar(m_bHideViewBar);
    frame->SetGrid(this);
    if (!frame->Create(this, kPreviewFrameId, WS_VISIBLE)) {
        OnEndPrinting();
        return FALSE;
    }
    frame->ApplyPageSetup();
    CRect client;
    frame->GetClientRect(&client);
    frame->StartOpening(client.Width());
    ShowGridContent(FALSE);
    frame->GetView()->SetFocus();
    m_pPreview = std::move(frame);
    return TRUE;
}

int CGridCtrl::PopupPreview()
{
    ClosePreview();
    if (PlatformWindowProcDepth() == 0)
        m_pPreview.reset();
    if (!ResolvePrinter("没有按装打印机,不能预览!"))
        return 0;
    LoadPrinterInfo(m_PrintSettings.m_strPrinterName.GetString());
    CPrinterJob job;
    if (!CreatePrinterDC(job))
        return 0;
    PostGridMessage(WM_GRID_BEGINPREVIEW, 0, 0);
    OnBeginPrinting(job.GetMetrics(), TRUE, GridScreenDpi());
    if (m_pPreviewHost == nullptr)
        m_pPreviewHost.reset(new CPreviewHostDlg);
    CPreviewHostDlg* host = Host(m_pPreviewHost);
    if (host->GetSafeHwnd() == nullptr) {
        CWnd* owner = GetSafeHwnd() != nullptr ? GetTopLevelParent() : nullptr;
        if (!host->Create(owner, this)) {
            OnEndPrinting();
            return 0;
        }
    }
    std::unique_ptr<CKivoPreviewCtrl> frame(new CKivoPreviewCtrl);
    frame->SetTitle(m_strPreviewTitle.GetString());
    frame->SetHideViewBar(m_bHideViewBar);
    frame->SetGrid(this);
    if (!frame->Create(host, CPreviewHostDlg::kFrameId, WS_VISIBLE)) {
        OnEndPrinting();
        return 0;
    }
    frame->ApplyPageSetup();
    CKivoPreviewCtrl* shown = frame.get();
    host->SetFrame(std::move(frame));
    host->ShowWindow(SW_SHOWMAXIMIZED);
    CRect client;
    host->GetClientRect(&client);
    shown->MoveWindow(0, 0, client.Width(), client.Height());
    shown->StartOpening(client.Width());
    ShowGridContent(FALSE);
    shown->GetView()->SetFocus();
    return 1;
}

BOOL CGridCtrl::ClosePreview()
{
    BOOL closed = FALSE;
    if (m_pPreview != nullptr && m_pPreview->GetSafeHwnd() != nullptr) {
        m_pPreview->DestroyWindow();
        PostGridMessage(WM_GRID_FINISHPREVIEW, 0, 0);
        closed = TRUE;
    }
    CPreviewHostDlg* host = Host(m_pPreviewHost);
    if (host != nullptr && host->GetSafeHwnd() != nullptr) {
        host->DestroyWindow();
        PostGridMessage(WM_GRID_FINISHPREVIEW, 1, 0);
        closed = TRUE;
    }
    if (closed) {
        OnEndPrinting();
        ShowGridContent(TRUE);
        if (GetSafeHwnd() != nullptr)
            Invalidate();
    }
    return closed;
}

void CGridCtrl::SetPreviewTitle(LPCTSTR szTitle)
{
    m_strPreviewTitle = szTitle != nullptr ? szTitle : "";
    CKivoPreviewCtrl* frame = Frame(m_pPreview);
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr)
        frame->SetTitle(m_strPreviewTitle.GetString());
    CPreviewHostDlg* host = Host(m_pPreviewHost);
    if (host != nullptr && host->GetFrame() != nullptr && host->GetFrame()->GetSafeHwnd() != nullptr)
        host->GetFrame()->SetTitle(m_strPreviewTitle.GetString());
}

CWnd* CGridCtrl::GetPreviewWnd() const
{
    if (m_pPreview != nullptr && m_pPreview->GetSafeHwnd() != nullptr)
        return m_pPreview.get();
    CPreviewHostDlg* host = Host(m_pPreviewHost);
    if (host != nullptr && host->GetSafeHwnd() != nullptr && host->GetFrame() != nullptr)
        return host->GetFrame();
    return nullptr;
}

CWnd* CGridCtrl::GetPreviewHost() const
{
    CPreviewHostDlg* host = Host(m_pPreviewHost);
    return host != nullptr && host->GetSafeHwnd() != nullptr ? host : nullptr;
}

BOOL CGridCtrl::ShowPageSetup()
{
    if (m_PrintSettings.m_pDevMode == nullptr)
        m_PrintSettings.InitDevMode();
    // A sheet on the default printer, or not yet on any, first takes the
    // printer's defaults for every setting it leaves unset; a cancelled
    // dialog puts the settings back as they were.
    const bool merge =
        m_PrintSettings.m_nPrintOptions[0] == 1 || m_PrintSettings.m_pDevMode->dmDeviceName[0] == '\0';
    const PrintDevMode unmerged = *m_PrintSettings.m_pDevMode;
    // Only the mode fields the merge filled go back; the printer found for
    // the dialog stays the sheet's.
    auto restoreUnmerged = [this](const PrintDevMode& before) {
        PrintDevMode& mode = *m_PrintSettings.m_pDevMode;
        PrintDevMode back = before;
        std::memcpy(back.dmDeviceName, mode.dmDeviceName, sizeof(back.dmDeviceName));
        mode = back;
    };
    if (!ResolvePrinter("没有按装打印机,不能打印!"))
        return FALSE;
    if (merge && !MergePrinterDefaults()) {
        restoreUnmerged(unmerged);
        PlatformMessageBox(GetSafeHwnd(), "没有按装打印机,不能打印!", "提示", MB_ICONQUESTION);
        return FALSE;
    }
    LoadPrinterInfo(m_PrintSettings.m_strPrinterName.GetString());
    {
        CPrinterJob check;
        if (!CreatePrinterDC(check)) {
            if (merge)
                restoreUnmerged(unmerged);
            return FALSE;
        }
    }
    CGridPrintSettings& ps = m_PrintSettings;
    PageSetupTarget target;
    target.pDevMode = ps.m_pDevMode.get();
    target.pPrinterName = &ps.m_strPrinterName;
    target.pDriverName = &ps.m_strDriverName;
    target.pHeader = &ps.m_header;
    target.pFooter = &ps.m_footer;
    target.pLayout = &ps.m_layout;
    target.pOptions = &ps.m_nPrintOptions[1];
    target.pRangeTexts = &ps.m_strPrintTexts[2];
    CPageSetupDlg dialog(target);
    if (dialog.DoModal(GetSafeHwnd() != nullptr ? this : nullptr) != IDOK) {
        if (merge)
            restoreUnmerged(unmerged);
        return FALSE;
    }
    // The grid-lines option is also the grid's own print switch.
    m_bPrintGridLines = ps.m_nPrintOptions[3] != 0 ? TRUE : FALSE;
    return TRUE;
}

void CGridCtrl::RelayoutPreview()
{
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(GetPreviewWnd());
    if (frame == nullptr || !m_PrintState.bPreview)
        return;
    CPrinterJob job;
    if (!CreatePrinterDC(job))
        return;
    OnEndPrinting();
    OnBeginPrinting(job.GetMetrics(), TRUE, GridScreenDpi());
    frame->ApplyPageSetup();
    frame->Invalidate();
    if (frame->GetView() != nullptr)
        frame->GetView()->Invalidate();
}

void CGridCtrl::UpdatePreviewDisplayMode()
{
    CKivoPreviewCtrl* frame = static_cast<CKivoPreviewCtrl*>(GetPreviewWnd());
    if (frame != nullptr)
        frame->UpdateDisplayMode();
}
