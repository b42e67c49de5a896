' Drives the two workbook members that go through a spreadsheet program's
' automation server (the stand-in server the test registered): a sheet with
' Chinese text, a number, a formula and a merged block written into a
' workbook and read back. With "unregistered" as the second argument both
' members answer 0 (the test closes their message boxes). The folder is the
' first argument. Prints one line per failure and a closing "excel ok".
Option Explicit
Dim failures : failures = 0
Dim folder : folder = WScript.Arguments(0)
Dim mode : mode = ""
If WScript.Arguments.Count > 1 Then mode = WScript.Arguments(1)

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(6) = True, "RowSetCount"
Check ctl.ColumnSetCount(5) = True, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount"
Dim zhText : zhText = Chr(&HD6D0) & Chr(&HCEC4)
Dim path : path = folder & "\sheet.book"

If mode = "unregistered" Then
    Check ctl.GridSaveExcelFileForOle(path, "") = 0, "export without a server"
    Check ctl.GridImportExcelFileForOle(folder & "\calls.log", "", 1) = 0, "import without a server"
Else
    Check ctl.CellSetValue(1, 1, zhText) = -1, "CellSetValue"
    Check ctl.CellSetValue(1, 2, "8") = -1, "CellSetValue number"
    Check ctl.CellSetFormula(2, 2, "=B1*2") = 1, "CellSetFormula"
    Check ctl.CellSetValue(3, 1, "block") = -1, "CellSetValue block"
    Check ctl.GridMergeCells(3, 1, 4, 2) = True, "GridMergeCells"
    Check ctl.GridSaveExcelFileForOle(path, "") = 1, "GridSaveExcelFileForOle"
    Check ctl.GridSaveExcelFileForOle(folder & "\no\such\sheet.book", "") = 0, "a missing folder"
    Check ctl.CellSetValue(1, 1, "changed") = -1, "CellSetValue changed"
    Check ctl.GridImportExcelFileForOle(path, "", 3) = 0, "a sheet index out of range"
    Check ctl.CellGetValue(1, 1) = "changed", "the sheet is left as it was"
    Check ctl.GridImportExcelFileForOle(path, "", 1) = 1, "GridImportExcelFileForOle"
    Check ctl.CellGetValue(1, 1) = zhText, "Chinese text back"
    Check ctl.CellGetValue(1, 2) = "8", "number back"
    Check ctl.CellGetFormula(2, 2) = "=B1*2", "formula back"
    Check ctl.CellGetValue(2, 2) = "16", "formula value back"
    Check ctl.CellIsMerged(4, 2) = True, "merged block back"
    Check ctl.CellGetValue(3, 1) = "block", "block text back"
    Check ctl.RowGetCount() = 6, "rows of the used range and the fixed row"
End If

If failures = 0 Then WScript.Echo "excel ok"
