#include "grid/GridCellTypes.h"

namespace {

const char* const kTypeWords[GCT_COUNT] = {"edit",    "combobox", "checkbox", "combocheck", "datetime",
                                           "numeric", "button",   "tree",     "radio",      "url",
                                           "superedit", "formula", "image"};

const char* const kTypeClassNames[GCT_COUNT] = {
    "CGridCell",        "CGridCellCombo",  "CGridCellCheck", "CGridCellCheckCombo", "CGridCellDateTime",
    "CGridCellNumeric", "CGridCellButton", "CGridTreeCell",  nullptr,               "CGridURLCell",
    "CGridCellSuperEdit", "CGridCellFormula", "CGridCellImage"};

}  // namespace

LPCTSTR GetCellTypeWord(int nType)
{
    return nType >= 0 && nType < GCT_COUNT ? kTypeWords[nType] : nullptr;
}

LPCTSTR GetCellTypeClassName(int nType)
{
    return nType >= 0 && nType < GCT_COUNT ? kTypeClassNames[nType] : nullptr;
}
