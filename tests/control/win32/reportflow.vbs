' A bound report as a user builds it, driven through KivoSheet.dll from a
' script: a grouped body bind with subtotals and a grand total above a merged
' two-row footer; rows inserted and deleted above, inside and below the
' footer; a sort over the report (refused: the footer block spans rows); a
' row tree folded and unfolded; the sheet saved to a string, opened in a
' second control and read back cell by cell, block by block and tree by tree.
' Prints one line per failure and a closing "report flow ok".
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
Check ctl.RowSetCount(4) = True, "RowSetCount"
Check ctl.ColumnSetCount(5) = True, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = True, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = True, "ColumnSetFixedCount"
' Row 1 is the body's template row; rows 2 and 3 the footer.
Check ctl.GridMergeCells(2, 1, 3, 3) = True, "GridMergeCells footer"
Check ctl.CellSetValue(2, 1, "footer") = True, "footer text"

Dim bind : Set bind = ctl.DBAddBind("body")
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
Dim rs : Set rs = New ScriptRecordset
rs.Names = Array("grp", "amount")
rs.Rows = Array(Array("A", 1), Array("A", 2), Array("B", 5))
rs.Position = 0
bind.BindSource rs
Check bind.FillData() = 6, "FillData count"

' The footer block: rows first..last of columns 1 to 3, its owner holding the text.
Function FooterIs(c, first, last)
    FooterIs = c.CellGetValue(first, 1) = "footer" And c.CellIsMerged(first, 1) <> 0 And _
        c.CellGetMergeRangeJ(last, 3, 0) = first And c.CellGetMergeRangeJ(last, 3, 1) = 1 And _
        c.CellGetMergeRangeJ(last, 3, 2) = last And c.CellGetMergeRangeJ(last, 3, 3) = 3 And _
        c.CellIsMerged(first - 1, 1) = 0 And c.CellIsMerged(last + 1, 1) = 0
End Function

' Rows 1..6 the report, 7 the template's spare row, 8 and 9 the footer.
Check ctl.RowGetCount() = 10, "rows after the fill: " & ctl.RowGetCount()
Check FooterIs(ctl, 8, 9), "footer after the fill at " & ctl.CellGetMergeRangeJ(9, 3, 0) & ".." & ctl.CellGetMergeRangeJ(9, 3, 2)

Check ctl.RowInsert(3, 2, 0) = True, "rows inserted above the footer"
Check FooterIs(ctl, 10, 11), "footer after rows above"
Check ctl.RowInsert(11, 1, 0) = True, "a row inserted inside the footer"
Check FooterIs(ctl, 10, 12), "footer grown"
Check ctl.RowDelete(10, 1) = 1, "the footer's first row deleted"
Check FooterIs(ctl, 10, 11), "footer after its first row went"
Check ctl.RowInsert(11, 2, 1) = True, "rows inserted below the footer"
Check FooterIs(ctl, 10, 11), "footer after rows below"
Check ctl.RowDelete(12, 2) = 2, "rows deleted below the footer"
Check ctl.RowDelete(3, 2) = 2, "rows deleted above the footer"
Check FooterIs(ctl, 8, 9), "footer back in place"
Check ctl.GridUnMergeCellsEx(8, 2) = True, "GridUnMergeCellsEx"
Check ctl.CellGetValue(8, 1) = "footer" And ctl.CellIsMerged(8, 1) = 0, "unmerged footer keeps its text"
Check ctl.GridMergeCells(8, 1, 9, 3) = True, "footer merged again"

' A sort over rows a taller block reaches into is refused and changes nothing.
Dim before : before = ctl.CellGetValueEx2(1, 2) & "," & ctl.CellGetValueEx2(4, 2)
Check ctl.GridSortColumn(2, 0) = False, "a sort across the footer is refused"
Check ctl.CellGetValueEx2(1, 2) & "," & ctl.CellGetValueEx2(4, 2) = before, "the refused sort changed nothing"

' A row tree over the first group: folded and unfolded.
Check ctl.ColumnSetControlTree(1, 4, "<control treerow = ""1,2,2"" ></control>") = True, "ColumnSetControlTree"
Dim tree : Set tree = ctl.GridGetTreeEx(1, 4)
Check Not (tree Is Nothing), "GridGetTreeEx"
Dim height : height = ctl.RowGetHeight(2)
tree.Collapse
Check ctl.RowGetHeight(2) = 0 And ctl.RowGetHeight(3) = 0, "folded rows hidden"
tree.Expand
Check ctl.RowGetHeight(2) = height And ctl.RowGetHeight(3) = height, "unfolded rows shown"
Check ctl.RowInsert(2, 1, 0) = True, "a row inserted inside the tree"
Check ctl.ColumnGetControlTreeProperty(1, 4, "treerow") = "1,2,2,2", "the tree took the row: " & ctl.ColumnGetControlTreeProperty(1, 4, "treerow")
Check FooterIs(ctl, 9, 10), "footer after a row in the tree"

' Saved to a string, opened in a second control, read back.
Dim text : text = ctl.GridSaveBase64String("")
Dim copy : Set copy = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check copy.GridOpenBase64String(text, "") = 1, "GridOpenBase64String"
Check copy.RowGetCount() = ctl.RowGetCount(), "rows read back"
Dim r, c
For r = 1 To ctl.RowGetCount() - 1
    For c = 1 To 3
        Check copy.CellGetValueEx2(r, c) = ctl.CellGetValueEx2(r, c), "cell " & r & "," & c & " read back: " & copy.CellGetValueEx2(r, c)
        Check copy.CellIsMerged(r, c) = ctl.CellIsMerged(r, c), "merge of " & r & "," & c & " read back"
    Next
Next
Check FooterIs(copy, 9, 10), "footer read back"
Check copy.GridGetColumnTreeCount() = 1, "tree read back"
Check copy.ColumnGetControlTreeProperty(1, 4, "treerow") = "1,2,2,2", "tree levels read back"

If failures = 0 Then WScript.Echo "report flow ok"
WScript.Quit failures
