// The print settings as the third section of a template:
//   int32 size (the bytes that follow it; 0: nothing stored), the printer
//   mode field by field, the 48-byte layout block (six int32 margins, two
//   doubles, two int32), six page header/footer entries (header left, centre,
//   right, footer left, centre, right: counted text and 60-byte LOGFONT), six
//   int32 print options, printer name (128 bytes), driver name (128), port
//   name (64), int32, int16, int32, eight counted print texts, double print
//   scale.
// The printer mode's four int16 fields from dmOrientation on are written a
// second time as two int32 (the place the system's record shares with the
// display position); a reader takes the first copy.
#pragma once

#include "base/CArchive.h"
#include "document/GridPrintSettings.h"

// The section's bytes after its size word.
int GetPrintSettingsSectionSize(const CGridPrintSettings& settings);
// The size word and the section.
void WritePrintSettingsSection(CArchive& ar, const CGridPrintSettings& settings);
// Reads the size word and the section into settings (replaced only when the
// whole section was read); bytes a newer writer added within the declared
// size are skipped. FALSE (archive failed) for a damaged section.
BOOL ReadPrintSettingsSection(CArchive& ar, CGridPrintSettings& settings);
