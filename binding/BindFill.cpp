// The fill engine: CBindInfo::FillData walks the bind's recordset and writes
// its records into the grid, one record per row for a body bind and fixed
// cells for a header or bottom bind, with serial numbers, default values,
// cell settings, merged runs of equal values, group subtotal rows and a grand
// total row.
#include "binding/BindInfoList.h"

#include "grid/GridCellBase.h"
#include "grid/GridCtrl.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const UINT kModifiedState = 0x80;

bool IsNumericType(int type)
{
    switch (type) {
    case 2: case 3: case 4: case 5: case 6: case 11: case 14:
    case 16: case 17: case 18: case 19: case 20: case 21: case 131:
        return true;
    default:
        return false;
    }
}

bool IsDateType(int type)
{
    return type == 7 || (type >= 133 && type <= 135);
}

bool IsTextType(int type)
{
    return type == 8 || type == 129 || type == 130 || (type >= 200 && type <= 203);
}

bool IsComboCell(const CGridCellBase* pCell)
{
    for (const CRuntimeClass* pClass = pCell->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass) {
        if (std::strcmp(pClass->m_lpszClassName, "CGridCellCombo") == 0)
            return true;
    }
    return false;
}

CString CellText(CGridCellBase* pCell)
{
    LPCTSTR text = pCell->GetText();
    return CString(text != nullptr ? text : "");
}

// A number as a caption prefix: 12 significant digits, no trailing point.
CString CaptionNumber(double d)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12g", d);
    for (char* p = buffer; *p != '\0'; ++p) {
        if (*p == ',')
            *p = '.';
    }
    size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] == '.')
        buffer[n - 1] = '\0';
    return CString(buffer);
}

void ApplyBorders(CGridCellBase* pCell, short flags, const CBorderBlock (&blocks)[4])
{
    for (int i = 0; i < 4; ++i) {
        const UINT bit = 1u << i;
        if ((flags & bit) != 0)
            pCell->SetBorder(bit, static_cast<COLORREF>(blocks[i].colour), blocks[i].lineStyle, blocks[i].lineWidth);
    }
}

}  // namespace

// The running state of one fill.
class CBindFill {
public:
    explicit CBindFill(CBindInfo& bind) : m_bind(bind), m_grid(*bind.m_pGrid) {}
    int Run();

private:
    struct FieldState {
        CBindFieldInfo info;
        int type = -1;
        int index = -1;         // the recordset's position of the field, when it can tell
        bool readFailed = false;
        // statistics
        double sum = 0, aveSum = 0, max = 0, prevMax = 0, min = 0, prevMin = 0, total = 0;
        long long count = 0;
        bool hasMax = false, hasMin = false, hasTotal = false;
    };

    void SetUpFields();
    void FillRecord();
    bool WriteField(size_t j, int targetRow);
    void WriteValue(CGridCellBase* pCell, FieldState& f, const CBindValue& value, int type, int bindType, int targetRow);
    void Accumulate(FieldState& f, double v);
    void GroupTest(size_t j, int targetRow, int col);
    enum TotalKind { InLoop, LastGroup, Grand };
    void InsertTotalRow(int row, TotalKind kind, int n);
    bool GrowRows(int nRows);
    void GrowColumns(int nCols);

    CBindInfo& m_bind;
    CGridCtrl& m_grid;
    IBindRecordset* m_rs = nullptr;
    std::vector<FieldState> m_fields;      // with field records
    std::vector<int> m_columnTypes;        // without field records
    std::vector<CString> m_listTexts;
    bool m_hasFieldRecords = false;
    int m_counters[6] = {0, 0, 0, 0, 0, 0};
    int m_s = 0, m_s0 = 0, m_c0 = 0, m_e = 0, m_b = 0, m_g = -1;
    bool m_endSet = false;
    int m_maxFieldRow = 0, m_maxFieldCol = 0;
    int m_r = 0, m_gs = 0, m_t = -1;
    bool m_break = false;
    size_t m_listIndex = 0;
    int m_lastTargetRow = -1;
    CBindValue m_value;                    // the value read last; its storage serves the next read
};

int CBindInfo::FillData()
{
    if (m_pGrid == nullptr)
        return -1;
    // The rows the fill inserts move no bind: the fill places them itself.
    CBindInfoList& list = m_pGrid->GetBindList();
    list.BeginFill();
    CBindFill fill(*this);
    const int result = fill.Run();
    list.EndFill();
    return result;
}

bool CBindFill::GrowRows(int nRows)
{
    if (nRows > m_grid.GetRowCount())
        return m_grid.SetRowCount(nRows) != FALSE;
    return true;
}

void CBindFill::GrowColumns(int nCols)
{
    if (nCols > m_grid.GetColumnCount())
        m_grid.SetColumnCount(nCols);
}

void CBindFill::SetUpFields()
{
    const CBindFieldInfoList& list = m_bind.m_fields;
    m_hasFieldRecords = list.GetCount() >= 1;
    if (!m_hasFieldRecords) {
        const int k = m_rs != nullptr ? m_rs->GetFieldCount() : 0;
        for (int i = 0; i < k; ++i) {
            int type = -1;
            if (!m_rs->GetFieldType(i, type))
                type = 200;
            m_columnTypes.push_back(type);
        }
        m_maxFieldCol = k;
        m_maxFieldRow = m_bind.m_nRecordCount;
        return;
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        FieldState f;
        f.info = *list.GetFieldPtr(i);
        const CBindFieldInfo& info = f.info;
        if (info.nColWidth >= 0)
            m_grid.SetColumnWidth(info.nCol, info.nColWidth);
        if (info.emStatisticsType >= 1 && info.emStatisticsType <= 5)
            ++m_counters[info.emStatisticsType];
        if (info.iGroup == 1)
            m_g = i;
        m_maxFieldCol = std::max(m_maxFieldCol, info.nCol);
        m_maxFieldRow = std::max(m_maxFieldRow, info.nRow);
        // Every field with a list source gets its own list, in field order.
        if (info.pListSource && info.pListSource->IsOpen())
            m_listTexts.push_back(CBindInfo::GetListText(*info.pListSource));
        else if (!info.strConnName.IsEmpty() && !info.strDataSetName.IsEmpty())
            m_listTexts.push_back(m_bind.GetListText(info.strConnName, info.strDataSetName));
        if (info.emFieldBindType == FBT_FIELD && !info.strFieldName.IsEmpty()) {
            int type = 200;
            if (m_rs == nullptr || !m_rs->GetFieldType(info.strFieldName, type))
                type = 200;
            f.type = type;
            if (m_rs != nullptr)
                f.index = m_rs->FindField(info.strFieldName);
        }
        m_fields.push_back(f);
    }
}

int CBindFill::Run()
{
    m_rs = m_bind.m_pRecordset.get();
    // Binds sharing a data set share its cursor: every fill starts at the first record.
    if (m_rs != nullptr && m_rs->IsOpen())
        m_rs->MoveFirst();
    else
        m_rs = nullptr;

    m_s = m_bind.nFillStartRow >= 0 ? m_bind.nFillStartRow : m_grid.GetFixedRowCount();
    m_s0 = m_s;
    if (m_bind.nFillStartCol < 0)
        m_bind.nFillStartCol = m_grid.GetFixedColumnCount();
    m_c0 = m_bind.nFillStartCol;
    const short fillType = m_bind.FillType;

    if (m_bind.bAutoRow != 0 && fillType == BFT_BODY) {
        const int n = m_rs != nullptr ? m_bind.m_nRecordCount : 0;
        if (n > 0)
            m_grid.InsertRows(m_s, n, TRUE);
        m_e = m_s + n;
        m_endSet = true;
    }

    SetUpFields();

    if (m_bind.bAutoCol != 0)
        GrowColumns(m_maxFieldCol + m_c0);

    if (m_bind.bAutoRow != 0 && fillType != BFT_BODY) {
        if (fillType == BFT_BOTTOM && m_bind.m_pBodyBind == nullptr && !m_bind.m_strBodyBindName.IsEmpty())
            m_bind.m_pBodyBind = m_grid.GetBindList().GetBind(m_bind.m_strBodyBindName);
        if (fillType == BFT_BOTTOM && m_bind.m_pBodyBind != nullptr) {
            m_b = m_bind.m_pBodyBind->GetFillCount() - 1;
            m_grid.SetRowCount(m_maxFieldRow + m_b + 1);
            m_e = m_maxFieldRow + m_b + 1 + m_s;
        } else {
            // Automatic rows only grow the sheet: the body's rows stay.
            if (fillType == BFT_BOTTOM)
                m_grid.SetRowCount(m_maxFieldRow + m_s);
            else
                GrowRows(m_maxFieldRow + m_s);
            m_e = m_maxFieldRow + m_s;
        }
        m_endSet = true;
    } else if (fillType == BFT_BOTTOM && m_bind.m_pBodyBind == nullptr && !m_bind.m_strBodyBindName.IsEmpty()) {
        m_bind.m_pBodyBind = m_grid.GetBindList().GetBind(m_bind.m_strBodyBindName);
    }
    if (fillType == BFT_BOTTOM && m_bind.m_pBodyBind != nullptr)
        m_b = m_bind.m_pBodyBind->GetFillCount() - 1;

    m_r = m_s;
    m_gs = m_s;
    m_t = -1;
    while (m_rs != nullptr && !m_rs->IsEOF() && m_r < m_grid.GetRowCount()) {
        FillRecord();
        if (fillType == BFT_BODY && m_break) {
            InsertTotalRow(m_r, InLoop, m_r - m_gs);
            m_s += 1;
            m_gs = m_r + 1;
            m_r = m_gs;
        }
        m_rs->MoveNext();
        m_r += 1;
        if (m_bind.bBlock != 0 && m_r - m_s == m_bind.nRowsPerBlock)
            break;
    }

    const bool hasStatistics = m_counters[1] + m_counters[2] + m_counters[3] + m_counters[4] + m_counters[5] > 0;
    if (!m_endSet) {
        // Without automatic rows the fill counts the rows it wrote.
        m_e = fillType == BFT_BODY ? m_r : std::max(m_lastTargetRow + 1, m_s);
        m_endSet = true;
    }
    if (m_g >= 0 && hasStatistics && fillType == BFT_BODY && m_s <= m_r - 1) {
        InsertTotalRow(m_r, LastGroup, m_r - m_gs);
        m_e += 1;
        if (m_t == -1)
            m_t = m_r;
        m_r += 1;
    }
    if (hasStatistics && fillType == BFT_BODY && m_s <= m_r - 1) {
        InsertTotalRow(m_r, Grand, m_bind.m_nRecordCount);
        m_e += 1;
        if (m_t == -1)
            m_t = m_r;
    }

    m_fields.clear();
    m_listTexts.clear();
    if (m_t >= 0)
        m_grid.RenumberRowHeaders(m_t, m_grid.GetRowCount() - 1);

    m_bind.m_nFilledRows = m_r - m_s;
    m_bind.m_nFillCount = m_e - m_s0;
    m_bind.CloseAfterFill();
    return m_bind.m_nFillCount;
}

void CBindFill::FillRecord()
{
    m_break = false;
    m_listIndex = 0;
    if (!m_hasFieldRecords) {
        CBindValue value;
        for (size_t j = 0; j < m_columnTypes.size(); ++j) {
            if (m_r >= m_grid.GetRowCount())
                return;
            CGridCellBase* pCell = m_grid.GetCell(m_r, static_cast<int>(j) + m_c0);
            if (pCell == nullptr || !m_rs->GetFieldValue(static_cast<int>(j), value))
                continue;
            FieldState plain;
            WriteValue(pCell, plain, value, m_columnTypes[j], FBT_FIELD, m_r);
        }
        return;
    }
    for (size_t j = 0; j < m_fields.size(); ++j)
        WriteField(j, 0);
}

bool CBindFill::WriteField(size_t j, int)
{
    FieldState& f = m_fields[j];
    const CBindFieldInfo& info = f.info;
    CBindValue& value = m_value;
    value.kind = CBindValue::Empty;
    bool read = true;
    if (info.emFieldBindType == FBT_FIELD && !info.strFieldName.IsEmpty()) {
        // A field the data set lacks is reported by the first failed read
        // only; later records leave its cell alone without asking again.
        // A field found at set-up is read by its position.
        read = !f.readFailed && (f.index >= 0 ? m_rs->GetFieldValue(f.index, value)
                                              : m_rs->GetFieldValue(info.strFieldName, value));
        if (!read)
            f.readFailed = true;
    }
    int target = m_r;
    if (m_bind.FillType == BFT_HEADER)
        target = info.nRow;
    else if (m_bind.FillType == BFT_BOTTOM)
        target = m_bind.m_pBodyBind != nullptr ? info.nRow + m_b : info.nRow;
    if (m_bind.FillType != BFT_BODY)
        m_r = target;
    if (target >= 0)
        m_lastTargetRow = std::max(m_lastTargetRow, target);

    CGridCellBase* pCell = target >= 0 ? m_grid.GetCell(target, info.nCol) : nullptr;
    if (pCell != nullptr && read) {
        if (!info.strControlXml.IsEmpty()) {
            m_grid.SetCellControl(target, info.nCol, info.strControlXml);
            pCell = m_grid.GetCell(target, info.nCol);
            if (pCell != nullptr && IsComboCell(pCell) && m_listIndex < m_listTexts.size()) {
                pCell->SetControlProperty("datasource", m_listTexts[m_listIndex]);
                m_listIndex += 1;
            }
        }
        if (pCell != nullptr) {
            WriteValue(pCell, f, value, f.type, info.emFieldBindType, target);
            if (info.emStatisticsType == ST_COUNT) {
                f.count += 1;
                f.total += 1;
            }
            if (!info.strFontXml.IsEmpty())
                pCell->SetFontXml(info.strFontXml);
            if (info.crBgColor >= 0)
                pCell->SetBackColor(static_cast<COLORREF>(info.crBgColor));
            if (info.crTextColor >= 0)
                pCell->SetTextColor(static_cast<COLORREF>(info.crTextColor));
            if (!info.strFormatXml.IsEmpty())
                pCell->SetFormatXml(info.strFormatXml);
            if (info.nAlign >= 0)
                pCell->SetAlign(static_cast<UINT>(info.nAlign));
            pCell->SetWrapText(info.bWrap);
            if (info.bWrap != 0)
                m_grid.AutoSizeRow(target, TRUE);
            pCell->SetDisplayEllipsis(info.bEllipsis);
            pCell->SetReadOnly(info.bReadOnly);
            if (info.emCellBorderFlags != 0)
                ApplyBorders(pCell, info.emCellBorderFlags, info.arBorders);
            if (pCell->IsMerged() && pCell->IsMergeOwnerCell() && pCell->GetMergeRange().GetCellCount() > 1)
                m_grid.CopyCellToRange(pCell->GetMergeRange(), pCell);
        }
    }
    if (static_cast<int>(j) == m_g || (info.bMergeData != 0 && m_bind.FillType == BFT_BODY && m_s <= target - 1))
        GroupTest(j, target, info.nCol);
    return true;
}

void CBindFill::WriteValue(CGridCellBase* pCell, FieldState& f, const CBindValue& value, int type, int bindType,
                           int targetRow)
{
    const CBindFieldInfo& info = f.info;
    if (bindType == FBT_SERIAL) {
        pCell->SetValue(static_cast<double>(targetRow - m_s + 1));
        return;
    }
    if (bindType == FBT_DEFVALUE) {
        if (info.nDefDataType == 0 || info.nDefDataType == -1)
            pCell->SetText(info.strDefValue);
        else
            pCell->SetValue(info.dbDefValue);
        return;
    }
    if (bindType != FBT_FIELD)
        return;
    if (value.IsEmptyOrNull()) {
        if (pCell->IsNumber()) {
            pCell->SetValue(0.0);
            pCell->SetState(pCell->GetState() & ~kModifiedState);
        } else {
            pCell->SetText("");
        }
        return;
    }
    if (type == 0) {
        pCell->SetText("");
    } else if (IsNumericType(type)) {
        const double v = value.AsNumber();
        pCell->SetValue(v);
        if (info.emStatisticsType != ST_NULL)
            Accumulate(f, v);
    } else if (IsDateType(type)) {
        pCell->SetText(value.AsText());
    } else if (IsTextType(type)) {
        pCell->SetText(value.AsText());
    }
}

void CBindFill::Accumulate(FieldState& f, double v)
{
    switch (f.info.emStatisticsType) {
    case ST_SUM:
        f.sum += v;
        f.total += v;
        break;
    case ST_AVE:
        f.aveSum += v;
        f.total += v;
        break;
    case ST_MAX:
        // The running maximum starts from the first value of the fill and of each group.
        f.prevMax = f.max;
        if (!f.hasMax || f.max < v)
            f.max = v;
        f.hasMax = true;
        if (!f.hasTotal || f.total < v)
            f.total = v;
        f.hasTotal = true;
        break;
    case ST_MIN:
        f.prevMin = f.min;
        if (!f.hasMin || f.min > v)
            f.min = v;
        f.hasMin = true;
        if (!f.hasTotal || f.total > v)
            f.total = v;
        f.hasTotal = true;
        break;
    default:
        break;
    }
}

void CBindFill::GroupTest(size_t j, int r, int col)
{
    CGridCellBase* pCell = r >= 0 ? m_grid.GetCell(r, col) : nullptr;
    if (pCell == nullptr || r - 1 < 0)
        return;
    CGridCellBase* pAbove = m_grid.GetCell(r - 1, col);
    if (pAbove == nullptr)
        return;
    bool equal;
    if (pCell->IsNumber())
        equal = pCell->GetValue() == pAbove->GetValue();
    else
        equal = CellText(pCell) == CellText(pAbove);
    const FieldState& f = m_fields[j];
    if (static_cast<int>(j) == m_g && !equal && m_s <= r - 1) {
        m_break = true;
        if (m_t == -1)
            m_t = r;
    }
    if (f.info.bMergeData != 0 && m_bind.FillType == BFT_BODY && m_s <= r - 1 && equal && !m_break)
        m_grid.MergeCells(r - 1, col, r, col);
}

void CBindFill::InsertTotalRow(int row, TotalKind kind, int n)
{
    if (m_grid.InsertRow("", row) < 0)
        return;
    if (kind == InLoop && m_endSet)
        m_e += 1;
    const CBindGroupRowInfo& group = m_bind.m_groupRow;
    for (size_t j = 0; j < m_fields.size(); ++j) {
        FieldState& f = m_fields[j];
        const CBindFieldInfo& info = f.info;
        if (kind != InLoop && info.nCol < 0)
            continue;
        CGridCellBase* pCell = m_grid.GetCell(row, info.nCol);
        if (pCell == nullptr)
            continue;
        if (!group.strGroupRowFontXml.IsEmpty())
            pCell->SetFontXml(group.strGroupRowFontXml);
        if (group.crGroupRowBgColor >= 0)
            pCell->SetBackColor(static_cast<COLORREF>(group.crGroupRowBgColor));
        if (group.crGroupRowTextColor >= 0)
            pCell->SetTextColor(static_cast<COLORREF>(group.crGroupRowTextColor));
        pCell->SetReadOnly(group.bGroupRowReadOnly);
        if (group.emCellBorderFlags != 0)
            ApplyBorders(pCell, group.emCellBorderFlags, group.arBorders);
        if (info.nAlign >= 0)
            pCell->SetAlign(static_cast<UINT>(info.nAlign));
        if (group.strGroupRowFontXml.IsEmpty() && !info.strFontXml.IsEmpty())
            pCell->SetFontXml(info.strFontXml);
        if (group.strGroupRowFormatXml.IsEmpty() && !info.strFormatXml.IsEmpty() && info.emStatisticsType != ST_NULL)
            pCell->SetFormatXml(info.strFormatXml);
        pCell->SetWrapText(info.bWrap);
        if (info.bWrap != 0)
            m_grid.AutoSizeRow(row, TRUE);
        pCell->SetDisplayEllipsis(info.bEllipsis);

        const bool captionCell = (group.nGroupNameDefCol >= 0 && info.nCol == group.nGroupNameDefCol)
                                 || static_cast<int>(j) == m_g;
        if (captionCell) {
            CString text = group.sGroupDefaultName;
            // The grand total's caption stands alone: the row above it is a
            // subtotal, not a group.
            if (group.bGroupAddColValue != 0 && kind != Grand) {
                CGridCellBase* pSource = row - 1 >= 0 ? m_grid.GetCell(row - 1, info.nCol) : nullptr;
                if (pSource != nullptr)
                    text = (pSource->IsNumber() ? CaptionNumber(pSource->GetValue()) : CellText(pSource)) + text;
            }
            pCell->SetText(text);
        } else if (info.emStatisticsType != ST_NULL) {
            if (!group.strGroupRowFormatXml.IsEmpty())
                pCell->SetFormatXml(group.strGroupRowFormatXml);
            double below = 0.0;
            if (kind == InLoop) {
                CGridCellBase* pBelow = m_grid.GetCell(row + 1, info.nCol);
                below = pBelow != nullptr ? pBelow->GetValue() : 0.0;
            }
            double v = 0.0;
            switch (info.emStatisticsType) {
            case ST_SUM:
                if (kind == InLoop) {
                    v = f.sum - below;
                    f.sum = below;
                } else {
                    v = kind == LastGroup ? f.sum : f.total;
                }
                break;
            case ST_AVE:
                if (kind == InLoop) {
                    v = n > 0 ? (f.aveSum - below) / n : 0.0;
                    f.aveSum = below;
                } else if (kind == LastGroup) {
                    v = n > 0 ? f.aveSum / n : 0.0;
                } else {
                    v = n > 0 ? f.total / n : 0.0;
                }
                break;
            case ST_MAX:
                if (kind == InLoop) {
                    v = f.prevMax;
                    f.max = below;
                } else {
                    v = kind == LastGroup ? f.max : f.total;
                }
                break;
            case ST_MIN:
                if (kind == InLoop) {
                    v = f.prevMin;
                    f.min = below;
                } else {
                    v = kind == LastGroup ? f.min : f.total;
                }
                break;
            case ST_COUNT:
                if (kind == InLoop) {
                    v = static_cast<double>(f.count - 1);
                    f.count = 1;
                } else {
                    v = static_cast<double>(kind == LastGroup ? f.count : static_cast<long long>(f.total));
                }
                break;
            default:
                break;
            }
            pCell->SetValue(v);
        }
        if (pCell->IsMerged() && pCell->IsMergeOwnerCell() && pCell->GetMergeRange().GetCellCount() > 1)
            m_grid.CopyCellToRange(pCell->GetMergeRange(), pCell);
    }
}
