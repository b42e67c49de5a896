// The database service over the ODBC calls of OdbcConnection.cpp: code page
// 936 text in and out, rows turned into CDbValue.
#include "base/Cp936.h"
#include "platform/Database.h"
#include "platform/odbc/OdbcRaw.h"

namespace {

CString Narrow(const std::u16string& text)
{
    return CString(cp936::FromUtf16(text).c_str());
}

void TakeError(const odbcraw::Error& raw, CDbError& error)
{
    error.strState = Narrow(raw.state);
    error.nNativeCode = raw.native;
    error.strSource = "ODBC";
    error.strMessage = Narrow(raw.message);
}

CDbValue Convert(const odbcraw::Value& v)
{
    switch (v.kind) {
    case odbcraw::Value::Integer: return CDbValue::MakeInteger(v.integer);
    case odbcraw::Value::Double: return CDbValue::MakeDouble(v.number);
    case odbcraw::Value::Boolean: return CDbValue::MakeBoolean(v.integer != 0);
    case odbcraw::Value::Text: return CDbValue::MakeText(Narrow(v.text));
    case odbcraw::Value::Decimal: return CDbValue::MakeDecimal(Narrow(v.text));
    case odbcraw::Value::Date: return CDbValue::MakeDate(v.year, v.month, v.day);
    case odbcraw::Value::Time: return CDbValue::MakeTime(v.hour, v.minute, v.second);
    case odbcraw::Value::Timestamp:
        return CDbValue::MakeTimestamp(v.year, v.month, v.day, v.hour, v.minute, v.second, v.fraction);
    case odbcraw::Value::Binary: return CDbValue::MakeBinary(std::vector<BYTE>(v.bytes.begin(), v.bytes.end()));
    default: return CDbValue();
    }
}

// Takes the fetched rows into the result's compact table, each value as
// it comes.
class ResultSink : public odbcraw::RowSink {
public:
    explicit ResultSink(CDbResult& result) : m_result(result) {}
    void Columns(const std::vector<odbcraw::Column>& columns) override
    {
        for (const odbcraw::Column& c : columns) {
            CDbColumn column;
            column.strName = Narrow(c.name);
            column.nSqlType = c.sqlType;
            column.nSize = c.size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(c.size);
            column.nDecimalDigits = c.digits;
            column.bNullable = c.nullable;
            m_result.columns.push_back(column);
        }
        m_result.rows.Reset(m_result.columns.size());
    }
    void Row(const std::vector<odbcraw::Value>& values) override
    {
        CDbRows& rows = m_result.rows;
        for (const odbcraw::Value& v : values) {
            switch (v.kind) {
            case odbcraw::Value::Null: rows.AddNull(); break;
            case odbcraw::Value::Integer: rows.AddInteger(v.integer); break;
            case odbcraw::Value::Double: rows.AddDouble(v.number); break;
            case odbcraw::Value::Boolean: rows.AddBoolean(v.integer != 0); break;
            case odbcraw::Value::Text:
                m_text = cp936::FromUtf16(v.text);
                rows.AddBytes(CDbValue::Text, m_text.data(), m_text.size());
                break;
            case odbcraw::Value::Binary:
                rows.AddBytes(CDbValue::Binary, reinterpret_cast<const char*>(v.bytes.data()), v.bytes.size());
                break;
            default: rows.AddValue(Convert(v)); break;
            }
        }
        rows.EndRow();
    }

private:
    CDbResult& m_result;
    std::string m_text;
};

class OdbcDatabase : public IDbConnection {
public:
    bool Open(const CString& strConnection, const CString& strUser, const CString& strPassword,
              int nTimeOutSeconds, CDbError& error) override
    {
        error = CDbError();
        // The string as it stands; a user name and password given apart are
        // added as the driver manager's own keywords.
        CString text = strConnection;
        if (!strUser.IsEmpty() || !strPassword.IsEmpty()) {
            if (!text.IsEmpty() && text[text.GetLength() - 1] != ';')
                text += ";";
            if (!strUser.IsEmpty())
                text += "UID=" + strUser + ";";
            if (!strPassword.IsEmpty())
                text += "PWD=" + strPassword + ";";
        }
        odbcraw::Error raw;
        if (m_connection.Open(cp936::ToUtf16(static_cast<const char*>(text), text.GetLength()), nTimeOutSeconds,
                              raw))
            return true;
        TakeError(raw, error);
        return false;
    }

    void Close() override { m_connection.Close(); }
    bool IsOpen() const override { return m_connection.IsOpen(); }

    bool Execute(const CString& strSql, CDbResult& result, CDbError& error) override
    {
        result = CDbResult();
        error = CDbError();
        ResultSink sink(result);
        odbcraw::Error raw;
        if (m_connection.Execute(cp936::ToUtf16(static_cast<const char*>(strSql), strSql.GetLength()), sink, raw))
            return true;
        result = CDbResult();
        TakeError(raw, error);
        return false;
    }

private:
    odbcraw::Connection m_connection;
};

}  // namespace

std::unique_ptr<IDbConnection> CreateOdbcDbConnection()
{
    return std::make_unique<OdbcDatabase>();
}
