// The designer's command line and the open requests that a second start
// hands to the running program.
#pragma once

#include "base/CString.h"

#include <vector>

// What the command line asks for.
struct CDesignerCommandInfo {
    enum Kind { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing };
    Kind kind = FileNew;
    CString fileName;
    CString printerName, driverName, portName;   // "/pt" only
};

// Splits a command line as the system's program start-up does: blanks and
// tabs separate arguments, double quotes group, 2n backslashes before a quote
// give n backslashes and a grouping quote, 2n+1 give n and a literal quote,
// other backslashes are literal. The program name is not expected.
std::vector<CString> SplitCommandLine(const char* text);

// The arguments as the framework reads them: a first text that is not a
// switch names the file to open; "/p" prints it, "/pt" prints it to the
// printer, driver and port that follow; "/dde" waits for an open request;
// "/unregister" removes the registration; "/embedding" and "/automation" open
// nothing. Unknown switches are ignored.
CDesignerCommandInfo ParseDesignerCommandLine(const std::vector<CString>& args);

// An open request: one or more commands of the form [open("path")] (blanks
// allowed around the parts). Answers the paths in order; an empty list when
// the text holds no well-formed open command. A command that is not "open",
// or a path with no closing quote, ends the parse.
std::vector<CString> ParseOpenRequest(const char* text, int length);

// The open request for one path (what ParseOpenRequest reads back).
CString MakeOpenRequest(const CString& path);
