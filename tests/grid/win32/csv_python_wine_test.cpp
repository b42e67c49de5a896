// CSV files under Wine against Python's csv module on the host: a sheet
// saved to a file with a Chinese name is read row for row by Python (code
// page 936), and a file Python wrote (quotes, commas, line breaks, Chinese)
// loads back as the same fields.
//
// Wine starts host programs named by a Unix path; the Python program writes
// what it finds to a file that the test waits for.
#include "base/Cp936.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kPython[] = "/usr/bin/python3";

std::wstring Wide(const std::string& cp936Text)
{
    std::u16string u = cp936::ToUtf16(cp936Text);
    return std::wstring(u.begin(), u.end());
}

bool UnixFileExists(const std::string& unixPath)
{
    return ::GetFileAttributesW(Wide("Z:" + unixPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Starts the host's Python on a script with arguments and waits for the file
// it writes when it is done; the file's bytes, or "<timeout>".
std::string RunPython(const std::string& dir, const std::string& program, const std::string& args,
                      const std::string& doneFile)
{
    const std::string script = dir + "/check.py";
    {
        std::ofstream out(("Z:" + script).c_str(), std::ios::binary);
        out << program;
    }
    std::string command = std::string(kPython) + " " + script + " " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                          &pi))
        return "<not started>";
    ::WaitForSingleObject(pi.hProcess, 20000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    for (int i = 0; i < 200 && !UnixFileExists(doneFile); ++i)
        ::Sleep(100);
    ::Sleep(100);
    std::ifstream in(("Z:" + doneFile).c_str(), std::ios::binary);
    if (!in)
        return "<timeout>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Codes(const std::u16string& s)
{
    std::string out;
    for (char16_t ch : s) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(static_cast<int>(ch));
    }
    return out;
}

class CsvPythonWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!UnixFileExists(kPython))
            GTEST_SKIP() << "no python3 on the host";
        dir = "/tmp/kivo_csv_wine_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryW(Wide("Z:" + dir).c_str(), nullptr);
    }
    void TearDown() override
    {
        for (const char* name : {"check.py", "done.txt", "python.csv"})
            ::DeleteFileW(Wide("Z:" + dir + "/" + name).c_str());
        ::DeleteFileW(Wide("Z:" + dir + "/表格数据.csv").c_str());
        ::RemoveDirectoryW(Wide("Z:" + dir).c_str());
    }
    std::string dir;
};

}  // namespace

TEST_F(CsvPythonWine, PythonReadsTheSavedFileRowForRow)
{
    CGridCtrl grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.GetCell(0, 0)->SetText("名称");
    grid.GetCell(0, 1)->SetText("a,b");
    grid.GetCell(0, 2)->SetText("say \"hi\"");
    grid.GetCell(1, 0)->SetText("two\nlines");
    grid.SetCellValue(1, 1, -12.75);
    grid.GetCell(2, 2)->SetText("表格");
    // A file name in Chinese, in the code page's bytes.
    const std::string path = "Z:" + dir + "/表格数据.csv";
    ASSERT_TRUE(grid.SaveCSVFile(path.c_str(), ','));

    // The script names the file by its code points, so its own text is ASCII.
    const std::string program =
        "import csv, sys\n"
        "name = sys.argv[1] + '/\\u8868\\u683c\\u6570\\u636e.csv'\n"
        "with open(name, newline='', encoding='cp936') as f:\n"
        "    rows = ['|'.join(' '.join(str(ord(c)) for c in field) for field in row) for row in csv.reader(f)]\n"
        "open(sys.argv[1] + '/done.txt', 'w').write('\\n'.join(rows) + '\\n')\n";
    const std::string printed = RunPython(dir, program, dir, dir + "/done.txt");
    const std::string expected = Codes(u"名称") + "|" + Codes(u"a,b") + "|" + Codes(u"say \"hi\"") + "\n" +
                                 Codes(u"two\nlines") + "|" + Codes(u"-12.75") + "|\n" + "||" + Codes(u"表格") + "\n";
    EXPECT_EQ(expected, printed);
}

TEST_F(CsvPythonWine, AFilePythonWroteLoadsBackEqual)
{
    const std::string program =
        "import csv, sys\n"
        "rows = [['\\u540d\\u79f0', 'a,b', 'say \"hi\"'], ['two\\nlines', '', '3.5'],\n"
        "        ['\\u4e2d\\u6587,\\u8868\\u683c', '\"', 'end']]\n"
        "with open(sys.argv[1] + '/python.csv', 'w', newline='', encoding='cp936') as f:\n"
        "    csv.writer(f).writerows(rows)\n"
        "open(sys.argv[1] + '/done.txt', 'w').write('written')\n";
    ASSERT_EQ("written", RunPython(dir, program, dir, dir + "/done.txt"));
    CGridCtrl grid;
    ASSERT_TRUE(grid.LoadCSVFile(("Z:" + dir + "/python.csv").c_str(), ','));
    const std::vector<std::vector<std::string>> expected = {
        {"名称", "a,b", "say \"hi\""}, {"two\nlines", "", "3.5"}, {"中文,表格", "\"", "end"}};
    ASSERT_EQ(4, grid.GetRowCount());
    ASSERT_EQ(4, grid.GetColumnCount());
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(expected[row - 1][col - 1], grid.GetCellText(row, col).Str()) << row << "," << col;
}
