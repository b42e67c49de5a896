' Fills a sheet through an ADO provider string against the stand-in ADO
' server (registered by the test) and the same binding through ODBC from an
' SQLite file (the first argument) holding the same rows, and compares the
' cells. With the second argument "error" it fills through a data source
' the provider refuses: the error box appears (the test closes it) and the
' sheet keeps what it had. Prints one line per failure and a closing line.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' The text with every character outside ASCII as its code page 936 code in
' brackets (the script host prints ASCII only).
Function Plain(text)
    Dim i, ch
    Plain = ""
    For i = 1 To Len(text)
        ch = Mid(text, i, 1)
        If Asc(ch) >= 32 And Asc(ch) < 127 Then
            Plain = Plain & ch
        Else
            Plain = Plain & "[" & Hex(Asc(ch)) & "]"
        End If
    Next
End Function

' A sheet with one automatic connection, data set and body binding.
Function MakeSheet(connection, setup)
    Dim ctl, db, ds, bind, f, statement
    Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
    ctl.RowSetCount 2
    ctl.ColumnSetCount 4
    ctl.RowSetFixedCount 1
    ctl.ColumnSetFixedCount 1
    Set db = ctl.DBAddConnection("db")
    db.strConnectionString = connection
    db.iOpenType = 1
    If setup <> "" Then
        Set ds = db.AddDataSet("setup")
        Check db.Open() = 1, "open " & connection
        For Each statement In Split(setup, ";")
            ds.strSql = statement
            Check ds.Open() = 1, "run " & statement
        Next
        db.Close
        db.DelDataSet "setup"
    End If
    Set ds = db.AddDataSet("rows")
    ds.strSql = "SELECT name, qty FROM goods ORDER BY qty"
    ds.iOpenType = 1
    Set bind = ctl.DBAddBind("body")
    bind.SetKivoSource "db", "rows"
    bind.iOpenType = 1
    Set f = CreateObject("KivoSheet.KivoBindField.1")
    f.sFieldName = "name" : f.nCol = 1
    bind.AddField f
    Set f = CreateObject("KivoSheet.KivoBindField.1")
    f.sFieldName = "qty" : f.nCol = 2 : f.emStatisticsType = 1
    bind.AddField f
    Set MakeSheet = ctl
End Function

Dim apple : apple = Chr(&HC6BB) & Chr(&HB9FB)
Dim mode : mode = ""
If WScript.Arguments.Count > 1 Then mode = WScript.Arguments(1)

If mode = "error" Then
    Dim sheet : Set sheet = MakeSheet("Provider=KivoStandIn.1;Data Source=nowhere;", "")
    sheet.CellSetValue 1, 1, "kept"
    WScript.Echo "fill " & sheet.DBFillData()
    Check sheet.CellGetValue(1, 1) = "kept", "the sheet changed: " & sheet.CellGetValue(1, 1)
    Check sheet.RowGetCount() = 2, "rows: " & sheet.RowGetCount()
    If failures = 0 Then WScript.Echo "adodb error done"
    WScript.Quit failures
End If

Dim odbc : Set odbc = MakeSheet("Driver={SQLite3};Database=" & WScript.Arguments(0) & ";", _
    "CREATE TABLE goods (name TEXT, qty INTEGER);INSERT INTO goods VALUES ('" & apple & "', 5000000000);INSERT INTO goods VALUES ('pear', 2)")
Check odbc.DBFillData() = 1, "DBFillData through ODBC"
Dim ado : Set ado = MakeSheet("Provider=KivoStandIn.1;Data Source=kivo;", "")
Check ado.DBFillData() = 1, "DBFillData through ADO"
Check odbc.RowGetCount() = ado.RowGetCount(), "rows: " & odbc.RowGetCount() & " and " & ado.RowGetCount()
Dim r, c
For r = 1 To 3
    For c = 1 To 2
        Check odbc.CellGetValueEx2(r, c) = ado.CellGetValueEx2(r, c), "cell " & r & "," & c & ": " & _
            Plain(odbc.CellGetValueEx2(r, c)) & " and " & Plain(ado.CellGetValueEx2(r, c))
        Check odbc.CellGetValueEx(r, c) = ado.CellGetValueEx(r, c), "value " & r & "," & c
    Next
Next
Check ado.CellGetValue(2, 1) = apple, "Chinese text through ADO"
Check ado.CellGetValueEx2(2, 2) = "5000000000", "big integer through ADO: " & ado.CellGetValueEx2(2, 2)
Check ado.CellGetValueEx2(3, 2) = "5000000002", "total through ADO: " & ado.CellGetValueEx2(3, 2)
Check ado.DBCloseAllConnection() = 1, "DBCloseAllConnection"
If failures = 0 Then WScript.Echo "adodb ok"
WScript.Quit failures
