// Recalculation in dependency order and the circular-reference test.
//
// Every recalculation first gathers the formula cells it concerns and the
// "is read by" edges between them (a changed cell's readers and theirs, all
// formulas, or a formula's precedents), then orders them with Tarjan's
// strongly-connected-components method, run on an explicit stack: each cell
// comes after every cell it reads and is evaluated once. Cells on a cycle
// (only a stored form can hold one) show "#公式错误!" and the formula-error
// text names one of them; the cells after them read that text. Nothing here
// recurses along a chain of formulas.
#include "grid/GridCtrl.h"

#include "grid/GridCellFormula.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace {

CGridCellFormula* AsFormulaCell(CGridCellBase* pCell)
{
    return pCell != nullptr && pCell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)) ? static_cast<CGridCellFormula*>(pCell)
                                                                                : nullptr;
}

// The formulas one recalculation concerns: index entry ids, numbered 0..n-1
// here, and for each the ones that read it.
struct FormulaGraph {
    std::vector<int> ids;
    std::vector<std::vector<int>> readers;
    std::unordered_map<int, int> local;

    // The node of an entry, added when new; the bool tells whether it was.
    std::pair<int, bool> Node(int nId)
    {
        auto it = local.find(nId);
        if (it != local.end())
            return {it->second, false};
        const int n = static_cast<int>(ids.size());
        local.emplace(nId, n);
        ids.push_back(nId);
        readers.emplace_back();
        return {n, true};
    }
    int Find(int nId) const
    {
        auto it = local.find(nId);
        return it != local.end() ? it->second : -1;
    }
};

// Orders the nodes so that each comes before the nodes that read it.
// cyclic[n] is set for the nodes that lie on a cycle (a component of more
// than one node, or one that reads itself). Components are found depth first
// from the nodes in their numbering order, with an explicit stack.
void OrderGraph(const FormulaGraph& graph, std::vector<int>& order, std::vector<char>& cyclic)
{
    const int n = static_cast<int>(graph.ids.size());
    std::vector<int> index(static_cast<size_t>(n), -1);
    std::vector<int> low(static_cast<size_t>(n), 0);
    std::vector<char> onStack(static_cast<size_t>(n), 0);
    std::vector<int> stack;
    std::vector<std::pair<int, size_t>> calls;   // node, next reader to visit
    std::vector<int> emitted;                    // components, readers first
    cyclic.assign(static_cast<size_t>(n), 0);
    int nNext = 0;

    for (int root = 0; root < n; ++root) {
        if (index[static_cast<size_t>(root)] >= 0)
            continue;
        auto enter = [&](int v) {
            index[static_cast<size_t>(v)] = low[static_cast<size_t>(v)] = nNext++;
            stack.push_back(v);
            onStack[static_cast<size_t>(v)] = 1;
            calls.emplace_back(v, 0);
        };
        enter(root);
        while (!calls.empty()) {
            const int v = calls.back().first;
            const std::vector<int>& next = graph.readers[static_cast<size_t>(v)];
            if (calls.back().second < next.size()) {
                const int w = next[calls.back().second++];
                if (index[static_cast<size_t>(w)] < 0)
                    enter(w);
                else if (onStack[static_cast<size_t>(w)])
                    low[static_cast<size_t>(v)] = std::min(low[static_cast<size_t>(v)], index[static_cast<size_t>(w)]);
                continue;
            }
            calls.pop_back();
            if (!calls.empty()) {
                const int u = calls.back().first;
                low[static_cast<size_t>(u)] = std::min(low[static_cast<size_t>(u)], low[static_cast<size_t>(v)]);
            }
            if (low[static_cast<size_t>(v)] != index[static_cast<size_t>(v)])
                continue;
            const size_t nStart = emitted.size();
            for (;;) {
                const int w = stack.back();
                stack.pop_back();
                onStack[static_cast<size_t>(w)] = 0;
                emitted.push_back(w);
                if (w == v)
                    break;
            }
            const bool bSelf = std::find(next.begin(), next.end(), v) != next.end();
            if (emitted.size() - nStart > 1 || bSelf) {
                for (size_t i = nStart; i < emitted.size(); ++i)
                    cyclic[static_cast<size_t>(emitted[i])] = 1;
            }
        }
    }
    // A component is emitted after the components that read it.
    order.assign(emitted.rbegin(), emitted.rend());
}

// The graph's formula ids in evaluation order, with their cycle marks.
void OrderedIds(const FormulaGraph& graph, std::vector<int>& ids, std::vector<char>& onCycle)
{
    std::vector<int> order;
    std::vector<char> cyclic;
    OrderGraph(graph, order, cyclic);
    ids.clear();
    onCycle.clear();
    for (int node : order) {
        ids.push_back(graph.ids[static_cast<size_t>(node)]);
        onCycle.push_back(cyclic[static_cast<size_t>(node)]);
    }
}

}  // namespace

int CGridCtrl::EvaluateFormulaOrder(const std::vector<int>& order, const std::vector<char>& cyclic)
{
    // order holds entry ids; cyclic is indexed alike.
    const unsigned long long nEpoch = m_FormulaIndex.GetEpoch();
    const unsigned nStructure = m_nStructureChanges;
    bool bCycleNamed = false;
    int nCount = 0;
    m_bInFormulaPass = TRUE;
    for (size_t i = 0; i < order.size(); ++i) {
        // A host's user function may have changed the grid: what is left of
        // the order may name other cells now.
        if (m_FormulaIndex.GetEpoch() != nEpoch || m_nStructureChanges != nStructure)
            break;
        const CGridCellPos pos = m_FormulaIndex.At(order[i]).pos;
        if (cyclic[i]) {
            if (CGridCellFormula* pCell = AsFormulaCell(GetCell(pos.row, pos.col)))
                pCell->ShowFormulaError();
            if (!bCycleNamed) {
                m_strFormulaError.Format("循环引用发生在引用%s%d单元格!",
                                         static_cast<LPCTSTR>(ColumnToLetters(pos.col)), pos.row);
                bCycleNamed = true;
            }
        } else {
            EvaluateFormulaCell(pos.row, pos.col);
        }
        ++nCount;
    }
    m_bInFormulaPass = FALSE;
    return nCount;
}

BOOL CGridCtrl::RecalcDependents(const CGridCellPos& cell)
{
    return RecalcFormulasFrom(std::vector<CGridCellPos>(1, cell), false);
}

BOOL CGridCtrl::RecalcFormulasFrom(const std::vector<CGridCellPos>& changed, bool bWithFormulasThere)
{
    if (m_bVirtualMode || m_input.bFormulaCalcSuspended || m_bInFormulaPass || changed.empty())
        return FALSE;
    UpdateFormulaIndex();
    if (m_FormulaIndex.IsEmpty())
        return FALSE;

    FormulaGraph graph;
    std::vector<int> readers;
    for (int nAttempt = 0; nAttempt < 2; ++nAttempt) {
        graph = FormulaGraph();
        bool bChanged = false;
        // A formula's node, once it is known to hold for its cell.
        auto node = [&](int nId) {
            const int nKnown = graph.Find(nId);
            if (nKnown >= 0)
                return nKnown;
            if (CheckedFormulaCell(nId, &bChanged) == nullptr)
                return -1;
            return graph.Node(nId).first;
        };
        // Every formula that reads a changed cell, and every formula that
        // reads one of those, breadth first.
        auto reach = [&](const CGridCellPos& from, int nFrom) {
            m_FormulaIndex.ReadersOf(from, readers);
            const std::vector<int> found(readers);
            for (int nId : found) {
                const int n = node(nId);
                if (n >= 0 && nFrom >= 0)
                    graph.readers[static_cast<size_t>(nFrom)].push_back(n);
            }
        };
        for (const CGridCellPos& pos : changed) {
            if (bWithFormulasThere) {
                const int nId = m_FormulaIndex.Find(pos);
                if (nId >= 0)
                    node(nId);
            }
            reach(pos, -1);
        }
        for (size_t i = 0; i < graph.ids.size(); ++i)
            reach(m_FormulaIndex.At(graph.ids[i]).pos, static_cast<int>(i));
        if (!bChanged)
            break;
        // A formula changed without telling: the index is built again from
        // the cells and the walk made once more.
        RebuildFormulaIndex();
    }
    if (graph.ids.empty())
        return FALSE;

    std::vector<int> ids;
    std::vector<char> onCycle;
    OrderedIds(graph, ids, onCycle);
    const int nCount = EvaluateFormulaOrder(ids, onCycle);
    if (nCount > 0 && GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
    return nCount > 0;
}

int CGridCtrl::CalcAll()
{
    if (m_bVirtualMode || m_bInFormulaPass)
        return 0;
    UpdateFormulaIndex();
    FormulaGraph graph;
    for (int nAttempt = 0; nAttempt < 2; ++nAttempt) {
        graph = FormulaGraph();
        bool bChanged = false;
        for (int nId : m_FormulaIndex.IdsInOrder()) {
            if (CheckedFormulaCell(nId, &bChanged) != nullptr)
                graph.Node(nId);
        }
        if (!bChanged)
            break;
        RebuildFormulaIndex();
    }
    std::vector<int> precedents;
    for (size_t v = 0; v < graph.ids.size(); ++v) {
        m_FormulaIndex.PrecedentsOf(graph.ids[v], precedents);
        for (int nId : precedents) {
            const int u = graph.Find(nId);
            if (u >= 0)
                graph.readers[static_cast<size_t>(u)].push_back(static_cast<int>(v));
        }
    }
    std::vector<int> ids;
    std::vector<char> onCycle;
    OrderedIds(graph, ids, onCycle);
    const int nCount = EvaluateFormulaOrder(ids, onCycle);
    if (nCount > 0 && GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
    return nCount;
}

BOOL CGridCtrl::CalcCell(int nRow, int nCol)
{
    CGridCellFormula* pCell = m_bVirtualMode ? nullptr : AsFormulaCell(GetCell(nRow, nCol));
    if (pCell == nullptr)
        return FALSE;
    if (m_bInFormulaPass) {
        // Inside a recalculation (a host's user function): the cell alone.
        EvaluateFormulaCell(nRow, nCol);
        return TRUE;
    }
    UpdateFormulaIndex();
    const int nSelf = RegisterFormulaCell(nRow, nCol, pCell);

    // The cell and every formula it reads, directly or through others.
    FormulaGraph graph;
    graph.Node(nSelf);
    std::vector<int> precedents;
    for (size_t v = 0; v < graph.ids.size(); ++v) {
        m_FormulaIndex.PrecedentsOf(graph.ids[v], precedents);
        const std::vector<int> found(precedents);
        for (int nId : found) {
            int u = graph.Find(nId);
            if (u < 0) {
                if (CheckedFormulaCell(nId, nullptr) == nullptr)
                    continue;
                u = graph.Node(nId).first;
            }
            graph.readers[static_cast<size_t>(u)].push_back(static_cast<int>(v));
        }
    }
    std::vector<int> ids;
    std::vector<char> onCycle;
    OrderedIds(graph, ids, onCycle);
    EvaluateFormulaOrder(ids, onCycle);
    return TRUE;
}

CGridCellPos CGridCtrl::FindCircularReference(const CFormulaTokenList& list, int nRow, int nCol)
{
    const CGridCellPos target(nRow, nCol);
    // The formula cells the formula reads, in the order its references
    // name them (a range row by row).
    std::vector<int> direct;
    std::vector<int> inRange;
    for (const CFormulaToken& token : list) {
        const CFormulaOperandObject* pOperand = token.GetOperand();
        if (pOperand == nullptr || IsInvalidFormulaReference(*pOperand))
            continue;
        const FormulaReference& ref = pOperand->ref;
        if (pOperand->nKind == FORMULA_OPERAND_CELL) {
            const int nId = m_FormulaIndex.Find(CGridCellPos(ref.nFirstRow, ref.nFirstColumn));
            if (nId >= 0)
                direct.push_back(nId);
        } else if (pOperand->nKind == FORMULA_OPERAND_RANGE) {
            m_FormulaIndex.FormulasIn(CGridCellRange(std::min(ref.nFirstRow, ref.nLastRow),
                                                     std::min(ref.nFirstColumn, ref.nLastColumn),
                                                     std::max(ref.nFirstRow, ref.nLastRow),
                                                     std::max(ref.nFirstColumn, ref.nLastColumn)),
                                      inRange);
            direct.insert(direct.end(), inRange.begin(), inRange.end());
        }
    }
    if (direct.empty())
        return CGridCellPos();

    // There is a cycle when a formula the new one reads depends on its cell.
    // Two searches run in step, one from the cell along its readers and one
    // from the formulas it reads along what they read; whichever finishes
    // first settles it, so the cost stays that of the smaller side.
    std::unordered_map<int, char> seen;   // 1 reached from the cell, 2 from the formula
    for (int nId : direct)
        seen[nId] |= 4;                     // 4: read by the new formula
    std::vector<int> forward;
    std::vector<int> backward;
    size_t nForward = 0;
    size_t nBackward = 0;
    std::vector<int> found;
    m_FormulaIndex.ReadersOf(target, found);
    bool bCycle = false;
    auto reachForward = [&](int nId) {
        char& mark = seen[nId];
        if ((mark & 1) != 0)
            return;
        mark |= 1;
        if ((mark & 4) != 0)
            bCycle = true;
        forward.push_back(nId);
    };
    for (int nId : found)
        reachForward(nId);
    for (int nId : direct) {
        char& mark = seen[nId];
        if ((mark & 2) == 0) {
            mark |= 2;
            backward.push_back(nId);
        }
    }
    std::vector<int> next;
    while (!bCycle && nForward < forward.size() && nBackward < backward.size()) {
        const int nAhead = forward[nForward++];
        if (CheckedFormulaCell(nAhead, nullptr) != nullptr) {
            m_FormulaIndex.ReadersOf(m_FormulaIndex.At(nAhead).pos, next);
            for (int nId : next)
                reachForward(nId);
        }
        if (bCycle)
            break;
        const int nBack = backward[nBackward++];
        if (CheckedFormulaCell(nBack, nullptr) == nullptr)
            continue;
        if (m_FormulaIndex.Reads(nBack, target)) {
            bCycle = true;
            break;
        }
        m_FormulaIndex.PrecedentsOf(nBack, next);
        for (int nId : next) {
            char& mark = seen[nId];
            if ((mark & 2) == 0) {
                mark |= 2;
                backward.push_back(nId);
            }
        }
    }
    if (!bCycle)
        return CGridCellPos();

    // Which of the formulas it reads closes the cycle: the first, in the
    // order the formula names them, that depends on the cell. Whether a
    // formula depends on it is a property of the formula, so one visited set
    // serves them all and nothing is walked twice.
    std::vector<char> visited(static_cast<size_t>(m_FormulaIndex.GetCapacity()), 0);
    std::vector<int> stack;
    for (int nStart : direct) {
        if (visited[static_cast<size_t>(nStart)])
            continue;
        stack.assign(1, nStart);
        while (!stack.empty()) {
            const int nId = stack.back();
            stack.pop_back();
            if (visited[static_cast<size_t>(nId)])
                continue;
            visited[static_cast<size_t>(nId)] = 1;
            if (!m_FormulaIndex.At(nId).bLive || m_FormulaIndex.At(nId).pos == target)
                continue;
            if (m_FormulaIndex.Reads(nId, target))
                return m_FormulaIndex.At(nStart).pos;
            m_FormulaIndex.PrecedentsOf(nId, next);
            for (int nNext : next) {
                if (!visited[static_cast<size_t>(nNext)])
                    stack.push_back(nNext);
            }
        }
    }
    return CGridCellPos();
}
