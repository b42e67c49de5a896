' Drives the Row and Column members of KivoSheet.dll from a script: counts
' and fixed counts, insertion and deletion with renumbered headers, hiding and
' showing at the old size, whole-line colours, selecting a line, scrolling a
' line to the front, the fixed-line conversions, flags and dragged sizes. Prints one line per failure and
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

' Whole-line colours: every scrollable cell of the line takes the colour, the
' header cell keeps its own; the getters read the first scrollable cell.
Dim lastRow, lastCol
lastRow = ctl.RowGetCount() - 1
lastCol = ctl.ColumnGetCount() - 1
Check ctl.RowSetBackColor(2, &H123456) = True, "RowSetBackColor"
Check ctl.RowGetBackColor(2) = &H123456, "RowGetBackColor"
Check ctl.CellGetBackColor(2, lastCol) = &H123456, "the row's last cell has the back colour"
Check ctl.CellGetBackColor(2, 0) <> &H123456, "the row's header cell keeps its back colour"
Check ctl.RowSetTextColor(2, &H654321) = True, "RowSetTextColor"
Check ctl.RowGetTextColor(2) = &H654321, "RowGetTextColor"
Check ctl.CellGetTextColor(2, lastCol) = &H654321, "the row's last cell has the text colour"
Check ctl.CellGetTextColor(2, 0) <> &H654321, "the row's header cell keeps its text colour"
Check ctl.RowGetBackColor(3) <> &H123456, "the next row keeps its colour"
Check ctl.RowSetBackColor(lastRow + 1, 1) = False, "RowSetBackColor outside"
Check ctl.ColumnSetBackColor(4, &H010203) = True, "ColumnSetBackColor"
Check ctl.ColumnGetBackColor(4) = &H010203, "ColumnGetBackColor"
Check ctl.CellGetBackColor(lastRow, 4) = &H010203, "the column's last cell has the back colour"
Check ctl.CellGetBackColor(0, 4) <> &H010203, "the column's header cell keeps its back colour"
Check ctl.CellGetBackColor(2, 4) = &H010203, "the later colour wins where the lines cross"
Check ctl.ColumnSetTextColor(4, &H0A0B0C) = True, "ColumnSetTextColor"
Check ctl.ColumnGetTextColor(4) = &H0A0B0C, "ColumnGetTextColor"
Check ctl.CellGetTextColor(lastRow, 4) = &H0A0B0C, "the column's last cell has the text colour"
Check ctl.CellGetTextColor(0, 4) <> &H0A0B0C, "the column's header cell keeps its text colour"
Check ctl.ColumnGetTextColor(5) <> &H0A0B0C, "the next column keeps its colour"
Check ctl.ColumnSetTextColor(lastCol + 1, 1) = False, "ColumnSetTextColor outside"

' Selecting a whole line: its scrollable part, nothing of the headers.
Check ctl.RowSelect(0) = False, "RowSelect of the header row"
Check ctl.RowSelect(lastRow + 1) = False, "RowSelect outside"
Check ctl.RowSelect(3) = True, "RowSelect(3)"
Check ctl.CellIsSelected(3, 1) And ctl.CellIsSelected(3, lastCol), "the row's cells are selected"
Check Not ctl.CellIsSelected(3, 0), "the row's header cell is not selected"
Check Not ctl.CellIsSelected(2, 1) And Not ctl.CellIsSelected(4, 1), "the rows beside it are not selected"
Check ctl.ColumnSelect(0) = False, "ColumnSelect of the header column"
Check ctl.ColumnSelect(4) = True, "ColumnSelect(4)"
Check ctl.CellIsSelected(1, 4) And ctl.CellIsSelected(lastRow, 4), "the column's cells are selected"
Check Not ctl.CellIsSelected(0, 4), "the column's header cell is not selected"
Check Not ctl.CellIsSelected(3, 1), "the row selection was replaced"

' Scrolling a line to the front: RowSetTop takes the focus along, ColumnSetLeft
' leaves it where it was.
Check ctl.RowSetCount(40) = True, "RowSetCount(40)"
Check ctl.ColumnSetCount(20) = True, "ColumnSetCount(20)"
Check ctl.RowSetHeight(6, 45) = True, "a taller row before the target"
Check ctl.ColumnSetWidth(5, 130) = True, "a wider column before the target"
Check ctl.CellSetFocus(2, 3) = True, "CellSetFocus(2, 3)"
Check ctl.RowGetTop() = 1, "RowGetTop before scrolling"
Check ctl.ColumnGetLeft() = 1, "ColumnGetLeft before scrolling"
Check ctl.RowSetTop(9) = True, "RowSetTop(9)"
Check ctl.RowGetTop() = 9, "RowGetTop after RowSetTop(9)"
Check ctl.CellGetFocusJ(0) = 9 And ctl.CellGetFocusJ(1) = 3, "the focus went to row 9"
Check ctl.RowSetTop(9) = True, "RowSetTop on the top row"
Check ctl.RowGetTop() = 9, "the top row stays"
Check ctl.RowSetTop(0) = False, "RowSetTop of the header row"
Check ctl.RowSetTop(40) = False, "RowSetTop outside"
Check ctl.ColumnSetLeft(7) = True, "ColumnSetLeft(7)"
Check ctl.ColumnGetLeft() = 7, "ColumnGetLeft after ColumnSetLeft(7)"
Check ctl.CellGetFocusJ(0) = 9 And ctl.CellGetFocusJ(1) = 3, "the focus stays at (9, 3)"
Check ctl.CellIsSelected(9, 3) And Not ctl.CellIsSelected(1, 4), "the focus cell alone is selected"
Check ctl.ColumnSetLeft(20) = False, "ColumnSetLeft outside"
Check ctl.ColumnGetLeft() = 7, "the left column stays"
Check ctl.RowSetTop(1) = True And ctl.ColumnSetLeft(1) = True, "back to the start"
Check ctl.RowGetTop() = 1 And ctl.ColumnGetLeft() = 1, "scrolled back"
Check ctl.RowSetCount(lastRow + 1) = True And ctl.ColumnSetCount(lastCol + 1) = True, "the old size again"

' No divider is being dragged: the dragged sizes are 0.
Check ctl.ColumnGetDragWidth() = 0, "ColumnGetDragWidth without a drag"
Check ctl.RowGetDragHeight() = 0, "RowGetDragHeight without a drag"

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

' RowResetFixed: one header row again, the column letters written into it.
Check ctl.RowResetFixed() = 1, "RowResetFixed"
Check ctl.RowGetFixedCount() = 1, "one fixed row after RowResetFixed"
Check ctl.RowGetCount() = rows - 3, "RowResetFixed adds no row"
If readable Then Check ctl.CellGetValue(0, 1) = "A" And ctl.CellGetValue(0, 5) = "E", "column letters after RowResetFixed"
Check ctl.RowResetFixed() = 1, "RowResetFixed again"
Check ctl.RowGetFixedCount() = 1, "still one fixed row"

' ColumnToFixed: the header columns go and the first columns become the headers.
Dim cols : cols = ctl.ColumnGetCount()
Check ctl.ColumnToFixed(-1) = 0, "ColumnToFixed(-1)"
Check ctl.ColumnToFixed(cols - 1) = 0, "ColumnToFixed(columns - 1) reaches the column count"
Check ctl.CellSetValue(2, 1, "first data column") = True, "a text in the first data column"
Check ctl.ColumnToFixed(1) = 1, "ColumnToFixed(1)"
Check ctl.ColumnGetFixedCount() = 1, "fixed columns after ColumnToFixed(1)"
Check ctl.ColumnGetCount() = cols - 1, "the old header column went"
If readable Then Check ctl.CellGetValue(2, 0) = "first data column", "the first data column is the header column"
Check ctl.ColumnToFixed(0) = 1, "ColumnToFixed(0)"
Check ctl.ColumnGetFixedCount() = 0, "no fixed column after ColumnToFixed(0)"
Check ctl.ColumnGetCount() = cols - 2, "both header columns went"
Check ctl.ColumnResetFixed() = 1, "ColumnResetFixed"
Check ctl.ColumnGetFixedCount() = 1, "one fixed column after ColumnResetFixed"

' Marks, flags and objects.
Check ctl.ColumnIdToMark(28) = "", "ColumnIdToMark outside"
Check ctl.ColumnIdToMark(2) = "B", "ColumnIdToMark(2)"
ctl.RowSetRefFlags 3
Check ctl.RowGetRefFlags() = 3, "RowGetRefFlags"
ctl.ColumnSetRefFlags 5
Check ctl.ColumnGetRefFlags() = 5, "ColumnGetRefFlags"
Check ctl.RowGetRefFlags() = 3, "the row flags are kept apart from the column flags"
ctl.ColumnSetRefFlags -2
Check ctl.ColumnGetRefFlags() = -2, "ColumnGetRefFlags of a negative setting"
Check Not (ctl.RowGetObject(2) Is Nothing), "RowGetObject hands out a row object"

If readable Then WScript.Echo "headers checked" Else WScript.Echo "headers not readable"
If failures = 0 Then WScript.Echo "rows ok"
WScript.Quit failures
