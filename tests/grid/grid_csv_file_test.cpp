// CSV files: the bytes written, the reader's cases, and files saved, replaced
// and loaded on disk (native and under Wine).
#include "GridTestUtil.h"

#include "base/CFile.h"
#include "grid/GridCsvFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using gridtest::MakeSheet;
using gridtest::SetText;
using gridtest::Text;

namespace {

typedef std::vector<std::vector<std::string>> Rows;

Rows Parse(const std::string& text, char separator = ',')
{
    gridcsv::CsvTable table;
    gridcsv::ParseCsv(text.data(), text.size(), separator, table);
    Rows rows;
    for (size_t r = 0; r < table.RecordCount(); ++r) {
        rows.emplace_back();
        for (size_t f = 0; f < table.FieldCount(r); ++f)
            rows.back().push_back(table.Field(r, f));
    }
    return rows;
}

// The data cells of a loaded sheet (from (1, 1) on), row by row.
Rows Cells(CGridCtrl& grid)
{
    Rows rows;
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        rows.emplace_back();
        for (int col = 1; col < grid.GetColumnCount(); ++col)
            rows.back().push_back(Text(grid, row, col));
    }
    return rows;
}

std::string Replace(std::string s, const std::string& from, const std::string& to)
{
    for (size_t pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
        s.replace(pos, from.size(), to);
    return s;
}

// A folder of the test's own under the system's temporary folder.
class CsvFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* base = std::getenv("TEMP");
        if (base == nullptr)
            base = std::getenv("TMPDIR");
        std::filesystem::path dir(base != nullptr ? base : "/tmp");
        dir /= "kivo_csv_" + std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFFFF);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        folder = dir;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    // A path in the folder, in the code page's bytes.
    std::string PathOf(const std::string& name) const
    {
#ifdef _WIN32
        return folder.string() + "\\" + name;
#else
        return folder.string() + "/" + name;
#endif
    }
    static std::string ReadAll(const std::string& path)
    {
        CFile file;
        if (!file.Open(path.c_str(), CFile::modeRead))
            return "<missing>";
        std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
        if (!bytes.empty())
            file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
        return bytes;
    }
    static void WriteAll(const std::string& path, const std::string& bytes)
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(bytes.empty() || file.Write(bytes.data(), static_cast<UINT>(bytes.size())));
    }
    size_t FileCount() const
    {
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            (void)entry;
            ++count;
        }
        return count;
    }

    std::filesystem::path folder;
};

TEST(GridCsvBytes, FieldsAndLineEnds)
{
    struct Case {
        const char* label;
        std::vector<std::string> cells;   // row 1, columns 1..3 of a 2 x 4 sheet without headers
        double number;                    // into column 3 unless NaN-like 0.5
        std::string bytes;
    } cases[] = {
        {"plain", {"a", "b", ""}, 12.75, ",,,\r\n,a,b,12.75\r\n"},
        {"separator", {"a,b", "x", ""}, 3, ",,,\r\n,\"a,b\",x,3\r\n"},
        {"quotes doubled", {"say \"hi\"", "", ""}, -2, ",,,\r\n,\"say \"\"hi\"\"\",,-2\r\n"},
        {"line break kept inside quotes", {"one\ntwo", "", ""}, 0, ",,,\r\n,\"one\ntwo\",,0\r\n"},
        {"chinese", {"中文", "表格,", ""}, 1e20, ",,,\r\n,中文,\"表格,\",1e+020\r\n"},
    };
    for (const Case& c : cases) {
        CGridCtrl grid;
        grid.SetRowCount(2);
        grid.SetColumnCount(4);
        SetText(grid, 1, 1, c.cells[0].c_str());
        SetText(grid, 1, 2, c.cells[1].c_str());
        grid.SetCellValue(1, 3, c.number);
        EXPECT_EQ(c.bytes, grid.GetCSVFileBytes(',')) << c.label;
    }
    CGridCtrl empty;
    EXPECT_EQ("", empty.GetCSVFileBytes(','));
}

// The file holds exactly the fields SaveCSVString makes, whatever the numbers.
TEST(GridCsvBytes, SameFieldsAsTheCsvString)
{
    const double numbers[] = {0,       -0.0,     1,       -1,       7,        12.75,   0.1,     1.0 / 3,
                              -2.5e-7, 123450,   1e15,    1e16,     1e16 + 2, 9007199254740993.0, 1e17,
                              1.5e17,  -1e22,    3.14159, 100.125,  -99999999999999999.0};
    std::vector<double> values(std::begin(numbers), std::end(numbers));
    // And a spread of others: random digits at random magnitudes, and short
    // decimals such as a price.
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) {
        const double mantissa = std::uniform_real_distribution<double>(-10.0, 10.0)(random);
        values.push_back(std::ldexp(mantissa, std::uniform_int_distribution<int>(-80, 80)(random)));
        values.push_back(std::uniform_int_distribution<int>(-100000, 100000)(random) / 100.0);
        values.push_back(std::uniform_int_distribution<int>(0, 1 << 30)(random) / 1024.0);
    }
    CGridCtrl grid;
    grid.SetRowCount(static_cast<int>(values.size()));
    grid.SetColumnCount(3);
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        grid.SetCellValue(row, 0, values[static_cast<size_t>(row)]);
        SetText(grid, row, 1, row % 2 ? "x;y" : "\"q\"");
        SetText(grid, row, 2, row % 3 ? "中文;" : "");
    }
    for (char separator : {',', ';', '\t'}) {
        const std::string expected = Replace(grid.SaveCSVString(separator).Str(), "\n", "\r\n");
        const std::string bytes = grid.GetCSVFileBytes(separator);
        EXPECT_EQ(expected.size(), bytes.size()) << separator;
        // Line by line, so a difference names its number.
        std::istringstream a(expected), b(bytes);
        std::string lineA, lineB;
        int line = 0;
        while (std::getline(a, lineA) && std::getline(b, lineB)) {
            EXPECT_EQ(lineA, lineB) << "line " << line << ": " << values[static_cast<size_t>(line)];
            ++line;
        }
    }
}

// With a separator that can be a character's second byte, a text ending in
// a lone first byte is quoted, so the separator after it stays a separator.
TEST(GridCsvBytes, ALoneLeadByteBeforeTheSeparatorIsQuoted)
{
    CGridCtrl grid;
    grid.SetRowCount(1);
    grid.SetColumnCount(2);
    SetText(grid, 0, 0, "a\x81");
    SetText(grid, 0, 1, "b");
    EXPECT_EQ("\"a\x81\"|b\r\n", grid.GetCSVFileBytes('|'));
    EXPECT_EQ((Rows{{"a\x81", "b"}}), Parse(grid.GetCSVFileBytes('|'), '|'));
    EXPECT_EQ("a\x81,b\r\n", grid.GetCSVFileBytes(','));   // a comma is never a second byte
    // A quote after a first byte without a valid partner is a quote, doubled.
    SetText(grid, 0, 0, "\xFE\"x");
    EXPECT_EQ("\"\xFE\"\"x\",b\r\n", grid.GetCSVFileBytes(','));
    EXPECT_EQ((Rows{{"\xFE\"x", "b"}}), Parse(grid.GetCSVFileBytes(','), ','));
}

TEST(GridCsvReader, Cases)
{
    struct Case {
        const char* label;
        std::string text;
        char separator;
        Rows rows;
    } cases[] = {
        {"simple", "a,b\r\nc,d\r\n", ',', {{"a", "b"}, {"c", "d"}}},
        {"lf only", "a,b\nc\n", ',', {{"a", "b"}, {"c"}}},
        {"no final line break keeps the last field", "a,b\r\nc,d", ',', {{"a", "b"}, {"c", "d"}}},
        {"empty file", "", ',', {}},
        {"empty line", "a\r\n\r\nb\r\n", ',', {{"a"}, {""}, {"b"}}},
        {"lone cr ends a record", "a\rb", ',', {{"a"}, {"b"}}},
        {"quoted separator", "\"a,b\",c\r\n", ',', {{"a,b", "c"}}},
        {"doubled quote", "\"say \"\"hi\"\"\",x\r\n", ',', {{"say \"hi\"", "x"}}},
        {"quote inside an unquoted field stays", "a\"b,c\"\r\n", ',', {{"a\"b", "c\""}}},
        {"text after the closing quote stays", "\"ab\"cd,e\n", ',', {{"abcd", "e"}}},
        {"line breaks inside quotes", "\"one\r\ntwo\nthree\",x\r\n", ',', {{"one\r\ntwo\nthree", "x"}}},
        {"unclosed quote runs to the end", "a,\"b,c\r\nd", ',', {{"a", "b,c\r\nd"}}},
        {"empty fields", ",,\r\n", ',', {{"", "", ""}}},
        {"empty quoted field", "\"\",a\r\n", ',', {{"", "a"}}},
        {"semicolon", "a;b,c\r\n", ';', {{"a", "b,c"}}},
        {"chinese", "中文,表格\r\n", ',', {{"中文", "表格"}}},
        // 亅 is 0x81 0x7C: its second byte is the separator's byte.
        {"separator byte inside a character", "亅|b\r\n", '|', {{"亅", "b"}}},
        {"last record quoted without break", "a,\"b\"", ',', {{"a", "b"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rows, Parse(c.text, c.separator)) << c.label;
}

TEST_F(CsvFiles, SaveReplacesTheFileAndLeavesNoTemporary)
{
    auto grid = MakeSheet(3, 3, 1, 1);
    SetText(*grid, 1, 1, "x,y");
    grid->SetCellValue(2, 2, 5);
    const std::string path = PathOf("sheet.csv");
    WriteAll(path, "old content that is longer than the new one, and more");
    ASSERT_TRUE(grid->SaveCSVFile(path.c_str(), ','));
    EXPECT_EQ(grid->GetCSVFileBytes(','), ReadAll(path));
    EXPECT_EQ(",A,B\r\n1,\"x,y\",\r\n2,,5\r\n", ReadAll(path));
    EXPECT_EQ(1u, FileCount());

    CGridCtrl empty;
    ASSERT_TRUE(empty.SaveCSVFile(path.c_str(), ','));
    EXPECT_EQ("", ReadAll(path));
    EXPECT_EQ(1u, FileCount());
}

TEST_F(CsvFiles, SavedAndLoadedBackShiftedByOneRowAndColumn)
{
    CGridCtrl source;
    source.SetRowCount(3);
    source.SetColumnCount(3);
    const Rows cells = {{"名称", "a,b", "say \"hi\""}, {"two\nlines", "", "3.5"}, {"x", "中文,表格", ""}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            SetText(source, row, col, cells[row][col].c_str());
    source.SetCellValue(1, 2, 3.5);
    // A file name in Chinese.
    const std::string path = PathOf("表格数据.csv");
    ASSERT_TRUE(source.SaveCSVFile(path.c_str(), ','));

    auto target = MakeSheet(9, 9, 1, 1);
    SetText(*target, 0, 0, "corner");
    SetText(*target, 5, 5, "old");
    target->MergeCells(4, 4, 6, 6);
    ASSERT_TRUE(target->LoadCSVFile(path.c_str(), ','));
    EXPECT_EQ(4, target->GetRowCount());
    EXPECT_EQ(4, target->GetColumnCount());
    EXPECT_EQ(cells, Cells(*target));
    EXPECT_EQ("corner", Text(*target, 0, 0));
    EXPECT_EQ("B", Text(*target, 0, 2));            // headers written for the new lines
    EXPECT_EQ("3", Text(*target, 3, 0));
    EXPECT_TRUE(target->GetMergeOwners().empty());
}

TEST_F(CsvFiles, LoadsAFileWithoutAFinalLineBreak)
{
    const std::string path = PathOf("tail.csv");
    WriteAll(path, "a;b\r\n\"c;d\";e");
    CGridCtrl grid;
    ASSERT_TRUE(grid.LoadCSVFile(path.c_str(), ';'));
    EXPECT_EQ((Rows{{"a", "b"}, {"c;d", "e"}}), Cells(grid));
    // An empty file leaves the corner cell alone.
    WriteAll(path, "");
    ASSERT_TRUE(grid.LoadCSVFile(path.c_str(), ';'));
    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetColumnCount());
}

}  // namespace
