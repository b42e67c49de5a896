' Drives KivoSheet.dll as an automation client: the control by its ProgID
' with its four colour properties, and every automation class by both of its
' ProgIDs. Prints one line per failure and exits with the number of failures.
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
Check TypeName(ctl) = "_DKivoSheet", "control type name is " & TypeName(ctl)

' A new sheet has no default text or back colour set (-1), the grid's own
' selection colour and a black selection frame.
Check ctl.GridDefCellTextColor = -1, "initial text colour"
Check ctl.GridDefCellBgColor = -1, "initial back colour"
Check ctl.GridDefSelBgColor = &HF5ECEA, "initial selection colour"
Check ctl.GridDefSelBorderColor = 0, "initial selection frame colour"

ctl.GridDefCellTextColor = RGB(255, 0, 0)
ctl.GridDefCellBgColor = RGB(0, 255, 0)
ctl.GridDefSelBgColor = RGB(10, 20, 30)
ctl.GridDefSelBorderColor = RGB(1, 2, 3)
Check ctl.GridDefCellTextColor = 255, "text colour read back"
Check ctl.GridDefCellBgColor = 65280, "back colour read back"
Check ctl.GridDefSelBgColor = &H1E140A, "selection colour read back"
Check ctl.GridDefSelBorderColor = &H030201, "selection frame colour read back"
' Names are not case-sensitive; a string argument is converted.
ctl.griddefcelltextcolor = "16"
Check ctl.GridDefCellTextColor = 16, "converted colour"

Check ctl.GridRGB(1, 2, 3) = &H030201, "GridRGB"
Check ctl.GridGetOCXVersion() = "4.5.1.2", "version text"
' A member not built yet answers its failure value, never success.
Check ctl.CellSetValue(1, 1, "x") = 0, "CellSetValue before the grid"
Check ctl.CellGetValue(1, 1) = "", "CellGetValue before the grid"
Check ctl.RowGetHeight(1) = -1, "RowGetHeight before the grid"
Check ctl.CellGetFocusJ(0) = -1, "CellGetFocusJ before the grid"
Dim r, c : r = 5 : c = 6
Check ctl.CellGetFocus(r, c) = 0, "CellGetFocus before the grid"
Check ctl.GridAddTree(1, 1) Is Nothing, "GridAddTree before the grid"

Dim names, n, obj, obj2
names = Array("KivoTree", "KivoTreeNode", "KivoBind", "KivoBindField", "KivoBindGroupRowInfo", _
              "KivoCellBorder", "KivoGridDefaultSetting", "KivoDatabase", "KivoDataSet", "KivoCheckBox", _
              "KivoComboBox", "KivoButton", "KivoComboCheck", "KivoDateTime", "KivoImage", "KivoNumeric", _
              "KivoURL", "KivoColumn", "KivoRange", "KivoRow", "KivoFont")
For Each n In names
    Set obj = Nothing
    Set obj2 = Nothing
    On Error Resume Next
    Set obj = CreateObject("KivoSheet." & n & ".1")
    Set obj2 = CreateObject("KivoSheet." & n)
    On Error GoTo 0
    Check Not (obj Is Nothing), "create " & n & " by ProgID"
    Check Not (obj2 Is Nothing), "create " & n & " by version-independent ProgID"
    If Not (obj Is Nothing) Then Check TypeName(obj) = "I" & n, n & " type name is " & TypeName(obj)
Next

' A member whose subsystem is not built yet answers success and its failure
' value, so a script reads it without "On Error Resume Next" and goes on (a
' new data set has no name either way).
Set obj = CreateObject("KivoSheet.KivoDataSet.1")
Dim x : x = obj.strName
Check x = "", "unbuilt member answers an empty text"

' A cell-control object starts from its type's default text.
Set obj = CreateObject("KivoSheet.KivoURL.1")
x = obj.strXml
Check x = "<control controltype=" & Chr(34) & "url" & Chr(34) & " ></control>", "a new URL object's text is " & x

If failures = 0 Then WScript.Echo "automation ok"
WScript.Quit failures
