// The printing members: the printer and its paper, orientation, copies and
// collation, what is printed, the page header and footer texts and fonts, the
// repeated title ranges, and the print and preview commands. The settings
// live in the grid's print settings and travel with the template.
#include "control/KivoSheetCtrl.h"

#include "grid/GridCtrl.h"

namespace {

CGridCtrl* EngineOf(CGridPort* port)
{
    return port != nullptr ? port->GetGridCtrl() : nullptr;
}

// Print options of the settings record.
const int kOptionDefaultPrinter = 0;
const int kOptionFixedRows = 1;
const int kOptionFixedCols = 2;
const int kOptionGridLines = 3;

}  // namespace

BOOL CKivoSheetCtrl::DoPRTPrint()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->Print() : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTPreview()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->PrintPreview() : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTPageSetup()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->ShowPageSetup() : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTSetPrinterName(const CString& strPrinterName)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->LoadPrinterInfo(strPrinterName.GetString()) : FALSE;
}

CString CKivoSheetCtrl::DoPRTGetPrinterName()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPrinterName() : CString();
}

BOOL CKivoSheetCtrl::DoPRTUseDefalutPrinter(SHORT bDefalut)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPrintOption(kOptionDefaultPrinter, bDefalut != 0);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoPRTIsUseDefalutPrinter()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPrintOption(kOptionDefaultPrinter) : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTIsPrinterExist(const CString& strPrinterName)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->IsPrinterAvailable(strPrinterName.GetString()) : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTSetPaper(SHORT nPaperIndex)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPaper(nPaperIndex);
    return TRUE;
}

namespace {

const PrintDevMode* ModeOf(CGridCtrl* grid)
{
    return grid != nullptr ? grid->GetPrintSettings().m_pDevMode.get() : nullptr;
}

}  // namespace

int CKivoSheetCtrl::DoPRTGetPaper()
{
    const PrintDevMode* mode = ModeOf(EngineOf(DispatchGrid()));
    return mode != nullptr ? mode->dmPaperSize : -1;
}

BOOL CKivoSheetCtrl::DoPRTSetOrientation(SHORT nOrientation)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid == nullptr || (nOrientation != 1 && nOrientation != 2))
        return FALSE;
    grid->SetPrintOrientation(nOrientation);
    return TRUE;
}

int CKivoSheetCtrl::DoPRTGetOrientation()
{
    const PrintDevMode* mode = ModeOf(EngineOf(DispatchGrid()));
    return mode != nullptr ? mode->dmOrientation : -1;
}

BOOL CKivoSheetCtrl::DoPRTSetCopies(SHORT nCopies)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPrintCopies(nCopies);
    return TRUE;
}

int CKivoSheetCtrl::DoPRTGetCopies()
{
    const PrintDevMode* mode = ModeOf(EngineOf(DispatchGrid()));
    return mode != nullptr ? mode->dmCopies : -1;
}

BOOL CKivoSheetCtrl::DoPRTSetCollate(SHORT bCollate)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPrintCollate(bCollate);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoPRTGetCollate()
{
    const PrintDevMode* mode = ModeOf(EngineOf(DispatchGrid()));
    return mode != nullptr && mode->dmCollate > 0 ? TRUE : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTSetPrintFixedCol(SHORT bPrint)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPrintOption(kOptionFixedCols, bPrint != 0);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoPRTGetPrintFixedCol()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPrintOption(kOptionFixedCols) : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTSetPrintFixedRow(SHORT bPrint)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPrintOption(kOptionFixedRows, bPrint != 0);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoPRTGetPrintFixedRow()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPrintOption(kOptionFixedRows) : FALSE;
}

BOOL CKivoSheetCtrl::DoPRTSetPrintVirtualLine(SHORT bPrint)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPrintOption(kOptionGridLines, bPrint != 0);
    return TRUE;
}

BOOL CKivoSheetCtrl::DoPRTGetPrintVirtualLine()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPrintOption(kOptionGridLines) : FALSE;
}

namespace {

BOOL SetLineText(CGridCtrl* grid, bool bHeader, int nSlot, const CString& strText)
{
    if (grid != nullptr) {
        CGridPrintSettings& ps = grid->GetPrintSettings();
        (bHeader ? ps.m_header : ps.m_footer).entries[nSlot].strText = strText;
    }
    return TRUE;
}

CString GetLineText(CGridCtrl* grid, bool bHeader, int nSlot)
{
    if (grid == nullptr)
        return CString();
    CGridPrintSettings& ps = grid->GetPrintSettings();
    return (bHeader ? ps.m_header : ps.m_footer).entries[nSlot].strText;
}

}  // namespace

BOOL CKivoSheetCtrl::DoPRTSetHeaderLeft(const CString& strLeft)
{
    return SetLineText(EngineOf(DispatchGrid()), true, HeaderFooterSet::Left, strLeft);
}

CString CKivoSheetCtrl::DoPRTGetHeaderLeft()
{
    return GetLineText(EngineOf(DispatchGrid()), true, HeaderFooterSet::Left);
}

BOOL CKivoSheetCtrl::DoPRTSetHeaderCenter(const CString& strCenter)
{
    return SetLineText(EngineOf(DispatchGrid()), true, HeaderFooterSet::Center, strCenter);
}

CString CKivoSheetCtrl::DoPRTGetHeaderCenter()
{
    return GetLineText(EngineOf(DispatchGrid()), true, HeaderFooterSet::Center);
}

BOOL CKivoSheetCtrl::DoPRTSetHeaderRight(const CString& strRight)
{
    return SetLineText(EngineOf(DispatchGrid()), true, HeaderFooterSet::Right, strRight);
}

CString CKivoSheetCtrl::DoPRTGetHeaderRight()
{
    return GetLineText(EngineOf(DispatchGrid()), true, HeaderFooterSet::Right);
}

BOOL CKivoSheetCtrl::DoPRTSetFooterLeft(const CString& strLeft)
{
    return SetLineText(EngineOf(DispatchGrid()), false, HeaderFooterSet::Left, strLeft);
}

CString CKivoSheetCtrl::DoPRTGetFooterLeft()
{
    return GetLineText(EngineOf(DispatchGrid()), false, HeaderFooterSet::Left);
}

BOOL CKivoSheetCtrl::DoPRTSetFooterCenter(const CString& strCenter)
{
    return SetLineText(EngineOf(DispatchGrid()), false, HeaderFooterSet::Center, strCenter);
}

CString CKivoSheetCtrl::DoPRTGetFooterCenter()
{
    return GetLineText(EngineOf(DispatchGrid()), false, HeaderFooterSet::Center);
}

BOOL CKivoSheetCtrl::DoPRTSetFooterRight(const CString& strRight)
{
    return SetLineText(EngineOf(DispatchGrid()), false, HeaderFooterSet::Right, strRight);
}

CString CKivoSheetCtrl::DoPRTGetFooterRight()
{
    return GetLineText(EngineOf(DispatchGrid()), false, HeaderFooterSet::Right);
}

void CKivoSheetCtrl::DoPRTSetPreviewWndTitle(const CString& strTitle)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetPreviewTitle(strTitle.GetString());
}

CString CKivoSheetCtrl::DoPRTGetPreviewWndTitle()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetPreviewTitle() : CString();
}

int CKivoSheetCtrl::DoPRTPopupPreview()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->PopupPreview() : 0;
}

void CKivoSheetCtrl::DoPRTSetHideViewBar(SHORT bHide)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    if (grid != nullptr)
        grid->SetHideViewBar(bHide != 0);
}

int CKivoSheetCtrl::DoPRTGetHideViewBar()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->GetHideViewBar() ? 1 : 0;
}

int CKivoSheetCtrl::DoPRTCloseView()
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->ClosePreview() ? 1 : 0;
}

namespace {

// The header or footer parts a position mask names (1 left, 2 centre, 4 right).
void SetLineFonts(CGridCtrl* grid, bool bHeader, SHORT iPos, const CString& strFontXml)
{
    if (grid == nullptr || iPos < 1 || iPos > 7 || strFontXml.IsEmpty())
        return;
    typedef void (CGridCtrl::*Setter)(LPCTSTR);
    static const Setter header[3] = {&CGridCtrl::SetHeaderLeftFont, &CGridCtrl::SetHeaderCenterFont,
                                     &CGridCtrl::SetHeaderRightFont};
    static const Setter footer[3] = {&CGridCtrl::SetFooterLeftFont, &CGridCtrl::SetFooterCenterFont,
                                     &CGridCtrl::SetFooterRightFont};
    const Setter* setters = bHeader ? header : footer;
    for (int bit = 0; bit < 3; ++bit) {
        if ((iPos & (1 << bit)) != 0) {
            const Setter setter = setters[bit];
            (grid->*setter)(strFontXml.GetString());
        }
    }
}

CString GetLineFont(CGridCtrl* grid, bool bHeader, SHORT iPos)
{
    if (grid == nullptr)
        return CString();
    switch (iPos) {
    case 1: return bHeader ? grid->GetHeaderLeftFont() : grid->GetFooterLeftFont();
    case 2: return bHeader ? grid->GetHeaderCenterFont() : grid->GetFooterCenterFont();
    case 4: return bHeader ? grid->GetHeaderRightFont() : grid->GetFooterRightFont();
    default: return CString();
    }
}

}  // namespace

void CKivoSheetCtrl::DoPRTSetHeaderFont(SHORT iPos, const CString& strFontXml)
{
    SetLineFonts(EngineOf(DispatchGrid()), true, iPos, strFontXml);
}

CString CKivoSheetCtrl::DoPRTGetHeaderFont(SHORT iPos)
{
    return GetLineFont(EngineOf(DispatchGrid()), true, iPos);
}

void CKivoSheetCtrl::DoPRTSetFooterFont(SHORT iPos, const CString& strFontXml)
{
    SetLineFonts(EngineOf(DispatchGrid()), false, iPos, strFontXml);
}

CString CKivoSheetCtrl::DoPRTGetFooterFont(SHORT iPos)
{
    return GetLineFont(EngineOf(DispatchGrid()), false, iPos);
}

int CKivoSheetCtrl::DoPRTSetUserPaper(LONG nWidth, LONG nLength)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetUserPaper(nWidth, nLength) ? 1 : 0;
}

int CKivoSheetCtrl::DoPRTSetRepeatRange(const CString& strRange, LONG nFlags)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr && grid->SetRepeatRange(strRange.GetString(), nFlags) ? 1 : 0;
}

CString CKivoSheetCtrl::DoPRTGetRepeatRange(LONG nFlags)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    return grid != nullptr ? grid->GetRepeatRange(nFlags) : CString();
}

int CKivoSheetCtrl::DoPRTGetUserPaper(LONG& nWidth, LONG& nLength)
{
    CGridCtrl* grid = EngineOf(DispatchGrid());
    int width = 0, length = 0;
    if (grid == nullptr || !grid->GetUserPaper(width, length))
        return 0;
    nWidth = width;
    nLength = length;
    return 1;
}
