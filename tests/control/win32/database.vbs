' Connections and data sets as a script builds them: the control's DB
' members and the KivoDatabase and KivoDataSet objects over an SQLite file
' (its host path is the first argument), opened through ODBC under Wine.
' Prints one line per failure and "database ok" when everything held.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl, db, ds, same, r, path
path = WScript.Arguments(0)
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")

Check ctl.DBAddConnection("") Is Nothing, "empty name refused"
Set db = ctl.DBAddConnection("db")
Check Not (db Is Nothing), "connection added"
Check ctl.DBAddConnection("db") Is Nothing, "existing name refused"
Check ctl.DBGetConnectionCount() = 1, "one connection"
Check ctl.DBFindConnection("db") = 0, "found at 0"
Check db.strName = "db", "name read back"
db.strConnectionString = "Driver={SQLite3};Database=" & path & ";"
db.nTimeOut = -5
Check db.nTimeOut = 15, "time-out kept"

' Build the table through the connection itself: a data set that creates it.
Set ds = db.AddDataSet("make")
Check Not (ds Is Nothing), "data set added"
Check db.AddDataSet("make") Is Nothing, "existing data set refused"
ds.strSql = "CREATE TABLE goods (id INTEGER, name TEXT)"
Check db.Open() = 1, "connection opens"
Check db.IsOpen() = 1, "connection open"
Check ds.Open() = 1, "statement runs"
ds.strSql = "INSERT INTO goods VALUES (1, 'apple')"
Check ds.Open() = 1, "row inserted"

Set ds = db.AddDataSet("q")
ds.strSql = "SELECT id, name FROM goods"
ds.iOpenType = 1
Check db.FindDataSet("q") = 1, "data set found"
Set same = ctl.DBGetDataSet("db", "q")
Check same.strSql = "SELECT id, name FROM goods", "same definition through the control"
Check ctl.DBSetDSSql("db", "q", "SELECT id FROM goods") = 1, "SQL replaced"
Check ds.strSql = "SELECT id FROM goods", "replacement seen through the object"
Check db.Close() = 1, "connection closes"

Check ctl.DBOpenAllConnection() = 1, "open all opens the automatic data set"
Check ds.IsOpen() = 1, "automatic data set open"
Check ctl.DBCloseAllConnection() = 1, "close all"
Check ds.IsOpen() = 0, "data set closed"
db.iOpenType = 1
Check ctl.DBFillData() = 0, "automatic open, no binding to fill"

' A deleted connection leaves its objects empty.
Check ctl.DBDelConnection("db") = 0, "connection deleted"
Check db.GetDataSetCount() = -1, "deleted connection counts nothing"
Check ds.strSql = "", "deleted data set reads nothing"
Check ctl.DBGetConnectionCount() = 0, "no connection left"

If failures = 0 Then WScript.Echo "database ok"
WScript.Quit failures
