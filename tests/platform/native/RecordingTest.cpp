// The host build's drawing record: what each operation writes down, in device
// coordinates, with the state it was drawn with.
#include "platform/DC.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Headless::DrawKind;
using Headless::DrawOp;

class RecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        std::vector<COLORREF> white(64 * 48, RGB(255, 255, 255));
        ASSERT_TRUE(bitmap.CreateFromPixels(64, 48, white.data()));
        old = dc.SelectObject(&bitmap);
        Headless::ClearDrawLog();
    }
    void TearDown() override { dc.SelectObject(old); }
    const DrawOp& Only()
    {
        const auto& log = Headless::DrawLog();
        EXPECT_EQ(log.size(), 1u);
        static DrawOp none = {};
        return log.empty() ? none : log.back();
    }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST_F(RecordingTest, FillsRecordTheirRectangleAndColourInDeviceCoordinates)
{
    dc.SetViewportOrg(5, 7);
    dc.SetWindowOrg(1, 2);
    dc.FillSolidRect(1, 2, 10, 3, RGB(1, 2, 3));
    const DrawOp& op = Only();
    EXPECT_EQ(op.kind, DrawKind::FillRect);
    EXPECT_EQ(CRect(op.rect), CRect(5, 7, 15, 10));
    EXPECT_EQ(op.color, RGB(1, 2, 3));
    EXPECT_EQ(op.brushStyle, BS_SOLID);
    EXPECT_EQ(op.target, static_cast<const void*>(bitmap.m_hObject));
    EXPECT_EQ(CRect(op.clip), CRect(0, 0, 64, 48));
}

TEST_F(RecordingTest, EachKindOfOperationIsRecordedOnce)
{
    CPen pen(PS_DOT, 1, RGB(9, 9, 9));
    CBrush brush(RGB(7, 7, 7));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CRect r(1, 1, 9, 9);
    POINT points[3] = {{0, 0}, {10, 0}, {10, 10}};
    struct Step {
        DrawKind kind;
        void (*run)(CDC&, CRect&, POINT*, CBrush&);
    };
    const Step steps[] = {
        {DrawKind::FillRect, [](CDC& d, CRect& rc, POINT*, CBrush& b) { d.FillRect(&rc, &b); }},
        {DrawKind::FrameRect, [](CDC& d, CRect& rc, POINT*, CBrush& b) { d.FrameRect(&rc, &b); }},
        {DrawKind::InvertRect, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.InvertRect(&rc); }},
        {DrawKind::Rectangle, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.Rectangle(&rc); }},
        {DrawKind::Ellipse, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.Ellipse(&rc); }},
        {DrawKind::Polygon, [](CDC& d, CRect&, POINT* p, CBrush&) { d.Polygon(p, 3); }},
        {DrawKind::SetPixel, [](CDC& d, CRect&, POINT*, CBrush&) { d.SetPixel(3, 4, RGB(1, 1, 1)); }},
        {DrawKind::Draw3dRect, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.Draw3dRect(&rc, 1, 2); }},
        {DrawKind::DrawFocusRect, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.DrawFocusRect(&rc); }},
        {DrawKind::DrawEdge, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.DrawEdge(&rc, EDGE_RAISED, BF_RECT); }},
        {DrawKind::DrawFrameControl,
         [](CDC& d, CRect& rc, POINT*, CBrush&) { d.DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED); }},
        {DrawKind::PatBlt, [](CDC& d, CRect&, POINT*, CBrush&) { d.PatBlt(0, 0, 4, 4, PATINVERT); }},
        {DrawKind::TextOut, [](CDC& d, CRect&, POINT*, CBrush&) { d.TextOut(2, 2, CString("x")); }},
        {DrawKind::ExtTextOut, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.ExtTextOut(2, 2, ETO_OPAQUE, &rc, "x", 1, nullptr); }},
        {DrawKind::DrawText, [](CDC& d, CRect& rc, POINT*, CBrush&) { d.DrawText(CString("x"), &rc, DT_LEFT); }},
        {DrawKind::DragRect,
         [](CDC& d, CRect& rc, POINT*, CBrush&) { d.DrawDragRect(&rc, CSize(3, 3), nullptr, CSize(0, 0)); }},
    };
    for (const Step& step : steps) {
        Headless::ClearDrawLog();
        step.run(dc, r, points, brush);
        ASSERT_EQ(Headless::DrawLog().size(), 1u) << static_cast<int>(step.kind);
        EXPECT_EQ(Headless::DrawLog()[0].kind, step.kind);
        EXPECT_EQ(Headless::DrawLog()[0].penStyle, PS_DOT);
    }
    Headless::ClearDrawLog();
    dc.Polyline(points, 3);
    ASSERT_EQ(Headless::DrawLog().size(), 2u);  // one line per segment
    EXPECT_EQ(Headless::DrawLog()[1].kind, DrawKind::Line);
    EXPECT_EQ(CPoint(Headless::DrawLog()[1].from), CPoint(10, 0));
    EXPECT_EQ(CPoint(Headless::DrawLog()[1].to), CPoint(10, 10));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST_F(RecordingTest, TextRecordsItsFontColoursAndBox)
{
    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = GB2312_CHARSET;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetTextColor(RGB(200, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.TextOut(40, 30, CString("中a"));
    const DrawOp& op = Only();
    EXPECT_EQ(op.text, "中a");
    EXPECT_EQ(op.textColor, RGB(200, 0, 0));
    EXPECT_EQ(op.bkMode, TRANSPARENT);
    EXPECT_EQ(op.font.lfHeight, -12);
    EXPECT_EQ(op.font.lfWeight, FW_BOLD);
    EXPECT_EQ(op.font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(CRect(op.textRect), CRect(40 - 18, 30 - 12, 40, 30));  // 12 + 6 wide, 12 high, right-bottom aligned
    dc.SelectObject(oldFont);
}

TEST_F(RecordingTest, BlocksRecordTheirSourceAndOperation)
{
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&dc));
    std::vector<COLORREF> red(4 * 4, RGB(255, 0, 0));
    CBitmap sourceBitmap;
    ASSERT_TRUE(sourceBitmap.CreateFromPixels(4, 4, red.data()));
    CBitmap* oldSource = source.SelectObject(&sourceBitmap);
    Headless::ClearDrawLog();
    dc.StretchBlt(10, 10, 8, 8, &source, 1, 1, 2, 2, SRCCOPY);
    const DrawOp& op = Only();
    EXPECT_EQ(op.kind, DrawKind::StretchBlt);
    EXPECT_EQ(CRect(op.rect), CRect(10, 10, 18, 18));
    EXPECT_EQ(CRect(op.source), CRect(1, 1, 3, 3));
    EXPECT_EQ(op.flags, static_cast<UINT>(SRCCOPY));
    EXPECT_EQ(op.sourceTarget, static_cast<const void*>(sourceBitmap.m_hObject));
    EXPECT_EQ(Headless::BitmapPixel(bitmap, 17, 17), RGB(255, 0, 0));
    source.SelectObject(oldSource);
}

TEST_F(RecordingTest, RecordingCanBeSwitchedOffWhilePixelsStillChange)
{
    Headless::SetRecording(false);
    dc.FillSolidRect(0, 0, 2, 2, RGB(0, 0, 9));
    Headless::SetRecording(true);
    EXPECT_TRUE(Headless::DrawLog().empty());
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 9));
}

TEST_F(RecordingTest, OpaqueTextPaintsItsBackgroundAndWideLinesAreSquares)
{
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(0, 255, 0));
    dc.TextOut(0, 0, "ab", 2);  // 2 x 8 wide, 16 high with the system font
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(16, 15), RGB(255, 255, 255));

    CPen wide(PS_SOLID, 3, RGB(0, 0, 255));
    CPen* oldPen = dc.SelectObject(&wide);
    dc.MoveTo(30, 30);
    dc.LineTo(40, 30);
    EXPECT_EQ(dc.GetPixel(30, 29), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(39, 31), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(35, 32), RGB(255, 255, 255));
    dc.SelectObject(oldPen);
}

TEST_F(RecordingTest, DashPatternsRepeatWithTheDocumentedLengths)
{
    struct Case {
        int style;
        const char* pattern;  // '#' pen, '.' gap, for the first pixels
    };
    const Case cases[] = {
        {PS_DASH, "##################......#"},
        {PS_DOT, "###...###..."},
        {PS_DASHDOT, "#########......###......#"},
        {PS_DASHDOTDOT, "#########...###...###...#"},
    };
    for (const Case& c : cases) {
        dc.FillSolidRect(0, 0, 64, 48, RGB(255, 255, 255));
        CPen pen(c.style, 1, RGB(0, 0, 0));
        CPen* oldPen = dc.SelectObject(&pen);
        dc.SetBkMode(TRANSPARENT);
        dc.MoveTo(0, 5);
        dc.LineTo(60, 5);
        std::string seen;
        for (size_t x = 0; x < std::string(c.pattern).size(); ++x)
            seen += dc.GetPixel(static_cast<int>(x), 5) == RGB(0, 0, 0) ? '#' : '.';
        EXPECT_EQ(seen, c.pattern) << "style " << c.style;
        dc.SelectObject(oldPen);
    }
}

TEST_F(RecordingTest, DeletingASelectedObjectWaitsUntilItIsDeselected)
{
    size_t before = Headless::GdiObjectCount();
    {
        CBrush brush(RGB(1, 2, 3));
        EXPECT_EQ(Headless::GdiObjectCount(), before + 1);
        CBrush* oldBrush = dc.SelectObject(&brush);
        HGDIOBJ handle = brush.m_hObject;
        EXPECT_TRUE(brush.DeleteObject());          // still selected: it stays usable
        EXPECT_EQ(Headless::GdiObjectCount(), before + 1);
        dc.Rectangle(0, 0, 4, 4);
        EXPECT_EQ(dc.GetPixel(1, 1), RGB(1, 2, 3));
        dc.SelectObject(oldBrush);                   // ... and goes when let go
        EXPECT_EQ(Headless::GdiObjectCount(), before);
        CBrush again;
        EXPECT_FALSE(again.Attach(nullptr));
        (void)handle;
    }
    EXPECT_EQ(Headless::GdiObjectCount(), before);
}

TEST_F(RecordingTest, DCsAndObjectsAreCountedSoLeaksShow)
{
    size_t dcs = Headless::DCCount();
    size_t objects = Headless::GdiObjectCount();
    {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CFont font;
        LOGFONT lf = {};
        font.CreateFontIndirect(&lf);
        CPen pen(PS_SOLID, 1, 0);
        EXPECT_EQ(Headless::DCCount(), dcs + 1);
        EXPECT_EQ(Headless::GdiObjectCount(), objects + 2);
    }
    EXPECT_EQ(Headless::DCCount(), dcs);
    EXPECT_EQ(Headless::GdiObjectCount(), objects);
    // Stock objects are not counted and never deleted.
    CGdiObject stock;
    EXPECT_TRUE(stock.CreateStockObject(BLACK_PEN));
    EXPECT_EQ(Headless::GdiObjectCount(), objects);
}

TEST_F(RecordingTest, BitmapsRefuseSizesThatCannotBeStored)
{
    struct Case {
        int width, height;
        bool ok;
    };
    const Case cases[] = {{1, 1, true}, {0, 5, false}, {-3, 5, false}, {100000, 100000, false}, {8192, 8193, false}};
    for (const Case& c : cases) {
        CBitmap b;
        std::vector<COLORREF> one(1, 0);
        EXPECT_EQ(b.CreateBitmap(c.width, c.height, 1, 32, nullptr) != FALSE, c.ok) << c.width << "x" << c.height;
    }
    CBitmap empty;
    EXPECT_TRUE(empty.CreateCompatibleBitmap(&dc, 0, 0));  // the system's 1 x 1 answer
    EXPECT_EQ(empty.GetSize(), CSize(1, 1));
}

}  // namespace
