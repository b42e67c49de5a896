' Creates each cell-control class by its ProgID, sets properties, reads the
' control text back, and applies objects to cells of a 5 x 4 sheet (one
' fixed row and column): through the control's CellSetControlEx and a
' column's SetControlEx, and back through CellGetControlEx. Prints
' "FAIL: ..." for each failure and exits with the number of failures; the
' last line is "controls17 ok" when all passed.
Option Explicit
Dim failures : failures = 0
Dim q : q = Chr(34)

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

' An attribute as the objects write it: name = "value".
Function Att(name, value)
    Att = name & " = " & q & value & q
End Function

Function Has(text, part)
    Has = InStr(1, text, part, 0) > 0
End Function

' ---- every class starts from its type's default text
Dim names : names = Array("KivoCheckBox", "KivoComboBox", "KivoComboCheck", "KivoButton", _
                          "KivoDateTime", "KivoImage", "KivoNumeric", "KivoURL")
Dim words : words = Array("checkbox", "combobox", "combocheck", "button", "datetime", "image", "numeric", "url")
Dim i, o
For i = 0 To UBound(names)
    Set o = CreateObject("KivoSheet." & names(i))
    Check o.strXml = "<control controltype=" & q & words(i) & q & " ></control>", names(i) & " default text: " & o.strXml
Next

' ---- properties write attributes and read back
Dim button : Set button = CreateObject("KivoSheet.KivoButton")
button.strButtonText = "OK"
button.nButtonWidth = 40
button.iButtonDisabled = 1
Check button.strButtonText = "OK", "strButtonText"
Check button.nButtonWidth = 40, "nButtonWidth"
Check Has(button.strXml, Att("btntext", "OK")), "button text holds btntext: " & button.strXml
Check Has(button.strXml, Att("btnwidth", "40")), "button text holds btnwidth"
button.strButtonText = "Go"
Check InStr(InStr(1, button.strXml, "btntext") + 1, button.strXml, "btntext") = 0, "btntext once only"

Dim box : Set box = CreateObject("KivoSheet.KivoCheckBox")
Check box.GetCheck() = 0, "a new check box is unchecked"
box.SetCheck True
Check box.GetCheck() = 1, "SetCheck True checks"
box.iEnabled = True
Check box.iEnabled = 1, "iEnabled True reads 1"
box.crTickColor = RGB(255, 0, 0)
Check box.crTickColor = 255, "crTickColor"

Dim combo : Set combo = CreateObject("KivoSheet.KivoComboBox")
combo.strDataSource = "a" & vbLf & "b" & vbLf & "c"
Check combo.GetItemValue(1) = "b", "GetItemValue(1)"
Check combo.GetItemValue(3) = "", "GetItemValue(3)"
Dim multi : Set multi = CreateObject("KivoSheet.KivoComboCheck")
multi.strItemSpliter = ";"
Check multi.strItemSpliter = ";", "strItemSpliter"

Dim image : Set image = CreateObject("KivoSheet.KivoImage")
image.SetUserDefImageSize -1, 20
Check image.nUserDefImageWidth = 65535, "user width kept in 16 bits: " & image.nUserDefImageWidth
Check image.nUserDefImageHeight = 20, "user height"
image.nImageIndex = 2
image.iSizeType = 1
Check Has(image.strXml, Att("index", "2")) And Has(image.strXml, Att("sizetype", "1")), "image text: " & image.strXml

Dim numeric : Set numeric = CreateObject("KivoSheet.KivoNumeric")
numeric.iLimited = 1
numeric.SetInputRange 0, 10.5
Check numeric.dbInputMax = 10.5, "dbInputMax"
Check Has(numeric.strXml, Att("inputmax", "10.500000")), "numeric text: " & numeric.strXml

Dim url : Set url = CreateObject("KivoSheet.KivoURL")
url.strUrl = "http://example.com/"
url.iCanOpen = 1
Check url.strUrl = "http://example.com/", "strUrl"

Dim dt : Set dt = CreateObject("KivoSheet.KivoDateTime")
dt.iDTType = 2
Check dt.iDTType = 2, "iDTType"

' A text that is not a control element takes no property writes.
Dim fontText : fontText = "<font fontname=" & q & "Arial" & q & " ></font>"
dt.strXml = fontText
dt.iDTType = 3
Check dt.strXml = fontText, "a font text is left alone: " & dt.strXml
Check dt.iDTType = 0, "and reads 0"

' ---- applied to cells
Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(5) = -1, "RowSetCount"
Check ctl.ColumnSetCount(4) = -1, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = -1, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = -1, "ColumnSetFixedCount"

Check ctl.CellSetControlEx(1, 1, button) = 1, "CellSetControlEx button"
Check ctl.CellGetControlType(1, 1) = 6, "the cell became a button cell"
Check ctl.CellGetControlProperty(1, 1, "btntext") = "Go", "the button cell's text"
Dim back : Set back = ctl.CellGetControlEx(1, 1)
Check TypeName(back) = "IKivoButton", "CellGetControlEx type name is " & TypeName(back)
Check back.strButtonText = "Go", "the object read back holds the cell's text"

Check ctl.CellSetControlEx(2, 1, box) = 1, "CellSetControlEx check box"
Check ctl.CellGetControlType(2, 1) = 2, "the cell became a check cell"
Check ctl.CellSetControlEx(3, 1, url) = 1, "CellSetControlEx url"
Check ctl.CellGetControlType(3, 1) = 9, "the cell became a URL cell"
Check ctl.CellGetControlEx(3, 1).strUrl = "http://example.com/", "the URL read back"

' The older style form: six values as SetStyle writes them, read back by the
' cell as the button's text, width and place.
Dim styled : Set styled = CreateObject("KivoSheet.KivoButton")
styled.SetStyle 0, 1, 40, 0, 2, "Go"
Check ctl.CellSetControlEx(4, 3, styled) = 1, "CellSetControlEx styled button"
Check ctl.CellGetControlProperty(4, 3, "btntext") = "Go", "the style's text: " & ctl.CellGetControlProperty(4, 3, "btntext")
Set back = ctl.CellGetControlEx(4, 3)
Check back.strButtonText = "Go", "the style's text read back: " & back.strButtonText
Check back.nButtonWidth = 40, "the style's width read back: " & back.nButtonWidth
Check back.nButtonAlign = 1, "the style's align 2 fills the cell: " & back.nButtonAlign
Check back.GetStyle() = "", "the style is spent once applied"
styled.SetStyle 0, 1, 25, 0, 0, "Left"
Check ctl.CellSetControlEx(4, 3, styled) = 1, "CellSetControlEx styled left"
Set back = ctl.CellGetControlEx(4, 3)
Check back.strButtonText = "Left" And back.nButtonWidth = 25 And back.nButtonAlign = 0, _
      "the left button read back: " & back.strXml

' Every typed cell's settings made through its object come back from the cell.
box.crSideColor = RGB(1, 2, 3)
Check ctl.CellSetControlEx(4, 3, box) = 1, "CellSetControlEx check box again"
Set back = ctl.CellGetControlEx(4, 3)
Check back.GetCheck() = 1 And back.crSideColor = RGB(1, 2, 3) And back.crTickColor = 255, _
      "check box read back: " & back.strXml
combo.iIsMatch = 1
Check ctl.CellSetControlEx(4, 3, combo) = 1, "CellSetControlEx combo"
Set back = ctl.CellGetControlEx(4, 3)
Check back.GetItemValue(2) = "c" And back.iIsMatch = 1, "combo read back: " & back.strXml
Check ctl.CellSetControlEx(4, 3, multi) = 1, "CellSetControlEx combo check"
Check ctl.CellGetControlEx(4, 3).strItemSpliter = ";", "combo check read back"
dt.strXml = "<control controltype=" & q & "datetime" & q & " ></control>"
dt.iDTType = 2
dt.iDataFormat = 1
Check ctl.CellSetControlEx(4, 3, dt) = 1, "CellSetControlEx date/time"
Set back = ctl.CellGetControlEx(4, 3)
Check back.iDTType = 2 And back.iDataFormat = 1, "date/time read back: " & back.strXml
Check ctl.CellSetControlEx(4, 3, image) = 1, "CellSetControlEx image"
Set back = ctl.CellGetControlEx(4, 3)
Check back.nImageIndex = 2 And back.iSizeType = 1 And back.nUserDefImageHeight = 20, "image read back: " & back.strXml
Check ctl.CellSetControlEx(4, 3, numeric) = 1, "CellSetControlEx numeric"
Set back = ctl.CellGetControlEx(4, 3)
Check back.iLimited = 1 And back.dbInputMax = 10.5, "numeric read back: " & back.strXml
Check ctl.CellSetControlEx(4, 3, url) = 1, "CellSetControlEx url again"
Check ctl.CellGetControlEx(4, 3).iCanOpen = 1, "url read back"

' Other objects are ignored; an edit cell hands out nothing.
Dim font : Set font = CreateObject("KivoSheet.KivoFont")
Check ctl.CellSetControlEx(4, 1, font) = 0, "a font object is refused"
Check ctl.CellGetControlType(4, 1) = 0, "and the cell stays an edit cell"
Check ctl.CellGetControlEx(4, 1) Is Nothing, "an edit cell hands out no object"

Dim col : Set col = ctl.ColumnGetObject(2)
col.SetControlEx numeric
Dim r
For r = 1 To 4
    Check ctl.CellGetControlType(r, 2) = 5, "column cell " & r & " numeric"
Next
Set back = col.GetControlEx()
Check TypeName(back) = "IKivoNumeric", "a column's GetControlEx type name is " & TypeName(back)
Check back.dbInputMax = 10.5, "the column's numeric object holds its range"

If failures = 0 Then WScript.Echo "controls17 ok"
WScript.Quit failures
