// Fuzzes a row tree on a small grid with arbitrary attribute texts, commands,
// queries and structure edits.
//
// The input is lines; the first byte of a line picks the step and the rest is
// its text: a whole attribute text, a command or attribute "name=value", a
// query, a deleted attribute, or a structure edit whose row and number come
// from the text. After every step each tree must lie inside the grid, no two
// trees may share a row, and the attribute text must read back into the same
// tree. Nothing may crash, hang or leak.
#include "base/NumberText.h"
#include "grid/GridCtrl.h"
#include "grid/TreeColumn.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void CheckTrees(CGridCtrl& grid)
{
    for (int i = 0; i < grid.GetTreeCount(); ++i) {
        CTreeColumn* tree = grid.GetTreeAt(i);
        if (tree->GetStartRow() < 0 || tree->GetEndRow() > grid.GetRowCount() || tree->GetTreeColumn() < 0 ||
            tree->GetTreeColumn() >= grid.GetColumnCount() || tree->GetRowCount() < 1)
            std::abort();
        for (int j = i + 1; j < grid.GetTreeCount(); ++j) {
            CTreeColumn* other = grid.GetTreeAt(j);
            if (tree->GetStartRow() < other->GetEndRow() && other->GetStartRow() < tree->GetEndRow())
                std::abort();
        }
    }
}

void Step(CGridCtrl& grid, char op, const std::string& text)
{
    CTreeColumn* tree = grid.GetTreeCount() > 0 ? grid.GetTreeAt(0) : nullptr;
    const int a = AToI(text.c_str());
    const size_t comma = text.find(',');
    const int b = comma == std::string::npos ? 0 : AToI(text.c_str() + comma + 1);
    const size_t eq = text.find('=');
    const std::string name = eq == std::string::npos ? text : text.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    switch (op % 16) {
    case 0: grid.SetColumnControlTree(1, 1, text.c_str()); break;
    case 1: grid.AddTree(a, b); break;
    case 2: if (tree) tree->SetControl(text.c_str()); break;
    case 3: if (tree) tree->SetControlProperty(name.c_str(), value.c_str()); break;
    case 4: if (tree) tree->GetControlProperty(text.c_str()); break;
    case 5: if (tree) tree->DelControlProperty(text.c_str()); break;
    case 6: if (tree) tree->AddChild(a); break;
    case 7: if (tree) tree->InsertChild(a, b, (a & 1) != 0); break;
    case 8: if (tree) tree->DeleteChild(a, b); break;
    case 9: if (tree) { tree->MoveNodeUp(a); tree->MoveNodeDown(b); } break;
    case 10: if (tree) { tree->UpLevel(a); tree->DownLevel(b); } break;
    case 11: if (tree) { tree->ToggleNode(a); tree->Collapse(b); tree->ApplyRowVisibility(); } break;
    case 12: if (tree) { tree->SumChildrenInColumn(a, b); tree->AverageChildren(a); } break;
    case 13: grid.InsertRows(a % 64, 1 + (b & 3)); break;
    case 14: grid.DeleteRows(a % 64, 1 + (b & 3)); break;
    default:
        if ((a & 1) != 0)
            grid.InsertColumns(1 + (b & 3), 1);
        else
            grid.DeleteColumns(1 + (b & 3), 1);
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CGridCtrl grid(10, 5, 1, 1);
    grid.AddTree(1, 1);
    size_t from = 0;
    int steps = 0;
    while (from < size && steps < 64) {
        size_t end = from;
        while (end < size && data[end] != '\n')
            ++end;
        if (end > from) {
            const std::string text(reinterpret_cast<const char*>(data) + from + 1, end - from - 1);
            Step(grid, static_cast<char>(data[from]), text);
            CheckTrees(grid);
            ++steps;
        }
        from = end + 1;
    }
    // Every tree reads its own text back into the same tree (a text names
    // rows and columns from 1: values below read as the fixed counts).
    for (int i = 0; i < grid.GetTreeCount(); ++i) {
        CTreeColumn* tree = grid.GetTreeAt(i);
        if (tree->GetStartRow() < 1 || tree->GetTreeColumn() < 1)
            continue;
        const CString text = tree->GetAttributeText();
        if (!tree->SetControl(text) || tree->GetAttributeText() != text)
            std::abort();
    }
    return 0;
}
