// The font-size box of the format toolbar (CFontSizeBox) as a model: the
// sizes it lists and the choice of the entry equal to a text.
#pragma once

#include "base/CString.h"

#include <vector>

// "6" to "72", in the order the box lists them.
const std::vector<const char*>& FontSizeBoxEntries();

// The index of the first entry equal to text (exact, case-sensitive); -1 for
// an empty text or one the list does not hold.
int FindExactEntry(const std::vector<CString>& entries, const CString& text);
