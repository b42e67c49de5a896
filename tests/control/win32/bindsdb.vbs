' Fills a sheet from databases through the bind and database members and
' objects of KivoSheet.dll: an SQLite file (the first argument) made here,
' and, when a second argument gives its connection string, the test
' PostgreSQL cluster. A template saved with an automatic binding fills again
' when opened with GridOpenTemplate (the template goes to the third
' argument). Prints one line per failure and a closing "bindsdb ok".
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' A sheet with one automatic connection, data set and body binding.
Function MakeSheet(connection, sql, setup)
    Dim ctl, db, ds, bind, f
    Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
    ctl.RowSetCount 2
    ctl.ColumnSetCount 5
    ctl.RowSetFixedCount 1
    ctl.ColumnSetFixedCount 1
    Set db = ctl.DBAddConnection("db")
    db.strConnectionString = connection
    db.iOpenType = 1
    If setup <> "" Then
        Set ds = db.AddDataSet("setup")
        Check db.Open() = 1, "open " & connection
        Dim statement
        For Each statement In Split(setup, ";")
            ds.strSql = statement
            Check ds.Open() = 1, "run " & statement
        Next
        db.Close
        db.DelDataSet "setup"
    End If
    Set ds = db.AddDataSet("rows")
    ds.strSql = sql
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
Dim sqlite : sqlite = "Driver={SQLite3};Database=" & WScript.Arguments(0) & ";"
Dim ctl : Set ctl = MakeSheet(sqlite, "SELECT name, qty FROM goods ORDER BY qty", _
    "CREATE TABLE goods (name TEXT, qty INTEGER);INSERT INTO goods VALUES ('" & apple & "', 5000000000);INSERT INTO goods VALUES ('pear', 2)")
Check ctl.DBFillData() = 1, "DBFillData from SQLite"
Check ctl.CellGetValue(1, 1) = "pear", "first row: " & ctl.CellGetValue(1, 1)
Check ctl.CellGetValue(2, 1) = apple, "Chinese text from SQLite"
' Integer columns land as numbers: read through CellGetValueEx (the value)
' and CellGetValueEx2 (the text shown); CellGetValue gives text cells only.
Check ctl.CellGetValueEx(2, 2) = 5000000000, "big integer: " & ctl.CellGetValueEx(2, 2)
Check ctl.CellGetValueEx2(2, 2) = "5000000000", "big integer shown: " & ctl.CellGetValueEx2(2, 2)
Check ctl.CellGetValueEx(3, 2) = 5000000002, "grand total: " & ctl.CellGetValueEx(3, 2)

' The same binding through DBFillAllBindData after opening the data sets.
Dim again : Set again = MakeSheet(sqlite, "SELECT name, qty FROM goods ORDER BY qty", "")
Check again.DBOpenAllConnection() = 1, "DBOpenAllConnection"
Check again.DBFillAllBindData() = 1, "DBFillAllBindData"
Check again.CellGetValueEx(1, 2) = 2, "DBFillAllBindData cell: " & again.CellGetValueEx(1, 2)

' A template with the automatic binding fills when opened.
Dim template : template = WScript.Arguments(2)
Dim plain : Set plain = MakeSheet(sqlite, "SELECT name, qty FROM goods ORDER BY qty", "")
Check plain.GridSaveFile(template, "") = 1, "GridSaveFile"
Dim opened : Set opened = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check opened.GridOpenTemplate(template, "") = 1, "GridOpenTemplate"
Check opened.CellGetValue(2, 1) = apple, "template filled: " & opened.CellGetValue(2, 1)

If WScript.Arguments(1) <> "-" Then
    Dim pg : Set pg = MakeSheet(WScript.Arguments(1), "SELECT name, qty FROM bindgoods ORDER BY qty", _
        "DROP TABLE IF EXISTS bindgoods;CREATE TABLE bindgoods (name text, qty bigint);INSERT INTO bindgoods VALUES ('" & apple & "', 5000000000);INSERT INTO bindgoods VALUES ('pear', 2)")
    Check pg.DBFillData() = 1, "DBFillData from PostgreSQL"
    Check pg.CellGetValue(2, 1) = apple, "Chinese text from PostgreSQL"
    Check pg.CellGetValueEx(2, 2) = 5000000000, "PostgreSQL bigint: " & pg.CellGetValueEx(2, 2)
    Check pg.CellGetValueEx(3, 2) = 5000000002, "PostgreSQL grand total: " & pg.CellGetValueEx(3, 2)
    WScript.Echo "PostgreSQL filled"
End If

If failures = 0 Then WScript.Echo "bindsdb ok"
WScript.Quit failures
