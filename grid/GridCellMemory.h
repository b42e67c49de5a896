// Memory for cells.
//
// A sheet holds up to millions of cells of a handful of sizes, made and
// destroyed in bulk as rows and columns come and go. They come from slabs of
// 2 MB, each holding cells of one size: making a million cells costs a few
// dozen allocations instead of a million, the cells of a row lie next to each
// other, and where the system backs large aligned blocks with large pages
// (Linux) a slab costs one page fault instead of five hundred. A slab whose
// last cell is freed goes back to the heap, except the last slab with room of
// its size, kept for the next cell.
//
// Calls may come from any thread (each control has its own, in the hosts'
// apartments); the pool takes a lock of its own. Sizes above kMaxPooled go to
// the heap as they stand.
#pragma once

#include <cstddef>

namespace gridcellmemory {

constexpr std::size_t kMaxPooled = 512;
constexpr std::size_t kSlabSize = std::size_t(2) << 20;

// The pool itself. Allocate throws std::bad_alloc when out of memory; Free
// takes the size that was allocated.
void* Allocate(std::size_t size);
void Free(void* p, std::size_t size) noexcept;

// What cells use: the pool, or the plain heap in builds checked by the
// address sanitizer, so that a cell used after it is freed is still caught.
void* AllocateCell(std::size_t size);
void FreeCell(void* p, std::size_t size) noexcept;

// Slabs held now, of every size.
std::size_t SlabCount();

}  // namespace gridcellmemory
