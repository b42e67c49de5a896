' Prints a report from a script (a control without a window): 400 rows under
' a merged title, a header row and a label column repeated on every page,
' framed and coloured cells, Chinese text, a footer with the page number.
' Arguments: the orientation (1 upright, 2 turned) and the paper number.
' Every body row carries one label "Rnnnn" in a column that is not repeated,
' so the test around this script can count each row on paper once.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim orientation : orientation = CInt(WScript.Arguments(0))
Dim paper : paper = CInt(WScript.Arguments(1))
' "华东区销售明细", "第", "页", "行"
Dim title : title = Chr(&HBBAA) & Chr(&HB6AB) & Chr(&HC7F8) & Chr(&HCFFA) & Chr(&HCADB) & Chr(&HC3F7) & Chr(&HCFB8)
Dim di : di = Chr(&HB5DA)
Dim ye : ye = Chr(&HD2B3)
Dim hang : hang = Chr(&HD0D0)

Dim ctl, r, c
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(403) = True, "RowSetCount"
Check ctl.ColumnSetCount(13) = True, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount"
For c = 1 To 12
    Check ctl.ColumnSetWidth(c, 90) = True, "ColumnSetWidth"
    Check ctl.CellSetValue(2, c, "H" & c) = True, "header"
    Check ctl.CellSetBackColor(2, c, &HC0E0FF) = True, "header colour"
Next
Check ctl.GridMergeCells(1, 1, 1, 12) = True, "GridMergeCells"
Check ctl.CellSetValue(1, 1, title) = True, "title"
Check ctl.RowSetHeight(1, 40) = True, "title height"
For r = 3 To 402
    Check ctl.CellSetValue(r, 1, di & (r - 2) & hang) = True, "label"
    Check ctl.CellSetValue(r, 2, "R" & Right("0000" & (r - 2), 4)) = True, "row key"
    For c = 3 To 12 Step 3
        Check ctl.CellSetValue(r, c, CStr((r * c) Mod 997)) = True, "value"
    Next
    If r Mod 10 = 0 Then Check ctl.CellSetTextColor(r, 3, &HFF) = True, "text colour"
Next
For c = 1 To 12
    Check ctl.CellSetBorder(2, c, 15, 0, 0, 2) = True, "header border"
Next
Check ctl.PRTSetPrintFixedRow(0) = True, "PRTSetPrintFixedRow"
Check ctl.PRTSetPrintFixedCol(0) = True, "PRTSetPrintFixedCol"
Check ctl.PRTSetRepeatRange("1:2", 1) = 1, "title rows"
Check ctl.PRTSetRepeatRange("1", 4) = 1, "title column"
Check ctl.PRTSetFooterCenter(di & "&[" & ye & Chr(&HC2EB) & "]" & ye) = True, "footer"
Check ctl.PRTSetOrientation(orientation) = True, "PRTSetOrientation"
Check ctl.PRTSetPaper(paper) = True, "PRTSetPaper"
Check ctl.PRTGetOrientation() = orientation, "PRTGetOrientation"
Check ctl.PRTPrint() = True, "PRTPrint"

If failures = 0 Then WScript.Echo "print ok"
WScript.Quit failures
