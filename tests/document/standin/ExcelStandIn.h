// A stand-in for a spreadsheet program's automation server: the objects and
// members the grid's workbook bridge calls (application, workbooks, workbook,
// sheets, worksheet, range, font, interior, borders, border, shapes), a
// workbook model that SaveAs writes and Workbooks.Open reads in a small text
// form of its own, a log of every call, and refusal of the values the real
// program refuses (line styles, weights, colour numbers, alignments outside
// its constants).
//
// The same model answers the native tests in process and, wrapped in
// IDispatch, the Windows tests from a local server of its own.
#pragma once

#include "platform/Automation.h"

#include <memory>
#include <string>
#include <vector>

struct StandInLog {
    std::vector<std::string> lines;   // code page 936 text
    std::string file;                 // when set, every line is appended to it too
    void Add(const std::string& line);
    // The lines holding the text; how many.
    int Count(const std::string& text) const;
    bool Has(const std::string& text) const { return Count(text) > 0; }
};

// A new application object writing to the log (which must outlive it).
AutomationObjectPtr CreateStandInApplication(StandInLog* log);

// The RGB colour (0x00BBGGRR) of the program's colour number 1 to 56.
COLORREF StandInPaletteColour(int index);
