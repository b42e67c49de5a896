// The database service's connection: the back end chosen by the connection
// string each time it opens, and what both back ends share.
#include "platform/Automation.h"
#include "platform/Database.h"

#include <string>
#include <utility>
#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a]))
        ++a;
    while (b > a && IsBlank(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

// The "key=value" pairs of a connection string: values in quotes ('...',
// "...", a doubled quote standing for one) or in braces ({...}, "}}" for
// "}") keep their ';'; pieces without '=' are dropped.
std::vector<std::pair<std::string, std::string>> ReadPairs(const std::string& s)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const size_t keyStart = i;
        while (i < n && s[i] != '=' && s[i] != ';')
            ++i;
        if (i >= n || s[i] == ';') {
            ++i;
            continue;
        }
        const std::string key = Trim(s.substr(keyStart, i - keyStart));
        ++i;
        while (i < n && IsBlank(s[i]))
            ++i;
        std::string value;
        const char open = i < n ? s[i] : '\0';
        if (open == '"' || open == '\'' || open == '{') {
            const char close = open == '{' ? '}' : open;
            ++i;
            while (i < n) {
                if (s[i] == close) {
                    if (i + 1 < n && s[i + 1] == close) {
                        value += close;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += s[i++];
            }
            while (i < n && s[i] != ';')
                ++i;
        } else {
            const size_t start = i;
            while (i < n && s[i] != ';')
                ++i;
            value = Trim(s.substr(start, i - start));
        }
        if (i < n)
            ++i;
        if (!key.empty())
            pairs.emplace_back(key, value);
    }
    return pairs;
}

bool SameKey(const std::string& a, const char* b)
{
    return CString(a.c_str()).CompareNoCase(b) == 0;
}

std::string OdbcValue(const std::string& v)
{
    if (v.find_first_of(";{}") == std::string::npos && Trim(v) == v)
        return v;
    std::string out = "{";
    for (char c : v) {
        out += c;
        if (c == '}')
            out += '}';
    }
    return out + "}";
}

// The ODBC string an MSDASQL string stands for: its "Extended Properties"
// first, then its other keys under their ODBC names.
std::string OdbcPartOf(const std::vector<std::pair<std::string, std::string>>& pairs)
{
    static const char* const kNames[][2] = {
        {"Data Source", "DSN"}, {"User ID", "UID"}, {"Password", "PWD"}, {"Initial Catalog", "Database"},
    };
    std::string odbc;
    for (const auto& p : pairs) {
        if (SameKey(p.first, "Extended Properties")) {
            odbc += p.second;
            if (!odbc.empty() && odbc.back() != ';')
                odbc += ';';
        }
    }
    for (const auto& p : pairs) {
        if (SameKey(p.first, "Provider") || SameKey(p.first, "Extended Properties"))
            continue;
        std::string key = p.first;
        for (const auto& name : kNames) {
            if (SameKey(key, name[0]))
                key = name[1];
        }
        odbc += key + "=" + OdbcValue(p.second) + ";";
    }
    return odbc;
}

bool StartsWithBrace(const CString& text)
{
    CString trimmed = text;
    trimmed.TrimLeft();
    return !trimmed.IsEmpty() && trimmed[0] == '{';
}

// The code and text ADO gives when a provider cannot be found.
const HRESULT kAdoProviderNotFound = static_cast<HRESULT>(0x800A0E7Au);

// The connection of the service: an ODBC or ADO back end per Open.
class CDbConnection : public IDbConnection {
public:
    bool Open(const CString& strConnection, const CString& strUser, const CString& strPassword, int nTimeOutSeconds,
              CDbError& error) override
    {
        Close();
        error = CDbError();
        DbBackEndChoice choice = ChooseDbBackEnd(strConnection, true);
        std::shared_ptr<IAutomationObject> ado;
        if (choice.backEnd == DbBackEnd::Ado) {
            ado = CreateSystemAdoConnection();
            if (!ado)
                choice = ChooseDbBackEnd(strConnection, false);
        }
        m_backEnd = choice.backEnd;
        switch (choice.backEnd) {
        case DbBackEnd::Ado:
            m_pDb = CreateAdoDbConnection(std::move(ado));
            break;
        case DbBackEnd::Odbc:
            m_pDb = CreateOdbcDbConnection();
            break;
        case DbBackEnd::NoProvider:
            error.strSource = "ADODB.Connection";
            error.strMessage = "Provider cannot be found. It may not be properly installed. (" + choice.strProvider +
                               ": ADO cannot be created on this system)";
            error.nCode = kAdoProviderNotFound;
            return false;
        }
        if (m_pDb->Open(choice.strConnection, strUser, strPassword, nTimeOutSeconds, error))
            return true;
        m_pDb.reset();
        return false;
    }
    void Close() override
    {
        if (m_pDb)
            m_pDb->Close();
        m_pDb.reset();
    }
    bool IsOpen() const override { return m_pDb && m_pDb->IsOpen(); }
    bool Execute(const CString& strSql, CDbResult& result, CDbError& error) override
    {
        return ExecuteCommand(strSql, kDbCommandText, result, error);
    }
    bool ExecuteCommand(const CString& strText, int nCommandType, CDbResult& result, CDbError& error) override
    {
        result = CDbResult();
        error = CDbError();
        if (!IsOpen()) {
            error.strMessage = "the connection is not open";
            return false;
        }
        return m_pDb->ExecuteCommand(strText, nCommandType, result, error);
    }
    DbBackEnd GetBackEnd() const override { return m_backEnd; }

private:
    std::unique_ptr<IDbConnection> m_pDb;
    DbBackEnd m_backEnd = DbBackEnd::Odbc;
};

}  // namespace

CString DbStatementFor(const CString& strText, int nCommandType)
{
    switch (nCommandType) {
    case kDbCommandTable:
        return "SELECT * FROM " + strText;
    case kDbCommandStoredProc: {
        // A procedure name, with or without its arguments, goes through the
        // call escape; a text already in braces stands as written.
        if (StartsWithBrace(strText))
            return strText;
        CString name = strText;
        name.Trim();
        if (name.Find('(') < 0)
            name += "()";
        return "{call " + name + "}";
    }
    default:
        return strText;
    }
}

bool IDbConnection::ExecuteCommand(const CString& strText, int nCommandType, CDbResult& result, CDbError& error)
{
    if (nCommandType < kDbCommandUnknown || nCommandType > kDbCommandStoredProc) {
        result = CDbResult();
        error = CDbError();
        error.strMessage = "unknown command type";
        return false;
    }
    return Execute(DbStatementFor(strText, nCommandType), result, error);
}

DbBackEndChoice ChooseDbBackEnd(const CString& strConnection, bool bAdoAvailable)
{
    DbBackEndChoice choice;
    choice.strConnection = strConnection;
    const auto pairs = ReadPairs(strConnection.Str());
    bool named = false;
    for (const auto& p : pairs) {
        if (!named && SameKey(p.first, "Provider")) {
            choice.strProvider = p.second.c_str();
            named = true;
        }
    }
    // A string that names no provider ("Driver=", "DSN=", "FILEDSN=", or
    // none of them) is the driver manager's. One that names a provider
    // ("Provider=MSDASQL;Driver=..." too) is ADO's where ADO is.
    if (!named || choice.strProvider.IsEmpty())
        return choice;
    if (bAdoAvailable) {
        choice.backEnd = DbBackEnd::Ado;
        return choice;
    }
    CString provider = choice.strProvider;
    provider.Trim();
    if (provider.CompareNoCase("MSDASQL") == 0 || provider.Left(8).CompareNoCase("MSDASQL.") == 0) {
        choice.strConnection = OdbcPartOf(pairs).c_str();
        return choice;
    }
    choice.backEnd = DbBackEnd::NoProvider;
    return choice;
}

std::unique_ptr<IDbConnection> CreateDbConnection()
{
    return std::make_unique<CDbConnection>();
}

std::shared_ptr<IAutomationObject> CreateSystemAdoConnection()
{
    AutomationObjectPtr connection = PlatformCreateAutomationObject("ADODB.Connection");
    if (!connection)
        return nullptr;
    // An object that does not answer its State is no ADO to work with.
    AutomationValue state;
    if (connection->GetProperty("State", std::vector<AutomationValue>(), state) < 0 || !state.IsNumeric())
        return nullptr;
    return connection;
}
