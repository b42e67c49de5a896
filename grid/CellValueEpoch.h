// A process-wide count of changes to what a cell's value can be read from:
// its text, its number and number flag, its merged block, its place in the
// grid, and cells made or destroyed. The formula engine keeps what it read
// of a range (its sum, its count ...) together with this count and reuses it
// only while the count has not moved, or has moved only by a change it was
// told about (CFormulaEngine::NoteCellChange). A change to any cell of any
// grid moves it, so a kept value is never trusted after a change it cannot
// account for.
#pragma once

#include <atomic>

namespace cellvalue {

inline std::atomic<unsigned long long>& EpochCounter()
{
    static std::atomic<unsigned long long> counter{1};
    return counter;
}

inline void NoteChange()
{
    EpochCounter().fetch_add(1, std::memory_order_relaxed);
}

inline unsigned long long Epoch()
{
    return EpochCounter().load(std::memory_order_relaxed);
}

// Moves the count when an operation that rearranges cells starts and again
// when it ends, so that nothing read in between is kept past it.
struct ChangeScope {
    ChangeScope() { NoteChange(); }
    ~ChangeScope() { NoteChange(); }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;
};

}  // namespace cellvalue
