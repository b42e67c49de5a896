// The ODBC calls themselves, kept apart from the system's own types: the
// driver manager's headers declare Windows value types of their own on the
// host, so this side speaks only standard types and UTF-16 text, and
// platform/odbc/OdbcDatabase.cpp turns it into the database service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace odbcraw {

struct Error {
    std::u16string state;
    long native = 0;
    std::u16string message;
};

struct Column {
    std::u16string name;
    int sqlType = 0;
    std::uint64_t size = 0;
    int digits = 0;
    bool nullable = true;
};

struct Value {
    enum Kind { Null, Integer, Double, Boolean, Text, Decimal, Date, Time, Timestamp, Binary } kind = Null;
    std::int64_t integer = 0;
    double number = 0.0;
    std::u16string text;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    unsigned fraction = 0;
    std::vector<unsigned char> bytes;
};

// Receives the rows one by one as they are fetched.
class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void Columns(const std::vector<Column>& columns) = 0;
    virtual void Row(const std::vector<Value>& values) = 0;
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Open(const std::u16string& connection, int timeOutSeconds, Error& error);
    void Close();
    bool IsOpen() const { return m_open; }
    bool Execute(const std::u16string& sql, RowSink& sink, Error& error);

private:
    void* m_env = nullptr;
    void* m_dbc = nullptr;
    bool m_open = false;
};

}  // namespace odbcraw
