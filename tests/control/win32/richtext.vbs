' Drives the rich-text (SE) members of the control as a script does: every
' member answers its no-target value before a cell is locked; a rich-text
' cell locked with SELockContent takes formats, text and undo, and
' SEUnlockContent writes its text back. Prints "FAIL: ..." for each failure,
' the RTF as "VALUE rtf=..." (ASCII only), and exits with the number of
' failures.
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
Check ctl.RowSetCount(6) = -1, "RowSetCount"
Check ctl.ColumnSetCount(4) = -1, "ColumnSetCount"

' ---- no target
Dim s, e, colour, buffer
Check ctl.SEUnlockContent() = 0, "SEUnlockContent without a target"
Check ctl.SECharSetBold(True) = 0, "SECharSetBold without a target"
Check ctl.SECharGetBold() = 0, "SECharGetBold without a target"
Check ctl.SECharGetFontSize() = -1, "SECharGetFontSize without a target"
Check ctl.SECharGetTextColor() = -1, "SECharGetTextColor without a target"
Check ctl.SECharGetFontName() = "", "SECharGetFontName without a target"
Check ctl.SEParaGetAlign() = 0, "SEParaGetAlign without a target"
Check ctl.SEParaGetCount() = 0, "SEParaGetCount without a target"
Check ctl.SECtrlGetRTF() = "", "SECtrlGetRTF without a target"
Check ctl.SECtrlGetText() = "", "SECtrlGetText without a target"
Check ctl.SECharGetSel(s, e) = 0, "SECharGetSel without a target"
Check ctl.SECharGetBgColor(colour) = 0, "SECharGetBgColor without a target"
Check ctl.SECharGetSelJ(0) = -1, "SECharGetSelJ without a target"
Check ctl.SECharGetBgColorJ() = -1, "SECharGetBgColorJ without a target"
Check ctl.SEParaGetLinespacingJ() = -1, "SEParaGetLinespacingJ without a target"
Check ctl.SEParaGetContentJ() = "", "SEParaGetContentJ without a target"
Check ctl.SECharGetSelTextExJ(0, 2) = "", "SECharGetSelTextExJ without a target"
Check ctl.SECtrlSetText("x") = 0, "SECtrlSetText without a target"
Check ctl.SELockContent(99, 99) = 0, "SELockContent outside the sheet"

' ---- a locked rich-text cell
Check ctl.CellSetControl(2, 2, "<control controltype = ""superedit"" ></control>") = -1, "CellSetControl superedit"
Check ctl.CellSetValue(2, 2, "hello world") = -1, "CellSetValue"
Check ctl.SELockContent(2, 2) = -1, "SELockContent"
Check ctl.SECtrlGetText() = "hello world", "SECtrlGetText opens with the cell's text"
Check ctl.SEParaGetCount() = 1, "SEParaGetCount"
Check ctl.SECharSetBoldEx(0, 5, True) = -1, "SECharSetBoldEx True"
Check ctl.SECharGetBoldEx(0, 5) = -1, "bold on"
Check ctl.SECharGetBoldEx(0, 7) = 0, "bold mixed"
Check ctl.SECharSetFontSizeEx(6, 11, 16) = -1, "SECharSetFontSizeEx"
Check ctl.SECharGetFontSizeEx(6, 11) = 16, "SECharGetFontSizeEx"
Check ctl.SECharGetSelTextExJ(6, 11) = "world", "SECharGetSelTextExJ"
Check ctl.SECtrlInsertTextEx(5, ",") = -1, "SECtrlInsertTextEx"
Check ctl.SECtrlGetCanUndo() = -1, "SECtrlGetCanUndo"
Check ctl.SECharSetSel(0, 2) = -1, "SECharSetSel"
Check ctl.SECharGetSel(s, e) = -1 And s = 0 And e = 2, "SECharGetSel"
Check ctl.SECharGetSelJ(1) = 2, "SECharGetSelJ"
Dim rtf : rtf = ctl.SECtrlGetRTF()
Check InStr(rtf, "\b") > 0, "the RTF carries bold"
WScript.Echo "VALUE rtf=" & Replace(Replace(rtf, vbCr, ""), vbLf, "")
Check ctl.SEUnlockContent() = -1, "SEUnlockContent"
Check ctl.CellGetValue(2, 2) = "hello, world", "the text written back"
Check ctl.SECharGetBold() = 0, "no target after unlocking"

If failures = 0 Then WScript.Echo "richtext ok"
WScript.Quit failures
