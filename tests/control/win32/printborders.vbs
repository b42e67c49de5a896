' Prints a framed sheet from a script: the control has no window here. Rows
' 1-5 and columns 1-4 (the fixed row and column are not printed), every cell
' framed in black lines of width 2, the grid's own lines not printed. The
' test around this script reads the page back and counts the lines.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl, r, c
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(6) = True, "RowSetCount"
Check ctl.ColumnSetCount(5) = True, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount"
For r = 1 To 5
    Check ctl.RowSetHeight(r, 40) = True, "RowSetHeight " & r
    For c = 1 To 4
        If r = 1 Then Check ctl.ColumnSetWidth(c, 120) = True, "ColumnSetWidth " & c
        Check ctl.CellSetValue(r, c, "R" & r & "C" & c) = True, "CellSetValue"
        Check ctl.CellSetBorder(r, c, 15, 0, 0, 2) = True, "CellSetBorder " & r & " " & c
    Next
Next
Check ctl.PRTSetPrintFixedRow(0) = True, "PRTSetPrintFixedRow"
Check ctl.PRTSetPrintFixedCol(0) = True, "PRTSetPrintFixedCol"
Check ctl.PRTSetPrintVirtualLine(0) = True, "PRTSetPrintVirtualLine"
Check ctl.PRTSetOrientation(1) = True, "PRTSetOrientation"
Check ctl.PRTPrint() = True, "PRTPrint"

If failures = 0 Then WScript.Echo "print ok"
WScript.Quit failures
