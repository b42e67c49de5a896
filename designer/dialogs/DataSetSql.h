// The data-set page's query: the chosen columns of a table, in list order,
// and a condition that is either a tail (a WHERE or ORDER BY clause) or a
// whole statement; and the moves between the available and chosen lists.
#pragma once

#include "base/CString.h"

#include <vector>

// "Select [A] , [B] from [T]" followed by " " and the condition; without a
// table only the bracketed list and the condition; without columns the
// condition alone (possibly empty: the caller refuses an empty query).
CString BuildDataSetSql(const std::vector<CString>& chosen, const CString& table, const CString& condition);

// The two column lists of the data-set page.
class CColumnPicker {
public:
    std::vector<CString> available;
    std::vector<CString> chosen;

    // A table was chosen: its columns become the available list; the chosen
    // list stays as it is.
    void SetAvailable(std::vector<CString> columns) { available = std::move(columns); }
    // Moves the items at the given indices (any order, duplicates and
    // indices out of range ignored) to the end of the other list, in list
    // order.
    void Choose(const std::vector<int>& selected) { Move(available, chosen, selected); }
    void ChooseAll() { MoveAll(available, chosen); }
    void Unchoose(const std::vector<int>& selected) { Move(chosen, available, selected); }
    void UnchooseAll() { MoveAll(chosen, available); }
    // Reordering of the chosen list's focused item; each answers the item's
    // new index (the index itself when nothing moved, -1 when out of range).
    int ToTop(int focus);
    int Up(int focus);
    int Down(int focus);
    int ToBottom(int focus);

private:
    static void Move(std::vector<CString>& from, std::vector<CString>& to, const std::vector<int>& selected);
    static void MoveAll(std::vector<CString>& from, std::vector<CString>& to);
    int MoveTo(int focus, int target);
};
