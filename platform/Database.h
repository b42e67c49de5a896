// The database service: one connection to a data source and the statements
// run on it, every result read whole.
//
// Two back ends stand behind one connection, chosen by its connection string
// each time it opens (ChooseDbBackEnd):
// - ADO, through late-bound automation of the system's "ADODB.Connection",
//   "ADODB.Recordset" and "ADODB.Command" (platform/Automation.h), for a
//   string that names an OLE DB provider ("Provider=...") where the system
//   can make an ADO connection that answers;
// - ODBC through its wide entry points (unixODBC on the host, the system's
//   ODBC manager on Windows and Wine) for "Driver=", "DSN=" and other
//   strings, and for "Provider=MSDASQL" strings where ADO is missing (their
//   ODBC part). Another provider without ADO fails to open.
// Text crosses as UTF-16 and is code page 936 here. An ODBC string is handed
// to the driver manager as it stands, with "UID=" and "PWD=" appended when a
// user name or password is given; ADO gets the string, user and password as
// its Open arguments. Every failure answers false with the driver's or
// provider's diagnostics in a CDbError.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CDbRows;

// One value of a result row. Integers, decimals and dates keep their exact
// form; text is code page 936.
class CDbValue {
public:
    enum Kind : std::uint8_t {
        Null,
        Integer,    // any integer column, 64 bits
        Double,     // floating columns
        Decimal,    // exact numeric: the digits as text, and their double
        Boolean,
        Text,
        Date,       // "yyyy-mm-dd"
        Time,       // "hh:mm:ss"
        Timestamp,  // "yyyy-mm-dd hh:mm:ss[.fffffffff]"
        Binary,
    };

    CDbValue() = default;
    static CDbValue MakeNull() { return CDbValue(); }
    static CDbValue MakeInteger(std::int64_t v);
    static CDbValue MakeDouble(double v);
    // Decimal digits as the source wrote them ("-12.340"); a text that is
    // no number is kept as text.
    static CDbValue MakeDecimal(const CString& digits);
    static CDbValue MakeBoolean(bool v);
    static CDbValue MakeText(const CString& v);
    static CDbValue MakeDate(int year, int month, int day);
    static CDbValue MakeTime(int hour, int minute, int second);
    static CDbValue MakeTimestamp(int year, int month, int day, int hour, int minute, int second,
                                  unsigned fraction = 0);
    static CDbValue MakeBinary(std::vector<BYTE> bytes);

    Kind GetKind() const { return m_kind; }
    bool IsNull() const { return m_kind == Null; }
    bool IsNumber() const { return m_kind == Integer || m_kind == Double || m_kind == Decimal || m_kind == Boolean; }
    // The value as display text: integers and decimals digit for digit,
    // doubles with up to 15 significant digits, booleans "1"/"0", dates as
    // above, binary as hexadecimal pairs; "" for null.
    CString GetText() const;
    // The value as a number: exact integers; decimals, doubles and numeric
    // text read in the C locale; dates as day serials from 1899-12-30 with
    // the time as the fraction; 0 for null and other text.
    double GetDouble() const;
    // Integers exactly; other numbers truncated toward zero (saturating).
    std::int64_t GetInteger() const;
    const std::vector<BYTE>& GetBytes() const { return m_bytes; }

    bool operator==(const CDbValue& other) const;
    bool operator!=(const CDbValue& other) const { return !(*this == other); }

private:
    friend class CDbRows;

    Kind m_kind = Null;
    std::int64_t m_int = 0;
    double m_double = 0.0;
    CString m_text;
    std::vector<BYTE> m_bytes;
};

// A column of a result as the driver describes it.
struct CDbColumn {
    CString strName;
    int nSqlType = 0;          // the ODBC SQL type number (12 varchar, 93 timestamp, ...)
    int nSize = 0;             // column size
    int nDecimalDigits = 0;    // scale of exact numerics
    bool bNullable = true;
    short nAdoType = 0;        // the ADO field type when an ADO provider described it; 0: none
};

// The rows of a result, held compactly: a 16-byte slot per value, and the
// bytes of texts, decimals, dates and binary values packed into shared
// blocks. A result of many rows costs one allocation per few thousand values
// instead of one or more per row, and a fraction of the memory.
//
// A row is appended value by value in column order and closed by EndRow: a
// row given fewer values than columns reads nulls for the rest, values past
// the last column are dropped. A read outside the rows or columns gives null.
class CDbRows {
public:
    CDbRows() = default;
    CDbRows(CDbRows&&) noexcept = default;
    CDbRows& operator=(CDbRows&&) noexcept = default;
    CDbRows(const CDbRows&) = delete;
    CDbRows& operator=(const CDbRows&) = delete;

    // Empties the table; rows added from now on hold nColumns values.
    void Reset(size_t nColumns);
    size_t GetColumnCount() const { return m_nColumns; }
    size_t GetRowCount() const { return m_nRows; }
    bool IsEmpty() const { return m_nRows == 0; }

    void AddNull();
    void AddInteger(std::int64_t v);
    void AddDouble(double v);
    void AddBoolean(bool v);
    // The bytes of a value of a kind held as bytes (Text, Decimal, Date,
    // Time, Timestamp, Binary) exactly as the value keeps them.
    void AddBytes(CDbValue::Kind kind, const char* pBytes, size_t nBytes);
    void AddValue(const CDbValue& value);
    void EndRow();

    CDbValue::Kind GetKind(size_t nRow, size_t nColumn) const;
    // The value into `value`, whose storage is reused.
    void GetValue(size_t nRow, size_t nColumn, CDbValue& value) const;
    CDbValue GetValue(size_t nRow, size_t nColumn) const;

private:
    struct Slot {
        union {
            std::int64_t integer;
            double number;
            const char* bytes;
        };
        std::uint32_t length;   // bytes held; kLongValue: a size_t before the bytes gives it
        std::uint8_t kind;
    };
    static constexpr size_t kSlotsPerBlock = 4096;
    static constexpr size_t kBytesPerBlock = 65536;
    static constexpr std::uint32_t kLongValue = 0xFFFFFFFFu;

    Slot* NextSlot();
    char* AllocateBytes(size_t nBytes);
    const Slot* Find(size_t nRow, size_t nColumn) const;

    size_t m_nColumns = 0;
    size_t m_nRows = 0;
    size_t m_nInRow = 0;        // values added to the open row
    size_t m_nSlots = 0;        // slots in use, whole rows and the open one
    std::vector<std::unique_ptr<Slot[]>> m_slotBlocks;
    std::vector<std::unique_ptr<char[]>> m_byteBlocks;
    char* m_pFreeBytes = nullptr;
    size_t m_nFreeBytes = 0;
};

// A whole result: its columns and all its rows.
struct CDbResult {
    std::vector<CDbColumn> columns;
    CDbRows rows;
};

// What went wrong, from the driver manager's diagnostics.
struct CDbError {
    CString strState;          // SQLSTATE, five characters ("" when none)
    long nNativeCode = 0;
    CString strSource;         // the component that reported it
    CString strMessage;        // the diagnostic text, code page 936
    HRESULT nCode = 0;         // the component's error code (an ADO HRESULT); 0: none given
};

// How a data set's text runs (the numbers of the data set's command type).
enum DbCommandType : int {
    kDbCommandUnknown = 0,
    kDbCommandText = 1,
    kDbCommandTable = 2,
    kDbCommandStoredProc = 3,
};

// The SQL statement an ODBC back end runs for a command type: the text as it
// stands, every row of the table named, or the procedure named through the
// call escape.
CString DbStatementFor(const CString& strText, int nCommandType);

enum class DbBackEnd { Odbc, Ado, NoProvider };

struct DbBackEndChoice {
    DbBackEnd backEnd = DbBackEnd::Odbc;
    CString strConnection;   // what the back end is given
    CString strProvider;     // the provider the string names ("" when none)
};

// The back end a connection string opens through, bAdoAvailable telling
// whether the system's ADO connection can be made.
DbBackEndChoice ChooseDbBackEnd(const CString& strConnection, bool bAdoAvailable);

class IDbConnection {
public:
    virtual ~IDbConnection() = default;
    // Opens the data source; closes a connection open before.
    virtual bool Open(const CString& strConnection, const CString& strUser, const CString& strPassword,
                      int nTimeOutSeconds, CDbError& error) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Runs one statement and reads its whole result (none for a statement
    // that gives no rows). False on any failure; the result is then empty.
    virtual bool Execute(const CString& strSql, CDbResult& result, CDbError& error) = 0;
    // Runs a data set's text by its command type (DbCommandType); another
    // type fails. The ODBC back end runs DbStatementFor through Execute.
    virtual bool ExecuteCommand(const CString& strText, int nCommandType, CDbResult& result, CDbError& error);
    // The back end the last Open went through.
    virtual DbBackEnd GetBackEnd() const { return DbBackEnd::Odbc; }
};

// A new, closed connection of the platform's database service, choosing its
// back end each time it opens.
std::unique_ptr<IDbConnection> CreateDbConnection();
// The back ends themselves: ODBC, and ADO over a connection object made by
// the system ("ADODB.Connection").
class IAutomationObject;
std::unique_ptr<IDbConnection> CreateOdbcDbConnection();
std::unique_ptr<IDbConnection> CreateAdoDbConnection(std::shared_ptr<IAutomationObject> connection);
// The system's ADO connection object when it can be made and answers
// (reads its State); NULL otherwise.
std::shared_ptr<IAutomationObject> CreateSystemAdoConnection();
