#include "binding/standin/AdoStandIn.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

namespace {

typedef AutomationValue V;
typedef std::vector<AutomationValue> Args;

// ADO's error codes and texts for what it refuses.
struct AdoRefusal {
    HRESULT hr;
    const char* text;
};
const AdoRefusal kWrongArguments = {static_cast<HRESULT>(0x800A0BB9u),
                                    "Arguments are of the wrong type, are out of acceptable range, or are in "
                                    "conflict with one another."};
const AdoRefusal kNoCurrentRecord = {static_cast<HRESULT>(0x800A0BCDu),
                                     "Either BOF or EOF is True, or the current record has been deleted. Requested "
                                     "operation requires a current record."};
const AdoRefusal kItemNotFound = {static_cast<HRESULT>(0x800A0CC1u),
                                  "Item cannot be found in the collection corresponding to the requested name or "
                                  "ordinal."};
const AdoRefusal kObjectOpen = {static_cast<HRESULT>(0x800A0E79u), "Operation is not allowed when the object is open."};
const AdoRefusal kObjectClosed = {static_cast<HRESULT>(0x800A0E78u),
                                  "Operation is not allowed when the object is closed."};
const AdoRefusal kNotAllowed = {static_cast<HRESULT>(0x800A0CB3u),
                                "Current Recordset does not support updating. This may be a limitation of the "
                                "provider, or of the selected locktype."};
const HRESULT kProviderError = static_cast<HRESULT>(0x80004005u);
const HRESULT kSyntaxError = static_cast<HRESULT>(0x80040E14u);
const HRESULT kNoTable = static_cast<HRESULT>(0x80040E37u);
const HRESULT kException = static_cast<HRESULT>(0x80020009u);   // DISP_E_EXCEPTION

std::string Show(const V& v)
{
    char buffer[64];
    switch (v.kind) {
    case V::kEmpty: return "empty";
    case V::kNull: return "null";
    case V::kMissing: return "missing";
    case V::kBool: return v.nInt ? "b:1" : "b:0";
    case V::kInt: return "i:" + std::to_string(v.nInt);
    case V::kDouble:
        std::snprintf(buffer, sizeof buffer, "d:%.6g", v.dValue);
        return buffer;
    case V::kCurrency: return "cy:" + std::to_string(v.nInt);
    case V::kDate:
        std::snprintf(buffer, sizeof buffer, "date:%.6f", v.dValue);
        return buffer;
    case V::kText: return "s:" + std::string(v.strText.GetString());
    case V::kDecimal: return "dec:" + std::string(v.strText.GetString());
    case V::kObject: return "obj";
    case V::kError: return "err";
    }
    return "?";
}

std::string ShowArgs(const Args& args)
{
    std::string out;
    for (size_t i = 0; i < args.size(); ++i)
        out += (i ? "," : "") + Show(args[i]);
    return out;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool Same(const std::string& a, const std::string& b)
{
    return Upper(a) == Upper(b);
}

std::string Trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return std::string();
    const size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// --- the tables ----------------------------------------------------------------------

struct Column {
    std::string name;
    int type;          // ADO DataTypeEnum
    long size;
    long attributes;
    int scale;
};

struct Table {
    std::vector<Column> columns;
    std::vector<std::vector<V>> rows;
};

const long kNullable = 0x60;   // adFldMayBeNull | adFldIsNullable

V Dec(const char* digits)
{
    return V::Decimal(digits);
}

// 2024-02-29 and 1999-12-31 as serial days; 13:45:30 as a fraction.
const double kLeapDay = 45351.0;
const double kEndOf1999 = 36525.0;
const double kAfternoon = (13 * 3600 + 45 * 60 + 30) / 86400.0;

const std::map<std::string, Table>& Tables()
{
    static const std::map<std::string, Table> tables = [] {
        std::map<std::string, Table> t;
        Table goods;
        goods.columns = {{"name", 202, 50, kNullable, 0}, {"qty", 20, 8, kNullable, 0}};
        goods.rows = {{V::Text("\xC6\xBB\xB9\xFB"), V::Int(5000000000LL)}, {V::Text("pear"), V::Int(2)}};
        t["goods"] = goods;
        Table typed;
        typed.columns = {{"id", 3, 4, 0, 0},           {"big", 20, 8, kNullable, 0},
                         {"price", 6, 8, kNullable, 4}, {"amount", 131, 19, kNullable, 3},
                         {"day", 133, 6, kNullable, 0}, {"stamp", 135, 16, kNullable, 0},
                         {"name", 202, 20, kNullable, 0}, {"note", 202, 20, kNullable, 0},
                         {"ratio", 5, 8, kNullable, 0}, {"flag", 11, 2, kNullable, 0}};
        typed.rows = {
            {V::Int(1), V::Int(9007199254740993LL), V::Currency(123456789012345678LL), Dec("-12345678901234567.890"),
             V::Date(kLeapDay), V::Date(kLeapDay + kAfternoon), V::Text("\xCF\xE3\xBD\xB6"), V::Null(),
             V::Double(0.125), V::Bool(true)},
            {V::Int(2), V::Int(-5000000000LL), V::Currency(-1), Dec("0.000"), V::Date(kEndOf1999),
             V::Date(kEndOf1999 + 1), V::Text("pear"), V::Text("x"), V::Double(-1.5), V::Bool(false)},
        };
        t["typed"] = typed;
        return t;
    }();
    return tables;
}

// A result: the columns picked from a table and its rows in order.
struct Result {
    std::vector<Column> columns;
    std::vector<std::vector<V>> rows;
};

bool Pick(const std::string& tableName, const std::vector<std::string>& names, const std::string& orderBy,
          Result& out, std::string& error, HRESULT& hr)
{
    const Table* table = nullptr;
    for (const auto& t : Tables())
        if (Same(t.first, tableName))
            table = &t.second;
    if (table == nullptr) {
        error = "Invalid object name '" + tableName + "'.";
        hr = kNoTable;
        return false;
    }
    auto find = [&](const std::string& name) -> int {
        for (size_t i = 0; i < table->columns.size(); ++i)
            if (Same(table->columns[i].name, name))
                return static_cast<int>(i);
        return -1;
    };
    std::vector<int> picked;
    for (const std::string& n : names) {
        if (n == "*") {
            for (size_t i = 0; i < table->columns.size(); ++i)
                picked.push_back(static_cast<int>(i));
            continue;
        }
        const int at = find(n);
        if (at < 0) {
            error = "Invalid column name '" + n + "'.";
            hr = kSyntaxError;
            return false;
        }
        picked.push_back(at);
    }
    std::vector<std::vector<V>> rows = table->rows;
    if (!orderBy.empty()) {
        const int key = find(orderBy);
        if (key < 0) {
            error = "Invalid column name '" + orderBy + "'.";
            hr = kSyntaxError;
            return false;
        }
        std::stable_sort(rows.begin(), rows.end(), [key](const std::vector<V>& a, const std::vector<V>& b) {
            const V& x = a[static_cast<size_t>(key)];
            const V& y = b[static_cast<size_t>(key)];
            if (x.kind == V::kText || y.kind == V::kText)
                return std::string(x.strText.GetString()) < std::string(y.strText.GetString());
            return x.AsDouble() < y.AsDouble();
        });
    }
    out = Result();
    for (int p : picked)
        out.columns.push_back(table->columns[static_cast<size_t>(p)]);
    for (const auto& row : rows) {
        std::vector<V> r;
        for (int p : picked)
            r.push_back(row[static_cast<size_t>(p)]);
        out.rows.push_back(r);
    }
    return true;
}

// "SELECT a, b FROM t [ORDER BY c]".
bool Query(const std::string& text, Result& out, std::string& error, HRESULT& hr)
{
    const std::string upper = Upper(text);
    const size_t from = upper.find(" FROM ");
    if (upper.compare(0, 7, "SELECT ") != 0 || from == std::string::npos) {
        error = "Syntax error in the statement: " + text;
        hr = kSyntaxError;
        return false;
    }
    std::vector<std::string> names;
    std::string list = text.substr(7, from - 7);
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        names.push_back(Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    std::string rest = Trim(text.substr(from + 6));
    std::string orderBy;
    const size_t order = Upper(rest).find(" ORDER BY ");
    if (order != std::string::npos) {
        orderBy = Trim(rest.substr(order + 10));
        rest = Trim(rest.substr(0, order));
    }
    if (rest.empty() || rest.find(' ') != std::string::npos) {
        error = "Syntax error in the statement: " + text;
        hr = kSyntaxError;
        return false;
    }
    return Pick(rest, names, orderBy, out, error, hr);
}

// --- the objects ------------------------------------------------------------------------

class StandInObject : public IAutomationObject {
public:
    StandInObject(const char* name, AdoStandInLog* log) : m_name(name), m_log(log) {}
    AutomationFault GetLastFault() const override { return m_fault; }

    HRESULT GetProperty(LPCTSTR szName, const Args& args, V& result) override
    {
        const std::string name = szName != nullptr ? szName : "";
        m_log->Add("get " + m_name + "." + name + (args.empty() ? "" : "(" + ShowArgs(args) + ")"));
        result = V();
        return Get(name, args, result);
    }
    HRESULT PutProperty(LPCTSTR szName, const V& value) override
    {
        const std::string name = szName != nullptr ? szName : "";
        m_log->Add("put " + m_name + "." + name + "(" + Show(value) + ")");
        return Put(name, value);
    }
    HRESULT CallMethod(LPCTSTR szName, const Args& args, V& result) override
    {
        const std::string name = szName != nullptr ? szName : "";
        m_log->Add("call " + m_name + "." + name + "(" + ShowArgs(args) + ")");
        result = V();
        return Call(name, args, result);
    }

protected:
    virtual HRESULT Get(const std::string&, const Args&, V&) { return kAutomationUnknownName; }
    virtual HRESULT Put(const std::string&, const V&) { return kAutomationUnknownName; }
    virtual HRESULT Call(const std::string&, const Args&, V&) { return kAutomationUnknownName; }

    HRESULT Refuse(const AdoRefusal& refusal) { return Raise(refusal.hr, "ADODB." + m_name, refusal.text); }
    HRESULT Raise(HRESULT hr, const std::string& source, const std::string& text)
    {
        m_fault.hr = hr;
        m_fault.strSource = source.c_str();
        m_fault.strDescription = text.c_str();
        m_log->Add("raise " + m_name + " " + text);
        return kException;
    }

    std::string m_name;
    AdoStandInLog* m_log;
    AutomationFault m_fault;
};

// An optional argument: missing, empty or absent.
bool Given(const Args& args, size_t i)
{
    return i < args.size() && args[i].kind != V::kMissing && args[i].kind != V::kEmpty;
}

class ErrorItem : public StandInObject {
public:
    ErrorItem(AdoStandInLog* log, std::string description, std::string state)
        : StandInObject("Error", log), m_description(std::move(description)), m_state(std::move(state))
    {
    }

protected:
    HRESULT Get(const std::string& name, const Args&, V& result) override
    {
        if (name == "Description")
            result = V::Text(m_description.c_str());
        else if (name == "Source")
            result = V::Text("KivoStandIn");
        else if (name == "SQLState")
            result = V::Text(m_state.c_str());
        else if (name == "NativeError")
            result = V::Int(17);
        else if (name == "Number")
            result = V::Int(kProviderError);
        else
            return kAutomationUnknownName;
        return kAutomationOk;
    }

private:
    std::string m_description;
    std::string m_state;
};

class ErrorsCollection : public StandInObject {
public:
    explicit ErrorsCollection(AdoStandInLog* log) : StandInObject("Errors", log) {}
    std::vector<AutomationObjectPtr> items;

protected:
    HRESULT Get(const std::string& name, const Args& args, V& result) override
    {
        if (name == "Count") {
            result = V::Int(static_cast<long long>(items.size()));
            return kAutomationOk;
        }
        if (name == "Item") {
            const long long i = args.empty() ? -1 : args[0].AsInt();
            if (args.empty() || !args[0].IsNumeric() || i < 0 || i >= static_cast<long long>(items.size()))
                return Refuse(kItemNotFound);
            result = V::Object(items[static_cast<size_t>(i)]);
            return kAutomationOk;
        }
        return kAutomationUnknownName;
    }
    HRESULT Call(const std::string& name, const Args&, V&) override
    {
        if (name != "Clear")
            return kAutomationUnknownName;
        items.clear();
        return kAutomationOk;
    }
};

class PropertyItem : public StandInObject {
public:
    PropertyItem(AdoStandInLog* log, std::string name, V value)
        : StandInObject("Property", log), m_property(std::move(name)), m_value(std::move(value))
    {
    }
    const std::string& PropertyName() const { return m_property; }

protected:
    HRESULT Get(const std::string& name, const Args&, V& result) override
    {
        if (name == "Name")
            result = V::Text(m_property.c_str());
        else if (name == "Value")
            result = m_value;
        else
            return kAutomationUnknownName;
        return kAutomationOk;
    }

private:
    std::string m_property;
    V m_value;
};

class PropertiesCollection : public StandInObject {
public:
    explicit PropertiesCollection(AdoStandInLog* log) : StandInObject("Properties", log)
    {
        m_items.push_back(std::make_shared<PropertyItem>(log, "Provider Name", V::Text("KivoStandIn")));
        m_items.push_back(std::make_shared<PropertyItem>(log, "DBMS Name", V::Text("KivoStandIn tables")));
    }

protected:
    HRESULT Get(const std::string& name, const Args& args, V& result) override
    {
        if (name == "Count") {
            result = V::Int(static_cast<long long>(m_items.size()));
            return kAutomationOk;
        }
        if (name != "Item")
            return kAutomationUnknownName;
        if (args.empty())
            return Refuse(kWrongArguments);
        for (size_t i = 0; i < m_items.size(); ++i) {
            if ((args[0].kind == V::kText && Same(m_items[i]->PropertyName(), args[0].strText.GetString())) ||
                (args[0].IsNumeric() && args[0].AsInt() == static_cast<long long>(i))) {
                result = V::Object(m_items[i]);
                return kAutomationOk;
            }
        }
        return Refuse(kItemNotFound);
    }

private:
    std::vector<std::shared_ptr<PropertyItem>> m_items;
};

class ConnectionObject : public StandInObject {
public:
    explicit ConnectionObject(AdoStandInLog* log)
        : StandInObject("Connection", log), m_errors(std::make_shared<ErrorsCollection>(log)),
          m_properties(std::make_shared<PropertiesCollection>(log))
    {
    }
    bool IsOpen() const { return m_open; }
    // A provider error: kept in Errors and raised.
    HRESULT ProviderError(HRESULT hr, const std::string& text, const std::string& state)
    {
        m_errors->items.push_back(std::make_shared<ErrorItem>(m_log, "[KivoStandIn] " + text, state));
        return Raise(hr, "KivoStandIn", "[KivoStandIn] " + text);
    }
    // The same, raised by another object of this connection (its fault).
    HRESULT RaiseFrom(HRESULT hr, const std::string& text, const std::string& state, AutomationFault& fault)
    {
        const HRESULT out = ProviderError(hr, text, state);
        fault = m_fault;
        return out;
    }

protected:
    HRESULT Get(const std::string& name, const Args&, V& result) override
    {
        if (name == "State")
            result = V::Int(m_open ? 1 : 0);
        else if (name == "ConnectionString")
            result = V::Text(m_string.c_str());
        else if (name == "ConnectionTimeout")
            result = V::Int(m_timeOut);
        else if (name == "CursorLocation")
            result = V::Int(m_cursorLocation);
        else if (name == "Errors")
            result = V::Object(m_errors);
        else if (name == "Properties")
            result = m_open ? V::Object(m_properties) : V::Object(std::make_shared<PropertiesCollection>(m_log));
        else if (name == "Provider")
            result = V::Text("KivoStandIn");
        else
            return kAutomationUnknownName;
        return kAutomationOk;
    }
    HRESULT Put(const std::string& name, const V& value) override
    {
        if (name == "ConnectionString") {
            if (m_open)
                return Refuse(kObjectOpen);
            m_string = value.strText.GetString();
        } else if (name == "ConnectionTimeout") {
            if (!value.IsNumeric() || value.AsInt() < 0)
                return Refuse(kWrongArguments);
            m_timeOut = value.AsInt();
        } else if (name == "CursorLocation") {
            if (!value.IsNumeric() || (value.AsInt() != 2 && value.AsInt() != 3))
                return Refuse(kWrongArguments);
            m_cursorLocation = value.AsInt();
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }
    HRESULT Call(const std::string& name, const Args& args, V&) override
    {
        if (name == "Open") {
            if (m_open)
                return Refuse(kObjectOpen);
            if (Given(args, 0))
                m_string = args[0].strText.GetString();
            if (Given(args, 3) && args[3].AsInt() != 0 && args[3].AsInt() != -1 && args[3].AsInt() != 16)
                return Refuse(kWrongArguments);
            const std::string source = Value("Data Source");
            if (Value("Provider").empty())
                return ProviderError(kProviderError, "No provider named in the connection string.", "IM002");
            if (!Same(source, "kivo"))
                return ProviderError(kProviderError, "Data source '" + source + "' cannot be found.", "08001");
            m_open = true;
            return kAutomationOk;
        }
        if (name == "Close") {
            if (!m_open)
                return Refuse(kObjectClosed);
            m_open = false;
            return kAutomationOk;
        }
        return kAutomationUnknownName;
    }

private:
    std::string Value(const char* key) const
    {
        size_t start = 0;
        while (start < m_string.size()) {
            size_t end = m_string.find(';', start);
            if (end == std::string::npos)
                end = m_string.size();
            const std::string piece = m_string.substr(start, end - start);
            const size_t eq = piece.find('=');
            if (eq != std::string::npos && Same(Trim(piece.substr(0, eq)), key))
                return Trim(piece.substr(eq + 1));
            start = end + 1;
        }
        return std::string();
    }

    std::shared_ptr<ErrorsCollection> m_errors;
    std::shared_ptr<PropertiesCollection> m_properties;
    std::string m_string;
    long long m_timeOut = 15;
    long long m_cursorLocation = 2;
    bool m_open = false;
};

// What a recordset's fields read: its result and the current record.
struct RecordsetState {
    bool open = false;
    Result result;
    size_t position = 0;
};

class FieldObject : public StandInObject {
public:
    FieldObject(AdoStandInLog* log, std::shared_ptr<RecordsetState> state, size_t index)
        : StandInObject("Field", log), m_state(std::move(state)), m_index(index)
    {
    }

protected:
    HRESULT Get(const std::string& name, const Args&, V& result) override
    {
        if (!m_state->open)
            return Refuse(kObjectClosed);
        const Column& c = m_state->result.columns[m_index];
        if (name == "Name") {
            result = V::Text(c.name.c_str());
        } else if (name == "Type") {
            result = V::Int(c.type);
        } else if (name == "DefinedSize") {
            result = V::Int(c.size);
        } else if (name == "Attributes") {
            result = V::Int(c.attributes);
        } else if (name == "NumericScale") {
            result = V::Int(c.scale);
        } else if (name == "Value") {
            if (m_state->position >= m_state->result.rows.size())
                return Refuse(kNoCurrentRecord);
            result = m_state->result.rows[m_state->position][m_index];
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }
    HRESULT Put(const std::string& name, const V&) override
    {
        return name == "Value" ? Refuse(kNotAllowed) : kAutomationUnknownName;
    }

private:
    std::shared_ptr<RecordsetState> m_state;
    size_t m_index;
};

class FieldsCollection : public StandInObject {
public:
    FieldsCollection(AdoStandInLog* log, std::shared_ptr<RecordsetState> state)
        : StandInObject("Fields", log), m_state(std::move(state))
    {
    }

protected:
    HRESULT Get(const std::string& name, const Args& args, V& result) override
    {
        if (!m_state->open)
            return Refuse(kObjectClosed);
        const auto& columns = m_state->result.columns;
        if (name == "Count") {
            result = V::Int(static_cast<long long>(columns.size()));
            return kAutomationOk;
        }
        if (name != "Item")
            return kAutomationUnknownName;
        if (args.empty())
            return Refuse(kWrongArguments);
        for (size_t i = 0; i < columns.size(); ++i) {
            if ((args[0].kind == V::kText && Same(columns[i].name, args[0].strText.GetString())) ||
                (args[0].IsNumeric() && args[0].AsInt() == static_cast<long long>(i))) {
                result = V::Object(std::make_shared<FieldObject>(m_log, m_state, i));
                return kAutomationOk;
            }
        }
        return Refuse(kItemNotFound);
    }

private:
    std::shared_ptr<RecordsetState> m_state;
};

class RecordsetObject : public StandInObject {
public:
    explicit RecordsetObject(AdoStandInLog* log)
        : StandInObject("Recordset", log), m_state(std::make_shared<RecordsetState>())
    {
    }
    // Opens on a result (Command.Execute).
    void Take(Result result)
    {
        m_state->result = std::move(result);
        m_state->position = 0;
        m_state->open = true;
    }

protected:
    HRESULT Get(const std::string& name, const Args&, V& result) override
    {
        if (name == "State") {
            result = V::Int(m_state->open ? 1 : 0);
            return kAutomationOk;
        }
        if (name == "CursorType" || name == "CursorLocation" || name == "LockType") {
            result = V::Int(name == "CursorType" ? m_cursorType : name == "LockType" ? m_lockType : m_cursorLocation);
            return kAutomationOk;
        }
        if (name == "Fields") {
            result = V::Object(std::make_shared<FieldsCollection>(m_log, m_state));
            return kAutomationOk;
        }
        if (name == "EOF" || name == "BOF" || name == "RecordCount") {
            if (!m_state->open)
                return Refuse(kObjectClosed);
            const size_t n = m_state->result.rows.size();
            if (name == "EOF")
                result = V::Bool(m_state->position >= n);
            else if (name == "BOF")
                result = V::Bool(n == 0);
            else
                result = V::Int(static_cast<long long>(n));
            return kAutomationOk;
        }
        return kAutomationUnknownName;
    }
    HRESULT Put(const std::string& name, const V& value) override
    {
        const long long v = value.AsInt();
        if (m_state->open && (name == "CursorLocation" || name == "CursorType" || name == "LockType"))
            return Refuse(kObjectOpen);
        if (name == "CursorLocation") {
            if (!value.IsNumeric() || (v != 2 && v != 3))
                return Refuse(kWrongArguments);
            m_cursorLocation = v;
        } else if (name == "CursorType") {
            if (!value.IsNumeric() || v < -1 || v > 3)
                return Refuse(kWrongArguments);
            m_cursorType = v;
        } else if (name == "LockType") {
            if (!value.IsNumeric() || v < -1 || v > 4)
                return Refuse(kWrongArguments);
            m_lockType = v;
        } else if (name == "Sort") {
            if (!m_state->open)
                return Refuse(kObjectClosed);
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }
    HRESULT Call(const std::string& name, const Args& args, V&) override
    {
        if (name == "Open")
            return Open(args);
        if (name == "Close" || name == "MoveNext" || name == "MoveFirst" || name == "CancelUpdate") {
            if (!m_state->open)
                return Refuse(kObjectClosed);
            if (name == "Close")
                m_state->open = false;
            else if (name == "MoveFirst")
                m_state->position = 0;
            else if (name == "MoveNext") {
                if (m_state->position >= m_state->result.rows.size())
                    return Refuse(kNoCurrentRecord);
                ++m_state->position;
            }
            return kAutomationOk;
        }
        return kAutomationUnknownName;
    }

private:
    // Open (Source, ActiveConnection, CursorType, LockType, Options).
    HRESULT Open(const Args& args)
    {
        if (m_state->open)
            return Refuse(kObjectOpen);
        ConnectionObject* connection =
            args.size() > 1 && args[1].kind == V::kObject ? dynamic_cast<ConnectionObject*>(args[1].object.get())
                                                          : nullptr;
        if (connection == nullptr)
            return Refuse(kWrongArguments);
        if (!connection->IsOpen())
            return Refuse(kObjectClosed);
        if ((Given(args, 2) && (args[2].AsInt() < -1 || args[2].AsInt() > 3)) ||
            (Given(args, 3) && (args[3].AsInt() < -1 || args[3].AsInt() > 4)))
            return Refuse(kWrongArguments);
        const long long options = Given(args, 4) ? args[4].AsInt() : -1;
        if (options != -1 && options != 1 && options != 2 && options != 8)
            return Refuse(kWrongArguments);
        const std::string source = args.empty() ? std::string() : args[0].strText.GetString();
        Result result;
        std::string error;
        HRESULT hr = kAutomationOk;
        const bool ok = options == 2 ? Pick(Trim(source), {"*"}, std::string(), result, error, hr)
                                     : Query(source, result, error, hr);
        if (!ok)
            return connection->RaiseFrom(hr, error, "42000", m_fault);
        Take(std::move(result));
        return kAutomationOk;
    }

    std::shared_ptr<RecordsetState> m_state;
    long long m_cursorType = 0;
    long long m_lockType = 1;
    long long m_cursorLocation = 2;
};

class CommandObject : public StandInObject {
public:
    explicit CommandObject(AdoStandInLog* log) : StandInObject("Command", log) {}

protected:
    HRESULT Put(const std::string& name, const V& value) override
    {
        if (name == "ActiveConnection") {
            if (value.kind != V::kObject || dynamic_cast<ConnectionObject*>(value.object.get()) == nullptr)
                return Refuse(kWrongArguments);
            m_connection = value.object;
        } else if (name == "CommandText") {
            m_text = value.strText.GetString();
        } else if (name == "CommandType") {
            const long long v = value.AsInt();
            if (v != -1 && v != 1 && v != 2 && v != 4 && v != 8)
                return Refuse(kWrongArguments);
            m_type = v;
        } else {
            return kAutomationUnknownName;
        }
        return kAutomationOk;
    }
    HRESULT Call(const std::string& name, const Args&, V& result) override
    {
        if (name != "Execute")
            return kAutomationUnknownName;
        auto* connection = dynamic_cast<ConnectionObject*>(m_connection.get());
        if (connection == nullptr || !connection->IsOpen())
            return Refuse(kObjectClosed);
        Result rows;
        std::string error;
        HRESULT hr = kAutomationOk;
        bool ok = false;
        if (m_type == 4) {
            ok = Same(Trim(m_text), "goods_by_qty") && Pick("goods", {"*"}, "qty", rows, error, hr);
            if (!ok && error.empty()) {
                error = "Could not find stored procedure '" + Trim(m_text) + "'.";
                hr = kSyntaxError;
            }
        } else {
            ok = Query(m_text, rows, error, hr);
        }
        if (!ok)
            return connection->RaiseFrom(hr, error, "42000", m_fault);
        auto rs = std::make_shared<RecordsetObject>(m_log);
        rs->Take(std::move(rows));
        result = V::Object(rs);
        return kAutomationOk;
    }

private:
    AutomationObjectPtr m_connection;
    std::string m_text;
    long long m_type = 8;
};

}  // namespace

void AdoStandInLog::Add(const std::string& line)
{
    lines.push_back(line);
    if (!file.empty()) {
        std::ofstream out(file.c_str(), std::ios::app | std::ios::binary);
        out << line << "\n";
    }
}

int AdoStandInLog::Count(const std::string& text) const
{
    int n = 0;
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos)
            ++n;
    return n;
}

AutomationObjectPtr CreateAdoStandInObject(LPCTSTR szProgId, AdoStandInLog* log)
{
    const std::string id = szProgId != nullptr ? szProgId : "";
    if (id == "ADODB.Connection")
        return std::make_shared<ConnectionObject>(log);
    if (id == "ADODB.Recordset")
        return std::make_shared<RecordsetObject>(log);
    if (id == "ADODB.Command")
        return std::make_shared<CommandObject>(log);
    return nullptr;
}

std::vector<std::string> AdoStandInGoodsStatements()
{
    return {"CREATE TABLE goods (name TEXT, qty INTEGER)",
            "INSERT INTO goods VALUES ('\xC6\xBB\xB9\xFB', 5000000000)", "INSERT INTO goods VALUES ('pear', 2)"};
}
