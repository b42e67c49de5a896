' Drives the column, row, font, border and default-setting objects as a
' script does, on a sheet of 5 rows and 4 columns (one fixed row and column)
' made through the size members: a column's back colour, a row's values,
' fonts and merge, a column outside the sheet, a cell's font object made bold
' with True and set back, value objects made by their ProgIDs, and objects
' kept after their control has been released. Prints "FAIL: ..." for each
' failure and exits with the number of failures; the last line is
' "objects15 ok" when all passed.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' Chinese words, from their code page 936 codes.
Function G(codes)
    Dim i, r
    r = ""
    For i = 0 To UBound(codes)
        r = r & Chr(codes(i))
    Next
    G = r
End Function
Dim songti : songti = G(Array(&HCBCE, &HCCE5))
Dim jia : jia = G(Array(&HBCD7))

Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(5) = -1, "RowSetCount"
Check ctl.ColumnSetCount(4) = -1, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = -1, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = -1, "ColumnSetFixedCount"

Dim r, c, header, before, v

' ---- a column's back colour: rows 1 to the last, not the header
header = ctl.CellGetBackColor(0, 2)
Dim col : Set col = ctl.ColumnGetObject(2)
Check TypeName(col) = "IKivoColumn", "ColumnGetObject type name is " & TypeName(col)
Check col.nColIndex = 2, "nColIndex"
col.crBackColor = RGB(255, 0, 0)
For r = 1 To 4
    Check ctl.CellGetBackColor(r, 2) = RGB(255, 0, 0), "column cell " & r & " coloured"
Next
Check ctl.CellGetBackColor(0, 2) = header, "the header keeps its colour"
Check ctl.CellGetBackColor(1, 1) <> RGB(255, 0, 0), "the next column keeps its colour"
Check ctl.CellGetBackColor(1, 3) <> RGB(255, 0, 0), "the other neighbour keeps its colour"
Check col.crBackColor = RGB(255, 0, 0), "crBackColor read back"
col.strValue = "c2"
Check ctl.CellGetValue(4, 2) = "c2" And ctl.CellGetValue(0, 2) <> "c2", "column strValue"

' ---- a row: values, fonts and a merge
Dim row : Set row = ctl.RowGetObject(3)
Check TypeName(row) = "IKivoRow", "RowGetObject type name is " & TypeName(row)
Check row.nRowIndex = 3, "nRowIndex"
row.strValue = jia
For c = 1 To 3
    Check ctl.CellGetValue(3, c) = jia, "row cell " & c & " value"
Next
Check ctl.CellGetValue(3, 0) <> jia, "the row header keeps its text"
Check row.strValue = jia, "strValue read back"
row.dbValueEx = 7.5
Check ctl.CellGetValueEx(3, 3) = 7.5, "dbValueEx on the row"
Check row.dbValueEx = 7.5, "dbValueEx read back"
Dim font : Set font = CreateObject("KivoSheet.KivoFont")
Check font.cCharset = 1 And font.nFontSize = 0 And font.strFontName = "", "a new font object"
font.strFontName = songti
font.nFontSize = 14
font.iBold = True
font.iItalic = True
Check font.iBold = 1 And font.iItalic = 1, "font flags set with True read 1"
row.SetFontEx font
For c = 1 To 3
    Check ctl.CellGetTextFontProperty(3, c, "weight") = "FW_BOLD", "row cell " & c & " bold"
    Check ctl.CellGetTextFontProperty(3, c, "fontname") = songti, "row cell " & c & " font name"
    Check ctl.CellGetTextFontProperty(3, c, "italic") = "1", "row cell " & c & " italic"
Next
Dim back : Set back = row.GetFontEx()
Check back.iBold = 1 And back.nFontSize = 14, "GetFontEx reads the first cell's font"
row.SetFont "<font fontsize = ""9"" ></font>"
Check ctl.CellGetTextFontProperty(3, 2, "fontsize") = "9", "SetFont on the row"
Check row.iIsMerged = 0, "not merged yet"
row.Merge
Check row.iIsMerged = 1, "iIsMerged after Merge"
Check ctl.CellIsMerged(3, 1) = -1 And ctl.CellIsMerged(3, 3) = -1, "the row's body is one block"
Check ctl.CellIsMerged(3, 0) = 0 And ctl.CellIsMerged(2, 1) = 0, "the header and the row above stay apart"
Check ctl.CellGetMergeWidth(3, 1) = ctl.CellGetMergeWidth(3, 3), "one block over columns 1 to 3"

' ---- a column outside the sheet changes nothing
before = ""
For r = 0 To 4
    For c = 0 To 3
        before = before & ctl.CellGetBackColor(r, c) & "/" & ctl.CellGetValue(r, c) & ";"
    Next
Next
Dim bad : Set bad = ctl.ColumnGetObject(-1)
Check Not (bad Is Nothing), "ColumnGetObject(-1) still gives an object"
Check bad.nColIndex = -1, "its index reads -1"
bad.crBackColor = RGB(0, 0, 255)
bad.strValue = "zzz"
bad.Merge
Check bad.crBackColor = 0 And bad.strValue = "", "its getters answer 0 and an empty text"
Check bad.GetFontEx() Is Nothing, "its GetFontEx answers no object"
Check ctl.ColumnGetObject(4).nColIndex = -1, "ColumnGetObject(column count) reads -1"
Check ctl.RowGetObject(5).nRowIndex = -1, "RowGetObject(row count) reads -1"
v = ""
For r = 0 To 4
    For c = 0 To 3
        v = v & ctl.CellGetBackColor(r, c) & "/" & ctl.CellGetValue(r, c) & ";"
    Next
Next
Check v = before, "the sheet is unchanged"

' ---- a cell's font object made bold with True goes back
Check ctl.CellSetTextFont(2, 1, "<font fontname = """ & songti & """ fontsize = ""9"" ></font>") = -1, "CellSetTextFont"
Dim cf : Set cf = ctl.CellGetTextFontEx(2, 1)
Check TypeName(cf) = "IKivoFont", "CellGetTextFontEx type name is " & TypeName(cf)
Check cf.strFontName = songti And cf.nFontSize = 9 And cf.iBold = 0, "the cell's font text"
cf.iBold = True
Check cf.iBold = 1, "made bold with True"
Check ctl.CellSetTextFontEx(2, 2, cf) = 1, "CellSetTextFontEx answers the grid's result"
Check ctl.CellGetTextFontProperty(2, 2, "weight") = "FW_BOLD", "the cell is bold"
Check ctl.CellGetTextFontProperty(2, 2, "fontname") = songti, "with the font's name"
' A plain cell's font object (the cell's own font written out) takes bold too.
Dim pf : Set pf = ctl.CellGetTextFontEx(4, 3)
pf.iBold = True
Check ctl.CellSetTextFontEx(4, 3, pf) = 1, "CellSetTextFontEx of a plain cell"
Check ctl.CellGetTextFontProperty(4, 3, "weight") = "FW_BOLD", "the plain cell is bold"
Check ctl.CellSetTextFontEx(9, 1, cf) = 0, "CellSetTextFontEx outside the sheet"
Check ctl.CellSetTextFontEx(2, 3, Nothing) = 0, "CellSetTextFontEx without an object"
Check ctl.CellSetTextFontEx(2, 3, col) = 0, "CellSetTextFontEx with a column object"
Check ctl.CellGetTextFontEx(9, 1) Is Nothing, "CellGetTextFontEx outside the sheet"

' ---- value objects made by their ProgIDs keep what is set
Dim ds : Set ds = CreateObject("KivoSheet.KivoGridDefaultSetting")
Check ds.bEditable = 1 And ds.nRowHeight = -1 And ds.bTip = 1 And ds.dwTextAlign = 0, "a new default setting"
Check ds.nColWidth = -1 And ds.crSelColor = -1 And ds.crCellBgColor = -1 And ds.crTextColor = -1, "unset colours and width"
Check ds.strFontXml = "" And ds.bAllowResizeRow = 1 And ds.bAllowResizeCol = 1, "font text and resize flags"
ds.bEditable = 0
ds.nRowHeight = 30
ds.nColWidth = 80
ds.crCellBgColor = RGB(1, 2, 3)
ds.strFontXml = "<font fontsize = ""12"" ></font>"
ds.bIMResetInitRowHeight = 1
ds.dwTextAlign = 37
Check ds.bEditable = 0 And ds.nRowHeight = 30 And ds.nColWidth = 80, "default setting keeps numbers"
Check ds.crCellBgColor = RGB(1, 2, 3) And ds.dwTextAlign = 37 And ds.bIMResetInitRowHeight = 1, "and colours and flags"
Check ds.strFontXml = "<font fontsize = ""12"" ></font>", "and the font text"
Dim border : Set border = CreateObject("KivoSheet.KivoCellBorder")
Check border.crLineColor = 0 And border.nLineStyle = 0 And border.nLineWidth = 0, "a new border"
border.crLineColor = RGB(10, 20, 30)
border.nLineStyle = 2
border.nLineWidth = 3
Check border.crLineColor = RGB(10, 20, 30) And border.nLineStyle = 2 And border.nLineWidth = 3, "border keeps its values"
ds.arCellBorder(10) = border
Dim side : Set side = ds.arCellBorder(3)
Check side.nLineWidth = 3 And side.crLineColor = RGB(10, 20, 30), "the bottom side took the border"
Check ds.arCellBorder(0).nLineWidth = 0, "the left side did not"
Check ds.arCellBorder(4) Is Nothing, "no side 4"
side.nLineWidth = 9
Check ds.arCellBorder(3).nLineWidth = 3, "a side handed out is a copy"

' ---- every property whose value is an object takes a Set assignment
' (a put by reference): the default setting's, the bind field's and the
' group row settings' cell borders.
border.nLineWidth = 4
Set ds.arCellBorder(1) = border
Check ds.arCellBorder(0).nLineWidth = 4, "Set of the default setting's left side"
Dim field : Set field = CreateObject("KivoSheet.KivoBindField.1")
Set field.arCellBorder(5) = border
Check field.emCellBorderFlags = 5, "Set of a bind field's sides: flags " & field.emCellBorderFlags
Check field.arCellBorder(2).nLineWidth = 4 And field.arCellBorder(2).crLineColor = RGB(10, 20, 30), _
      "Set of a bind field's top side"
Dim rowInfo : Set rowInfo = CreateObject("KivoSheet.KivoBindGroupRowInfo.1")
Set rowInfo.arCellBorder(8) = border
Check rowInfo.emCellBorderFlags = 8 And rowInfo.arCellBorder(3).nLineWidth = 4, "Set of a group row's bottom side"

' ---- objects kept after their control is released do nothing
Dim keepCol : Set keepCol = ctl.ColumnGetObject(2)
Dim keepRow : Set keepRow = ctl.RowGetObject(1)
Check keepCol.crBackColor = RGB(255, 0, 0), "kept column reads while the control lives"
Set col = Nothing
Set row = Nothing
Set bad = Nothing
Set ctl = Nothing
keepCol.crBackColor = RGB(0, 255, 0)
keepCol.strValue = "gone"
keepCol.Merge
keepRow.SetFontEx font
Check keepCol.crBackColor = 0, "a kept column reads 0"
Check keepCol.strValue = "", "a kept column reads an empty text"
Check keepCol.nColIndex = -1, "a kept column's index reads -1"
Check keepRow.nRowIndex = -1, "a kept row's index reads -1"
Check keepCol.GetFontEx() Is Nothing, "a kept column hands out no font"
' Value objects hold their own copies and go on working.
cf.nFontSize = 20
Check cf.nFontSize = 20, "a font object outlives the control"
Set keepCol = Nothing
Set keepRow = Nothing

If failures = 0 Then WScript.Echo "objects15 ok"
WScript.Quit failures
