// Test databases: a throw-away SQLite file reached through the ODBC driver
// manager, and the test PostgreSQL cluster when the test script started one
// (the file KIVO_TEST_PG_PORTFILE names then holds its port).
#pragma once

#include "platform/Database.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace dbtest {

inline int ProcessId()
{
#ifdef _WIN32
    return static_cast<int>(::_getpid());
#else
    return static_cast<int>(::getpid());
#endif
}

// A host path: the driver runs on the host, also under Wine.
class SqliteFile {
public:
    explicit SqliteFile(const char* tag)
        : m_path("/tmp/kivo_db_" + std::string(tag) + "_" + std::to_string(ProcessId()) + ".db")
    {
        Remove();
    }
    ~SqliteFile() { Remove(); }
    std::string Path() const { return m_path; }
    CString ConnectionString() const { return CString(("Driver={SQLite3};Database=" + m_path + ";").c_str()); }

private:
    void Remove()
    {
#ifdef _WIN32
        std::string dos = "Z:" + m_path;
        for (char& ch : dos)
            if (ch == '/')
                ch = '\\';
        std::remove(dos.c_str());
#else
        std::remove(m_path.c_str());
#endif
    }
    std::string m_path;
};

// The test PostgreSQL cluster's connection string; "" when none runs.
inline CString PostgresConnectionString()
{
    const char* path = std::getenv("KIVO_TEST_PG_PORTFILE");
    if (path == nullptr || *path == '\0')
        return CString();
    FILE* f = std::fopen(path, "r");
    if (f == nullptr)
        return CString();
    int port = 0;
    const bool read = std::fscanf(f, "%d", &port) == 1;
    std::fclose(f);
    if (!read || port <= 0)
        return CString();
    std::string s = "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=" + std::to_string(port) +
                    ";Database=kivo;Uid=kivo;Pwd=kivo;";
    return CString(s.c_str());
}

// Runs statements on a fresh connection; false at the first failure.
inline bool RunStatements(const CString& connection, std::initializer_list<const char*> statements,
                          std::string* failure = nullptr)
{
    auto db = CreateDbConnection();
    CDbError error;
    if (!db->Open(connection, CString(), CString(), 0, error)) {
        if (failure != nullptr)
            *failure = std::string("open: ") + static_cast<const char*>(error.strMessage);
        return false;
    }
    for (const char* sql : statements) {
        CDbResult result;
        if (!db->Execute(sql, result, error)) {
            if (failure != nullptr)
                *failure = std::string(sql) + ": " + static_cast<const char*>(error.strMessage);
            return false;
        }
    }
    return true;
}

}  // namespace dbtest
