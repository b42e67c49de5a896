' Drives the rich-text (SE) members of the control as a script does: every
' member answers its no-target value before a cell is locked; a rich-text
' cell locked with SELockContent takes formats, text and undo, and
' SEUnlockContent writes its text back; RTF set through SECtrlSetRTF is kept
' by the cell over an unlock and a relock; locking a second cell writes the
' first one back. Prints "FAIL: ..." for each failure,
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
Check ctl.SEUnlockContent() = 0, "a second SEUnlockContent"

' ---- rich text set, kept by the cell and read back after a relock
Dim zhong : zhong = Chr(&HD6D0)
Check ctl.CellSetControl(3, 2, "<control controltype = ""superedit"" ></control>") = -1, "CellSetControl superedit (3, 2)"
Check ctl.SELockContent(3, 2) = -1, "SELockContent (3, 2)"
Check ctl.SECtrlSetRTF("{\rtf1\ansi\ansicpg936{\colortbl ;\red255\green0\blue0;}\b0\cf1 red\b  bold\par \b0\'d6\'d0 two}") = -1, "SECtrlSetRTF"
Check ctl.SEParaGetCount() = 2, "two paragraphs"
Check ctl.SECharGetTextColorEx(0, 3) = 255, "the red run"
Check ctl.SECharGetBoldEx(4, 8) = -1, "the bold run"
Check ctl.SECharGetBoldEx(0, 8) = 0, "bold is mixed over both runs"
Check ctl.SEParaGetContentExJ(1, 1) = zhong & " two", "the second paragraph"
Check ctl.SEParaSetAlignEx(1, 1, 3) = -1, "SEParaSetAlignEx centre"
Check ctl.SEParaGetAlignEx(1, 1) = 3, "centred"
Check ctl.SEParaGetAlignEx(0, 0) = 1, "the first paragraph stays left"
' Locking another cell first closes this one, writing its content back.
Check ctl.SELockContent(2, 2) = -1, "SELockContent (2, 2) while (3, 2) is locked"
Check ctl.CellGetValue(3, 2) = "red bold" & vbCrLf & zhong & " two", "(3, 2) written back by the relock"
Check ctl.SECtrlGetText() = "hello, world", "the target is (2, 2) now"
Check ctl.SEUnlockContent() = -1, "SEUnlockContent (2, 2)"
Check ctl.SELockContent(3, 2) = -1, "SELockContent (3, 2) again"
Check ctl.SECharGetTextColorEx(0, 3) = 255, "the colour kept by the cell"
Check ctl.SEParaGetAlignEx(1, 1) = 3, "the alignment kept by the cell"
Check ctl.SECharGetBoldEx(4, 8) = -1, "bold kept by the cell"
Check ctl.SEUnlockContent() = -1, "SEUnlockContent (3, 2)"
' A plain cell becomes the target but opens no rich text: it answers 0 to
' every SE operation, and unlocking releases it.
Check ctl.CellSetValue(4, 3, "plain") = -1, "CellSetValue (4, 3)"
Check ctl.SELockContent(4, 3) = 0, "SELockContent on a plain cell"
Check ctl.SECharSetBold(1) = 0, "a plain cell takes no SE operation"
Check ctl.SECtrlGetText() = "", "a plain cell gives no rich-text content"
Check ctl.SEUnlockContent() = -1, "SEUnlockContent releases the plain cell"
Check ctl.SEUnlockContent() = 0, "nothing left to unlock"
Check ctl.CellGetValue(4, 3) = "plain", "the plain cell unchanged"

If failures = 0 Then WScript.Echo "richtext ok"
WScript.Quit failures
