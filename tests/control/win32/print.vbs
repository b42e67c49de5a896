' Drives the printing members of KivoSheet.dll from a script: every setting
' is stored and read back (with the members' refusals), then the sheet is
' printed on the default printer, which the test around this script has made
' a PDF printer. Prints one line per failure and a closing "print ok".
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(12) = True, "RowSetCount"
Check ctl.ColumnSetCount(4) = True, "ColumnSetCount"
Check ctl.CellSetValue(1, 1, "printed by a script") = True, "CellSetValue"

' "第&[页码]页" from code page 936 codes.
Dim pageText : pageText = Chr(&HB5DA) & "&[" & Chr(&HD2B3) & Chr(&HC2EB) & "]" & Chr(&HD2B3)
Dim title : title = Chr(&HD4A4) & Chr(&HC0C0)

Check ctl.PRTUseDefalutPrinter(1) = True, "PRTUseDefalutPrinter 1"
Check ctl.PRTIsUseDefalutPrinter() = True, "PRTIsUseDefalutPrinter"
Check ctl.PRTUseDefalutPrinter(0) = True, "PRTUseDefalutPrinter 0"
Check ctl.PRTIsUseDefalutPrinter() = False, "PRTIsUseDefalutPrinter off"
Check ctl.PRTIsPrinterExist("KivoPDF") = True, "PRTIsPrinterExist KivoPDF"
Check ctl.PRTIsPrinterExist("NoSuchPrinter") = False, "PRTIsPrinterExist missing"
Check ctl.PRTSetPrinterName("NoSuchPrinter") = False, "PRTSetPrinterName missing"
' A name longer than the printer-name field is refused before the spooler sees it.
Check ctl.PRTIsPrinterExist(String(100000, "P")) = False, "PRTIsPrinterExist of a 100000-character name"
Check ctl.PRTSetPrinterName(String(100000, "P")) = False, "PRTSetPrinterName of a 100000-character name"
Check ctl.PRTIsPrinterExist(String(128, "P")) = False, "PRTIsPrinterExist of a 128-character name"
Check ctl.PRTSetPrinterName("KivoPDF") = True, "PRTSetPrinterName"
Check ctl.PRTGetPrinterName() = "KivoPDF", "PRTGetPrinterName"
Check ctl.PRTSetPaper(9) = True, "PRTSetPaper"
Check ctl.PRTGetPaper() = 9, "PRTGetPaper"
Check ctl.PRTSetOrientation(3) = False, "PRTSetOrientation 3"
Check ctl.PRTSetOrientation(1) = True, "PRTSetOrientation"
Check ctl.PRTGetOrientation() = 1, "PRTGetOrientation"
Check ctl.PRTSetCopies(2) = True, "PRTSetCopies"
Check ctl.PRTGetCopies() = 2, "PRTGetCopies"
Check ctl.PRTSetCopies(1) = True, "PRTSetCopies 1"
Check ctl.PRTSetCollate(1) = True, "PRTSetCollate"
Check ctl.PRTGetCollate() = True, "PRTGetCollate"
Check ctl.PRTSetPrintFixedCol(0) = True, "PRTSetPrintFixedCol"
Check ctl.PRTGetPrintFixedCol() = False, "PRTGetPrintFixedCol"
Check ctl.PRTSetPrintFixedRow(1) = True, "PRTSetPrintFixedRow"
Check ctl.PRTGetPrintFixedRow() = True, "PRTGetPrintFixedRow"
Check ctl.PRTSetPrintVirtualLine(1) = True, "PRTSetPrintVirtualLine"
Check ctl.PRTGetPrintVirtualLine() = True, "PRTGetPrintVirtualLine"
Check ctl.PRTSetHeaderLeft("HL") = True, "PRTSetHeaderLeft"
Check ctl.PRTGetHeaderLeft() = "HL", "PRTGetHeaderLeft"
Check ctl.PRTSetHeaderCenter(pageText) = True, "PRTSetHeaderCenter"
Check ctl.PRTGetHeaderCenter() = pageText, "PRTGetHeaderCenter"
Check ctl.PRTSetHeaderRight("HR") = True, "PRTSetHeaderRight"
Check ctl.PRTGetHeaderRight() = "HR", "PRTGetHeaderRight"
Check ctl.PRTSetFooterLeft("FL") = True, "PRTSetFooterLeft"
Check ctl.PRTGetFooterLeft() = "FL", "PRTGetFooterLeft"
Check ctl.PRTSetFooterCenter("FC") = True, "PRTSetFooterCenter"
Check ctl.PRTGetFooterCenter() = "FC", "PRTGetFooterCenter"
Check ctl.PRTSetFooterRight("FR") = True, "PRTSetFooterRight"
Check ctl.PRTGetFooterRight() = "FR", "PRTGetFooterRight"
ctl.PRTSetPreviewWndTitle title
Check ctl.PRTGetPreviewWndTitle() = title, "PRTGetPreviewWndTitle"
ctl.PRTSetHideViewBar 1
Check ctl.PRTGetHideViewBar() = 1, "PRTGetHideViewBar"
ctl.PRTSetHideViewBar 0
Check ctl.PRTGetHideViewBar() = 0, "PRTGetHideViewBar off"
Dim font : font = "<font fontname = ""Arial"" fontsize = ""12"" ></font>"
ctl.PRTSetHeaderFont 5, font
Check InStr(ctl.PRTGetHeaderFont(1), "Arial") > 0, "PRTGetHeaderFont 1"
Check InStr(ctl.PRTGetHeaderFont(4), "Arial") > 0, "PRTGetHeaderFont 4"
Check ctl.PRTGetHeaderFont(3) = "", "PRTGetHeaderFont 3"
ctl.PRTSetFooterFont 2, font
Check InStr(ctl.PRTGetFooterFont(2), "Arial") > 0, "PRTGetFooterFont 2"
Check ctl.PRTSetRepeatRange("1:2", 1) = 1, "PRTSetRepeatRange 1"
Check ctl.PRTGetRepeatRange(1) = "1:2", "PRTGetRepeatRange 1"
Check ctl.PRTSetRepeatRange("1", 4) = 1, "PRTSetRepeatRange 4"
Check ctl.PRTGetRepeatRange(4) = "1", "PRTGetRepeatRange 4"
Check ctl.PRTSetRepeatRange("1", 3) = 0, "PRTSetRepeatRange 3"
Check ctl.PRTSetRepeatRange(String(64, "1"), 2) = 0, "PRTSetRepeatRange 64 characters"
Check ctl.PRTGetRepeatRange(16) = "", "PRTGetRepeatRange 16"
Dim w, l
w = 0 : l = 0
Check ctl.PRTGetUserPaper(w, l) = 0, "PRTGetUserPaper with a standard paper"
Check ctl.PRTSetUserPaper(0, 2970) = 0, "PRTSetUserPaper 0"
Check ctl.PRTSetUserPaper(1800, 1200) = 1, "PRTSetUserPaper"
Check ctl.PRTGetUserPaper(w, l) = 1, "PRTGetUserPaper"
Check w = 1800 And l = 1200, "PRTGetUserPaper sizes " & w & " " & l
Check ctl.PRTGetPaper() = 256, "PRTGetPaper custom"
Check ctl.PRTCloseView() = 0, "PRTCloseView without a preview"

Check ctl.PRTPrint() = True, "PRTPrint"

If failures = 0 Then WScript.Echo "print ok"
WScript.Quit failures
