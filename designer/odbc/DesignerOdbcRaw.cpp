// Wide entry points only (Wine implements no ANSI-suffixed ones); SQLWCHAR is
// 16 bits on both builds.
#include "designer/odbc/DesignerOdbcRaw.h"

#ifdef _WIN32
#include "base/WinTypes.h"
#endif
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <clocale>

static_assert(sizeof(SQLWCHAR) == 2, "the designer passes UTF-16 text");

namespace designerodbc {
namespace {

bool Ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

std::u16string Text(const SQLWCHAR* s)
{
    std::u16string out;
    for (; *s != 0; ++s)
        out.push_back(static_cast<char16_t>(*s));
    return out;
}

std::u16string Ascii(const char* s) { return std::u16string(s, s + std::char_traits<char>::length(s)); }

std::u16string Diagnostic(SQLSMALLINT type, SQLHANDLE handle)
{
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    if (handle == SQL_NULL_HANDLE ||
        !Ok(SQLGetDiagRecW(type, handle, 1, state, &native, message,
                           static_cast<SQLSMALLINT>(sizeof message / sizeof message[0]), &length)))
        return std::u16string();
    return Text(message);
}

#ifndef _WIN32
// unixODBC passes wide text to narrow drivers through LC_CTYPE; run the
// calls under UTF-8 as the database service does.
class Utf8Locale {
public:
    Utf8Locale()
    {
        const char* current = std::setlocale(LC_CTYPE, nullptr);
        m_saved = current != nullptr ? current : "C";
        if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)
            std::setlocale(LC_CTYPE, "en_US.UTF-8");
    }
    ~Utf8Locale() { std::setlocale(LC_CTYPE, m_saved.c_str()); }

private:
    std::string m_saved;
};
#endif

// An environment handle of ODBC 3, freed on leaving.
class Env {
public:
    Env()
    {
        if (Ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env)))
            SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        else
            m_env = SQL_NULL_HANDLE;
    }
    ~Env()
    {
        if (m_env != SQL_NULL_HANDLE)
            SQLFreeHandle(SQL_HANDLE_ENV, m_env);
    }
    SQLHENV Get() const { return m_env; }

private:
    SQLHENV m_env = SQL_NULL_HANDLE;
};

std::vector<std::u16string> List(bool drivers)
{
    std::vector<std::u16string> names;
    Env env;
    if (env.Get() == SQL_NULL_HANDLE)
        return names;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (int guard = 0; guard < 4096; ++guard) {
        SQLWCHAR name[512] = {};
        SQLWCHAR attributes[2048] = {};
        SQLSMALLINT nameLength = 0, attributesLength = 0;
        const SQLSMALLINT nameCap = static_cast<SQLSMALLINT>(sizeof name / sizeof name[0]);
        const SQLSMALLINT attrCap = static_cast<SQLSMALLINT>(sizeof attributes / sizeof attributes[0]);
        const SQLRETURN rc = drivers
            ? SQLDriversW(env.Get(), direction, name, nameCap, &nameLength, attributes, attrCap, &attributesLength)
            : SQLDataSourcesW(env.Get(), direction, name, nameCap, &nameLength, attributes, attrCap,
                              &attributesLength);
        if (!Ok(rc))
            break;
        name[nameCap - 1] = 0;
        names.push_back(Text(name));
        direction = SQL_FETCH_NEXT;
    }
    return names;
}

// Reads one text column of the current row; empty for null.
std::u16string ColumnText(SQLHSTMT stmt, SQLUSMALLINT column)
{
    SQLWCHAR buffer[1024] = {};
    SQLLEN indicator = 0;
    if (!Ok(SQLGetData(stmt, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator)) || indicator == SQL_NULL_DATA)
        return std::u16string();
    buffer[sizeof buffer / sizeof buffer[0] - 1] = 0;
    return Text(buffer);
}

}  // namespace

std::vector<std::u16string> Drivers()
{
#ifndef _WIN32
    Utf8Locale utf8;
#endif
    return List(true);
}

std::vector<std::u16string> DataSources()
{
#ifndef _WIN32
    Utf8Locale utf8;
#endif
    return List(false);
}

bool Tables(const std::u16string& connection, int timeOutSeconds, std::vector<std::u16string>& names,
            std::u16string& error)
{
#ifndef _WIN32
    Utf8Locale utf8;
#endif
    names.clear();
    error.clear();
    Env env;
    if (env.Get() == SQL_NULL_HANDLE) {
        error = Ascii("the ODBC driver manager is not available");
        return false;
    }
    SQLHDBC dbc = SQL_NULL_HANDLE;
    if (!Ok(SQLAllocHandle(SQL_HANDLE_DBC, env.Get(), &dbc))) {
        error = Diagnostic(SQL_HANDLE_ENV, env.Get());
        return false;
    }
    if (timeOutSeconds > 0)
        SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeOutSeconds)), 0);
    std::basic_string<SQLWCHAR> wide(connection.begin(), connection.end());
    wide.push_back(0);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    bool ok = Ok(SQLDriverConnectW(dbc, nullptr, &wide[0], static_cast<SQLSMALLINT>(wide.size() - 1), out,
                                   static_cast<SQLSMALLINT>(sizeof out / sizeof out[0]), &outLength,
                                   SQL_DRIVER_NOPROMPT));
    if (!ok) {
        error = Diagnostic(SQL_HANDLE_DBC, dbc);
        if (error.empty())
            error = Ascii("the connection could not be opened");
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        return false;
    }
    SQLHSTMT stmt = SQL_NULL_HANDLE;
    ok = Ok(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt));
    if (ok) {
        ok = Ok(SQLTablesW(stmt, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0));
        if (!ok)
            error = Diagnostic(SQL_HANDLE_STMT, stmt);
        // Columns 3 and 4 of the catalogue: TABLE_NAME, TABLE_TYPE. Only the
        // end of the rows ends the list well; a fetch that fails (a file the
        // driver cannot read as its database) fails the listing.
        SQLRETURN rc = SQL_NO_DATA;
        while (ok && Ok(rc = SQLFetch(stmt))) {
            const std::u16string name = ColumnText(stmt, 3);
            if (ColumnText(stmt, 4) == Ascii("TABLE"))
                names.push_back(name);
        }
        if (ok && rc != SQL_NO_DATA) {
            ok = false;
            names.clear();
            error = Diagnostic(SQL_HANDLE_STMT, stmt);
            if (error.empty())
                error = Ascii("the catalogue could not be read");
        }
        SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    } else {
        error = Diagnostic(SQL_HANDLE_DBC, dbc);
    }
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    return ok;
}

}  // namespace designerodbc
