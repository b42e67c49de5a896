// A script host drives the file, string and export members; the host's
// Python reads the CSV file (csv module) and the workbook (xlrd) the script
// wrote, and a thread of this test cancels the file dialog the script opens.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

using namespace comtest;

namespace {

const char kPython[] = "/usr/bin/python3";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs the host's Python on a program; what it writes to <dir>/done.txt.
std::string RunPython(const std::string& dir, const std::string& program)
{
    {
        std::ofstream out(("Z:" + dir + "/check.py").c_str(), std::ios::binary);
        out << program;
    }
    std::string command = std::string(kPython) + " " + dir + "/check.py " + dir;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                          &pi))
        return "<not started>";
    ::WaitForSingleObject(pi.hProcess, 30000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    for (int i = 0; i < 200 && !Exists("Z:" + dir + "/done.txt"); ++i)
        ::Sleep(100);
    ::Sleep(100);
    return ReadAll("Z:" + dir + "/done.txt");
}

}  // namespace

TEST(FileScript, VbscriptSavesOpensAndExports)
{
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    const std::string dir = "/tmp/kivo_files_wine_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(("Z:" + dir).c_str(), nullptr);

    // Cancels the first common dialog that appears.
    std::atomic<bool> stop(false);
    std::atomic<int> cancelled(0);
    std::thread canceller([&]() {
        while (!stop) {
            HWND dialog = ::FindWindowA("#32770", nullptr);
            if (dialog != nullptr) {
                ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                ++cancelled;
            }
            ::Sleep(100);
        }
    });
    std::string output;
    std::wstring folder(L"Z:");
    for (char ch : dir)
        folder += ch == '/' ? L'\\' : static_cast<wchar_t>(ch);
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("files.vbs") + L"\" \"" + folder + L"\"", &output);
    stop = true;
    canceller.join();
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("files ok"), std::string::npos) << output;
    EXPECT_GT(cancelled.load(), 0);

    if (Exists(std::string("Z:") + kPython)) {
        const std::string program =
            "import csv, sys\n"
            "d = sys.argv[1]\n"
            "out = []\n"
            "with open(d + '/sheet.csv', newline='', encoding='cp936') as f:\n"
            "    rows = list(csv.reader(f))\n"
            "out.append('csv ' + '|'.join(rows[1]) + ' ' + str([ord(c) for c in rows[1][1]]))\n"
            "try:\n"
            "    import xlrd\n"
            "    s = xlrd.open_workbook(d + '/sheet.xls').sheet_by_index(0)\n"
            "    out.append('xls ' + str([ord(c) for c in s.cell_value(0, 0)]) + ' ' + s.cell_value(0, 1))\n"
            "except ImportError:\n"
            "    out.append('xls skipped')\n"
            "open(d + '/done.txt', 'w', encoding='utf-8').write('\\n'.join(out) + '\\n')\n";
        const std::string found = RunPython(dir, program);
        EXPECT_NE(std::string::npos, found.find("csv |\xe4\xb8\xad\xe6\x96\x87|a,b [20013, 25991]"))
            << found;
        EXPECT_TRUE(found.find("xls [20013, 25991] a,b") != std::string::npos ||
                    found.find("xls skipped") != std::string::npos)
            << found;
    }
    for (const char* name : {"sheet.kvx", "sheet.csv", "sheet.xls", "check.py", "done.txt"})
        ::DeleteFileA(("Z:" + dir + "/" + name).c_str());
    ::RemoveDirectoryA(("Z:" + dir).c_str());
}
