// Helpers of the binding tests: a sheet, recordsets in memory and cell reads.
#pragma once

#include "binding/BindInfoList.h"
#include "binding/MemoryRecordset.h"
#include "grid/GridCtrl.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace bindtest {

typedef std::vector<std::string> Texts;

inline std::unique_ptr<CGridCtrl> MakeSheet(int rows, int cols, int fixedRows = 1, int fixedCols = 1)
{
    auto grid = std::make_unique<CGridCtrl>();
    grid->SetFixedRowCount(fixedRows);
    grid->SetFixedColumnCount(fixedCols);
    grid->SetRowCount(rows);
    grid->SetColumnCount(cols);
    return grid;
}

inline CBindValue T(const char* s) { return CBindValue::MakeText(CString(s)); }
inline CBindValue I(long long n) { return CBindValue::MakeInteger(n); }
inline CBindValue R(double d) { return CBindValue::MakeReal(d); }
inline CBindValue N() { return CBindValue::MakeNull(); }

inline std::shared_ptr<CMemoryRecordset> Records(std::vector<CMemoryRecordset::Column> columns,
                                                 std::vector<std::vector<CBindValue>> rows)
{
    return std::make_shared<CMemoryRecordset>(std::move(columns), std::move(rows));
}

inline CBindFieldInfo Field(const char* name, int col, short statistics = ST_NULL, short bindType = FBT_FIELD)
{
    CBindFieldInfo f;
    f.SetFieldName(name);
    f.nCol = col;
    f.emStatisticsType = statistics;
    f.emFieldBindType = bindType;
    return f;
}

inline std::string Text(CGridCtrl& grid, int row, int col)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    if (cell == nullptr)
        return "<none>";
    if (cell->IsNumber()) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", cell->GetValue());
        return buffer;
    }
    LPCTSTR text = cell->GetText();
    return text != nullptr ? text : "";
}

inline double Value(CGridCtrl& grid, int row, int col)
{
    CGridCellBase* cell = grid.GetCell(row, col);
    return cell != nullptr ? cell->GetValue() : -999.0;
}

// The texts of one column from row first to row last.
inline std::vector<std::string> Column(CGridCtrl& grid, int col, int first, int last)
{
    std::vector<std::string> out;
    for (int row = first; row <= last; ++row)
        out.push_back(Text(grid, row, col));
    return out;
}

}  // namespace bindtest
