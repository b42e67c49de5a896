' Opens a connection whose driver does not exist through the KivoDatabase
' object: the control shows its error box (the host test reads and closes
' it) and Open answers 0; a second open of the same connection shows one box
' more. Prints "open N" per attempt and a closing "bindsdberror done".
Option Explicit
Dim ctl : Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Dim db : Set db = ctl.DBAddConnection("bad")
db.strConnectionString = "Driver={Kivo No Such Driver};Database=nowhere;"
WScript.Echo "open " & db.Open()
WScript.Echo "open " & db.Open()
WScript.Echo "bindsdberror done"
