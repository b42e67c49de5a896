' Drives the bind members and objects of KivoSheet.dll from a script: a body
' bind with a group field and a summed field built from field objects, filled
' from a recordset written in this script, read back through the cells; a
' second bind filled by DBFillAllBindData; an object kept after its bind was
' deleted. Prints one line per failure and a closing "binds ok".
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' A field of the script's recordset.
Class ScriptField
    Public Name
    Public Value
End Class

' The fields of the current record, by position or by name. Arrays held in
' another object's members are copied into locals before they are indexed:
' Wine's script engine cannot index a member's array in place
' (Owner.Rows(0) ends the script there).
Class ScriptFields
    Public Owner
    Public Property Get Count
        Count = UBound(Owner.Names) + 1
    End Property
    Public Default Function Item(key)
        Dim names, rows, row, i, j, f
        names = Owner.Names
        rows = Owner.Rows
        i = -1
        If VarType(key) = vbString Then
            For j = 0 To UBound(names)
                If names(j) = key Then i = j
            Next
        Else
            i = key
        End If
        If i < 0 Or i > UBound(names) Then
            Set Item = Nothing
            Exit Function
        End If
        row = rows(Owner.Position)
        Set f = New ScriptField
        f.Name = names(i)
        f.Value = row(i)
        Set Item = f
    End Function
End Class

' A recordset as a data-access library shows one: EOF, MoveFirst, MoveNext,
' RecordCount and Fields.
Class ScriptRecordset
    Public Names
    Public Rows
    Public Position
    Public Property Get EOF
        EOF = Position > UBound(Rows)
    End Property
    Public Sub MoveFirst
        Position = 0
    End Sub
    Public Sub MoveNext
        Position = Position + 1
    End Sub
    Public Property Get RecordCount
        RecordCount = UBound(Rows) + 1
    End Property
    Public Property Get Fields
        Dim f : Set f = New ScriptFields
        Set f.Owner = Me
        Set Fields = f
    End Property
End Class

Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(2) = True, "RowSetCount"
Check ctl.ColumnSetCount(5) = True, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount"

Check ctl.DBAddBind("") Is Nothing, "DBAddBind with an empty name"
Dim bind : Set bind = ctl.DBAddBind("body")
Check Not (bind Is Nothing), "DBAddBind"
Check ctl.DBAddBind("body") Is Nothing, "DBAddBind of an existing name"
Check ctl.DBFindBind("body") = 0, "DBFindBind"
Check bind.strName = "body", "strName"

Dim grp : Set grp = CreateObject("KivoSheet.KivoBindField.1")
grp.sFieldName = "grp"
grp.nCol = 1
grp.iGroup = 1
Check bind.AddField(grp) = 0, "AddField group"
Dim amount : Set amount = CreateObject("KivoSheet.KivoBindField.1")
amount.sFieldName = "amount"
amount.nCol = 2
amount.emStatisticsType = 1
Check bind.AddField(amount) = 1, "AddField amount"
Dim serial : Set serial = CreateObject("KivoSheet.KivoBindField.1")
serial.nCol = 3
serial.emFieldBindType = 1
Check bind.AddField(serial) = 2, "AddField serial"
Check bind.AddField(amount) = 1, "AddField for an occupied cell"
Check bind.nFieldCount = 3, "nFieldCount"
Check bind.FindField(-1, 2) = 1, "FindField"
Check bind.GetFieldEx(-1, 2).sFieldName = "amount", "GetFieldEx"
Check bind.GetFieldEx(7, 7) Is Nothing, "GetFieldEx of a free cell"

Dim gr : Set gr = bind.GetGroupRowInfo()
gr.bGroupAddColValue = 1
Check bind.SetGroupRowInfo(gr) = 1, "SetGroupRowInfo"

Dim rs : Set rs = New ScriptRecordset
rs.Names = Array("grp", "amount")
rs.Rows = Array(Array("A", 1), Array("A", 2), Array("B", 5000000000))
rs.Position = 0
bind.BindSource rs
Check bind.FillData() = 6, "FillData count"

Dim caption : caption = " " & Chr(&HB7D6) & Chr(&HD7E9) & Chr(&HBACF) & Chr(&HBCC6) & " "
Dim expected, i
expected = Array("A", "A", "A" & caption, "B", "B" & caption, caption)
For i = 0 To 5
    Check ctl.CellGetValue(1 + i, 1) = expected(i), "group column row " & (1 + i) & ": " & ctl.CellGetValue(1 + i, 1)
Next
' Numbers land as numbers: CellGetValue gives a number cell's text (empty),
' CellGetValueEx its value and CellGetValueEx2 the text shown.
expected = Array(1, 2, 3, 5000000000, 5000000000, 5000000003)
For i = 0 To 5
    Check ctl.CellGetValueEx(1 + i, 2) = expected(i), "amount row " & (1 + i) & ": " & ctl.CellGetValueEx(1 + i, 2)
Next
Check ctl.CellGetValue(1, 2) = "", "a number cell has no text"
Check ctl.CellGetValueEx2(6, 2) = "5000000003", "grand total shown: " & ctl.CellGetValueEx2(6, 2)
Check ctl.CellGetValueEx(4, 3) = 3, "serial after the subtotal: " & ctl.CellGetValueEx(4, 3)

' A second bind without field records, filled with every bind.
Dim side : Set side = ctl.DBAddBind("side")
side.bAutoRow = 0
side.nFillStartCol = 4
Dim rs2 : Set rs2 = New ScriptRecordset
rs2.Names = Array("x")
rs2.Rows = Array(Array("p"), Array("q"))
rs2.Position = 0
side.BindSource rs2
Check ctl.DBFillAllBindData() = 2, "DBFillAllBindData"
Check ctl.CellGetValue(1, 4) = "p" And ctl.CellGetValue(2, 4) = "q", "the side bind's cells"

' A bind object kept after its bind is deleted answers without acting.
Check ctl.DBSetBindEx(0, side) = 1, "DBSetBindEx at index 0"
Check ctl.DBSetBindEx(2, side) = -1, "DBSetBindEx past the end"
Check ctl.DBDelBind("side") = 1, "DBDelBind"
Check ctl.DBDelBind("") = -1, "DBDelBind with an empty name"
side.nFillStartRow = 3
Check side.FillData() = 0, "FillData of a deleted bind"
Check side.strName = "", "strName of a deleted bind"
Check bind.strName = "", "strName of a replaced bind"
Check ctl.DBGetBindCount() = 1, "DBGetBindCount"
Check ctl.DBGetBind("body").nFillStartCol = 4, "the replacement keeps the name and takes the settings"

If failures = 0 Then WScript.Echo "binds ok"
WScript.Quit failures
