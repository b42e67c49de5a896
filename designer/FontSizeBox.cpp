#include "designer/FontSizeBox.h"

const std::vector<const char*>& FontSizeBoxEntries()
{
    static const std::vector<const char*> sizes = {"6",  "7",  "8",  "9",  "10", "11", "12", "14", "16",
                                                   "18", "20", "22", "24", "26", "28", "36", "48", "72"};
    return sizes;
}

int FindExactEntry(const std::vector<CString>& entries, const CString& text)
{
    if (text.IsEmpty())
        return -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Compare(text) == 0)
            return static_cast<int>(i);
    return -1;
}
