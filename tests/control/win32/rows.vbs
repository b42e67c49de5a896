' Drives the Row and Column members of KivoSheet.dll from a script: counts
' and fixed counts, RowToFixed, insertion and deletion with renumbered
' headers, hiding and showing at the old size. Prints one line per failure and
' exits with the number of failures.
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

' Counts and fixed counts.
Check ctl.RowSetCount(10) = True, "RowSetCount(10)"
Check ctl.ColumnSetCount(6) = True, "ColumnSetCount(6)"
Check ctl.RowGetCount() = 10, "RowGetCount"
Check ctl.ColumnGetCount() = 6, "ColumnGetCount"
Check ctl.RowSetCount(0) = False, "RowSetCount(0) refused"
Check ctl.RowGetCount() = 10, "rows kept"
Check ctl.RowSetFixedCount(10) = False, "RowSetFixedCount(rows) sets nothing"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount(1)"
Check ctl.ColumnSetFixedCount(6) = False, "ColumnSetFixedCount(columns) refused"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount(1)"
Check ctl.RowGetFixedCount() = 1, "RowGetFixedCount"
Check ctl.ColumnGetFixedCount() = 1, "ColumnGetFixedCount"
Check ctl.ColumnResetFixed() = 1, "ColumnResetFixed"

' The header cells can be read once the cell members are there.
Dim readable : readable = (ctl.CellGetValue(1, 0) = "1")

Sub CheckRowHeaders(what)
    Dim r
    If Not readable Then Exit Sub
    For r = ctl.RowGetFixedCount() To ctl.RowGetCount() - 1
        Check ctl.CellGetValue(r, 0) = CStr(r - ctl.RowGetFixedCount() + 1), what & ": header of row " & r
    Next
End Sub

' Insertion and deletion.
Check ctl.RowInsert(3, 4, 0) = True, "RowInsert(3, 4)"
Check ctl.RowGetCount() = 14, "rows after the insertion"
CheckRowHeaders "after RowInsert"
Check ctl.RowInsert(0, 1, 0) = False, "RowInsert into the header row"
Check ctl.RowInsert(-1, 2, 1) = True, "RowInsert appending"
Check ctl.RowGetCount() = 16, "rows after appending"
CheckRowHeaders "after appending"
Check ctl.RowDelete(2, 5) = 5, "RowDelete(2, 5)"
Check ctl.RowGetCount() = 11, "rows after the deletion"
CheckRowHeaders "after RowDelete"
Check ctl.RowDelete(50, 1) = 0, "RowDelete outside"
Check ctl.ColumnInsert(0, 1, 0) = False, "ColumnInsert at column 0"
Check ctl.ColumnInsert(2, 3, 1) = True, "ColumnInsert(2, 3, right)"
Check ctl.ColumnGetCount() = 9, "columns after the insertion"
If readable Then Check ctl.CellGetValue(0, 8) = "H", "column letters after the insertion"
Check ctl.ColumnDelete(3, 3) = 3, "ColumnDelete(3, 3)"
Check ctl.ColumnGetCount() = 6, "columns after the deletion"

' Hiding and showing at the old size.
Check ctl.RowSetHeight(4, 37) = True, "RowSetHeight"
Check ctl.ColumnSetWidth(3, 91) = True, "ColumnSetWidth"
Check ctl.RowSetHide(4, 1) = 1, "RowSetHide"
Check ctl.RowIsHide(4) = 1, "RowIsHide"
Check ctl.RowGetHeight(4) = 0, "hidden row height"
Check ctl.ColumnSetHide(3, 1) = 1, "ColumnSetHide"
Check ctl.ColumnIsHide(3) = 1, "ColumnIsHide"
Check ctl.RowInsert(1, 1, 0) = True, "a row inserted above the hidden row"
Check ctl.RowIsHide(5) = 1, "the hidden row moved on"
Check ctl.RowSetHide(5, 0) = 1, "RowSetHide(show)"
Check ctl.RowGetHeight(5) = 37, "shown at the old height"
Check ctl.ColumnSetHide(3, 0) = 1, "ColumnSetHide(show)"
Check ctl.ColumnGetWidth(3) = 91, "shown at the old width"
Check ctl.ColumnIsHide(3) = 0, "ColumnIsHide after showing"

' RowToFixed: the header rows go and the first rows become the headers.
Dim rows : rows = ctl.RowGetCount()
Check ctl.RowToFixed(-1) = 0, "RowToFixed(-1)"
Check ctl.RowToFixed(rows) = 0, "RowToFixed(rows)"
Check ctl.RowToFixed(2) = 1, "RowToFixed(2)"
Check ctl.RowGetFixedCount() = 2, "fixed rows after RowToFixed(2)"
Check ctl.RowGetCount() = rows - 1, "the old header row went"
Check ctl.RowToFixed(0) = 1, "RowToFixed(0)"
Check ctl.RowGetFixedCount() = 0, "no fixed row after RowToFixed(0)"
Check ctl.RowGetCount() = rows - 3, "both header rows went"

' Marks, flags and objects.
Check ctl.ColumnIdToMark(28) = "", "ColumnIdToMark outside"
Check ctl.ColumnIdToMark(2) = "B", "ColumnIdToMark(2)"
ctl.RowSetRefFlags 3
Check ctl.RowGetRefFlags() = 3, "RowGetRefFlags"
Check Not (ctl.RowGetObject(2) Is Nothing), "RowGetObject hands out a row object"

If readable Then WScript.Echo "headers checked" Else WScript.Echo "headers not readable"
If failures = 0 Then WScript.Echo "rows ok"
WScript.Quit failures
