// The ODBC catalogue calls the designer needs beside the database service:
// the installed drivers and data sources, and the tables of a connection.
// Standard types and UTF-16 text only, as platform/odbc/OdbcRaw.h.
#pragma once

#include <string>
#include <vector>

namespace designerodbc {

// Names of the installed drivers and of the data sources.
std::vector<std::u16string> Drivers();
std::vector<std::u16string> DataSources();
// Connects with the full connection string and lists the names of the
// catalogue's tables whose type is exactly "TABLE". False with the
// driver's message when the connection or the catalogue call fails.
bool Tables(const std::u16string& connection, int timeOutSeconds, std::vector<std::u16string>& names,
            std::u16string& error);

}  // namespace designerodbc
