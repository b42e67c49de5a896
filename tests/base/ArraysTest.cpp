// The growable arrays: out-of-range indices are harmless, ranges are clamped.
#include "base/CArrays.h"

#include <gtest/gtest.h>

TEST(Arrays, OutOfRangeIndicesAreHarmless)
{
    CStringArray a;
    EXPECT_TRUE(a.GetAt(0).IsEmpty());
    EXPECT_TRUE(a[-1].IsEmpty());
    a.SetAt(0, "x");
    a.RemoveAt(0);
    a.RemoveAt(-1, 5);
    EXPECT_TRUE(a.IsEmpty());
    a.Add("one");
    a.ElementAt(5) = "lost";    // writes to a scratch element
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_TRUE(a.ElementAt(7).IsEmpty());
    a.InsertAt(5, "nowhere");
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a.GetUpperBound(), 0);

    CDWordArray d;
    EXPECT_EQ(d.GetAt(3), 0u);
    CPtrArray p;
    EXPECT_EQ(p.GetAt(0), nullptr);
}

TEST(Arrays, InsertRemoveAppend)
{
    CUIntArray a;
    for (UINT i = 0; i < 5; ++i)
        EXPECT_EQ(a.Add(i), static_cast<int>(i));
    a.InsertAt(5, 9u);    // at the end: appends
    a.InsertAt(0, 7u, 2);
    // 7 7 0 1 2 3 4 9
    EXPECT_EQ(a.GetSize(), 8);
    a.RemoveAt(3, 100);    // clamped to the end
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a.GetAt(2), 0u);
    EXPECT_EQ(a.Append(a), 3);    // appending itself
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[5], 0u);
    CUIntArray b;
    b.Add(1);
    a.InsertAt(1, b);
    EXPECT_EQ(a.GetAt(1), 1u);
    a.SetSize(-3);
    EXPECT_EQ(a.GetCount(), 0);
    a.SetAtGrow(3, 5u);
    EXPECT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a.GetAt(0), 0u);
    a.SetAtGrow(-1, 5u);
    EXPECT_EQ(a.GetSize(), 4);
    CByteArray c;
    c.Copy(CByteArray());
    c.SetSize(2);
    c[1] = 0xAB;
    EXPECT_EQ(c.GetAt(1), 0xAB);
    c.RemoveAll();
    EXPECT_EQ(c.GetData(), nullptr);
}
