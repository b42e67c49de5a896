' Drives the formula members of KivoSheet.dll from a script: user functions
' and constants added and read back through by-reference arguments, the
' built-in tables, the refusals, recalculation of a cell and of all, and the
' engine's last message. Prints one line per failure and a closing
' "formulamembers ok".
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Dim ctl : Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
ctl.RowSetCount 5
ctl.ColumnSetCount 5

Check ctl.FormulaAddUserFun("TAX", 3) = 1, "FormulaAddUserFun"
Check ctl.FormulaAddUserFun("tax", 1) = 0, "FormulaAddUserFun of a known name"
Check ctl.FormulaAddUserFun("", 1) = 0, "FormulaAddUserFun with an empty name"
Check ctl.FormulaAddUserFun("BIG", 11) = 0, "FormulaAddUserFun with a category past 10"
Check ctl.FormulaGetUserFunCount() = 1, "FormulaGetUserFunCount"
Dim name, category, value
Check ctl.FormulaGetUserFun(0, name, category) = 1, "FormulaGetUserFun"
Check name = "TAX" And category = 3, "user function read back: " & name & " " & category
name = "keep"
Check ctl.FormulaGetUserFun(1, name, category) = 0 And name = "keep", "FormulaGetUserFun past the end"

Check ctl.FormulaGetSysFunCount() = 38, "FormulaGetSysFunCount: " & ctl.FormulaGetSysFunCount()
Check ctl.FormulaGetSysFun(0, name, category) = 1 And name = "SUM", "first built-in function: " & name
Check ctl.FormulaGetSysFun(38, name, category) = 0, "FormulaGetSysFun past the end"
Check ctl.FormulaGetSysConstCount() = 1, "FormulaGetSysConstCount"
Check ctl.FormulaGetSysConst(0, name, value) = 1 And name = "PI", "FormulaGetSysConst: " & name
Check Abs(value - 3.1415927) < 0.000001, "PI's value: " & value

Check ctl.FormulaAddUserConst("RATE", 0.5) = 1, "FormulaAddUserConst"
Check ctl.FormulaAddUserConst("Rate", 2) = 0, "FormulaAddUserConst of a known name"
Check ctl.FormulaSetUserConst("RATE", 2) = 0, "FormulaSetUserConst changes nothing"
Check ctl.FormulaGetUserConstCount() = 1, "FormulaGetUserConstCount"
Check ctl.FormulaGetUserConst(0.9, name, value) = 1, "FormulaGetUserConst with a fractional position"
Check name = "RATE" And value = 0.5, "user constant read back: " & name & " " & value
Check ctl.FormulaGetUserConst(1, name, value) = 0, "FormulaGetUserConst past the end"

' A1 is the first cell after the fixed row and column.
ctl.CellSetValueEx 1, 1, 3
Check ctl.CellSetFormula(1, 2, "=A1*RATE") = 1, "CellSetFormula with the constant"
Check ctl.CellSetFormula(1, 3, "=B1+1") = 1, "CellSetFormula over a formula"
Check ctl.CellGetValueEx2(1, 3) = "2.5", "formula value: " & ctl.CellGetValueEx2(1, 3)
Check ctl.FormulaCalcCell(1, 1) = 0, "FormulaCalcCell of a number cell"
Check ctl.FormulaCalcCell(1, 3) = 1, "FormulaCalcCell"
Check ctl.FormulaCalcAll() = 2, "FormulaCalcAll: " & ctl.FormulaCalcAll()

Check ctl.CellSetFormula(2, 2, "=1+") = 0, "CellSetFormula of a broken formula"
Check ctl.FormulaGetLastError() <> "", "FormulaGetLastError after a broken formula"

If failures = 0 Then WScript.Echo "formulamembers ok"
WScript.Quit failures
