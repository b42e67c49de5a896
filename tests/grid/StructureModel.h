// A model of a sheet under random structural changes, shared by the
// model-based test and its fuzz target.
//
// The sheet is seeded with texts, merged blocks, a row tree, a filled body
// bind and a header bind, formulas, cell ids and hidden lines. Every line
// gets a logical id; the model follows the ids through each change the way
// the change is meant to move them (inserted lines get new ids, deleted ones
// go, a sort or a move permutes them) and, after each step, checks the grid
// against it:
//   - texts stay with their logical cells;
//   - every block has one owner (its top-left cell) holding the block's text,
//     its cells carry its range, no cell outside claims it, and the owner
//     list names exactly the owners;
//   - every tree lies inside the sheet, its levels form an outline, its cells
//     are tree cells, and a sort leaves each row under the parent it had;
//   - binds name the cells and rows they named (a field whose cell went is
//     gone), a body's range is the rows its fill wrote;
//   - formulas read the same logical cells, or "#引用无效!" once deleted;
//   - cell ids resolve to their logical cells and are unique; hidden lines
//     stay hidden.
// The steps come from a Source: a seeded generator or a fuzzer's bytes.
#pragma once

#include "binding/BindInfoList.h"
#include "binding/MemoryRecordset.h"
#include "cellcontent/formula/FormulaMessages.h"
#include "grid/GridCellFormula.h"
#include "grid/GridCtrl.h"
#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace structuremodel {

// Where the choices come from.
class Source {
public:
    virtual ~Source() = default;
    virtual bool More() const = 0;
    // A number in [0, n); 0 when n <= 1.
    virtual int Pick(int n) = 0;
};

class LcgSource : public Source {
public:
    explicit LcgSource(std::uint32_t seed) : m_state(seed) {}
    bool More() const override { return true; }
    int Pick(int n) override
    {
        m_state = m_state * 1664525u + 1013904223u;
        return n <= 1 ? 0 : static_cast<int>((m_state >> 8) % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t m_state;
};

class ByteSource : public Source {
public:
    ByteSource(const std::uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool More() const override { return m_pos < m_size; }
    int Pick(int n) override
    {
        if (n <= 1 || m_pos >= m_size)
            return 0;
        unsigned value = m_data[m_pos++];
        if (n > 256 && m_pos < m_size)
            value = value * 256u + m_data[m_pos++];
        return static_cast<int>(value % static_cast<unsigned>(n));
    }

private:
    const std::uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

class StructureModel {
public:
    explicit StructureModel(Source& source) : m_src(source) { Seed(); }

    // Runs up to nSteps steps (fewer when the source runs dry): "" when every
    // invariant held after every step, else what broke and the steps taken.
    std::string Run(int nSteps)
    {
        std::string broken = Check();
        if (!broken.empty())
            return "after seeding: " + broken;
        for (int step = 0; step < nSteps && m_src.More(); ++step) {
            Step();
            broken = Check();
            if (!broken.empty())
                return broken + "\nsteps:\n" + m_log;
        }
        return std::string();
    }

    CGridCtrl& Grid() { return m_grid; }

private:
    typedef std::pair<int, int> Cell;   // logical row id, logical column id

    struct Block {
        std::vector<int> rids;
        std::vector<int> cids;
    };
    struct Formula {
        Cell at;
        Cell ref;
    };
    struct Field {
        std::string name;
        Cell at;
    };
    struct Tree {
        int cid = -1;
        std::vector<int> rids;
    };

    // --- seeding ------------------------------------------------------------------
    void Seed()
    {
        m_grid.SetFixedRowCount(1);
        m_grid.SetFixedColumnCount(1);
        m_grid.SetRowCount(12);
        m_grid.SetColumnCount(7);
        m_grid.SetColumnSortType(4, TRUE);
        // A body bind filled with four records from row 3, column 2.
        CBindInfo* body = m_grid.GetBindList().AddBind("body", &m_grid);
        body->nFillStartRow = 3;
        CBindFieldInfo v;
        v.SetFieldName("v");
        v.nCol = 2;
        body->GetFieldList().AddField(v);
        std::vector<std::vector<CBindValue>> records;
        for (int i = 0; i < 4; ++i)
            records.push_back({CBindValue::MakeText(CString(("b" + std::to_string(m_src.Pick(90) + 10)).c_str()))});
        body->BindSource(std::make_shared<CMemoryRecordset>(std::vector<CMemoryRecordset::Column>{{"v", 200}},
                                                            records));
        body->FillData();
        body->BindSource(nullptr);
        // Every line an id; every data cell a text.
        for (int r = 0; r < m_grid.GetRowCount(); ++r)
            m_rows.push_back(m_nextId++);
        for (int c = 0; c < m_grid.GetColumnCount(); ++c)
            m_cols.push_back(m_nextId++);
        for (int r = 1; r < m_grid.GetRowCount(); ++r) {
            for (int c = 1; c < m_grid.GetColumnCount(); ++c) {
                std::string text = TextAt(r, c);
                if (text.empty() && m_src.Pick(4) != 0) {
                    text = c == 4 ? std::to_string(m_src.Pick(50)) : "k" + std::to_string(m_src.Pick(30) + 10);
                    m_grid.SetCellText(r, c, text.c_str());
                }
                if (!text.empty())
                    m_texts[Cell(m_rows[r], m_cols[c])] = text;
            }
        }
        m_bodyRows.assign(m_rows.begin() + 3, m_rows.begin() + 3 + body->GetFillCount());
        m_bodyField = m_cols[2];
        // A header bind with two fields.
        m_grid.GetBindList().AddBind("head", &m_grid)->FillType = BFT_HEADER;
        AddField();
        AddField();
        // Blocks, a tree, formulas, ids, hidden lines.
        for (int i = 0; i < 3; ++i)
            Merge();
        AddTree();
        for (int i = 0; i < 3; ++i)
            SetFormula();
        for (int i = 0; i < 4; ++i)
            AddId();
        Hide();
        m_log.clear();
    }

    // --- positions ------------------------------------------------------------------
    static int IndexOf(const std::vector<int>& ids, int id)
    {
        auto it = std::find(ids.begin(), ids.end(), id);
        return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
    }
    int RowOf(int rid) const { return IndexOf(m_rows, rid); }
    int ColOf(int cid) const { return IndexOf(m_cols, cid); }
    bool Alive(const Cell& cell) const { return RowOf(cell.first) >= 0 && ColOf(cell.second) >= 0; }
    int Rows() const { return static_cast<int>(m_rows.size()); }
    int Cols() const { return static_cast<int>(m_cols.size()); }

    std::string TextAt(int r, int c)
    {
        CGridCellBase* cell = m_grid.GetCell(r, c);
        LPCTSTR text = cell != nullptr ? cell->GetText() : nullptr;
        return text != nullptr ? text : "";
    }
    static std::string Name(int r, int c)
    {
        std::string letters;
        for (int n = c; n > 0; n = (n - 1) / 26)
            letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
        return letters + std::to_string(r);
    }
    std::string Where(int r, int c) const { return "(" + std::to_string(r) + "," + std::to_string(c) + ")"; }

    bool IsFormulaCell(const Cell& cell) const
    {
        for (const Formula& f : m_formulas)
            if (f.at == cell)
                return true;
        return false;
    }
    const Block* BlockOf(const Cell& cell) const
    {
        for (const Block& b : m_blocks)
            if (IndexOf(b.rids, cell.first) >= 0 && IndexOf(b.cids, cell.second) >= 0)
                return &b;
        return nullptr;
    }
    const Tree* TreeAtRow(int rid) const
    {
        for (const Tree& t : m_trees)
            if (IndexOf(t.rids, rid) >= 0)
                return &t;
        return nullptr;
    }
    bool IsTreeCell(const Cell& cell) const
    {
        const Tree* t = TreeAtRow(cell.first);
        return t != nullptr && t->cid == cell.second;
    }
    // A cell the model may give a formula, a block or a tree: no such thing there yet.
    bool IsPlain(const Cell& cell) const
    {
        return !IsFormulaCell(cell) && BlockOf(cell) == nullptr && !IsTreeCell(cell);
    }

    // --- following the grid's changes -------------------------------------------------
    void InsertIds(bool bRows, int at, int count)
    {
        std::vector<int>& ids = bRows ? m_rows : m_cols;
        std::vector<int> fresh;
        for (int i = 0; i < count; ++i)
            fresh.push_back(m_nextId++);
        // A tree grows over rows inserted inside it, at the level of the row pushed down.
        if (bRows) {
            for (Tree& t : m_trees) {
                const int start = RowOf(t.rids.front());
                const int end = start + static_cast<int>(t.rids.size());
                if (at > start && at < end) {
                    const int like = m_levels[t.rids[static_cast<size_t>(at - start)]];
                    t.rids.insert(t.rids.begin() + (at - start), fresh.begin(), fresh.end());
                    for (int id : fresh)
                        m_levels[id] = like;
                }
            }
        }
        ids.insert(ids.begin() + at, fresh.begin(), fresh.end());
    }

    void DeleteIds(bool bRows, int first, int count)
    {
        std::vector<int>& ids = bRows ? m_rows : m_cols;
        const std::set<int> gone(ids.begin() + first, ids.begin() + first + count);
        // A block whose owner goes but which keeps cells hands the owner's
        // text to its first remaining cell.
        for (const Block& b : m_blocks) {
            const std::vector<int>& lines = bRows ? b.rids : b.cids;
            if (gone.count(lines.front()) == 0)
                continue;
            for (int id : lines) {
                if (gone.count(id) != 0)
                    continue;
                const Cell owner(b.rids.front(), b.cids.front());
                const Cell heir = bRows ? Cell(id, b.cids.front()) : Cell(b.rids.front(), id);
                auto it = m_texts.find(owner);
                if (it != m_texts.end())
                    m_texts[heir] = it->second;
                else
                    m_texts.erase(heir);
                break;
            }
        }
        ids.erase(ids.begin() + first, ids.begin() + first + count);
        if (bRows) {
            for (size_t i = m_trees.size(); i-- > 0;) {
                Tree& t = m_trees[i];
                bool cut = false;
                for (size_t j = t.rids.size(); j-- > 0;) {
                    if (gone.count(t.rids[j]) != 0) {
                        t.rids.erase(t.rids.begin() + static_cast<std::ptrdiff_t>(j));
                        cut = true;
                    }
                }
                if (t.rids.empty()) {
                    m_trees.erase(m_trees.begin() + static_cast<std::ptrdiff_t>(i));
                } else if (cut) {
                    int previous = 0;
                    for (int id : t.rids) {
                        m_levels[id] = std::max(1, std::min(m_levels[id], previous + 1));
                        previous = m_levels[id];
                    }
                }
            }
        } else {
            for (size_t i = m_trees.size(); i-- > 0;)
                if (gone.count(m_trees[i].cid) != 0)
                    m_trees.erase(m_trees.begin() + static_cast<std::ptrdiff_t>(i));
        }
        for (size_t i = m_fields.size(); i-- > 0;)
            if (gone.count(bRows ? m_fields[i].at.first : m_fields[i].at.second) != 0)
                m_fields.erase(m_fields.begin() + static_cast<std::ptrdiff_t>(i));
        if (!bRows && gone.count(m_bodyField) != 0)
            m_bodyField = -1;
    }

    // Blocks and the body's rows span what lies between their surviving
    // first and last lines.
    void Normalise()
    {
        for (size_t i = m_blocks.size(); i-- > 0;) {
            Block& b = m_blocks[i];
            if (!Span(b.rids, m_rows) || !Span(b.cids, m_cols) || b.rids.size() * b.cids.size() < 2)
                m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(i));
        }
        if (!Span(m_bodyRows, m_rows))
            m_bodyRows.clear();
    }
    static bool Span(std::vector<int>& lineIds, const std::vector<int>& ids)
    {
        int low = -1;
        int high = -1;
        for (int id : lineIds) {
            const int at = IndexOf(ids, id);
            if (at < 0)
                continue;
            low = low < 0 ? at : std::min(low, at);
            high = std::max(high, at);
        }
        if (low < 0)
            return false;
        lineIds.assign(ids.begin() + low, ids.begin() + high + 1);
        return true;
    }

    // The sort's own order of rows low..high by the cells of col.
    std::vector<int> SortPermutation(CGridCtrl::GridCompareFunc compare, int col, bool ascending, int low, int high)
    {
        std::vector<int> order;
        for (int r = low; r <= high; ++r)
            order.push_back(r);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int r = compare(m_grid.GetCell(a, col), m_grid.GetCell(b, col), 0);
            return ascending ? r < 0 : r > 0;
        });
        return order;   // order[i]: the row that goes to low + i
    }
    void ApplyOrder(int low, const std::vector<int>& order)
    {
        // Parents of tree rows before, by id, for the check after the sort.
        m_parentsBefore = TreeParents();
        std::vector<int> ids(m_rows);
        for (size_t i = 0; i < order.size(); ++i)
            m_rows[static_cast<size_t>(low) + i] = ids[static_cast<size_t>(order[i])];
        // Trees and the body keep their places: their rows are whatever stands there now.
        for (Tree& t : m_trees) {
            const int start = IndexOf(ids, t.rids.front());
            t.rids.assign(m_rows.begin() + start, m_rows.begin() + start + static_cast<int>(t.rids.size()));
        }
        if (!m_bodyRows.empty()) {
            const int start = IndexOf(ids, m_bodyRows.front());
            m_bodyRows.assign(m_rows.begin() + start, m_rows.begin() + start + static_cast<int>(m_bodyRows.size()));
        }
        // So do the header bind's fields: a sort moves data, not the template.
        for (Field& f : m_fields)
            f.at.first = m_rows[static_cast<size_t>(IndexOf(ids, f.at.first))];
        m_checkParents = true;
    }
    std::map<int, int> TreeParents() const
    {
        std::map<int, int> parents;
        for (const Tree& t : m_trees) {
            std::vector<int> lastAt;
            for (int id : t.rids) {
                const int level = std::max(1, m_levels.count(id) ? m_levels.at(id) : 1);
                parents[id] = level >= 2 && static_cast<size_t>(level - 1) <= lastAt.size()
                                  ? lastAt[static_cast<size_t>(level - 2)]
                                  : -1;
                lastAt.resize(static_cast<size_t>(level));
                lastAt[static_cast<size_t>(level - 1)] = id;
            }
        }
        return parents;
    }

    // Takes the trees as the grid has them (after a change the model does not
    // follow in detail: a row moved within a tree).
    void ResyncTrees()
    {
        for (Tree& t : m_trees) {
            const int col = ColOf(t.cid);
            CTreeColumn* tree = nullptr;
            for (int id : t.rids) {
                if (tree == nullptr && col >= 0 && RowOf(id) >= 0)
                    tree = m_grid.FindColumnControlTree(RowOf(id), col);
            }
            if (tree == nullptr)
                continue;
            t.rids.assign(m_rows.begin() + tree->GetStartRow(), m_rows.begin() + tree->GetEndRow());
            for (int r = tree->GetStartRow(); r < tree->GetEndRow(); ++r)
                m_levels[m_rows[static_cast<size_t>(r)]] = tree->GetLevel(r);
        }
    }

    // --- the steps ------------------------------------------------------------------------
    void Log(const std::string& what) { m_log += "  " + what + "\n"; }

    void Step()
    {
        const int rows = Rows();
        const int cols = Cols();
        m_checkParents = false;
        switch (m_src.Pick(24)) {
        case 0: {
            const int at = 1 + m_src.Pick(rows);
            Log("InsertRow at " + std::to_string(at));
            if (m_grid.InsertRow("", at) == at)
                InsertIds(true, at, 1);
            break;
        }
        case 1: {
            const int row = m_src.Pick(rows + 1);
            const int count = 1 + m_src.Pick(3);
            const bool after = m_src.Pick(2) != 0;
            Log("InsertRows(" + std::to_string(row) + "," + std::to_string(count) + "," + std::to_string(after) + ")");
            if (m_grid.InsertRows(row, count, after ? TRUE : FALSE))
                InsertIds(true, row >= rows ? rows : (after ? row + 1 : row), count);
            break;
        }
        case 2:
        case 3: {
            if (rows <= 5)
                break;
            const int row = 1 + m_src.Pick(rows - 1);
            const int count = m_src.Pick(2) == 0 ? 1 : std::min(1 + m_src.Pick(3), rows - row);
            Log((count == 1 ? "DeleteRow " : "DeleteRows ") + Where(row, count));
            const bool done = count == 1 ? m_grid.DeleteRow(row) != FALSE : m_grid.DeleteRows(row, count) == count;
            if (done)
                DeleteIds(true, row, count);
            break;
        }
        case 4: {
            const int at = 1 + m_src.Pick(cols);
            Log("InsertColumn at " + std::to_string(at));
            if (m_grid.InsertColumn("", 0, at) == at)
                InsertIds(false, at, 1);
            break;
        }
        case 5: {
            const int col = 1 + m_src.Pick(cols);
            const int count = 1 + m_src.Pick(2);
            const bool right = m_src.Pick(2) != 0;
            Log("InsertColumns(" + std::to_string(col) + "," + std::to_string(count) + "," + std::to_string(right) + ")");
            if (m_grid.InsertColumns(col, count, right ? TRUE : FALSE))
                InsertIds(false, col >= cols ? cols : (right ? col + 1 : col), count);
            break;
        }
        case 6: {
            if (cols <= 4)
                break;
            const int col = 1 + m_src.Pick(cols - 1);
            const int count = m_src.Pick(2) == 0 ? 1 : std::min(2, cols - col);
            Log((count == 1 ? "DeleteColumn " : "DeleteColumns ") + Where(col, count));
            const bool done = count == 1 ? m_grid.DeleteColumn(col) != FALSE : m_grid.DeleteColumns(col, count) == count;
            if (done)
                DeleteIds(false, col, count);
            break;
        }
        case 7:
        case 8: {
            const int col = 1 + m_src.Pick(cols - 1);
            const bool ascending = m_src.Pick(2) != 0;
            bool numeric = false;
            const int type = m_grid.FindColumnSortType(col);
            if (type >= 0) {
                numeric = m_grid.GetColumnSortTypes()[static_cast<size_t>(type)].bNumeric != FALSE;
            } else {
                CGridCellBase* first = m_grid.GetCell(1, col);
                numeric = first != nullptr && first->IsNumber();
            }
            CGridCtrl::GridCompareFunc compare = numeric ? CGridCtrl::CompareCellsNumeric : CGridCtrl::CompareCellsText;
            const std::vector<int> order = SortPermutation(compare, col, ascending, 1, rows - 1);
            Log("SortColumn(" + std::to_string(col) + "," + std::to_string(ascending) + ")");
            if (m_grid.SortColumn(col, ascending ? TRUE : FALSE))
                ApplyOrder(1, order);
            break;
        }
        case 9: {
            const int col = 1 + m_src.Pick(cols - 1);
            const int low = 1 + m_src.Pick(rows - 1);
            const int high = std::min(rows - 1, low + 1 + m_src.Pick(5));
            const bool ascending = m_src.Pick(2) != 0;
            const bool numeric = m_src.Pick(2) != 0;
            CGridCtrl::GridCompareFunc compare = numeric ? CGridCtrl::CompareCellsNumeric : CGridCtrl::CompareCellsText;
            if (low >= high)
                break;
            const std::vector<int> order = SortPermutation(compare, col, ascending, low, high);
            Log("SortRowRange(" + std::string(numeric ? "numeric," : "text,") + std::to_string(col) + "," +
                std::to_string(ascending) + "," + std::to_string(low) + "," + std::to_string(high) + ")");
            if (m_grid.SortRowRange(compare, col, ascending ? TRUE : FALSE, 0, low, high))
                ApplyOrder(low, order);
            break;
        }
        case 10: {
            const int from = 1 + m_src.Pick(rows - 1);
            const int to = 1 + m_src.Pick(rows - 1);
            Log("MoveRow(" + std::to_string(from) + "," + std::to_string(to) + ")");
            const bool inTree = TreeAtRow(m_rows[static_cast<size_t>(from)]) != nullptr ||
                                TreeAtRow(m_rows[static_cast<size_t>(to)]) != nullptr ||
                                (to + 1 < rows && TreeAtRow(m_rows[static_cast<size_t>(to + 1)]) != nullptr);
            if (m_grid.MoveRow(from, to)) {
                MoveId(true, from, to);
                if (inTree) {
                    ResyncTrees();
                    // The moved row's cells are copies of what it held.
                    const int at = from < to ? to : to + 1;
                    for (int c = 1; c < cols; ++c) {
                        const Cell cell(m_rows[static_cast<size_t>(at)], m_cols[static_cast<size_t>(c)]);
                        const std::string text = TextAt(at, c);
                        if (!IsFormulaCell(cell))
                            text.empty() ? static_cast<void>(m_texts.erase(cell)) : static_cast<void>(m_texts[cell] = text);
                    }
                }
            }
            break;
        }
        case 11: {
            const int from = 1 + m_src.Pick(cols - 1);
            const int to = 1 + m_src.Pick(cols - 1);
            Log("MoveColumn(" + std::to_string(from) + "," + std::to_string(to) + ")");
            if (m_grid.MoveColumn(from, to))
                MoveId(false, from, to);
            break;
        }
        case 12:
        case 13:
            Merge();
            break;
        case 14:
            Unmerge();
            break;
        case 15:
            Hide();
            break;
        case 16: {
            const int count = std::max(6, rows + m_src.Pick(7) - 3);
            Log("SetRowCount(" + std::to_string(count) + ")");
            if (m_grid.SetRowCount(count)) {
                if (count > rows)
                    InsertIds(true, rows, count - rows);
                else if (count < rows)
                    DeleteIds(true, count, rows - count);
            }
            break;
        }
        case 17: {
            const int count = std::max(5, cols + m_src.Pick(5) - 2);
            Log("SetColumnCount(" + std::to_string(count) + ")");
            if (m_grid.SetColumnCount(count)) {
                if (count > cols)
                    InsertIds(false, cols, count - cols);
                else if (count < cols)
                    DeleteIds(false, count, cols - count);
            }
            break;
        }
        case 18:
            AddTree();
            break;
        case 19:
            Fold();
            break;
        case 20:
            DeleteTree();
            break;
        case 21:
            AddField();
            break;
        case 22:
            SetFormula();
            break;
        default:
            AddId();
            break;
        }
        Normalise();
    }

    void MoveId(bool bRows, int from, int to)
    {
        std::vector<int>& ids = bRows ? m_rows : m_cols;
        const int id = ids[static_cast<size_t>(from)];
        ids.erase(ids.begin() + from);
        ids.insert(ids.begin() + (from < to ? to : to + 1), id);
        // The body's rows are a run: a row moved away leaves it, one moved
        // into it joins it.
        if (bRows) {
            const int at = IndexOf(m_bodyRows, id);
            if (at >= 0)
                m_bodyRows.erase(m_bodyRows.begin() + at);
        }
    }

    void Merge()
    {
        const int rows = Rows();
        const int cols = Cols();
        const int r1 = 1 + m_src.Pick(rows - 1);
        const int c1 = 1 + m_src.Pick(cols - 1);
        const int r2 = std::min(rows - 1, r1 + m_src.Pick(3));
        const int c2 = std::min(cols - 1, c1 + m_src.Pick(2));
        if (r1 == r2 && c1 == c2)
            return;
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c)
                if (!IsPlain(Cell(m_rows[static_cast<size_t>(r)], m_cols[static_cast<size_t>(c)])))
                    return;
        Log("MergeCells" + Where(r1, c1) + Where(r2, c2));
        m_grid.MergeCells(r1, c1, r2, c2);
        Block b;
        b.rids.assign(m_rows.begin() + r1, m_rows.begin() + r2 + 1);
        b.cids.assign(m_cols.begin() + c1, m_cols.begin() + c2 + 1);
        m_blocks.push_back(b);
    }

    void Unmerge()
    {
        if (m_blocks.empty())
            return;
        const size_t i = static_cast<size_t>(m_src.Pick(static_cast<int>(m_blocks.size())));
        const Block b = m_blocks[i];
        const int r1 = RowOf(b.rids.front());
        const int c1 = ColOf(b.cids.front());
        const int r2 = RowOf(b.rids.back());
        const int c2 = ColOf(b.cids.back());
        Log("UnMergeCells" + Where(r1, c1) + Where(r2, c2));
        m_grid.UnMergeCells(r1, c1, r2, c2);
        for (int rid : b.rids)
            for (int cid : b.cids)
                if (!(rid == b.rids.front() && cid == b.cids.front()))
                    m_texts.erase(Cell(rid, cid));
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(i));
    }

    void Hide()
    {
        const bool bRows = m_src.Pick(2) != 0;
        const int line = 1 + m_src.Pick((bRows ? Rows() : Cols()) - 1);
        const int id = bRows ? m_rows[static_cast<size_t>(line)] : m_cols[static_cast<size_t>(line)];
        if (bRows && TreeAtRow(id) != nullptr)
            return;                                   // trees fold their own rows
        std::set<int>& hidden = bRows ? m_hiddenRows : m_hiddenCols;
        const bool hide = hidden.count(id) == 0;
        Log(std::string(bRows ? "SetRowHide" : "SetColumnHide") + Where(line, hide));
        const BOOL done = bRows ? m_grid.SetRowHide(line, hide ? TRUE : FALSE)
                                : m_grid.SetColumnHide(line, hide ? TRUE : FALSE);
        if (done) {
            if (hide)
                hidden.insert(id);
            else
                hidden.erase(id);
        }
    }

    void AddTree()
    {
        const int rows = Rows();
        const int row = 1 + m_src.Pick(rows - 1);
        const int col = 1 + m_src.Pick(Cols() - 1);
        const char* const shapes[] = {"1,2,2,3", "1,2,3,2,2", "1,2", "1,2,2,2"};
        std::string levels = shapes[m_src.Pick(4)];
        const int count = static_cast<int>(std::count(levels.begin(), levels.end(), ',')) + 1;
        if (row + count > rows)
            return;
        for (int r = row; r < row + count; ++r) {
            const Cell cell(m_rows[static_cast<size_t>(r)], m_cols[static_cast<size_t>(col)]);
            if (!IsPlain(cell) || TreeAtRow(cell.first) != nullptr || m_hiddenRows.count(cell.first) != 0)
                return;
        }
        Log("tree " + levels + " at" + Where(row, col));
        CTreeColumn* tree = m_grid.AddTree(row, col);
        if (tree == nullptr)
            return;
        tree->SetControl(("<control treerow = \"" + levels + "\" ></control>").c_str());
        Tree t;
        t.cid = m_cols[static_cast<size_t>(col)];
        t.rids.assign(m_rows.begin() + tree->GetStartRow(), m_rows.begin() + tree->GetEndRow());
        for (int r = tree->GetStartRow(); r < tree->GetEndRow(); ++r)
            m_levels[m_rows[static_cast<size_t>(r)]] = tree->GetLevel(r);
        m_trees.push_back(t);
    }

    void Fold()
    {
        if (m_trees.empty())
            return;
        const Tree& t = m_trees[static_cast<size_t>(m_src.Pick(static_cast<int>(m_trees.size())))];
        const int row = RowOf(t.rids[static_cast<size_t>(m_src.Pick(static_cast<int>(t.rids.size())))]);
        CTreeColumn* tree = m_grid.FindColumnControlTree(row, ColOf(t.cid));
        if (tree == nullptr)
            return;
        const int how = m_src.Pick(3);
        Log(std::string(how == 0 ? "Collapse" : how == 1 ? "Expand" : "ExpandSubtree") + " " + std::to_string(row));
        if (how == 0)
            tree->Collapse(row);
        else if (how == 1)
            tree->Expand(row);
        else
            tree->ExpandSubtree(row);
        tree->ApplyRowVisibility();
    }

    void DeleteTree()
    {
        if (m_trees.empty())
            return;
        const size_t i = static_cast<size_t>(m_src.Pick(static_cast<int>(m_trees.size())));
        const Tree t = m_trees[i];
        const int row = RowOf(t.rids.front());
        const int col = ColOf(t.cid);
        Log("DeleteColumnControlTree" + Where(row, col));
        if (!m_grid.DeleteColumnControlTree(row, col))
            return;
        m_trees.erase(m_trees.begin() + static_cast<std::ptrdiff_t>(i));
        for (int rid : t.rids) {
            const int r = RowOf(rid);
            const std::string text = TextAt(r, col);
            if (text.empty())
                m_texts.erase(Cell(rid, t.cid));
            else
                m_texts[Cell(rid, t.cid)] = text;
        }
    }

    void AddField()
    {
        const int r = 1 + m_src.Pick(Rows() - 1);
        const int c = 1 + m_src.Pick(Cols() - 1);
        CBindInfo* head = m_grid.GetBindList().GetBind("head");
        if (head == nullptr)
            return;
        Field f;
        f.name = "f" + std::to_string(m_nextId++);
        f.at = Cell(m_rows[static_cast<size_t>(r)], m_cols[static_cast<size_t>(c)]);
        CBindFieldInfo info;
        info.SetFieldName(f.name.c_str());
        info.nRow = r;
        info.nCol = c;
        head->GetFieldList().AddField(info);
        Log("field " + f.name + " at" + Where(r, c));
        m_fields.push_back(f);
    }

    void SetFormula()
    {
        const int rows = Rows();
        const int cols = Cols();
        // One choice per statement: every compiler takes them in this order.
        const int atRow = 1 + m_src.Pick(rows - 1);
        const int atCol = 1 + m_src.Pick(cols - 1);
        const int refRow = 1 + m_src.Pick(rows - 1);
        const int refCol = 1 + m_src.Pick(cols - 1);
        const Cell at(m_rows[static_cast<size_t>(atRow)], m_cols[static_cast<size_t>(atCol)]);
        const Cell ref(m_rows[static_cast<size_t>(refRow)], m_cols[static_cast<size_t>(refCol)]);
        if (at == ref || !IsPlain(at) || IsFormulaCell(ref))
            return;
        const int r = RowOf(at.first);
        const int c = ColOf(at.second);
        const std::string text = "=" + Name(RowOf(ref.first), ColOf(ref.second)) + "+0";
        Log("SetCellFormula" + Where(r, c) + " " + text);
        if (!m_grid.SetCellFormula(r, c, text.c_str()) || m_grid.GetCellFormula(r, c).Str() != text)
            return;
        m_texts.erase(at);
        m_formulas.push_back({at, ref});
    }

    void AddId()
    {
        const int r = 1 + m_src.Pick(Rows() - 1);
        const int c = 1 + m_src.Pick(Cols() - 1);
        const std::string name = "n_" + std::to_string(m_nextId++);
        Log("SetCellId" + Where(r, c) + " " + name);
        if (m_grid.SetCellId(r, c, name.c_str())) {
            const Cell cell(m_rows[static_cast<size_t>(r)], m_cols[static_cast<size_t>(c)]);
            for (auto it = m_ids.begin(); it != m_ids.end();) {
                if (it->second == cell)
                    it = m_ids.erase(it);     // a cell has one name
                else
                    ++it;
            }
            m_ids[name] = cell;
        }
    }

    // --- the invariants -----------------------------------------------------------------
    std::string Check()
    {
        CGridCtrl& g = m_grid;
        if (g.GetRowCount() != Rows() || g.GetColumnCount() != Cols())
            return "the sheet has " + std::to_string(g.GetRowCount()) + "x" + std::to_string(g.GetColumnCount()) +
                   ", the model " + std::to_string(Rows()) + "x" + std::to_string(Cols());
        std::string broken;
        if (!(broken = CheckTrees()).empty() || !(broken = CheckBlocks()).empty() ||
            !(broken = CheckTexts()).empty() || !(broken = CheckFormulas()).empty() ||
            !(broken = CheckBinds()).empty() || !(broken = CheckIds()).empty() || !(broken = CheckHidden()).empty())
            return broken;
        return std::string();
    }

    std::string CheckTexts()
    {
        for (int r = 1; r < Rows(); ++r) {
            for (int c = 1; c < Cols(); ++c) {
                const Cell cell(m_rows[static_cast<size_t>(r)], m_cols[static_cast<size_t>(c)]);
                if (IsFormulaCell(cell) || IsTreeCell(cell))
                    continue;
                auto it = m_texts.find(cell);
                const std::string expected = it != m_texts.end() ? it->second : "";
                const std::string actual = TextAt(r, c);
                if (actual != expected)
                    return "text at" + Where(r, c) + " is \"" + actual + "\", expected \"" + expected + "\"";
            }
        }
        return std::string();
    }

    std::string CheckBlocks()
    {
        int cells = 0;
        std::set<std::pair<int, int>> owners;
        for (const Block& b : m_blocks) {
            const int r1 = RowOf(b.rids.front());
            const int c1 = ColOf(b.cids.front());
            const CGridCellRange range(r1, c1, RowOf(b.rids.back()), ColOf(b.cids.back()));
            owners.insert(std::make_pair(r1, c1));
            for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r) {
                for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
                    CGridCellBase* cell = m_grid.GetCell(r, c);
                    const bool owner = r == r1 && c == c1;
                    if (cell == nullptr || !(cell->GetMergeRange() == range) ||
                        !(cell->GetMergeOwner() == CGridCellPos(r1, c1)) || (cell->IsMergeOwnerCell() != FALSE) != owner)
                        return "block" + Where(r1, c1) + Where(range.GetMaxRow(), range.GetMaxCol()) +
                               " wrong at" + Where(r, c);
                    ++cells;
                }
            }
        }
        int merged = 0;
        for (int r = 0; r < Rows(); ++r)
            for (int c = 0; c < Cols(); ++c)
                if (m_grid.GetCell(r, c) != nullptr && m_grid.GetCell(r, c)->GetMergeRange().IsValid())
                    ++merged;
        if (merged != cells)
            return std::to_string(merged) + " cells claim a block, the blocks have " + std::to_string(cells);
        std::set<std::pair<int, int>> listed;
        for (const CGridCellPos& pos : m_grid.GetMergeOwners())
            listed.insert(std::make_pair(pos.row, pos.col));
        if (listed != owners)
            return "the owner list has " + std::to_string(listed.size()) + " entries for " +
                   std::to_string(owners.size()) + " blocks";
        return std::string();
    }

    std::string CheckTrees()
    {
        if (m_grid.GetTreeCount() != static_cast<int>(m_trees.size()))
            return std::to_string(m_grid.GetTreeCount()) + " trees, the model " + std::to_string(m_trees.size());
        const std::map<int, int> parents = TreeParents();
        for (const Tree& t : m_trees) {
            const int start = RowOf(t.rids.front());
            const int col = ColOf(t.cid);
            CTreeColumn* tree = m_grid.FindColumnControlTree(start, col);
            if (tree == nullptr || tree->GetStartRow() != start ||
                tree->GetRowCount() != static_cast<int>(t.rids.size()))
                return "tree" + Where(start, col) + " is not where its rows are";
            if (tree->GetEndRow() > Rows())
                return "tree" + Where(start, col) + " reaches past the sheet";
            int previous = 0;
            for (size_t i = 0; i < t.rids.size(); ++i) {
                const int row = start + static_cast<int>(i);
                const int level = tree->GetLevel(row);
                if (level < 1 || level > previous + 1 || (i == 0 && level != 1))
                    return "tree" + Where(start, col) + " has level " + std::to_string(level) + " at row " +
                           std::to_string(row);
                previous = level;
                if (level != m_levels[t.rids[i]])
                    return "row " + std::to_string(row) + " of tree" + Where(start, col) + " has level " +
                           std::to_string(level) + ", its row had " + std::to_string(m_levels[t.rids[i]]);
                CGridCellBase* cell = m_grid.GetCell(row, col);
                if (cell == nullptr || !cell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)))
                    return "cell" + Where(row, col) + " of a tree is no tree cell";
                if (m_checkParents) {
                    auto before = m_parentsBefore.find(t.rids[i]);
                    if (before != m_parentsBefore.end() && before->second != parents.at(t.rids[i]))
                        return "a sort moved row " + std::to_string(row) + " under another parent";
                }
            }
        }
        return std::string();
    }

    std::string CheckFormulas()
    {
        for (const Formula& f : m_formulas) {
            if (!Alive(f.at))
                continue;
            const int r = RowOf(f.at.first);
            const int c = ColOf(f.at.second);
            const std::string expected = Alive(f.ref) ? "=" + Name(RowOf(f.ref.first), ColOf(f.ref.second)) + "+0"
                                                      : std::string("=") + FORMULA_MSG_INVALID_REFERENCE + "+0";
            const std::string actual = m_grid.GetCellFormula(r, c).Str();
            if (actual != expected)
                return "formula at" + Where(r, c) + " is \"" + actual + "\", expected \"" + expected + "\"";
        }
        return std::string();
    }

    std::string CheckBinds()
    {
        CBindInfo* head = m_grid.GetBindList().GetBind("head");
        CBindInfo* body = m_grid.GetBindList().GetBind("body");
        if (head == nullptr || body == nullptr)
            return "a bind is gone";
        const CBindFieldInfoList& list = head->GetFieldList();
        if (list.GetCount() != static_cast<int>(m_fields.size()))
            return "the header bind has " + std::to_string(list.GetCount()) + " fields, the model " +
                   std::to_string(m_fields.size());
        for (int i = 0; i < list.GetCount(); ++i) {
            const CBindFieldInfo* info = list.GetFieldPtr(i);
            const Field& f = m_fields[static_cast<size_t>(i)];
            if (std::string(info->strFieldName) != f.name || info->nRow != RowOf(f.at.first) ||
                info->nCol != ColOf(f.at.second))
                return "field " + f.name + " names" + Where(info->nRow, info->nCol) + ", its cell is at" +
                       Where(RowOf(f.at.first), ColOf(f.at.second));
            if (info->nRow >= Rows() || info->nCol >= Cols())
                return "field " + f.name + " lies outside the sheet";
        }
        const CBindFieldInfoList& bodyFields = body->GetFieldList();
        if (bodyFields.GetCount() != (m_bodyField >= 0 ? 1 : 0) ||
            (m_bodyField >= 0 && bodyFields.GetFieldPtr(0)->nCol != ColOf(m_bodyField)))
            return "the body's field does not follow its column";
        const int count = static_cast<int>(m_bodyRows.size());
        if (body->GetFillCount() != count)
            return "the body's fill covers " + std::to_string(body->GetFillCount()) + " rows, its rows are " +
                   std::to_string(count);
        if (count > 0 && body->nFillStartRow != RowOf(m_bodyRows.front()))
            return "the body starts at row " + std::to_string(body->nFillStartRow) + ", its rows at " +
                   std::to_string(RowOf(m_bodyRows.front()));
        if (count > 0 && body->nFillStartRow + count > Rows())
            return "the body reaches past the sheet";
        return std::string();
    }

    std::string CheckIds()
    {
        for (const auto& entry : m_ids) {
            int r = -1;
            int c = -1;
            const BOOL found = m_grid.FindCellById(entry.first.c_str(), r, c);
            if (!Alive(entry.second)) {
                if (found)
                    return "id " + entry.first + " of a deleted cell still resolves";
                continue;
            }
            if (!found || r != RowOf(entry.second.first) || c != ColOf(entry.second.second))
                return "id " + entry.first + " resolves to" + Where(r, c) + ", its cell is at" +
                       Where(RowOf(entry.second.first), ColOf(entry.second.second));
        }
        std::set<std::string> names;
        for (int r = 0; r < Rows(); ++r) {
            for (int c = 0; c < Cols(); ++c) {
                const std::string name = m_grid.GetCellId(r, c).Str();
                if (!name.empty() && !names.insert(name).second)
                    return "id " + name + " names two cells";
            }
        }
        return std::string();
    }

    std::string CheckHidden()
    {
        for (int id : m_hiddenRows)
            if (RowOf(id) >= 0 && !m_grid.IsRowHide(RowOf(id)))
                return "hidden row " + std::to_string(RowOf(id)) + " shows";
        for (int id : m_hiddenCols)
            if (ColOf(id) >= 0 && !m_grid.IsColumnHide(ColOf(id)))
                return "hidden column " + std::to_string(ColOf(id)) + " shows";
        return std::string();
    }

    Source& m_src;
    CGridCtrl m_grid;
    std::vector<int> m_rows;
    std::vector<int> m_cols;
    int m_nextId = 1;
    std::map<Cell, std::string> m_texts;
    std::vector<Block> m_blocks;
    std::vector<Formula> m_formulas;
    std::vector<Field> m_fields;
    std::vector<Tree> m_trees;
    std::map<int, int> m_levels;          // tree rows' levels, by row id
    std::map<int, int> m_parentsBefore;
    bool m_checkParents = false;
    std::vector<int> m_bodyRows;
    int m_bodyField = -1;
    std::map<std::string, Cell> m_ids;
    std::set<int> m_hiddenRows;
    std::set<int> m_hiddenCols;
    std::string m_log;
};

}  // namespace structuremodel
