' Drives the Grid members of KivoSheet.dll from a script: the default-setting
' object applied and read back, six cells set through a range object, and the
' freeze, selection and colour members. Prints one line per failure and exits
' with the number of failures.
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
Check ctl.RowSetCount(10) = True, "RowSetCount(10)"
Check ctl.ColumnSetCount(6) = True, "ColumnSetCount(6)"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount(1)"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount(1)"

' The default-setting record: a copy out, changed, handed back, read again.
Dim gds
Set gds = ctl.GridGetDefaultSetting()
Check Not gds Is Nothing, "GridGetDefaultSetting"
Check gds.bEditable = 1, "a new sheet is editable"
gds.bEditable = 0
gds.bTip = 0
gds.nRowHeight = 30
gds.bIMResetInitRowHeight = 1
gds.crSelColor = RGB(1, 2, 3)
gds.strFontXml = "<font fontname = ""Arial"" fontsize = ""11"" ></font>"
Check ctl.GridGetDefaultSetting().bEditable = 1, "the copy changes nothing by itself"
ctl.GridSetDefautSetting gds
Dim back
Set back = ctl.GridGetDefaultSetting()
Check back.bEditable = 0, "bEditable read back"
Check back.bTip = 0, "bTip read back"
Check back.nRowHeight = 30, "nRowHeight read back"
Check back.crSelColor = RGB(1, 2, 3), "crSelColor read back"
Check back.strFontXml = gds.strFontXml, "strFontXml read back"
Check ctl.RowGetHeight(1) = 30 And ctl.RowGetHeight(9) = 30, "every row 30 high"
ctl.GridSetDefautSetting Nothing
Check ctl.GridGetDefaultSetting().nRowHeight = 30, "no object changes nothing"

' Six cells through a range object.
Dim rng
Set rng = ctl.GridGetRangeObject(1, 1, 2, 3)
Check Not rng Is Nothing, "GridGetRangeObject(1, 1, 2, 3)"
Check rng.nMinRow = 1 And rng.nMinCol = 1 And rng.nMaxRow = 2 And rng.nMaxCol = 3, "range bounds"
rng.strValue = "six"
Dim r, c, count : count = 0
For r = 1 To 2
    For c = 1 To 3
        If ctl.CellGetValue(r, c) = "six" Then count = count + 1
    Next
Next
Check count = 6, "six cells set, found " & count
Check ctl.CellGetValue(3, 1) = "" And ctl.CellGetValue(1, 4) = "", "cells outside the range unchanged"
Check ctl.GridGetRangeObject(3, 3, 2, 2) Is Nothing, "an unordered range gives no object"

' Freezing.
Check ctl.GridSetFreezeTopRows(2) = 1, "GridSetFreezeTopRows(2)"
Check ctl.GridGetFreezeTopRows() = 2, "GridGetFreezeTopRows"
Check ctl.GridSetFreezeBottomRows(8) = 0, "bottom rows reaching the row count refused"
Check ctl.GridSetFreezeBottomRows(1) = 1, "GridSetFreezeBottomRows(1)"
Check ctl.GridSetFreezeLeftCols(6) = 0, "left columns reaching the column count refused"
Check ctl.GridSetFreezeLeftCols(1) = 1, "GridSetFreezeLeftCols(1)"
Check ctl.GridGetFreezeLeftCols() = 1, "GridGetFreezeLeftCols"

' Selection.
Check ctl.GridSetSelectRange(1, 1, 2, 3) = True, "GridSetSelectRange"
Check ctl.GridGetSelectedCount() = 6, "six cells selected"
Check ctl.GridGetSelectRangeJ(2) = 2 And ctl.GridGetSelectRangeJ(3) = 3, "GridGetSelectRangeJ"
Check ctl.GridSetSelectRange(0, 0, 1, 1) = False, "a range over the headers applies nothing"
Check ctl.GridGetSelectedCellJ(5, 1) = 3, "GridGetSelectedCellJ"
Check ctl.GridGetSelectedCellJ(6, 0) = -1, "past the last selected cell"
Check ctl.GridSetSelectMode(4) = False, "GridSetSelectMode(4)"
Check ctl.GridSetSelectMode(2) = True, "GridSetSelectMode(2)"
Check ctl.GridGetSelectMode() = 2, "GridGetSelectMode"
ctl.GridClearSelection
Check ctl.GridGetSelectedCount() = 0, "GridClearSelection"

' Colours.
Check ctl.GridSetFixedBkColor(RGB(10, 20, 30)) = True, "GridSetFixedBkColor"
Check ctl.GridGetFixedBkColor() = RGB(10, 20, 30), "GridGetFixedBkColor"
Check ctl.GridSetTextColor(RGB(40, 50, 60)) = True, "GridSetTextColor"
Check ctl.GridGetTextColor() = RGB(40, 50, 60), "GridGetTextColor"
Check ctl.GridSetBackColor(RGB(70, 80, 90)) = True, "GridSetBackColor"
Check ctl.GridGetBackColor() = RGB(70, 80, 90), "GridGetBackColor"
ctl.GridSetSelBkColor RGB(5, 6, 7)
Check ctl.GridGetSelBkColor() = RGB(5, 6, 7), "GridGetSelBkColor"
ctl.GridSetRowOddBkColor RGB(200, 200, 255)
Check ctl.GridGetRowOddSetting() = True, "odd rows coloured"
ctl.GridCancelRowOddBkColor
Check ctl.GridGetRowOddSetting() = False, "odd rows plain again"
Check ctl.GridRGB(1, 2, 3) = RGB(1, 2, 3), "GridRGB"

If failures = 0 Then WScript.Echo "grid ok"
WScript.Quit failures
