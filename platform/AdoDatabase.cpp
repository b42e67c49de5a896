// The database service's ADO back end: the system's ADO objects reached by
// late-bound automation, by the names and argument orders of ADO's object
// model. A result is read whole when it opens, value by value from the
// recordset's Fields, and each value is kept in the form the ODBC back end
// gives for the same column: 64-bit integers, decimals and currency as their
// digits, dates as date, time or timestamp by the field's type, text, null.
#include "base/DateTime.h"
#include "platform/Automation.h"
#include "platform/Database.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

typedef std::vector<AutomationValue> Args;

// ADO's constants the calls use.
enum : int {
    adOpenKeyset = 1,
    adOpenStatic = 3,
    adLockOptimistic = 3,
    adUseClient = 3,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8,
    adStateClosed = 0,
};

// ADO's field types (DataTypeEnum) the values are read by.
enum : int {
    adSmallInt = 2, adInteger = 3, adSingle = 4, adDouble = 5, adCurrency = 6, adDate = 7, adBSTR = 8,
    adBoolean = 11, adDecimal = 14, adTinyInt = 16, adUnsignedTinyInt = 17, adUnsignedSmallInt = 18,
    adUnsignedInt = 19, adBigInt = 20, adUnsignedBigInt = 21, adGUID = 72, adBinary = 128, adChar = 129,
    adWChar = 130, adNumeric = 131, adDBDate = 133, adDBTime = 134, adDBTimeStamp = 135, adVarNumeric = 139,
    adVarChar = 200, adLongVarChar = 201, adVarWChar = 202, adLongVarWChar = 203, adVarBinary = 204,
    adLongVarBinary = 205,
};

const long adFldMayBeNull = 0x40;
const long adFldIsNullable = 0x20;

// The ODBC SQL type number of an ADO field type, so that a column reads the
// same whichever back end described it.
int SqlTypeOfAdoType(int type)
{
    switch (type) {
    case adSmallInt: case adUnsignedTinyInt: return 5;
    case adInteger: case adUnsignedSmallInt: return 4;
    case adTinyInt: return -6;
    case adBigInt: case adUnsignedInt: case adUnsignedBigInt: return -5;
    case adSingle: return 7;
    case adDouble: return 8;
    case adCurrency: case adDecimal: case adNumeric: case adVarNumeric: return 3;
    case adBoolean: return -7;
    case adDate: case adDBTimeStamp: return 93;
    case adDBDate: return 91;
    case adDBTime: return 92;
    case adChar: return 1;
    case adWChar: return -8;
    case adVarWChar: case adBSTR: return -9;
    case adLongVarWChar: return -10;
    case adLongVarChar: return -1;
    case adBinary: return -2;
    case adVarBinary: return -3;
    case adLongVarBinary: return -4;
    case adGUID: return -11;
    default: return 12;
    }
}

CString CurrencyDigits(long long tenThousandths)
{
    const bool negative = tenThousandths < 0;
    const unsigned long long magnitude =
        negative ? 0ull - static_cast<unsigned long long>(tenThousandths) : static_cast<unsigned long long>(tenThousandths);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", negative ? "-" : "", magnitude / 10000, magnitude % 10000);
    return CString(buffer);
}

// A value as the ODBC back end gives it for a column of this ADO type.
CDbValue ValueOf(const AutomationValue& v, int type)
{
    switch (v.kind) {
    case AutomationValue::kInt:
        if (type == adBoolean)
            return CDbValue::MakeBoolean(v.nInt != 0);
        if (type == adDouble || type == adSingle)
            return CDbValue::MakeDouble(static_cast<double>(v.nInt));
        return CDbValue::MakeInteger(v.nInt);
    case AutomationValue::kBool:
        return CDbValue::MakeBoolean(v.nInt != 0);
    case AutomationValue::kDouble:
        return CDbValue::MakeDouble(v.dValue);
    case AutomationValue::kDecimal:
        return CDbValue::MakeDecimal(v.strText);
    case AutomationValue::kCurrency:
        return CDbValue::MakeDecimal(CurrencyDigits(v.nInt));
    case AutomationValue::kDate: {
        const COleDateTime date(v.dValue);
        if (date.GetStatus() != COleDateTime::valid)
            return CDbValue::MakeNull();
        if (type == adDBDate)
            return CDbValue::MakeDate(date.GetYear(), date.GetMonth(), date.GetDay());
        if (type == adDBTime)
            return CDbValue::MakeTime(date.GetHour(), date.GetMinute(), date.GetSecond());
        return CDbValue::MakeTimestamp(date.GetYear(), date.GetMonth(), date.GetDay(), date.GetHour(),
                                       date.GetMinute(), date.GetSecond());
    }
    case AutomationValue::kText:
        return CDbValue::MakeText(v.strText);
    default:
        return CDbValue::MakeNull();
    }
}

class CAdoDb : public IDbConnection {
public:
    explicit CAdoDb(AutomationObjectPtr connection) : m_connection(std::move(connection)) {}
    ~CAdoDb() override { Close(); }

    bool Open(const CString& strConnection, const CString& strUser, const CString& strPassword, int nTimeOutSeconds,
              CDbError& error) override
    {
        Close();
        error = CDbError();
        if (!m_connection) {
            error.strSource = "ADODB.Connection";
            error.strMessage = "no ADO connection object";
            return false;
        }
        if (nTimeOutSeconds > 0 &&
            !Put(m_connection, "ConnectionTimeout", AutomationValue::Int(nTimeOutSeconds), error))
            return false;
        AutomationValue ignored;
        if (!Call(m_connection, "Open",
                  {AutomationValue::Text(strConnection), AutomationValue::Text(strUser),
                   AutomationValue::Text(strPassword), AutomationValue::Int(0)},
                  ignored, error))
            return false;
        m_open = true;
        return true;
    }

    void Close() override
    {
        if (!m_open)
            return;
        m_open = false;
        AutomationValue state;
        if (m_connection->GetProperty("State", Args(), state) >= 0 && state.AsInt() != adStateClosed) {
            AutomationValue ignored;
            m_connection->CallMethod("Close", Args(), ignored);
        }
    }

    bool IsOpen() const override { return m_open; }

    bool Execute(const CString& strSql, CDbResult& result, CDbError& error) override
    {
        return ExecuteCommand(strSql, kDbCommandText, result, error);
    }

    bool ExecuteCommand(const CString& strText, int nCommandType, CDbResult& result, CDbError& error) override
    {
        result = CDbResult();
        error = CDbError();
        if (!m_open) {
            error.strSource = "ADODB.Connection";
            error.strMessage = "the connection is not open";
            return false;
        }
        if (nCommandType < kDbCommandUnknown || nCommandType > kDbCommandStoredProc) {
            error.strMessage = "unknown command type";
            return false;
        }
        AutomationObjectPtr rs;
        if (!OpenRecordset(strText, nCommandType, rs, error) || !Read(rs, result, error)) {
            result = CDbResult();
            if (rs) {
                AutomationValue ignored;
                rs->CallMethod("Close", Args(), ignored);
            }
            return false;
        }
        AutomationValue ignored;
        rs->CallMethod("Close", Args(), ignored);
        return true;
    }

    DbBackEnd GetBackEnd() const override { return DbBackEnd::Ado; }

private:
    bool OpenRecordset(const CString& strText, int nCommandType, AutomationObjectPtr& rs, CDbError& error)
    {
        const AutomationValue connection = AutomationValue::Object(m_connection);
        AutomationValue out;
        if (nCommandType == kDbCommandStoredProc) {
            AutomationObjectPtr command = PlatformCreateAutomationObject("ADODB.Command");
            if (!command)
                return Missing("ADODB.Command", error);
            if (!Put(command, "ActiveConnection", connection, error) ||
                !Put(command, "CommandText", AutomationValue::Text(strText), error) ||
                !Put(command, "CommandType", AutomationValue::Int(adCmdStoredProc), error) ||
                !Put(m_connection, "CursorLocation", AutomationValue::Int(adUseClient), error) ||
                !Call(command, "Execute", Args(), out, error))
                return false;
            rs = out.object;
            if (!rs) {
                error.strSource = "ADODB.Command";
                error.strMessage = "Execute gave no recordset";
                return false;
            }
            return true;
        }
        rs = PlatformCreateAutomationObject("ADODB.Recordset");
        if (!rs)
            return Missing("ADODB.Recordset", error);
        if (!Put(rs, "CursorType", AutomationValue::Int(adOpenStatic), error) ||
            !Put(rs, "CursorLocation", AutomationValue::Int(adUseClient), error))
            return false;
        Args args;
        if (nCommandType == kDbCommandTable)
            args = {AutomationValue::Text(strText), connection, AutomationValue::Int(adOpenKeyset),
                    AutomationValue::Int(adLockOptimistic), AutomationValue::Int(adCmdTable)};
        else
            args = {AutomationValue::Text(strText), connection, AutomationValue::Int(adOpenStatic),
                    AutomationValue::Int(adLockOptimistic), AutomationValue::Int(adCmdUnknown)};
        return Call(rs, "Open", args, out, error);
    }

    // Every field's description, then every record.
    bool Read(const AutomationObjectPtr& rs, CDbResult& result, CDbError& error)
    {
        AutomationValue state;
        if (!Get(rs, "State", Args(), state, error))
            return false;
        // A statement that gives no rows leaves the recordset closed.
        if (state.AsInt() == adStateClosed)
            return true;
        AutomationValue fieldsValue, count;
        if (!Get(rs, "Fields", Args(), fieldsValue, error))
            return false;
        if (!fieldsValue.object)
            return NoObject("Fields", error);
        const AutomationObjectPtr fields = fieldsValue.object;
        if (!Get(fields, "Count", Args(), count, error))
            return false;
        const long long n = count.AsInt();
        std::vector<AutomationObjectPtr> items;
        std::vector<int> types;
        for (long long i = 0; i < n; ++i) {
            AutomationValue item, name, type, size, attributes, scale;
            if (!Get(fields, "Item", {AutomationValue::Int(i)}, item, error))
                return false;
            if (!item.object)
                return NoObject("Fields.Item", error);
            if (!Get(item.object, "Name", Args(), name, error) || !Get(item.object, "Type", Args(), type, error) ||
                !Get(item.object, "DefinedSize", Args(), size, error) ||
                !Get(item.object, "Attributes", Args(), attributes, error))
                return false;
            CDbColumn column;
            column.strName = name.strText;
            column.nAdoType = static_cast<short>(type.AsInt());
            column.nSqlType = SqlTypeOfAdoType(column.nAdoType);
            const long long defined = size.AsInt();
            column.nSize = defined < 0 ? 0 : defined > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(defined);
            // The scale where the provider gives one.
            if (item.object->GetProperty("NumericScale", Args(), scale) >= 0 && scale.IsNumeric())
                column.nDecimalDigits = static_cast<int>(scale.AsInt());
            column.bNullable = (attributes.AsInt() & (adFldMayBeNull | adFldIsNullable)) != 0;
            result.columns.push_back(column);
            items.push_back(item.object);
            types.push_back(column.nAdoType);
        }
        result.rows.Reset(result.columns.size());
        for (;;) {
            AutomationValue eof;
            if (!Get(rs, "EOF", Args(), eof, error))
                return false;
            if (eof.IsTrue())
                return true;
            for (size_t c = 0; c < items.size(); ++c) {
                AutomationValue value;
                if (!Get(items[c], "Value", Args(), value, error))
                    return false;
                result.rows.AddValue(ValueOf(value, types[c]));
            }
            result.rows.EndRow();
            AutomationValue ignored;
            if (!Call(rs, "MoveNext", Args(), ignored, error))
                return false;
        }
    }

    bool Get(const AutomationObjectPtr& o, LPCTSTR name, const Args& args, AutomationValue& out, CDbError& error)
    {
        const HRESULT hr = o->GetProperty(name, args, out);
        return hr >= 0 || Fail(o, name, hr, error);
    }
    bool Put(const AutomationObjectPtr& o, LPCTSTR name, const AutomationValue& value, CDbError& error)
    {
        const HRESULT hr = o->PutProperty(name, value);
        return hr >= 0 || Fail(o, name, hr, error);
    }
    bool Call(const AutomationObjectPtr& o, LPCTSTR name, const Args& args, AutomationValue& out, CDbError& error)
    {
        const HRESULT hr = o->CallMethod(name, args, out);
        return hr >= 0 || Fail(o, name, hr, error);
    }

    static bool Missing(LPCTSTR progId, CDbError& error)
    {
        error.strSource = progId;
        error.strMessage = CString(progId) + " cannot be created";
        return false;
    }
    static bool NoObject(LPCTSTR what, CDbError& error)
    {
        error.strSource = "ADODB.Recordset";
        error.strMessage = CString(what) + " gave no object";
        return false;
    }

    // The error of a failed call: the provider's first error in the
    // connection's Errors collection when there is one, else the object's
    // own exception, else the call's code. Always false.
    bool Fail(const AutomationObjectPtr& o, LPCTSTR member, HRESULT hr, CDbError& error)
    {
        const AutomationFault fault = o->GetLastFault();
        error = CDbError();
        error.nCode = fault.hr < 0 ? fault.hr : hr;
        error.strSource = fault.strSource;
        error.strMessage = fault.strDescription;
        AutomationValue errors, count, item, text;
        if (m_connection->GetProperty("Errors", Args(), errors) >= 0 && errors.object &&
            errors.object->GetProperty("Count", Args(), count) >= 0 && count.AsInt() > 0 &&
            errors.object->GetProperty("Item", {AutomationValue::Int(0)}, item) >= 0 && item.object) {
            if (item.object->GetProperty("Description", Args(), text) >= 0 && text.kind == AutomationValue::kText)
                error.strMessage = text.strText;
            if (item.object->GetProperty("Source", Args(), text) >= 0 && text.kind == AutomationValue::kText)
                error.strSource = text.strText;
            if (item.object->GetProperty("SQLState", Args(), text) >= 0 && text.kind == AutomationValue::kText)
                error.strState = text.strText;
            if (item.object->GetProperty("NativeError", Args(), text) >= 0 && text.IsNumeric())
                error.nNativeCode = static_cast<long>(text.AsInt());
            AutomationValue ignored;
            errors.object->CallMethod("Clear", Args(), ignored);
        }
        if (error.strMessage.IsEmpty()) {
            char buffer[96];
            std::snprintf(buffer, sizeof buffer, "%s failed (%08lx)", member != nullptr ? member : "",
                          static_cast<unsigned long>(static_cast<unsigned int>(error.nCode)));
            error.strMessage = buffer;
        }
        return false;
    }

    AutomationObjectPtr m_connection;
    bool m_open = false;
};

}  // namespace

std::unique_ptr<IDbConnection> CreateAdoDbConnection(std::shared_ptr<IAutomationObject> connection)
{
    return std::make_unique<CAdoDb>(std::move(connection));
}
