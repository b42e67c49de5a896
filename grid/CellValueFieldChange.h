// How a cell's own setters move the count of cell-value changes
// (CellValueEpoch.h): a relaxed read and write instead of an atomic add. A
// grid and its cells are used from one thread at a time, and all that matters
// is that the count moves; setting one text thus costs no locked instruction.
#pragma once

#include "grid/CellValueEpoch.h"

namespace cellvalue {

inline void NoteFieldChange()
{
    std::atomic<unsigned long long>& counter = EpochCounter();
    counter.store(counter.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

}  // namespace cellvalue
