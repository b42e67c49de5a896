// The position index against a plain vector whose sums are added up line by
// line: random size changes (0 hides a line), inserts, removals, resizes and
// zoom changes, then every prefix sum, every line lookup and a spread of
// lower-bound targets compared. The operations run in long random sequences
// from fixed seeds, so each run is the same.
#include "grid/GridPositionIndex.h"

#include "GridTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using gridtest::Lcg;

// The reference: the sizes and the zoom, every answer by adding line by line.
struct Summing {
    std::vector<UINT> sizes;
    double zoom = 1.0;

    int Zoomed(int i) const
    {
        int n = static_cast<int>(sizes[static_cast<size_t>(i)]);
        return zoom == 1.0 ? n : static_cast<int>(n * zoom);
    }
    // Prefix sums [0, n], added line by line.
    std::vector<long long> Prefixes() const
    {
        std::vector<long long> sums(1, 0);
        for (int i = 0; i < static_cast<int>(sizes.size()); ++i)
            sums.push_back(sums.back() + Zoomed(i));
        return sums;
    }
};

// The first n with sums[n] >= target, one past the end when none.
int FirstReaching(const std::vector<long long>& sums, long long target)
{
    return static_cast<int>(std::lower_bound(sums.begin(), sums.end(), target) - sums.begin());
}

void ExpectSame(const Summing& ref, const CGridPositionIndex& index, const char* step)
{
    SCOPED_TRACE(step);
    const int n = static_cast<int>(ref.sizes.size());
    ASSERT_EQ(n, index.GetSize());
    const std::vector<long long> sums = ref.Prefixes();
    for (int i = 0; i <= n; ++i) {
        ASSERT_EQ(sums[static_cast<size_t>(i)], index.Prefix(i)) << "prefix " << i;
        if (i < n) {
            ASSERT_EQ(ref.sizes[static_cast<size_t>(i)], index.GetAt(i)) << "size " << i;
            ASSERT_EQ(ref.Zoomed(i), index.GetZoomedAt(i)) << "zoomed " << i;
        }
    }
    const long long total = sums.back();
    // Offsets at, just before and just after every line's start name the
    // line that holds them (lines of size 0 hold none), and so do offsets
    // before the start and past the end.
    ASSERT_EQ(-1, index.LineAt(-1));
    ASSERT_EQ(n, index.LineAt(total));
    ASSERT_EQ(n, index.LineAt(total + 7));
    for (int i = 0; i < n; ++i) {
        for (long long offset : {sums[static_cast<size_t>(i)] - 1, sums[static_cast<size_t>(i)],
                                 sums[static_cast<size_t>(i)] + 1}) {
            if (offset < 0)
                continue;
            int expected = FirstReaching(sums, offset + 1) - 1;
            ASSERT_EQ(std::min(expected, n), index.LineAt(offset)) << "offset " << offset;
        }
    }
    for (long long target : {-5LL, 0LL, 1LL, total / 3, total / 2, total - 1, total, total + 1, total + 100})
        ASSERT_EQ(FirstReaching(sums, target), index.LowerBound(target)) << "target " << target;
    ASSERT_EQ(total - sums[static_cast<size_t>(n / 2)], index.Sum(n / 2, n));
    ASSERT_EQ(total, index.Total());
    ASSERT_EQ(0, index.Sum(n, n / 2));
}

TEST(PositionIndex, EmptyAndEdgeAnswers)
{
    CGridPositionIndex index;
    EXPECT_EQ(0, index.Total());
    EXPECT_EQ(0, index.LowerBound(0));
    EXPECT_EQ(1, index.LowerBound(1));
    EXPECT_EQ(-1, index.LineAt(-1));
    EXPECT_EQ(0, index.LineAt(0));
    EXPECT_EQ(0u, index.GetAt(0));
    index.SetAt(0, 5);               // outside: ignored
    index.RemoveAt(0);
    index.InsertAt(1, 5);
    EXPECT_EQ(0, index.GetSize());

    // Three lines, the middle one hidden.
    index.InsertAt(0, 10, 3);
    index.SetAt(1, 0);
    EXPECT_EQ(20, index.Total());
    EXPECT_EQ(0, index.LineAt(9));
    EXPECT_EQ(2, index.LineAt(10));  // the hidden line holds no offset
    EXPECT_EQ(3, index.LineAt(20));
    EXPECT_EQ(1, index.LowerBound(10));
    EXPECT_EQ(3, index.LowerBound(11));
    EXPECT_EQ(4, index.LowerBound(21));
    EXPECT_EQ(10, index.Sum(1, 3));
}

TEST(PositionIndex, ZoomTruncatesEachLineAndStaysWithinInt)
{
    CGridPositionIndex index;
    index.SetSize(4);
    for (int i = 0; i < 4; ++i)
        index.SetAt(i, 3);
    EXPECT_EQ(12, index.Total());
    index.SetZoom(0.5);              // 1.5 -> 1 per line, not 6 for the four
    EXPECT_EQ(4, index.Total());
    EXPECT_EQ(1, index.GetZoomedAt(2));
    index.SetZoom(1.0);
    EXPECT_EQ(12, index.Total());

    // Sizes beyond int and huge factors are held at the largest int, and the
    // sums do not wrap.
    index.SetAt(0, 0xFFFFFFFFu);
    index.SetAt(1, 0x7FFFFFFFu);
    index.SetZoom(1e300);
    EXPECT_EQ(0x7FFFFFFF, index.GetZoomedAt(0));
    EXPECT_EQ(4LL * 0x7FFFFFFF, index.Total());
    EXPECT_EQ(2, index.LineAt(3LL * 0x7FFFFFFF - 1));
}

// The kinds of change the grid makes, each from a random draw.
struct Step {
    const char* name;
    void (*apply)(Lcg& rnd, Summing& ref, CGridPositionIndex& index);
};

UINT RandomSize(Lcg& rnd)
{
    // A quarter of the lines hidden, the rest 1 to 40 pixels.
    return rnd.Below(4) == 0 ? 0u : static_cast<UINT>(1 + rnd.Below(40));
}

const Step kSteps[] = {
    {"set", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         if (ref.sizes.empty())
             return;
         int i = rnd.Below(static_cast<int>(ref.sizes.size()));
         UINT size = RandomSize(rnd);
         ref.sizes[static_cast<size_t>(i)] = size;
         index.SetAt(i, size);
     }},
    {"hide", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         if (ref.sizes.empty())
             return;
         int i = rnd.Below(static_cast<int>(ref.sizes.size()));
         ref.sizes[static_cast<size_t>(i)] = 0;
         index.SetAt(i, 0);
     }},
    {"insert", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         int i = rnd.Below(static_cast<int>(ref.sizes.size()) + 1);
         int count = 1 + rnd.Below(rnd.Below(4) ? 3 : 100);
         UINT size = RandomSize(rnd);
         ref.sizes.insert(ref.sizes.begin() + i, static_cast<size_t>(count), size);
         index.InsertAt(i, size, count);
     }},
    {"remove", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         if (ref.sizes.empty())
             return;
         int i = rnd.Below(static_cast<int>(ref.sizes.size()));
         int count = 1 + rnd.Below(rnd.Below(4) ? 4 : 100);
         int last = std::min(static_cast<int>(ref.sizes.size()), i + count);
         ref.sizes.erase(ref.sizes.begin() + i, ref.sizes.begin() + last);
         index.RemoveAt(i, count);
     }},
    {"resize", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         int n = rnd.Below(rnd.Below(2) ? 40 : 500);
         ref.sizes.resize(static_cast<size_t>(n), 0u);
         index.SetSize(n);
     }},
    {"grow and fill", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         int i = static_cast<int>(ref.sizes.size()) + rnd.Below(5);
         UINT size = RandomSize(rnd);
         ref.sizes.resize(static_cast<size_t>(i) + 1, 0u);
         ref.sizes[static_cast<size_t>(i)] = size;
         index.SetAtGrow(i, size);
     }},
    {"add", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         UINT size = RandomSize(rnd);
         ref.sizes.push_back(size);
         index.Add(size);
     }},
    {"swap two", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         // A sort moving rows swaps their heights.
         if (ref.sizes.size() < 2)
             return;
         int a = rnd.Below(static_cast<int>(ref.sizes.size()));
         int b = rnd.Below(static_cast<int>(ref.sizes.size()));
         std::swap(ref.sizes[static_cast<size_t>(a)], ref.sizes[static_cast<size_t>(b)]);
         UINT sa = index.GetAt(a);
         index.SetAt(a, index.GetAt(b));
         index.SetAt(b, sa);
     }},
    {"zoom", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         const double zooms[] = {1.0, 0.5, 0.75, 1.3, 2.0};
         ref.zoom = zooms[rnd.Below(5)];
         index.SetZoom(ref.zoom);
     }},
    {"clear", [](Lcg& rnd, Summing& ref, CGridPositionIndex& index) {
         if (rnd.Below(10) != 0)
             return;
         ref.sizes.clear();
         index.RemoveAll();
     }},
};

TEST(PositionIndex, RandomChangesAnswerAsAddingUp)
{
    const int kStepKinds = static_cast<int>(sizeof(kSteps) / sizeof(kSteps[0]));
    for (std::uint32_t seed : {1u, 7u, 2024u, 99991u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Lcg rnd(seed);
        Summing ref;
        CGridPositionIndex index;
        kSteps[4].apply(rnd, ref, index);     // start from a random size
        for (int step = 0; step < 600; ++step) {
            // Several changes between questions, so stale sums pile up.
            int changes = 1 + rnd.Below(4);
            const char* last = "";
            for (int c = 0; c < changes; ++c) {
                const Step& s = kSteps[rnd.Below(kStepKinds)];
                s.apply(rnd, ref, index);
                last = s.name;
            }
            ExpectSame(ref, index, last);
            if (HasFatalFailure())
                return;
        }
    }
}

}  // namespace
