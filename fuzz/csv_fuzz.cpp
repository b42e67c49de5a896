// Fuzzes the CSV reader.
//
// Byte 0 picks the separator; the rest is the file. Nothing may crash, hang
// or read outside the input. What the reader makes of the text, laid out in
// a sheet and written as the grid writes a CSV file, must read back as the
// same fields (cut at a NUL byte, as a cell keeps its text).
#include "grid/GridCsvFile.h"
#include "grid/GridCtrl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::vector<std::string>> Rows;

Rows Read(const std::string& text, char separator)
{
    gridcsv::CsvTable table;
    gridcsv::ParseCsv(text.data(), text.size(), separator, table);
    Rows rows(table.RecordCount());
    for (size_t r = 0; r < table.RecordCount(); ++r)
        for (size_t f = 0; f < table.FieldCount(r); ++f)
            rows[r].push_back(table.Field(r, f));   // up to a NUL
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const char kSeparators[] = {',', ';', '\t', '|', '@', ' '};
    const char separator = kSeparators[data[0] % sizeof(kSeparators)];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const Rows rows = Read(text, separator);

    size_t widest = 0;
    for (const auto& row : rows)
        widest = std::max(widest, row.size());
    if ((rows.size() + 1) * (widest + 1) > 20000)
        return 0;   // the layout below is the expensive part

    // As a sheet holds them: every record as wide as the widest.
    CGridCtrl grid;
    grid.SetRowCount(static_cast<int>(rows.size()));
    grid.SetColumnCount(static_cast<int>(widest));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t f = 0; f < rows[r].size(); ++f)
            grid.SetCellText(static_cast<int>(r), static_cast<int>(f), rows[r][f].c_str());
    const Rows back = Read(grid.GetCSVFileBytes(separator), separator);
    if (back.size() != rows.size())
        std::abort();
    for (size_t r = 0; r < rows.size(); ++r) {
        if (widest == 0)
            continue;
        if (back[r].size() != widest)
            std::abort();
        for (size_t f = 0; f < widest; ++f) {
            const std::string expected = f < rows[r].size() ? rows[r][f] : "";
            if (back[r][f] != expected)
                std::abort();
        }
    }
    return 0;
}
