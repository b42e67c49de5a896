// A script host saves a CSV file, a workbook and a template through the
// control onto a full disk (tests/control/win32/full_disk.sh mounts it and
// names it in KIVO_FULL_DISK_DIR; without it the test is skipped): each save
// answers its failure value, the old files stay byte for byte and no
// temporary file is left. A thread of this test answers the CSV save's
// message box.
#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>

using namespace comtest;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> Names(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] != '.')
                names.insert(found.cFileName);
        } while (::FindNextFileA(h, &found));
        ::FindClose(h);
    }
    return names;
}

}  // namespace

TEST(FullDiskScript, SavesOnAFullDiskKeepTheOldFiles)
{
    const char* dir = std::getenv("KIVO_FULL_DISK_DIR");
    if (dir == nullptr || *dir == '\0')
        GTEST_SKIP() << "runs from tests/control/win32/full_disk.sh";
    ScopedRegistration registration;
    ASSERT_TRUE(registration.ok());
    std::string folder = "Z:";
    for (const char* p = dir; *p != '\0'; ++p)
        folder += *p == '/' ? '\\' : *p;
    const std::string names[] = {"t.csv", "t.xls", "t.kvx"};
    std::string before[3];
    for (int i = 0; i < 3; ++i) {
        before[i] = ReadAll(folder + "\\" + names[i]);
        ASSERT_FALSE(before[i].empty()) << names[i];
    }
    const std::set<std::string> present = Names(folder);

    std::atomic<bool> stop(false);
    std::atomic<int> answered(0);
    std::thread answerer([&]() {
        while (!stop) {
            HWND box = ::FindWindowA("#32770", nullptr);
            if (box != nullptr) {
                ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                ++answered;
            }
            ::Sleep(100);
        }
    });
    std::string output;
    const std::wstring wfolder(folder.begin(), folder.end());
    const int code = comtest::Run(L"cscript.exe //nologo \"" + TestFile("fulldisk.vbs") + L"\" \"" + wfolder + L"\"",
                                  &output);
    stop = true;
    answerer.join();
    EXPECT_EQ(0, code) << output;
    EXPECT_NE(std::string::npos, output.find("fulldisk ok")) << output;
    EXPECT_GT(answered.load(), 0);   // "Unable to save grid list"
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(before[i], ReadAll(folder + "\\" + names[i])) << names[i];
    EXPECT_EQ(present, Names(folder));
}
