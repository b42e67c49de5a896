// The ODBC calls of the database service, the same code on both builds:
// unixODBC on the host, odbc32 on Windows and under Wine. Only the wide (W)
// entry points are called: Wine implements no ANSI-suffixed ones, and wide
// text is the one road that keeps Chinese text whole. SQLWCHAR is 16 bits on
// both.
#include "platform/odbc/OdbcRaw.h"

#ifdef _WIN32
#include "base/WinTypes.h"      // the system types sql.h needs on Windows
#endif
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <clocale>
#include <cstring>

static_assert(sizeof(SQLWCHAR) == 2, "the database service passes UTF-16 text");

namespace odbcraw {
namespace {

bool Succeeded(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

std::basic_string<SQLWCHAR> Wide(const std::u16string& text)
{
    return std::basic_string<SQLWCHAR>(text.begin(), text.end());
}

std::u16string Utf16(const SQLWCHAR* text, size_t length)
{
    return std::u16string(text, text + length);
}

// The first diagnostic record of a handle.
void ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle, Error& error)
{
    error = Error();
    if (handle == SQL_NULL_HANDLE)
        return;
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, 1, state, &native, message,
                                        static_cast<SQLSMALLINT>(sizeof message / sizeof message[0]), &length);
    if (!Succeeded(rc))
        return;
    error.state = Utf16(state, 5);
    error.native = static_cast<long>(native);
    size_t n = 0;
    while (n < sizeof message / sizeof message[0] && message[n] != 0)
        ++n;
    error.message = Utf16(message, n);
}

#ifndef _WIN32
// unixODBC hands wide text to a driver of narrow entry points (the SQLite
// driver is one) through the character set of LC_CTYPE, chosen when the
// call; the C locale has no Chinese. Connections and statements run under
// UTF-8, what the drivers speak, and the locale is put back after each.
class Utf8CharacterSet {
public:
    Utf8CharacterSet()
    {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        m_saved = current != nullptr ? current : "C";
        if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)
            std::setlocale(LC_CTYPE, "en_US.UTF-8");
    }
    ~Utf8CharacterSet() { std::setlocale(LC_CTYPE, m_saved.c_str()); }

private:
    std::string m_saved;
};
#endif

std::u16string Ascii(const char* text)
{
    return std::u16string(text, text + std::strlen(text));
}

// Reads a long value in pieces until the driver has given it all. False on
// a failure; isNull set for a null.
bool ReadWideText(SQLHSTMT stmt, SQLUSMALLINT column, std::u16string& out, bool& isNull)
{
    out.clear();
    isNull = false;
    SQLWCHAR buffer[2048];
    const size_t capacity = sizeof buffer / sizeof buffer[0] - 1;   // less the terminator
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        if (!Succeeded(rc))
            return false;
        if (indicator == SQL_NULL_DATA) {
            isNull = true;
            return true;
        }
        size_t got = capacity;
        if (indicator != SQL_NO_TOTAL && indicator >= 0 &&
            static_cast<size_t>(indicator) / sizeof(SQLWCHAR) <= capacity)
            got = static_cast<size_t>(indicator) / sizeof(SQLWCHAR);
        out.append(buffer, buffer + got);
        if (rc == SQL_SUCCESS)
            return true;
    }
}

bool ReadBytes(SQLHSTMT stmt, SQLUSMALLINT column, std::vector<unsigned char>& out, bool& isNull)
{
    out.clear();
    isNull = false;
    unsigned char buffer[4096];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_BINARY, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        if (!Succeeded(rc))
            return false;
        if (indicator == SQL_NULL_DATA) {
            isNull = true;
            return true;
        }
        size_t got = sizeof buffer;
        if (indicator != SQL_NO_TOTAL && indicator >= 0 && static_cast<size_t>(indicator) <= sizeof buffer)
            got = static_cast<size_t>(indicator);
        out.insert(out.end(), buffer, buffer + got);
        if (rc == SQL_SUCCESS)
            return true;
    }
}

// Reads a fixed-size value into v; a null leaves the kind Null.
template <typename T>
bool ReadFixed(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, T& v, Value& value, Value::Kind kind)
{
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(stmt, column, cType, &v, sizeof v, &indicator);
    if (!Succeeded(rc))
        return false;
    value.kind = indicator == SQL_NULL_DATA ? Value::Null : kind;
    return true;
}

// One value of the current row, read by its column's SQL type.
bool ReadValue(SQLHSTMT stmt, SQLUSMALLINT column, int sqlType, Value& value)
{
    value = Value();
    switch (sqlType) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: {
        SQLBIGINT v = 0;
        if (!ReadFixed(stmt, column, SQL_C_SBIGINT, v, value, Value::Integer))
            return false;
        value.integer = static_cast<std::int64_t>(v);
        return true;
    }
    case SQL_BIT: {
        unsigned char v = 0;
        if (!ReadFixed(stmt, column, SQL_C_BIT, v, value, Value::Boolean))
            return false;
        value.integer = v != 0 ? 1 : 0;
        return true;
    }
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: {
        double v = 0.0;
        if (!ReadFixed(stmt, column, SQL_C_DOUBLE, v, value, Value::Double))
            return false;
        value.number = v;
        return true;
    }
    case SQL_TYPE_DATE:
    case SQL_DATE: {
        SQL_DATE_STRUCT v = {};
        if (!ReadFixed(stmt, column, SQL_C_TYPE_DATE, v, value, Value::Date))
            return false;
        value.year = v.year;
        value.month = v.month;
        value.day = v.day;
        return true;
    }
    case SQL_TYPE_TIME:
    case SQL_TIME: {
        SQL_TIME_STRUCT v = {};
        if (!ReadFixed(stmt, column, SQL_C_TYPE_TIME, v, value, Value::Time))
            return false;
        value.hour = v.hour;
        value.minute = v.minute;
        value.second = v.second;
        return true;
    }
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT v = {};
        if (!ReadFixed(stmt, column, SQL_C_TYPE_TIMESTAMP, v, value, Value::Timestamp))
            return false;
        value.year = v.year;
        value.month = v.month;
        value.day = v.day;
        value.hour = v.hour;
        value.minute = v.minute;
        value.second = v.second;
        value.fraction = static_cast<unsigned>(v.fraction);
        return true;
    }
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: {
        bool isNull = false;
        if (!ReadBytes(stmt, column, value.bytes, isNull))
            return false;
        value.kind = isNull ? Value::Null : Value::Binary;
        return true;
    }
    default: {
        // Text, and exact numerics as their digits.
        bool isNull = false;
        if (!ReadWideText(stmt, column, value.text, isNull))
            return false;
        value.kind = isNull ? Value::Null
                            : (sqlType == SQL_NUMERIC || sqlType == SQL_DECIMAL) ? Value::Decimal : Value::Text;
        return true;
    }
    }
}

bool Run(SQLHSTMT stmt, const std::u16string& text, RowSink& sink, Error& error)
{
    std::basic_string<SQLWCHAR> sql = Wide(text);
    SQLRETURN rc = SQLExecDirectW(stmt, &sql[0], static_cast<SQLINTEGER>(sql.size()));
    // A statement that touched no rows has run: it answers no data.
    if (rc == SQL_NO_DATA)
        return true;
    if (!Succeeded(rc)) {
        ReadDiagnostics(SQL_HANDLE_STMT, stmt, error);
        return false;
    }
    SQLSMALLINT count = 0;
    if (!Succeeded(SQLNumResultCols(stmt, &count))) {
        ReadDiagnostics(SQL_HANDLE_STMT, stmt, error);
        return false;
    }
    std::vector<Column> columns;
    for (SQLSMALLINT c = 1; c <= count; ++c) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT type = 0;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
        rc = SQLDescribeColW(stmt, static_cast<SQLUSMALLINT>(c), name,
                             static_cast<SQLSMALLINT>(sizeof name / sizeof name[0]), &nameLength, &type, &size,
                             &digits, &nullable);
        if (!Succeeded(rc)) {
            ReadDiagnostics(SQL_HANDLE_STMT, stmt, error);
            return false;
        }
        Column column;
        const size_t held = sizeof name / sizeof name[0] - 1;
        column.name = Utf16(name, std::min<size_t>(nameLength < 0 ? 0 : static_cast<size_t>(nameLength), held));
        column.sqlType = type;
        column.size = static_cast<std::uint64_t>(size);
        column.digits = digits;
        column.nullable = nullable != SQL_NO_NULLS;
        columns.push_back(column);
    }
    sink.Columns(columns);
    if (columns.empty())
        return true;
    std::vector<Value> row(columns.size());
    for (;;) {
        rc = SQLFetch(stmt);
        if (rc == SQL_NO_DATA)
            return true;
        if (!Succeeded(rc)) {
            ReadDiagnostics(SQL_HANDLE_STMT, stmt, error);
            return false;
        }
        for (size_t c = 0; c < row.size(); ++c) {
            if (!ReadValue(stmt, static_cast<SQLUSMALLINT>(c + 1), columns[c].sqlType, row[c])) {
                ReadDiagnostics(SQL_HANDLE_STMT, stmt, error);
                return false;
            }
        }
        sink.Row(row);
    }
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    Close();
}

bool Connection::Open(const std::u16string& connection, int timeOutSeconds, Error& error)
{
    Close();
    error = Error();
#ifndef _WIN32
    Utf8CharacterSet utf8;
#endif
    SQLHENV env = SQL_NULL_HANDLE;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
        error.message = Ascii("the ODBC driver manager is not available");
        return false;
    }
    m_env = env;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLHDBC dbc = SQL_NULL_HANDLE;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        ReadDiagnostics(SQL_HANDLE_ENV, env, error);
        Close();
        return false;
    }
    m_dbc = dbc;
    if (timeOutSeconds > 0)
        SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeOutSeconds)), 0);
    std::basic_string<SQLWCHAR> wide = Wide(connection);
    wide.push_back(0);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, &wide[0], static_cast<SQLSMALLINT>(wide.size() - 1), out,
                                           static_cast<SQLSMALLINT>(sizeof out / sizeof out[0]), &outLength,
                                           SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) {
        ReadDiagnostics(SQL_HANDLE_DBC, dbc, error);
        if (error.message.empty())
            error.message = Ascii(("the driver manager answered " + std::to_string(static_cast<int>(rc))).c_str());
        Close();
        return false;
    }
    m_open = true;
    return true;
}

void Connection::Close()
{
    if (m_dbc != nullptr) {
        if (m_open)
            SQLDisconnect(static_cast<SQLHDBC>(m_dbc));
        SQLFreeHandle(SQL_HANDLE_DBC, static_cast<SQLHDBC>(m_dbc));
        m_dbc = nullptr;
    }
    if (m_env != nullptr) {
        SQLFreeHandle(SQL_HANDLE_ENV, static_cast<SQLHENV>(m_env));
        m_env = nullptr;
    }
    m_open = false;
}

bool Connection::Execute(const std::u16string& sql, RowSink& sink, Error& error)
{
    error = Error();
    if (!m_open) {
        error.message = Ascii("the connection is not open");
        return false;
    }
    SQLHSTMT stmt = SQL_NULL_HANDLE;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(m_dbc), &stmt))) {
        ReadDiagnostics(SQL_HANDLE_DBC, static_cast<SQLHDBC>(m_dbc), error);
        return false;
    }
#ifndef _WIN32
    Utf8CharacterSet utf8;
#endif
    const bool ok = Run(stmt, sql, sink, error);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return ok;
}

}  // namespace odbcraw
