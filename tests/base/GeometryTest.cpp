// CRect/CPoint/CSize and the free rectangle routines (system ones on Windows,
// ours on the host: the same table holds for both).
#include "base/Geometry.h"

#include <gtest/gtest.h>

namespace {

CRect R(int l, int t, int r, int b) { return CRect(l, t, r, b); }

}  // namespace

TEST(Geometry, IntersectUnionSubtract)
{
    struct Case {
        CRect a, b, inter, uni, sub;
        bool interNonEmpty;
    } cases[] = {
        {R(0, 0, 10, 10), R(5, 5, 15, 15), R(5, 5, 10, 10), R(0, 0, 15, 15), R(0, 0, 10, 10), true},
        {R(0, 0, 10, 10), R(10, 0, 20, 10), R(0, 0, 0, 0), R(0, 0, 20, 10), R(0, 0, 10, 10), false},  // touching
        {R(0, 0, 10, 10), R(0, 0, 0, 0), R(0, 0, 0, 0), R(0, 0, 10, 10), R(0, 0, 10, 10), false},      // empty operand
        {R(0, 0, 10, 10), R(-5, 4, 20, 20), R(0, 4, 10, 10), R(-5, 0, 20, 20), R(0, 0, 10, 4), true},  // cuts the bottom
        {R(0, 0, 10, 10), R(6, -1, 11, 11), R(6, 0, 10, 10), R(0, -1, 11, 11), R(0, 0, 6, 10), true},  // cuts the right
        {R(0, 0, 10, 10), R(-1, -1, 11, 11), R(0, 0, 10, 10), R(-1, -1, 11, 11), R(0, 0, 0, 0), true}, // covers all
        {R(0, 0, 10, 10), R(0, 0, 4, 10), R(0, 0, 4, 10), R(0, 0, 10, 10), R(4, 0, 10, 10), true},     // cuts the left
        {R(0, 0, 10, 10), R(0, 0, 10, 3), R(0, 0, 10, 3), R(0, 0, 10, 10), R(0, 3, 10, 10), true},     // cuts the top
    };
    for (const auto& c : cases) {
        RECT out;
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b) != FALSE, c.interNonEmpty);
        EXPECT_TRUE(CRect(out) == c.inter);
        CRect m;
        EXPECT_EQ(m.IntersectRect(&c.a, &c.b) != FALSE, c.interNonEmpty);
        EXPECT_TRUE(m == c.inter);
        EXPECT_TRUE((c.a & c.b) == c.inter);

        UnionRect(&out, &c.a, &c.b);
        EXPECT_TRUE(CRect(out) == c.uni);
        EXPECT_TRUE((c.a | c.b) == c.uni);

        CRect s;
        s.SubtractRect(&c.a, &c.b);
        EXPECT_TRUE(s == c.sub) << s.left << "," << s.top << "," << s.right << "," << s.bottom;
    }
    RECT e1 = {0, 0, 0, 0}, e2 = {5, 5, 5, 9};
    RECT out = {1, 2, 3, 4};
    EXPECT_FALSE(UnionRect(&out, &e1, &e2));
    EXPECT_TRUE(CRect(out).IsRectNull());
}

TEST(Geometry, PointsInsideAndEmptiness)
{
    CRect r(0, 0, 10, 5);
    struct Case {
        int x, y;
        bool inside;
    } cases[] = {{0, 0, true}, {9, 4, true}, {10, 4, false}, {9, 5, false}, {-1, 0, false}, {5, 2, true}};
    for (const auto& c : cases) {
        POINT pt = {c.x, c.y};
        EXPECT_EQ(r.PtInRect(pt) != FALSE, c.inside) << c.x << "," << c.y;
        EXPECT_EQ(PtInRect(&r, pt) != FALSE, c.inside);
    }
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 4, 10).IsRectNull());
    EXPECT_TRUE(IsRectEmpty(&r) == FALSE);
    RECT inverted = {10, 10, 0, 0};
    EXPECT_TRUE(IsRectEmpty(&inverted) != FALSE);
}

TEST(Geometry, MembersAndOperators)
{
    CRect r(10, 20, 40, 60);
    EXPECT_EQ(r.Width(), 30);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_TRUE(r.Size() == CSize(30, 40));
    EXPECT_TRUE(r.TopLeft() == CPoint(10, 20));
    EXPECT_TRUE(r.BottomRight() == CPoint(40, 60));
    EXPECT_TRUE(r.CenterPoint() == CPoint(25, 40));
    EXPECT_TRUE(CRect(-5, -5, 0, 0).CenterPoint() == CPoint(-2, -2));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_TRUE(r == CRect(0, 0, 40, 60));

    CRect a(0, 0, 10, 10);
    a.InflateRect(2, 3);
    EXPECT_TRUE(a == CRect(-2, -3, 12, 13));
    a.DeflateRect(2, 3);
    EXPECT_TRUE(a == CRect(0, 0, 10, 10));
    a.InflateRect(1, 2, 3, 4);
    EXPECT_TRUE(a == CRect(-1, -2, 13, 14));
    RECT by = {1, 2, 3, 4};
    a.DeflateRect(&by);
    EXPECT_TRUE(a == CRect(0, 0, 10, 10));
    a.OffsetRect(5, -5);
    EXPECT_TRUE(a == CRect(5, -5, 15, 5));
    a += CPoint(1, 1);
    EXPECT_TRUE(a == CRect(6, -4, 16, 6));
    a -= CSize(6, -4);
    EXPECT_TRUE(a == CRect(0, 0, 10, 10));
    EXPECT_TRUE(a + CPoint(1, 2) == CRect(1, 2, 11, 12));
    EXPECT_TRUE(a - CSize(1, 2) == CRect(-1, -2, 9, 8));
    a.MoveToXY(100, 200);
    EXPECT_TRUE(a == CRect(100, 200, 110, 210));
    a &= CRect(105, 0, 300, 205);
    EXPECT_TRUE(a == CRect(105, 200, 110, 205));
    a |= CRect(0, 0, 1, 1);
    EXPECT_TRUE(a == CRect(0, 0, 110, 205));

    CRect n(10, 10, 0, 0);
    n.NormalizeRect();
    EXPECT_TRUE(n == CRect(0, 0, 10, 10));
    EXPECT_TRUE(n.EqualRect(CRect(0, 0, 10, 10)));
    EXPECT_FALSE(n.EqualRect(nullptr));
    n.SetRectEmpty();
    EXPECT_TRUE(n.IsRectNull());
    CRect fromNull(static_cast<const RECT*>(nullptr));
    EXPECT_TRUE(fromNull.IsRectNull());

    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_TRUE(p == CPoint(4, 5));
    EXPECT_TRUE(p - CPoint(1, 1) == CSize(3, 4));
    EXPECT_TRUE(-p == CPoint(-4, -5));
    EXPECT_TRUE(CPoint(static_cast<DWORD>(0xFFFE0005)) == CPoint(5, -2));    // signed words

    RECT raw;
    SetRect(&raw, 1, 2, 3, 4);
    OffsetRect(&raw, 1, 1);
    InflateRect(&raw, 1, 1);
    EXPECT_TRUE(CRect(raw) == CRect(1, 2, 5, 6));
    RECT copy;
    CopyRect(&copy, &raw);
    EXPECT_TRUE(EqualRect(&copy, &raw) != FALSE);
    SetRectEmpty(&copy);
    EXPECT_TRUE(CRect(copy).IsRectNull());
}

TEST(Geometry, ArithmeticWrapsInsteadOfOverflowing)
{
    CRect r(-2147483647 - 1, 0, 2147483647, 1);
    EXPECT_EQ(r.Width(), -1);    // 2^32 - 1 kept to 32 bits
    r.OffsetRect(1, 0);
    EXPECT_EQ(r.right, -2147483647 - 1);
    CPoint p(2147483647, 0);
    p.Offset(1, 0);
    EXPECT_EQ(p.x, -2147483647 - 1);
}
