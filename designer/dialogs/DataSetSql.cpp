#include "designer/dialogs/DataSetSql.h"

#include <algorithm>

CString BuildDataSetSql(const std::vector<CString>& chosen, const CString& table, const CString& condition)
{
    CString columns;
    for (size_t i = 0; i < chosen.size(); ++i) {
        if (i > 0)
            columns += " , ";
        columns += "[" + chosen[i] + "]";
    }
    CString sql = columns;
    if (!columns.IsEmpty() && !table.IsEmpty())
        sql = "Select " + columns + " from [" + table + "]";
    if (sql.IsEmpty())
        return condition;
    return sql + " " + condition;
}

void CColumnPicker::Move(std::vector<CString>& from, std::vector<CString>& to, const std::vector<int>& selected)
{
    std::vector<bool> take(from.size(), false);
    for (int i : selected)
        if (i >= 0 && static_cast<size_t>(i) < from.size())
            take[static_cast<size_t>(i)] = true;
    std::vector<CString> kept;
    for (size_t i = 0; i < from.size(); ++i) {
        if (take[i])
            to.push_back(from[i]);
        else
            kept.push_back(from[i]);
    }
    from = std::move(kept);
}

void CColumnPicker::MoveAll(std::vector<CString>& from, std::vector<CString>& to)
{
    to.insert(to.end(), from.begin(), from.end());
    from.clear();
}

int CColumnPicker::MoveTo(int focus, int target)
{
    if (focus < 0 || static_cast<size_t>(focus) >= chosen.size())
        return -1;
    CString item = chosen[static_cast<size_t>(focus)];
    chosen.erase(chosen.begin() + focus);
    target = std::max(0, std::min(target, static_cast<int>(chosen.size())));
    chosen.insert(chosen.begin() + target, item);
    return target;
}

int CColumnPicker::ToTop(int focus) { return MoveTo(focus, 0); }

int CColumnPicker::Up(int focus)
{
    if (focus == 0)
        return 0;
    return MoveTo(focus, focus - 1);
}

int CColumnPicker::Down(int focus)
{
    if (focus >= 0 && static_cast<size_t>(focus) + 1 == chosen.size())
        return focus;
    return MoveTo(focus, focus + 1);
}

int CColumnPicker::ToBottom(int focus) { return MoveTo(focus, static_cast<int>(chosen.size())); }
