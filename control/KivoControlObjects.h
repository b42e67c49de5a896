// The cell-control objects: KivoCheckBox, KivoComboBox, KivoComboCheck,
// KivoButton, KivoDateTime, KivoImage, KivoNumeric and KivoURL. Each holds
// one control text (a "control" element, starting from its type's default
// description in ControlDescriptions.h); each property reads or rewrites one
// attribute of it and strXml gives or replaces the whole text. An object has
// no link to a cell: its text reaches one only when the object is handed to
// the control's CellSetControlEx or a view object's SetControlEx.
//
// Reads convert the attribute's leading decimal digits (an absent attribute
// reads 0; short properties keep the low 16 bits), texts as they stand,
// doubles by decimal floating conversion. Writes store decimal text ("%f" for
// doubles) in place of the attribute or right after the element name. While
// the held text is not a "control" element, writes change nothing and reads
// answer 0 or "".
#pragma once

#include "base/CString.h"
#include "control/DispTypes.h"

// A new object of one of the eight classes (a KivoClass value) holding its
// type's default text; NULL for any other class.
CKivoObjectPtr CreateKivoControlObjectOfClass(int kivoClass);

// The object for a cell of type `cellType` (1 combo box, 2 check box, 3
// multi-check combo, 4 date/time, 5 numeric, 6 button, 9 URL, 12 image),
// holding `controlText` as by its strXml put; NULL for every other type.
CKivoObjectPtr CreateKivoControlObject(int cellType, const CString& controlText);

// The text of a cell-control object, recognised by its class (the class is
// what its interface's type information names) in the order check box, combo
// box, button, multi-check combo, date/time, image, numeric, URL. FALSE, with
// `controlText` untouched, for NULL or an object of any other class.
bool GetKivoControlText(const CKivoObject* object, CString& controlText);
