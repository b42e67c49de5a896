// A recordset held in memory: named, typed columns and rows of values. Tests
// and benchmarks fill binds from it, and it serves wherever a small table of
// values stands in for a database query.
#pragma once

#include "binding/BindRecordset.h"

#include <string>
#include <vector>

class CMemoryRecordset : public IBindRecordset {
public:
    struct Column {
        std::string name;
        int type;
    };

    CMemoryRecordset(std::vector<Column> columns, std::vector<std::vector<CBindValue>> rows)
        : m_columns(std::move(columns)), m_rows(std::move(rows)) {}

    BOOL IsOpen() const override { return m_bOpen; }
    BOOL IsEOF() const override { return m_pos >= m_rows.size(); }
    void MoveFirst() override { m_pos = 0; }
    void MoveNext() override { if (m_pos < m_rows.size()) ++m_pos; }
    int GetRecordCount() override { return static_cast<int>(m_rows.size()); }
    int GetFieldCount() override { return static_cast<int>(m_columns.size()); }
    BOOL GetFieldType(int nIndex, int& nType) override
    {
        if (nIndex < 0 || nIndex >= GetFieldCount())
            return FALSE;
        nType = m_columns[static_cast<size_t>(nIndex)].type;
        return TRUE;
    }
    BOOL GetFieldType(LPCTSTR szName, int& nType) override { return GetFieldType(Find(szName), nType); }
    BOOL GetFieldValue(int nIndex, CBindValue& value) override
    {
        ++m_nReads;
        if (nIndex < 0 || nIndex >= GetFieldCount() || IsEOF())
            return FALSE;
        const std::vector<CBindValue>& row = m_rows[m_pos];
        value = static_cast<size_t>(nIndex) < row.size() ? row[static_cast<size_t>(nIndex)] : CBindValue();
        return TRUE;
    }
    BOOL GetFieldValue(LPCTSTR szName, CBindValue& value) override
    {
        const int index = Find(szName);
        if (index < 0) {
            ++m_nFailedReads;
            ++m_nReads;
            return FALSE;
        }
        return GetFieldValue(index, value);
    }

    int FindField(LPCTSTR szName) override { return Find(szName); }

    void SetOpen(BOOL bOpen) { m_bOpen = bOpen; }
    // Reads of a field the recordset lacks, so far.
    int GetFailedReads() const { return m_nFailedReads; }

private:
    int Find(LPCTSTR szName) const
    {
        if (szName == nullptr)
            return -1;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i].name == szName)
                return static_cast<int>(i);
        }
        return -1;
    }

    std::vector<Column> m_columns;
    std::vector<std::vector<CBindValue>> m_rows;
    size_t m_pos = 0;
    BOOL m_bOpen = TRUE;
    int m_nReads = 0;
    int m_nFailedReads = 0;
};
