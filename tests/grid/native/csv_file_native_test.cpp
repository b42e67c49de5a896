// CSV files on the host: the failures (each reported in a message box, the
// sheet or the old file left as it was), and Python's csv module as an
// independent reader and writer of the same files.
#include "../GridTestUtil.h"

#include "base/CFile.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using gridtest::MakeSheet;
using gridtest::SetText;
using gridtest::Text;

namespace {

typedef std::vector<std::vector<std::string>> Rows;

class CsvHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        folder = std::filesystem::temp_directory_path() /
                 ("kivo_csv_host_" + std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFFFF));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    static std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static void WriteAll(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : Headless::MessageBoxes())
            texts.push_back(box.text);
        return texts;
    }
    static Rows Cells(CGridCtrl& grid)
    {
        Rows rows;
        for (int row = 1; row < grid.GetRowCount(); ++row) {
            rows.emplace_back();
            for (int col = 1; col < grid.GetColumnCount(); ++col)
                rows.back().push_back(Text(grid, row, col));
        }
        return rows;
    }

    std::filesystem::path folder;
};

TEST_F(CsvHost, AFileThatDoesNotOpenLeavesTheSheet)
{
    auto grid = MakeSheet(4, 4, 1, 1);
    SetText(*grid, 2, 2, "kept");
    const std::string missing = PathOf("missing.csv");
    EXPECT_FALSE(grid->LoadCSVFile(missing.c_str(), ','));
    EXPECT_EQ("kept", Text(*grid, 2, 2));
    EXPECT_EQ(4, grid->GetRowCount());
    ASSERT_EQ(1u, MessageTexts().size());
    EXPECT_EQ("Unable to open the file " + missing + ".", MessageTexts()[0]);

    // A folder where a file is asked for cannot be read.
    EXPECT_FALSE(grid->LoadCSVFile(folder.string().c_str(), ','));
    EXPECT_EQ(4, grid->GetRowCount());
    EXPECT_EQ(2u, MessageTexts().size());

    // Virtual mode loads nothing and says nothing.
    CGridCtrl virtualGrid;
    virtualGrid.SetVirtualMode(TRUE);
    const std::string path = PathOf("a.csv");
    WriteAll(path, "a,b\r\n");
    EXPECT_FALSE(virtualGrid.LoadCSVFile(path.c_str(), ','));
    EXPECT_EQ(2u, MessageTexts().size());
}

// A few bytes of separators must not ask for a sheet of millions of cells.
TEST_F(CsvHost, AFileOfTooManyCellsIsRefusedBeforeTheSheetChanges)
{
    std::string bytes(5000, ',');
    bytes += "\r\n";
    for (int i = 0; i < 5000; ++i)
        bytes += "x\r\n";
    const std::string path = PathOf("wide.csv");
    WriteAll(path, bytes);
    auto grid = MakeSheet(4, 4, 1, 1);
    SetText(*grid, 2, 2, "kept");
    EXPECT_FALSE(grid->LoadCSVFile(path.c_str(), ','));
    EXPECT_EQ("kept", Text(*grid, 2, 2));
    EXPECT_EQ(4, grid->GetColumnCount());
    ASSERT_EQ(1u, MessageTexts().size());
    EXPECT_EQ("Unable to load grid data", MessageTexts()[0]);
}

TEST_F(CsvHost, AFailedSaveLeavesTheOldFile)
{
    auto grid = MakeSheet(3, 3, 1, 1);
    EXPECT_FALSE(grid->SaveCSVFile(PathOf("no/such/folder/x.csv").c_str(), ','));
    ASSERT_EQ(1u, MessageTexts().size());
    EXPECT_NE(std::string::npos, MessageTexts()[0].find("Unable to open the file"));

    // The file cannot take the target's place (a folder of that name is
    // there): the save fails, the folder stays and no temporary file is left.
    const std::string target = PathOf("taken.csv");
    std::filesystem::create_directories(target);
    WriteAll(PathOf("taken.csv/inside"), "x");
    EXPECT_FALSE(grid->SaveCSVFile(target.c_str(), ','));
    ASSERT_EQ(2u, MessageTexts().size());
    EXPECT_EQ("Unable to save grid list", MessageTexts()[1]);
    EXPECT_EQ("x", ReadAll(PathOf("taken.csv/inside")));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

// --- Python's csv module as the other side -------------------------------------------------

bool HavePython()
{
    return std::system("python3 -c 'import csv' >/dev/null 2>&1") == 0;
}

// Runs a Python program; its standard output.
std::string RunPython(const std::string& folder, const std::string& program)
{
    const std::string script = folder + "/check.py";
    std::ofstream(script) << program;
    const std::string out = folder + "/python.out";
    const std::string command = "python3 " + script + " > " + out + " 2>&1";
    const int rc = std::system(command.c_str());
    std::ifstream in(out, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return rc == 0 ? text.str() : "python failed: " + text.str();
}

// Python reads the file the grid saved, row for row, as code page 936, and
// prints each field's characters as code points, one row a line.
TEST_F(CsvHost, PythonReadsTheSavedFileRowForRow)
{
    if (!HavePython())
        GTEST_SKIP() << "python3 is not available";
    CGridCtrl grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    SetText(grid, 0, 0, "名称");
    SetText(grid, 0, 1, "a,b");
    SetText(grid, 0, 2, "say \"hi\"");
    SetText(grid, 1, 0, "two\nlines");
    grid.SetCellValue(1, 1, -12.75);
    SetText(grid, 2, 2, "表格");
    const std::string path = PathOf("saved.csv");
    ASSERT_TRUE(grid.SaveCSVFile(path.c_str(), ','));
    const std::string printed = RunPython(folder.string(), R"(# -*- coding: cp936 -*-
import csv, sys
with open(sys.argv[0].replace('check.py', 'saved.csv'), newline='', encoding='cp936') as f:
    for row in csv.reader(f):
        print('|'.join(' '.join(str(ord(ch)) for ch in field) for field in row))
)");
    // The same fields, spelled the same way.
    auto codes = [](const std::u16string& s) {
        std::string out;
        for (char16_t ch : s) {
            if (!out.empty())
                out += ' ';
            out += std::to_string(static_cast<int>(ch));
        }
        return out;
    };
    const std::string expected = codes(u"名称") + "|" + codes(u"a,b") + "|" + codes(u"say \"hi\"") + "\n" +
                                 codes(u"two\nlines") + "|" + codes(u"-12.75") + "|\n" + "||" + codes(u"表格") + "\n";
    EXPECT_EQ(expected, printed);
}

// A file Python wrote (quotes, commas, line breaks, Chinese, code page 936)
// loads back as the same fields.
TEST_F(CsvHost, AFilePythonWroteLoadsBackEqual)
{
    if (!HavePython())
        GTEST_SKIP() << "python3 is not available";
    const std::string printed = RunPython(folder.string(), R"(# -*- coding: cp936 -*-
import csv, sys
rows = [['名称', 'a,b', 'say "hi"'], ['two\nlines', '', '3.5'], ['中文,表格', '"', 'end']]
with open(sys.argv[0].replace('check.py', 'python.csv'), 'w', newline='', encoding='cp936') as f:
    csv.writer(f).writerows(rows)
print('written')
)");
    ASSERT_EQ("written\n", printed);
    CGridCtrl grid;
    ASSERT_TRUE(grid.LoadCSVFile(PathOf("python.csv").c_str(), ','));
    const Rows expected = {{"名称", "a,b", "say \"hi\""}, {"two\nlines", "", "3.5"}, {"中文,表格", "\"", "end"}};
    EXPECT_EQ(expected, Cells(grid));
}

}  // namespace
