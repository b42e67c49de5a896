#include "designer/dialogs/ConnectionStringPick.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

CString Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a]))
        ++a;
    while (b > a && IsBlank(s[b - 1]))
        --b;
    return CString(s.substr(a, b - a));
}

bool NeedsBraces(const CString& v)
{
    const std::string& s = v.Str();
    if (s.find_first_of(";{}") != std::string::npos)
        return true;
    return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back()));
}

CString Braced(const CString& v)
{
    std::string out = "{";
    for (char c : v.Str()) {
        out += c;
        if (c == '}')
            out += '}';
    }
    out += '}';
    return CString(out);
}
}  // namespace

std::vector<std::pair<CString, CString>> ReadConnectionString(const CString& text)
{
    std::vector<std::pair<CString, CString>> pairs;
    const std::string& s = text.Str();
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        // The key runs to '=' or ';'.
        const size_t keyStart = i;
        while (i < n && s[i] != '=' && s[i] != ';')
            ++i;
        if (i >= n || s[i] == ';') {
            ++i;   // a piece without '=' is dropped
            continue;
        }
        CString key = Trim(s.substr(keyStart, i - keyStart));
        ++i;   // '='
        while (i < n && IsBlank(s[i]))
            ++i;
        std::string value;
        bool braced = false;
        if (i < n && s[i] == '{') {
            braced = true;
            ++i;
            while (i < n) {
                if (s[i] == '}') {
                    if (i + 1 < n && s[i + 1] == '}') {
                        value += '}';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += s[i++];
            }
            // Whatever stands between the closing brace and ';' is ignored.
            while (i < n && s[i] != ';')
                ++i;
        } else {
            const size_t vStart = i;
            while (i < n && s[i] != ';')
                ++i;
            value = s.substr(vStart, i - vStart);
        }
        if (i < n)
            ++i;   // ';'
        if (key.IsEmpty())
            continue;
        pairs.emplace_back(key, braced ? CString(value) : Trim(value));
    }
    return pairs;
}

CString ConnectionStringValue(const std::vector<std::pair<CString, CString>>& pairs, const char* key)
{
    for (const auto& p : pairs)
        if (p.first.CompareNoCase(key) == 0)
            return p.second;
    return CString();
}

CString BuildConnectionString(bool dataSource, const CString& name, const CString& database)
{
    CString s;
    if (dataSource)
        s = "DSN=" + (NeedsBraces(name) ? Braced(name) : name) + ";";
    else
        s = "Driver=" + Braced(name) + ";";
    if (!database.IsEmpty())
        s += "Database=" + (NeedsBraces(database) ? Braced(database) : database) + ";";
    return s;
}

void CDataSourcePickDlg::Preset(const CString& connection)
{
    const auto pairs = ReadConnectionString(connection);
    const CString dsn = ConnectionStringValue(pairs, "DSN");
    if (!dsn.IsEmpty()) {
        m_bDataSource = TRUE;
        m_strSource = dsn;
    } else {
        m_bDataSource = FALSE;
        m_strSource = ConnectionStringValue(pairs, "Driver");
    }
    m_strDatabase = ConnectionStringValue(pairs, "Database");
}

CDialogCheck CDataSourcePickDlg::Check() const
{
    if (m_strSource.IsEmpty())
        return CDialogCheck::Fail("请选择驱动程序或数据源!", kIdcPickSource);
    return CDialogCheck();
}
