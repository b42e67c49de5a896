' Drives formulas through rows and columns that are inserted, deleted and cut
' by a lowered count, as a script does: CellSetFormula sets them, CellGetValue
' and CellGetFormula read values and formula texts back after RowInsert,
' RowDelete, ColumnInsert, ColumnDelete, RowSetCount and ColumnSetCount.
' A reference to a line that went reads the invalid-reference text (made with Chr from its
' code page 936 codes: Wine's script engine has no ChrW). Prints "FAIL: ..."
' for each failure and "VALUE name=text" (escaped as \xHHHH outside printable
' ASCII) for the texts the host test compares; exits with the failure count.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Function Esc(s)
    Dim i, code, r
    r = ""
    For i = 1 To Len(s)
        code = Asc(Mid(s, i, 1))
        If code < 0 Then code = code + 65536
        If code >= 32 And code < 127 And code <> 92 Then
            r = r & Mid(s, i, 1)
        Else
            r = r & "\x" & Right("000" & Hex(code), 4)
        End If
    Next
    Esc = r
End Function

Sub Value(name, text)
    WScript.Echo "VALUE " & name & "=" & Esc(text)
End Sub

Function G(codes)
    Dim i, r
    r = ""
    For i = 0 To UBound(codes)
        r = r & Chr(codes(i))
    Next
    G = r
End Function
Dim inv : inv = "#" & G(Array(&HD2FD, &HD3C3, &HCEDE, &HD0A7)) & "!"

' A formula cell's text and value, checked together.
Sub Expect(ctl, row, col, formula, value, what)
    Dim f, v
    f = ctl.CellGetFormula(row, col)
    v = ctl.CellGetValue(row, col)
    Check f = formula, what & ": formula " & Esc(f) & " <> " & Esc(formula)
    Check v = value, what & ": value " & Esc(v) & " <> " & Esc(value)
End Sub

Dim ctl, i
' ---- rows: inputs 1..9 in A1..A9, formulas reading them
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(12) = -1, "RowSetCount"
Check ctl.ColumnSetCount(6) = -1, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = -1, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = -1, "ColumnSetFixedCount"
For i = 1 To 9
    Check ctl.CellSetValue(i, 1, CStr(i)) = -1, "input A" & i
Next
Check ctl.CellSetFormula(2, 2, "=A5*100+A4") = 1, "B2"
Check ctl.CellSetFormula(1, 3, "=SUM(A2:A9)") = 1, "C1"
Check ctl.CellSetFormula(1, 4, "=SUM(A6:A8)") = 1, "D1"
Check ctl.CellSetFormula(1, 5, "=B2+1") = 1, "E1"
Expect ctl, 2, 2, "=A5*100+A4", "504", "B2 set"
Expect ctl, 1, 3, "=SUM(A2:A9)", "44", "C1 set"
Expect ctl, 1, 5, "=B2+1", "505", "E1 set"

' Two rows before row 5: what lies below moves down, ranges across grow.
Check ctl.RowInsert(5, 2, 0) = True, "RowInsert(5, 2)"
Check ctl.CellGetValue(7, 1) = "5", "the input moved to row 7"
Expect ctl, 2, 2, "=A7*100+A4", "504", "B2 after RowInsert"
Expect ctl, 1, 3, "=SUM(A2:A11)", "44", "C1 after RowInsert"
Expect ctl, 1, 4, "=SUM(A8:A10)", "21", "D1 after RowInsert"
Expect ctl, 1, 5, "=B2+1", "505", "E1 after RowInsert"
' The moved references still see their inputs change.
Check ctl.CellSetValue(7, 1, "9") = -1, "A7 changed"
Expect ctl, 2, 2, "=A7*100+A4", "904", "B2 follows A7"
Expect ctl, 1, 5, "=B2+1", "905", "E1 follows B2"
Expect ctl, 1, 3, "=SUM(A2:A11)", "48", "C1 follows A7"

' The row B2 reads deleted: its reference turns invalid; ranges shrink.
Check ctl.RowDelete(7, 1) = 1, "RowDelete(7, 1)"
Expect ctl, 2, 2, "=" & inv & "*100+A4", inv, "B2 after RowDelete"
Value "rowdeleted", ctl.CellGetFormula(2, 2)
Expect ctl, 1, 3, "=SUM(A2:A10)", "39", "C1 after RowDelete"
Expect ctl, 1, 4, "=SUM(A7:A9)", "21", "D1 after RowDelete"
' Every row of a range deleted: the range is invalid.
Check ctl.RowDelete(7, 3) = 3, "RowDelete(7, 3)"
Expect ctl, 1, 4, "=SUM(" & inv & ")", inv, "D1 after its rows went"
Expect ctl, 1, 3, "=SUM(A2:A7)", "18", "C1 after RowDelete(7, 3)"
' A lowered row count cuts rows as deleting them does.
Check ctl.RowSetCount(6) = -1, "RowSetCount(6)"
Expect ctl, 1, 3, "=SUM(A2:A5)", "9", "C1 after RowSetCount"
Check ctl.RowSetCount(12) = -1, "RowSetCount(12)"
Check ctl.CellSetValue(7, 1, "100") = -1, "a new row 7"
Expect ctl, 1, 3, "=SUM(A2:A5)", "9", "C1 does not reach the new row"

' ---- columns: inputs 1..6 in A1..F1 of a second sheet
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(6) = -1, "RowSetCount"
Check ctl.ColumnSetCount(8) = -1, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = -1, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = -1, "ColumnSetFixedCount"
For i = 1 To 6
    Check ctl.CellSetValue(1, i, CStr(i)) = -1, "input column " & i
Next
Check ctl.CellSetFormula(3, 1, "=SUM(B1:E1)") = 1, "A3"
Check ctl.CellSetFormula(3, 2, "=D1*10") = 1, "B3"
Check ctl.CellSetFormula(3, 3, "=A1+F1") = 1, "C3"
Expect ctl, 3, 1, "=SUM(B1:E1)", "14", "A3 set"

' Two columns before column C.
Check ctl.ColumnInsert(3, 2, 0) = True, "ColumnInsert(3, 2)"
Expect ctl, 3, 1, "=SUM(B1:G1)", "14", "A3 after ColumnInsert"
Expect ctl, 3, 2, "=F1*10", "40", "B3 after ColumnInsert"
Expect ctl, 3, 5, "=A1+H1", "7", "C3 moved to E3"
' Column F (the input B3 reads) deleted.
Check ctl.ColumnDelete(6, 1) = 1, "ColumnDelete(6, 1)"
Expect ctl, 3, 2, "=" & inv & "*10", inv, "B3 after ColumnDelete"
Value "columndeleted", ctl.CellGetFormula(3, 2)
Expect ctl, 3, 1, "=SUM(B1:F1)", "10", "A3 after ColumnDelete"
Expect ctl, 3, 5, "=A1+G1", "7", "E3 after ColumnDelete"
' A lowered column count cuts G.
Check ctl.ColumnSetCount(7) = -1, "ColumnSetCount(7)"
Expect ctl, 3, 5, "=A1+" & inv, inv, "E3 after ColumnSetCount"
Expect ctl, 3, 1, "=SUM(B1:F1)", "10", "A3 after ColumnSetCount"

If failures = 0 Then WScript.Echo "formulas ok"
WScript.Quit failures
