' Saves a sheet through the control into a folder on a full disk (the first
' argument): every save answers its failure value. Prints one line per
' failure and a closing "fulldisk ok".
Option Explicit
Dim failures : failures = 0
Dim folder : folder = WScript.Arguments(0)

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl, r, c
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(200) = True, "RowSetCount"
Check ctl.ColumnSetCount(8) = True, "ColumnSetCount"
For r = 1 To 199
    For c = 1 To 7
        ctl.CellSetValue r, c, "cell " & r & "-" & c & " of a sheet too big for the disk"
    Next
Next
Check ctl.GridSaveCSVFile(folder & "\t.csv") = 0, "GridSaveCSVFile answers 0"
Check ctl.GridSaveExcelFile(folder & "\t.xls", "") = 0, "GridSaveExcelFile answers 0"
Check ctl.GridSaveFile(folder & "\t.kvx", "") = -1, "GridSaveFile answers -1"
If failures = 0 Then WScript.Echo "fulldisk ok"
WScript.Quit failures
