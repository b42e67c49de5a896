// The outline a tree cell paints, read from the headless drawing record:
// boxes, the minus and plus strokes, connectors, the parent's and the
// ancestors' vertical lines, the last row's elbow, the dotted geometric pen,
// and nothing but the indented text below a box size of 6.
#include "../cellpaint_util.h"

#include "grid/GridTreeCell.h"
#include "grid/TreeColumn.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using cellpainttest::Canvas;
using cellpainttest::MakePaintGrid;

namespace {

struct Seg {
    int x1, y1, x2, y2;
    bool operator==(const Seg& o) const { return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2; }
};

std::ostream& operator<<(std::ostream& os, const Seg& s)
{
    return os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
}

class TreeCellPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        grid = MakePaintGrid();
        grid->SetColumnWidth(1, 120);
        tree = grid->AddTree(1, 1);
        ASSERT_NE(tree, nullptr);
        ASSERT_TRUE(tree->SetControl("<control treerow = \"1,2,3,2\" ></control>"));
        margin = grid->GetDefaultCell(FALSE, FALSE)->GetMargin();
    }
    void TearDown() override { Headless::Reset(); }

    // Paints the cell of the row into a rectangle at (10, 10) and answers the
    // lines drawn (the first dotted ones when dotted is set, else solid ones).
    std::vector<Seg> Paint(int row, bool dotted)
    {
        rect = CRect(10, 10, 129, 29);
        Canvas canvas(300, 120);
        EXPECT_TRUE(canvas.Ok());
        Headless::ClearDrawLog();
        EXPECT_TRUE(grid->GetCell(row, 1)->Draw(&canvas.dc, row, 1, rect, TRUE));
        ops = Headless::DrawLog();
        std::vector<Seg> lines;
        for (const Headless::DrawOp& op : ops) {
            if (op.kind != Headless::DrawKind::Line)
                continue;
            const bool isDotted = op.penStyle == PS_USERSTYLE;
            if (isDotted != dotted)
                continue;
            if (isDotted) {
                EXPECT_EQ(op.penUserStyle, (std::vector<int>{1, 1}));
                EXPECT_NE(op.penType & PS_GEOMETRIC, 0);
                EXPECT_EQ(op.penColor, RGB(132, 130, 132));
            }
            lines.push_back({op.from.x, op.from.y, op.to.x, op.to.y});
        }
        return lines;
    }
    // The box of a level in the painted rectangle.
    CRect Box(int level, int box = 13) const
    {
        const int left = rect.left + box * (level - 1) + margin + 2;
        return CRect(left, rect.top + margin, left + box - 2, rect.top + margin + box - 2);
    }
    int Rectangles() const
    {
        int n = 0;
        for (const Headless::DrawOp& op : ops)
            n += op.kind == Headless::DrawKind::Rectangle ? 1 : 0;
        return n;
    }

    std::unique_ptr<CGridCtrl> grid;
    CTreeColumn* tree = nullptr;
    int margin = 0;
    CRect rect;
    std::vector<Headless::DrawOp> ops;
};

}  // namespace

TEST_F(TreeCellPaint, AnOpenNodeDrawsItsBoxMinusAndLines)
{
    std::vector<Seg> dotted = Paint(2, true);
    const CRect box = Box(2);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const int parentX = cx - 13;
    const std::vector<Seg> expected = {
        {cx, box.bottom, cx, rect.bottom + 1},            // down to its children
        {parentX, cy, box.left, cy},                      // connector from the parent's line
        {parentX, rect.top, parentX, rect.bottom + 1},    // the parent's line goes on (a later sibling)
    };
    EXPECT_EQ(dotted, expected);
    const std::vector<Seg> solid = Paint(2, false);
    ASSERT_EQ(Rectangles(), 1);
    for (const Headless::DrawOp& op : ops)
        if (op.kind == Headless::DrawKind::Rectangle) {
            EXPECT_EQ(CRect(op.rect), box);
            EXPECT_EQ(op.brushColor, RGB(255, 255, 255));
            EXPECT_EQ(op.penStyle, PS_SOLID);
        }
    // The minus stroke alone: the node is open.
    EXPECT_EQ(solid, (std::vector<Seg>{{box.left + 2, cy, box.right - 2, cy}}));

    tree->Collapse(2);
    EXPECT_EQ(Paint(2, false),
              (std::vector<Seg>{{box.left + 2, cy, box.right - 2, cy}, {cx, box.top + 2, cx, box.bottom - 2}}));
    // Folded: no line down to the children.
    EXPECT_EQ(Paint(2, true).size(), 2u);
}

TEST_F(TreeCellPaint, ALeafDrawsItsConnectorAndTheAncestorsLines)
{
    std::vector<Seg> dotted = Paint(3, true);
    const CRect box = Box(3);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    const std::vector<Seg> expected = {
        {cx - 13, cy, cx, cy},                             // connector to its centre
        {cx - 13, rect.top, cx - 13, cy},                  // its parent's last child: the line stops here
        {cx - 26, rect.top, cx - 26, rect.bottom + 1},     // node 2 has a later sibling
    };
    EXPECT_EQ(dotted, expected);
    EXPECT_EQ(Rectangles(), 0);
}

TEST_F(TreeCellPaint, TheLastRowDrawsAnElbowAndARootAloneNothing)
{
    std::vector<Seg> dotted = Paint(4, true);
    const CRect box = Box(2);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    EXPECT_EQ(dotted, (std::vector<Seg>{{cx - 13, rect.top, cx - 13, cy}, {cx - 13, cy, box.right, cy}}));
    EXPECT_EQ(Rectangles(), 0);

    // A root without children draws no box (a childless root drew one before).
    ASSERT_TRUE(tree->SetControl("<control treerow = \"1\" ></control>"));
    EXPECT_TRUE(Paint(1, true).empty());
    EXPECT_EQ(Rectangles(), 0);
    // A root whose only row is followed by a row outside the tree: still no box.
    ASSERT_TRUE(tree->SetControl("<control treerow = \"1,1\" ></control>"));
    Paint(1, true);
    EXPECT_EQ(Rectangles(), 0);
}

TEST_F(TreeCellPaint, BelowBoxSizeSixOnlyTheTextMoves)
{
    ASSERT_TRUE(tree->SetControl("<control treerow = \"1,2,3,2\" boxsize = \"5\" ></control>"));
    grid->SetCellText(3, 1, "leaf");
    Paint(3, true);
    int lines = 0;
    const Headless::DrawOp* text = nullptr;
    for (const Headless::DrawOp& op : ops) {
        lines += op.kind == Headless::DrawKind::Line && op.penStyle == PS_USERSTYLE ? 1 : 0;
        if (op.kind == Headless::DrawKind::DrawText)
            text = &op;
    }
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(Rectangles(), 0);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left, rect.left + margin + 5 * 3 + margin);
    EXPECT_EQ(text->text, "leaf");
}

TEST_F(TreeCellPaint, ExtendedPensOfThePlatform)
{
    LOGBRUSH brush = {BS_SOLID, RGB(9, 8, 7), 0};
    const DWORD pattern[2] = {1, 1};
    const DWORD zero[2] = {0, 1};
    struct Case {
        int style;
        int width;
        int count;
        const DWORD* lengths;
        BOOL made;
    } cases[] = {
        {PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, 2, pattern, TRUE},
        {PS_GEOMETRIC | PS_USERSTYLE, 1, 0, nullptr, FALSE},     // a user style needs lengths
        {PS_GEOMETRIC | PS_USERSTYLE, 1, 2, zero, FALSE},
        {PS_COSMETIC | PS_SOLID, 3, 0, nullptr, FALSE},          // cosmetic pens are one pixel wide
        {PS_GEOMETRIC | PS_SOLID, 3, 0, nullptr, TRUE},
        {PS_GEOMETRIC | PS_DOT, 1, 2, pattern, FALSE},           // lengths only with a user style
    };
    for (const Case& c : cases) {
        CPen pen;
        EXPECT_EQ(pen.CreatePen(c.style, c.width, &brush, c.count, c.lengths), c.made) << c.style << "/" << c.width;
    }
    // Drawn pixels: one on, one off.
    Canvas canvas(40, 10);
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 1, &brush, 2, pattern));
    CPen* old = canvas.dc.SelectObject(&pen);
    canvas.dc.SetBkMode(TRANSPARENT);      // gaps keep what was there
    canvas.dc.MoveTo(0, 5);
    canvas.dc.LineTo(6, 5);
    canvas.dc.SelectObject(old);
    const COLORREF on = RGB(9, 8, 7);
    const COLORREF off = cellpainttest::kUnpainted;
    EXPECT_EQ(canvas.At(0, 5), on);
    EXPECT_EQ(canvas.At(1, 5), off);
    EXPECT_EQ(canvas.At(2, 5), on);
    EXPECT_EQ(canvas.At(3, 5), off);
}
