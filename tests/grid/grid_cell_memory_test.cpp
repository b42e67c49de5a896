// The cell pool: slots of each size never overlap, keep what is written in
// them, come back after they are freed, and a slab goes back to the heap when
// its last slot is freed (all but the last slab with room of its size).
#include "grid/GridCellMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {

using gridcellmemory::Allocate;
using gridcellmemory::Free;
using gridcellmemory::SlabCount;

TEST(GridCellMemory, SlotsKeepTheirBytesAcrossSlabsAndReturnWhenFreed)
{
    const size_t before = SlabCount();
    struct Block {
        unsigned char* p;
        size_t size;
    };
    // Three sizes, enough of the smallest to need several slabs.
    std::vector<Block> blocks;
    const size_t sizes[] = {104, 1, 512};
    for (size_t size : sizes) {
        const size_t count = size == 104 ? 3 * gridcellmemory::kSlabSize / 112 : 500;
        for (size_t i = 0; i < count; ++i) {
            auto* p = static_cast<unsigned char*>(Allocate(size));
            ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u);
            std::memset(p, static_cast<int>(blocks.size() & 0xFF), size);
            blocks.push_back({p, size});
        }
    }
    EXPECT_GE(SlabCount(), before + 5);

    // No two slots overlap.
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> spans;
    for (const Block& b : blocks)
        spans.emplace_back(reinterpret_cast<std::uintptr_t>(b.p), reinterpret_cast<std::uintptr_t>(b.p) + b.size);
    std::sort(spans.begin(), spans.end());
    for (size_t i = 1; i < spans.size(); ++i)
        ASSERT_LE(spans[i - 1].second, spans[i].first);

    // Every other block freed; the rest keep their bytes, and new slots
    // reuse the freed ones before the pool grows.
    const size_t full = SlabCount();
    std::set<unsigned char*> freed;
    for (size_t i = 0; i < blocks.size(); i += 2) {
        Free(blocks[i].p, blocks[i].size);
        freed.insert(blocks[i].p);
    }
    for (size_t i = 1; i < blocks.size(); i += 2) {
        const unsigned char expected = static_cast<unsigned char>(i & 0xFF);
        ASSERT_EQ(blocks[i].p[0], expected) << i;
        ASSERT_EQ(blocks[i].p[blocks[i].size - 1], expected) << i;
    }
    for (size_t i = 0; i < blocks.size(); i += 2) {
        auto* p = static_cast<unsigned char*>(Allocate(blocks[i].size));
        EXPECT_EQ(freed.count(p), 1u);
        blocks[i].p = p;
    }
    EXPECT_EQ(SlabCount(), full);

    // Everything freed: at most one slab per size stays.
    for (const Block& b : blocks)
        Free(b.p, b.size);
    EXPECT_LE(SlabCount(), before + 3);

    // Above the pooled sizes, and nothing freed: the heap's business.
    void* big = Allocate(gridcellmemory::kMaxPooled + 1);
    Free(big, gridcellmemory::kMaxPooled + 1);
    Free(nullptr, 8);
}

}  // namespace
