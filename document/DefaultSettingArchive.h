// The archive form of the grid default-setting record inside a template:
//   int32 total size (0: nothing stored, nothing follows), then items of
//   int32 tag, int32 data length, data, each only when its field is set:
//     10001 int16 border flags        10002..10005 border blocks (colour, style, width)
//     10006 row height   10007 column width   10008 back colour   10009 text colour
//     10010 font text and NUL         10011, 10012 reset-initial switches (> 0)
//     10013 text alignment            10014 int16 reserved number
//     10015 second text and NUL
//   then the end tag 10199 (no length).
// The total size is the whole record's bytes: the size word, the items and
// the end tag.
// The editable, tip, resize and selection-colour fields are not in it: they
// travel as values of the grid body.
#pragma once

#include "base/CArchive.h"
#include "cellcontent/GridDefaultSetting.h"

int GetDefaultSettingRecordSize(const CGridDefaultSetting& setting);
void WriteDefaultSettingRecord(CArchive& ar, const CGridDefaultSetting& setting);
// Reads a record into setting (its tagged fields replaced when present).
// FALSE (archive failed) when an item's length does not fit the record or
// what remains.
BOOL ReadDefaultSettingRecord(CArchive& ar, CGridDefaultSetting& setting);
