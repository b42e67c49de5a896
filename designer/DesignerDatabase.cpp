#include "designer/DesignerDatabase.h"

#include "base/Cp936.h"
#include "designer/odbc/DesignerOdbcRaw.h"
#include "platform/Database.h"

namespace {

CString FromWide(const std::u16string& s) { return CString(cp936::FromUtf16(s)); }

std::vector<CString> FromWide(const std::vector<std::u16string>& list)
{
    std::vector<CString> out;
    out.reserve(list.size());
    for (const auto& s : list)
        out.push_back(FromWide(s));
    return out;
}

class COdbcDesignerDatabase : public IDesignerDatabase {
public:
    bool Test(const CDesignerDbLogin& login, CString& error) override
    {
        auto db = CreateDbConnection();
        CDbError e;
        if (!db->Open(login.strConnection, login.strUser, login.strPassword, login.nTimeOut, e)) {
            error = e.strMessage;
            return false;
        }
        const DbBackEnd used = db->GetBackEnd();
        db->Close();
        // Through ADO the provider's own open is the test.
        if (used != DbBackEnd::Odbc)
            return true;
        // A driver may open what is not its database (a file of another kind,
        // or an empty one it makes for a path it took literally): the
        // connection counts only when the database's catalogue can be read.
        std::vector<CString> tables;
        return ListTables(login, tables, error);
    }

    bool ListTables(const CDesignerDbLogin& login, std::vector<CString>& tables, CString& error) override
    {
        // The catalogue is read through ODBC, over the ODBC string the
        // connection string stands for (an MSDASQL string's driver part).
        CDesignerDbLogin odbc = login;
        odbc.strConnection = ChooseDbBackEnd(login.strConnection, false).strConnection;
        const CString full = DesignerDbFullConnection(odbc);
        std::vector<std::u16string> names;
        std::u16string e;
        tables.clear();
        if (!designerodbc::Tables(cp936::ToUtf16(full.Str()), login.nTimeOut, names, e)) {
            error = FromWide(e);
            return false;
        }
        tables = FromWide(names);
        return true;
    }

    bool ListQueryColumns(const CDesignerDbLogin& login, const CString& sql, std::vector<CString>& columns,
                          CString& error) override
    {
        columns.clear();
        auto db = CreateDbConnection();
        CDbError e;
        if (!db->Open(login.strConnection, login.strUser, login.strPassword, login.nTimeOut, e)) {
            error = e.strMessage;
            return false;
        }
        CDbResult result;
        const bool ok = db->Execute(sql, result, e);
        db->Close();
        if (!ok) {
            error = e.strMessage;
            return false;
        }
        for (const auto& c : result.columns)
            columns.push_back(c.strName);
        return true;
    }

    bool ListTableColumns(const CDesignerDbLogin& login, const CString& table, std::vector<CString>& columns,
                          CString& error) override
    {
        // No row is read: the condition is never true.
        return ListQueryColumns(login, "select * from [" + table + "] where 1=0", columns, error);
    }

    std::vector<CString> Drivers() override { return FromWide(designerodbc::Drivers()); }
    std::vector<CString> DataSources() override { return FromWide(designerodbc::DataSources()); }
};

}  // namespace

std::unique_ptr<IDesignerDatabase> CreateDesignerDatabase() { return std::make_unique<COdbcDesignerDatabase>(); }

CString DesignerDbFullConnection(const CDesignerDbLogin& login)
{
    CString text = login.strConnection;
    if (!login.strUser.IsEmpty() || !login.strPassword.IsEmpty()) {
        if (!text.IsEmpty() && text[text.GetLength() - 1] != ';')
            text += ";";
        if (!login.strUser.IsEmpty())
            text += "UID=" + login.strUser + ";";
        if (!login.strPassword.IsEmpty())
            text += "PWD=" + login.strPassword + ";";
    }
    return text;
}
