// A stand-in for the system's ADO: the Connection, Recordset and Command
// objects and their Fields, Errors and Properties collections, by the names
// and argument orders of ADO's object model, over a small set of tables held
// in memory. Every call is logged with its arguments; what ADO refuses (a
// call on a closed object, a cursor location or option outside ADO's
// constants, a field or table that is not there, a read off the records) is
// refused with ADO's code and text, raised as the object's fault and, for
// the provider's own errors, kept in the connection's Errors.
//
// It opens a connection string whose "Data Source" is "kivo"; another data
// source fails as a provider does. Queries: "SELECT <fields or *> FROM
// <table> [ORDER BY <field>]"; table commands name a table; the stored
// procedure "goods_by_qty" gives the goods ordered by quantity.
//
// The same model answers the native tests in process (through the platform's
// automation handler) and, wrapped in IDispatch, the Windows tests from a
// local server registered as "ADODB.Connection", "ADODB.Recordset" and
// "ADODB.Command" for the test's duration.
#pragma once

#include "platform/Automation.h"

#include <string>
#include <vector>

struct AdoStandInLog {
    std::vector<std::string> lines;   // code page 936 text
    std::string file;                 // when set, every line is appended to it too
    void Add(const std::string& line);
    int Count(const std::string& text) const;
    bool Has(const std::string& text) const { return Count(text) > 0; }
};

// The object of an ADO program identifier ("ADODB.Connection",
// "ADODB.Recordset", "ADODB.Command"); NULL for another. The log must
// outlive the objects.
AutomationObjectPtr CreateAdoStandInObject(LPCTSTR szProgId, AdoStandInLog* log);

// The rows of the goods table as SQL statements (for an SQLite file holding
// the same rows): its CREATE TABLE and INSERTs, text in code page 936.
std::vector<std::string> AdoStandInGoodsStatements();
