' Drives the Cell members of the control as a script does, on a sheet of
' 10 rows and 6 columns (one fixed row and column) made through the size
' members. Checks what a script can check itself and prints "FAIL: ..." for
' each failure; texts whose exact form the host test knows (Chinese texts,
' display texts after a format) are printed as "VALUE name=text" with every
' character outside printable ASCII escaped as \xHHHH, its code in the ANSI
' code page (936), because the script host prints in that code page. Wine's
' script engine has no ChrW or AscW: Chinese characters are made with Chr
' from their code page 936 codes. Exits with the number of failures.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "FAIL: " & what
        failures = failures + 1
    End If
End Sub

Function Esc(s)
    Dim i, code, r
    r = ""
    For i = 1 To Len(s)
        code = Asc(Mid(s, i, 1))
        If code < 0 Then code = code + 65536
        If code >= 32 And code < 127 And code <> 92 Then
            r = r & Mid(s, i, 1)
        Else
            r = r & "\x" & Right("000" & Hex(code), 4)
        End If
    Next
    Esc = r
End Function

Sub Value(name, text)
    WScript.Echo "VALUE " & name & "=" & Esc(text)
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
Dim zhText : zhText = G(Array(&HD6D0, &HCEC4)) & " abc " & G(Array(&HCAFD, &HBEDD))
Dim songti : songti = G(Array(&HCBCE, &HCCE5))
Dim yuan : yuan = G(Array(&HD4AA))
Dim jiao : jiao = G(Array(&HBDC7))
Dim fen : fen = G(Array(&HB7D6))
Dim zheng : zheng = G(Array(&HD5FB))
Dim heji : heji = G(Array(&HBACF, &HBCC6))
Dim tip : tip = G(Array(&HCCE1, &HCABE))
Dim memo : memo = G(Array(&HB1B8, &HD7A2))
Dim yen : yen = G(Array(&HA3A4))

Dim ctl
Set ctl = CreateObject("KIVOSHEET.KivoSheetCtrl.1")
Check ctl.RowSetCount(10) = -1, "RowSetCount"
Check ctl.ColumnSetCount(6) = -1, "ColumnSetCount"
Check ctl.RowSetFixedCount(1) = -1, "RowSetFixedCount"
Check ctl.ColumnSetFixedCount(1) = -1, "ColumnSetFixedCount"
Check ctl.RowGetCount() = 10 And ctl.ColumnGetCount() = 6, "sheet size"

Dim r, c, lo, hi, st, cl, wd

' ---- texts and numbers in and out
Check ctl.CellSetValue(2, 2, zhText) = -1, "CellSetValue"
Check ctl.CellGetValue(2, 2) = zhText, "CellGetValue round trip"
Value "text", ctl.CellGetValue(2, 2)
Check ctl.CellIsModified(2, 2) = -1, "CellIsModified after a set"
Check ctl.CellIsModified(2, 4) = 0, "CellIsModified of an untouched cell"
Check ctl.CellSetValueEx(2, 3, 12.75) = -1, "CellSetValueEx"
Check ctl.CellGetValueEx(2, 3) = 12.75, "CellGetValueEx"
Check VarType(ctl.CellGetValueEx(2, 3)) = vbDouble, "CellGetValueEx reads as a double"
Check ctl.CellGetDataType(2, 3) = 1, "a number cell's data type"
Value "number", ctl.CellGetValueEx2(2, 3)
Check ctl.CellSetValueEx(2, 4, -0.5) = -1, "CellSetValueEx negative"
Check ctl.CellGetValueEx(2, 4) = -0.5, "CellGetValueEx negative"
' A text that is a number stays a text.
Check ctl.CellSetValue(2, 5, "007") = -1, "CellSetValue digits"
Check ctl.CellGetValue(2, 5) = "007", "digits stay a text"

' ---- display formats: currency and the amount in Chinese words
Check ctl.CellSetValueEx(3, 2, 1234.5) = -1, "currency value"
Check ctl.CellSetTextFormat(3, 2, "<format datatype = ""currency"" decimal = ""2"" seplen = ""3"" separator = "","" symbol = """ & yen & """ ></format>") = -1, "CellSetTextFormat currency"
Value "currency", ctl.CellGetValueEx2(3, 2)
Check ctl.CellGetTextFormatProperty(3, 2, "datatype") = "currency", "CellGetTextFormatProperty"
Check ctl.CellSetTextFormatProperty(3, 2, "decimal", "0") >= 0, "CellSetTextFormatProperty"
Check ctl.CellGetTextFormatProperty(3, 2, "decimal") = "0", "format property read back"
Value "currency0", ctl.CellGetValueEx2(3, 2)
Check ctl.CellDelTextFormatProperty(3, 2, "separator") = -1, "CellDelTextFormatProperty"
Check ctl.CellGetTextFormatProperty(3, 2, "separator") = "", "format property deleted"
Check ctl.CellDelTextFormatProperty(3, 2, "separator") = 0, "deleting it twice"
Check ctl.CellSetValueEx(3, 3, 1234.56) = -1, "amount value"
Check ctl.CellSetTextFormat(3, 3, "<format datatype = ""currency"" chinesecaption = ""1"" pointfrontsymbol = """ & yuan & """ pointbacksymbol1 = """ & jiao & """ pointbacksymbol2 = """ & fen & """ lastsymbol = """ & zheng & """ ></format>") = -1, "CellSetTextFormat amount"
Value "amount", ctl.CellGetValueEx2(3, 3)
Value "amountformat", ctl.CellGetTextFormat(3, 3)

' ---- font texts
Dim fontText : fontText = "<font fontname = """ & songti & """ fontsize = ""12"" weight = ""FW_BOLD"" ></font>"
Check ctl.CellSetTextFont(4, 2, fontText) = -1, "CellSetTextFont"
Check ctl.CellGetTextFont(4, 2) = fontText, "CellGetTextFont"
Check ctl.CellGetTextFontProperty(4, 2, "fontname") = songti, "font name read back"
Check ctl.CellSetTextFontProperty(4, 2, "fontsize", "14") = 1, "CellSetTextFontProperty answers the attribute's index"
Check ctl.CellGetTextFontProperty(4, 2, "fontsize") = "14", "font size read back"
Check ctl.CellSetTextFontProperty(4, 2, "nosuchkey", "1") = -1, "an unknown font attribute"
Check ctl.CellDelTextFontProperty(4, 2, "weight") = -1, "CellDelTextFontProperty"
Check ctl.CellGetTextFontProperty(4, 2, "weight") = "", "font property deleted"
Value "font", ctl.CellGetTextFont(4, 2)

' ---- colours
Check ctl.CellSetBackColor(5, 2, RGB(1, 2, 3)) = -1, "CellSetBackColor"
Check ctl.CellGetBackColor(5, 2) = RGB(1, 2, 3), "CellGetBackColor"
Check ctl.CellSetTextColor(5, 2, RGB(200, 0, 100)) = -1, "CellSetTextColor"
Check ctl.CellGetTextColor(5, 2) = RGB(200, 0, 100), "CellGetTextColor"
Check ctl.CellGetSelBackColor(5, 2) = &HF5ECEA, "a new cell's selected back colour"
Check ctl.CellSetSelBackColor(5, 2, RGB(9, 9, 9)) = -1, "CellSetSelBackColor"
Check ctl.CellGetSelBackColor(5, 2) = RGB(9, 9, 9), "CellGetSelBackColor"

' ---- borders, with the facing sides of the neighbours
Check ctl.CellSetBorder(5, 3, 15, 0, RGB(255, 0, 0), 2) = -1, "CellSetBorder"
Check ctl.CellGetBorderFlags(5, 3) = 15, "CellGetBorderFlags"
Check ctl.CellGetBorderFlags(5, 4) = 1, "the right neighbour's left side"
Check ctl.CellGetBorderFlags(6, 3) = 2, "the lower neighbour's top side"
st = 9 : cl = 9 : wd = 9
Check ctl.CellGetBorder(5, 3, 4, st, cl, wd) = -1, "CellGetBorder"
Check st = 0 And cl = 255 And wd = 2, "CellGetBorder outputs " & st & " " & cl & " " & wd
Check ctl.CellGetBorderJ(5, 3, 4, 0) = 255, "CellGetBorderJ colour"
Check ctl.CellGetBorderJ(5, 3, 4, 1) = 2, "CellGetBorderJ width"
Check ctl.CellGetBorderJ(5, 3, 4, 2) = 0, "CellGetBorderJ line style"
Check ctl.CellGetBorderJ(5, 3, 4, 3) = -1, "CellGetBorderJ bad selector"
Check ctl.CellDelBorder(5, 3, 4) = -1, "CellDelBorder"
Check ctl.CellGetBorderFlags(5, 3) = 11, "flags after the deletion"
Check ctl.CellGetBorderFlags(5, 4) = 0, "the neighbour's side goes too"
Check ctl.CellGetBorderJ(5, 3, 4, 0) = -1, "CellGetBorderJ of a deleted side"

' ---- ids and cell marks
Check ctl.CellSetId(6, 2, heji) = -1, "CellSetId"
Check ctl.CellGetId(6, 2) = heji, "CellGetId"
Check ctl.CellSetId(6, 3, heji) = 0, "a second cell with the same id"
r = 0 : c = 0
Check ctl.CellGetFromId(heji, r, c) = -1, "CellGetFromId"
Check r = 6 And c = 2, "CellGetFromId position " & r & "," & c
Check ctl.CellGetFromIdJ(heji, 0) = 6 And ctl.CellGetFromIdJ(heji, 1) = 2, "CellGetFromIdJ"
Check ctl.CellGetFromIdJ("none", 0) = -1, "CellGetFromIdJ of an unknown id"
Check ctl.CellGetMarkFromId("C7", r, c) = -1, "CellGetMarkFromId"
Check r = 7 And c = 3, "CellGetMarkFromId position " & r & "," & c
Check ctl.CellGetMarkFromIdJ("c7", 1) = 3, "CellGetMarkFromIdJ lower-case letters"
Check ctl.CellGetMarkFromIdJ("Z99", 0) = -1, "CellGetMarkFromIdJ outside the sheet"

' ---- tips and memos
Check ctl.CellSetTipText(7, 2, tip) = -1, "CellSetTipText"
Check ctl.CellGetTipText(7, 2) = tip, "CellGetTipText"
Check ctl.CellGetCurrentTipText(7, 2) = tip, "CellGetCurrentTipText with a tip"
Check ctl.CellSetValue(7, 3, zhText) = -1, "text of a cell without a tip"
Check ctl.CellGetCurrentTipText(7, 3) = zhText, "CellGetCurrentTipText shows the text"
Check ctl.CellIsDisplayTip(7, 2) = -1, "tips are shown by default"
Check ctl.CellSetDisplayTip(7, 2, 0) = -1, "CellSetDisplayTip"
Check ctl.CellIsDisplayTip(7, 2) = 0, "CellIsDisplayTip"
Check ctl.CellSetMemo(7, 4, memo) = -1, "CellSetMemo"
Check ctl.CellGetMemo(7, 4) = memo, "CellGetMemo"

' ---- read-only and hidden cells
Check ctl.CellIsReadOnly(8, 2) = 0, "a new cell is writable"
Check ctl.CellSetReadOnly(8, 2, 1) = -1, "CellSetReadOnly"
Check ctl.CellIsReadOnly(8, 2) = -1, "CellIsReadOnly"
Check ctl.CellSetHide(8, 3, 1) = -1, "CellSetHide"
Check ctl.CellIsHide(8, 3) = -1, "CellIsHide"
Check ctl.CellIsReadOnly(8, 3) = -1, "a hidden cell is read-only"
Check ctl.CellSetHide(8, 3, 0) = -1, "CellSetHide off"
Check ctl.CellIsHide(8, 3) = 0 And ctl.CellIsReadOnly(8, 3) = 0, "shown again"
Check ctl.CellIsDisplayEllipsis(8, 4) = 0, "no ellipsis by default"
Check ctl.CellSetDisplayEllipsis(8, 4, 1) = -1, "CellSetDisplayEllipsis"
Check ctl.CellIsDisplayEllipsis(8, 4) = -1, "CellIsDisplayEllipsis"

' ---- control types: radio (8) is refused
Check ctl.CellGetControlType(8, 5) = 0, "a new cell is an edit cell"
Check ctl.CellSetControlType(8, 5, 8) = 0, "control type 8 refused"
Check ctl.CellGetControlType(8, 5) = 0, "the refused type changes nothing"
Check ctl.CellSetControlType(8, 5, 13) = 0, "control type 13 refused"
Check ctl.CellSetControlType(8, 5, 0) = -1, "control type 0"
Check ctl.CellSetControl(8, 5, "<control controltype = ""radio"" ></control>") = 0, "a radio control text refused"
Check ctl.CellSetControl(8, 5, "<control controltype = ""edit"" ></control>") = -1, "an edit control text"
Check ctl.CellGetControl(8, 5) = "<control controltype = ""edit"" ></control>", "CellGetControl"

' ---- alignment, wrapping, input rules, data and focus
Check ctl.CellGetAlign(9, 2) = 4, "the default alignment reads 4"
Check ctl.CellSetAlign(9, 2, 2 + 8 + 32) = -1, "CellSetAlign"
Check ctl.CellGetAlign(9, 2) = 10, "CellGetAlign right bottom"
Check ctl.CellIsTextWrap(9, 3) = 0, "no wrapping by default"
Check ctl.CellSetTextWrap(9, 3, 1) = -1, "CellSetTextWrap"
Check ctl.CellIsTextWrap(9, 3) = 1, "CellIsTextWrap"
Check ctl.CellSetInputType(9, 4, 5) = 0, "input type 5 refused"
Check ctl.CellSetInputType(9, 4, 1) = -1, "CellSetInputType"
Check ctl.CellGetInputType(9, 4) = 1, "CellGetInputType"
Check ctl.CellSetInputLimit(9, 4, 1, 1.5, 9.5) = -1, "CellSetInputLimit"
lo = 0 : hi = 0
Check ctl.CellGetInputLimit(9, 4, lo, hi) = -1, "CellGetInputLimit"
Check lo = 1.5 And hi = 9.5, "CellGetInputLimit outputs " & lo & " " & hi
Check ctl.CellGetInputLimitJ(9, 4, 1) = 9.5, "CellGetInputLimitJ"
Check ctl.CellGetInputLimitJ(9, 5, 0) = 0, "CellGetInputLimitJ without limits"
Check ctl.CellSetDateType(9, 5, 3) = -1, "CellSetDateType"
Check ctl.CellGetDataType(9, 5) = 3, "CellGetDataType"
ctl.CellSetItemData 9, 5, 123456
Check ctl.CellGetItemData(9, 5) = 123456, "CellGetItemData"
Check ctl.CellSetFocus(3, 3) = -1, "CellSetFocus"
Check ctl.CellGetFocusJ(0) = 3 And ctl.CellGetFocusJ(1) = 3, "CellGetFocusJ"
Check ctl.CellIsSelected(3, 3) = -1, "the focus cell is selected"
Check ctl.CellSetFocus(0, 3) = 0, "CellSetFocus on a fixed cell"
Check ctl.CellGetFocusJ(0) = 3, "the focus stays"
Check ctl.CellIsFixed(0, 3) = -1 And ctl.CellIsFixed(3, 3) = 0, "CellIsFixed"
Check ctl.CellIsValid(9, 5) = -1 And ctl.CellIsValid(10, 5) = 0, "CellIsValid"
Check ctl.CellIsMerged(3, 3) = 0 And ctl.CellGetMergeRangeJ(3, 3, 0) = -1, "an unmerged cell"
Check ctl.CellGetMergeHeight(3, 3) > 0 And ctl.CellGetMergeWidth(3, 3) > 0, "an unmerged cell's size"
Check ctl.CellIsEditing(3, 3) = 0, "no cell is being edited"
Check ctl.CellSetFormula(4, 4, "=1+2") = 1, "CellSetFormula"
Check ctl.CellGetFormula(4, 4) = "=1+2", "CellGetFormula"
Check ctl.CellGetValue(4, 4) = "3", "a formula shows its value"
Check ctl.CellSetFormula(4, 5, "1+2") = 0, "a formula needs its leading ="
Check ctl.CellSetValue(8, 1, "5") = -1, "an input for formulas"
Check ctl.CellSetFormula(8, 2, "=A8*2") = 1, "a formula reading A8"
Check ctl.CellSetFormula(8, 3, "=B8+A8") = 1, "a formula reading A8 and B8"
Check ctl.CellGetValue(8, 3) = "15", "formulas computed in order"
Check ctl.CellSetValue(8, 1, "7") = -1, "the input changed"
Check ctl.CellGetValue(8, 2) = "14" And ctl.CellGetValue(8, 3) = "21", "dependants follow the input"

' ---- each member's failure value on a bad address (row 99)
Dim before : before = ctl.CellGetValue(2, 2)
Check ctl.CellSetValue(99, 1, "x") = 0, "bad CellSetValue"
Check ctl.CellSetValueEx(99, 1, 1) = 0, "bad CellSetValueEx"
Check ctl.CellGetValue(99, 1) = "", "bad CellGetValue"
Check ctl.CellGetValueEx(99, 1) = 0, "bad CellGetValueEx"
Check ctl.CellSetBackColor(99, 1, 1) = 0, "bad CellSetBackColor"
Check ctl.CellGetBackColor(99, 1) = 0, "bad CellGetBackColor"
Check ctl.CellSetTextColor(99, 1, 1) = 0, "bad CellSetTextColor"
Check ctl.CellGetTextColor(99, 1) = 0, "bad CellGetTextColor"
Check ctl.CellSetTextFont(99, 1, fontText) = 0, "bad CellSetTextFont"
Check ctl.CellSetTextFontProperty(99, 1, "fontsize", "9") = -1, "bad CellSetTextFontProperty"
Check ctl.CellDelTextFontProperty(99, 1, "fontsize") = 0, "bad CellDelTextFontProperty"
Check ctl.CellGetTextFontProperty(99, 1, "fontsize") = "", "bad CellGetTextFontProperty"
Check ctl.CellGetTextFont(99, 1) = "", "bad CellGetTextFont"
Check ctl.CellSetTextFormat(99, 1, "<format ></format>") = 0, "bad CellSetTextFormat"
Check ctl.CellGetTextFormat(99, 1) = "", "bad CellGetTextFormat"
Check ctl.CellSetTextFormatProperty(99, 1, "decimal", "2") = -1, "bad CellSetTextFormatProperty"
Check ctl.CellDelTextFormatProperty(99, 1, "decimal") = 0, "bad CellDelTextFormatProperty"
Check ctl.CellGetTextFormatProperty(99, 1, "decimal") = "", "bad CellGetTextFormatProperty"
Check ctl.CellSetTipText(99, 1, "t") = 0, "bad CellSetTipText"
Check ctl.CellGetTipText(99, 1) = "", "bad CellGetTipText"
Check ctl.CellGetCurrentTipText(99, 1) = "", "bad CellGetCurrentTipText"
Check ctl.CellSetDisplayTip(99, 1, 1) = 0, "bad CellSetDisplayTip"
Check ctl.CellIsDisplayTip(99, 1) = 0, "bad CellIsDisplayTip"
Check ctl.CellSetMemo(99, 1, "m") = 0, "bad CellSetMemo"
Check ctl.CellGetMemo(99, 1) = "", "bad CellGetMemo"
Check ctl.CellSetId(99, 1, "id99") = 0, "bad CellSetId"
Check ctl.CellGetId(99, 1) = "", "bad CellGetId"
r = 5 : c = 5
Check ctl.CellGetMarkFromId("A99", r, c) = 0, "bad CellGetMarkFromId"
Check r = -1 And c = -1, "bad CellGetMarkFromId position"
Check ctl.CellSetReadOnly(99, 1, 1) = 0, "bad CellSetReadOnly"
Check ctl.CellIsReadOnly(99, 1) = 0, "bad CellIsReadOnly"
Check ctl.CellIsDisplayEllipsis(99, 1) = 0, "bad CellIsDisplayEllipsis"
Check ctl.CellSetDisplayEllipsis(99, 1, 1) = 0, "bad CellSetDisplayEllipsis"
Check ctl.CellSetHide(99, 1, 1) = 0, "bad CellSetHide"
Check ctl.CellIsHide(99, 1) = 0, "bad CellIsHide"
Check ctl.CellSetSelBackColor(99, 1, 1) = 0, "bad CellSetSelBackColor"
Check ctl.CellGetSelBackColor(99, 1) = -1, "bad CellGetSelBackColor"
Check ctl.CellSetInputType(99, 1, 1) = 0, "bad CellSetInputType"
Check ctl.CellGetInputType(99, 1) = -1, "bad CellGetInputType"
Check ctl.CellSetInputLimit(99, 1, 1, 0, 1) = 0, "bad CellSetInputLimit"
Check ctl.CellGetInputLimit(99, 1, lo, hi) = 0, "bad CellGetInputLimit"
Check ctl.CellSetControlType(99, 1, 0) = 0, "bad CellSetControlType"
Check ctl.CellGetControlType(99, 1) = -1, "bad CellGetControlType"
Check ctl.CellSetControl(99, 1, "<control controltype = ""edit"" ></control>") = 0, "bad CellSetControl"
Check ctl.CellGetControl(99, 1) = "", "bad CellGetControl"
Check ctl.CellSetControlProperty(99, 1, "datasource", "a") = 0, "bad CellSetControlProperty"
Check ctl.CellGetControlProperty(99, 1, "datasource") = "", "bad CellGetControlProperty"
Check ctl.CellDelControlProperty(99, 1, "datasource") = 0, "bad CellDelControlProperty"
Check ctl.CellSetFocus(99, 1) = 0, "bad CellSetFocus"
Check ctl.CellGetRect(99, 1, lo, hi, r, c) = 0, "bad CellGetRect"
Check ctl.CellGetRectJ(99, 1, 0) = -1, "bad CellGetRectJ"
Check ctl.CellIsMerged(99, 1) = 0, "bad CellIsMerged"
Check ctl.CellIsSelected(99, 1) = 0, "bad CellIsSelected"
Check ctl.CellIsModified(99, 1) = 0, "bad CellIsModified"
Check ctl.CellGetMergeRange(99, 1, lo, hi, r, c) = 0, "bad CellGetMergeRange"
Check ctl.CellGetMergeRangeJ(99, 1, 0) = -1, "bad CellGetMergeRangeJ"
Check ctl.CellIsEditing(99, 1) = 0, "bad CellIsEditing"
Check ctl.CellIsFixed(99, 1) = 0, "bad CellIsFixed"
Check ctl.CellGetMergeHeight(99, 1) = -1, "bad CellGetMergeHeight"
Check ctl.CellGetMergeWidth(1, 99) = -1, "bad CellGetMergeWidth"
Check ctl.CellSetBorder(99, 1, 15, 0, 0, 1) = 0, "bad CellSetBorder"
Check ctl.CellGetBorder(99, 1, 1, st, cl, wd) = 0, "bad CellGetBorder"
Check ctl.CellGetBorderFlags(99, 1) = 0, "bad CellGetBorderFlags"
Check ctl.CellGetBorderJ(99, 1, 1, 0) = -1, "bad CellGetBorderJ"
Check ctl.CellSetTextWrap(99, 1, 1) = 0, "bad CellSetTextWrap"
Check ctl.CellIsTextWrap(99, 1) = 0, "bad CellIsTextWrap"
Check ctl.CellSetAlign(99, 1, 1) = 0, "bad CellSetAlign"
Check ctl.CellGetAlign(99, 1) = 0, "bad CellGetAlign"
Check ctl.CellIsValid(99, 1) = 0, "bad CellIsValid"
Check ctl.CellSetDateType(99, 1, 1) = 0, "bad CellSetDateType"
Check ctl.CellGetDataType(99, 1) = -1, "bad CellGetDataType"
Check ctl.CellDelBorder(99, 1, 1) = 0, "bad CellDelBorder"
Check ctl.CellGetInputLimitJ(99, 1, 0) = 0, "bad CellGetInputLimitJ"
Check ctl.CellGetFromId("id99", r, c) = 0, "bad CellGetFromId"
Check r = -1 And c = -1, "bad CellGetFromId position"
Check ctl.CellSetFormula(99, 1, "=1") = 0, "bad CellSetFormula"
Check ctl.CellGetFormula(99, 1) = "", "bad CellGetFormula"
Check ctl.CellSetImage(99, 1, 1) = 0, "bad CellSetImage"
Check ctl.CellGetImage(99, 1) = -1, "bad CellGetImage"
Check ctl.CellGetControlEx(99, 1) Is Nothing, "bad CellGetControlEx"
Check ctl.CellGetTextFontEx(99, 1) Is Nothing, "bad CellGetTextFontEx"
Check ctl.CellSetControlEx(99, 1, CreateObject("KivoSheet.KivoComboBox")) = 0, "bad CellSetControlEx"
Check ctl.CellSetTextFontEx(99, 1, CreateObject("KivoSheet.KivoFont")) = 0, "bad CellSetTextFontEx"
ctl.CellSetItemData 99, 1, 5
Check ctl.CellGetItemData(99, 1) = 0, "bad CellGetItemData"
Check ctl.CellGetValueEx2(99, 1) = "", "bad CellGetValueEx2"
' The sheet is as it was.
Check ctl.RowGetCount() = 10 And ctl.ColumnGetCount() = 6, "the size after the bad calls"
Check ctl.CellGetValue(2, 2) = before, "a text after the bad calls"
Check ctl.CellGetFocusJ(0) = 3, "the focus after the bad calls"

If failures = 0 Then WScript.Echo "cells ok"
WScript.Quit failures
