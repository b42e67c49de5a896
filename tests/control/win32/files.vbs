' Drives the file, string and export members of KivoSheet.dll from a script:
' a sheet saved to a template file and a Base64 string, changed, and opened
' again from each; a CSV file and a workbook written for the host's readers
' (the folder is the first argument); a cancelled file dialog. Prints one
' line per failure and a closing "files ok".
Option Explicit
Dim failures : failures = 0
Dim folder : folder = WScript.Arguments(0)

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(4) = True, "RowSetCount"
Check ctl.ColumnSetCount(3) = True, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount"
' Chinese text from code page 936 codes: "zhong wen".
Dim zhText : zhText = Chr(&HD6D0) & Chr(&HCEC4)
Check ctl.CellSetValue(1, 1, zhText) = -1, "CellSetValue"
Check ctl.CellSetValue(1, 2, "a,b") = -1, "CellSetValue comma"
Check ctl.CellSetValue(2, 1, "12.5") = -1, "CellSetValue number"

' A template file.
Dim path : path = folder & "\sheet.kvx"
Check ctl.GridSaveFile(path, "pw") = 1, "GridSaveFile"
Check ctl.CellSetValue(1, 1, "changed") = -1, "change"
Check ctl.GridOpenFile(path, "wrong") = -2, "GridOpenFile with a wrong password"
Check ctl.CellGetValue(1, 1) = "changed", "a wrong password leaves the sheet"
Check ctl.GridOpenFile(path, "pw") = 1, "GridOpenFile"
Check ctl.CellGetValue(1, 1) = zhText, "text back from the file"

' A template string.
Dim text : text = ctl.GridSaveBase64String("")
Check Left(text, 20) = "S0lWTwAwNC4wMQBYAAAA", "GridSaveBase64String starts with the header"
Check ctl.CellSetValue(2, 1, "changed") = -1, "change again"
Check ctl.GridOpenBase64String("not base64", "") = -1, "GridOpenBase64String of a bad text"
Check ctl.CellGetValue(2, 1) = "changed", "a bad text leaves the sheet"
Check ctl.GridOpenBase64String(text, "") = 1, "GridOpenBase64String"
Check ctl.CellGetValue(2, 1) = "12.5", "text back from the string"

' Exports for the host's readers.
Check ctl.GridSaveCSVFile(folder & "\sheet.csv") = 1, "GridSaveCSVFile"
Check ctl.GridSaveExcelFile(folder & "\sheet.xls", "") = 1, "GridSaveExcelFile"
Check InStr(ctl.GridSaveCSVString(), "a,b") > 0, "GridSaveCSVString"

' The dialog is cancelled by the test around this script.
Check ctl.GridShowDialog(1, "Templates (*.kvx)|*.kvx|", "a.kvx") = "", "cancelled GridShowDialog"

If failures = 0 Then WScript.Echo "files ok"
WScript.Quit failures
