// A script host fills a bound sheet through an ADO provider string against
// the stand-in ADO server (tests/binding/standin/win32/), registered as
// "ADODB.Connection", "ADODB.Recordset" and "ADODB.Command" for this test
// only, and through ODBC from an SQLite file with the same rows; the cells
// agree, the server's log shows ADO's names and argument orders, and a data
// source the provider refuses shows the error box with the provider's text.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The stand-in registered for the scope; the names' own classes come back after.
class ScopedAdoStandIn {
public:
    explicit ScopedAdoStandIn(const std::string& log)
        : m_server(L"\"" + Wide(KIVO_ADO_STANDIN_EXE) + L"\""),
          m_before(comtest::ReadValue(L"ADODB.Connection\\CLSID"))
    {
        m_ok = comtest::Run(m_server + L" /regserver \"" + Wide(log) + L"\"") == 0;
    }
    ~ScopedAdoStandIn() { Remove(); }
    bool ok() const { return m_ok; }
    std::wstring Before() const { return m_before; }
    void Remove()
    {
        if (!m_removed)
            comtest::Run(m_server + L" /unregserver");
        m_removed = true;
    }

private:
    std::wstring m_server;
    std::wstring m_before;
    bool m_ok = false;
    bool m_removed = false;
};

TEST(AdoScript, FillsThroughTheStandInAdoAsThroughOdbc)
{
    comtest::ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::string dir = "C:\\kivo_ado_script_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(dir.c_str(), nullptr);
    const std::string log = dir + "\\calls.log";
    const std::string db = "/tmp/kivo_ado_script_" + std::to_string(::GetCurrentProcessId()) + ".db";
    const std::wstring script = L"cscript.exe //nologo \"" + comtest::TestFile("adodb.vbs") + L"\" " + Wide(db);
    ScopedAdoStandIn standIn(log);
    ASSERT_TRUE(standIn.ok());
    EXPECT_EQ(L"{3F6A2C11-7B4D-4E58-A1C9-5D2E8B7F6A01}", comtest::ReadValue(L"ADODB.Connection\\CLSID"));

    std::string output;
    std::vector<std::wstring> boxes;
    int code = comtest::RunClosingErrorBoxes(script, &output, &boxes);
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("adodb ok")) << output;
    EXPECT_TRUE(boxes.empty()) << comtest::Narrow(boxes.empty() ? std::wstring() : boxes[0]);
    const std::string calls = ReadAll(log);
    for (const char* call : {"call Connection.Open(s:Provider=KivoStandIn.1;Data Source=kivo;,s:,s:,i:0)",
                             "put Recordset.CursorType(i:3)", "put Recordset.CursorLocation(i:3)",
                             "call Recordset.Open(s:SELECT name, qty FROM goods ORDER BY qty,obj,i:3,i:3,i:8)",
                             "get Fields.Count", "get Fields.Item(i:1)", "get Field.Type", "get Field.Value",
                             "get Recordset.EOF", "call Recordset.MoveNext()", "call Connection.Close()"})
        EXPECT_NE(std::string::npos, calls.find(call)) << call << "\n" << calls;

    // A data source the provider refuses: one box with ADO's error text.
    output.clear();
    code = comtest::RunClosingErrorBoxes(script + L" error", &output, &boxes);
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("adodb error done")) << output;
    ASSERT_EQ(1u, boxes.size()) << output;
    const std::wstring& text = boxes[0];
    // "数据库链接异常!", the provider's code, source and description.
    EXPECT_EQ(0u, text.find(L"\u6570\u636e\u5e93\u94fe\u63a5\u5f02\u5e38!")) << comtest::Narrow(text);
    EXPECT_NE(std::wstring::npos, text.find(L"80004005")) << comtest::Narrow(text);
    EXPECT_NE(std::wstring::npos, text.find(L"KivoStandIn")) << comtest::Narrow(text);
    EXPECT_NE(std::wstring::npos, text.find(L"Data source 'nowhere' cannot be found.")) << comtest::Narrow(text);

    // The names stand for their own classes again.
    standIn.Remove();
    EXPECT_EQ(standIn.Before(), comtest::ReadValue(L"ADODB.Connection\\CLSID"));
    std::string dosDb = "Z:" + db;
    for (char& ch : dosDb)
        if (ch == '/')
            ch = '\\';
    ::DeleteFileA(dosDb.c_str());
    ::DeleteFileA(log.c_str());
    ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
