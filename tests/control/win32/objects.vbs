' Reads the automation classes as a script does, without "On Error Resume
' Next": every member answers success, so the script runs to its end. Members
' of classes whose subsystem is not built yet leave their result at its
' failure value: 0, -1 for an index or a count that has nothing to count, an
' empty text or no object. Prints one line per failure and exits with the
' number of failures.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' One property of every class, created by its ProgID, and the variant type
' it reads as.
Sub CheckType(value, wanted, what)
    Check VarType(value) = wanted, what & " reads as type " & VarType(value)
End Sub

CheckType CreateObject("KivoSheet.KivoTree.1").Boxsize, vbInteger, "KivoTree.Boxsize"
CheckType CreateObject("KivoSheet.KivoTreeNode.1").Level, vbLong, "KivoTreeNode.Level"
CheckType CreateObject("KivoSheet.KivoBind.1").strName, vbString, "KivoBind.strName"
CheckType CreateObject("KivoSheet.KivoBindField.1").nRow, vbLong, "KivoBindField.nRow"
CheckType CreateObject("KivoSheet.KivoBindGroupRowInfo.1").sGroupDefaultName, vbString, "KivoBindGroupRowInfo.sGroupDefaultName"
CheckType CreateObject("KivoSheet.KivoCellBorder.1").crLineColor, vbLong, "KivoCellBorder.crLineColor"
CheckType CreateObject("KivoSheet.KivoGridDefaultSetting.1").strFontXml, vbString, "KivoGridDefaultSetting.strFontXml"
CheckType CreateObject("KivoSheet.KivoDatabase.1").strName, vbString, "KivoDatabase.strName"
CheckType CreateObject("KivoSheet.KivoDataSet.1").strSql, vbString, "KivoDataSet.strSql"
CheckType CreateObject("KivoSheet.KivoCheckBox.1").iDisplayStyle, vbInteger, "KivoCheckBox.iDisplayStyle"
CheckType CreateObject("KivoSheet.KivoComboBox.1").nListHeight, vbLong, "KivoComboBox.nListHeight"
CheckType CreateObject("KivoSheet.KivoButton.1").strButtonText, vbString, "KivoButton.strButtonText"
CheckType CreateObject("KivoSheet.KivoComboCheck.1").strItemSpliter, vbString, "KivoComboCheck.strItemSpliter"
CheckType CreateObject("KivoSheet.KivoDateTime.1").iStyle, vbInteger, "KivoDateTime.iStyle"
CheckType CreateObject("KivoSheet.KivoImage.1").nImageIndex, vbLong, "KivoImage.nImageIndex"
CheckType CreateObject("KivoSheet.KivoNumeric.1").dbInputMin, vbDouble, "KivoNumeric.dbInputMin"
CheckType CreateObject("KivoSheet.KivoURL.1").strUrl, vbString, "KivoURL.strUrl"
CheckType CreateObject("KivoSheet.KivoColumn.1").crBackColor, vbLong, "KivoColumn.crBackColor"
CheckType CreateObject("KivoSheet.KivoRange.1").strValue, vbString, "KivoRange.strValue"
CheckType CreateObject("KivoSheet.KivoRow.1").iHide, vbInteger, "KivoRow.iHide"
CheckType CreateObject("KivoSheet.KivoFont.1").strXml, vbString, "KivoFont.strXml"

' Values an object created by its ProgID answers: it holds nothing, so an
' index reads -1 and a lookup finds nothing.
Dim db : Set db = CreateObject("KivoSheet.KivoDatabase")
Check db.FindDataSet("orders") = -1, "KivoDatabase.FindDataSet"
Check db.GetDataSetCount() = -1, "KivoDatabase.GetDataSetCount"
Check db.DelDataSetEx(0) = -1, "KivoDatabase.DelDataSetEx"
Check db.GetDataSet("orders") Is Nothing, "KivoDatabase.GetDataSet"
Check CreateObject("KivoSheet.KivoColumn").nColIndex = -1, "KivoColumn.nColIndex"
Check CreateObject("KivoSheet.KivoRow").nRowIndex = -1, "KivoRow.nRowIndex"
Dim range : Set range = CreateObject("KivoSheet.KivoRange")
Check range.nMinRow = -1 And range.nMaxCol = -1, "KivoRange bounds"
Dim bind : Set bind = CreateObject("KivoSheet.KivoBind")
Check bind.FindField(1, 1) = -1, "KivoBind.FindField"
Check bind.GetField(0) Is Nothing, "KivoBind.GetField"
Dim tree : Set tree = CreateObject("KivoSheet.KivoTree")
Check tree.GetNode(1) Is Nothing, "KivoTree.GetNode"
Check CreateObject("KivoSheet.KivoTreeNode").ChildIndex = -1, "KivoTreeNode.ChildIndex"
' Setters and members without a result succeed too.
tree.Expand
tree.LineColor = RGB(1, 2, 3)
Dim font : Set font = CreateObject("KivoSheet.KivoFont")
font.strFontName = "SimSun"
font.nFontSize = 12

If failures = 0 Then WScript.Echo "objects ok"
WScript.Quit failures
